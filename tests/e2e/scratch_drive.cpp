#include "scratch_drive.h"

#include <windows.h>

#include "wine_unix.h"

#include <stdexcept>
#include <vector>

namespace velmora::e2e {
namespace {

using testing::runUnix;
using testing::unixPathOf;

// The prefix's dosdevices folder, from the Linux path of C:\, which Wine gives
// through it ("<prefix>/dosdevices/c:/").
std::string dosDevicesFolder() {
  const std::string c = unixPathOf(L"C:\\");
  const std::string tail = "/c:/";
  if (c.size() <= tail.size() || c.compare(c.size() - tail.size(), tail.size(), tail) != 0)
    throw std::runtime_error("C:\\ is not a dosdevices link under Wine: " + c);
  return c.substr(0, c.size() - tail.size() + 1);
}

}  // namespace

ScratchDrive::ScratchDrive() {
  folder_ = L"C:\\velmora-e2e-drive-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"\\";
  if (!CreateDirectoryW(folder_.c_str(), nullptr))
    throw std::runtime_error("cannot make the scratch folder, error " + std::to_string(GetLastError()));
  unixFolder_ = unixPathOf(folder_);
  try {
    const std::wstring driveFolder = folder_ + L"drive";
    if (!CreateDirectoryW(driveFolder.c_str(), nullptr))
      throw std::runtime_error("cannot make the drive's folder, error " + std::to_string(GetLastError()));
    const std::string devices = dosDevicesFolder();
    const std::string target = unixPathOf(driveFolder);
    // A letter Windows does not know and that has no link yet (a run that was
    // killed may have left one behind): ln refuses to replace an existing entry.
    // -T: a letter another test holds is a link to its folder, and plain ln would
    // make the link inside that folder and succeed, so two tests would share, and
    // then remove, one letter.
    const DWORD known = GetLogicalDrives();
    for (wchar_t letter = L'J'; letter <= L'Y' && !letter_; ++letter) {
      if (known & (1u << (letter - L'A'))) continue;
      const std::string link = devices + static_cast<char>(letter - L'A' + 'a') + ":";
      if (runUnix({"/bin/ln", "-sT", target, link}) == 0) {
        letter_ = letter;
        unixLetterLink_ = link;
      }
    }
    if (!letter_) throw std::runtime_error("no free drive letter from J: to Y:");
    const std::wstring dosName = std::wstring(1, letter_) + L":";
    if (DefineDosDeviceW(0, dosName.c_str(), driveFolder.c_str()))
      dosNameDefined_ = true;
    else if (GetLastError() != ERROR_ALREADY_EXISTS)
      throw std::runtime_error("cannot define the drive's DOS name, error " + std::to_string(GetLastError()));
    const DWORD attributes = GetFileAttributesW(root().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      throw std::runtime_error("the new drive's root does not open");
  } catch (...) {
    remove();
    throw;
  }
}

ScratchDrive::~ScratchDrive() { remove(); }

void ScratchDrive::remove() {
  if (dosNameDefined_)
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, (std::wstring(1, letter_) + L":").c_str(), nullptr);
  dosNameDefined_ = false;
  // The links and the folder go from the Linux side, where rm removes a link as
  // itself: Wine, asked to remove a link, may reach what it points at.
  if (!unixLetterLink_.empty()) runUnix({"/bin/rm", "-f", unixLetterLink_});
  if (!unixDeviceLink_.empty()) runUnix({"/bin/rm", "-f", unixDeviceLink_});
  unixDeviceLink_.clear();
  if (!unixFolder_.empty()) runUnix({"/bin/rm", "-rf", unixFolder_});
  unixLetterLink_.clear();
  unixFolder_.clear();
}

void ScratchDrive::linkFolder(const std::wstring& link, const std::wstring& target) const {
  // Wine converts a path whose last part does not exist yet.
  const std::string unixLink = unixPathOf(link);
  if (runUnix({"/bin/ln", "-sT", unixPathOf(target), unixLink}) != 0)
    throw std::runtime_error("cannot link " + unixLink);
}

void ScratchDrive::linkDevice(const std::string& unixVolumeFile) {
  unixDeviceLink_ = unixLetterLink_ + ":";
  if (runUnix({"/bin/ln", "-sfn", unixVolumeFile, unixDeviceLink_}) != 0)
    throw std::runtime_error("cannot link the device " + unixDeviceLink_);
}

}  // namespace velmora::e2e
