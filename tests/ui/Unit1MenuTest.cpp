// The main window's menu bar: its commands and keys, Exit and Instructions
// as the buttons, the lab window, and the two saving commands writing what
// the batch tool writes for the same run, through the save dialog, with one
// error box and nothing written for a file that cannot be written.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include "batch/Batch.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "lab/LabFixture.h"
#include "platform/Graphics.h"
#include "ui/MainWindowPicture.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

class Unit1MenuTest : public LabFixture {
 protected:
  // Chooses the command in its menu, as the user does: through the guard.
  void Choose(TMenuItem* item) {
    auto* bar = static_cast<QMenuBar*>(form->MainMenu1->Widget());
    for (QAction* menuAction : bar->actions()) {
      for (QAction* a : menuAction->menu()->actions()) {
        if (a->text().toStdString() == item->Caption()) a->trigger();
      }
    }
  }
};

TEST_F(Unit1MenuTest, MenusHoldTheCommandsWithTheirAccessKeysAndShortcuts) {
  auto* bar = static_cast<QMenuBar*>(form->MainMenu1->Widget());
  ASSERT_NE(bar, nullptr);
  std::vector<std::string> menus;
  for (QAction* a : bar->actions()) menus.push_back(a->text().toStdString());
  EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Lab", "&Help"}));

  struct Command {
    TMenuItem* item;
    const char* caption;
    const char* shortCut;
  };
  const std::vector<Command> commands{
      {form->SaveOscilloscopePicture1, "Save &oscilloscope picture\u2026", "Ctrl+Shift+S"},
      {form->SaveRunAsCsv1, "Save &run as CSV\u2026", "Ctrl+S"},
      {form->ExportLabReport1, "&Export lab report (PDF)\u2026", "Ctrl+P"},
      {form->Exit1, "E&xit", "Ctrl+Q"},
      {form->QualityOfRegulation1, "&Quality of regulation\u2026", "Ctrl+L"},
      {form->Instructions1, "&Instructions", "F1"},
      {form->UserGuide1, "&User guide", ""},
  };
  int found = 0;
  for (QAction* menuAction : bar->actions()) {
    for (QAction* a : menuAction->menu()->actions()) {
      if (a->isSeparator()) continue;
      for (const Command& c : commands) {
        if (a->text().toStdString() != c.caption) continue;
        ++found;
        EXPECT_EQ(c.item->Caption(), c.caption);
        EXPECT_EQ(a->shortcut().toString().toStdString(), c.shortCut) << c.caption;
      }
    }
  }
  EXPECT_EQ(found, 7);
  // The menu bar takes no part in the Tab order: the focus still starts on
  // "Exit".
  EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(form->Button1->Focused());
}

