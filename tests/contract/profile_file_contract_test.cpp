// Our profile reader and writer held against Windows' own GetPrivateProfileString
// and WritePrivateProfileString on the same files. Natively the cases check our code
// on the in-memory files alone; under Wine they check it on real files and check
// that Windows gives the same answers.
#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "profile_reference.h"
#include "text_files_world.h"

namespace velmora::contract {
namespace {

using platform::ProfileFile;

constexpr std::string_view kDefault = "default";

// Where there is a Windows to ask, it reads expected for key in section of the file.
void expectWindowsReads(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view expected) {
  const std::optional<std::string> windows = windowsReadString(path, section, key, kDefault);
  if (windows) {
    EXPECT_EQ(*windows, expected) << "Windows, [" << section << "] " << key;
  }
}

class ProfileFileContract : public ::testing::Test {
 protected:
  // A new file holding bytes. Every case gets a file of its own, since Windows
  // caches the profile files it has read.
  std::string fileWith(std::string_view bytes) {
    const std::string path = world->path("profile" + std::to_string(++files_) + ".ini");
    world->plant(path, bytes);
    return path;
  }

  // Both readers answer expected for key in section of a file holding bytes.
  void expectRead(std::string_view bytes, std::string_view section, std::string_view key,
                  std::string_view expected) {
    const std::string path = fileWith(bytes);
    SCOPED_TRACE(::testing::Message()
                 << "[" << section << "] " << key << " in " << ::testing::PrintToString(bytes));
    EXPECT_EQ(ProfileFile(world->files(), path).readString(section, key, kDefault), expected) << "ours";
    expectWindowsReads(path, section, key, expected);
  }

  std::unique_ptr<TextFilesWorld> world = makeTextFilesWorld();

