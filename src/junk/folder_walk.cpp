#include "junk/folder_walk.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::junk {
namespace {

// One listed entry that still has to be visited, with the size the listing gave a
// file: the scan shows that figure rather than opening each file to measure it,
// which would make other programs' opens of it fail at that instant.
struct Entry {
  std::string name;
  bool folder = false;
  std::uint64_t sizeBytes = 0;
};

// A folder being walked: the length of its path (with a trailing backslash) in the
// walk's current path, its entries as the file system listed them, and the next
// one to visit. Frames share one path text, so a deep tree costs one path, not one
// path per level.
struct Frame {
  std::size_t pathLength = 0;
  std::vector<Entry> entries;
  std::size_t next = 0;
};

// Lists the folder whose path (ending in a backslash) is in path, a batch of
// entries per call rather than one. A whole folder is read before the walk goes
// below it, so at most one folder is open at a time however deep the tree is.
Frame listFolder(platform::FileSystem& files, std::string& path, std::vector<platform::FindData>& batch) {
  Frame frame{path.size(), {}, 0};
  platform::FolderListing listing = files.listFolder(path);
  while (listing.nextBatch(batch)) {
    for (platform::FindData& data : batch) {
      if (data.name == "." || data.name == "..") continue;
      if (data.isReparsePoint()) continue;
      if (data.isDirectory()) {
        frame.entries.push_back({std::move(data.name), true, 0});
      } else if (files.localDosDateTime(data.lastWriteTime)) {
        // Only a file whose time converts is an existing file for the scans; any
        // other entry could only be walked as a folder, which would list nothing.
        frame.entries.push_back({std::move(data.name), false, data.size});
      }
    }
  }
  return frame;
}

}  // namespace

void walkFolder(platform::FileSystem& files, std::string_view root, const Exclusions& exclusions,
                FileList& out, const std::function<bool()>& stopRequested) {
  std::string path(root);
  if (path.empty() || path.back() != '\\') path += '\\';
  std::vector<platform::FindData> batch;
  std::vector<Frame> stack;
  stack.push_back(listFolder(files, path, batch));
  while (!stack.empty()) {
    if (stopRequested && stopRequested()) return;
    Frame& frame = stack.back();
    if (frame.next == frame.entries.size()) {
      stack.pop_back();
      continue;
    }
    const Entry& entry = frame.entries[frame.next++];
    path.resize(frame.pathLength);
    path += entry.name;
    if (!entry.folder) {
      out.add(path, entry.sizeBytes);
    } else if (!exclusions.excludes(path, entry.name)) {
      path += '\\';
      // frame and entry are not used after this push, which may move the frames.
      stack.push_back(listFolder(files, path, batch));
    }
  }
}

}  // namespace velmora::junk
