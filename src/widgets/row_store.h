#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::widgets {

// The rows of a list view, stored compactly: one flat array of rows, one of their
// cells and one pool of text, so that adding a row allocates nothing most of the
// time and a million rows take a few tens of megabytes. Removed and replaced text
// stays in the pool until it makes up most of it; then the pool is compacted.
//
// Cell 0 is a row's caption, cell k its k-th sub-item. Indexes must be in range.
class RowStore {
 public:
  // The data of a row that was given none.
  static constexpr std::uint32_t kNoRowData = 0xFFFFFFFF;

  int count() const { return static_cast<int>(rows_.size()); }

  // Appends a row; returns its index.
  int add(std::span<const std::string_view> cells, bool checked, int image);
  void remove(int row);
  // Removes the rows whose indexes are given, in ascending order without repeats,
  // in one pass over the store: removing a hundred thousand rows of a million one
  // by one would move the rows after each of them every time.
  void removeSorted(std::span<const int> rows);
  void clear();

  int cellCount(int row) const { return static_cast<int>(rows_[index(row)].cellCount); }
  // The text of a cell, empty beyond the row's cells. The view is valid until
  // the store next changes.
  std::string_view cell(int row, int column) const;
  // Sets a cell, adding empty cells before it when the row has fewer.
  void setCell(int row, int column, std::string_view text);

  bool checked(int row) const { return rows_[index(row)].checked; }
  void setChecked(int row, bool checked) { rows_[index(row)].checked = checked; }
  void setAllChecked(bool checked);
  int image(int row) const { return rows_[index(row)].image; }
  void setImage(int row, int image) { rows_[index(row)].image = image; }
  std::uint32_t data(int row) const { return rows_[index(row)].data; }
  void setData(int row, std::uint32_t data) { rows_[index(row)].data = data; }

  // Bytes held, for the benchmark and the compaction test.
  std::size_t textPoolSize() const { return text_.size(); }

 private:
  struct Cell {
    std::uint32_t offset;
    std::uint32_t length;
  };
  struct Row {
    std::uint32_t firstCell;
    std::uint32_t cellCount;
    std::int32_t image;
    bool checked;
    std::uint32_t data;
  };

  static std::size_t index(int row) { return static_cast<std::size_t>(row); }
  // Makes room for bytes more text in the pool (compacting it if that helps),
  // before any cell refers to the new text.
  void ensureRoom(std::size_t bytes);
  Cell appendText(std::string_view text);
  void discard(const Row& row);
  void compactIfWasteful();
  void compact();

  std::vector<Row> rows_;
  std::vector<Cell> cells_;
  std::string text_;
  std::size_t deadCells_ = 0;
  std::size_t deadText_ = 0;
};

}  // namespace velmora::widgets
