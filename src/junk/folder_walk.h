#pragma once

#include <functional>
#include <string_view>

#include "junk/exclusions.h"
#include "junk/file_list.h"
#include "platform/file_system.h"

namespace velmora::junk {

// Collects every file below root into files, with the size its folder listing
// gives it, depth first in the order the file system lists each folder: a
// sub-folder is walked at once, before the next entry of its parent. Excluded
// folders are skipped (the root itself is never compared: the scan asks
// Exclusions::coversRoot before it walks a root). A folder that cannot be listed
// adds nothing.
//
// The walk never enters a reparse point (junction, symbolic link, mount point) and
// never lists one: a link inside a temporary folder must not make its target junk.
// It keeps its own stack instead of recursing, so a tree thousands of levels deep
// cannot exhaust the thread's stack. stopRequested is asked between two entries;
// when it answers true the walk ends at once.
void walkFolder(platform::FileSystem& files, std::string_view root, const Exclusions& exclusions,
                FileList& out, const std::function<bool()>& stopRequested);

}  // namespace velmora::junk
