#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/component.h"
#include "widgets/font.h"
#include "widgets/geometry.h"

namespace velmora::widgets {

// How a control follows its parent's size. Top, Bottom, Left and Right controls
// keep their height (or width) and take the whole length of that edge, in
// creation order; the Client control fills what is left; None keeps its fixed
// position and size.
enum class Align { None, Top, Bottom, Left, Right, Client };

enum class MouseButton { Left, Right, Middle };

// A visual control: a rectangle inside its parent with a caption, a font, a
// visibility and an enabled state, and the children it lays out by alignment.
// Every read comes from the object; the peer only mirrors it.
//
// Setters change state from code and fire no event. Methods named user...
// (and click) are what a user does: the native peer calls them when the user
// acts on the real control, and headless tests call them directly; they update
// the object and then fire the control's event.
class Control : public Component {
 public:
  ~Control() override;

  Control* parent() const { return parent_; }
  const std::vector<Control*>& children() const { return children_; }

  const Rect& bounds() const { return bounds_; }
  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width; }
  int height() const { return bounds_.height; }
  virtual void setBounds(Rect bounds);
  void setPosition(int left, int top) { setBounds({left, top, bounds_.width, bounds_.height}); }
  void setSize(int width, int height) { setBounds({bounds_.left, bounds_.top, width, height}); }
  void setLeft(int left) { setPosition(left, bounds_.top); }
  void setTop(int top) { setPosition(bounds_.left, top); }
  void setWidth(int width) { setSize(width, bounds_.height); }
  void setHeight(int height) { setSize(bounds_.width, height); }

  Align align() const { return align_; }
  void setAlign(Align align);

  bool visible() const { return visible_; }
  // Showing a control inside a realized form makes the peers that waited for it.
  void setVisible(bool visible);
  // Visible, and so are all its parents.
  bool showing() const;

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  // Whether the control takes the keyboard, so that Tab stops at it.
  virtual bool tabStop() const { return false; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);

  // The control's own font, or its parent's while it has none of its own.
  const Font& font() const;
  void setFont(Font font);
  bool parentFont() const { return !font_; }
  // Changes only the colour of the control's text.
  void setFontColor(Color color);

  // The size text takes in the control's font on its form's display, in units.
  Size textSize(std::string_view text) const;

  Cursor cursor() const { return cursor_; }
  void setCursor(Cursor cursor);

  // The part of the control that aligned children share, in the control's own
  // coordinates: all of it unless a frame, border or tab strip takes some.
  virtual Rect clientArea() const { return {0, 0, bounds_.width, bounds_.height}; }

  // Places the aligned children again; called by the control itself whenever
  // something that affects them changes.
  void realign();

  // Events: the pointer moved over the control, a mouse button went down on it.
  // Points are in the control's coordinates.
  std::function<void(Point)> onMouseMove;
  std::function<void(MouseButton, Point)> onMouseDown;

  void userMouseMove(Point at);
  void userMouseDown(MouseButton button, Point at);

 protected:
  // A child of parent, owned by parent's form.
  Control(Control& parent, std::string name);
  // A form.
  explicit Control(std::string name);

  // Stores new bounds coming from the parent's layout or from the native
  // window, without asking the parent to lay out again.
  void applyBounds(Rect bounds);

  // Changes the visible state without telling the peer yet; the caller does
  // (a form fires onShow between the two).
  void setVisibleSilently(bool visible) { visible_ = visible; }

  // A control inside a hidden container (a page not shown, a hidden panel) gets
  // its window only once that container is shown: start-up then makes only the
  // windows of the page the user sees, and every window costs time to make.
  bool peerWanted() const override;

  // Hooks for controls whose look follows their caption or font.
  virtual void captionChanged() {}
  virtual void fontChanged() {}

 private:
  friend class Form;
  void fontChangedInTree();
  // The form moved to a display of another DPI: the peer shows the same units
  // in other pixels, and text measured in units may need other sizes.
  void scaleChanged();

  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  Rect bounds_;
  Align align_ = Align::None;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::optional<Font> font_;
  Cursor cursor_ = Cursor::Default;
  bool aligning_ = false;
};

}  // namespace velmora::widgets
