#pragma once

#include <string>

#include "platform/text_files.h"
#include "widgets/edits.h"
#include "widgets/list_view.h"

namespace velmora::junk {

// The junk catalogue and the exclusion list as the Settings window shows them.
// The scan reads the checked catalogue rows and the exclusion lines from these
// controls (through the snapshot the main window publishes).

// Replaces the rows of list with the catalogue file's entries, every one checked:
// caption the pattern, first sub-item the description. False when the file cannot
// be read; the list is then empty.
bool loadCatalogue(const platform::TextFiles& files, const std::string& path, widgets::ListView& list);

// How loading the exclusion file went: ok, notFound when the file neither exists
// nor can be created, or failed when it exists but cannot be read.
struct ExclusionsLoad {
  platform::ReadStatus status = platform::ReadStatus::failed;
  explicit operator bool() const { return status == platform::ReadStatus::ok; }
};

// Creates the exclusion file empty when it does not exist, then replaces the
// memo's text with the file's; the memo keeps its text when that fails.
ExclusionsLoad loadExclusions(platform::TextFiles& files, const std::string& path, widgets::Memo& memo);

// Writes every line of the memo to the exclusion file, each ended by CR LF,
// replacing the file. False when the file cannot be written.
bool saveExclusions(platform::TextFiles& files, const std::string& path, const widgets::Memo& memo);

// The paths of the two files below the program's folder.
std::string catalogueFilePath(const std::string& programFolder);
std::string exclusionsFilePath(const std::string& programFolder);

}  // namespace velmora::junk
