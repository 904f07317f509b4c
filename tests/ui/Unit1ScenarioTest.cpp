// Scenarios in the windows: a file opened fills the main window's edits and
// spin edits and the lab (kept runs run again, the task shown, the sweep
// group set) and waits for "Process"; a broken file gets one box and
// changes nothing; a scenario saved opens the same in a fresh window; Exit
// asks before unsaved work is lost; the recent scenarios and their reset.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>

#include "analysis/RunResult.h"
#include "files/ProgramSettings.h"
#include "files/Scenario.h"
#include "lab/LabFixture.h"

namespace drivesim {
namespace {

const std::string kSample = std::string(DRIVESIM_TEST_FILES) + "/sample-format1.drivesim";

// Answers the open dialog with the names the test gives, in turn.
class OpenDialogAnswers {
 public:
  OpenDialogAnswers() {
    SetOpenDialogPresenter([this](const TOpenDialogRequest&) {
      if (Answers.empty()) return std::optional<std::string>();
      std::optional<std::string> answer = Answers.front();
      Answers.erase(Answers.begin());
      return answer;
    });
  }
  ~OpenDialogAnswers() { SetOpenDialogPresenter(nullptr); }
  std::vector<std::optional<std::string>> Answers;
};

// Answers "save before leaving?" and counts the questions.
class SaveQuestionAnswers {
 public:
  SaveQuestionAnswers() {
    SetSaveQuestionPresenter([this](const std::string& text) {
      Questions.push_back(text);
      return Answer;
    });
  }
  ~SaveQuestionAnswers() { SetSaveQuestionPresenter(nullptr); }
  TSaveChoice Answer = TSaveChoice::Cancel;
  std::vector<std::string> Questions;
};

class Unit1ScenarioTest : public LabFixture {
 protected:
  void SetUp() override {
    LabFixture::SetUp();
    ResetSettings();
  }
  std::vector<std::string> Texts() const {
    return {form->Edit1->Text(), form->Edit2->Text(),     form->Edit3->Text(),
            form->Edit4->Text(), form->Edit5->Text(),     form->Edit6->Text(),
            form->Edit7->Text(), form->SpinEdit1->Text(), form->SpinEdit2->Text()};
  }
  OpenDialogAnswers opens;
  SaveQuestionAnswers questions;
};

TEST_F(Unit1ScenarioTest, OpeningFillsTheWindowsAndWaitsForProcess) {
  opens.Answers = {kSample};
  form->OpenScenario1->Click();
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>{});
  // The edits with the locale's comma, the spin edits, the gears at once.
  EXPECT_EQ(Texts(), (std::vector<std::string>{"12,5", "0,008", "1,4", "0,021", "0,35", "1,6",
                                               "0,75", "30", "120"}));
  EXPECT_EQ(gears.LoadGear.ToothCount, 30);
  EXPECT_EQ(gears.MotorGear.ToothCount, 26);
  // Nothing runs and the model has its inputs only from "Process".
  EXPECT_FALSE(form->Running());
  EXPECT_NE(model.AmpGain, 12.5);

  TLabWindow* lab = form->LabWindow();
  ASSERT_NE(lab, nullptr);
  EXPECT_TRUE(lab->Visible());
  EXPECT_FALSE(lab->TaskBox()->isHidden());
  EXPECT_EQ(lab->TaskText()->text().toStdString().substr(0, 30),
            "Feedback and overshoot\n\nKeep t");
  // The kept runs run again from rest, under their labels, with the figures
  // of the same run from the batch tool's code.
  const Scenario scenario = ReadScenario(kSample);
  ASSERT_EQ(lab->Runs().Count(), 2);
  // Labelled, as every kept run is, by the inputs that set them apart.
  const std::vector<std::string> labels =
      DistinguishingLabels({scenario.KeptRuns[0].Inputs, scenario.KeptRuns[1].Inputs});
  for (int i = 0; i < 2; ++i) {
    const LabRun& run = lab->Runs().Kept()[static_cast<std::size_t>(i)];
    const ScenarioRun& expected = scenario.KeptRuns[static_cast<std::size_t>(i)];
    EXPECT_EQ(run.Name, labels[static_cast<std::size_t>(i)]);
    EXPECT_EQ(run.Result.Record.Inputs, expected.Inputs);
    ASSERT_EQ(run.Curve.size(), static_cast<std::size_t>(expected.Ticks) + 1);
    const RunResult direct = RunDrive(expected.Inputs, expected.Ticks);
    EXPECT_EQ(run.Result.Measured, direct.Measured) << i;
    EXPECT_EQ(run.Result.Status, direct.Status) << i;
  }
  // The table shows them.
  EXPECT_EQ(lab->Table()->rowCount(), 2);
  EXPECT_EQ(lab->ParameterBox()->currentIndex(), static_cast<int>(SweepParameter::Gain));
  EXPECT_EQ(lab->FromEdit()->text().toStdString(), "5");
  EXPECT_EQ(lab->DurationEdit()->text().toStdString(), "0,25");

