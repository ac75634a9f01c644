// The secondary windows the main window creates, owns and shows from its menus,
// and the language they are shown in.
#include "app/main_window.h"
#include "platform/data_folders.h"
#include "registry/registry_backup.h"

namespace velmora::app {

void TForm1::createSecondaryWindows() {
  widgets::Application& app = application();
  FormLanguage.setMaker([this, &app] {
    auto window = std::make_unique<TFormLanguage>(app);
    window->onLanguageChosen = [this](const std::string& language) { switchLanguage(language); };
    return window;
  });
  // The Free Memory window shows the three memory settings this window holds
  // and hands them back on closing; they reach the settings file when this
  // window closes.
  FormMemory.setMaker([this, &app] {
    auto window = std::make_unique<memory::TFormMemory>(app, services_.memory);
    window->onLoadSettings = [this] { return memory::MemorySettings{TryToFree, Delay, AutoDefrag}; };
    window->onStoreSettings = [this](const memory::MemorySettings& settings) {
      TryToFree = settings.tryToFree;
      Delay = settings.delay;
      AutoDefrag = settings.autoDefrag;
    };
    translateNewWindows({.memory = window.get()});
    return window;
  });
  FormSysInfo.setMaker([this, &app] {
    auto window = std::make_unique<sysinfo::TFormSysInfo>(app, services_);
    translateNewWindows({.sysInfo = window.get()});
    return window;
  });
  FormUpdate.setMaker([this, &app] {
    auto window = std::make_unique<update::TFormUpdate>(app, services_.shell);
    updateChecker_ = std::make_unique<update::UpdateChecker>(
        app, services_, *window, Timer1,
        update::UpdateProduct{ProductTitle, ProductVersion, ServerRoot, ProductPageAddress, ReplyFile},
        update::UpdateTexts{messages["StringLastVersion"], messages["StringNewVersionIsAvailable"],
                            messages["StringCantConnectToServer"], messages["StringCantReadReply"]});
    translateNewWindows({.update = window.get()});
    return window;
  });
  FormAbout.setMaker([this, &app] {
    auto window = std::make_unique<TFormAbout>(app, services_.shell);
    translateNewWindows({.about = window.get()});
    return window;
  });
  FormRestore.setMaker([this, &app] {
    auto window = std::make_unique<TFormRestore>(app, services_, messages);
    // Backups lie where the pages write them, beside the program or in the
    // user's own folder, and each is shown with the caption of the page that
    // wrote it.
    window->backupFolders = [this] { return platform::dataFolders(services_.system, ProgramFolder, "backups"); };
    window->pageCaption = [this](std::string_view kind) {
      if (kind == "startup") return TabSheetCleanStartup.caption();
      if (kind == "uninstall") return TabSheetCleanUninstall.caption();
      return TabSheetCleanReg.caption();
    };
    window->saveReplaced = [this](const registry::RegFileExport& replaced, std::string_view page) {
      return registry::writeRegistryBackup(services_, ProgramFolder, "restore", registry::currentLocalTime(),
                                           replaced, page);
    };
    translateNewWindows({.restore = window.get()});
    return window;
  });

  FormSettings = std::make_unique<junk::TFormSettings>(app);
  // The Settings window shows and changes the check-update and Recycle Bin
  // flags this window holds (its showing is bound with the Files page); they
  // reach the settings file when this window closes.
  FormSettings->onGeneralChosen = [this](bool checkUpdateAtStart, bool recycleDeleted) {
    CheckUpdateAtStart = checkUpdateAtStart;
    RecycleDeleted = recycleDeleted;
  };
}

SecondaryWindows TForm1::madeWindows() const {
  return {FormMemory.made(), FormSettings.get(), FormSysInfo.made(),
          FormUpdate.made(), FormAbout.made(),   FormRestore.made()};
}

void TForm1::switchLanguage(const std::string& name) {
  CurrentLanguage = name;
  ApplyLanguage(CurrentLanguage);
}

// Frees memory as the Free Memory window's Clean button does, with the amount
// that window shows, without showing it.
void TForm1::PMFreeRamClick() { FormMemory->FreeRamNow(); }

void TForm1::showLocalized(widgets::Form& window) {
  ApplyLanguage(CurrentLanguage);
  window.showModal();
}

}  // namespace velmora::app
