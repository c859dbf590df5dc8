// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

#include "ui/DialogSink.h"

class QWidget;

namespace tav::ui {

// "Hilfe -> Pick and Place File Aufbau": a small modal window describing the
// pick-and-place files the import reads.
class PickPlaceFileHelp final {
 public:
  static void Show(QWidget* parent);

  static QString Caption();
  static QString Text();

  // Tests replace the window: the sink receives caption and text.
  using Sink = DialogSink::Sink;
  static void SetSinkForTesting(Sink sink);
};

}  // namespace tav::ui
