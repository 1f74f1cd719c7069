// The match batch's census list: the codes the action table names empty and
// the phase list names unused (nothing may enter them), and the actions and
// phases that play is not expected to enter in the batch, each with the
// reason.  The census fails on a code play never enters that is not listed
// here, and on a listed code that play does enter.
#pragma once
#include <cstdint>

#include "core/match/actions.h"
#include "core/match/phases.h"

namespace census {

constexpr uint16_t kEmptyActions[] = {
    kActionEmptyA,       kActionEmptyB,       kActionEmptyC,       kActionEmptyD,       kActionEmptyE,
    kActionEmptyF,       kActionEmptyG,       kActionKeeperEmptyA, kActionKeeperEmptyB, kActionKeeperEmptyC,
    kActionKeeperEmptyD, kActionKeeperEmptyE, kActionKeeperEmptyF, kActionKeeperEmptyG, kActionEmptyH,
};

constexpr uint16_t kUnusedPhases[] = {kPhaseUnusedA, kPhaseUnusedB, kPhaseUnusedC, kPhaseUnusedD};

struct Exception {
    uint16_t code;
    const char* reason;
};

// Actions play does not enter in the batch.
constexpr Exception kActionExceptions[] = {
    {kActionNothing, "not yet started by play"},
    {kActionTurnToGoal, "not yet started by play"},
    {kActionOverTheBall, "not yet started by play"},
    {kActionSlidingTackleAlt, "not yet started by play"},
    {kActionPass, "not yet started by play"},
    {kActionBackHeel, "not yet started by play"},
    {kActionLongThrow, "not yet started by play"},
    {kActionLongThrowRunUp, "not yet started by play"},
    {kActionFreeKickPassRunUp, "not yet started by play"},
    {kActionLowControl, "not yet started by play"},
    {kActionRetreat, "not yet started by play"},
    {kActionFreeKickPasser, "not yet started by play"},
    {kActionBackToPoint, "not yet started by play"},
    {kActionSlideWithBall, "not yet started by play"},
    {kActionFreeKickPass, "not yet started by play"},
    {kActionTurningShotA, "not yet started by play"},
    {kActionHandball, "not yet started by play"},
    {kActionIdleVariation, "not yet started by play"},
    {kActionTurningShotC, "not yet started by play"},
    {kActionTurnOnSpotDown, "not yet started by play"},
    {kActionTurnOnSpotUp, "not yet started by play"},
    {kActionKeeperHoldGestureB,
     "rare: a keeper still holding the ball when a foul, offside or throw-in is given (0 to 2 in the "
     "batch's 200 matches)"},
};

// Phases play does not enter in the batch.
constexpr Exception kPhaseExceptions[] = {
    {kPhaseFreeKickSecond, "not yet started by play"},
};

}  // namespace census

inline bool MatchActionIsEmpty(uint16_t action) {
    for (uint16_t empty : census::kEmptyActions)
        if (empty == action) return true;
    return false;
}

inline bool MatchPhaseIsUnused(uint16_t phase) {
    for (uint16_t unused : census::kUnusedPhases)
        if (unused == phase) return true;
    return false;
}

inline const char* CensusActionException(uint16_t action) {
    for (const census::Exception& e : census::kActionExceptions)
        if (e.code == action) return e.reason;
    return nullptr;
}

inline const char* CensusPhaseException(uint16_t phase) {
    for (const census::Exception& e : census::kPhaseExceptions)
        if (e.code == phase) return e.reason;
    return nullptr;
}
