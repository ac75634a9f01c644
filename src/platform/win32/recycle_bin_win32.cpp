#include "platform/win32/recycle_bin_win32.h"

#include <windows.h>

#include <shellapi.h>
#include <sherrors.h>
#include <shobjidl.h>

#include <cwctype>
#include <map>
#include <optional>
#include <vector>

#include "platform/win32/com.h"

namespace velmora::platform::win32 {
namespace {

// Asked to recycle a file the Recycle Bin cannot take (a drive without one, a file
// larger than the bin, a bin turned off), the shell deletes it for good, and with
// FOF_NOCONFIRMATION it does so without asking: the user who chose the Recycle Bin
// to keep an undo would lose the file. The caller sends only files of fixed
// drives, and the progress sink below refuses every delete that the shell
// announces without the recycle flag. The shell is never allowed to ask instead
// (FOF_WANTNUKEWARNING): a run that nobody watches, in session 0 under the Task
// Scheduler, would wait on that question for ever.
//
// FOF_NO_CONNECTED_ELEMENTS: the shell otherwise moves a web page's "x_files"
// folder along with "x.htm", files the user neither saw listed nor checked.
constexpr DWORD kSilentRecycle =
    FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NO_CONNECTED_ELEMENTS;

// What the shell said of one item of an operation.
enum class Heard { nothing, refused, recycled, destroyed, failed };

// Watches the deletes of an operation over a batch of items: refuses any the
// shell is about to do without recycling, and records what became of each item
// it was given. Items the shell may announce that are none of them say nothing
// about them. It lives on the caller's stack for the length of the operation.
class RecycleWatcher final : public IFileOperationProgressSink {
 public:
  explicit RecycleWatcher(const std::vector<IShellItem*>& items)
      : items_(items), heard_(items.size(), Heard::nothing) {}

