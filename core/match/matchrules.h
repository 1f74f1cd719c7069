// Small rules shared by the phases, the officials and the players' actions:
// skills with their modifiers, searches for players, the kick's swerve,
// restart pressure, the shoot-out taker, possession and pass statistics,
// fatigue, the event list, and group commands.
#pragma once
#include <cstdint>

#include "core/match/actionmachine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"

// Pitch values in pitch units, from the pitch's geometry.
constexpr int16_t kPitchCentreX = kDefaultPitch.centreX;
constexpr int16_t kPitchHalfwayY = kDefaultPitch.centreY;
constexpr int16_t kGoalLineLow = kDefaultPitch.top;
constexpr int16_t kGoalLineHigh = kDefaultPitch.bottom;
constexpr int16_t kPostLeftX = kDefaultPitch.postLeftX;
constexpr int16_t kPostRightX = kDefaultPitch.postRightX;
constexpr int16_t kAreaLeftX = kDefaultPitch.penaltyBoxLeftX;
constexpr int16_t kAreaRightX = kDefaultPitch.penaltyBoxRightX;
constexpr int16_t kAreaLowY = kDefaultPitch.penaltyLineLowY;
constexpr int16_t kAreaHighY = kDefaultPitch.penaltyLineHighY;
constexpr int16_t kDistanceUnit = kDefaultPitch.pitchUnit;

// Where the rules keep their per-player counts in the figure's extra words.
enum MoreCount : int {
    kMoreReceivedKind1,
    kMoreReceivedKind2,
    kMoreReceivedKind3,
    kMoreOwnAreaIntercepts,
    kMoreOwnAreaChallenges,
    kMoreSecondKind1Passes,
    kMoreTackleAttempts,
    kMoreCarrierRuns,        // runs with the ball started on the ball
    kMoreCrossChances,       // looks for a cross from a crossing place
    kMoreHeavyFouls,         // fouls by a heavy sliding tackle
    kMoreKeeperCollections,  // balls a keeper went down on or gathered
    kMoreShotsSaved,         // the shooter's shots a keeper saved
};

// A pass waiting to be completed or cut out: passer and receiver, 255 none.
struct PendingPassRecord {
    uint16_t passer, receiver;
};
constexpr uint16_t kNoFigure = 255;
extern PendingPassRecord PendingPass[3];  // kinds 1, 2, 3
extern uint8_t PassMatrixSecondFlag;
// The free-kick aim point.
extern int16_t FreeKickAimX, FreeKickAimY;
// The goal distance left by the last Match_GoalDistance or
// Match_GoalDirection (except mode 2): the match's one distance to goal.
extern int16_t GoalDistanceScratch;
// Kicks taken in the shoot-out, and each side's order of takers (player
// ids) that its human manager set; a side kicks from its own order, so two
// human sides (a club against itself) each keep theirs.
extern uint8_t PenaltiesTaken;
constexpr int kShootoutKickers = 10;
extern uint16_t ShootoutOrder[2][kShootoutKickers];

// The octagonal distance: the larger difference plus half the smaller.
int16_t MatchOctDistance(int dx, int dy);
// The figure's record number in the set-up block.
uint16_t MatchFigurePlayerId(int16_t figure);
// 1 when the figure is a player standing on the pitch.
bool MatchOnPitch(int16_t figure);

// Counts a pass from the passer to the receiver in the passer's row of
// pass counters, by the receiver's shirt (1..16); other shirts are not
// counted.
void MatchCountPassTo(MatchFigure& passer, int16_t receiver);

int16_t MatchPlayerSkill(int16_t figure);
int16_t MatchSlotRoleChoice(int16_t figure, int16_t value);
int16_t MatchRandomSpread(int16_t range, int16_t base);
int16_t MatchFindNearestPlayer(int16_t x, int16_t y, int16_t excluded);
int16_t MatchFindBestReceiver(int16_t x, int16_t y, int16_t excluded);
int16_t MatchChoosePassTarget(int16_t y);
int16_t MatchFindOpponentInFront(int16_t figure);
uint16_t MatchFrontOrBackAction(uint16_t a, uint16_t b);
void Match_ClampToPitch();
void MatchSetKickSpeed(int16_t kicker, int16_t targetX);
void MatchSetBallVelocity(int16_t x, int16_t y, int32_t lift, int32_t factor);
void MatchCheckRestart(int16_t amount);
int16_t MatchShootoutTaker();
void MatchTakePossession(int16_t figure);
int16_t MatchCountTackle(int16_t figure);
int16_t MatchCountOwnAreaTouch(int16_t figure);
void MatchSetPlayerTimer(int16_t figure);
void MatchFatigueStep();
void MatchRecordEvent(uint8_t kind, int16_t value, int16_t figure, int16_t value2);
void MatchDefaultDesignatedPlayer(int16_t team);
void MatchSelectPlayer(int16_t figure);
void MatchStartCelebration(int16_t figure);
void MatchStartDejection(int16_t figure);
void MatchSetAllActions(uint16_t action);
int16_t MatchReleasePlayers();
void MatchResetAllPlayers();
int16_t MatchCountBusyPlayers();
void MatchFreeKickWallAim();
void MatchKeepPlayersInPitch(int16_t leftOut);
void MatchCornerMarkers(int16_t team);
void MatchLookAtFigure(int16_t figure, int16_t target, int16_t step);
void MatchLookAngleToward(int16_t figure, uint16_t direction, int16_t step);
void MatchAdjustPlayerLean(int16_t figure, int16_t angle, int16_t step);
int16_t MatchIsCurrentPosition(int16_t x, int16_t y, int16_t height);
// The direction 0..255 from one point to another.
uint16_t MatchDirectionTo(int x0, int y0, int x1, int y1);

// 1 when the player is free to take a new task (his action lets him react
// and, in an action free only until he kicks, he has not kicked), else 0.
// Inline: the ranking and the runs ask for it for every player a tick.
inline int16_t MatchPlayerCanAct(int16_t figure) {
    if (figure < 0 || figure >= kPlayerFigures) return 0;
    const MatchFigure& f = MatchFigures[figure];
    const int flag = MatchActionReactFlag(f.action);
    if (flag == 0) return 0;
    if (flag == 2 && f.hasKicked != 0) return 0;
    return 1;
}
