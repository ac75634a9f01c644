#pragma once

#include <functional>
#include <memory>
#include <string>

#include "widgets/peer.h"

namespace velmora::widgets {

class Form;

// Anything a form holds by name: its controls, menus and menu items, timers, image
// lists and tray icon. The language loader finds captions by these names
// (Form::findComponent). A component belongs to one form for its whole life,
// cannot be copied, and may have a native peer once its form is realized.
class Component {
 public:
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component();

  const std::string& name() const { return name_; }
  Form& form() const { return *form_; }
  Peer* peer() const { return peer_.get(); }

 protected:
  // A component of owner, registered with it in creation order.
  Component(Form& owner, std::string name);
  // The form itself, which is its own owner (see Form's constructor).
  explicit Component(std::string name);

  // Creates this component's native peer; components without one (menu items,
  // timers, image lists) keep the default.
  virtual std::unique_ptr<Peer> createPeer(PeerFactory&) { return nullptr; }
  // Whether the peer is to be made when the form is realized, or may wait until
  // the component can be seen (see Control).
  virtual bool peerWanted() const { return true; }

  // Tells the peer, if there is one, what changed.
  void notifyPeer(Change what, int index = -1) const {
    if (peer_) peer_->changed(what, index);
  }

  // Runs an event handler. An exception that escapes it goes to the
  // application, which shows its text, so that a failing handler never ends the
  // message loop or crosses a window procedure.
  void fire(const std::function<void()>& call) const;

  // Destroys the peer before the rest of a component goes, for the components
  // whose peer must not outlive part of them.
  void destroyPeer() { peer_.reset(); }

 private:
  friend class Form;
  Form* form_ = nullptr;
  std::string name_;
  std::unique_ptr<Peer> peer_;
};

}  // namespace velmora::widgets
