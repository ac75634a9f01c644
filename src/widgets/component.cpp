#include "widgets/component.h"

#include "widgets/application.h"
#include "widgets/form.h"

namespace velmora::widgets {

Component::Component(Form& owner, std::string name) : form_(&owner), name_(std::move(name)) {
  owner.adopt(*this);
}

Component::Component(std::string name) : name_(std::move(name)) {}

Component::~Component() {
  peer_.reset();
  if (form_ && form_ != this) form_->release(*this);
}

void Component::fire(const std::function<void()>& call) const { form_->application().guard(call); }

}  // namespace velmora::widgets
