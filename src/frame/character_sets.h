// The server's names for the 8-bit code pages the library writes in: the
// character set a declaration names and a UDR message carries must be the
// loaded locale's code page, or the server transliterates the bytes as if
// they were another code page's.
#pragma once

#include <span>
#include <string_view>

namespace udfzel {

struct CharacterSet {
  int codePage;           // the Windows code page number
  std::string_view name;  // the server's name (RDB$CHARACTER_SET_NAME)
  unsigned id;            // the server's number (RDB$CHARACTER_SET_ID)
  int bytesPerCharacter;  // the most a character takes; lengths count characters

  // The declared length, in characters, of a text of `bytes` bytes: the
  // server sizes a text by its longest characters.
  constexpr int LengthFor(int bytes) const { return bytes / bytesPerCharacter; }
};

inline constexpr CharacterSet kCharacterSets[] = {
    {1252, "WIN1252", 53, 1}, {1250, "WIN1250", 51, 1}, {1251, "WIN1251", 52, 1},
    {1253, "WIN1253", 54, 1}, {1254, "WIN1254", 55, 1}, {1255, "WIN1255", 58, 1},
    {1256, "WIN1256", 59, 1}, {1257, "WIN1257", 60, 1}, {1258, "WIN1258", 65, 1},
    {874, "TIS620", 66, 1},   {932, "SJIS_0208", 5, 2}, {936, "GBK", 67, 2},
    {949, "KSC_5601", 44, 2}, {950, "BIG_5", 56, 2},
};

// The character set of a code page; WIN1252 for one the server has no
// name for (the locale loader never picks such a code page).
constexpr const CharacterSet& CharacterSetOf(int codePage) {
  for (const CharacterSet& set : kCharacterSets) {
    if (set.codePage == codePage) return set;
  }
  return kCharacterSets[0];
}

// The character set of a server name ("win1251" too); null for none.
constexpr const CharacterSet* CharacterSetNamed(std::string_view name) {
  for (const CharacterSet& set : kCharacterSets) {
    if (set.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < name.size(); ++i) {
      const char c = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 32) : name[i];
      same = c == set.name[i];
    }
    if (same) return &set;
  }
  return nullptr;
}

}  // namespace udfzel
