// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SendCommand.h"

#include <csignal>
#include <cstdio>
#include <string>

#include "cli/TerminalText.h"
#include "core/Error.h"
#include "core/FileAccess.h"
#include "machine/GrblLink.h"
#include "machine/GrblProgram.h"
#include "machine/MachineMessages.h"
#include "machine/SerialPort.h"

namespace tav::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

// Ctrl-C only sets a flag while the program runs: the machine must be
// stopped before the tool exits.
class InterruptGuard {
 public:
  InterruptGuard() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
  }
  ~InterruptGuard() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
  }

 private:
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

class SendListener : public machine::GrblLinkListener {
 public:
  explicit SendListener(std::FILE* err) : err_(err) {}

  void OnConnected(const std::string& banner) override {
    connected = true;
    Print("Verbunden: " + banner + "\n");
  }
  void OnConnectFailed(const std::string& message) override { connectFailure = message; }
  void OnProgress(std::size_t acknowledged, std::size_t total) override {
    // One line per tenth, and the last.
    const std::size_t tenth = acknowledged * 10 / total;
    if (tenth == shownTenth_ && acknowledged != total) return;
    shownTenth_ = tenth;
    Print("Zeile " + std::to_string(acknowledged) + " von " + std::to_string(total) + " (" +
          std::to_string(acknowledged * 100 / total) + " %)\n");
  }
  void OnStreamFinished() override { finished = true; }
  void OnStreamFailed(const std::string& message) override {
    if (failure.empty()) failure = message;
  }
  void OnStopped() override { stopped = true; }
  void OnMessage(const std::string& text) override { Print("Steuerung: " + text + "\n"); }

  void Print(const std::string& cp1252) {
    const std::string text = ToTerminal(cp1252);
    std::fwrite(text.data(), 1, text.size(), err_);
    std::fflush(err_);
  }

  bool connected = false;
  bool finished = false;
  bool stopped = false;
  std::string connectFailure;
  std::string failure;

 private:
  std::FILE* err_;
  std::size_t shownTenth_ = 0;
};

std::string Fixed(double value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", digits, value);
  return text;
}

std::string FiguresText(const machine::StreamStats& stats, std::size_t bufferSize, double seconds) {
  return "Gesendet: " + std::to_string(stats.linesSent) + " Zeilen, " +
         std::to_string(stats.bytesSent) + " Bytes in " + Fixed(seconds, 1) +
         " s; im Puffer der Steuerung im Mittel " + Fixed(stats.averageLines(), 1) + " Zeilen / " +
         Fixed(stats.averageBytes(), 0) +
         " Bytes, h\xF6"
         "chstens " +
         std::to_string(stats.maxLinesInFlight) + " Zeilen / " +
         std::to_string(stats.maxBytesInFlight) + " von " + std::to_string(bufferSize) + " Bytes\n";
}

}  // namespace

int RunSend(const Arguments& args, std::FILE* standardError) {
  constexpr int kFailed = 1;
  constexpr int kInterrupted = 130;
  machine::GrblProgram program = machine::GrblProgram::Prepare(ReadFileBytes(args.input));
  const std::size_t total = program.lines().size();
  if (total == 0) throw Error(machine::msg::kEmptyProgram);

  InterruptGuard guard;
  machine::SerialPort port(*args.port, args.baud);
  SendListener listener(standardError);
  machine::GrblLink link(listener);
  auto start = machine::Clock::now();
  link.Open(start);
  bool started = false;
  bool stopRequested = false;
  while (true) {
    const std::string received = port.Read(std::chrono::milliseconds(10));
    const auto now = machine::Clock::now();
    if (!received.empty()) link.Receive(received, now);
    if (interrupted && !stopRequested) {
      stopRequested = true;
      if (!started) return kInterrupted;
      listener.Print("Abbruch: die Maschine wird angehalten\n");
      link.Stop(now);
    }
    if (listener.connected && !started && !stopRequested) {
      started = true;
      start = now;
      listener.Print("Sende " + std::to_string(total) + " Zeilen\n");
      link.Start(std::move(program), now);
    }
    link.Tick(now);
    port.Write(link.TakeOutput());
    if (!listener.connectFailure.empty()) throw Error(listener.connectFailure);
    if (listener.finished) {
      const double seconds = std::chrono::duration<double>(now - start).count();
      listener.Print(FiguresText(link.stats(), link.bufferSize(), seconds));
      return 0;
    }
    if (listener.stopped) {
      if (!listener.failure.empty()) listener.Print(WithFinalFullStop(listener.failure) + "\n");
      listener.Print("Die Maschine wurde angehalten.\n");
      return stopRequested && listener.failure.empty() ? kInterrupted : kFailed;
    }
  }
}

}  // namespace tav::cli
