// The built module, loaded once as the server loads it (module_loader.h)
// and read by name. UDFZEL_TEST_MODULE names another copy (the one
// unpacked from the Windows kit).
#include "udfzel_module.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "module_loader.h"

namespace udfzel_test {
namespace {

const char* const kPath = [] {
  const char* named = std::getenv("UDFZEL_TEST_MODULE");
  return named != nullptr && *named != '\0' ? named : UDFZEL_MODULE_PATH;
}();

void* OpenModule() {
  EnterHarnessLocale();
  void* module = LoadModule(kPath);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", kPath, LastLoadError().c_str());
    std::abort();
  }
  return module;
}

}  // namespace

const char* ModulePath() {
  return kPath;
}

void* ModuleSymbol(const char* name) {
  static void* const module = OpenModule();
  void* symbol = ModuleEntry(module, name);
  if (symbol == nullptr) {
    std::fprintf(stderr, "%s does not export %s\n", kPath, name);
    std::abort();
  }
  return symbol;
}

}  // namespace udfzel_test
