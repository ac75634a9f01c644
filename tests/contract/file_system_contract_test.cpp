// The files-and-folders contract: the same cases against the in-memory fake
// (natively) and against the Win32 implementation (under Wine). A fake is right only
// where it answers as Windows does.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "file_system_world.h"

namespace velmora::contract {
namespace {

using platform::FileError;
using platform::FileSearch;
using platform::FindData;
namespace file_attribute = platform::file_attribute;

// A file time at noon UTC on 15 June of a year.
std::uint64_t juneFileTime(int year) {
  // Days from 1970-01-01 to 15 June of the year, in the proleptic Gregorian
  // calendar, counting years from March so that leap days fall at their end.
  const long long era = year / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * 3 + 2) / 5 + 15 - 1;  // June is the fourth month from March.
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = era * 146097 + dayOfEra - 719468;
  const long long secondsSince1601 = days * 86400 + 12 * 3600 + 11644473600LL;
  return static_cast<std::uint64_t>(secondsSince1601) * 10000000ULL;
}

class FileSystemContract : public ::testing::Test {
 protected:
  std::unique_ptr<FileSystemWorld> world = makeFileSystemWorld();
  platform::FileSystem& files = world->files();
  const std::string dir = world->folder();

  // Every entry a pattern finds, by name.
  std::map<std::string, FindData> listing(const std::string& pattern) {
    std::map<std::string, FindData> found;
    FindData entry;
    FileSearch search = files.findFirstFile(pattern, entry);
    if (search) {
      do found.emplace(entry.name, entry);
      while (search.findNext(entry));
    }
    return found;
  }
};

TEST_F(FileSystemContract, ListsEveryEntryWithItsAttributesSizeAndTime) {
  world->makeFile(dir + "a.txt", 3);
  world->makeFile(dir + "hidden.dat", 0);
  world->setAttributes(dir + "hidden.dat", file_attribute::hidden | file_attribute::system);
  world->makeFolder(dir + "sub");
  const std::uint64_t written = juneFileTime(2011);
  world->setLastWriteTime(dir + "a.txt", written);

  auto found = listing(dir + "*.*");
  ASSERT_EQ(found.size(), 5u);
  EXPECT_TRUE(found.at(".").isDirectory());
  EXPECT_TRUE(found.at("..").isDirectory());
  EXPECT_FALSE(found.at("a.txt").isDirectory());
  EXPECT_EQ(found.at("a.txt").size, 3u);
  EXPECT_EQ(found.at("a.txt").lastWriteTime, written);
  EXPECT_EQ(found.at("hidden.dat").attributes & (file_attribute::hidden | file_attribute::system),
            file_attribute::hidden | file_attribute::system);
  EXPECT_TRUE(found.at("sub").isDirectory());
  EXPECT_FALSE(found.at("sub").isReparsePoint());
}

TEST_F(FileSystemContract, PatternsMatchNamesWithoutRegardToCase) {
  world->makeFile(dir + "a.txt", 1);
  world->makeFile(dir + "B.TXT", 1);
  world->makeFile(dir + "c.doc", 1);

  auto texts = listing(dir + "*.txt");
  EXPECT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts.contains("a.txt"));
  EXPECT_TRUE(texts.contains("B.TXT"));
  EXPECT_EQ(listing(dir + "?.doc").size(), 1u);

  // A name without wildcards finds that one entry, spelled as it is stored.
  auto exact = listing(dir + "b.txt");
  ASSERT_EQ(exact.size(), 1u);
  EXPECT_TRUE(exact.contains("B.TXT"));

  FindData entry;
  FileSearch none = files.findFirstFile(dir + "*.zzz", entry);
  EXPECT_FALSE(none);
  EXPECT_EQ(none.error(), FileError::fileNotFound);
}

TEST_F(FileSystemContract, ListingAMissingFolderOrDriveGivesNothing) {
  FindData entry;
  FileSearch folder = files.findFirstFile(dir + "missing\\*.*", entry);
  EXPECT_FALSE(folder);
  EXPECT_EQ(folder.error(), FileError::pathNotFound);
  EXPECT_FALSE(folder.findNext(entry));

  // A drive that is not there fails at once: no dialog waits for an answer.
  FileSearch drive = files.findFirstFile(world->missingDriveRoot() + "*.*", entry);
  EXPECT_FALSE(drive);
  EXPECT_EQ(drive.error(), FileError::pathNotFound);
}

