#include "junk/settings_lists.h"

#include <gtest/gtest.h>

#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/headless_backend.h"

namespace velmora::junk {
namespace {

class SettingsListsTest : public ::testing::Test {
 protected:
  SettingsListsTest() {
    catalogue.setCheckBoxes(true);
    catalogue.addColumn("Extension", 70);
    catalogue.addColumn("File Type", 200);
  }

  const std::string catPath = catalogueFilePath("C:\\Prog\\");
  const std::string exclPath = exclusionsFilePath("C:\\Prog\\");
  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files{encoding};
  widgets::Application app{std::make_unique<widgets::HeadlessBackend>()};
  widgets::Form settings{app, "TFormSettings"};
  widgets::ListView catalogue{settings, "ListViewJunk"};
  widgets::Memo memo{settings, "MemoExclusions"};
};

TEST_F(SettingsListsTest, CatalogueRowsComeUpCheckedEveryTimeAndOnlyOnce) {
  EXPECT_EQ(catPath, "C:\\Prog\\data\\junk.dat");
  files.put(catPath, "tmp|Temporary files\r\na|b|c\r\n\r\nno bar\r\n");
  ASSERT_TRUE(loadCatalogue(files, catPath, catalogue));
  catalogue.setChecked(0, false);
  ASSERT_TRUE(loadCatalogue(files, catPath, catalogue));
  ASSERT_EQ(catalogue.count(), 4);
  EXPECT_EQ(catalogue.cell(0, 0), "tmp");
  EXPECT_EQ(catalogue.cell(0, 1), "Temporary files");
  EXPECT_EQ(catalogue.cell(1, 1), "b");
  EXPECT_EQ(catalogue.cell(2, 0), "");
  EXPECT_EQ(catalogue.cell(3, 0), "");
  EXPECT_EQ(catalogue.cell(3, 1), "no bar");
  for (int row = 0; row < 4; ++row) EXPECT_TRUE(catalogue.checked(row));
}

TEST_F(SettingsListsTest, AnUnreadableCatalogueLeavesTheListEmpty) {
  files.put(catPath, "tmp|Temporary files\r\n");
  ASSERT_TRUE(loadCatalogue(files, catPath, catalogue));
  files.remove(catPath);
  EXPECT_FALSE(loadCatalogue(files, catPath, catalogue));
  EXPECT_EQ(catalogue.count(), 0);
}

TEST_F(SettingsListsTest, ExclusionsAreCreatedWhenMissingAndSavedLineByLine) {
  ASSERT_TRUE(loadExclusions(files, exclPath, memo));
  EXPECT_EQ(files.bytes(exclPath), std::optional<std::string>(""));
  EXPECT_TRUE(memo.lines().empty());

  memo.setText("C:\\Windows\r\nD:\\Папка");
  ASSERT_TRUE(saveExclusions(files, exclPath, memo));
  EXPECT_EQ(files.bytes(exclPath), std::optional<std::string>("C:\\Windows\r\nD:\\Папка\r\n"));
  memo.setText("");
  ASSERT_TRUE(loadExclusions(files, exclPath, memo));
  EXPECT_EQ(memo.lines(), (std::vector<std::string>{"C:\\Windows", "D:\\Папка"}));
}

TEST_F(SettingsListsTest, FailuresLeaveTheMemoAndTheFileAsTheyWere) {
  memo.setText("C:\\Keep");
  files.setUnwritable(exclPath);  // the data folder is missing: nothing can be created
  EXPECT_FALSE(loadExclusions(files, exclPath, memo));
  EXPECT_EQ(memo.text(), "C:\\Keep");
  EXPECT_FALSE(saveExclusions(files, exclPath, memo));
}

}  // namespace
}  // namespace velmora::junk
