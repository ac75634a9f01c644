#include "sysinfo/form_sys_info.h"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/memory.h"
#include "platform/system_info.h"
#include "registry/registry_object.h"
#include "sysinfo/sys_info_texts.h"

namespace velmora::sysinfo {
namespace {

// Rows inside a group box: below the box's caption, one every 18 pixels, titles
// at the left margin and values in a column of their own. The value columns
// start where the longest title of either language ends, so that no title runs
// into its value.
constexpr int kFirstRowTop = 20;
constexpr int kRowHeight = 18;
constexpr int kTitleLeft = 12;
constexpr int kRightMargin = 8;
constexpr int kWideBoxValueLeft = 124;
constexpr int kNarrowBoxValueLeft = 112;
// Wider than the 474 pixels first drawn for it: the colours ("True-Color / 16
// million colours", about 172 pixels) take one line beside their title, and the
// memory box beside them still holds "1048577 MB". The two boxes side by side
// share the width unevenly.
constexpr int kClientWidth = 520;
constexpr int kBoxWidth = kClientWidth - 17;
constexpr int kVideoBoxWidth = 296;
constexpr int kMemoryBoxLeft = 8 + kVideoBoxWidth + 8;
constexpr int kMemoryBoxWidth = 8 + kBoxWidth - kMemoryBoxLeft;
constexpr int kButtonWidth = 75;

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
constexpr const char* kProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr const char* kSystemKey = "HARDWARE\\DESCRIPTION\\System";
constexpr const char* kBiosSubkey = "BIOS";

// The text or number of a value of the open key; nothing when the value holds
// another type or cannot be read, which leaves its label as it is. A missing
// text value reads as the empty text.
std::optional<std::string> textValue(const registry::TRegistry& reg, const std::string& name) {
  try {
    return reg.ReadText(name);
  } catch (const registry::ERegistryException&) {
    return std::nullopt;
  }
}

std::optional<std::int32_t> numberValue(const registry::TRegistry& reg, const std::string& name) {
  try {
    return reg.ReadNumber(name);
  } catch (const registry::ERegistryException&) {
    return std::nullopt;
  }
}

// Puts a fact on row `row` of its group box. The value label keeps the height of
// its text but not its width: it spans the rest of the row, so that the longer
// text it gets at run time is shown as far as the box allows, and never beyond.
void placeRow(widgets::Label& title, widgets::Label& value, int row, int valueLeft) {
  const int top = kFirstRowTop + row * kRowHeight;
  title.setPosition(kTitleLeft, top);
  value.setAutoSize(false);
  value.setBounds({valueLeft, top, value.parent()->width() - valueLeft - kRightMargin, value.height()});
}

}  // namespace

TFormSysInfo::TFormSysInfo(widgets::Application& app, platform::Services& services)
    : Form(app, "TFormSysInfo") {
  setCaption("System Information");
  setBorderStyle(widgets::BorderStyle::Dialog);
  setClientSize(kClientWidth, 368);
  setPlacement(widgets::FormPlacement::OwnerCenter);

  GroupBoxHardware.setCaption(" Computer ");
  GroupBoxHardware.setBounds({8, 8, kBoxWidth, 97});
  placeRow(LabelCompName, laCompName, 0, kWideBoxValueLeft);
  placeRow(LabelUserName, laUserName, 1, kWideBoxValueLeft);
  placeRow(LabelCPU, laCPU, 2, kWideBoxValueLeft);
  placeRow(LabelFamily, laFamily, 3, kWideBoxValueLeft);

  GroupBoxSystem.setCaption(" System ");
  GroupBoxSystem.setBounds({8, 112, kBoxWidth, 97});
  placeRow(LabelWinDir, laWinDir, 0, kWideBoxValueLeft);
  placeRow(LabelSysDir, laSysDir, 1, kWideBoxValueLeft);
  placeRow(LabelOS, laOS, 2, kWideBoxValueLeft);
  placeRow(LabelBIOSDate, laBIOSDate, 3, kWideBoxValueLeft);

  GroupBoxVideo.setCaption(" Video System ");
  GroupBoxVideo.setBounds({8, 216, kVideoBoxWidth, 97});
  placeRow(LabelScreenSize, laScreenSize, 0, kNarrowBoxValueLeft);
  placeRow(LabelBitsPerPixel, laBitsPerPixel, 1, kNarrowBoxValueLeft);
  placeRow(LabelColors, laColors, 2, kNarrowBoxValueLeft);

  GroupBoxMemory.setCaption(" Memory ");
  GroupBoxMemory.setBounds({kMemoryBoxLeft, 216, kMemoryBoxWidth, 97});
  placeRow(LabelFreeMemory, laFreeMemory, 0, kNarrowBoxValueLeft);
  placeRow(LabelRAM, laRAM, 1, kNarrowBoxValueLeft);
  placeRow(LabelFreeRAM, laFreeRAM, 2, kNarrowBoxValueLeft);

  ButtonClose.setBounds({(kClientWidth - kButtonWidth) / 2, 330, kButtonWidth, 25});
  ButtonClose.onClick = [this] { ButtonCloseClick(); };
  ButtonClose.setDefault(true);
  ButtonClose.setCancel(true);
  onShow = [this] { FormShow(); };
  FormCreate(services);
}

void TFormSysInfo::FormCreate(platform::Services& services) {
  fillComputer(services.system, services.registry);
  fillVideo(services.system);
  fillMemory(services.memory);
  fillSystem(services.system, services.registry);
  showWords();
}

// The language is applied just before the window is shown: the values with
// words in them are put together again in the words of the current language.
void TFormSysInfo::FormShow() { showWords(); }

void TFormSysInfo::showWords() {
  if (processorName_) {
    std::string cpu = *processorName_;
    if (megahertz_) cpu += " (" + std::to_string(*megahertz_) + " " + words.megahertz + ")";
    laCPU.setCaption(cpu);
  }
  if (bitsPerPixel_) laColors.setCaption(colorsText(*bitsPerPixel_, words));
}

void TFormSysInfo::fillComputer(const platform::SystemInfo& system, platform::RegistryStore& store) {
  if (const std::optional<std::string> name = system.computerName()) laCompName.setCaption(*name);
  if (const std::optional<std::string> name = system.userName()) laUserName.setCaption(*name);

  registry::TRegistry reg(store);
  reg.SetRoot(platform::HKEY_LOCAL_MACHINE);
  if (!reg.OpenForRead(kProcessorKey)) return;
  // Without a readable speed the processor's name stands alone.
  processorName_ = textValue(reg, "ProcessorNameString");
  if (processorName_) megahertz_ = numberValue(reg, "~mhz");
  if (const std::optional<std::string> family = textValue(reg, "Identifier")) laFamily.setCaption(*family);
}

void TFormSysInfo::fillVideo(const platform::SystemInfo& system) {
  const platform::ScreenSize screen = system.screenSize();
  laScreenSize.setCaption(std::to_string(screen.width) + " x " + std::to_string(screen.height));
  bitsPerPixel_ = system.displayBitsPerPixel();
  if (bitsPerPixel_) laBitsPerPixel.setCaption(std::to_string(*bitsPerPixel_));
}

void TFormSysInfo::fillMemory(const platform::Memory& memory) {
  const platform::MemoryStatus status = memory.status();
  // "Free:" is the share of physical memory still available, rounded to the
  // nearest percent; the memory load Windows reports is the share in use.
  if (status.totalPhysical != 0)
    laFreeMemory.setCaption(
        std::to_string((status.availablePhysical * 100 + status.totalPhysical / 2) / status.totalPhysical) +
        "%");
  // The total is rounded up by one whole megabyte: Windows reports a little
  // less than is installed.
  laRAM.setCaption(std::to_string(status.totalPhysical / kMiB + 1) + " MB");
  laFreeRAM.setCaption(std::to_string(status.availablePhysical / kMiB) + " MB");
}

void TFormSysInfo::fillSystem(const platform::SystemInfo& system, platform::RegistryStore& store) {
  if (const std::optional<std::string> folder = system.windowsDirectory()) laWinDir.setCaption(*folder);
  if (const std::optional<std::string> folder = system.systemDirectory()) laSysDir.setCaption(*folder);

  const std::optional<platform::OsVersion> version = system.osVersion();
  if (!version) return;
  const std::string title = osTitle(*version);
  laOS.setCaption(title + " Build " + std::to_string(version->build) + " " + version->servicePack);

  const BiosDateSource source = biosDateSource(title);
  if (source == BiosDateSource::None) return;
  registry::TRegistry reg(store);
  reg.SetRoot(platform::HKEY_LOCAL_MACHINE);
  if (!reg.OpenForRead(kSystemKey)) return;
  std::optional<std::string> date;
  if (source == BiosDateSource::SystemKey || reg.HasValue("SystemBiosDate"))
    date = textValue(reg, "SystemBiosDate");
  else if (reg.OpenForRead(kBiosSubkey))
    date = textValue(reg, "BIOSReleaseDate");
  if (date) laBIOSDate.setCaption(*date);
}

std::vector<std::pair<std::string, std::string*>> TFormSysInfo::languageTexts() {
  return {{"FormSysInfo->StringMHz", &words.megahertz},
          {"FormSysInfo->StringColors8Bit", &words.colors[0]},
          {"FormSysInfo->StringColors15Bit", &words.colors[1]},
          {"FormSysInfo->StringColors16Bit", &words.colors[2]},
          {"FormSysInfo->StringColors24Bit", &words.colors[3]},
          {"FormSysInfo->StringColors32Bit", &words.colors[4]}};
}

void TFormSysInfo::ButtonCloseClick() { close(); }

}  // namespace velmora::sysinfo
