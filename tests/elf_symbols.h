// Reads the dynamic symbol table of an ELF shared object.
#pragma once

#include <set>
#include <string>

namespace udfzel_test {

// Names of the symbols the object defines and exports (global or weak,
// defined in one of its sections). Throws std::runtime_error on a file that
// is not a readable 64-bit ELF object.
std::set<std::string> ExportedSymbols(const std::string& path);

}  // namespace udfzel_test
