#pragma once
// What the program remembers between starts, in the user's settings
// (QSettings under the application's organisation and name): the places and
// sizes of the lab windows and their splitters, the last folders a file was
// opened or saved in, the student's name, the design targets and the recent
// scenarios. Never the main window's inputs: the main window starts with its
// own defaults every time.
//
// Tests point the settings at a scratch folder (QSettings::setPath) before
// anything reads them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "files/Scenario.h"

class QSplitter;
class QWidget;

namespace drivesim {

// Names the process as the program, so that its settings are the
// program's: ~/.config/DriveSim/drivesim.conf. A process that has named
// itself already (a test) keeps its own names.
void NameProgramSettings();

// The recent scenarios, the latest first, at most this many.
constexpr int kMaxRecentScenarios = 8;
std::vector<std::string> RecentScenarios();
// Puts path first among the recent scenarios (once).
void AddRecentScenario(const std::string& path);
void ForgetRecentScenario(const std::string& path);

// The folder a file of the given kind ("scenario", "csv", "picture") was
// last opened or saved in; empty when none is remembered.
std::string LastFolder(const std::string& kind);
// Remembers the folder of the file at path.
void SetLastFolderOf(const std::string& kind, const std::string& path);
// The name a save dialog proposes: name in the last folder of its kind, or
// name alone when none is remembered.
std::string InLastFolder(const std::string& kind, const std::string& name);

std::string StudentName();
void SetStudentName(const std::string& name);

// The design targets as last set; nothing when none are remembered.
std::optional<std::array<ScenarioTarget, kScenarioTargets>> RememberedDesignTargets();
void RememberDesignTargets(const std::array<ScenarioTarget, kScenarioTargets>& targets);

// A window's place and size, and its splitters' layout, under name.
void SaveWindowLayout(const std::string& name, const QWidget& window,
                      const std::vector<QSplitter*>& splitters = {});
// Restores what SaveWindowLayout kept; false (the window as it was) when
// nothing is remembered.
bool RestoreWindowLayout(const std::string& name, QWidget& window,
                         const std::vector<QSplitter*>& splitters = {});

// Forgets everything remembered.
void ResetSettings();

}  // namespace drivesim
