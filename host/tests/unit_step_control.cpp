// Step control: a failing step is repeated from the saved state with half the length,
// down to the minimum; the next interval starts with the normal step again; a divergence
// at the minimum stops the run with the state restored.
#include <gtest/gtest.h>

#include <vector>

#include "step_control.h"
#include "tamo1dkernel.h"

namespace tamo1d {
namespace {

// A stand-in for the library: the state is one number advanced by dt per accepted step;
// steps longer than `limit` diverge (or do not converge).
struct FakeModel {
  double state = 0.0, saved = 0.0, limit = 1e9;
  bool divergeInsteadOfStatus = true;
  std::vector<double> tried;  // every dt attempted

  StepOutcome step(double, double dt) {
    tried.push_back(dt);
    state += dt;
    StepOutcome out;
    out.iterations = 3;
    if (dt > limit) {
      if (divergeInsteadOfStatus) {
        out.result = TAMO_DIVERGED;
        out.status = TAMO_STATUS_DIVERGED | TAMO_STATUS_NOT_CONVERGED;
      } else {
        out.status = TAMO_STATUS_NOT_CONVERGED;
      }
    }
    return out;
  }
};

bool advance(const StepController& c, FakeModel& m, double start, double length,
             StepStatistics& stats, std::string* failure) {
  return c.advance(
      start, length, [&](double s, double dt) { return m.step(s, dt); }, [&] { m.saved = m.state; },
      [&] { m.state = m.saved; }, nullptr, stats, failure);
}

TEST(StepControl, HalvesFromTheSavedStateAndReturnsToTheNormalStep) {
  const StepController controller(60.0, true);
  FakeModel m;
  m.limit = 1000.0;  // 3600 and 1800 fail, 900 passes
  StepStatistics stats;
  std::string failure;
  ASSERT_TRUE(advance(controller, m, 0.0, 3600.0, stats, &failure)) << failure;
  EXPECT_EQ(m.tried, (std::vector<double>{3600, 1800, 900, 900, 900, 900}));
  EXPECT_DOUBLE_EQ(m.state, 3600.0) << "failed attempts must be rolled back";
  EXPECT_EQ(stats.halvings, 2);
  EXPECT_EQ(stats.steps, 4);
  EXPECT_EQ(stats.attempts, 6);
  EXPECT_EQ(stats.iterations, 18);
  EXPECT_DOUBLE_EQ(stats.smallestStep, 900.0);

  // The next interval, now without trouble, uses the normal step at once.
  m.limit = 1e9;
  m.tried.clear();
  ASSERT_TRUE(advance(controller, m, 3600.0, 3600.0, stats, &failure));
  EXPECT_EQ(m.tried, (std::vector<double>{3600}));
}

TEST(StepControl, MinimumStepBoundsTheHalving) {
  // Unconverged steps: halved down to the minimum (3600 -> 112.5, since 56.25 < 60), then
  // accepted and counted.
  {
    const StepController controller(60.0, true);
    FakeModel m;
    m.limit = 1.0;
    m.divergeInsteadOfStatus = false;
    StepStatistics stats;
    std::string failure;
    ASSERT_TRUE(advance(controller, m, 0.0, 3600.0, stats, &failure));
    EXPECT_DOUBLE_EQ(stats.smallestStep, 112.5);
    EXPECT_EQ(stats.steps, 32);
    EXPECT_EQ(stats.unconvergedAccepted, 32);
    EXPECT_EQ(stats.halvings, 5);
    EXPECT_DOUBLE_EQ(m.state, 3600.0);
  }
  // Without repetition of unconverged steps they are accepted at once.
  {
    const StepController controller(60.0, false);
    FakeModel m;
    m.limit = 1.0;
    m.divergeInsteadOfStatus = false;
    StepStatistics stats;
    std::string failure;
    ASSERT_TRUE(advance(controller, m, 0.0, 3600.0, stats, &failure));
    EXPECT_EQ(m.tried, (std::vector<double>{3600}));
    EXPECT_EQ(stats.unconvergedAccepted, 1);
  }
  // Divergence at the minimum step stops the interval and restores the saved state.
  {
    const StepController controller(60.0, true);
    FakeModel m;
    m.limit = 100.0;
    StepStatistics stats;
    std::string failure;
    EXPECT_FALSE(advance(controller, m, 7200.0, 3600.0, stats, &failure));
    EXPECT_NE(failure.find("diverged"), std::string::npos) << failure;
    EXPECT_NE(failure.find("t = 2 h"), std::string::npos) << failure;
    EXPECT_DOUBLE_EQ(m.state, 0.0);
    EXPECT_EQ(stats.steps, 0);
  }
}

TEST(StepControl, ARefusedStepStopsWithTheLibraryCodeName) {
  const StepController controller(60.0, true);
  StepStatistics stats;
  std::string failure;
  double state = 5.0, saved = 0.0;
  const bool ok = controller.advance(
      0.0, 3600.0,
      [&](double, double) {
        state = -1.0;
        return StepOutcome{TAMO_BAD_ARGUMENT, 0, 0};
      },
      [&] { saved = state; }, [&] { state = saved; }, nullptr, stats, &failure);
  EXPECT_FALSE(ok);
  EXPECT_DOUBLE_EQ(state, 5.0);
  EXPECT_NE(failure.find("TAMO_BAD_ARGUMENT"), std::string::npos) << failure;
}

}  // namespace
}  // namespace tamo1d
