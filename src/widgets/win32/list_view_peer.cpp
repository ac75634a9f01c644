#include "widgets/win32/list_view_peer.h"

#include <cwchar>

#include "platform/win32/wide.h"
#include "widgets/image_list.h"

namespace velmora::widgets::win32 {

using platform::win32::narrow;
using platform::win32::widen;

namespace {

int columnFormat(TextAlign align) {
  switch (align) {
    case TextAlign::Right:
      return LVCFMT_RIGHT;
    case TextAlign::Center:
      return LVCFMT_CENTER;
    case TextAlign::Left:
      break;
  }
  return LVCFMT_LEFT;
}

}  // namespace

ListViewPeer::ListViewPeer(ListView& list) : WindowPeer(list) {
  createChild(WC_LISTVIEWW, style(), WS_EX_CLIENTEDGE);
  applyOptions();
  rebuildColumns();
  applyImages();
  syncRowCount();
  syncSelection();
}

DWORD ListViewPeer::style() const {
  // Column headers do not react to clicks (no sorting); one row at most is
  // selected; the shared system image list must never be destroyed here.
  DWORD style = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER |
                LVS_SHOWSELALWAYS | LVS_SINGLESEL;
  if (list().captionsEditable()) style |= LVS_EDITLABELS;
  return style;
}

void ListViewPeer::applyOptions() {
  const DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  DWORD ex = LVS_EX_DOUBLEBUFFER;
  if (list().checkBoxes()) ex |= LVS_EX_CHECKBOXES;
  if (list().gridLines()) ex |= LVS_EX_GRIDLINES;
  if (list().rowSelect()) ex |= LVS_EX_FULLROWSELECT;
  SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, ex);
  const LONG_PTR current = GetWindowLongPtrW(hwnd(), GWL_STYLE);
  const LONG_PTR wanted =
      list().captionsEditable() ? (current | LVS_EDITLABELS) : (current & ~LVS_EDITLABELS);
  if (wanted != current) SetWindowLongPtrW(hwnd(), GWL_STYLE, wanted);
  // The object, not the control, holds the check marks.
  SendMessageW(hwnd(), LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListViewPeer::applyImages() {
  const ImageList* images = list().smallImages();
  SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(images ? images->handle() : 0));
}

void ListViewPeer::rebuildColumns() {
  Mirroring mirroring(*this);
  while (SendMessageW(hwnd(), LVM_DELETECOLUMN, 0, 0)) {
  }
  nativeColumns_ = 0;
  for (int i = 0; i < list().columnCount(); ++i) {
    const ListColumn& column = list().column(i);
    std::wstring caption = widen(column.caption);
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    c.fmt = columnFormat(column.align);
    c.cx = scale().toPixels(column.width);
    c.pszText = caption.data();
    c.iSubItem = i;
    SendMessageW(hwnd(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    ++nativeColumns_;
  }
}

void ListViewPeer::updateColumn(int index) {
  Mirroring mirroring(*this);
  const ListColumn& column = list().column(index);
  std::wstring caption = widen(column.caption);
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_FMT;
  c.fmt = columnFormat(column.align);
  // A width the user dragged is kept to the pixel when it is the object's width
  // in units, instead of jumping to the rounded figure.
  const int width = static_cast<int>(SendMessageW(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
  if (scale().toUnits(width) != column.width) {
    c.mask |= LVCF_WIDTH;
    c.cx = scale().toPixels(column.width);
  }
  c.pszText = caption.data();
  SendMessageW(hwnd(), LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
}

void ListViewPeer::syncRowCount() {
  countPending_ = false;
  const int count = list().count();
  if (count == nativeCount_) return;
  Mirroring mirroring(*this);
  // Growing keeps the view where it is and repaints only the new rows in sight.
  const LPARAM flags = count > nativeCount_ ? (LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) : 0;
  SendMessageW(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags);
  nativeCount_ = count;
}

void ListViewPeer::setState(int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListViewPeer::syncSelection() {
  Mirroring mirroring(*this);
  const int selected = list().selectedIndex();
  const int focused = list().focusedIndex();
  // The control has one selected and one focused row at most, where this peer or
  // the user last put them, and only those are cleared: clearing every row at
  // once (index -1) visits each row, over a second in a list of a million.
  if (nativeFocused_ >= 0 && nativeFocused_ != focused) setState(nativeFocused_, 0, LVIS_FOCUSED);
  if (nativeSelected_ >= 0 && nativeSelected_ != selected) setState(nativeSelected_, 0, LVIS_SELECTED);
  // A selection the notifications did not report is still cleared, slowly.
  if (selected < 0 && SendMessageW(hwnd(), LVM_GETSELECTEDCOUNT, 0, 0) > 0) setState(-1, 0, LVIS_SELECTED);
  if (focused >= 0) setState(focused, LVIS_FOCUSED, LVIS_FOCUSED);
  if (selected >= 0) setState(selected, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageW(hwnd(), LVM_SETSELECTIONMARK, 0, selected);
  nativeSelected_ = selected;
  nativeFocused_ = focused;
}

void ListViewPeer::changed(Change what, int index) {
  switch (what) {
    case Change::RowsAdded:
      // One message for a whole burst of rows: a million rows added one by one
      // would otherwise send a million count changes.
      if (!countPending_) {
        countPending_ = true;
        PostMessageW(hwnd(), kSyncRowsMessage, 0, 0);
      }
      return;
    case Change::RowRemoved:
    case Change::RowsCleared:
      syncRowCount();
      InvalidateRect(hwnd(), nullptr, TRUE);
      syncSelection();
      return;
    case Change::RowChanged:
      syncRowCount();
      if (index >= 0) SendMessageW(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
      return;
    case Change::AllRows:
      syncRowCount();
      InvalidateRect(hwnd(), nullptr, TRUE);
      return;
    case Change::Selection:
      syncRowCount();
      syncSelection();
      return;
    case Change::Columns:
      if (index >= 0 && index < nativeColumns_ && nativeColumns_ == list().columnCount())
        updateColumn(index);
      else
        rebuildColumns();
      return;
    case Change::Options:
      applyOptions();
      return;
    case Change::Scale:
      WindowPeer::changed(what, index);
      for (int i = 0; i < nativeColumns_; ++i) {
        Mirroring mirroring(*this);
        SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                     MAKELPARAM(scale().toPixels(list().column(i).width), 0));
      }
      return;
    case Change::Images:
      applyImages();
      InvalidateRect(hwnd(), nullptr, TRUE);
      return;
    default:
      WindowPeer::changed(what, index);
  }
}

void ListViewPeer::answerDisplayInfo(LVITEMW& item) {
  if (item.iItem < 0 || item.iItem >= list().count()) return;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    const std::wstring text = widen(list().cellView(item.iItem, item.iSubItem));
    const std::size_t room = static_cast<std::size_t>(item.cchTextMax) - 1;
    const std::size_t length = text.size() < room ? text.size() : room;
    std::wmemcpy(item.pszText, text.data(), length);
    item.pszText[length] = L'\0';
  }
  if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = list().imageIndex(item.iItem);
  if (item.mask & LVIF_STATE) {
    // State image 1 is the empty box, 2 the checked one; 0 shows none.
    const UINT image = list().checkBoxes() ? (list().checked(item.iItem) ? 2 : 1) : 0;
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(image);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
  if (item.mask & LVIF_INDENT) item.iIndent = 0;
}

void ListViewPeer::toggleCheckAt(POINT point) {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const int row = static_cast<int>(SendMessageW(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) list().userToggleCheck(row);
}

bool ListViewPeer::onNotify(NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      answerDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
      return true;
    case LVN_ODFINDITEMW:
      // No search by typed letters in an owner-data list.
      result = -1;
      return true;
    case LVN_ITEMCHANGED: {
      if (mirroring()) return true;
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if (!(change.uChanged & LVIF_STATE)) return true;
      const bool wasSelected = change.uOldState & LVIS_SELECTED;
      const bool isSelected = change.uNewState & LVIS_SELECTED;
      if (isSelected && !wasSelected && change.iItem >= 0) {
        nativeSelected_ = change.iItem;
        list().userSelect(change.iItem);
      } else if (wasSelected && !isSelected && (change.iItem < 0 || change.iItem == list().selectedIndex())) {
        nativeSelected_ = -1;
        list().userSelect(-1);
      }
      if ((change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED) && change.iItem >= 0) {
        nativeFocused_ = change.iItem;
        list().userFocus(change.iItem);
      }
      return true;
    }
    case NM_CLICK:
    case NM_DBLCLK:
      // Each click on a check box flips it, the second of a double click too.
      // Windows sends NM_CLICK when the button goes up; Wine already when it
      // goes down, on a check box (and toggles its own copy, which the
      // callback mask makes meaningless). One notification either way.
      if (list().checkBoxes()) toggleCheckAt(reinterpret_cast<NMITEMACTIVATE&>(header).ptAction);
      return true;
    case LVN_KEYDOWN:
      if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_SPACE && list().checkBoxes())
        list().userPressSpace();
      return true;
    case LVN_BEGINLABELEDITW:
      result = list().captionsEditable() ? FALSE : TRUE;
      return true;
    case LVN_ENDLABELEDITW: {
      const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
      // The object keeps the text; the control keeps none of its own.
      if (item.pszText) list().userEditCaption(item.iItem, narrow(item.pszText));
      result = FALSE;
      return true;
    }
    default:
      return false;
  }
}

void ListViewPeer::readColumnWidths() {
  for (int i = 0; i < list().columnCount() && i < nativeColumns_; ++i) {
    const int width = scale().toUnits(
        static_cast<int>(SendMessageW(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0)));
    if (width != list().column(i).width) list().userSetColumnWidth(i, width);
  }
}

LRESULT ListViewPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSyncRowsMessage) {
    syncRowCount();
    return 0;
  }
  // A list reached by the keyboard shows where it is: on its first row when no
  // row has the focus yet (the selection stays as it is).
  if (message == WM_SETFOCUS && list().count() > 0 && list().focusedIndex() < 0) list().setFocusedIndex(0);
  if (message == WM_NOTIFY && !mirroring()) {
    // The header is the list view's own child, not a control of ours: its
    // notifications come here, and a dragged column edge is read back.
    const auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA || header.code == HDN_ENDTRACKW ||
        header.code == HDN_ENDTRACKA) {
      const LRESULT result = callDefault(message, wParam, lParam);
      readColumnWidths();
      return result;
    }
  }
  return WindowPeer::handle(message, wParam, lParam);
}

}  // namespace velmora::widgets::win32
