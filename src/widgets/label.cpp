#include "widgets/label.h"

#include "widgets/application.h"
#include "widgets/form.h"

namespace velmora::widgets {

Label::Label(Control& parent, std::string name, std::string caption) : Control(parent, std::move(name)) {
  setCaption(std::move(caption));
  fit();
}

void Label::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  fit();
}

void Label::fit() {
  if (!autoSize_) return;
  const Size size = textSize(caption());
  setSize(size.width, size.height);
}

}  // namespace velmora::widgets
