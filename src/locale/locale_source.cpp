#include "locale/locale_source.h"

#include "locale/code_page_tables.h"

namespace udfzel {

void LocaleSource::CaseTables(int codePage, std::array<char, 256>& lower,
                              std::array<char, 256>& upper) const {
  if (const std::unique_ptr<CodePage> page = OpenCodePage(codePage)) {
    FillCaseTables(*page, lower, upper);
    return;
  }
  for (int c = 'A'; c <= 'Z'; ++c) {
    lower[static_cast<std::size_t>(c)] = static_cast<char>(c - 'A' + 'a');
    upper[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<char>(c);
  }
}

void LocaleSource::AccentFold(int codePage, std::array<char, 256>& fold) const {
  if (codePage == 1252) return;  // the table as it is
  if (const std::unique_ptr<CodePage> page = OpenCodePage(codePage)) FillAccentFold(*page, fold);
}

}  // namespace udfzel
