// Placeholder until the real implementation lands.
#include "core/NumberConversion.h"

#include "core/Error.h"

namespace tav {

Number TextToNumber(std::string_view) { throw Error("not implemented"); }
Number TextToNumber(std::string_view, char) { throw Error("not implemented"); }
std::string NumberToText(Number, int, int) { throw Error("not implemented"); }
std::string NumberToText(Number, int, int, char) { throw Error("not implemented"); }
std::int32_t TextToInteger(std::string_view) { throw Error("not implemented"); }
std::string IntegerToText(std::int64_t) { throw Error("not implemented"); }

}  // namespace tav
