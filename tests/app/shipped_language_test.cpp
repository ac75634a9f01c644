// The shipped language files on the real windows: every menu can be worked from
// the keyboard in both languages, and the words the windows put into their values
// are the files' own.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "main_window_fixture.h"
#include "registry/registry_object.h"

namespace velmora::app::testing {
namespace {

std::string shippedFile(const std::string& language) {
  const std::string path = std::string(VELMORA_LANGUAGE_DIR) + "/" + language + ".ini";
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// The letters a caption marks with "&" ("&&" is an ampersand), each as its code
// point in lower case, Latin and Cyrillic alike: Alt with either case presses it.
std::vector<char32_t> accessKeys(const std::string& caption) {
  std::vector<char32_t> keys;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[++i] == '&') continue;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(caption[at]) & 0x3Fu; };
    const auto lead = static_cast<unsigned char>(caption[i]);
    char32_t c = lead;
    if (lead >= 0xC0 && i + 1 < caption.size()) c = (char32_t{lead & 0x1Fu} << 6) | byte(i + 1);
    if (c >= U'A' && c <= U'Z') c += 0x20;
    if (c >= U'А' && c <= U'Я') c += 0x20;
    if (c == U'Ё') c = U'ё';
    keys.push_back(c);
  }
  return keys;
}

class ShippedLanguageTest : public MainWindowTest {
 protected:
  TForm1& createInLanguage(const std::string& language) {
    machine.textFiles.put(kSettingsPath, "[Options]\r\nfirstStart=0\r\nLanguage=" + language + "\r\n");
    contents = shippedFile(language);
    putLanguageFile(language, contents);
    return createWithLanguageFiles();
  }
  std::string text(const std::string& key) {
    machine.textFiles.put("C:\\shipped.ini", contents);
    return platform::ProfileFile(machine.textFiles, "C:\\shipped.ini").readString("Interface", key, "");
  }

  std::string contents;
};

TEST_F(ShippedLanguageTest, EveryMenuItemHasAnAccessKeyOfItsOwnInItsMenuAndNoWindowRepeatsOne) {
  for (const char* language : {"English", "Russian"}) {
    SCOPED_TRACE(language);
    TForm1& window = createInLanguage(language);
    ASSERT_FALSE(contents.empty()) << "the shipped file is read";

    // The menu bar, every submenu at any depth, and the tray's menu.
    std::vector<const std::vector<widgets::MenuItem*>*> menus = {&window.MainMenu1.items(),
                                                                 &window.PopupMenuTray.items()};
    for (std::size_t m = 0; m < menus.size(); ++m)
      for (const widgets::MenuItem* item : *menus[m])
        if (!item->items().empty()) menus.push_back(&item->items());
    for (const auto* items : menus) {
      std::set<char32_t> taken;
      for (const widgets::MenuItem* item : *items) {
        if (item->caption() == "-") continue;
        const std::vector<char32_t> keys = accessKeys(item->caption());
        EXPECT_EQ(keys.size(), 1u) << item->name() << " \"" << item->caption() << "\"";
        if (keys.size() == 1) {
          EXPECT_TRUE(taken.insert(keys[0]).second) << item->name() << " repeats its key";
        }
      }
    }

    // Buttons and check boxes of a window that have an access key each have
    // their own.
    for (const auto& [name, secondary] : window.languageTargets().windows) {
      std::set<char32_t> taken;
      for (const widgets::Component* component : secondary->components()) {
        const auto* control = dynamic_cast<const widgets::Control*>(component);
        if (!control || !control->tabStop()) continue;
        for (char32_t key : accessKeys(control->caption())) {
          EXPECT_TRUE(taken.insert(key).second) << name << "->" << control->name() << " repeats its key";
        }
      }
    }
    TearDown();
  }
}

TEST_F(ShippedLanguageTest, TheWordsInTheWindowsValuesAreTheLanguageFilesOwn) {
  machine.system.bitsPerPixel = 24;
  registry::TRegistry processor(machine.registry);
  processor.SetRoot(platform::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(processor.Open("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", true));
  processor.WriteText("ProcessorNameString", "Some CPU");
  processor.WriteNumber("~MHz", 2400);
  machine.internet.isConnected = true;

  for (const char* language : {"English", "Russian"}) {
    SCOPED_TRACE(language);
    TForm1& window = createInLanguage(language);
    for (const char* key :
         {"FormSysInfo->StringMHz", "FormSysInfo->StringColors24Bit", "StringCantReadReply"})
      EXPECT_NE(text(key), "") << key;

    // The System Information window, as its menu command shows it.
    std::string cpu, colors, reply;
    h.backend().onModal = [&](widgets::Form& shown) {
      if (&shown == window.FormSysInfo.get()) {
        cpu = window.FormSysInfo->laCPU.caption();
        colors = window.FormSysInfo->laColors.caption();
      } else {
        while (window.updateChecker().UpdateBusy()) h.app.processMessages();
        reply = window.FormUpdate->LabelText.caption();
      }
      shown.userClose();
    };
    window.MSysInfo.click();
    EXPECT_EQ(cpu, "Some CPU (2400 " + text("FormSysInfo->StringMHz") + ")");
    EXPECT_EQ(colors, text("FormSysInfo->StringColors24Bit"));

    // An update server that answers with an error page.
    machine.internet.serve(window.ServerRoot + "/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner",
                           "<html>Not Found</html>", 404);
    window.Timer1.tick();
    window.MCheckUpdate.click();
    EXPECT_EQ(reply, text("StringCantReadReply"));
    TearDown();
  }
}

}  // namespace
}  // namespace velmora::app::testing
