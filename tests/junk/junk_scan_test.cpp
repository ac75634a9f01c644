#include "junk/junk_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_registry_store.h"
#include "fakes/fake_services.h"
#include "fakes/fake_shell.h"
#include "junk_scan_support.h"

namespace velmora::junk {
namespace {

class JunkScanTest : public ::testing::Test {
 protected:
  JunkScanTest() {
    rest.system.userSid = "S-1-5-21-9";
    for (char letter : {'C', 'D', 'E'}) drives.addDrive(letter, {});
  }

  std::vector<std::string> scan(RecordingView& view, std::string profile = "C:\\Profile\\") {
    JunkScan(services, std::move(profile)).run(view);
    return view.paths();
  }

  void setShellFolder(const std::string& name, const std::string& path) {
    junk::setShellFolder(registry, name, path);
  }

  fakes::FakeFileSystem files;
  fakes::FakeRegistryStore registry;
  fakes::FakeShell shell;
  fakes::FakeDrives drives;
  fakes::FakeServices rest;  // The services the scan takes beside these.
  platform::Services services{registry,    files,       drives,        shell,         rest.textFiles,
                              rest.memory, rest.system, rest.internet, rest.encoding, rest.scheduler};
};

TEST_F(JunkScanTest, JunkNamesOnEveryCheckedDriveInDriveOrder) {
  files.addFile("C:\\a\\report.~doc", 3000);
  files.addFile("C:\\a\\keep.txt");
  files.addFile("D:\\b\\data.ba~");
  files.addFile("E:\\c.~tmp");
  RecordingView view(only({JunkCategory::junkFiles}, {'D', 'C'}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"D:\\b\\data.ba~", "C:\\a\\report.~doc"}));
  EXPECT_EQ(view.listed[1].sizeBytes, 3000u);
  ASSERT_GE(view.working.size(), 1u);
  EXPECT_EQ(view.working.front(), "Reading D:\\");
  EXPECT_EQ(view.events.front(), "clear");
}

TEST_F(JunkScanTest, CheckedCatalogueRowsAndTheirCaseRules) {
  // Names that differ only in letter case are one file on Windows: separate folders.
  files.addFile("C:\\a\\Thumbs.db");
  files.addFile("C:\\b\\thumbs.db");
  files.addFile("C:\\b\\music.db");
  files.addFile("C:\\c\\setup.tmp");
  files.addFile("C:\\d\\SETUP.TMP");
  auto choices = only({JunkCategory::junkFiles});
  choices.checkedPatterns = {"Thumbs.db", "*.tmp"};
  RecordingView view(choices);
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\a\\Thumbs.db", "C:\\c\\setup.tmp"}));
}

TEST_F(JunkScanTest, JunkAndShortcutCategoriesEachWalkTheDrive) {
  files.addFile("C:\\dead.lnk");
  files.addFile("C:\\DEAD.LNK.~x");  // junk by name only
  files.addFile("C:\\SHORTCUT.LNK");
  files.addFile("C:\\live.lnk");
  files.addFile("C:\\target.exe");
  shell.addShortcut("C:\\dead.lnk", "C:\\gone.exe");
  shell.addShortcut("C:\\SHORTCUT.LNK", "C:\\gone.exe");
  shell.addShortcut("C:\\live.lnk", "C:\\target.exe");
  RecordingView view(only({JunkCategory::junkFiles, JunkCategory::brokenShortcuts}));
  // Row 0 lists the junk name; row 7 walks the drive again and lists the dead
  // shortcut; the upper-case SHORTCUT.LNK is never examined.
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\DEAD.LNK.~x", "C:\\dead.lnk"}));
  EXPECT_EQ(std::count(view.working.begin(), view.working.end(), "Reading C:\\"), 2);
}

TEST_F(JunkScanTest, OnlyAShortcutWhoseTargetTheSystemReportsMissingIsBroken) {
  fakes::FakeDrive network;
  network.type = platform::DriveType::remote;
  drives.addDrive('N', network);
  files.addFolder("C:\\Users\\u\\Downloads");
  const std::pair<const char*, const char*> shortcuts[] = {
      {"C:\\L\\gone.lnk", "C:\\gone.exe"},                 // broken
      {"C:\\L\\gone folder.lnk", "C:\\Gone\\Sub\\x.doc"},  // broken: path not found
      {"C:\\L\\folder.lnk", "C:\\Users\\u\\Downloads"},    // a live folder
      {"C:\\L\\server.lnk", "\\\\outside\\share\\x.exe"},  // never looked up
      {"C:\\L\\mapped.lnk", "N:\\x.exe"},                  // network drive: never looked up
      {"C:\\L\\unplugged.lnk", "U:\\x.exe"},               // a drive that is not there
      {"C:\\L\\namespace.lnk", ""},                        // no file-system path
  };
  for (const auto& [shortcut, target] : shortcuts) {
    files.addFile(shortcut);
    shell.addShortcut(shortcut, target);
  }
  files.addFile("C:\\L\\damaged.lnk");  // cannot be loaded as a shortcut
  RecordingView view(only({JunkCategory::brokenShortcuts}));
  std::vector<std::string> found = scan(view);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"C:\\L\\gone folder.lnk", "C:\\L\\gone.lnk"}));
}

