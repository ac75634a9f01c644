#include "fakes/fake_shell.h"

#include <cctype>
#include <thread>

#include "common/text_lines.h"
#include "fakes/fake_file_system.h"

namespace velmora::fakes {
namespace {

std::string folded(std::string_view text) { return text::asciiLower(text); }

// The extension of a path's last name, dot included; empty when it has none.
std::string_view extensionOf(std::string_view path) {
  const std::size_t nameStart = path.find_last_of("\\/:");
  const std::string_view name = nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// The names CreateProcess tries as the program of a command line, in its order:
// the quoted start; or else the text up to each blank in turn, then the whole
// line. A name without an extension in its last part gets ".exe".
std::vector<std::string> candidatePrograms(std::string_view commandLine) {
  // A tab ends a name as a blank does.
  const std::size_t start = commandLine.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  commandLine.remove_prefix(start);
  std::vector<std::string_view> names;
  if (commandLine.front() == '"') {
    const std::size_t close = commandLine.find('"', 1);
    names.push_back(
        commandLine.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  } else {
    for (std::size_t blank = commandLine.find_first_of(" \t"); blank != std::string_view::npos;
         blank = commandLine.find_first_of(" \t", blank + 1))
      names.push_back(commandLine.substr(0, blank));
    names.push_back(commandLine);
  }
  std::vector<std::string> candidates;
  for (std::string_view name : names) {
    std::string candidate(name);
    if (extensionOf(candidate).empty()) candidate += ".exe";
    candidates.push_back(std::move(candidate));
  }
  return candidates;
}

bool isAddress(std::string_view file) {
  return file.find("://") != std::string_view::npos || folded(file).starts_with("mailto:");
}

}  // namespace

void FakeShell::setSystemImageList(std::uintptr_t handle) {
  std::lock_guard lock(mutex_);
  imageList_ = handle;
}

void FakeShell::setIconIndex(std::string_view extension, int index) {
  std::lock_guard lock(mutex_);
  iconIndexes_[folded(extension)] = index;
}

void FakeShell::setIconsFail(bool fail) {
  std::lock_guard lock(mutex_);
  iconsFail_ = fail;
}

void FakeShell::addShortcut(std::string_view shortcutPath, std::string_view target,
                            std::string_view arguments) {
  std::lock_guard lock(mutex_);
  shortcuts_[folded(shortcutPath)] = {std::string(target), std::string(arguments)};
}

void FakeShell::setFolderPath(int csidl, std::string_view path) {
  std::lock_guard lock(mutex_);
  folders_[csidl] = std::string(path);
}

void FakeShell::addDocument(std::string_view path) {
  std::lock_guard lock(mutex_);
  documents_.insert(folded(path));
}

void FakeShell::addProgram(std::string_view path) {
  std::lock_guard lock(mutex_);
  programs_[folded(path)] = std::string(path);
}

std::vector<FakeShell::Opened> FakeShell::opened() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

std::vector<FakeShell::Started> FakeShell::started() const {
  std::lock_guard lock(mutex_);
  return started_;
}

std::uintptr_t FakeShell::systemSmallImageList() {
  std::lock_guard lock(mutex_);
  return imageList_;
}

int FakeShell::iconIndexLocked(std::string_view extension) {
  auto [it, added] = iconIndexes_.try_emplace(folded(extension), nextIconIndex_);
  if (added) ++nextIconIndex_;
  return it->second;
}

std::optional<int> FakeShell::iconIndexOfType(std::string_view extension) {
  std::lock_guard lock(mutex_);
  if (iconsFail_) return std::nullopt;
  return iconIndexLocked(extension);
}

std::optional<int> FakeShell::iconIndexOfPath(std::string_view path) {
  std::lock_guard lock(mutex_);
  if (iconsFail_) return std::nullopt;
  return iconIndexLocked(extensionOf(path));
}

std::optional<std::string> FakeShell::shortcutTarget(std::string_view shortcutPath) {
  std::lock_guard lock(mutex_);
  auto it = shortcuts_.find(folded(shortcutPath));
  if (it == shortcuts_.end()) return std::nullopt;
  return it->second.first;
}

std::optional<std::string> FakeShell::shortcutArguments(std::string_view shortcutPath) {
  std::lock_guard lock(mutex_);
  auto it = shortcuts_.find(folded(shortcutPath));
  if (it == shortcuts_.end()) return std::nullopt;
  return it->second.second;
}

std::optional<std::string> FakeShell::folderPath(int csidl) {
  std::lock_guard lock(mutex_);
  auto it = folders_.find(csidl);
  if (it == folders_.end()) return std::nullopt;
  return it->second;
}

int FakeShell::shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                            std::string_view parameters, std::string_view directory, int showCommand) {
  std::lock_guard lock(mutex_);
  if (!isAddress(file) && !documents_.contains(folded(file))) return 2;  // SE_ERR_FNF
  opened_.push_back(Opened{owner, std::string(verb), std::string(file), std::string(parameters),
                           std::string(directory), showCommand});
  return 42;
}

std::string FakeShell::programNamedLocked(const std::string& name) const {
  const std::string wanted = folded(name);
  const bool bare = wanted.find('\\') == std::string::npos;
  for (const auto& [key, program] : programs_) {
    if (key == wanted || (bare && key.ends_with("\\" + wanted))) return program;
  }
  return {};
}

std::uint32_t FakeShell::createProcess(std::string_view commandLine, int showCommand) {
  std::lock_guard lock(mutex_);
  for (const std::string& candidate : candidatePrograms(commandLine)) {
    std::string program = programNamedLocked(candidate);
    if (program.empty()) continue;
    started_.push_back(Started{std::string(commandLine), std::move(program), showCommand});
    return 0;
  }
  return 2;  // ERROR_FILE_NOT_FOUND
}

// A run of moves, tied to the thread that began it.
class FakeShell::Run final : public platform::RecycleRun {
 public:
  explicit Run(FakeShell& shell) : shell_(shell) {}