TEST_F(FileSystemContract, SizesAndTimesAre64Bit) {
  // A sparse file of 5 GiB: its size does not fit 32 bits.
  const std::uint64_t fiveGiB = 5ull << 30;
  world->makeFile(dir + "big.bin", fiveGiB);
  EXPECT_EQ(listing(dir + "big.bin").at("big.bin").size, fiveGiB);
  platform::FileSize size = files.exclusiveFileSize(dir + "big.bin");
  ASSERT_TRUE(size);
  EXPECT_EQ(size.bytes, fiveGiB);
}

// A folder read in batches gives what a search gives: the same names, attributes,
// 64-bit sizes, times and reparse flags, each entry once however many batches.
TEST_F(FileSystemContract, AFolderReadInBatchesGivesWhatASearchGives) {
  world->makeFile(dir + "big.bin", 5ull << 30);
  world->makeFile(dir + "Отчёт 报告.dat", 3);
  world->setAttributes(dir + "Отчёт 报告.dat", file_attribute::hidden | file_attribute::readOnly);
  world->setLastWriteTime(dir + "Отчёт 报告.dat", juneFileTime(1979));
  world->makeFolder(dir + "sub");
  world->makeFolderLink(dir + "link", dir + "sub");
  // Enough long names to fill a 64 KiB buffer several times over.
  for (int i = 0; i < 700; ++i) world->makeFile(dir + "sub\\" + std::string(90, 'n') + std::to_string(i), i);

  for (const std::string& folder : {dir, dir + "sub"}) {
    std::map<std::string, FindData> expected = listing(folder + (folder == dir ? "*" : "\\*"));
    std::vector<FindData> batch;
    platform::FolderListing read = files.listFolder(folder);
    int batches = 0;
    for (; read.nextBatch(batch); ++batches)
      for (const FindData& entry : batch) {
        ASSERT_EQ(expected.count(entry.name), 1u) << entry.name;
        const FindData& found = expected.at(entry.name);
        EXPECT_EQ(std::tie(entry.attributes, entry.size, entry.lastWriteTime),
                  std::tie(found.attributes, found.size, found.lastWriteTime))
            << entry.name;
        expected.erase(entry.name);
      }
    EXPECT_TRUE(expected.empty()) << folder;
    EXPECT_EQ(batches > 1, folder != dir) << folder;
  }

  EXPECT_EQ(files.listFolder(dir + "missing").error(), FileError::fileNotFound);
  EXPECT_EQ(files.listFolder(dir + "missing\\sub\\").error(), FileError::pathNotFound);
  EXPECT_FALSE(files.listFolder(world->missingDriveRoot()));
}

TEST_F(FileSystemContract, ANonLatinNameRoundTrips) {
  const std::string name = "Отчёт 报告 αβγ.txt";
  world->makeFile(dir + name, 7);

  auto found = listing(dir + "*.txt");
  ASSERT_TRUE(found.contains(name));
  EXPECT_TRUE(files.fileExists(dir + name));
  EXPECT_EQ(files.exclusiveFileSize(dir + name).bytes, 7u);
  EXPECT_TRUE(files.deleteFile(dir + name));
  EXPECT_FALSE(world->exists(dir + name));
}

TEST_F(FileSystemContract, AFileHeldOpenCannotBeSizedOrDeletedWhileHeld) {
  const std::string path = dir + "held.log";
  world->makeFile(path, 10);
  {
    auto hold = world->holdOpen(path);
    platform::FileSize size = files.exclusiveFileSize(path);
    EXPECT_FALSE(size);
    EXPECT_EQ(size.error, FileError::sharingViolation);
    platform::FileStatus deleted = files.deleteFile(path);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(deleted.error, FileError::sharingViolation);
    EXPECT_TRUE(world->exists(path));
    // Attributes need no opening: they read while the file is held.
    EXPECT_TRUE(files.getFileAttributes(path));
  }
  EXPECT_EQ(files.exclusiveFileSize(path).bytes, 10u);
  EXPECT_TRUE(files.deleteFile(path));
  EXPECT_FALSE(world->exists(path));
}

TEST_F(FileSystemContract, AReadOnlyFileIsNotDeletedAndStays) {
  const std::string path = dir + "kept.txt";
  world->makeFile(path, 2);
  world->setAttributes(path, file_attribute::readOnly);

  platform::FileStatus deleted = files.deleteFile(path);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(deleted.error, FileError::accessDenied);
  EXPECT_TRUE(world->exists(path));
  EXPECT_NE(files.getFileAttributes(path).attributes & file_attribute::readOnly, 0u);
  // Reading is still allowed.
  EXPECT_EQ(files.exclusiveFileSize(path).bytes, 2u);
}

