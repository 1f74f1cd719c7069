#include "core/match/actionmachine.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <iterator>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/aerials.h"
#include "core/match/ballturns.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/onball.h"
#include "core/match/openplay.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "core/match/setpieces.h"
#include "core/match/shooting.h"
#include "core/match/strikes.h"
#include "core/match/tacklefalls.h"
#include "core/match/volleys.h"

uint8_t RunningCount;
int16_t (&MatchLastDefenderY)[2] = OffsideLine;

// Flags per action: head follows the ball, free to react, may react to a
// high ball.
const MatchActionFlags MatchActionFlagTable[kMatchActionCount] = {
    {1, 1, 0},  // 0
    {1, 1, 1},  // 1
    {1, 1, 1},  // 2
    {0, 0, 0},  // 3
    {0, 1, 1},  // 4
    {0, 1, 0},  // 5
    {0, 1, 0},  // 6
    {0, 1, 1},  // 7
    {0, 1, 0},  // 8
    {0, 1, 0},  // 9
    {0, 1, 0},  // 10
    {0, 1, 1},  // 11
    {0, 1, 0},  // 12
    {0, 1, 0},  // 13
    {1, 1, 0},  // 14
    {1, 1, 1},  // 15
    {1, 1, 1},  // 16
    {1, 1, 0},  // 17
    {0, 2, 0},  // 18
    {0, 0, 0},  // 19
    {0, 0, 0},  // 20
    {0, 0, 0},  // 21
    {0, 0, 0},  // 22
    {0, 0, 0},  // 23
    {0, 0, 0},  // 24
    {1, 1, 0},  // 25
    {1, 1, 0},  // 26
    {1, 1, 0},  // 27
    {1, 0, 0},  // 28
    {1, 2, 0},  // 29
    {0, 0, 0},  // 30
    {0, 0, 0},  // 31
    {1, 1, 0},  // 32
    {1, 0, 0},  // 33
    {0, 2, 0},  // 34
    {0, 0, 0},  // 35
    {0, 0, 0},  // 36
    {1, 1, 0},  // 37
    {0, 0, 0},  // 38
    {0, 0, 0},  // 39
    {0, 0, 0},  // 40
    {0, 0, 0},  // 41
    {0, 0, 0},  // 42
    {1, 0, 0},  // 43
    {1, 0, 0},  // 44
    {1, 0, 0},  // 45
    {0, 0, 0},  // 46
    {0, 0, 0},  // 47
    {0, 0, 0},  // 48
    {1, 1, 0},  // 49
    {1, 0, 0},  // 50
    {0, 0, 0},  // 51
    {1, 2, 0},  // 52
    {0, 0, 0},  // 53
    {1, 0, 0},  // 54
    {1, 0, 0},  // 55
    {1, 0, 0},  // 56
    {1, 0, 0},  // 57
    {1, 1, 0},  // 58
    {1, 0, 0},  // 59
    {1, 0, 0},  // 60
    {1, 0, 0},  // 61
    {1, 0, 0},  // 62
    {1, 0, 0},  // 63
    {1, 0, 0},  // 64
    {1, 0, 0},  // 65
    {1, 2, 0},  // 66
    {1, 0, 0},  // 67
    {1, 0, 0},  // 68
    {0, 0, 0},  // 69
    {0, 0, 0},  // 70
    {1, 0, 0},  // 71
    {1, 0, 0},  // 72
    {1, 0, 0},  // 73
    {0, 2, 0},  // 74
    {1, 2, 0},  // 75
    {1, 1, 0},  // 76
    {1, 2, 0},  // 77
    {1, 2, 0},  // 78
    {1, 1, 0},  // 79
    {1, 2, 0},  // 80
    {1, 2, 0},  // 81
    {0, 0, 0},  // 82
    {1, 2, 0},  // 83
    {1, 2, 0},  // 84
    {1, 0, 0},  // 85
    {0, 0, 0},  // 86
    {0, 0, 0},  // 87
    {1, 2, 0},  // 88
    {1, 0, 0},  // 89
    {1, 0, 0},  // 90
    {1, 1, 0},  // 91
    {0, 0, 0},  // 92
    {1, 0, 0},  // 93
    {1, 0, 0},  // 94
    {1, 0, 0},  // 95
    {1, 1, 0},  // 96
    {0, 2, 0},  // 97
    {0, 2, 0},  // 98
    {1, 0, 0},  // 99
    {1, 1, 0},  // 100
    {1, 0, 0},  // 101
    {0, 0, 0},  // 102
    {1, 1, 0},  // 103
    {0, 0, 0},  // 104
    {1, 0, 0},  // 105
    {1, 2, 0},  // 106
    {1, 2, 0},  // 107
    {0, 0, 0},  // 108
    {1, 2, 0},  // 109
    {0, 2, 0},  // 110
    {1, 1, 0},  // 111
    {1, 1, 0},  // 112
    {1, 1, 0},  // 113
    {1, 1, 0},  // 114
    {1, 1, 0},  // 115
    {1, 0, 0},  // 116
    {1, 1, 0},  // 117
    {1, 1, 0},  // 118
    {1, 1, 0},  // 119
    {1, 1, 0},  // 120
    {1, 1, 0},  // 121
    {1, 1, 0},  // 122
    {1, 2, 0},  // 123
    {1, 2, 0},  // 124
    {1, 2, 0},  // 125
    {1, 2, 0},  // 126
    {1, 2, 0},  // 127
    {1, 2, 0},  // 128
    {1, 2, 0},  // 129
    {1, 2, 0},  // 130
    {1, 2, 0},  // 131
    {1, 2, 0},  // 132
    {1, 2, 0},  // 133
    {1, 2, 0},  // 134
    {1, 2, 0},  // 135
    {1, 2, 0},  // 136
    {1, 2, 0},  // 137
    {1, 2, 0},  // 138
    {1, 2, 0},  // 139
    {1, 2, 0},  // 140
    {1, 2, 0},  // 141
    {1, 2, 0},  // 142
    {1, 2, 0},  // 143
    {1, 2, 0},  // 144
    {1, 2, 0},  // 145
    {1, 2, 0},  // 146
    {1, 2, 0},  // 147
    {1, 2, 0},  // 148
    {0, 0, 0},  // 149
    {1, 0, 0},  // 150
    {0, 0, 0},  // 151
    {1, 0, 0},  // 152
    {1, 0, 0},  // 153
    {1, 0, 0},  // 154
    {1, 0, 0},  // 155
    {1, 0, 0},  // 156
    {1, 0, 0},  // 157
    {0, 0, 0},  // 158
    {0, 0, 0},  // 159
    {1, 0, 0},  // 160
    {1, 0, 0},  // 161
    {1, 0, 0},  // 162
    {1, 0, 0},  // 163
    {1, 0, 0},  // 164
    {1, 0, 0},  // 165
    {1, 0, 0},  // 166
    {0, 0, 0},  // 167
    {1, 0, 0},  // 168
    {1, 0, 0},  // 169
    {1, 0, 0},  // 170
    {1, 0, 0},  // 171
    {0, 0, 0},  // 172
    {0, 0, 0},  // 173
    {0, 0, 0},  // 174
    {0, 0, 0},  // 175
    {1, 0, 0},  // 176
    {1, 0, 0},  // 177
    {1, 0, 0},  // 178
    {0, 0, 0},  // 179
    {0, 0, 0},  // 180
    {0, 0, 0},  // 181
    {1, 0, 0},  // 182
    {0, 0, 0},  // 183
    {1, 0, 0},  // 184
    {1, 0, 0},  // 185
    {1, 0, 0},  // 186
    {1, 0, 0},  // 187
    {1, 0, 0},  // 188
    {1, 0, 0},  // 189
    {1, 0, 0},  // 190
    {1, 0, 0},  // 191
    {0, 0, 0},  // 192
    {0, 0, 0},  // 193
    {0, 0, 0},  // 194
    {1, 0, 0},  // 195
    {1, 0, 0},  // 196
    {1, 0, 0},  // 197
    {1, 0, 0},  // 198
    {1, 0, 0},  // 199
    {1, 0, 0},  // 200
    {0, 0, 0},  // 201
    {0, 0, 0},  // 202
    {0, 0, 0},  // 203
    {0, 0, 0},  // 204
    {0, 0, 0},  // 205
};

