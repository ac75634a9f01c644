#pragma once

#include <filesystem>
#include <string>

namespace velmora::e2e {

// A copy of the program folder (the executable with its data and language
// folders, and nothing the program wrote there) in a new folder of its own under
// the temporary folder, removed again when the copy goes. Each test that starts
// the program from a copy starts it as on a first run, without a settings file.
class ProgramCopy {
 public:
  ProgramCopy();
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  std::wstring exePath() const { return (folder_ / exeName_).wstring(); }
  // The settings file beside the copied executable.
  std::filesystem::path settingsPath() const;
  // Writes a settings file as an earlier run leaves it: the language given, no
  // language question, and no update check at start, which would reach for the
  // network.
  void writeEarlierRunSettings(const std::string& language = "English") const;
  // The settings file's bytes; empty when there is none.
  std::string readSettings() const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path exeName_;
};

}  // namespace velmora::e2e
