#include "files/Scenario.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>

#include "files/OutputFiles.h"
#include "files/SaveFiles.h"
#include "mechanism/Gears.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// The messages of a scenario that cannot be read, marked so that the
// windows show them translated: the file, then the field and the reason, or
// the reason alone.
constexpr const char* kCannotOpenField = TR_NOOP("Errors", "Cannot open scenario \"%1\": %2: %3");
constexpr const char* kCannotOpen = TR_NOOP("Errors", "Cannot open scenario \"%1\": %2");
constexpr const char* kWholeNumber = TR_NOOP("Errors", "must be a whole number from %1 to %2");
constexpr const char* kAtMostRuns = TR_NOOP("Errors", "at most %1 runs");
constexpr const char* kNotJson = TR_NOOP("Errors", "not a scenario file (JSON %1 at character %2)");
constexpr const char* kNewerFormat =
    TR_NOOP("Errors",
            "the file is of format %1, written by a newer version of the program; this one reads "
            "format %2 only");

constexpr const char* kTargetNames[kScenarioTargets] = {
    "overshoot", "settling2", "settling5", "rise", "error", "damping", "phase-margin"};

// Larger files are no scenario a teacher writes.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

QString Q(const char* text) { return QString::fromUtf8(text); }

// The inputs' members, in the main window's order.
QJsonObject InputsJson(const DriveInputs& inputs) {
  QJsonObject o;
  o[Q("gain")] = inputs.AmpGain;
  o[Q("time_constant")] = inputs.AmpTimeConst;
  o[Q("motor_coef")] = inputs.MotorCoef;
  o[Q("motor_inertia")] = inputs.MotorInertia;
  o[Q("load_inertia")] = inputs.LoadInertia;
  o[Q("friction")] = inputs.ViscousFriction;
  o[Q("feedback")] = inputs.FeedbackCoef;
  o[Q("teeth")] = inputs.LoadTeeth;
  o[Q("setpoint")] = inputs.Setpoint;
  return o;
}

// Reads the members of one object, each named in messages by its path in
// the file ("kept_runs[2].inputs.teeth").
class Reader {
 public:
  Reader(const std::string& where, QJsonObject object, std::string path)
      : fWhere(where), fObject(std::move(object)), fPath(std::move(path)) {}

  [[noreturn]] void Fail(const std::string& field, const std::string& reason) const {
    throw EScenarioError(FillIn(kCannotOpenField, {OneLine(fWhere), Field(field), reason}));
  }

  std::string Field(const std::string& name) const {
    return fPath.empty() ? name : fPath + "." + name;
  }

  bool Has(const char* name) const { return fObject.contains(Q(name)); }

  void Real(const char* name, double& value) const {
    if (!Has(name)) return;
    const QJsonValue v = fObject.value(Q(name));
    if (!v.isDouble()) Fail(name, TR_NOOP("Errors", "must be a number"));
    const double d = v.toDouble();
    if (!std::isfinite(d)) Fail(name, TR_NOOP("Errors", "must be a finite number"));
    value = d;
  }

  void Whole(const char* name, int& value, int least, int most) const {
    if (!Has(name)) return;
    const QJsonValue v = fObject.value(Q(name));
    const double d = v.toDouble();
    if (!v.isDouble() || d != std::floor(d) || d < least || d > most) {
      Fail(name, FillIn(kWholeNumber, {std::to_string(least), std::to_string(most)}));
    }
    value = static_cast<int>(d);
  }

  void Flag(const char* name, bool& value) const {
    if (!Has(name)) return;
    const QJsonValue v = fObject.value(Q(name));
    if (!v.isBool()) Fail(name, TR_NOOP("Errors", "must be true or false"));
    value = v.toBool();
  }

  void Text(const char* name, std::string& value) const {
    if (!Has(name)) return;
    const QJsonValue v = fObject.value(Q(name));
    if (!v.isString()) Fail(name, TR_NOOP("Errors", "must be a text"));
    value = v.toString().toStdString();
  }

  // A member that must be an object, read by its own reader.
  std::optional<Reader> Object(const char* name) const {
    if (!Has(name)) return std::nullopt;
    const QJsonValue v = fObject.value(Q(name));
    if (!v.isObject()) Fail(name, TR_NOOP("Errors", "must be an object"));
    return Reader(fWhere, v.toObject(), Field(name));
  }

