// Loads one DLL by its path as the server loads a module and prints what
// Windows says: "loaded", or "error N" with GetLastError's number (193: a
// DLL of the other architecture; 126: a DLL it imports is not found). The
// kit's troubleshooting list is checked with it, from a folder that holds
// no ib_util.dll.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: load_probe DLL\n", stderr);
    return 2;
  }
  SetErrorMode(SEM_FAILCRITICALERRORS);
  HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    std::printf("error %lu\n", GetLastError());
    return 1;
  }
  std::puts("loaded");
  FreeLibrary(module);
  return 0;
}
