// Placeholder until the real implementation lands.
#include "core/PickPlaceImport.h"

#include "core/Error.h"

namespace tav {

ImportSummary PickPlaceImport(const std::string&, ComponentTree&) {
  throw Error("not implemented");
}
std::string DimensionLabel(double) { throw Error("not implemented"); }

}  // namespace tav
