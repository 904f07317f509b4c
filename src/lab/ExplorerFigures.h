#pragma once
// The explorer's figures table as rows of text: each figure of the loop at
// the chosen k, from the closed form beside its measure on the simulated
// run where both exist, whether it meets its design target, and a tooltip
// with the figure's meaning and formula. Pure text built from the explorer's
// one state, so that the table draws and the tests read the same thing.

#include <optional>
#include <string>
#include <vector>

namespace drivesim {

class ExplorerState;

struct ExplorerFigureRow {
  std::string Name;        // "Overshoot, %"
  std::string ClosedForm;  // empty where the figure does not exist
  std::string Measured;    // on the simulated run; empty where not measured
  // Whether the figure meets its enabled design target; absent when no
  // target limits it.
  std::optional<bool> Met;
  std::string Tooltip;  // meaning and formula
};

// The rows for the state's current k, numbers with the given decimal
// separator. A state whose inputs are refused gives no rows.
std::vector<ExplorerFigureRow> ExplorerFigureRows(const ExplorerState& state,
                                                  char decimalSeparator = '.');

// A figure as the table writes it: four significant digits, the decimal
// separator given; empty when absent.
std::string FigureText(const std::optional<double>& value, char decimalSeparator = '.');

// Reads a number typed into one of the explorer's boxes, with a point or
// with the locale's decimal separator. False when the text is no finite
// number.
bool ReadExplorerNumber(const std::string& text, double& value);

}  // namespace drivesim
