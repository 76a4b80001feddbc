// Prints the locale settings udfzel loads: by default those of the current
// environment (LC_ALL, else LANG), as the server process would load them;
// or those of an ICU locale name given as the argument.
//   udfzel-locale [LOCALE]
#include <cstdio>
#include <string>

#include "locale/icu_locale_source.h"
#include "locale/load_locale_formats.h"
#include "locale_dump.h"

int main(int argc, char** argv) {
  const udfzel::IcuLocaleSource source = argc > 1
                                             ? udfzel::IcuLocaleSource(argv[1])
                                             : udfzel::IcuLocaleSource::FromEnvironment();
  std::printf("Locale             %s%s\n", source.Name().empty() ? "(none)" : source.Name().c_str(),
              source.Known() ? "" : " -- answers nothing: fallbacks and built-in names");
  std::fputs(udfzel::DescribeLocaleFormats(udfzel::LoadLocaleFormats(source)).c_str(), stdout);
  return 0;
}
