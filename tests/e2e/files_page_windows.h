#pragma once

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <utility>

#include "program_controls.h"

namespace velmora::e2e {

// The Files page's controls in the real window, found by what they show.
struct FilesPageWindows {
  explicit FilesPageWindows(HWND window)
      : types(findListView(window, L"Types")),
        drives(findListView(window, L"Drives")),
        results(findListView(window, L"File name")),
        // Two buttons read "Uncheck All"; this one shares the type list's panel.
        typesUncheck(types ? findVisibleChild(GetParent(types), L"Button", L"Uncheck All") : nullptr),
        search(findVisibleChild(window, L"Button", L"Search")),
        remove(findVisibleChild(window, L"Button", L"Delete")),
        status(findVisibleChild(window, STATUSCLASSNAMEW)) {}

  // The names of the controls that were not found; empty when all were.
  std::string missing() const {
    std::string names;
    const std::pair<HWND, const char*> controls[] = {
        {types, " ListViewTypesFiles"}, {drives, " ListViewDrives"},
        {results, " ListViewFiles"},    {typesUncheck, " ButtonTypesUncheck"},
        {search, " ButtonSearchFiles"}, {remove, " ButtonDeleteFiles"},
        {status, " StatusBar1"}};
    for (const auto& [hwnd, name] : controls)
      if (!hwnd) names += name;
    return names;
  }
  // The Search button reads "Search" again once the scan has ended.
  bool scanEnded() const { return windowText(search) == L"Search"; }
  // Clicks Search, or Delete, and waits until the scan or the deletion has
  // ended; whether it did within the limit.
  bool finish(HWND button, std::chrono::milliseconds limit = std::chrono::seconds(60)) const {
    clickButton(button);
    return waitUntil([this] { return scanEnded(); }, limit);
  }

  // Uncheck All, then a click on each category given; false when a row showed
  // no check box.
  bool checkOnlyTypes(std::initializer_list<int> rows) const {
    clickButton(typesUncheck);
    for (int row : rows)
      if (!clickListCheckBox(types, row)) return false;
    return true;
  }
  // Clicks the drives' check boxes until only the drive of root is checked;
  // false when the list does not show that drive.
  bool checkOnlyDrive(const std::wstring& root) const {
    const int wanted = findListRow(drives, root);
    for (int row = 0; wanted >= 0 && row < listRowCount(drives); ++row)
      if (listRowChecked(drives, row) != (row == wanted) && !clickListCheckBox(drives, row)) return false;
    return wanted >= 0;
  }

  HWND types;         // ListViewTypesFiles
  HWND drives;        // ListViewDrives
  HWND results;       // ListViewFiles
  HWND typesUncheck;  // ButtonTypesUncheck
  HWND search;        // ButtonSearchFiles
  HWND remove;        // ButtonDeleteFiles
  HWND status;        // StatusBar1
};

}  // namespace velmora::e2e
