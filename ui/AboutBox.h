// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

#include "ui/DialogSink.h"

class QWidget;

namespace tav::ui {

// "About": a modal box with the application's title as caption, no icon, the
// button "OK" and one credit line: name, version, purpose, year and licence.
class AboutBox final {
 public:
  static void Show(QWidget* parent);

  static QString CreditText();

  // Tests replace the message box: the sink receives caption and text.
  using Sink = DialogSink::Sink;
  static void SetSinkForTesting(Sink sink);
};

}  // namespace tav::ui
