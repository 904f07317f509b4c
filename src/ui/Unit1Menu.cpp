// The main window's menu bar and its commands: saving the oscilloscope's
// picture and the run's record, the lab report, the "Quality of
// regulation" window, and
// Exit and Instructions, which do what the "Exit" and "Help" buttons do, and
// the user guide.
#include <QDateTime>
#include <QLocale>
#include <ostream>
#include <string>

#include "analysis/FiguresCsv.h"
#include "files/InputsText.h"
#include "files/ProgramSettings.h"
#include "files/RunCsv.h"
#include "files/SaveFiles.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabReport.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "platform/Dialogs.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/GuideWindow.h"
#include "ui/MainWindowPicture.h"
#include "ui/Unit1.h"

namespace drivesim {

void TForm1::CreateMainMenu() {
  MainMenu1 = std::make_unique<TMainMenu>(*this);
  TMenuItem& file = MainMenu1->Add(Tr("TForm1", "&File"));
  OpenScenario1 = &file.Add(Tr("TForm1", "O&pen scenario…"), "Ctrl+O");
  SaveScenario1 = &file.Add(Tr("TForm1", "Sa&ve scenario…"));
  RecentScenarios1 = &file.AddMenu(Tr("TForm1", "Recen&t scenarios"));
  file.AddSeparator();
  SaveOscilloscopePicture1 = &file.Add(Tr("TForm1", "Save &oscilloscope picture…"), "Ctrl+Shift+S");
  SaveRunAsCsv1 = &file.Add(Tr("TForm1", "Save &run as CSV…"), "Ctrl+S");
  ExportLabReport1 = &file.Add(Tr("TForm1", "&Export lab report (PDF)…"), "Ctrl+P");
  file.AddSeparator();
  Exit1 = &file.Add(Tr("TForm1", "E&xit"), "Ctrl+Q");
  TMenuItem& lab = MainMenu1->Add(Tr("TForm1", "&Lab"));
  QualityOfRegulation1 = &lab.Add(Tr("TForm1", "&Quality of regulation…"), "Ctrl+L");
  ExploreFeedback1 = &lab.Add(Tr("TForm1", "&Explore the feedback coefficient…"), "Ctrl+E");
  TMenuItem& help = MainMenu1->Add(Tr("TForm1", "&Help"));
  Instructions1 = &help.Add(Tr("TForm1", "&Instructions"), "F1");
  help.AddSeparator();
  ResetSettings1 = &help.Add(Tr("TForm1", "Reset &settings"));
  // No key of its own: F1 stays the instructions.
  UserGuide1 = &help.Add(Tr("TForm1", "&User guide"));

  SaveOscilloscopePicture1->OnClick = [this] { SaveOscilloscopePicture1Click(); };
  SaveRunAsCsv1->OnClick = [this] { SaveRunAsCsv1Click(); };
  ExportLabReport1->OnClick = [this] { ExportLabReport1Click(); };
  Exit1->OnClick = [this] { Exit1Click(); };
  QualityOfRegulation1->OnClick = [this] { QualityOfRegulation1Click(); };
  ExploreFeedback1->OnClick = [this] { ExploreFeedback1Click(); };
  Instructions1->OnClick = [this] { Instructions1Click(); };
  OpenScenario1->OnClick = [this] { OpenScenario1Click(); };
  SaveScenario1->OnClick = [this] { SaveScenario1Click(); };
  ResetSettings1->OnClick = [this] { ResetSettings1Click(); };
  UpdateRecentScenarios();
  UserGuide1->OnClick = [this] { UserGuide1Click(); };
}

void TForm1::SaveOscilloscopePicture1Click() {
  const std::optional<std::string> path = PromptForSaveFileName(
      {Tr("TForm1", "Save oscilloscope picture"), InLastFolder("picture", "oscilloscope.png"),
       Tr("TForm1", "PNG pictures (*.png);;All files (*)"), "png"});
  if (!path) return;
  SetLastFolderOf("picture", *path);
  // The chart as it shows now, zoomed or not.
  SaveOutputFile("The picture", *path, OscilloscopePng(*Chart1));
}

void TForm1::SaveRunAsCsv1Click() {
  const std::optional<std::string> path =
      PromptForSaveFileName({Tr("TForm1", "Save run as CSV"), InLastFolder("csv", "run.csv"),
                             Tr("TForm1", "CSV files (*.csv);;All files (*)"), "csv"});
  if (!path) return;
  SetLastFolderOf("csv", *path);
  // The inputs the run began with, as comment lines above the rows.
  const std::string inputs = InputsComment(fRun.Current().Inputs());
  SaveOutputFile("The run", *path, [this, &inputs](std::ostream& stream) {
    stream << inputs;
    WriteRunCsv(stream, fRun.Log());
  });
}

void TForm1::ExportLabReport1Click() {
  // The student is asked once; the name is remembered for every report
  // after.
  std::string student = StudentName();
  if (student.empty()) {
    const std::optional<std::string> name = PromptForText(
        {Tr("TForm1", "Export lab report"), Tr("TForm1", "Your name, for the report:"), ""});
    if (!name) return;
    const std::size_t first = name->find_first_not_of(" \t");
    const std::size_t last = name->find_last_not_of(" \t");
    student = first == std::string::npos ? std::string() : name->substr(first, last - first + 1);
    if (!student.empty()) SetStudentName(student);
  }
  const std::optional<std::string> path = PromptForSaveFileName(
      {Tr("TForm1", "Export lab report (PDF)"), InLastFolder("report", "lab-report.pdf"),
       Tr("TForm1", "PDF files (*.pdf);;All files (*)"), "pdf"});
  if (!path) return;
  SetLastFolderOf("report", *path);

  // The session as the windows hold it: the scenario's title and task, the
  // inputs entered, the explorer's range and targets, the current run and
  // the kept ones, the sweep kept.
  const Scenario scenario = CurrentScenario();
  LabReportContent content;
  content.Title = scenario.Title;
  content.Task = scenario.Task;
  content.Student = student;
  content.When = ReportDateTime(QDateTime::currentDateTime());
  content.Inputs = scenario.Inputs;
  if (fExplorerWindow) content.ExplorerInputs = fExplorerWindow->State().Inputs();
  content.KFrom = scenario.Explorer.KFrom;
  content.KTo = scenario.Explorer.KTo;
  for (int i = 0; i < kTargetKinds; ++i) {
    const ScenarioTarget& t = scenario.Explorer.Targets[static_cast<std::size_t>(i)];
    content.Targets.Items[static_cast<std::size_t>(i)] = {t.Enabled, t.Limit};
  }
  content.Paper = ReportPaperOf(QLocale::system());
  std::vector<const LabRun*> rows;
  LabRun current;
  if (fRun.Current().State() != LiveRunState::Waiting) {
    current = LabRunOf(fRun, Tr("TForm1", "Current run"));
    current.Colour = kCurrentRunColor;
    rows.push_back(&current);
  }
  if (fLabWindow) {
    for (const LabRun& run : fLabWindow->Runs().Kept()) rows.push_back(&run);
    content.Sweep = fLabWindow->Runs().KeptSweep();
  }
  AddRuns(content, rows);
  SaveLabReport(*path, content);
}

void TForm1::Exit1Click() { Button1Click(); }

void TForm1::Instructions1Click() { Button4Click(); }

void TForm1::UserGuide1Click() {
  if (!fGuideWindow) fGuideWindow = std::make_unique<TGuideWindow>();
  fGuideWindow->Show();
}

TLabWindow& TForm1::EnsureLabWindow() {
  if (!fLabWindow) {
    fLabWindow = std::make_unique<TLabWindow>(fRun, [this] { return EnteredInputs(); });
    fLabWindow->ShowTask(fScenario.Title, fScenario.Task);
    fLabWindow->ShowSweepSettings(fScenario.Sweep);
    if (RememberLayout) {
      RestoreWindowLayout("lab", *fLabWindow->Widget(), fLabWindow->Splitters());
    }
  }
  return *fLabWindow;
}

void TForm1::QualityOfRegulation1Click() { EnsureLabWindow().Show(); }

void TForm1::ExploreFeedback1Click() {
  if (!fExplorerWindow) {
    fExplorerWindow = std::make_unique<TExplorerWindow>(
        [this] { return EnteredInputs(); }, [this](const DriveInputs& in) { RunSetting(in); },
        [this](const DriveInputs& in, int ticks) {
          TLabWindow& lab = EnsureLabWindow();
          lab.KeepRun(LabRunOfSetting(in, ticks));
          lab.Show();
        });
    // The range of k and the design targets of the scenario opened.
    if (fSavedScenario) ShowScenarioDesign();
  }
  fExplorerWindow->Show();
}

void TForm1::RunSetting(const DriveInputs& inputs) {
  TEdit* edits[] = {Edit1.get(), Edit2.get(), Edit3.get(), Edit4.get(),
                    Edit5.get(), Edit6.get(), Edit7.get()};
  const double values[] = {inputs.AmpGain,      inputs.AmpTimeConst, inputs.MotorCoef,
                           inputs.MotorInertia, inputs.LoadInertia,  inputs.ViscousFriction,
                           inputs.FeedbackCoef};
  for (int i = 0; i < 7; ++i) edits[i]->SetText(EditText(values[i]));
  SpinEdit1->SetText(std::to_string(inputs.LoadTeeth));
  SpinEdit2->SetText(std::to_string(inputs.Setpoint));
  Button5Click();
  Button2Click();
}

DriveInputs TForm1::EnteredInputs() const {
  DriveInputs inputs;
  inputs.AmpGain = StrToFloat(Edit1->Text());
  inputs.AmpTimeConst = StrToFloat(Edit2->Text());
  inputs.MotorCoef = StrToFloat(Edit3->Text());
  inputs.MotorInertia = StrToFloat(Edit4->Text());
  inputs.LoadInertia = StrToFloat(Edit5->Text());
  inputs.ViscousFriction = StrToFloat(Edit6->Text());
  inputs.FeedbackCoef = StrToFloat(Edit7->Text());
  inputs.LoadTeeth = Gears.LoadGear.ToothCount;
  inputs.Setpoint = StrToInt(SpinEdit2->Text());
  return inputs;
}

void TForm1::RunChanged() {
  if (fLabWindow) fLabWindow->RunChanged();
}

}  // namespace drivesim