 private:
  int files_ = 0;
};

TEST_F(ProfileFileContract, NamesMatchWithoutRegardToCase) {
  const std::string settings =
      "[Options]\r\nLanguage=English\r\nfirstStart=0\r\n[Interface]\r\nMFile->Caption=File\r\n";
  expectRead(settings, "Options", "Language", "English");
  expectRead(settings, "OPTIONS", "language", "English");
  expectRead(settings, "interface", "mfile->caption", "File");
  expectRead(settings, "Options", "firstStart", "0");
}

TEST_F(ProfileFileContract, BlanksAroundLinesNamesAndValuesDoNotCount) {
  const std::string file =
      "  [Options]  \r\n   Language   =   Russian   \r\n\tdelay\t=\t20\t\r\nlabel= two  words \r\n";
  expectRead(file, "Options", "Language", "Russian");
  expectRead(file, "Options", "delay", "20");
  expectRead(file, "Options", "label", "two  words");
  expectRead(file, " Options ", " Language ", "Russian");
}

TEST_F(ProfileFileContract, OnePairOfMatchingQuotesIsRemoved) {
  const std::string file =
      "[Q]\r\n"
      "double=\"quoted value\"\r\n"
      "single='single'\r\n"
      "mixed=\"mixed'\r\n"
      "lone=\"\r\n"
      "empty=\"\"\r\n"
      "padded=  \" padded \"  \r\n"
      "inner=a\"b\"\r\n"
      "nested=\"a\"b\"\r\n";
  expectRead(file, "Q", "double", "quoted value");
  expectRead(file, "Q", "single", "single");
  expectRead(file, "Q", "mixed", "\"mixed'");
  expectRead(file, "Q", "lone", "\"");
  expectRead(file, "Q", "empty", "");
  expectRead(file, "Q", "padded", " padded ");
  expectRead(file, "Q", "inner", "a\"b\"");
  expectRead(file, "Q", "nested", "a\"b");
}

TEST_F(ProfileFileContract, TheFirstOfDuplicateKeysCounts) {
  expectRead("[S]\r\nk=first\r\nK=second\r\n", "S", "k", "first");
}

TEST_F(ProfileFileContract, MissingPiecesGiveTheDefault) {
  const std::string file = "k=before any section\r\n[A]\r\nk=a\r\n[B]\r\nj=b\r\n";
  expectRead(file, "C", "k", kDefault);
  expectRead(file, "A", "j", kDefault);
  expectRead(file, "B", "k", kDefault);
  expectRead("", "A", "k", kDefault);
  // A key without "=" has no value.
  expectRead("[S]\r\nk\r\n", "S", "k", kDefault);

  const std::string absent = world->path("absent.ini");
  EXPECT_EQ(ProfileFile(world->files(), absent).readString("A", "k", kDefault), kDefault);
  expectWindowsReads(absent, "A", "k", kDefault);
}

TEST_F(ProfileFileContract, AnEmptyValueIsEmptyNotTheDefault) {
  expectRead("[S]\r\nk=\r\n", "S", "k", "");
  expectRead("[S]\r\nk=   \r\n", "S", "k", "");
}

TEST_F(ProfileFileContract, SemicolonsStartCommentsOnlyAtTheStartOfALine) {
  expectRead("[S]\r\n;k=commented out\r\n", "S", "k", kDefault);
  expectRead("[S]\r\n;k=commented out\r\nk=real ; not a comment\r\n", "S", "k", "real ; not a comment");
  expectRead("[S]\r\nk=a=b\r\n", "S", "k", "a=b");
}

TEST_F(ProfileFileContract, AnyLineEndWillDo) {
  expectRead("[S]\nfirst=1\nsecond=2\n", "S", "second", "2");
  expectRead("[S]\rfirst=1\rsecond=2\r", "S", "second", "2");
  expectRead("[S]\r\nlast=no line end", "S", "last", "no line end");
}

TEST_F(ProfileFileContract, WritingCreatesFileSectionAndKey) {
  const std::string path = world->path("new.ini");
  ProfileFile profile(world->files(), path);
  ASSERT_TRUE(profile.writeString("Options", "Language", "English"));
  ASSERT_TRUE(profile.writeString("Options", "trytofree", "64"));
  ASSERT_TRUE(profile.writeString("Other", "x", "1"));
  EXPECT_EQ(world->stored(path), "[Options]\r\nLanguage=English\r\ntrytofree=64\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(profile.readString("Options", "trytofree", kDefault), "64");
  expectWindowsReads(path, "Options", "trytofree", "64");
}

TEST_F(ProfileFileContract, WritingKeepsEveryOtherLine) {
  const std::string path = fileWith(
      "; Velmora settings\r\n"
      "[Options]\r\n"
      "Language=English\r\n"
      "\r\n"
      "firstStart=1\r\n"
      "junk line\r\n"
      "[Other]\r\n"
      "x=1\r\n");
  ProfileFile profile(world->files(), path);
  // The key is found without regard to case and keeps the file's spelling.
  ASSERT_TRUE(profile.writeString("OPTIONS", "FIRSTSTART", "0"));
  // A new key goes after the section's last line that is not blank.
  ASSERT_TRUE(profile.writeString("Options", "delay", "20"));
  EXPECT_EQ(world->stored(path),
            "; Velmora settings\r\n"
            "[Options]\r\n"
            "Language=English\r\n"
            "\r\n"
            "firstStart=0\r\n"
            "junk line\r\n"
            "delay=20\r\n"
            "[Other]\r\n"
            "x=1\r\n");
  expectWindowsReads(path, "Options", "firstStart", "0");
}

TEST_F(ProfileFileContract, WhatWindowsWritesWeReadAndTheOtherWayRound) {
  struct Entry {
    const char* section;
    const char* key;
    const char* value;
  };
  const Entry entries[] = {
      {"Options", "Language", "Russian"},
      {"Options", "firstStart", "0"},
      {"Options", "checkUpdateAtStart", "1"},
      {"Options", "trytofree", "128"},
      {"Options", "delay", "5"},
      {"Options", "autodefrag", "0"},
      {"options", "LANGUAGE", "English"},
      {"Second", "key", "with = sign"},
  };
  const std::string ours = world->path("ours.ini");
  const std::string theirs = world->path("theirs.ini");
  ProfileFile ourProfile(world->files(), ours);
  for (const Entry& e : entries) {
    ASSERT_TRUE(ourProfile.writeString(e.section, e.key, e.value));
    const std::optional<bool> written = windowsWriteString(theirs, e.section, e.key, e.value);
    if (written) {
      ASSERT_TRUE(*written);
    }
  }
  const std::pair<const char*, const char*> expected[] = {
      {"Language", "English"}, {"firstStart", "0"}, {"trytofree", "128"}, {"autodefrag", "0"}};
  for (const auto& [key, value] : expected) {
    EXPECT_EQ(ourProfile.readString("Options", key, kDefault), value);
    expectWindowsReads(ours, "Options", key, value);
    if (world->stored(theirs)) {
      EXPECT_EQ(ProfileFile(world->files(), theirs).readString("Options", key, kDefault), value);
    }
  }
  EXPECT_EQ(ourProfile.readString("Second", "key", kDefault), "with = sign");
}

TEST_F(ProfileFileContract, FailedWritesAreReportedAndLoseNothing) {
  const std::string settings = "[Options]\r\nLanguage=English\r\n";

  const std::string shared = fileWith(settings);
  world->holdOpenForReading(shared);
  EXPECT_FALSE(ProfileFile(world->files(), shared).writeString("Options", "Language", "Russian"));
  EXPECT_EQ(world->stored(shared), settings);

  // A file that exists but cannot be read is never written over with only the new
  // key in it.
  const std::string locked = fileWith(settings);
  world->holdOpenExclusively(locked);
  EXPECT_FALSE(ProfileFile(world->files(), locked).writeString("Options", "delay", "20"));

  EXPECT_FALSE(
      ProfileFile(world->files(), world->pathInMissingFolder("x.ini")).writeString("Options", "a", "b"));
}

// Our own choices where Windows would differ or is not the measure.
TEST_F(ProfileFileContract, OurReaderTakesUtf8AndAnsiAndKeepsTheDefault) {
  // "Файл": a UTF-8 language file, which Windows would take for ANSI text.
  const std::string utf8 = fileWith("[Interface]\r\nMFile->Caption=\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\r\n");
  EXPECT_EQ(ProfileFile(world->files(), utf8).readString("Interface", "MFile->Caption", "File"),
            "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB");

  const std::string ansiBytes = "Caf\xE9";
  const std::string ansi = fileWith("[S]\r\nk=" + ansiBytes + "\r\n");
  EXPECT_EQ(ProfileFile(world->files(), ansi).readString("S", "k", kDefault),
            world->encoding().ansiToUtf8(ansiBytes));

  // Writing to a file of ANSI text keeps its other lines' letters: the whole file is
  // written back as UTF-8.
  ASSERT_TRUE(ProfileFile(world->files(), ansi).writeString("S", "n", "1"));
  EXPECT_EQ(world->stored(ansi), "[S]\r\nk=" + world->encoding().ansiToUtf8(ansiBytes) + "\r\nn=1\r\n");

  // A group-box caption such as " Computer " stays as it is when its key is missing.
  EXPECT_EQ(ProfileFile(world->files(), utf8).readString("Interface", "GroupBoxHardware", " Computer "),
            " Computer ");
  EXPECT_EQ(ProfileFile(world->files(), utf8).readString("Interface", "quoted", "\"as is\""), "\"as is\"");

  // Blanks inside the brackets, and a repeated section: the first one counts.
  const std::string sections = fileWith("[ Options ]\r\na=1\r\n[Options]\r\na=2\r\nb=2\r\n");
  ProfileFile profile(world->files(), sections);
  EXPECT_EQ(profile.readString("Options", "a", kDefault), "1");
  EXPECT_EQ(profile.readString("Options", "b", kDefault), kDefault);

  // Nameless sections and keys are neither read nor written.
  EXPECT_EQ(profile.readString("", "a", kDefault), kDefault);
  EXPECT_FALSE(profile.writeString("Options", " ", "x"));
}

}  // namespace
}  // namespace velmora::contract
