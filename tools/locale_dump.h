// A readable account of a LocaleFormats record (texts shown in UTF-8), for
// the udfzel-locale diagnostic and for tests.
#pragma once

#include <string>

#include "records/locale_formats.h"

namespace udfzel {

std::string DescribeLocaleFormats(const LocaleFormats& formats);

}  // namespace udfzel
