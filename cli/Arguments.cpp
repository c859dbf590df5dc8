// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Arguments.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "cli/UsageError.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "project/SettingKeys.h"

namespace tav::cli {
namespace {

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

// A separator must leave numbers readable: one printable character that is
// not a digit, a sign, an exponent letter or a blank.
bool IsUsableSeparator(std::string_view value) {
  if (value.size() != 1) return false;
  const unsigned char c = static_cast<unsigned char>(value[0]);
  if (c <= ' ' || c >= 0x7F) return false;
  if (std::isdigit(c) != 0) return false;
  return value != "+" && value != "-" && value != "e" && value != "E";
}

// Reads the options of one command from `args`; `allowed` lists the options
// that command takes.
class OptionReader {
 public:
  OptionReader(std::span<const std::string> args, std::string command)
      : args_(args), command_(std::move(command)) {}

  // Returns false when the command's help was asked for.
  bool Read(Arguments& out, std::initializer_list<std::string_view> allowed,
            std::vector<std::string>& positional) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args_.size(); ++i) {
      const std::string& arg = args_[i];
      if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
        positional.push_back(arg);
        continue;
      }
      if (arg == "--") {
        optionsEnded = true;
        continue;
      }
      if (IsHelp(arg)) return false;

      std::string name = arg;
      std::optional<std::string> value;
      if (const auto equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
        name = arg.substr(0, equals);
        value = arg.substr(equals + 1);
      }
      bool known = false;
      for (const std::string_view option : allowed) known = known || option == name;
      if (!known) throw UsageError(FormatMessage(msg::kUnknownOption, {name}), command_);
      if (IsFlag(name)) {
        SetFlag(out, name, value.has_value());
        continue;
      }
      if (!value) {
        if (i + 1 >= args_.size())
          throw UsageError(FormatMessage(msg::kMissingOptionValue, {name}), command_);
        value = args_[++i];
      }
      Store(out, name, std::move(*value));
    }
    return true;
  }

 private:
  static bool IsFlag(std::string_view name) { return name == "--summary"; }

  void SetFlag(Arguments& out, const std::string& name, bool hasValue) {
    if (hasValue)
      throw UsageError(FormatMessage("Die Option %s nimmt keinen Wert", {name}), command_);
    if (out.summary)
      throw UsageError(FormatMessage("Option %s ist mehrfach angegeben", {name}), command_);
    out.summary = true;
  }

  void Store(Arguments& out, const std::string& name, std::string value) {
    if (name == "--decimal-separator") {
      if (!IsUsableSeparator(value))
        throw UsageError(FormatMessage(msg::kBadDecimalSeparator, {value}), command_);
      SetOnce(out.decimalSeparator, value[0], name);
      return;
    }
    if (name == "--set") {
      StoreSetting(out, value);
      return;
    }
    if (name == "--align") {
      StoreMeasuredPart(out, value);
      return;
    }
    if (name == "--baud") {
      StoreBaud(out, value);
      return;
    }
    std::optional<std::string>& slot = name == "--project"   ? out.project
                                       : name == "--pnp"     ? out.pnp
                                       : name == "--machine" ? out.machine
                                       : name == "--port"    ? out.port
                                                             : out.output;
    SetOnce(slot, std::move(value), name);
  }

  // "KEY=VALUE": the value is the rest after the first "=" and may be empty.
  void StoreSetting(Arguments& out, const std::string& assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
      throw UsageError(
          FormatMessage("--set erwartet SCHL\xDCSSEL=WERT, nicht \"%s\"", {assignment}), command_);
    const std::string key = assignment.substr(0, equals);
    const StoredSetting* setting = FindStoredSetting(key);
    if (setting == nullptr)
      throw UsageError(FormatMessage("Unbekannte Einstellung \"%s\"", {key}), command_);
    out.settings.emplace_back(std::string(setting->key), assignment.substr(equals + 1));
  }

  // "REF=X,Y" with numbers written with ".".
  void StoreMeasuredPart(Arguments& out, const std::string& text) {
    const auto equals = text.rfind('=');
    const auto comma = text.rfind(',');
    std::optional<Number> x, y;
    if (equals != std::string::npos && equals > 0 && comma != std::string::npos && comma > equals) {
      x = TryTextToNumber(std::string_view(text).substr(equals + 1, comma - equals - 1), '.');
      y = TryTextToNumber(std::string_view(text).substr(comma + 1), '.');
    }
    if (!x || !y || out.align.size() >= 2)
      throw UsageError(FormatMessage("--align erwartet zweimal BAUTEIL=X,Y, nicht \"%s\"", {text}),
                       command_);
    out.align.push_back({text.substr(0, equals), static_cast<double>(*x), static_cast<double>(*y)});
  }

  void StoreBaud(Arguments& out, const std::string& value) {
    if (baudGiven_) throw UsageError(FormatMessage(msg::kOptionTwice, {"--baud"}), command_);
    baudGiven_ = true;
    int baud = 0;
    bool digits = !value.empty() && value.size() <= 7;
    for (const char c : value) {
      digits = digits && std::isdigit(static_cast<unsigned char>(c)) != 0;
      if (digits) baud = baud * 10 + (c - '0');
    }
    if (!digits || baud == 0)
      throw UsageError(FormatMessage("Ung\xFCltige Baudrate \"%s\"", {value}), command_);
    out.baud = baud;
  }

  template <typename T>
  void SetOnce(std::optional<T>& slot, T value, const std::string& name) {
    if (slot) throw UsageError(FormatMessage(msg::kOptionTwice, {name}), command_);
    slot = std::move(value);
  }

  std::span<const std::string> args_;
  std::string command_;
  bool baudGiven_ = false;
};