namespace {

constexpr int16_t kDeepestStartUpfield = 10000;
constexpr int16_t kDeepestStartDownfield = 0;
constexpr int16_t kHeadTurnStep = 16;

// A code whose family shares one routine still gets a handler of its own,
// so that the table tells the codes apart.
template <uint16_t Code, MatchActionHandler Shared>
void OwnHandler(int16_t figure) {
    Shared(figure);
}

struct ActionHandlerEntry {
    uint16_t code;
    MatchActionHandler handler;
};

// The handler of each action code, one row per code in code order.
constexpr ActionHandlerEntry kActionHandlers[] = {
    {kActionStand, Match_ActStand},
    {kActionRunToPosition, Match_ActRunToPosition},
    {kActionStandOff, Match_ActStandOff},
    {kActionNothing, Match_ActNothing},
    {kActionThink, Match_ActThink},
    {kActionOnBall, Match_ActWithBall},
    {kActionTurnToGoal, Match_ActTurnToGoal},
    {kActionTurnWithBallSmallA, OwnHandler<kActionTurnWithBallSmallA, Match_ActTurnWithBall>},
    {kActionTurnWithBallMediumA, OwnHandler<kActionTurnWithBallMediumA, Match_ActTurnWithBall>},
    {kActionTurnWithBallWideA, OwnHandler<kActionTurnWithBallWideA, Match_ActTurnWithBall>},
    {kActionTurnBack, OwnHandler<kActionTurnBack, Match_ActTurnWithBall>},
    {kActionTurnWithBallSmallB, OwnHandler<kActionTurnWithBallSmallB, Match_ActTurnWithBall>},
    {kActionTurnWithBallMediumB, OwnHandler<kActionTurnWithBallMediumB, Match_ActTurnWithBall>},
    {kActionTurnWithBallWideB, OwnHandler<kActionTurnWithBallWideB, Match_ActTurnWithBall>},
    {kActionUnderHighBall, Match_ActUnderHighBall},
    {kActionRunAfterBall, Match_ActRunAfterBall},
    {kActionSprintAfterBall, Match_ActSprintAfterBall},
    {kActionReceivePass, Match_ActReceivePass},
    {kActionCross, OwnHandler<kActionCross, Match_ActCross>},
    {kActionThrowInChoose, Match_ActThrowInChoose},
    {kActionCornerChoose, Match_ActCornerChoose},
    {kActionThrowInFetch, Match_ActThrowInFetch},
    {kActionCornerFetch, Match_ActCornerFetch},
    {kActionNetFetch, Match_ActNetFetch},
    {kActionCarryToCentre, Match_ActCarryToCentre},
    {kActionOverTheBall, Match_ActOverTheBall},
    {kActionKickOffWalk, Match_ActKickOffWalk},
    {kActionKickOffPartner, Match_ActKickOffPartner},
    {kActionSlidingTackleAlt, Match_ActSlidingTackle},
    {kActionPass, Match_ActPass},
    {kActionToTunnel, Match_ActToTunnel},
    {kActionWalkOff, Match_ActWalkOff},
    {kActionBlockTackle, Match_ActBlockTackle},
    {kActionFallForward, Match_ActFallForward},
    {kActionBackHeel, Match_ActBackHeel},
    {kActionLongThrow, OwnHandler<kActionLongThrow, Match_ActThrow>},
    {kActionCornerKick, Match_ActCornerKick},
    {kActionHurdle, Match_ActHurdle},
    {kActionSubstitutedOff, Match_ActSubstitutedOff},
    {kActionSubstituteOn, Match_ActSubstituteOn},
    {kActionKnockPast, Match_ActKnockPast},
    {kActionLongThrowRunUp, OwnHandler<kActionLongThrowRunUp, Match_ActThrowRunUp>},
    {kActionShortThrow, OwnHandler<kActionShortThrow, Match_ActThrow>},
    {kActionFreeKickShotRunUp, OwnHandler<kActionFreeKickShotRunUp, Match_ActFreeKickRunUp>},
    {kActionFreeKickPassRunUp, OwnHandler<kActionFreeKickPassRunUp, Match_ActFreeKickRunUp>},
    {kActionCornerRunUp, Match_ActCornerRunUp},
    {kActionHeader, OwnHandler<kActionHeader, Match_ActAirBall>},
    {kActionHeaderAtAim, OwnHandler<kActionHeaderAtAim, Match_ActAirBall>},
    {kActionHeaderAtGoal, OwnHandler<kActionHeaderAtGoal, Match_ActAirBall>},
    {kActionLowControl, OwnHandler<kActionLowControl, Match_ActAirBall>},
    {kActionAirBackHeader, OwnHandler<kActionAirBackHeader, Match_ActAirBall>},
    {kActionLowHeader, OwnHandler<kActionLowHeader, Match_ActAirBall>},
    {kActionShot, Match_ActShot},
    {kActionFreeKickFetch, Match_ActFreeKickFetch},
    {kActionRetreat, Match_ActRetreat},
    {kActionFreeKickPasser, Match_ActFreeKickPasser},
    {kActionSlideTackle, Match_ActSlideTackle},
    {kActionWatchRestart, Match_ActWatchRestart},
    {kActionWall, Match_ActWallPlayer},
    {kActionFreeKickPlace, Match_ActFreeKickPlace},
    {kActionPenaltyRunUp, Match_ActPenaltyRunUp},
    {kActionKeeperHoldWalk, Match_ActKeeperHoldWalk},
    {kActionEmptyA, Match_ActNothing},
    {kActionWaitTurning, Match_ActWaitTurning},
    {kActionEmptyB, Match_ActNothing},
    {kActionEmptyC, Match_ActNothing},
    {kActionRunningBackHeel, OwnHandler<kActionRunningBackHeel, Match_ActMovingStrike>},
    {kActionGesture, Match_ActGesture},
    {kActionCornerReady, Match_ActCornerReady},
    {kActionGoalCelebration, Match_ActGoalCelebration},
    {kActionJoinScorer, Match_ActJoinScorer},
    {kActionFreeKickShot, Match_ActFreeKickShot},
    {kActionDive, Match_ActDive},
    {kActionSlidingFall, Match_ActSlidingFall},
    {kActionEmptyD, Match_ActNothing},
    {kActionCrossMirrored, OwnHandler<kActionCrossMirrored, Match_ActCross>},
    {kActionBackToPoint, Match_ActBackToPoint},
    {kActionRunningForwardPass, OwnHandler<kActionRunningForwardPass, Match_ActMovingStrike>},
    {kActionRunningShot, OwnHandler<kActionRunningShot, Match_ActMovingStrike>},
    {kActionAirChestControl, OwnHandler<kActionAirChestControl, Match_ActAirBall>},
    {kActionVolleyA, OwnHandler<kActionVolleyA, Match_ActVolley>},
    {kActionJoggingShot, OwnHandler<kActionJoggingShot, Match_ActMovingStrike>},
    {kActionAttackingHeader, Match_ActAttackingHeader},
    {kActionVolleyB, OwnHandler<kActionVolleyB, Match_ActVolley>},
    {kActionVolleyC, OwnHandler<kActionVolleyC, Match_ActVolley>},
    {kActionPenaltyPlace, Match_ActPenaltyPlace},
    {kActionHeaderPass, Match_ActHeaderPass},
    {kActionBackHeader, Match_ActBackHeader},
    {kActionChestLayOff, Match_ActChestLayOff},
    {kActionSlidingTackle, Match_ActSlidingTackle},
    {kActionSlideWithBall, Match_ActSlideWithBall},
    {kActionStandingChallenge, Match_ActStandingChallenge},
    {kActionEmptyE, Match_ActNothing},
    {kActionStagger, Match_ActStagger},
    {kActionFreeKickPass, Match_ActFreeKickPass},
    {kActionPenaltyKick, Match_ActPenaltyKick},
    {kActionRunToTarget, Match_ActRunToTarget},
    {kActionTurningShotA, OwnHandler<kActionTurningShotA, Match_ActTurningShot>},
    {kActionTurningShotB, OwnHandler<kActionTurningShotB, Match_ActTurningShot>},
    {kActionHandball, Match_ActHandball},
    {kActionPause, Match_ActPause},
    {kActionIdleVariation, Match_ActIdleVariation},
    {kActionStumble, Match_ActStumble},
    {kActionRestartPlace, Match_ActRestartPlace},
    {kActionEmptyF, Match_ActNothing},
    {kActionSlidingPoke, Match_ActSlidingPoke},
    {kActionTurningShotC, OwnHandler<kActionTurningShotC, Match_ActTurningShot>},
    {kActionTurningShotD, OwnHandler<kActionTurningShotD, Match_ActTurningShot>},
    {kActionShortThrowRunUp, OwnHandler<kActionShortThrowRunUp, Match_ActThrowRunUp>},
    {kActionJoggingForwardPass, OwnHandler<kActionJoggingForwardPass, Match_ActMovingStrike>},
    {kActionJoggingBackHeel, OwnHandler<kActionJoggingBackHeel, Match_ActMovingStrike>},
    {kActionTurnAwayAndKick, Match_ActTurnAwayAndKick},
    {kActionTurnOnSpotDown, OwnHandler<kActionTurnOnSpotDown, Match_ActTurnOnSpot>},
    {kActionTurnOnSpotUp, OwnHandler<kActionTurnOnSpotUp, Match_ActTurnOnSpot>},
    {kActionChestControlA, OwnHandler<kActionChestControlA, Match_ActChestControl>},
    {kActionChestControlB, OwnHandler<kActionChestControlB, Match_ActChestControl>},
    {kActionHeavySlide, Match_ActHeavySlide},
    {kActionCelebrate, Match_ActCelebrate},
    {kActionChestControlC, OwnHandler<kActionChestControlC, Match_ActChestControl>},
    {kActionChestControlD, OwnHandler<kActionChestControlD, Match_ActChestControl>},
    {kActionClearingHeader, Match_ActClearingHeader},
    {kActionAerialChallenge, Match_ActAerialChallenge},
    {kActionEmptyG, Match_ActNothing},
    {kActionStandingSidePassA, OwnHandler<kActionStandingSidePassA, Match_ActSidePass>},
    {kActionStandingSidePassB, OwnHandler<kActionStandingSidePassB, Match_ActSidePass>},
    {kActionJoggingSidePassA, OwnHandler<kActionJoggingSidePassA, Match_ActSidePass>},
    {kActionJoggingSidePassB, OwnHandler<kActionJoggingSidePassB, Match_ActSidePass>},
    {kActionRunningSidePassA, OwnHandler<kActionRunningSidePassA, Match_ActSidePass>},
    {kActionRunningSidePassB, OwnHandler<kActionRunningSidePassB, Match_ActSidePass>},
    {kActionAimedStrikeA, OwnHandler<kActionAimedStrikeA, Match_ActAimedStrike>},
    {kActionAimedStrikeB, OwnHandler<kActionAimedStrikeB, Match_ActAimedStrike>},
    {kActionAimedStrikeC, OwnHandler<kActionAimedStrikeC, Match_ActAimedStrike>},
    {kActionAimedStrikeD, OwnHandler<kActionAimedStrikeD, Match_ActAimedStrike>},
    {kActionRoundTheKeeperA, OwnHandler<kActionRoundTheKeeperA, Match_ActRoundTheKeeper>},
    {kActionRoundTheKeeperB, OwnHandler<kActionRoundTheKeeperB, Match_ActRoundTheKeeper>},
    {kActionBackwardHeaderA, OwnHandler<kActionBackwardHeaderA, Match_ActBackwardHeader>},
    {kActionBackwardHeaderB, OwnHandler<kActionBackwardHeaderB, Match_ActBackwardHeader>},
    {kActionBackwardHeaderC, OwnHandler<kActionBackwardHeaderC, Match_ActBackwardHeader>},
    {kActionRoundTheKeeperC, OwnHandler<kActionRoundTheKeeperC, Match_ActRoundTheKeeper>},
    {kActionRoundTheKeeperD, OwnHandler<kActionRoundTheKeeperD, Match_ActRoundTheKeeper>},
    {kActionSidewaysKnockA, OwnHandler<kActionSidewaysKnockA, Match_ActFirstTimeKnock>},
    {kActionSidewaysKnockB, OwnHandler<kActionSidewaysKnockB, Match_ActFirstTimeKnock>},
    {kActionKnockToTargetA, OwnHandler<kActionKnockToTargetA, Match_ActFirstTimeKnock>},
    {kActionKnockToTargetB, OwnHandler<kActionKnockToTargetB, Match_ActFirstTimeKnock>},
    {kActionPeriodEndReactionA, OwnHandler<kActionPeriodEndReactionA, Match_ActPeriodEndReaction>},
    {kActionPeriodEndReactionB, OwnHandler<kActionPeriodEndReactionB, Match_ActPeriodEndReaction>},
    {kActionWalkBack, Match_ActWalkBack},
    {kActionCatchReaction, Match_ActCatchReaction},
    {kActionBooked, Match_ActBooked},
    {kActionFetchAndThrow, Match_ActFetchAndThrow},
    {kActionKeeperTakeBall, Match_ActKeeperTakeBall},
    {kActionKeeperHoldGestureA, OwnHandler<kActionKeeperHoldGestureA, Match_ActKeeperHoldGesture>},
    {kActionKeeperReady, Match_ActKeeperReady},
    {kActionKeeperDistribute, Match_ActKeeperDistribute},
    {kActionKeeperHoldBall, Match_ActKeeperHoldBall},
    {kActionKeeperCatchHigh, Match_ActKeeperCatchHigh},
    {kActionKeeperLongMiddleDive, OwnHandler<kActionKeeperLongMiddleDive, Match_ActKeeperDive>},
    {kActionKeeperShortLowDive, OwnHandler<kActionKeeperShortLowDive, Match_ActKeeperDive>},
    {kActionKeeperHoldHighCatch, OwnHandler<kActionKeeperHoldHighCatch, Match_ActKeeperHoldCatch>},
    {kActionKeeperLongMiddleHoldingDive,
     OwnHandler<kActionKeeperLongMiddleHoldingDive, Match_ActKeeperHoldingDive>},
    {kActionKeeperShortMiddleDive, OwnHandler<kActionKeeperShortMiddleDive, Match_ActKeeperDive>},
    {kActionKeeperDropKick, Match_ActKeeperDropKick},
    {kActionKeeperGoalKick, Match_ActKeeperGoalKick},
    {kActionKeeperClear, Match_ActKeeperClear},
    {kActionKeeperJumpPunch, Match_ActKeeperJumpPunch},
    {kActionKeeperTipOver, Match_ActKeeperTipOver},
    {kActionKeeperLongLowDive, OwnHandler<kActionKeeperLongLowDive, Match_ActKeeperDive>},
    {kActionKeeperLongLowHoldingDive,
     OwnHandler<kActionKeeperLongLowHoldingDive, Match_ActKeeperHoldingDive>},
    {kActionKeeperEmptyA, OwnHandler<kActionKeeperEmptyA, Match_ActNothing>},
    {kActionKeeperEmptyB, OwnHandler<kActionKeeperEmptyB, Match_ActNothing>},
    {kActionKeeperCatchLow, Match_ActKeeperCatchLow},
    {kActionKeeperShortHighDive, OwnHandler<kActionKeeperShortHighDive, Match_ActKeeperDive>},
    {kActionKeeperEmptyC, OwnHandler<kActionKeeperEmptyC, Match_ActNothing>},
    {kActionKeeperCatchMiddle, Match_ActKeeperCatchMiddle},
    {kActionKeeperHoldGestureB, OwnHandler<kActionKeeperHoldGestureB, Match_ActKeeperHoldGesture>},
    {kActionKeeperSmother, Match_ActKeeperSmother},
    {kActionKeeperEmptyD, OwnHandler<kActionKeeperEmptyD, Match_ActNothing>},
    {kActionKeeperGestureMate, Match_ActKeeperGestureMate},
    {kActionKeeperEmptyE, OwnHandler<kActionKeeperEmptyE, Match_ActNothing>},
    {kActionKeeperHoldMiddleCatch, OwnHandler<kActionKeeperHoldMiddleCatch, Match_ActKeeperHoldCatch>},
    {kActionKeeperHoldLowCatch, OwnHandler<kActionKeeperHoldLowCatch, Match_ActKeeperHoldCatch>},
    {kActionKeeperGatherFeet, Match_ActKeeperGatherFeet},
    {kActionKeeperLongHighDive, OwnHandler<kActionKeeperLongHighDive, Match_ActKeeperDive>},
    {kActionKeeperLongHighHoldingDive,
     OwnHandler<kActionKeeperLongHighHoldingDive, Match_ActKeeperHoldingDive>},
    {kActionKeeperBlockA, OwnHandler<kActionKeeperBlockA, Match_ActKeeperBlock>},
    {kActionKeeperBlockB, OwnHandler<kActionKeeperBlockB, Match_ActKeeperBlock>},
    {kActionKeeperAimGoalKick, Match_ActKeeperAimGoalKick},
    {kActionKeeperFetchGoalKick, Match_ActKeeperFetchGoalKick},
    {kActionKeeperBackOff, Match_ActKeeperBackOff},
    {kActionKeeperThrow, Match_ActKeeperThrow},
    {kActionKeeperHoldGestureC, OwnHandler<kActionKeeperHoldGestureC, Match_ActKeeperHoldGesture>},
    {kActionKeeperHoldGestureD, OwnHandler<kActionKeeperHoldGestureD, Match_ActKeeperHoldGesture>},
    {kActionKeeperEmptyF, OwnHandler<kActionKeeperEmptyF, Match_ActNothing>},
    {kActionKeeperEmptyG, OwnHandler<kActionKeeperEmptyG, Match_ActNothing>},
    {kActionEmptyH, Match_ActNothing},
    {kActionKeeperLongLowParryDive, OwnHandler<kActionKeeperLongLowParryDive, Match_ActKeeperDive>},
    {kActionKeeperLongMiddleParryDive, OwnHandler<kActionKeeperLongMiddleParryDive, Match_ActKeeperDive>},
    {kActionKeeperLongHighParryDive, OwnHandler<kActionKeeperLongHighParryDive, Match_ActKeeperDive>},
    {kActionKeeperShortLowParryDive, OwnHandler<kActionKeeperShortLowParryDive, Match_ActKeeperDive>},
    {kActionKeeperShortMiddleParryDive, OwnHandler<kActionKeeperShortMiddleParryDive, Match_ActKeeperDive>},
    {kActionKeeperShortHighParryDive, OwnHandler<kActionKeeperShortHighParryDive, Match_ActKeeperDive>},
    {kActionKeeperShortLowHoldingDive,
     OwnHandler<kActionKeeperShortLowHoldingDive, Match_ActKeeperHoldingDive>},
    {kActionKeeperShortMiddleHoldingDive,
     OwnHandler<kActionKeeperShortMiddleHoldingDive, Match_ActKeeperHoldingDive>},
    {kActionKeeperShortHighHoldingDive,
     OwnHandler<kActionKeeperShortHighHoldingDive, Match_ActKeeperHoldingDive>},
    {kActionKeeperReturnBall, Match_ActKeeperReturnBall},
    {kActionKeeperPenaltyGesture, Match_ActKeeperPenaltyGesture},
};

constexpr bool EveryCodeOnceInOrder() {
    for (std::size_t i = 0; i < std::size(kActionHandlers); ++i) {
        if (kActionHandlers[i].code != i) return false;
    }
    return std::size(kActionHandlers) == kMatchActionCount;
}
static_assert(EveryCodeOnceInOrder(), "the handler table must list every action code once, in order");

constexpr std::array<MatchActionHandler, kMatchActionCount> MakeActionTable() {
    std::array<MatchActionHandler, kMatchActionCount> table{};
    for (const ActionHandlerEntry& entry : kActionHandlers) table[entry.code] = entry.handler;
    return table;
}

// Each player has at least one usable foot this tick; the middle chance is
// drawn last.
void DrawChanceBits(MatchFigure& f) {
    f.rightNow = GameRandom() % 3 < f.right ? 1 : 0;
    f.leftNow = GameRandom() % 3 < f.left ? 1 : 0;
    f.middleNow = GameRandom() % 3 < f.sideB ? 1 : 0;
    if (f.rightNow == 0 && f.leftNow == 0) f.rightNow = 1;
}

void ParkOffThePitch(MatchFigure& f) {
    f.y16 = 0;
    f.x = 0;
    f.y = 0;
    f.action = kActionStand;
    f.off = 1;
    f.anim = -1;
    f.x16 = 0;
}

void DispatchOnPitch(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    MatchCurX = f.x;
    MatchCurY = f.y;
    MatchCurX16 = f.x16;
    MatchCurY16 = f.y16;
    DrawChanceBits(f);
    MatchActionHandlerOf(f.action)(figure);
    f.x16 = MatchCurX16;
    f.y16 = MatchCurY16;
    f.x = int16_t(f.x16 / 65536);
    f.y = int16_t(f.y16 / 65536);
    if (MatchPhase == kPhaseOpenPlay) MatchSetPlayerTimer(figure);
}

// The first figure of the group refreshed in each tick phase; the teams
// alternate.
constexpr int16_t kGroupStart[4] = {0, 16, 8, 24};
constexpr int kGroupSize = 8;

void UpdateLastDefenderLine(int team) {
    const bool upfield = team == AttackDirection;
    int16_t line = upfield ? kDeepestStartUpfield : kDeepestStartDownfield;
    for (int slot = 1; slot <= 10; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (figure < 0 || figure >= kPlayerFigures) continue;
        const MatchFigure& f = MatchFigures[figure];
        if (f.off != 0 || f.x <= kDefaultPitch.left || f.x >= kDefaultPitch.right) continue;
        if (upfield ? f.y < line : f.y > line) line = f.y;
    }
    MatchLastDefenderY[team] = line;
}

}  // namespace

