// Placeholder until the real implementation lands.
#include "ui/ErrorDisplay.h"

#include "core/Error.h"

namespace tav::ui {
namespace {
ErrorDisplay::Sink& TestSink() {
  static ErrorDisplay::Sink sink;
  return sink;
}
}  // namespace

void ErrorDisplay::Show(const std::string& message) {
  if (TestSink()) TestSink()(QString(), QString::fromLatin1(message.c_str()));
}

void ErrorDisplay::Run(const std::function<void()>& command) {
  try {
    command();
  } catch (const tav::Error& e) {
    Show(e.message());
  }
}

void ErrorDisplay::SetSinkForTesting(Sink sink) { TestSink() = std::move(sink); }

}  // namespace tav::ui
