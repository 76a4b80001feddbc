// The locale as ICU's CLDR data describes it, answered as the platform
// items LoadLocaleFormats reads. Texts come back in the Windows 8-bit code
// page of the locale's language (unmappable characters become the code
// page's substitute).
#pragma once

#include <optional>
#include <string>

#include "locale/locale_source.h"

namespace udfzel {

class IcuLocaleSource : public LocaleSource {
 public:
  // An ICU locale name such as "pt_BR" or "ja_JP@calendar=japanese". An
  // empty name, "C", "POSIX" or a locale ICU has no data for answers
  // nothing: every item takes its fallback.
  explicit IcuLocaleSource(std::string name);

  // The locale the process environment names: LC_ALL, else LANG.
  static IcuLocaleSource FromEnvironment();

  // "pt_BR.UTF-8" -> "pt_BR"; an ICU keyword ("@calendar=japanese") is kept,
  // a POSIX modifier ("@euro") dropped.
  static std::string NameFromPosix(const std::string& posixName);

  const std::string& Name() const { return name_; }
  bool Known() const { return known_; }

  std::uint32_t LocaleId() const override;
  std::optional<std::string> Read(LocaleItem item, int index = 0) const override;
  std::vector<ByteRange> LeadByteRanges(int codePage) const override;
  int SystemCodePage() const override { return 1252; }
  std::string FromLibraryText(const std::string& utf8, int codePage) const override;
  void CaseTables(int codePage, std::array<char, 256>& lower,
                  std::array<char, 256>& upper) const override;
  std::string PlatformName() const override { return known_ ? name_ : std::string(); }

 private:
  std::optional<std::string> ReadKnown(LocaleItem item, int index) const;

  std::string name_;
  bool known_;
  int codePage_;
};

// The Windows ANSI code page of a locale's language (1252 by default).
int AnsiCodePageFor(const std::string& icuLocale);

// ICU text in an 8-bit code page; nothing when the code page is unknown.
std::optional<std::string> IcuTextToCodePage(const std::u16string& text, int codePage);

// A text of an 8-bit code page as UTF-8, for people to read.
std::string CodePageToUtf8(const std::string& text, int codePage);

}  // namespace udfzel
