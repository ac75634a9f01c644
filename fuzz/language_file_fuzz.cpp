// A language file of any content applied to the real windows of the program, as
// the language menu applies it: no text, however long or damaged, breaks a
// window, its layout or the message texts.
#include <memory>
#include <string>

#include "app/language_loader.h"
#include "app/main_window.h"
#include "fakes/fake_services.h"
#include "widgets/support/headless_app.h"

using namespace velmora;

namespace {

struct Program {
  Program() {
    machine.internet.isConnected = false;
    form = std::make_unique<app::TForm1>(h.app, machine.services, *machine.system.executable);
  }
  widgets::testing::HeadlessApp h;
  fakes::FakeServices machine;
  std::unique_ptr<app::TForm1> form;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The windows are built once: building them for every input would be most of
  // the run. Each file is applied on top of what the one before left.
  static Program program;
  program.machine.textFiles.put(app::languageFilePath(program.form->ProgramFolder, "Fuzz"),
                                std::string(reinterpret_cast<const char*>(data), size));
  program.form->ApplyLanguage("Fuzz");
  return 0;
}
