#include "udfzel_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace udfzel_test {
namespace {

// The module reads its locale when it loads: the tests fix it to the one
// UDFZEL_TEST_LANG names, "C" (the fallbacks) unless set.
void FixLocale() {
  const char* lang = std::getenv("UDFZEL_TEST_LANG");
  unsetenv("LC_ALL");
  setenv("LANG", lang != nullptr ? lang : "C", 1);
}

void* OpenModule() {
  FixLocale();
  void* handle = dlopen(UDFZEL_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", UDFZEL_MODULE_PATH, dlerror());
    std::abort();
  }
  return handle;
}

}  // namespace

const char* ModulePath() { return UDFZEL_MODULE_PATH; }

void* ModuleSymbol(const char* name) {
  static void* const handle = OpenModule();
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    std::fprintf(stderr, "%s does not export %s\n", UDFZEL_MODULE_PATH, name);
    std::abort();
  }
  return symbol;
}

}  // namespace udfzel_test
