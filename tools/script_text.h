// Reading and rewriting SQL script text, for the tests, the demo and the
// benchmark: they declare one face's functions under another prefix beside
// the other face's (F_TRIM and X_TRIM) to run both in one database.
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fbtest {

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// `text` with every `from` replaced by `to`, left to right.
inline std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// A declaration script (either face's) with its functions F_... declared as
// `prefix`... instead, e.g. prefix "X_".
inline std::string WithFunctionPrefix(const std::string& script, std::string_view prefix) {
  return ReplaceAll(script, "FUNCTION F_", "FUNCTION " + std::string(prefix));
}

}  // namespace fbtest
