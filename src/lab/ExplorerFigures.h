#pragma once
// The explorer's figures table as rows of text: each figure of the loop at
// the chosen k, from the closed form beside its measure on the simulated
// run where both exist, whether it meets its design target, and a tooltip
// with the figure's meaning and formula. Pure text built from the explorer's
// one state, so that the table draws and the tests read the same thing.

#include <optional>
#include <string>
#include <vector>

#include "analysis/DesignTargets.h"

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

// The table's word for a row's design target: "met", "not met", or empty
// where no target limits the figure.
std::string MetText(const std::optional<bool>& met);

// A design target as the explorer's targets group names it, with its
// comparison and unit: "Overshoot \u2264, %".
std::string ExplorerTargetLabel(TargetKind kind);

// The design answer as the explorer says it: the inputs' problem while they
// are refused, a hint while no target is switched on, else the answer in
// words (DesignSentence) with the given decimal separator.
std::string ExplorerAnswerText(const ExplorerState& state, char decimalSeparator = '.');

// A figure as the table writes it: four significant digits, the decimal
// separator given; empty when absent.
std::string FigureText(const std::optional<double>& value, char decimalSeparator = '.');

// Reads a number typed into one of the explorer's boxes, with a point or
// with the locale's decimal separator. False when the text is no finite
// number.
bool ReadExplorerNumber(const std::string& text, double& value);

}  // namespace drivesim
