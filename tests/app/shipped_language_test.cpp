// The shipped language files on the real windows: every menu item, and every
// button and check box that has one, has an access key of its own there, and
// the System Information words are the files' own.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "main_window_fixture.h"

namespace velmora::app::testing {
namespace {

// Adds the letter after each single "&" to taken, lower-cased in Latin and
// Cyrillic alike; how many there were, or -1 when one was taken already.
int takeAccessKeys(const std::string& caption, std::set<char32_t>& taken) {
  int count = 0;
  for (std::size_t i = caption.find('&'); i != std::string::npos && i + 1 < caption.size();
       i = caption.find('&', i + 2)) {
    auto c = static_cast<char32_t>(static_cast<unsigned char>(caption[i + 1]));
    if (c >= 0xC0 && i + 2 < caption.size()) c = ((c & 0x1F) << 6) | (caption[i + 2] & 0x3F);
    if (c == '&') continue;
    if (!taken.insert((c >= U'A' && c <= U'Z') || (c >= U'А' && c <= U'Я') ? c + 0x20 : c).second) return -1;
    ++count;
  }
  return count;
}

TEST_F(MainWindowTest, TheShippedLanguagesGiveAccessKeysOfTheirOwnAndTheSystemInformationWords) {
  machine.system.bitsPerPixel = 24;
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
        EXPECT_TRUE(item->caption() == "-" || takeAccessKeys(item->caption(), taken) == 1) << item->caption();
      }
    }
    for (const auto& [name, window] : form->languageTargets().windows) {
      std::set<char32_t> taken;
      for (const widgets::Component* c : window->components()) {
        const auto* control = dynamic_cast<const widgets::Control*>(c);
        EXPECT_NE(takeAccessKeys(control && control->tabStop() ? control->caption() : "", taken), -1)
            << language << " " << name << "->" << c->name();
      }
    }
    const platform::ProfileFile file(machine.textFiles, languageFilePath(form->ProgramFolder, language));
    const auto text = [&](const char* key) { return file.readString("Interface", key, "(none)"); };
    form->FormSysInfo->show();
    EXPECT_EQ(form->FormSysInfo->laColors.caption(), text("FormSysInfo->StringColors24Bit"));
    EXPECT_EQ(form->messages["StringCantReadReply"], text("StringCantReadReply"));
  }
}

}  // namespace
}  // namespace velmora::app::testing
