#pragma once
// The main window on records of its own, shown offscreen with a chosen
// decimal separator, its error boxes recorded and its save dialogs answered
// by the test; with the quality-of-regulation window opened from the menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "lab/LabSweep.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Numbers.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace drivesim {

// The lab's table as CSV without its trailing label column (the header's
// ",label" and each row's quoted label), to compare with the batch tool's
// figures; the labels one per row.
inline std::string WithoutLabels(const std::string& csv,
                                 std::vector<std::string>* labels = nullptr) {
  std::string out;
  std::size_t start = 0;
  while (start < csv.size()) {
    const std::size_t end = csv.find('\n', start);
    std::string line = csv.substr(start, end - start);
    start = end == std::string::npos ? csv.size() : end + 1;
    const bool header = line.size() >= 6 && line.compare(line.size() - 6, 6, ",label") == 0;
    const std::size_t cut = header ? line.size() - 6 : line.rfind(",\"");
    if (cut != std::string::npos) {
      if (labels && !header && cut + 2 < line.size())
        labels->push_back(line.substr(cut + 2, line.size() - cut - 3));
      line.erase(cut);
    }
    out += line + "\n";
  }
  return out;
}

// Answers the save dialogs with the names the test gives, in turn (nothing
// for Cancel), and records what they asked.
class SaveDialogAnswers {
 public:
  SaveDialogAnswers() {
    SetSaveDialogPresenter([this](const TSaveDialogRequest& request) {
      Requests.push_back(request);
      if (Answers.empty()) return std::optional<std::string>();
      std::optional<std::string> answer = Answers.front();
      Answers.erase(Answers.begin());
      return answer;
    });
  }
  ~SaveDialogAnswers() { SetSaveDialogPresenter(nullptr); }
  SaveDialogAnswers(const SaveDialogAnswers&) = delete;
  SaveDialogAnswers& operator=(const SaveDialogAnswers&) = delete;

  std::vector<std::optional<std::string>> Answers;
  std::vector<TSaveDialogRequest> Requests;
};

// Ends the test program with a message when what it watches has not
// finished within the limit, so that a window that hangs fails its test
// instead of stalling the suite.
class Watchdog {
 public:
  Watchdog(std::string what, std::chrono::seconds limit)
      : fThread([this, what = std::move(what), limit] {
          std::unique_lock<std::mutex> lock(fMutex);
          if (!fDisarmed.wait_for(lock, limit, [this] { return fDone; })) {
            std::fprintf(stderr, "%s: still running after %lld s\n", what.c_str(),
                         static_cast<long long>(limit.count()));
            std::abort();
          }
        }) {}
  ~Watchdog() {
    {
      const std::lock_guard<std::mutex> lock(fMutex);
      fDone = true;
    }
    fDisarmed.notify_all();
    fThread.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex fMutex;
  std::condition_variable fDisarmed;
  bool fDone = false;
  std::thread fThread;
};

// Answers the question Exit asks before kept runs are lost with Discard, so
// that no test waits on a modal question; a test that asks its own
// question installs its presenter after this one.
class DiscardUnsavedWork {
 public:
  DiscardUnsavedWork() {
    SetSaveQuestionPresenter([](const std::string&) { return TSaveChoice::Discard; });
  }
  ~DiscardUnsavedWork() { SetSaveQuestionPresenter(nullptr); }
  DiscardUnsavedWork(const DiscardUnsavedWork&) = delete;
  DiscardUnsavedWork& operator=(const DiscardUnsavedWork&) = delete;
};

class LabFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDecimalSeparator(',');
    dir = std::filesystem::path(::testing::TempDir()) /
          ("drivesim-lab-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    form = std::make_unique<TForm1>(model, history, gears);
    form2 = std::make_unique<TForm2>();
    form->SetInstructionsWindow(form2.get());
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
  }
  void TearDown() override {
    form.reset();
    form2.reset();
    std::filesystem::remove_all(dir);
    SetDecimalSeparator(savedSeparator);
  }

  // Lab > Quality of regulation…
  TLabWindow& OpenLab() {
    form->QualityOfRegulation1->Click();
    TLabWindow* lab = form->LabWindow();
    EXPECT_NE(lab, nullptr);
    return *lab;
  }

  void EnterSetpoint(int value) { form->SpinEdit2->SetText(std::to_string(value)); }
  void Process() {
    RunGuarded([this] { form->Button2Click(); });
  }
  void Reset() {
    RunGuarded([this] { form->Button5Click(); });
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count && form->Running(); ++i) form->Timer1->Tick();
  }

  std::string File(const std::string& name) const { return (dir / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  ErrorBoxCapture boxes;
  SaveDialogAnswers dialogs;
  DiscardUnsavedWork discard;
  DriveModel model;
  TimeHistory history;
  GearPair gears;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<TForm2> form2;
  std::filesystem::path dir;
  char savedSeparator = DecimalSeparator();
};

}  // namespace drivesim