  // "Process" takes what was filled in.
  Process();
  EXPECT_TRUE(form->Running());
  EXPECT_EQ(model.AmpGain, 12.5);
  EXPECT_EQ(model.FeedbackCoef, 0.75);
  EXPECT_EQ(model.Setpoint, 120);
  Tick(20);
  lab->KeepButton()->click();
  std::vector<DriveInputs> kept;
  for (const LabRun& run : lab->Runs().Kept()) kept.push_back(run.Result.Record.Inputs);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(lab->Runs().Kept().back().Name, DistinguishingLabels(kept).back());

  // It is among the recent scenarios, and Reset settings forgets it.
  ASSERT_EQ(form->RecentScenarios1->Count(), 1);
  EXPECT_NE(form->RecentScenarios1->Items(0).Caption().find("sample-format1.drivesim"),
            std::string::npos);
  form->ResetSettings1->Click();
  EXPECT_EQ(form->RecentScenarios1->Count(), 0);
  EXPECT_TRUE(RecentScenarios().empty());
}

TEST_F(Unit1ScenarioTest, ABrokenFileGetsOneBoxAndChangesNothing) {
  OpenLab();
  Process();
  Tick(30);
  form->LabWindow()->KeepButton()->click();
  RunGuarded([this] { form->Button3Click(); });
  form->Edit1->SetText("11");
  const std::vector<std::string> before = Texts();
  const std::string keptName = form->LabWindow()->Runs().Kept()[0].Name;
  const std::string good = Read(kSample);
  std::ofstream(File("truncated.drivesim")) << good.substr(0, 200);
  std::ofstream(File("teeth.drivesim"))
      << Read(kSample).replace(good.find("\"teeth\": 30"), 11, "\"teeth\": 70");
  std::ofstream(File("newer.drivesim")) << "{\"format\": 7}";
  // Kept runs whose inputs "Process" refuses (no inertia at all).
  std::ofstream(File("refused.drivesim"))
      << "{\"format\": 1, \"kept_runs\": [{\"inputs\": {\"motor_inertia\": 0, "
         "\"load_inertia\": 0, \"friction\": 0}}]}";
  std::filesystem::create_directory(File("folder.drivesim"));
  const std::vector<std::string> names{"truncated", "teeth",  "newer",
                                       "refused",   "folder", "missing"};
  for (const std::string& name : names) opens.Answers.push_back(File(name + ".drivesim"));
  for (std::size_t n = 0; n < names.size(); ++n) {
    RunGuarded([this] { form->OpenScenario1Click(); });
    ASSERT_EQ(boxes.boxes.size(), n + 1) << names[n];
    EXPECT_EQ(
        boxes.boxes[n].text.rfind("Cannot open scenario \"" + File(names[n] + ".drivesim"), 0), 0u)
        << boxes.boxes[n].text;
    EXPECT_EQ(Texts(), before) << names[n];
    EXPECT_EQ(form->LabWindow()->Runs().Count(), 1) << names[n];
    EXPECT_EQ(form->LabWindow()->Runs().Kept()[0].Name, keptName);
    EXPECT_TRUE(form->LabWindow()->TaskBox()->isHidden());
  }
  EXPECT_NE(boxes.boxes[1].text.find("inputs.teeth: must be a whole number from 1 to 55"),
            std::string::npos);
  EXPECT_NE(boxes.boxes[2].text.find("newer version"), std::string::npos);
  EXPECT_EQ(gears.LoadGear.ToothCount, 42);
  EXPECT_TRUE(RecentScenarios().empty());
}

TEST_F(Unit1ScenarioTest, ASavedScenarioOpensTheSameInAFreshWindow) {
  opens.Answers = {kSample};
  form->OpenScenario1->Click();
  form->Edit7->SetText("1,25");
  form->LabWindow()->CountEdit()->setText("7");
  Process();
  Tick(50);
  form->LabWindow()->KeepButton()->click();
  EXPECT_TRUE(form->ScenarioUnsaved());
  dialogs.Answers = {File("saved")};
  form->SaveScenario1->Click();
  ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  EXPECT_EQ(form->ScenarioPath(), File("saved.drivesim"));
  EXPECT_FALSE(form->ScenarioUnsaved());
  const Scenario saved = form->CurrentScenario();
  EXPECT_EQ(saved.KeptRuns.size(), 3u);
  EXPECT_EQ(saved.KeptRuns[2].Ticks, 50);
  EXPECT_EQ(saved.Inputs.FeedbackCoef, 1.25);
  EXPECT_EQ(saved.Sweep.Count, 7);
  EXPECT_EQ(saved.Explorer, ReadScenario(kSample).Explorer);

  // A fresh window on records of its own, as the program starts.
  DriveModel model2;
  TimeHistory history2;
  GearPair gears2;
  TForm1 fresh(model2, history2, gears2);
  fresh.OpenScenario(File("saved.drivesim"));
  EXPECT_EQ(fresh.CurrentScenario(), saved);
  ASSERT_EQ(fresh.LabWindow()->Runs().Count(), 3);
  // The run kept in the window and the one run again from the file agree.
  EXPECT_EQ(fresh.LabWindow()->Runs().Kept()[2].Result.Measured,
            form->LabWindow()->Runs().Kept()[2].Result.Measured);
  EXPECT_EQ(fresh.LabWindow()->Runs().Kept()[2].Curve, form->LabWindow()->Runs().Kept()[2].Curve);
  EXPECT_FALSE(fresh.ScenarioUnsaved());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Unit1ScenarioTest, ExitAsksBeforeKeptRunsOrChangesAreLost) {
  // Nothing kept: Exit closes without a question.
  form->Exit1->Click();
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(questions.Questions.empty());
  form->Show();

  OpenLab();
  Process();
  Tick(20);
  form->LabWindow()->KeepButton()->click();
  // Cancel keeps the program; the close box asks as Exit does.
  questions.Answer = TSaveChoice::Cancel;
  RunGuarded([this] { form->Button1Click(); });
  EXPECT_TRUE(form->Visible());
  static_cast<QWidget*>(form->Widget())->close();
  EXPECT_TRUE(form->Visible());
  ASSERT_EQ(questions.Questions.size(), 2u);
  EXPECT_NE(questions.Questions[0].find("kept runs"), std::string::npos);

  // Save with the save dialog cancelled: still running.
  questions.Answer = TSaveChoice::Save;
  dialogs.Answers = {std::nullopt};
  form->Exit1->Click();
  EXPECT_TRUE(form->Visible());
  // Save to a file: written, then the program ends.
  dialogs.Answers = {File("at-exit.drivesim")};
  form->Exit1->Click();
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(ReadScenario(File("at-exit.drivesim")).KeptRuns.size(), 1u);
  form->Show();

  // Saved: no question, until something changes.
  const std::size_t asked = questions.Questions.size();
  form->Exit1->Click();
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(questions.Questions.size(), asked);
  form->Show();
  form->Edit2->SetText("0,007");
  questions.Answer = TSaveChoice::Discard;
  form->Exit1->Click();
  EXPECT_FALSE(form->Visible());
  ASSERT_EQ(questions.Questions.size(), asked + 1);
  EXPECT_NE(questions.Questions.back().find("changed"), std::string::npos);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Unit1ScenarioTest, TheLabsLayoutIsRememberedAndTheInputsAreNot) {
  form->RememberLayout = true;
  TLabWindow& lab = OpenLab();
  lab.Widget()->setGeometry(60, 70, 900, 610);
  form->Edit1->SetText("3");
  form.reset();
  form = std::make_unique<TForm1>(model, history, gears);
  form->RememberLayout = true;
  EXPECT_EQ(form->Edit1->Text(), "10");
  TLabWindow& again = OpenLab();
  EXPECT_EQ(again.Widget()->size(), QSize(900, 610));
  // Reset settings: the next lab window has its first size again.
  form->ResetSettings1->Click();
  form.reset();
  form = std::make_unique<TForm1>(model, history, gears);
  form->RememberLayout = true;
  EXPECT_EQ(OpenLab().Widget()->size(), QSize(980, 660));
}

TEST_F(Unit1ScenarioTest, SaveDialogsProposeTheLastFolderOfTheirKind) {
  Process();
  Tick(5);
  dialogs.Answers = {File("first.csv"), std::nullopt, std::nullopt};
  form->SaveRunAsCsv1->Click();
  form->SaveRunAsCsv1->Click();
  OpenLab().SaveTableButton()->click();
  ASSERT_EQ(dialogs.Requests.size(), 3u);
  EXPECT_EQ(dialogs.Requests[0].FileName, "run.csv");
  EXPECT_EQ(dialogs.Requests[1].FileName, File("run.csv"));
  EXPECT_EQ(dialogs.Requests[2].FileName, File("figures.csv"));
  // Pictures have a folder of their own, not yet remembered.
  dialogs.Answers = {std::nullopt};
  form->SaveOscilloscopePicture1->Click();
  EXPECT_EQ(dialogs.Requests[3].FileName, "oscilloscope.png");
  // A scenario opened from a folder: the scenario's save dialog proposes
  // its own file.
  opens.Answers = {kSample};
  form->OpenScenario1->Click();
  dialogs.Answers = {std::nullopt};
  form->SaveScenario1->Click();
  EXPECT_EQ(dialogs.Requests[4].FileName, kSample);
  EXPECT_EQ(LastFolder("scenario"), std::string(DRIVESIM_TEST_FILES));
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace drivesim
