#include "widgets/control.h"

#include <algorithm>

#include "widgets/application.h"
#include "widgets/form.h"

namespace velmora::widgets {

Control::Control(Control& parent, std::string name)
    : Component(parent.form(), std::move(name)), parent_(&parent) {
  parent.children_.push_back(this);
}

Control::Control(std::string name) : Component(std::move(name)) {}

Control::~Control() {
  // The peer goes first: a native child window must be destroyed before the
  // object it reads from, and before its parent's window.
  destroyPeer();
  for (Control* child : children_) child->parent_ = nullptr;
  if (parent_) std::erase(parent_->children_, this);
}

void Control::setBounds(Rect bounds) {
  if (bounds.width < 0) bounds.width = 0;
  if (bounds.height < 0) bounds.height = 0;
  if (bounds == bounds_) return;
  applyBounds(bounds);
  if (parent_ && align_ != Align::None) parent_->realign();
}

void Control::applyBounds(Rect bounds) {
  if (bounds == bounds_) return;
  const bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
  bounds_ = bounds;
  notifyPeer(Change::Bounds);
  if (resized) realign();
}

void Control::setAlign(Align align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->realign();
}

void Control::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  notifyPeer(Change::Visible);
  if (parent_ && align_ != Align::None) parent_->realign();
  // The controls inside, laid out now, get the windows they waited for.
  if (visible && parent_ && form().peer()) form().realize();
}

bool Control::peerWanted() const {
  // The form's own visibility does not count: its controls are made before it
  // is first shown.
  for (const Control* c = parent_; c && c->parent_; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

bool Control::showing() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void Control::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  notifyPeer(Change::Enabled);
}

void Control::setCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  notifyPeer(Change::Caption);
  captionChanged();
}

const Font& Control::font() const {
  static const Font standard;
  if (font_) return *font_;
  return parent_ ? parent_->font() : standard;
}

void Control::setFont(Font font) {
  if (font_ && *font_ == font) return;
  font_ = std::move(font);
  fontChangedInTree();
}

void Control::setFontColor(Color color) {
  Font f = font();
  f.color = color;
  setFont(std::move(f));
}

void Control::fontChangedInTree() {
  notifyPeer(Change::Font);
  fontChanged();
  for (Control* child : children_)
    if (child->parentFont()) child->fontChangedInTree();
}

Size Control::textSize(std::string_view text) const {
  return form().application().backend().measureText(font(), text, form().scale().dpi());
}

void Control::scaleChanged() {
  notifyPeer(Change::Scale);
  fontChanged();
}

void Control::setCursor(Cursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  notifyPeer(Change::Cursor);
}

void Control::realign() {
  // A child placed here may resize and lay out its own children, but never asks
  // this control to lay out again while it is doing so.
  if (aligning_) return;
  aligning_ = true;
  Rect rest = clientArea();
  const Align order[] = {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};
  for (Align pass : order) {
    for (Control* child : children_) {
      if (child->align_ != pass || !child->visible_) continue;
      Rect r = child->bounds_;
      // Edge controls keep their own height or width even when the parent is
      // too small for them, so that they come back unchanged when it grows.
      switch (pass) {
        case Align::Top:
          r = {rest.left, rest.top, rest.width, r.height};
          rest.top += r.height;
          rest.height -= r.height;
          break;
        case Align::Bottom:
          r = {rest.left, rest.bottom() - r.height, rest.width, r.height};
          rest.height -= r.height;
          break;
        case Align::Left:
          r = {rest.left, rest.top, r.width, rest.height};
          rest.left += r.width;
          rest.width -= r.width;
          break;
        case Align::Right:
          r = {rest.right() - r.width, rest.top, r.width, rest.height};
          rest.width -= r.width;
          break;
        case Align::Client:
          r = rest;
          break;
        case Align::None:
          break;
      }
      r.width = std::max(r.width, 0);
      r.height = std::max(r.height, 0);
      child->applyBounds(r);
    }
  }
  aligning_ = false;
}

void Control::userMouseMove(Point at) {
  if (onMouseMove) fire([&] { onMouseMove(at); });
}

void Control::userMouseDown(MouseButton button, Point at) {
  if (onMouseDown) fire([&] { onMouseDown(button, at); });
}

}  // namespace velmora::widgets
