#include "unattended/report_file.h"

#include "platform/data_folders.h"
#include "platform/text_files.h"

namespace velmora::unattended {

bool ReportFile::begin(std::string_view stem, std::string_view head) {
  const platform::WrittenFile written =
      platform::writeNewDataFile(services_, programFolder_, "logs", stem, ".txt", head);
  if (!written.written) return false;
  path_ = written.path;
  lastWrite_ = std::chrono::steady_clock::now();
  return true;
}

void ReportFile::add(std::string_view text, bool now) {
  if (path_.empty()) return;
  waiting_.append(text);
  const auto clock = std::chrono::steady_clock::now();
  if (!now && clock - lastWrite_ < std::chrono::milliseconds(250)) return;
  lastWrite_ = clock;
  // Once a piece is lost, nothing after it is written either: the file would read
  // as a report with a hole in it.
  if (!incomplete_ && !waiting_.empty() && !services_.textFiles.appendBytes(path_, waiting_))
    incomplete_ = true;
  waiting_.clear();
}

}  // namespace velmora::unattended
