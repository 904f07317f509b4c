#include "analysis/FiguresCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/FrequencyResponse.h"
#include "analysis/LoopPoles.h"
#include "platform/Exceptions.h"

namespace drivesim {

void AppendReal(std::string& text, double value) {
  char buffer[40];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  // The exponent as a person types it: "1e-5", "2.5e20", not "1e-05" or
  // "2.5e+20"; the text still reads back as the same double.
  char* e = std::find(buffer, end, 'e');
  if (e != end) {
    char* digits = e + 1;
    if (*digits == '-') ++digits;
    char* first = digits;
    if (*first == '+') ++first;
    while (first + 1 < end && *first == '0') ++first;
    end = std::copy(first, end, digits);
  }
  text.append(buffer, end);
}

void AppendOptionalReal(std::string& text, const std::optional<double>& value) {
  if (value) AppendReal(text, *value);
}

std::string FiguresCsvHeader() {
  return "run,value,gain,time_constant,motor_coef,motor_inertia,load_inertia,friction,feedback,"
         "teeth,setpoint,status,final_value,end_value,static_error,static_error_pct,peak,"
         "peak_time_s,overshoot_pct,rise_time_s,settling_2pct_s,settling_5pct_s,crossings,"
         "natural_freq,damping_ratio,theory_overshoot_pct,theory_peak_time_s,"
         "theory_rise_time_s,theory_settling_2pct_s,theory_settling_5pct_s,pole1_re,pole1_im,"
         "pole2_re,pole2_im,loop_gain_dc,error_signal_pct,crossover_freq,phase_margin_deg,"
         "bandwidth,resonance_peak_db\n";
}

namespace {

// The poles, the steady state and the frequency figures of the run's loop,
// each with its leading comma.
void AppendLoopFields(std::string& text, const RunResult& result) {
  const auto real = [&](const std::optional<double>& v) {
    text += ',';
    AppendOptionalReal(text, v);
  };
  std::optional<FeedbackLoop> loop;
  try {
    loop.emplace(result.Record.Inputs);
  } catch (const Exception&) {
    // Inputs "Process" refuses have no loop: every field stays empty.
  }
  if (!loop) {
    text += std::string(10, ',');
    return;
  }
  const double k = result.Record.Inputs.FeedbackCoef;
  const LoopTransfer t = loop->At(k);
  const LoopPoles p = ComputePoles(t.CoefAccel, t.CoefVelocity);
  for (double v : {p.Pole1.real(), p.Pole1.imag(), p.Pole2.real(), p.Pole2.imag()})
    real(std::isfinite(v) ? std::optional<double>(v) : std::nullopt);
  const SteadyStateFigures s = ComputeSteadyState(loop->DcGain(k), t, loop->Setpoint());
  real(s.LoopGainDc);
  real(s.ErrorSignalPct);
  const FrequencyFigures f = ComputeFrequencyFigures(t);
  real(f.CrossoverFreq);
  real(f.PhaseMarginDeg);
  real(f.Bandwidth);
  real(f.ResonancePeakDb);
}

}  // namespace

void AppendFiguresRow(std::string& text, int run, const std::optional<double>& value,
                      const RunResult& result) {
  const DriveInputs& in = result.Record.Inputs;
  const StepFigures& m = result.Measured;
  const ClosedFormFigures& c = result.ClosedForm;
  const auto real = [&](const std::optional<double>& v) {
    text += ',';
    AppendOptionalReal(text, v);
  };
  text += std::to_string(run);
  real(value);
  for (double v : {in.AmpGain, in.AmpTimeConst, in.MotorCoef, in.MotorInertia, in.LoadInertia,
                   in.ViscousFriction, in.FeedbackCoef}) {
    real(v);
  }
  text += ',' + std::to_string(in.LoadTeeth) + ',' + std::to_string(in.Setpoint) + ',';
  text += StatusText(result.Status);
  // y-infinity is the loop's steady state, a closed-form figure: an unstable
  // loop (whose closed-form figures start with its natural frequency) has
  // none, though the measured figures are still taken against it.
  real(c.NaturalFreq ? result.FinalValue : std::nullopt);
  real(m.EndValue);
  real(m.StaticError);
  real(m.StaticErrorPct);
  real(m.Peak);
  real(m.PeakTime);
  real(m.OvershootPct);
  real(m.RiseTime);
  real(m.Settling2Pct);
  real(m.Settling5Pct);
  text += ',';
  if (m.Crossings) text += std::to_string(*m.Crossings);
  real(c.NaturalFreq);
  real(c.DampingRatio);
  real(c.OvershootPct);
  real(c.PeakTime);
  real(c.RiseTime);
  real(c.Settling2Pct);
  real(c.Settling5Pct);
  AppendLoopFields(text, result);
  text += '\n';
}

std::string TickCsvHeader() {
  return "run,tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n";
}

void AppendTickRows(std::string& text, int run, const RunRecord& record) {
  const std::string prefix = std::to_string(run) + ',';
  int tick = 0;
  for (const TickSample& t : record.Ticks) {
    text += prefix;
    text += std::to_string(++tick);
    for (double v : {t.Time, t.LoadVelocity, t.Setpoint, t.LoadGearAngle, t.MotorGearAngle}) {
      text += ',';
      AppendReal(text, v);
    }
    text += '\n';
  }
}

}  // namespace drivesim