  std::vector<platform::RecycleOutcome> moveToRecycleBin(std::span<const std::string> paths) override {
    if (std::this_thread::get_id() != thread_)
      return std::vector<platform::RecycleOutcome>(paths.size(), platform::RecycleOutcome::failed);
    return shell_.recycle(paths);
  }

 private:
  FakeShell& shell_;
  std::thread::id thread_ = std::this_thread::get_id();
};

std::unique_ptr<platform::RecycleRun> FakeShell::beginRecycling() { return std::make_unique<Run>(*this); }

std::vector<platform::RecycleOutcome> FakeShell::recycle(std::span<const std::string> paths) {
  std::function<void(std::size_t)> hook;
  std::size_t number = 0;
  {
    std::lock_guard lock(mutex_);
    number = recycleBatches_.size();
    recycleBatches_.push_back(paths.size());
    hook = recycleHook_;
  }
  if (hook) hook(number);
  std::lock_guard lock(mutex_);
  std::vector<platform::RecycleOutcome> outcomes;
  for (const std::string& path : paths) {
    if (files_ == nullptr || !files_->contains(path) || files_->directoryExists(path))
      outcomes.push_back(platform::RecycleOutcome::failed);
    else if (refusedByBin_.contains(folded(path)))
      outcomes.push_back(platform::RecycleOutcome::notRecycled);
    else {
      files_->remove(path);
      outcomes.push_back(platform::RecycleOutcome::recycled);
    }
  }
  return outcomes;
}

void FakeShell::refuseRecycling(std::string_view path) {
  std::lock_guard lock(mutex_);
  refusedByBin_.insert(folded(path));
}

void FakeShell::onRecycleBatch(std::function<void(std::size_t batchNumber)> hook) {
  std::lock_guard lock(mutex_);
  recycleHook_ = std::move(hook);
}

std::vector<std::size_t> FakeShell::recycleBatches() const {
  std::lock_guard lock(mutex_);
  return recycleBatches_;
}

std::optional<platform::RecycleBinSpace> FakeShell::recycleBinSpace(std::string_view driveRoot) {
  std::lock_guard lock(mutex_);
  if (driveRoot.empty()) return std::nullopt;
  const auto bin = bins_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(driveRoot[0]))));
  if (bin != bins_.end()) return bin->second;
  return platform::RecycleBinSpace{0, 0, std::uint64_t{1} << 40};
}

void FakeShell::setRecycleBinSpace(char drive, std::optional<platform::RecycleBinSpace> space) {
  std::lock_guard lock(mutex_);
  bins_[static_cast<char>(std::toupper(static_cast<unsigned char>(drive)))] = space;
}

}  // namespace velmora::fakes
