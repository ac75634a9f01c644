// The buffer limits of the fake system information, which stand for what Windows
// does with a long user name; Wine's user cannot be renamed for a test.
#include <gtest/gtest.h>

#include "fakes/fake_system_info.h"

namespace velmora::fakes {
namespace {

TEST(FakeSystemInfo, NamesFailFromSixteenUtf16CharactersOn) {
  FakeSystemInfo info;
  info.user = "fifteen-chars-x";
  EXPECT_EQ(info.userName(), "fifteen-chars-x");
  info.user = "sixteen-chars-xx";
  EXPECT_EQ(info.userName(), std::nullopt);
  // Fifteen Cyrillic letters take 30 bytes but 15 UTF-16 characters: they fit.
  std::string cyrillic;
  for (int i = 0; i < 15; ++i) cyrillic += "\xD0\x96";
  info.computer = cyrillic;
  EXPECT_EQ(info.computerName(), cyrillic);
  // A character beyond the BMP takes two: 14 letters and an emoji make 16.
  info.computer = "fourteen-chars\xF0\x9F\x98\x80";
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
