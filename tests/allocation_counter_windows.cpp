// The heap functions every module of the test process imports, replaced in
// its import address table by counting forwarders: the program, udfzel.dll
// (the C runtime and libstdc++ are linked in, so its operator new calls the
// imported malloc too) and ib_util.dll. Windows' own modules are left alone.
#include <windows.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

#include <atomic>
#include <cstring>

#include "allocation_counter.h"

namespace {

// The counting thread, by id: MinGW's thread_local variables are allocated
// on first use, with malloc, which here would count itself.
std::atomic<DWORD> countingThread{0};
int allocations = 0;
std::size_t lastSize = 0;

void Count(std::size_t size) {
  if (countingThread.load(std::memory_order_relaxed) != GetCurrentThreadId()) return;
  ++allocations;
  lastSize = size;
}

// The originals are the addresses the first patched imports resolved to.
using MallocFn = void*(__cdecl*)(std::size_t);
using CallocFn = void*(__cdecl*)(std::size_t, std::size_t);
using ReallocFn = void*(__cdecl*)(void*, std::size_t);
using AlignedMallocFn = void*(__cdecl*)(std::size_t, std::size_t);
using AlignedReallocFn = void*(__cdecl*)(void*, std::size_t, std::size_t);
using StrdupFn = char*(__cdecl*)(const char*);
using HeapAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);

MallocFn originalMalloc;
CallocFn originalCalloc;
ReallocFn originalRealloc;
AlignedMallocFn originalAlignedMalloc;
AlignedReallocFn originalAlignedRealloc;
StrdupFn originalStrdup;
HeapAllocFn originalHeapAlloc;
HeapReAllocFn originalHeapReAlloc;

void* __cdecl CountingMalloc(std::size_t size) {
  Count(size);
  return originalMalloc(size);
}
void* __cdecl CountingCalloc(std::size_t count, std::size_t size) {
  Count(count * size);
  return originalCalloc(count, size);
}
void* __cdecl CountingRealloc(void* block, std::size_t size) {
  Count(size);
  return originalRealloc(block, size);
}
void* __cdecl CountingAlignedMalloc(std::size_t size, std::size_t alignment) {
  Count(size);
  return originalAlignedMalloc(size, alignment);
}
void* __cdecl CountingAlignedRealloc(void* block, std::size_t size, std::size_t alignment) {
  Count(size);
  return originalAlignedRealloc(block, size, alignment);
}
char* __cdecl CountingStrdup(const char* text) {
  Count(std::strlen(text) + 1);
  return originalStrdup(text);
}
LPVOID WINAPI CountingHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  Count(size);
  return originalHeapAlloc(heap, flags, size);
}
LPVOID WINAPI CountingHeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size) {
  Count(size);
  return originalHeapReAlloc(heap, flags, block, size);
}

struct Replacement {
  const char* name;
  void* forwarder;
  void** original;
};

template <class Fn>
Replacement Replace(const char* name, Fn forwarder, Fn& original) {
  return {name, reinterpret_cast<void*>(forwarder), reinterpret_cast<void**>(&original)};
}

const Replacement kReplacements[] = {
    Replace("malloc", &CountingMalloc, originalMalloc),
    Replace("calloc", &CountingCalloc, originalCalloc),
    Replace("realloc", &CountingRealloc, originalRealloc),
    Replace("_aligned_malloc", &CountingAlignedMalloc, originalAlignedMalloc),
    Replace("_aligned_realloc", &CountingAlignedRealloc, originalAlignedRealloc),
    Replace("_strdup", &CountingStrdup, originalStrdup),
    Replace("strdup", &CountingStrdup, originalStrdup),
    Replace("HeapAlloc", &CountingHeapAlloc, originalHeapAlloc),
    Replace("HeapReAlloc", &CountingHeapReAlloc, originalHeapReAlloc),
};

void Patch(ULONG_PTR& slot, const Replacement& replacement) {
  if (slot == reinterpret_cast<ULONG_PTR>(replacement.forwarder)) return;
  if (*replacement.original == nullptr) *replacement.original = reinterpret_cast<void*>(slot);
  DWORD previous = 0;
  VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &previous);
  slot = reinterpret_cast<ULONG_PTR>(replacement.forwarder);
  VirtualProtect(&slot, sizeof slot, previous, &previous);
}

void PatchImports(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return;
  for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       import->Name != 0; ++import) {
    const DWORD namesAt =
        import->OriginalFirstThunk != 0 ? import->OriginalFirstThunk : import->FirstThunk;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (const Replacement& replacement : kReplacements) {
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), replacement.name) == 0) {
          Patch(slots->u1.Function, replacement);
        }
      }
    }
  }
}

bool IsWindowsOwn(const char* path) {
  char windows[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  return length > 0 && length < MAX_PATH && _strnicmp(path, windows, length) == 0;
}

// Every module loaded by the first count gets its imports replaced, once:
// a process snapshot per count would cost more than the calls counted. The
// tests resolve their entry points before counting, and a module missed
// would show as a missing result buffer.
void PatchLoadedModules() {
  static bool done = false;
  if (done) return;
  done = true;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    if (!IsWindowsOwn(entry.szExePath)) PatchImports(entry.hModule);
  }
  CloseHandle(snapshot);
}

}  // namespace

namespace udfzel_test {

void StartCountingAllocations() {
  PatchLoadedModules();
  allocations = 0;
  countingThread = GetCurrentThreadId();
}
void StopCountingAllocations() {
  countingThread = 0;
}
int CountedAllocations() {
  return allocations;
}
std::size_t LastAllocationSize() {
  return lastSize;
}

}  // namespace udfzel_test
