// The whole match: from the filled set-up block to the result block, period
// by period, with extra time and the penalty shoot-out.
#pragma once

struct MatchResultBlock;

// Plays the match described by the set-up block and returns the result
// block.
MatchResultBlock* PlayMatch();
void PlayWholeMatch();

// The runner of one period: Match_RunPeriod unless replaced (tests script
// each period's goals through it).
using MatchPeriodRunnerFn = void (*)();
extern MatchPeriodRunnerFn MatchPeriodRunner;