const std::array<MatchActionHandler, kMatchActionCount> MatchActionTable = MakeActionTable();

MatchActionHandler MatchActionHandlerOf(uint16_t action) {
    assert(action < kMatchActionCount && "action code outside the table");
    return MatchActionTable[action];
}

void Match_SetPlayerAction(int16_t figure, uint16_t action) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    assert(action < kMatchActionCount && "action code outside the table");
    MatchFigure& f = MatchFigures[figure];
    f.frame = 0;
    f.actionWord = 0;
    f.contactTicks = 0;
    f.actionParam = 0;
    f.hasKicked = 0;
    f.actionTicks = 0;
    f.actionFlag = 0;
    f.action = action;
}

void Match_UpdatePlayers() {
    RunningCount = 0;
    WalkingCount = 0;
    CurrentTeam = 0;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (figure == kTeamFigures) CurrentTeam = 1;
        MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) {
            if (RefereeAction == 0) ParkOffThePitch(f);
        } else {
            DispatchOnPitch(figure);
        }
        if (f.off != 0) {
            if (BallState.holder == figure + 1) BallState.holder = 0;
            if (BallState.controller == figure + 1) BallState.controller = 0;
        }
    }
}

void Match_UpdatePlayerGroup() {
    Match_FindBallHolder();
    const int16_t first = kGroupStart[MatchTickPhase & 3];
    // While the ball's figure stands at the ball, the direction just taken
    // to the ball is the one the head turns toward.
    const MatchFigure& ball = MatchFigures[kBallFigure];
    const bool ballFigureAtBall = ball.x == BallState.x && ball.y == BallState.y;
    for (int16_t figure = first; figure < first + kGroupSize; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) continue;
        f.ballDirection = Match_DirectionTo(f.x, f.y, BallState.x, BallState.y);
        assert(f.action < kMatchActionCount && "action code outside the table");
        if (MatchActionFlagTable[f.action].headFollowsBall) {
            if (ballFigureAtBall) {
                MatchLookAngleToward(figure, f.ballDirection, kHeadTurnStep);
            } else {
                MatchLookAtFigure(figure, kBallFigure, kHeadTurnStep);
            }
        } else {
            MatchAdjustPlayerLean(figure, 0, 255);
        }
    }
    const int team = first / kTeamFigures;
    CurrentTeam = uint8_t(team);
    UpdateLastDefenderLine(team);
}
