#include "udfzel_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace udfzel_test {
namespace {

void* OpenModule() {
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
