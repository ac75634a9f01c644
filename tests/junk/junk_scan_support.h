#pragma once

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "junk/junk_scan.h"
#include "platform/registry_store.h"
#include "registry/registry_object.h"

namespace velmora::junk {

// What the scan tests share: a view that records what the scan does to the
// window, in order; the choices of a scan; the places of the profile folders.

// Records what the scan does to the window, in order.
class RecordingView : public JunkScanView {
 public:
  explicit RecordingView(JunkScanChoices choices)
      : choices_(std::make_shared<JunkScanChoices>(std::move(choices))) {}

  std::shared_ptr<const JunkScanChoices> choices() override { return choices_; }
  bool stopRequested() override { return stopAfter_ >= 0 && static_cast<int>(listed.size()) >= stopAfter_; }
  void clearResults() override { events.push_back("clear"); }
  void showWalking(const std::string& text) override { working.push_back(text); }
  void showExamining(std::string_view path) override { working.emplace_back(path); }
  void listFile(FoundFile file) override {
    events.push_back("list " + file.path);
    listed.push_back(std::move(file));
  }
  void setProgress(int percent) override { progress.push_back(percent); }
  void browsersLeftOpen(std::vector<std::string> names) override { leftOpen = std::move(names); }

  void stopAfter(int rows) { stopAfter_ = rows; }

  std::vector<std::string> paths() const {
    std::vector<std::string> out;
    for (const auto& f : listed) out.push_back(f.path);
    return out;
  }

  std::vector<std::string> events;
  std::vector<std::string> working;
  std::vector<FoundFile> listed;
  std::vector<int> progress;
  std::vector<std::string> leftOpen;

 private:
  std::shared_ptr<JunkScanChoices> choices_;
  int stopAfter_ = -1;
};

inline JunkScanChoices only(std::initializer_list<JunkCategory> categories,
                            std::vector<char> drives = {'C'}) {
  JunkScanChoices choices;
  for (auto c : categories) choices.categories[static_cast<int>(c)] = true;
  choices.checkedDrives = std::move(drives);
  choices.readingStructureText = "Reading ";
  return choices;
}

// Sets a value of the user's "Shell Folders" key, where the profile categories
// find today's places of their folders.
inline void setShellFolder(platform::RegistryStore& registry, const std::string& name,
                           const std::string& path) {
  registry::TRegistry reg(registry);
  if (!reg.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", true))
    throw std::runtime_error("cannot open the Shell Folders key");
  reg.WriteText(name, path);
}

}  // namespace velmora::junk
