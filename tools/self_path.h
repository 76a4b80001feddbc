// Where the running program's file is, for tools that find files installed
// beside them. One file per platform implements it; the build picks it.
#pragma once

#include <filesystem>

namespace udfzel {

// The running program's file; empty when the platform cannot say.
std::filesystem::path SelfPath();

}  // namespace udfzel
