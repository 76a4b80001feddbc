// Prints the locale settings udfzel loads: by default those of the process
// (on Linux the environment's LC_ALL, else LANG; on Windows the user default
// locale), as the server process would load them; or those of a locale name
// given as the argument (pt_BR; on Windows also pt-BR). With --charset, only
// the server's name for the character set the functions' texts are in: the
// folder of the declaration scripts for that locale. With --each, the record
// of every locale named on standard input, one name a line, in turn.
//   udfzel-locale [LOCALE]
//   udfzel-locale --charset [LOCALE]
//   udfzel-locale --each <NAMES
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "frame/character_sets.h"
#include "locale/load_locale_formats.h"
#include "locale/platform_locale.h"
#include "locale_dump.h"
#include "self_path.h"

namespace {

// Where the declaration scripts are installed, from the folder this program
// runs from (UDFZEL_SCRIPTS_FROM_PROGRAM: "../share/udfzel" on Linux, "sql"
// in the Windows kit).
std::string ScriptFolder() {
  const std::filesystem::path self = udfzel::SelfPath();
  const std::filesystem::path relative(UDFZEL_SCRIPTS_FROM_PROGRAM);
  if (self.empty()) return relative.generic_string();
  return (self.parent_path() / relative).lexically_normal().generic_string();
}

std::string CharacterSetName(const udfzel::LocaleFormats& formats) {
  return std::string(udfzel::CharacterSetOf(formats.CodePage).name);
}

void PrintRecord(const udfzel::LocaleSource& source) {
  const udfzel::LocaleFormats formats = udfzel::LoadLocaleFormats(source);
  const std::string name = source.PlatformName();
  std::printf("Locale             %s%s\n", name.empty() ? "(none)" : name.c_str(),
              source.LocaleId() != 0 ? "" : " -- answers nothing: fallbacks and built-in names");
  std::fputs(udfzel::DescribeLocaleFormats(formats).c_str(), stdout);
  std::printf("Declare with       %s/%s/udfzel.sql (legacy) or udfzel_udr.sql (UDR)\n",
              ScriptFolder().c_str(), CharacterSetName(formats).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--each") {
    for (std::string locale; std::getline(std::cin, locale);) {
      if (!locale.empty() && locale.back() == '\r') locale.pop_back();
      PrintRecord(*udfzel::NamedLocaleSource(locale));
    }
    return 0;
  }
  const bool charSetOnly = argc > 1 && std::string_view(argv[1]) == "--charset";
  const int named = charSetOnly ? 2 : 1;
  if (argc > named + 1) {
    std::fputs("usage: udfzel-locale [--charset] [LOCALE] | --each <NAMES\n", stderr);
    return 2;
  }
  const auto source =
      argc > named ? udfzel::NamedLocaleSource(argv[named]) : udfzel::ProcessLocaleSource();
  if (charSetOnly) {
    std::printf("%s\n", CharacterSetName(udfzel::LoadLocaleFormats(*source)).c_str());
    return 0;
  }
  PrintRecord(*source);
  return 0;
}
