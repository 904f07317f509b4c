#include "batch/BatchSweep.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <future>

#include "analysis/FiguresCsv.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "batch/SweepProgressLine.h"

namespace drivesim {

namespace {

// How often the waiting thread looks at the count of finished runs.
constexpr std::chrono::milliseconds kProgressPoll{50};

// The shortest text that reads back as the value, with a point.
std::string ShortReal(double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

BatchRunNeeds NeedsOf(const BatchOptions& options) {
  BatchRunNeeds needs;
  const std::vector<BatchOutput>& outputs = BatchOutputTable();
  for (std::size_t n = 0; n < outputs.size(); ++n) {
    if (!options.OutputPaths[n]) continue;
    needs.Samples = needs.Samples || outputs[n].NeedsSamples;
    needs.Ticks = needs.Ticks || n == kTickRowsOutput;
  }
  return needs;
}

SweepResult RunBatchSweep(const BatchOptions& options, const std::vector<DriveInputs>& inputs,
                          std::ostream* rows, std::ostream* progress) {
  const BatchRunNeeds needs = NeedsOf(options);
  SweepResult result;
  result.Spec = *options.Sweep;

  SweepOptions sweep;
  sweep.Ticks = options.Ticks;
  sweep.Run.KeepSamples = needs.Samples;
  sweep.Run.CurveColumns = kAnalysisChartWidth;
  sweep.Run.KeepTicks = needs.Ticks && rows;
  if (rows) {
    const std::string header = TickCsvHeader();
    rows->write(header.data(), static_cast<std::streamsize>(header.size()));
    sweep.InOrder = [rows](int index, RunResult& run) {
      std::string text;
      AppendTickRows(text, index + 1, run.Record);
      rows->write(text.data(), static_cast<std::streamsize>(text.size()));
      std::vector<TickSample>().swap(run.Record.Ticks);
    };
  }
  if (!progress) {
    result.Runs = RunAll(inputs, sweep);
    return result;
  }

  // The runs go on on the cores while this thread waits for them and keeps
  // the progress line up to date.
  std::atomic<int> done{0};
  sweep.Progress = [&done](int finished, int) { done.store(finished); };
  const auto start = std::chrono::steady_clock::now();
  auto runs = std::async(std::launch::async, [&] { return RunAll(inputs, sweep); });
  SweepProgressLine line(*progress, SweepParameterName(result.Spec.Parameter));
  const int total = static_cast<int>(inputs.size());
  while (runs.wait_for(kProgressPoll) != std::future_status::ready) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    line.Show(done.load(), total, elapsed.count());
  }
  line.Clear();
  result.Runs = runs.get();
  return result;
}

SweepResult MeasureBatchRun(const BatchOptions& options, int ticks) {
  RunOptions run;
  run.KeepSamples = NeedsOf(options).Samples;
  run.CurveColumns = kAnalysisChartWidth;
  run.KeepTicks = false;
  SweepResult result;
  result.Runs.push_back(RunDrive(options.Inputs, ticks, run));
  return result;
}

std::optional<std::string> DivergedRunsMessage(const SweepResult& sweep) {
  std::optional<std::string> message;
  int more = 0;
  for (std::size_t i = 0; i < sweep.Runs.size(); ++i) {
    if (sweep.Runs[i].Status != RunStatus::Diverged) continue;
    if (message) {
      ++more;
      continue;
    }
    message = "Run " + std::to_string(i + 1) + " (" + SweepParameterName(sweep.Spec.Parameter) +
              "=" + ShortReal(sweep.Spec.Values[i]) +
              ") diverged: " + sweep.Runs[i].Record.FailureMessage;
  }
  if (more == 1) *message += "; 1 more run diverged";
  if (more > 1) *message += "; " + std::to_string(more) + " more runs diverged";
  return message;
}

}  // namespace drivesim
