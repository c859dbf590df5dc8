#include "cli/Arguments.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "cli/UsageError.h"
#include "core/Error.h"

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
      if (!known) throw UsageError(FormatMessage("Unbekannte Option \"%s\"", {name}), command_);
      if (!value) {
        if (i + 1 >= args_.size())
          throw UsageError(FormatMessage("Zur Option %s fehlt der Wert", {name}), command_);
        value = args_[++i];
      }
      Store(out, name, std::move(*value));
    }
    return true;
  }

 private:
  void Store(Arguments& out, const std::string& name, std::string value) {
    if (name == "--decimal-separator") {
      if (!IsUsableSeparator(value))
        throw UsageError(FormatMessage("Das Dezimaltrennzeichen muss ein einzelnes Zeichen sein "
                                       "(keine Ziffer, kein Vorzeichen, kein E), nicht \"%s\"",
                                       {value}),
                         command_);
      SetOnce(out.decimalSeparator, value[0], name);
      return;
    }
    std::optional<std::string>& slot =
        name == "--project" ? out.project : (name == "--pnp" ? out.pnp : out.output);
    SetOnce(slot, std::move(value), name);
  }

  template <typename T>
  void SetOnce(std::optional<T>& slot, T value, const std::string& name) {
    if (slot) throw UsageError(FormatMessage("Option %s ist mehrfach angegeben", {name}), command_);
    slot = std::move(value);
  }

  std::span<const std::string> args_;
  std::string command_;
};

Arguments HelpFor(const std::string& command) {
  Arguments help;
  help.helpTopic = command;
  return help;
}

}  // namespace

Arguments ParseArguments(std::span<const std::string> args) {
  Arguments result;
  if (args.empty()) throw UsageError("Kein Befehl angegeben", "");
  const std::string& command = args[0];
  if (IsHelp(command)) return result;

  std::vector<std::string> positional;
  OptionReader reader(args.subspan(1), command);
  if (command == "gcode") {
    result.command = Command::kGCode;
    if (!reader.Read(result, {"--project", "--pnp", "-o", "--decimal-separator"}, positional)) {
      return HelpFor(command);
    }
    if (!positional.empty())
      throw UsageError(FormatMessage("Unerwartetes Argument \"%s\"", {positional[0]}), command);
  } else if (command == "import") {
    result.command = Command::kImport;
    if (!reader.Read(result, {"--project", "-o", "--decimal-separator"}, positional)) {
      return HelpFor(command);
    }
    if (positional.empty()) throw UsageError("Die Pick-and-Place-Datei fehlt", command);
    if (positional.size() > 1)
      throw UsageError(FormatMessage("Unerwartetes Argument \"%s\"", {positional[1]}), command);
    if (!result.output) throw UsageError("Die Projektdatei fehlt (-o P.tav)", command);
    result.input = positional[0];
  } else if (command == "show") {
    result.command = Command::kShow;
    if (!reader.Read(result, {"--decimal-separator"}, positional)) return HelpFor(command);
    if (positional.empty()) throw UsageError("Die Pick-and-Place-Datei fehlt", command);
    if (positional.size() > 1)
      throw UsageError(FormatMessage("Unerwartetes Argument \"%s\"", {positional[1]}), command);
    result.input = positional[0];
  } else if (command.starts_with("-")) {
    throw UsageError(FormatMessage("Unbekannte Option \"%s\"", {command}), "");
  } else {
    throw UsageError(FormatMessage("Unbekannter Befehl \"%s\"", {command}), "");
  }
  return result;
}

}  // namespace tav::cli
