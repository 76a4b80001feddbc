// The platform's locale services, as the library reads them at load: ICU's
// CLDR data on Linux, the Windows locale services on Windows (their era
// tables: era_table_loader.h). Each platform
// implements this header in a file of its own (platform_locale_icu.cpp,
// platform_locale_windows.cpp); the build compiles the one of its target.
#pragma once

#include <memory>
#include <string>

#include "locale/locale_source.h"

namespace udfzel {

// The locale the process runs under: on Linux the one the environment
// names (LC_ALL, else LANG), on Windows the user default locale.
std::unique_ptr<LocaleSource> ProcessLocaleSource();

// A locale by name: "pt_BR", "ja_JP@calendar=japanese"; on Windows also
// "pt-BR". A name the platform does not know answers nothing.
std::unique_ptr<LocaleSource> NamedLocaleSource(const std::string& name);

// Keeps the platform's locale libraries loaded once a module has used them,
// where their process-wide caches would outlive an unloaded copy (ICU).
// Never fails.
void KeepLocaleServicesResident() noexcept;

// A text of an 8-bit code page as UTF-8, for people to read.
std::string CodePageToUtf8(const std::string& text, int codePage);

}  // namespace udfzel
