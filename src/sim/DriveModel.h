#pragma once
// The drive model: a converter-amplifier feeding a motor, the motor turning
// the load through two spur gears, and the load velocity fed back to the
// amplifier input through the feedback coefficient. The closed loop reduces
// to one second-order linear equation in the load's angular velocity w:
//
//   w'' = CoefInput * Setpoint - CoefAccel * w' - CoefVelocity * w
//
// advanced with a fixed step by a component-wise fourth-order scheme.

namespace drivesim {

struct GearPair;

// Integration step of the drive model, s.
constexpr double kModelStepSize = 1e-5;

// The model's record: parameters, coefficients and state. All fields are
// zero until set; the program holds one, tests make their own.
struct DriveModel {
  // Rate[0]: time derivative of State[0], rad/s^3.
  // Rate[1]: time derivative of State[1], rad/s^2 (always a copy of State[0]).
  double Rate[2] = {0, 0};
  // State[0]: load angular acceleration w', rad/s^2.
  // State[1]: load angular velocity w, rad/s; the plotted load velocity and
  // the velocity that turns the gears.
  double State[2] = {0, 0};
  double CoefInput = 0;        // coefficient of the setpoint, 1/s^2
  double CoefAccel = 0;        // coefficient of w', 1/s
  double CoefVelocity = 0;     // coefficient of w, 1/s^2
  double Denominator = 0;      // common denominator of the three coefficients, kg*m^2*s
  double Setpoint = 0;         // preset load velocity used by the equation, rad/s
  double GearRatio = 0;        // motor teeth / load teeth = load velocity / motor velocity
  double FeedbackCoef = 0;     // feedback coefficient, V*s/rad
  double StageStart = 0;       // State[j] being advanced, at the start of the step (its unit)
  double StepSize = 0;         // integration step h, s
  double AmpGain = 0;          // converter-amplifier gain
  double AmpTimeConst = 0;     // converter-amplifier time constant, s
  double MotorCoef = 0;        // motor coefficient, rad/(s*V)
  double LoadInertia = 0;      // load moment of inertia, kg*m^2
  double ViscousFriction = 0;  // load's coefficient of viscous friction, N*m*s/rad
  double MotorInertia = 0;     // motor moment of inertia, kg*m^2
  double SetpointShown = 0;    // setpoint recorded into the setpoint trace, rad/s

  // GearRatio = motorTeeth / loadTeeth, the counts taken as reals.
  void ComputeGearRatio(int loadTeeth, int motorTeeth);
  // Denominator, CoefInput, CoefAccel and CoefVelocity from the inputs and
  // the stored GearRatio. A zero Denominator raises EZeroDivide (or
  // EInvalidOp when the numerator is zero too) with Denominator stored and
  // the three coefficients unchanged.
  void ComputeTransferCoefficients();
  // Both of the above: the gear ratio from the tooth counts, then the
  // coefficients.
  void ComputeCoefficients(int loadTeeth, int motorTeeth);
  // The same with the tooth counts of a gear pair.
  void ComputeCoefficients(const GearPair& gears);

  // Rate[0] = (CoefInput Setpoint - CoefAccel State[0]) - CoefVelocity State[1];
  // Rate[1] = State[0].
  void ComputeRates();
  // Advances State by one step of StepSize.
  void IntegrateStep();
  // "Reset": State and Rate return to zero; nothing else changes.
  void ZeroState();
};

}  // namespace drivesim
