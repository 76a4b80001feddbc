// The module exports exactly the listed entry points, by plain names.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "elf_symbols.h"
#include "list/function_list.h"
#include "udfzel_module.h"

namespace {

TEST(Exports, ExactlyTheListedEntryPoints) {
  std::set<std::string> listed;
  for (const auto& fn : udfzel::kFunctions) listed.emplace(fn.entry);
  EXPECT_EQ(udfzel_test::ExportedSymbols(udfzel_test::ModulePath()), listed);
}

TEST(Exports, EveryListedEntryPointResolvesByName) {
  for (const auto& fn : udfzel::kFunctions) {
    EXPECT_NE(udfzel_test::ModuleSymbol(std::string(fn.entry).c_str()), nullptr) << fn.entry;
  }
}

}  // namespace
