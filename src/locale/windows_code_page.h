// What the Windows locale source shares with the code page seam: code page
// numbers as Windows takes them, and 8-bit text back to UTF-16.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace udfzel {

// Texts longer than this are not converted: every item the library reads
// is far shorter, and the lengths must fit the Windows calls' int.
inline constexpr std::size_t kLongestWindowsText = 4096;

// Windows' UTF-16 as the code page seam takes it.
inline std::u16string_view Utf16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// The code page a number names: 0 is the system's; nothing for one Windows
// does not have.
std::optional<UINT> UsableCodePage(int codePage);

// The flag that makes a conversion to UTF-16 stop at an undefined byte,
// where the code page allows it.
DWORD StrictDecodeFlags(UINT codePage);

// 8-bit text as UTF-16; nothing when a byte sequence is not defined in the
// code page (with `strict`) or the call fails.
std::optional<std::wstring> Decode(UINT codePage, std::string_view text, bool strict);

}  // namespace udfzel
