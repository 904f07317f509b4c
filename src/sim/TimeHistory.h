#pragma once
// The time history behind the oscilloscope: the last 302 samples of the load
// velocity and of the setpoint as shown, with the simulated time of each
// sample. Index 0 is the oldest sample and index 301 the newest; each timer
// tick records one new sample and moves the time axis on by 1 ms, so the
// chart shows the last 0.301 s of simulated time.

#include "platform/Types.h"

namespace drivesim {

class TChartSeries;

// Samples kept per trace (302, so that the chart spans 0.301 s).
constexpr int HistoryLength = 302;
// Integration steps per timer tick: 100 steps of 1e-5 s make 1 ms.
constexpr int StepsPerTick = 100;

// The load velocity is drawn light blue, the setpoint green, whatever colours
// the series are configured with.
constexpr TColor kVelocityPointColor = clAqua;
constexpr TColor kSetpointPointColor = clLime;

struct TimeHistory {
  double TimeAxis[HistoryLength] = {};       // simulated time of each sample, s
  double VelocityTrace[HistoryLength] = {};  // load angular velocity, rad/s
  double SetpointTrace[HistoryLength] = {};  // setpoint as shown, rad/s

  // TimeAxis[k] = ((k + 1 - 302) * 100) * stepSize: the whole number of
  // steps is formed first and only then multiplied by the step, so that the
  // axis runs from -0.301 s at index 0 to exactly 0 at index 301 without
  // accumulated rounding. The traces are left as they are.
  void ResetTimeAxis(double stepSize);
  // "Reset": the time axis as ResetTimeAxis and both traces zero, in one pass.
  void ResetHistory(double stepSize);
  // Moves both traces one place towards index 0 (k = 1..301 in ascending
  // order), dropping the oldest sample; indices 300 and 301 then both hold
  // the newest. The time axis is not shifted.
  void ShiftTraces();
};

// Clears both series, then adds the 302 samples in ascending index order,
// alternating point by point: velocity (TimeAxis[k], VelocityTrace[k]) in
// clAqua, then setpoint (TimeAxis[k], SetpointTrace[k]) in clLime, each with
// an empty label. Each series then holds exactly 302 points in ascending x.
void FillSeries(TChartSeries& velocity, TChartSeries& setpoint, const TimeHistory& history);

}  // namespace drivesim
