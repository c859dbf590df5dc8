// Placeholder until the real implementation lands.
#include "core/FileAccess.h"

#include "core/Error.h"

namespace tav {

std::string ReadFileBytes(const std::string&) { throw Error("not implemented"); }
void WriteFileAtomically(const std::string&, std::string_view) { throw Error("not implemented"); }

}  // namespace tav
