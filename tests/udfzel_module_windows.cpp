// The built udfzel.dll, opened with LoadLibrary and read with
// GetProcAddress, as the server opens it. Its ib_util.dll is the one beside
// the test programs, as the server's is beside the server. UDFZEL_TEST_MODULE
// names another copy (the one unzipped from the kit).
#include "udfzel_module.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace udfzel_test {
namespace {

const char* const kPath = [] {
  const char* named = std::getenv("UDFZEL_TEST_MODULE");
  return named != nullptr && *named != '\0' ? named : UDFZEL_MODULE_PATH;
}();

HMODULE OpenModule() {
  HMODULE module = LoadLibraryExA(kPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load %s: error %lu\n", kPath, GetLastError());
    std::abort();
  }
  return module;
}

}  // namespace

const char* ModulePath() { return kPath; }

void* ModuleSymbol(const char* name) {
  static const HMODULE module = OpenModule();
  void* symbol = reinterpret_cast<void*>(GetProcAddress(module, name));
  if (symbol == nullptr) {
    std::fprintf(stderr, "%s does not export %s\n", kPath, name);
    std::abort();
  }
  return symbol;
}

}  // namespace udfzel_test
