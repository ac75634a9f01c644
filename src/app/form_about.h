#pragma once

#include "platform/shell.h"
#include "widgets/buttons.h"
#include "widgets/containers.h"
#include "widgets/form.h"
#include "widgets/icon_image.h"
#include "widgets/label.h"

namespace velmora::app {

// The About window: the program's icon, title and version, a line about what it
// does, the authors, a contact address and the product page as a link that
// opens in the browser.
class TFormAbout : public widgets::Form {
 public:
  // shell opens the product page; it must outlive the window.
  TFormAbout(widgets::Application& app, platform::Shell& shell);

  widgets::Panel Panel1{*this, "Panel1"};
  widgets::IconImage ProgramIcon{Panel1, "ProgramIcon"};
  widgets::Label LabelTitle{Panel1, "LabelTitle", "Velmora Disk Cleaner 1.3"};
  widgets::Label LabelAbout{Panel1, "LabelAbout", "clean your drive from junk files"};
  widgets::Label LabelAuthor{Panel1, "LabelAuthor", "Written by the Velmora team"};
  widgets::Label LabelEmail{Panel1, "LabelEmail", "support@velmora.example"};
  widgets::Label LabelSite{Panel1, "LabelSite", "http://velmora.example/velmora_disk_cleaner.shtml"};
  widgets::Button OKButton{*this, "OKButton", "OK"};

 private:
  void LabelSiteMouseMove();
  void Panel1MouseMove();
  void LabelSiteMouseDown();

  platform::Shell& shell_;
};

}  // namespace velmora::app
