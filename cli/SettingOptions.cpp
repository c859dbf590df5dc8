#include "cli/SettingOptions.h"

#include "cli/TerminalText.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "project/MachineProfile.h"
#include "project/SettingKeys.h"
#include "settings/BoardAlignment.h"

namespace tav::cli {

void ApplySettingOptions(const Arguments& args, MachineSettings& settings) {
  MachineSettings changed = settings;
  if (args.machine) LoadMachineProfile(*args.machine, changed);
  // The parser has checked every key against the settings table.
  for (const auto& [key, value] : args.settings) FindStoredSetting(key)->Of(changed) = value;
  settings = std::move(changed);
}

void ApplyAlignmentOptions(const Arguments& args, const ComponentTree& tree,
                           MachineSettings& settings, std::FILE* standardError) {
  if (args.align.size() != 2) return;
  const Arguments::MeasuredPart& a = args.align[0];
  const Arguments::MeasuredPart& b = args.align[1];
  const BoardPlacement placement(settings);
  const BoardAlignment alignment =
      AlignBoard(DesignPositionOf(tree, a.designator), DesignPositionOf(tree, b.designator),
                 {a.x, a.y}, {b.x, b.y}, placement.Side());
  ApplyAlignment(alignment, settings);
  const std::string text = ToTerminal(AlignmentText(alignment) + "\n");
  if (std::fwrite(text.data(), 1, text.size(), standardError) != text.size())
    throw Error(FormatMessage(msg::kCannotWrite, {"die Standardfehlerausgabe"}));
}

}  // namespace tav::cli
