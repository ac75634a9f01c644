#pragma once

#include <string>

#include "widgets/list_view.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

// An owner-data report list view: it holds no rows of its own and asks the
// object for each cell, image and check mark it draws (LVN_GETDISPINFO). The
// object owns the check marks: the list's callback mask covers the state image,
// and a click on a row's check box (NM_CLICK hitting LVHT_ONITEMSTATEICON) or
// Space on the selected row toggles the object's mark; the check state the
// control reports in LVN_ITEMCHANGED is never taken.
//
// Rows added in a burst reach the control as one new row count, when the UI
// thread next handles its messages; any other change of the rows brings the
// count up to date first.
class ListViewPeer : public WindowPeer {
 public:
  explicit ListViewPeer(ListView& list);
  void changed(Change what, int index) override;
  bool onNotify(NMHDR& header, LRESULT& result) override;
  HBRUSH onColor(HDC) override { return nullptr; }

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ListView& list() const { return static_cast<ListView&>(control()); }
  DWORD style() const;
  void applyOptions();
  void applyImages();
  void rebuildColumns();
  void updateColumn(int index);
  void syncRowCount();
  void syncSelection();
  void setState(int row, UINT state, UINT mask);
  void answerDisplayInfo(LVITEMW& item);
  void toggleCheckAt(POINT point);
  void readColumnWidths();

  int nativeCount_ = 0;
  // The rows the control shows selected and focused, -1 for none.
  int nativeSelected_ = -1;
  int nativeFocused_ = -1;
  int nativeColumns_ = 0;
  bool countPending_ = false;
};

}  // namespace velmora::widgets::win32
