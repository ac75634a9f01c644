#include "widgets/win32/standard_peers.h"

#include "platform/win32/wide.h"
#include "widgets/form.h"

namespace velmora::widgets::win32 {

using platform::win32::widen;

namespace {

// A drop-down list's window includes its list: this much room below the box.
constexpr int kDropDownHeight = 200;

}  // namespace

LabelPeer::LabelPeer(Label& label) : WindowPeer(label) {
  // SS_NOTIFY lets the mouse reach the label, for its mouse events and pointer.
  createChild(L"STATIC", SS_LEFT | SS_NOTIFY);
}

void LabelPeer::changed(Change what, int index) {
  WindowPeer::changed(what, index);
  // A static control draws its text as soon as the text is set, wrapped at the
  // width it has then; when the label then takes the size of its new text, the
  // window keeps those pixels (its class does not redraw on resize, on Windows as
  // under Wine), so the old wrapping and the ends of longer old lines stay on
  // screen. Drawing the whole label again shows the text laid out for its new
  // size; the area it left belongs to the parent, which the move invalidates.
  if (what == Change::Bounds && hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

ButtonPeer::ButtonPeer(Button& button) : WindowPeer(button) {
  createChild(L"BUTTON", WS_TABSTOP | (button.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
}

void ButtonPeer::changed(Change what, int index) {
  if (what == Change::Options) {
    const bool isDefault = static_cast<Button&>(control()).isDefault();
    SendMessageW(hwnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    return;
  }
  WindowPeer::changed(what, index);
}

bool ButtonPeer::onCommand(UINT code) {
  if (code != BN_CLICKED || mirroring()) return false;
  static_cast<Button&>(control()).click();
  return true;
}

CheckBoxPeer::CheckBoxPeer(CheckBox& box) : WindowPeer(box) {
  createChild(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX);
  SendMessageW(hwnd(), BM_SETCHECK, box.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBoxPeer::changed(Change what, int index) {
  if (what == Change::Value) {
    Mirroring mirroring(*this);
    SendMessageW(hwnd(), BM_SETCHECK,
                 static_cast<CheckBox&>(control()).checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    return;
  }
  WindowPeer::changed(what, index);
}

bool CheckBoxPeer::onCommand(UINT code) {
  if (code != BN_CLICKED || mirroring()) return false;
  // The box has already flipped its mark; the object takes the box's word.
  const bool checked = SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  auto& box = static_cast<CheckBox&>(control());
  box.userSetChecked(checked);
  if (box.checked() != checked) changed(Change::Value, -1);
  return true;
}

EditPeer::EditPeer(Edit& edit) : WindowPeer(edit) {
  createChild(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

bool EditPeer::onCommand(UINT code) {
  if (code != EN_CHANGE || mirroring()) return false;
  static_cast<Edit&>(control()).userSetText(windowText());
  return true;
}

MemoPeer::MemoPeer(Memo& memo) : WindowPeer(memo) {
  createChild(L"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
              WS_EX_CLIENTEDGE);
  changed(Change::Caption, -1);
}

void MemoPeer::changed(Change what, int index) {
  if (what == Change::Caption) {
    Mirroring mirroring(*this);
    const std::string text = static_cast<Memo&>(control()).text();
    if (windowText() != text) SetWindowTextW(hwnd(), widen(text).c_str());
    return;
  }
  WindowPeer::changed(what, index);
}

bool MemoPeer::onCommand(UINT code) {
  if (code != EN_CHANGE || mirroring()) return false;
  static_cast<Memo&>(control()).userSetText(windowText());
  return true;
}

ComboBoxPeer::ComboBoxPeer(ComboBox& box) : WindowPeer(box) {
  createChild(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
  changed(Change::Bounds, -1);
  fill();
}

void ComboBoxPeer::fill() {
  Mirroring mirroring(*this);
  auto& box = static_cast<ComboBox&>(control());
  SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : box.items())
    SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
  SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(box.itemIndex()), 0);
}

void ComboBoxPeer::changed(Change what, int index) {
  auto& box = static_cast<ComboBox&>(control());
  switch (what) {
    case Change::Items:
      fill();
      return;
    case Change::Value: {
      Mirroring mirroring(*this);
      SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(box.itemIndex()), 0);
      return;
    }
    case Change::Bounds: {
      const Rect b = scale().toPixels(box.bounds());
      SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height + scale().toPixels(kDropDownHeight),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    default:
      WindowPeer::changed(what, index);
  }
}

bool ComboBoxPeer::onCommand(UINT code) {
  if (code != CBN_SELCHANGE || mirroring()) return false;
  static_cast<ComboBox&>(control()).userSelect(static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)));
  return true;
}

ProgressBarPeer::ProgressBarPeer(ProgressBar& bar) : WindowPeer(bar) {
  createChild(PROGRESS_CLASSW, 0);
  changed(Change::Options, -1);
  changed(Change::Value, -1);
}

void ProgressBarPeer::changed(Change what, int index) {
  auto& bar = static_cast<ProgressBar&>(control());
  if (what == Change::Options) {
    SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(bar.min()), static_cast<LPARAM>(bar.max()));
    return;
  }
  if (what == Change::Value) {
    SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
    return;
  }
  WindowPeer::changed(what, index);
}

StatusBarPeer::StatusBarPeer(StatusBar& bar) : WindowPeer(bar) {
  // The object places the bar; the bar must not move itself to its parent's bottom.
  DWORD style = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (bar.form().borderStyle() == BorderStyle::Sizeable) style |= SBARS_SIZEGRIP;
  createChild(STATUSCLASSNAMEW, style);
  SendMessageW(hwnd(), SB_SIMPLE, TRUE, 0);
  changed(Change::Caption, -1);
}

void StatusBarPeer::changed(Change what, int index) {
  if (what == Change::Caption) {
    SendMessageW(hwnd(), SB_SETTEXTW, SB_SIMPLEID,
                 reinterpret_cast<LPARAM>(widen(static_cast<StatusBar&>(control()).simpleText()).c_str()));
    return;
  }
  WindowPeer::changed(what, index);
}

TreeViewPeer::TreeViewPeer(TreeView& tree) : WindowPeer(tree) {
  createChild(WC_TREEVIEWW, WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, WS_EX_CLIENTEDGE);
  fill();
}

void TreeViewPeer::fill() {
  Mirroring mirroring(*this);
  SendMessageW(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  for (const std::string& item : static_cast<TreeView&>(control()).items()) {
    std::wstring text = widen(item);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = text.data();
    SendMessageW(hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  }
}

void TreeViewPeer::changed(Change what, int index) {
  if (what == Change::Items) {
    fill();
    return;
  }
  WindowPeer::changed(what, index);
}

}  // namespace velmora::widgets::win32
