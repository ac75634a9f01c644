// A default Search on a profile laid out as Windows 11 lays it out today, with the
// delivered catalogue and exclusion list: what it finds of what could be freed, and
// that it lists and deletes nothing the user keeps.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "common/text_lines.h"
#include "fakes/fake_services.h"
#include "junk/catalogue.h"
#include "junk/junk_scan.h"
#include "junk_scan_support.h"

namespace velmora::junk {
namespace {

// What a file of the profile is to a cleaner.
enum class Kind {
  reclaimable,  // Junk: a default Search should list it.
  kept,         // The user's, or a running browser's: never listed.
  held,         // Held open by a running program: it may be listed, never deleted.
  notListable,  // In a folder the user cannot list: never reached.
};

struct ProfileFile {
  const char* path;
  std::uint64_t mib;  // Size in MiB; 0 for a small file.
  Kind kind;
};

#define U "C:\\Users\\ann\\"
#define L U "AppData\\Local\\"
#define R U "AppData\\Roaming\\"
#define CHROME L "Google\\Chrome\\User Data\\"
#define EDGE L "Microsoft\\Edge\\User Data\\"
#define OWN_SID "S-1-5-21-3623811015-3361044348-30300820-1001"

constexpr ProfileFile kProfile[] = {
    {CHROME "Default\\Cache\\Cache_Data\\data_1", 210, Kind::reclaimable},
    {CHROME "Default\\Code Cache\\js\\index-dir\\the-real-index", 35, Kind::reclaimable},
    {CHROME "Default\\Media Cache\\f_000010", 12, Kind::reclaimable},
    {CHROME "Profile 1\\Cache\\Cache_Data\\f_0001a2", 160, Kind::reclaimable},
    {CHROME "Profile 1\\GPUCache\\data_0", 2, Kind::reclaimable},
    {CHROME "GrShaderCache\\data_1", 4, Kind::reclaimable},
    {CHROME "GraphiteDawnCache\\data_1", 6, Kind::reclaimable},
    {CHROME "ShaderCache\\data_1", 3, Kind::reclaimable},
    {CHROME "Default\\History", 40, Kind::kept},
    {CHROME "Default\\Network\\Cookies", 2, Kind::kept},
    {CHROME "Default\\Login Data", 0, Kind::kept},
    {CHROME "Default\\Web Data", 1, Kind::kept},
    {CHROME "Default\\Bookmarks", 0, Kind::kept},
    {CHROME "Default\\Preferences", 0, Kind::kept},
    {CHROME "Default\\IndexedDB\\https_mail.example_0.indexeddb.leveldb\\000005.ldb", 90, Kind::kept},
    {CHROME "Default\\Local Storage\\leveldb\\000003.log", 1, Kind::kept},
    {CHROME "Default\\Session Storage\\000004.log", 0, Kind::kept},
    {CHROME "Default\\Service Worker\\CacheStorage\\5f1a\\index", 60, Kind::kept},
    {CHROME "Default\\Extensions\\aapbdbdomjkkjkaonfhkkikfgjllcleb\\2.0\\manifest.json", 0, Kind::kept},
    {CHROME "Profile 1\\Preferences", 0, Kind::kept},
    {CHROME "Local State", 0, Kind::kept},
    // Edge runs: its lock is held, and none of its caches may be touched.
    {EDGE "lockfile", 0, Kind::held},
    {EDGE "Default\\Cache\\Cache_Data\\data_3", 280, Kind::kept},
    {EDGE "Profile 2\\Code Cache\\wasm\\index", 20, Kind::kept},
    {EDGE "GrShaderCache\\data_1", 3, Kind::kept},
    {L "Opera Software\\Opera Stable\\Default\\Cache\\Cache_Data\\data_2", 45, Kind::reclaimable},
    {R "Opera Software\\Opera Stable\\Default\\Bookmarks", 0, Kind::kept},
    {R "Mozilla\\Firefox\\Profiles\\k3v9.default-release\\places.sqlite", 25, Kind::kept},
    {R "Mozilla\\Firefox\\Profiles\\k3v9.default-release\\cookies.sqlite", 1, Kind::kept},
    {R "Mozilla\\Firefox\\Profiles\\k3v9.default-release\\parent.lock", 0, Kind::kept},  // left by a crash
    {L "Mozilla\\Firefox\\Profiles\\k3v9.default-release\\cache2\\entries\\0A1B2C", 130, Kind::reclaimable},
    {L "Mozilla\\Firefox\\Profiles\\k3v9.default-release\\startupCache\\startupCache.8.little", 4,
     Kind::reclaimable},
    {"C:\\Fox\\Work\\cache2\\entries\\77EE", 15, Kind::reclaimable},
    {"C:\\Fox\\Work\\storage\\default\\https+++app.example\\idb\\1.sqlite", 5, Kind::kept},
    {L "D3DSCache\\8a1b2c\\4d5e.idx", 55, Kind::reclaimable},
    {L "Microsoft\\Windows\\WER\\ReportArchive\\AppCrash_app.exe_1f\\Report.wer", 0, Kind::reclaimable},
    {L "Microsoft\\Windows\\WER\\ReportQueue\\AppCrash_game.exe_2c\\memory.hdmp", 310, Kind::reclaimable},
    {L "CrashDumps\\game.exe.4120.dmp", 85, Kind::reclaimable},
    {L "Microsoft\\Windows\\Explorer\\thumbcache_256.db", 64, Kind::reclaimable},
    {L "Microsoft\\Windows\\Explorer\\iconcache_32.db", 1, Kind::reclaimable},
    {L "Microsoft\\Windows\\Explorer\\thumbcache_idx.db", 1, Kind::held},
    {L "Microsoft\\Windows\\Explorer\\ExplorerStartupLog.etl", 0, Kind::kept},
    {L "Temp\\7zS1A2B\\setup.msi", 150, Kind::reclaimable},
    {L "Temp\\wct7F3A.tmp", 1, Kind::reclaimable},
    {L "Microsoft\\Windows\\INetCache\\IE\\ABCD1234\\page[1].htm", 1, Kind::reclaimable},
    {L "Microsoft\\Windows\\INetCache\\Content.Outlook\\QX7Z2M1B\\Invoice (edited).xlsx", 1, Kind::kept},
    {L "Microsoft\\Windows\\WebCache\\V01.chk", 0, Kind::kept},
    {L "Microsoft\\Windows\\WebCache\\WebCacheV01.dat", 30, Kind::kept},
    {R "Microsoft\\Windows\\Recent\\Thesis.lnk", 0, Kind::reclaimable},
    {R "Microsoft\\Windows\\Recent\\AutomaticDestinations\\f01b4d95cf55d32a.automaticDestinations-ms", 0,
     Kind::kept},
    {U "Documents\\Thesis.wbk", 2, Kind::kept},
    {U "Documents\\Thesis.docx", 2, Kind::kept},
    {"C:\\$Recycle.Bin\\" OWN_SID "\\$RAB12CD.docx", 6, Kind::reclaimable},
    {"C:\\$Recycle.Bin\\" OWN_SID "\\$IAB12CD.docx", 0, Kind::reclaimable},
    {"C:\\$Recycle.Bin\\S-1-5-21-3623811015-3361044348-30300820-1002\\$R9QX1.docx", 3, Kind::kept},
    {"C:\\$Recycle.Bin\\S-1-5-21-3623811015-3361044348-30300820-1002\\$R9QX2.tmp", 1, Kind::kept},
    {"C:\\Windows.old\\Users\\ann\\AppData\\Local\\Temp\\old.tmp", 1, Kind::kept},
    {"C:\\Users\\bob\\AppData\\Local\\Temp\\bob.tmp", 1, Kind::notListable},
};

std::string readDelivered(const char* name) {
  std::ifstream in(std::string(VELMORA_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CurrentProfileTest : public ::testing::Test {
 protected:
  CurrentProfileTest() {
    machine.drives.addDrive('C', {});
    machine.system.userSid = OWN_SID;
    for (const ProfileFile& file : kProfile) {
      machine.files.addFile(file.path, file.mib * 1024 * 1024 + 4096);
      if (file.kind == Kind::held) machine.files.setHeldOpen(file.path, true);
    }
    machine.files.setListable("C:\\Users\\bob", false);
    machine.textFiles.put(R "Mozilla\\Firefox\\profiles.ini",
                          "[Install308046B0AF4A39CB]\r\nDefault=Profiles/k3v9.default-release\r\n\r\n"
                          "[Profile1]\r\nName=work\r\nIsRelative=0\r\nPath=C:\\Fox\\Work\r\n\r\n"
                          "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\n"
                          "Path=Profiles/k3v9.default-release\r\nDefault=1\r\n");
    machine.files.addFile(R "Mozilla\\Firefox\\profiles.ini");
    for (const auto& [name, place] : {std::pair{"Local AppData", U "AppData\\Local"},
                                      {"AppData", U "AppData\\Roaming"},
                                      {"Cache", L "Microsoft\\Windows\\INetCache"},
                                      {"Recent", R "Microsoft\\Windows\\Recent"},
                                      {"Cookies", L "Microsoft\\Windows\\INetCookies"},
                                      {"History", L "Microsoft\\Windows\\History"}})
      setShellFolder(machine.registry, name, place);
  }

  // A default Search: every category, drive C:, the delivered catalogue and exclusions.
  std::vector<FoundFile> search() {
    JunkScanChoices choices = only({}, {'C'});
    choices.categories.fill(true);
    for (const CatalogueEntry& entry : parseCatalogue(readDelivered("junk.dat")))
      choices.checkedPatterns.push_back(entry.pattern);
    choices.exclusionLines = text::splitLines(readDelivered("exclusions.dat"));
    RecordingView view(std::move(choices));
    JunkScan(machine.services, U).run(view);
    leftOpen = view.leftOpen;
    return view.listed;
  }

  std::set<std::string> listedPaths() {
    std::set<std::string> paths;
    for (const FoundFile& file : search()) paths.insert(file.path);
    return paths;
  }

  fakes::FakeServices machine;
  std::vector<std::string> leftOpen;
};

TEST_F(CurrentProfileTest, ADefaultSearchFindsWhatCanBeFreedAndLeavesTheOpenBrowser) {
  const std::set<std::string> listed = listedPaths();
  std::uint64_t reclaimable = 0;
  std::uint64_t found = 0;
  for (const ProfileFile& file : kProfile) {
    if (file.kind != Kind::reclaimable) continue;
    reclaimable += file.mib * 1024 * 1024 + 4096;
    if (listed.count(file.path) != 0) found += file.mib * 1024 * 1024 + 4096;
  }
  const double share = static_cast<double>(found) / static_cast<double>(reclaimable);
  std::printf("reclaimable bytes found: %.3f (%llu of %llu MiB)\n", share,
              static_cast<unsigned long long>(found >> 20),
              static_cast<unsigned long long>(reclaimable >> 20));
  EXPECT_GE(share, 0.9);
  EXPECT_EQ(leftOpen, std::vector<std::string>{"Microsoft Edge"});
}

TEST_F(CurrentProfileTest, NothingTheUserKeepsIsListed) {
  const std::set<std::string> listed = listedPaths();
  for (const ProfileFile& file : kProfile) {
    if (file.kind == Kind::kept || file.kind == Kind::notListable) {
      EXPECT_EQ(listed.count(file.path), 0u) << file.path;
    }
  }
}

TEST_F(CurrentProfileTest, DeletingEverythingFoundKeepsEveryKeptAndHeldFile) {
  for (const FoundFile& file : search()) machine.files.deleteFile(file.path);
  for (const ProfileFile& file : kProfile)
    EXPECT_EQ(machine.files.contains(file.path), file.kind != Kind::reclaimable) << file.path;
}

}  // namespace
}  // namespace velmora::junk
