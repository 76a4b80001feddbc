// The floating-point environment at the boundary, on 32-bit ARM (VFP). One
// register, FPSCR, holds both the caller's settings and its flags: trap
// enables, rounding mode, flush-to-zero, default NaN, the (deprecated)
// vector length and stride, and the cumulative exception flags. Inside the
// scope: the caller's FPSCR with rounding to nearest and every trap, flush,
// default-NaN, length and stride bit cleared (the extended type is
// software here, so FPSCR governs the doubles alone). On leaving, FPSCR
// exactly as it was, flags included. Written only when it must change.
#pragma once

#include <cstdint>

namespace udfzel {

class FloatingPointScope {
 public:
  FloatingPointScope() noexcept : caller_(Read()) {
    const std::uint32_t ours = caller_ & ~kCallerSettings;
    if (ours != caller_) Write(ours);
  }
  ~FloatingPointScope() {
    if (Read() != caller_) Write(caller_);
  }
  FloatingPointScope(const FloatingPointScope&) = delete;
  FloatingPointScope& operator=(const FloatingPointScope&) = delete;

  // Trap enables IOE DZE OFE UFE IXE (bits 8-12) and IDE (15), Len (16-18),
  // Stride (20-21), RMode (22-23), FZ (24), DN (25), AHP (26).
  static constexpr std::uint32_t kCallerSettings = 0x1F00u | 0x8000u | (7u << 16) | (3u << 20) |
                                                   (3u << 22) | (1u << 24) | (1u << 25) |
                                                   (1u << 26);

 private:
  static std::uint32_t Read() noexcept {
    std::uint32_t value = 0;
    asm volatile("vmrs %0, fpscr" : "=r"(value) : : "memory");
    return value;
  }
  static void Write(std::uint32_t value) noexcept {
    asm volatile("vmsr fpscr, %0" : : "r"(value) : "memory");
  }

  std::uint32_t caller_;
};

}  // namespace udfzel
