#include "locale_dump.h"

#include "frame/character_sets.h"

#include <cstdio>

#include "locale/platform_locale.h"

namespace udfzel {
namespace {

std::string Quoted(const std::string& text, int codePage) {
  std::string quoted = "\"";
  quoted += CodePageToUtf8(text, codePage);
  quoted += '"';
  return quoted;
}

std::string Character(char c, int codePage) {
  if (c == '\0') return "none (zero character)";
  char hex[16];
  std::snprintf(hex, sizeof hex, " (0x%02X)", static_cast<unsigned char>(c));
  return Quoted(std::string(1, c), codePage) + hex;
}

template <std::size_t N>
std::string Names(const std::array<std::string, N>& names, int codePage) {
  std::string out;
  for (std::size_t i = 1; i < N; ++i) out += (i > 1 ? " | " : "") + CodePageToUtf8(names[i], codePage);
  return out;
}

std::string LeadBytes(const LocaleFormats& f) {
  std::string out;
  for (int byte = 0; byte < 256; ++byte) {
    if (!f.LeadByteSet.test(static_cast<std::size_t>(byte))) continue;
    int last = byte;
    while (last + 1 < 256 && f.LeadByteSet.test(static_cast<std::size_t>(last + 1))) ++last;
    char range[16];
    std::snprintf(range, sizeof range, "%s%02X-%02X", out.empty() ? "" : " ", byte, last);
    out += range;
    byte = last;
  }
  return out.empty() ? "empty" : out;
}

}  // namespace

std::string DescribeLocaleFormats(const LocaleFormats& f) {
  const int cp = f.CodePage;
  char identity[96];
  std::snprintf(identity, sizeof identity, "0x%04X (primary language %d, sub-language %d)",
                f.LocaleId, f.PrimaryLanguage, f.SubLanguage);
  std::string out;
  const auto line = [&](const char* name, const std::string& value) {
    char label[24];
    std::snprintf(label, sizeof label, "%-19s", name);
    out += std::string(label) + value + "\n";
  };
  line("LocaleId", identity);
  line("CodePage", std::to_string(cp) + (f.MultiByteLocale ? " (two-byte)" : " (single-byte)"));
  line("CharacterSet", std::string(CharacterSetOf(cp).name));
  line("LeadByteSet", LeadBytes(f));
  line("CalendarType", std::to_string(f.CalendarType));
  line("GroupSeparator", Character(f.GroupSeparator, cp));
  line("DecimalMark", Character(f.DecimalMark, cp));
  line("DateDelimiter", Character(f.DateDelimiter, cp));
  line("TimeDelimiter", Character(f.TimeDelimiter, cp));
  line("ShortDatePicture", Quoted(f.ShortDatePicture, cp));
  line("LongDatePicture", Quoted(f.LongDatePicture, cp));
  line("ShortTimePicture", Quoted(f.ShortTimePicture, cp));
  line("LongTimePicture", Quoted(f.LongTimePicture, cp));
  line("AmText", Quoted(f.AmText, cp));
  line("PmText", Quoted(f.PmText, cp));
  line("MonthAbbreviations", Names(f.MonthAbbreviations, cp));
  line("MonthNames", Names(f.MonthNames, cp));
  line("DayAbbreviations", Names(f.DayAbbreviations, cp));
  line("DayNames", Names(f.DayNames, cp));
  return out;
}

}  // namespace udfzel
