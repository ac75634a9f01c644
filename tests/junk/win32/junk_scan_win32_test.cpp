// The junk-file scan against the real file system and shell under Wine, where a
// folder link is a Linux symbolic link in the prefix that Wine reports as a
// reparse point, as Windows reports a junction.
// The registry headers name the registry's constants as Windows does, so they come
// before <windows.h>.
#include "fakes/fake_services.h"
#include "junk/junk_scan.h"
#include "junk_scan_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "file_system_scratch_win32.h"
#include "junk/broken_shortcuts.h"
#include "junk/file_deletion.h"
#include "junk/folder_walk.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/shell_win32.h"
#include "scratch_drive.h"
#include "shortcut_file_win32.h"
#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/headless_backend.h"
#include "widgets/list_view.h"

namespace velmora::junk {
namespace {

class JunkScanWin32 : public ::testing::Test {
 protected:
  void makeFile(const std::string& path) {
    for (std::size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
      CreateDirectoryW(contract::extendedForm(path.substr(0, slash)).c_str(), nullptr);
    std::ofstream(std::filesystem::path(contract::extendedForm(path)), std::ios::binary) << "velmora";
    ASSERT_TRUE(files.getFileAttributes(path)) << path;
  }
  void makeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(contract::extendedForm(path).c_str(), nullptr)) << path;
  }

