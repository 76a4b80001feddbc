#include "locale/icu_locale_names.h"

#include <unicode/uloc.h>
#include <unicode/ures.h>

#include <cstring>
#include <initializer_list>

#include "records/locale_formats.h"

namespace udfzel {

std::string WithLikelyScript(const std::string& locale) {
  char full[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_addLikelySubtags(locale.c_str(), full, sizeof full - 1, &status);
  return U_SUCCESS(status) ? std::string(full) : locale;
}

int CalendarTypeOf(const std::string& locale) {
  char calendar[64] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getKeywordValue(locale.c_str(), "calendar", calendar, sizeof calendar - 1, &status);
  const std::string type = U_SUCCESS(status) ? calendar : "";
  if (type == "japanese") return kCalendarJapaneseEra;
  if (type == "roc") return kCalendarTaiwan;
  return type == "dangi" ? kCalendarKoreanTangun : kCalendarGregorian;
}

bool HasScriptData(const std::string& locale) {
  char language[16] = {};
  char script[16] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLanguage(locale.c_str(), language, sizeof language - 1, &status);
  uloc_getScript(locale.c_str(), script, sizeof script - 1, &status);
  if (U_FAILURE(status) || script[0] == '\0') return true;
  const std::string languageScript = std::string(language) + "_" + script;
  UResourceBundle* bundle = ures_open(nullptr, languageScript.c_str(), &status);
  const bool found =
      U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING && status != U_USING_FALLBACK_WARNING;
  if (bundle != nullptr) ures_close(bundle);
  return found;
}

std::string LocaleWithKeyword(const std::string& locale, const char* keyword, const char* value) {
  char name[ULOC_FULLNAME_CAPACITY] = {};
  if (locale.size() >= sizeof name) return locale;
  std::memcpy(name, locale.data(), locale.size());
  UErrorCode status = U_ZERO_ERROR;
  uloc_setKeywordValue(keyword, value, name, sizeof name, &status);
  return U_SUCCESS(status) ? std::string(name) : locale;
}

int AnsiCodePageFor(const std::string& icuName) {
  const std::string icuLocale = WithLikelyScript(icuName);
  char language[16] = {};
  char script[16] = {};
  char country[16] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLanguage(icuLocale.c_str(), language, sizeof language - 1, &status);
  uloc_getScript(icuLocale.c_str(), script, sizeof script - 1, &status);
  uloc_getCountry(icuLocale.c_str(), country, sizeof country - 1, &status);
  if (U_FAILURE(status)) return 1252;
  const std::string lang = language;
  const std::string scr = script;
  const std::string ctry = country;
  const auto in = [&](std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (lang == name) return true;
    }
    return false;
  };
  if (lang == "ja") return 932;
  if (lang == "ko") return 949;
  if (lang == "zh") {
    return scr == "Hant" || ctry == "TW" || ctry == "HK" || ctry == "MO" ? 950 : 936;
  }
  if (lang == "th") return 874;
  if (lang == "vi") return 1258;
  if (lang == "sr") return scr == "Latn" ? 1250 : 1251;
  if (lang == "az" || lang == "uz") return scr == "Cyrl" ? 1251 : 1254;
  if (in({"cs", "pl", "hu", "sk", "sl", "hr", "ro", "sq", "bs"})) return 1250;
  if (in({"ru", "uk", "be", "bg", "mk", "kk", "ky", "mn", "tt", "ba"})) return 1251;
  if (lang == "el") return 1253;
  if (lang == "tr") return 1254;
  if (lang == "he" || lang == "iw") return 1255;
  if (in({"ar", "fa", "ur"})) return 1256;
  if (in({"et", "lv", "lt"})) return 1257;
  return 1252;
}

}  // namespace udfzel
