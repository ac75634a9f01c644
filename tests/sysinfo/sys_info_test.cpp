// The System Information window against the fake machine: every value it shows,
// the Windows title table, the BIOS date's sources, and the values that cannot be
// read.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fakes/fake_services.h"
#include "headless_app.h"
#include "registry/registry_object.h"
#include "sysinfo/form_sys_info.h"
#include "sysinfo/sys_info_texts.h"

namespace velmora::sysinfo {
namespace {

constexpr const char* kProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr const char* kSystemKey = "HARDWARE\\DESCRIPTION\\System";
constexpr const char* kBiosKey = "HARDWARE\\DESCRIPTION\\System\\BIOS";

class SysInfoTest : public ::testing::Test {
 protected:
  // Opens (creating) a key of HKEY_LOCAL_MACHINE to write values into.
  registry::TRegistry& key(const std::string& path) {
    reg = std::make_unique<registry::TRegistry>(machine.registry);
    reg->SetRoot(platform::HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reg->Open(path, true)) << path;
    return *reg;
  }

  // The window reads the machine as it is made.
  TFormSysInfo& create() {
    reg.reset();
    form = std::make_unique<TFormSysInfo>(h.app, machine.services);
    return *form;
  }

  widgets::testing::HeadlessApp h;
  fakes::FakeServices machine;
  std::unique_ptr<registry::TRegistry> reg;
  std::unique_ptr<TFormSysInfo> form;
};

TEST_F(SysInfoTest, EveryValueIsShownInItsFormat) {
  machine.system.user = "twenty-characters-xy";
  machine.system.bitsPerPixel = 24;
  machine.system.screen = {1920, 1080};
  machine.memory.setStatus({37, std::uint64_t{2147483648}, std::uint64_t{1048575}});
  key(kProcessorKey).WriteText("ProcessorNameString", "Intel(R) Core(TM) i5 CPU");
  reg->WriteNumber("~MHz", 2400);
  reg->WriteText("Identifier", "Intel64 Family 6 Model 142 Stepping 10");
  key(kBiosKey).WriteText("BIOSReleaseDate", "06/14/2019");

  const TFormSysInfo& window = create();
  EXPECT_EQ(window.laCompName.caption(), "VELMORA-PC");
  EXPECT_EQ(window.laUserName.caption(), "twenty-characters-xy");
  EXPECT_EQ(window.laCPU.caption(), "Intel(R) Core(TM) i5 CPU (2400 " + window.words.megahertz + ")");
  EXPECT_EQ(window.laFamily.caption(), "Intel64 Family 6 Model 142 Stepping 10");
  EXPECT_EQ(window.laScreenSize.caption(), "1920 x 1080");
  EXPECT_EQ(window.laBitsPerPixel.caption(), "24");
  EXPECT_EQ(window.laColors.caption(), window.words.colors[3]);
  EXPECT_EQ(window.laFreeMemory.caption(), "0%") << "the share free, not the 37 % in use";
  EXPECT_EQ(window.laRAM.caption(), "2049 MB");
  EXPECT_EQ(window.laFreeRAM.caption(), "0 MB");
  EXPECT_EQ(window.laWinDir.caption(), "C:\\Windows");
  EXPECT_EQ(window.laSysDir.caption(), "C:\\Windows\\system32");
  EXPECT_EQ(window.laOS.caption(), "Windows 10 Build 19045 ");
  EXPECT_EQ(window.laBIOSDate.caption(), "06/14/2019") << "no SystemBiosDate: the BIOS key's date";

  // Read once: showing the window again changes nothing.
  machine.memory.setStatus({90, std::uint64_t{8} << 30, std::uint64_t{1} << 30});
  form->show();
  EXPECT_EQ(window.laRAM.caption(), "2049 MB");
}

TEST_F(SysInfoTest, WhatCannotBeReadKeepsItsPlaceholder) {
  machine.system.computer.reset();
  machine.system.user.reset();
  machine.system.windowsFolder.reset();
  machine.system.systemFolder.reset();
  machine.system.os.reset();
  machine.system.bitsPerPixel = 4;
  // The processor key without its speed: the name alone, the rest still filled.
  key(kProcessorKey).WriteText("ProcessorNameString", "Intel(R) Xeon(R)");
  reg->WriteText("Identifier", "x86 Family 6");

  const TFormSysInfo& window = create();
  for (const widgets::Label* label : {&window.laCompName, &window.laUserName, &window.laWinDir,
                                      &window.laSysDir, &window.laOS, &window.laBIOSDate})
    EXPECT_EQ(label->caption(), "XXX") << label->name();
  EXPECT_EQ(window.laCPU.caption(), "Intel(R) Xeon(R)");
  EXPECT_EQ(window.laFamily.caption(), "x86 Family 6");
  EXPECT_EQ(window.laBitsPerPixel.caption(), "4");
  EXPECT_EQ(window.laColors.caption(), "");
  EXPECT_EQ(window.laRAM.caption(), "4097 MB");

  // No processor key at all.
  machine.registry.deleteKey(platform::HKEY_LOCAL_MACHINE, kProcessorKey);
  const TFormSysInfo& bare = create();
  EXPECT_EQ(bare.laCPU.caption(), "XXX");
  EXPECT_EQ(bare.laFamily.caption(), "XXX");
}

TEST_F(SysInfoTest, EveryWindowsVersionHasItsTitle) {
  struct Case {
    platform::OsVersion version;
    const char* title;
  };
  const Case cases[] = {
      {{3, 51, 1057, 2, ""}, "Windows NT 3.51"},
      {{4, 0, 950, 1, ""}, "Windows 95"},
      {{4, 0, 1381, 2, "Service Pack 6"}, "Windows NT"},
      {{4, 10, 1998, 1, ""}, "Windows 98"},
      {{4, 90, 3000, 1, ""}, "Windows Me"},
      {{5, 0, 2195, 2, ""}, "Windows 2000"},
      {{5, 1, 2600, 2, ""}, "Windows XP"},
      {{5, 2, 3790, 2, ""}, ""},
      {{6, 0, 6002, 2, ""}, "Windows Vista"},
      {{6, 1, 7601, 2, ""}, "Windows 7"},
      {{6, 2, 9200, 2, ""}, "Windows 8"},
      {{6, 3, 9600, 2, ""}, "Windows 8.1"},
      {{10, 0, 21999, 2, ""}, "Windows 10"},
      {{10, 0, 22000, 2, ""}, "Windows 11"},
      {{11, 0, 30000, 2, ""}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(osTitle(c.version), c.title) << c.version.major << "." << c.version.minor;

  machine.system.os = platform::OsVersion{5, 1, 2600, 2, "Service Pack 3"};
  EXPECT_EQ(create().laOS.caption(), "Windows XP Build 2600 Service Pack 3");
  machine.system.os = platform::OsVersion{5, 2, 3790, 2, ""};
  EXPECT_EQ(create().laOS.caption(), " Build 3790 ");
}

TEST_F(SysInfoTest, TheBiosDateComesFromTheKeysItsWindowsHas) {
  struct Case {
    platform::OsVersion version;
    bool systemDate;
    bool biosDate;
    const char* shown;
  };
  const Case cases[] = {
      {{5, 1, 2600, 2, ""}, true, true, "07/15/05"},      {{5, 1, 2600, 2, ""}, false, true, ""},
      {{4, 0, 1381, 2, ""}, true, false, "07/15/05"},     {{5, 0, 2195, 2, ""}, true, true, "XXX"},
      {{5, 2, 3790, 2, ""}, true, true, "XXX"},           {{6, 1, 7601, 2, ""}, true, true, "07/15/05"},
      {{10, 0, 22631, 2, ""}, false, true, "11/02/2023"}, {{10, 0, 19045, 2, ""}, false, false, "XXX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(osTitle(c.version) + (c.systemDate ? " with" : " without") + " SystemBiosDate");
    machine.registry.deleteKey(platform::HKEY_LOCAL_MACHINE, kBiosKey);
    key(kSystemKey).RemoveValue("SystemBiosDate");
    if (c.systemDate) reg->WriteText("SystemBiosDate", "07/15/05");
    if (c.biosDate) key(kBiosKey).WriteText("BIOSReleaseDate", "11/02/2023");
    machine.system.os = c.version;
    EXPECT_EQ(create().laBIOSDate.caption(), c.shown);
  }
}

}  // namespace
}  // namespace velmora::sysinfo
