// Reads what a module exports: the dynamic symbol table of an ELF shared
// object (elf_symbols.cpp), or the export table of a PE DLL (pe_symbols.cpp).
#pragma once

#include <set>
#include <string>

namespace udfzel_test {

// Names of the symbols the module defines and exports (ELF: global or weak,
// defined in one of its sections). Throws std::runtime_error on a file that
// is not a readable 64-bit ELF object, or PE image.
std::set<std::string> ExportedSymbols(const std::string& path);

// PE only: the DLLs the image imports from, in lower case.
std::set<std::string> ImportedLibraries(const std::string& path);

}  // namespace udfzel_test
