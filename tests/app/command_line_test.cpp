// The command line from end to end on a fake machine: which arguments are taken,
// what each run finds, deletes and reports, and the exit code a script sees.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "fakes/fake_process_host.h"
#include "fakes/fake_services.h"
#include "registry/registry_object.h"

namespace velmora::app {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Velmora\\";
constexpr const char* kReport = "C:\\Program Files\\Velmora\\data\\logs\\clean-20260304-050607.txt";
constexpr const char* kLocalReport =
    "C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\logs\\clean-20260304-050607.txt";
constexpr const char* kJunk = "C:\\work\\report.~doc";
// Listed by the junk-file category on C: and by the temporary-files category.
constexpr const char* kTemp = "C:\\Users\\tester\\Local Settings\\Temp\\a.tmp";
constexpr const char* kExcluded = "C:\\Kept\\old.~tmp";
constexpr const char* kKept = "C:\\work\\notes.txt";
constexpr const char* kChoices = "[Files]\r\nCategories=0,4\r\nDrives=C,E\r\n";

struct Machine {
  Machine() {
    s.drives.addDrive('C', {});
    s.files.addFile(kJunk, 3000);
    s.files.addFile(kTemp, 100);
    s.files.addFile(kExcluded, 10);
    s.files.addFile(kKept, 10);
    registry::TRegistry reg(s.registry);
    reg.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", true);
    reg.WriteText("Cookies", "C:\\Users\\tester\\Cookies");
    s.textFiles.put(std::string(kFolder) + "data\\junk.dat", "*.tmp|Temporary files\r\n");
    // Another letter case than the folder's: it still excludes it.
    s.textFiles.put(std::string(kFolder) + "data\\exclusions.dat", "c:\\KEPT\r\n");
  }
  fakes::FakeServices s;
  fakes::FakeProcessHost host;
};

struct Case {
  const char* name;
  std::vector<std::string> args;
  const char* settings;
  std::function<void(Machine&)> arrange;
  std::optional<int> exitCode;  // Nothing: the window opens.
  bool junkGone;
  const char* reportHas;  // In the report file, or on the console when no report is written.
  bool reported = true;   // A report file was written.
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"no switch opens the window", {}, kChoices, {}, std::nullopt, false, "", false},
      {"usage", {"/?"}, kChoices, {}, 0, false, "Exit codes:", false},
      {"clean, switch in any case and with a dash",
       {"-AUTO"},
       kChoices,
       {},
       0,
       true,
       "C:\\work\\report.~doc\t3000 bytes\tdeleted\r\n"},
      {"a file two categories list is deleted and counted once",
       {"/auto"},
       kChoices,
       {},
       0,
       true,
       "Found: 2 files, 3100 bytes\r\nDeleted: 2 files, 3100 bytes\r\nNot deleted: 0 files\r\nExit code: 0"},
      {"an absent drive is passed over", {"/auto"}, kChoices, {}, 0, true, "Not present, passed over: E:\\"},
      {"preview deletes nothing",
       {"/Preview"},
       kChoices,
       {},
       0,
       false,
       "C:\\work\\report.~doc\t3000 bytes\twould delete\r\n"},
      {"both runs at once", {"/auto", "-preview"}, kChoices, {}, 1, false, "only one of", false},
      {"unknown switch", {"/auto", "/quiet"}, kChoices, {}, 1, false, "Unknown switch: /quiet", false},
      {"an argument that is no switch", {"auto"}, kChoices, {}, 1, false, "Unknown switch: auto", false},
      {"nothing remembered", {"/auto"}, "[Options]\r\nLanguage=English\r\n", {}, 2, false, "Exit code: 2"},
      {"no category", {"/auto"}, "[Files]\r\nCategories=\r\nDrives=C\r\n", {}, 2, false, "no category"},
      {"only absent drives",
       {"/auto"},
       "[Files]\r\nCategories=0\r\nDrives=E\r\n",
       {},
       2,
       false,
       "none of the drives"},
      {"unreadable catalogue",
       {"/auto"},
       kChoices,
       [](Machine& m) { m.s.textFiles.remove(std::string(kFolder) + "data\\junk.dat"); },
       2,
       false,
       "catalogue"},
      {"an exclusion list held open stops the run",
       {"/auto"},
       kChoices,
       [](Machine& m) { m.s.textFiles.setUnreadable(std::string(kFolder) + "data\\exclusions.dat"); },
       2,
       false,
       "exists but cannot be read"},
      {"another /auto is running",
       {"/auto"},
       kChoices,
       [](Machine& m) { m.host.heldElsewhere.insert("Velmora Disk Cleaner unattended clean"); },
       2,
       false,
       "another /auto run is in progress",
       false},
      {"a preview runs beside an /auto",
       {"/preview"},
       kChoices,
       [](Machine& m) { m.host.heldElsewhere.insert("Velmora Disk Cleaner unattended clean"); },
       0,
       false,
       "would delete"},
      {"a file held open is not deleted",
       {"/auto"},
       kChoices,
       [](Machine& m) { m.s.files.setHeldOpen(kTemp, true); },
       3,
       true,
       "a.tmp\t100 bytes\tnot deleted: in use"},
      {"the report goes to the local application data when the program's folder refuses it",
       {"/auto"},
       kChoices,
       [](Machine& m) { m.s.textFiles.setUnwritable(kReport); },
       0,
       true,
       "Report: C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\logs\\clean-20260304-050607.txt"},
  };
  return all;
}

TEST(CommandLine, ArgumentsRunsAndExitCodes) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Machine m;
    m.s.textFiles.put(std::string(kFolder) + "VelmoraDiskCleaner.ini", c.settings);
    m.host.args = c.args;
    if (c.arrange) c.arrange(m);

    const CommandOutcome outcome = runCommandLine(c.args, m.s.services, m.host, m.s.system.executable);

    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_EQ(!m.s.files.contains(kJunk), c.junkGone);
    EXPECT_TRUE(m.s.files.contains(kExcluded));
    EXPECT_TRUE(m.s.files.contains(kKept));
    std::optional<std::string> report = m.s.textFiles.bytes(kReport);
    if (!report) report = m.s.textFiles.bytes(kLocalReport);
    EXPECT_EQ(report.has_value(), c.reported);
    const std::string shown = report.value_or("") + m.host.console;
    EXPECT_NE(shown.find(c.reportHas), std::string::npos) << shown;
    if (report) {
      EXPECT_NE(m.host.console.find(*report), std::string::npos) << "the console shows the report";
    }
  }
}

}  // namespace
}  // namespace velmora::app
