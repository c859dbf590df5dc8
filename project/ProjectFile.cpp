// Placeholder until the real implementation lands.
#include "project/ProjectFile.h"

#include "core/Error.h"

namespace tav {

void save_project(const std::string&, const ComponentTree&, const MachineSettings&) {
  throw Error("not implemented");
}
void load_project(const std::string&, ComponentTree&, MachineSettings&) {
  throw Error("not implemented");
}

}  // namespace tav
