#include "widgets/win32/page_control_peer.h"

#include "platform/win32/wide.h"

namespace velmora::widgets::win32 {

PageControlPeer::PageControlPeer(PageControl& pages) : WindowPeer(pages) {
  // Its pages are its children: Windows looks inside it for a pressed mnemonic.
  createChild(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
  fillTabs();
  reportDisplayArea();
}

void PageControlPeer::setTab(int index) {
  std::wstring caption = platform::win32::widen(pages().page(index).caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageW(hwnd(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void PageControlPeer::fillTabs() {
  Mirroring mirroring(*this);
  SendMessageW(hwnd(), TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < pages().pageCount(); ++i) {
    std::wstring caption = platform::win32::widen(pages().page(i).caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(pages().activePageIndex()), 0);
}

void PageControlPeer::reportDisplayArea() {
  // The tab strip's height depends on the font and the rows of tabs; the
  // control says what is left for the pages, in pixels.
  RECT outer{};
  GetClientRect(hwnd(), &outer);
  RECT r = outer;
  SendMessageW(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  pages().setPageInsets(
      scale().toUnits(Insets{r.left, r.top, outer.right - r.right, outer.bottom - r.bottom}));
}

void PageControlPeer::changed(Change what, int index) {
  switch (what) {
    case Change::Items:
      if (index >= 0 && index < pages().pageCount() &&
          SendMessageW(hwnd(), TCM_GETITEMCOUNT, 0, 0) == pages().pageCount())
        setTab(index);
      else
        fillTabs();
      reportDisplayArea();
      // Tabs with shorter captions leave the edge of the longer ones drawn
      // beyond the last tab (seen under Wine at 144 DPI): the strip is drawn anew.
      InvalidateRect(hwnd(), nullptr, TRUE);
      return;
    case Change::Selection: {
      Mirroring mirroring(*this);
      SendMessageW(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(pages().activePageIndex()), 0);
      // The page that comes into view is drawn whole, and so is the tab strip:
      // a list's header placed while its page was hidden, and the edge that the
      // tab chosen before drew into the page area, would otherwise keep what
      // they showed (seen under Wine).
      RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      return;
    }
    case Change::Bounds:
    case Change::Font:
    case Change::Scale:
      WindowPeer::changed(what, index);
      reportDisplayArea();
      return;
    default:
      WindowPeer::changed(what, index);
  }
}

bool PageControlPeer::onNotify(NMHDR& header, LRESULT& result) {
  if (mirroring()) return false;
  if (header.code == TCN_SELCHANGING) {
    // TRUE keeps the current tab.
    result = pages().userMayChangePage() ? FALSE : TRUE;
    return true;
  }
  if (header.code == TCN_SELCHANGE) {
    pages().userPageChanged(static_cast<int>(SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)));
    result = 0;
    return true;
  }
  return false;
}

}  // namespace velmora::widgets::win32
