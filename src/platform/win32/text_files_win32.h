#pragma once

#include "platform/text_files.h"

namespace velmora::platform {

// Whole files with CreateFileW, ReadFile, WriteFile, and MoveFileExW to put a
// written file in place. Paths reach Windows in their
// extended-length form (see extended_path.h), so long paths work; a path that is not
// a full path is refused, since nothing in the program depends on the working
// folder. Calls run with the critical-error dialogs off and are safe to make from
// any thread.
class Win32TextFiles final : public TextFiles {
 public:
  explicit Win32TextFiles(const TextEncoding& encoding) : TextFiles(encoding) {}

  FileContents readAtMost(std::string_view path, std::size_t maxSize) const override;
  bool writeBytes(std::string_view path, std::string_view bytes) override;
  bool appendBytes(std::string_view path, std::string_view bytes) override;
  bool createIfMissing(std::string_view path) override;
  NewFile createNew(std::string_view path, std::string_view bytes, bool onlyAtPath) override;
};

}  // namespace velmora::platform
