#include "fakes/fake_file_system.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>

#include "fakes/fake_upper_case.h"
#include "platform/extended_path.h"

namespace velmora::fakes {

using platform::DosDateTime;
using platform::FileAttributes;
using platform::FileError;
using platform::FileSearch;
using platform::FileSize;
using platform::FileStatus;
using platform::FindData;
namespace file_attribute = platform::file_attribute;

namespace {

char foldedChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The code point (or encoded surrogate) that starts at text[at], and its length.
// Names are WTF-8; bytes that begin nothing stand for themselves.
char32_t nextCharacter(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  char32_t value = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : extra == 1 ? lead & 0x1F : lead;
  for (; extra > 0 && at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; --extra)
    value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  return value;
}

// Compares two names as their upper-case forms compare: <0, 0 or >0.
int compareFolded(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto p = static_cast<unsigned char>(a[i]);
    const auto q = static_cast<unsigned char>(b[j]);
    if (p < 0x80 && q < 0x80) {  // The common case, without decoding; folded up, as below.
      const int x = p >= 'a' && p <= 'z' ? p - 32 : p;
      const int y = q >= 'a' && q <= 'z' ? q - 32 : q;
      if (x != y) return x < y ? -1 : 1;
      ++i;
      ++j;
      continue;
    }
    const char32_t x = upperCaseUnit(nextCharacter(a, i));
    const char32_t y = upperCaseUnit(nextCharacter(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  return (i < a.size()) - (j < b.size());
}

// Orders names as their folded forms order, so that lookups need no folded copy.
struct FoldedLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return compareFolded(a, b) < 0; }
};

// A path taken apart: its root ("C:" or "\\server\share") and the names below it.
// The names are views into the extended path the struct keeps (on the heap, so a
// move keeps them valid): a tree thousands of levels deep would otherwise copy
// every name of a long path on every call.
struct ParsedPath {
  FileError error = FileError::none;
  std::unique_ptr<std::string> text;
  std::string root;
  std::vector<std::string_view> names;
  bool trailingSeparator = false;
};

std::vector<std::string_view> splitNames(std::string_view text) {
  std::vector<std::string_view> names;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\\', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) names.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

ParsedPath parse(std::string_view path) {
  ParsedPath parsed;
  std::optional<std::string> extended = platform::extendedLengthPath(path);
  if (!extended) {
    parsed.error = FileError::relativePath;
    return parsed;
  }
  parsed.text = std::make_unique<std::string>(std::move(*extended));
  std::string_view text = *parsed.text;
  if (!text.starts_with("\\\\?\\")) {  // The "\\.\" device namespace holds no files here.
    parsed.error = FileError::invalidName;
    return parsed;
  }
  text.remove_prefix(4);
  parsed.trailingSeparator = text.size() > 3 && text.back() == '\\';
  if (text.starts_with("UNC\\")) {
    std::vector<std::string_view> names = splitNames(text.substr(4));
    if (names.size() < 2) {
      parsed.error = FileError::pathNotFound;
      return parsed;
    }
    parsed.root = "\\\\" + std::string(names[0]) + "\\" + std::string(names[1]);
    parsed.names.assign(names.begin() + 2, names.end());
  } else if (text.size() >= 2 && text[1] == ':') {
    parsed.root = std::string(text.substr(0, 2));
    parsed.names = splitNames(text.substr(2));
  } else {
    parsed.error = FileError::invalidName;
  }
  return parsed;
}

// The length in bytes of the UTF-8 character that starts at text[at].
std::size_t characterLength(std::string_view text, std::size_t at) {
  std::size_t length = 1;
  while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
    ++length;
  return length;
}

// DOS wildcard matching as the fake does it: "*" any run of characters, "?" one
// character, letters compared without regard to case.
bool matches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += characterLength(name, n);
    } else if (p < pattern.size() && foldedChar(pattern[p]) == foldedChar(name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      starN += characterLength(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool hasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

}  // namespace

struct FakeFileSystem::Node {
  std::string name;
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  std::uint64_t lastWriteTime = kDefaultWriteTime;
  bool heldOpen = false;
  bool listable = true;
  // Where a link made with a target leads (a full path); empty for a link whose
  // own entries stand for what lies behind it, and for everything else.
  std::string linkTarget;
  Node* parent = nullptr;
  std::uint64_t id = 0;  // The file number: unique in the tree.
  // By folded name; looked up without building a folded copy of the name, which
  // matters for trees thousands of levels deep.
  std::map<std::string, std::unique_ptr<Node>, FoldedLess> children;

  bool isDirectory() const { return (attributes & file_attribute::directory) != 0; }
  bool isReparsePoint() const { return (attributes & file_attribute::reparsePoint) != 0; }

  // The path of the entry itself, reached without a link: what the final path of a
  // handle on it reads.
  std::string realPath() const {
    std::vector<const Node*> chain;
    for (const Node* node = this; node->parent != nullptr; node = node->parent) chain.push_back(node);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      path += (*it)->name;
      if (it + 1 != chain.rend() || chain.size() == 1) path += '\\';
    }
    return path;
  }

  Node* child(std::string_view childName) const {
    auto it = children.find(childName);
    return it == children.end() ? nullptr : it->second.get();
  }

  FindData findData() const {
    // Windows reports a file without any attribute as "normal".
    return FindData{name, attributes == 0 ? file_attribute::normal : attributes, isDirectory() ? 0 : size,
                    lastWriteTime};
  }
};

// Where a path leads: the entry itself (null when it does not exist), the folder
// holding it, and why the path does not lead anywhere.
struct FakeFileSystem::Location {
  FileError error = FileError::none;
  Node* parent = nullptr;
  Node* node = nullptr;
  bool trailingSeparator = false;
  bool throughLink = false;  // A folder on the way was a link.
};

namespace {

class FakeFileSearch final : public platform::FileSearchHandle {
 public:
  explicit FakeFileSearch(std::vector<FindData> rest) : rest_(std::move(rest)) {}
  bool findNext(FindData& data) override {
    if (next_ >= rest_.size()) return false;
    data = rest_[next_++];
    return true;
  }

 private:
  std::vector<FindData> rest_;
  std::size_t next_ = 0;
};

// A listing in batches of what a 64 KiB buffer of Windows' folder records holds:
// about a hundred bytes and the name in UTF-16 (counted by its UTF-8 bytes) each.
class FakeFolderListing final : public platform::FolderListingHandle {
 public:
  explicit FakeFolderListing(std::vector<FindData> entries) : entries_(std::move(entries)) {}
  bool nextBatch(std::vector<FindData>& batch) override {
    for (std::size_t used = 0; next_ < entries_.size() && (used < 60000 || batch.empty()); ++next_) {
      used += 104 + 2 * entries_[next_].name.size();
      batch.push_back(std::move(entries_[next_]));
    }
    return !batch.empty();
  }

 private:
  std::vector<FindData> entries_;
  std::size_t next_ = 0;
};

}  // namespace

FakeFileSystem::FakeFileSystem() : top_(std::make_unique<Node>()) {
  top_->attributes = file_attribute::directory;
}

FakeFileSystem::~FakeFileSystem() = default;

std::unique_ptr<FakeFileSystem::Node> FakeFileSystem::newNode(Node& parent) {
  auto node = std::make_unique<Node>();
  node->parent = &parent;
  node->id = ++lastId_;
  return node;
}

FakeFileSystem::Node* FakeFileSystem::follow(Node* node, int depth) const {
  if (node == nullptr || node->linkTarget.empty()) return node;
  // A chain of links longer than Windows follows ends as a missing path.
  if (depth > 31) return nullptr;
  Location target = locate(node->linkTarget, depth + 1);
  return target.node == nullptr ? nullptr : follow(target.node, depth + 1);
}

FakeFileSystem::Location FakeFileSystem::locate(std::string_view path, int depth) const {
  Location location;
  ParsedPath parsed = parse(path);
  if (parsed.error != FileError::none) {
    location.error = parsed.error;
    return location;
  }
  location.trailingSeparator = parsed.trailingSeparator;
  Node* folder = top_->child(parsed.root);
  if (folder == nullptr) {  // A drive or share that is not there.
    location.error = FileError::pathNotFound;
    return location;
  }
  if (parsed.names.empty()) {
    location.parent = top_.get();
    location.node = folder;
    return location;
  }
  // Every folder on the way is followed when it is a link, as Windows follows one;
  // the last name is not.
  location.throughLink = folder->isReparsePoint();
  folder = follow(folder, depth);
  for (std::size_t i = 0; folder != nullptr && i + 1 < parsed.names.size(); ++i) {
    folder = folder->child(parsed.names[i]);
    if (folder == nullptr || !folder->isDirectory()) break;
    location.throughLink = location.throughLink || folder->isReparsePoint();
    folder = follow(folder, depth);
  }
  if (folder == nullptr || !folder->isDirectory()) {
    location.error = FileError::pathNotFound;
    return location;
  }
  location.parent = folder;
  location.node = folder->child(parsed.names.back());
  if (location.node == nullptr) location.error = FileError::fileNotFound;
  return location;
}

FakeFileSystem::Node& FakeFileSystem::make(std::string_view path, bool directory) {
  lastListed_ = nullptr;
  ParsedPath parsed = parse(path);
  if (parsed.error != FileError::none) throw std::invalid_argument("not a full path: " + std::string(path));
  auto ensureFolder = [this](Node& parent, std::string_view name) -> Node& {
    std::unique_ptr<Node>& slot = parent.children[std::string(name)];
    if (!slot) {
      slot = newNode(parent);
      slot->name = name;
      slot->attributes = file_attribute::directory;
    } else if (!slot->isDirectory()) {
      throw std::invalid_argument("a file stands where a folder is needed: " + std::string(name));
    }
    return *slot;
  };
  Node* folder = &ensureFolder(*top_, parsed.root);
  if (parsed.names.empty()) {
    if (!directory) throw std::invalid_argument("a root is a folder: " + std::string(path));
    return *folder;
  }
  for (std::size_t i = 0; i + 1 < parsed.names.size(); ++i) folder = &ensureFolder(*folder, parsed.names[i]);
  std::unique_ptr<Node>& slot = folder->children[std::string(parsed.names.back())];
  if (!slot) slot = newNode(*folder);
  slot->name = parsed.names.back();
  if (!directory) slot->children.clear();
  return *slot;
}

void FakeFileSystem::addFolder(std::string_view path, std::uint32_t attributes) {
  std::lock_guard lock(mutex_);
  make(path, true).attributes = attributes | file_attribute::directory;
}

void FakeFileSystem::addFile(std::string_view path, std::uint64_t size, std::uint32_t attributes) {
  std::lock_guard lock(mutex_);
  Node& node = make(path, false);
  node.attributes = attributes & ~file_attribute::directory;
  node.size = size;
}

void FakeFileSystem::addFolderLink(std::string_view path) {
  addFolder(path, file_attribute::directory | file_attribute::reparsePoint);
}

void FakeFileSystem::addFolderLink(std::string_view path, std::string_view target) {
  std::lock_guard lock(mutex_);
  Node& link = make(path, true);
  link.children.clear();
  link.attributes = file_attribute::directory | file_attribute::reparsePoint;
  link.linkTarget = target;
}

void FakeFileSystem::addDriveAlias(std::string_view root, std::string_view target) {
  std::lock_guard lock(mutex_);
  Node& drive = make(std::string(root) + "\\", true);
  drive.children.clear();
  drive.linkTarget = target;
}

namespace {
[[noreturn]] void missing(std::string_view path) {
  throw std::invalid_argument("no such entry in the fake tree: " + std::string(path));
}
}  // namespace

void FakeFileSystem::remove(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (!location.node || location.parent == top_.get()) missing(path);
  lastListed_ = nullptr;
  location.parent->children.erase(location.node->name);
}

void FakeFileSystem::setAttributes(std::string_view path, std::uint32_t attributes) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (!location.node) missing(path);
  const std::uint32_t directory = location.node->attributes & file_attribute::directory;
  location.node->attributes = (attributes & ~file_attribute::directory) | directory;
}

void FakeFileSystem::setLastWriteTime(std::string_view path, std::uint64_t fileTime) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (!location.node) missing(path);
  location.node->lastWriteTime = fileTime;
}

void FakeFileSystem::setHeldOpen(std::string_view path, bool held) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (!location.node) missing(path);
  location.node->heldOpen = held;
}

