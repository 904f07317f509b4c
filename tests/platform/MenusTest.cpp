// The main menu of a form and the save dialog: the bar above the client
// area, which keeps its size; commands through the guard, by the menu and by
// their shortcuts; and the names the dialog gives.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Exceptions.h"
#include "platform/Menus.h"

namespace drivesim {
namespace {

QAction* ActionOf(TMainMenu& menu, const std::string& caption) {
  auto* bar = static_cast<QMenuBar*>(menu.Widget());
  for (QAction* m : bar->actions()) {
    for (QAction* a : m->menu()->actions()) {
      if (a->text().toStdString() == caption) return a;
    }
  }
  return nullptr;
}

TEST(MenusTest, TheBarGoesAboveTheClientAreaWhichKeepsItsSize) {
  TForm form;
  form.SetBounds(100, 80, 300, 200);
  auto edit = std::make_unique<TEdit>(&form);
  edit->SetBounds(10, 20, 80, 24);
  const int clientHeight = form.ClientHeight();
  ASSERT_EQ(form.MenuHeight(), 0);
  {
    TMainMenu menu(form);
    TMenuItem& file = menu.Add("&File");
    file.Add("&Open", "Ctrl+O");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    const int bar = menu.Height();
    EXPECT_GT(bar, 10);
    EXPECT_EQ(form.MenuHeight(), bar);
    // The window grew by the bar; the client area and its controls did not
    // move or change.
    EXPECT_EQ(form.Height(), 200 + bar);
    EXPECT_EQ(form.ClientHeight(), clientHeight);
    EXPECT_EQ(form.Widget()->size(), QSize(300 - 8, 200 - 8 - 19 + bar));
    EXPECT_EQ(static_cast<QWidget*>(menu.Widget())->geometry(), QRect(0, 0, 300 - 8, bar));
    EXPECT_EQ(edit->Widget()->mapTo(form.Widget(), QPoint(0, 0)), QPoint(10, bar + 20));
    // A new client size keeps the bar.
    form.SetClientSize(250, 150);
    EXPECT_EQ(form.Height(), 150 + 8 + 19 + bar);
    EXPECT_EQ(form.Widget()->size(), QSize(250, 150 + bar));
  }
  // Without its menu the window is its client area again.
  EXPECT_EQ(form.MenuHeight(), 0);
  EXPECT_EQ(form.ClientHeight(), 150);
  EXPECT_EQ(form.Widget()->size(), QSize(250, 150));
}

TEST(MenusTest, CommandsRunThroughTheGuardByTheMenuAndByTheirShortcuts) {
  ErrorBoxCapture boxes;
  TForm form;
  form.SetBounds(100, 80, 300, 200);
  auto edit = std::make_unique<TEdit>(&form);
  edit->SetBounds(10, 20, 80, 24);
  TMainMenu menu(form);
  TMenuItem& file = menu.Add("&File");
  TMenuItem& save = file.Add("&Save", "Ctrl+S");
  file.AddSeparator();
  TMenuItem& fail = file.Add("&Fail", "F5");
  ASSERT_EQ(file.Count(), 2);
  EXPECT_EQ(&file.Items(0), &save);
  EXPECT_EQ(save.ShortCut(), "Ctrl+S");
  int saved = 0;
  save.OnClick = [&saved] { ++saved; };
  fail.OnClick = [] { throw EConvertError("'x' is not a valid integer value"); };

  // Chosen in the menu.
  ActionOf(menu, "&Save")->trigger();
  EXPECT_EQ(saved, 1);
  // By its keys from a control of the window.
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
  edit->SetFocus();
  QTest::keyClick(edit->Widget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saved, 2);
  EXPECT_EQ(edit->Text(), "");
  // A disabled command does not run.
  save.SetEnabled(false);
  QTest::keyClick(edit->Widget(), Qt::Key_S, Qt::ControlModifier);
  ActionOf(menu, "&Save")->trigger();
  EXPECT_EQ(saved, 2);

  // A failing command: one error box, by the menu and by the key; Click
  // hands the exception to its caller.
  ActionOf(menu, "&Fail")->trigger();
  QTest::keyClick(edit->Widget(), Qt::Key_F5);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"'x' is not a valid integer value.",
                                                     "'x' is not a valid integer value."}));
  EXPECT_THROW(fail.Click(), EConvertError);
}

TEST(DialogsTest, TheSaveDialogsNameGetsTheDefaultSuffixWhenItHasNone) {
  std::vector<std::optional<std::string>> answers{"/tmp/report",      "/tmp/run.d/table",
                                                  "/tmp/picture.PNG", std::nullopt,
                                                  std::string(),      "/tmp/dir/"};
  std::vector<TSaveDialogRequest> asked;
  SetSaveDialogPresenter([&](const TSaveDialogRequest& request) {
    asked.push_back(request);
    std::optional<std::string> answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  });
  const TSaveDialogRequest request{"Save run as CSV", "run.csv", "CSV files (*.csv)", "csv"};
  EXPECT_EQ(PromptForSaveFileName(request), "/tmp/report.csv");
  // A dot in a folder's name is no suffix of the file's.
  EXPECT_EQ(PromptForSaveFileName(request), "/tmp/run.d/table.csv");
  EXPECT_EQ(PromptForSaveFileName(request), "/tmp/picture.PNG");
  // Cancel, and an empty name: nothing to save.
  EXPECT_EQ(PromptForSaveFileName(request), std::nullopt);
  EXPECT_EQ(PromptForSaveFileName(request), std::nullopt);
  // A folder stays a folder; writing it fails where it is written.
  EXPECT_EQ(PromptForSaveFileName(request), "/tmp/dir/");
  SetSaveDialogPresenter(nullptr);
  ASSERT_EQ(asked.size(), 6u);
  EXPECT_EQ(asked[0].Title, "Save run as CSV");
  EXPECT_EQ(asked[0].FileName, "run.csv");
}

}  // namespace
}  // namespace drivesim
