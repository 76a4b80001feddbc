// Loading and unloading a module by path, as the server does when databases
// come and go, and the process settings such a test runs under.
#pragma once

#include <string>
#include <vector>

namespace udfzel_test {

// A loaded module's handle, or null when it could not be loaded.
void* LoadModule(const char* path);
// Why the last load failed, as the platform says it.
std::string LastLoadError();
void* ModuleEntry(void* module, const char* name);
void UnloadModule(void* module);
// Whether a module of this path is mapped in the process.
bool ModuleIsLoaded(const char* path);

// Keeps 64 MB of other data where unloaded code was, as a busy server soon
// does.
void FillFreedAddresses();

// The locales the children run under. On POSIX each child takes its own
// before its first load; Windows fixes a process's user locale when it
// starts (wine: from LC_ALL, which a child does not take from its parent's
// environment block), so there it is the test program's own, and ctest
// runs the program under several.
std::vector<std::string> LifecycleLocales();
// Takes `locale` in a child (on Windows checks the process's); false when
// it cannot.
bool EnterChildLocale(const std::string& locale);
// The locale the entry harness's module loads under: on POSIX the one
// UDFZEL_TEST_LANG names, "C" (the fallbacks) unless set; on Windows the
// process's own.
void EnterHarnessLocale();

}  // namespace udfzel_test
