#include "self_path.h"

#include <windows.h>

namespace udfzel {

std::filesystem::path SelfPath() {
  wchar_t name[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::filesystem::path(std::wstring(name, length));
}

}  // namespace udfzel
