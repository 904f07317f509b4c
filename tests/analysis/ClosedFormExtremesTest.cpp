// Every search of the figures ends for any finite input: random inputs over
// the whole range of doubles, of either sign, through the closed form and a
// short run, and the very lightly damped loops (gain, feedback or motor
// coefficient 1e40) whose settling time used to be searched for ever. A
// case that does not answer within a few seconds fails instead of hanging
// the suite (the thread that is stuck is left behind).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <memory>
#include <numbers>
#include <random>
#include <thread>

#include "analysis/ClosedForm.h"
#include "analysis/RunResult.h"
#include "platform/Exceptions.h"
#include "sim/DriveModel.h"

namespace drivesim {
namespace {

using Clock = std::chrono::steady_clock;

// Far more than any case needs (a few milliseconds): only a search that does
// not end runs into it.
constexpr auto kSanityBound = std::chrono::seconds(5);

// Runs work on its own thread; its result, or nothing when it has not
// answered within the bound.
template <typename Result, typename Work>
std::optional<Result> Within(Work work) {
  auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
  std::future<Result> answer = task->get_future();
  std::thread thread([task] { (*task)(); });
  if (answer.wait_for(kSanityBound) != std::future_status::ready) {
    thread.detach();
    return std::nullopt;
  }
  thread.join();
  return answer.get();
}

// A double from 1e-300 to 1e300, evenly spread over the exponent, of either
// sign.
double Extreme(std::mt19937_64& random) {
  std::uniform_real_distribution<double> exponent(-300, 300);
  const double magnitude = std::pow(10.0, exponent(random));
  return std::bernoulli_distribution(0.5)(random) ? magnitude : -magnitude;
}

// A figure, when present, is a finite time or percentage of the right sign.
void ExpectSound(const ClosedFormFigures& f) {
  for (const std::optional<double>& time :
       {f.PeakTime, f.RiseTime, f.Settling2Pct, f.Settling5Pct}) {
    if (time) {
      EXPECT_TRUE(std::isfinite(*time));
      EXPECT_GE(*time, 0);
    }
  }
  if (f.OvershootPct) {
    EXPECT_GE(*f.OvershootPct, 0);
    EXPECT_LE(*f.OvershootPct, 100);
  }
  // Settling into the narrower band cannot come earlier.
  if (f.Settling2Pct && f.Settling5Pct) {
    EXPECT_GE(*f.Settling2Pct, *f.Settling5Pct);
  }
}

TEST(ClosedFormExtremesTest, RandomInputsAnswerQuickly) {
  std::mt19937_64 random(20261209);
  std::uniform_int_distribution<int> teeth(1, 55);
  std::uniform_int_distribution<int> setpoint(-300, 300);
  double slowestClosedForm = 0;
  double slowestRun = 0;
  int refused = 0;
  int present = 0;
  for (int n = 0; n < 3000; ++n) {
    // The closed form straight from coefficients of any size and sign.
    const double coefInput = Extreme(random);
    const double coefAccel = Extreme(random);
    const double coefVelocity = Extreme(random);
    const double level = Extreme(random);
    // Timed on the thread that does the work, so that starting it does not
    // count (shared, as a thread that does not answer is left behind).
    const auto took = std::make_shared<double>(0);
    const std::optional<ClosedFormFigures> direct = Within<ClosedFormFigures>([=] {
      const Clock::time_point start = Clock::now();
      const ClosedFormFigures f = ComputeClosedForm(coefInput, coefAccel, coefVelocity, level);
      *took = std::chrono::duration<double>(Clock::now() - start).count();
      return f;
    });
    slowestClosedForm = std::max(slowestClosedForm, *took);
    ASSERT_TRUE(direct) << "coefficients " << coefInput << " " << coefAccel << " " << coefVelocity
                        << " setpoint " << level;
    ExpectSound(*direct);
    if (direct->Settling2Pct) ++present;
    // Where the phase is small enough for x(t) to be evaluated, the times
    // lie on the curve.
    if (direct->Settling2Pct && *direct->Settling2Pct * *direct->NaturalFreq < 1e4) {
      const LoopStepResponse loop(coefAccel, coefVelocity);
      EXPECT_NEAR(std::abs(loop.At(*direct->Settling2Pct) - 1), 0.02, 1e-6)
          << coefAccel << " " << coefVelocity;
    }

    // The whole way: the seven inputs, teeth and setpoint, "Process" and a
    // short run.
    DriveInputs inputs;
    inputs.AmpGain = Extreme(random);
    inputs.AmpTimeConst = Extreme(random);
    inputs.MotorCoef = Extreme(random);
    inputs.MotorInertia = Extreme(random);
    inputs.LoadInertia = Extreme(random);
    inputs.ViscousFriction = Extreme(random);
    inputs.FeedbackCoef = Extreme(random);
    inputs.LoadTeeth = teeth(random);
    inputs.Setpoint = setpoint(random);
    const auto ranFor = std::make_shared<double>(0);
    const std::optional<bool> ran = Within<bool>([inputs, ranFor] {
      const Clock::time_point start = Clock::now();
      try {
        const RunResult r = RunDrive(inputs, 5, {.KeepSamples = false, .KeepTicks = false});
        ExpectSound(r.ClosedForm);
        *ranFor = std::chrono::duration<double>(Clock::now() - start).count();
        return true;
      } catch (const Exception&) {
        return false;  // "Process" refuses the inputs
      }
    });
    slowestRun = std::max(slowestRun, *ranFor);
    ASSERT_TRUE(ran) << "gain " << inputs.AmpGain << " time constant " << inputs.AmpTimeConst
                     << " motor " << inputs.MotorCoef << " " << inputs.MotorInertia << " load "
                     << inputs.LoadInertia << " friction " << inputs.ViscousFriction << " feedback "
                     << inputs.FeedbackCoef;
    if (!*ran) ++refused;
  }
  // Both the found and the refused kinds were tried.
  EXPECT_GT(present, 100);
  EXPECT_GT(refused, 0);
  RecordProperty("slowest_closed_form_ms", std::to_string(slowestClosedForm * 1e3));
  RecordProperty("slowest_run_ms", std::to_string(slowestRun * 1e3));
  std::printf("slowest case: closed form %.3f ms, closed form and a run of 5 ticks %.3f ms\n",
              slowestClosedForm * 1e3, slowestRun * 1e3);
}

TEST(ClosedFormExtremesTest, VeryLightlyDampedLoops) {
  DriveInputs gain;
  gain.AmpGain = 1e40;
  DriveInputs feedback;
  feedback.FeedbackCoef = 1e40;
  DriveInputs motor;
  motor.MotorCoef = 1e40;
  for (const DriveInputs& inputs : {gain, feedback, motor}) {
    SCOPED_TRACE(inputs.AmpGain * inputs.FeedbackCoef * inputs.MotorCoef);
    DriveModel model;
    EnterInputs(model, inputs);
    const double a = model.CoefAccel;
    const double b = model.CoefVelocity;
    const std::optional<ClosedFormFigures> f = Within<ClosedFormFigures>(
        [=] { return ComputeClosedForm(model.CoefInput, a, b, model.Setpoint); });
    ASSERT_TRUE(f);
    // Settled within half a period of the envelope e^(-sigma t) reaching the
    // band; the overshoot e^(-pi zeta / sqrt(1 - zeta^2)), all but 100 %.
    const double sigma = a / 2;
    const double halfPeriod = std::numbers::pi / std::sqrt(b - sigma * sigma);
    ASSERT_TRUE(f->Settling2Pct);
    ASSERT_TRUE(f->Settling5Pct);
    EXPECT_NEAR(*f->Settling2Pct, std::log(50.0) / sigma, halfPeriod + 1e-15 / sigma);
    EXPECT_NEAR(*f->Settling5Pct, std::log(20.0) / sigma, halfPeriod + 1e-15 / sigma);
    EXPECT_NEAR(*f->OvershootPct, 100 * std::exp(-sigma * halfPeriod), 1e-9);
    EXPECT_NEAR(*f->PeakTime, halfPeriod, 1e-15 * halfPeriod);
    ASSERT_TRUE(f->RiseTime);
    EXPECT_GT(*f->RiseTime, 0);
    EXPECT_LT(*f->RiseTime, halfPeriod);
    // The same through a short run.
    const std::optional<RunResult> run = Within<RunResult>(
        [inputs] { return RunDrive(inputs, 3, {.KeepSamples = false, .KeepTicks = false}); });
    ASSERT_TRUE(run);
    EXPECT_EQ(run->ClosedForm, *f);
  }
  // Half a period far below the last bit of the settling time: the time the
  // envelope reaches the band, to its last bit; and one beyond the largest
  // double (a time constant of 1e600 s) is left absent.
  const ClosedFormFigures fine = ComputeClosedForm(1, 1e-300, 1e300, 1);
  ASSERT_TRUE(fine.Settling2Pct);
  EXPECT_DOUBLE_EQ(*fine.Settling2Pct, std::log(50.0) / 5e-301);
  EXPECT_DOUBLE_EQ(*fine.Settling5Pct, std::log(20.0) / 5e-301);
  const ClosedFormFigures slow = ComputeClosedForm(1, 1e300, 1e-300, 1);
  EXPECT_TRUE(slow.DampingRatio);
  EXPECT_FALSE(slow.RiseTime);
  EXPECT_FALSE(slow.Settling2Pct);
  EXPECT_FALSE(slow.Settling5Pct);
}

}  // namespace
}  // namespace drivesim
