#include "program_copy.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "program_process.h"

namespace velmora::e2e {

ProgramCopy::ProgramCopy() {
  const std::filesystem::path exe(programExePath());
  exeName_ = exe.filename();
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  // The process id and a tick count keep copies of parallel and successive test
  // runs apart.
  std::wstringstream name;
  name << L"velmora-e2e-" << GetCurrentProcessId() << L"-" << GetTickCount64();
  folder_ = std::filesystem::path(std::wstring(temp, length)) / name.str();
  std::filesystem::create_directories(folder_);
  std::filesystem::copy_file(exe, folder_ / exeName_);
  for (const wchar_t* sub : {L"data", L"language"}) {
    const std::filesystem::path from = exe.parent_path() / sub;
    if (std::filesystem::exists(from))
      std::filesystem::copy(from, folder_ / sub, std::filesystem::copy_options::recursive);
  }
}

ProgramCopy::~ProgramCopy() {
  // The copy holds plain files only, never a link whose removal could reach
  // beyond it.
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path ProgramCopy::settingsPath() const {
  return folder_ / std::filesystem::path(exeName_).replace_extension(L".ini");
}

void ProgramCopy::writeEarlierRunSettings(const std::string& language) const {
  std::ofstream(settingsPath(), std::ios::binary)
      << "[Options]\r\nLanguage=" << language << "\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n";
}

std::string ProgramCopy::readSettings() const {
  std::ifstream in(settingsPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace velmora::e2e
