#pragma once

#include <functional>
#include <string>
#include <vector>

#include "widgets/control.h"

namespace velmora::widgets {

class TabSheet;

// Tabs over a stack of pages (tab sheets, its children, in creation order); the
// active page is the one shown.
class PageControl : public Control {
 public:
  bool tabStop() const override { return true; }
  PageControl(Control& parent, std::string name) : Control(parent, std::move(name)) {}

  int pageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet& page(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
  int indexOf(const TabSheet& page) const;

  // The active page's index, -1 without pages. Setting it fires no event.
  int activePageIndex() const { return active_; }
  TabSheet* activePage() const { return active_ < 0 ? nullptr : pages_[static_cast<std::size_t>(active_)]; }
  void setActivePageIndex(int index);
  void setActivePage(TabSheet& page) { setActivePageIndex(indexOf(page)); }

  // The user clicks another tab: the page-change request (onChanging) may
  // refuse; otherwise the page changes and onChange fires. Returns whether
  // the page changed.
  bool userChangePage(int index);
  // The two halves of it, for the native tab control, which asks before it
  // says which tab was clicked: the request (true when allowed), then the
  // change to the tab it chose.
  bool userMayChangePage();
  void userPageChanged(int index);

  // The page-change request: set allow to false to keep the page.
  std::function<void(bool& allow)> onChanging;
  std::function<void()> onChange;

  // The area the pages take: all of the control but the tab strip and border.
  // The headless one is a standard estimate; a native peer reports the real
  // one (setPageInsets).
  Rect clientArea() const override;
  void setPageInsets(Insets insets);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  friend class TabSheet;
  void addPage(TabSheet& page);
  void removePage(TabSheet& page);
  void showActive();

  std::vector<TabSheet*> pages_;
  int active_ = -1;
  Insets insets_{4, 24, 4, 4};
};

// One page of a page control; its caption is the tab's text.
class TabSheet : public Control {
 public:
  TabSheet(PageControl& pageControl, std::string name);
  ~TabSheet() override;

  PageControl& pageControl() const { return *pageControl_; }
  int pageIndex() const { return pageControl_->indexOf(*this); }

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
  void captionChanged() override;

 private:
  PageControl* pageControl_;
};

}  // namespace velmora::widgets
