#include "junk/file_table_walk.h"

#include <string>
#include <vector>

#include "junk/folder_walk.h"
#include "ntfs/file_table.h"

namespace velmora::junk {
namespace {

// The longest path Windows opens, in UTF-16 units.
constexpr std::size_t kLongestPath = 32767;

// A folder being listed: the length of its path (with its trailing backslash) in
// bytes and in UTF-16 units, its entries and the next one to visit.
struct Frame {
  std::size_t pathLength = 0;
  std::size_t pathUnits = 0;
  std::vector<ntfs::TableEntry> entries;
  std::size_t next = 0;
};

// Windows keeps "System Volume Information" at a volume's root to itself: a walk
// cannot list it, so the table does not either.
bool isSystemFolder(const Frame& frame, const ntfs::TableEntry& entry, platform::FileSystem& files) {
  return frame.pathLength == 3 && files.equalIgnoringCase(entry.name, "System Volume Information");
}

}  // namespace

bool listDriveFromFileTable(platform::FileSystem& files, platform::Drives& drives, char letter,
                            const Exclusions& exclusions, FileList& out,
                            const std::function<bool()>& stopRequested) {
  out.clear();
  const std::unique_ptr<platform::RawVolume> volume = drives.openVolume(letter);
  if (!volume) return false;
  const std::optional<ntfs::FileTable> table = ntfs::FileTable::read(*volume, stopRequested);
  if (!table || !table->entriesKnown(ntfs::kRootFolder)) return false;

  // On a volume NTFS wrote, every folder has one name, so a folder is reached once.
  // One reached again names itself or a folder above it as its parent, or has a
  // second name: following it would list the same files under ever longer paths,
  // or under a path outside an excluded folder. The drive is left to the walk.
  std::vector<bool> reached(table->recordCount());
  reached[ntfs::kRootFolder] = true;
  const auto leaveToTheWalk = [&out] {
    out.clear();
    return false;
  };

  std::string path{letter, ':', '\\'};
  std::vector<Frame> stack;
  stack.push_back({path.size(), path.size(), {}, 0});
  table->entriesOf(ntfs::kRootFolder, stack.back().entries);
  while (!stack.empty()) {
    if (stopRequested && stopRequested()) return true;
    Frame& frame = stack.back();
    if (frame.next == frame.entries.size()) {
      stack.pop_back();
      continue;
    }
    const ntfs::TableEntry& entry = frame.entries[frame.next++];
    // A reparse point is neither listed nor entered, as in the walk; what lies
    // behind a junction is another folder's records anyway.
    if ((entry.attributes & platform::file_attribute::reparsePoint) != 0) continue;
    // A path longer than Windows opens is never made: the walk stops where Windows does.
    const std::size_t pathUnits = frame.pathUnits + entry.nameUnits;
    if (pathUnits + (entry.directory ? 1 : 0) > kLongestPath) return leaveToTheWalk();
    path.resize(frame.pathLength);
    path += entry.name;
    if (!entry.directory) {
      if (files.localDosDateTime(entry.lastWriteTime)) out.add(path, entry.size);
      continue;
    }
    if (reached[entry.record]) return leaveToTheWalk();
    reached[entry.record] = true;
    if (isSystemFolder(frame, entry, files) || exclusions.excludes(path, entry.name)) continue;
    if (!table->entriesKnown(entry.record)) {
      walkFolder(files, path, exclusions, out, stopRequested);
      continue;
    }
    const std::uint32_t record = entry.record;
    path += '\\';
    // frame is not used after this push, which may move the frames.
    Frame& sub = stack.emplace_back(Frame{path.size(), pathUnits + 1, {}, 0});
    table->entriesOf(record, sub.entries);
  }
  return true;
}

}  // namespace velmora::junk
