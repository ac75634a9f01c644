#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The shell: the system's small icons, shortcut targets, opening documents and
// addresses, and starting command lines, each the way the Windows shell calls and
// CreateProcess do it.
namespace velmora::platform {

// ShowWindow commands the calls below pass on, with the values Windows gives them.
namespace show_command {
inline constexpr int hide = 0;
inline constexpr int normal = 1;
inline constexpr int show = 5;
}  // namespace show_command

// What became of a file the shell was asked to move to the Recycle Bin.
enum class RecycleOutcome {
  recycled,        // It lies in its drive's Recycle Bin, from where the user can restore it.
  notRecycled,     // The Recycle Bin cannot take it (none on its drive, too large, turned
                   // off): the shell would have deleted it for good, so it was left alone.
  deletedForGood,  // The shell deleted it for good all the same: it is gone, not in the bin.
  failed,          // It could not be moved (in use, access denied, gone); it is still there.
};

// What a drive's Recycle Bin holds and how much it may hold. When a file would take
// it past its limit, Windows removes the bin's oldest items for good to make room.
struct RecycleBinSpace {
  std::uint64_t usedBytes = 0;
  std::uint64_t itemCount = 0;
  std::uint64_t limitBytes = 0;
};

// Moves files to their drives' Recycle Bins from the thread that began it
// (Shell::beginRecycling).
class RecycleRun {
 public:
  virtual ~RecycleRun() = default;

  // Moves the files, each named by its full path, to their drives' Recycle Bins in
  // one operation of the shell (IFileOperation: a DeleteItem for each, then one
  // PerformOperations), as the shell's delete with undo does, silently: no
  // confirmation, no progress window, no error message, no sound. Returns what
  // became of each file, in the order given: the shell reports each item it
  // deletes, and one that fails does not keep the others from going.
  //
  // A file the Recycle Bin cannot take is never deleted for good instead, which
  // the shell's delete would do without asking, and the shell is never let ask
  // either: nobody may be there to answer. The shell follows links on the way like
  // any open: the caller checks each path first (FileSystem::checkDeletable). A
  // path that is relative, or does not read as itself the ordinary way ("a.tmp."
  // reads as "a.tmp", "nul" as the device), is not sent and fails.
  virtual std::vector<RecycleOutcome> moveToRecycleBin(std::span<const std::string> paths) = 0;
};

// Special folders folderPath finds, with the CSIDL values Windows gives them.
namespace csidl {
inline constexpr int startup = 0x0007;        // The current user's Startup folder.
inline constexpr int commonStartup = 0x0018;  // The Startup folder of all users.
inline constexpr int profile = 0x0028;        // The current user's profile folder.
}  // namespace csidl

class Shell {
 public:
  virtual ~Shell() = default;

  // The system's small-icon image list (SHGetFileInfo with an empty path and
  // SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON), as its handle; 0
  // when the shell gives none. The list belongs to the system: never destroy it.
  virtual std::uintptr_t systemSmallImageList() = 0;

  // The system small-icon index of a file type, from its extension with the dot
  // (".txt") and without touching any file (SHGFI_USEFILEATTRIBUTES). An empty
  // extension asks for the icon of the empty path. Nothing when the shell fails.
  virtual std::optional<int> iconIndexOfType(std::string_view extension) = 0;

  // The system small-icon index of a path, asked with the flags 0x4715
  // (SHGFI_SYSICONINDEX, TYPENAME, DISPLAYNAME, ICON, USEFILEATTRIBUTES,
  // SHELLICONSIZE, SMALLICON): the icon follows from the name, and the file need
  // not exist. Nothing when the shell fails.
  virtual std::optional<int> iconIndexOfPath(std::string_view path) = 0;

  // The file-system path a shortcut (.lnk) points at, as the shortcut holds it,
  // read through the shell link object. Reading never looks for the target: no
  // dialog, no search for a moved target, no installer started, and the shortcut
  // is never rewritten. Nothing when the shortcut cannot be loaded (a damaged
  // file, too long a path) or its target is not a file-system path.
  virtual std::optional<std::string> shortcutTarget(std::string_view shortcutPath) = 0;

  // The arguments a shortcut (.lnk) passes to its target (IShellLink::GetArguments),
  // loaded as shortcutTarget loads it; empty when it passes none. Nothing when the
  // shortcut cannot be loaded.
  virtual std::optional<std::string> shortcutArguments(std::string_view shortcutPath) = 0;

  // SHGetFolderPath(no window, csidl, no token, SHGFP_TYPE_CURRENT): the full path
  // of a special folder as it is now (redirected where the user's folders are),
  // without a trailing backslash. The folder is not created. Nothing when the
  // system has no such folder for this user.
  virtual std::optional<std::string> folderPath(int csidl) = 0;

  // ShellExecute: opens a document, folder or address with its associated program.
  // An empty verb is the default verb. Returns a value above 32 on success, and
  // otherwise the ShellExecute error (2 file not found, 3 path not found, 31 no
  // association, ...).
  virtual int shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                           std::string_view parameters, std::string_view directory, int showCommand) = 0;

  // CreateProcess with no separate program name: starts a command line (the
  // program, then its arguments), its window shown as showCommand, inheriting no
  // handles, and does not wait for it. Windows finds the program from the line
  // itself: a quoted start names it; otherwise the text up to each blank in turn,
  // and at last the whole line, is tried (with ".exe" added to a name without an
  // extension) until one names a program, so an unquoted path with blanks may
  // start a program at a shorter path. Returns 0 (ERROR_SUCCESS) or the Windows
  // error: 2 file not found, 3 path not found, 193 not a program, ...
  virtual std::uint32_t createProcess(std::string_view commandLine, int showCommand) = 0;

  // Begins a run of moves to the Recycle Bin on the calling thread: the shell's
  // objects live in a COM apartment of that thread (CoInitializeEx), made once for
  // the run and released with it, and only that thread may use the run.
  virtual std::unique_ptr<RecycleRun> beginRecycling() = 0;

  // The Recycle Bin of the drive whose root is given ("C:\"): what it holds, as
  // SHQueryRecycleBin says, and its size limit, as the bin's own settings for the
  // volume say (MaxCapacity, in megabytes, below Explorer\BitBucket\Volume\{GUID}
  // of the user's hive). A bin whose limit the user never set holds Windows' own
  // share of the volume, which Windows does not publish: the smallest share it
  // gives (5% of the volume) is taken. Nothing when the shell cannot tell.
  virtual std::optional<RecycleBinSpace> recycleBinSpace(std::string_view driveRoot) = 0;
};

}  // namespace velmora::platform
