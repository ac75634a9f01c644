#include <gtest/gtest.h>

#include <vector>

#include "headless_app.h"
#include "widgets/form.h"
#include "widgets/menu.h"
#include "widgets/tray_icon.h"

namespace velmora::widgets {
namespace {

TEST(Shortcut, ReadsAndWritesTheUsualForms) {
  EXPECT_EQ(Shortcut::parse("Ctrl+O"), (Shortcut{'O', true, false, false}));
  EXPECT_EQ(Shortcut::parse("ctrl+shift+o"), (Shortcut{'O', true, true, false}));
  EXPECT_EQ(Shortcut::parse("Alt+F4"), (Shortcut{keys::F1 + 3, false, false, true}));
  EXPECT_EQ(Shortcut::parse("F12").key, keys::F1 + 11);
  EXPECT_EQ(Shortcut::parse("Shift+Del"), (Shortcut{keys::Delete, false, true, false}));
  EXPECT_TRUE(Shortcut::parse("").empty());
  EXPECT_TRUE(Shortcut::parse("Ctrl+").empty());
  EXPECT_TRUE(Shortcut::parse("Hyper+O").empty());
  EXPECT_TRUE(Shortcut::parse("F13").empty());
  EXPECT_TRUE(Shortcut::parse("Ctrl+OO").empty());
  for (const char* text : {"Ctrl+O", "Ctrl+Shift+Alt+7", "F1", "Shift+Del", "Esc"})
    EXPECT_EQ(Shortcut::parse(text).text(), text);
}

class MenuTest : public ::testing::Test {
 protected:
  MenuTest() {
    MSettings.setShortcut(Shortcut::parse("Ctrl+O"));
    MLangEnglish.setChecked(true);
    MContents.setVisible(false);
    MContents.setShortcut(Shortcut::parse("F1"));
    for (MenuItem* item : {&MExit, &MSettings, &MLangEnglish, &MLangRussian, &MContents, &MAbout})
      item->onClick = [this, item] { clicked.push_back(item->name()); };
  }

  testing::HeadlessApp h;
  Form form{h.app, "TForm1"};
  MainMenu MainMenu1{form, "MainMenu1"};
  MenuItem MFile{MainMenu1, "MFile", "File"};
  MenuItem MExit{MFile, "MExit", "Exit"};
  MenuItem MOptions{MainMenu1, "MOptions", "Options"};
  MenuItem MSettings{MOptions, "MSettings", "Settings"};
  MenuItem MLanguage{MOptions, "MLanguage", "Language"};
  MenuItem MLangEnglish{MLanguage, "MLangEnglish", "English"};
  MenuItem MLangRussian{MLanguage, "MLangRussian", "Russian"};
  MenuItem N1{MOptions, "N1", "-"};
  MenuItem MHelp{MainMenu1, "MHelp", "Help"};
  MenuItem MContents{MHelp, "MContents", "Contents"};
  MenuItem MAbout{MHelp, "MAbout", "About Program"};
  std::vector<std::string> clicked;
};

TEST_F(MenuTest, ItemsFormATreeWithSeparatorsAndChecks) {
  EXPECT_EQ(form.menu(), &MainMenu1);
  ASSERT_EQ(MainMenu1.items().size(), 3u);
  EXPECT_EQ(MOptions.items(), (std::vector<MenuItem*>{&MSettings, &MLanguage, &N1}));
  EXPECT_TRUE(N1.isSeparator());
  EXPECT_EQ(MLangRussian.parentItem(), &MLanguage);
  EXPECT_TRUE(MLangEnglish.checked());
  EXPECT_EQ(form.find<MenuItem>("MLangRussian"), &MLangRussian);
}

TEST_F(MenuTest, ShortcutsClickOnlyItemsTheUserCouldChoose) {
  EXPECT_TRUE(form.userShortcut(Shortcut::parse("Ctrl+O")));
  EXPECT_FALSE(form.userShortcut(Shortcut::parse("F1"))) << "a hidden item has no working shortcut";
  EXPECT_FALSE(form.userShortcut(Shortcut::parse("Ctrl+P")));
  MOptions.setEnabled(false);
  EXPECT_FALSE(form.userShortcut(Shortcut::parse("Ctrl+O"))) << "nor has an item under a disabled menu";
  MOptions.setEnabled(true);
  MSettings.setEnabled(false);
  MSettings.click();
  EXPECT_EQ(clicked, (std::vector<std::string>{"MSettings"}));
}

TEST_F(MenuTest, TrayIconOpensItsMenuOnTheRightButtonAndReportsDoubleClicks) {
  PopupMenu popup(form, "PopupMenuTray");
  MenuItem restore(popup, "PMRestore", "Restore");
  TrayIcon tray(form, "StTrayIcon1");
  tray.setPopupMenu(&popup);
  int opened = 0;
  int rightClicks = 0;
  int doubleClicks = 0;
  popup.onPopup = [&] { ++opened; };
  tray.onRightClick = [&] { ++rightClicks; };
  tray.onDoubleClick = [&] { ++doubleClicks; };

  tray.userRightButtonDown({1000, 740});
  EXPECT_EQ(rightClicks, 1);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(popup.popupPoint(), (Point{1000, 740}));
  tray.userDoubleClick();
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace velmora::widgets
