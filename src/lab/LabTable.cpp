#include "lab/LabTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// What the screen shows for a figure the run does not reach.
constexpr const char* kAbsent = "\u2014";

// The inputs in the order of the main window's controls.
constexpr SweepParameter kInputs[] = {
    SweepParameter::Gain,         SweepParameter::TimeConstant, SweepParameter::MotorCoef,
    SweepParameter::MotorInertia, SweepParameter::LoadInertia,  SweepParameter::Friction,
    SweepParameter::Feedback,     SweepParameter::Teeth,        SweepParameter::Setpoint};

std::optional<double> Ms(const std::optional<double>& seconds) {
  if (!seconds) return std::nullopt;
  return *seconds * 1000;
}

std::optional<double> Whole(const std::optional<int>& count) {
  if (!count) return std::nullopt;
  return *count;
}

// The static error the closed form gives: against the loop's final value,
// where the loop has one (a stable loop).
std::optional<double> TheoryStaticErrorPct(const LabRun& run) {
  const double setpoint = run.Result.Record.Inputs.Setpoint;
  if (!run.Result.ClosedForm.NaturalFreq || !run.Result.FinalValue || setpoint == 0) {
    return std::nullopt;
  }
  return 100 * (setpoint - *run.Result.FinalValue) / setpoint;
}

LabTableColumn FigureColumn(const char* header, std::optional<double> (*figure)(const LabRun&),
                            int decimals = 2) {
  LabTableColumn c;
  c.Kind = LabColumnKind::Figure;
  c.Header = header;
  c.Figure = figure;
  c.Decimals = decimals;
  return c;
}

// The figures, measured beside closed form where the loop has both.
const std::vector<LabTableColumn>& FigureColumns() {
  static const std::vector<LabTableColumn> columns{
      // The key figures first, each measured beside its closed form.
      FigureColumn("Overshoot, %\nmeas.",
                   [](const LabRun& r) { return r.Result.Measured.OvershootPct; }),
      FigureColumn("Overshoot, %\ntheory",
                   [](const LabRun& r) { return r.Result.ClosedForm.OvershootPct; }),
      FigureColumn("Peak time, ms\nmeas.",
                   [](const LabRun& r) { return Ms(r.Result.Measured.PeakTime); }),
      FigureColumn("Peak time, ms\ntheory",
                   [](const LabRun& r) { return Ms(r.Result.ClosedForm.PeakTime); }),
      FigureColumn("Rise time, ms\nmeas.",
                   [](const LabRun& r) { return Ms(r.Result.Measured.RiseTime); }),
      FigureColumn("Rise time, ms\ntheory",
                   [](const LabRun& r) { return Ms(r.Result.ClosedForm.RiseTime); }),
      FigureColumn("Settling 2 %, ms\nmeas.",
                   [](const LabRun& r) { return Ms(r.Result.Measured.Settling2Pct); }),
      FigureColumn("Settling 2 %, ms\ntheory",
                   [](const LabRun& r) { return Ms(r.Result.ClosedForm.Settling2Pct); }),
      FigureColumn("Static error, %\nmeas.",
                   [](const LabRun& r) { return r.Result.Measured.StaticErrorPct; }),
      FigureColumn("Static error, %\ntheory",
                   [](const LabRun& r) { return TheoryStaticErrorPct(r); }),
      // The rest follows.
      FigureColumn("Settling 5 %, ms\nmeas.",
                   [](const LabRun& r) { return Ms(r.Result.Measured.Settling5Pct); }),
      FigureColumn("Settling 5 %, ms\ntheory",
                   [](const LabRun& r) { return Ms(r.Result.ClosedForm.Settling5Pct); }),
      FigureColumn(
          "Crossings", [](const LabRun& r) { return Whole(r.Result.Measured.Crossings); }, 0),
      FigureColumn(
          "Damping\nratio", [](const LabRun& r) { return r.Result.ClosedForm.DampingRatio; }, 4),
      FigureColumn("Natural freq.,\nrad/s",
                   [](const LabRun& r) { return r.Result.ClosedForm.NaturalFreq; }),
  };
  return columns;
}

std::string WithSeparator(std::string text) {
  std::replace(text.begin(), text.end(), '.', DecimalSeparator());
  return text;
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  std::string text(buffer, end);
  // A value that rounds to zero is 0, not "-0.00".
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (text.front() == '-') text.replace(0, 1, "\u2212");
  return WithSeparator(text);
}

std::string Full(double value) {
  std::string text;
  AppendReal(text, value);
  return WithSeparator(text);
}

double InputValue(const LabRun& run, SweepParameter p) {
  return SweptValueOf(run.Result.Record.Inputs, p);
}

}  // namespace

std::vector<LabTableColumn> LabTable::ColumnsFor(const std::vector<const LabRun*>& rows) {
  std::vector<LabTableColumn> columns;
  LabTableColumn name;
  name.Kind = LabColumnKind::Name;
  name.Header = "Run";
  columns.push_back(name);
  for (SweepParameter p : kInputs) {
    const bool differs = std::any_of(rows.begin(), rows.end(), [&](const LabRun* r) {
      return InputValue(*r, p) != InputValue(*rows.front(), p);
    });
    if (!differs) continue;
    LabTableColumn c;
    c.Kind = LabColumnKind::Input;
    // The unit on a line of its own, for a narrower column.
    c.Header = SweepParameterCaption(p);
    const std::size_t comma = c.Header.rfind(", ");
    if (comma != std::string::npos) c.Header.replace(comma, 2, ",\n");
    c.Input = p;
    columns.push_back(c);
  }
  LabTableColumn status;
  status.Kind = LabColumnKind::Status;
  status.Header = "Status";
  columns.push_back(status);
  for (const LabTableColumn& c : FigureColumns()) columns.push_back(c);
  return columns;
}

std::string LabTable::StatusText(const LabRun& run) {
  std::string text = drivesim::StatusText(run.Result.Status);
  std::replace(text.begin(), text.end(), '_', ' ');
  if (!run.Note.empty()) text += ", " + run.Note;
  return text;
}

std::string LabTable::ScreenText(const LabTableColumn& column, const LabRun& run) {
  switch (column.Kind) {
    case LabColumnKind::Name: return run.Name;
    case LabColumnKind::Input: return ValueText(InputValue(run, column.Input));
    case LabColumnKind::Status: return StatusText(run);
    case LabColumnKind::Figure: break;
  }
  const std::optional<double> value = column.Figure(run);
  if (!value) return kAbsent;
  return Fixed(*value, column.Decimals);
}

std::string LabTable::FullText(const LabTableColumn& column, const LabRun& run) {
  switch (column.Kind) {
    case LabColumnKind::Name: return run.Name;
    case LabColumnKind::Input: return Full(InputValue(run, column.Input));
    case LabColumnKind::Status: return StatusText(run);
    case LabColumnKind::Figure: break;
  }
  const std::optional<double> value = column.Figure(run);
  if (!value) return std::string();
  if (column.Decimals == 0) return std::to_string(std::llround(*value));
  return Full(*value);
}

std::string LabTable::CopyText(const std::vector<LabTableColumn>& columns,
                               const std::vector<const LabRun*>& rows) {
  std::string text;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    std::string header = columns[c].Header;
    std::replace(header.begin(), header.end(), '\n', ' ');
    text += (c ? "\t" : "") + header;
  }
  text += '\n';
  for (const LabRun* row : rows) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      text += (c ? "\t" : "") + FullText(columns[c], *row);
    }
    text += '\n';
  }
  return text;
}

}  // namespace drivesim
