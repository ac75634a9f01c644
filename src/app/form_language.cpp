#include "app/form_language.h"

namespace velmora::app {

TFormLanguage::TFormLanguage(widgets::Application& app) : Form(app, "TFormLanguage") {
  setCaption("Select Language");
  setBorderStyle(widgets::BorderStyle::Dialog);
  setClientSize(162, 92);
  setPlacement(widgets::FormPlacement::DesktopCenter);

  LabelLang.setPosition(8, 8);
  ComboBoxLang.setBounds({8, 26, 145, 21});
  ComboBoxLang.setItems({"English", "Russian"});
  ButtonOk.setBounds({43, 58, 75, 25});
  ButtonOk.setDefault(true);

  onShow = [this] { FormShow(); };
  onClose = [this] { FormClose(); };
  ButtonOk.onClick = [this] { ButtonOkClick(); };
}

// Every showing starts from the first language, whatever was chosen before.
void TFormLanguage::FormShow() { ComboBoxLang.setItemIndex(0); }

// Closing is where the choice is applied, so that Ok and the close box, which
// both end here, apply it alike and exactly once. With nothing selected (the
// window closed without ever being shown) there is no choice to apply, and the
// language stays as it is rather than becoming an empty name.
void TFormLanguage::FormClose() {
  const std::string language = ComboBoxLang.text();
  if (!language.empty() && onLanguageChosen) onLanguageChosen(language);
}

void TFormLanguage::ButtonOkClick() { close(); }

}  // namespace velmora::app
