#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry_store.h"
#include "registry/problem_categories.h"
#include "registry/reg_file_export.h"
#include "registry/registry_backup.h"
#include "widgets/list_view.h"

namespace velmora::registry {

// What one result row deletes: a value of a key, or a key with everything below it.
struct DeletionTarget {
  platform::RegKey root{};
  std::string keyPath;
  std::optional<std::string> valueName;  // Nothing: the whole key tree.
};

// The target of a result row, recognised from its "Entry", "Root Key" and
// "Registry Key" texts by the first kind that fits, in the order the deletion
// tries them; a value is the one named by the row's value name, exactly. Nothing
// for a row that fits no kind, names no known root, or would delete what a row
// must never delete: a value without a value name, or whose name is empty, only
// blanks or only backslashes; a key whose name, once the row's texts are joined,
// is one of those; a category's own key ("Software\", "CLSID\", the Uninstall
// key, ...); or a root.
std::optional<DeletionTarget> deletionTargetOf(const ProblemRow& row);

// What one press of Delete did.
struct ProblemDeletion {
  int deletedCount = 0;
  // The backup could not be written, so nothing was deleted; backupPath names it.
  bool backupFailed = false;
  std::string backupPath;
};

// Deletes what the checked rows of the Registry page's result list describe, from
// the last row to the first, after writing everything about to be deleted into one
// backup file (writeBackup is called once, and only when something is to be
// deleted). A row whose target could not be exported is not deleted; when the
// backup cannot be written nothing is. A row goes when its deletion succeeded;
// otherwise it stays, still checked. A row's data (ListView::rowData) is the index
// of its problem in problems; a row without one deletes nothing. Runs on the UI
// thread.
//
// The rows of deleted entries go in one pass once every entry has been tried, so
// the list repaints once. Thousands of rows take a while: progress, when given,
// is called at most every 50 ms with the entries deleted so far and the number to
// delete (0 while the backup is being read), for the window to show them.
ProblemDeletion deleteCheckedProblems(platform::RegistryStore& store, widgets::ListView& results,
                                      std::span<const ProblemRow> problems,
                                      const std::function<BackupFile(const RegFileExport&)>& writeBackup,
                                      const std::function<void(int done, int total)>& progress = {});

}  // namespace velmora::registry
