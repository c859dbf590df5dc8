// Placeholder until the real implementation lands.
#include "core/ComponentBlock.h"

#include "core/Error.h"

namespace tav {

void CheckComponentBlock(const ComponentTree&, int) { throw Error("not implemented"); }

}  // namespace tav
