// Restarts and stoppages as the players carry them out: throw-ins and
// corners, fetching and placing the ball for free kicks and penalties, the
// defensive wall, the free kicks and penalties themselves, the kick-off,
// celebrations, reactions at stoppages, walks off the pitch and the
// substitute's run on.  Each handler takes the figure and returns nothing.
#pragma once
#include <cstdint>

// ---------------------------------------------------------------------------
// Shared restart state.

// Ticks spent carrying the ball to a restart spot (time wasting).
extern uint32_t TimeWastingCount;
// The receiver a restart taker has chosen (-1 none) and where his search
// through the team's ranking stands (0..9, -1 after a failed search).
extern int16_t RestartReceiver;
extern int16_t RestartSearchIndex;
// The taker's countdown before he acts on his choice.
extern int16_t RestartTakerTimer;
// The power of a throw-in (at most 80) and its copy for the lift.
extern int16_t ThrowPower, ThrowPowerCopy;
// The point the restart is aimed at, kept equal to the marker's point.
extern int16_t RestartWatchX, RestartWatchY;
// Ticks a thrower has waited for a team-mate coming back (600 when his team
// is behind: it does not wait).
extern int16_t ThrowWaitBudget;
// The figure who took the last corner or free kick.
extern int16_t RestartKicker;
// Set to 70 at a set-piece kick, cleared at a throw; read by the tick.
extern int16_t SetPieceCountdown;
// Cleared when a restart is taken, 5 once a substitute is in place, 100
// when the ball has been thrown out of the net.
extern int16_t RestartValue;
// A 32-bit counter cleared when a restart taker starts to choose.
extern int32_t RestartChoiceCount;
// The free kick's wait for the players and the wall (at most 1000 ticks).
extern int16_t FreeKickWaitCount;
// The two run-up pauses: [0] the shot, [1] the pass.
extern int16_t RunUpPause[2];
// Per team: 1 leaves the marker as it is when a free kick is set up.
extern int16_t TeamMarkerKeep[2];
// The free kick's kick distance, its shooter and penalty taker, passer and
// receiver.
extern int16_t SetPieceKickDistance;
extern int16_t FreeKickShooter;
extern int16_t PenaltyKickTaker;
extern uint8_t SetPiecePasser, SetPieceReceiver;
// The penalty or free kick at goal in flight, kept until another player
// touches the ball or play stops, so that a goal straight from it, a missed
// penalty and a keeper's penalty save are counted to the right players.
enum class SetPieceShotKind : uint8_t { kNone, kPenalty, kFreeKick };
struct SetPieceShotRecord {
    int16_t taker = -1;
    SetPieceShotKind kind = SetPieceShotKind::kNone;
};
extern SetPieceShotRecord SetPieceShot;
// Counts the goal to the set piece in flight when its taker is the scorer;
// the set piece is over either way.
void Match_CreditSetPieceGoal(int16_t scorer);
// Each tick before the phases: a penalty ends as missed once anyone else
// touches the ball (saved when that is the keeper) or play stops other than
// for a goal; a free kick's flight ends the same way, uncounted.
void Match_WatchSetPieceShot();
// Two words read by the tick and the keeper after a penalty (50 and 350; 350
// and 350 in a shoot-out).
extern int16_t SetPieceWords[2];
// The penalty run-up's stage counter.
extern int16_t PenaltyRunUpStage;
// The figure + 1 that owns the ball being fetched for a restart, 0 none.
extern int16_t RestartBallOwner;
// Two restart words reset by the fetch (-1 and 0).
extern int16_t RestartFetchWords[2];
// Incremented by the players walking at a stoppage.
extern uint8_t WalkingCount;
// The display's scene words: [0] its state (7 and 8), [1..3] a close-up
// request.
extern uint16_t DisplaySceneWords[4];
// The scorer of the goal being celebrated and the switch that is set while
// the celebration runs.
extern int16_t GoalScorer;
extern uint16_t CelebrationSwitch;
// The stages of the goal celebration (the ActionParam of action 69), each
// with its meeting point and its clip.
constexpr uint16_t kStageHug = 1;             // none, clip 157; its end ends the celebration
constexpr uint16_t kStageQuarterRunA = 2;     // a point by the quarter of the pitch, 158
constexpr uint16_t kStageCornerRunA = 3;      // the corner point, 159
constexpr uint16_t kStageOnTheSpotA = 4;      // none, 152
constexpr uint16_t kStageCornerRunB = 5;      // the corner point, 153
constexpr uint16_t kStageOnTheSpotB = 6;      // none, 154
constexpr uint16_t kStageOnTheSpotC = 7;      // none, 155
constexpr uint16_t kStageOnTheSpotD = 8;      // none, 156
constexpr uint16_t kStageQuarterRunB = 9;     // a point by the quarter, 161
constexpr uint16_t kStageQuarterRunC = 10;    // a point by the quarter, 162
constexpr uint16_t kStageQuarterHold = 11;    // a point by the quarter, 329; the shoot-out's hold
constexpr uint16_t kStageQuarterRunD = 12;    // a point by the quarter, 330
constexpr uint16_t kStageSpread = 13;         // the spread point by figure index, 348
constexpr uint16_t kStageGoalLine = 14;       // the goal line beside the near post, 351
constexpr uint16_t kStageTeamOnTheSpot = 15;  // none, 349
constexpr uint16_t kStageTouchline = 16;      // the touchline at his own y, 350
constexpr uint16_t kCelebrationStages = 16;
// The kick-offs taken this match.
extern uint8_t KickOffCount;
// Ticks the kick-off partner has waited for the keepers to be in their
// goals (at most 1000).
extern int16_t KickOffKeeperWait;
// The draw kept by the walk while the goalkeeper holds the ball.
extern int16_t KeeperHoldDraw;
// The marker's looks: 12 on the spot, 13 choosing.
constexpr int16_t kMarkerOnSpot = 12;
constexpr int16_t kMarkerChoosing = 13;
constexpr int16_t kMarkerParkedY = 3038;

