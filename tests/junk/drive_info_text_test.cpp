#include "junk/drive_info_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora::junk {
namespace {

TEST(DriveInfoText, ThousandsGroupsOfThreeWithTheUsersSeparator) {
  EXPECT_EQ(formatThousands(12345678, ","), "12,345,678");
  EXPECT_EQ(formatThousands(999, ","), "999");
  EXPECT_EQ(formatThousands(1000, "\xC2\xA0"),
            "1\xC2\xA0"
            "000");  // a no-break space
  EXPECT_EQ(formatThousands(0, ","), "0");
  EXPECT_EQ(formatThousands(-1234, "."), "-1.234");
  EXPECT_EQ(formatThousands(std::numeric_limits<std::int64_t>::min(), ","), "-9,223,372,036,854,775,808");
  EXPECT_EQ(formatThousands(123456, ""), "123456");
}

TEST(DriveInfoText, SixLinesWithAnUnsignedSerialAndNoFinalLineEnd) {
  DriveInfoTexts texts{
      "Drive: ", "Label: ", "Serial number: ", "File system: ", "Total space: ", "Free space: "};
  DriveFacts facts{'C', "", 0x89ABCDEFu, "NTFS", "41,943,040", "1,024"};
  EXPECT_EQ(driveInformationText(texts, facts),
            "Drive: C\r\nLabel: \r\nSerial number: 2309737967\r\nFile system: NTFS\r\n"
            "Total space: 41,943,040 Kb\r\nFree space: 1,024 Kb");
}

}  // namespace
}  // namespace velmora::junk
