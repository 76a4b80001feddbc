// LoadLibrary and FreeLibrary, under the user locale the test program
// started with. A module's ib_util.dll is the one beside the test
// programs, as the server's is beside the server.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "module_loader.h"

namespace udfzel_test {

void* LoadModule(const char* path) {
  return reinterpret_cast<void*>(LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

std::string LastLoadError() {
  return "error " + std::to_string(GetLastError());
}

void* ModuleEntry(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(void* module) {
  FreeLibrary(static_cast<HMODULE>(module));
}

bool ModuleIsLoaded(const char* path) {
  // The loader's own spelling of the path: drive, backslashes.
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  HMODULE module = nullptr;
  return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, full, &module) != 0;
}

void FillFreedAddresses() {
  constexpr SIZE_T kSize = SIZE_T{64} << 20;
  void* block = VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (block != nullptr) std::memset(block, 0xA5, kSize);
}

std::vector<std::string> LifecycleLocales() {
  return {"ProcessLocale"};
}

// The child's user locale is the one LC_ALL names, ll_CC as ll-CC ("C" and
// other names: whatever wine makes of them).
void EnterHarnessLocale() {}

bool EnterChildLocale(const std::string&) {
  const char* named = std::getenv("LC_ALL");
  const std::string locale = named != nullptr ? named : "";
  if (locale.size() < 5 || locale[2] != '_') return true;
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0) return false;
  const std::wstring expected = {static_cast<wchar_t>(locale[0]), static_cast<wchar_t>(locale[1]),
                                 L'-', static_cast<wchar_t>(locale[3]),
                                 static_cast<wchar_t>(locale[4])};
  return std::wstring(name).rfind(expected, 0) == 0;
}

}  // namespace udfzel_test