TEST_F(FileSystemContract, MissingFilesAndFoldersFailWithTheirReason) {
  EXPECT_EQ(files.deleteFile(dir + "missing.txt").error, FileError::fileNotFound);
  EXPECT_EQ(files.exclusiveFileSize(dir + "missing.txt").error, FileError::fileNotFound);
  EXPECT_EQ(files.getFileAttributes(dir + "missing.txt").error, FileError::fileNotFound);
  EXPECT_EQ(files.deleteFile(dir + "missing\\a.txt").error, FileError::pathNotFound);
  EXPECT_EQ(files.exclusiveFileSize(dir + "missing\\a.txt").error, FileError::pathNotFound);
  EXPECT_EQ(files.getFileAttributes(dir + "missing\\a.txt").error, FileError::pathNotFound);
}

TEST_F(FileSystemContract, AFolderIsNeitherSizedNorDeletedAsAFile) {
  world->makeFolder(dir + "sub");
  EXPECT_EQ(files.exclusiveFileSize(dir + "sub").error, FileError::accessDenied);
  EXPECT_EQ(files.deleteFile(dir + "sub").error, FileError::accessDenied);
  EXPECT_TRUE(world->exists(dir + "sub"));
}

TEST_F(FileSystemContract, NamesEndingInADotOrABlankAreTheirOwnFiles) {
  world->makeFile(dir + "keep.txt", 1);
  world->makeFile(dir + "keep.txt.", 2);
  world->makeFile(dir + "keep.txt ", 3);
  EXPECT_EQ(files.exclusiveFileSize(dir + "keep.txt").bytes, 1u);
  EXPECT_EQ(files.exclusiveFileSize(dir + "keep.txt.").bytes, 2u);
  EXPECT_EQ(files.exclusiveFileSize(dir + "keep.txt ").bytes, 3u);

  EXPECT_TRUE(files.deleteFile(dir + "keep.txt."));
  EXPECT_TRUE(files.deleteFile(dir + "keep.txt "));
  EXPECT_FALSE(world->exists(dir + "keep.txt."));
  EXPECT_FALSE(world->exists(dir + "keep.txt "));
  ASSERT_TRUE(world->exists(dir + "keep.txt"));
  EXPECT_EQ(files.exclusiveFileSize(dir + "keep.txt").bytes, 1u);
  // Deleting the trimmed names again fails: they are gone, and keep.txt is not hit.
  EXPECT_FALSE(files.deleteFile(dir + "keep.txt."));
  EXPECT_TRUE(world->exists(dir + "keep.txt"));
}

TEST_F(FileSystemContract, AFileNamedLikeADeviceIsAFile) {
  const std::string path = dir + "nul";
  world->makeFile(path, 5);
  EXPECT_EQ(files.getFileAttributes(path).attributes & file_attribute::directory, 0u);
  EXPECT_TRUE(files.fileExists(path));
  EXPECT_EQ(files.exclusiveFileSize(path).bytes, 5u);
  EXPECT_TRUE(files.deleteFile(path));
  EXPECT_FALSE(world->exists(path));
}

// Wine accepts long paths in any form; on Windows they work only in the
// extended-length form the implementation hands on.
TEST_F(FileSystemContract, PathsLongerThan260CharactersWork) {
  std::string folder = dir;
  while (folder.size() < 300) {
    folder += "a-rather-long-folder-name-" + std::to_string(folder.size()) + "\\";
    world->makeFolder(folder.substr(0, folder.size() - 1));
  }
  const std::string path = folder + "deep.txt";
  world->makeFile(path, 4);
  ASSERT_GT(path.size(), 260u);

  EXPECT_TRUE(listing(folder + "*.*").contains("deep.txt"));
  EXPECT_TRUE(files.fileExists(path));
  EXPECT_TRUE(files.directoryExists(folder));
  EXPECT_EQ(files.exclusiveFileSize(path).bytes, 4u);
  EXPECT_TRUE(files.deleteFile(path));
  EXPECT_FALSE(world->exists(path));
}