TEST_F(Unit1MenuTest, ExitAndInstructionsDoWhatTheButtonsDoAlsoByTheirKeys) {
  form->Instructions1->Click();
  EXPECT_TRUE(form2->Visible());
  form2->Hide();
  // F1 with the focus in an edit and in a spin edit: the instructions,
  // without the spin edit's refusal beep.
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
  form->Edit3->SetFocus();
  QTest::keyClick(form->Edit3->Widget(), Qt::Key_F1);
  EXPECT_TRUE(form2->Visible());
  form2->Hide();
  const int beeps = BeepCount();
  form->SpinEdit2->SetFocus();
  QTest::keyClick(form->SpinEdit2->Widget(), Qt::Key_F1);
  EXPECT_TRUE(form2->Visible());
  EXPECT_EQ(BeepCount(), beeps);
  EXPECT_EQ(form->Edit3->Text(), "1,4");

  // Ctrl+L opens the lab; Lab > Quality of regulation… again brings the
  // same window to the front.
  QTest::keyClick(form->Edit1->Widget(), Qt::Key_L, Qt::ControlModifier);
  ASSERT_NE(form->LabWindow(), nullptr);
  EXPECT_TRUE(form->LabWindow()->Visible());
  TLabWindow* lab = form->LabWindow();
  form->LabWindow()->Widget()->close();
  EXPECT_FALSE(lab->Visible());
  form->QualityOfRegulation1->Click();
  EXPECT_EQ(form->LabWindow(), lab);
  EXPECT_TRUE(lab->Visible());

  // Ctrl+Q closes the main window as "Exit" does.
  ASSERT_TRUE(form->Visible());
  QTest::keyClick(form->Edit1->Widget(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form->Visible());
  form->Show();
  form->Exit1->Click();
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Unit1MenuTest, SaveRunAsCsvWritesTheBatchToolsRowsOfTheRecord) {
  EnterSetpoint(100);
  Process();
  Tick(200);
  dialogs.Answers = {File("run")};
  form->SaveRunAsCsv1->Click();
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].DefaultSuffix, "csv");
  // The name typed without a suffix gets ".csv".
  const std::string saved = Read(File("run.csv"));

  std::ostringstream out, err;
  ASSERT_EQ(RunBatch({"--ticks", "200", "--setpoint", "100", "--csv", File("batch.csv")}, out, err),
            0)
      << err.str();
  // The inputs as comment lines, then the batch tool's rows unchanged.
  const std::string header =
      "# gain = 10\n# time_constant = 0.006\n# motor_coef = 1.4\n# motor_inertia = 0.021\n"
      "# load_inertia = 0.3\n# friction = 1.6\n# feedback = 1\n# teeth = 42\n"
      "# setpoint = 100\n";
  EXPECT_EQ(saved, header + Read(File("batch.csv")));
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 9 + 201);

  // "Pause" and "Process" again go on with the record; "Reset" starts a new
  // one with the next "Process".
  RunGuarded([this] { form->Button3Click(); });
  Process();
  Tick(10);
  dialogs.Answers = {File("run.csv")};
  form->SaveRunAsCsv1->Click();
  std::ostringstream out2, err2;
  ASSERT_EQ(
      RunBatch({"--ticks", "210", "--setpoint", "100", "--csv", File("batch.csv")}, out2, err2), 0);
  EXPECT_EQ(Read(File("run.csv")), header + Read(File("batch.csv")));
  Reset();
  Process();
  Tick(3);
  dialogs.Answers = {File("after-reset.csv")};
  form->SaveRunAsCsv1->Click();
  const std::string fresh = Read(File("after-reset.csv"));
  EXPECT_EQ(std::count(fresh.begin(), fresh.end(), '\n'), 9 + 4);
  EXPECT_EQ(fresh.substr(header.size(), fresh.find('\n', header.size()) - header.size() + 8),
            "tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n1,0.001");

  // Cancel writes nothing; a file that cannot be written gets one box and
  // is not created.
  dialogs.Answers = {std::nullopt, File("no-such-folder/run.csv")};
  Choose(form->SaveRunAsCsv1);
  EXPECT_TRUE(boxes.boxes.empty());
  Choose(form->SaveRunAsCsv1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.rfind("Cannot create file \"" + File("no-such-folder/run.csv"), 0),
            0u)
      << boxes.boxes[0].text;
  EXPECT_FALSE(std::filesystem::exists(File("no-such-folder")));
}

TEST_F(Unit1MenuTest, SaveOscilloscopePictureIsTheChartAsShownZoomIncluded) {
  EnterSetpoint(150);
  Process();
  Tick(120);
  TBitmap unzoomed;
  RenderOscilloscope(*form->Chart1, unzoomed);

  // Zoomed into the rising part with the left mouse button.
  TChart& chart = *form->Chart1;
  chart.DispatchMouseDown(mbLeft, ssLeft, 60, 40);
  chart.DispatchMouseMove(ssLeft, 200, 130);
  chart.DispatchMouseUp(mbLeft, 0, 200, 130);
  ASSERT_TRUE(chart.ZoomedIn());

  dialogs.Answers = {File("scope.png")};
  Choose(form->SaveOscilloscopePicture1);
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].DefaultSuffix, "png");
  const QImage saved(QString::fromStdString(File("scope.png")));
  ASSERT_EQ(saved.size(), QSize(353, 169));
  TBitmap zoomed;
  RenderOscilloscope(chart, zoomed);
  int differing = 0;
  int fromUnzoomed = 0;
  for (int y = 0; y < 169; ++y) {
    for (int x = 0; x < 353; ++x) {
      const TColor z = zoomed.Pixel(x, y);
      const TColor u = unzoomed.Pixel(x, y);
      const QRgb s = saved.pixel(x, y);
      differing += s != qRgb(GetRValue(z), GetGValue(z), GetBValue(z));
      fromUnzoomed += s != qRgb(GetRValue(u), GetGValue(u), GetBValue(u));
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(fromUnzoomed, 1000);
}

}  // namespace
}  // namespace drivesim
