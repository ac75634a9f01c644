#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/services.h"

namespace velmora::unattended {

// The file a run from the command line keeps its report in, under data\logs
// beside the program or in the user's local application data. It is begun with
// the report's head before the run does anything, under a name no earlier report
// has ("clean-20260304-050607.txt", then "-2", "-3": two runs in one second, or
// the hour that comes twice when summer time ends), and grows as the run goes, so
// that a run that is killed leaves what it did.
class ReportFile {
 public:
  // services must outlive this object; programFolder ends with a backslash.
  ReportFile(platform::Services& services, std::string programFolder)
      : services_(services), programFolder_(std::move(programFolder)) {}

  // Writes head as a new file named after stem; false when no place takes it.
  bool begin(std::string_view stem, std::string_view head);

  // Adds text at the end. Unless now is set, what is added waits until a quarter
  // of a second has passed since the last write, so that a run of many files
  // opens the file a few times a second rather than once per file.
  void add(std::string_view text, bool now = false);

  // Whether an addition after the head could not be written: the file on disk
  // misses the end of the report.
  bool incomplete() const { return incomplete_; }
  // Where the file was begun; empty until then.
  const std::string& path() const { return path_; }

 private:
  platform::Services& services_;
  std::string programFolder_;
  std::string path_;
  std::string waiting_;
  std::chrono::steady_clock::time_point lastWrite_{};
  bool incomplete_ = false;
};

}  // namespace velmora::unattended
