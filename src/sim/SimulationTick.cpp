#include "sim/SimulationTick.h"

#include <algorithm>

#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Numbers.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"

namespace drivesim {

namespace {

// The gear pair's per-tick record: both angles and the angle step. Taken
// before the tick turns the gears and put back when the tick fails.
struct GearAngles {
  double Load;
  double Motor;
  double Step;

  explicit GearAngles(const GearPair& gears)
      : Load(gears.LoadGear.Angle), Motor(gears.MotorGear.Angle), Step(gears.AngleStep) {}
  void RestoreTo(GearPair& gears) const {
    gears.LoadGear.Angle = Load;
    gears.MotorGear.Angle = Motor;
    gears.AngleStep = Step;
  }
};

}  // namespace

void SimulationTick(DriveModel& model, TimeHistory& history, GearPair& gears,
                    TChartSeries& velocitySeries, TChartSeries& setpointSeries, TBitmap& image,
                    double* stepVelocities) {
  constexpr int newest = HistoryLength - 1;

  // The tick is all or nothing. Everything in it that can fail, the checked
  // arithmetic of the gears, of the model and of the time axis, is worked
  // out first on copies; the records change only once all of it has
  // succeeded, by steps that cannot fail. A failing tick thus leaves the
  // model (also part-way through an integration step), the gear angles, the
  // time axis, the traces, the series and the picture as the last good tick
  // left them, and the next tick runs from there.
  const GearAngles anglesBefore(gears);
  DriveModel next = model;
  double timeAxis[HistoryLength];
  try {
    // 1. The gears turn first, by the load velocity the previous tick left:
    // the picture drawn at the end of this tick thus shows the angle reached
    // over the previous millisecond.
    gears.AdvanceGearAngles(model.State[1], model.StepSize);

    // 2. 1 ms of simulated time.
    for (int step = 0; step < StepsPerTick; ++step) {
      next.IntegrateStep();
      if (stepVelocities) stepVelocities[step] = next.State[1];
    }

    // 5. (worked out here, stored below) The time axis moves on by one
    // tick's worth of steps. It is advanced by addition, not recomputed, so
    // it carries the rounding accumulated since the last reset, and
    // TimeAxis[301] is the simulated time of the sample recorded now.
    const double tickTime = Checked(model.StepSize * StepsPerTick);
    for (int k = 0; k < HistoryLength; ++k) {
      timeAxis[k] = Checked(tickTime + history.TimeAxis[k]);
    }
  } catch (...) {
    anglesBefore.RestoreTo(gears);
    throw;
  }
  model = next;

  // 3. The outlines at the new angles, for the redraw of step 8.
  gears.RebuildGearOutlines();

  // 4. The value just computed enters the newest slot. Slot 300 still holds
  // the previous tick's sample, copied there by the previous shift.
  history.VelocityTrace[newest] = model.State[1];
  history.SetpointTrace[newest] = model.SetpointShown;

  // 5. The time axis moved on.
  std::copy(timeAxis, timeAxis + HistoryLength, history.TimeAxis);

  // 6. The series are filled after the newest sample is written (step 4) and
  // before the shift (step 7), so that point k shows the sample taken at
  // TimeAxis[k]: index 301 the value just computed, index 300 the previous
  // tick's, and so on.
  FillSeries(velocitySeries, setpointSeries, history);

  // 7. Make room for the next tick's sample. After the shift slots 300 and
  // 301 both hold the newest sample until the next tick overwrites 301.
  history.ShiftTraces();

  // 8. The mechanism at the new angles.
  DrawMechanism(image, gears);
}

}  // namespace drivesim
