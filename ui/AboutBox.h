#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tav::ui {

// "About": a modal box with the application's title as caption, no icon, the
// button "OK" and one credit line.
class AboutBox final {
 public:
  static void Show(QWidget* parent);

  static QString CreditText();

  // Tests replace the message box: the sink receives caption and text.
  using Sink = std::function<void(const QString& caption, const QString& text)>;
  static void SetSinkForTesting(Sink sink);
};

}  // namespace tav::ui
