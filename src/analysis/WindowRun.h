#pragma once
// The main window's run as the quality-of-regulation lab follows it: the
// record of every tick from "Process" after start-up or "Reset" (TickLog),
// and the current step response measured as it goes, with the same figures
// a run of the batch tool gets for the same inputs.
//
// A step response is a run from rest with one set of inputs. The current
// run therefore begins at "Process" (after start-up or "Reset") and is
// measured for as long as the loop runs with what it began with. When the
// inputs that shape the response change part-way ("Process" with other
// inputs or another tooth count, the setpoint spin edit while running):
//   - while the drive is still at rest (nothing has moved yet, as with a
//     setpoint of 0), the current run begins anew at that moment, with the
//     new inputs and its time counted from there;
//   - once it has moved, the run's figures stop where the inputs changed:
//     they describe the response up to then, and the run says when it
//     ended. "Reset" and "Process" begin the next one.
// A tick that fails (a diverging model) ends the run as diverged, with the
// figures of the ticks before it. "Process" with the inputs the run has
// (resuming after "Pause") changes nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/RunResult.h"
#include "analysis/StepMeter.h"
#include "analysis/TickLog.h"
#include "sim/DriveInputs.h"

namespace drivesim {

struct DriveModel;

// How far the current run has got.
enum class LiveRunState {
  Waiting,        // no "Process" since start-up or "Reset"
  Measuring,      // running (or paused) with the inputs it began with
  InputsChanged,  // the inputs changed after the drive had moved
  Diverged        // a tick failed
};

// The current run: its inputs, where it lies in the record and its figures
// so far.
class LiveRun {
 public:
  LiveRun();

  LiveRunState State() const { return fState; }
  const DriveInputs& Inputs() const { return fInputs; }
  const LoopCoefficients& Coefficients() const { return fCoefficients; }
  // The integration step the run measures with, s.
  double StepSize() const { return fStepSize; }
  // The record's time at which the run began (its t = 0), s.
  double StartTime() const { return fStartTime; }
  // The record's index of the run's first tick.
  std::int64_t FirstTick() const { return fFirstTick; }
  // Ticks measured (those after the run ended are not).
  std::int64_t TickCount() const { return fTickCount; }
  // Where the inputs changed or the failing tick began, s from the run's
  // start.
  std::optional<double> EndTime() const { return fEndTime; }
  const std::string& FailureMessage() const { return fFailureMessage; }

  std::optional<double> FinalValue() const { return fFinalValue; }
  StepFigures Measured() const { return fMeter.Figures(); }
  const ClosedFormFigures& ClosedForm() const { return fClosedForm; }
  RunStatus Status() const;

  // The run as the library describes a finished one (no samples kept): its
  // inputs, coefficients, ticks, how it ended, and all its figures.
  RunResult Result() const;

 private:
  friend class WindowRun;
  void Begin(const DriveInputs& inputs, const DriveModel& model, std::int64_t firstTick,
             double startTime);

  LiveRunState fState = LiveRunState::Waiting;
  DriveInputs fInputs;
  LoopCoefficients fCoefficients;
  double fSetpoint = 0;  // the setpoint the model runs with, rad/s
  double fStepSize = 0;  // s
  double fStartTime = 0;
  std::int64_t fFirstTick = 0;
  std::int64_t fTickCount = 0;
  std::optional<double> fEndTime;
  std::string fFailureMessage;
  std::optional<double> fFinalValue;
  StepMeter fMeter;
  ClosedFormFigures fClosedForm;
};

class WindowRun {
 public:
  explicit WindowRun(std::size_t logCapacity = TickLog::kDefaultCapacity);
  WindowRun(const WindowRun&) = delete;
  WindowRun& operator=(const WindowRun&) = delete;

  // "Process" has entered the inputs into the model (coefficients computed)
  // for a load gear of loadTeeth teeth; time is the newest sample's time on
  // the oscilloscope, s. Starts the record after start-up or "Reset".
  void Processed(const DriveModel& model, int loadTeeth, double time);
  // "Reset": the record and the current run end; the next "Process" starts
  // new ones.
  void Reset();
  // A tick has run to its end: the model after it, the tick's row, and the
  // load velocity after each of its StepsPerTick integration steps.
  void TickDone(const DriveModel& model, const TickSample& tick, const double* stepVelocities);
  // A tick failed with the message; nothing of it was kept.
  void TickFailed(const std::string& message);

  // Whether a record is being kept ("Process" since start-up or "Reset").
  bool Recording() const { return fRecording; }
  const TickLog& Log() const { return fLog; }
  const LiveRun& Current() const { return fCurrent; }
  // Counts every beginning of a current run and every "Reset", so that a
  // view sees when to start its picture of the current run afresh.
  std::uint64_t RunNumber() const { return fRunNumber; }

  // The current run's load velocity as far as it was measured and the log
  // holds it, one sample per tick: [0] = 0 at the run's t = 0 (the drive at
  // rest), [k] after its k-th tick.
  std::vector<double> CurrentCurve() const;
  // The record's index one past the current run's last measured tick that
  // the log holds.
  std::size_t CurrentEnd() const;

 private:
  void Begin(const DriveInputs& inputs, const DriveModel& model, double startTime);
  void End(LiveRunState state, double time);

  TickLog fLog;
  LiveRun fCurrent;
  bool fRecording = false;
  bool fAtRest = true;          // the model was at rest after the last tick
  double fLastTime = 0;         // the newest row's time, s
  std::int64_t fTickTotal = 0;  // rows of the record, kept or dropped
  std::uint64_t fRunNumber = 0;
};

// The inputs a model runs with, as "Process" entered them, for a load gear
// of loadTeeth teeth.
DriveInputs InputsOfModel(const DriveModel& model, int loadTeeth);

// Whether the model is at rest: no velocity, no acceleration and no rate.
bool ModelAtRest(const DriveModel& model);

}  // namespace drivesim
