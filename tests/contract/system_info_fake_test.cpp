// The buffer limits of the fake system information, which stand for what Windows
// does with a name too long for the program's buffer; Wine's user cannot be
// renamed for a test.
#include <gtest/gtest.h>

#include "fakes/fake_system_info.h"

namespace velmora::fakes {
namespace {

using platform::SystemInfo;

TEST(FakeSystemInfo, NamesFailFromTheBufferSizeInUtf16CharactersOn) {
  FakeSystemInfo info;
  const std::size_t longest = SystemInfo::kNameBufferChars - 1;
  info.user = std::string(longest, 'u');
  EXPECT_EQ(info.userName(), info.user);
  info.user = std::string(longest + 1, 'u');
  EXPECT_EQ(info.userName(), std::nullopt);
  // Cyrillic letters take two bytes but one UTF-16 character each: they fit.
  std::string cyrillic;
  for (std::size_t i = 0; i < longest; ++i) cyrillic += "\xD0\x96";
  info.computer = cyrillic;
  EXPECT_EQ(info.computerName(), cyrillic);
  // A character beyond the BMP takes two.
  info.computer = std::string(longest - 1, 'c') + "\xF0\x9F\x98\x80";
  EXPECT_EQ(info.computerName(), std::nullopt);
  info.computer.reset();
  EXPECT_EQ(info.computerName(), std::nullopt);
}

TEST(FakeSystemInfo, FoldersFailFromTwoHundredAndFiftyFiveCharactersOn) {
  FakeSystemInfo info;
  info.windowsFolder = "C:\\" + std::string(251, 'w');
  EXPECT_EQ(info.windowsDirectory()->size(), 254u);
  info.windowsFolder = "C:\\" + std::string(252, 'w');
  EXPECT_EQ(info.windowsDirectory(), std::nullopt);
  info.systemFolder = "";
  EXPECT_EQ(info.systemDirectory(), std::nullopt);
}

}  // namespace
}  // namespace velmora::fakes
