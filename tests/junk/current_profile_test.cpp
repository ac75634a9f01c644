// A default Search, with the delivered catalogue and exclusions, on a profile laid
// out as Windows 11 lays it out today: what it finds, and what it must not touch.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "common/text_lines.h"
#include "fakes/fake_services.h"
#include "junk/catalogue.h"
#include "junk_scan_support.h"

namespace velmora::junk {
namespace {

// Junk; the user's or a running browser's; held open by a running program (it may
// be listed, never deleted); in a folder the user cannot list.
enum class Kind { reclaimable, kept, held, notListable };
using enum Kind;

struct ProfileFile {
  const char* path;
  std::uint64_t mib;
  Kind kind;
  std::uint64_t bytes() const { return mib * 1024 * 1024 + 4096; }
};

#define U "C:\\Users\\ann\\"
#define L U "AppData\\Local\\"
#define R U "AppData\\Roaming\\"
#define CHROME L "Google\\Chrome\\User Data\\"
#define FOX "Mozilla\\Firefox\\Profiles\\k3v9.default-release\\"
#define WIN L "Microsoft\\Windows\\"
#define SID "S-1-5-21-3623811015-3361044348-30300820-100"

constexpr ProfileFile kProfile[] = {
    {CHROME "Default\\Cache\\Cache_Data\\data_1", 210, reclaimable},
    {CHROME "Profile 1\\Cache\\Cache_Data\\f_0001a2", 160, reclaimable},
    {CHROME "GrShaderCache\\data_1", 4, reclaimable},
    {CHROME "Default\\History", 40, kept},
    {CHROME "Default\\Network\\Cookies", 2, kept},
    {CHROME "Default\\IndexedDB\\https_mail.example_0.indexeddb.leveldb\\000005.ldb", 90, kept},
    {CHROME "Default\\Service Worker\\CacheStorage\\5f1a\\index", 60, kept},
    // Edge runs: its lock is held, and none of its caches may be touched.
    {L "Microsoft\\Edge\\User Data\\lockfile", 0, held},
    {L "Microsoft\\Edge\\User Data\\Profile 2\\Cache\\Cache_Data\\data_3", 280, kept},
    {L "Opera Software\\Opera Stable\\Default\\Cache\\Cache_Data\\data_2", 45, reclaimable},
    {R FOX "places.sqlite", 25, kept},
    {R FOX "parent.lock", 0, kept},  // left by a crash: Firefox is closed
    {L FOX "cache2\\entries\\0A1B2C", 130, reclaimable},
    {"C:\\Fox\\Work\\cache2\\entries\\77EE", 15, reclaimable},
    {L "D3DSCache\\8a1b2c\\4d5e.idx", 55, reclaimable},
    {WIN "WER\\ReportQueue\\AppCrash_game.exe_2c\\memory.hdmp", 310, reclaimable},
    {L "CrashDumps\\game.exe.4120.dmp", 85, reclaimable},
    {WIN "Explorer\\thumbcache_256.db", 64, reclaimable},
    {WIN "Explorer\\thumbcache_idx.db", 1, held},
    {WIN "Explorer\\ExplorerStartupLog.etl", 0, kept},
    {L "Temp\\7zS1A2B\\setup.msi", 150, reclaimable},
    {WIN "INetCache\\IE\\ABCD1234\\page[1].htm", 1, reclaimable},
    {WIN "INetCache\\Content.Outlook\\QX7Z2M1B\\Invoice (edited).xlsx", 1, kept},
    {WIN "INetCache\\Content.Outlook\\QX7Z2M1B\\~WRL0003.tmp", 1, kept},
    {WIN "WebCache\\V01.chk", 0, kept},
    {U "Documents\\Thesis.wbk", 2, kept},
    {"C:\\$Recycle.Bin\\" SID "1\\$RAB12CD.docx", 6, reclaimable},
    {"C:\\$Recycle.Bin\\" SID "2\\$R9QX2.tmp", 1, kept},
    {"C:\\Windows.old\\Users\\ann\\AppData\\Local\\Temp\\old.tmp", 1, kept},
    {"C:\\Users\\bob\\AppData\\Local\\Temp\\bob.tmp", 1, notListable},
};

std::string readDelivered(const char* name) {
  std::ostringstream text;
  text << std::ifstream(std::string(VELMORA_DATA_DIR) + "/" + name, std::ios::binary).rdbuf();
  return text.str();
}

class CurrentProfileTest : public ::testing::Test {
 protected:
  CurrentProfileTest() {
    machine.drives.addDrive('C', {});
    machine.system.userSid = SID "1";
    for (const ProfileFile& file : kProfile) {
      machine.files.addFile(file.path, file.bytes());
      machine.files.setHeldOpen(file.path, file.kind == held);
    }
    machine.files.setListable("C:\\Users\\bob", false);
    const std::string ini = R "Mozilla\\Firefox\\profiles.ini";
    machine.files.addFile(ini);
    machine.textFiles.put(ini,
                          "[Install308046B0AF4A39CB]\r\nDefault=Profiles/k3v9.default-release\r\n"
                          "[Profile1]\r\nIsRelative=0\r\nPath=C:\\Fox\\Work\r\n"
                          "[Profile0]\r\nIsRelative=1\r\nPath=Profiles/k3v9.default-release\r\n");
    for (const auto& [name, place] : {std::pair{"Local AppData", U "AppData\\Local"},
                                      {"AppData", U "AppData\\Roaming"},
                                      {"Cache", WIN "INetCache"}})
      setShellFolder(machine.registry, name, place);
  }

