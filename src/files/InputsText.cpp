#include "files/InputsText.h"

#include <charconv>

#include "platform/Numbers.h"

namespace drivesim {

std::string InputsComment(const DriveInputs& inputs) {
  std::string text;
  const auto real = [&text](const char* name, double value) {
    // The shortest digits that read back as the same real.
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text += std::string("# ") + name + " = " + std::string(digits, end) + "\n";
  };
  real("gain", inputs.AmpGain);
  real("time_constant", inputs.AmpTimeConst);
  real("motor_coef", inputs.MotorCoef);
  real("motor_inertia", inputs.MotorInertia);
  real("load_inertia", inputs.LoadInertia);
  real("friction", inputs.ViscousFriction);
  real("feedback", inputs.FeedbackCoef);
  text += "# teeth = " + std::to_string(inputs.LoadTeeth) + "\n";
  text += "# setpoint = " + std::to_string(inputs.Setpoint) + "\n";
  return text;
}

std::string InputsCaption(const DriveInputs& inputs) {
  return "Gain " + FloatToStr(inputs.AmpGain) + ", time constant " +
         FloatToStr(inputs.AmpTimeConst) + " s, motor coefficient " + FloatToStr(inputs.MotorCoef) +
         " rad/(s\u00b7V), motor inertia " + FloatToStr(inputs.MotorInertia) +
         " kg\u00b7m\u00b2, load inertia " + FloatToStr(inputs.LoadInertia) +
         " kg\u00b7m\u00b2, friction " + FloatToStr(inputs.ViscousFriction) +
         " N\u00b7m\u00b7s/rad, feedback " + FloatToStr(inputs.FeedbackCoef) +
         " V\u00b7s/rad, load gear " + std::to_string(inputs.LoadTeeth) + " teeth, setpoint " +
         std::to_string(inputs.Setpoint) + " rad/s";
}

}  // namespace drivesim
