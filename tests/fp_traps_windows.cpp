// A floating-point exception reaches a vectored handler, which masks every
// trap in the interrupted context and lets the instruction run again: the
// call finishes with the unit's masked results and is reported as trapped.
#include <windows.h>

#include <cstdint>

#include "fp_environment.h"
#include "fp_traps.h"

namespace udfzel_test {
namespace {

thread_local bool catching = false;
thread_local bool trapped = false;

bool IsFloatingPointException(DWORD code) {
  switch (code) {
    case STATUS_FLOAT_DENORMAL_OPERAND:
    case STATUS_FLOAT_DIVIDE_BY_ZERO:
    case STATUS_FLOAT_INEXACT_RESULT:
    case STATUS_FLOAT_INVALID_OPERATION:
    case STATUS_FLOAT_OVERFLOW:
    case STATUS_FLOAT_STACK_CHECK:
    case STATUS_FLOAT_UNDERFLOW:
    case STATUS_FLOAT_MULTIPLE_FAULTS:
    case STATUS_FLOAT_MULTIPLE_TRAPS:
      return true;
    default:
      return false;
  }
}

// Every exception masked, the x87's pending flags cleared (the SSE flags
// and MXCSR's rounding are left: the default environment comes back after
// the call anyway).
void MaskEverything(CONTEXT& context) {
  constexpr std::uint16_t kX87Masks = 0x003F;
  constexpr std::uint16_t kX87Pending = 0x80FF;  // busy, error summary, flags
  constexpr std::uint32_t kSseMasks = 0x1F80;
#if defined(_M_X64) || defined(__x86_64__)
  context.FltSave.ControlWord |= kX87Masks;
  context.FltSave.StatusWord &= static_cast<WORD>(~kX87Pending);
  context.FltSave.MxCsr |= kSseMasks;
  context.MxCsr |= kSseMasks;
#else
  context.FloatSave.ControlWord |= kX87Masks;
  context.FloatSave.StatusWord &= ~DWORD{kX87Pending};
  // The FXSAVE image: MXCSR at byte 24.
  std::uint32_t mxcsr = 0;
  CopyMemory(&mxcsr, context.ExtendedRegisters + 24, sizeof mxcsr);
  mxcsr |= kSseMasks;
  CopyMemory(context.ExtendedRegisters + 24, &mxcsr, sizeof mxcsr);
#endif
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* exception) {
  if (!catching || !IsFloatingPointException(exception->ExceptionRecord->ExceptionCode)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  trapped = true;
  MaskEverything(*exception->ContextRecord);
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

bool RunCatchingTraps(void (*body)(void*), void* context) {
  void* handler = AddVectoredExceptionHandler(1, OnException);
  catching = true;
  trapped = false;
  body(context);
  catching = false;
  RemoveVectoredExceptionHandler(handler);
  if (trapped) ResetUnits();
  return !trapped;
}

}  // namespace udfzel_test
