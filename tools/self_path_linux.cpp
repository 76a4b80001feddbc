#include "self_path.h"

namespace udfzel {

std::filesystem::path SelfPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self;
}

}  // namespace udfzel
