// The DLLs need nothing on a server machine but Windows' own libraries and
// the server kit's ib_util.dll: the C and C++ runtimes are linked in.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "elf_symbols.h"

namespace {

const std::set<std::string> kWindowsOwn = {"kernel32.dll", "user32.dll", "advapi32.dll",
                                           "msvcrt.dll",   "normaliz.dll"};

TEST(DllImports, OnlyWindowsOwnLibrariesAndIbUtil) {
  for (const char* path : {UDFZEL_MODULE_PATH, UDFZEL_UDR_MODULE_PATH}) {
    for (const std::string& library : udfzel_test::ImportedLibraries(path)) {
      const bool allowed = kWindowsOwn.count(library) != 0 || library.rfind("api-ms-win-", 0) == 0 ||
                           (library == "ib_util.dll" && std::string(path) == UDFZEL_MODULE_PATH);
      EXPECT_TRUE(allowed) << path << " imports " << library;
    }
  }
}

TEST(DllImports, TheLegacyModuleTakesItsResultBuffersFromIbUtil) {
  EXPECT_EQ(udfzel_test::ImportedLibraries(UDFZEL_MODULE_PATH).count("ib_util.dll"), 1u);
}

TEST(DllExports, TheUdrModuleExportsItsEntryPointAlone) {
  EXPECT_EQ(udfzel_test::ExportedSymbols(UDFZEL_UDR_MODULE_PATH),
            std::set<std::string>{"firebird_udr_plugin"});
}

}  // namespace
