#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "widgets/row_store.h"

namespace velmora::widgets {
namespace {

// The store against a plain model under a long random mix of adds, removals of
// one row and of many, and cell changes, so that the compaction (which runs several times on the
// way) must keep every row intact.
TEST(RowStore, MatchesAPlainModelThroughAddsRemovalsChangesAndCompactions) {
  RowStore store;
  struct ModelRow {
    std::vector<std::string> cells;
    bool checked;
    int image;
  };
  std::vector<ModelRow> model;
  std::mt19937 random(12345);
  const auto text = [&](int length) {
    std::string s;
    for (int i = 0; i < length; ++i) s += static_cast<char>('a' + random() % 26);
    return s;
  };

  for (int step = 0; step < 40000; ++step) {
    const int action = static_cast<int>(random() % 10);
    if (action < 4 || model.empty()) {
      ModelRow row{{text(static_cast<int>(random() % 40)), text(static_cast<int>(random() % 8))},
                   random() % 2 == 0,
                   static_cast<int>(random() % 100) - 1};
      std::vector<std::string_view> views(row.cells.begin(), row.cells.end());
      ASSERT_EQ(store.add(views, row.checked, row.image), static_cast<int>(model.size()));
      model.push_back(row);
    } else if (action < 7 && random() % 6 != 0) {
      const int r = static_cast<int>(random() % model.size());
      store.remove(r);
      model.erase(model.begin() + r);
    } else if (action < 7) {
      // A few rows at once, as a deletion removes them.
      std::vector<int> rows;
      for (int i = 0; i < 3; ++i) rows.push_back(static_cast<int>(random() % model.size()));
      std::sort(rows.begin(), rows.end());
      rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
      store.removeSorted(rows);
      for (auto r = rows.rbegin(); r != rows.rend(); ++r) model.erase(model.begin() + *r);
    } else {
      const int r = static_cast<int>(random() % model.size());
      const int column = static_cast<int>(random() % 4);
      // Longer and shorter texts: in place, and appended to the pool.
      const std::string value = text(static_cast<int>(random() % 60));
      store.setCell(r, column, value);
      auto& cells = model[static_cast<std::size_t>(r)].cells;
      if (cells.size() <= static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column) + 1);
      cells[static_cast<std::size_t>(column)] = value;
      store.setChecked(r, !store.checked(r));
      model[static_cast<std::size_t>(r)].checked = !model[static_cast<std::size_t>(r)].checked;
    }
  }

  ASSERT_EQ(store.count(), static_cast<int>(model.size()));
  for (std::size_t r = 0; r < model.size(); ++r) {
    const int row = static_cast<int>(r);
    ASSERT_EQ(store.cellCount(row), static_cast<int>(model[r].cells.size())) << "row " << r;
    for (std::size_t c = 0; c < model[r].cells.size(); ++c)
      ASSERT_EQ(store.cell(row, static_cast<int>(c)), model[r].cells[c]) << "row " << r << " cell " << c;
    ASSERT_EQ(store.checked(row), model[r].checked);
    ASSERT_EQ(store.image(row), model[r].image);
  }
}

TEST(RowStore, RemovedTextIsReclaimed) {
  RowStore store;
  const std::string longText(1000, 'x');
  for (int i = 0; i < 1000; ++i) store.add(std::vector<std::string_view>{longText}, false, -1);
  const std::size_t full = store.textPoolSize();
  for (int i = 0; i < 900; ++i) store.remove(0);
  EXPECT_LT(store.textPoolSize(), full / 2);
  EXPECT_EQ(store.cell(99, 0), longText);
  store.clear();
  EXPECT_EQ(store.textPoolSize(), 0u);
  EXPECT_EQ(store.count(), 0);
}

}  // namespace
}  // namespace velmora::widgets