void FakeFileSystem::setListable(std::string_view path, bool listable) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (!location.node) missing(path);
  location.node->listable = listable;
}

void FakeFileSystem::setLocalTimeOffset(int minutes) {
  std::lock_guard lock(mutex_);
  localOffsetMinutes_ = minutes;
}

bool FakeFileSystem::contains(std::string_view path) const {
  std::lock_guard lock(mutex_);
  return locate(path).node != nullptr;
}

FakeFileSystem::Node* FakeFileSystem::folderBelowLastListed(std::string_view folderPath) const {
  if (lastListed_ == nullptr || folderPath.size() <= lastListedPath_.size() + 1 ||
      !folderPath.starts_with(lastListedPath_) || folderPath[lastListedPath_.size()] != '\\')
    return nullptr;
  const std::string_view name = folderPath.substr(lastListedPath_.size() + 1);
  // One plain name; anything Windows would tidy goes the long way.
  if (name.find_first_of("\\/") != std::string_view::npos || name == "." || name == "..") return nullptr;
  Node* folder = lastListed_->child(name);
  return folder != nullptr && folder->isDirectory() ? follow(folder) : nullptr;
}

FileSearch FakeFileSystem::findFirstFile(std::string_view pattern, FindData& data) {
  std::lock_guard lock(mutex_);
  // A walk lists each folder just below the one it listed before: such a folder is
  // found from there, so that a tree ten thousand levels deep is not looked up from
  // its root at every level, which Windows does not do either.
  const std::size_t cut = pattern.rfind('\\');
  const std::string_view folderPath = pattern.substr(0, cut == std::string_view::npos ? 0 : cut);
  std::string mask;
  bool belowRoot = true;
  Node* folder = cut + 1 < pattern.size() ? folderBelowLastListed(folderPath) : nullptr;
  if (folder != nullptr) {
    mask = pattern.substr(cut + 1);
  } else {
    ParsedPath parsed = parse(pattern);
    if (parsed.error != FileError::none) return FileSearch(parsed.error);
    // A pattern needs a last part to match; one that ends in a separator never finds.
    if (parsed.names.empty() || parsed.trailingSeparator) return FileSearch(FileError::fileNotFound);

    mask = parsed.names.back();
    parsed.names.pop_back();
    belowRoot = !parsed.names.empty();
    folder = follow(top_->child(parsed.root));
    for (std::size_t i = 0; folder != nullptr && i < parsed.names.size(); ++i) {
      folder = folder->child(parsed.names[i]);
      if (folder != nullptr && !folder->isDirectory()) folder = nullptr;
      folder = follow(folder);
    }
    if (folder == nullptr) return FileSearch(FileError::pathNotFound);
  }
  lastListed_ = folder;
  lastListedPath_ = folderPath;
  if (!folder->listable) return FileSearch(FileError::accessDenied);

  std::vector<FindData> found;
  if (hasWildcard(mask)) {
    // A folder below a root lists "." and ".." first, as NTFS does; a root has neither.
    if (belowRoot) {
      for (const char* dots : {".", ".."})
        if (matches(mask, dots))
          found.push_back(FindData{dots, file_attribute::directory, 0, folder->lastWriteTime});
    }
    for (const auto& [key, child] : folder->children)
      if (matches(mask, child->name)) found.push_back(child->findData());
  } else if (Node* child = folder->child(mask)) {
    found.push_back(child->findData());
  }
  if (found.empty()) return FileSearch(FileError::fileNotFound);

  data = found.front();
  found.erase(found.begin());
  return FileSearch(std::make_unique<FakeFileSearch>(std::move(found)));
}

