#include "junk/folder_walk.h"

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "junk/listing_ahead.h"

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

using Entries = std::vector<Entry>;
using Ahead = ListingAhead<Entries>;

// How many listings the threads may hold ready beyond the one the walk is in.
constexpr std::size_t kListingsAhead = 64;

// A folder being walked: the length of its path (with a trailing backslash) in the
// walk's current path, its entries as the file system listed them, the listings
// asked ahead for its sub-folders (none for an excluded one), and the next entry
// to visit. Frames share one path text, so a deep tree costs one path, not one
// path per level.
struct Frame {
  std::size_t pathLength = 0;
  Entries entries;
  std::vector<Ahead::Ticket> subFolders;
  std::size_t next = 0;
};

// Lists the folder at path (ending in a backslash), a batch of entries per call
// rather than one, until stop is set. Runs on the walk's thread or on one of the
// threads listing ahead of it.
Entries listFolder(platform::FileSystem& files, const std::string& path, const std::atomic<bool>& stop) {
  Entries entries;
  std::vector<platform::FindData> batch;
  platform::FolderListing listing = files.listFolder(path);
  while (!stop && listing.nextBatch(batch)) {
    for (platform::FindData& data : batch) {
      if (data.name == "." || data.name == "..") continue;
      if (data.isReparsePoint()) continue;
      if (data.isDirectory()) {
        entries.push_back({std::move(data.name), true, 0});
      } else if (files.localDosDateTime(data.lastWriteTime)) {
        // Only a file whose time converts is an existing file for the scans; any
        // other entry could only be walked as a folder, which would list nothing.
        entries.push_back({std::move(data.name), false, data.size});
      }
    }
  }
  return entries;
}

// The frame of a folder whose path (ending in a backslash) is in path and whose
// entries are listed: its sub-folders that are not excluded are asked for at once,
// the last first, so that the threads list the first one first.
Frame enter(std::string& path, Entries entries, const Exclusions& exclusions, Ahead& ahead) {
  Frame frame{path.size(), std::move(entries), {}, 0};
  frame.subFolders.resize(frame.entries.size());
  for (std::size_t i = frame.entries.size(); i-- > 0;) {
    const Entry& entry = frame.entries[i];
    if (!entry.folder) continue;
    path.resize(frame.pathLength);
    path += entry.name;
    if (exclusions.excludes(path, entry.name)) continue;
    frame.subFolders[i] = ahead.ask(path + '\\');
  }
  path.resize(frame.pathLength);
  return frame;
}

}  // namespace

void walkFolder(platform::FileSystem& files, std::string_view root, const Exclusions& exclusions,
                FileList& out, const std::function<bool()>& stopRequested) {
  std::string path(root);
  if (path.empty() || path.back() != '\\') path += '\\';
  // Folders are listed on a few threads ahead of the walk; the walk itself keeps
  // to one folder at a time, so files are collected in the order it always had.
  Ahead ahead(Ahead::threadsFor(std::thread::hardware_concurrency()), kListingsAhead,
              [&files](const std::string& folder, const std::atomic<bool>& stop) {
                return listFolder(files, folder, stop);
              });
  const std::atomic<bool> walking{false};
  std::vector<Frame> stack;
  stack.push_back(enter(path, listFolder(files, path, walking), exclusions, ahead));
  while (!stack.empty()) {
    if (stopRequested && stopRequested()) return;
    Frame& frame = stack.back();
    if (frame.next == frame.entries.size()) {
      stack.pop_back();
      continue;
    }
    const std::size_t index = frame.next++;
    path.resize(frame.pathLength);
    path += frame.entries[index].name;
    if (!frame.entries[index].folder) {
      out.add(path, frame.entries[index].sizeBytes);
    } else if (Ahead::Ticket subFolder = std::move(frame.subFolders[index])) {
      path += '\\';
      Entries entries = ahead.take(subFolder);
      // frame is not used after this push, which may move the frames.
      stack.push_back(enter(path, std::move(entries), exclusions, ahead));
    }
  }
}

}  // namespace velmora::junk
