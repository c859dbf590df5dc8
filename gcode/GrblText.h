// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav {

// GRBL 1.1 picks its real-time commands out of the byte stream wherever they
// stand, comments included: "!" holds the feed, "~" resumes, "?" reports,
// control characters such as 0x18 reset, and bytes from 0x80 up change
// overrides or switch the spindle and coolant outputs. Comment text for GRBL
// therefore carries none of them; each is replaced:
//   "!" -> ".", "~" -> "-", "?" -> "_", a control character -> " ",
//   en and em dash (0x96, 0x97) -> "-", no-break space (0xA0) -> " ",
//   ä ö ü Ä Ö Ü ß -> ae oe ue Ae Oe Ue ss, µ -> u, ° -> "Grad", ± -> "+-",
//   every other byte from 0x80 up -> "_".
// Every other byte is kept.
void AppendGrblSafeText(std::string& out, std::string_view text);

// Whether `byte` is one GRBL 1.1 may take as a real-time command.
bool IsGrblRealtimeByte(unsigned char byte) noexcept;

}  // namespace tav