void FakeFileSystem::onListFolder(std::function<void(std::string_view path)> hook) {
  std::lock_guard lock(mutex_);
  listFolderHook_ = std::move(hook);
}

platform::FolderListing FakeFileSystem::listFolder(std::string_view path) {
  std::function<void(std::string_view)> hook;
  {
    std::lock_guard lock(mutex_);
    hook = listFolderHook_;
  }
  if (hook) hook(path);
  std::vector<FindData> entries(1);
  FileSearch search = findFirstFile(std::string(path) + (path.ends_with('\\') ? "*" : "\\*"), entries[0]);
  if (!search) {
    // The folder is opened by its own name: when that is what is missing, the
    // open fails as a missing file does, not as a missing path.
    const FileAttributes folder = getFileAttributes(path);
    return platform::FolderListing(folder ? search.error() : folder.error);
  }
  while (search.findNext(entries.emplace_back())) {
  }
  entries.pop_back();
  return platform::FolderListing(std::make_unique<FakeFolderListing>(std::move(entries)));
}

FileAttributes FakeFileSystem::getFileAttributes(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.error != FileError::none) return {0, location.error};
  if (location.trailingSeparator && !location.node->isDirectory()) return {0, FileError::invalidName};
  return {location.node->findData().attributes, FileError::none};
}

