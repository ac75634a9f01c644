#pragma once

#include <functional>
#include <string>

#include "widgets/control.h"
#include "widgets/form.h"

namespace velmora::widgets {

// A push button. The default button is the one Enter presses, the cancel button
// the one Esc presses. A button with a modal result closes its modal form with
// that result when clicked.
//
// A button is as wide as it was made, or wider when its caption needs more in
// the current font: a caption in any language shows whole, and the button
// returns to its own width when a shorter caption comes back. Code that only
// moves the button (setLeft, setPosition) keeps the width it was made with.
class Button : public Control {
 public:
  bool tabStop() const override { return true; }
  Button(Control& parent, std::string name, std::string caption = {});

  void setBounds(Rect bounds) override;

  bool isDefault() const { return default_; }
  void setDefault(bool isDefault);
  bool isCancel() const { return cancel_; }
  void setCancel(bool isCancel) { cancel_ = isCancel; }
  ModalResult modalResult() const { return modalResult_; }
  void setModalResult(ModalResult result) { modalResult_ = result; }

  std::function<void()> onClick;
  // The user pressed the button: fires onClick, then hands the modal result to
  // the form. A disabled button does nothing.
  void click();

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
  void captionChanged() override { fit(); }
  void fontChanged() override { fit(); }

 private:
  int widthFor(int designedWidth) const;
  void fit();

  bool default_ = false;
  bool cancel_ = false;
  ModalResult modalResult_ = ModalResult::None;
  // The width the button was made with, which it never gets narrower than.
  int designedWidth_ = 0;
};

// A check box with its caption beside it.
class CheckBox : public Control {
 public:
  bool tabStop() const override { return true; }
  CheckBox(Control& parent, std::string name, std::string caption = {});

  bool checked() const { return checked_; }
  // From code: changes the mark and fires nothing.
  void setChecked(bool checked);

  std::function<void()> onClick;
  // The user clicked the box: the mark flips, then onClick fires.
  void click() { userSetChecked(!checked_); }
  // The native box reports its new mark after a click: the object takes it and
  // onClick fires.
  void userSetChecked(bool checked);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  bool checked_ = false;
};

}  // namespace velmora::widgets
