// Placeholder until the real implementation lands.
#include "core/LineList.h"

#include "core/Error.h"

namespace tav {

LineList SplitLines(std::string_view) { throw Error("not implemented"); }
std::string JoinLines(const LineList&) { throw Error("not implemented"); }
LineList LoadLines(const std::string&) { throw Error("not implemented"); }
void SaveText(std::string_view, const std::string&) { throw Error("not implemented"); }

}  // namespace tav
