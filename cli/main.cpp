// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tool `tav`: batch conversion of pick-and-place files to
// G-code, to projects and to passes (tav plan), and streaming a program to a
// GRBL controller (tav send). Exit status 0 on success, 1 when a command
// fails, 2 when the command line itself is wrong, 130 when tav send was
// interrupted.
#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/PlanCommand.h"
#include "cli/SendCommand.h"
#include "cli/TerminalText.h"
#include "cli/Usage.h"
#include "cli/UsageError.h"
#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/FileSizeLimit.h"
#include "core/UserMessage.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

void Print(std::FILE* stream, const std::string& cp1252Text) {
  const std::string text = tav::cli::ToTerminal(cp1252Text);
  std::fwrite(text.data(), 1, text.size(), stream);
}

// Reports a failed command the way the desktop program's error box does.
int Fail(const std::string& message) {
  Print(stderr, tav::WithFinalFullStop(message) + "\n");
  return kFailure;
}

// Numbers in input files are read with the user's separator unless the
// command line names one.
void ChooseDecimalSeparator(const tav::cli::Arguments& args) {
  if (args.decimalSeparator) {
    tav::SetDecimalSeparator(*args.decimalSeparator);
    return;
  }
  std::setlocale(LC_ALL, "");
  tav::SetDecimalSeparator(tav::DecimalSeparatorFromCLocale());
  // Nothing else may depend on the user's locale.
  std::setlocale(LC_ALL, "C");
}

}  // namespace

int main(int argc, char** argv) {
  tav::TreatFileSizeLimitAsWriteError();
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  try {
    const tav::cli::Arguments parsed = tav::cli::ParseArguments(args);
    switch (parsed.command) {
      case tav::cli::Command::kHelp:
        Print(stdout, tav::cli::HelpText(parsed.helpTopic));
        return std::fflush(stdout) == 0 ? 0 : kFailure;
      case tav::cli::Command::kVersion:
        Print(stdout, "tav " TAV_VERSION "\n");
        return std::fflush(stdout) == 0 ? 0 : kFailure;
      case tav::cli::Command::kGCode:
        ChooseDecimalSeparator(parsed);
        tav::cli::RunGCode(parsed, stdout);
        return 0;
      case tav::cli::Command::kImport:
        ChooseDecimalSeparator(parsed);
        tav::cli::RunImport(parsed);
        return 0;
      case tav::cli::Command::kPlan:
        ChooseDecimalSeparator(parsed);
        tav::cli::RunPlan(parsed);
        return 0;
      case tav::cli::Command::kSend:
        return tav::cli::RunSend(parsed, stderr);
      case tav::cli::Command::kShow:
        ChooseDecimalSeparator(parsed);
        tav::cli::RunShow(parsed, stdout, stderr);
        return 0;
    }
  } catch (const tav::cli::UsageError& e) {
    Print(stderr, tav::WithFinalFullStop(e.message()) + "\n" + tav::cli::UsageHint(e.command()));
    return kUsage;
  } catch (...) {
    return Fail(tav::UserMessageOf(std::current_exception()));
  }
  return kFailure;
}
