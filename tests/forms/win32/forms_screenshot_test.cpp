// The six secondary windows realized under Wine: a screenshot of each with its
// designed English captions and again with the Russian language file applied,
// and in both languages a check that no caption is cut off and no two controls
// overlap.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/form_about.h"
#include "app/form_language.h"
#include "app/language_loader.h"
#include "fakes/fake_shell.h"
#include "junk/form_settings.h"
#include "longest_facts_machine.h"
#include "memory/form_memory.h"
#include "platform/profile_file.h"
#include "platform/services.h"
#include "platform/win32/text_encoding_win32.h"
#include "platform/win32/text_files_win32.h"
#include "platform/win32/wide.h"
#include "screenshot.h"
#include "sysinfo/form_sys_info.h"
#include "update/form_update.h"
#include "widgets/application.h"
#include "widgets/label.h"
#include "widgets/page_control.h"
#include "widgets/win32/win32_backend.h"

namespace velmora::forms {
namespace {

using platform::win32::narrow;

// Room a control needs beside its caption's text: a check box's box and gap, a
// button's frame.
constexpr int kCheckBoxRoom = 18;
constexpr int kButtonRoom = 8;

// A Linux path as Wine shows it, on drive Z:.
std::string windowsPath(const std::string& linuxPath) {
  std::string path = "Z:";
  for (char c : linuxPath) path += c == '/' ? '\\' : c;
  return path;
}

class FormsScreenshotTest : public ::testing::Test {
 protected:
  FormsScreenshotTest() : app(std::make_unique<widgets::win32::Win32Backend>()) {
    app.setTitle("Velmora Disk Cleaner 1.3");
  }

  void pump() {
    for (int i = 0; i < 10; ++i) {
      app.processMessages();
      // Wine hands what a window painted to the X server a little later, while
      // the thread waits for messages.
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
    }
  }

