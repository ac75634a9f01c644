#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "junk/file_deletion.h"
#include "junk/folder_walk.h"
#include "platform/file_system.h"
#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/headless_backend.h"
#include "widgets/list_view.h"

// What the adversarial cases share, natively against the fake and under Wine: a
// digest of a tree as the file system lists it, and a scan's walk followed by
// Delete on a list of its rows.
namespace velmora::junk {

// A digest of every entry below root (its path, attributes, size and, for a file,
// time: a folder's changes when a file in it goes), in any listing order, leaving
// out the paths in leaveOut. Links are digested as entries
// and never entered, as the walk treats them. Like the walk it keeps one path text
// and its own stack, so a tree ten thousand levels deep costs no more than a walk.
inline std::uint64_t treeDigest(platform::FileSystem& files, const std::string& root,
                                const std::set<std::string>& leaveOut = {}) {
  auto mix = [](std::uint64_t value) {  // splitmix64's finaliser
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
  };
  auto hashed = [&mix](std::uint64_t seed, std::string_view name) {  // FNV-1a, mixed
    for (unsigned char c : name) seed = (seed ^ c) * 0x100000001B3ull;
    return mix(seed);
  };
  struct Frame {
    std::size_t pathLength;
    std::uint64_t pathHash;
    std::vector<platform::FindData> entries;
    std::size_t next = 0;
  };
  std::string path = root.ends_with('\\') ? root : root + "\\";
  auto list = [&](std::uint64_t pathHash) {
    Frame frame{path.size(), pathHash, {}};
    platform::FindData entry;
    platform::FileSearch search = files.findFirstFile(path + "*.*", entry);
    if (search) {
      do
        if (entry.name != "." && entry.name != "..") frame.entries.push_back(entry);
      while (search.findNext(entry));
    }
    return frame;
  };
  std::uint64_t digest = 0;
  std::vector<Frame> stack;
  stack.push_back(list(0xCBF29CE484222325ull));
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.entries.size()) {
      stack.pop_back();
      continue;
    }
    const platform::FindData entry = frame.entries[frame.next++];
    path.resize(frame.pathLength);
    path += entry.name;
    const std::uint64_t pathHash = hashed(frame.pathHash, entry.name);
    if (!leaveOut.contains(path))
      digest += mix(pathHash ^ mix(entry.attributes ^
                                   mix(entry.size ^ mix(entry.isDirectory() ? 0 : entry.lastWriteTime))));
    if (entry.isDirectory() && !entry.isReparsePoint()) {
      path += '\\';
      stack.push_back(list(hashed(pathHash, "\\")));  // frame is not used after this
    }
  }
  return digest;
}

// The Files page's result list without a window: a scan of root lists every file,
// the rows that check() picks are checked, change() alters the disk, and Delete
// runs. The tree below root, less the checked paths, must be the same before and
// after Delete.
class DeleteHarness {
 public:
  DeleteHarness() {
    results.addColumn("Filename", 350);
    results.addColumn("Size, Kb", 80);
    results.setCheckBoxes(true);
  }

  struct Outcome {
    int deleted = 0;
    std::uint64_t before = 0;  // The digests, less the checked paths.
    std::uint64_t after = 0;
  };

  Outcome run(platform::FileSystem& files, const std::string& root,
              const std::function<bool(const std::string&)>& check,
              const std::function<void()>& change = {}) {
    FileList found;
    walkFolder(files, root, {}, found, {});
    std::set<std::string> checked;
    for (std::size_t i = 0; i < found.size(); ++i) {
      const std::string path(found[i]);
      results.addRow({path, "0"}, check(path));
      if (check(path)) checked.insert(path);
    }
    if (change) change();
    Outcome outcome;
    outcome.before = treeDigest(files, root, checked);
    outcome.deleted = deleteCheckedFiles(files, results).deletedCount;
    outcome.after = treeDigest(files, root, checked);
    return outcome;
  }

  // The captions of the rows still there, and whether each is still checked.
  std::vector<std::pair<std::string, bool>> rows() const {
    std::vector<std::pair<std::string, bool>> left;
    for (int row = 0; row < results.count(); ++row)
      left.emplace_back(results.rowCaption(row), results.checked(row));
    return left;
  }

  widgets::Application app{std::make_unique<widgets::HeadlessBackend>()};
  widgets::Form form{app, "TForm1"};
  widgets::ListView results{form, "ListViewFiles"};
};

inline bool checkAll(const std::string&) { return true; }

}  // namespace velmora::junk
