// The exclusion list on any file: read as the Settings window reads it, every line
// that is a full path excludes the folder it names, and the list written back
// reads as the same lines.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "common/text_lines.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "junk/exclusions.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files(encoding);
  const std::string path = "C:\\P\\data\\exclusions.dat";
  files.put(path, std::string(reinterpret_cast<const char*>(data), size));

  const std::vector<std::string> lines = text::splitLines(files.readText(path).data);
  fakes::FakeFileSystem folders;
  const junk::Exclusions exclusions(folders, lines);
  for (const std::string& line : lines) {
    const std::optional<std::string> folder = junk::exclusionFolderPath(line);
    // A drive root is never met as a folder of a walk, only as a scan root.
    if (!folder || folder->back() == '\\') continue;
    if (!exclusions.excludes(*folder, folder->substr(folder->rfind('\\') + 1))) std::abort();
  }

  if (!files.writeText(path, text::joinLinesCrLf(lines))) std::abort();
  if (text::splitLines(files.readText(path).data) != lines) std::abort();
  return 0;
}
