#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "headless_app.h"
#include "widgets/form.h"
#include "widgets/list_view.h"

namespace velmora::widgets {
namespace {

class ListViewTest : public ::testing::Test {
 protected:
  ListViewTest() {
    list.addColumn("Filename", 350);
    list.addColumn("Size, Kb", 80, TextAlign::Right);
    list.setCheckBoxes(true);
    list.onSelectItem = [this](int row) { selected.push_back(row); };
    list.onItemChecked = [this](int row) { checkedEvents.push_back(row); };
  }

  testing::HeadlessApp h;
  Form form{h.app, "TForm1"};
  ListView list{form, "ListViewFiles"};
  std::vector<int> selected;
  std::vector<int> checkedEvents;
};

TEST_F(ListViewTest, RowsHoldTheirCellsMarksAndImages) {
  EXPECT_EQ(list.addRow({"C:\\temp\\a.tmp", "12"}, true, 3), 0);
  EXPECT_EQ(list.addRow({"C:\\Кэш\\b.log"}, false), 1);
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.rowCaption(0), "C:\\temp\\a.tmp");
  EXPECT_EQ(list.cell(0, 1), "12");
  EXPECT_EQ(list.cell(1, 0), "C:\\Кэш\\b.log");
  EXPECT_EQ(list.cell(1, 1), "") << "a sub-item the row does not have reads as empty";
  EXPECT_TRUE(list.checked(0));
  EXPECT_FALSE(list.checked(1));
  EXPECT_EQ(list.imageIndex(0), 3);
  EXPECT_EQ(list.imageIndex(1), -1);

  list.setCell(1, 3, "far");
  EXPECT_EQ(list.cellCount(1), 4);
  EXPECT_EQ(list.cell(1, 2), "");
  EXPECT_EQ(list.cell(1, 3), "far");
  EXPECT_EQ(list.cell(0, 1), "12") << "other rows are untouched";

  list.uncheckAll();
  EXPECT_FALSE(list.checked(0));
  list.checkAll();
  EXPECT_TRUE(list.checked(0));
  EXPECT_TRUE(list.checked(1));
  EXPECT_TRUE(checkedEvents.empty()) << "changes from code fire no event";
}

TEST_F(ListViewTest, IndexesOutOfRangeThrow) {
  list.addRow({"a"});
  EXPECT_THROW(list.cell(1, 0), std::out_of_range);
  EXPECT_THROW(list.checked(-1), std::out_of_range);
  EXPECT_THROW(list.remove(5), std::out_of_range);
  EXPECT_THROW(list.setColumnWidth(2, 10), std::out_of_range);
  EXPECT_THROW(list.setSelectedIndex(1), std::out_of_range);
}

TEST_F(ListViewTest, SelectItemFiresWhenARowBecomesSelectedButNotWhenItIsLost) {
  for (const char* name : {"a", "b", "c"}) list.addRow({name});
  list.userSelect(1);
  list.userSelect(1);
  list.userSelect(2);
  list.userSelect(-1);
  EXPECT_EQ(selected, (std::vector<int>{1, 2}));
  EXPECT_EQ(list.selectedIndex(), -1);
  EXPECT_EQ(list.focusedIndex(), 2);

  list.setSelectedIndex(0);
  EXPECT_EQ(selected, (std::vector<int>{1, 2})) << "selection from code fires nothing";
  EXPECT_EQ(list.selectedIndex(), 0);
}

TEST_F(ListViewTest, RemovingRowsMovesTheSelectionAndFocusWithTheirRows) {
  for (const char* name : {"a", "b", "c", "d"}) list.addRow({name});
  list.setSelectedIndex(2);
  list.remove(0);
  EXPECT_EQ(list.selectedIndex(), 1);
  EXPECT_EQ(list.rowCaption(1), "c");
  list.remove(3 - 1);
  EXPECT_EQ(list.selectedIndex(), 1);
  list.remove(1);
  EXPECT_EQ(list.selectedIndex(), -1);
  EXPECT_EQ(list.focusedIndex(), -1);
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.rowCaption(0), "b");

  // Many rows at once, given in any order.
  for (const char* name : {"c", "d", "e", "f", "g"}) list.addRow({name});
  list.setSelectedIndex(4);
  list.removeRows({5, 1, 3, 1});
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.rowCaption(0) + list.rowCaption(1) + list.rowCaption(2), "bdf");
  EXPECT_EQ(list.selectedIndex(), 2);
  EXPECT_EQ(list.focusedIndex(), 2);
  list.removeRows({2});
  EXPECT_EQ(list.selectedIndex(), -1);
  EXPECT_THROW(list.removeRows({0, 7}), std::out_of_range);
  EXPECT_EQ(list.count(), 2);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.selectedIndex(), -1);
}

TEST_F(ListViewTest, CheckBoxesToggleByMouseAndSpaceAndTheObjectKeepsTheMark) {
  list.addRow({"a"}, true);
  list.addRow({"b"}, false);
  list.userToggleCheck(1);
  EXPECT_TRUE(list.checked(1));
  list.userToggleCheck(0);
  EXPECT_FALSE(list.checked(0));
  EXPECT_EQ(checkedEvents, (std::vector<int>{1, 0}));

  // Space flips the selected row, and nothing without a selection.
  list.userPressSpace();
  EXPECT_EQ(checkedEvents.size(), 2u);
  list.userSelect(1);
  list.userPressSpace();
  EXPECT_FALSE(list.checked(1));

  list.setCheckBoxes(false);
  list.userToggleCheck(0);
  EXPECT_FALSE(list.checked(0)) << "without check boxes there is nothing to click";
}

TEST_F(ListViewTest, CaptionsAreEditedOnlyWhenAllowedAndTheHandlerMayChangeOrRefuse) {
  list.addRow({"Types"});
  EXPECT_FALSE(list.userEditCaption(0, "new"));
  EXPECT_EQ(list.rowCaption(0), "Types");

  list.setCaptionsEditable(true);
  EXPECT_TRUE(list.userEditCaption(0, "new"));
  EXPECT_EQ(list.rowCaption(0), "new");

  list.onEdited = [](int, std::string& text, bool& accept) {
    if (text.empty())
      accept = false;
    else
      text += "!";
  };
  EXPECT_FALSE(list.userEditCaption(0, ""));
  EXPECT_EQ(list.rowCaption(0), "new");
  EXPECT_TRUE(list.userEditCaption(0, "ok"));
  EXPECT_EQ(list.rowCaption(0), "ok!");
}

TEST_F(ListViewTest, ColumnsKeepTheirCaptionsWidthsAndAlignment) {
  ASSERT_EQ(list.columnCount(), 2);
  EXPECT_EQ(list.column(1).align, TextAlign::Right);
  list.setColumnWidth(0, 598 - 80 - 22);
  list.setColumnCaption(1, "Размер, Кб");
  EXPECT_EQ(list.column(0).width, 496);
  EXPECT_EQ(list.column(1).caption, "Размер, Кб");
  list.userSetColumnWidth(1, 99);
  EXPECT_EQ(list.column(1).width, 99);
}

}  // namespace
}  // namespace velmora::widgets
