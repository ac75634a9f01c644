#include "unattended/clean_report.h"

#include <cstdio>

namespace velmora::unattended {
namespace {

std::string twoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string dateText(const platform::LocalTime& t) {
  return std::to_string(t.year) + "-" + twoDigits(t.month) + "-" + twoDigits(t.day) + " " +
         twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

std::string filesText(int count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

std::string bytesText(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

}  // namespace

CleanReport::CleanReport(std::string command, const platform::LocalTime& started) : started_(started) {
  text_ = "Velmora Disk Cleaner " + command + "\r\nStarted: " + dateText(started) + "\r\n";
}

std::string CleanReport::fileStem() const {
  const platform::LocalTime& t = started_;
  return "clean-" + std::to_string(t.year) + twoDigits(t.month) + twoDigits(t.day) + "-" + twoDigits(t.hour) +
         twoDigits(t.minute) + twoDigits(t.second);
}

std::string CleanReport::takeNew() {
  std::string added = text_.substr(taken_);
  taken_ = text_.size();
  return added;
}

void CleanReport::addSetting(const std::string& name, const std::string& value) {
  text_ += name + ": " + value + "\r\n";
}

void CleanReport::addCannotStart(const std::string& reason, int exitCode) {
  text_ += "Cannot start: " + reason + "\r\nExit code: " + std::to_string(exitCode) + "\r\n";
}

void CleanReport::addStopped(const std::string& reason, int exitCode) {
  text_ += "\r\nStopped: " + reason + "\r\nExit code: " + std::to_string(exitCode) + "\r\n";
}

void CleanReport::addFile(const std::string& path, std::uint64_t bytes, const std::string& outcome) {
  if (!filesBegun_) text_ += "\r\n";
  filesBegun_ = true;
  text_ += path + "\t" + bytesText(bytes) + "\t" + outcome + "\r\n";
}

void CleanReport::finish(int found, std::uint64_t foundBytes, int deleted, std::uint64_t deletedBytes,
                         bool preview, int exitCode) {
  text_ += "\r\nFound: " + filesText(found) + ", " + bytesText(foundBytes) + "\r\n";
  if (preview)
    text_ += "Deleted: nothing (preview)\r\n";
  else
    text_ += "Deleted: " + filesText(deleted) + ", " + bytesText(deletedBytes) +
             "\r\nNot deleted: " + filesText(found - deleted) + "\r\n";
  text_ += "Exit code: " + std::to_string(exitCode) + "\r\n";
}

namespace {

std::string notDeletedReason(platform::FileError error) {
  switch (error) {
    case platform::FileError::fileNotFound:
    case platform::FileError::pathNotFound:
      return "not deleted: already gone";
    case platform::FileError::accessDenied:
      return "not deleted: access denied or read-only";
    case platform::FileError::sharingViolation:
      return "not deleted: in use by another program";
    case platform::FileError::redirected:
      return "not deleted: its path now leads elsewhere through a link";
    case platform::FileError::none:
    case platform::FileError::alreadyExists:
    case platform::FileError::relativePath:
    case platform::FileError::invalidName:
    case platform::FileError::other:
      break;
  }
  return "not deleted: error";
}

}  // namespace

std::string outcomeText(const junk::Disposal& disposal) {
  switch (disposal.outcome) {
    case junk::Disposed::deleted:
      return "deleted";
    case junk::Disposed::recycled:
      return "deleted: moved to the Recycle Bin";
    case junk::Disposed::keptOutOfBin:
      return disposal.outOfBin == junk::OutOfBin::driveKeepsNone
                 ? "not deleted: its drive keeps no Recycle Bin"
                 : "not deleted: its drive's Recycle Bin did not take it (switched off for the drive, or the "
                   "file is larger than the bin holds)";
    case junk::Disposed::keptForBinRoom:
      return "not deleted: its drive's Recycle Bin has no room for it without deleting what it holds";
    case junk::Disposed::keptBrowserOpen:
      return "not deleted: " + disposal.browser + " was opened after the scan";
    case junk::Disposed::failed:
      break;
  }
  return notDeletedReason(disposal.error);
}

}  // namespace velmora::unattended
