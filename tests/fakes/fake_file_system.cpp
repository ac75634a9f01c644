#include "fakes/fake_file_system.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>

#include "common/text_lines.h"
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

// Orders names as their folded forms order, so that lookups need no folded copy.
struct FoldedLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldedChar(x) < foldedChar(y); });
  }
};

std::string folded(std::string_view name) { return text::asciiLower(name); }

// A path taken apart: its root ("C:" or "\\server\share") and the names below it.
struct ParsedPath {
  FileError error = FileError::none;
  std::string root;
  std::vector<std::string> names;
  bool trailingSeparator = false;
};

std::vector<std::string> splitNames(std::string_view text) {
  std::vector<std::string> names;
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
  std::string_view text = *extended;
  if (!text.starts_with("\\\\?\\")) {  // The "\\.\" device namespace holds no files here.
    parsed.error = FileError::invalidName;
    return parsed;
  }
  text.remove_prefix(4);
  parsed.trailingSeparator = text.size() > 3 && text.back() == '\\';
  if (text.starts_with("UNC\\")) {
    std::vector<std::string> names = splitNames(text.substr(4));
    if (names.size() < 2) {
      parsed.error = FileError::pathNotFound;
      return parsed;
    }
    parsed.root = "\\\\" + names[0] + "\\" + names[1];
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
  // By folded name; looked up without building a folded copy of the name, which
  // matters for trees thousands of levels deep.
  std::map<std::string, std::unique_ptr<Node>, FoldedLess> children;

  bool isDirectory() const { return (attributes & file_attribute::directory) != 0; }

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

}  // namespace

FakeFileSystem::FakeFileSystem() : top_(std::make_unique<Node>()) {
  top_->attributes = file_attribute::directory;
}

FakeFileSystem::~FakeFileSystem() = default;

FakeFileSystem::Location FakeFileSystem::locate(std::string_view path) const {
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
  for (std::size_t i = 0; i + 1 < parsed.names.size(); ++i) {
    folder = folder->child(parsed.names[i]);
    if (folder == nullptr || !folder->isDirectory()) {
      location.error = FileError::pathNotFound;
      return location;
    }
  }
  location.parent = folder;
  location.node = folder->child(parsed.names.back());
  if (location.node == nullptr) location.error = FileError::fileNotFound;
  return location;
}

FakeFileSystem::Node& FakeFileSystem::make(std::string_view path, bool directory) {
  ParsedPath parsed = parse(path);
  if (parsed.error != FileError::none) throw std::invalid_argument("not a full path: " + std::string(path));
  auto ensureFolder = [](Node& parent, const std::string& name) -> Node& {
    std::unique_ptr<Node>& slot = parent.children[folded(name)];
    if (!slot) {
      slot = std::make_unique<Node>();
      slot->name = name;
      slot->attributes = file_attribute::directory;
    } else if (!slot->isDirectory()) {
      throw std::invalid_argument("a file stands where a folder is needed: " + name);
    }
    return *slot;
  };
  Node* folder = &ensureFolder(*top_, parsed.root);
  if (parsed.names.empty()) {
    if (!directory) throw std::invalid_argument("a root is a folder: " + std::string(path));
    return *folder;
  }
  for (std::size_t i = 0; i + 1 < parsed.names.size(); ++i) folder = &ensureFolder(*folder, parsed.names[i]);
  std::unique_ptr<Node>& slot = folder->children[folded(parsed.names.back())];
  if (!slot) slot = std::make_unique<Node>();
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

namespace {
[[noreturn]] void missing(std::string_view path) {
  throw std::invalid_argument("no such entry in the fake tree: " + std::string(path));
}
}  // namespace

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

FileSearch FakeFileSystem::findFirstFile(std::string_view pattern, FindData& data) {
  std::lock_guard lock(mutex_);
  ParsedPath parsed = parse(pattern);
  if (parsed.error != FileError::none) return FileSearch(parsed.error);
  // A pattern needs a last part to match; one that ends in a separator never finds.
  if (parsed.names.empty() || parsed.trailingSeparator) return FileSearch(FileError::fileNotFound);

  const std::string mask = parsed.names.back();
  parsed.names.pop_back();
  Node* folder = top_->child(parsed.root);
  for (std::size_t i = 0; folder != nullptr && i < parsed.names.size(); ++i) {
    folder = folder->child(parsed.names[i]);
    if (folder != nullptr && !folder->isDirectory()) folder = nullptr;
  }
  if (folder == nullptr) return FileSearch(FileError::pathNotFound);
  if (!folder->listable) return FileSearch(FileError::accessDenied);

  std::vector<FindData> found;
  if (hasWildcard(mask)) {
    // A folder below a root lists "." and ".." first, as NTFS does; a root has neither.
    if (!parsed.names.empty()) {
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

FileStatus FakeFileSystem::deleteFile(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.error != FileError::none) return {location.error};
  Node& node = *location.node;
  if (node.isDirectory() || (node.attributes & file_attribute::readOnly) != 0)
    return {FileError::accessDenied};
  if (location.trailingSeparator) return {FileError::invalidName};
  if (node.heldOpen) return {FileError::sharingViolation};
  location.parent->children.erase(folded(node.name));
  return {};
}

FileStatus FakeFileSystem::createDirectory(std::string_view path) {
  std::lock_guard lock(mutex_);
  Location location = locate(path);
  if (location.node) return {FileError::alreadyExists};
  if (location.error != FileError::fileNotFound) return {location.error};
  auto node = std::make_unique<Node>();
  node->name = parse(path).names.back();
  node->attributes = file_attribute::directory;
  location.parent->children[folded(node->name)] = std::move(node);
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
