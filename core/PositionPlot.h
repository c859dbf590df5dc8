// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/ComponentTree.h"
#include "core/NumberConversion.h"

namespace tav {

// Arithmetic of the position display, free of any toolkit so it can be tested
// on its own. The display draws on a surface of `width` × `height` pixels whose
// pixel (0, 0) is the top-left corner; a larger Y lies further down.

// Margin added to the board extent, in millimetres.
inline constexpr long double kPlotMarginMm = 20.0L;
// Offset of every plotted pixel from the surface's top-left corner, in pixels.
inline constexpr std::int32_t kPlotOffsetPx = 10;

// Pixels per millimetre: pixels / (largest + 20), in extended precision.
// `pixels` may be 0 (a surface without area gives 0); `largest` is never below 0.
Number ScaleQuotient(int pixels, double largest);

// Text of Label_Ver_X / Label_Ver_Y: the quotient with 3 significant digits and
// at least one exponent digit, then " P/mm".
std::string ScaleLabel(Number quotient);

// Column (or row) of a coordinate: the integer nearest to value × factor, ties
// to even, plus 10. The product is formed in extended precision. Returns
// nothing when the result does not fit a 32-bit signed integer; such a pixel
// lies outside every surface.
std::optional<std::int32_t> PlotCoordinate(Number value, double factor);

// Reads a coordinate text as the display does: every "mm" in any letter case
// is removed, the rest is converted with ReadNumber ("." or ","; its error
// names the text after the removal).
Number PlotCoordinateValue(std::string_view text);

// Plots every included component of `tree` (a top-level node with ImageIndex 0)
// in absolute-index order: reads its Y text, then its X text, and calls
// `setPixel(column, row)` for each pixel inside the surface. Pixels outside are
// skipped without a message. Returns the number of included components,
// whether drawn or not.
//
// Each component's block is checked with CheckComponentBlock before its
// coordinates are read, so a tree that does not follow the 13-node layout stops
// with an Error instead of plotting another component's nodes. Any Error ends
// the walk; pixels passed to `setPixel` before it stay set.
int PlotComponents(const ComponentTree& tree, double verX, double verY, int width, int height,
                   const std::function<void(int column, int row)>& setPixel);

}  // namespace tav
