#pragma once

#include <string>

#include "widgets/control.h"

namespace velmora::widgets {

enum class Bevel { None, Raised, Lowered };

// A plain container with an optional one-pixel bevel, inside which its aligned
// children are laid out. It draws no caption.
class Panel : public Control {
 public:
  Panel(Control& parent, std::string name) : Control(parent, std::move(name)) {}

  Bevel bevel() const { return bevel_; }
  void setBevel(Bevel bevel);

  Rect clientArea() const override;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  Bevel bevel_ = Bevel::Raised;
};

// A framed container with its caption in the frame's top edge.
class GroupBox : public Control {
 public:
  GroupBox(Control& parent, std::string name) : Control(parent, std::move(name)) {}

  Rect clientArea() const override;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
};

}  // namespace velmora::widgets