FileSize FakeFileSystem::exclusiveFileSize(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.error != FileError::none) return {0, location.error};
  if (location.node->isDirectory()) return {0, FileError::accessDenied};
  if (location.trailingSeparator) return {0, FileError::invalidName};
  if (location.node->heldOpen) return {0, FileError::sharingViolation};
  return {location.node->size, FileError::none};
}

FileStatus FakeFileSystem::deleteFile(std::string_view path) { return deleteOrCheck(path, true); }

FileStatus FakeFileSystem::checkDeletable(std::string_view path) { return deleteOrCheck(path, false); }

FileStatus FakeFileSystem::deleteOrCheck(std::string_view path, bool andDelete) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.error != FileError::none) return {location.error};
  Node& node = *location.node;
  if (node.isDirectory()) return {FileError::accessDenied};
  if (location.trailingSeparator) return {FileError::invalidName};
  if (node.heldOpen) return {FileError::sharingViolation};
  // As on Windows: a link at the end, or a link on the way (whose final path is
  // its target's), is refused before anything is deleted.
  if (node.isReparsePoint() || location.throughLink) return {FileError::redirected};
  if ((node.attributes & file_attribute::readOnly) != 0) return {FileError::accessDenied};
  if (!andDelete) return {};
  lastListed_ = nullptr;
  location.parent->children.erase(node.name);
  return {};
}

