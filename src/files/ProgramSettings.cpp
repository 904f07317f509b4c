#include "files/ProgramSettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QSplitter>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace drivesim {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::vector<std::string> RecentScenarios() {
  std::vector<std::string> paths;
  for (const QString& path : QSettings().value("recent/scenarios").toStringList()) {
    if (!path.isEmpty() && static_cast<int>(paths.size()) < kMaxRecentScenarios)
      paths.push_back(path.toStdString());
  }
  return paths;
}

void AddRecentScenario(const std::string& path) {
  const QString absolute = QFileInfo(Q(path)).absoluteFilePath();
  QStringList paths = QSettings().value("recent/scenarios").toStringList();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  while (paths.size() > kMaxRecentScenarios) paths.removeLast();
  QSettings().setValue("recent/scenarios", paths);
}

void ForgetRecentScenario(const std::string& path) {
  QStringList paths = QSettings().value("recent/scenarios").toStringList();
  paths.removeAll(Q(path));
  paths.removeAll(QFileInfo(Q(path)).absoluteFilePath());
  QSettings().setValue("recent/scenarios", paths);
}

std::string LastFolder(const std::string& kind) {
  return QSettings().value(Q("folders/" + kind)).toString().toStdString();
}

void SetLastFolderOf(const std::string& kind, const std::string& path) {
  QSettings().setValue(Q("folders/" + kind), QFileInfo(Q(path)).absolutePath());
}

std::string InLastFolder(const std::string& kind, const std::string& name) {
  const std::string folder = LastFolder(kind);
  return folder.empty() ? name : folder + "/" + name;
}

void NameProgramSettings() {
  if (!QCoreApplication::organizationName().isEmpty()) return;
  QCoreApplication::setOrganizationName("DriveSim");
  QCoreApplication::setApplicationName("drivesim");
}

std::string StudentName() { return QSettings().value("student/name").toString().toStdString(); }

void SetStudentName(const std::string& name) { QSettings().setValue("student/name", Q(name)); }

std::optional<std::array<ScenarioTarget, kScenarioTargets>> RememberedDesignTargets() {
  QSettings settings;
  if (!settings.childGroups().contains("targets")) return std::nullopt;
  std::array<ScenarioTarget, kScenarioTargets> targets{};
  settings.beginGroup("targets");
  for (int i = 0; i < kScenarioTargets; ++i) {
    const QString name = QString::fromUtf8(ScenarioTargetName(i));
    bool ok = false;
    const double limit = settings.value(name + "/limit").toDouble(&ok);
    targets[static_cast<std::size_t>(i)] = {settings.value(name + "/enabled").toBool(),
                                            ok ? limit : 0};
  }
  return targets;
}

void RememberDesignTargets(const std::array<ScenarioTarget, kScenarioTargets>& targets) {
  QSettings settings;
  settings.beginGroup("targets");
  for (int i = 0; i < kScenarioTargets; ++i) {
    const QString name = QString::fromUtf8(ScenarioTargetName(i));
    settings.setValue(name + "/enabled", targets[static_cast<std::size_t>(i)].Enabled);
    settings.setValue(name + "/limit", targets[static_cast<std::size_t>(i)].Limit);
  }
}

void SaveWindowLayout(const std::string& name, const QWidget& window,
                      const std::vector<QSplitter*>& splitters) {
  QSettings settings;
  settings.beginGroup(Q("windows/" + name));
  settings.setValue("geometry", window.saveGeometry());
  for (std::size_t i = 0; i < splitters.size(); ++i) {
    if (splitters[i]) settings.setValue(QString("splitter%1").arg(i), splitters[i]->saveState());
  }
}

bool RestoreWindowLayout(const std::string& name, QWidget& window,
                         const std::vector<QSplitter*>& splitters) {
  QSettings settings;
  settings.beginGroup(Q("windows/" + name));
  const QByteArray geometry = settings.value("geometry").toByteArray();
  if (geometry.isEmpty()) return false;
  window.restoreGeometry(geometry);
  for (std::size_t i = 0; i < splitters.size(); ++i) {
    const QByteArray state = settings.value(QString("splitter%1").arg(i)).toByteArray();
    if (splitters[i] && !state.isEmpty()) splitters[i]->restoreState(state);
  }
  return true;
}

void ResetSettings() { QSettings().clear(); }

}  // namespace drivesim
