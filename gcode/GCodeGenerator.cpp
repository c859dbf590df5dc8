// Placeholder until the real implementation lands.
#include "gcode/GCodeGenerator.h"

#include "core/Error.h"

namespace tav {

void GCodeGenerator::Generate(const ComponentTree&, const MachineSettings&, std::string&) {
  throw Error("not implemented");
}
std::string GCodeGenerator::Generate(const ComponentTree&, const MachineSettings&) {
  throw Error("not implemented");
}
void ExportGCode(std::string_view, const std::string&) { throw Error("not implemented"); }

}  // namespace tav
