#include "widgets/form.h"

#include <algorithm>
#include <stdexcept>

#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/menu.h"

namespace velmora::widgets {
namespace {

// Frames of the standard Windows look, used until a native peer reports the
// real ones (a headless form keeps them).
Insets standardFrame(BorderStyle style, bool hasMenu) {
  Insets frame = style == BorderStyle::Sizeable ? Insets{8, 31, 8, 8} : Insets{3, 26, 3, 3};
  if (hasMenu) frame.top += 20;
  return frame;
}

}  // namespace

Form::Form(Application& app, std::string name) : Control(std::move(name)), app_(&app) {
  form_ = this;
  setVisibleSilently(false);
  frame_ = standardFrame(borderStyle_, false);
}

Form::~Form() {
  // Tasks posted for this form are dropped from now on.
  lifetime_.stop();
  if (modalDisabled_) app_->backend().endModal(*this);
  app_->forget(*this);
  destroyPeer();
}

std::unique_ptr<Peer> Form::createPeer(PeerFactory& factory) { return factory.make(*this); }

void Form::release(Component& component) { std::erase(components_, &component); }

void Form::attachMenu(MainMenu* menu) {
  menu_ = menu;
  updateStandardFrame();
}

void Form::setBorderStyle(BorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  notifyPeer(Change::Options);
  updateStandardFrame();
}

void Form::updateStandardFrame() {
  // A native peer measures the real frame itself when the border or menu changes.
  if (!peer()) setFrame(standardFrame(borderStyle_, menu_ != nullptr));
}

Rect Form::clientArea() const {
  return {0, 0, std::max(width() - frame_.left - frame_.right, 0),
          std::max(height() - frame_.top - frame_.bottom, 0)};
}

void Form::setClientSize(int width, int height) {
  sizedByClient_ = true;
  setSize(width + frame_.left + frame_.right, height + frame_.top + frame_.bottom);
}

void Form::setFrame(Insets frame) {
  if (frame == frame_) return;
  const int clientW = clientWidth();
  const int clientH = clientHeight();
  frame_ = frame;
  if (sizedByClient_)
    setSize(clientW + frame_.left + frame_.right, clientH + frame_.top + frame_.bottom);
  else
    realign();
}

bool Form::requestResize(int& width, int& height) {
  if (!onCanResize) return true;
  bool allowed = true;
  fire([&] { allowed = onCanResize(width, height); });
  return allowed;
}

void Form::setBounds(Rect bounds) { changeBounds(bounds); }

bool Form::changeBounds(Rect bounds) {
  const Rect before = this->bounds();
  bool allowed = true;
  if (bounds.width != before.width || bounds.height != before.height) {
    allowed = requestResize(bounds.width, bounds.height);
    if (!allowed) {
      bounds.width = before.width;
      bounds.height = before.height;
    }
  }
  Control::setBounds(bounds);
  if (before.width != width() || before.height != height()) {
    if (onResize) fire([&] { onResize(); });
  }
  return allowed;
}

bool Form::userResize(int width, int height) { return changeBounds({left(), top(), width, height}); }

void Form::nativeBoundsChanged(Rect bounds) {
  const Rect before = this->bounds();
  applyBounds(bounds);
  if (before.width != width() || before.height != height()) {
    if (onResize) fire([&] { onResize(); });
  }
}

void Form::nativeDpiChanged(int dpi) {
  if (dpi == scale_.dpi()) return;
  scale_ = DisplayScale(dpi);
  // In creation order, parents before children; the form itself first.
  scaleChanged();
  for (Component* c : components_)
    if (auto* control = dynamic_cast<Control*>(c)) control->scaleChanged();
  if (onDpiChanged) fire([&] { onDpiChanged(); });
}

void Form::place() {
  // The backend measures the screen in pixels.
  Rect area;
  switch (placement_) {
    case FormPlacement::Designed:
      return;
    case FormPlacement::ScreenCenter:
      area = app_->backend().screen();
      break;
    case FormPlacement::DesktopCenter:
      area = app_->backend().workArea();
      break;
    case FormPlacement::OwnerCenter: {
      Form* owner = app_->mainForm();
      // The owner's bounds are in its own units, which differ from this form's
      // when the two are on displays of different DPI.
      area = owner && owner != this ? owner->scale().toPixels(owner->bounds()) : app_->backend().screen();
      break;
    }
  }
  area = scale_.toUnits(area);
  int left = area.left + (area.width - width()) / 2;
  int top = area.top + (area.height - height()) / 2;
  // Centred on a small owner near a screen edge, a form must still show its title bar.
  const Rect work = scale_.toUnits(app_->backend().workArea());
  left = std::max(work.left, std::min(left, work.right() - width()));
  top = std::max(work.top, std::min(top, work.bottom() - height()));
  setPosition(left, top);
}

void Form::show() {
  realize();
  if (visible()) {
    bringToFront();
    return;
  }
  place();
  // As in every Windows toolkit, the show event comes before the window appears,
  // so that a handler can still fill it (or show another form first).
  setVisibleSilently(true);
  if (onShow) fire([&] { onShow(); });
  if (visible()) notifyPeer(Change::Visible);
}

void Form::close() {
  if (closing_) return;
  closing_ = true;
  if (onClose) fire([&] { onClose(); });
  closing_ = false;
  if (modal_) {
    if (modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
    // The other forms take input again before this one goes, so that Windows
    // hands the activation back to them and not to another program.
    endModalLoop();
  }
  hide();
  if (app_->mainForm() == this) app_->terminate();
  app_->backend().wake();
}

void Form::endModalLoop() {
  if (!modalDisabled_) return;
  modalDisabled_ = false;
  app_->backend().endModal(*this);
}

ModalResult Form::showModal() {
  if (visible() || modal_) throw std::logic_error("Cannot make a visible window modal: " + name());
  modal_ = true;
  modalResult_ = ModalResult::None;
  modalDisabled_ = true;
  app_->backend().beginModal(*this);
  try {
    show();
    app_->backend().runUntil(
        [this] { return modalResult_ != ModalResult::None || !visible() || app_->terminated(); });
  } catch (...) {
    endModalLoop();
    modal_ = false;
    hide();
    throw;
  }
  endModalLoop();
  modal_ = false;
  hide();
  return modalResult_ == ModalResult::None ? ModalResult::Cancel : modalResult_;
}

void Form::setModalResult(ModalResult result) {
  modalResult_ = result;
  if (modal_ && result != ModalResult::None) close();
}

void Form::setWindowState(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  notifyPeer(Change::WindowState);
}

void Form::userEscape() {
  for (Component* component : components_)
    if (auto* button = dynamic_cast<Button*>(component);
        button && button->isCancel() && button->showing() && button->enabled()) {
      button->click();
      return;
    }
  if (modal_) userClose();
}

void Form::endSession() {
  if (onEndSession) fire([&] { onEndSession(); });
}

void Form::userMinimize() {
  setWindowState(WindowState::Minimized);
  if (onMinimize) fire([&] { onMinimize(); });
}

void Form::sendToTray() {
  if (inTray_) return;
  inTray_ = true;
  notifyPeer(Change::WindowState);
}

void Form::returnFromTray() {
  inTray_ = false;
  windowState_ = WindowState::Normal;
  notifyPeer(Change::WindowState);
  bringToFront();
}

bool Form::userShortcut(const Shortcut& shortcut) {
  if (!menu_ || shortcut.empty()) return false;
  MenuItem* item = menu_->findShortcut(shortcut);
  if (!item) return false;
  item->click();
  return true;
}

void Form::realize() {
  PeerFactory* factory = app_->backend().peerFactory();
  if (!factory) return;
  if (!peer_) {
    peer_ = createPeer(*factory);
    // The frame the new window measured may have changed the size while the
    // peer was being made, before it could hear of it.
    notifyPeer(Change::Bounds);
    // The menu bar next: it changes the frame, and with it the client area every
    // control is laid out in. Made before the controls' windows, it moves none
    // of them.
    if (Component* menu = menu_; menu && !menu->peer_ && menu->peerWanted())
      menu->peer_ = menu->createPeer(*factory);
  }
  if (realizing_) {
    realizeAgain_ = true;
    return;
  }
  realizing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{realizing_};
  // Creation order puts every parent before its children. Indexing, because a
  // peer being made may not add components, but must not see a moved vector.
  do {
    realizeAgain_ = false;
    for (std::size_t i = 0; i < components_.size(); ++i) {
      Component* c = components_[i];
      if (!c->peer_ && c->peerWanted()) c->peer_ = c->createPeer(*factory);
    }
  } while (realizeAgain_);
}

Component* Form::findComponent(std::string_view name) const {
  if (this->name() == name) return const_cast<Form*>(this);
  for (Component* c : components_)
    if (c->name() == name) return c;
  return nullptr;
}

}  // namespace velmora::widgets
