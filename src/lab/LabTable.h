#pragma once
// The figures table of the quality-of-regulation window as text: which
// columns it has and what each cell says, on screen (times in ms and
// percentages to two decimals, the locale's decimal separator, "—" for a
// figure the run does not reach) and when copied (every digit a double
// holds).
//
// The table names each run, then has a column for every input that is not
// the same in all its runs (the feedback coefficient for a sweep of it, say),
// then the status, the key figures (measured / closed form in one cell, so
// that they fit the window's first width) and the rest.

#include <optional>
#include <string>
#include <vector>

#include "analysis/Sweep.h"
#include "lab/LabRuns.h"

namespace drivesim {

enum class LabColumnKind { Name, Input, Figure, Status };

struct LabTableColumn {
  LabColumnKind Kind = LabColumnKind::Figure;
  std::string Header;  // may hold a line break
  // The input a column of differing inputs shows.
  SweepParameter Input = SweepParameter::Feedback;
  // The figure of a figure column, in the column's unit (ms, %, ...),
  // absent where the run has none.
  std::optional<double> (*Figure)(const LabRun& run) = nullptr;
  // A key figure's closed form, shown in the same cell after the measured
  // one ("4.65 / 4.65") and copied as a column of its own.
  std::optional<double> (*Theory)(const LabRun& run) = nullptr;
  int Decimals = 2;  // on screen; 0 for a count
};

class LabTable {
 public:
  // The columns for the rows: the run's name, the inputs that differ among
  // them, the figures, the status.
  static std::vector<LabTableColumn> ColumnsFor(const std::vector<const LabRun*>& rows);

  // A cell as the screen shows it.
  static std::string ScreenText(const LabTableColumn& column, const LabRun& run);
  // A cell as it is copied: the shortest text that reads back as the same
  // value, the locale's decimal separator, empty where absent.
  static std::string FullText(const LabTableColumn& column, const LabRun& run);

  // The rows (all columns) as tab-separated lines with a header line, as
  // Ctrl+C copies them.
  static std::string CopyText(const std::vector<LabTableColumn>& columns,
                              const std::vector<const LabRun*>& rows);

  // The screen's status text: "settled", "not settled", ... followed by
  // the run's note.
  static std::string StatusText(const LabRun& run);
};

}  // namespace drivesim
