#include "sim/DriveInputs.h"

#include "mechanism/Gears.h"
#include "sim/DriveModel.h"

namespace drivesim {

void EnterInputs(DriveModel& model, const DriveInputs& inputs) {
  model.AmpGain = inputs.AmpGain;
  model.AmpTimeConst = inputs.AmpTimeConst;
  model.MotorCoef = inputs.MotorCoef;
  model.MotorInertia = inputs.MotorInertia;
  model.LoadInertia = inputs.LoadInertia;
  model.ViscousFriction = inputs.ViscousFriction;
  model.FeedbackCoef = inputs.FeedbackCoef;
  model.SetpointShown = inputs.Setpoint;
  model.Setpoint = model.SetpointShown;
  model.ComputeCoefficients(inputs.LoadTeeth, kTotalTeeth - inputs.LoadTeeth);
}

}  // namespace drivesim
