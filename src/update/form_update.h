#pragma once

#include <string>

#include "widgets/buttons.h"
#include "widgets/form.h"
#include "widgets/label.h"

namespace velmora::update {

// The Software Update window: the outcome of an update check, with a link to
// the product page when a newer version exists, a button that checks again and
// one that closes the window.
class TFormUpdate : public widgets::Form {
 public:
  explicit TFormUpdate(widgets::Application& app);

  // The text of "FormUpdate->StringCheckingForUpdates", shown while a check
  // runs. Empty until the language loader sets it.
  std::string StringCheckingForUpdates;

  widgets::Label LabelText{*this, "LabelText", "xxx"};
  widgets::Label LabelLink{*this, "LabelLink", "xxx"};
  widgets::Button ButtonCheck{*this, "ButtonCheck", "Check"};
  widgets::Button ButtonClose{*this, "ButtonClose", "Close"};

  // Centres both labels across the window: each one's left edge becomes half
  // of what the window's full width leaves beside it.
  void CentreLabels();

 private:
  void FormShow();
  void ButtonCheckClick();
  void ButtonCloseClick();
};

}  // namespace velmora::update
