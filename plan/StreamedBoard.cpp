// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/StreamedBoard.h"

#include <array>
#include <exception>
#include <string_view>

#include "boards/BoardFile.h"

namespace tav {

ComponentBlock BlockOfBoardComponent(const BoardComponent& component, int feeder) {
  static constexpr std::array<std::string_view, 4> kFeederTexts{"Feeder: 1", "Feeder: 2",
                                                                "Feeder: 3", "Feeder: 4"};
  ComponentBlock block;
  block.designator = component.designator;
  block.feederText = kFeederTexts.at(static_cast<std::size_t>(feeder - 1));
  block.feeder = feeder;
  block.x = component.x;
  block.y = component.y;
  block.value = component.value;
  block.footprint = component.footprint;
  block.side = component.side;
  block.rotation = component.rotation;
  block.included = true;
  return block;
}

ComponentSource StreamedBoard::Components(FeederChoice choose) {
  return [this, choose = std::move(choose)](const ComponentVisitor& visit) {
    std::exception_ptr failed;
    read_ = true;
    ReadBoardFile(path_, [&](BoardComponent& component) {
      if (failed) return;
      try {
        const int feeder = choose ? choose(component) : 1;
        if (feeder != 0) visit(BlockOfBoardComponent(component, feeder));
      } catch (...) {
        failed = std::current_exception();
      }
    });
    if (failed) std::rethrow_exception(failed);
  };
}

void StreamedBoard::Check() const {
  ReadBoardFile(path_, [](BoardComponent&) {});
}

}  // namespace tav
