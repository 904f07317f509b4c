#pragma once
// The main window's simulation without the window, as drivesim-batch runs
// it: the records the window's unit holds, the oscilloscope and the image,
// and the handlers the run imitates, with the per-tick CSV rows written as
// the timer ticks.

#include <optional>
#include <ostream>

#include "files/RunCsv.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Graphics.h"
#include "sim/DriveInputs.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {

// The header of the series points written after the run.
inline constexpr const char* kSeriesPointsHeader =
    "index,x,velocity,velocity_colour,setpoint,setpoint_colour";

struct BatchWindow {
  DriveModel Model;
  TimeHistory History;
  GearPair Gears;
  Oscilloscope Scope = MakeOscilloscope();
  TLineSeries& Series1 = *Scope.Series1;  // load velocity
  TLineSeries& Series2 = *Scope.Series2;  // setpoint
  // The window's Image1: the block sketch and the mechanism.
  TBitmap Image{kPictureWidth, kPictureHeight};

  // Window creation: step size, gears for 42 teeth, time axis, sketch and
  // mechanism. The series stay empty.
  void FormCreate();
  // The tooth-count spin edit: angles to 0, gears for the new count, redraw.
  void SpinEdit1Change(int teeth);
  // "Process" after the setpoint was typed: redraw, then the inputs, the gear
  // ratio, the setpoint (used and shown) and the coefficients. A zero
  // denominator raises before the coefficients change.
  void Button2Click(const DriveInputs& inputs);
  // "Reset": the model at rest, the history zeroed with the time axis back
  // at -0.301..0, both series refilled with 302 zero points.
  void Button5Click();
  void Timer1Timer();
};

// The run: the window created, the tooth count and the setpoint entered,
// "Process" pressed and the timer ticking `ticks` times, with "Reset" and
// "Process" again after tick resetAfter. A row per tick goes to rows (when
// given). Raises what the window would show in its box: before the first
// tick (an unreadable tooth count, a zero denominator) nothing is written;
// an arithmetic failure during the ticks ends the run with the rows of the
// ticks before it written and the window as the last good tick left it.
// lastStart, when given, receives the tick after which the last run from
// rest began: resetAfter once the reset is done, 0 before.
void SetUpBatchWindow(BatchWindow& window, const DriveInputs& inputs);
void RunBatchTicks(BatchWindow& window, const DriveInputs& inputs, int ticks,
                   std::optional<int> resetAfter, std::ostream* rows, int* lastStart = nullptr);

// The points of both series, one row per index, with the header.
void WriteSeriesPoints(std::ostream& stream, const TChartSeries& velocity,
                       const TChartSeries& setpoint);

}  // namespace drivesim
