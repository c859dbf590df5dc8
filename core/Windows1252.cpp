// Placeholder until the real implementation lands.
#include "core/Windows1252.h"

#include "core/Error.h"

namespace tav {

char32_t Cp1252ToCodePoint(unsigned char byte) noexcept { return byte; }
int CodePointToCp1252(char32_t c) noexcept { return c < 256 ? static_cast<int>(c) : -1; }
std::string Cp1252ToUtf8(std::string_view) { throw Error("not implemented"); }

}  // namespace tav
