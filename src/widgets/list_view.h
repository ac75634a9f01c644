#pragma once

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/control.h"
#include "widgets/row_store.h"

namespace velmora::widgets {

class ImageList;

enum class TextAlign { Left, Right, Center };

struct ListColumn {
  std::string caption;
  int width = 50;
  TextAlign align = TextAlign::Left;
};

// A report-style list: columns, and rows of cells (cell 0 the caption, then the
// sub-items) with a check mark and an image index each. The object owns every
// row and mark; the native peer is an owner-data list view that reads them from
// here, so a million rows add in a fraction of a second. Column headers do not
// react to clicks. One row at most is selected.
//
// Row and column indexes out of range throw std::out_of_range.
class ListView : public Control {
 public:
  bool tabStop() const override { return true; }
  ListView(Control& parent, std::string name);

  // Columns.
  int columnCount() const { return static_cast<int>(columns_.size()); }
  const ListColumn& column(int index) const { return columns_.at(static_cast<std::size_t>(index)); }
  int addColumn(std::string caption, int width, TextAlign align = TextAlign::Left);
  void setColumnCaption(int index, std::string caption);
  void setColumnWidth(int index, int width);

  // Looks.
  bool checkBoxes() const { return checkBoxes_; }
  void setCheckBoxes(bool on);
  bool gridLines() const { return gridLines_; }
  void setGridLines(bool on);
  bool rowSelect() const { return rowSelect_; }
  void setRowSelect(bool on);
  // Whether the user may edit a row's caption in place.
  bool captionsEditable() const { return captionsEditable_; }
  void setCaptionsEditable(bool on);
  ImageList* smallImages() const { return smallImages_; }
  void setSmallImages(ImageList* images);

  // Rows.
  int count() const { return rows_.count(); }
  // Appends a row of cells (caption first); returns its index.
  int addRow(std::initializer_list<std::string_view> cells, bool checked = false, int imageIndex = -1);
  int addRow(std::span<const std::string> cells, bool checked = false, int imageIndex = -1);
  // A cell's text; empty beyond the row's cells.
  std::string cell(int row, int column) const { return std::string(cellView(row, column)); }
  std::string rowCaption(int row) const { return cell(row, 0); }
  int cellCount(int row) const;
  void setCell(int row, int column, std::string_view text);
  bool checked(int row) const;
  void setChecked(int row, bool checked);
  void checkAll() { setAllChecked(true); }
  void uncheckAll() { setAllChecked(false); }
  int imageIndex(int row) const;
  void setImageIndex(int row, int imageIndex);
  // A number the owner keeps with a row (as a list item's lParam), never shown: it
  // moves with the row, so the owner finds what a row stands for without reading
  // it back from the row's texts. kNoRowData until set.
  static constexpr std::uint32_t kNoRowData = RowStore::kNoRowData;
  std::uint32_t rowData(int row) const;
  void setRowData(int row, std::uint32_t data);
  // Removing a row moves the selection and focus with the rows after it.
  void remove(int row);
  // Removes several rows, given in any order, in one pass and with one repaint.
  void removeRows(std::vector<int> rows);
  void clear();

  // The selected row, -1 for none; the focused row likewise. Setting fires
  // nothing.
  int selectedIndex() const { return selected_; }
  void setSelectedIndex(int row);
  int focusedIndex() const { return focused_; }
  void setFocusedIndex(int row);

  // User actions.
  // A row becomes selected (onSelectItem fires), or -1: the user cleared the
  // selection (nothing fires).
  void userSelect(int row);
  void userFocus(int row);
  // A click on a row's check box: the mark flips and onItemChecked fires.
  void userToggleCheck(int row);
  // Space: the mark of the row the keyboard is on flips.
  void userPressSpace();
  // The user finished editing a caption in place; false when editing is off or
  // onEdited refused. onEdited may change the text.
  bool userEditCaption(int row, std::string text);
  // The user dragged a column's edge in the header.
  void userSetColumnWidth(int column, int width);

  std::function<void(int row)> onSelectItem;
  std::function<void(int row)> onItemChecked;
  std::function<void(int row, std::string& text, bool& accept)> onEdited;

  // For peers: a cell's text without a copy, valid until the list changes.
  std::string_view cellView(int row, int column) const;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  friend class ImageList;
  void checkRow(int row) const;
  void checkColumn(int column) const;
  void setAllChecked(bool checked);

  std::vector<ListColumn> columns_;
  RowStore rows_;
  bool checkBoxes_ = false;
  bool gridLines_ = false;
  bool rowSelect_ = false;
  bool captionsEditable_ = false;
  ImageList* smallImages_ = nullptr;
  int selected_ = -1;
  int focused_ = -1;
};

}  // namespace velmora::widgets
