#include "junk/file_deletion.h"

#include <charconv>
#include <chrono>
#include <vector>

namespace velmora::junk {
namespace {

// The size column holds a plain decimal number of kilobytes; anything else adds 0.
std::int64_t kilobytesOf(std::string_view cell) {
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  return error == std::errc{} && end == cell.data() + cell.size() ? value : 0;
}

}  // namespace

DeletionResult deleteCheckedFiles(platform::FileSystem& files, widgets::ListView& results,
                                  const std::function<void(const DeletionResult&)>& progress) {
  using Clock = std::chrono::steady_clock;
  DeletionResult result;
  auto lastShown = Clock::now();
  // The rows of deleted files go together once every file has been tried: a
  // hundred thousand of a million rows removed one by one would take minutes.
  std::vector<int> deleted;
  for (int row = results.count() - 1; row >= 0; --row) {
    if (!results.checked(row)) continue;
    if (!files.deleteFile(results.rowCaption(row))) continue;
    ++result.deletedCount;
    result.freedKb += kilobytesOf(results.cellView(row, 1));
    deleted.push_back(row);
    if (progress && Clock::now() - lastShown >= std::chrono::milliseconds(50)) {
      progress(result);
      lastShown = Clock::now();
    }
  }
  results.removeRows(std::move(deleted));
  return result;
}

std::string deletionStatusText(const std::string& filesDeletedText, const std::string& spaceClearedText,
                               const DeletionResult& result) {
  return filesDeletedText + std::to_string(result.deletedCount) + "\n" + spaceClearedText +
         std::to_string(result.freedKb) + " Kb.";
}

}  // namespace velmora::junk
