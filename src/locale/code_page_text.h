// Text in the loaded locale's 8-bit code page: the one writer both
// platforms' locale sources and era tables use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "locale/code_page.h"

namespace udfzel {

// A UTF-16 text in the code page, written whole or not at all: never a
// substitute byte. Character by character in composed form, each written
// as itself, as an older equivalent letter, decomposed as far as the code
// page composes it, or as the code page's best fit, in that order; the
// no-break and thin spaces as the code page's no-break space, or a space.
std::optional<std::string> WriteInCodePage(const CodePage& codePage, std::u16string_view text);

// The same for a code page by number; nothing when the platform has none.
std::optional<std::string> WriteInCodePage(int codePage, std::u16string_view text);

}  // namespace udfzel
