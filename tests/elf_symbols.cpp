#include "elf_symbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace udfzel_test {
namespace {

template <class T>
T ReadAt(const std::vector<char>& image, std::size_t offset) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) {
    throw std::runtime_error("ELF structure beyond the end of the file");
  }
  T value;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return value;
}

std::vector<char> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Elf64_Shdr SectionHeader(const std::vector<char>& image, const Elf64_Ehdr& header,
                         std::size_t index) {
  return ReadAt<Elf64_Shdr>(image, header.e_shoff + index * header.e_shentsize);
}

}  // namespace

std::set<std::string> ExportedSymbols(const std::string& path) {
  const std::vector<char> image = ReadFile(path);
  const auto header = ReadAt<Elf64_Ehdr>(image, 0);
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) {
    throw std::runtime_error(path + " is not a 64-bit ELF object");
  }
  std::set<std::string> names;
  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const Elf64_Shdr section = SectionHeader(image, header, i);
    if (section.sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr strings = SectionHeader(image, header, section.sh_link);
    for (std::size_t at = 0; at + sizeof(Elf64_Sym) <= section.sh_size; at += sizeof(Elf64_Sym)) {
      const auto symbol = ReadAt<Elf64_Sym>(image, section.sh_offset + at);
      const unsigned binding = ELF64_ST_BIND(symbol.st_info);
      if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
      const std::size_t name = strings.sh_offset + symbol.st_name;
      if (name >= image.size()) throw std::runtime_error("symbol name beyond the end of the file");
      names.emplace(image.data() + name, strnlen(image.data() + name, image.size() - name));
    }
  }
  return names;
}

}  // namespace udfzel_test
