// The text entry points on server-like argument buffers: each case checks the
// returned pointer, the text it shows and every byte of the buffer afterwards.
#include <gtest/gtest.h>
#include <ibase.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "udfzel_module.h"

namespace {

using udfzel_test::Entry;

using TextFn = char*(char*) noexcept;
using CountFn = char*(char*, const ISC_LONG*) noexcept;
using RangeFn = char*(char*, const ISC_LONG*, const ISC_LONG*) noexcept;
using LengthFn = ISC_LONG(char*) noexcept;

// An argument buffer exactly as long as the text and its zero byte, so the
// sanitizer build catches any access outside it.
std::vector<char> Buffer(const std::string& text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  return buffer;
}

std::string Bytes(const std::vector<char>& buffer) {
  return {buffer.begin(), buffer.end()};
}

using namespace std::string_literals;

struct CutCase {
  const char* entry;
  std::string input;
  std::vector<ISC_LONG> args;  // the int32 arguments after the text
  std::string result;          // the text the returned pointer shows
  std::ptrdiff_t offset;       // where the returned pointer points
  std::string after;           // the whole buffer afterwards, zero byte included
};

char* CallCut(const CutCase& c, char* text) {
  switch (c.args.size()) {
    case 0:
      return Entry<TextFn>(c.entry)(text);
    case 1:
      return Entry<CountFn>(c.entry)(text, &c.args[0]);
    default:
      return Entry<RangeFn>(c.entry)(text, &c.args[0], &c.args[1]);
  }
}

const std::vector<CutCase>& CutCases() {
  static const std::vector<CutCase> cases = {
      // Trims: blanks are bytes 1..32; 160 and other high bytes are not.
      {"F_LTrim", "  ab  ", {}, "ab  ", 2, "  ab  \0"s},
      {"F_RTrim", "  ab  ", {}, "  ab", 0, "  ab\0 \0"s},
      {"F_Trim", "  ab  ", {}, "ab", 2, "  ab\0 \0"s},
      {"F_RTrim", "   ", {}, "", 0, "\0  \0"s},
      {"F_Trim", "   ", {}, "", 0, "\0  \0"s},
      {"F_LTrim", "   ", {}, "", 3, "   \0"s},
      {"F_Trim", "\t\r\nx\n\r\t", {}, "x", 3, "\t\r\nx\0\r\t\0"s},
      {"F_Trim", "\x01x\x1f", {}, "x", 1, "\x01x\0\0"s},
      {"F_Trim", "\xa0x\xa0", {}, "\xa0x\xa0", 0, "\xa0x\xa0\0"s},
      {"F_Trim", "\x21x\x7f", {}, "\x21x\x7f", 0, "\x21x\x7f\0"s},
      {"F_RTrim", "a b", {}, "a b", 0, "a b\0"s},
      {"F_LTrim", "", {}, "", 0, "\0"s},
      {"F_RTrim", "", {}, "", 0, "\0"s},
      {"F_Trim", "", {}, "", 0, "\0"s},
      // Left: counts past the end give the whole text, below 1 an empty one.
      {"F_StrLeft", "abcdef", {2}, "ab", 0, "ab\0def\0"s},
      {"F_StrLeft", "abcdef", {6}, "abcdef", 0, "abcdef\0"s},
      {"F_StrLeft", "abcdef", {100}, "abcdef", 0, "abcdef\0"s},
      {"F_StrLeft", "abcdef", {INT_MAX}, "abcdef", 0, "abcdef\0"s},
      {"F_StrLeft", "abcdef", {0}, "", 0, "\0bcdef\0"s},
      {"F_StrLeft", "abcdef", {-1}, "", 0, "\0bcdef\0"s},
      {"F_StrLeft", "abcdef", {INT_MIN}, "", 0, "\0bcdef\0"s},
      {"F_StrLeft", "", {3}, "", 0, "\0"s},
      // Right: a count past the length gives an empty text.
      {"F_StrRight", "abcdef", {2}, "ef", 4, "abcdef\0"s},
      {"F_StrRight", "abcdef", {6}, "abcdef", 0, "abcdef\0"s},
      {"F_StrRight", "abcdef", {7}, "", 0, "\0bcdef\0"s},
      {"F_StrRight", "abcdef", {0}, "", 0, "\0bcdef\0"s},
      {"F_StrRight", "abcdef", {INT_MAX}, "", 0, "\0bcdef\0"s},
      {"F_StrRight", "abcdef", {INT_MIN}, "", 0, "\0bcdef\0"s},
      {"F_StrRight", "", {1}, "", 0, "\0"s},
      // Substrings.
      {"F_SubStr", "abcdef", {3, 2}, "cd", 2, "abcd\0f\0"s},
      {"F_SubStr", "abcdef", {3, 100}, "cdef", 2, "abcdef\0"s},
      {"F_SubStr", "abcdef", {6, 1}, "f", 5, "abcdef\0"s},
      {"F_SubStr", "abcdef", {1, 6}, "abcdef", 0, "abcdef\0"s},
      {"F_SubStr", "abcdef", {1, 5}, "abcde", 0, "abcde\0\0"s},
      {"F_SubStr", "abcdef", {7, 1}, "", 0, "\0bcdef\0"s},
      {"F_SubStr", "abcdef", {0, 3}, "", 0, "\0bcdef\0"s},
      {"F_SubStr", "abcdef", {3, 0}, "", 0, "\0bcdef\0"s},
      {"F_SubStr", "abcdef", {3, -5}, "", 0, "\0bcdef\0"s},
      {"F_SubStr", "abcdef", {2, INT_MAX}, "bcdef", 1, "abcdef\0"s},
      {"F_SubStr", "abcdef", {INT_MAX, INT_MAX}, "", 0, "\0bcdef\0"s},
      {"F_SubStr", "abcdef", {INT_MIN, INT_MAX}, "", 0, "\0bcdef\0"s},
      {"F_SubStr", "", {1, 1}, "", 0, "\0"s},
      {"F_SubStr", "\xe7\xe3o", {2, 1}, "\xe3", 1, "\xe7\xe3\0\0"s},
  };
  return cases;
}

TEST(TextCutEntries, ReturnPointerTextAndBuffer) {
  for (const CutCase& c : CutCases()) {
    SCOPED_TRACE(std::string(c.entry) + " on \"" + c.input + "\"");
    std::vector<char> buffer = Buffer(c.input);
    char* result = CallCut(c, buffer.data());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result - buffer.data(), c.offset);
    EXPECT_EQ(std::string(result), c.result);
    EXPECT_EQ(Bytes(buffer), c.after);
  }
}

