#include "widgets/row_store.h"

#include <limits>
#include <stdexcept>

namespace velmora::widgets {
namespace {

constexpr std::size_t kMaxPool = std::numeric_limits<std::uint32_t>::max();
// Below this much waste compaction is not worth its copy.
constexpr std::size_t kMinWaste = 64 * 1024;

}  // namespace

void RowStore::ensureRoom(std::size_t bytes) {
  if (text_.size() + bytes <= kMaxPool) return;
  compact();
  if (text_.size() + bytes > kMaxPool) throw std::length_error("list view text exceeds 4 GiB");
}

RowStore::Cell RowStore::appendText(std::string_view text) {
  const Cell cell{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(text.size())};
  text_.append(text);
  return cell;
}

int RowStore::add(std::span<const std::string_view> cells, bool checked, int image) {
  if (rows_.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::length_error("too many list view rows");
  std::size_t bytes = 0;
  for (std::string_view text : cells) bytes += text.size();
  ensureRoom(bytes);
  const Row row{static_cast<std::uint32_t>(cells_.size()), static_cast<std::uint32_t>(cells.size()), image,
                checked, kNoRowData};
  for (std::string_view text : cells) cells_.push_back(appendText(text));
  rows_.push_back(row);
  return count() - 1;
}

void RowStore::discard(const Row& row) {
  deadCells_ += row.cellCount;
  for (std::uint32_t i = 0; i < row.cellCount; ++i) deadText_ += cells_[row.firstCell + i].length;
}

void RowStore::remove(int row) {
  discard(rows_[index(row)]);
  rows_.erase(rows_.begin() + row);
  compactIfWasteful();
}

void RowStore::removeSorted(std::span<const int> rows) {
  if (rows.empty()) return;
  std::size_t kept = index(rows.front());
  std::size_t next = 0;
  for (std::size_t row = kept; row < rows_.size(); ++row) {
    if (next < rows.size() && index(rows[next]) == row) {
      discard(rows_[row]);
      ++next;
    } else {
      rows_[kept++] = rows_[row];
    }
  }
  rows_.resize(kept);
  compactIfWasteful();
}

void RowStore::clear() {
  rows_.clear();
  cells_.clear();
  text_.clear();
  rows_.shrink_to_fit();
  cells_.shrink_to_fit();
  text_.shrink_to_fit();
  deadCells_ = 0;
  deadText_ = 0;
}

std::string_view RowStore::cell(int row, int column) const {
  const Row& r = rows_[index(row)];
  if (column < 0 || static_cast<std::uint32_t>(column) >= r.cellCount) return {};
  const Cell& c = cells_[r.firstCell + static_cast<std::uint32_t>(column)];
  return std::string_view(text_).substr(c.offset, c.length);
}

void RowStore::setCell(int row, int column, std::string_view text) {
  if (column < 0) throw std::out_of_range("negative list view column");
  ensureRoom(text.size());
  Row& r = rows_[index(row)];
  const auto col = static_cast<std::uint32_t>(column);
  if (col >= r.cellCount) {
    // The row's cells move to the end, where there is room for the new ones.
    const auto first = static_cast<std::uint32_t>(cells_.size());
    for (std::uint32_t i = 0; i < r.cellCount; ++i) cells_.push_back(cells_[r.firstCell + i]);
    deadCells_ += r.cellCount;
    for (std::uint32_t i = r.cellCount; i <= col; ++i) cells_.push_back({0, 0});
    r.firstCell = first;
    r.cellCount = col + 1;
  }
  Cell& c = cells_[r.firstCell + col];
  if (text.size() <= c.length) {
    text_.replace(c.offset, text.size(), text);
    deadText_ += c.length - text.size();
    c.length = static_cast<std::uint32_t>(text.size());
  } else {
    deadText_ += c.length;
    c = appendText(text);
  }
  compactIfWasteful();
}

void RowStore::setAllChecked(bool checked) {
  for (Row& row : rows_) row.checked = checked;
}

void RowStore::compactIfWasteful() {
  if ((deadText_ > kMinWaste && deadText_ * 2 > text_.size()) ||
      (deadCells_ > kMinWaste && deadCells_ * 2 > cells_.size()))
    compact();
}

void RowStore::compact() {
  std::vector<Cell> cells;
  std::string text;
  cells.reserve(cells_.size() - deadCells_);
  text.reserve(text_.size() - deadText_);
  for (Row& row : rows_) {
    const auto first = static_cast<std::uint32_t>(cells.size());
    for (std::uint32_t i = 0; i < row.cellCount; ++i) {
      const Cell& c = cells_[row.firstCell + i];
      cells.push_back({static_cast<std::uint32_t>(text.size()), c.length});
      text.append(text_, c.offset, c.length);
    }
    row.firstCell = first;
  }
  cells_ = std::move(cells);
  text_ = std::move(text);
  deadCells_ = 0;
  deadText_ = 0;
}

}  // namespace velmora::widgets
