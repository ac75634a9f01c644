#include "widgets/page_control.h"

#include <algorithm>

namespace velmora::widgets {

int PageControl::indexOf(const TabSheet& page) const {
  const auto it = std::find(pages_.begin(), pages_.end(), &page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void PageControl::addPage(TabSheet& page) {
  pages_.push_back(&page);
  notifyPeer(Change::Items);
  if (active_ < 0) active_ = 0;
  showActive();
}

void PageControl::removePage(TabSheet& page) {
  const int index = indexOf(page);
  if (index < 0) return;
  pages_.erase(pages_.begin() + index);
  if (active_ >= pageCount()) active_ = pageCount() - 1;
  notifyPeer(Change::Items);
  showActive();
}

void PageControl::showActive() {
  // Only the active page is visible; the pages all fill the page area.
  for (int i = 0; i < pageCount(); ++i) pages_[static_cast<std::size_t>(i)]->setVisible(i == active_);
}

void PageControl::setActivePageIndex(int index) {
  if (index < 0 || index >= pageCount() || index == active_) return;
  active_ = index;
  showActive();
  notifyPeer(Change::Selection);
}

bool PageControl::userChangePage(int index) {
  if (index < 0 || index >= pageCount() || index == active_) return false;
  if (!userMayChangePage()) return false;
  userPageChanged(index);
  return true;
}

bool PageControl::userMayChangePage() {
  bool allow = true;
  if (onChanging) fire([&] { onChanging(allow); });
  // The native tab control may already show another tab as chosen.
  if (!allow) notifyPeer(Change::Selection);
  return allow;
}

void PageControl::userPageChanged(int index) {
  if (index < 0 || index >= pageCount() || index == active_) return;
  setActivePageIndex(index);
  if (onChange) fire([&] { onChange(); });
}

Rect PageControl::clientArea() const {
  return {insets_.left, insets_.top, std::max(width() - insets_.left - insets_.right, 0),
          std::max(height() - insets_.top - insets_.bottom, 0)};
}

void PageControl::setPageInsets(Insets insets) {
  if (insets == insets_) return;
  insets_ = insets;
  realign();
}

TabSheet::TabSheet(PageControl& pageControl, std::string name)
    : Control(pageControl, std::move(name)), pageControl_(&pageControl) {
  setAlign(Align::Client);
  pageControl.addPage(*this);
}

TabSheet::~TabSheet() {
  destroyPeer();
  pageControl_->removePage(*this);
}

void TabSheet::captionChanged() { pageControl_->notifyPeer(Change::Items, pageIndex()); }

}  // namespace velmora::widgets