TEST(TextCutEntries, NullTextGivesNullPointer) {
  const ISC_LONG one = 1;
  EXPECT_EQ(Entry<TextFn>("F_Trim")(nullptr), nullptr);
  EXPECT_EQ(Entry<TextFn>("F_LTrim")(nullptr), nullptr);
  EXPECT_EQ(Entry<TextFn>("F_RTrim")(nullptr), nullptr);
  EXPECT_EQ(Entry<CountFn>("F_StrLeft")(nullptr, &one), nullptr);
  EXPECT_EQ(Entry<CountFn>("F_StrRight")(nullptr, &one), nullptr);
  EXPECT_EQ(Entry<RangeFn>("F_SubStr")(nullptr, &one, &one), nullptr);
  EXPECT_EQ(Entry<LengthFn>("F_StrLen")(nullptr), 0);
}

TEST(TextCutEntries, NullCountReadsAsNothing) {
  std::vector<char> buffer = Buffer("abc");
  const ISC_LONG two = 2;
  EXPECT_STREQ(Entry<CountFn>("F_StrLeft")(buffer.data(), nullptr), "");
  buffer = Buffer("abc");
  EXPECT_STREQ(Entry<RangeFn>("F_SubStr")(buffer.data(), &two, nullptr), "");
  buffer = Buffer("abc");
  EXPECT_STREQ(Entry<RangeFn>("F_SubStr")(buffer.data(), nullptr, &two), "");
}

TEST(StrLenEntry, CountsBytesToTheFirstZero) {
  struct Case {
    std::string text;
    ISC_LONG length;
  };
  const std::vector<Case> cases = {{"", 0},        {"abc", 3},
                                   {"  ", 2},      {"\xe7\xe3o", 3},
                                   {"ab\0cd"s, 2}, {std::string(32765, 'x'), 32765}};
  for (const Case& c : cases) {
    std::vector<char> buffer = Buffer(c.text);
    EXPECT_EQ(Entry<LengthFn>("F_StrLen")(buffer.data()), c.length) << c.text.size();
    EXPECT_EQ(Bytes(buffer), c.text + '\0');
  }
}

// A CSTRING at the server's largest size: every cut stays inside it.
TEST(TextCutEntries, LargestTexts) {
  const std::string big = "  " + std::string(32761, 'x') + "  ";
  std::vector<char> buffer = Buffer(big);
  char* trimmed = Entry<TextFn>("F_Trim")(buffer.data());
  EXPECT_EQ(trimmed - buffer.data(), 2);
  EXPECT_EQ(std::strlen(trimmed), 32761u);

  buffer = Buffer(big);
  const ISC_LONG start = 32763;
  const ISC_LONG count = INT_MAX;
  char* tail = Entry<RangeFn>("F_SubStr")(buffer.data(), &start, &count);
  EXPECT_EQ(std::string(tail), "x  ");
  EXPECT_EQ(Bytes(buffer), big + '\0');
}

// A masked text as long as the largest text result passes whole; one byte
// more is SQL NULL, never a text cut to fit.
TEST(MaskEntry, LongerThanAnyTextResultIsNullNotACut) {
  using MaskFn = char*(const char*, const char*) noexcept;
  for (const std::size_t digits : {32762u, 32763u}) {
    const std::string value(digits, '1');
    char* masked = Entry<MaskFn>("F_FormatMaskText")("0-0-0-0;0;_", value.c_str());
    if (digits == 32762u) {
      ASSERT_NE(masked, nullptr);
      EXPECT_EQ(std::strlen(masked), 32765u);
      EXPECT_EQ(std::string(masked, 8), "1-1-1-11");
      std::free(masked);
    } else {
      EXPECT_EQ(masked, nullptr);
    }
  }
}

}  // namespace
