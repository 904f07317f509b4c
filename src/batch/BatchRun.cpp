#include "batch/BatchRun.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "analysis/FiguresCsv.h"
#include "chart/ChartSeries.h"
#include "sim/SimulationTick.h"

namespace drivesim {

namespace {

// A colour as web pages write it, #RRGGBB: red, green and blue from 00 to FF.
void AppendColour(std::string& text, TColor colour) {
  const auto value = static_cast<unsigned>(colour);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", value & 0xFFu, (value >> 8) & 0xFFu,
                (value >> 16) & 0xFFu);
  text += buffer;
}

// One row after tick number `tick`: the simulated time of the sample just
// recorded, the newest velocity and setpoint as the traces hold them, and
// both gear angles.
void WriteTickRow(std::ostream& stream, std::string& row, int tick, const BatchWindow& window) {
  constexpr int newest = HistoryLength - 1;
  row = std::to_string(tick);
  for (double value : {window.History.TimeAxis[newest], window.History.VelocityTrace[newest],
                       window.History.SetpointTrace[newest], window.Gears.LoadGear.Angle,
                       window.Gears.MotorGear.Angle}) {
    row += ',';
    AppendReal(row, value);
  }
  row += '\n';
  stream.write(row.data(), static_cast<std::streamsize>(row.size()));
}

}  // namespace

void BatchWindow::FormCreate() {
  Model.StepSize = kModelStepSize;
  Gears.SetUpGears(42);
  History.ResetTimeAxis(Model.StepSize);
  DrawBlockSketch(Image);
  DrawMechanism(Image, Gears);
}

void BatchWindow::SpinEdit1Change(int teeth) {
  Gears.LoadGear.Angle = 0;
  Gears.MotorGear.Angle = 0;
  Gears.SetUpGears(teeth);
  DrawMechanism(Image, Gears);
}

void BatchWindow::Button2Click(const DriveInputs& inputs) {
  DrawMechanism(Image, Gears);
  // The ratio of the gears as they are set up, which the tooth count entered
  // before has made inputs.LoadTeeth.
  DriveInputs entered = inputs;
  entered.LoadTeeth = Gears.LoadGear.ToothCount;
  EnterInputs(Model, entered);
}

void BatchWindow::Button5Click() {
  Model.ZeroState();
  History.ResetHistory(Model.StepSize);
  FillSeries(Series1, Series2, History);
}

void BatchWindow::Timer1Timer() { SimulationTick(Model, History, Gears, Series1, Series2, Image); }

void SetUpBatchWindow(BatchWindow& window, const DriveInputs& inputs) {
  window.FormCreate();
  if (inputs.LoadTeeth != window.Gears.LoadGear.ToothCount) {
    window.SpinEdit1Change(inputs.LoadTeeth);
  }
  window.Button2Click(inputs);
}

void RunBatchTicks(BatchWindow& window, const DriveInputs& inputs, int ticks,
                   std::optional<int> resetAfter, std::ostream* rows, int* lastStart) {
  const auto resetAndProcess = [&] {
    window.Button5Click();
    window.Button2Click(inputs);
    if (lastStart) *lastStart = *resetAfter;
  };
  if (lastStart) *lastStart = 0;
  if (resetAfter == 0) resetAndProcess();
  std::string row;
  for (int tick = 1; tick <= ticks; ++tick) {
    window.Timer1Timer();
    if (rows) WriteTickRow(*rows, row, tick, window);
    if (resetAfter == tick) resetAndProcess();
  }
}

void WriteSeriesPoints(std::ostream& stream, const TChartSeries& velocity,
                       const TChartSeries& setpoint) {
  std::string text = std::string(kSeriesPointsHeader) + "\n";
  // The series are always filled together, so they hold the same number of
  // points.
  const int count = std::min(velocity.PointCount(), setpoint.PointCount());
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    text += std::to_string(i);
    text += ',';
    AppendReal(text, velocity.XValueAt(i));
    text += ',';
    AppendReal(text, velocity.YValueAt(i));
    text += ',';
    AppendColour(text, velocity.ColorList()[at]);
    text += ',';
    AppendReal(text, setpoint.YValueAt(i));
    text += ',';
    AppendColour(text, setpoint.ColorList()[at]);
    text += '\n';
  }
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace drivesim
