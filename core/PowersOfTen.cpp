// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PowersOfTen.h"

#include <cmath>
#include <limits>

namespace tav {

// Each factor is the extended value nearest to the exact power of ten (ties to
// an even significand), written as its 64-bit significand times a power of two.
// They were computed exactly with integer arithmetic (Python):
//
//   def nearest(n):  # n = 10**k, gives (significand, binary exponent)
//       b = n.bit_length()
//       if b <= 64: return n << (64 - b), b - 64
//       s = b - 64; m = n >> s; rest = n - (m << s); half = 1 << (s - 1)
//       if rest > half or (rest == half and m & 1): m += 1
//       if m == 1 << 64: m >>= 1; s += 1
//       return m, s
//
// Multiplying at run time would accumulate rounding errors and miss the
// nearest values above 1E27.

const std::array<Number, 32> kPowersOfTen = {
    0x8000000000000000p-63L,  // 1E0
    0xA000000000000000p-60L,  // 1E1
    0xC800000000000000p-57L,  // 1E2
    0xFA00000000000000p-54L,  // 1E3
    0x9C40000000000000p-50L,  // 1E4
    0xC350000000000000p-47L,  // 1E5
    0xF424000000000000p-44L,  // 1E6
    0x9896800000000000p-40L,  // 1E7
    0xBEBC200000000000p-37L,  // 1E8
    0xEE6B280000000000p-34L,  // 1E9
    0x9502F90000000000p-30L,  // 1E10
    0xBA43B74000000000p-27L,  // 1E11
    0xE8D4A51000000000p-24L,  // 1E12
    0x9184E72A00000000p-20L,  // 1E13
    0xB5E620F480000000p-17L,  // 1E14
    0xE35FA931A0000000p-14L,  // 1E15
    0x8E1BC9BF04000000p-10L,  // 1E16
    0xB1A2BC2EC5000000p-7L,   // 1E17
    0xDE0B6B3A76400000p-4L,   // 1E18
    0x8AC7230489E80000p+0L,   // 1E19
    0xAD78EBC5AC620000p+3L,   // 1E20
    0xD8D726B7177A8000p+6L,   // 1E21
    0x878678326EAC9000p+10L,  // 1E22
    0xA968163F0A57B400p+13L,  // 1E23
    0xD3C21BCECCEDA100p+16L,  // 1E24
    0x84595161401484A0p+20L,  // 1E25
    0xA56FA5B99019A5C8p+23L,  // 1E26
    0xCECB8F27F4200F3Ap+26L,  // 1E27
    0x813F3978F8940984p+30L,  // 1E28
    0xA18F07D736B90BE5p+33L,  // 1E29
    0xC9F2C9CD04674EDFp+36L,  // 1E30
    0xFC6F7C4045812296p+39L,  // 1E31
};

const std::array<Number, 16> kPowersOfTen32 = {
    0x8000000000000000p-63L,    // 1E0
    0x9DC5ADA82B70B59Ep+43L,    // 1E32
    0xC2781F49FFCFA6D5p+149L,   // 1E64
    0xEFB3AB16C59B14A3p+255L,   // 1E96
    0x93BA47C980E98CE0p+362L,   // 1E128
    0xB616A12B7FE617AAp+468L,   // 1E160
    0xE070F78D3927556Bp+574L,   // 1E192
    0x8A5296FFE33CC930p+681L,   // 1E224
    0xAA7EEBFB9DF9DE8Ep+787L,   // 1E256
    0xD226FC195C6A2F8Cp+893L,   // 1E288
    0x81842F29F2CCE376p+1000L,  // 1E320
    0x9FA42700DB900AD2p+1106L,  // 1E352
    0xC4C5E310AEF8AA17p+1212L,  // 1E384
    0xF28A9C07E9B09C59p+1318L,  // 1E416
    0x957A4AE1EBF7F3D4p+1425L,  // 1E448
    0xB83ED8DC0795A262p+1531L,  // 1E480
};

const std::array<Number, 10> kPowersOfTen512 = {
    0x8000000000000000p-63L,     // 1E0
    0xE319A0AEA60E91C7p+1637L,   // 1E512
    0xC976758681750C17p+3338L,   // 1E1024
    0xB2B8353B3993A7E4p+5039L,   // 1E1536
    0x9E8B3B5DC53D5DE5p+6740L,   // 1E2048
    0x8CA554C020A1F0A6p+8441L,   // 1E2560
    0xF9895D25D88B5A8Bp+10141L,  // 1E3072
    0xDD5DC8A2BF27F3F8p+11842L,  // 1E3584
    0xC46052028A20979Bp+13543L,  // 1E4096
    0xAE3511626ED559F0p+15244L,  // 1E4608
};

Number ScaleByPowerOfTen(Number value, int scale) noexcept {
  const bool divide = scale < 0;
  const unsigned n = divide ? 0U - static_cast<unsigned>(scale) : static_cast<unsigned>(scale);
  if (n >= 5120) {
    if (divide || value == 0.0L) return std::copysign(0.0L, value);
    return std::copysign(std::numeric_limits<Number>::infinity(), value);
  }
  // Every step is one operation rounded to extended precision (x87, no contraction).
  const auto apply = [&](Number factor) { value = divide ? value / factor : value * factor; };
  apply(kPowersOfTen[n % 32]);
  if ((n / 32) % 16 != 0) apply(kPowersOfTen32[(n / 32) % 16]);
  if (n / 512 != 0) apply(kPowersOfTen512[n / 512]);
  return value;
}

}  // namespace tav
