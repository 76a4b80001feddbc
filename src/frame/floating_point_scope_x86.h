// The floating-point environment at the boundary, on x86 (x86-64 and
// i686). The server, or an application that embeds it, calls us with
// whatever x87 control word and MXCSR it runs under: exceptions unmasked (some frameworks unmask invalid,
// divide-by-zero and overflow), another rounding mode or precision, flags
// already raised. Every entry point of either face runs in this scope:
//   - inside, the library's own environment: x87 with a 64-bit significand
//     and rounding to nearest, SSE rounding to nearest without flush-to-zero,
//     every exception masked. So no computation can trap, and the digits are
//     the same whatever the caller's settings;
//   - on leaving, the caller's environment exactly as it was: x87 control
//     word and exception flags (none of ours added, none of its lost) and
//     MXCSR, bit for bit.
// Saving and restoring a whole x87 environment (fnstenv/fldenv) costs more
// than most functions; the scope reads and writes only the control words
// and the status word, and rewrites the x87 environment only when the
// flags it leaves differ from the caller's (usually the caller has the
// inexact flag raised and so do we). No state but three words on the stack.
#pragma once

#include <cstdint>

namespace udfzel {

class FloatingPointScope {
 public:
  FloatingPointScope() noexcept {
    asm volatile("fnstcw %0" : "=m"(control_) : : "memory");
    asm volatile("fnstsw %0" : "=m"(status_) : : "memory");
    asm volatile("stmxcsr %0" : "=m"(mxcsr_) : : "memory");
    asm volatile("fldcw %0" : : "m"(kX87Control) : "memory");
    asm volatile("ldmxcsr %0" : : "m"(kMxcsr) : "memory");
  }
  ~FloatingPointScope() {
    if (((X87Status() ^ status_) & kX87State) != 0) RestoreX87Status();
    asm volatile("fldcw %0" : : "m"(control_) : "memory");
    asm volatile("ldmxcsr %0" : : "m"(mxcsr_) : "memory");
  }
  FloatingPointScope(const FloatingPointScope&) = delete;
  FloatingPointScope& operator=(const FloatingPointScope&) = delete;

  // x87: every exception masked, 64-bit significand, round to nearest.
  static constexpr std::uint16_t kX87Control = 0x037F;
  // SSE: every exception masked, round to nearest, no flush-to-zero or
  // denormals-are-zero, no flags.
  static constexpr std::uint32_t kMxcsr = 0x1F80;

 private:
  // The six exception flags, the stack fault and the summary bit.
  static constexpr std::uint16_t kX87State = 0x00FF;

  static std::uint16_t X87Status() noexcept {
    std::uint16_t status = 0;
    asm volatile("fnstsw %0" : "=m"(status) : : "memory");
    return status;
  }

  // Puts the caller's exception flags back into the x87 status word.
  void RestoreX87Status() const noexcept {
    if ((status_ & kX87State) == 0) {
      asm volatile("fnclex" : : : "memory");
      return;
    }
    std::uint16_t environment[14];  // the 28-byte environment of fnstenv
    asm volatile("fnstenv %0" : "=m"(environment) : : "memory");
    environment[2] = static_cast<std::uint16_t>((environment[2] & ~kX87State & 0x7FFF) |
                                                (status_ & kX87State) | (status_ & 0x8000));
    asm volatile("fldenv %0" : : "m"(environment) : "memory");
  }

  std::uint16_t control_;
  std::uint16_t status_;
  std::uint32_t mxcsr_;
};

}  // namespace udfzel
