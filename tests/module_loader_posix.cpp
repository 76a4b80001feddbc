// dlopen and dlclose; a lifecycle child holds ICU's common library as the
// server does (for its own collations).
#include <dlfcn.h>
#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

#include "module_loader.h"

namespace udfzel_test {

void* LoadModule(const char* path) {
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

std::string LastLoadError() {
  const char* error = dlerror();
  return error != nullptr ? error : "";
}

void* ModuleEntry(void* module, const char* name) {
  return dlsym(module, name);
}

void UnloadModule(void* module) {
  dlclose(module);
}

bool ModuleIsLoaded(const char* path) {
  void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

void FillFreedAddresses() {
  constexpr std::size_t kSize = std::size_t{64} << 20;
  void* block = mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block != MAP_FAILED) std::memset(block, 0xA5, kSize);
}

std::vector<std::string> LifecycleLocales() {
  return {"pt_BR.UTF-8", "en_US.UTF-8", "ja_JP.UTF-8@calendar=japanese", "th_TH.UTF-8", "C"};
}

namespace {

void SetLocale(const char* locale) {
  unsetenv("LC_ALL");
  setenv("LANG", locale, 1);
}

}  // namespace

bool EnterChildLocale(const std::string& locale) {
  SetLocale(locale.c_str());
  return dlopen(UDFZEL_ICU_COMMON_LIBRARY, RTLD_NOW | RTLD_GLOBAL) != nullptr;
}

void EnterHarnessLocale() {
  const char* lang = std::getenv("UDFZEL_TEST_LANG");
  SetLocale(lang != nullptr ? lang : "C");
}

}  // namespace udfzel_test
