#include "analysis/StepMeter.h"

#include <algorithm>
#include <cmath>

namespace drivesim {

std::optional<double> LoopFinalValue(double coefInput, double coefVelocity, double setpoint) {
  if (coefVelocity == 0) return std::nullopt;
  const double value = coefInput * setpoint / coefVelocity;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

double InterpolatedTime(std::int64_t i, double z0, double z1, double level, double stepSize) {
  return (static_cast<double>(i) + (level - z0) / (z1 - z0)) * stepSize;
}

namespace {

// The figures that need no samples: the static error against the setpoint.
void SetStaticError(StepFigures& f, double setpoint, std::optional<double> finalValue) {
  if (!finalValue) return;
  f.StaticError = setpoint - *finalValue;
  if (setpoint != 0) f.StaticErrorPct = 100 * (setpoint - *finalValue) / setpoint;
}

double Overshoot(double peak, double magnitude) {
  return std::max(0.0, 100 * (peak - magnitude) / magnitude);
}

// The band edge that a sample outside the band crosses on its way in.
double BandEdge(double outside, double magnitude, double halfWidth) {
  return outside > magnitude ? magnitude + halfWidth : magnitude - halfWidth;
}

int SignAgainst(double z, double magnitude) {
  const double d = z - magnitude;
  return d > 0 ? 1 : (d < 0 ? -1 : 0);
}

}  // namespace

// ---------------------------------------------------------------------------
// StepMeter

StepMeter::StepMeter(double setpoint, std::optional<double> finalValue, double stepSize)
    : fSetpoint(setpoint), fFinal(finalValue), fStep(stepSize) {
  if (fFinal && *fFinal != 0) {
    fRelative = true;
    fSign = *fFinal < 0 ? -1.0 : 1.0;
    fMagnitude = std::abs(*fFinal);
  }
  fBand2.Fraction = kSettlingBand2Pct;
  fBand5.Fraction = kSettlingBand5Pct;
}

void StepMeter::Feed(double y) {
  const std::int64_t i = fCount;
  const double z = fSign * y;
  fLastY = y;
  if (fRelative) {
    if (fPeakIndex < 0 || z > fPeakZ) {
      fPeakZ = z;
      fPeakIndex = i;
    }
    const double low = kRiseLowLevel * fMagnitude;
    const double high = kRiseHighLevel * fMagnitude;
    if (!fLowTime && z >= low)
      fLowTime = i == 0 ? 0.0 : InterpolatedTime(i - 1, fPrevZ, z, low, fStep);
    if (!fHighTime && z >= high) {
      fHighTime = i == 0 ? 0.0 : InterpolatedTime(i - 1, fPrevZ, z, high, fStep);
    }
    // A crossing is a change of side against the last sample that was not
    // exactly on the final value.
    const int sign = SignAgainst(z, fMagnitude);
    if (sign != 0) {
      if (fLastSign != 0 && sign != fLastSign) ++fCrossings;
      fLastSign = sign;
    }
    FeedBand(fBand2, z);
    FeedBand(fBand5, z);
  }
  fPrevZ = z;
  ++fCount;
}

void StepMeter::FeedBand(Band& band, double z) {
  const std::int64_t i = fCount;
  if (std::abs(z - fMagnitude) > band.Fraction * fMagnitude) {
    band.LastOutside = i;
    band.LastOutsideValue = z;
    band.CrossingsAtLastOutside = fCrossings;
  } else if (band.LastOutside >= 0 && band.LastOutside == i - 1) {
    band.NextValue = z;
  }
}

std::optional<double> StepMeter::SettlingTime(const Band& band) const {
  if (band.LastOutside < 0) return 0.0;
  if (band.LastOutside == fCount - 1) return std::nullopt;
  const double level = BandEdge(band.LastOutsideValue, fMagnitude, band.Fraction * fMagnitude);
  return InterpolatedTime(band.LastOutside, band.LastOutsideValue, band.NextValue, level, fStep);
}

StepFigures StepMeter::Figures() const {
  StepFigures f;
  SetStaticError(f, fSetpoint, fFinal);
  if (fCount == 0) return f;
  f.EndValue = fLastY;
  if (!fRelative) return f;
  if (fPeakZ > fMagnitude) {
    f.Peak = fSign * fPeakZ;
    f.PeakTime = static_cast<double>(fPeakIndex) * fStep;
  }
  f.OvershootPct = Overshoot(fPeakZ, fMagnitude);
  if (fLowTime && fHighTime) f.RiseTime = *fHighTime - *fLowTime;
  f.Settling2Pct = SettlingTime(fBand2);
  f.Settling5Pct = SettlingTime(fBand5);
  f.Crossings = fBand2.LastOutside < 0 ? 0 : fBand2.CrossingsAtLastOutside;
  return f;
}

// ---------------------------------------------------------------------------
// MeasureStep

StepFigures MeasureStep(const std::vector<double>& samples, std::size_t count, double setpoint,
                        std::optional<double> finalValue, double stepSize) {
  StepFigures f;
  SetStaticError(f, setpoint, finalValue);
  count = std::min(count, samples.size());
  if (count == 0) return f;
  f.EndValue = samples[count - 1];
  if (!finalValue || *finalValue == 0) return f;

  const double s = *finalValue < 0 ? -1.0 : 1.0;
  const double a = std::abs(*finalValue);
  const auto z = [&](std::size_t i) { return s * samples[i]; };
  const auto at = [](std::size_t i) { return static_cast<std::int64_t>(i); };

  std::size_t peak = 0;
  for (std::size_t i = 1; i < count; ++i) {
    if (z(i) > z(peak)) peak = i;
  }
  if (z(peak) > a) {
    f.Peak = samples[peak];
    f.PeakTime = static_cast<double>(peak) * stepSize;
  }
  f.OvershootPct = Overshoot(z(peak), a);

  const auto firstReach = [&](double level) -> std::optional<double> {
    for (std::size_t i = 0; i < count; ++i) {
      if (z(i) >= level) {
        return i == 0 ? 0.0 : InterpolatedTime(at(i - 1), z(i - 1), z(i), level, stepSize);
      }
    }
    return std::nullopt;
  };
  const std::optional<double> low = firstReach(kRiseLowLevel * a);
  const std::optional<double> high = firstReach(kRiseHighLevel * a);
  if (low && high) f.RiseTime = *high - *low;

  // The last sample outside a band, if any.
  const auto lastOutside = [&](double fraction) -> std::optional<std::size_t> {
    for (std::size_t i = count; i-- > 0;) {
      if (std::abs(z(i) - a) > fraction * a) return i;
    }
    return std::nullopt;
  };
  const auto settling = [&](double fraction) -> std::optional<double> {
    const std::optional<std::size_t> j = lastOutside(fraction);
    if (!j) return 0.0;
    if (*j == count - 1) return std::nullopt;
    const double level = BandEdge(z(*j), a, fraction * a);
    return InterpolatedTime(at(*j), z(*j), z(*j + 1), level, stepSize);
  };
  f.Settling2Pct = settling(kSettlingBand2Pct);
  f.Settling5Pct = settling(kSettlingBand5Pct);

  // Crossings up to the last sample outside the 2 % band: after it the
  // response stays inside and its crossings are no longer swings.
  int crossings = 0;
  if (const std::optional<std::size_t> j = lastOutside(kSettlingBand2Pct)) {
    int last = 0;
    for (std::size_t i = 0; i <= *j; ++i) {
      const int sign = SignAgainst(z(i), a);
      if (sign == 0) continue;
      if (last != 0 && sign != last) ++crossings;
      last = sign;
    }
  }
  f.Crossings = crossings;
  return f;
}

}  // namespace drivesim
