#include "solver/team_choice.h"

#include <algorithm>

namespace tamo {
namespace {

// A way counts as faster only below this share of the other's cost, so that timing noise
// does not flip the choice back and forth.
constexpr double kClearlyFaster = 0.9;

}  // namespace

bool TeamChoice::teamForNextStep() const {
  if (aloneCost_ == 0.0) return false;  // first the calling thread alone,
  if (teamCost_ == 0.0) return true;    // then one team step
  return stepsToTrial_ <= 0 ? !team_ : team_;
}

bool TeamChoice::trialForNextStep() const {
  return aloneCost_ != 0.0 && (teamCost_ == 0.0 || stepsToTrial_ <= 0);
}

void TeamChoice::record(bool team, double secondsPerNodeIteration) {
  const bool trial = trialForNextStep();
  (team ? teamCost_ : aloneCost_) = secondsPerNodeIteration;
  if (aloneCost_ == 0.0 || teamCost_ == 0.0) return;
  const double chosen = team_ ? teamCost_ : aloneCost_;
  const double other = team_ ? aloneCost_ : teamCost_;
  if (trial) {
    // A trial of the other way: take it when clearly faster, else try again later.
    if (other < kClearlyFaster * chosen) {
      team_ = !team_;
      trialInterval_ = kFirstTrialInterval;
    } else {
      trialInterval_ = std::min(2 * trialInterval_, kLongestTrialInterval);
    }
    stepsToTrial_ = trialInterval_;
    return;
  }
  // A step in the chosen way that became clearly slower than the other way was when last
  // measured (the machine got busy, or idle): change over at once.
  if (other < kClearlyFaster * chosen) {
    team_ = !team_;
    trialInterval_ = kFirstTrialInterval;
    stepsToTrial_ = trialInterval_;
    return;
  }
  --stepsToTrial_;
}

}  // namespace tamo
