// The built legacy module (udfzel.so, udfzel.dll), opened as the server
// opens it (dlopen, LoadLibrary) and read by name.
#pragma once

namespace udfzel_test {

// Address of an exported entry point, or null when the module lacks it.
void* ModuleSymbol(const char* name);

// The entry point `name` as a function of type Fn; fails the test if absent.
template <class Fn>
Fn* Entry(const char* name) {
  return reinterpret_cast<Fn*>(ModuleSymbol(name));
}

const char* ModulePath();

}  // namespace udfzel_test
