// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/MachineSettings.h"

#include <cstddef>

#include "core/TextOperations.h"

namespace tav {

FeederSettings* MachineSettings::Feeder(int number) noexcept {
  return number >= 1 && number <= 4 ? &feeders[static_cast<std::size_t>(number - 1)] : nullptr;
}

const FeederSettings* MachineSettings::Feeder(int number) const noexcept {
  return number >= 1 && number <= 4 ? &feeders[static_cast<std::size_t>(number - 1)] : nullptr;
}

std::optional<FeederDirection> LookupDirection(std::string_view text) {
  static constexpr std::string_view kWords[] = {"Rechts", "Links", "Oben", "Unten"};
  static constexpr FeederDirection kDirections[] = {{'X', '-'}, {'X', '+'}, {'Y', '+'}, {'Y', '-'}};
  const int i = IndexOfExact(text, kWords);
  if (i < 0) return std::nullopt;
  return kDirections[i];
}

}  // namespace tav
