#include "lab/LabRuns.h"

#include <algorithm>
#include <charconv>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "chart/ChartPalette.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"
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

// The inputs in the order a label names them: the feedback coefficient,
// the lab's subject, first.
constexpr SweepParameter kLabelOrder[] = {
    SweepParameter::Feedback,  SweepParameter::Gain,         SweepParameter::TimeConstant,
    SweepParameter::MotorCoef, SweepParameter::MotorInertia, SweepParameter::LoadInertia,
    SweepParameter::Friction,  SweepParameter::Teeth,        SweepParameter::Setpoint,
};

}  // namespace

std::vector<std::string> DistinguishingLabels(const std::vector<DriveInputs>& inputs) {
  std::vector<std::string> labels(inputs.size());
  bool any = false;
  for (const SweepParameter input : kLabelOrder) {
    bool differs = false;
    for (const DriveInputs& in : inputs) {
      differs |= SweptValueOf(in, input) != SweptValueOf(inputs.front(), input);
    }
    if (!differs) continue;
    any = true;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      if (!labels[i].empty()) labels[i] += ", ";
      labels[i] += SweptValueLabel(input, SweptValueOf(inputs[i], input));
    }
  }
  if (!any) {
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      labels[i] = SweptValueLabel(SweepParameter::Feedback, inputs[i].FeedbackCoef);
    }
  }
  return labels;
}

std::string LiveRunNote(const LiveRun& run) {
  const double at = run.EndTime().value_or(0);
  switch (run.State()) {
    case LiveRunState::InputsChanged:
      return FillIn(Tr("LabRuns", "inputs changed at t = %1 s"), {SecondsText(at)});
    case LiveRunState::Diverged:
      return FillIn(Tr("LabRuns", "at t = %1 s: %2"), {SecondsText(at), run.FailureMessage()});
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
  for (std::size_t i = 0; i < sweep.Runs.size(); ++i) {
    const RunResult& result = sweep.Runs[i];
    LabRun lab;
    lab.SweptValue = i < sweep.Spec.Values.size()
                         ? sweep.Spec.Values[i]
                         : SweptValueOf(result.Record.Inputs, sweep.Spec.Parameter);
    lab.Name = SweptValueLabel(sweep.Spec.Parameter, *lab.SweptValue);
    lab.Colour = SequentialColor(static_cast<int>(i), static_cast<int>(sweep.Runs.size()));
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
      lab.Note = FillIn(Tr("LabRuns", "in tick %1: %2"),
                        {std::to_string(result.Record.FailedTick), result.Record.FailureMessage});
    }
    runs.push_back(std::move(lab));
  }
  return runs;
}

std::vector<LabRun> LabRunsOf(const std::vector<ScenarioRun>& runs, int threads) {
  for (const ScenarioRun& run : runs) {
    SweepInputs(run.Inputs, SweepSpec{SweepParameter::Feedback, {run.Inputs.FeedbackCoef}});
  }
  // Every run with its per-tick rows for the curve.
  std::vector<LabRun> restored(runs.size());
  std::vector<bool> done(runs.size(), false);
  for (std::size_t first = 0; first < runs.size(); ++first) {
    if (done[first]) continue;
    std::vector<std::size_t> group;
    std::vector<DriveInputs> inputs;
    for (std::size_t i = first; i < runs.size(); ++i) {
      if (done[i] || runs[i].Ticks != runs[first].Ticks) continue;
      group.push_back(i);
      inputs.push_back(runs[i].Inputs);
      done[i] = true;
    }
    SweepOptions options;
    options.Ticks = runs[first].Ticks;
    options.Threads = threads;
    options.Run.KeepSamples = false;
    options.Run.KeepTicks = true;
    SweepResult results;
    results.Spec.Parameter = SweepParameter::Feedback;
    for (const DriveInputs& in : inputs) results.Spec.Values.push_back(in.FeedbackCoef);
    results.Runs = RunAll(inputs, options);
    std::vector<LabRun> labs = LabRunsOf(results);
    for (std::size_t g = 0; g < group.size(); ++g) {
      labs[g].Name = runs[group[g]].Label;
      restored[group[g]] = std::move(labs[g]);
    }
  }
  return restored;
}

void LabRuns::Keep(LabRun run) {
  run.FromSweep = false;
  run.SweptValue.reset();
  // The first colour no other kept run of the window has; with every colour
  // taken, the least used. Colours as dark as the current run's are left to
  // it.
  std::vector<int> uses(static_cast<std::size_t>(QualitativeColorCount()), 0);
  for (int c = 0; c < QualitativeColorCount(); ++c) {
    if (ColorToLab(QualitativeColor(c)).L < ColorToLab(kCurrentRunColor).L + 10) uses[c] = 1 << 20;
  }
  for (const LabRun& r : fKept) {
    if (r.FromSweep) continue;
    for (int c = 0; c < QualitativeColorCount(); ++c) uses[c] += r.Colour == QualitativeColor(c);
  }
  const auto least = std::min_element(uses.begin(), uses.end());
  run.Colour = QualitativeColor(static_cast<int>(least - uses.begin()));
  fKept.push_back(std::move(run));
  Relabel();
}

void LabRuns::Relabel() {
  std::vector<DriveInputs> inputs;
  for (const LabRun& r : fKept) inputs.push_back(r.Result.Record.Inputs);
  const std::vector<std::string> labels = DistinguishingLabels(inputs);
  for (std::size_t i = 0; i < fKept.size(); ++i) fKept[i].Name = labels[i];
}

void LabRuns::Remove(std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
    if (*it >= 0 && *it < Count()) fKept.erase(fKept.begin() + *it);
  }
  Relabel();
}

void LabRuns::Clear() { fKept.clear(); }

void LabRuns::Restore(std::vector<LabRun> runs) {
  // Kept one by one, as the student kept them: each takes its colour, and
  // the labels name what sets the runs apart.
  fKept.clear();
  for (LabRun& run : runs) Keep(std::move(run));
}

void LabRuns::ReplaceSweep(const SweepResult& sweep) {
  fKept.erase(
      std::remove_if(fKept.begin(), fKept.end(), [](const LabRun& r) { return r.FromSweep; }),
      fKept.end());
  fSweepParameter = sweep.Spec.Parameter;
  for (LabRun& run : LabRunsOf(sweep)) fKept.push_back(std::move(run));
  Relabel();
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
  text.insert(text.size() - 1, ",label");
  int number = 0;
  for (const LabRun* run : runs) {
    AppendFiguresRow(text, ++number, run->SweptValue, run->Result);
    text.pop_back();
    // Quoted, as the label may hold commas; a quote doubled.
    text += ",\"";
    for (char c : run->Name) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    text += "\"\n";
  }
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
    lab.Note =
        FillIn(Tr("LabRuns", "in tick %1: %2"),
               {std::to_string(lab.Result.Record.FailedTick), lab.Result.Record.FailureMessage});
  }
  // The kept run holds its curve, not the record's samples.
  samples.clear();
  samples.shrink_to_fit();
  return lab;
}

}  // namespace drivesim
