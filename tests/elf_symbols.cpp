#include "elf_symbols.h"

#include <elf.h>

#include <cstdint>
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

// The ELF structures of one class: 32-bit objects for i386 and armhf,
// 64-bit ones for x86-64 and arm64.
struct Elf32 {
  using Header = Elf32_Ehdr;
  using Section = Elf32_Shdr;
  using Symbol = Elf32_Sym;
};
struct Elf64 {
  using Header = Elf64_Ehdr;
  using Section = Elf64_Shdr;
  using Symbol = Elf64_Sym;
};

// Offsets past the end come back as the largest offset, which ReadAt refuses.
std::size_t Offset(std::uint64_t value) {
  return value > SIZE_MAX ? SIZE_MAX : static_cast<std::size_t>(value);
}

template <class Elf>
typename Elf::Section SectionHeader(const std::vector<char>& image,
                                    const typename Elf::Header& header, std::size_t index) {
  return ReadAt<typename Elf::Section>(
      image, Offset(header.e_shoff + std::uint64_t{index} * header.e_shentsize));
}

template <class Elf>
std::set<std::string> DynamicSymbols(const std::vector<char>& image) {
  const auto header = ReadAt<typename Elf::Header>(image, 0);
  std::set<std::string> names;
  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const auto section = SectionHeader<Elf>(image, header, i);
    if (section.sh_type != SHT_DYNSYM) continue;
    const auto strings = SectionHeader<Elf>(image, header, section.sh_link);
    constexpr std::size_t kSymbolSize = sizeof(typename Elf::Symbol);
    for (std::size_t at = 0; at + kSymbolSize <= section.sh_size; at += kSymbolSize) {
      const auto symbol = ReadAt<typename Elf::Symbol>(image, Offset(section.sh_offset + at));
      const unsigned binding = static_cast<unsigned>(symbol.st_info) >> 4;
      if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
      const std::size_t name = Offset(std::uint64_t{strings.sh_offset} + symbol.st_name);
      if (name >= image.size()) throw std::runtime_error("symbol name beyond the end of the file");
      names.emplace(image.data() + name, strnlen(image.data() + name, image.size() - name));
    }
  }
  return names;
}

}  // namespace

std::set<std::string> ExportedSymbols(const std::string& path) {
  const std::vector<char> image = ReadFile(path);
  if (image.size() <= EI_CLASS || std::memcmp(image.data(), ELFMAG, SELFMAG) != 0) {
    throw std::runtime_error(path + " is not an ELF object");
  }
  switch (image[EI_CLASS]) {
    case ELFCLASS32:
      return DynamicSymbols<Elf32>(image);
    case ELFCLASS64:
      return DynamicSymbols<Elf64>(image);
    default:
      throw std::runtime_error(path + " is of no ELF class known here");
  }
}

}  // namespace udfzel_test
