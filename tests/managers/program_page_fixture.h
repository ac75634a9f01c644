#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "app/program_list_page.h"
#include "fakes/fake_services.h"
#include "headless_app.h"
#include "registry/reg_file_import.h"
#include "registry/registry_planter.h"
#include "widgets/form.h"

namespace velmora::app::testing {

// A Startup or Uninstall page on a headless form, on a machine of fakes with the
// program in C:\Velmora; message texts read as their keys with a colon.
template <typename Page>
class ProgramPageTest : public ::testing::Test {
 protected:
  ProgramPageTest() {
    for (int column = 0; column < 5; ++column) list.addColumn("", 100);
    for (auto key : MessageTexts::kKeys) messages.set(key, std::string(key) + ":");
    machine.files.addFolder("C:\\Velmora");
    page.localTime = [] {
      std::tm time{};
      time.tm_year = 2025 - 1900;
      time.tm_mday = 2;
      return time;
    };
  }

  // Runs Search and the UI tasks until its worker has ended and nothing is left.
  void search() {
    page.searchClick();
    pumpUntilIdle();
  }
  void pumpUntilIdle() {
    for (;;) {
      const bool finished = page.workerFinished();
      const bool more = h.app.runPendingTasks(std::chrono::nanoseconds(0));
      if (finished && !more) return;
      if (!more) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  std::vector<std::vector<std::string>> rows() const {
    std::vector<std::vector<std::string>> all;
    for (int row = 0; row < list.count(); ++row) {
      all.emplace_back();
      for (int column = 0; column < list.cellCount(row); ++column)
        all.back().push_back(list.cell(row, column));
    }
    return all;
  }

  // Selects a row as the user does and presses Delete, answering the question.
  void deleteRow(int row, widgets::MessageAnswer answer) {
    list.userSelect(row);
    h.dialogs.answer(answer);
    page.deleteClick();
  }

  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : h.dialogs.shown()) texts.push_back(box.text);
    return texts;
  }

  static constexpr const char* kBackups = "C:\\Velmora\\data\\backups\\";

  fakes::FakeServices machine;
  test_support::RegistryPlanter plant{machine.registry};
  widgets::testing::HeadlessApp h;
  widgets::Form form{h.app, "TForm1"};
  widgets::ListView list{form, "ListViewPrograms"};
  widgets::StatusBar status{form, "StatusBar1"};
  widgets::Button disableButton{form, "ButtonDisableStartup"};
  MessageTexts messages;
  Page page{makePage()};
  Page makePage() {
    auto showStatus = [this] { status.setSimpleText(page.statusSummary()); };
    if constexpr (std::is_same_v<Page, StartupPage>)
      return {h.app, machine.services, list, status, messages, showStatus, "C:\\Velmora\\", disableButton};
    else
      return {h.app, machine.services, list, status, messages, showStatus, "C:\\Velmora\\"};
  }
};

}  // namespace velmora::app::testing
