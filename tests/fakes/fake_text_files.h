#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/text_files.h"

namespace velmora::fakes {

// Text files held in memory, for tests of the logic: a map from path to bytes.
// Paths compare as Windows compares them on its drives, without regard to letter
// case (ASCII letters fold) and with "/" taken for "\". There are no folders: any
// path can be written unless a test makes it unwritable, which is also how a test
// stands for a missing folder, a read-only file or one another program holds open.
class FakeTextFiles final : public platform::TextFiles {
 public:
  // encoding decodes files that are not UTF-8, as on Windows; it must outlive this.
  explicit FakeTextFiles(const platform::TextEncoding& encoding) : TextFiles(encoding) {}

  platform::FileContents readAtMost(std::string_view path, std::size_t maxSize) const override;
  bool writeBytes(std::string_view path, std::string_view bytes) override;
  // Fails as writeBytes does, and for a file that is not there.
  bool appendBytes(std::string_view path, std::string_view bytes) override;
  bool createIfMissing(std::string_view path) override;
  // Fails as writeBytes does; with onlyAtPath, also for a path setRedirected names.
  platform::NewFile createNew(std::string_view path, std::string_view bytes, bool onlyAtPath) override;

  // Puts a file in place (or replaces it), whatever its writability.
  void put(std::string_view path, std::string_view bytes);
  // Takes a file away; nothing happens when there is none.
  void remove(std::string_view path);
  // The bytes stored at path, or nothing when there is no file.
  std::optional<std::string> bytes(std::string_view path) const;

  // From now on, writes to path fail and a missing file there cannot be created,
  // or, with false, succeed again.
  void setUnwritable(std::string_view path, bool unwritable = true);
  // From now on, reading the file at path fails (ReadStatus::failed) although it
  // exists, as for a file another program holds open; or, with false, succeeds.
  void setUnreadable(std::string_view path, bool unreadable = true);

  // From now on, a folder on the way to path is a link to another place: a new
  // file made there while its final path is checked is refused (redirected).
  // Without that check it is written here as usual, since these fakes keep no
  // place behind a link.
  void setRedirected(std::string_view path);

  // Called with the path before each createNew, as the moment
  // another program may make a file under a name just found free; and before
  // each read, as the moment another program may rewrite a file.
  std::function<void(const std::string& path)> beforeWrite;
  std::function<void(const std::string& path)> beforeRead;

  // How many writes (writeBytes, createNew and createIfMissing calls that made a file)
  // succeeded so far, for tests that a file was or was not rewritten.
  int successfulWrites() const { return successfulWrites_; }

  // Every append fails, as when the disk fills up after a file was begun.
  bool appendsFail = false;

 private:
  static std::string key(std::string_view path);

  std::map<std::string, std::string> files_;
  std::set<std::string> unwritable_;
  std::set<std::string> unreadable_;
  std::set<std::string> redirected_;
  int successfulWrites_ = 0;
};

}  // namespace velmora::fakes
