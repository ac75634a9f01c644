#pragma once

#include <functional>

#include "junk/exclusions.h"
#include "junk/file_list.h"
#include "platform/drives.h"
#include "platform/file_system.h"

namespace velmora::junk {

// Collects every file of the drive `letter` into files from the volume's file
// table rather than folder by folder, with exactly what walkFolder collects for
// the drive's root, in its order: each folder's entries in the volume's name
// order (the order Windows lists an NTFS folder in), a sub-folder's files before
// the next entry of its parent, and the walk's rules (no reparse point and nothing
// below one, excluded folders skipped, only files whose time converts to a DOS
// time). A folder holding a record caught mid-write is walked the ordinary way.
//
// False, with out emptied, when the table cannot be read (the volume refuses the
// open, is not NTFS, or holds anything unexpected) or its folders do not form a
// tree (a folder reached twice, a path longer than Windows opens): the caller
// walks the drive.
bool listDriveFromFileTable(platform::FileSystem& files, platform::Drives& drives, char letter,
                            const Exclusions& exclusions, FileList& out,
                            const std::function<bool()>& stopRequested);

}  // namespace velmora::junk
