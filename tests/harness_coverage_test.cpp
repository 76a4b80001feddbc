// Every harness covers every listed function: a function added to the list
// without a call in the thread and allocation harness, a UDR check, or an
// expression in the in-server concurrency run fails here.
#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "entry_calls.h"
#include "hostile_rows.h"
#include "list/function_list.h"
#include "udr_parity.h"

namespace {

template <class Item>
std::set<std::string_view> EntriesOf(const std::vector<Item>& items) {
  std::set<std::string_view> entries;
  for (const Item& item : items) entries.insert(item.entry);
  return entries;
}

TEST(Harnesses, CoverEveryListedFunction) {
  std::set<std::string_view> listed;
  for (const auto& fn : udfzel::kFunctions) listed.insert(fn.entry);
  const std::vector<std::pair<const char*, std::set<std::string_view>>> harnesses = {
      {"thread and allocation calls", EntriesOf(udfzel_test::EntryCalls())},
      {"UDR checks", EntriesOf(udfzel_fuzz::UdrChecks())},
      {"in-server hostile rows", EntriesOf(udfzel_test::HostileUses())},
  };
  for (const auto& [harness, covered] : harnesses) EXPECT_EQ(covered, listed) << harness;
}

}  // namespace
