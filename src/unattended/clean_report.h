#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "junk/file_deletion.h"
#include "platform/process_host.h"

namespace velmora::unattended {

// The report of a run from the command line: what was asked, with which choices,
// each file found with what became of it, the totals and the exit code. Kept as
// UTF-8 text with CR LF line ends, for a person and for a script to read.
class CleanReport {
 public:
  CleanReport(std::string command, const platform::LocalTime& started);

  // The name of the file the report is kept in, without its extension:
  // "clean-YYYYMMDD-HHMMSS" after the start.
  std::string fileStem() const;

  // A line about the choices or files the run used.
  void addSetting(const std::string& name, const std::string& value);
  // Why the run could not start, and the exit code; the report is complete after it.
  void addCannotStart(const std::string& reason, int exitCode);
  // Why the run stopped on an error it could not go on from, and the exit code;
  // the report is complete after it.
  void addStopped(const std::string& reason, int exitCode);
  // A file found, with its size and what became of it: "deleted", "would delete",
  // or the reason it was not deleted.
  void addFile(const std::string& path, std::uint64_t bytes, const std::string& outcome);
  // The totals and the exit code; the report is complete after it.
  void finish(int found, std::uint64_t foundBytes, int deleted, std::uint64_t deletedBytes, bool preview,
              int exitCode);

  const std::string& text() const { return text_; }
  // The text added since the last call (the head, at the first), for the report's
  // file to take as the run goes.
  std::string takeNew();

 private:
  std::size_t taken_ = 0;
  platform::LocalTime started_;
  std::string text_;
  bool filesBegun_ = false;
};

// What became of a file, as the report says it: "deleted", "deleted: moved to the
// Recycle Bin", or "not deleted: " and why.
std::string outcomeText(const junk::Disposal& disposal);

}  // namespace velmora::unattended
