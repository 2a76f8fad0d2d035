// Step control: a failing step is repeated from the saved state with half the length,
// down to the minimum; the next interval starts with the normal step again; a divergence
// at the minimum or a refused step stops the run with the state restored.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "case_loader.h"
#include "finite_check.h"
#include "grid_builder.h"
#include "material_catalogue.h"
#include "simulation.h"
#include "step_control.h"
#include "tamo1dkernel.h"

namespace tamo1d {
namespace {

// A stand-in for the library: the state is one number advanced by dt per attempt; steps
// longer than `limit` come back with `failure` (a result code and status bits).
struct FakeModel {
  double state = 0.0, saved = 0.0, limit = 1e9;
  StepOutcome failure;
  std::vector<double> tried;     // every dt attempted
  std::vector<double> accepted;  // end time of every accepted step

  bool advance(const StepController& c, double start, double length, StepStatistics& stats,
               std::string* message) {
    return c.advance(
        start, length,
        [&](double, double dt) {
          tried.push_back(dt);
          state += dt;
          StepOutcome out = dt > limit ? failure : StepOutcome{};
          out.iterations = 3;
          return out;
        },
        [&] { saved = state; }, [&] { state = saved; },
        [&](double end, double) { accepted.push_back(end); }, stats, message);
  }
};

const StepOutcome kDiverged{TAMO_DIVERGED, TAMO_STATUS_DIVERGED | TAMO_STATUS_NOT_CONVERGED, 0};
const StepOutcome kUnconverged{TAMO_OK, TAMO_STATUS_NOT_CONVERGED, 0};
const StepOutcome kRefused{TAMO_BAD_ARGUMENT, 0, 0};
// A state with NaN or infinity is a diverged step whatever the result and status.
const StepOutcome kNonFinite{TAMO_OK, 0, 0, "non-finite humidity (nan) at node 5 (layer 2)"};

TEST(StepControl, HalvingRollbackAndStatisticsOverOneHour) {
  struct Row {
    const char* name;
    double minimum;
    bool repeatUnconverged;
    double limit;
    StepOutcome failure;
    bool ok;
    long steps, halvings, unconverged;
    double smallest, state;
    const char* message;  // part of the failure message
  };
  const Row rows[] = {
      // 3600 and 1800 fail, four steps of 900 pass; failed attempts are rolled back.
      {"diverged_twice", 60, true, 1000, kDiverged, true, 4, 2, 0, 900, 3600, ""},
      // Halved while half the step is at least the minimum: 3600 -> 112.5 (225 / 2 = 112.5).
      {"unconverged_to_minimum", 112.5, true, 1, kUnconverged, true, 32, 5, 32, 112.5, 3600, ""},
      {"unconverged_accepted", 60, false, 1, kUnconverged, true, 1, 0, 1, 3600, 3600, ""},
      // Divergence at the minimum stops the interval with the state of its start.
      {"diverged_at_minimum", 60, true, 100, kDiverged, false, 0, 5, 0, 0, 0,
       "diverged at t = 2 h"},
      {"refused", 60, true, 0, kRefused, false, 0, 0, 0, 0, 0, "TAMO_BAD_ARGUMENT"},
      {"non_finite_halved", 60, false, 1000, kNonFinite, true, 4, 2, 0, 900, 3600, ""},
      {"non_finite_at_minimum", 60, false, 10, kNonFinite, false, 0, 5, 0, 0, 0,
       "t = 2 h left a non-finite humidity (nan) at node 5 (layer 2)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FakeModel m;
    m.limit = r.limit;
    m.failure = r.failure;
    StepStatistics stats;
    std::string message;
    const StepController controller(r.minimum, r.repeatUnconverged);
    EXPECT_EQ(m.advance(controller, 7200.0, 3600.0, stats, &message), r.ok) << message;
    EXPECT_NE(message.find(r.message), std::string::npos) << message;
    EXPECT_EQ(stats.steps, r.steps);
    EXPECT_EQ(stats.halvings, r.halvings);
    EXPECT_EQ(stats.attempts, static_cast<long>(m.tried.size()));
    EXPECT_EQ(stats.iterations, 3 * stats.attempts);
    EXPECT_EQ(stats.unconvergedAccepted, r.unconverged);
    EXPECT_DOUBLE_EQ(stats.smallestStep, r.smallest);
    EXPECT_DOUBLE_EQ(m.state, r.state);
    ASSERT_EQ(m.accepted.size(), static_cast<std::size_t>(r.steps));
    if (r.ok) EXPECT_DOUBLE_EQ(m.accepted.back(), 10800.0);
  }
}

TEST(StepControl, TheNextIntervalStartsWithTheNormalStep) {
  const StepController controller(60.0, true);
  FakeModel m;
  m.limit = 1000.0;
  m.failure = kDiverged;
  StepStatistics stats;
  std::string message;
  ASSERT_TRUE(m.advance(controller, 0.0, 3600.0, stats, &message)) << message;
  EXPECT_EQ(m.tried, (std::vector<double>{3600, 1800, 900, 900, 900, 900}));
  m.limit = 1e9;
  m.tried.clear();
  ASSERT_TRUE(m.advance(controller, 3600.0, 3600.0, stats, &message));
  EXPECT_EQ(m.tried, (std::vector<double>{3600}));
  EXPECT_DOUBLE_EQ(stats.smallestStep, 900.0);
}

// A cancel asked for after the last interval does not count: the run has reached its end.
TEST(StepControl, ACancelAfterTheLastIntervalStillCompletesTheRun) {
  const char* text = R"({"layers": [{"material": "brick", "thickness": 0.1, "cells": 4}],
    "initial": {"temperature": 15, "humidity": 0.6},
    "surfaces": {"side_a": {"heat_transfer": 17}, "side_b": {"heat_transfer": 8}},
    "climate": {"side_a": {"temperature": 5, "humidity": 0.8},
                "side_b": {"temperature": 20, "humidity": 0.5}},
    "time": {"duration_hours": 2, "step_seconds": 3600}})";
  Simulation s(std::make_shared<const Case>(
      parseCase(text, "case.json", MaterialCatalogue({TAMO1D_TEST_CATALOGUE}))));
  EXPECT_FALSE(s.summary().completed);
  const auto cancel = [](double, double) { return true; };
  EXPECT_EQ(s.advance(1e9, cancel), Simulation::Advance::Cancelled);
  EXPECT_FALSE(s.finished());
  EXPECT_EQ(s.advance(1e9, cancel), Simulation::Advance::Reached);
  EXPECT_TRUE(s.finished() && s.summary().completed);
}

TEST(StepControl, FindNonFiniteNamesQuantityNodeAndLayer) {
  const Grid grid = buildGrid({{"a", 0.1, 2, 1.0, 0, 0}, {"b", 0.1, 2, 1.0, 0, 0}}, {1, 2});
  const std::size_t n = static_cast<std::size_t>(grid.nodeCount());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    int array;  // 0 temperature, 1 humidity, 2 water content
    std::size_t entry;
    double value;
    std::string expected;
  };
  for (const Case& c : std::vector<Case>{
           {0, 4, nan, "non-finite temperature (nan) at node 5 (layer 2)"},
           {1, 1, -inf, "non-finite humidity (-inf) at node 2 (layer 1)"},
           {1, n - 1, nan, "non-finite humidity (nan) at node 6 (ambient air of side B)"},
           {2, 3, inf, "non-finite water content (inf) at node 4 (layer 2)"},
           {2, 0, nan, ""},  // the ambient entries of the water content are not results
       }) {
    std::vector<std::vector<double>> state(3, std::vector<double>(n, 0.5));
    state[static_cast<std::size_t>(c.array)][c.entry] = c.value;
    EXPECT_EQ(findNonFinite(grid, state[0], state[1], state[2]), c.expected);
  }
}

}  // namespace
}  // namespace tamo1d
