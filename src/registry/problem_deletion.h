#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// A checked result row and what it deletes.
struct PlannedDeletion {
  int row = 0;
  DeletionTarget target;
};

// The checked rows of the Registry page's result list that delete something, from
// the last to the first. A row's data (ListView::rowData) is the index of its
// problem in problems; a row without one, or whose problem names no target
// (deletionTargetOf), is left out. UI thread.
std::vector<PlannedDeletion> plannedDeletions(const widgets::ListView& results,
                                              std::span<const ProblemRow> problems);

// What a deletion did, and the rows whose entries went, from the last to the first.
struct ProblemDeletionRun {
  ProblemDeletion result;
  std::vector<int> goneRows;
};

// Deletes the planned entries without touching the list, so that it can run on a
// worker. Everything about to be deleted is first written into one backup file
// (writeBackup is called once, and only when something is to be deleted); an
// entry that could not be exported is not deleted, and when the backup cannot be
// written nothing is. An entry's row is gone when its deletion succeeded.
//
// stopRequested, when given, is asked between two entries, while they are read
// for the backup and while they are deleted, never during the backup's writing:
// a stop before the backup is written deletes nothing and writes nothing, and a
// stop afterwards leaves every entry not yet reached as it was. So an entry is
// never deleted without being in a whole backup file. Thousands of entries take
// a while: progress, when given, is called at most every 50 ms with the entries
// read for the backup so far, those deleted so far, and the number to delete.
using DeletionProgress = std::function<void(int read, int deleted, int total)>;
ProblemDeletionRun deleteProblems(platform::RegistryStore& store, std::span<const PlannedDeletion> planned,
                                  const std::function<BackupFile(const RegFileExport&)>& writeBackup,
                                  const DeletionProgress& progress = {},
                                  const std::function<bool()>& stopRequested = {});

// plannedDeletions and deleteProblems in one go on the UI thread; the rows of the
// deleted entries go in one pass at the end, so the list repaints once.
ProblemDeletion deleteCheckedProblems(platform::RegistryStore& store, widgets::ListView& results,
                                      std::span<const ProblemRow> problems,
                                      const std::function<BackupFile(const RegFileExport&)>& writeBackup,
                                      const DeletionProgress& progress = {});

}  // namespace velmora::registry
