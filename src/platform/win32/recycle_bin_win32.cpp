#include "platform/win32/recycle_bin_win32.h"

#include <windows.h>

#include <shellapi.h>
#include <shobjidl.h>

#include <optional>
#include <vector>

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

// Watches the deletes of an operation: refuses any the shell is about to do
// without recycling, and records what became of the one item it was given. Other
// items the shell may announce are not that file, and their outcome says nothing
// about it. It lives on the caller's stack for the length of the operation.
class RecycleWatcher final : public IFileOperationProgressSink {
 public:
  explicit RecycleWatcher(IShellItem* item) : item_(item) {}

  bool refused() const { return refused_; }
  bool recycled() const { return recycled_; }
  bool destroyed() const { return destroyed_; }

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
    // file would be gone for good. An error here cancels the delete.
    if ((flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) == 0) {
      if (isGiven(item)) refused_ = true;
      return HRESULT_FROM_WIN32(ERROR_CANCELLED);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem* item, HRESULT result,
                                           IShellItem* inBin) override {
    if (!isGiven(item)) return S_OK;
    // The item in the Recycle Bin is given only when the file went there.
    recycled_ = SUCCEEDED(result) && inBin != nullptr;
    destroyed_ = SUCCEEDED(result) && inBin == nullptr;
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
  // Whether the shell speaks of the item the operation was given. A shell that
  // names no item is taken to mean it, as the operation holds no other.
  bool isGiven(IShellItem* item) const {
    if (item == nullptr || item == item_) return true;
    int order = 1;
    return SUCCEEDED(item_->Compare(item, SICHINT_CANONICAL, &order)) && order == 0;
  }

  IShellItem* item_;
  bool refused_ = false;
  bool recycled_ = false;
  bool destroyed_ = false;
};

// Releases a COM interface once.
template <typename Interface>
struct Released {
  Interface* pointer = nullptr;
  ~Released() {
    if (pointer) pointer->Release();
  }
};

// Whether the file is gone from its place: only "not found" says so.
bool goneFrom(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The shell's file operation object with the watcher; nothing when the shell has
// none that works (Wine 8 creates the object but implements none of its
// operations), so that the caller takes the older way.
std::optional<RecycleOutcome> recycleWithFileOperation(const std::wstring& path) {
  Released<IFileOperation> operation;
  if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation,
                              reinterpret_cast<void**>(&operation.pointer))))
    return std::nullopt;
  Released<IShellItem> item;
  if (FAILED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItem,
                                         reinterpret_cast<void**>(&item.pointer))))
    return RecycleOutcome::failed;

  // FOFX_EARLYFAILURE: a failure ends the operation rather than counting as
  // "skip" in a dialog nobody sees.
  HRESULT result = operation.pointer->SetOperationFlags(kSilentRecycle | FOFX_EARLYFAILURE);
  if (result == E_NOTIMPL) return std::nullopt;
  if (FAILED(result)) return RecycleOutcome::failed;
  RecycleWatcher watcher(item.pointer);
  DWORD cookie = 0;
  result = operation.pointer->Advise(&watcher, &cookie);
  if (result == E_NOTIMPL) return std::nullopt;
  if (FAILED(result)) return RecycleOutcome::failed;
  result = operation.pointer->DeleteItem(item.pointer, nullptr);
  if (SUCCEEDED(result)) result = operation.pointer->PerformOperations();
  operation.pointer->Unadvise(cookie);
  if (result == E_NOTIMPL) return std::nullopt;

  if (watcher.refused()) return RecycleOutcome::notRecycled;
  if (watcher.recycled()) return RecycleOutcome::recycled;
  // The shell destroyed the file past the sink's refusal: it is gone, and the
  // report must say it was deleted, not recycled.
  if (watcher.destroyed()) return RecycleOutcome::deletedForGood;
  // The shell reported no delete at all: only the file's place tells.
  return goneFrom(path) ? RecycleOutcome::recycled : RecycleOutcome::failed;
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
// is no trash at all). So the file is sent only when the drive's bin answers a
// query (SHQueryRecycleBinW, which fails under Wine when there is no trash);
// otherwise it stays and is reported as not recycled. What the bin then still
// refuses (under Wine, a trash that cannot take this one file) cannot be told
// from a recycled file here; on Windows this way is never taken, as every
// supported version has the file operation object above.
bool recycleBinAnswers(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':') return false;
  SHQUERYRBINFO held;
  return queryRecycleBin(path.substr(0, 3), held);
}

RecycleOutcome recycleWithFileOperationStruct(const std::wstring& path) {
  if (!recycleBinAnswers(path)) return RecycleOutcome::notRecycled;
  // A list of names, each ended by a null, the list by a second one.
  std::vector<wchar_t> from(path.begin(), path.end());
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.data();
  operation.fFlags = static_cast<FILEOP_FLAGS>(kSilentRecycle);
  const int result = SHFileOperationW(&operation);
  if (operation.fAnyOperationsAborted) return RecycleOutcome::notRecycled;
  if (result != 0) return RecycleOutcome::failed;
  return goneFrom(path) ? RecycleOutcome::recycled : RecycleOutcome::failed;
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

RecycleOutcome recycleFile(const std::wstring& path) {
  if (std::optional<RecycleOutcome> outcome = recycleWithFileOperation(path)) return *outcome;
  return recycleWithFileOperationStruct(path);
}

}  // namespace velmora::platform::win32