Arguments HelpFor(const std::string& command) {
  Arguments help;
  help.helpTopic = command;
  return help;
}

}  // namespace

Arguments ParseArguments(std::span<const std::string> args) {
  Arguments result;
  if (args.empty()) throw UsageError(msg::kNoCommand, "");
  const std::string& command = args[0];
  if (IsHelp(command)) return result;
  if (command == "--version") {
    if (args.size() > 1) throw UsageError(FormatMessage(msg::kUnexpectedArgument, {args[1]}), "");
    result.command = Command::kVersion;
    return result;
  }

  std::vector<std::string> positional;
  OptionReader reader(args.subspan(1), command);
  if (command == "gcode") {
    result.command = Command::kGCode;
    if (!reader.Read(result,
                     {"--project", "--pnp", "-o", "--decimal-separator", "--summary", "--machine",
                      "--set", "--align"},
                     positional)) {
      return HelpFor(command);
    }
    if (!positional.empty())
      throw UsageError(FormatMessage(msg::kUnexpectedArgument, {positional[0]}), command);
  } else if (command == "import") {
    result.command = Command::kImport;
    if (!reader.Read(result,
                     {"--project", "-o", "--decimal-separator", "--machine", "--set", "--align"},
                     positional)) {
      return HelpFor(command);
    }
    if (positional.empty()) throw UsageError(msg::kMissingPickPlaceFile, command);
    if (positional.size() > 1)
      throw UsageError(FormatMessage(msg::kUnexpectedArgument, {positional[1]}), command);
    if (!result.output) throw UsageError(msg::kMissingProjectFile, command);
    result.input = positional[0];
  } else if (command == "plan") {
    result.command = Command::kPlan;
    if (!reader.Read(
            result,
            {"--project", "--pnp", "-o", "--decimal-separator", "--machine", "--set", "--align"},
            positional)) {
      return HelpFor(command);
    }
    if (!positional.empty())
      throw UsageError(FormatMessage(msg::kUnexpectedArgument, {positional[0]}), command);
    if (!result.pnp && !result.project)
      throw UsageError("Die Bauteile fehlen (--pnp F.csv oder --project P.tav)", command);
    if (!result.output) throw UsageError("Der Zielordner fehlt (-o ORDNER)", command);
  } else if (command == "show") {
    result.command = Command::kShow;
    if (!reader.Read(result, {"--decimal-separator", "--project"}, positional))
      return HelpFor(command);
    if (result.project) {
      if (!positional.empty())
        throw UsageError(FormatMessage(msg::kUnexpectedArgument, {positional[0]}), command);
      return result;
    }
    if (positional.empty()) throw UsageError(msg::kMissingPickPlaceFile, command);
    if (positional.size() > 1)
      throw UsageError(FormatMessage(msg::kUnexpectedArgument, {positional[1]}), command);
    result.input = positional[0];
  } else if (command == "send") {
    result.command = Command::kSend;
    if (!reader.Read(result, {"--port", "--baud"}, positional)) return HelpFor(command);
    if (positional.empty()) throw UsageError("Das Programm fehlt (PROGRAMM.nc)", command);
    if (positional.size() > 1)
      throw UsageError(FormatMessage(msg::kUnexpectedArgument, {positional[1]}), command);
    if (!result.port) throw UsageError("Der Anschluss fehlt (--port GER\xC4T)", command);
    result.input = positional[0];
  } else if (command.starts_with("-")) {
    throw UsageError(FormatMessage(msg::kUnknownOption, {command}), "");
  } else {
    throw UsageError(FormatMessage(msg::kUnknownCommand, {command}), "");
  }
  if (result.align.size() == 1)
    throw UsageError("--align ist zweimal anzugeben, je Messpunkt einmal", command);
  return result;
}

}  // namespace tav::cli
