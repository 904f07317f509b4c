#pragma once
// Figures of a step response measured on the samples of a run: how far the
// load velocity overshoots, how fast it rises and settles, how often it
// swings across its final value, and what error it leaves.
//
// The samples are the load velocity y after every integration step, sample i
// taken at t = i h (sample 0 is the state at "Process", 0 for a run from
// rest). Every figure is measured against the loop's final value
// y_inf = CoefInput Setpoint / CoefVelocity. With s the sign of y_inf the
// figures are worked out on s y, so that a negative setpoint gives the same
// figures as its positive mirror:
//
//   StaticError     Setpoint - y_inf, rad/s
//   StaticErrorPct  100 (Setpoint - y_inf) / Setpoint
//   Peak, PeakTime  the sample with the largest s y and its first time, only
//                   when it lies beyond y_inf (the value is the sample itself,
//                   so it carries the sign of the velocity)
//   OvershootPct    max(0, 100 (s y_peak - |y_inf|) / |y_inf|)
//   RiseTime        from the first reaching of 10 % of y_inf to the first
//                   reaching of 90 %, each interpolated linearly between the
//                   two samples around it
//   Settling2Pct,   the time after which |y - y_inf| <= band |y_inf| for the
//   Settling5Pct    rest of the record, interpolated where the samples enter
//                   the band for the last time; absent while the last sample
//                   lies outside the band
//   Crossings       how many times y crosses y_inf before the 2 % settling
//                   time, or in the whole record while it has not settled
//   EndValue        the last sample
//
// A figure the record does not reach is absent. A final value of 0 leaves
// every figure relative to it absent.
//
// StepMeter takes the samples one at a time in constant time and memory, so
// a run of any length can be followed as it goes; at any moment its figures
// are exactly those MeasureStep gives for the samples fed so far.

#include <cstdint>
#include <optional>
#include <vector>

namespace drivesim {

// The two settling bands, as fractions of |y_inf|.
constexpr double kSettlingBand2Pct = 0.02;
constexpr double kSettlingBand5Pct = 0.05;
// The levels between which the rise time runs, as fractions of |y_inf|.
constexpr double kRiseLowLevel = 0.1;
constexpr double kRiseHighLevel = 0.9;

struct StepFigures {
  std::optional<double> StaticError;     // rad/s
  std::optional<double> StaticErrorPct;  // percent of the setpoint
  std::optional<double> Peak;            // rad/s
  std::optional<double> PeakTime;        // s
  std::optional<double> OvershootPct;    // percent of |y_inf|
  std::optional<double> RiseTime;        // s
  std::optional<double> Settling2Pct;    // s
  std::optional<double> Settling5Pct;    // s
  std::optional<int> Crossings;
  std::optional<double> EndValue;  // rad/s

  friend bool operator==(const StepFigures&, const StepFigures&) = default;
};

// The loop's final value CoefInput Setpoint / CoefVelocity; absent when
// CoefVelocity is 0 or the quotient is not a finite number.
std::optional<double> LoopFinalValue(double coefInput, double coefVelocity, double setpoint);

// Follows a step response sample by sample.
class StepMeter {
 public:
  // setpoint: the preset velocity, rad/s; finalValue: y_inf, absent when the
  // loop has none; stepSize: time between samples, s.
  StepMeter(double setpoint, std::optional<double> finalValue, double stepSize);

  // The next sample, taken one step after the previous one (the first at
  // t = 0).
  void Feed(double y);

  std::int64_t SampleCount() const { return fCount; }
  // The figures of the samples fed so far.
  StepFigures Figures() const;

 private:
  // One settling band: the last sample outside it and the sample after that.
  struct Band {
    double Fraction = 0;
    std::int64_t LastOutside = -1;
    double LastOutsideValue = 0;  // s y of that sample
    double NextValue = 0;         // s y of the sample after it, once fed
    // Crossings counted up to and including the last sample outside.
    int CrossingsAtLastOutside = 0;
  };
  void FeedBand(Band& band, double z);
  std::optional<double> SettlingTime(const Band& band) const;

  double fSetpoint;
  std::optional<double> fFinal;
  double fStep;
  double fSign = 1;        // s
  double fMagnitude = 0;   // |y_inf|
  bool fRelative = false;  // y_inf present and not 0

  std::int64_t fCount = 0;
  double fLastY = 0;
  double fPrevZ = 0;
  // Peak of s y.
  double fPeakZ = 0;
  std::int64_t fPeakIndex = -1;
  // First reaching of the rise levels.
  std::optional<double> fLowTime;
  std::optional<double> fHighTime;
  // Sign of the last sample's s y - |y_inf| that was not 0, and the
  // crossings so far.
  int fLastSign = 0;
  int fCrossings = 0;
  Band fBand2;
  Band fBand5;
};

// The same figures over a whole record, worked out from the definitions on
// the stored samples.
StepFigures MeasureStep(const std::vector<double>& samples, std::size_t count, double setpoint,
                        std::optional<double> finalValue, double stepSize);
inline StepFigures MeasureStep(const std::vector<double>& samples, double setpoint,
                               std::optional<double> finalValue, double stepSize) {
  return MeasureStep(samples, samples.size(), setpoint, finalValue, stepSize);
}

// The time at which the straight line from sample i (value z0) to sample
// i + 1 (value z1) passes level, i h apart from the start. Both ways of
// measuring use it, so that they agree to the last bit.
double InterpolatedTime(std::int64_t i, double z0, double z1, double level, double stepSize);

}  // namespace drivesim
