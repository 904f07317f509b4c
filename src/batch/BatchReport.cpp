#include "batch/BatchReport.h"

#include <QDateTime>
#include <QLocale>
#include <string>
#include <vector>

#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "files/PngData.h"
#include "files/ProgramSettings.h"
#include "lab/LabReport.h"
#include "lab/LabRuns.h"

namespace drivesim {

void CheckBatchReport(const BatchOptions& options) {
  for (const ScenarioRun& run : options.KeptRuns) {
    SweepInputs(run.Inputs, SweepSpec{SweepParameter::Feedback, {run.Inputs.FeedbackCoef}});
  }
}

void WriteBatchReport(const BatchResult& result, std::ostream& stream) {
  const BatchOptions& o = result.Options;
  const QuietPlatform quiet;
  const OffscreenApplication application;

  LabReportContent content;
  content.Title = o.Title;
  content.Task = o.Task;
  // The name the window remembers, from the window's own settings.
  NameProgramSettings();
  content.Student = o.Student ? *o.Student : StudentName();
  content.When = ReportDateTime(QDateTime::currentDateTime());
  content.Inputs = o.Inputs;
  content.KFrom = o.ExploreFrom;
  content.KTo = o.ExploreTo;
  if (o.Targets) content.Targets = *o.Targets;
  content.Paper = ReportPaperOf(QLocale::system());

  // The lab as the same session leaves it: the run as its current run (or
  // the sweep's runs after the kept ones), the scenario's runs kept.
  LabRuns kept;
  kept.Restore(LabRunsOf(o.KeptRuns, 0));
  if (o.Sweep) kept.ReplaceSweep(result.Runs);
  const std::vector<StepCurve> curves = StepCurvesOf(result.Runs);
  LabRun current;
  if (!o.Sweep && !result.Runs.Runs.empty()) {
    current.Name = "Current run";
    current.Colour = kCurrentRunColor;
    current.Result = result.Runs.Runs.front();
    content.Rows.push_back(&current);
    if (!curves.empty()) {
      content.Curves.push_back(curves.front());
      content.Curves.back().Name = current.Name;
      content.CurveColours.push_back(current.Colour);
    }
  }
  std::vector<const LabRun*> rows;
  for (const LabRun& run : kept.Kept()) rows.push_back(&run);
  // The kept runs hold their curves; the sweep's runs kept only the
  // points a chart draws, which their records hold.
  AddRuns(content, rows);
  if (o.Sweep) {
    std::size_t curve = 0;
    for (const LabRun& run : kept.Kept()) {
      if (!run.FromSweep || run.Curve.size() >= 2 || curve >= curves.size()) continue;
      content.Curves.push_back(curves[curve++]);
      content.CurveColours.push_back(run.Colour);
    }
    content.Sweep = result.Runs;
  }
  const std::string pdf = LabReportPdf(content);
  stream.write(pdf.data(), static_cast<std::streamsize>(pdf.size()));
}

}  // namespace drivesim
