#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "app/language_keys.h"
#include "app/language_loader.h"
#include "main_window_fixture.h"

namespace velmora::app::testing {
namespace {

constexpr const char* kRussian =
    "[Interface]\r\n"
    "MFile->Caption=Файл\r\n"
    "ButtonSearchFiles->Caption=Поиск\r\n"
    "StringFoundFiles=\"Найдено: \"\r\n"
    "StringTotalSpace=\"Всего: \"\r\n"
    "StringJunkFiles=Мусор\r\n"
    "StringMuiCache=Кэш MUI\r\n"
    "FormMemory->ButtonClean->Caption=Очистить\r\n";

class LanguageSwitchTest : public MainWindowTest {};

TEST_F(LanguageSwitchTest, WithoutLanguageFilesTheDesignedCaptionsStayAndMessagesAreEmpty) {
  createWithLanguageFiles();
  EXPECT_EQ(form->MFile.caption(), "File");
  EXPECT_EQ(form->ButtonSearchFiles.caption(), "Search");
  EXPECT_EQ(form->FormMemory->ButtonClean.caption(), "Clean");
  for (auto key : MessageTexts::kKeys) EXPECT_EQ(form->messages[key], "") << key;
  EXPECT_TRUE(form->MLangEnglish.checked());
  EXPECT_FALSE(form->MLangRussian.checked());
}

TEST_F(LanguageSwitchTest, ASwitchRecaptionsEveryWindowAndKeepsTextsTheNewFileLacks) {
  putLanguageFile("Russian", kRussian);
  putLanguageFile("English", "[Interface]\r\nMFile->Caption=File\r\nStringJunkFiles=Junk files\r\n");
  createWithLanguageFiles();
  form->ListViewTypesFiles.setChecked(0, false);
  form->MLangRussian.click();
  EXPECT_EQ(form->CurrentLanguage, "Russian");
  EXPECT_TRUE(form->MLangRussian.checked());
  EXPECT_FALSE(form->MLangEnglish.checked());
  EXPECT_EQ(form->MFile.caption(), "Файл");
  EXPECT_EQ(form->FormMemory->ButtonClean.caption(), "Очистить");
  EXPECT_EQ(form->ListViewTypesFiles.rowCaption(0), "Мусор");
  EXPECT_EQ(form->ListViewTypesReg.rowCaption(7), "Кэш MUI");
  EXPECT_FALSE(form->ListViewTypesFiles.checked(0));  // check marks are not touched
  EXPECT_TRUE(form->ListViewTypesFiles.checked(1));

  form->MLangEnglish.click();
  EXPECT_EQ(form->MFile.caption(), "File");
  EXPECT_EQ(form->ListViewTypesFiles.rowCaption(0), "Junk files");
  // The English file lacks these keys: the Russian texts stay.
  EXPECT_EQ(form->ButtonSearchFiles.caption(), "Поиск");
  EXPECT_EQ(form->messages["StringFoundFiles"], "Найдено: ");
}

TEST_F(LanguageSwitchTest, AShownSummaryIsRebuiltAndAnEmptyStatusLineStaysEmpty) {
  putLanguageFile("Russian", kRussian);
  putLanguageFile("English",
                  "[Interface]\r\nStringFoundFiles=\"Found: \"\r\nStringTotalSpace=\"Total: \"\r\n");
  createWithLanguageFiles();
  form->MLangEnglish.click();
  form->MLangRussian.click();
  EXPECT_EQ(form->StatusBar1.simpleText(), "");
  form->StatusBar1.setSimpleText("something");
  form->MLangEnglish.click();
  EXPECT_EQ(form->StatusBar1.simpleText(), "Found: 0 Total: 0 Kb.");
}

TEST_F(LanguageSwitchTest, AnUnknownLanguageOpensItsOwnFileAndChecksNeitherItem) {
  machine.textFiles.put(kSettingsPath, "[Options]\r\nLanguage=German\r\nfirstStart=0\r\n");
  putLanguageFile("German", "[Interface]\r\nMFile->Caption=Datei\r\n");
  createWithLanguageFiles();
  EXPECT_EQ(form->MFile.caption(), "Datei");
  EXPECT_FALSE(form->MLangEnglish.checked());
  EXPECT_FALSE(form->MLangRussian.checked());
}

TEST_F(LanguageSwitchTest, EveryKeyOfTheLanguageFilesReachesAControlOfTheRealWindows) {
  createWithLanguageFiles();
  const LanguageTargets targets = form->languageTargets();
  EXPECT_EQ(applyLanguageFile(platform::ProfileFile(machine.textFiles, "C:\\none.ini"), targets),
            std::vector<std::string>{});
}

// The letter after the caption's one "&", lower-cased in Latin and Cyrillic
// alike; 0 unless there is exactly one.
char32_t accessKey(const std::string& caption) {
  const std::size_t at = caption.find('&');
  if (at == std::string::npos || at + 1 >= caption.size() || caption.find('&', at + 1) != std::string::npos)
    return 0;
  auto c = static_cast<char32_t>(static_cast<unsigned char>(caption[at + 1]));
  if (c >= 0xC0 && at + 2 < caption.size()) c = ((c & 0x1F) << 6) | (caption[at + 2] & 0x3F);
  return (c >= U'A' && c <= U'Z') || (c >= U'А' && c <= U'Я') ? c + 0x20 : c;
}

TEST_F(LanguageSwitchTest, TheShippedFilesGiveEveryMenuItemItsOwnAccessKeyAndTheirOwnWords) {
  for (const std::string language : {"English", "Russian"}) {
    std::stringstream shipped;
    shipped << std::ifstream(std::string(VELMORA_LANGUAGE_DIR) + "/" + language + ".ini").rdbuf();
    putLanguageFile(language, shipped.str());
    createWithLanguageFiles().ApplyLanguage(language);
    std::vector<const std::vector<widgets::MenuItem*>*> menus = {&form->MainMenu1.items(),
                                                                 &form->PopupMenuTray.items()};
    for (std::size_t m = 0; m < menus.size(); ++m) {
      std::set<char32_t> taken;
      for (const widgets::MenuItem* item : *menus[m]) {
        if (!item->items().empty()) menus.push_back(&item->items());
        const char32_t key = accessKey(item->caption());
        EXPECT_TRUE(item->caption() == "-" || (key != 0 && taken.insert(key).second)) << item->caption();
      }
    }
    const platform::ProfileFile file(machine.textFiles, languageFilePath(form->ProgramFolder, language));
    form->FormSysInfo->show();
    EXPECT_EQ(form->FormSysInfo->laColors.caption(),
              file.readString("Interface", "FormSysInfo->StringColors32Bit", "-"));
  }
}

}  // namespace
}  // namespace velmora::app::testing
