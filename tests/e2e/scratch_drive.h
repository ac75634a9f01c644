#pragma once

#include <string>

namespace velmora::e2e {

// A drive letter of its own for a test under Wine: a new folder on drive C: (the
// prefix's drive_c) with a sub-folder "drive" that a free letter from J: to Y:
// maps to, so that a program started afterwards lists one more local drive whose
// whole content the test controls. The rest of the folder holds what the test
// keeps outside the drive. The destructor removes the letter and the folder with
// everything in it; the removal never follows a link.
//
// Under Wine 8 a drive letter has two halves, and both are made here. Paths on
// the drive are resolved through a symbolic link in the prefix's dosdevices
// folder, made from the Linux side. GetLogicalDrives, though, reports the letters
// of the Wine server's DOS device names, which the mount manager makes from
// dosdevices only when the server starts; DefineDosDeviceW adds the name (a
// permanent one, removed again explicitly). DefineDosDeviceW alone is no use:
// GetLogicalDrives then reports the letter, but GetDriveTypeW says
// DRIVE_NO_ROOT_DIR and no path on it opens.
//
// Throws std::runtime_error when not running under Wine, when no letter is free
// or when the folder or the letter cannot be made.
class ScratchDrive {
 public:
  ScratchDrive();
  ~ScratchDrive();
  ScratchDrive(const ScratchDrive&) = delete;
  ScratchDrive& operator=(const ScratchDrive&) = delete;

  // "J:\".
  std::wstring root() const { return std::wstring(1, letter_) + L":\\"; }
  // The folder on C: that holds the drive's folder, with its trailing backslash;
  // a place for what must stay off the drive.
  const std::wstring& outside() const { return folder_; }

  // Makes a Linux symbolic link at the Windows path link to the folder target,
  // which Wine reports as a reparse point.
  void linkFolder(const std::wstring& link, const std::wstring& target) const;

  // Makes (or replaces) the drive's device, which Wine opens for "\\.\J:": a link
  // in dosdevices named after the letter with two colons, to a Linux file holding
  // the raw volume.
  void linkDevice(const std::string& unixVolumeFile);

 private:
  // Removes the letter, then the folder; what was never made is skipped.
  void remove();

  std::wstring folder_;
  std::string unixFolder_;
  std::string unixLetterLink_;
  std::string unixDeviceLink_;
  bool dosNameDefined_ = false;
  wchar_t letter_ = 0;
};

}  // namespace velmora::e2e