  // Shows the form, saves what the screen shows of it, and hides it again;
  // beforeShot runs once the form is shown (it may change the page).
  void shoot(widgets::Form& form, const std::string& name, const std::function<void()>& beforeShot = {}) {
    form.show();
    if (beforeShot) beforeShot();
    HWND hwnd = reinterpret_cast<HWND>(form.peer()->nativeHandle());
    SetForegroundWindow(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    pump();
    int colours = 0;
    const std::wstring path =
        widgets::testing::outputFolder() + L"\\forms_" + platform::win32::widen(name) + L".bmp";
    EXPECT_TRUE(widgets::testing::saveWindowBitmap(hwnd, path, colours)) << narrow(path);
    EXPECT_GT(colours, 8) << name << ": the capture shows a drawn window, not a blank area";
    form.hide();
    pump();
  }

  // Every caption fits its control, every control lies inside its parent, and
  // no two controls side by side overlap (the pages of a page control lie on
  // top of one another by design).
  void expectEverythingFits(const widgets::Form& form) {
    SCOPED_TRACE(form.name());
    for (widgets::Component* component : form.components()) {
      const auto* control = dynamic_cast<const widgets::Control*>(component);
      if (control == nullptr || !control->visible() || control->parent() == nullptr) continue;
      SCOPED_TRACE(control->name());
      const widgets::Control& parent = *control->parent();
      // A form places its controls in its client area, any other control in
      // all of itself.
      const widgets::Rect area = parent.parent() == nullptr
                                     ? parent.clientArea()
                                     : widgets::Rect{0, 0, parent.width(), parent.height()};
      EXPECT_GE(control->left(), 0);
      EXPECT_GE(control->top(), 0);
      EXPECT_LE(control->bounds().right(), area.width);
      EXPECT_LE(control->bounds().bottom(), area.height);

      const widgets::Size text = app.backend().measureText(control->font(), control->caption());
      if (dynamic_cast<const widgets::Label*>(control)) {
        // A label of several lines' height wraps its text onto them.
        const int lines = text.height > 0 ? std::max(control->height() / text.height, 1) : 1;
        EXPECT_LE(text.width, lines * control->width()) << '"' << control->caption() << '"';
      } else if (dynamic_cast<const widgets::CheckBox*>(control)) {
        EXPECT_LE(text.width + kCheckBoxRoom, control->width()) << '"' << control->caption() << '"';
      } else if (dynamic_cast<const widgets::Button*>(control)) {
        EXPECT_LE(text.width + kButtonRoom, control->width()) << '"' << control->caption() << '"';
      }

      if (dynamic_cast<const widgets::PageControl*>(&parent)) continue;
      for (const widgets::Control* sibling : parent.children()) {
        if (sibling == control || !sibling->visible()) continue;
        const widgets::Rect a = control->bounds();
        const widgets::Rect b = sibling->bounds();
        const bool overlap =
            a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
        EXPECT_FALSE(overlap) << "overlaps " << sibling->name();
      }
    }
  }

  widgets::Application app;
  fakes::FakeShell shell;
  testing::LongestFactsMachine machine;
  platform::Services& services = machine.services();
  app::TFormLanguage formLanguage{app};
  app::TFormAbout formAbout{app, shell};
  junk::TFormSettings formSettings{app};
  memory::TFormMemory formMemory{app, services.memory};
  sysinfo::TFormSysInfo formSysInfo{app, services};
  update::TFormUpdate formUpdate{app};
};

TEST_F(FormsScreenshotTest, EveryWindowInEnglishAndInRussian) {
  const std::vector<std::pair<widgets::Form*, std::string>> windows = {
      {&formLanguage, "language"}, {&formAbout, "about"},     {&formSettings, "settings"},
      {&formMemory, "memory"},     {&formSysInfo, "sysinfo"}, {&formUpdate, "update"}};
  formSettings.ListViewJunk.addRow({"tmp", "Temporary files"}, true);
  formSettings.ListViewJunk.addRow({"Thumbs.db", "Thumbnail cache"}, true);
  formMemory.TimerMem.tick();
  ASSERT_EQ(formMemory.LabelRamFree.caption(), "1048576 Mb (100%)");
  ASSERT_EQ(formSysInfo.laColors.caption(), "True-Color / 16 млн цветов");

  const auto junkPage = [&] { formSettings.PageControl1.setActivePage(formSettings.TabSheetJunk); };
  for (auto& [form, name] : windows) {
    expectEverythingFits(*form);
    shoot(*form, name + "_en");
  }
  shoot(formSettings, "settings_junk_en", junkPage);

  // The About window's picture is a static control holding the application's
  // icon at the size the window was designed with.
  HWND icon = reinterpret_cast<HWND>(formAbout.ProgramIcon.peer()->nativeHandle());
  EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
  RECT iconRect{};
  GetClientRect(icon, &iconRect);
  EXPECT_EQ(iconRect.right, 32);
  EXPECT_EQ(iconRect.bottom, 32);

  platform::Win32TextEncoding encoding;
  platform::Win32TextFiles files(encoding);
  app::LanguageTargets targets;
  targets.windows = {{"FormMemory", &formMemory},
                     {"FormSettings", &formSettings},
                     {"FormSysInfo", &formSysInfo},
                     {"FormUpdate", &formUpdate},
                     {"FormAbout", &formAbout}};
  targets.checkingForUpdatesText = &formUpdate.StringCheckingForUpdates;
  app::applyLanguageFile(platform::ProfileFile(files, windowsPath(VELMORA_LANGUAGE_DIR) + "\\Russian.ini"),
                         targets);
  ASSERT_EQ(formSysInfo.caption(), "Сведения о системе") << "the Russian file was read";

  formUpdate.LabelText.setCaption(formUpdate.StringCheckingForUpdates);
  formUpdate.LabelLink.setCaption("");
  formUpdate.CentreLabels();

  for (auto& [form, name] : windows) {
    expectEverythingFits(*form);
    shoot(*form, name + "_ru");
  }
  shoot(formSettings, "settings_junk_ru", junkPage);
}

}  // namespace
}  // namespace velmora::forms
