#pragma once

#include "widgets/buttons.h"
#include "widgets/combo_box.h"
#include "widgets/edits.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/tree_view.h"
#include "widgets/win32/window_peer.h"

// The peers of the standard one-purpose controls: each creates its Windows
// control, mirrors the object's value and reports the user's changes.
namespace velmora::widgets::win32 {

class LabelPeer : public WindowPeer {
 public:
  explicit LabelPeer(Label& label);
  void changed(Change what, int index) override;
};

class ButtonPeer : public WindowPeer {
 public:
  explicit ButtonPeer(Button& button);
  void changed(Change what, int index) override;
  bool onCommand(UINT code) override;
};

class CheckBoxPeer : public WindowPeer {
 public:
  explicit CheckBoxPeer(CheckBox& box);
  void changed(Change what, int index) override;
  bool onCommand(UINT code) override;
};

class EditPeer : public WindowPeer {
 public:
  explicit EditPeer(Edit& edit);
  bool onCommand(UINT code) override;
  HBRUSH onColor(HDC) override { return nullptr; }
};

class MemoPeer : public WindowPeer {
 public:
  explicit MemoPeer(Memo& memo);
  void changed(Change what, int index) override;
  bool onCommand(UINT code) override;
  HBRUSH onColor(HDC) override { return nullptr; }
};

class ComboBoxPeer : public WindowPeer {
 public:
  explicit ComboBoxPeer(ComboBox& box);
  void changed(Change what, int index) override;
  bool onCommand(UINT code) override;
  HBRUSH onColor(HDC) override { return nullptr; }

 private:
  void fill();
};

class ProgressBarPeer : public WindowPeer {
 public:
  explicit ProgressBarPeer(ProgressBar& bar);
  void changed(Change what, int index) override;
};

class StatusBarPeer : public WindowPeer {
 public:
  explicit StatusBarPeer(StatusBar& bar);
  void changed(Change what, int index) override;
};

class TreeViewPeer : public WindowPeer {
 public:
  explicit TreeViewPeer(TreeView& tree);
  void changed(Change what, int index) override;

 private:
  void fill();
};

}  // namespace velmora::widgets::win32
