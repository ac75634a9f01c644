#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/file_system.h"
#include "widgets/list_view.h"

namespace velmora::junk {

// What one press of Delete achieved.
struct DeletionResult {
  int deletedCount = 0;
  std::int64_t freedKb = 0;  // The kilobyte figures shown in the deleted rows.
};

// Deletes the files of the checked rows of the Files page's result list, from the
// last row to the first. A row goes when its file was deleted; a file that cannot
// be deleted (in use, read-only, already gone) keeps its row, still checked.
// Unchecked rows are never touched. Runs on the UI thread.
//
// The rows of deleted files go in one pass once every file has been tried, so the
// list repaints once. A deletion of tens of thousands of files takes a while:
// progress, when given, is called with the figures so far at most every 50 ms,
// for the window to show them.
DeletionResult deleteCheckedFiles(platform::FileSystem& files, widgets::ListView& results,
                                  const std::function<void(const DeletionResult&)>& progress = {});

// "Files deleted: 3\nSpace freed: 120 Kb." from the two language texts.
std::string deletionStatusText(const std::string& filesDeletedText, const std::string& spaceClearedText,
                               const DeletionResult& result);

}  // namespace velmora::junk