  // What links lead to lies in a folder of its own, removed after the links: a
  // link left without its target is not removed as a link.
  contract::ScratchFolder outside;
  contract::ScratchFolder scratch;
  const std::string dir = scratch.path();
  const std::string elsewhere = outside.path();
  platform::Win32FileSystem files;
  platform::Win32Shell shell;
  platform::Win32Drives drives;
  // Only the "Shell Folders" places come from here, so the prefix's own stay.
  fakes::FakeRegistryStore registry;
  fakes::FakeServices rest;  // The services the scan takes beside these.
  platform::Services services{registry,    files,       drives,        shell,         rest.textFiles,
                              rest.memory, rest.system, rest.internet, rest.encoding, rest.scheduler};
};

TEST_F(JunkScanWin32, ProfileFoldersBehindLinksSurviveAScanAndADelete) {
  // As on Windows since Vista, "Local Settings" is a link (to canaries here); the
  // cache's place in "Shell Folders" lies below another.
  makeFile(elsewhere + "Temp\\canary.doc");
  makeFile(elsewhere + "INetCache\\canary.htm");
  makeFolder(dir + "Profile");
  contract::makeFolderLink(dir + "Profile\\Local Settings", elsewhere);
  contract::makeFolderLink(dir + "Moved", elsewhere);
  makeFolder(dir + "AppData");
  makeFolder(dir + "AppData\\Local");
  makeFile(dir + "AppData\\Local\\Temp\\t1.dat");
  setShellFolder(registry, "Local AppData", dir + "AppData\\Local");
  setShellFolder(registry, "Cache", dir + "Moved\\INetCache");
  ASSERT_TRUE(files.getFileAttributes(dir + "Profile\\Local Settings\\Temp\\canary.doc"));

  RecordingView view(only({JunkCategory::temporary, JunkCategory::temporaryInternet}));
  JunkScan(services, dir + "Profile\\").run(view);
  EXPECT_EQ(view.paths(), (std::vector<std::string>{dir + "AppData\\Local\\Temp\\t1.dat"}));
  for (const std::string& path : view.paths()) EXPECT_TRUE(files.deleteFile(path)) << path;
  EXPECT_TRUE(files.getFileAttributes(elsewhere + "Temp\\canary.doc"));
  EXPECT_TRUE(files.getFileAttributes(elsewhere + "INetCache\\canary.htm"));
}

TEST_F(JunkScanWin32, AShortcutIsBrokenOnlyWhenItsTargetIsReportedMissing) {
  makeFolder(dir + "Folder");
  contract::makeFolderLink(dir + "Linked", elsewhere);
  makeFolder(dir + "L");
  contract::makeShortcut(dir + "L\\gone.lnk", dir + "gone.exe");
  contract::makeShortcut(dir + "L\\folder.lnk", dir + "Folder");
  contract::makeShortcut(dir + "L\\linked.lnk", dir + "Linked");
  contract::makeShortcut(dir + "L\\server.lnk", "\\\\velmora-outside.invalid\\share\\x.exe");
  std::ofstream(std::filesystem::path(contract::extendedForm(dir + "L\\damaged.lnk")), std::ios::binary)
      << "not a shortcut";

  BrokenShortcuts shortcuts(shell, files, drives);
  std::vector<std::string> broken;
  for (const char* name : {"gone.lnk", "folder.lnk", "linked.lnk", "server.lnk", "damaged.lnk"})
    if (shortcuts.isBroken(dir + "L\\" + name)) broken.push_back(name);
  EXPECT_EQ(broken, (std::vector<std::string>{"gone.lnk"}));
}

// The listed folder is replaced by a link to a folder of canaries between the scan
// and Delete, as any program of the user could do to the temporary folder.
TEST_F(JunkScanWin32, DeleteGoesThroughNoLinkMadeAfterTheScan) {
  makeFile(dir + "Temp\\sub\\a.tmp");
  makeFile(dir + "Temp\\sub\\b.tmp");
  makeFile(dir + "Temp\\c.tmp");
  makeFile(elsewhere + "canaries\\a.tmp");
  makeFile(elsewhere + "canaries\\b.tmp");
  FileList found;
  walkFolder(files, dir + "Temp", {}, found, {});
  ASSERT_EQ(found.size(), 3u);

  widgets::Application app{std::make_unique<widgets::HeadlessBackend>()};
  widgets::Form form{app, "TForm1"};
  widgets::ListView results{form, "ListViewFiles"};
  results.addColumn("Filename", 350);
  results.addColumn("Size, Kb", 80);
  results.setCheckBoxes(true);
  for (std::size_t i = 0; i < found.size(); ++i) results.addRow({std::string(found[i]), "0"}, true);

  ASSERT_TRUE(MoveFileW(contract::extendedForm(dir + "Temp\\sub").c_str(),
                        contract::extendedForm(dir + "Temp\\moved").c_str()));
  contract::makeFolderLink(dir + "Temp\\sub", elsewhere + "canaries");
  EXPECT_EQ(deleteCheckedFiles(files, results).deletedCount, 1);
  EXPECT_TRUE(files.getFileAttributes(elsewhere + "canaries\\a.tmp"));
  EXPECT_TRUE(files.getFileAttributes(elsewhere + "canaries\\b.tmp"));
  ASSERT_EQ(results.count(), 2);
  EXPECT_TRUE(results.checked(0) && results.checked(1));
  EXPECT_FALSE(files.getFileAttributes(dir + "Temp\\c.tmp"));
}

// Under Wine a drive letter mapped to a folder of the prefix plays a subst drive, and
// Wine makes 8.3 names of its own (KEEPL~XY) that GetShortPathNameW reports.
TEST_F(JunkScanWin32, AnExclusionSkipsItsFolderByAnyOfItsNames) {
  e2e::ScratchDrive drive;
  const std::string root = contract::utf8(drive.root());
  const std::string onC = contract::utf8(drive.outside()) + "drive\\";
  for (const char* name : {"Keep Long Name", "Документы", "Plain", "Other"})
    makeFile(root + name + "\\x.tmp");
  wchar_t shortPath[MAX_PATH];
  ASSERT_NE(GetShortPathNameW(contract::utf16(onC + "Keep Long Name").c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_EQ(contract::utf8(shortPath).find("Keep Long Name"), std::string::npos);

  const Exclusions exclusions(files,
                              {contract::utf8(shortPath), onC + "ДОКУМЕНТЫ\\", "  " + onC + "Plain/ "});
  FileList found;
  walkFolder(files, root, exclusions, found, {});
  // This has failed once under load with every folder listed; should it again, the
  // identities each drive letter gives a folder tell which side went wrong.
  const auto identities = [&] {
    std::string text;
    for (const std::string& base : {root, onC}) {
      const platform::FileIdentity identity = files.fileIdentity(base + "Plain");
      text += base + "Plain: serial " + std::to_string(identity.volumeSerial) + ", index " +
              std::to_string(identity.fileIndex) + ", error " +
              std::to_string(static_cast<int>(identity.error)) + ", final " + identity.finalPath + "\n";
    }
    return text;
  };
  ASSERT_EQ(found.size(), 1u) << identities();
  EXPECT_EQ(found[0], root + "Other\\x.tmp");
  // The drive's root is a folder inside an excluded one.
  EXPECT_TRUE(Exclusions(files, {onC.substr(0, onC.size() - 1)}).coversRoot(root));
  EXPECT_FALSE(exclusions.coversRoot(root));
}

}  // namespace
}  // namespace velmora::junk
