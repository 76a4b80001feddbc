#include "frame/udf_glob.h"

#include "frame/text_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using udfzel::CopyToResult;

// ResultBuffers come from ib_util_malloc, which the server frees; here the
// test frees them (ib_util_malloc allocates with malloc).
struct Freed {
  void operator()(char* block) const { std::free(block); }
};
using Block = std::unique_ptr<char, Freed>;

TEST(CopyToResult, MeasuresAndCopiesTheText) {
  for (const std::string& text :
       std::vector<std::string>{"", "a", "hello world", std::string(40000, 'z')}) {
    Block block(CopyToResult(text.c_str(), nullptr, 0));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(block.get()), text);
  }
}

TEST(CopyToResult, EmptyTextIsOneZeroByteNotNull) {
  Block block(CopyToResult("", nullptr, 0));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block.get()[0], '\0');
}

TEST(CopyToResult, NoSourceGivesAnEmptyBlockOfTheAskedSize) {
  Block block(CopyToResult(nullptr, nullptr, 5));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block.get()[0], '\0');
  std::memset(block.get(), 'x', 5);  // the whole block is ours to fill
}

TEST(CopyToResult, SameSourceAndDestinationCopiesNothing) {
  char text[] = "keep";
  EXPECT_EQ(CopyToResult(text, text, 0), text);
  EXPECT_STREQ(text, "keep");
}

TEST(CopyToResult, GivenDestinationTakesExactlyCountBytes) {
  char dest[8] = "xxxxxxx";
  EXPECT_EQ(CopyToResult("abcdef", dest, 3), dest);
  EXPECT_EQ(std::string(dest, 8), std::string("abcxxxx\0", 8));
  EXPECT_EQ(CopyToResult("abcdef", dest, 1), dest);
  EXPECT_EQ(dest[0], '\0');
  EXPECT_EQ(dest[1], 'b');
}

TEST(GuardedCall, ExceptionsBecomeNeutralResults) {
  EXPECT_EQ(udfzel::GuardedCall([]() -> char* { throw std::bad_alloc(); }), nullptr);
  EXPECT_EQ(udfzel::GuardedCall([]() -> int { throw std::runtime_error("x"); }), 0);
  EXPECT_EQ(udfzel::GuardedCall([]() -> double { throw 42; }), 0.0);
  EXPECT_EQ(udfzel::GuardedCall([]() -> int { return 7; }), 7);
}

// A buffer that has to drop bytes keeps what fitted and says it cut.
TEST(TextBuffer, SaysWhenItCut) {
  struct Case {
    const char* name;
    void (*write)(udfzel::TextBuffer&);
    std::string text;
    bool truncated;
  };
  const std::vector<Case> cases = {
      {"fits", [](udfzel::TextBuffer& b) { b.Append("abc"); }, "abc", false},
      {"append cut", [](udfzel::TextBuffer& b) { b.Append("abcdefgh"); }, "abcde", true},
      {"puts cut",
       [](udfzel::TextBuffer& b) {
         for (char c : std::string("abcdefg")) b.Put(c);
       },
       "abcde", true},
      {"insert cut",
       [](udfzel::TextBuffer& b) {
         b.Append("abcd");
         b.Insert(1, '-', 3);
       },
       "a-bcd", true},
      {"claim refused",
       [](udfzel::TextBuffer& b) {
         b.Append("ab");
         b.Claim(4);
       },
       "ab", true},
      {"cleared",
       [](udfzel::TextBuffer& b) {
         b.Append("abcdefgh");
         b.Clear();
         b.Append("x");
       },
       "x", false},
  };
  for (const Case& c : cases) {
    udfzel::FixedText<6> buffer;  // five bytes of text
    c.write(buffer);
    EXPECT_EQ(std::string(buffer.view()), c.text) << c.name;
    EXPECT_EQ(buffer.Truncated(), c.truncated) << c.name;
  }
}

}  // namespace
