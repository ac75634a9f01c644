#include "widgets/edits.h"

namespace velmora::widgets {

Edit::Edit(Control& parent, std::string name) : Control(parent, std::move(name)) { setSize(121, 21); }

void Edit::userSetText(std::string text) {
  if (text == this->text()) return;
  setText(std::move(text));
  if (onChange) fire([&] { onChange(); });
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

Memo::Memo(Control& parent, std::string name) : Control(parent, std::move(name)) { setSize(185, 89); }

void Memo::setLines(std::vector<std::string> lines) {
  if (lines == lines_) return;
  lines_ = std::move(lines);
  notifyPeer(Change::Caption);
}

std::string Memo::text() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += "\r\n";
    out += lines_[i];
  }
  return out;
}

void Memo::setText(std::string_view text) { setLines(splitLines(text)); }

void Memo::userSetText(std::string_view text) {
  auto lines = splitLines(text);
  if (lines == lines_) return;
  // The window already shows what the user typed. Written back, the text would
  // lose a last line break just typed (lines drop it) and the caret would jump to
  // the start, where the next keystrokes would land in the first line.
  lines_ = std::move(lines);
  if (onChange) fire([&] { onChange(); });
}

}  // namespace velmora::widgets