TEST_F(JunkScanTest, AFileFoundByTwoCategoriesIsListedTwice) {
  files.addFile("C:\\Profile\\Local Settings\\Temp\\x.~tmp", 2048);
  RecordingView view(only({JunkCategory::junkFiles, JunkCategory::temporary}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\Profile\\Local Settings\\Temp\\x.~tmp",
                                                  "C:\\Profile\\Local Settings\\Temp\\x.~tmp"}));
}

TEST_F(JunkScanTest, ProfileCategoriesUseTodaysFoldersWhenTheOldOnesAreGone) {
  files.addFile("C:\\Users\\u\\AppData\\Local\\Temp\\t1.dat");
  files.addFile("C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\doc.lnk");
  files.addFile("C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\INetCache\\page.htm");
  setShellFolder("Local AppData", "C:\\Users\\u\\AppData\\Local");
  setShellFolder("Recent", "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent");
  setShellFolder("Cache", "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\INetCache");
  setShellFolder("Cookies", "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Cookies");
  RecordingView view(only({JunkCategory::cookies, JunkCategory::recent, JunkCategory::temporary,
                           JunkCategory::temporaryInternet}));
  EXPECT_EQ(
      scan(view, "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\"),
      (std::vector<std::string>{"C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\doc.lnk",
                                "C:\\Users\\u\\AppData\\Local\\Temp\\t1.dat",
                                "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\INetCache\\page.htm"}));
}

TEST_F(JunkScanTest, JumpListsAndPinsInRecentAreNeverListed) {
  // Recent of Windows 7 and later: document shortcuts beside the jump lists and pins.
  const std::string recent = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent";
  for (const char* kept : {"\\AutomaticDestinations\\5f7b5f1e01b83767.automaticDestinations-ms",
                           "\\customdestinations\\28c8b86deab549a1.customDestinations-ms"})
    files.addFile(recent + kept);
  files.addFile(recent + "\\report.docx.lnk");
  files.addFolderLink("C:\\Users\\u\\Recent");
  setShellFolder("Recent", recent);
  RecordingView view(only({JunkCategory::recent}));
  EXPECT_EQ(scan(view, "C:\\Users\\u\\"), std::vector<std::string>{recent + "\\report.docx.lnk"});
}

TEST_F(JunkScanTest, TheOldProfileFolderWinsWhereItExists) {
  files.addFile("C:\\Profile\\Cookies\\old.txt");
  files.addFile("C:\\Elsewhere\\new.txt");
  setShellFolder("Cookies", "C:\\Elsewhere");
  RecordingView view(only({JunkCategory::cookies}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\Profile\\Cookies\\old.txt"}));
  // With no profile folder at all the relative paths are refused: nothing listed.
  RecordingView empty(only({JunkCategory::history}));
  EXPECT_TRUE(scan(empty, "").empty());
}

TEST_F(JunkScanTest, RecycleBinOfOldAndNewWindows) {
  files.addFile("C:\\Recycler\\S-1-5-21-9\\Dc1.txt");
  files.addFile("D:\\$Recycle.Bin\\S-1-5-21-9\\$R1.txt");
  RecordingView view(only({JunkCategory::recycleBin}, {'C', 'D'}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\Recycler\\S-1-5-21-9\\Dc1.txt",
                                                  "D:\\$Recycle.Bin\\S-1-5-21-9\\$R1.txt"}));
  EXPECT_TRUE(view.working.size() == 2u);  // only the two files: no "Reading" line for the bin
}

TEST_F(JunkScanTest, ARootThatIsOrLiesBelowALinkIsNeverWalked) {
  // C:\Recycler is a junction to someone's documents: the bin of today is taken.
  files.addFolderLink("C:\\Recycler");
  files.addFile("C:\\Recycler\\precious.doc");
  files.addFile("C:\\$Recycle.Bin\\S-1-5-21-9\\$R1.txt");
  // D: has only a link for a bin: nothing is walked there.
  files.addFolderLink("D:\\$Recycle.Bin");
  files.addFile("D:\\$Recycle.Bin\\precious.doc");
  // "Local Settings" is a junction, as on every Windows since Vista: the temporary
  // folder is taken from "Shell Folders". The cache's place there lies below a
  // link itself, and adds nothing.
  files.addFolderLink("C:\\Profile\\Local Settings");
  files.addFile("C:\\Profile\\Local Settings\\Temp\\precious.doc");
  files.addFile("C:\\Users\\u\\AppData\\Local\\Temp\\t1.dat");
  setShellFolder("Local AppData", "C:\\Users\\u\\AppData\\Local");
  files.addFolderLink("C:\\Moved");
  files.addFile("C:\\Moved\\INetCache\\precious.htm");
  setShellFolder("Cache", "C:\\Moved\\INetCache");
  RecordingView view(
      only({JunkCategory::temporary, JunkCategory::temporaryInternet, JunkCategory::recycleBin}, {'C', 'D'}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\Users\\u\\AppData\\Local\\Temp\\t1.dat",
                                                  "C:\\$Recycle.Bin\\S-1-5-21-9\\$R1.txt"}));
}

TEST_F(JunkScanTest, AnOldProfileFolderThatRefusesListingGivesWayToItsShellFolder) {
  files.addFile("C:\\Profile\\Cookies\\hidden.txt");
  files.setListable("C:\\Profile\\Cookies", false);
  files.addFile("C:\\Users\\u\\Cookies\\c.txt");
  setShellFolder("Cookies", "C:\\Users\\u\\Cookies");
  RecordingView view(only({JunkCategory::cookies}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\Users\\u\\Cookies\\c.txt"}));
}

TEST_F(JunkScanTest, ALinkInsideTheTempFolderNeverMakesItsTargetJunk) {
  files.addFile("C:\\Precious\\canary.doc");
  files.addFile("C:\\Profile\\Local Settings\\Temp\\a.tmp");
  files.addFolderLink("C:\\Profile\\Local Settings\\Temp\\link");
  files.addFile("C:\\Profile\\Local Settings\\Temp\\link\\canary.doc");
  RecordingView view(only({JunkCategory::temporary}));
  EXPECT_EQ(scan(view), (std::vector<std::string>{"C:\\Profile\\Local Settings\\Temp\\a.tmp"}));
}

TEST_F(JunkScanTest, SizesComeFromTheListingAndLookAlikeNamesStayApart) {
  // A file another program holds open is not opened to be measured: opening it
  // exclusively would make that program's own opens fail at that instant.
  files.addFile("C:\\T\\held.~tmp", 5000);
  files.setHeldOpen("C:\\T\\held.~tmp", true);
  files.addFile("C:\\T\\big.~tmp", 5'000'000'000);
  files.addFile("C:\\T\\nul", 10);
  files.addFile("C:\\T\\name.", 20);
  files.addFile("C:\\T\\name", 30);
  auto choices = only({JunkCategory::junkFiles});
  choices.checkedPatterns = {"nul", "name.", "name"};  // whole names
  RecordingView view(choices);
  scan(view);
  std::map<std::string, std::uint64_t> sizes;
  for (const auto& f : view.listed) sizes[f.path] = f.sizeBytes;
  EXPECT_EQ(sizes, (std::map<std::string, std::uint64_t>{{"C:\\T\\held.~tmp", 5000},
                                                         {"C:\\T\\big.~tmp", 5'000'000'000},
                                                         {"C:\\T\\nul", 10},
                                                         {"C:\\T\\name.", 20},
                                                         {"C:\\T\\name", 30}}));
}

TEST_F(JunkScanTest, ProgressRestartsForEveryRootAndStopsShortOfAHundred) {
  for (int i = 0; i < 4; ++i) files.addFile("C:\\P\\Cookies\\f" + std::to_string(i));
  RecordingView view(only({JunkCategory::cookies}));
  scan(view, "C:\\P\\");
  EXPECT_EQ(view.progress, (std::vector<int>{0, 25, 50, 75}));
}

TEST_F(JunkScanTest, AStoppedScanListsNothingMore) {
  for (int i = 0; i < 20; ++i) files.addFile("C:\\S\\f" + std::to_string(i) + ".~t");
  RecordingView view(only({JunkCategory::junkFiles}));
  view.stopAfter(5);
  scan(view);
  EXPECT_EQ(view.listed.size(), 5u);
}

}  // namespace
}  // namespace velmora::junk
