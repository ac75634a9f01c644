#include "junk/file_deletion.h"

#include <cctype>
#include <charconv>
#include <chrono>
#include <map>
#include <vector>

#include "junk/category_roots.h"

namespace velmora::junk {
namespace {

// The size column holds a plain decimal number of kilobytes; anything else adds 0.
std::int64_t kilobytesOf(std::string_view cell) {
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  return error == std::errc{} && end == cell.data() + cell.size() ? value : 0;
}

// Windows keeps a Recycle Bin on fixed drives only: a file deleted on a removable,
// network, optical or RAM drive is gone for good. A path that does not start with
// a drive letter (a network share) has none either.
bool driveKeepsRecycleBin(platform::Drives& drives, std::string_view path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  return drives.getDriveType(path.substr(0, 3)) == platform::DriveType::fixed;
}

std::string driveRoot(std::string_view path) {
  std::string root(path.substr(0, 3));
  root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
  return root;
}

// Whether a path goes to a Recycle Bin at all when recycled.
bool goesToRecycleBin(platform::FileSystem& files, const RecycleBinRoute& route, const std::string& path) {
  return !liesInRecycleBin(path, files) && driveKeepsRecycleBin(route.drives, path);
}

}  // namespace

bool prepareRecycling(platform::FileSystem& files, RecycleBinRoute& route,
                      const std::vector<std::string>& paths) {
  std::map<std::string, std::uint64_t> bytesPerDrive;
  for (const std::string& path : paths) {
    if (!goesToRecycleBin(files, route, path)) continue;
    std::uint64_t& bytes = bytesPerDrive[driveRoot(path)];
    platform::FindData entry;
    if (files.findFirstFile(path, entry)) bytes += entry.size;
  }
  route.fullBins.clear();
  for (const auto& [root, bytes] : bytesPerDrive) {
    // A bin the shell cannot measure keeps no limit it could enforce by pushing
    // items out: Wine's bin is the desktop's trash, which has none, and answers
    // E_FAIL. Windows measures every bin it keeps.
    const std::optional<platform::RecycleBinSpace> bin = route.shell.recycleBinSpace(root);
    if (!bin) continue;
    if (bin->usedBytes > bin->limitBytes || bytes > bin->limitBytes - bin->usedBytes)
      route.fullBins.insert(root);
  }
  route.fullBinChoice = BinFullChoice::leave;
  if (!route.fullBins.empty() && route.whenBinFull)
    route.fullBinChoice =
        route.whenBinFull(std::vector<std::string>(route.fullBins.begin(), route.fullBins.end()));
  return route.fullBinChoice != BinFullChoice::cancel;
}

Disposal disposeJunkFile(platform::FileSystem& files, const RecycleBinRoute* toRecycleBin,
                         const std::string& path) {
  // Files in the Recycle Bin's own folders would only go back into it.
  if (toRecycleBin == nullptr || liesInRecycleBin(path, files)) {
    const platform::FileStatus deleted = files.deleteFile(path);
    return {deleted ? Disposed::deleted : Disposed::failed, deleted.error};
  }
  if (!driveKeepsRecycleBin(toRecycleBin->drives, path)) return {Disposed::keptOutOfBin};
  if (toRecycleBin->fullBins.contains(driveRoot(path))) {
    if (toRecycleBin->fullBinChoice != BinFullChoice::deleteForGood) return {Disposed::keptForBinRoom};
    const platform::FileStatus deleted = files.deleteFile(path);
    return {deleted ? Disposed::deleted : Disposed::failed, deleted.error};
  }
  // The shell moves whatever the path leads to, through links on the way: the
  // file is first the one deleteFile would delete, a plain file at this path.
  if (const platform::FileStatus deletable = files.checkDeletable(path); !deletable)
    return {Disposed::failed, deletable.error};
  switch (toRecycleBin->shell.moveToRecycleBin(path)) {
    case platform::RecycleOutcome::recycled:
      return {Disposed::recycled};
    case platform::RecycleOutcome::notRecycled:
      return {Disposed::keptOutOfBin, platform::FileError::none, OutOfBin::binRefused};
    case platform::RecycleOutcome::deletedForGood:
      return {Disposed::deleted};
    case platform::RecycleOutcome::failed:
      break;
  }
  return {Disposed::failed, platform::FileError::other};
}

DeletionResult deleteCheckedFiles(platform::FileSystem& files, widgets::ListView& results,
                                  const std::function<void(const DeletionResult&)>& progress,
                                  RecycleBinRoute* toRecycleBin) {
  using Clock = std::chrono::steady_clock;
  DeletionResult result;
  result.toRecycleBin = toRecycleBin != nullptr;
  if (toRecycleBin) {
    std::vector<std::string> checked;
    for (int row = results.count() - 1; row >= 0; --row)
      if (results.checked(row)) checked.push_back(results.rowCaption(row));
    if (!prepareRecycling(files, *toRecycleBin, checked)) {
      result.cancelled = true;
      return result;
    }
  }
  auto lastShown = Clock::now();
  // The rows of deleted files go together once every file has been tried: a
  // hundred thousand of a million rows removed one by one would take minutes.
  std::vector<int> gone;
  for (int row = results.count() - 1; row >= 0; --row) {
    if (!results.checked(row)) continue;
    const Disposed disposed = disposeJunkFile(files, toRecycleBin, results.rowCaption(row)).outcome;
    const std::int64_t kilobytes = kilobytesOf(results.cellView(row, 1));
    switch (disposed) {
      case Disposed::deleted:
        ++result.deletedCount;
        result.freedKb += kilobytes;
        break;
      case Disposed::recycled:
        ++result.recycledCount;
        result.recycledKb += kilobytes;
        break;
      case Disposed::keptOutOfBin:
      case Disposed::keptForBinRoom:
        ++result.keptOutOfBinCount;
        continue;
      case Disposed::failed:
        continue;
    }
    gone.push_back(row);
    if (progress && Clock::now() - lastShown >= std::chrono::milliseconds(50)) {
      progress(result);
      lastShown = Clock::now();
    }
  }
  results.removeRows(std::move(gone));
  return result;
}

std::string deletionStatusText(const std::string& filesDeletedText, const std::string& spaceClearedText,
                               const DeletionResult& result) {
  return filesDeletedText + std::to_string(result.deletedCount) + "\n" + spaceClearedText +
         std::to_string(result.freedKb) + " Kb.";
}

std::string recyclingStatusText(const RecyclingTexts& texts, const DeletionResult& result) {
  std::string text = texts.filesRecycled + std::to_string(result.recycledCount) + "\n" + texts.totalSize +
                     std::to_string(result.recycledKb) + " Kb.";
  if (result.deletedCount > 0) {
    text += '\n';
    text += deletionStatusText(texts.filesDeleted, texts.spaceCleared, result);
  }
  if (result.keptOutOfBinCount > 0) {
    text += '\n';
    text += texts.keptOutOfBin;
    text += std::to_string(result.keptOutOfBinCount);
  }
  return text;
}

}  // namespace velmora::junk
