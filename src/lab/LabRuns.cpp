#include "lab/LabRuns.h"

#include <algorithm>
#include <charconv>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "platform/Numbers.h"
#include "sim/TimeHistory.h"

namespace drivesim {

namespace {

// A time in seconds as the notes write it: to the millisecond, the
// locale's decimal separator.
std::string SecondsText(double seconds) {
  char buffer[40];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 3).ptr;
  std::string text(buffer, end);
  std::replace(text.begin(), text.end(), '.', DecimalSeparator());
  return text;
}

}  // namespace

std::string LiveRunNote(const LiveRun& run) {
  const double at = run.EndTime().value_or(0);
  switch (run.State()) {
    case LiveRunState::InputsChanged: return "inputs changed at t = " + SecondsText(at) + " s";
    case LiveRunState::Diverged: return "at t = " + SecondsText(at) + " s: " + run.FailureMessage();
    default: return std::string();
  }
}

LabRun LabRunOf(const WindowRun& run, const std::string& name) {
  LabRun lab;
  lab.Name = name;
  lab.Result = run.Current().Result();
  lab.Curve = run.CurrentCurve();
  lab.CurveStep = run.Current().StepSize() * StepsPerTick;
  lab.Note = LiveRunNote(run.Current());
  return lab;
}

std::vector<LabRun> LabRunsOf(const SweepResult& sweep) {
  std::vector<LabRun> runs;
  const std::string name = SweepParameterName(sweep.Spec.Parameter);
  for (std::size_t i = 0; i < sweep.Runs.size(); ++i) {
    const RunResult& result = sweep.Runs[i];
    LabRun lab;
    lab.SweptValue = i < sweep.Spec.Values.size()
                         ? sweep.Spec.Values[i]
                         : SweptValueOf(result.Record.Inputs, sweep.Spec.Parameter);
    lab.Name = name + " = " + ValueText(*lab.SweptValue);
    // The figures and what the record says of the run, not its samples.
    RunRecord& record = lab.Result.Record;
    const RunRecord& from = result.Record;
    record.Inputs = from.Inputs;
    record.Coefficients = from.Coefficients;
    record.StepSize = from.StepSize;
    record.TicksRequested = from.TicksRequested;
    record.TicksDone = from.TicksDone;
    record.End = from.End;
    record.FailedTick = from.FailedTick;
    record.FailureMessage = from.FailureMessage;
    lab.Result.FinalValue = result.FinalValue;
    lab.Result.Measured = result.Measured;
    lab.Result.ClosedForm = result.ClosedForm;
    lab.Result.Status = result.Status;
    lab.Result.Finished = result.Finished;
    lab.Curve.reserve(result.Record.Ticks.size() + 1);
    lab.Curve.push_back(0);
    for (const TickSample& tick : result.Record.Ticks) lab.Curve.push_back(tick.LoadVelocity);
    lab.CurveStep = result.Record.StepSize * StepsPerTick;
    lab.FromSweep = true;
    if (result.Record.End == RunEnd::Failed) {
      lab.Note = "in tick " + std::to_string(result.Record.FailedTick) + ": " +
                 result.Record.FailureMessage;
    }
    runs.push_back(std::move(lab));
  }
  return runs;
}

void LabRuns::Keep(LabRun run) {
  run.Name = "Run " + std::to_string(fNextNumber++);
  run.FromSweep = false;
  run.SweptValue.reset();
  fKept.push_back(std::move(run));
}

void LabRuns::Remove(std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
    if (*it >= 0 && *it < Count()) fKept.erase(fKept.begin() + *it);
  }
}

void LabRuns::Clear() { fKept.clear(); }

void LabRuns::ReplaceSweep(const SweepResult& sweep) {
  fKept.erase(
      std::remove_if(fKept.begin(), fKept.end(), [](const LabRun& r) { return r.FromSweep; }),
      fKept.end());
  fSweepParameter = sweep.Spec.Parameter;
  for (LabRun& run : LabRunsOf(sweep)) fKept.push_back(std::move(run));
}

std::optional<SweepResult> LabRuns::KeptSweep() const {
  SweepResult sweep;
  sweep.Spec.Parameter = fSweepParameter;
  for (const LabRun& run : fKept) {
    if (!run.FromSweep) continue;
    sweep.Spec.Values.push_back(run.SweptValue.value_or(0));
    sweep.Runs.push_back(run.Result);
  }
  if (sweep.Runs.empty()) return std::nullopt;
  return sweep;
}

std::string LabMetricsCsv(const std::vector<const LabRun*>& runs) {
  std::string text = FiguresCsvHeader();
  int number = 0;
  for (const LabRun* run : runs) AppendFiguresRow(text, ++number, run->SweptValue, run->Result);
  return text;
}

}  // namespace drivesim

namespace drivesim {

LabRun LabRunOfSetting(const DriveInputs& inputs, int ticks) {
  RunOptions options;
  options.KeepTicks = false;
  LabRun lab;
  lab.Result = RunDrive(inputs, ticks, options);
  std::vector<double>& samples = lab.Result.Record.Velocity;
  lab.Curve.reserve(samples.size() / StepsPerTick + 1);
  for (std::size_t i = 0; i < samples.size(); i += StepsPerTick) lab.Curve.push_back(samples[i]);
  lab.CurveStep = lab.Result.Record.StepSize * StepsPerTick;
  if (lab.Result.Record.End == RunEnd::Failed) {
    lab.Note = "in tick " + std::to_string(lab.Result.Record.FailedTick) + ": " +
               lab.Result.Record.FailureMessage;
  }
  // The kept run holds its curve, not the record's samples.
  samples.clear();
  samples.shrink_to_fit();
  return lab;
}

}  // namespace drivesim
