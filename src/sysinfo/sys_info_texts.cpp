#include "sysinfo/sys_info_texts.h"

namespace velmora::sysinfo {
namespace {

// The first build of Windows 11, which still reports itself as version 10.0.
constexpr std::uint32_t kFirstWindows11Build = 22000;
constexpr std::uint32_t kPlatformNt = 2;

}  // namespace

std::string osTitle(const platform::OsVersion& v) {
  // Decided in this order, a later match replacing an earlier one: NT 4.0 is
  // 4.0 as Windows 95 is, and only its platform tells them apart.
  std::string title;
  if (v.major == 3) title = "Windows NT 3.51";
  if (v.major == 4 && v.minor == 0) title = "Windows 95";
  if (v.major == 4 && v.minor == 10) title = "Windows 98";
  if (v.major == 4 && v.minor == 90) title = "Windows Me";
  if (v.major == 4 && v.platformId == kPlatformNt) title = "Windows NT";
  if (v.major == 5 && v.minor == 0) title = "Windows 2000";
  if (v.major == 5 && v.minor == 1) title = "Windows XP";
  if (v.major == 6 && v.minor == 0) title = "Windows Vista";
  if (v.major == 6 && v.minor == 1) title = "Windows 7";
  if (v.major == 6 && v.minor == 2) title = "Windows 8";
  if (v.major == 6 && v.minor == 3) title = "Windows 8.1";
  if (v.major == 10 && v.minor == 0) title = v.build >= kFirstWindows11Build ? "Windows 11" : "Windows 10";
  return title;
}

BiosDateSource biosDateSource(const std::string& osTitle) {
  if (osTitle == "Windows NT" || osTitle == "Windows XP") return BiosDateSource::SystemKey;
  // From Vista on, the System key may lack the date; its BIOS subkey has it.
  for (const char* current :
       {"Windows Vista", "Windows 7", "Windows 8", "Windows 8.1", "Windows 10", "Windows 11"})
    if (osTitle == current) return BiosDateSource::SystemKeyOrBiosKey;
  return BiosDateSource::None;
}

std::string colorsText(int bitsPerPixel, const SysInfoWords& words) {
  constexpr std::array<int, 5> kDepths = {8, 15, 16, 24, 32};
  for (std::size_t i = 0; i < kDepths.size(); ++i)
    if (kDepths[i] == bitsPerPixel) return words.colors[i];
  return "";
}

}  // namespace velmora::sysinfo
