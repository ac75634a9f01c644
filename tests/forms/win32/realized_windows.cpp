#include "realized_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>

#include "display_capture.h"
#include "platform/win32/wide.h"
#include "screenshot.h"
#include "widgets/buttons.h"
#include "widgets/combo_box.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/list_view.h"
#include "widgets/page_control.h"
#include "widgets/win32/win32_backend.h"

namespace velmora::widgets {

// Rectangles in the checks' messages.
void PrintTo(const Rect& r, std::ostream* out) {
  *out << '{' << r.left << ", " << r.top << ", " << r.width << " x " << r.height << '}';
}

}  // namespace velmora::widgets

namespace velmora::forms::testing {
namespace {

using platform::win32::narrow;
using platform::win32::widen;

// Room a control needs beside its caption's text: a check box's box and gap, a
// button's frame, a status bar's borders and size grip.
constexpr int kCheckBoxRoom = 18;
constexpr int kButtonRoom = 8;
constexpr int kStatusBarRoom = 24;

HWND windowOf(const widgets::Component& component) {
  return reinterpret_cast<HWND>(component.peer()->nativeHandle());
}

// Pictures taken at another DPI than the designed one say so in their names.
std::wstring shotPath(const widgets::Form& form, const std::string& name) {
  std::wstring path = widgets::testing::outputFolder() + L"\\forms_" + widen(name);
  if (const int dpi = form.scale().dpi(); dpi != widgets::DisplayScale::kDesignDpi)
    path += L"_" + std::to_wstring(dpi) + L"dpi";
  return path + L".bmp";
}

// The DPI this run asked Wine for (scripts/wine-exec sets it in the prefix before
// the test starts), or the designed one.
int requestedDpi() {
  const char* dpi = std::getenv("VELMORA_WINE_DPI");
  return dpi && *dpi ? std::atoi(dpi) : widgets::DisplayScale::kDesignDpi;
}

// Where a control's window is in its parent's window, in pixels.
widgets::Rect nativeBounds(const widgets::Control& control) {
  HWND hwnd = windowOf(control);
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// On a page of a page control that is not the active one.
bool onHiddenPage(const widgets::Control& control) {
  for (const widgets::Control* c = control.parent(); c && c->parent(); c = c->parent())
    if (!c->visible()) return true;
  return false;
}

}  // namespace

std::string windowsPath(const std::string& linuxPath) {
  std::string path = "Z:";
  for (char c : linuxPath) path += c == '/' ? '\\' : c;
  return path;
}

RealizedWindowsTest::RealizedWindowsTest() : app(std::make_unique<widgets::win32::Win32Backend>()) {
  app.setTitle("Velmora Disk Cleaner 1.3");
}

void RealizedWindowsTest::pump() {
  for (int i = 0; i < 10; ++i) {
    app.processMessages();
    // Wine hands what a window painted to the X server a little later, while
    // the thread waits for messages.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
  }
}

void RealizedWindowsTest::saveShot(const widgets::Form& form, const std::string& name) {
  // From the X display, which is what a user sees: a window that reached only
  // Wine's own surfaces is black there.
  widgets::testing::WindowPicture picture;
  const std::wstring path = shotPath(form, name);
  EXPECT_TRUE(widgets::testing::captureFromDisplay(windowOf(form), picture) &&
              widgets::testing::saveBitmap(picture, path))
      << narrow(path);
  EXPECT_GT(picture.distinctColours(), 8) << name << ": the picture shows a drawn window, not a blank area";
  EXPECT_LT(picture.blackShare(), 0.5) << name << ": mostly black on the display";
}

void RealizedWindowsTest::shoot(widgets::Form& form, const std::string& name,
                                const std::function<void()>& beforeShot) {
  form.show();
  if (beforeShot) beforeShot();
  HWND hwnd = windowOf(form);
  SetForegroundWindow(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  pump();
  saveShot(form, name);
  form.hide();
  pump();
}

void RealizedWindowsTest::expectEverythingFits(widgets::Form& form) {
  SCOPED_TRACE(form.name());
  // Realized, a form has its display's DPI, and its texts are measured there.
  form.realize();
  EXPECT_EQ(form.scale().dpi(), requestedDpi()) << "the window's DPI is the display's";
  const widgets::DisplayScale scale = form.scale();
  for (widgets::Component* component : form.components()) {
    const auto* control = dynamic_cast<const widgets::Control*>(component);
    if (control == nullptr || !control->visible() || control->parent() == nullptr || onHiddenPage(*control))
      continue;
    SCOPED_TRACE(control->name());
    const widgets::Control& parent = *control->parent();
    // A form places its controls in its client area, any other control in all
    // of itself.
    const widgets::Rect area = parent.parent() == nullptr
                                   ? parent.clientArea()
                                   : widgets::Rect{0, 0, parent.width(), parent.height()};
    EXPECT_GE(control->left(), 0);
    EXPECT_GE(control->top(), 0);
    EXPECT_LE(control->bounds().right(), area.width);
    EXPECT_LE(control->bounds().bottom(), area.height);

    const widgets::Size text = control->textSize(control->caption());
    if (dynamic_cast<const widgets::Label*>(control)) {
      // A label of several lines' height wraps its text onto them. Lines are
      // counted by measuring them: at other scales than the designed one, n lines
      // need not be exactly n times one in units.
      int lines = 1;
      for (std::string more = "1\n2"; lines < 8 && control->textSize(more).height <= control->height();
           more += "\n3")
        ++lines;
      EXPECT_LE(text.width, lines * control->width()) << '"' << control->caption() << '"';
    } else if (dynamic_cast<const widgets::CheckBox*>(control)) {
      EXPECT_LE(text.width + kCheckBoxRoom, control->width()) << '"' << control->caption() << '"';
    } else if (dynamic_cast<const widgets::Button*>(control)) {
      EXPECT_LE(text.width + kButtonRoom, control->width()) << '"' << control->caption() << '"';
    } else if (dynamic_cast<const widgets::StatusBar*>(control)) {
      EXPECT_LE(text.width + kStatusBarRoom, control->width()) << '"' << control->caption() << '"';
    }

    // The window is where the object says, in the display's pixels; a drop-down
    // list's height is its font's, the object's is that of the open list.
    const widgets::Rect pixels = scale.toPixels(control->bounds());
    const widgets::Rect native = nativeBounds(*control);
    if (dynamic_cast<const widgets::ComboBox*>(control))
      EXPECT_EQ((widgets::Rect{native.left, native.top, native.width, pixels.height}), pixels);
    else
      EXPECT_EQ(native, pixels);
    if (const auto* list = dynamic_cast<const widgets::ListView*>(control)) {
      for (int i = 0; i < list->columnCount(); ++i)
        EXPECT_EQ(SendMessageW(windowOf(*list), LVM_GETCOLUMNWIDTH, i, 0),
                  scale.toPixels(list->column(i).width))
            << "column " << i;
    }

    // The pages of a page control lie on top of one another by design.
    if (dynamic_cast<const widgets::PageControl*>(&parent)) continue;
    for (const widgets::Control* sibling : parent.children()) {
      if (sibling == control || !sibling->visible()) continue;
      const widgets::Rect a = control->bounds();
      const widgets::Rect b = sibling->bounds();
      const bool overlap =
          a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
      EXPECT_FALSE(overlap) << "overlaps " << sibling->name();
    }
  }
}

void RealizedWindowsTest::expectScreenShowsFreshPaint(const widgets::Form& form, const std::string& name) {
  HWND hwnd = windowOf(form);
  pump();
  widgets::testing::WindowPicture screen;
  ASSERT_TRUE(widgets::testing::captureWindow(hwnd, screen));
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  pump();
  widgets::testing::WindowPicture fresh;
  ASSERT_TRUE(widgets::testing::captureWindow(hwnd, fresh));
  const int different = screen.pixelsDifferentFrom(fresh);
  EXPECT_EQ(different, 0) << name << ": pixels that a fresh paint shows otherwise";
  if (different != 0) {
    widgets::testing::saveBitmap(screen, shotPath(form, name + "_screen"));
    widgets::testing::saveBitmap(fresh, shotPath(form, name + "_fresh"));
  }
}

}  // namespace velmora::forms::testing
