// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/FuzzTargets.h"

#include <array>
#include <exception>

#include "core/Error.h"

namespace tav::fuzz {

void Expect(bool condition, std::string_view what) {
  if (!condition) throw PropertyViolation(std::string(what));
}

std::span<const FuzzTarget> FuzzTargets() {
  static constexpr std::array<FuzzTarget, 6> kTargets{{
      {"numbers", FuzzNumbers},
      {"lines", FuzzLines},
      {"import", FuzzImport},
      {"ini", FuzzIni},
      {"project", FuzzProject},
      {"gcode", FuzzGCode},
  }};
  return kTargets;
}

const FuzzTarget* FindFuzzTarget(std::string_view name) {
  for (const FuzzTarget& target : FuzzTargets()) {
    if (target.name == name) return &target;
  }
  return nullptr;
}

std::string RunFuzzTarget(const FuzzTarget& target, std::string_view input) {
  try {
    target.run(input);
    return {};
  } catch (const PropertyViolation& violation) {
    return "property broken: " + std::string(violation.what());
  } catch (const Error& error) {
    return "unexpected tav::Error: " + error.message();
  } catch (const std::exception& exception) {
    return "unexpected exception: " + std::string(exception.what());
  } catch (...) {
    return "unexpected exception of unknown type";
  }
}

}  // namespace tav::fuzz
