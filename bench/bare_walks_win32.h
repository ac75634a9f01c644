#pragma once

// Bare walks the program's scan is measured against, beside the single-threaded
// FindFirstFileExW walk: the same walk listing each folder in batches with
// GetFileInformationByHandleEx, and the FindFirstFileExW walk on several threads,
// which shows how folder listings scale with threads under the system that runs it.
#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora::bench {

// Lists one folder with FindFirstFileExW (basic information, large fetch): the
// number of files, and its sub-folders appended to folders.
inline std::size_t listBySearch(const std::wstring& folder, std::vector<std::wstring>& folders) {
  std::size_t files = 0;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
        folders.push_back(folder + data.cFileName + L"\\");
    } else {
      ++files;
    }
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return files;
}

// The bare walk with each folder read in 64 KiB batches (FileFullDirectoryInfo,
// which Wine 8 and every Windows implement). Returns the number of files.
inline std::size_t batchedBareWalk(const std::wstring& root) {
  std::size_t files = 0;
  std::vector<std::wstring> folders{root};
  std::vector<BYTE> buffer(64 * 1024);
  while (!folders.empty()) {
    const std::wstring folder = std::move(folders.back());
    folders.pop_back();
    HANDLE handle = CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) continue;
    while (GetFileInformationByHandleEx(handle, FileFullDirectoryInfo, buffer.data(),
                                        static_cast<DWORD>(buffer.size()))) {
      for (std::size_t offset = 0;;) {
        const auto* record = reinterpret_cast<const FILE_FULL_DIR_INFO*>(buffer.data() + offset);
        const std::wstring_view name(record->FileName, record->FileNameLength / sizeof(WCHAR));
        if (record->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (name != L"." && name != L"..") folders.push_back(folder + std::wstring(name) + L"\\");
        } else {
          ++files;
        }
        if (record->NextEntryOffset == 0) break;
        offset += record->NextEntryOffset;
      }
    }
    CloseHandle(handle);
  }
  return files;
}

// The FindFirstFileExW walk on `threads` threads sharing one stack of folders to
// list. Returns the number of files.
inline std::size_t threadedBareWalk(const std::wstring& root, int threads) {
  std::mutex lock;
  std::condition_variable changed;
  std::vector<std::wstring> folders{root};
  int busy = 0;
  std::size_t files = 0;
  auto work = [&] {
    std::vector<std::wstring> found;
    std::unique_lock guard(lock);
    for (;;) {
      changed.wait(guard, [&] { return !folders.empty() || busy == 0; });
      if (folders.empty()) return;
      const std::wstring folder = std::move(folders.back());
      folders.pop_back();
      ++busy;
      guard.unlock();
      found.clear();
      const std::size_t listed = listBySearch(folder, found);
      guard.lock();
      --busy;
      files += listed;
      for (std::wstring& sub : found) folders.push_back(std::move(sub));
      changed.notify_all();
    }
  };
  std::vector<std::thread> pool;
  for (int i = 0; i < threads; ++i) pool.emplace_back(work);
  for (std::thread& thread : pool) thread.join();
  return files;
}

}  // namespace velmora::bench
