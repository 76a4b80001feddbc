#include "engines/numbers/power_of_ten.h"

#include <cstddef>

namespace udfzel {
namespace {

// Each entry is the extended value nearest to its power of ten (ties to
// even), written as its fields: sign, biased exponent, 64-bit significand.
// These bits are the tables' one source; both extended types are built from
// them. Up to 1e27 the powers are exact.
constexpr ExtendedBits kPowersOfTenLowBits[32] = {
    {false, 16383, 0x8000000000000000ull},  // 1e0
    {false, 16386, 0xA000000000000000ull},  // 1e1
    {false, 16389, 0xC800000000000000ull},  // 1e2
    {false, 16392, 0xFA00000000000000ull},  // 1e3
    {false, 16396, 0x9C40000000000000ull},  // 1e4
    {false, 16399, 0xC350000000000000ull},  // 1e5
    {false, 16402, 0xF424000000000000ull},  // 1e6
    {false, 16406, 0x9896800000000000ull},  // 1e7
    {false, 16409, 0xBEBC200000000000ull},  // 1e8
    {false, 16412, 0xEE6B280000000000ull},  // 1e9
    {false, 16416, 0x9502F90000000000ull},  // 1e10
    {false, 16419, 0xBA43B74000000000ull},  // 1e11
    {false, 16422, 0xE8D4A51000000000ull},  // 1e12
    {false, 16426, 0x9184E72A00000000ull},  // 1e13
    {false, 16429, 0xB5E620F480000000ull},  // 1e14
    {false, 16432, 0xE35FA931A0000000ull},  // 1e15
    {false, 16436, 0x8E1BC9BF04000000ull},  // 1e16
    {false, 16439, 0xB1A2BC2EC5000000ull},  // 1e17
    {false, 16442, 0xDE0B6B3A76400000ull},  // 1e18
    {false, 16446, 0x8AC7230489E80000ull},  // 1e19
    {false, 16449, 0xAD78EBC5AC620000ull},  // 1e20
    {false, 16452, 0xD8D726B7177A8000ull},  // 1e21
    {false, 16456, 0x878678326EAC9000ull},  // 1e22
    {false, 16459, 0xA968163F0A57B400ull},  // 1e23
    {false, 16462, 0xD3C21BCECCEDA100ull},  // 1e24
    {false, 16466, 0x84595161401484A0ull},  // 1e25
    {false, 16469, 0xA56FA5B99019A5C8ull},  // 1e26
    {false, 16472, 0xCECB8F27F4200F3Aull},  // 1e27
    {false, 16476, 0x813F3978F8940984ull},  // 1e28
    {false, 16479, 0xA18F07D736B90BE5ull},  // 1e29
    {false, 16482, 0xC9F2C9CD04674EDFull},  // 1e30
    {false, 16485, 0xFC6F7C4045812296ull},  // 1e31
};

constexpr ExtendedBits kPowersOfTenMiddleBits[16] = {
    {false, 16383, 0x8000000000000000ull},  // unused: index k holds 1e(32k)
    {false, 16489, 0x9DC5ADA82B70B59Eull},  // 1e32
    {false, 16595, 0xC2781F49FFCFA6D5ull},  // 1e64
    {false, 16701, 0xEFB3AB16C59B14A3ull},  // 1e96
    {false, 16808, 0x93BA47C980E98CE0ull},  // 1e128
    {false, 16914, 0xB616A12B7FE617AAull},  // 1e160
    {false, 17020, 0xE070F78D3927556Bull},  // 1e192
    {false, 17127, 0x8A5296FFE33CC930ull},  // 1e224
    {false, 17233, 0xAA7EEBFB9DF9DE8Eull},  // 1e256
    {false, 17339, 0xD226FC195C6A2F8Cull},  // 1e288
    {false, 17446, 0x81842F29F2CCE376ull},  // 1e320
    {false, 17552, 0x9FA42700DB900AD2ull},  // 1e352
    {false, 17658, 0xC4C5E310AEF8AA17ull},  // 1e384
    {false, 17764, 0xF28A9C07E9B09C59ull},  // 1e416
    {false, 17871, 0x957A4AE1EBF7F3D4ull},  // 1e448
    {false, 17977, 0xB83ED8DC0795A262ull},  // 1e480
};

constexpr ExtendedBits kPowersOfTenHighBits[10] = {
    {false, 16383, 0x8000000000000000ull},  // unused: index k holds 1e(512k)
    {false, 18083, 0xE319A0AEA60E91C7ull},  // 1e512
    {false, 19784, 0xC976758681750C17ull},  // 1e1024
    {false, 21485, 0xB2B8353B3993A7E4ull},  // 1e1536
    {false, 23186, 0x9E8B3B5DC53D5DE5ull},  // 1e2048
    {false, 24887, 0x8CA554C020A1F0A6ull},  // 1e2560
    {false, 26587, 0xF9895D25D88B5A8Bull},  // 1e3072
    {false, 28288, 0xDD5DC8A2BF27F3F8ull},  // 1e3584
    {false, 29989, 0xC46052028A20979Bull},  // 1e4096
    {false, 31690, 0xAE3511626ED559F0ull},  // 1e4608
};

template <std::size_t N>
constexpr std::array<Extended, N> ValuesOf(const ExtendedBits (&bits)[N]) {
  std::array<Extended, N> values;
  for (std::size_t i = 0; i < N; ++i) values[i] = Extended::FromBits(bits[i]);
  return values;
}

}  // namespace

constinit const std::array<Extended, 32> kPowersOfTenLow = ValuesOf(kPowersOfTenLowBits);
constinit const std::array<Extended, 16> kPowersOfTenMiddle = ValuesOf(kPowersOfTenMiddleBits);
constinit const std::array<Extended, 10> kPowersOfTenHigh = ValuesOf(kPowersOfTenHighBits);

Extended ScaleByPowerOfTen(Extended v, int n) {
  if (n == 0) return v;
  if (n >= kPowerOfTenLimit) return Extended::Infinity();
  if (n <= -kPowerOfTenLimit) return 0.0;
  const bool up = n > 0;
  const unsigned m = up ? static_cast<unsigned>(n) : static_cast<unsigned>(-n);
  const auto apply = [&](Extended factor) { v = up ? v * factor : v / factor; };
  apply(kPowersOfTenLow[m % 32]);
  if (m / 32 == 0) return v;
  if ((m / 32) % 16 != 0) apply(kPowersOfTenMiddle[(m / 32) % 16]);
  if (m / 512 == 0) return v;
  apply(kPowersOfTenHigh[m / 512]);
  return v;
}

}  // namespace udfzel
