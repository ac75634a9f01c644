#pragma once

#include <functional>
#include <string>
#include <vector>

#include "widgets/control.h"

namespace velmora::widgets {

// A one-line text box. Its text is the control's caption.
class Edit : public Control {
 public:
  bool tabStop() const override { return true; }
  Edit(Control& parent, std::string name);

  const std::string& text() const { return caption(); }
  void setText(std::string text) { setCaption(std::move(text)); }

  std::function<void()> onChange;
  // The user changed the text: the object takes it and onChange fires.
  void userSetText(std::string text);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
};

// A multi-line text box, read and written as lines.
class Memo : public Control {
 public:
  bool tabStop() const override { return true; }
  Memo(Control& parent, std::string name);

  const std::vector<std::string>& lines() const { return lines_; }
  void setLines(std::vector<std::string> lines);
  // All lines joined by CR LF; setting splits at CR LF, LF or CR, and a line end
  // at the very end adds no empty line.
  std::string text() const;
  void setText(std::string_view text);

  std::function<void()> onChange;
  // The user changed the text in the window: the object takes its lines and
  // onChange fires; the window's own text is left as the user typed it.
  void userSetText(std::string_view text);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  std::vector<std::string> lines_;
};

// Splits text into lines at CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace velmora::widgets
