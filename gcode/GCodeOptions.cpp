// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/GCodeOptions.h"

#include "core/Error.h"
#include "core/Messages.h"
#include "core/TextOperations.h"
#include "gcode/GCodeNumbers.h"

namespace tav {
namespace msg {
inline constexpr const char* kNotAGrblValveCode =
    "Der Ventil-Befehl \"%s\" ist keiner, den GRBL 1.1 ausf\xFChrt (erlaubt: M3, M4, M5, M7, "
    "M8, M9; M7 nur, wo GRBL mit ihm gebaut wurde).";
}  // namespace msg
namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

bool ReadSwitch(const std::string& text, std::string_view key) {
  if (text == "1") return true;
  if (text == "0") return false;
  throw Error(FormatMessage(msg::kBadSwitch, {text, key}));
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == text.npos; }

void CheckValveCode(const std::string& code, const char* missing) {
  if (IsBlank(code)) throw Error(missing);
  const std::string stop = ProgramStopIn(code);
  if (!stop.empty()) throw Error(FormatMessage(msg::kValveCodeStops, {code, stop}));
}

}  // namespace

bool IsGrblValveCode(std::string_view code) {
  std::size_t i = 0;
  const auto blanks = [&] {
    while (i < code.size() && code[i] == ' ') ++i;
  };
  blanks();
  if (i == code.size() || (code[i] != 'M' && code[i] != 'm')) return false;
  ++i;
  while (i < code.size() && code[i] == '0') ++i;
  if (i == code.size()) return false;
  const char number = code[i++];
  if (std::string_view("345789").find(number) == std::string_view::npos) return false;
  if (i < code.size() && IsDigit(code[i])) return false;
  blanks();
  if (i < code.size() && (code[i] == 'S' || code[i] == 's') && (number == '3' || number == '4')) {
    ++i;
    const std::size_t digits = i;
    while (i < code.size() && (IsDigit(code[i]) || code[i] == '.')) ++i;
    if (i == digits) return false;
    blanks();
  }
  return i == code.size();
}

std::string ProgramStopIn(std::string_view code) {
  std::size_t i = 0;
  while (i < code.size()) {
    const char c = code[i];
    if (c == ';') break;
    if (c == '(' || c == '<') {  // a comment, or the name of a parameter
      const std::size_t close = code.find(c == '(' ? ')' : '>', i);
      if (close == code.npos) break;
      i = close + 1;
      continue;
    }
    if (c != 'M' && c != 'm') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < code.size() && code[j] == ' ') ++j;
    long value = 0;
    const std::size_t digits = j;
    while (j < code.size() && IsDigit(code[j]) && value < 1000)
      value = value * 10 + (code[j++] - '0');
    // "M1.5" and the like are no stop codes; "M1." and "M1.0" are M1.
    bool whole = true;
    if (j < code.size() && code[j] == '.') {
      ++j;
      for (; j < code.size() && IsDigit(code[j]); ++j) {
        if (code[j] != '0') whole = false;
      }
    }
    if (j > digits && whole &&
        (value == 0 || value == 1 || value == 2 || value == 30 || value == 60))
      return std::string(code.substr(i, j - i));
    i = j;
  }
  return {};
}

GCodeOptions ReadGCodeOptions(const MachineSettings& settings) {
  GCodeOptions options;
  const int controller = IndexOfExact(settings.controller, kControllerItems);
  if (controller < 0) throw Error(FormatMessage(msg::kUnknownController, {settings.controller}));
  options.controller = static_cast<Controller>(controller);
  options.comments = ReadSwitch(settings.comments, "Kommentare");
  options.switchValve = ReadSwitch(settings.switchValve, "Ventil schalten");
  options.dryRun = ReadSwitch(settings.dryRun, "Trockenlauf");
  if (!options.switchValve) return options;

  CheckValveCode(settings.valveOnCode, msg::kValveOnMissing);
  CheckValveCode(settings.valveOffCode, msg::kValveOffMissing);
  if (options.controller == Controller::kGrbl) {
    for (const std::string* code : {&settings.valveOnCode, &settings.valveOffCode})
      if (!IsGrblValveCode(*code)) throw Error(FormatMessage(msg::kNotAGrblValveCode, {*code}));
  }
  options.valveOn = settings.valveOnCode;
  options.valveOff = settings.valveOffCode;
  const std::optional<Number> delay = TryReadSettingNumber(settings.valveDelay);
  // The negated test also refuses a NaN.
  if (!delay || !(*delay >= 0)) throw Error(FormatMessage(msg::kBadDelay, {settings.valveDelay}));
  options.dwellSeconds = *delay;
  options.dwell = "G04 P" + GCodeNumber(*delay);
  // A dry run keeps the valve shut.
  if (options.dryRun) options.switchValve = false;
  return options;
}

}  // namespace tav
