#include "file_system_scratch_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "wine_unix.h"

#include <atomic>
#include <stdexcept>

namespace velmora::contract {
namespace {

// Runs a Linux program, which must succeed.
void runUnixOrThrow(std::vector<std::string> arguments) {
  const std::string program = arguments[0];
  if (testing::runUnix(std::move(arguments)) != 0) throw std::runtime_error("could not run " + program);
}

// Removes a folder link as itself. Under Wine it is removed from the Linux side:
// asking Wine to remove a link may reach what it points at.
void removeLink(const std::wstring& link) {
  if (testing::runningUnderWine()) {
    runUnixOrThrow({"/bin/rm", "-f", testing::unixPathOf(link)});
  } else {
    RemoveDirectoryW(link.c_str());
  }
}

void removeTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        removeLink(path);
      } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::wstring utf16(const std::string& text) {
  if (text.empty()) return {};
  int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                  nullptr, 0);
  if (count <= 0) throw std::runtime_error("not UTF-8: " + text);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
  return wide;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                  nullptr);
  std::string narrow(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), count, nullptr,
                      nullptr);
  return narrow;
}

std::wstring extendedForm(const std::string& path) { return L"\\\\?\\" + utf16(path); }

// Wine hands out process IDs again as soon as a process ends, so the ID alone does
// not make a name unique over a test run: a folder that an earlier process could not
// remove would be taken for this one's. The folder is made new, under the next free
// name, and never shared.
ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  const std::string stem = "C:\\velmora-contract-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount64()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = stem + std::to_string(++counter);
    if (CreateDirectoryW(extendedForm(path_).c_str(), nullptr)) {
      path_ += "\\";
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("cannot make " + path_ + ", error " + std::to_string(GetLastError()));
}

// A folder that cannot be removed means that something the case started still holds
// a file in it; that is the case's fault, and it is reported against that case. A
// program the case started may have left its marker and still be ending, holding
// its own file a moment longer on a loaded machine, so removal is tried again for
// a few seconds before that counts.
ScratchFolder::~ScratchFolder() {
  const std::wstring folder = extendedForm(path_.substr(0, path_.size() - 1));
  const ULONGLONG deadline = GetTickCount64() + 5000;
  for (;;) {
    removeTree(folder);
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (GetTickCount64() >= deadline) break;
    Sleep(100);
  }
  ADD_FAILURE() << "the scratch folder " << path_ << " is still there after the case";
}

void makeFolderLink(const std::string& link, const std::string& target) {
  if (testing::runningUnderWine()) {
    runUnixOrThrow({"/bin/ln", "-s", testing::unixPathOf(extendedForm(target)),
                    testing::unixPathOf(extendedForm(link))});
    return;
  }
  if (!CreateSymbolicLinkW(extendedForm(link).c_str(), extendedForm(target).c_str(),
                           SYMBOLIC_LINK_FLAG_DIRECTORY))
    throw std::runtime_error("cannot link " + link + ", error " + std::to_string(GetLastError()));
}

}  // namespace velmora::contract
