#pragma once

#include <functional>
#include <string>

#include "widgets/buttons.h"
#include "widgets/combo_box.h"
#include "widgets/form.h"
#include "widgets/label.h"

namespace velmora::app {

// The Select Language window, shown once on the program's first run. The user
// picks English or Russian; pressing Ok or closing the window by its close box
// applies the choice the same way. Its own texts are never localized: whoever
// sees it has not chosen a language yet.
class TFormLanguage : public widgets::Form {
 public:
  explicit TFormLanguage(widgets::Application& app);

  // Set by the main window: makes the language current and applies it. Runs
  // once each time the window closes, with the selected item's text.
  std::function<void(const std::string& language)> onLanguageChosen;

  widgets::Label LabelLang{*this, "LabelLang", "Select language:"};
  widgets::ComboBox ComboBoxLang{*this, "ComboBoxLang"};
  widgets::Button ButtonOk{*this, "ButtonOk", "Ok"};

 private:
  void FormShow();
  void FormClose();
  void ButtonOkClick();
};

}  // namespace velmora::app
