// Whether a step shares its inner iteration among a team of threads or runs on the calling
// thread, chosen from the measured cost of both. A team pays on an idle machine with a
// large grid; when other processes hold the cores, each of its barriers waits for a
// descheduled thread and a team becomes many times slower than one thread. The results are
// the same either way, so the choice may follow the timings.
#pragma once

#include <cstdint>

namespace tamo {

class TeamChoice {
 public:
  // True when the coming step should run on a team.
  bool teamForNextStep() const;
  // True when the coming step tries the way not chosen. A trial of a team runs only the
  // step's first inner iteration on the team (the calling thread goes on alone), so that
  // a team on a busy machine costs little more than that one iteration.
  bool trialForNextStep() const;
  // Reports a finished step (or the team part of a trial): whether it ran on a team, and
  // its wall time per interior node and inner iteration [s].
  void record(bool team, double secondsPerNodeIteration);

 private:
  // Steps in the chosen way between two trials of the other way: start at the first value
  // and grow after every trial that loses (fourfold for the team, twofold for the calling
  // thread), up to the last value. The team's interval also grows when a chosen team
  // becomes slower than one thread, and never shrinks: on a busy machine, where one team
  // iteration costs about ten steps on one thread, team trials become rare.
  static constexpr int32_t kFirstTrialInterval = 8;
  static constexpr int32_t kLongestTrialInterval = 1024;

  double teamCost_ = 0.0;   // last measured cost on a team [s]; 0 while unknown
  double aloneCost_ = 0.0;  // last measured cost on the calling thread [s]; 0 while unknown
  bool team_ = false;       // the way chosen
  int32_t teamTrialInterval_ = kFirstTrialInterval;
  int32_t aloneTrialInterval_ = kFirstTrialInterval;
  int32_t stepsToTrial_ = 0;  // steps in the chosen way before the next trial
};

}  // namespace tamo