  std::optional<QJsonArray> Array(const char* name) const {
    if (!Has(name)) return std::nullopt;
    const QJsonValue v = fObject.value(Q(name));
    if (!v.isArray()) Fail(name, TR_NOOP("Errors", "must be a list"));
    return v.toArray();
  }

  const std::string& Where() const { return fWhere; }

 private:
  const std::string& fWhere;
  QJsonObject fObject;
  std::string fPath;
};

DriveInputs ReadInputs(const Reader& r) {
  DriveInputs inputs;
  r.Real("gain", inputs.AmpGain);
  r.Real("time_constant", inputs.AmpTimeConst);
  r.Real("motor_coef", inputs.MotorCoef);
  r.Real("motor_inertia", inputs.MotorInertia);
  r.Real("load_inertia", inputs.LoadInertia);
  r.Real("friction", inputs.ViscousFriction);
  r.Real("feedback", inputs.FeedbackCoef);
  r.Whole("teeth", inputs.LoadTeeth, kMinLoadTeeth, kMaxLoadTeeth);
  r.Whole("setpoint", inputs.Setpoint, 0, kScenarioMaxSetpoint);
  return inputs;
}

void ReadExplorer(const Reader& r, ScenarioExplorer& explorer) {
  r.Real("k_from", explorer.KFrom);
  r.Real("k_to", explorer.KTo);
  if (!(explorer.KFrom < explorer.KTo))
    r.Fail("k_to", TR_NOOP("Errors", "must be greater than k_from"));
  if (const std::optional<Reader> targets = r.Object("targets")) {
    for (int i = 0; i < kScenarioTargets; ++i) {
      if (const std::optional<Reader> t = targets->Object(kTargetNames[i])) {
        t->Flag("enabled", explorer.Targets[static_cast<std::size_t>(i)].Enabled);
        t->Real("limit", explorer.Targets[static_cast<std::size_t>(i)].Limit);
      }
    }
  }
}

void ReadSweep(const Reader& r, ScenarioSweep& sweep) {
  if (r.Has("parameter")) {
    std::string name;
    r.Text("parameter", name);
    bool known = false;
    for (int p = 0; p <= static_cast<int>(SweepParameter::Setpoint); ++p) {
      if (name == SweepParameterName(static_cast<SweepParameter>(p))) {
        sweep.Parameter = static_cast<SweepParameter>(p);
        known = true;
      }
    }
    if (!known) {
      r.Fail("parameter", TR_NOOP("Errors",
                                  "must be one of gain, time-constant, motor-coef, motor-inertia, "
                                  "load-inertia, friction, feedback, teeth, setpoint"));
    }
  }
  r.Real("from", sweep.From);
  r.Real("to", sweep.To);
  r.Whole("count", sweep.Count, kMinSweepCount, kMaxSweepCount);
  r.Real("duration", sweep.Duration);
  if (!(sweep.Duration > 0 && sweep.Duration <= kScenarioMaxDuration)) {
    r.Fail("duration", TR_NOOP("Errors", "must be above 0 and at most 10 s"));
  }
}

}  // namespace

std::string CannotOpenScenarioMessage(const std::string& path, const std::string& reason) {
  return FillIn(kCannotOpen, {OneLine(path), reason});
}

const std::vector<const char*>& ScenarioMessagePatterns() {
  static const std::vector<const char*> patterns = {kCannotOpenField, kCannotOpen, kWholeNumber,
                                                    kAtMostRuns,      kNotJson,    kNewerFormat};
  return patterns;
}

const char* ScenarioTargetName(int index) {
  return index >= 0 && index < kScenarioTargets ? kTargetNames[index] : "";
}

