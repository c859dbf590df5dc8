// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "core/NumberConversion.h"

namespace tav {

// One component as a board file gives it, ready for the component tree. Texts
// are Windows-1252; `x` and `y` are the node texts of the coordinates in mm
// (a value in mm as written, a converted one as "<number>mm"), `xMm` and `yMm`
// their values.
struct BoardComponent {
  std::string designator;
  std::string value;
  std::string footprint;
  std::string side;
  std::string rotation;
  std::string x;
  std::string y;
  Number xMm = 0;
  Number yMm = 0;
};

// Receives the components of a board file one by one, in file order; it may
// take the texts out of the component.
using ComponentSink = std::function<void(BoardComponent& component)>;

}  // namespace tav
