// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/ProgramCheck.h"

#include <optional>

#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"

namespace tav {
namespace {

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == text.npos; }

// The first character after leading blanks is a sign.
bool HasSign(std::string_view text) {
  const std::size_t at = text.find_first_not_of(' ');
  return at != text.npos && (text[at] == '+' || text[at] == '-');
}

[[noreturn]] void Refuse(const std::string& label, const std::string& reason) {
  throw Error(label + ": " + reason);
}

}  // namespace

// A field's text as a number; refuses a text that is none.
Number ProgramCheck::NumberOf(std::string_view name, const std::string& field,
                              std::string_view text) const {
  const std::optional<Number> value = TryReadNumber(text);
  if (!value) Refuse(Label(name, field), FormatMessage(msg::kNotAFloat, {text}));
  return *value;
}

// A height or offset the program writes after its own sign.
void ProgramCheck::Unsigned(std::string_view name, const std::string& field,
                            const char* message) const {
  const Number value = NumberOf(name, field, field);
  if (HasSign(field) || !(value >= 0)) Refuse(Label(name, field), FormatMessage(message, {field}));
}

ProgramCheck::ProgramCheck(const MachineSettings& settings, const GCodeOptions& options,
                           FieldNote note)
    : settings_(settings), options_(options), note_(std::move(note)) {}

std::string ProgramCheck::Label(std::string_view name, const std::string& field) const {
  std::string text(name);
  if (note_) text += note_(field);
  return text;
}

void ProgramCheck::General() const {
  const MachineSettings& s = settings_;
  Unsigned("Maximale Bauteilh\xF6he", s.maxPartHeight, msg::kBadHeight);
  const std::pair<const char*, const std::string*> feeds[] = {
      {"Geschwindigkeit fahren", &s.travelFeed},
      {"Geschwindigkeit heben", &s.liftFeed},
      {"Geschwindigkeit setzen", &s.placeFeed}};
  for (const auto& [name, text] : feeds) {
    // LinuxCNC reads parameters and expressions where a number stands; GRBL does not.
    const bool expression = !text->empty() && (text->front() == '#' || text->front() == '[');
    if (expression && options_.controller != Controller::kGrbl) continue;
    if (!(NumberOf(name, *text, *text) > 0))
      Refuse(Label(name, *text), FormatMessage(msg::kBadFeed, {*text}));
  }
}

void ProgramCheck::Travel() const {
  const MachineSettings& s = settings_;
  const std::pair<const char*, const std::string*> limits[] = {
      {"Maschine, Verfahrbereich X von", &s.workXMin},
      {"Maschine, Verfahrbereich X bis", &s.workXMax},
      {"Maschine, Verfahrbereich Y von", &s.workYMin},
      {"Maschine, Verfahrbereich Y bis", &s.workYMax},
      {"Maschine, Tiefste Z", &s.workZMin}};
  for (const auto& [name, text] : limits)
    if (!IsBlank(*text)) NumberOf(name, *text, *text);
}

void ProgramCheck::Settings() const {
  General();
  Travel();
}

void ProgramCheck::Feeder(int number) {
  const FeederSettings* feeder = settings_.Feeder(number);
  if (feeder == nullptr || checkedFeeders_[static_cast<std::size_t>(number - 1)]) return;
  const std::string prefix = "Feeder " + IntegerToText(number) + ", ";
  NumberOf(prefix + "Position X", feeder->x, feeder->x);
  NumberOf(prefix + "Position Y", feeder->y, feeder->y);
  Unsigned(prefix + "H\xF6he Z", feeder->z, msg::kBadHeight);
  Unsigned(prefix + "Versatz", feeder->offset, msg::kBadOffset);
  // An unknown direction would leave the sideways move undefined.
  if (!LookupDirection(feeder->direction))
    throw Error(FormatMessage(msg::kUnknownDirection, {IntegerToText(number), feeder->direction}));
  checkedFeeders_[static_cast<std::size_t>(number - 1)] = true;
}

void ProgramCheck::Coordinates(const ComponentBlock& component) const {
  for (const std::string_view coordinate : {component.x, component.y}) {
    const std::string text = WithoutAnyUnit(coordinate);
    if (!TryReadNumber(text))
      Refuse(std::string(component.designator), FormatMessage(msg::kNotAFloat, {text}));
  }
}

void ProgramCheck::Component(const ComponentBlock& component) {
  if (component.feeder < 1 || component.feeder > 4)
    throw Error(FormatMessage(msg::kUnknownFeeder, {component.designator, component.feederText}));
  Feeder(component.feeder);
  Coordinates(component);
}

void ProgramCheck::Tree(const ComponentTree& tree) {
  General();
  // The feeders in use, found first so their fields come before any component's.
  const int components = tree.TopLevelCount();
  std::array<bool, 4> used{};
  for (int row = 0; row < components; ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != icon::kIncluded) continue;
    const TreeNode* feeder =
        top->ChildCount() > block::kFeederChild ? top->Child(block::kFeederChild) : nullptr;
    const int number = feeder != nullptr ? ParseFeederText(feeder->Text()) : 0;
    if (number > 0) used[static_cast<std::size_t>(number - 1)] = true;
  }
  for (int number = 1; number <= 4; ++number)
    if (used[static_cast<std::size_t>(number - 1)]) Feeder(number);
  Travel();
  for (int row = 0; row < components; ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != icon::kIncluded) continue;
    Component(ReadComponentBlock(tree, tree.IndexOf(top)));
  }
}

WorkArea ReadWorkArea(const MachineSettings& settings) {
  const auto limit = [](const std::string& text) {
    return IsBlank(text) ? std::nullopt : TryReadNumber(text);
  };
  return {limit(settings.workXMin), limit(settings.workXMax), limit(settings.workYMin),
          limit(settings.workYMax), limit(settings.workZMin)};
}

void CheckProgram(const ComponentTree& tree, const MachineSettings& settings, FieldNote note) {
  const GCodeOptions options = ReadGCodeOptions(settings);
  ProgramCheck(settings, options, std::move(note)).Tree(tree);
}

}  // namespace tav
