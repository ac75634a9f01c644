#include "app/language_keys.h"

#include <algorithm>
#include <array>

#include "app/message_texts.h"

namespace velmora::app {
namespace {

// The main window's menus, pages, buttons and list columns.
constexpr std::array<std::string_view, 59> kMainWindowCaptions = {
    "MFile->Caption",
    "MRestore->Caption",
    "MExit->Caption",
    "MOptions->Caption",
    "MSettings->Caption",
    "MLanguage->Caption",
    "MLangEnglish->Caption",
    "MLangRussian->Caption",
    "MFreeMemory->Caption",
    "MSysInfo->Caption",
    "MHelp->Caption",
    "MContents->Caption",
    "MCheckUpdate->Caption",
    "MAbout->Caption",
    "PMRestore->Caption",
    "PMFreeRam->Caption",
    "PMClose->Caption",
    "TabSheetCleanFiles->Caption",
    "ButtonSearchFiles->Caption",
    "ButtonCheckFiles->Caption",
    "ButtonUncheckFiles->Caption",
    "ButtonDeleteFiles->Caption",
    "ListViewFiles->Column[0]->Caption",
    "ListViewFiles->Column[1]->Caption",
    "ListViewTypesFiles->Column[0]->Caption",
    "ListViewTypesFiles->Column[1]->Caption",
    "ButtonTypesCheck->Caption",
    "ButtonTypesUncheck->Caption",
    "ListViewDrives->Column[0]->Caption",
    "ListViewDrives->Column[1]->Caption",
    "TabSheetCleanReg->Caption",
    "ListViewTypesReg->Column[0]->Caption",
    "ButtonRegCheck->Caption",
    "ButtonRegUncheck->Caption",
    "ButtonSearchReg->Caption",
    "ButtonCheckReg->Caption",
    "ButtonUncheckReg->Caption",
    "ButtonDeleteReg->Caption",
    "ListViewReg->Column[0]->Caption",
    "ListViewReg->Column[1]->Caption",
    "ListViewReg->Column[2]->Caption",
    "ListViewReg->Column[3]->Caption",
    "TabSheetCleanStartup->Caption",
    "ListViewStartup->Column[0]->Caption",
    "ListViewStartup->Column[1]->Caption",
    "ListViewStartup->Column[2]->Caption",
    "ListViewStartup->Column[3]->Caption",
    "ListViewStartup->Column[4]->Caption",
    "ButtonSearchStartup->Caption",
    "ButtonDisableStartup->Caption",
    "ButtonDeleteStartup->Caption",
    "TabSheetCleanUninstall->Caption",
    "ListViewUninstall->Column[0]->Caption",
    "ListViewUninstall->Column[1]->Caption",
    "ListViewUninstall->Column[2]->Caption",
    "ListViewUninstall->Column[3]->Caption",
    "ButtonSearchUninstall->Caption",
    "ButtonDeleteUninstall->Caption",
    "ButtonUninstall->Caption",
};

// The secondary windows' captions and texts, each under its form's name.
constexpr std::array<std::string_view, 85> kSecondaryWindowKeys = {
    "FormMemory->Caption",
    "FormMemory->LabelRamTotalTitle->Caption",
    "FormMemory->LabelRamFreeTitle->Caption",
    "FormMemory->LabelTryFree->Caption",
    "FormMemory->LabelElapsedTime->Caption",
    "FormMemory->cbAutoDefrag->Caption",
    "FormMemory->ButtonClean->Caption",
    "FormMemory->ButtonAbort->Caption",
    "FormSettings->Caption",
    "FormSettings->TabSheetGeneral->Caption",
    "FormSettings->cbCheckUpdate->Caption",
    "FormSettings->cbRecycle->Caption",
    "FormSettings->GroupBoxSchedule->Caption",
    "FormSettings->LabelSchedule->Caption",
    "FormSettings->LabelScheduleTime->Caption",
    "FormSettings->LabelScheduleDay->Caption",
    "FormSettings->TabSheetJunk->Caption",
    "FormSettings->ListViewJunk->Column[0]->Caption",
    "FormSettings->ListViewJunk->Column[1]->Caption",
    "FormSettings->TabSheetJunkExclusions->Caption",
    "FormSettings->StringScheduleKinds",
    "FormSettings->StringScheduleOther",
    "FormSettings->StringScheduleDays",
    "FormSettings->StringLastRun",
    "FormSettings->StringNoChoices",
    "FormSettings->StringBadTime",
    "FormSettings->StringScheduleFailed",
    "FormSettings->StringScheduleUnreadable",
    "FormSysInfo->Caption",
    "FormSysInfo->GroupBoxHardware->Caption",
    "FormSysInfo->LabelCompName->Caption",
    "FormSysInfo->LabelUserName->Caption",
    "FormSysInfo->LabelCPU->Caption",
    "FormSysInfo->LabelFamily->Caption",
    "FormSysInfo->GroupBoxVideo->Caption",
    "FormSysInfo->LabelScreenSize->Caption",
    "FormSysInfo->LabelBitsPerPixel->Caption",
    "FormSysInfo->LabelColors->Caption",
    "FormSysInfo->GroupBoxMemory->Caption",
    "FormSysInfo->LabelFreeMemory->Caption",
    "FormSysInfo->LabelRAM->Caption",
    "FormSysInfo->LabelFreeRAM->Caption",
    "FormSysInfo->GroupBoxSystem->Caption",
    "FormSysInfo->LabelWinDir->Caption",
    "FormSysInfo->LabelSysDir->Caption",
    "FormSysInfo->LabelOS->Caption",
    "FormSysInfo->LabelBIOSDate->Caption",
    "FormSysInfo->ButtonClose->Caption",
    "FormSysInfo->StringMHz",
    "FormSysInfo->StringColors8Bit",
    "FormSysInfo->StringColors15Bit",
    "FormSysInfo->StringColors16Bit",
    "FormSysInfo->StringColors24Bit",
    "FormSysInfo->StringColors32Bit",
    "FormUpdate->Caption",
    "FormUpdate->ButtonClose->Caption",
    "FormUpdate->ButtonCheck->Caption",
    "FormUpdate->StringCheckingForUpdates",
    "FormAbout->Caption",
    "FormAbout->LabelAbout->Caption",
    "FormAbout->LabelAuthor->Caption",
    "FormAbout->LabelSite->Caption",
    "FormRestore->Caption",
    "FormRestore->ListViewBackups->Column[0]->Caption",
    "FormRestore->ListViewBackups->Column[1]->Caption",
    "FormRestore->ListViewBackups->Column[2]->Caption",
    "FormRestore->ListViewBackups->Column[3]->Caption",
    "FormRestore->ButtonRestore->Caption",
    "FormRestore->ButtonDelete->Caption",
    "FormRestore->ButtonClose->Caption",
    "FormRestore->StringRestoreQuestion",
    "FormRestore->StringDeleteQuestion",
    "FormRestore->StringRestored",
    "FormRestore->StringNotRestored",
    "FormRestore->StringAccessRefused",
    "FormRestore->StringDamaged",
    "FormRestore->StringCantDelete",
    "FormRestore->StringForeign",
    "FormRestore->StringChangedQuestion",
    "FormRestore->StringMore",
    "FormRestore->StringUnchanged",
    "FormRestore->StringChanged",
    "FormRestore->StringFileNotRestored",
    "FormRestore->StringReplacedSaved",
    "FormRestore->StringReplacedNotSaved",
};

// The message texts come from the list MessageTexts keeps, so that a key added
// there is read from the language files without a second list to update.
constexpr auto kKeys = [] {
  std::array<std::string_view, kMainWindowCaptions.size() + MessageTexts::kKeys.size() +
                                   kSecondaryWindowKeys.size()>
      keys{};
  auto next = std::copy(kMainWindowCaptions.begin(), kMainWindowCaptions.end(), keys.begin());
  next = std::copy(MessageTexts::kKeys.begin(), MessageTexts::kKeys.end(), next);
  std::copy(kSecondaryWindowKeys.begin(), kSecondaryWindowKeys.end(), next);
  return keys;
}();

}  // namespace

std::span<const std::string_view> languageKeys() { return kKeys; }

}  // namespace velmora::app
