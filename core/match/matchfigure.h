// Everything that moves in a match is a figure: 0-15 the first team, 16-31
// the second, 32 the referee, 33 and 34 the linesmen, 35 the ball and 36 a
// spare marker.  The record is a flat 364-byte layout; the match counters
// in it are the per-player statistics of the match, zeroed when the figures
// are set up for the first period and kept through the later periods.
#pragma once
#include <cstdint>

constexpr int kMatchFigureCount = 37;
constexpr int kTeamFigures = 16;
constexpr int kPlayerFigures = 2 * kTeamFigures;
constexpr int kRefereeFigure = 32;
constexpr int kBallFigure = 35;
constexpr int kSpareFigure = 36;
constexpr int kMatchCounterCount = 44;
constexpr int kMoreCounterCount = 13;

// The 16-bit event counters of a player's match, by index.  The first is
// the challenge count of the ranking by the ball.
enum MatchCounter : int {
    kCountChallenges,
    kCountThinks,
    kCountIntercepts,
    kCountDribblesPast,  // beat a man while running with the ball
    kCountShortPasses,
    kCountShortPassesGood,
    kCountLongPasses,
    kCountLongPassesGood,
    kCountCrosses,
    kCountCrossesGood,
    kCountShots,
    kCountShotsOnTarget,
    kCountHeadersAttacking,
    kCountHeadersOwnHalf,
    kCountGoodControls,
    kCountPoorControls,
    kCountTacklesWon,
    kCountDribbleTouches,
    kCountTimesTackled,
    kCountKnockedDown,
    kCountFoulsCommitted,
    kCountInjuriesCaused,
    kCountHandballs,
    kCountChallengeFouls,
    kCountOffsides,
    kCountCornersTaken,
    kCountFreeKicksAtGoal,
    kCountPenaltiesTaken,
    kCountPenaltiesScored,
    kCountHeaderGoals,
    kCountVolleyGoals,
    kCountPlacedByFormation,  // 1 once the formation has placed the player
    kCountCatches,
    kCountPunches,
    kCountParries,
    kCountTips,
    kCountPunchAways,
    kCountSaves,
    kCountSmothers,
    kCountGoalsConceded,
    kCountAttackTouches,
    kCountOwnAreaTouches,
    kCountClearances,
    kCountPossessionLost,
};
static_assert(kCountPossessionLost + 1 == kMatchCounterCount);

#pragma pack(push, 1)
struct MatchFigure {
    char name[20];
    uint16_t action;
    int16_t frame;
    int16_t x, y;
    uint16_t actionTicks;
    int16_t targetX, targetY;
    int16_t formationX, formationY;
    uint16_t facing;
    uint16_t ballDirection;
    int16_t rankDistance;
    uint8_t hasBall;
    int16_t touchLockout;
    int16_t ballWork2;
    uint16_t contactTicks;
    uint16_t actionWord;
    uint16_t turnTarget;
    uint16_t gait;
    // Skills copied from the squad entry (some compressed to value/2 + 50).
    int8_t keeping, shooting, tackling, passing, heading, dribble;
    int8_t deadball, control;
    int8_t aggression, greed, loyalty, spirit, intelligence, leadership, outlook;
    int8_t pace, stamina, power, agility, resilience, vision, composure;
    int8_t position, shirt;
    int8_t sideA, left, sideB, right;
    uint8_t leftNow, middleNow, rightNow;
    int8_t recInjury;
    uint8_t stateE;
    // The match mark: 50 for a starter, 0 for a named substitute who has not
    // played, 0xFF (-1) outside the match squad; the rating once rated.
    uint8_t benchState;
    uint8_t injury;
    uint8_t stateA;
    // Match counters.
    uint16_t workload;  // grown at random when the player is hurt in a foul
    uint16_t tiredness;
    uint16_t subbedOff;
    // A keeper's penalties faced in play, and goals scored from outside
    // the area (a substitution is counted per team, MatchSubsUsed).
    uint8_t penaltiesFaced;
    uint8_t longShotGoals;
    uint8_t goals;
    uint8_t ownGoals;
    uint8_t assists;
    uint16_t touches;
    uint16_t possessions;
    uint32_t firstActiveTick;  // match tick of the first dispatch in open play; 0 never
    uint32_t lastActiveTick;   // match tick of the latest one
    uint16_t moreCounts[kMoreCounterCount];
    uint32_t longCounts[2];
    uint16_t counts[kMatchCounterCount];  // by MatchCounter
    uint16_t passesTo[kTeamFigures];      // by the receiver's squad entry
    uint16_t passesFrom[kTeamFigures];
    // Goals scored straight from a free kick, and penalties in play
    // missed (saved or wide) and saved.
    uint16_t freeKickGoals;
    uint8_t penaltiesMissed;
    uint8_t penaltiesSaved;
    // End of the match counters.
    uint8_t offsideMark;
    uint16_t officialWord;
    uint8_t off;  // off the pitch: bench, substituted or sent off
    int32_t x16, y16;
    uint16_t cautions;
    uint16_t sentOff;
    uint8_t stateB;
    uint16_t offsideWord;
    uint16_t ballDistance;  // also the challenge reading of the tackle and shot decisions
    int16_t infoWord2;      // the star count: the word before the fans rating
    uint8_t tacticBytes[7];
    uint8_t stateC;
    uint8_t infoByte;
    uint8_t stateD;
    uint16_t work3;
    uint8_t chaseTicks;
    uint8_t hasKicked;
    uint8_t actionFlag;
    uint16_t actionParam;
    uint16_t onBench;
    uint16_t wasInjured;
    int16_t aimX, aimY;
    int16_t anim;
    int16_t shownFrame;
    uint16_t shownFacing;
    int16_t headTurn;
    uint16_t infoWord1;  // the player number
};
#pragma pack(pop)
static_assert(sizeof(MatchFigure) == 364);

extern MatchFigure MatchFigures[kMatchFigureCount];

// The match mark as the rating code reads it.
inline int8_t MatchMark(const MatchFigure& figure) { return int8_t(figure.benchState); }
