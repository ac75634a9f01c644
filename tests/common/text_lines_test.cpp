#include "common/text_lines.h"

#include <gtest/gtest.h>

namespace velmora::text {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLines, EveryLineEndKindSplitsAndAFinalEndAddsNoLine) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(splitLines("a\r"), (Lines{"a"}));
  EXPECT_EQ(splitLines(""), Lines{});
}

TEST(TextLines, EmptyLinesInsideTheTextAreKept) {
  EXPECT_EQ(splitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitLines("\n"), (Lines{""}));
  EXPECT_EQ(splitLines("\n\n"), (Lines{"", ""}));
  // CR CR LF is an empty line after "a": the first CR ends "a", CR LF ends "".
  EXPECT_EQ(splitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(TextLines, JoinEndsEveryLineWithCrLfAndSplitsBack) {
  Lines lines{"C:\\Windows", "", "D:\\Папка"};
  EXPECT_EQ(joinLinesCrLf(lines), "C:\\Windows\r\n\r\nD:\\Папка\r\n");
  EXPECT_EQ(splitLines(joinLinesCrLf(lines)), lines);
}

TEST(TextLines, AsciiLowerTouchesOnlyLatinCapitals) {
  EXPECT_EQ(asciiLower("C:\\Program Files"), "c:\\program files");
  // Cyrillic capitals are multi-byte UTF-8 and stay exactly as they are.
  EXPECT_EQ(asciiLower("C:\\ПАПКА"), "c:\\ПАПКА");
}

}  // namespace
}  // namespace velmora::text
