// Writes what every entry point of the loaded legacy module gives on a fixed
// set of inputs: the seeds of the fuzz corpus and pseudo-random inputs of
// the fuzz grammar, one line per call: the entry, the input's number, and
// everything the call made observable (the result and the argument
// buffers), in hex. The Linux module and the Windows DLL under wine must
// write the same bytes wherever the two loaded locale records agree.
//   entry_renders CORPUS_DIR OUTPUT_FILE [RANDOM_INPUTS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "entry_calls.h"

namespace {

std::vector<std::string> Inputs(const std::filesystem::path& corpus, std::size_t randomCount) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());  // the same order on every platform
  std::vector<std::string> inputs;
  for (const auto& file : files) {
    std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(file)), '\0');
    std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    inputs.push_back(bytes);
  }
  for (std::size_t i = 0; i < randomCount; ++i) {
    inputs.push_back(udfzel_fuzz::PseudoRandomBytes(20000 + i, 8 + i % 120));
  }
  return inputs;
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fputs("usage: entry_renders CORPUS_DIR OUTPUT_FILE [RANDOM_INPUTS]\n", stderr);
    return 2;
  }
  const std::size_t randomCount = argc == 4 ? std::strtoul(argv[3], nullptr, 10) : 2000;
  const std::vector<std::string> inputs = Inputs(argv[1], randomCount);
  std::ofstream out(argv[2], std::ios::binary);
  for (const udfzel_test::EntryCall& call : udfzel_test::EntryCalls()) {
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      out << call.entry << ' ' << i << ' ' << Hex(udfzel_test::RunOn(call, inputs[i])) << '\n';
    }
  }
  return out.good() ? 0 : 1;
}