TEST_F(FileSystemContract, AFolderLinkIsReportedAsAReparsePoint) {
  world->makeFolder(dir + "target");
  world->makeFile(dir + "target\\inside.txt", 1);
  world->makeFolderLink(dir + "link", dir + "target");

  auto found = listing(dir + "*.*");
  ASSERT_TRUE(found.contains("link"));
  EXPECT_TRUE(found.at("link").isReparsePoint());
  EXPECT_TRUE(found.at("link").isDirectory());
  EXPECT_FALSE(found.at("target").isReparsePoint());
  EXPECT_NE(files.getFileAttributes(dir + "link").attributes & file_attribute::reparsePoint, 0u);
  EXPECT_TRUE(files.directoryExists(dir + "link"));
  EXPECT_FALSE(files.fileExists(dir + "link"));

  // A plain folder is reached without passing through a link.
  world->makeFolder(dir + "target\\sub");
  EXPECT_TRUE(files.plainDirectoryExists(dir + "target\\sub\\"));
  EXPECT_TRUE(files.plainDirectoryExists(dir.substr(0, 3)));  // the drive root
  EXPECT_FALSE(files.plainDirectoryExists(dir + "link"));
  EXPECT_FALSE(files.plainDirectoryExists(dir + "link\\sub"));
  EXPECT_FALSE(files.plainDirectoryExists(dir + "target\\inside.txt"));
}

TEST_F(FileSystemContract, ADeletionIsNeverRedirectedByALink) {
  world->makeFolder(dir + "canaries");
  world->makeFile(dir + "canaries\\a.tmp", 1);
  world->makeFolderLink(dir + "listed", dir + "canaries");
  // A folder on the way that is a link: the file behind it stays.
  platform::FileStatus through = files.deleteFile(dir + "listed\\a.tmp");
  EXPECT_EQ(through.error, FileError::redirected);
  // The link itself is a folder to DeleteFile, and is not removed either.
  EXPECT_FALSE(files.deleteFile(dir + "listed"));
  EXPECT_TRUE(world->exists(dir + "canaries\\a.tmp"));
  EXPECT_TRUE(world->exists(dir + "listed"));
  // The file by its own path, in other letter case, goes.
  EXPECT_TRUE(files.deleteFile(dir + "CANARIES\\A.TMP"));
  EXPECT_FALSE(world->exists(dir + "canaries\\a.tmp"));
}

// Where the fake's upper-case table and Windows' agree; see the fake for where not.
TEST_F(FileSystemContract, NamesAndFoldersCompareAsTheFileSystemComparesThem) {
  const struct {
    const char* a;
    const char* b;
    bool equal;
  } names[] = {{"C:\\Документы", "c:\\документы", true},
               {"ÀÉÎÕÜ", "àéîõü", true},
               {"ΑΒΓΔ", "αβγδ", true},
               {"Straße", "STRASSE", false},
               {"a", "b", false},
               {"ab", "a", false},
               // Letter case in plain ASCII before the first other letter, and the
               // signs whose codes lie 32 apart as a letter's two cases do.
               {"C:\\Keep\\Документы", "c:\\KEEP\\ДОКУМЕНТЫ", true},
               {"C:\\Keep\\Документы", "D:\\Keep\\Документы", false},
               {"Keep", "KeepД", false},
               {"[@]^", "{`}~", false}};
  for (const auto& pair : names) EXPECT_EQ(files.equalIgnoringCase(pair.a, pair.b), pair.equal) << pair.a;

  world->makeFolder(dir + "Ünïcode");
  world->makeFolder(dir + "other");
  world->makeFolderLink(dir + "link", dir + "Ünïcode");
  const platform::FileIdentity folder = files.fileIdentity(dir + "Ünïcode");
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder.sameObject(files.fileIdentity(dir + "üNÏCODE")));
  EXPECT_TRUE(folder.sameObject(files.fileIdentity(dir + "link")));  // an open follows the link
  EXPECT_FALSE(folder.sameObject(files.fileIdentity(dir + "other")));
  EXPECT_TRUE(files.equalIgnoringCase(folder.finalPath, dir + "Ünïcode"));
  EXPECT_EQ(files.fileIdentity(dir + "missing").error, FileError::fileNotFound);
}