// A point on the pitch.
struct CelebrationPoint {
    int16_t x, y;
};

// Ticks the penalty taker has waited for the area to clear.
extern int16_t PenaltyPlaceWait;

// Puts the restart state in its start form (each period).
void Match_ResetSetPieceState();
// The player in the given action nearest the goal line the figure's team
// attacks, -1 none.
int16_t MatchFindGoalkeeperAction(int16_t figure, uint16_t action);

// ---------------------------------------------------------------------------
// Throw-ins and corners.
void Match_ActThrowInFetch(int16_t figure);   // 21
void Match_ActCornerFetch(int16_t figure);    // 22
void Match_ActThrowInChoose(int16_t figure);  // 19
void Match_ActThrowRunUp(int16_t figure);     // 41, 108
void Match_ActThrow(int16_t figure);          // 35, 42
void Match_ActCornerChoose(int16_t figure);   // 20
void Match_ActCornerRunUp(int16_t figure);    // 45
void Match_ActGesture(int16_t figure);        // 67
void Match_ActCornerReady(int16_t figure);    // 68
void Match_ActCornerKick(int16_t figure);     // 36
void Match_ActWatchRestart(int16_t figure);   // 57

// ---------------------------------------------------------------------------
// Free kicks and penalties: the fetch, the placing, the wall, the run-ups.
void Match_ActFreeKickFetch(int16_t figure);   // 53
void Match_ActFreeKickPlace(int16_t figure);   // 59
void Match_ActWallPlayer(int16_t figure);      // 58
void Match_ActPenaltyRunUp(int16_t figure);    // 60
void Match_ActFreeKickPasser(int16_t figure);  // 55
void Match_ActFreeKickRunUp(int16_t figure);   // 43, 44
// Lines up the offending team's wall of n players in front of the foul.
void Match_LineUpWall(int16_t n);

// The kicks.
void Match_ActFreeKickShot(int16_t figure);  // 71
void Match_ActFreeKickPass(int16_t figure);  // 94
void Match_ActPenaltyPlace(int16_t figure);  // 85
void Match_ActPenaltyKick(int16_t figure);   // 95

// ---------------------------------------------------------------------------
// Around stoppages, saves and bookings.
void Match_ActFetchAndThrow(int16_t figure);  // 149
void Match_ActRestartPlace(int16_t figure);   // 103
void Match_ActCatchReaction(int16_t figure);  // 147
void Match_ActWalkBack(int16_t figure);       // 146
void Match_ActBooked(int16_t figure);         // 148
void Match_ActCelebrate(int16_t figure);      // 117
void Match_ActStumble(int16_t figure);        // 102

