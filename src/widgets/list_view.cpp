#include "widgets/list_view.h"

#include <algorithm>
#include <stdexcept>

#include "widgets/form.h"

namespace velmora::widgets {

ListView::ListView(Control& parent, std::string name) : Control(parent, std::move(name)) {
  setSize(250, 150);
}

void ListView::checkRow(int row) const {
  if (row < 0 || row >= count())
    throw std::out_of_range("List index out of bounds (" + std::to_string(row) + ") in " + name());
}

void ListView::checkColumn(int column) const {
  if (column < 0 || column >= columnCount())
    throw std::out_of_range("Column index out of bounds (" + std::to_string(column) + ") in " + name());
}

int ListView::addColumn(std::string caption, int width, TextAlign align) {
  columns_.push_back({std::move(caption), width, align});
  notifyPeer(Change::Columns);
  return columnCount() - 1;
}

void ListView::setColumnCaption(int index, std::string caption) {
  checkColumn(index);
  auto& column = columns_[static_cast<std::size_t>(index)];
  if (column.caption == caption) return;
  column.caption = std::move(caption);
  notifyPeer(Change::Columns, index);
}

void ListView::setColumnWidth(int index, int width) {
  checkColumn(index);
  auto& column = columns_[static_cast<std::size_t>(index)];
  if (column.width == width) return;
  column.width = width;
  notifyPeer(Change::Columns, index);
}

void ListView::userSetColumnWidth(int column, int width) {
  checkColumn(column);
  columns_[static_cast<std::size_t>(column)].width = width;
}

void ListView::setCheckBoxes(bool on) {
  if (on == checkBoxes_) return;
  checkBoxes_ = on;
  notifyPeer(Change::Options);
}

void ListView::setGridLines(bool on) {
  if (on == gridLines_) return;
  gridLines_ = on;
  notifyPeer(Change::Options);
}

void ListView::setRowSelect(bool on) {
  if (on == rowSelect_) return;
  rowSelect_ = on;
  notifyPeer(Change::Options);
}

void ListView::setCaptionsEditable(bool on) {
  if (on == captionsEditable_) return;
  captionsEditable_ = on;
  notifyPeer(Change::Options);
}

void ListView::setSmallImages(ImageList* images) {
  if (images == smallImages_) return;
  smallImages_ = images;
  notifyPeer(Change::Images);
}

int ListView::addRow(std::initializer_list<std::string_view> cells, bool checked, int imageIndex) {
  const int row =
      rows_.add(std::span<const std::string_view>(cells.begin(), cells.size()), checked, imageIndex);
  notifyPeer(Change::RowsAdded, row);
  return row;
}

int ListView::addRow(std::span<const std::string> cells, bool checked, int imageIndex) {
  std::vector<std::string_view> views(cells.begin(), cells.end());
  const int row = rows_.add(views, checked, imageIndex);
  notifyPeer(Change::RowsAdded, row);
  return row;
}

std::string_view ListView::cellView(int row, int column) const {
  checkRow(row);
  return rows_.cell(row, column);
}

int ListView::cellCount(int row) const {
  checkRow(row);
  return rows_.cellCount(row);
}

void ListView::setCell(int row, int column, std::string_view text) {
  checkRow(row);
  rows_.setCell(row, column, text);
  notifyPeer(Change::RowChanged, row);
}

bool ListView::checked(int row) const {
  checkRow(row);
  return rows_.checked(row);
}

void ListView::setChecked(int row, bool checked) {
  checkRow(row);
  if (rows_.checked(row) == checked) return;
  rows_.setChecked(row, checked);
  notifyPeer(Change::RowChanged, row);
}

void ListView::setAllChecked(bool checked) {
  rows_.setAllChecked(checked);
  notifyPeer(Change::AllRows);
}

int ListView::imageIndex(int row) const {
  checkRow(row);
  return rows_.image(row);
}

void ListView::setImageIndex(int row, int imageIndex) {
  checkRow(row);
  rows_.setImage(row, imageIndex);
  notifyPeer(Change::RowChanged, row);
}

std::uint32_t ListView::rowData(int row) const {
  checkRow(row);
  return rows_.data(row);
}

void ListView::setRowData(int row, std::uint32_t data) {
  checkRow(row);
  rows_.setData(row, data);
}

void ListView::remove(int row) {
  checkRow(row);
  rows_.remove(row);
  const auto follow = [row](int& index) {
    if (index == row)
      index = -1;
    else if (index > row)
      --index;
  };
  follow(selected_);
  follow(focused_);
  notifyPeer(Change::RowRemoved, row);
}

void ListView::removeRows(std::vector<int> rows) {
  for (int row : rows) checkRow(row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.empty()) return;
  rows_.removeSorted(rows);
  const auto follow = [&rows](int& index) {
    if (index < 0) return;
    const auto before = std::lower_bound(rows.begin(), rows.end(), index);
    if (before != rows.end() && *before == index)
      index = -1;
    else
      index -= static_cast<int>(before - rows.begin());
  };
  follow(selected_);
  follow(focused_);
  notifyPeer(Change::RowRemoved, -1);
}

void ListView::clear() {
  rows_.clear();
  selected_ = -1;
  focused_ = -1;
  notifyPeer(Change::RowsCleared);
}

void ListView::setSelectedIndex(int row) {
  if (row != -1) checkRow(row);
  if (row == selected_) return;
  selected_ = row;
  if (row != -1) focused_ = row;
  notifyPeer(Change::Selection);
}

void ListView::setFocusedIndex(int row) {
  if (row != -1) checkRow(row);
  if (row == focused_) return;
  focused_ = row;
  notifyPeer(Change::Selection);
}

void ListView::userSelect(int row) {
  if (row < -1 || row >= count() || row == selected_) return;
  selected_ = row;
  if (row == -1) return;
  focused_ = row;
  if (onSelectItem) fire([&] { onSelectItem(row); });
}

void ListView::userFocus(int row) {
  if (row < -1 || row >= count()) return;
  focused_ = row;
}

void ListView::userToggleCheck(int row) {
  if (!checkBoxes_ || row < 0 || row >= count()) return;
  rows_.setChecked(row, !rows_.checked(row));
  notifyPeer(Change::RowChanged, row);
  if (onItemChecked) fire([&] { onItemChecked(row); });
}

void ListView::userPressSpace() {
  // The row the keyboard is on, which is the selected one unless the user moved
  // the focus without selecting (Ctrl with the arrow keys).
  userToggleCheck(focused_ >= 0 ? focused_ : selected_);
}

bool ListView::userEditCaption(int row, std::string text) {
  if (!captionsEditable_ || row < 0 || row >= count()) return false;
  bool accept = true;
  if (onEdited) fire([&] { onEdited(row, text, accept); });
  if (!accept) return false;
  // A handler may have removed rows meanwhile.
  if (row >= count()) return false;
  setCell(row, 0, text);
  return true;
}

}  // namespace velmora::widgets
