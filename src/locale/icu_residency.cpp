#include "locale/icu_residency.h"

#include <dlfcn.h>
#include <unicode/udat.h>

namespace udfzel {

void KeepIcuResident() noexcept {
  // The i18n library this module was linked with, whatever its version:
  // the file that holds udat_open. RTLD_NOLOAD finds the loaded copy
  // without loading anything; RTLD_NODELETE pins it. The handle is kept
  // open on purpose.
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&udat_open), &info) == 0 || info.dli_fname == nullptr) {
    return;
  }
  dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace udfzel
