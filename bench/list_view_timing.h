#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/list_view.h"

namespace velmora::bench {

// Adds a million rows, as the file scan adds them (a path and a size, checked,
// with an icon index), to a list view on form, then lets the UI thread handle
// what is waiting (a realized list view then takes the new row count), and
// prints how long that took on the UI thread. Then removes every tenth row, a
// hundred thousand, as Delete removes the rows of the files it deleted (found
// from the last row to the first, removed together), and prints that time too.
inline double timeMillionRows(widgets::Application& app, widgets::Form& form, const char* label) {
  constexpr int kRows = 1'000'000;
  widgets::ListView list(form, "ListViewFiles");
  list.setBounds({0, 0, 500, 400});
  list.setCheckBoxes(true);
  list.setGridLines(true);
  list.setRowSelect(true);
  list.addColumn("Filename", 350);
  list.addColumn("Size, Kb", 80, widgets::TextAlign::Right);
  form.realize();
  app.processMessages();

  std::string path = "C:\\Documents and Settings\\user\\Local Settings\\Temp\\~setup";
  const std::size_t stem = path.size();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRows; ++i) {
    path.resize(stem);
    path += std::to_string(i);
    path += ".tmp";
    list.addRow({path, std::to_string(i % 4096)}, true, 3);
  }
  app.processMessages();
  const auto elapsed =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-40s %10.1f ms for %d rows (%zu rows in the list)\n", label, elapsed, kRows,
              static_cast<std::size_t>(list.count()));

  list.uncheckAll();
  for (int i = 0; i < kRows; i += 10) list.setChecked(i, true);
  app.processMessages();
  const auto removalStart = std::chrono::steady_clock::now();
  std::vector<int> deleted;
  for (int row = list.count() - 1; row >= 0; --row)
    if (list.checked(row)) deleted.push_back(row);
  list.removeRows(std::move(deleted));
  app.processMessages();
  const auto removal =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - removalStart).count();
  std::printf("%-40s %10.1f ms to remove %d checked rows (%zu rows left)\n", label, removal, kRows / 10,
              static_cast<std::size_t>(list.count()));
  return elapsed;
}

}  // namespace velmora::bench
