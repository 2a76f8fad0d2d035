#include "solver/team_choice.h"

#include <algorithm>

namespace tamo {
namespace {

// A way is taken over the other only when it costs less than this share of the other's
// cost, so that timing noise does not flip the choice back and forth. A team must win
// more clearly: a one-iteration trial on a busy machine can be lucky.
constexpr double kTeamClearlyFaster = 0.8;
constexpr double kAloneClearlyFaster = 0.9;

}  // namespace

bool TeamChoice::teamForNextStep() const {
  if (aloneCost_ == 0.0) return false;  // first the calling thread alone,
  if (teamCost_ == 0.0) return true;    // then one team trial
  return stepsToTrial_ <= 0 ? !team_ : team_;
}

bool TeamChoice::trialForNextStep() const {
  return aloneCost_ != 0.0 && (teamCost_ == 0.0 || stepsToTrial_ <= 0);
}

void TeamChoice::record(bool team, double secondsPerNodeIteration) {
  const bool trial = trialForNextStep();
  (team ? teamCost_ : aloneCost_) = secondsPerNodeIteration;
  if (aloneCost_ == 0.0 || teamCost_ == 0.0) return;
  const bool teamFaster = teamCost_ < kTeamClearlyFaster * aloneCost_;
  const bool aloneFaster = aloneCost_ < kAloneClearlyFaster * teamCost_;
  if (!team_ && teamFaster && (trial || !team)) {
    // The team won its trial (or the calling thread became slower than the team was).
    team_ = true;
    stepsToTrial_ = kFirstTrialInterval;
    aloneTrialInterval_ = kFirstTrialInterval;
  } else if (team_ && aloneFaster) {
    // The calling thread won its trial, or the team became slower than it: the team has
    // lost and is tried again only after four times as many steps as last time.
    team_ = false;
    teamTrialInterval_ = std::min(4 * teamTrialInterval_, kLongestTrialInterval);
    stepsToTrial_ = teamTrialInterval_;
  } else if (trial) {
    // The trial lost: the next one comes after four (team) or two times as many steps. A
    // team trial on a busy machine costs about ten steps on one thread.
    int32_t& interval = team ? teamTrialInterval_ : aloneTrialInterval_;
    interval = std::min((team ? 4 : 2) * interval, kLongestTrialInterval);
    stepsToTrial_ = interval;
  } else {
    --stepsToTrial_;
  }
}

}  // namespace tamo
