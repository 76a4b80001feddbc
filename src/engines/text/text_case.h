// Case rewrites of 8-bit texts, in place and without changing their
// length: proper case for Portuguese names, and accent-folding upper case
// for search keys. Case mapping uses the code page's tables in
// LocaleFormats; two-byte characters are left whole.
#pragma once

#include <cstddef>

#include "records/locale_formats.h"

namespace udfzel {

// "JOÃO DA SILVA" -> "João da Silva"; "comercial ltda me" -> "Comercial
// Ltda ME". Words end at space, apostrophe, full stop and slash.
void ProperCaseInPlace(char* text, std::size_t length, const LocaleFormats& locale);

// "Conceição" -> "CONCEICAO": accented vowels and c-cedilla to plain
// capitals, then everything upper case.
void FoldAccentsUpperInPlace(char* text, std::size_t length, const LocaleFormats& locale);

}  // namespace udfzel
