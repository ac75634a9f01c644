#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "junk/junk_scan.h"

namespace velmora::bench {

// The window's side of a benchmark's junk-name scan of one drive: the patterns
// checked, never a Stop, and what the scan found and how it read the drive kept.
class ScanView final : public junk::JunkScanView {
 public:
  ScanView(char drive, std::vector<std::string> patterns) {
    auto choices = std::make_shared<junk::JunkScanChoices>();
    choices->categories[0] = true;
    choices->checkedDrives = {drive};
    choices->checkedPatterns = std::move(patterns);
    choices_ = choices;
  }
  std::shared_ptr<const junk::JunkScanChoices> choices() override { return choices_; }
  bool stopRequested() override { return false; }
  void clearResults() override {}
  void showWalking(const std::string&) override {}
  void showExamining(std::string_view) override {}
  void listFile(junk::FoundFile file) override { found.push_back(std::move(file.path)); }
  void setProgress(int) override {}
  void showDriveRead(const std::string&, bool fromTable) override { fromFileTable = fromTable; }

  std::vector<std::string> found;
  bool fromFileTable = false;

 private:
  std::shared_ptr<const junk::JunkScanChoices> choices_;
};

}  // namespace velmora::bench
