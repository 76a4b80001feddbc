// Number text back into a value.
#include <cfenv>
#include <string>

#include "frame/convert_error.h"
#include "engines/numbers/floattext.h"

namespace udfzel {
namespace {

constexpr int kExponentStop = 500;

// The thread's floating-point state, saved on entry and restored on every
// exit; in between: extended precision, rounding to nearest, every exception
// masked, and the invalid and overflow flags clear, so that the parse can
// tell its own failure from them. Saving and restoring a whole x87
// environment costs more than the parse itself, so the usual cases touch
// only the control registers: on entry the caller's status flags are kept
// (unless one of the failure flags is among them); on exit they are put
// back exactly, by clearing what the parse raised when the caller had no
// flag, doing nothing when the parse raised no new one (the common case: the
// inexact flag raised before and again by the parse), and rewriting the
// status word otherwise.
class ParseEnvironment {
 public:
  ParseEnvironment() {
    callerFlags_ = X87Flags();
    whole_ = (callerFlags_ & kFailureFlags) != 0;
    if (whole_) {
      std::feholdexcept(&saved_);
    } else {
      asm volatile("fnstcw %0" : "=m"(x87Control_));
      asm volatile("stmxcsr %0" : "=m"(sseControl_));
    }
    // x87: 64-bit significand, round to nearest, all exceptions masked.
    const auto x87 = static_cast<unsigned short>((x87Control_ & ~0x0C00u) | 0x0300u | 0x003Fu);
    // SSE: round to nearest, all exceptions masked, flags clear.
    const unsigned sse = (sseControl_ & ~0x6000u & ~0x003Fu) | 0x1F80u;
    asm volatile("fldcw %0" : : "m"(x87));
    asm volatile("ldmxcsr %0" : : "m"(sse));
  }
  ~ParseEnvironment() {
    if (whole_) {
      std::fesetenv(&saved_);
      return;
    }
    const unsigned short flags = X87Flags();
    if (flags != callerFlags_) RestoreX87Flags();
    asm volatile("fldcw %0" : : "m"(x87Control_));
    asm volatile("ldmxcsr %0" : : "m"(sseControl_));
  }
  ParseEnvironment(const ParseEnvironment&) = delete;
  ParseEnvironment& operator=(const ParseEnvironment&) = delete;

  static bool Failed() { return std::fetestexcept(FE_INVALID | FE_OVERFLOW) != 0; }

 private:
  static constexpr unsigned short kX87Flags = 0x003F;
  static constexpr unsigned short kFailureFlags = FE_INVALID | FE_OVERFLOW;

  static unsigned short X87Flags() {
    unsigned short status = 0;
    asm volatile("fnstsw %0" : "=m"(status));
    return status & kX87Flags;
  }

  // Sets the x87 status flags back to the caller's.
  void RestoreX87Flags() const {
    if (callerFlags_ == 0) {
      asm volatile("fnclex");
      return;
    }
    struct {
      unsigned short control, unused1, status, unused2, tags, unused3;
      unsigned int rest[4];
    } environment;
    asm volatile("fnstenv %0" : "=m"(environment));
    environment.status = static_cast<unsigned short>((environment.status & ~kX87Flags) | callerFlags_);
    asm volatile("fldenv %0" : : "m"(environment));
  }

  bool whole_ = false;
  unsigned short callerFlags_ = 0;
  std::fenv_t saved_{};
  unsigned short x87Control_ = 0x037F;
  unsigned sseControl_ = 0x1F80;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void Invalid(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' não é um valor de ponto flutuante válido");
}

}  // namespace

long double ParseFloatText(std::string_view text, char decimalMark) {
  long double value = 0;
  if (!TryParseFloatText(text, decimalMark, value)) Invalid(text);
  return value;
}

bool TryParseFloatText(std::string_view text, char decimalMark, long double& result) noexcept {
  const char mark = MarkOrPoint(decimalMark);
  bool invalid = false;
  long double value = 0;
  {
    ParseEnvironment environment;
    std::size_t at = 0;
    const auto more = [&] { return at < text.size(); };
    while (more() && text[at] == ' ') ++at;
    const bool negative = more() && text[at] == '-';
    if (more() && (text[at] == '+' || text[at] == '-')) ++at;

    const std::size_t numberStart = at;
    long double accumulator = 0;
    int fractionDigits = 0;
    while (more() && IsDigit(text[at])) accumulator = accumulator * 10 + (text[at++] - '0');
    if (more() && text[at] == mark) {
      ++at;
      for (; more() && IsDigit(text[at]); ++fractionDigits) {
        accumulator = accumulator * 10 + (text[at++] - '0');
      }
    }
    invalid = at == numberStart;

    int exponent = 0;
    if (!invalid && more() && (text[at] == 'E' || text[at] == 'e')) {
      ++at;
      const bool negativeExponent = more() && text[at] == '-';
      if (more() && (text[at] == '+' || text[at] == '-')) ++at;
      while (more() && IsDigit(text[at]) && exponent < kExponentStop) {
        exponent = exponent * 10 + (text[at++] - '0');
      }
      if (negativeExponent) exponent = -exponent;
    }
    while (more() && text[at] == ' ') ++at;
    invalid = invalid || more();

    if (!invalid) {
      value = ScaleByPowerOfTen(accumulator, exponent - fractionDigits);
      if (negative) value = -value;
      invalid = ParseEnvironment::Failed();
    }
  }
  if (!invalid) result = value;
  return !invalid;
}

}  // namespace udfzel
