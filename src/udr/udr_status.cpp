#include "udr/udr_status.h"

#include <new>
#include <stdexcept>
#include <string>

#include "frame/convert_error.h"
#include "results/result_text.h"

namespace udfzel::udr {

void SetErrorMessage(::Firebird::IStatus* status, std::string_view message) noexcept {
  try {
    // The status copies the text, so a local string outlives its use.
    const std::string text(message);
    const ISC_STATUS vector[] = {isc_arg_gds, isc_random, isc_arg_string,
                                 reinterpret_cast<ISC_STATUS>(text.c_str()), isc_arg_end};
    status->setErrors(vector);
  } catch (...) {
    const ISC_STATUS vector[] = {isc_arg_gds, isc_virmemexh, isc_arg_end};
    status->setErrors(vector);
  }
}

void SetNonFiniteError(::Firebird::IStatus* status, const char* routine, bool nan) noexcept {
  const ISC_STATUS vector[] = {isc_arg_gds, nan ? isc_udf_fp_nan : isc_udf_fp_overflow,
                               isc_arg_string, reinterpret_cast<ISC_STATUS>(routine),
                               isc_arg_end};
  status->setErrors(vector);
}

void SetErrorFromException(::Firebird::IStatus* status) noexcept {
  try {
    throw;
  } catch (const EConvertError& error) {
    SetErrorMessage(status, error.what());
  } catch (const results::ResultTooLong&) {
    const ISC_STATUS vector[] = {isc_arg_gds, isc_arith_except, isc_arg_gds, isc_string_truncation,
                                 isc_arg_end};
    status->setErrors(vector);
  } catch (const ::Firebird::FbException& error) {
    status->setErrors(error.getStatus()->getErrors());
  } catch (const std::bad_alloc&) {
    const ISC_STATUS vector[] = {isc_arg_gds, isc_virmemexh, isc_arg_end};
    status->setErrors(vector);
  } catch (const std::exception& error) {
    SetErrorMessage(status, error.what());
  } catch (...) {
    SetErrorMessage(status, "udfzel: unexpected failure");
  }
}

}  // namespace udfzel::udr
