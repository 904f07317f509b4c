#include "analysis/RunRecord.h"

#include "analysis/CurvePoints.h"
#include "analysis/StepMeter.h"
#include "mechanism/Gears.h"
#include "platform/Exceptions.h"
#include "platform/Numbers.h"
#include "sim/TimeHistory.h"

namespace drivesim {

RunRecord RecordRun(const DriveInputs& inputs, int ticks, const RunOptions& options,
                    StepMeter* meter) {
  RunRecord record;
  record.Inputs = inputs;
  record.TicksRequested = ticks;

  // "Reset" and "Process": the model at rest, the inputs entered.
  DriveModel model;
  model.StepSize = kModelStepSize;
  record.StepSize = model.StepSize;
  EnterInputs(model, inputs);
  record.Coefficients = {model.CoefInput, model.CoefAccel, model.CoefVelocity};

  // The gears' angles need only the tooth counts; the outlines are the
  // picture's business.
  GearPair gears;
  gears.LoadGear.ToothCount = inputs.LoadTeeth;
  gears.MotorGear.ToothCount = kTotalTeeth - inputs.LoadTeeth;

  if (options.KeepSamples) {
    record.Velocity.reserve(static_cast<std::size_t>(ticks > 0 ? ticks : 0) * StepsPerTick + 1);
    record.Velocity.push_back(model.State[1]);
  }
  if (options.KeepTicks) record.Ticks.reserve(static_cast<std::size_t>(ticks > 0 ? ticks : 0));
  if (meter) meter->Feed(model.State[1]);
  record.SampleCount = 1;

  // The newest slot of the time axis after "Reset" holds 0; each tick adds
  // one tick's time to it, as the tick does.
  double time = 0;
  const double tickTime = model.StepSize * StepsPerTick;
  for (int tick = 1; tick <= ticks; ++tick) {
    if (options.Cancel && options.Cancel->load(std::memory_order_relaxed)) {
      record.End = RunEnd::Cancelled;
      break;
    }
    try {
      gears.AdvanceGearAngles(model.State[1], model.StepSize);
      for (int step = 0; step < StepsPerTick; ++step) {
        model.IntegrateStep();
        const double y = model.State[1];
        if (options.KeepSamples) record.Velocity.push_back(y);
        if (meter) meter->Feed(y);
        ++record.SampleCount;
      }
      time = Checked(tickTime + time);
    } catch (const Exception& e) {
      record.End = RunEnd::Failed;
      record.FailedTick = tick;
      record.FailureMessage = e.Message();
      break;
    }
    ++record.TicksDone;
    if (options.KeepTicks) {
      record.Ticks.push_back(
          {time, model.State[1], model.SetpointShown, gears.LoadGear.Angle, gears.MotorGear.Angle});
    }
  }
  if (options.KeepSamples && options.CurveColumns > 0) {
    // The picture's points only; the whole run's samples go.
    record.CurveIndex = CurvePointIndices(record.Velocity, options.CurveColumns);
    record.CurveVelocity.reserve(record.CurveIndex.size());
    for (const std::size_t i : record.CurveIndex)
      record.CurveVelocity.push_back(record.Velocity[i]);
    std::vector<double>().swap(record.Velocity);
  }
  return record;
}

}  // namespace drivesim
