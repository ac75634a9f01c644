// The Select Language and About windows as designed, what they do, and the
// language files' keys reaching every secondary window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_about.h"
#include "app/form_language.h"
#include "app/form_restore.h"
#include "app/language_loader.h"
#include "app/secondary_language_targets.h"
#include "designed_controls.h"
#include "fakes/fake_services.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "headless_app.h"
#include "junk/form_settings.h"
#include "memory/form_memory.h"
#include "sysinfo/form_sys_info.h"
#include "update/form_update.h"

namespace velmora::forms {
namespace {

using testing::Designed;
using testing::expectDesigned;

class AppWindowsTest : public ::testing::Test {
 protected:
  widgets::testing::HeadlessApp h;
  fakes::FakeShell shell;
};

TEST_F(AppWindowsTest, SelectLanguageWindowAsDesigned) {
  app::TFormLanguage form(h.app);
  EXPECT_EQ(form.caption(), "Select Language");
  EXPECT_EQ(form.borderStyle(), widgets::BorderStyle::Dialog);
  EXPECT_EQ(form.clientWidth(), 162);
  EXPECT_EQ(form.clientHeight(), 92);
  EXPECT_EQ(form.placement(), widgets::FormPlacement::DesktopCenter);
  const Designed table[] = {
      {"LabelLang", "Select language:"},
      {"ComboBoxLang", ""},
      {"ButtonOk", "Ok"},
  };
  expectDesigned(form, table);
  EXPECT_EQ(form.ComboBoxLang.items(), (std::vector<std::string>{"English", "Russian"}));
}

// Ok and the close box both apply the selected language, once, and close the
// window; every showing starts from English again.
TEST_F(AppWindowsTest, SelectLanguageAppliesTheChoiceOnceByOkAndByTheCloseBox) {
  app::TFormLanguage form(h.app);
  std::vector<std::string> chosen;
  form.onLanguageChosen = [&](const std::string& language) { chosen.push_back(language); };
  std::vector<std::string> selectedOnShow;
  bool byOk = true;
  h.backend().onModal = [&](widgets::Form&) {
    selectedOnShow.push_back(form.ComboBoxLang.text());
    form.ComboBoxLang.userSelect(1);
    if (byOk)
      form.ButtonOk.click();
    else
      form.userClose();
  };

  form.showModal();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Russian"}));
  EXPECT_FALSE(form.visible());

  byOk = false;
  form.showModal();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Russian", "Russian"}));
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(selectedOnShow, (std::vector<std::string>{"English", "English"}));
}

TEST_F(AppWindowsTest, AboutWindowAsDesigned) {
  app::TFormAbout form(h.app, shell);
  EXPECT_EQ(form.caption(), "About Program");
  EXPECT_EQ(form.borderStyle(), widgets::BorderStyle::Dialog);
  EXPECT_EQ(form.clientWidth(), 329);
  EXPECT_EQ(form.clientHeight(), 170);
  EXPECT_EQ(form.placement(), widgets::FormPlacement::ScreenCenter);
  const Designed table[] = {
      {"Panel1", ""},
      {"ProgramIcon", "", {-1, -1, 32, 32}},
      {"LabelTitle", "Velmora Disk Cleaner 1.3"},
      {"LabelAbout", "clean your drive from junk files"},
      {"LabelAuthor", "Written by the Velmora team"},
      {"LabelEmail", "support@velmora.example"},
      {"LabelSite", "http://velmora.example/velmora_disk_cleaner.shtml"},
      {"OKButton", "OK"},
  };
  expectDesigned(form, table);
  EXPECT_NE(form.Panel1.bevel(), widgets::Bevel::None);
  EXPECT_EQ(form.ProgramIcon.parent(), &form.Panel1);
  struct Look {
    const widgets::Label& label;
    bool bold;
    bool underline;
    widgets::Color color;
  };
  for (const Look& l : {Look{form.LabelTitle, true, false, widgets::colors::navy},
                        Look{form.LabelAbout, false, false, widgets::colors::maroon},
                        Look{form.LabelAuthor, true, false, widgets::colors::navy},
                        Look{form.LabelEmail, true, false, widgets::colors::teal},
                        Look{form.LabelSite, false, true, widgets::colors::blue}}) {
    SCOPED_TRACE(l.label.name());
    EXPECT_EQ(l.label.parent(), &form.Panel1);
    EXPECT_EQ(l.label.font().bold, l.bold);
    EXPECT_EQ(l.label.font().underline, l.underline);
    EXPECT_EQ(l.label.font().color, l.color);
    EXPECT_LE(l.label.bounds().right(), form.Panel1.width());
  }
  EXPECT_TRUE(form.OKButton.isDefault());
}

TEST_F(AppWindowsTest, AboutOkClosesWithTheOkResult) {
  app::TFormAbout form(h.app, shell);
  h.backend().onModal = [&](widgets::Form&) { form.OKButton.click(); };
  EXPECT_EQ(form.showModal(), widgets::ModalResult::Ok);
  EXPECT_FALSE(form.visible());
}

TEST_F(AppWindowsTest, AboutLinkTurnsRedUnderThePointerBlueOverThePanelAndOpensOnMouseDown) {
  app::TFormAbout form(h.app, shell);
  EXPECT_EQ(form.LabelSite.cursor(), widgets::Cursor::HandPoint);
  form.LabelSite.userMouseMove({3, 4});
  EXPECT_EQ(form.LabelSite.font().color, widgets::colors::red);
  EXPECT_TRUE(form.LabelSite.font().underline) << "only the colour changes";
  form.Panel1.userMouseMove({200, 60});
  EXPECT_EQ(form.LabelSite.font().color, widgets::colors::blue);
  EXPECT_TRUE(shell.opened().empty());

  // The link opens whatever address the language file gave it.
  form.LabelSite.setCaption("http://velmora.example/ru/velmora_disk_cleaner.shtml");
  form.LabelSite.userMouseDown(widgets::MouseButton::Left, {3, 4});
  const auto opened = shell.opened();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].verb, "");
  EXPECT_EQ(opened[0].file, "http://velmora.example/ru/velmora_disk_cleaner.shtml");
  EXPECT_EQ(opened[0].parameters, "");
  EXPECT_EQ(opened[0].directory, "");
  EXPECT_EQ(opened[0].showCommand, platform::show_command::normal);
}

// Every key the language loader reads for a secondary window names a control
// these windows have; the Select Language window has none.
TEST_F(AppWindowsTest, EveryLanguageKeyOfTheSecondaryWindowsFindsItsControl) {
  fakes::FakeServices machine;
  memory::TFormMemory formMemory(h.app, machine.memory);
  junk::TFormSettings formSettings(h.app);
  sysinfo::TFormSysInfo formSysInfo(h.app, machine.services);
  update::TFormUpdate formUpdate(h.app, shell);
  app::TFormAbout formAbout(h.app, shell);
  app::MessageTexts messages;
  app::TFormRestore formRestore(h.app, machine.services, messages);
  app::LanguageTargets targets;
  app::addSecondaryWindows(targets,
                           {&formMemory, &formSettings, &formSysInfo, &formUpdate, &formAbout, &formRestore});

  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files(encoding);
  const std::vector<std::string> unresolved =
      app::applyLanguageFile(platform::ProfileFile(files, "C:\\P\\language\\None.ini"), targets);
  for (const std::string& key : unresolved) EXPECT_FALSE(key.starts_with("Form")) << key;
  EXPECT_EQ(formSysInfo.LabelCPU.caption(), "CPU:") << "a missing file keeps the designed captions";
}

}  // namespace
}  // namespace velmora::forms
