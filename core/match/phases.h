// The match phase codes (MatchPhase, 0..29): what the match is doing
// between the players' actions, run by the phase dispatcher once a tick.
#pragma once
#include <cstdint>

constexpr uint16_t kPhaseOpenPlay = 0;
constexpr uint16_t kPhaseFoul = 1;
constexpr uint16_t kPhaseOffside = 2;
constexpr uint16_t kPhaseThrowIn = 3;  // the ball went over the touchline
constexpr uint16_t kPhaseGoalKick = 4;
constexpr uint16_t kPhaseCorner = 5;
constexpr uint16_t kPhaseTakeThrowIn = 6;
constexpr uint16_t kPhaseTakeGoalKick = 7;
constexpr uint16_t kPhaseTakeCorner = 8;
constexpr uint16_t kPhaseGoal = 9;
constexpr uint16_t kPhaseBackToKickOff = 10;
constexpr uint16_t kPhaseKickOffWhistle = 11;
constexpr uint16_t kPhaseKeeperHolds = 12;
constexpr uint16_t kPhaseKeeperReleases = 13;
constexpr uint16_t kPhasePeriodOver = 14;
constexpr uint16_t kPhaseSubstitution = 15;  // also a stop for an injury
// Codes nothing sets: the dispatcher does nothing in them.
constexpr uint16_t kPhaseUnusedA = 16;
constexpr uint16_t kPhaseFreeKick = 17;
constexpr uint16_t kPhaseFreeKickAtGoal = 18;
constexpr uint16_t kPhasePenalty = 19;
// Sets up each kick of the shoot-out; the ball code returns here after a
// kick that was saved or missed.
constexpr uint16_t kPhaseShootOutControl = 20;
constexpr uint16_t kPhaseFreeKickSecond = 21;
constexpr uint16_t kPhaseWaitReferee = 22;
constexpr uint16_t kPhaseUnusedB = 23;
constexpr uint16_t kPhaseUnusedC = 24;
constexpr uint16_t kPhaseKickOffSetUp = 25;
constexpr uint16_t kPhaseUnusedD = 26;
constexpr uint16_t kPhaseKickOffSetUpAfterGoal = 27;
constexpr uint16_t kPhaseAfterGoal = 28;
constexpr uint16_t kPhaseKickOffPositions = 29;

constexpr int kMatchPhaseCount = 30;
