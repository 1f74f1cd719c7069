// The match state shared by the whole-match run, the reports and the tick:
// one match at a time, all global.
#pragma once
#include <cstdint>

// ---------------------------------------------------------------------------
// Owned by the whole-match run.

// 0 and 1 the halves, 2 and 3 extra time, 4 the penalty shoot-out.
extern uint8_t Period;
// The team kicking off the current period.
extern uint8_t KickOffTeam;
// Which way team 0 plays in the current period; team 1 plays the other way.
extern uint8_t AttackDirection;
// Drawn once per match.
extern int16_t FirstKickOffTeam;
extern int16_t FirstDirection;
// The running score, the shoot-out score and the first-leg goals.
extern int16_t Goals[2];
extern int16_t ShootOutGoals[2];
extern int16_t OldGoals[2];
// The rules of the match, copied from the set-up block.
extern int16_t RuleExtraTime;
extern int16_t RulePenalties;
extern int16_t RuleGoldenGoals;
extern int16_t RuleAwayGoals;
// The referee's leaning: 0 none, 1 the first team, 2 the second.
extern int16_t RefereeFavours;
// The teams still have to line up before the first kick-off.
extern int16_t LineUpPending;
// 0 while periods are played, 1 after the last.
extern int16_t MatchOver;
// Rows used in the result block's event list.
extern int16_t EventCount;
// Chances read by the players' actions; 100 at the start of every match.
extern int16_t MatchFoulChance;
extern int16_t MatchDismissalThreshold;

// ---------------------------------------------------------------------------
// Owned by the tick; declared here for the reports that read them.

// The match phase: 0 open play.
extern uint16_t MatchPhase;
// Set when the current period is over; the loops run until then.
extern uint8_t MatchFinished;
// The team whose player last touched the ball.
extern uint8_t BallTeam;

// The pitch in pitch units: touchlines at x left and right, goal lines at
// y top and bottom, and the marks, areas and off-pitch places every part
// of the match measures with.
struct PitchGeometryValues {
    int16_t left, right, top, bottom;
    int16_t centreX = 796, centreY = 1082;
    int16_t postLeftX = 730, postRightX = 862;
    int16_t penaltyLineLowY = 414, penaltyLineHighY = 1750;
    int16_t penaltyBoxLeftX = 478, penaltyBoxRightX = 1114;
    int16_t penaltySpotLowY = 318, penaltySpotHighY = 1846;
    int16_t goalAreaLowY = 222, goalAreaHighY = 1942;
    int16_t goalAreaLeftX = 636, goalAreaRightX = 956;
    int16_t outerLeftX = 30, outerRightX = 1562, outerLowY = -2, outerHighY = 2166;
    int16_t wallLeftX = 30, wallRightX = 1562, wallLowY = -2, wallHighY = 2166;
    int16_t pitchLength = 1920, pitchWidth = 1280;
    int16_t pitchUnit = 16;
    int16_t parkCoord = 3038;
    int16_t lineUpX = -2, lineUpY = 1082;
    int16_t officialsStartX = -162;
    int16_t shortGap = 48;
    int16_t zoneLineX[5] = {158, 414, 670, 926, 1182};
    int16_t zoneLineY[6] = {126, 446, 766, 1086, 1406, 1726};
    constexpr int16_t Width() const { return int16_t(right - left); }
    constexpr int16_t Length() const { return int16_t(bottom - top); }
};
extern PitchGeometryValues PitchGeometry;
constexpr PitchGeometryValues kDefaultPitch{158, 1434, 126, 2038};
// The ball's radius in pitch units: its centre stands this high on the grass,
// and it turns one radian for every radius it rolls.
constexpr float kBallRadiusUnits = 2.5f;
