#pragma once
// The drive's inputs as the main window takes them: the seven edits, the
// tooth count of the load gear and the setpoint spin edit. Defaults are the
// values the window starts with.

namespace drivesim {

struct DriveModel;

struct DriveInputs {
  double AmpGain = 10;           // converter-amplifier gain
  double AmpTimeConst = 0.006;   // converter-amplifier time constant, s
  double MotorCoef = 1.4;        // motor coefficient, rad/(s*V)
  double MotorInertia = 0.021;   // motor moment of inertia, kg*m^2
  double LoadInertia = 0.3;      // load moment of inertia, kg*m^2
  double ViscousFriction = 1.6;  // load's coefficient of viscous friction, N*m*s/rad
  double FeedbackCoef = 1;       // feedback coefficient, V*s/rad
  int LoadTeeth = 42;            // tooth count of the load gear; the motor gear has 56 minus it
  int Setpoint = 100;            // preset load velocity, rad/s, as the spin edit gives it

  friend bool operator==(const DriveInputs&, const DriveInputs&) = default;
};

// "Process" on a model whose gears have inputs.LoadTeeth teeth: stores the
// seven inputs in the edits' order, the gear ratio, the setpoint (as used and
// as shown) and computes the coefficients. A zero denominator raises as
// DriveModel::ComputeTransferCoefficients does, the inputs already stored.
// The model's step size and state are not touched.
void EnterInputs(DriveModel& model, const DriveInputs& inputs);

}  // namespace drivesim
