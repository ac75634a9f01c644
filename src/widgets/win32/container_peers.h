#pragma once

#include "widgets/containers.h"
#include "widgets/page_control.h"
#include "widgets/splitter.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

// A panel: a plain window of the dialog colour that draws its bevel.
class PanelPeer : public WindowPeer {
 public:
  explicit PanelPeer(Panel& panel);
  void changed(Change what, int index) override;

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A group box: the standard button-class frame, which here also hosts its
// children and so fills its inside itself.
class GroupBoxPeer : public WindowPeer {
 public:
  explicit GroupBoxPeer(GroupBox& box);

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A page of a page control: a plain window inside the tab control.
class TabSheetPeer : public WindowPeer {
 public:
  explicit TabSheetPeer(TabSheet& sheet);
};

// A splitter bar: captures the mouse while dragged and moves by the distance
// the object allows.
class SplitterPeer : public WindowPeer {
 public:
  explicit SplitterPeer(Splitter& splitter);

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Splitter& splitter() const { return static_cast<Splitter&>(control()); }
  bool horizontal() const;
  // Where the pointer is along the bar's axis on the screen, in units.
  int pointerOnScreen(LPARAM lParam) const;
  int last_ = 0;
};

}  // namespace velmora::widgets::win32
