#pragma once

#include <string>
#include <vector>

// Windows-side helpers of the contract suites: a throwaway folder on drive C: and
// the few arrangements a case needs that the services themselves do not make. They
// call Windows directly, never through the code under test.
namespace velmora::contract {

// UTF-8 to UTF-16 and back, done here so a case does not lean on the conversion it
// tests.
std::wstring utf16(const std::string& utf8);
std::string utf8(const std::wstring& utf16);

// The extended-length form of a full drive path, for the helpers' own calls.
std::wstring extendedForm(const std::string& path);

// A new folder C:\velmora-contract-<process>-<ticks>-<n>\ made on construction and removed with
// everything in it on destruction. The removal never goes through a link: a link is
// removed as itself.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's full path with its trailing backslash.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A folder link at `link` to the folder `target`. Under Wine it is a Linux symbolic
// link made in the prefix's drive_c, which Wine reports as a reparse point (Wine 8's
// CreateSymbolicLinkW reports success but makes nothing); on Windows a directory
// symbolic link (which needs the right to make one).
void makeFolderLink(const std::string& link, const std::string& target);

}  // namespace velmora::contract
