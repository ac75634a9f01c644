// The text-file contract: reading and writing whole files, checked against the
// fake natively and against real files under Wine.
#include <gtest/gtest.h>

#include "text_files_world.h"

namespace velmora::contract {
namespace {

using platform::ReadStatus;

class TextFilesContract : public ::testing::Test {
 protected:
  std::unique_ptr<TextFilesWorld> world = makeTextFilesWorld();
  platform::TextFiles& files = world->files();
};

TEST_F(TextFilesContract, Utf8IsReadAsItIsAndItsMarkDropped) {
  // Line ends are the caller's business: they arrive as stored.
  const std::string text = "[Interface]\r\nMFile->Caption=\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\n";
  const std::string plain = world->path("plain.ini");
  const std::string marked = world->path("marked.ini");
  world->plant(plain, text);
  world->plant(marked, "\xEF\xBB\xBF" + text);

  for (const std::string& path : {plain, marked}) {
    const platform::FileContents read = files.readText(path);
    ASSERT_EQ(read.status, ReadStatus::ok) << path;
    EXPECT_EQ(read.data, text);
  }
  EXPECT_EQ(files.readBytes(marked).data, "\xEF\xBB\xBF" + text);
}

TEST_F(TextFilesContract, OtherTextIsTakenForTheAnsiCodePage) {
  const std::string bytes = "C:\\Dokumente und Einstellungen\\M\xFCller\\Caf\xE9";
  const std::string path = world->path("exclusions.dat");
  world->plant(path, bytes);

  const platform::FileContents read = files.readText(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.data, world->encoding().ansiToUtf8(bytes));
  EXPECT_TRUE(world->encoding().isValidUtf8(read.data));
  if (world->encoding().ansiCodePage() == 1252) {
    EXPECT_EQ(read.data, "C:\\Dokumente und Einstellungen\\M\xC3\xBCller\\Caf\xC3\xA9");
  }
}

TEST_F(TextFilesContract, MarkedFilesKeepTheirGoodText) {
  // A UTF-8 file damaged by one stray byte keeps every other letter.
  const std::string damaged = world->path("damaged.ini");
  world->plant(damaged, "\xEF\xBB\xBF\xD0\x94\xD0\xB0 \xFF ok");
  EXPECT_EQ(files.readText(damaged).data, "\xD0\x94\xD0\xB0 \xEF\xBF\xBD ok");

  // UTF-16 little-endian, as Notepad saves "Unicode": "Да\r\n".
  const std::string wide = world->path("wide.ini");
  world->plant(wide, std::string("\xFF\xFE\x14\x04\x30\x04\r\0\n\0", 10));
  EXPECT_EQ(files.readText(wide).data, "\xD0\x94\xD0\xB0\r\n");
}

TEST_F(TextFilesContract, MissingFilesAreToldFromUnreadableOnes) {
  EXPECT_EQ(files.readText(world->path("absent.ini")).status, ReadStatus::notFound);
  EXPECT_EQ(files.readText(world->pathInMissingFolder("absent.ini")).status, ReadStatus::notFound);

  const std::string locked = world->path("locked.ini");
  world->plant(locked, "[Options]\r\n");
  world->holdOpenExclusively(locked);
  const platform::FileContents read = files.readText(locked);
  EXPECT_EQ(read.status, ReadStatus::failed);
  EXPECT_FALSE(read);
}

TEST_F(TextFilesContract, WritingReplacesTheWholeFileWithoutAMark) {
  const std::string path = world->path("settings.ini");
  ASSERT_TRUE(files.writeText(path, "[Options]\r\nLanguage=\xD0\xA0\xD1\x83\xD1\x81\r\nfirstStart=1\r\n"));
  EXPECT_EQ(world->stored(path), "[Options]\r\nLanguage=\xD0\xA0\xD1\x83\xD1\x81\r\nfirstStart=1\r\n");

  // A shorter text leaves nothing of the longer one behind.
  ASSERT_TRUE(files.writeText(path, "[Options]\r\n"));
  EXPECT_EQ(world->stored(path), "[Options]\r\n");

  ASSERT_TRUE(files.writeText(path, ""));
  EXPECT_EQ(world->stored(path), "");
}

TEST_F(TextFilesContract, FailedWritesAreReportedAndChangeNothing) {
  const std::string shared = world->path("shared.ini");
  world->plant(shared, "kept");
  world->holdOpenForReading(shared);
  EXPECT_FALSE(files.writeText(shared, "lost"));
  EXPECT_EQ(world->stored(shared), "kept");
  EXPECT_EQ(files.readText(shared).data, "kept");

  const std::string locked = world->path("locked.ini");
  world->plant(locked, "kept");
  world->holdOpenExclusively(locked);
  EXPECT_FALSE(files.writeText(locked, "lost"));

  const std::string nowhere = world->pathInMissingFolder("exclusions.dat");
  EXPECT_FALSE(files.writeText(nowhere, "C:\\Windows\r\n"));
  EXPECT_FALSE(files.createIfMissing(nowhere));
  EXPECT_EQ(files.readText(nowhere).status, ReadStatus::notFound);
}

TEST_F(TextFilesContract, CreateIfMissingNeverTouchesAnExistingFile) {
  const std::string fresh = world->path("exclusions.dat");
  ASSERT_TRUE(files.createIfMissing(fresh));
  EXPECT_EQ(world->stored(fresh), "");

  const std::string existing = world->path("junk.dat");
  world->plant(existing, "tmp|Temporary files\r\n");
  world->holdOpenForReading(existing);
  EXPECT_TRUE(files.createIfMissing(existing));
  EXPECT_EQ(world->stored(existing), "tmp|Temporary files\r\n");
}

TEST_F(TextFilesContract, PathsIgnoreLetterCaseAndTakeAnyScript) {
  ASSERT_TRUE(files.writeText(world->path("VelmoraDiskCleaner.ini"), "x=1"));
  EXPECT_EQ(files.readText(world->path("velmoradiskcleaner.INI")).data, "x=1");

  // A Cyrillic file name: "Русский.ini".
  const std::string russian = world->path("\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9.ini");
  ASSERT_TRUE(files.writeText(russian, "y=2"));
  EXPECT_EQ(files.readText(russian).data, "y=2");
  EXPECT_EQ(world->stored(russian), "y=2");
}

}  // namespace
}  // namespace velmora::contract
