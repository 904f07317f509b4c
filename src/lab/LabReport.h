#pragma once
// The lab report: one PDF a student hands in, written with Qt's PDF writer.
// It holds the scenario's title and task, the student's name, the date and
// time, the nine inputs, the explorer's figures at the chosen k with the
// design targets and the answer to which k meet them, the step responses,
// the table of the runs and, after a sweep, its figures against the swept
// value.
//
// Text and tables are vector text the reader can search and copy; the
// charts are drawn by the chart engine at four times their screen density,
// over 400 dots per inch on the page, and embedded without loss. The paper
// follows the locale: US Letter where it measures in the US system and in
// Canada, A4 everywhere else. Every page carries "Page n of N" at its foot.
//
// The report is written through the output files' rules: a complete
// temporary replaces the file at once, and a file that cannot be written
// raises EOutputError with nothing left behind.

#include <optional>
#include <string>
#include <vector>

#include "analysis/DesignTargets.h"
#include "analysis/StepResponseChart.h"
#include "analysis/Sweep.h"
#include "lab/LabRuns.h"
#include "platform/Types.h"
#include "sim/DriveInputs.h"

class QDateTime;
class QLocale;

namespace drivesim {

enum class ReportPaper { A4, Letter };

// The paper of the locale: Letter where the locale measures in the US
// system (the United States and its territories, Liberia, ...) and in
// Canada, A4 elsewhere.
ReportPaper ReportPaperOf(const QLocale& locale);

// The date and time as the report gives them: "2026-12-09 14:05", the same
// in every locale.
std::string ReportDateTime(const QDateTime& when);

// What the report shows. The pointers are not owned and must outlive the
// writing.
struct LabReportContent {
  std::string Title;    // the scenario's; empty for none
  std::string Task;     // the task for students; empty for none
  std::string Student;  // the student's name
  std::string When;     // ReportDateTime
  // The main window's inputs; the explorer's k is their feedback
  // coefficient.
  DriveInputs Inputs;
  // The inputs the explorer explores, its k among them, where they differ
  // from the main window's (the explorer's own boxes and slider); nothing
  // for the main window's.
  std::optional<DriveInputs> ExplorerInputs;
  // The explorer's range of k (V*s/rad) and design targets.
  double KFrom = 0;
  double KTo = 5;
  DesignTargets Targets;
  // The runs' table, as the lab lists them: the current run, then the kept
  // ones.
  std::vector<const LabRun*> Rows;
  // The step responses chart's curves, each in its colour.
  std::vector<StepCurve> Curves;
  std::vector<TColor> CurveColours;
  // The sweep whose figures are shown against the swept value; nothing for
  // no sweep.
  std::optional<SweepResult> Sweep;
  ReportPaper Paper = ReportPaper::A4;
};

// A lab run's curve for the step responses chart, named as the run (not
// owned: it points into the run).
StepCurve StepCurveOf(const LabRun& run);

// The runs as the report's table and chart show them, each curve in its
// run's colour.
void AddRuns(LabReportContent& content, const std::vector<const LabRun*>& runs);

// The report as the bytes of a PDF file.
std::string LabReportPdf(const LabReportContent& content);

// Writes the report to path (all or nothing). Raises EOutputError when the
// file cannot be written.
void SaveLabReport(const std::string& path, const LabReportContent& content);

}  // namespace drivesim
