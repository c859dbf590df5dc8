// Placeholder until the real implementation lands.
#include "core/TextOperations.h"

#include "core/Error.h"

namespace tav {

std::vector<std::string> SplitFields(std::string_view, char) {
  throw Error("SplitFields: not implemented");
}
std::string ReplaceText(std::string_view, std::string_view, std::string_view, bool, bool) {
  throw Error("ReplaceText: not implemented");
}
int IndexOfExact(std::string_view, std::span<const std::string_view>) {
  throw Error("IndexOfExact: not implemented");
}

}  // namespace tav
