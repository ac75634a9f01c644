#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

// Whole text files: the settings file, the language files, the catalogue and the
// exclusion list, the stored update reply. A file is read and written in one call,
// opened and closed within it. Paths are full Windows paths in UTF-8.
namespace velmora::platform {

// How reading a file went.
enum class ReadStatus {
  ok,
  notFound,  // Neither the file nor, perhaps, its folder exists.
  failed,    // It exists but could not be read: held open by another program, a
             // folder, no permission, too large, a device error.
};

// How making a new file went (TextFiles::createNew).
enum class NewFile {
  written,
  exists,      // Something (a file, a folder, a link) has that name: it is left as it is.
  redirected,  // A folder on the way is a link to another place: nothing was left there.
  failed,      // It cannot be made or written there (missing folder, refused, disk full).
};

// A file's contents, or why there are none.
struct FileContents {
  ReadStatus status = ReadStatus::failed;
  std::string data;
  explicit operator bool() const { return status == ReadStatus::ok; }
};

class TextFiles {
 public:
  // Files larger than this are refused (ReadStatus::failed): the program's text
  // files are a few kilobytes, and a whole file is held in memory.
  static constexpr std::size_t kMaxFileSize = std::size_t{64} << 20;

  // encoding decodes files that are not UTF-8; it must outlive this object.
  explicit TextFiles(const TextEncoding& encoding) : encoding_(encoding) {}
  virtual ~TextFiles() = default;
  TextFiles(const TextFiles&) = delete;
  TextFiles& operator=(const TextFiles&) = delete;

  // The file's bytes as stored (CreateFile with GENERIC_READ, sharing reads and
  // writes, OPEN_EXISTING; ReadFile). A file larger than maxSize is refused
  // (ReadStatus::failed) without being read.
  virtual FileContents readAtMost(std::string_view path, std::size_t maxSize) const = 0;
  FileContents readBytes(std::string_view path) const { return readAtMost(path, kMaxFileSize); }

  // Replaces the file's contents with bytes, creating the file if it does not exist
  // (but never its folder); written as given, so UTF-8 text is stored without a
  // byte-order mark. The replacement is whole or not at all: the bytes go to a new
  // file beside it, which is flushed and then put in the file's place in one step,
  // so a write that fails on the way (a full disk, a crash, another program
  // holding the file) leaves the old file as it was. False when the file cannot be
  // created or replaced: read-only, held open by another program, in a missing
  // folder. A hidden file is written like any other and keeps its attributes.
  virtual bool writeBytes(std::string_view path, std::string_view bytes) = 0;

  // Adds bytes at the end of an existing file (CreateFile with FILE_APPEND_DATA,
  // OPEN_EXISTING; WriteFile), for a log that grows while a run goes on, so that a
  // run that is killed leaves what it wrote. False when the file is not there or
  // cannot be written.
  virtual bool appendBytes(std::string_view path, std::string_view bytes) = 0;

  // Makes a new file at path holding bytes, never over anything there: CreateFile
  // with CREATE_NEW (and FILE_FLAG_OPEN_REPARSE_POINT, so a link at the name counts
  // as there), which fails when any entry has the name, so that two programs taking
  // one name at the same moment never share it. Written and flushed through that
  // handle; a write that fails part way takes the file away again through it. With
  // onlyAtPath, the path Windows gives the new file (GetFinalPathNameByHandle) must
  // be path itself: when a folder on the way is a junction or symbolic link the
  // file is taken away again before anything is written, and the answer is
  // redirected.
  virtual NewFile createNew(std::string_view path, std::string_view bytes, bool onlyAtPath) = 0;

  // Creates an empty file unless the file exists (CreateFile with OPEN_ALWAYS);
  // an existing file keeps its contents. False when it neither exists nor can be
  // created.
  virtual bool createIfMissing(std::string_view path) = 0;

  // The file as UTF-8 text. Well-formed UTF-8 is taken as it is, without its
  // byte-order mark if it has one; a file with that mark but damaged bytes keeps the
  // good text, each damaged part becoming U+FFFD; a file that begins with the UTF-16
  // little-endian mark is UTF-16 text; anything else is text in the system's ANSI
  // code page, as files written by older versions of the program are. Byte-order
  // marks at the start of the decoded text (a mark written twice) are dropped too,
  // so that text written back as UTF-8 reads the same. A file larger than maxSize
  // is refused (ReadStatus::failed).
  FileContents readText(std::string_view path, std::size_t maxSize = kMaxFileSize) const;

  // Writes utf8 as the file's contents (see writeBytes).
  bool writeText(std::string_view path, std::string_view utf8) { return writeBytes(path, utf8); }

 private:
  const TextEncoding& encoding_;
};

// The decoding of readText, for bytes already in hand.
std::string decodeText(std::string_view bytes, const TextEncoding& encoding);

}  // namespace velmora::platform
