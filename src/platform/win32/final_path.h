#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Where an open file really lies, from its handle: the checks that tell a file
// reached through a junction or symbolic link on the way from one reached by its
// own path.
namespace velmora::platform::win32 {

// The path Windows gives an open file, in the "\\?\" form: long names, letter
// case as stored, and the drive letter of the volume the file lies on, whatever
// drive letter, short name or link the path that opened it went through.
//
// Wine 8 names the innermost drive letter whose folder holds the file: with X:
// mapped to C:\data, a file opened as C:\data\a.tmp is "\\?\X:\a.tmp". Windows
// names the volume's own letter (C:), also for a file opened through a subst drive.
std::optional<std::wstring> finalPathOf(HANDLE file);

// Whether two names (or paths) are equal as the file system compares names
// (CompareStringOrdinal, letter case ignored).
bool equalNames(std::wstring_view a, std::wstring_view b);

// Whether an open file is the one the extended path ("\\?\C:\...") names, reached
// without a link on the way: its final path must be that path. Where they differ
// only in how the path was written, the path is brought to the final form (the
// drive root's own final path for a subst drive, long names for short ones) and
// compared again.
bool finalPathIs(HANDLE file, const std::wstring& extended);

}  // namespace velmora::platform::win32
