#include "batch/Batch.h"

#include <new>
#include <optional>
#include <ostream>

#include "batch/BatchDesign.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "batch/BatchRun.h"
#include "batch/BatchSweep.h"
#include "files/OutputFiles.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"

namespace drivesim {

namespace {

// The message as the error box shows it (period rule included), on one
// line whatever the input it repeats.
void Report(std::ostream& err, const std::string& message) {
  err << OneLine(ErrorBoxText(message)) << '\n';
  err.flush();
}

// Whether an output made from the measured runs is named.
bool FiguresNamed(const BatchOptions& options) {
  const std::vector<BatchOutput>& table = BatchOutputTable();
  for (std::size_t n = 0; n < table.size(); ++n) {
    if (options.OutputPaths[n] && table[n].Write && table[n].Use != BatchOutputUse::OneRun) {
      return true;
    }
  }
  return false;
}

int RunBatchOrRaise(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    int outFd, bool errIsTerminal);

}  // namespace

int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
             int outFd, bool errIsTerminal) {
  // Memory running out anywhere ends the run as a failed one, with one
  // line; the outputs' temporaries go with them.
  try {
    return RunBatchOrRaise(arguments, out, err, outFd, errIsTerminal);
  } catch (const std::bad_alloc&) {
    Report(err, kOutOfMemoryMessage);
    return kBatchExitArithmeticFailure;
  }
}

namespace {

int RunBatchOrRaise(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    int outFd, bool errIsTerminal) {
  BatchOptions options;
  try {
    options = ParseOptions(arguments);
  } catch (const Exception& e) {
    Report(err, e.Message());
    return kBatchExitBadInput;
  }
  if (options.Help) {
    out << UsageText();
    out.flush();
    if (!out) {
      Report(err, kStandardOutputMessage);
      return kBatchExitWriteFailure;
    }
    return kBatchExitOk;
  }
  if (options.Design) {
    try {
      out << DesignAnswerCsv(options, err);
      out.flush();
    } catch (const Exception& e) {
      Report(err, e.Message());
      return kBatchExitBadInput;
    }
    return kBatchExitOk;
  }

  // The window as created, the tooth count and the setpoint entered, and
  // "Process" pressed, or every run of the sweep entered; then every output
  // checked and readied. Anything failing up to here is an input the window
  // would refuse or a file that cannot be written; nothing has been written
  // yet.
  const std::vector<BatchOutput>& table = BatchOutputTable();
  BatchWindow window;
  std::vector<DriveInputs> sweepInputs;
  TOutputFiles files(out, outFd);
  std::vector<std::optional<std::size_t>> streams(table.size());
  try {
    if (options.Sweep) {
      sweepInputs = SweepInputs(options.Inputs, *options.Sweep);
    } else {
      SetUpBatchWindow(window, options.Inputs);
    }
    for (std::size_t n = 0; n < table.size(); ++n) {
      if (options.OutputPaths[n]) streams[n] = files.Add(table[n].Name, *options.OutputPaths[n]);
    }
    files.Prepare();
  } catch (const Exception& e) {
    Report(err, e.Message());
    return kBatchExitBadInput;
  }

  int status = kBatchExitOk;
  std::optional<std::string> failure;
  SweepResult runs;
  std::ostream* rows =
      streams[kTickRowsOutput] ? &files.Stream(*streams[kTickRowsOutput]) : nullptr;
  if (options.Sweep) {
    // Every run from rest to its end; a run that diverges ends alone, its
    // row saying so.
    runs = RunBatchSweep(options, sweepInputs, rows, errIsTerminal ? &err : nullptr);
    failure = DivergedRunsMessage(runs);
    if (failure) status = kBatchExitArithmeticFailure;
  } else {
    // The timer's ticks. An arithmetic failure ends the run at the failing
    // tick, which changes nothing: the outputs show the run as the last good
    // tick left it.
    if (rows) *rows << kTickRowsHeader << '\n';
    int lastStart = 0;
    try {
      RunBatchTicks(window, options.Inputs, options.Ticks, options.ResetAfter, rows, &lastStart);
    } catch (const Exception& e) {
      failure = e.Message();
      status = kBatchExitArithmeticFailure;
    }
    // The figures describe the last run from rest: the one that starts at
    // the reset, or, when the run failed before it, the first; the same
    // arithmetic meets the same failure at the same tick.
    if (FiguresNamed(options)) runs = MeasureBatchRun(options, options.Ticks - lastStart);
  }

  // Every output made, then all committed together. A failure here leaves
  // the run's own failure unreported: the outputs it concerns are lost.
  try {
    const BatchResult result{options, window, runs};
    for (std::size_t n = 0; n < table.size(); ++n) {
      if (streams[n] && table[n].Write) table[n].Write(result, files.Stream(*streams[n]));
    }
    files.Commit();
  } catch (const Exception& e) {
    Report(err, e.Message());
    return kBatchExitWriteFailure;
  }
  if (failure) Report(err, *failure);
  return status;
}

}  // namespace

}  // namespace drivesim
