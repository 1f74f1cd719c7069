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
    {kActionNothing, "no behaviour, and nothing starts it: the ranking only reads it"},
    {kActionSlidingTackleAlt, "the slide's second code: the tackle choice starts it by its first"},
    {kActionLongThrow, "not yet started by play"},
    {kActionLongThrowRunUp, "not yet started by play"},
    {kActionFreeKickPassRunUp, "not yet started by play"},
    {kActionLowControl, "no decision chooses it: the air-ball choices name their own"},
    {kActionRetreat, "not yet started by play"},
    {kActionFreeKickPasser, "not yet started by play"},
    {kActionKeeperHoldWalk, "not yet started by play"},
    {kActionWaitTurning, "follows only the keeper-holds walk of a shoot-out, not yet started"},
    {kActionBackToPoint, "its named starter, the period runner, sets no action"},
    {kActionSlideWithBall, "rare: a slide reaching a player standing on the ball"},
    {kActionFreeKickPass, "not yet started by play"},
    {kActionHandball, "not yet started by play"},
    {kActionWalkBack, "not yet started by play"},
    {kActionCatchReaction, "not yet started by play"},
    {kActionFetchAndThrow, "not yet started by play"},
    {kActionKeeperHoldGestureB, "not yet started by play"},
    {kActionKeeperGestureMate, "not yet started by play"},
    {kActionKeeperReturnBall, "not yet started by play"},
    {kActionBackHeel, "rare: a standing carrier's early pass to a mate close behind him"},
    {kActionAirBackHeader, "rare: twice in 200 matches before"},
    {kActionLowHeader, "rare: once in 200 matches before"},
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
