#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "platform/text_files.h"

namespace velmora::contract {

// Where the text-file cases run: the fake natively, real files in a scratch folder
// under Wine. The cases set files up and look at them through the world, never
// through the implementation they test.
class TextFilesWorld {
 public:
  virtual ~TextFilesWorld() = default;

  virtual platform::TextFiles& files() = 0;
  virtual const platform::TextEncoding& encoding() = 0;

  // A full path for name in a folder of this world's own, which starts empty.
  virtual std::string path(std::string_view name) = 0;
  // A full path for name in a folder that does not exist.
  virtual std::string pathInMissingFolder(std::string_view name) = 0;

  // Stores bytes as the file at path.
  virtual void plant(const std::string& path, std::string_view bytes) = 0;
  // The bytes of the file at path; nothing when there is no file.
  virtual std::optional<std::string> stored(const std::string& path) = 0;
  // Has the existing file at path held open, until the world ends, by someone who
  // reads it and lets others only read it: it can be read but not written. (The
  // read-only attribute would do on Windows, but Wine running as root, as the tests
  // do, lets such a file be written.)
  virtual void holdOpenForReading(const std::string& path) = 0;
  // Has the existing file at path held open, until the world ends, by someone who
  // shares it with nobody.
  virtual void holdOpenExclusively(const std::string& path) = 0;
};

std::unique_ptr<TextFilesWorld> makeTextFilesWorld();

}  // namespace velmora::contract
