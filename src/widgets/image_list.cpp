#include "widgets/image_list.h"

#include "widgets/form.h"
#include "widgets/list_view.h"

namespace velmora::widgets {

void ImageList::attach(std::uintptr_t handle) {
  if (handle == handle_) return;
  handle_ = handle;
  for (Component* c : form().components())
    if (auto* list = dynamic_cast<ListView*>(c); list && list->smallImages() == this)
      list->notifyPeer(Change::Images);
}

}  // namespace velmora::widgets
