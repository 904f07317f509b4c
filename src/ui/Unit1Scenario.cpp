// The main window's scenarios and remembered settings: opening a scenario
// file into the windows, saving what they hold, the recent scenarios, the
// question before unsaved work is lost, and forgetting the settings.
#include <optional>
#include <string>

#include "files/ProgramSettings.h"
#include "files/Scenario.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "platform/Dialogs.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"
#include "ui/Unit1.h"

namespace drivesim {

namespace {

std::string ScenarioFilter() { return Tr("TForm1", "Scenarios (*.drivesim);;All files (*)"); }

}  // namespace

void TForm1::OpenScenario1Click() {
  const std::optional<std::string> path = PromptForOpenFileName(
      {Tr("TForm1", "Open scenario"), LastFolder("scenario"), ScenarioFilter()});
  if (!path) return;
  OpenScenario(*path);
}

void TForm1::SaveScenario1Click() {
  std::string name = fScenarioPath.empty() ? std::string("scenario.drivesim") : fScenarioPath;
  if (fScenarioPath.empty() && !LastFolder("scenario").empty()) {
    name = LastFolder("scenario") + "/" + name;
  }
  const std::optional<std::string> path = PromptForSaveFileName(
      {Tr("TForm1", "Save scenario"), name, ScenarioFilter(), kScenarioSuffix});
  if (!path) return;
  SaveScenario(*path);
}

void TForm1::ResetSettings1Click() {
  ResetSettings();
  // Nor is the layout of this run remembered at its end: the next start
  // has the windows' first places and sizes.
  RememberLayout = false;
  UpdateRecentScenarios();
}

void TForm1::OpenScenario(const std::string& path) {
  Scenario scenario;
  try {
    scenario = ReadScenario(path);
  } catch (const EScenarioError&) {
    // A recent scenario that has gone or broken leaves the list.
    ForgetRecentScenario(path);
    UpdateRecentScenarios();
    throw;
  }
  try {
    ApplyScenario(scenario);
  } catch (const Exception& e) {
    throw EScenarioError(CannotOpenScenarioMessage(path, e.Message()));
  }
  fScenarioPath = path;
  AddRecentScenario(path);
  SetLastFolderOf("scenario", path);
  UpdateRecentScenarios();
  try {
    fSavedScenario = CurrentScenario();
  } catch (const Exception&) {
    fSavedScenario.reset();
  }
}

void TForm1::ApplyScenario(const Scenario& scenario) {
  // The kept runs are run again first: inputs "Process" would refuse end
  // here, with the windows as they were.
  TLabWindow& lab = EnsureLabWindow();
  lab.RestoreKeptRuns(scenario.KeptRuns);

  fScenario = scenario;
  RememberDesignTargets(scenario.Explorer.Targets);
  const DriveInputs& in = scenario.Inputs;
  Edit1->SetText(FloatToStr(in.AmpGain));
  Edit2->SetText(FloatToStr(in.AmpTimeConst));
  Edit3->SetText(FloatToStr(in.MotorCoef));
  Edit4->SetText(FloatToStr(in.MotorInertia));
  Edit5->SetText(FloatToStr(in.LoadInertia));
  Edit6->SetText(FloatToStr(in.ViscousFriction));
  Edit7->SetText(FloatToStr(in.FeedbackCoef));
  // The spin edits as typing into them: the gears change at once, the
  // setpoint is taken, and the rest waits for "Process".
  SpinEdit1->SetText(std::to_string(in.LoadTeeth));
  SpinEdit2->SetText(std::to_string(in.Setpoint));

  lab.ShowTask(scenario.Title, scenario.Task);
  lab.ShowSweepSettings(scenario.Sweep);
  lab.Show();
  if (fExplorerWindow) ShowScenarioDesign();
}

void TForm1::ShowScenarioDesign() {
  DesignTargets targets;
  for (int i = 0; i < kTargetKinds; ++i) {
    const ScenarioTarget& t = fScenario.Explorer.Targets[static_cast<std::size_t>(i)];
    targets.Items[static_cast<std::size_t>(i)] = {t.Enabled, t.Limit};
  }
  fExplorerWindow->SetDesign(targets, fScenario.Explorer.KFrom, fScenario.Explorer.KTo);
}

Scenario TForm1::CurrentScenario() const {
  Scenario scenario = fScenario;
  scenario.Inputs = EnteredInputs();
  if (fLabWindow) {
    scenario.KeptRuns = fLabWindow->ScenarioRuns();
    scenario.Sweep = fLabWindow->SweepSettings();
  } else {
    scenario.KeptRuns.clear();
  }
  if (fExplorerWindow) {
    // The explorer's range of k and design targets as it holds them.
    const ExplorerState& state = fExplorerWindow->State();
    scenario.Explorer.KFrom = state.RangeFrom();
    scenario.Explorer.KTo = state.RangeTo();
    for (int i = 0; i < kTargetKinds; ++i) {
      const DesignTarget& t = state.Targets().Items[static_cast<std::size_t>(i)];
      scenario.Explorer.Targets[static_cast<std::size_t>(i)] = {t.Enabled, t.Limit};
    }
  }
  return scenario;
}

void TForm1::SaveScenario(const std::string& path) {
  const Scenario scenario = CurrentScenario();
  WriteScenario(path, scenario);
  fSavedScenario = scenario;
  fScenarioPath = path;
  AddRecentScenario(path);
  SetLastFolderOf("scenario", path);
  UpdateRecentScenarios();
}

bool TForm1::ScenarioUnsaved() const {
  if (!fSavedScenario) return fLabWindow && fLabWindow->Runs().Count() > 0;
  try {
    return CurrentScenario() != *fSavedScenario;
  } catch (const Exception&) {
    return true;
  }
}

bool TForm1::CloseQuery() {
  if (!ScenarioUnsaved()) return true;
  const std::string what = fSavedScenario
                               ? Tr("TForm1", "The scenario has changed since it was saved.")
                               : Tr("TForm1", "The kept runs of the lab are in no scenario file.");
  switch (AskSaveChanges(what + " " + Tr("TForm1", "Save the scenario before leaving?"))) {
    case TSaveChoice::Discard: return true;
    case TSaveChoice::Cancel: return false;
    case TSaveChoice::Save: break;
  }
  SaveScenario1Click();
  // A save that was cancelled or failed keeps the program running.
  return !ScenarioUnsaved();
}

void TForm1::UpdateRecentScenarios() {
  if (!RecentScenarios1) return;
  RecentScenarios1->Clear();
  const std::vector<std::string> paths = RecentScenarios();
  int number = 0;
  for (const std::string& path : paths) {
    ++number;
    const std::string caption =
        (number < 10 ? "&" + std::to_string(number) : std::to_string(number)) + " " + path;
    TMenuItem& item = RecentScenarios1->Add(caption);
    item.OnClick = [this, path] { OpenScenario(path); };
  }
  RecentScenarios1->SetEnabled(!paths.empty());
}

}  // namespace drivesim
