#include "junk/junk_name_rules.h"

#include <gtest/gtest.h>

#include "junk/catalogue.h"

namespace velmora::junk {
namespace {

TEST(JunkNameRules, MarkerCharactersInTheExtensionNeedNoCatalogue) {
  JunkPatterns none({});
  EXPECT_TRUE(none.matches("report.~doc"));  // "~" first
  EXPECT_TRUE(none.matches("data.ba~"));     // "~" third
  EXPECT_TRUE(none.matches("x.d^t"));        // "^" second
  EXPECT_TRUE(none.matches("x.e$e"));        // "$" second
  EXPECT_FALSE(none.matches("a.b"));         // one character: nothing to test at 2 or 3
  EXPECT_FALSE(none.matches("~lock"));       // "~" in the name, no extension
  EXPECT_FALSE(none.matches("notes.txt"));
  // The extension is what follows the last dot.
  EXPECT_FALSE(none.matches("a.~b.txt"));
  EXPECT_TRUE(none.matches("a.txt.~b"));
}

TEST(JunkNameRules, ExtensionPatternsCompareExactlyAfterTheFirstDot) {
  JunkPatterns patterns({"*.tmp", "bak"});
  EXPECT_TRUE(patterns.matches("setup.tmp"));
  EXPECT_FALSE(patterns.matches("SETUP.TMP"));
  EXPECT_FALSE(patterns.matches(".TMP"));
  EXPECT_TRUE(patterns.matches("file.bak"));
  EXPECT_FALSE(patterns.matches("file.bak1"));
  EXPECT_FALSE(patterns.matches("tmp"));  // no extension at all
}

TEST(JunkNameRules, WholeNamePatternsAndTheDbException) {
  JunkPatterns patterns({"Thumbs.db"});
  EXPECT_TRUE(patterns.matches("Thumbs.db"));
  EXPECT_FALSE(patterns.matches("thumbs.db"));
  EXPECT_FALSE(patterns.matches("music.db"));
  // "db" is excluded as an extension pattern even when written alone.
  EXPECT_FALSE(JunkPatterns({"*.db"}).matches("music.db"));
}

TEST(JunkNameRules, AnEmptyCatalogueLineOrExtensionMatchesNothing) {
  auto entry = parseCatalogueLine("");
  JunkPatterns patterns({entry.pattern, "*.", "*.tmp"});
  EXPECT_FALSE(patterns.matches("hosts"));
  EXPECT_FALSE(patterns.matches("Makefile"));
  EXPECT_FALSE(patterns.matches("name."));  // a trailing dot leaves an empty extension
  EXPECT_TRUE(patterns.matches("setup.tmp"));
}

TEST(JunkNameRules, ShortcutExtensionIsCaseSensitive) {
  EXPECT_TRUE(hasShortcutExtension("Game.lnk"));
  EXPECT_FALSE(hasShortcutExtension("SHORTCUT.LNK"));
  EXPECT_FALSE(hasShortcutExtension("lnk"));
  EXPECT_FALSE(hasShortcutExtension("a.lnk.txt"));
}

TEST(Catalogue, LinesSplitIntoPatternAndDescription) {
  auto tmp = parseCatalogueLine("tmp|Temporary files");
  EXPECT_EQ(tmp.pattern, "tmp");
  EXPECT_EQ(tmp.description, "Temporary files");
  auto extra = parseCatalogueLine("a|b|c");
  EXPECT_EQ(extra.pattern, "a");
  EXPECT_EQ(extra.description, "b");
  auto bare = parseCatalogueLine("no bar here");
  EXPECT_EQ(bare.pattern, "");
  EXPECT_EQ(bare.description, "no bar here");
  auto empty = parseCatalogueLine("");
  EXPECT_EQ(empty.pattern, "");
  EXPECT_EQ(empty.description, "");
}

TEST(Catalogue, EveryLineIsAnEntryInFileOrder) {
  auto entries = parseCatalogue("*.tmp|Temporary\r\n\r\nThumbs.db|Thumbnails\r\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].pattern, "*.tmp");
  EXPECT_EQ(entries[1].pattern, "");
  EXPECT_EQ(entries[2].description, "Thumbnails");
}

}  // namespace
}  // namespace velmora::junk
