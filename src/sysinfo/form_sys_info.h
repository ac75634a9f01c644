#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"
#include "sysinfo/sys_info_texts.h"
#include "widgets/buttons.h"
#include "widgets/containers.h"
#include "widgets/form.h"
#include "widgets/label.h"

namespace velmora::sysinfo {

// The System Information window: computer, system, video and memory facts in
// four group boxes, each fact a title label beside a value label. The facts are
// read once, when the window is made; showing it later reads nothing again. A
// value label keeps "XXX" when its fact cannot be read.
class TFormSysInfo : public widgets::Form {
 public:
  // services must outlive the making of the window; it does not keep them.
  TFormSysInfo(widgets::Application& app, platform::Services& services);

  widgets::GroupBox GroupBoxHardware{*this, "GroupBoxHardware"};
  widgets::Label LabelCompName{GroupBoxHardware, "LabelCompName", "Computer name:"};
  widgets::Label laCompName{GroupBoxHardware, "laCompName", "XXX"};
  widgets::Label LabelUserName{GroupBoxHardware, "LabelUserName", "User name:"};
  widgets::Label laUserName{GroupBoxHardware, "laUserName", "XXX"};
  widgets::Label LabelCPU{GroupBoxHardware, "LabelCPU", "CPU:"};
  widgets::Label laCPU{GroupBoxHardware, "laCPU", "XXX"};
  widgets::Label LabelFamily{GroupBoxHardware, "LabelFamily", "CPU Family:"};
  widgets::Label laFamily{GroupBoxHardware, "laFamily", "XXX"};

  widgets::GroupBox GroupBoxSystem{*this, "GroupBoxSystem"};
  widgets::Label LabelWinDir{GroupBoxSystem, "LabelWinDir", "Win Dir:"};
  widgets::Label laWinDir{GroupBoxSystem, "laWinDir", "XXX"};
  widgets::Label LabelSysDir{GroupBoxSystem, "LabelSysDir", "System Dir:"};
  widgets::Label laSysDir{GroupBoxSystem, "laSysDir", "XXX"};
  widgets::Label LabelOS{GroupBoxSystem, "LabelOS", "OS Title:"};
  widgets::Label laOS{GroupBoxSystem, "laOS", "XXX"};
  widgets::Label LabelBIOSDate{GroupBoxSystem, "LabelBIOSDate", "BIOS Date:"};
  widgets::Label laBIOSDate{GroupBoxSystem, "laBIOSDate", "XXX"};

  widgets::GroupBox GroupBoxVideo{*this, "GroupBoxVideo"};
  widgets::Label LabelScreenSize{GroupBoxVideo, "LabelScreenSize", "Resolution:"};
  widgets::Label laScreenSize{GroupBoxVideo, "laScreenSize", "XXX"};
  widgets::Label LabelBitsPerPixel{GroupBoxVideo, "LabelBitsPerPixel", "BPP:"};
  widgets::Label laBitsPerPixel{GroupBoxVideo, "laBitsPerPixel", "XXX"};
  widgets::Label LabelColors{GroupBoxVideo, "LabelColors", "Color:"};
  widgets::Label laColors{GroupBoxVideo, "laColors", "XXX"};

  widgets::GroupBox GroupBoxMemory{*this, "GroupBoxMemory"};
  widgets::Label LabelFreeMemory{GroupBoxMemory, "LabelFreeMemory", "Free:"};
  widgets::Label laFreeMemory{GroupBoxMemory, "laFreeMemory", "XXX"};
  widgets::Label LabelRAM{GroupBoxMemory, "LabelRAM", "RAM:"};
  widgets::Label laRAM{GroupBoxMemory, "laRAM", "XXX"};
  widgets::Label LabelFreeRAM{GroupBoxMemory, "LabelFreeRAM", "RAM Free:"};
  widgets::Label laFreeRAM{GroupBoxMemory, "laFreeRAM", "XXX"};

  widgets::Button ButtonClose{*this, "ButtonClose", "Close"};

  // The words the language file gives for the values ("MHz", the colours),
  // and the same by their language-file keys, for the language loader.
  SysInfoWords words;
  std::vector<std::pair<std::string, std::string*>> languageTexts();

 private:
  void FormCreate(platform::Services& services);
  void FormShow();
  void ButtonCloseClick();
  // Puts the processor and colour values together from the facts and words.
  void showWords();

  // The four fill steps, in the order FormCreate runs them.
  void fillComputer(const platform::SystemInfo& system, platform::RegistryStore& registry);
  void fillVideo(const platform::SystemInfo& system);
  void fillMemory(const platform::Memory& memory);
  void fillSystem(const platform::SystemInfo& system, platform::RegistryStore& registry);

  // The facts behind the values that carry words, as read at creation.
  std::optional<std::string> processorName_;
  std::optional<std::int32_t> megahertz_;
  std::optional<int> bitsPerPixel_;
};

}  // namespace velmora::sysinfo