  const std::vector<Heard>& heard() const { return heard_; }
  bool anyRefused() const { return anyRefused_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IFileOperationProgressSink) {
      *object = static_cast<IFileOperationProgressSink*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem* item) override {
    // The shell names a delete that will recycle with this flag; without it the
    // file would be gone for good. An error here cancels the delete, and with it
    // every delete of the operation still to come (see recycleWithFileOperation).
    if ((flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) == 0) {
      if (const std::optional<std::size_t> index = indexOf(item)) {
        heard_[*index] = Heard::refused;
        anyRefused_ = true;
      }
      return HRESULT_FROM_WIN32(ERROR_CANCELLED);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem* item, HRESULT result,
                                           IShellItem* inBin) override {
    const std::optional<std::size_t> index = indexOf(item);
    if (!index || heard_[*index] == Heard::refused) return S_OK;
    // A delete cancelled by a refusal before it was never tried: nothing is heard
    // of it, so that it is sent again.
    if (result == COPYENGINE_E_USER_CANCELLED || result == HRESULT_FROM_WIN32(ERROR_CANCELLED) ||
        result == E_ABORT)
      return S_OK;
    // The item in the Recycle Bin is given only when the file went there.
    heard_[*index] = FAILED(result) ? Heard::failed : inBin != nullptr ? Heard::recycled : Heard::destroyed;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                         IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                         IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT,
                                        IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }

 private:
  // Which of the given items the shell speaks of: the same object, or one the
  // shell names the same. The shell goes through the items in order and speaks of
  // each twice (before and after), so the search starts at the last one found and
  // mostly ends there or at the next. An item the shell does not name is none.
  std::optional<std::size_t> indexOf(IShellItem* item) {
    if (item == nullptr || items_.empty()) return std::nullopt;
    for (bool byName : {false, true})
      for (std::size_t step = 0; step < items_.size(); ++step) {
        const std::size_t index = (last_ + step) % items_.size();
        IShellItem* given = items_[index];
        int order = 1;
        if (given == item ||
            (byName && SUCCEEDED(given->Compare(item, SICHINT_CANONICAL, &order)) && order == 0)) {
          last_ = index;
          return index;
        }
      }
    return std::nullopt;
  }

  const std::vector<IShellItem*>& items_;
  std::vector<Heard> heard_;
  bool anyRefused_ = false;
  std::size_t last_ = 0;
};

// Whether the file is gone from its place: only "not found" says so.
bool goneFrom(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// One operation of the shell's file operation object over the items, with the
// watcher: what it heard of each; nothing when the shell has no such object that
// works (Wine 8 creates the object but implements none of its operations).
//
// Without FOFX_EARLYFAILURE, an item that fails counts as "skip" in a dialog
// nobody sees and the operation goes on with the next: one file in use keeps no
// other from going.
std::optional<RecycleWatcher> performDeletes(const std::vector<IShellItem*>& items) {
  ComRef<IFileOperation> operation;
  if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation, operation.out())))
    return std::nullopt;
  std::optional<RecycleWatcher> watcher(std::in_place, items);
  HRESULT result = operation->SetOperationFlags(kSilentRecycle);
  if (result == E_NOTIMPL) return std::nullopt;
  if (FAILED(result)) return watcher;
  DWORD cookie = 0;
  result = operation->Advise(&*watcher, &cookie);
  if (result == E_NOTIMPL) return std::nullopt;
  if (FAILED(result)) return watcher;
  for (IShellItem* item : items) {
    result = operation->DeleteItem(item, nullptr);
    if (result == E_NOTIMPL) break;
  }
  if (result != E_NOTIMPL) result = operation->PerformOperations();
  operation->Unadvise(cookie);
  if (result == E_NOTIMPL) return std::nullopt;
  return watcher;
}

// The files through the shell's file operation object, a batch in one operation;
// nothing when the shell has none that works, before any file was sent.
//
// A delete the watcher refuses (the bin cannot take that file) cancels the rest of
// the operation: the files the shell never came to, still in their place, are
// sent again in another, without the refused one. An item the shell says nothing
// of is judged by its place alone.
std::optional<std::vector<RecycleOutcome>> recycleWithFileOperation(const std::vector<std::wstring>& paths) {
  std::vector<RecycleOutcome> outcomes(paths.size(), RecycleOutcome::failed);
  std::vector<ComRef<IShellItem>> items(paths.size());
  std::vector<std::size_t> pending;
  for (std::size_t index = 0; index < paths.size(); ++index)
    if (SUCCEEDED(
            SHCreateItemFromParsingName(paths[index].c_str(), nullptr, IID_IShellItem, items[index].out())))
      pending.push_back(index);
  bool first = true;
  while (!pending.empty()) {
    std::vector<IShellItem*> batch;
    for (std::size_t index : pending) batch.push_back(items[index].get());
    const std::optional<RecycleWatcher> watcher = performDeletes(batch);
    if (!watcher && first) return std::nullopt;
    first = false;
    std::vector<std::size_t> again;
    for (std::size_t k = 0; k < pending.size(); ++k) {
      const std::size_t index = pending[k];
      switch (watcher ? watcher->heard()[k] : Heard::nothing) {
        case Heard::refused:
          outcomes[index] = RecycleOutcome::notRecycled;
          break;
        case Heard::recycled:
          outcomes[index] = RecycleOutcome::recycled;
          break;
        case Heard::destroyed:
          // The shell destroyed the file past the watcher's refusal: it is gone,
          // and the report must say it was deleted, not recycled.
          outcomes[index] = RecycleOutcome::deletedForGood;
          break;
        case Heard::failed:
          outcomes[index] = RecycleOutcome::failed;
          break;
        case Heard::nothing:
          if (goneFrom(paths[index]))
            outcomes[index] = RecycleOutcome::recycled;
          else if (watcher && watcher->anyRefused())
            again.push_back(index);
          else
            outcomes[index] = RecycleOutcome::failed;
          break;
      }
    }
    pending = std::move(again);
  }
  return outcomes;
}

// What the Recycle Bin of a drive root ("C:\") holds, as the shell tells it;
// false when the bin does not answer.
bool queryRecycleBin(const std::wstring& driveRoot, SHQUERYRBINFO& held) {
  held = {};
  held.cbSize = sizeof held;
  return SUCCEEDED(SHQueryRecycleBinW(driveRoot.c_str(), &held));
}

// SHFileOperationW, which every Windows has and Wine implements: Wine moves the
// file to the desktop's trash of its Linux user (the XDG trash,
// ~/.local/share/Trash by default), not to a Recycle Bin folder on the drive. This
// call has no sink to refuse a delete for good, and without a question allowed
// the shell destroys silently what the bin cannot take (Wine does so when there
// is no trash at all). So a file is sent only when its drive's bin answers a
// query (SHQueryRecycleBinW, which fails under Wine when there is no trash);
// otherwise it stays and is reported as not recycled. What the bin then still
// refuses (under Wine, a trash that cannot take this one file) cannot be told
// from a recycled file here; on Windows this way is never taken, as every
// supported version has the file operation object above.
bool recycleBinAnswers(const std::wstring& path, std::map<wchar_t, bool>& answers) {
  if (path.size() < 3 || path[1] != L':') return false;
  const wchar_t drive = static_cast<wchar_t>(std::towupper(path[0]));
  if (const auto known = answers.find(drive); known != answers.end()) return known->second;
  SHQUERYRBINFO held;
  return answers[drive] = queryRecycleBin(path.substr(0, 3), held);
}

// The files whose bins answer, in one call: a list of names, each ended by a null,
// the list by a second one. The call tells only whether all went well; when not,
// each file still in its place is sent again on its own, so that one that fails
// keeps no other from going, and each outcome is its own.
std::vector<RecycleOutcome> recycleWithFileOperationStruct(const std::vector<std::wstring>& paths) {
  std::vector<RecycleOutcome> outcomes(paths.size(), RecycleOutcome::notRecycled);
  std::map<wchar_t, bool> answers;
  std::vector<std::size_t> sent;
  std::vector<wchar_t> from;
  for (std::size_t index = 0; index < paths.size(); ++index) {
    // Only a file's place tells afterwards what became of it: one that is not
    // there before the call cannot have gone to the bin.
    if (goneFrom(paths[index])) {
      outcomes[index] = RecycleOutcome::failed;
      continue;
    }
    if (!recycleBinAnswers(paths[index], answers)) continue;
    from.insert(from.end(), paths[index].begin(), paths[index].end());
    from.push_back(L'\0');
    sent.push_back(index);
  }
  if (sent.empty()) return outcomes;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.data();
  operation.fFlags = static_cast<FILEOP_FLAGS>(kSilentRecycle);
  const int result = SHFileOperationW(&operation);
  const bool aborted = operation.fAnyOperationsAborted != FALSE;
  for (std::size_t index : sent) {
    const bool gone = goneFrom(paths[index]);
    if (sent.size() > 1 && (result != 0 || aborted))
      outcomes[index] = gone ? RecycleOutcome::recycled : recycleWithFileOperationStruct({paths[index]})[0];
    else if (aborted)
      outcomes[index] = RecycleOutcome::notRecycled;
    else
      outcomes[index] = result == 0 && gone ? RecycleOutcome::recycled : RecycleOutcome::failed;
  }
  return outcomes;
}

}  // namespace