platform::FileIdentity FakeFileSystem::fileIdentity(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.error != FileError::none) return platform::FileIdentity::failed(location.error);
  const Node* node = follow(location.node);
  if (node == nullptr) return platform::FileIdentity::failed(FileError::pathNotFound);
  platform::FileIdentity identity;
  identity.fileIndex = node->id;
  identity.finalPath = node->realPath();
  return identity;
}

bool FakeFileSystem::equalIgnoringCase(std::string_view a, std::string_view b) {
  return compareFolded(a, b) == 0;
}

FileStatus FakeFileSystem::createDirectory(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.node) return {FileError::alreadyExists};
  if (location.error != FileError::fileNotFound) return {location.error};
  auto node = newNode(*location.parent);
  node->name = std::string(parse(path).names.back());
  node->attributes = file_attribute::directory;
  location.parent->children[node->name] = std::move(node);
  return {};
}

std::optional<DosDateTime> FakeFileSystem::localDosDateTime(std::uint64_t fileTime) {
  constexpr std::int64_t ticksPerSecond = 10'000'000;
  constexpr std::int64_t secondsFrom1601To1970 = 11'644'473'600;
  if (fileTime > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
  int offsetMinutes;
  {
    std::lock_guard lock(mutex_);
    offsetMinutes = localOffsetMinutes_;
  }
  const std::int64_t local = static_cast<std::int64_t>(fileTime / ticksPerSecond) + offsetMinutes * 60LL;
  const std::int64_t unixSeconds = local - secondsFrom1601To1970;
  std::int64_t days = unixSeconds / 86400;
  std::int64_t secondOfDay = unixSeconds % 86400;
  if (secondOfDay < 0) {
    secondOfDay += 86400;
    --days;
  }
  // Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  const std::int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  // The MS-DOS format holds the years 1980 to 2107 only.
  if (year < 1980 || year > 2107) return std::nullopt;

  DosDateTime packed;
  packed.date = static_cast<std::uint16_t>(day | (month << 5) | ((year - 1980) << 9));
  packed.time = static_cast<std::uint16_t>((secondOfDay % 60) / 2 | ((secondOfDay / 60 % 60) << 5) |
                                           ((secondOfDay / 3600) << 11));
  return packed;
}

}  // namespace velmora::fakes
