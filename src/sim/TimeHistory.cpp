#include "sim/TimeHistory.h"

#include <string>

#include "chart/ChartSeries.h"

namespace drivesim {

namespace {

// The time of sample k on a freshly reset axis: the integer step count
// (k + 1 - 302) * 100 first, then one multiplication by the step.
double ResetTime(int k, double stepSize) {
  return static_cast<double>((k + 1 - HistoryLength) * StepsPerTick) * stepSize;
}

}  // namespace

void TimeHistory::ResetTimeAxis(double stepSize) {
  for (int k = 0; k < HistoryLength; ++k) TimeAxis[k] = ResetTime(k, stepSize);
}

void TimeHistory::ResetHistory(double stepSize) {
  for (int k = 0; k < HistoryLength; ++k) {
    TimeAxis[k] = ResetTime(k, stepSize);
    VelocityTrace[k] = 0;
    SetpointTrace[k] = 0;
  }
}

void TimeHistory::ShiftTraces() {
  for (int k = 1; k < HistoryLength; ++k) {
    VelocityTrace[k - 1] = VelocityTrace[k];
    SetpointTrace[k - 1] = SetpointTrace[k];
  }
}

void FillSeries(TChartSeries& velocity, TChartSeries& setpoint, const TimeHistory& history) {
  velocity.ClearPoints();
  setpoint.ClearPoints();
  const std::string noLabel;
  for (int k = 0; k < HistoryLength; ++k) {
    velocity.AddPoint(history.TimeAxis[k], history.VelocityTrace[k], noLabel, kVelocityPointColor);
    setpoint.AddPoint(history.TimeAxis[k], history.SetpointTrace[k], noLabel, kSetpointPointColor);
  }
}

}  // namespace drivesim
