#include "update/form_update.h"

#include "update/update_checker.h"

namespace velmora::update {

TFormUpdate::TFormUpdate(widgets::Application& app, platform::Shell& shell)
    : Form(app, "TFormUpdate"), shell_(shell) {
  setCaption("Software Update");
  setBorderStyle(widgets::BorderStyle::Dialog);
  // Wider than the 329 pixels first drawn for it, so that the longest texts show
  // whole in the labels' 13-pixel font: the product page address (about 330
  // pixels) and the Russian cannot-connect message (about 345). The buttons stay
  // centred below them.
  setClientSize(369, 82);
  setPlacement(widgets::FormPlacement::DesktopCenter);

  widgets::Font text = LabelText.font();
  text.height = -13;
  LabelText.setFont(text);
  LabelText.setTop(8);
  widgets::Font link = text;
  link.underline = true;
  link.color = widgets::colors::blue;
  LabelLink.setFont(link);
  LabelLink.setTop(26);
  // The hand shows only while the pointer is over the link, as in a browser.
  LabelLink.setCursor(widgets::Cursor::HandPoint);
  CentreLabels();

  ButtonCheck.setBounds({107, 48, 75, 25});
  ButtonClose.setBounds({187, 48, 75, 25});
  // Enter and Esc both leave the window; Check is a click away.
  ButtonClose.setDefault(true);
  ButtonClose.setCancel(true);

  onShow = [this] { FormShow(); };
  onMouseMove = [this](widgets::Point) { FormMouseMove(); };
  ButtonCheck.onClick = [this] { ButtonCheckClick(); };
  ButtonClose.onClick = [this] { ButtonCloseClick(); };
  LabelLink.onMouseMove = [this](widgets::Point) { LabelLinkMouseMove(); };
  LabelLink.onMouseDown = [this](widgets::MouseButton, widgets::Point) { LabelLinkMouseDown(); };
}

void TFormUpdate::CentreLabels() {
  LabelText.setLeft((width() - LabelText.width()) / 2);
  LabelLink.setLeft((width() - LabelLink.width()) / 2);
}

// Every showing checks again; the link stays empty until a check finds news.
// LabelText keeps what the opener put there, the checking-for-updates text or the
// outcome that popped the window up.
void TFormUpdate::FormShow() {
  LabelLink.setCaption("");
  if (checker_) checker_->StartCheck();
}

// The link turns blue again once the pointer leaves it for the window around it...
void TFormUpdate::FormMouseMove() { LabelLink.setFontColor(widgets::colors::blue); }

// A click while a check runs is ignored; that check's outcome is on its way.
void TFormUpdate::ButtonCheckClick() {
  if (!checker_ || checker_->UpdateBusy()) return;
  LabelText.setCaption(StringCheckingForUpdates);
  CentreLabels();
  checker_->StartCheck();
}

void TFormUpdate::ButtonCloseClick() { close(); }

// ...and lights up red under the pointer.
void TFormUpdate::LabelLinkMouseMove() { LabelLink.setFontColor(widgets::colors::red); }

// Any mouse button opens the address the link shows, with the system's browser.
// The result is not looked at: a page that will not open leaves nothing to do. An
// empty link opens nothing.
void TFormUpdate::LabelLinkMouseDown() {
  if (LabelLink.caption().empty()) return;
  const std::uintptr_t owner = peer() ? peer()->nativeHandle() : 0;
  shell_.shellExecute(owner, "", LabelLink.caption(), "", "", platform::show_command::normal);
}

}  // namespace velmora::update
