#pragma once

#include <cstdint>
#include <string>

#include "widgets/component.h"

namespace velmora::widgets {

// A list of small images that list views draw row icons from. The program
// attaches one that already exists by its handle (the system's small-icon list,
// from the shell service); the image list is shared, never destroyed here.
class ImageList : public Component {
 public:
  ImageList(Form& owner, std::string name) : Component(owner, std::move(name)) {}

  std::uintptr_t handle() const { return handle_; }
  // Attaches an existing native image list (0 detaches); the list views that
  // use this image list draw from it from now on.
  void attach(std::uintptr_t handle);

 private:
  std::uintptr_t handle_ = 0;
};

}  // namespace velmora::widgets
