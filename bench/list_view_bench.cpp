// How long a headless list view takes to add a million rows.
#include <memory>

#include "list_view_timing.h"
#include "widgets/headless_backend.h"

int main() {
  using namespace velmora::widgets;
  Application app(std::make_unique<HeadlessBackend>());
  Form form(app, "TForm1");
  velmora::bench::timeMillionRows(app, form, "list view, headless:");
  return 0;
}
