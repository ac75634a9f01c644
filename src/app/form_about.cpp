#include "app/form_about.h"

#include <cctype>
#include <string_view>

namespace velmora::app {
namespace {

// The form's font with another weight, underline and colour.
widgets::Font styled(const widgets::Control& control, bool bold, bool underline, widgets::Color color) {
  widgets::Font font = control.font();
  font.bold = bold;
  font.underline = underline;
  font.color = color;
  return font;
}

// Whether text is a web address: it begins "http://" or "https://", in any
// letter case, as a browser takes it.
bool isWebAddress(std::string_view text) {
  const auto startsWith = [text](std::string_view scheme) {
    if (text.size() <= scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(text[i])) != scheme[i]) return false;
    return true;
  };
  return startsWith("http://") || startsWith("https://");
}

}  // namespace

TFormAbout::TFormAbout(widgets::Application& app, platform::Shell& shell)
    : Form(app, "TFormAbout"), shell_(shell) {
  setCaption("About Program");
  setBorderStyle(widgets::BorderStyle::Dialog);
  // Wider than the 289 pixels first drawn for it: the product page address,
  // 49 characters, takes about 296 pixels in the window's font, which a
  // 289-pixel window cannot show whole. The extra room goes to the panel; the
  // OK button stays centred below it.
  setClientSize(329, 170);
  setPlacement(widgets::FormPlacement::ScreenCenter);

  Panel1.setBevel(widgets::Bevel::Lowered);
  Panel1.setBounds({8, 8, 313, 121});
  ProgramIcon.setPosition(8, 8);
  LabelTitle.setFont(styled(LabelTitle, true, false, widgets::colors::navy));
  LabelTitle.setPosition(52, 10);
  LabelAbout.setFont(styled(LabelAbout, false, false, widgets::colors::maroon));
  LabelAbout.setPosition(52, 28);
  LabelAuthor.setFont(styled(LabelAuthor, true, false, widgets::colors::navy));
  LabelAuthor.setPosition(8, 54);
  LabelEmail.setFont(styled(LabelEmail, true, false, widgets::colors::teal));
  LabelEmail.setPosition(8, 72);
  LabelSite.setFont(styled(LabelSite, false, true, widgets::colors::blue));
  LabelSite.setPosition(8, 98);
  // The hand shows only while the pointer is over the link, as in a browser.
  LabelSite.setCursor(widgets::Cursor::HandPoint);

  OKButton.setBounds({127, 137, 75, 25});
  OKButton.setDefault(true);
  OKButton.setModalResult(widgets::ModalResult::Ok);

  LabelSite.onMouseMove = [this](widgets::Point) { LabelSiteMouseMove(); };
  Panel1.onMouseMove = [this](widgets::Point) { Panel1MouseMove(); };
  LabelSite.onMouseDown = [this](widgets::MouseButton, widgets::Point) { LabelSiteMouseDown(); };
}

// The link lights up red under the pointer...
void TFormAbout::LabelSiteMouseMove() { LabelSite.setFontColor(widgets::colors::red); }

// ...and turns blue again once the pointer leaves it for the panel around it.
void TFormAbout::Panel1MouseMove() { LabelSite.setFontColor(widgets::colors::blue); }

// Any mouse button opens the address the link shows, with the system's browser.
// The result is not looked at: a page that will not open leaves nothing to do.
// The text comes from the language file, which can say anything: only a web
// address is handed to the shell, never a program or a document to start.
void TFormAbout::LabelSiteMouseDown() {
  if (!isWebAddress(LabelSite.caption())) return;
  const std::uintptr_t owner = peer() ? peer()->nativeHandle() : 0;
  shell_.shellExecute(owner, "", LabelSite.caption(), "", "", platform::show_command::normal);
}

}  // namespace velmora::app
