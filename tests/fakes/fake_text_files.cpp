#include "fakes/fake_text_files.h"

#include "common/text_lines.h"

namespace velmora::fakes {

using platform::FileContents;
using platform::ReadStatus;

std::string FakeTextFiles::key(std::string_view path) {
  std::string folded = text::asciiLower(path);
  for (char& c : folded) {
    if (c == '/') c = '\\';
  }
  return folded;
}

FileContents FakeTextFiles::readAtMost(std::string_view path, std::size_t maxSize) const {
  if (beforeRead) beforeRead(std::string(path));
  const std::string k = key(path);
  const auto file = files_.find(k);
  if (file == files_.end()) return {ReadStatus::notFound, {}};
  if (unreadable_.contains(k) || file->second.size() > maxSize) return {ReadStatus::failed, {}};
  return {ReadStatus::ok, file->second};
}

bool FakeTextFiles::writeBytes(std::string_view path, std::string_view bytes) {
  const std::string k = key(path);
  if (unwritable_.contains(k)) return false;
  files_[k] = std::string(bytes);
  ++successfulWrites_;
  return true;
}

bool FakeTextFiles::appendBytes(std::string_view path, std::string_view bytes) {
  const std::string k = key(path);
  const auto file = files_.find(k);
  if (file == files_.end() || unwritable_.contains(k) || appendsFail) return false;
  file->second.append(bytes);
  return true;
}

platform::NewFile FakeTextFiles::createNew(std::string_view path, std::string_view bytes, bool onlyAtPath) {
  if (beforeWrite) beforeWrite(std::string(path));
  const std::string k = key(path);
  if (files_.contains(k)) return platform::NewFile::exists;
  if (onlyAtPath && redirected_.contains(k)) return platform::NewFile::redirected;
  if (unwritable_.contains(k)) return platform::NewFile::failed;
  files_[k] = std::string(bytes);
  ++successfulWrites_;
  return platform::NewFile::written;
}

bool FakeTextFiles::createIfMissing(std::string_view path) {
  const std::string k = key(path);
  if (files_.contains(k)) return true;
  if (unwritable_.contains(k)) return false;
  files_[k] = std::string();
  ++successfulWrites_;
  return true;
}

void FakeTextFiles::put(std::string_view path, std::string_view bytes) {
  files_[key(path)] = std::string(bytes);
}

void FakeTextFiles::remove(std::string_view path) { files_.erase(key(path)); }

std::optional<std::string> FakeTextFiles::bytes(std::string_view path) const {
  const auto file = files_.find(key(path));
  if (file == files_.end()) return std::nullopt;
  return file->second;
}

void FakeTextFiles::setUnwritable(std::string_view path, bool unwritable) {
  if (unwritable) {
    unwritable_.insert(key(path));
  } else {
    unwritable_.erase(key(path));
  }
}

void FakeTextFiles::setRedirected(std::string_view path) { redirected_.insert(key(path)); }

void FakeTextFiles::setUnreadable(std::string_view path, bool unreadable) {
  if (unreadable) {
    unreadable_.insert(key(path));
  } else {
    unreadable_.erase(key(path));
  }
}

}  // namespace velmora::fakes
