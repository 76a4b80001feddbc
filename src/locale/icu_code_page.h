// The ICU converter behind the code page seam, for what else the ICU locale
// source reads of a code page (its lead bytes, its text back as UTF-8).
#pragma once

#include <unicode/ucnv.h>

#include <memory>

#include "locale/code_page.h"

namespace udfzel {

struct IcuConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using IcuConverter = std::unique_ptr<UConverter, IcuConverterCloser>;

// The converter of a Windows code page by its number (windows-N, cpN or
// ibm-N); null when ICU has none. With `strict`, an unmappable character
// or an undefined byte stops a conversion instead of a substitute.
IcuConverter OpenIcuConverter(int number, bool strict);

}  // namespace udfzel
