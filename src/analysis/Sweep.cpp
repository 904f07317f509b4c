#include "analysis/Sweep.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "analysis/PrintChart.h"
#include "mechanism/Gears.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"
#include "sim/DriveModel.h"

namespace drivesim {

namespace {

struct ParameterEntry {
  SweepParameter Parameter;
  const char* Name;
  const char* Caption;
  const char* Label;
};

constexpr ParameterEntry kParameters[] = {
    {SweepParameter::Gain, "gain", TR_NOOP("Sweep", "Gain"), TR_NOOP("LabRuns", "gain")},
    {SweepParameter::TimeConstant, "time-constant", TR_NOOP("Sweep", "Time constant, s"),
     TR_NOOP("LabRuns", "time constant")},
    {SweepParameter::MotorCoef, "motor-coef", TR_NOOP("Sweep", "Motor coefficient, rad/sV"),
     TR_NOOP("LabRuns", "motor coef.")},
    {SweepParameter::MotorInertia, "motor-inertia",
     TR_NOOP("Sweep", "Motor moment of inertia, kgm2"), TR_NOOP("LabRuns", "motor inertia")},
    {SweepParameter::LoadInertia, "load-inertia", TR_NOOP("Sweep", "Load moment of inertia, kgm2"),
     TR_NOOP("LabRuns", "load inertia")},
    {SweepParameter::Friction, "friction",
     TR_NOOP("Sweep", "Coefficient of viscous friction, Nms/rad"), TR_NOOP("LabRuns", "friction")},
    {SweepParameter::Feedback, "feedback", TR_NOOP("Sweep", "Feedback coefficient, Vs/rad"),
     TR_NOOP("LabRuns", "k =")},
    {SweepParameter::Teeth, "teeth", TR_NOOP("Sweep", "Number of gear teeth"),
     TR_NOOP("LabRuns", "teeth")},
    {SweepParameter::Setpoint, "setpoint", TR_NOOP("Sweep", "Preset velocity of load, rad/s"),
     TR_NOOP("LabRuns", "setpoint")},
};

const ParameterEntry& EntryOf(SweepParameter parameter) {
  for (const ParameterEntry& e : kParameters) {
    if (e.Parameter == parameter) return e;
  }
  return kParameters[0];
}

// The shortest text that reads back as the value, with a point.
std::string ShortReal(double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// The messages of a sweep that the windows show translated.
constexpr const char* kSetpointRange =
    TR_NOOP("Errors", "Preset velocity of load must be between %1 and %2");
constexpr const char* kCountRange = TR_NOOP("Errors", "Sweep count must be between %1 and %2");
constexpr const char* kRefusedValue = TR_NOOP("Errors", "Sweep value %1=%2: %3");

// A whole-number input: the value rounded half to even, in its range.
double WholeValue(SweepParameter parameter, double value) {
  const std::int64_t whole = Round(value);
  if (parameter == SweepParameter::Teeth) {
    if (whole < kMinLoadTeeth || whole > kMaxLoadTeeth) throw ESweepError(kGearTeethRangeMessage);
  } else if (whole < kMinSweepSetpoint || whole > kMaxSweepSetpoint) {
    throw ESweepError(FillIn(
        kSetpointRange, {std::to_string(kMinSweepSetpoint), std::to_string(kMaxSweepSetpoint)}));
  }
  return static_cast<double>(whole);
}

bool IsWhole(SweepParameter parameter) {
  return parameter == SweepParameter::Teeth || parameter == SweepParameter::Setpoint;
}

}  // namespace

const char* SweepParameterName(SweepParameter parameter) { return EntryOf(parameter).Name; }

const std::vector<const char*>& SweepMessagePatterns() {
  static const std::vector<const char*> patterns = {kRefusedValue, kSetpointRange, kCountRange};
  return patterns;
}

const char* SweepParameterCaption(SweepParameter parameter) { return EntryOf(parameter).Caption; }

const char* SweepParameterLabel(SweepParameter parameter) { return EntryOf(parameter).Label; }

std::string SweptValueLabel(SweepParameter parameter, double value) {
  // In the user's language where a window shows it; the batch tool, which
  // loads no translation, writes it in English.
  return TrMarked("LabRuns", SweepParameterLabel(parameter)) + " " + ValueText(value);
}

SweepSpec ParseSweepSpec(const std::string& text) {
  const std::string form = "Sweep '" + text + "' is not NAME=FROM:TO:COUNT or NAME=V1,V2,...";
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos) throw ESweepError(form);
  const std::string name = text.substr(0, eq);
  const std::string rest = text.substr(eq + 1);

