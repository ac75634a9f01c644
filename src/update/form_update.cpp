#include "update/form_update.h"

namespace velmora::update {

TFormUpdate::TFormUpdate(widgets::Application& app) : Form(app, "TFormUpdate") {
  setCaption("Software Update");
  setBorderStyle(widgets::BorderStyle::Dialog);
  setClientSize(329, 82);
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
  CentreLabels();

  ButtonCheck.setBounds({88, 48, 75, 25});
  ButtonClose.setBounds({168, 48, 75, 25});

  onShow = [this] { FormShow(); };
  ButtonCheck.onClick = [this] { ButtonCheckClick(); };
  ButtonClose.onClick = [this] { ButtonCloseClick(); };
}

void TFormUpdate::CentreLabels() {
  LabelText.setLeft((width() - LabelText.width()) / 2);
  LabelLink.setLeft((width() - LabelLink.width()) / 2);
}

// The update check comes with the update checker; these two handlers are bound
// to their events already and are where it goes.

// Will empty LabelLink, repaint LabelText at once and start a check.
void TFormUpdate::FormShow() {}

// Will start a check, unless one is running, after showing the
// checking-for-updates text in LabelText and centring both labels.
void TFormUpdate::ButtonCheckClick() {}

void TFormUpdate::ButtonCloseClick() { close(); }

}  // namespace velmora::update