TEST_F(FileSystemContract, AFolderThatCannotBeListedGivesNothingButItsFilesStillAnswer) {
  world->makeFolder(dir + "closed");
  world->makeFile(dir + "closed\\a.txt", 1);
  // The Win32 world cannot make a folder unlistable under Wine (see its comment):
  // this case runs against the fake only.
  if (!world->makeUnlistable(dir + "closed")) GTEST_SKIP() << "this world cannot deny a listing";

  FindData entry;
  FileSearch search = files.findFirstFile(dir + "closed\\*.*", entry);
  EXPECT_FALSE(search);
  EXPECT_EQ(search.error(), FileError::accessDenied);
  EXPECT_TRUE(files.directoryExists(dir + "closed"));
  EXPECT_TRUE(files.getFileAttributes(dir + "closed\\a.txt"));
}

TEST_F(FileSystemContract, RelativePathsAreRefused) {
  for (const std::string path : {"relative\\a.txt", "\\rooted\\a.txt", "C:drive-relative.txt", ""}) {
    SCOPED_TRACE(path);
    FindData entry;
    EXPECT_EQ(files.findFirstFile(path, entry).error(), FileError::relativePath);
    EXPECT_EQ(files.getFileAttributes(path).error, FileError::relativePath);
    EXPECT_EQ(files.exclusiveFileSize(path).error, FileError::relativePath);
    EXPECT_EQ(files.deleteFile(path).error, FileError::relativePath);
    EXPECT_FALSE(files.fileExists(path));
    EXPECT_FALSE(files.directoryExists(path));
  }
}

TEST_F(FileSystemContract, FoldersOnTheWayAreTidiedButNamesAreNot) {
  world->makeFolder(dir + "sub");
  world->makeFile(dir + "a.txt", 6);
  EXPECT_EQ(files.exclusiveFileSize(dir + "sub\\..\\.\\a.txt").bytes, 6u);
  EXPECT_EQ(files.exclusiveFileSize(dir + "sub/../a.txt").bytes, 6u);
  EXPECT_EQ(files.exclusiveFileSize(dir + "sub\\\\..\\a.txt").bytes, 6u);
}

TEST_F(FileSystemContract, FileExistenceNeedsAFileWithADosDate) {
  world->makeFile(dir + "a.txt", 1);
  world->makeFolder(dir + "sub");
  world->makeFile(dir + "old.txt", 1);
  world->setLastWriteTime(dir + "old.txt", juneFileTime(1975));
  world->makeFile(dir + "future.txt", 1);
  world->setLastWriteTime(dir + "future.txt", juneFileTime(2150));

  EXPECT_TRUE(files.fileExists(dir + "a.txt"));
  EXPECT_TRUE(files.fileExists(dir + "A.TXT"));
  EXPECT_FALSE(files.fileExists(dir + "sub"));
  EXPECT_FALSE(files.fileExists(dir + "missing.txt"));
  EXPECT_FALSE(files.fileExists(dir + "missing\\a.txt"));
  // Outside the years 1980-2107 there is no DOS date, and no file by this test.
  EXPECT_FALSE(files.fileExists(dir + "old.txt"));
  EXPECT_FALSE(files.fileExists(dir + "future.txt"));
  // Wildcards match as a listing matches them.
  EXPECT_TRUE(files.fileExists(dir + "a.*"));
  EXPECT_FALSE(files.fileExists(dir + "*.zzz"));
}

TEST_F(FileSystemContract, DirectoryExistenceNeedsTheDirectoryBit) {
  world->makeFolder(dir + "sub");
  world->makeFile(dir + "a.txt", 1);
  EXPECT_TRUE(files.directoryExists(dir + "sub"));
  EXPECT_TRUE(files.directoryExists(dir + "SUB\\"));
  EXPECT_TRUE(files.directoryExists("C:\\"));
  EXPECT_FALSE(files.directoryExists(dir + "a.txt"));
  EXPECT_FALSE(files.directoryExists(dir + "missing"));
  EXPECT_FALSE(files.directoryExists(world->missingDriveRoot()));
}

TEST_F(FileSystemContract, CreateDirectoryMakesOneLevelAndNeverReplaces) {
  world->makeFile(dir + "a.txt", 1);
  EXPECT_TRUE(files.createDirectory(dir + "new"));
  EXPECT_TRUE(files.directoryExists(dir + "new"));
  EXPECT_EQ(files.createDirectory(dir + "NEW").error, FileError::alreadyExists);
  EXPECT_EQ(files.createDirectory(dir + "a.txt").error, FileError::alreadyExists);
  EXPECT_EQ(files.createDirectory(dir + "none\\below").error, FileError::pathNotFound);
  EXPECT_FALSE(world->exists(dir + "none"));
}

}  // namespace
}  // namespace velmora::contract
