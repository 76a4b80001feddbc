// The floating-point environment at the boundary, on ARM64. The caller's
// FPCR may enable traps, round another way, flush denormals to zero or
// give default NaNs; its FPSR may hold flags already. Inside the scope: the
// caller's FPCR with rounding to nearest and every trap, flush and
// default-NaN bit cleared (the extended type is software here, so FPCR
// governs the doubles alone). On leaving, FPCR and FPSR exactly as they
// were. Each register is written only when it must change.
#pragma once

#include <cstdint>

namespace udfzel {

class FloatingPointScope {
 public:
  FloatingPointScope() noexcept : control_(ReadControl()), status_(ReadStatus()) {
    const std::uint64_t ours = control_ & ~kCallerSettings;
    if (ours != control_) WriteControl(ours);
  }
  ~FloatingPointScope() {
    if (ReadControl() != control_) WriteControl(control_);
    if (ReadStatus() != status_) WriteStatus(status_);
  }
  FloatingPointScope(const FloatingPointScope&) = delete;
  FloatingPointScope& operator=(const FloatingPointScope&) = delete;

  // FPCR: trap enables IOE DZE OFE UFE IXE (bits 8-12) and IDE (15), FZ16
  // (19), RMode (22-23), FZ (24), DN (25), AHP (26).
  static constexpr std::uint64_t kCallerSettings =
      0x1F00u | 0x8000u | (1u << 19) | (3u << 22) | (1u << 24) | (1u << 25) | (1u << 26);

 private:
  static std::uint64_t ReadControl() noexcept {
    std::uint64_t value = 0;
    asm volatile("mrs %0, fpcr" : "=r"(value) : : "memory");
    return value;
  }
  static std::uint64_t ReadStatus() noexcept {
    std::uint64_t value = 0;
    asm volatile("mrs %0, fpsr" : "=r"(value) : : "memory");
    return value;
  }
  static void WriteControl(std::uint64_t value) noexcept {
    asm volatile("msr fpcr, %0" : : "r"(value) : "memory");
  }
  static void WriteStatus(std::uint64_t value) noexcept {
    asm volatile("msr fpsr, %0" : : "r"(value) : "memory");
  }

  std::uint64_t control_;
  std::uint64_t status_;
};

}  // namespace udfzel