  SweepSpec spec;
  bool known = false;
  for (const ParameterEntry& e : kParameters) {
    if (name == e.Name) {
      spec.Parameter = e.Parameter;
      known = true;
    }
  }
  if (!known) throw ESweepError("Unknown sweep parameter '" + name + "'");

  if (rest.find(':') != std::string::npos) {
    const std::vector<std::string> parts = Split(rest, ':');
    if (parts.size() != 3) throw ESweepError(form);
    const double from = StrToFloatWithPoint(parts[0]);
    const double to = StrToFloatWithPoint(parts[1]);
    const int count = StrToInt(parts[2]);
    if (count < kMinSweepCount || count > kMaxSweepCount) {
      throw ESweepError(
          FillIn(kCountRange, {std::to_string(kMinSweepCount), std::to_string(kMaxSweepCount)}));
    }
    // Evenly spaced, the last value exactly TO.
    const double step = CheckedDiv(Checked(to - from), count - 1);
    for (int k = 0; k < count; ++k) {
      spec.Values.push_back(k == count - 1 ? to : Checked(from + Checked(k * step)));
    }
  } else {
    const std::vector<std::string> parts = Split(rest, ',');
    if (parts.size() > static_cast<std::size_t>(kMaxSweepCount)) {
      throw ESweepError("A sweep takes at most " + std::to_string(kMaxSweepCount) + " values");
    }
    for (const std::string& part : parts) spec.Values.push_back(StrToFloatWithPoint(part));
  }
  if (IsWhole(spec.Parameter)) {
    for (double& v : spec.Values) v = WholeValue(spec.Parameter, v);
  }
  return spec;
}

DriveInputs WithSweptValue(DriveInputs inputs, SweepParameter parameter, double value) {
  switch (parameter) {
    case SweepParameter::Gain: inputs.AmpGain = value; break;
    case SweepParameter::TimeConstant: inputs.AmpTimeConst = value; break;
    case SweepParameter::MotorCoef: inputs.MotorCoef = value; break;
    case SweepParameter::MotorInertia: inputs.MotorInertia = value; break;
    case SweepParameter::LoadInertia: inputs.LoadInertia = value; break;
    case SweepParameter::Friction: inputs.ViscousFriction = value; break;
    case SweepParameter::Feedback: inputs.FeedbackCoef = value; break;
    case SweepParameter::Teeth: inputs.LoadTeeth = static_cast<int>(Round(value)); break;
    case SweepParameter::Setpoint: inputs.Setpoint = static_cast<int>(Round(value)); break;
  }
  return inputs;
}

double SweptValueOf(const DriveInputs& inputs, SweepParameter parameter) {
  switch (parameter) {
    case SweepParameter::Gain: return inputs.AmpGain;
    case SweepParameter::TimeConstant: return inputs.AmpTimeConst;
    case SweepParameter::MotorCoef: return inputs.MotorCoef;
    case SweepParameter::MotorInertia: return inputs.MotorInertia;
    case SweepParameter::LoadInertia: return inputs.LoadInertia;
    case SweepParameter::Friction: return inputs.ViscousFriction;
    case SweepParameter::Feedback: return inputs.FeedbackCoef;
    case SweepParameter::Teeth: return inputs.LoadTeeth;
    case SweepParameter::Setpoint: return inputs.Setpoint;
  }
  return 0;
}

std::vector<DriveInputs> SweepInputs(const DriveInputs& base, const SweepSpec& spec) {
  std::vector<DriveInputs> all;
  all.reserve(spec.Values.size());
  for (double value : spec.Values) {
    const DriveInputs inputs = WithSweptValue(base, spec.Parameter, value);
    if (inputs.LoadTeeth < kMinLoadTeeth || inputs.LoadTeeth > kMaxLoadTeeth) {
      throw ESweepError(kGearTeethRangeMessage);
    }
    // "Process" on a scratch model: what it refuses, the sweep refuses.
    try {
      DriveModel scratch;
      scratch.StepSize = kModelStepSize;
      EnterInputs(scratch, inputs);
    } catch (const Exception& e) {
      throw ESweepError(FillIn(
          kRefusedValue, {SweepParameterName(spec.Parameter), ShortReal(value), e.Message()}));
    }
    all.push_back(inputs);
  }
  return all;
}

std::vector<RunResult> RunAll(const std::vector<DriveInputs>& inputs, const SweepOptions& options,
                              bool* cancelled) {
  const int total = static_cast<int>(inputs.size());
  std::vector<RunResult> results(inputs.size());
  int threads =
      options.Threads > 0 ? options.Threads : static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, std::max(1, total));

