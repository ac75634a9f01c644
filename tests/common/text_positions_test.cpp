#include "common/text_positions.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora::text {
namespace {

TEST(TextPositions, PosIsOneBasedAndZeroWhenAbsent) {
  EXPECT_EQ(pos("db", "Thumbs.db"), 8u);
  EXPECT_EQ(pos("T", "Thumbs.db"), 1u);
  EXPECT_EQ(pos("x", "Thumbs.db"), 0u);
  EXPECT_EQ(pos("", "Thumbs.db"), 0u);
  // Exact comparison: letter case matters.
  EXPECT_EQ(pos("DB", "Thumbs.db"), 0u);
}

TEST(TextPositions, LastDelimiterFindsTheLastOfAnyCharacter) {
  EXPECT_EQ(lastDelimiter("\\/", "C:\\a/b\\c.txt"), 7u);
  EXPECT_EQ(lastDelimiter(".", "archive.tar.gz"), 12u);
  EXPECT_EQ(lastDelimiter(".", "README"), 0u);
  EXPECT_EQ(lastDelimiter(".", ""), 0u);
}

TEST(TextPositions, CopyClampsStartAndCountToTheText) {
  EXPECT_EQ(copy("HKEY_CURRENT_USER", 1, 4), "HKEY");
  EXPECT_EQ(copy("abc", 2, 100), "bc");
  EXPECT_EQ(copy("abc", 0, 2), "ab");
  EXPECT_EQ(copy("abc", 4, 1), "");
  EXPECT_EQ(copy("abc", 2, 0), "");
  EXPECT_EQ(copy("abc", 2, -1), "");
  EXPECT_EQ(copy("abc", 1, std::numeric_limits<std::ptrdiff_t>::max()), "abc");
  EXPECT_EQ(copy("", 1, 1), "");
}

}  // namespace
}  // namespace velmora::text
