// The export and import tables of a PE DLL, read from the file as the
// Windows loader reads them (32- and 64-bit images alike).
#include <cstdint>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "elf_symbols.h"

namespace udfzel_test {
namespace {

using Image = std::vector<char>;

template <class T>
T ReadAt(const Image& image, std::size_t offset) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) {
    throw std::runtime_error("PE structure beyond the end of the file");
  }
  T value;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return value;
}

std::string StringAt(const Image& image, std::size_t offset) {
  if (offset >= image.size()) throw std::runtime_error("name beyond the end of the file");
  return {image.data() + offset, strnlen(image.data() + offset, image.size() - offset)};
}

// The parts of the headers the tables are found by.
struct PeLayout {
  std::size_t sections = 0;  // file offset of the section table
  std::uint16_t sectionCount = 0;
  std::size_t directories = 0;  // file offset of the data directories
};

PeLayout LayoutOf(const Image& image) {
  if (ReadAt<std::uint16_t>(image, 0) != 0x5A4D) throw std::runtime_error("no MZ header");
  const std::size_t pe = ReadAt<std::uint32_t>(image, 0x3C);
  if (ReadAt<std::uint32_t>(image, pe) != 0x00004550) throw std::runtime_error("no PE header");
  const std::size_t coff = pe + 4;
  const std::size_t optional = coff + 20;
  const std::uint16_t magic = ReadAt<std::uint16_t>(image, optional);
  if (magic != 0x10B && magic != 0x20B) throw std::runtime_error("unknown optional header");
  PeLayout layout;
  layout.sectionCount = ReadAt<std::uint16_t>(image, coff + 2);
  layout.sections = optional + ReadAt<std::uint16_t>(image, coff + 16);
  layout.directories = optional + (magic == 0x20B ? 112 : 96);
  return layout;
}

// The file offset of a relative virtual address.
std::size_t OffsetOf(const Image& image, const PeLayout& layout, std::uint32_t rva) {
  for (std::size_t i = 0; i < layout.sectionCount; ++i) {
    const std::size_t header = layout.sections + i * 40;
    const auto size = ReadAt<std::uint32_t>(image, header + 8);
    const auto address = ReadAt<std::uint32_t>(image, header + 12);
    const auto raw = ReadAt<std::uint32_t>(image, header + 20);
    if (rva >= address && rva - address < size) return raw + (rva - address);
  }
  throw std::runtime_error("address outside every section");
}

Image ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

std::set<std::string> ExportedSymbols(const std::string& path) {
  const Image image = ReadFile(path);
  const PeLayout layout = LayoutOf(image);
  std::set<std::string> names;
  const auto exports = ReadAt<std::uint32_t>(image, layout.directories);
  if (exports == 0) return names;
  const std::size_t directory = OffsetOf(image, layout, exports);
  const auto count = ReadAt<std::uint32_t>(image, directory + 24);
  const std::size_t table = OffsetOf(image, layout, ReadAt<std::uint32_t>(image, directory + 32));
  for (std::size_t i = 0; i < count; ++i) {
    const auto name = ReadAt<std::uint32_t>(image, table + i * 4);
    names.insert(StringAt(image, OffsetOf(image, layout, name)));
  }
  return names;
}

std::set<std::string> ImportedLibraries(const std::string& path) {
  const Image image = ReadFile(path);
  const PeLayout layout = LayoutOf(image);
  std::set<std::string> names;
  const auto imports = ReadAt<std::uint32_t>(image, layout.directories + 8);
  if (imports == 0) return names;
  for (std::size_t entry = OffsetOf(image, layout, imports);; entry += 20) {
    const auto name = ReadAt<std::uint32_t>(image, entry + 12);
    if (name == 0) break;
    std::string library = StringAt(image, OffsetOf(image, layout, name));
    for (char& c : library) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.insert(library);
  }
  return names;
}

}  // namespace udfzel_test
