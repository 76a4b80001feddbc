// The locale as the Windows locale services describe it, answered as the
// facts LoadLocaleFormats reads: texts in UTF-16 as Windows gives them, the
// numeric items (switches, calendar, code page) read from their digits.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "locale/locale_source.h"

namespace udfzel {

class WindowsLocaleSource : public LocaleSource {
 public:
  // A Windows locale name in UTF-8 ("pt-BR", "ja-JP"), or a POSIX one
  // ("pt_BR.UTF-8"). An empty name, "C", "POSIX" or a name Windows does not
  // know answers nothing: every item takes its fallback.
  explicit WindowsLocaleSource(const std::string& name);

  // The locale of the process's user.
  static WindowsLocaleSource FromUserDefault();

  // "pt_BR.UTF-8" -> "pt-BR", "sr_RS@latin" -> "sr-RS"; a Windows name is
  // kept as it is.
  static std::string NameFromPosix(const std::string& posixName);

  const std::string& Name() const { return name_; }
  bool Known() const { return known_; }

  std::uint32_t LocaleId() const override;
  std::optional<std::u16string> Text(LocaleItem item, int index = 0) const override;
  std::optional<bool> Flag(LocaleFlag flag) const override;
  std::optional<int> CalendarType() const override;
  std::optional<int> AnsiCodePage() const override;
  std::vector<ByteRange> LeadByteRanges(int codePage) const override;
  int SystemCodePage() const override;
  void CaseTables(int codePage, std::array<char, 256>& lower,
                  std::array<char, 256>& upper) const override;
  std::string PlatformName() const override { return known_ ? name_ : std::string(); }

 private:
  // A numeric item (windows_locale_numbers.h) read from a buffer of
  // `limit` characters.
  std::optional<int> Number(LCTYPE type, std::size_t limit) const;

  std::string name_;
  std::wstring wideName_;
  bool known_ = false;
};

// A Windows locale name in UTF-16, for the Windows calls; empty when the
// UTF-8 name is not valid UTF-8.
std::wstring WideLocaleName(const std::string& utf8Name);

}  // namespace udfzel
