#pragma once

#include <string>

#include "widgets/control.h"

namespace velmora::widgets {

// Static text, possibly of several lines ("\n" between them). With autoSize
// (the default) the label takes the size of its text whenever the caption or the
// font changes, so that code can centre it by its width.
class Label : public Control {
 public:
  Label(Control& parent, std::string name, std::string caption = {});

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool autoSize);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
  void captionChanged() override { fit(); }
  void fontChanged() override { fit(); }

 private:
  void fit();
  bool autoSize_ = true;
};

}  // namespace velmora::widgets
