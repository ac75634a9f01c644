#include "widgets/tab_order.h"

#include <algorithm>

namespace velmora::widgets {
namespace {

// Children in reading order. Controls share a row when one starts above the
// middle of the first of that row: a button and the edit box beside it are a row
// though their tops differ by a pixel or two.
std::vector<Control*> readingOrder(const Control& parent) {
  std::vector<Control*> byTop = parent.children();
  std::stable_sort(byTop.begin(), byTop.end(),
                   [](const Control* a, const Control* b) { return a->top() < b->top(); });
  std::vector<Control*> ordered;
  for (std::size_t rowStart = 0; rowStart < byTop.size();) {
    const Control& first = *byTop[rowStart];
    const int rowMiddle = first.top() + std::max(first.height(), 1) / 2;
    std::size_t rowEnd = rowStart + 1;
    while (rowEnd < byTop.size() && byTop[rowEnd]->top() < rowMiddle) ++rowEnd;
    const auto begin = byTop.begin() + static_cast<std::ptrdiff_t>(rowStart);
    const auto end = byTop.begin() + static_cast<std::ptrdiff_t>(rowEnd);
    std::stable_sort(begin, end, [](const Control* a, const Control* b) { return a->left() < b->left(); });
    ordered.insert(ordered.end(), begin, end);
    rowStart = rowEnd;
  }
  return ordered;
}

void collect(const Control& parent, std::vector<Control*>& stops) {
  for (Control* child : readingOrder(parent)) {
    if (!child->visible() || !child->enabled()) continue;
    if (child->tabStop()) stops.push_back(child);
    collect(*child, stops);
  }
}

}  // namespace

std::vector<Control*> tabOrder(const Form& form) {
  std::vector<Control*> stops;
  collect(form, stops);
  return stops;
}

Control* nextInTabOrder(const Form& form, const Control* from, bool backwards) {
  const std::vector<Control*> stops = tabOrder(form);
  if (stops.empty()) return nullptr;
  const auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return backwards ? stops.back() : stops.front();
  const std::size_t index = static_cast<std::size_t>(at - stops.begin());
  const std::size_t count = stops.size();
  return stops[backwards ? (index + count - 1) % count : (index + 1) % count];
}

}  // namespace velmora::widgets
