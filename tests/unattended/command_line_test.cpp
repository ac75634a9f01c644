// The command line on a fake machine: which arguments are taken, what each run
// finds, deletes and reports, and the exit code a script sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "unattended/command_line.h"
#include "fakes/fake_process_host.h"
#include "fakes/fake_services.h"
#include "registry/registry_object.h"

namespace velmora::unattended {
namespace {

const std::string kData = "C:\\Program Files\\Velmora\\data\\";
const std::string kReport = kData + "logs\\clean-20260304-050607.txt";
const std::string kSecondReport = kData + "logs\\clean-20260304-050607-2.txt";
constexpr const char* kLocalReport =
    "C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\logs\\clean-20260304-050607.txt";
constexpr const char* kJunk = "C:\\work\\report.~doc";
// Listed twice: by the junk-file category on C: and by the temporary-files one.
constexpr const char* kTemp = "C:\\Users\\tester\\Local Settings\\Temp\\a.tmp";
constexpr const char* kChoices = "[Files]\r\nCategories=0,4\r\nDrives=C,E\r\n";

struct Machine {
  Machine() {
    s.drives.addDrive('C', {});
    for (const char* file : {kJunk, kTemp, "C:\\Kept\\old.~tmp", "C:\\work\\notes.txt"})
      s.files.addFile(file, 100);
    registry::TRegistry reg(s.registry);
    reg.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", true);
    // Where Windows 8.1 and later keep the cookies, far below the profile.
    reg.WriteText("Cookies", "C:\\Users\\tester\\AppData\\Local\\Microsoft\\Windows\\INetCookies");
    s.shell.setFolderPath(platform::csidl::profile, "C:\\Users\\tester");
    s.textFiles.put(kData + "junk.dat", "*.tmp|Temporary files\r\n");
    s.textFiles.put(kData + "exclusions.dat", "c:\\KEPT\r\n");
  }
  fakes::FakeServices s;
  fakes::FakeProcessHost host;
};

struct Case {
  std::vector<std::string> args;
  std::string settings;
  std::function<void(Machine&)> arrange;
  std::optional<int> exitCode;  // Nothing: the window opens.
  bool junkGone;
  const char* shows;  // In the report, or on the console.
  bool reported = true;
};

TEST(CommandLine, ArgumentsRunsAndExitCodes) {
  const auto unreadable = [](std::string path) {
    return [path](Machine& m) { m.s.textFiles.setUnreadable(path); };
  };
  const auto lockHeld = [](Machine& m) { m.host.held.emplace("Velmora Disk Cleaner unattended clean"); };
  const auto exclusions = [](std::string lines) {
    return [lines](Machine& m) {
      m.s.textFiles.put(kData + "exclusions.dat", lines);
      m.s.system.environment["Keep"] = "C:\\Kept";
    };
  };
  const std::string files = "[Files]\r\nCategories=0\r\nDrives=C\r\n";
  const auto chromeStartsDuringTheWalk = [](Machine& m) {
    const std::string userData = "C:\\Users\\tester\\AppData\\Local\\Google\\Chrome\\User Data\\";
    m.s.files.addFile(userData + "Default\\Cache\\data_1", 100);
    m.s.files.addFile(userData + "lockfile");
    m.s.files.onListFolder([&m, userData](std::string_view folder) {
      if (folder.starts_with(userData + "Default")) m.s.files.setHeldOpen(userData + "lockfile", true);
    });
  };
  // clang-format off
  const Case cases[] = {
      {{}, kChoices, {}, std::nullopt, false, "", false},
      {{"/?"}, kChoices, {}, 0, false, "Exit codes:", false},
      // The file both categories list is deleted and counted once; the absent
      // drive is passed over; the excluded folder and the file that is no junk stay.
      {{"-AUTO"}, kChoices, {}, 0, true, "Not present, passed over: E:\\\r\n"
       "Catalogue: C:\\Program Files\\Velmora\\data\\junk.dat (1 entry)\r\n"
       "Exclusions: C:\\Program Files\\Velmora\\data\\exclusions.dat (1 line)\r\nDeletion: permanent\r\nDrive C:\\: walked\r\n\r\n"
       "C:\\Users\\tester\\Local Settings\\Temp\\a.tmp\t100 bytes\tdeleted\r\n"
       "C:\\work\\report.~doc\t100 bytes\tdeleted\r\n\r\n"
       "Found: 2 files, 200 bytes\r\nDeleted: 2 files, 200 bytes\r\nNot deleted: 0 files\r\nExit code: 0\r\n"},
      {{"/auto"}, "[Options]\r\nrecycleDeleted=1\r\n[Files]\r\nCategories=0\r\nDrives=C\r\n", {}, 0, true,
       "report.~doc\t100 bytes\tdeleted: moved to the Recycle Bin\r\n"},
      // A bin with no room left: nobody is asked, nothing it holds is pushed out.
      {{"/auto"}, "[Options]\r\nrecycleDeleted=1\r\n[Files]\r\nCategories=0\r\nDrives=C\r\n",
       [](Machine& m) { m.s.shell.setRecycleBinSpace('C', platform::RecycleBinSpace{950, 1, 1000}); }, 3, false,
       "report.~doc\t100 bytes\tnot deleted: its drive's Recycle Bin has no room"},
      {{"/Preview"}, kChoices, lockHeld, 0, false, "report.~doc\t100 bytes\twould delete\r\n"},
      {{"/auto", "-preview"}, kChoices, {}, 1, false, "only one of", false},
      {{"/auto", "/quiet"}, kChoices, {}, 1, false, "Unknown switch: /quiet", false},
      {{"auto"}, kChoices, {}, 1, false, "Unknown switch: auto", false},
      {{"/auto"}, "[Options]\r\nLanguage=English\r\n", {}, 2, false, "no categories or drives are remembered"},
      {{"/auto"}, "[Files]\r\nCategories=\r\nDrives=C\r\n", {}, 2, false, "no category"},
      {{"/auto"}, "[Files]\r\nCategories=0\r\nDrives=E\r\n", {}, 2, false, "none of the drives"},
      {{"/auto"}, kChoices, unreadable(kData + "junk.dat"), 2, false, "catalogue"},
      {{"/auto"}, kChoices, unreadable(kData + "exclusions.dat"), 2, false, "exists but cannot be read"},
      {{"/auto"}, kChoices, lockHeld, 2, false, "another /auto run is in progress", false},
      {{"/auto"}, kChoices, [](Machine& m) { m.s.files.setHeldOpen(kTemp, true); }, 3, true,
       "a.tmp\t100 bytes\tnot deleted: in use by another program\r\n"},
      // A browser that starts while the run walks its cache keeps it, and is named.
      {{"/auto"}, "[Files]\r\nCategories=5\r\nDrives=C\r\n", chromeStartsDuringTheWalk, 3, false,
       "data_1\t100 bytes\tnot deleted: Google Chrome was opened after the scan\r\n"
       "Browsers left alone because they were opened after the scan: Google Chrome\r\n"},
      {{"/auto"}, kChoices, [](Machine& m) { m.s.textFiles.setUnwritable(kReport); }, 0, true,
       "Report: C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\logs\\clean-20260304-050607.txt\r\n"},
      // A report of the same second stays; one that can be begun nowhere stops the
      // run before it deletes; one that cannot be finished turns success into 3.
      {{"/auto"}, kChoices, [](Machine& m) { m.s.textFiles.put(kReport, "earlier"); }, 0, true,
       "Report: C:\\Program Files\\Velmora\\data\\logs\\clean-20260304-050607-2.txt\r\n"},
      // Another run of the same second takes the name between the look and the
      // write: its report stays whole, and this one takes the next name.
      {{"/preview"}, kChoices, [](Machine& m) {
         m.s.textFiles.beforeWrite = [&m](const std::string& path) {
           if (path == kReport && !m.s.textFiles.bytes(kReport)) m.s.textFiles.put(kReport, "another run"); }; },
       0, false, "Report: C:\\Program Files\\Velmora\\data\\logs\\clean-20260304-050607-2.txt\r\n"},
      {{"/auto"}, kChoices, [](Machine& m) {
         m.s.textFiles.setUnwritable(kReport);
         m.s.textFiles.setUnwritable(kLocalReport); }, 2, false, "nothing was done", false},
      {{"/auto"}, kChoices, [](Machine& m) { m.s.textFiles.appendsFail = true; }, 3, true,
       "could not be written to the end"},
      {{"/auto"}, kChoices, [](Machine& m) { m.s.system.userNameThrows = true; }, 2, false,
       "Stopped: an error the run could not go on from: std::bad_alloc\r\nExit code: 2\r\n"},
      // Exclusion lines as users write them protect the folder; one that names
      // none stops the run and is named.
      {{"/auto"}, kChoices, exclusions(" \"C:\\Kept\" \r\n"), 0, true, "Account: tester\r\n"
       "Profile: C:\\Users\\tester\r\n"},
      {{"/auto"}, kChoices, exclusions("%KEEP%\r\n"), 0, true, "Not deleted: 0 files"},
      {{"/auto"}, kChoices, exclusions("C:\\Kept\r\n\r\n%UNSET%\\Kept\r\n"), 2, false,
       "name no folder and protect nothing: %UNSET%\\Kept;"},
      {{"/auto"}, kChoices, [](Machine& m) { m.s.system.localSystem = true; }, 2, false,
       "Account: LocalSystem\r\nProfile: C:\\Users\\tester\r\n"},
      // A truth value in the usual spellings, also in a second [Options]; one that
      // is none deletes nothing for good on a guess.
      {{"/auto"}, "[Options]\r\nrecycleDeleted=Yes\r\n" + files, {}, 0, true, "moved to the Recycle Bin"},
      {{"/auto"}, "[Options]\r\nLanguage=English\r\n" + files + "[options]\r\nrecycleDeleted=on\r\n", {}, 0,
       true, "moved to the Recycle Bin"},
      {{"/auto"}, "[Options]\r\nrecycleDeleted=maybe\r\n" + files, {}, 2, false, "recycleDeleted=maybe, which"},
      // A drive is the volume that was checked: another one under its letter is not.
      {{"/auto"}, "[Files]\r\nCategories=0\r\nDrives=C:00000000\r\n", {}, 0, true, "Drives: C:\\\r\n"},
      {{"/auto"}, "[Files]\r\nCategories=0\r\nDrives=C:1A2B3C4D\r\n", {}, 2, false,
       "passed over: C:\\ (chosen: volume 1A2B-3C4D, now: volume 0000-0000)"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args) + " " + c.shows);
    Machine m;
    m.s.textFiles.put("C:\\Program Files\\Velmora\\VelmoraDiskCleaner.ini", c.settings);
    if (c.arrange) c.arrange(m);

    EXPECT_EQ(runCommandLine(c.args, m.s.services, m.host, m.s.system.executable).exitCode, c.exitCode);
    EXPECT_EQ(!m.s.files.contains(kJunk), c.junkGone);
    EXPECT_TRUE(m.s.files.contains("C:\\Kept\\old.~tmp") && m.s.files.contains("C:\\work\\notes.txt"));
    std::optional<std::string> report = m.s.textFiles.bytes(kSecondReport);
    if (!report) report = m.s.textFiles.bytes(kReport);
    if (!report) report = m.s.textFiles.bytes(kLocalReport);
    EXPECT_EQ(report.has_value(), c.reported);
    EXPECT_NE((report.value_or("") + m.host.console).find(c.shows), std::string::npos) << m.host.console;
    if (report) {
      EXPECT_EQ(m.host.console.find(*report), 0u) << "the console shows the report";
      EXPECT_TRUE(m.host.errorBoxesOff) << "a box could wait for an answer";
    }
  }
}

// Task Scheduler ends a run at two hours wherever it is: /auto stops itself at
// 1 h 55 min between two batches, or in its search, and says what it left.
TEST(CommandLine, AutoStopsAtItsTimeLimitBetweenTwoBatches) {
  using std::chrono::minutes;
  for (const bool inSearch : {false, true}) {
    SCOPED_TRACE(inSearch);
    Machine m;
    m.s.textFiles.put("C:\\Program Files\\Velmora\\VelmoraDiskCleaner.ini",
                      "[Files]\r\nCategories=0\r\nDrives=C\r\n");
    std::vector<std::string> many;
    for (int i = 0; i < 140; ++i)
      m.s.files.addFile(many.emplace_back("C:\\many\\" + std::to_string(i) + ".~doc"));
    // The clock reads an hour when the run starts, and 2 h 55 min at any later
    // reading in the search, or once the first file has gone.
    int readings = 0;
    m.host.clock = [&] {
      const bool gone = std::any_of(many.begin(), many.end(), [&](auto& f) { return !m.s.files.contains(f); });
      return minutes(readings++ > 0 && (inSearch || gone) ? 175 : 60);
    };
    EXPECT_EQ(runCommandLine({"/auto"}, m.s.services, m.host, m.s.system.executable).exitCode, 3);
    const auto left = std::count_if(many.begin(), many.end(), [&](auto& f) { return m.s.files.contains(f); });
    EXPECT_TRUE(inSearch ? left == 140 : left > 0 && left < 140) << left;
    const std::string stop =
        inSearch ? "before the search had finished"
                 : std::to_string(left + m.s.files.contains(kJunk) + m.s.files.contains(kTemp)) + " files not reached";
    const std::string report = *m.s.textFiles.bytes(kReport);
    EXPECT_NE(report.find("Time limit: stopped at 1 h 55 min, " + stop), std::string::npos) << report;
  }
}

}  // namespace
}  // namespace velmora::unattended
