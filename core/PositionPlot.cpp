// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PositionPlot.h"

#include <cmath>
#include <limits>

#include "core/ComponentBlock.h"

namespace tav {

Number ScaleQuotient(int pixels, double largest) {
  return static_cast<Number>(pixels) / (static_cast<Number>(largest) + kPlotMarginMm);
}

std::string ScaleLabel(Number quotient) { return NumberToText(quotient, 3, 1) + " P/mm"; }

std::optional<std::int32_t> PlotCoordinate(Number value, double factor) {
  const Number product = value * static_cast<Number>(factor);
  // nearbyintl rounds in the current mode, which the program never changes from
  // round-to-nearest-even; unlike llroundl it sends 2.5 to 2.
  const Number nearest = std::nearbyintl(product);
  constexpr Number kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr Number kHighest = std::numeric_limits<std::int32_t>::max() - kPlotOffsetPx;
  // The negated test also rejects a NaN product.
  if (!(nearest >= kLowest && nearest <= kHighest)) return std::nullopt;
  return static_cast<std::int32_t>(nearest) + kPlotOffsetPx;
}

Number PlotCoordinateValue(std::string_view text) { return ReadNumber(WithoutAnyUnit(text)); }

int PlotComponents(const ComponentTree& tree, double verX, double verY, int width, int height,
                   const std::function<void(int column, int row)>& setPixel) {
  const int count = tree.Count();
  int plotted = 0;
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    if (node->Level() != 0 || node->ImageIndex() != icon::kIncluded) continue;
    const ComponentBlock component = ReadComponentBlock(tree, i);
    // Y before X, so a component with two bad coordinates is reported by its Y text.
    const Number y = PlotCoordinateValue(component.y);
    const Number x = PlotCoordinateValue(component.x);
    const std::optional<std::int32_t> column = PlotCoordinate(x, verX);
    const std::optional<std::int32_t> row = PlotCoordinate(y, verY);
    if (column && row && *column >= 0 && *column < width && *row >= 0 && *row < height) {
      setPixel(*column, *row);
    }
    ++plotted;
  }
  return plotted;
}

}  // namespace tav