// ---------------------------------------------------------------------------
// Celebrations and waiting.
void Match_ActJoinScorer(int16_t figure);         // 70
void Match_ActGoalCelebration(int16_t figure);    // 69
void Match_ActPeriodEndReaction(int16_t figure);  // 144, 145
void Match_ActBackToPoint(int16_t figure);        // 76
void Match_ActRunToTarget(int16_t figure);        // 96
void Match_ActStandOff(int16_t figure);           // 2
void Match_ActUnderHighBall(int16_t figure);      // 14
void Match_ActPause(int16_t figure);              // 100
// The meeting point of celebration stage 2 and 9..12 for a figure in a
// quarter of the pitch (0: x and y below the centre, 1: x above, 2: y
// above, 3: both above).
CelebrationPoint Match_CelebrationMeetingPoint(int stage, int quarter);

// ---------------------------------------------------------------------------
// Kick-off, walks off and on.
void Match_ActNetFetch(int16_t figure);        // 23
void Match_ActCarryToCentre(int16_t figure);   // 24
void Match_ActOverTheBall(int16_t figure);     // 25
void Match_ActKickOffWalk(int16_t figure);     // 26
void Match_ActKickOffPartner(int16_t figure);  // 27
void Match_ActRetreat(int16_t figure);         // 54
void Match_ActKeeperHoldWalk(int16_t figure);  // 61
void Match_ActWaitTurning(int16_t figure);     // 63
void Match_ActToTunnel(int16_t figure);        // 30
void Match_ActWalkOff(int16_t figure);         // 31
void Match_ActSubstitutedOff(int16_t figure);  // 38
void Match_ActSubstituteOn(int16_t figure);    // 39

// ---------------------------------------------------------------------------
// Starting a restart: the phases pick the taker and start his action.
// Sends the team's thrower; returns him (-1 when it has nobody to send).
int16_t Match_StartThrowIn(int team);
constexpr int kThrowInPairs = 3;
// Players gather near the thrower in pairs, one of each side, the marker
// goal-side of his man: the first pair always, the second with a chance of
// 8 in 10, the third 4 in 10.
void Match_PlaceThrowInPairs(int team, int16_t thrower);
void Match_StartCorner(int team);
// A free kick (phases 17, 18) or a penalty (19) for the team at the ball's
// position, which becomes the foul position; an offside's free kick keeps
// the place the offside set (the ball may still be on its way there).
void Match_StartSetPiece(int team, uint16_t phase);
// The team's outfield player on the pitch whose formation place is nearest
// (x, y); -1 for none.
int16_t Match_NearestByFormation(int team, int16_t x, int16_t y);
// Set while the free kick being given is for an offside: its taker is the
// outfield player whose place in the formation is nearest the ball.
extern bool FreeKickForOffside;
void Match_StartShootOutKick(int16_t taker);
// A restart whose taker was called away (by the referee, say) gets one
// again: the phase checks each tick.
void Match_KeepRestartTaker(uint16_t phase, int team);
// The conceding team's player nearest the net (the keeper when he is)
// picks the ball out of it; false when it is not in the net.
bool Match_StartNetFetch(int concedingTeam);
// A player of the team brings the ball to the centre spot; false once it
// lies there.
bool Match_BringBallToCentre(int team);
// Whoever is bringing the ball to the centre stops (it is put there).
void Match_StopBringingTheBall();
// The scorer's celebration, his keeper's and his nearby team-mates'.
void Match_StartGoalCelebration(int scoringTeam, int16_t scorer);
// A shoot-out scorer's celebration and his nearby team-mates' (his keeper
// stays in his stance).
void Match_StartShootOutCelebration(int16_t scorer);
// A restart whose taker never takes it ends after this many ticks (logged
// and counted): the match never stalls.
constexpr int16_t kRestartStallTicks = 6000;
extern uint16_t RestartStallCount;
// Ticks the current restart has waited for its taker.
extern int16_t RestartWaitTicks;
bool Match_RestartStalled(int16_t& ticks, const char* what);
