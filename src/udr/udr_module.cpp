// The UDR module, libudfzel.so: every function of the list, registered
// with the server's UDR engine under its entry name (EXTERNAL NAME
// 'udfzel!F_StrLeft'). Each is a Binding of the legacy entry point, or of
// the text producer for functions that build a new text.
#include "blobfncs.h"
#include "function_kinds.h"
#include "numfncs.h"
#include "result_text.h"
#include "strfncs.h"
#include "timefncs.h"
#include "udr/udr_function.h"

FB_UDR_IMPLEMENT_ENTRY_POINT

namespace udfzel::udr {
namespace {

using enum ArgKind;
using enum ResultKind;

#define UDFZEL_UDR_CALLEE_Int32Value(entry) &::entry
#define UDFZEL_UDR_CALLEE_Int64Value(entry) &::entry
#define UDFZEL_UDR_CALLEE_DoubleValue(entry) &::entry
#define UDFZEL_UDR_CALLEE_TextInArgument(entry) &::entry
#define UDFZEL_UDR_CALLEE_NewText(entry) &::udfzel::result_text::entry
#define UDFZEL_UDR_CALLEE_TimestampArgument(entry) &::entry
#define UDFZEL_UDR_CALLEE_BlobArgument(entry) &::entry

#define UDFZEL_FUNCTION(entry, family, result, summary, ...)                                   \
  Factory<Binding<result, UDFZEL_UDR_CALLEE_##result(entry), __VA_ARGS__>> entry##Factory{   \
      #entry};
#include "function_list.def"
#undef UDFZEL_FUNCTION

}  // namespace
}  // namespace udfzel::udr
