// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

#include <string>
#include "ui/DialogSink.h"

namespace tav::ui {

// The one place where the error of any command is shown: a modal message box
// with the message (full stop rule applied), the application's title as
// caption, a stop icon and "OK". The program then goes on.
class ErrorDisplay final {
 public:
  // Shows a Windows-1252 message.
  static void Show(const std::string& message);

  // Runs a command; an error it throws ends the command and is shown here.
  // What the command changed before the error stays changed.
  static void Run(const std::function<void()>& command);

  // Tests replace the message box: the sink receives caption and shown text.
  using Sink = DialogSink::Sink;
  static void SetSinkForTesting(Sink sink);
};

}  // namespace tav::ui
