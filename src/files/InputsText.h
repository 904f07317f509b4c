#pragma once
// The drive's inputs written beside what a run produced: as the commented
// header block of the run's CSV, and as the caption under a saved picture.

#include <string>

#include "sim/DriveInputs.h"

namespace drivesim {

// One "# name = value" line per input, in the main window's order, under
// the names the scenario files use (gain, time_constant, motor_coef,
// motor_inertia, load_inertia, friction, feedback, teeth, setpoint); reals
// in the shortest digits that read back as the same value, with a point.
std::string InputsComment(const DriveInputs& inputs);

// The inputs in words with their units, the reals as the window writes them
// (the locale's decimal separator): "Gain 10, time constant 0.006 s, ...,
// setpoint 100 rad/s".
std::string InputsCaption(const DriveInputs& inputs);

}  // namespace drivesim
