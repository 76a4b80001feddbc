// What an ICU locale name says beyond ICU's data: its likely script, the
// calendar its keyword asks for, whether ICU has its script, and the
// Windows code page of its language.
#pragma once

#include <string>

namespace udfzel {

// The name with its likely script and territory added ("sr_ME" ->
// "sr_Latn_ME"); the name itself when ICU cannot tell.
std::string WithLikelyScript(const std::string& locale);

// The calendar type the locale's calendar keyword asks for: 3 Japanese era,
// 4 Taiwan (ROC), 5 Korean Tangun; 1 Gregorian for any other.
int CalendarTypeOf(const std::string& locale);

// Whether ICU has data for the script a locale name asks for ("sr_Latn"):
// without it ICU falls back to the language's default script, whose names
// are not the ones asked for.
bool HasScriptData(const std::string& locale);

// The locale with one keyword set ("numbers=latn"); the name as it was when
// ICU refuses.
std::string LocaleWithKeyword(const std::string& locale, const char* keyword, const char* value);

// The Windows ANSI code page of a locale's language (1252 by default).
int AnsiCodePageFor(const std::string& icuLocale);

}  // namespace udfzel
