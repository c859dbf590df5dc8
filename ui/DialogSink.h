// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <utility>

namespace tav::ui {

// What a test puts in place of a modal window: a function receiving the
// caption and text the window would show, which then stays closed.
class DialogSink final {
 public:
  using Sink = std::function<void(const QString& caption, const QString& text)>;

  void Set(Sink sink) { sink_ = std::move(sink); }

  // Hands caption and text to the test's function when one is set; true then.
  bool Take(const QString& caption, const QString& text) const {
    if (!sink_) return false;
    sink_(caption, text);
    return true;
  }

 private:
  Sink sink_;
};

}  // namespace tav::ui
