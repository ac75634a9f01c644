// The system-information contract: what the System Information window relies on,
// checked against the fake's default machine natively and against Windows under
// Wine.
#include <gtest/gtest.h>

#include <set>

#include "common/text_lines.h"
#include "platform/utf8.h"
#include "system_info_under_test.h"

namespace velmora::contract {
namespace {

using platform::SystemInfo;

class SystemInfoContract : public ::testing::Test {
 protected:
  std::unique_ptr<SystemInfo> info = makeSystemInfo();
};

TEST_F(SystemInfoContract, NamesAreReadWholeWithoutTheirZero) {
  for (const std::optional<std::string>& name : {info->computerName(), info->userName()}) {
    ASSERT_TRUE(name.has_value());
    EXPECT_FALSE(name->empty());
    const std::optional<std::size_t> length = platform::utf8::utf16Length(*name);
    ASSERT_TRUE(length.has_value()) << "not UTF-8: " << *name;
    EXPECT_LT(*length, SystemInfo::kNameBufferChars) << *name;
    EXPECT_EQ(name->find('\0'), std::string::npos) << "the terminating zero came along";
  }
}

TEST_F(SystemInfoContract, TheVersionIsAWindowsNtTheProgramRunsOn) {
  const std::optional<platform::OsVersion> version = info->osVersion();
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->platformId, 2u);
  // Windows 7 is 6.1; every later Windows has a higher version.
  EXPECT_TRUE(version->major > 6 || (version->major == 6 && version->minor >= 1))
      << version->major << "." << version->minor;
  EXPECT_GT(version->build, 0u);
  EXPECT_TRUE(platform::utf8::isValid(version->servicePack));
}

TEST_F(SystemInfoContract, TheSystemFolderLiesInTheWindowsFolder) {
  const std::optional<std::string> windows = info->windowsDirectory();
  const std::optional<std::string> system = info->systemDirectory();
  ASSERT_TRUE(windows.has_value());
  ASSERT_TRUE(system.has_value());
  // Full paths on a drive, without a trailing backslash.
  ASSERT_GE(windows->size(), 3u);
  EXPECT_EQ(windows->substr(1, 2), ":\\");
  EXPECT_NE(windows->back(), '\\');
  EXPECT_NE(system->back(), '\\');
  EXPECT_EQ(text::asciiLower(*system), text::asciiLower(*windows) + "\\system32");
}

TEST_F(SystemInfoContract, TheDisplayHasADepthAndASize) {
  const std::optional<int> bits = info->displayBitsPerPixel();
  ASSERT_TRUE(bits.has_value());
  EXPECT_TRUE(std::set<int>({1, 4, 8, 15, 16, 24, 32}).contains(*bits)) << *bits;
  const platform::ScreenSize screen = info->screenSize();
  EXPECT_GT(screen.width, 0);
  EXPECT_GT(screen.height, 0);
}

TEST_F(SystemInfoContract, TheThousandsSeparatorIsAShortTextWithoutDigits) {
  const std::string separator = info->thousandsSeparator();
  EXPECT_TRUE(platform::utf8::isValid(separator));
  const std::optional<std::size_t> length = platform::utf8::utf16Length(separator);
  ASSERT_TRUE(length.has_value());
  EXPECT_LE(*length, 4u) << separator;
  EXPECT_EQ(separator.find_first_of("0123456789"), std::string::npos) << separator;
}

TEST_F(SystemInfoContract, TheExecutableIsAFullPathToAProgramFile) {
  const std::optional<std::string> path = info->executablePath();
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(platform::utf8::isValid(*path));
  EXPECT_EQ(path->find('\0'), std::string::npos) << "the terminating zero came along";
  // A drive path, perhaps in its extended-length form; the program's folder is
  // everything up to the last backslash, so there must be a name after it.
  const std::string plain = path->starts_with("\\\\?\\") ? path->substr(4) : *path;
  ASSERT_GE(plain.size(), 3u) << *path;
  EXPECT_EQ(plain.substr(1, 2), ":\\") << *path;
  const std::size_t slash = plain.rfind('\\');
  EXPECT_LT(slash + 1, plain.size()) << *path;
  EXPECT_TRUE(text::asciiLower(plain).ends_with(".exe")) << *path;
}

// The user's identifier names the user's folder in each recycle-bin folder: a text
// SID and nothing that could lead elsewhere.
TEST_F(SystemInfoContract, TheUsersIdentifierIsATextSid) {
  const std::optional<std::string> sid = info->currentUserSid();
  ASSERT_TRUE(sid.has_value());
  EXPECT_TRUE(sid->starts_with("S-1-5-")) << *sid;
  EXPECT_EQ(sid->find_first_not_of("S-0123456789"), std::string::npos) << *sid;
}

}  // namespace
}  // namespace velmora::contract