std::string ScenarioJson(const Scenario& scenario) {
  QJsonObject root;
  root[Q("format")] = kScenarioFormat;
  root[Q("title")] = QString::fromStdString(scenario.Title);
  root[Q("task")] = QString::fromStdString(scenario.Task);
  root[Q("inputs")] = InputsJson(scenario.Inputs);

  QJsonObject explorer;
  explorer[Q("k_from")] = scenario.Explorer.KFrom;
  explorer[Q("k_to")] = scenario.Explorer.KTo;
  QJsonObject targets;
  for (int i = 0; i < kScenarioTargets; ++i) {
    const ScenarioTarget& t = scenario.Explorer.Targets[static_cast<std::size_t>(i)];
    QJsonObject target;
    target[Q("enabled")] = t.Enabled;
    target[Q("limit")] = t.Limit;
    targets[Q(kTargetNames[i])] = target;
  }
  explorer[Q("targets")] = targets;
  root[Q("explorer")] = explorer;

  QJsonArray runs;
  for (const ScenarioRun& run : scenario.KeptRuns) {
    QJsonObject r;
    r[Q("label")] = QString::fromStdString(run.Label);
    r[Q("ticks")] = run.Ticks;
    r[Q("inputs")] = InputsJson(run.Inputs);
    runs.append(r);
  }
  root[Q("kept_runs")] = runs;

  QJsonObject sweep;
  sweep[Q("parameter")] = Q(SweepParameterName(scenario.Sweep.Parameter));
  sweep[Q("from")] = scenario.Sweep.From;
  sweep[Q("to")] = scenario.Sweep.To;
  sweep[Q("count")] = scenario.Sweep.Count;
  sweep[Q("duration")] = scenario.Sweep.Duration;
  root[Q("sweep")] = sweep;

  return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

Scenario ParseScenario(const std::string& text, const std::string& where) {
  const auto fail = [&where](const std::string& reason) {
    throw EScenarioError(CannotOpenScenarioMessage(where, reason));
  };
  QJsonParseError error{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
  if (error.error != QJsonParseError::NoError) {
    fail(FillIn(kNotJson, {error.errorString().toStdString(), std::to_string(error.offset)}));
  }
  if (!document.isObject()) fail(TR_NOOP("Errors", "not a scenario file (no JSON object)"));
  const Reader root(where, document.object(), std::string());

  if (!root.Has("format"))
    root.Fail("format", TR_NOOP("Errors", "missing: this is no scenario file"));
  const QJsonValue format = document.object().value(Q("format"));
  if (!format.isDouble() || format.toDouble() != std::floor(format.toDouble()) ||
      format.toDouble() < 1) {
    root.Fail("format", TR_NOOP("Errors", "must be a whole number from 1"));
  }
  if (format.toDouble() > kScenarioFormat) {
    root.Fail("format", FillIn(kNewerFormat, {std::to_string(format.toInteger()),
                                              std::to_string(kScenarioFormat)}));
  }

  Scenario scenario;
  root.Text("title", scenario.Title);
  root.Text("task", scenario.Task);
  if (const std::optional<Reader> inputs = root.Object("inputs")) {
    scenario.Inputs = ReadInputs(*inputs);
  }
  if (const std::optional<Reader> explorer = root.Object("explorer")) {
    ReadExplorer(*explorer, scenario.Explorer);
  }
  if (const std::optional<QJsonArray> runs = root.Array("kept_runs")) {
    if (runs->size() > kScenarioMaxRuns) {
      root.Fail("kept_runs", FillIn(kAtMostRuns, {std::to_string(kScenarioMaxRuns)}));
    }
    for (qsizetype i = 0; i < runs->size(); ++i) {
      const std::string path = "kept_runs[" + std::to_string(i) + "]";
      if (!runs->at(i).isObject()) root.Fail(path, TR_NOOP("Errors", "must be an object"));
      const Reader r(where, runs->at(i).toObject(), path);
      ScenarioRun run;
      r.Text("label", run.Label);
      r.Whole("ticks", run.Ticks, 1, kScenarioMaxRunTicks);
      if (const std::optional<Reader> inputs = r.Object("inputs")) run.Inputs = ReadInputs(*inputs);
      scenario.KeptRuns.push_back(std::move(run));
    }
  }
  if (const std::optional<Reader> sweep = root.Object("sweep")) {
    ReadSweep(*sweep, scenario.Sweep);
  }
  return scenario;
}

Scenario ReadScenario(const std::string& path) {
  const auto fail = [&path](const std::string& reason) {
    throw EScenarioError(CannotOpenScenarioMessage(path, reason));
  };
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (!info.exists()) fail(TR_NOOP("Errors", "no such file"));
  if (info.isDir()) fail(TR_NOOP("Errors", "it is a directory"));
  // A FIFO or a device would be waited on or read without end.
  if (!info.isFile()) fail(TR_NOOP("Errors", "not a regular file"));
  if (info.size() > kMaxFileBytes) fail(TR_NOOP("Errors", "too large for a scenario file"));
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) fail(file.errorString().toStdString());
  const QByteArray data = file.read(kMaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) fail(file.errorString().toStdString());
  return ParseScenario(data.toStdString(), path);
}

void WriteScenario(const std::string& path, const Scenario& scenario) {
  SaveOutputFile("The scenario", path, ScenarioJson(scenario));
}

}  // namespace drivesim
