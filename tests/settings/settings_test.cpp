#include "settings/settings.h"

#include <gtest/gtest.h>

#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"

namespace velmora::settings {
namespace {

constexpr const char* kPath = "C:\\Tools\\cleaner.ini";

class SettingsFileTest : public ::testing::Test {
 protected:
  Settings readFrom(std::string_view contents) {
    files.put(kPath, contents);
    return SettingsFile(files, kPath).read();
  }

  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files{encoding};
};

TEST(SettingsPath, FollowsTheExecutablesNameAndFolder) {
  EXPECT_EQ(SettingsFile::pathFor("X:\\Tools\\cleaner.exe"), "X:\\Tools\\cleaner.ini");
  // Two copies in one folder under different names keep separate settings.
  EXPECT_EQ(SettingsFile::pathFor("X:\\Tools\\cleaner2.exe"), "X:\\Tools\\cleaner2.ini");
  // Only the last extension of the name goes; a dot in a folder name stays.
  EXPECT_EQ(SettingsFile::pathFor("X:\\Tools.v2\\cleaner.old.exe"), "X:\\Tools.v2\\cleaner.old.ini");
  EXPECT_EQ(SettingsFile::pathFor("X:\\Tools.v2\\cleaner"), "X:\\Tools.v2\\cleaner.ini");
}

TEST_F(SettingsFileTest, AMissingFileReadsAsAllDefaults) {
  const Settings settings = SettingsFile(files, kPath).read();
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(settings.language, "English");
  EXPECT_TRUE(settings.firstStart);
  EXPECT_TRUE(settings.checkUpdateAtStart);
  EXPECT_EQ(settings.tryToFree, 64);
  EXPECT_EQ(settings.delay, 20);
  EXPECT_FALSE(settings.autoDefrag);
}

TEST_F(SettingsFileTest, BooleansAreIntegersOrWordsAndOthersReadAsTheDefault) {
  const Settings settings = readFrom(
      "[Options]\r\n"
      "Language=Russian\r\n"
      "firstStart=5\r\n"            // any non-zero integer is true
      "checkUpdateAtStart=OFF\r\n"  // a word people write for false
      "trytofree=12abc\r\n"         // not a whole integer: the default
      "delay=-3\r\n"                // negative integers are integers
      "autodefrag=-1\r\n");
  EXPECT_EQ(settings.language, "Russian");
  EXPECT_TRUE(settings.firstStart);
  EXPECT_FALSE(settings.checkUpdateAtStart);
  EXPECT_EQ(settings.tryToFree, 64);
  EXPECT_EQ(settings.delay, -3);
  EXPECT_TRUE(settings.autoDefrag);

  const Settings zeros =
      readFrom("[Options]\r\nfirstStart=0\r\ncheckUpdateAtStart= 0 \r\ntrytofree=+128\r\n");
  EXPECT_FALSE(zeros.firstStart);
  EXPECT_FALSE(zeros.checkUpdateAtStart);
  EXPECT_EQ(zeros.tryToFree, 128);

  // Empty values, and integers beyond 32 bits, are not integers either.
  const Settings odd = readFrom("[Options]\r\nfirstStart=\r\ndelay=99999999999\r\nautodefrag=1x\r\n");
  EXPECT_TRUE(odd.firstStart);
  EXPECT_EQ(odd.delay, 20);
  EXPECT_FALSE(odd.autoDefrag);
  EXPECT_EQ(odd.unreadable, std::vector<std::string>{"autodefrag=1x"});
}

TEST_F(SettingsFileTest, WritesEveryKeyInDecimalAndReadsItBack) {
  files.put(kPath, "; kept\r\n[Other]\r\nx=1\r\n");
  Settings settings;
  settings.language = "Russian";
  settings.firstStart = false;
  settings.checkUpdateAtStart = true;
  settings.tryToFree = 128;
  settings.delay = 0;
  settings.autoDefrag = true;
  settings.recycleDeleted = true;
  settings.files = {true, {true}, "CE", {{'C', 0x1A2B3C4D}}};
  SettingsFile file(files, kPath);
  ASSERT_TRUE(file.write(settings));
  EXPECT_EQ(*files.bytes(kPath),
            "; kept\r\n[Other]\r\nx=1\r\n[Options]\r\nLanguage=Russian\r\nfirstStart=0\r\n"
            "checkUpdateAtStart=1\r\ntrytofree=128\r\ndelay=0\r\nautodefrag=1\r\nrecycleDeleted=1\r\n"
            "[Files]\r\nCategories=0\r\nDrives=C:1A2B3C4D,E\r\n");
  EXPECT_EQ(file.read(), settings);
  // Written by a version without the key, the file keeps Delete as it was.
  EXPECT_FALSE(readFrom("[Options]\r\nautodefrag=1\r\n").recycleDeleted);
}

TEST_F(SettingsFileTest, TheSixKeysAreWrittenAllInOneWriteOrNotAtAll) {
  const std::string before = "[Options]\r\nLanguage=Russian\r\n";
  files.put(kPath, before);
  const int writesBefore = files.successfulWrites();
  ASSERT_TRUE(SettingsFile(files, kPath).write(Settings{}));
  EXPECT_EQ(files.successfulWrites(), writesBefore + 1);

  // A write that fails leaves the file as it was, never with some keys new.
  files.put(kPath, before);
  files.setUnwritable(kPath);
  SettingsFile file(files, kPath);
  EXPECT_FALSE(file.write(Settings{}));
  EXPECT_EQ(*files.bytes(kPath), before);
  EXPECT_EQ(unableToWriteMessage(file.path()), "Unable to write to C:\\Tools\\cleaner.ini");
}

}  // namespace
}  // namespace velmora::settings
