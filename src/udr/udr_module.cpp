// The UDR module, libudfzel.so: every function of the list, registered
// with the server's UDR engine under its entry name (EXTERNAL NAME
// 'udfzel!F_StrLeft').
#include "udr/udr_bindings.h"

FB_UDR_IMPLEMENT_ENTRY_POINT

namespace udfzel::udr {
namespace {

#define UDFZEL_FUNCTION(entry, family, result, summary, ...) \
  Factory<bindings::entry> entry##Factory{#entry};
#include "list/function_list.def"
#undef UDFZEL_FUNCTION

}  // namespace
}  // namespace udfzel::udr
