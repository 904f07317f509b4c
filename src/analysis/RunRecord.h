#pragma once
// The record of one run of the drive from rest: the inputs it ran with, the
// coefficients "Process" computed from them, the load velocity after every
// integration step, one row per timer tick, and how the run ended.
//
// A run is what the main window does after "Reset" and "Process": a model at
// rest with step size 1e-5 s, the inputs entered, then ticks of 100
// integration steps each, the gears turning by the velocity the previous
// tick left. The model's checked arithmetic stops a diverging run at the
// failing operation; the record keeps everything computed before it.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/DriveInputs.h"
#include "sim/DriveModel.h"

namespace drivesim {

class StepMeter;

// The three coefficients of the loop as "Process" computed them.
struct LoopCoefficients {
  double CoefInput = 0;     // 1/s^2
  double CoefAccel = 0;     // 1/s
  double CoefVelocity = 0;  // 1/s^2

  friend bool operator==(const LoopCoefficients&, const LoopCoefficients&) = default;
};

// One timer tick, as the batch tool writes it.
struct TickSample {
  double Time = 0;            // simulated time of the tick's newest sample, s
  double LoadVelocity = 0;    // rad/s
  double Setpoint = 0;        // setpoint as shown, rad/s
  double LoadGearAngle = 0;   // rad
  double MotorGearAngle = 0;  // rad

  friend bool operator==(const TickSample&, const TickSample&) = default;
};

enum class RunEnd {
  Completed,  // every tick ran
  Failed,     // an arithmetic failure ended the run
  Cancelled   // the cancel flag was seen between ticks
};

struct RunRecord {
  DriveInputs Inputs;
  LoopCoefficients Coefficients;
  double StepSize = kModelStepSize;  // s
  int TicksRequested = 0;
  int TicksDone = 0;  // ticks that ran to their end
  // Load velocity, rad/s: [i] at t = i StepSize, [0] the state at "Process"
  // (0 from rest). Every completed integration step is here, including
  // those of a tick that failed part-way. Empty unless kept.
  std::vector<double> Velocity;
  // The load velocity as kept for a picture only (RunOptions::CurveColumns):
  // the samples a chart of that plot width draws (CurvePointIndices), with
  // their indices into the whole run; Velocity is then empty. Empty unless
  // kept so.
  std::vector<std::size_t> CurveIndex;
  std::vector<double> CurveVelocity;
  // Samples the run produced, from the one at t = 0, kept or not.
  std::size_t SampleCount = 0;
  // One row per completed tick; empty unless kept.
  std::vector<TickSample> Ticks;
  RunEnd End = RunEnd::Completed;
  int FailedTick = 0;          // 1-based tick in which the run failed
  std::string FailureMessage;  // the failure's message ("Floating point overflow")

  friend bool operator==(const RunRecord&, const RunRecord&) = default;
};

struct RunOptions {
  bool KeepSamples = true;  // fill RunRecord::Velocity
  bool KeepTicks = true;    // fill RunRecord::Ticks
  // With KeepSamples: when above 0, the samples are kept only as a chart of
  // this plot width draws them (RunRecord::CurveIndex and CurveVelocity), so
  // that a run kept for a picture holds a few thousand numbers however long
  // it is.
  int CurveColumns = 0;
  // Looked at between ticks; a set flag ends the run as Cancelled. Not owned;
  // may be null.
  const std::atomic<bool>* Cancel = nullptr;
};

// Runs the drive from rest for the given number of ticks. Every sample,
// from the one at t = 0 on, also goes to the meter when one is given. Raises
// the exception "Process" would raise for inputs it refuses (a zero
// denominator); nothing has run then.
RunRecord RecordRun(const DriveInputs& inputs, int ticks, const RunOptions& options = {},
                    StepMeter* meter = nullptr);

}  // namespace drivesim
