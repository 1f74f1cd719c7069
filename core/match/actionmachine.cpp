#include "core/match/actionmachine.h"
#include "core/match/matchengine.h"

#include <array>
#include <cstddef>
#include <iterator>

#include "core/base/debug.h"
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
#include "core/match/teamjobs.h"
#include "core/match/volleys.h"

uint8_t RunningCount;

// Flags per action: head follows the ball, free to react, may react to a
// high ball.
const MatchActionFlags MatchActionFlagTable[kMatchActionCount] = {
    {1, 1, 0},  // kActionStand
    {1, 1, 1},  // kActionRunToPosition
    {1, 1, 1},  // kActionStandOff
    {0, 0, 0},  // kActionNothing
    {0, 1, 1},  // kActionThink
    {0, 1, 0},  // kActionOnBall
    {0, 1, 0},  // kActionTurnToGoal
    {0, 1, 1},  // kActionTurnWithBallSmallA
    {0, 1, 0},  // kActionTurnWithBallMediumA
    {0, 1, 0},  // kActionTurnWithBallWideA
    {0, 1, 0},  // kActionTurnBack
    {0, 1, 1},  // kActionTurnWithBallSmallB
    {0, 1, 0},  // kActionTurnWithBallMediumB
    {0, 1, 0},  // kActionTurnWithBallWideB
    {1, 1, 0},  // kActionUnderHighBall
    {1, 1, 1},  // kActionRunAfterBall
    {1, 1, 1},  // kActionSprintAfterBall
    {1, 1, 0},  // kActionReceivePass
    {0, 2, 0},  // kActionCross
    {0, 0, 0},  // kActionThrowInChoose
    {0, 0, 0},  // kActionCornerChoose
    {0, 0, 0},  // kActionThrowInFetch
    {0, 0, 0},  // kActionCornerFetch
    {0, 0, 0},  // kActionNetFetch
    {0, 0, 0},  // kActionCarryToCentre
    {1, 1, 0},  // kActionOverTheBall
    {1, 1, 0},  // kActionKickOffWalk
    {1, 1, 0},  // kActionKickOffPartner
    {1, 0, 0},  // kActionSlidingTackleAlt
    {1, 2, 0},  // kActionPass
    {0, 0, 0},  // kActionToTunnel
    {0, 0, 0},  // kActionWalkOff
    {1, 1, 0},  // kActionBlockTackle
    {1, 0, 0},  // kActionFallForward
    {0, 2, 0},  // kActionBackHeel
    {0, 0, 0},  // kActionLongThrow
    {0, 0, 0},  // kActionCornerKick
    {1, 1, 0},  // kActionHurdle
    {0, 0, 0},  // kActionSubstitutedOff
    {0, 0, 0},  // kActionSubstituteOn
    {0, 0, 0},  // kActionKnockPast
    {0, 0, 0},  // kActionLongThrowRunUp
    {0, 0, 0},  // kActionShortThrow
    {1, 0, 0},  // kActionFreeKickShotRunUp
    {1, 0, 0},  // kActionFreeKickPassRunUp
    {1, 0, 0},  // kActionCornerRunUp
    {0, 0, 0},  // kActionHeader
    {0, 0, 0},  // kActionHeaderAtAim
    {0, 0, 0},  // kActionHeaderAtGoal
    {1, 1, 0},  // kActionLowControl
    {1, 0, 0},  // kActionAirBackHeader
    {0, 0, 0},  // kActionLowHeader
    {1, 2, 0},  // kActionShot
    {0, 0, 0},  // kActionFreeKickFetch
    {1, 0, 0},  // kActionRetreat
    {1, 0, 0},  // kActionFreeKickPasser
    {1, 0, 0},  // kActionSlideTackle
    {1, 0, 0},  // kActionWatchRestart
    {1, 1, 0},  // kActionWall
    {1, 0, 0},  // kActionFreeKickPlace
    {1, 0, 0},  // kActionPenaltyRunUp
    {1, 0, 0},  // kActionKeeperHoldWalk
    {1, 0, 0},  // kActionEmptyA
    {1, 0, 0},  // kActionWaitTurning
    {1, 0, 0},  // kActionEmptyB
    {1, 0, 0},  // kActionEmptyC
    {1, 2, 0},  // kActionRunningBackHeel
    {1, 0, 0},  // kActionGesture
    {1, 0, 0},  // kActionCornerReady
    {0, 0, 0},  // kActionGoalCelebration
    {0, 0, 0},  // kActionJoinScorer
    {1, 0, 0},  // kActionFreeKickShot
    {1, 0, 0},  // kActionDive
    {1, 0, 0},  // kActionSlidingFall
    {0, 2, 0},  // kActionEmptyD
    {1, 2, 0},  // kActionCrossMirrored
    {1, 1, 0},  // kActionBackToPoint
    {1, 2, 0},  // kActionRunningForwardPass
    {1, 2, 0},  // kActionRunningShot
    {1, 1, 0},  // kActionAirChestControl
    {1, 2, 0},  // kActionVolleyA
    {1, 2, 0},  // kActionJoggingShot
    {0, 0, 0},  // kActionAttackingHeader
    {1, 2, 0},  // kActionVolleyB
    {1, 2, 0},  // kActionVolleyC
    {1, 0, 0},  // kActionPenaltyPlace
    {0, 0, 0},  // kActionHeaderPass
    {0, 0, 0},  // kActionBackHeader
    {1, 2, 0},  // kActionChestLayOff
    {1, 0, 0},  // kActionSlidingTackle
    {1, 0, 0},  // kActionSlideWithBall
    {1, 1, 0},  // kActionStandingChallenge
    {0, 0, 0},  // kActionEmptyE
    {1, 0, 0},  // kActionStagger
    {1, 0, 0},  // kActionFreeKickPass
    {1, 0, 0},  // kActionPenaltyKick
    {1, 1, 0},  // kActionRunToTarget
    {0, 2, 0},  // kActionTurningShotA
    {0, 2, 0},  // kActionTurningShotB
    {1, 0, 0},  // kActionHandball
    {1, 1, 0},  // kActionPause
    {1, 0, 0},  // kActionIdleVariation
    {0, 0, 0},  // kActionStumble
    {1, 1, 0},  // kActionRestartPlace
    {0, 0, 0},  // kActionEmptyF
    {1, 0, 0},  // kActionSlidingPoke
    {1, 2, 0},  // kActionTurningShotC
    {1, 2, 0},  // kActionTurningShotD
    {0, 0, 0},  // kActionShortThrowRunUp
    {1, 2, 0},  // kActionJoggingForwardPass
    {0, 2, 0},  // kActionJoggingBackHeel
    {1, 1, 0},  // kActionTurnAwayAndKick
    {1, 1, 0},  // kActionTurnOnSpotDown
    {1, 1, 0},  // kActionTurnOnSpotUp
    {1, 1, 0},  // kActionChestControlA
    {1, 1, 0},  // kActionChestControlB
    {1, 0, 0},  // kActionHeavySlide
    {1, 1, 0},  // kActionCelebrate
    {1, 1, 0},  // kActionChestControlC
    {1, 1, 0},  // kActionChestControlD
    {1, 1, 0},  // kActionClearingHeader
    {1, 1, 0},  // kActionAerialChallenge
    {1, 1, 0},  // kActionEmptyG
    {1, 2, 0},  // kActionStandingSidePassA
    {1, 2, 0},  // kActionStandingSidePassB
    {1, 2, 0},  // kActionJoggingSidePassA
    {1, 2, 0},  // kActionJoggingSidePassB
    {1, 2, 0},  // kActionRunningSidePassA
    {1, 2, 0},  // kActionRunningSidePassB
    {1, 2, 0},  // kActionAimedStrikeA
    {1, 2, 0},  // kActionAimedStrikeB
    {1, 2, 0},  // kActionAimedStrikeC
    {1, 2, 0},  // kActionAimedStrikeD
    {1, 2, 0},  // kActionRoundTheKeeperA
    {1, 2, 0},  // kActionRoundTheKeeperB
    {1, 2, 0},  // kActionBackwardHeaderA
    {1, 2, 0},  // kActionBackwardHeaderB
    {1, 2, 0},  // kActionBackwardHeaderC
    {1, 2, 0},  // kActionRoundTheKeeperC
    {1, 2, 0},  // kActionRoundTheKeeperD
    {1, 2, 0},  // kActionSidewaysKnockA
    {1, 2, 0},  // kActionSidewaysKnockB
    {1, 2, 0},  // kActionKnockToTargetA
    {1, 2, 0},  // kActionKnockToTargetB
    {1, 2, 0},  // kActionPeriodEndReactionA
    {1, 2, 0},  // kActionPeriodEndReactionB
    {1, 2, 0},  // kActionWalkBack
    {1, 2, 0},  // kActionCatchReaction
    {1, 2, 0},  // kActionBooked
    {0, 0, 0},  // kActionFetchAndThrow
    {1, 0, 0},  // kActionKeeperTakeBall
    {0, 0, 0},  // kActionKeeperHoldGestureA
    {1, 0, 0},  // kActionKeeperReady
    {1, 0, 0},  // kActionKeeperDistribute
    {1, 0, 0},  // kActionKeeperHoldBall
    {1, 0, 0},  // kActionKeeperCatchHigh
    {1, 0, 0},  // kActionKeeperLongMiddleDive
    {1, 0, 0},  // kActionKeeperShortLowDive
    {0, 0, 0},  // kActionKeeperHoldHighCatch
    {0, 0, 0},  // kActionKeeperLongMiddleHoldingDive
    {1, 0, 0},  // kActionKeeperShortMiddleDive
    {1, 0, 0},  // kActionKeeperDropKick
    {1, 0, 0},  // kActionKeeperGoalKick
    {1, 0, 0},  // kActionKeeperClear
    {1, 0, 0},  // kActionKeeperJumpPunch
    {1, 0, 0},  // kActionKeeperTipOver
    {1, 0, 0},  // kActionKeeperLongLowDive
    {0, 0, 0},  // kActionKeeperLongLowHoldingDive
    {1, 0, 0},  // kActionKeeperEmptyA
    {1, 0, 0},  // kActionKeeperEmptyB
    {1, 0, 0},  // kActionKeeperCatchLow
    {1, 0, 0},  // kActionKeeperShortHighDive
    {0, 0, 0},  // kActionKeeperEmptyC
    {0, 0, 0},  // kActionKeeperCatchMiddle
    {0, 0, 0},  // kActionKeeperHoldGestureB
    {0, 0, 0},  // kActionKeeperSmother
    {1, 0, 0},  // kActionKeeperEmptyD
    {1, 0, 0},  // kActionKeeperGestureMate
    {1, 0, 0},  // kActionKeeperEmptyE
    {0, 0, 0},  // kActionKeeperHoldMiddleCatch
    {0, 0, 0},  // kActionKeeperHoldLowCatch
    {0, 0, 0},  // kActionKeeperGatherFeet
    {1, 0, 0},  // kActionKeeperLongHighDive
    {0, 0, 0},  // kActionKeeperLongHighHoldingDive
    {1, 0, 0},  // kActionKeeperBlockA
    {1, 0, 0},  // kActionKeeperBlockB
    {1, 0, 0},  // kActionKeeperAimGoalKick
    {1, 0, 0},  // kActionKeeperFetchGoalKick
    {1, 0, 0},  // kActionKeeperBackOff
    {1, 0, 0},  // kActionKeeperThrow
    {1, 0, 0},  // kActionKeeperHoldGestureC
    {1, 0, 0},  // kActionKeeperHoldGestureD
    {0, 0, 0},  // kActionKeeperEmptyF
    {0, 0, 0},  // kActionKeeperEmptyG
    {0, 0, 0},  // kActionEmptyH
    {1, 0, 0},  // kActionKeeperLongLowParryDive
    {1, 0, 0},  // kActionKeeperLongMiddleParryDive
    {1, 0, 0},  // kActionKeeperLongHighParryDive
    {1, 0, 0},  // kActionKeeperShortLowParryDive
    {1, 0, 0},  // kActionKeeperShortMiddleParryDive
    {1, 0, 0},  // kActionKeeperShortHighParryDive
    {0, 0, 0},  // kActionKeeperShortLowHoldingDive
    {0, 0, 0},  // kActionKeeperShortMiddleHoldingDive
    {0, 0, 0},  // kActionKeeperShortHighHoldingDive
    {0, 0, 0},  // kActionKeeperReturnBall
    {0, 0, 0},  // kActionKeeperPenaltyGesture
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

// An action code indexes the tables: one outside them is a program error,
// stopped in every build before it reads past their end.
void CheckActionCode(const char* where, uint16_t action) {
    if (action >= kMatchActionCount) {
        FatalError("%s: action code %u is outside the action table\n", where, unsigned(action));
    }
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
    CheckActionCode("MatchActionHandlerOf()", action);
    return MatchActionTable[action];
}

void Match_SetPlayerAction(int16_t figure, uint16_t action) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    CheckActionCode("Match_SetPlayerAction()", action);
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
        CheckActionCode("Match_UpdatePlayerGroup()", f.action);
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