  // A default Search: every category, drive C:, the delivered catalogue and exclusions.
  std::set<std::string> search() {
    JunkScanChoices choices = only({}, {'C'});
    choices.categories.fill(true);
    for (const CatalogueEntry& entry : parseCatalogue(readDelivered("junk.dat")))
      choices.checkedPatterns.push_back(entry.pattern);
    choices.exclusionLines = text::splitLines(readDelivered("exclusions.dat"));
    RecordingView view(std::move(choices));
    JunkScan(machine.services, U).run(view);
    leftOpen = view.leftOpen;
    const std::vector<std::string> paths = view.paths();
    return {paths.begin(), paths.end()};
  }

  fakes::FakeServices machine;
  std::vector<std::string> leftOpen;
};

TEST_F(CurrentProfileTest, ADefaultSearchFindsWhatCanBeFreedAndLeavesTheOpenBrowser) {
  const std::set<std::string> listed = search();
  double freeable = 0;
  double found = 0;
  for (const ProfileFile& file : kProfile) {
    if (file.kind == reclaimable) freeable += static_cast<double>(file.bytes());
    if (file.kind == reclaimable && listed.contains(file.path)) found += static_cast<double>(file.bytes());
  }
  const double share = found / freeable;
  std::printf("reclaimable bytes found: %.3f of %.0f MiB\n", share, freeable / (1 << 20));
  EXPECT_GE(share, 0.9);
  EXPECT_EQ(leftOpen, std::vector<std::string>{"Microsoft Edge"});
}

TEST_F(CurrentProfileTest, NothingTheUserKeepsIsListed) {
  const std::set<std::string> listed = search();
  for (const ProfileFile& file : kProfile)
    EXPECT_TRUE(file.kind == reclaimable || file.kind == held || !listed.contains(file.path)) << file.path;
}

TEST_F(CurrentProfileTest, DeletingEverythingFoundKeepsEveryKeptAndHeldFile) {
  for (const std::string& path : search()) machine.files.deleteFile(path);
  for (const ProfileFile& file : kProfile)
    EXPECT_EQ(machine.files.contains(file.path), file.kind != reclaimable) << file.path;
}

// profiles.ini and the locks as they may be found, each beside the profile
// Firefox made. A profile that names no folder (a relative path said to be full,
// a drive root), one on a network share or mapped drive, and a lock that cannot
// be judged (a folder where the lock file should be) neither count as an open
// browser nor add anything to the clean; a profile listed twice is walked once.
TEST_F(CurrentProfileTest, ProfilesAndLocksAsFoundNeitherBlockNorWidenTheClean) {
  // Field by field: an aggregate with empty braces trips GCC 12's uninitialized
  // warning at -O3.
  fakes::FakeDrive mapped;
  mapped.type = platform::DriveType::remote;
  mapped.networkName = "\\\\nas\\home";
  machine.drives.addDrive('N', mapped);
  for (const char* file : {"C:\\cache2\\entries\\root", "N:\\Fox\\cache2\\entries\\mapped",
                           "\\\\nas\\home\\Fox\\cache2\\entries\\unc"})
    machine.files.addFile(file);
  machine.files.addFile("\\\\nas\\home\\Fox\\parent.lock");
  machine.files.setHeldOpen("\\\\nas\\home\\Fox\\parent.lock", true);
  machine.files.addFolder(R "Mozilla\\Firefox\\Profiles\\odd\\parent.lock");
  const char* const odd[] = {
      "IsRelative=0\r\nPath=Profiles/k3v9.default-release\r\n",
      "IsRelative=1\r\nPath=Profiles/odd\r\n",
      "IsRelative=0\r\nPath=\\\\nas\\home\\Fox\r\n",
      "IsRelative=0\r\nPath=N:\\Fox\r\n",
      "IsRelative=0\r\nPath=C:\\\r\n",
      "IsRelative=0\r\nPath=" R FOX "\r\n",
  };
  for (const char* profile : odd) {
    SCOPED_TRACE(profile);
    machine.textFiles.put(R "Mozilla\\Firefox\\profiles.ini",
                          std::string("[Profile0]\r\n") + profile +
                              "[Profile1]\r\nIsRelative=1\r\nPath=Profiles/k3v9.default-release\r\n");
    RecordingView view(only({JunkCategory::temporaryInternet}));
    JunkScan(machine.services, U).run(view);
    std::vector<std::string> firefox;
    for (const std::string& path : view.paths())
      if (path.find("cache2") != std::string::npos) firefox.push_back(path);
    EXPECT_EQ(firefox, std::vector<std::string>{L FOX "cache2\\entries\\0A1B2C"});
    EXPECT_EQ(view.leftOpen, std::vector<std::string>{"Microsoft Edge"});
  }
  // A lock that cannot be judged does not say the browser runs either.
  machine.files.addFolder(CHROME "lockfile");
  RecordingView view(only({JunkCategory::temporaryInternet}));
  JunkScan(machine.services, U).run(view);
  EXPECT_EQ(view.leftOpen, std::vector<std::string>{"Microsoft Edge"});
}

}  // namespace
}  // namespace velmora::junk
