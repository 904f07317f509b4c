#pragma once
// One tick of the simulation timer, the program's main loop: the gears turn
// by the velocity the previous tick left, the drive model advances by 1 ms of
// simulated time, the newest sample enters the time history, both
// oscilloscope series are refilled and the mechanism picture is redrawn.

namespace drivesim {

struct DriveModel;
struct GearPair;
struct TimeHistory;
class TChartSeries;
class TBitmap;

// Runs one tick on the given model, history and gear pair, refilling
// velocitySeries (the load velocity) and setpointSeries (the setpoint) and
// redrawing the mechanism on image. The arithmetic is checked, and a tick is
// all or nothing: a failing operation raises its exception with the model,
// the gear angles, the history, the series and the picture exactly as they
// were before the tick, so that the next tick (after "Process" with inputs
// that no longer diverge, say) runs as if from the last good one.
//
// stepVelocities, when given, receives the load velocity after each of the
// tick's StepsPerTick integration steps, rad/s. It is the caller's scratch:
// a tick that raises may have written part of it.
void SimulationTick(DriveModel& model, TimeHistory& history, GearPair& gears,
                    TChartSeries& velocitySeries, TChartSeries& setpointSeries, TBitmap& image,
                    double* stepVelocities = nullptr);

}  // namespace drivesim
