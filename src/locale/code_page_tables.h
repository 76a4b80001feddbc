// The case tables and the accent fold of an 8-bit code page, from its
// characters and the platform's case mapping and decomposition: the same
// rules for both platforms' locale sources.
#pragma once

#include <array>

#include "locale/code_page.h"

namespace udfzel {

// Each byte from 1 that stands for a character alone maps to the one byte
// of its lower and of its upper case, where the code page has that; every
// other entry keeps what the tables held.
void FillCaseTables(const CodePage& codePage, std::array<char, 256>& lower,
                    std::array<char, 256>& upper);

// The identity, but for the bytes from 0x80 whose character decomposes into
// an ASCII letter and marks: those fold to the plain capital ("Č" -> 'C').
void FillAccentFold(const CodePage& codePage, std::array<char, 256>& fold);

}  // namespace udfzel
