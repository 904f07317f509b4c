#include "lab/LabTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// What the screen shows for a figure the run does not reach.
constexpr const char* kAbsent = "—";

// The runs' states as the table names them.
[[maybe_unused]] constexpr const char* kStatusTexts[] = {
    TR_NOOP("LabTable", "settled"), TR_NOOP("LabTable", "not settled"),
    TR_NOOP("LabTable", "no response"), TR_NOOP("LabTable", "unstable"),
    TR_NOOP("LabTable", "diverged")};

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

// A key figure: "name\nmeas. / theory" on screen.
LabTableColumn KeyColumn(const char* name, std::optional<double> (*measured)(const LabRun&),
                         std::optional<double> (*theory)(const LabRun&)) {
  LabTableColumn c;
  c.Kind = LabColumnKind::Figure;
  c.Header = std::string(name) + "\nmeas. / theory";
  c.Figure = measured;
  c.Theory = theory;
  return c;
}

// The name of a key figure's column, without its second line.
std::string KeyName(const LabTableColumn& column) {
  return column.Header.substr(0, column.Header.find('\n'));
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
      KeyColumn(
          TR_NOOP("LabTable", "Overshoot, %"),
          [](const LabRun& r) { return r.Result.Measured.OvershootPct; },
          [](const LabRun& r) { return r.Result.ClosedForm.OvershootPct; }),
      KeyColumn(
          TR_NOOP("LabTable", "Peak time, ms"),
          [](const LabRun& r) { return Ms(r.Result.Measured.PeakTime); },
          [](const LabRun& r) { return Ms(r.Result.ClosedForm.PeakTime); }),
      KeyColumn(
          TR_NOOP("LabTable", "Rise time, ms"),
          [](const LabRun& r) { return Ms(r.Result.Measured.RiseTime); },
          [](const LabRun& r) { return Ms(r.Result.ClosedForm.RiseTime); }),
      KeyColumn(
          TR_NOOP("LabTable", "Settling 2 %, ms"),
          [](const LabRun& r) { return Ms(r.Result.Measured.Settling2Pct); },
          [](const LabRun& r) { return Ms(r.Result.ClosedForm.Settling2Pct); }),
      KeyColumn(
          TR_NOOP("LabTable", "Static error, %"),
          [](const LabRun& r) { return r.Result.Measured.StaticErrorPct; },
          [](const LabRun& r) { return TheoryStaticErrorPct(r); }),
      // The rest follows.
      FigureColumn(TR_NOOP("LabTable", "Settling 5 %, ms\nmeasured"),
                   [](const LabRun& r) { return Ms(r.Result.Measured.Settling5Pct); }),
      FigureColumn(TR_NOOP("LabTable", "Settling 5 %, ms\ntheory"),
                   [](const LabRun& r) { return Ms(r.Result.ClosedForm.Settling5Pct); }),
      FigureColumn(
          TR_NOOP("LabTable", "Crossings"),
          [](const LabRun& r) { return Whole(r.Result.Measured.Crossings); }, 0),
      FigureColumn(
          TR_NOOP("LabTable", "Damping\nratio"),
          [](const LabRun& r) { return r.Result.ClosedForm.DampingRatio; }, 4),
      FigureColumn(TR_NOOP("LabTable", "Natural freq.,\nrad/s"),
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
  if (text.front() == '-') text.replace(0, 1, "−");
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
  name.Header = Tr("LabTable", "Run");
  columns.push_back(name);
  for (SweepParameter p : kInputs) {
    const bool differs = std::any_of(rows.begin(), rows.end(), [&](const LabRun* r) {
      return InputValue(*r, p) != InputValue(*rows.front(), p);
    });
    if (!differs) continue;
    LabTableColumn c;
    c.Kind = LabColumnKind::Input;
    // The unit on a line of its own, for a narrower column.
    c.Header = TrMarked("Sweep", SweepParameterCaption(p));
    const std::size_t comma = c.Header.rfind(", ");
    if (comma != std::string::npos) c.Header.replace(comma, 2, ",\n");
    c.Input = p;
    columns.push_back(c);
  }
  LabTableColumn status;
  status.Kind = LabColumnKind::Status;
  status.Header = Tr("LabTable", "Status");
  columns.push_back(status);
  // The figures' headers in the user's language.
  for (LabTableColumn c : FigureColumns()) {
    c.Header = c.Theory ? TrMarked("LabTable", KeyName(c)) + "\n" + Tr("LabTable", "meas. / theory")
                        : TrMarked("LabTable", c.Header);
    columns.push_back(c);
  }
  return columns;
}

std::string LabTable::StatusText(const LabRun& run) {
  std::string text = drivesim::StatusText(run.Result.Status);
  std::replace(text.begin(), text.end(), '_', ' ');
  text = TrMarked("LabTable", text);
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
  const auto text = [&](const std::optional<double>& value) {
    return value ? Fixed(*value, column.Decimals) : std::string(kAbsent);
  };
  if (column.Theory) return text(column.Figure(run)) + " / " + text(column.Theory(run));
  return text(column.Figure(run));
}

std::string LabTable::FullText(const LabTableColumn& column, const LabRun& run) {
  switch (column.Kind) {
    case LabColumnKind::Name: return run.Name;
    case LabColumnKind::Input: return Full(InputValue(run, column.Input));
    case LabColumnKind::Status: return StatusText(run);
    case LabColumnKind::Figure: break;
  }
  const auto text = [&](const std::optional<double>& value) {
    if (!value) return std::string();
    if (column.Decimals == 0) return std::to_string(std::llround(*value));
    return Full(*value);
  };
  // A key figure is copied as two columns, measured and closed form.
  if (column.Theory) return text(column.Figure(run)) + "\t" + text(column.Theory(run));
  return text(column.Figure(run));
}

std::string LabTable::CopyText(const std::vector<LabTableColumn>& columns,
                               const std::vector<const LabRun*>& rows) {
  std::string text;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    std::string header = columns[c].Header;
    std::replace(header.begin(), header.end(), '\n', ' ');
    if (columns[c].Theory) {
      header = FillIn(Tr("LabTable", "%1 measured\t%1 theory"), {KeyName(columns[c])});
    }
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