std::optional<RecycleBinSpace> recycleBinSpace(const std::wstring& driveRoot) {
  SHQUERYRBINFO held;
  if (!queryRecycleBin(driveRoot, held)) return std::nullopt;
  ULARGE_INTEGER volumeBytes{};
  if (!GetDiskFreeSpaceExW(driveRoot.c_str(), nullptr, &volumeBytes, nullptr)) return std::nullopt;
  RecycleBinSpace space{static_cast<std::uint64_t>(held.i64Size),
                        static_cast<std::uint64_t>(held.i64NumItems), volumeBytes.QuadPart / 20};
  // The limit the user set for this volume, kept under the volume's GUID.
  wchar_t volume[MAX_PATH];
  if (GetVolumeNameForVolumeMountPointW(driveRoot.c_str(), volume, MAX_PATH)) {
    // "\\?\Volume{GUID}\": the GUID with its braces names the key.
    const std::wstring name(volume);
    const std::size_t open = name.find(L'{');
    const std::size_t close = name.find(L'}', open);
    if (open != std::wstring::npos && close != std::wstring::npos) {
      const std::wstring key =
          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume\\" +
          name.substr(open, close - open + 1);
      DWORD megabytes = 0;
      DWORD size = sizeof megabytes;
      if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"MaxCapacity", RRF_RT_REG_DWORD, nullptr, &megabytes,
                       &size) == ERROR_SUCCESS)
        space.limitBytes = static_cast<std::uint64_t>(megabytes) * 1024 * 1024;
    }
  }
  return space;
}

std::vector<RecycleOutcome> ShellRecycler::recycle(const std::vector<std::wstring>& paths) {
  if (paths.empty()) return {};
  if (!noFileOperation_) {
    if (std::optional<std::vector<RecycleOutcome>> outcomes = recycleWithFileOperation(paths))
      return *outcomes;
    noFileOperation_ = true;
  }
  return recycleWithFileOperationStruct(paths);
}

}  // namespace velmora::platform::win32
