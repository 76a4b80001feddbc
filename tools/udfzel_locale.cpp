// Prints the locale settings udfzel loads: by default those of the current
// environment (LC_ALL, else LANG), as the server process would load them;
// or those of an ICU locale name given as the argument. With --charset, only
// the server's name for the character set the functions' texts are in: the
// folder of the declaration scripts for that locale.
//   udfzel-locale [LOCALE]
//   udfzel-locale --charset [LOCALE]
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "frame/character_sets.h"
#include "locale/icu_locale_source.h"
#include "locale/load_locale_formats.h"
#include "locale_dump.h"

namespace {

// Where the declaration scripts are installed: share/udfzel beside the
// bin folder this program runs from.
std::string ScriptFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "share/udfzel";
  return (self.parent_path().parent_path() / "share" / "udfzel").string();
}

}  // namespace

int main(int argc, char** argv) {
  const bool charSetOnly = argc > 1 && std::string_view(argv[1]) == "--charset";
  const int named = charSetOnly ? 2 : 1;
  if (argc > named + 1) {
    std::fputs("usage: udfzel-locale [--charset] [LOCALE]\n", stderr);
    return 2;
  }
  const udfzel::IcuLocaleSource source = argc > named ? udfzel::IcuLocaleSource(argv[named])
                                                      : udfzel::IcuLocaleSource::FromEnvironment();
  const udfzel::LocaleFormats formats = udfzel::LoadLocaleFormats(source);
  const std::string charSet(udfzel::CharacterSetOf(formats.CodePage).name);
  if (charSetOnly) {
    std::printf("%s\n", charSet.c_str());
    return 0;
  }
  std::printf("Locale             %s%s\n", source.Name().empty() ? "(none)" : source.Name().c_str(),
              source.Known() ? "" : " -- answers nothing: fallbacks and built-in names");
  std::fputs(udfzel::DescribeLocaleFormats(formats).c_str(), stdout);
  std::printf("Declare with       %s/%s/udfzel.sql (legacy) or udfzel_udr.sql (UDR)\n",
              ScriptFolder().c_str(), charSet.c_str());
  return 0;
}
