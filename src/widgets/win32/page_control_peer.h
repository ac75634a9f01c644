#pragma once

#include "widgets/page_control.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

// The standard tab control. Its pages are child windows inside it, placed by
// the object in the display area the control reports. A click on a tab asks the
// object's page-change request first, and the tab stays when it refuses.
class PageControlPeer : public WindowPeer {
 public:
  explicit PageControlPeer(PageControl& pages);
  void changed(Change what, int index) override;
  bool onNotify(NMHDR& header, LRESULT& result) override;

 private:
  PageControl& pages() const { return static_cast<PageControl&>(control()); }
  void fillTabs();
  void setTab(int index);
  void reportDisplayArea();
};

}  // namespace velmora::widgets::win32
