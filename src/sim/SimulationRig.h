#pragma once
// The main window's simulation without the window: the records its unit
// holds and the mechanism picture, set up as the window's creation sets them
// up, with "Process" and the timer tick as the window runs them. For the
// checks and measurements that drive the simulation on their own; the series
// the tick refills are the caller's (plain ones, or a chart's).

#include "mechanism/Gears.h"
#include "platform/Graphics.h"
#include "sim/DriveInputs.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"

namespace drivesim {

class TChartSeries;

struct SimulationRig {
  DriveModel Model;
  TimeHistory History;
  GearPair Gears;
  TBitmap Image;  // the mechanism picture, kPictureWidth x kPictureHeight once drawn

  // Creation: the model's step size, the gears set up for 42 teeth at angle
  // 0, the time axis, and the block sketch and the mechanism drawn. The
  // model is at rest and has no inputs yet.
  SimulationRig();

  // "Process" with the inputs: a tooth count other than the gears' is first
  // set up as the tooth-count spin edit does (angles back to 0); then the
  // mechanism is redrawn and the inputs are entered (EnterInputs), the
  // setpoint as used and as shown. The model's state is not touched.
  void Process(const DriveInputs& inputs = {});

  // One timer tick, refilling velocity (the load velocity) and setpoint.
  void Tick(TChartSeries& velocity, TChartSeries& setpoint);
};

}  // namespace drivesim
