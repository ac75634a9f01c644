// How long a list view with a realized (native, owner-data) peer takes to add a
// million rows, next to a headless one, in the Windows build under Wine.
#include <memory>

#include "list_view_timing.h"
#include "widgets/headless_backend.h"
#include "widgets/win32/win32_backend.h"

int main() {
  using namespace velmora::widgets;
  {
    Application app(std::make_unique<HeadlessBackend>());
    Form form(app, "TForm1");
    velmora::bench::timeMillionRows(app, form, "list view, headless:");
  }
  {
    Application app(std::make_unique<win32::Win32Backend>());
    Form form(app, "TForm1");
    form.setCaption("List view benchmark");
    form.setClientSize(500, 400);
    form.show();
    velmora::bench::timeMillionRows(app, form, "list view, realized native peer:");
  }
  return 0;
}
