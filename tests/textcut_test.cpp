#include "engines/text/textcut.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using udfzel::textcut::Range;

TEST(TextCut, BlanksAreBytesOneToThirtyTwo) {
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(udfzel::textcut::IsBlank(static_cast<char>(byte)), byte >= 1 && byte <= 32) << byte;
  }
}

TEST(TextCut, BlankRuns) {
  struct Case {
    std::string text;
    std::size_t leading;
    std::size_t kept;  // length without trailing blanks
  };
  const std::vector<Case> cases = {
      {"", 0, 0},      {"   ", 3, 0},          {"  ab  ", 2, 4},
      {"ab", 0, 2},    {"\t\n\r a", 4, 5},     {"a \x01\x1f", 0, 1},
      {"\xa0 ", 0, 1}, {"a\x20\x21", 0, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::textcut::LeadingBlankCount(c.text.c_str()), c.leading) << c.text;
    EXPECT_EQ(udfzel::textcut::LengthWithoutTrailingBlanks(c.text.c_str(), c.text.size()), c.kept)
        << c.text;
  }
}

TEST(TextCut, SubstringRanges) {
  struct Case {
    std::size_t length;
    std::int64_t start;
    std::int64_t count;
    Range range;
  };
  const std::vector<Case> cases = {
      {6, 3, 2, {2, 2}},          {6, 3, 100, {2, 4}},       {6, 6, 1, {5, 1}},
      {6, 1, 6, {0, 6}},          {6, 7, 1, {0, 0}},         {6, 0, 1, {0, 0}},
      {6, -5, 10, {0, 0}},        {6, 3, 0, {0, 0}},         {6, 3, -1, {0, 0}},
      {6, 2, INT32_MAX, {1, 5}},  {0, 1, 1, {0, 0}},         {6, INT32_MIN, INT32_MAX, {0, 0}},
      {6, INT32_MAX, INT32_MAX, {0, 0}}, {6, INT64_MAX, INT64_MAX, {0, 0}},
      {1, 1, INT64_MAX, {0, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::textcut::SubstringRange(c.length, c.start, c.count), c.range)
        << c.length << " " << c.start << " " << c.count;
  }
}

TEST(TextCut, RightRanges) {
  struct Case {
    std::size_t length;
    std::int64_t count;
    Range range;
  };
  const std::vector<Case> cases = {
      {6, 2, {4, 2}}, {6, 6, {0, 6}},         {6, 7, {0, 0}},         {6, 0, {0, 0}},
      {6, -1, {0, 0}}, {6, INT32_MAX, {0, 0}}, {6, INT32_MIN, {0, 0}}, {0, 1, {0, 0}},
      {1, 1, {0, 1}}, {6, INT64_MIN, {0, 0}}, {6, INT64_MAX, {0, 0}}, {6, INT64_MIN + 1, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::textcut::RightRange(c.length, c.count), c.range) << c.length << " " << c.count;
  }
}

}  // namespace
