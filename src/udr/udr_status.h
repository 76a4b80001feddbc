// The status type of the UDR face and the one rule of its boundary: every
// failure of a call becomes an SQL error in the status, never an exception
// that crosses into the server.
#pragma once

#define FB_UDR_STATUS_TYPE ::Firebird::ThrowStatusWrapper
#include <firebird/UdrCppEngine.h>

#include <string_view>

#include "frame/floating_point_scope.h"

namespace udfzel::udr {

using Status = ::Firebird::ThrowStatusWrapper;

// A double result that is infinite or NaN is not a value Firebird has: the
// server refuses it from a legacy function ("Floating point overflow in
// result from UDF", "Invalid floating point value returned by UDF"), and the
// UDR face puts the same error into the status, so both faces agree. No
// exception: the call allocates nothing on this path either.
void SetNonFiniteError(::Firebird::IStatus* status, const char* routine, bool nan) noexcept;

// Puts an error with `message` (the library's own text) into the status.
void SetErrorMessage(::Firebird::IStatus* status, std::string_view message) noexcept;

// Turns the exception being handled into the status: the library's
// conversion errors with their message, a text too long for its result as
// the server's string truncation, server errors as they are.
void SetErrorFromException(::Firebird::IStatus* status) noexcept;

// A call in the library's floating-point environment, the caller's
// restored on return; any failure goes into the status.
template <class Body>
void GuardedUdrCall(::Firebird::IStatus* status, Body&& body) noexcept {
  const FloatingPointScope scope;
  try {
    body();
  } catch (...) {
    SetErrorFromException(status);
  }
}

}  // namespace udfzel::udr
