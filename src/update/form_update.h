#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"
#include "widgets/buttons.h"
#include "widgets/form.h"
#include "widgets/label.h"

namespace velmora::update {

class UpdateChecker;

// The Software Update window: the outcome of an update check, with a link to
// the product page when a newer version exists, a button that checks again and
// one that closes the window. Showing it starts a check.
class TFormUpdate : public widgets::Form {
 public:
  // shell opens the product page; it must outlive the window.
  TFormUpdate(widgets::Application& app, platform::Shell& shell);

  // The text of "FormUpdate->StringCheckingForUpdates", shown while a check
  // runs. Empty until the language loader sets it.
  std::string StringCheckingForUpdates;
  // The window's texts by their language-file keys, for the language loader.
  std::vector<std::pair<std::string, std::string*>> languageTexts() {
    return {{"FormUpdate->StringCheckingForUpdates", &StringCheckingForUpdates}};
  }

  widgets::Label LabelText{*this, "LabelText", "xxx"};
  widgets::Label LabelLink{*this, "LabelLink", "xxx"};
  widgets::Button ButtonCheck{*this, "ButtonCheck", "Check"};
  widgets::Button ButtonClose{*this, "ButtonClose", "Close"};

  // Centres both labels across the window: each one's left edge becomes half
  // of what the window's full width leaves beside it.
  void CentreLabels();

  // The checker whose checks the window starts (null: none, the window only
  // shows what it is given). The checker attaches and detaches itself.
  void attachChecker(UpdateChecker* checker) { checker_ = checker; }

 private:
  void FormShow();
  void FormMouseMove();
  void ButtonCheckClick();
  void ButtonCloseClick();
  void LabelLinkMouseMove();
  void LabelLinkMouseDown();

  platform::Shell& shell_;
  UpdateChecker* checker_ = nullptr;
};

}  // namespace velmora::update