  std::mutex mutex;  // guards everything below that is not atomic
  std::condition_variable delivered;
  int next = 0;        // the next run to start
  int done = 0;        // runs finished
  int delivering = 0;  // the next run for InOrder
  std::vector<char> finished(inputs.size(), 0);
  bool stopped = false;  // a failure ends the sweep
  std::exception_ptr failure;
  const std::atomic<bool>* cancel = options.Run.Cancel;
  const auto stopping = [&] { return cancel && cancel->load(std::memory_order_relaxed); };
  // Runs may start this far ahead of the next one to deliver.
  const int ahead = options.InOrder ? threads * kMaxRunsAhead : total;

  const auto work = [&] {
    for (;;) {
      int i = 0;
      {
        std::unique_lock<std::mutex> lock(mutex);
        // Waiting for an earlier run to be delivered; a cancel is looked at
        // every few milliseconds meanwhile.
        while (!stopped && next < total && next >= delivering + ahead && !stopping()) {
          delivered.wait_for(lock, std::chrono::milliseconds(20));
        }
        if (stopped || next >= total || stopping()) return;
        i = next++;
      }
      const std::size_t at = static_cast<std::size_t>(i);
      try {
        results[at] = RunDrive(inputs[at], options.Ticks, options.Run);
      } catch (...) {
        // Anything but an arithmetic failure of the run (which the record
        // keeps) ends the sweep; the first such failure is raised again.
        const std::lock_guard<std::mutex> lock(mutex);
        if (!failure) failure = std::current_exception();
        stopped = true;
        delivered.notify_all();
        return;
      }
      if (!results[at].Finished) return;
      const std::lock_guard<std::mutex> lock(mutex);
      ++done;
      if (options.Progress) options.Progress(done, total);
      finished[at] = 1;
      if (!options.InOrder) continue;
      try {
        while (delivering < total && finished[static_cast<std::size_t>(delivering)]) {
          options.InOrder(delivering, results[static_cast<std::size_t>(delivering)]);
          ++delivering;
        }
      } catch (...) {
        if (!failure) failure = std::current_exception();
        stopped = true;
      }
      delivered.notify_all();
      if (stopped) return;
    }
  };

  if (threads == 1) {
    work();
  } else {
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) pool.emplace_back(work);
    for (std::thread& thread : pool) thread.join();
  }
  if (failure) std::rethrow_exception(failure);
  if (cancelled) *cancelled = stopping() && done < total;
  return results;
}

SweepResult RunSweep(const DriveInputs& base, const SweepSpec& spec, const SweepOptions& options) {
  const std::vector<DriveInputs> inputs = SweepInputs(base, spec);
  SweepResult result;
  result.Spec = spec;
  result.Runs = RunAll(inputs, options, &result.Cancelled);
  return result;
}

}  // namespace drivesim
