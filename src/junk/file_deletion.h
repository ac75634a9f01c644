#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "widgets/list_view.h"

namespace velmora::junk {

class OpenedBrowsers;  // junk/browser_caches.h

// What one press of Delete achieved.
struct DeletionResult {
  bool toRecycleBin = false;  // Whether files were sent to the Recycle Bin.
  int deletedCount = 0;
  std::int64_t freedKb = 0;  // The kilobyte figures shown in the deleted rows.
  int recycledCount = 0;
  std::int64_t recycledKb = 0;  // The same figures of the rows moved to the Recycle Bin.
  // Files left where they are because their drive's Recycle Bin cannot take them.
  int keptOutOfBinCount = 0;
  // The user cancelled the deletion, as the Recycle Bin had no room: nothing changed.
  bool cancelled = false;
  // The browsers started since the scan, whose files were left (OpenedBrowsers).
  std::vector<std::string> browsersOpened;
};

// What becomes of the files a drive's Recycle Bin has no room for.
enum class BinFullChoice {
  leave,          // They stay where they are, and are reported.
  deleteForGood,  // The user chose to delete them for good instead.
  cancel,         // The user cancelled the whole deletion.
};

// The way to the Recycle Bin, for a Delete that moves files there rather than
// deleting them for good.
struct RecycleBinRoute {
  platform::Drives& drives;
  platform::Shell& shell;
  // Asked once before anything is sent, with the roots ("C:\") of the drives
  // whose Recycle Bin the files would take past its limit: Windows would then
  // delete for good the oldest items the bin holds, which the user still expects
  // to find there. Not set (a run nobody watches): those files are left.
  std::function<BinFullChoice(const std::vector<std::string>& driveRoots)> whenBinFull = {};
  // Set by prepareRecycling: the drives without room, and what becomes of their files.
  std::set<std::string> fullBins = {};
  BinFullChoice fullBinChoice = BinFullChoice::leave;
};

// Asks each drive's Recycle Bin (Shell::recycleBinSpace) whether it can take the
// files of paths that would go to it, all of them together, without pushing out
// what it holds (a bin the shell cannot measure has no limit to enforce). Records
// the answer in the
// route, asking route.whenBinFull when some bin has no room. False when the user
// cancelled: nothing is to be sent.
bool prepareRecycling(platform::FileSystem& files, RecycleBinRoute& route,
                      const std::vector<std::string>& paths);

// What became of one file the junk-file scan listed.
// keptForBinRoom: left because its drive's Recycle Bin has no room for it.
// keptBrowserOpen: left because the browser it belongs to has started since the scan.
enum class Disposed { deleted, recycled, keptOutOfBin, keptForBinRoom, keptBrowserOpen, failed };
// Why a file was kept out of the Recycle Bin: its drive keeps none (removable,
// network), or the drive's bin refused it (switched off for the drive, or the
// file larger than the bin may hold).
enum class OutOfBin { driveKeepsNone, binRefused };
struct Disposal {
  Disposed outcome = Disposed::failed;
  platform::FileError error = platform::FileError::none;  // Why it failed.
  OutOfBin outOfBin = OutOfBin::driveKeepsNone;           // Why it was kept out of the bin.
  std::string browser = {};  // The browser that started, for keptBrowserOpen.
};

// Deletes the files the junk-file scan listed, in the order given, or, with a
// route to the Recycle Bin, moves them there as described below: the one place
// where the program disposes of such files, for the Files page and the command
// line alike. Calls decided with each file's index and what became of it, in
// order, as soon as its batch is done.
//
// The files go in batches of a few hundred: those for the Recycle Bin in one
// operation of the shell per batch (the first of them begins the run of moves, on
// the calling thread, which ends with the call). Before each batch stopRequested,
// when given, is asked: once it says so, the files not yet reached are left as
// they are. With browsers, each batch first asks again whether the browsers whose
// files it holds have started since the scan, and leaves those browsers' files.
// Returns how many files were decided.
std::size_t disposeJunkFiles(platform::FileSystem& files, const RecycleBinRoute* toRecycleBin,
                             const std::vector<std::string>& paths,
                             const std::function<void(std::size_t index, const Disposal&)>& decided,
                             const std::function<bool()>& stopRequested = {}, OpenedBrowsers* browsers = nullptr);

// A checked row of the Files page's result list, taken from it on the UI thread:
// its index, the file's path and the kilobytes the row shows.
struct CheckedFile {
  int row = 0;
  std::string path;
  std::int64_t kilobytes = 0;
};

// The checked rows of the result list, from the last to the first. UI thread.
std::vector<CheckedFile> checkedFiles(const widgets::ListView& results);
std::vector<std::string> pathsOf(const std::vector<CheckedFile>& checked);

// What a deletion of checked rows did, and the rows whose files went.
struct DeletionRun {
  DeletionResult result;
  std::vector<int> goneRows;
};

// Deletes the files of the checked rows as deleteCheckedFiles says, without
// touching the list, so that it can run on a worker. After prepareRecycling, when
// a route to the Recycle Bin is given. A deletion of tens of thousands of files
// takes a while: progress, when given, is called with the figures so far at most
// every 50 ms, and stopRequested is asked between two batches; the files of a
// browser started since the scan keep their rows (disposeJunkFiles).
DeletionRun deleteFiles(platform::FileSystem& files, const std::vector<CheckedFile>& checked,
                        const RecycleBinRoute* toRecycleBin,
                        const std::function<void(const DeletionResult&)>& progress = {},
                        const std::function<bool()>& stopRequested = {}, OpenedBrowsers* browsers = nullptr);

// Deletes the files of the checked rows of the Files page's result list, from the
// last row to the first. A row goes when its file was deleted; a file that cannot
// be deleted (in use, read-only, already gone) keeps its row, still checked.
// Unchecked rows are never touched. Runs on the calling thread, the list's.
//
// With a route to the Recycle Bin, each file is checked as deleteFile checks it
// and then moved to its drive's Recycle Bin instead; files that already lie in a
// recycle-bin folder are deleted. A file whose drive keeps no Recycle Bin
// (removable, network) is left alone, its row still checked, and counted; so is
// one whose drive's Recycle Bin has no room for it (prepareRecycling), unless the
// user chose to delete those for good, or cancelled the whole deletion.
//
// The rows of deleted files go in one pass once every file has been tried, so the
// list repaints once.
DeletionResult deleteCheckedFiles(platform::FileSystem& files, widgets::ListView& results,
                                  const std::function<void(const DeletionResult&)>& progress = {},
                                  RecycleBinRoute* toRecycleBin = nullptr);

// "Files deleted: 3\nSpace freed: 120 Kb." from the two language texts.
std::string deletionStatusText(const std::string& filesDeletedText, const std::string& spaceClearedText,
                               const DeletionResult& result);

// The language texts of a report of files moved to the Recycle Bin.
struct RecyclingTexts {
  std::string filesRecycled;  // "Files moved to the Recycle Bin: "
  std::string totalSize;      // "Total size: "
  std::string filesDeleted;
  std::string spaceCleared;
  std::string keptOutOfBin;
};

// "Files moved to the Recycle Bin: 3\nTotal size: 120 Kb.": the space of moved
// files is still taken, so it is not called freed. Files deleted from the Recycle
// Bin's own folders follow as deletionStatusText says them, and the files left
// for want of a Recycle Bin last, each part only when it counted anything.
std::string recyclingStatusText(const RecyclingTexts& texts, const DeletionResult& result);

}  // namespace velmora::junk
