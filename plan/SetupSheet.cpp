// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/SetupSheet.h"

#include <string_view>

#include "core/NumberConversion.h"
#include "plan/PassPrograms.h"
#include "settings/BoardPlacement.h"

namespace tav {
namespace {

constexpr std::size_t kLineWidth = 78;
constexpr std::string_view kDesignatorIndent = "            ";  // under the kind, past "Feeder N: "

class SheetWriter final {
 public:
  void Line(std::string_view text = {}) {
    text_.append(text);
    text_.append("\r\n");
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string Counted(int count, std::string_view one, std::string_view many) {
  return IntegerToText(count) + " " + std::string(count == 1 ? one : many);
}

std::string Components(int count) { return Counted(count, "Bauteil", "Bauteile"); }

// Designators separated by ", ", wrapped below the kind's line.
void WriteDesignators(SheetWriter& sheet, const std::vector<std::string>& designators) {
  std::string line(kDesignatorIndent);
  for (std::size_t i = 0; i < designators.size(); ++i) {
    const std::string item = designators[i] + (i + 1 < designators.size() ? "," : "");
    if (line.size() > kDesignatorIndent.size() && line.size() + 1 + item.size() > kLineWidth) {
      sheet.Line(line);
      line = kDesignatorIndent;
    }
    if (line.size() > kDesignatorIndent.size()) line.push_back(' ');
    line.append(item);
  }
  sheet.Line(line);
}

}  // namespace

std::string SetupSheet(const PassPlan& plan, bool namePrograms) {
  SheetWriter sheet;
  sheet.Line("Einrichtung der Feeder");
  sheet.Line("======================");
  sheet.Line();
  if (plan.Empty() && plan.NotFitted().empty()) {
    sheet.Line(
        "Kein Bauteil ist eingeschlossen; es gibt nichts zu best\xFC"
        "cken.");
    return sheet.Take();
  }
  sheet.Line(Components(plan.ComponentCount()) + " in " +
             Counted(plan.KindCount(), "Bauteilart", "Bauteilarten") + ", " +
             Counted(plan.PassCount(), "Durchgang", "Durchg\xE4nge") + ".");
  if (plan.ExcludedCount() > 0)
    sheet.Line("Nicht eingeplant, weil ausgeschlossen: " + Components(plan.ExcludedCount()) + ".");
  if (!plan.NotFitted().empty()) {
    sheet.Line(
        "Nicht eingeplant, weil nicht best\xFC"
        "ckt: " +
        Components(static_cast<int>(plan.NotFitted().size())) + ":");
    WriteDesignators(sheet, plan.NotFitted());
  }
  if (plan.TopSideCount() > 0 && plan.BottomSideCount() > 0) {
    sheet.Line("Achtung: Bauteile auf Ober- und Unterseite (" + IntegerToText(plan.TopSideCount()) +
               " oben, " + IntegerToText(plan.BottomSideCount()) + " unten).");
    sheet.Line(
        "Jede Seite getrennt planen und best\xFC"
        "cken, die andere vorher ausschliessen.");
  }

  for (int pass = 1; pass <= plan.PassCount(); ++pass) {
    sheet.Line();
    std::string title = "Durchgang " + IntegerToText(pass) + " von " +
                        IntegerToText(plan.PassCount()) + ": " +
                        Components(plan.ComponentCountOfPass(pass));
    if (namePrograms) title += ", Programm " + PassProgramFileName(pass);
    sheet.Line(title);
    sheet.Line(std::string(title.size(), '-'));
    const auto kinds = plan.KindsOfPass(pass);
    for (int feeder = 1; feeder <= kFeedersPerPass; ++feeder) {
      const std::string label = "  Feeder " + IntegerToText(feeder) + ": ";
      if (feeder > static_cast<int>(kinds.size())) {
        sheet.Line(label + "frei");
        continue;
      }
      const PartKind& kind = kinds[static_cast<std::size_t>(feeder - 1)];
      const std::string value = kind.value.empty() ? "(ohne Wert)" : kind.value;
      const std::string footprint = kind.footprint.empty() ? "(ohne Footprint)" : kind.footprint;
      sheet.Line(label + value + ", " + footprint + ", " + IntegerToText(kind.Count()) +
                 " St\xFC"
                 "ck");
      if (kind.angle)
        sheet.Line(std::string(kDesignatorIndent) + "Winkel " + DegreesText(*kind.angle) +
                   "\xB0: Band so einlegen, dass die Bauteile um " + DegreesText(*kind.angle) +
                   "\xB0 gedreht liegen");
      WriteDesignators(sheet, kind.designators);
    }
  }
  sheet.Line();
  sheet.Line("Summe: " + Components(plan.ComponentCount()) + " in " +
             Counted(plan.PassCount(), "Durchgang", "Durchg\xE4ngen") + ".");
  return sheet.Take();
}

}  // namespace tav
