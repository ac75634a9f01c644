#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/control.h"
#include "widgets/display_scale.h"
#include "widgets/run_token.h"
#include "widgets/shortcut.h"

namespace velmora::widgets {

class Application;
class MainMenu;

enum class BorderStyle { Sizeable, Dialog };
// Where a form appears when shown: where it was put, centred on the screen,
// centred on the desktop's work area, or centred on the main form.
enum class FormPlacement { Designed, ScreenCenter, DesktopCenter, OwnerCenter };
enum class WindowState { Normal, Minimized, Maximized };
enum class ModalResult { None, Ok, Cancel, Yes, No, Abort };

// A top-level window and the owner of every component created on it. Its
// bounds are its outer bounds on the screen; its children are laid out in its
// client area. A form is realized (gets native peers for itself and its
// components) when first shown on a backend that makes peers; until then, and
// for ever on a headless backend, it works without them.
class Form : public Control {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& application() const { return *app_; }

  BorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(BorderStyle style);
  FormPlacement placement() const { return placement_; }
  void setPlacement(FormPlacement placement) { placement_ = placement; }

  // The DPI of the display the form is on, and the scale its peers turn units
  // into pixels with. 96 until a native peer reports another.
  DisplayScale scale() const { return scale_; }

  // The client area's size; setting it keeps the client size when the frame
  // changes (a menu is attached, the native frame turns out wider).
  int clientWidth() const { return clientArea().width; }
  int clientHeight() const { return clientArea().height; }
  void setClientSize(int width, int height);
  Rect clientArea() const override;

  // The frame around the client area: border, title bar and menu bar. The
  // headless frame is a standard one; a native peer reports the real one.
  const Insets& frame() const { return frame_; }
  void setFrame(Insets frame);

  // A change of size goes through the resize request (onCanResize) first, from
  // code and from the user alike, and the form takes the size the request
  // leaves, or keeps its size when the request refuses.
  void setBounds(Rect bounds) override;

  MainMenu* menu() const { return menu_; }

  // Shows the form (placing it first as its placement says) and fires onShow
  // before the window appears. Showing a visible form brings it to the front.
  void show();
  void hide() { setVisible(false); }
  // Fires onClose and hides the form; closing a modal form ends its modal loop,
  // and closing the main form ends the application.
  void close();
  // Shows the form and runs a modal loop until it closes; returns its modal
  // result (Cancel when it was closed without one).
  ModalResult showModal();
  bool modal() const { return modal_; }
  ModalResult modalResult() const { return modalResult_; }
  // A result other than None closes a modal form.
  void setModalResult(ModalResult result);

  WindowState windowState() const { return windowState_; }
  void setWindowState(WindowState state);
  void bringToFront() { notifyPeer(Change::Activate); }

  // The form and its task-bar button leave the screen; the application keeps
  // running (see Application::hideMainWindow). Coming back restores and
  // activates it. Neither fires onShow: the form never stopped being visible.
  void sendToTray();
  void returnFromTray();
  bool inTray() const { return inTray_; }

  // Windows ends the session (log-off, shutdown) and will end the program without
  // closing its windows: fires onEndSession, and nothing else changes.
  void endSession();

  // User actions: drags the frame (false when the request refused), clicks the
  // close box, minimizes the window, presses a key combination.
  bool userResize(int width, int height);
  void userClose() { close(); }
  // Esc: clicks the form's cancel button when one is showing and enabled, or
  // else closes a modal form as its close box does; other forms stay.
  void userEscape();
  void userMinimize();
  // A main-menu item with this shortcut, visible and enabled, is clicked; true
  // when one was.
  bool userShortcut(const Shortcut& shortcut);

  // The native peer's side of a user resize: the resize request, run before
  // the window takes the new size (true when allowed, with the size it may have
  // changed); then the new bounds the window took by itself.
  bool requestResize(int& width, int& height);
  void nativeBoundsChanged(Rect bounds);
  // The native side's report that the form is on a display of another DPI: every
  // control shows its units in the new pixels and fits its text again, then
  // onDpiChanged fires.
  void nativeDpiChanged(int dpi);

  // Creates the peers of the form and of every component that has none yet and
  // wants one now (see Control::peerWanted); does nothing on a headless backend.
  void realize();

  // The component named name (the form itself included), or null.
  Component* findComponent(std::string_view name) const;
  template <class T>
  T* find(std::string_view name) const {
    return dynamic_cast<T*>(findComponent(name));
  }
  const std::vector<Component*>& components() const { return components_; }

  // A token stopped when the form is destroyed: tasks posted with it are
  // dropped once the form is gone.
  const RunToken& lifetime() const { return lifetime_; }

  std::function<void()> onShow;
  std::function<void()> onClose;
  std::function<void()> onResize;
  std::function<void()> onMinimize;
  // The session ends: what closing would keep must be kept now.
  std::function<void()> onEndSession;
  // The form is on a display of another DPI (also when it is first realized
  // there): figures a form worked out from measured text are worked out again,
  // since text is not exactly as wide at every scale.
  std::function<void()> onDpiChanged;
  // The resize request: may change the size asked for, or refuse it (false).
  std::function<bool(int& width, int& height)> onCanResize;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override;

 private:
  friend class Component;
  friend class MainMenu;
  void adopt(Component& component) { components_.push_back(&component); }
  void release(Component& component);
  void attachMenu(MainMenu* menu);
  void place();
  bool changeBounds(Rect bounds);
  void updateStandardFrame();
  void endModalLoop();

  Application* app_;
  std::vector<Component*> components_;
  MainMenu* menu_ = nullptr;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  FormPlacement placement_ = FormPlacement::Designed;
  WindowState windowState_ = WindowState::Normal;
  Insets frame_;
  DisplayScale scale_;
  bool sizedByClient_ = false;
  bool modal_ = false;
  bool modalDisabled_ = false;
  bool closing_ = false;
  // A control shown while peers are being made asks for another round rather
  // than a realize inside the one running.
  bool realizing_ = false;
  bool realizeAgain_ = false;
  bool inTray_ = false;
  ModalResult modalResult_ = ModalResult::None;
  RunToken lifetime_;
};

}  // namespace velmora::widgets
