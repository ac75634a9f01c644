#pragma once

#include <cstdint>
#include <memory>

// The narrow interface between a control object and its native peer. The object
// holds every piece of state and tells its peer only what changed; the peer reads
// the new state from the object. A form that is never realized has no peers, and
// its controls behave the same.
namespace velmora::widgets {

class Button;
class CheckBox;
class ComboBox;
class Edit;
class Form;
class GroupBox;
class IconImage;
class Label;
class ListView;
class MainMenu;
class Memo;
class PageControl;
class Panel;
class PopupMenu;
class ProgressBar;
class SpinEdit;
class Splitter;
class StatusBar;
class TabSheet;
class TrayIcon;
class TreeView;

// What changed in an object. index names the row, column or item concerned
// where the change has one, and is -1 otherwise.
enum class Change {
  Bounds,       // position or size
  Visible,      // shown or hidden
  Enabled,      // takes input or not
  Caption,      // caption or text
  Font,         // font or text colour
  Cursor,       // mouse pointer
  Value,        // the control's value: check state, position, selected entry, text
  Items,        // the entries of a list, combo box or menu
  Options,      // styles such as check boxes or grid lines
  Columns,      // a list view's column (index) or all of them (-1)
  RowsAdded,    // rows were appended to a list view
  RowRemoved,   // a list view's row (index) was removed, or several (-1)
  RowsCleared,  // a list view lost all its rows
  RowChanged,   // a list view's row (index) shows something new
  AllRows,      // every row of a list view shows something new
  Selection,    // selected or focused row, active page
  Images,       // the image list a list view draws from
  WindowState,  // a form was minimized, restored or sent to the tray
  Activate,     // a form is to come to the foreground
  Popup,        // a popup menu is to open at its popup point
  Scale,        // the form's DPI changed: every size, position and font in pixels
};

class Peer {
 public:
  virtual ~Peer() = default;
  // The object changed; the peer mirrors the new state.
  virtual void changed(Change what, int index) = 0;
  // The native handle (a window handle on Windows), for tests and for attaching
  // things such as image lists.
  virtual std::uintptr_t nativeHandle() const = 0;
};

// Creates the native peer of each kind of component. Each component calls the
// overload for its own kind (Component::createPeer), so that a toolkit that lacks
// a kind fails to compile instead of failing at run time.
class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  virtual std::unique_ptr<Peer> make(Form&) = 0;
  virtual std::unique_ptr<Peer> make(Panel&) = 0;
  virtual std::unique_ptr<Peer> make(GroupBox&) = 0;
  virtual std::unique_ptr<Peer> make(Splitter&) = 0;
  virtual std::unique_ptr<Peer> make(PageControl&) = 0;
  virtual std::unique_ptr<Peer> make(TabSheet&) = 0;
  virtual std::unique_ptr<Peer> make(Label&) = 0;
  virtual std::unique_ptr<Peer> make(IconImage&) = 0;
  virtual std::unique_ptr<Peer> make(Button&) = 0;
  virtual std::unique_ptr<Peer> make(CheckBox&) = 0;
  virtual std::unique_ptr<Peer> make(Edit&) = 0;
  virtual std::unique_ptr<Peer> make(Memo&) = 0;
  virtual std::unique_ptr<Peer> make(ComboBox&) = 0;
  virtual std::unique_ptr<Peer> make(ProgressBar&) = 0;
  virtual std::unique_ptr<Peer> make(StatusBar&) = 0;
  virtual std::unique_ptr<Peer> make(ListView&) = 0;
  virtual std::unique_ptr<Peer> make(SpinEdit&) = 0;
  virtual std::unique_ptr<Peer> make(MainMenu&) = 0;
  virtual std::unique_ptr<Peer> make(PopupMenu&) = 0;
  virtual std::unique_ptr<Peer> make(TrayIcon&) = 0;
  virtual std::unique_ptr<Peer> make(TreeView&) = 0;
};

}  // namespace velmora::widgets
