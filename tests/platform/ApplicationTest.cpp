// The application object: its title, the error box's text rule, the guard
// every handler runs through, and the modal box it shows by default.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

TEST(ApplicationTest, TitleIsTheProgramFileNameUpToItsFirstDotWithLaterLettersInLowerCase) {
  EXPECT_EQ(TitleFromFileName("/usr/local/bin/DRIVESIM.EXE"), "Drivesim");
  EXPECT_EQ(TitleFromFileName("DriveSim"), "Drivesim");
  EXPECT_EQ(TitleFromFileName("drivesim"), "drivesim");
  EXPECT_EQ(TitleFromFileName("/opt/v1.2/Drive.Sim.bin"), "Drive");
  EXPECT_EQ(TitleFromFileName("/home/u/.hidden"), "");
  // The test program's own title comes from its file name.
  EXPECT_EQ(Application().Title(), "platform_tests");
}

TEST(ApplicationTest, ErrorTextGetsAPeriodOnlyWhenItsLastCharacterSortsAfterThePeriod) {
  EXPECT_EQ(ErrorBoxText("'4,' is not a valid integer value"),
            "'4,' is not a valid integer value.");
  EXPECT_EQ(ErrorBoxText("Floating point overflow"), "Floating point overflow.");
  EXPECT_EQ(ErrorBoxText("Already ends."), "Already ends.");
  // ")" and "-" sort before ".", "/" and digits after it.
  EXPECT_EQ(ErrorBoxText("List index out of bounds (3)"), "List index out of bounds (3)");
  EXPECT_EQ(ErrorBoxText("minus -"), "minus -");
  EXPECT_EQ(ErrorBoxText("path /"), "path /.");
  EXPECT_EQ(ErrorBoxText("value 7"), "value 7.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ApplicationTest, GuardEndsTheHandlerAtTheFailingStepAndShowsTheMessageOnce) {
  ErrorBoxCapture capture;
  int stepsDone = 0;
  RunGuarded([&] {
    ++stepsDone;
    throw EConvertError("'abc' is not a valid floating point value");
    ++stepsDone;
  });
  EXPECT_EQ(stepsDone, 1);
  ASSERT_EQ(capture.boxes.size(), 1u);
  EXPECT_EQ(capture.boxes[0].text, "'abc' is not a valid floating point value.");
  EXPECT_EQ(capture.boxes[0].caption, "platform_tests");

  // Standard exceptions are caught as well; a handler that succeeds shows
  // nothing.
  RunGuarded([] { throw std::runtime_error("disk full"); });
  RunGuarded([] { throw EZeroDivide(); });
  RunGuarded([] { throw EListError::IndexOutOfBounds(5); });
  RunGuarded([&] { ++stepsDone; });
  EXPECT_EQ(stepsDone, 2);
  EXPECT_EQ(capture.Texts(),
            (std::vector<std::string>{"'abc' is not a valid floating point value.", "disk full.",
                                      "Floating point division by zero.",
                                      "List index out of bounds (5)"}));
}

TEST(ApplicationTest, GuardInsideAPaintShowsTheBoxOnlyAfterThePaint) {
  ErrorBoxCapture capture;
  RunGuardedInPaint([] { throw EInvalidOp(); });
  EXPECT_TRUE(capture.boxes.empty());
  QApplication::processEvents();
  EXPECT_EQ(capture.Texts(), std::vector<std::string>{"Invalid floating point operation."});
}

TEST(ApplicationTest, DefaultBoxIsModalWithErrorIconCaptionTextAndOneOkButton) {
  SetErrorBoxPresenter(nullptr);
  bool seen = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  int buttons = 0;
  // The box's own event loop runs this while the box is open.
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = true;
    icon = box->icon();
    title = box->windowTitle();
    text = box->text();
    buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  RunGuarded([] { throw EOverflow(); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(title, QStringLiteral("platform_tests"));
  EXPECT_EQ(text, QStringLiteral("Floating point overflow."));
  EXPECT_EQ(buttons, 1);
}

// The main form is the first form a process creates, so its rules can only
// be seen in a process that holds no form yet. Whatever forms this process
// holds (another suite's test may leave one, or run first), such a test runs
// again in a process of its own: this test program started for that one
// test, marked by kOwnProcessVariable.
constexpr const char* kOwnProcessVariable = "DRIVESIM_TEST_IN_OWN_PROCESS";

bool InOwnProcess() { return std::getenv(kOwnProcessVariable) != nullptr; }

// Runs the current test alone in a new process of this program and expects
// it to run (not skip) and pass there.
void ExpectPassesInOwnProcess() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string filter =
      std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
  char program[] = "/proc/self/exe";
  char* argv[] = {program, filter.data(), nullptr};
  std::vector<std::string> environment{std::string(kOwnProcessVariable) + "=1"};
  for (char** e = environ; *e; ++e) environment.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);

  int output[2];
  ASSERT_EQ(::pipe(output), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(output[1], STDOUT_FILENO);
    ::dup2(output[1], STDERR_FILENO);
    ::close(output[0]);
    ::close(output[1]);
    ::execve(program, argv, envp.data());
    ::_exit(127);
  }
  ::close(output[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(output[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(output[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
  EXPECT_NE(text.find("[  PASSED  ] 1 test."), std::string::npos) << text;
  EXPECT_EQ(text.find("SKIPPED"), std::string::npos) << text;
}

TEST(ApplicationTest, FirstFormCreatedIsTheMainFormUntilItIsDestroyed) {
  if (!InOwnProcess()) {
    // A form left by something else, here on purpose, does not keep the
    // test from running.
    TForm stray;
    ExpectPassesInOwnProcess();
    return;
  }
  ASSERT_EQ(Application().MainForm(), nullptr);
  auto first = std::make_unique<TForm>();
  EXPECT_EQ(Application().MainForm(), first.get());
  TForm second;
  EXPECT_EQ(Application().MainForm(), first.get());
  // Without a running loop, closing the main form only hides it.
  first->Show();
  first->Close();
  EXPECT_FALSE(first->Visible());
  first.reset();
  EXPECT_EQ(Application().MainForm(), nullptr);
  // The next form created is the main form again.
  TForm third;
  EXPECT_EQ(Application().MainForm(), &third);
}

TEST(ApplicationTest, LoopRunsUntilTheMainFormClosesWithAnotherWindowStillOpen) {
  if (!InOwnProcess()) {
    TForm stray;
    stray.Show();
    ExpectPassesInOwnProcess();
    return;
  }
  ASSERT_EQ(Application().MainForm(), nullptr);
  ErrorBoxCapture capture;
  auto main = std::make_unique<TForm>();
  ASSERT_EQ(Application().MainForm(), main.get());
  main->SetClientSize(200, 100);
  TForm other;
  other.SetClientSize(100, 100);
  bool mainShown = false;
  bool otherShownAtEnd = false;
  bool runningInside = false;
  QTimer::singleShot(0, [&] {
    mainShown = main->Visible() && main->Widget()->isVisible();
    runningInside = Application().Running();
    other.Show();
    // A failing handler inside the loop ends in the box; the loop goes on.
    RunGuarded([] { throw EZeroDivide(); });
    QTimer::singleShot(0, [&] {
      otherShownAtEnd = other.Visible();
      main->Close();
    });
  });
  EXPECT_EQ(Application().Run(), 0);
  EXPECT_TRUE(mainShown);
  EXPECT_TRUE(runningInside);
  EXPECT_TRUE(otherShownAtEnd);
  EXPECT_FALSE(Application().Running());
  EXPECT_FALSE(main->Visible());
  EXPECT_EQ(capture.Texts(), std::vector<std::string>{"Floating point division by zero."});
}

}  // namespace
}  // namespace drivesim
