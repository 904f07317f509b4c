// The explorer's one state: what a change of k recomputes and what it keeps,
// the simulated run beside the closed form, and refused inputs.
#include <gtest/gtest.h>

#include "analysis/ExplorerState.h"

namespace drivesim {
namespace {

TEST(ExplorerStateTest, ChangesRecomputeOnce) {
  DriveInputs in;
  ExplorerState state(in, 0, 5);
  int changes = 0;
  state.OnChange = [&] {
    ++changes;
    // Everything is up to date when the views hear of the change.
    EXPECT_EQ(state.Figures().Transfer.Feedback, state.Feedback());
  };
  DesignTargets targets;
  targets[TargetKind::Overshoot] = {true, 5};
  targets[TargetKind::Error] = {true, 15};
  state.SetTargets(targets);
  EXPECT_EQ(changes, 1);
  const int designs = state.DesignRevision();
  ASSERT_EQ(state.Design().Intervals.size(), 1u);
  const FeedbackInterval answer = state.Design().Intervals[0];

  // k alone: the figures follow, the design answer and the locus stay.
  const int figures = state.FigureRevision();
  state.SetFeedback(2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(state.FigureRevision(), figures + 1);
  EXPECT_EQ(state.DesignRevision(), designs);
  state.SetFeedback(2);
  EXPECT_EQ(changes, 2);
  const ExplorerFigures& f = state.Figures();
  ASSERT_TRUE(f.Valid);
  const FeedbackLoop loop(in);
  EXPECT_EQ(f.Transfer, loop.At(2));
  EXPECT_EQ(f.Poles, ComputePoleFigures(loop.At(2)));
  EXPECT_EQ(f.Frequency, ComputeFrequencyFigures(loop.At(2)));
  EXPECT_EQ(f.ClosedForm.OvershootPct, ComputeClosedForm(f.Transfer.CoefInput, f.Transfer.CoefAccel,
                                                         f.Transfer.CoefVelocity, 100)
                                           .OvershootPct);
  // At k = 2 the overshoot target fails, the error target holds.
  EXPECT_EQ(f.TargetsMet[static_cast<int>(TargetKind::Overshoot)], false);
  EXPECT_EQ(f.TargetsMet[static_cast<int>(TargetKind::Error)], true);
  EXPECT_FALSE(f.TargetsMet[static_cast<int>(TargetKind::Rise)]);

  // The simulated run lasts about three 2 % settling times and settles,
  // measured figures close to the closed form's.
  const RunResult& run = f.Simulated;
  EXPECT_EQ(run.Record.Inputs.FeedbackCoef, 2);
  EXPECT_EQ(run.Record.TicksDone, ExplorerRunTicks(f.ClosedForm));
  EXPECT_GE(run.Record.TicksDone * 1e-3, 3 * *f.ClosedForm.Settling2Pct);
  EXPECT_EQ(run.Status, RunStatus::Settled);
  EXPECT_NEAR(*run.Measured.OvershootPct, *f.ClosedForm.OvershootPct, 0.5);

  // Another input: the loop, the locus and the answer are computed again.
  in.FeedbackCoef = 2;
  in.LoadInertia = 0.6;
  state.SetInputs(in);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(state.DesignRevision(), designs + 1);
  EXPECT_NE(state.Design().Intervals[0], answer);
  state.SetFeedbackRange(5, -1);
  EXPECT_EQ(state.RangeFrom(), -1);
  EXPECT_EQ(state.Locus().Branch1.front().Feedback, -1);
  EXPECT_EQ(state.DesignRevision(), designs + 2);

  // An unstable k: no closed-form figures, a short run that diverges or
  // grows, and no target met.
  state.SetFeedback(-0.9);
  EXPECT_FALSE(state.Figures().ClosedForm.NaturalFreq);
  EXPECT_GT(state.Figures().Poles.Poles.Pole1.real(), 0);
  EXPECT_EQ(state.Figures().Simulated.Record.TicksRequested, kExplorerDefaultTicks);
  EXPECT_EQ(state.Figures().TargetsMet[static_cast<int>(TargetKind::Error)], false);
}

TEST(ExplorerStateTest, RefusedInputsAndBoundedRuns) {
  DriveInputs in;
  in.AmpTimeConst = 0;
  ExplorerState state(in);
  EXPECT_FALSE(state.Figures().Valid);
  EXPECT_EQ(state.Figures().Problem, "Floating point division by zero");
  EXPECT_EQ(state.Loop(), nullptr);
  state.SetFeedback(3);
  EXPECT_FALSE(state.Figures().Valid);
  in.AmpTimeConst = 0.006;
  state.SetInputs(in);
  EXPECT_TRUE(state.Figures().Valid);
  // Ticks: three settling times, at least kExplorerMinTicks, at most
  // kExplorerMaxTicks however slow the loop.
  ClosedFormFigures slow;
  slow.Settling2Pct = 1e6;
  EXPECT_EQ(ExplorerRunTicks(slow), kExplorerMaxTicks);
  slow.Settling2Pct = 1e-6;
  EXPECT_EQ(ExplorerRunTicks(slow), kExplorerMinTicks);
  slow.Settling2Pct = 0.0501;
  EXPECT_EQ(ExplorerRunTicks(slow), 151);
}

}  // namespace
}  // namespace drivesim
