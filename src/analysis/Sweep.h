#pragma once
// Sweeps: the same drive run once for each value of one input, every run
// from rest with the other inputs unchanged.
//
// A sweep is written NAME=FROM:TO:COUNT (COUNT values from FROM to TO,
// evenly spaced, both ends included, COUNT 2..1000) or NAME=V1,V2,... (up to
// 1000 values), with NAME one of gain, time-constant, motor-coef,
// motor-inertia, load-inertia, friction, feedback, teeth, setpoint. Real
// numbers are written with a point whatever the locale. The tooth count and
// the setpoint are whole numbers: their values are rounded half to even and
// must lie in the ranges the window keeps them in.
//
// The runs are independent, so they are spread over threads; each result
// goes to its run's place, so the results come out in sweep order and are
// the same for any number of threads.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "analysis/RunResult.h"
#include "platform/Exceptions.h"
#include "sim/DriveInputs.h"

namespace drivesim {

// A sweep description or value that cannot be used: a one-line message.
class ESweepError : public Exception {
  using Exception::Exception;
};

enum class SweepParameter {
  Gain,
  TimeConstant,
  MotorCoef,
  MotorInertia,
  LoadInertia,
  Friction,
  Feedback,
  Teeth,
  Setpoint
};

// Values a sweep may hold, and the range of the swept setpoint (the
// setpoint spin edit's).
constexpr int kMinSweepCount = 2;
constexpr int kMaxSweepCount = 1000;
constexpr int kMinSweepSetpoint = 0;
constexpr int kMaxSweepSetpoint = 300;

// The name a sweep description uses ("time-constant").
const char* SweepParameterName(SweepParameter parameter);
// The input as the window labels it, with its unit ("Time constant, s").
const char* SweepParameterCaption(SweepParameter parameter);
// The input as a run's label names it before its value ("k =", "teeth").
const char* SweepParameterLabel(SweepParameter parameter);
// A run told apart by one input: "k = 0.3", "teeth 20", "time constant 0.05".
std::string SweptValueLabel(SweepParameter parameter, double value);

// The patterns of the sweep's messages, for the windows to show them
// translated (AddMessagePatterns).
const std::vector<const char*>& SweepMessagePatterns();

struct SweepSpec {
  SweepParameter Parameter = SweepParameter::Feedback;
  // The values in sweep order, as the runs use them (whole numbers for the
  // tooth count and the setpoint).
  std::vector<double> Values;

  friend bool operator==(const SweepSpec&, const SweepSpec&) = default;
};

// Reads a sweep description. Raises ESweepError, or EConvertError /
// EOverflow for a number that cannot be read, with a one-line message.
SweepSpec ParseSweepSpec(const std::string& text);

// The inputs with the swept one set to value (the tooth count and the
// setpoint take it as a whole number).
DriveInputs WithSweptValue(DriveInputs inputs, SweepParameter parameter, double value);
// The swept input's value in inputs.
double SweptValueOf(const DriveInputs& inputs, SweepParameter parameter);

// The inputs of every run of the sweep. Raises ESweepError when "Process"
// would refuse the inputs of a run, naming the value.
std::vector<DriveInputs> SweepInputs(const DriveInputs& base, const SweepSpec& spec);

struct SweepOptions {
  int Ticks = 400;  // timer ticks per run
  int Threads = 0;  // threads to use; 0 = one per core
  RunOptions Run;   // what each record keeps; its Cancel is the sweep's
  // Called after each finished run with the runs finished so far and the
  // total, from the thread that finished it, one call at a time, the count
  // rising by one each call.
  std::function<void(int done, int total)> Progress;
  // Called with each finished run in sweep order, one call at a time, from
  // the thread that finished it or a later one, as soon as it and every run
  // before it have finished. It may take the record's samples and rows away
  // (written out, say): the result keeps what is left. While it is given, a
  // run starts only when fewer than kMaxRunsAhead runs wait for an earlier
  // one, so that the records held at once stay few however many runs the
  // sweep has.
  std::function<void(int index, RunResult& run)> InOrder;
};

// Finished runs that may wait for an earlier one to finish, per thread, when
// the runs are taken in sweep order (SweepOptions::InOrder).
constexpr int kMaxRunsAhead = 4;

struct SweepResult {
  SweepSpec Spec;
  std::vector<RunResult> Runs;  // in sweep order
  bool Cancelled = false;       // runs not Finished were cut short or never run
};

// Runs every sweep value from rest. Raises as SweepInputs before anything
// runs.
SweepResult RunSweep(const DriveInputs& base, const SweepSpec& spec, const SweepOptions& options);

// Runs each of the inputs from rest on the given threads; the results are in
// the inputs' order. Sets cancelled when the options' cancel flag stopped
// the work.
std::vector<RunResult> RunAll(const std::vector<DriveInputs>& inputs, const SweepOptions& options,
                              bool* cancelled = nullptr);

}  // namespace drivesim
