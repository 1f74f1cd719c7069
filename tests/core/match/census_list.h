// The match batch's census list: the codes the action table names empty and
// the phase list names unused (nothing may enter them), and the actions,
// phases and goal-celebration stages that play is not expected to enter in
// the batch, each with the reason.  The census fails on a code play never enters that is not listed
// here, and on a listed code that play does enter.
#pragma once
#include <array>
#include <cstdint>

#include "core/match/actions.h"
#include "core/match/phases.h"
#include "core/match/setpieces.h"

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
    {kActionBackToPoint,
     "nothing starts it: the period runner named as its starter only sets the figures up "
     "(action 0, keepers 152), the restart phases place their players with action 103, and "
     "the throw-in taker only waits for a team-mate already in it"},
};

// Actions play enters only a few times in the batch (counts of one run of
// it): any change of the engine's draws may take one of them to none or
// back, so the census neither asks for them nor forbids them.
constexpr Exception kRareActions[] = {
    {kActionAirBackHeader, "a backward header from the air: 2 in 200 matches"},
    {kActionLowHeader, "a stooping header: 3 in 200 matches"},
    {kActionDive, "a dive in the area: 2 in 200 matches"},
    {kActionPass, "a standing carrier's early forward pass: 2 in 200 matches"},
    {kActionBackHeel, "a standing carrier's early pass to a mate close behind him: 0 to 1 in 200 matches"},
    {kActionSlideWithBall, "a sliding tackle that takes the ball cleanly: 1 in 200 matches"},
    {kActionChestControlB, "the chest control's second side: 1 in 200 matches"},
    {kActionStandingSidePassA, "a standing first-time side pass: 0 to 2 in 200 matches"},
    {kActionStandingSidePassB, "a standing first-time side pass: 0 to 2 in 200 matches"},
    {kActionKeeperHoldGestureB,
     "a keeper still holding the ball when a foul, offside or throw-in is given: 0 to 2 in 200 matches"},
    {kActionKeeperLongMiddleHoldingDive, "a long diving catch at mid height: 1 in 200 matches"},
    {kActionKeeperLongHighHoldingDive, "a long diving catch high up: 1 to 2 in 200 matches"},
    {kActionKeeperShortHighParryDive, "a short parrying dive high up: 2 to 4 in 200 matches"},
    {kActionLongThrow,
     "rare by the throw-in's own rule: the throw is long only at a power of 50 (distance to "
     "the receiver / 10 + turn from the goal / 3 - 24), which wants a receiver some 400 "
     "units off, and the thrower takes the nearest team-mate within 480, one of whom the "
     "throw-in set-up always places 12 yards away: the batch's powers stay below 20, 0 in 200 matches"},
    {kActionLongThrowRunUp, "the run-up of the long throw (see LongThrow): 0 in 200 matches"},
};

// Phases play does not enter in the batch.
// (none: every phase the list does not name unused is entered)
constexpr std::array<Exception, 0> kPhaseExceptions{};

// Stages of the goal celebration (action 69) play does not enter in the
// batch.
// (none: scorers play stages 1 to 8, 12 and 14 to 16, and team-mates 14 and
// 15 with them or, after a scored shoot-out kick, 9, 10, 11 and 13)
constexpr std::array<Exception, 0> kStageExceptions{};

// Stages play enters only a few times in the batch (counts of one run).
// (none: the fewest entered, stage 5, 15 times in 200 matches)
constexpr std::array<Exception, 0> kRareStages{};

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

inline bool CensusActionIsRare(uint16_t action) {
    for (const census::Exception& e : census::kRareActions)
        if (e.code == action) return true;
    return false;
}

inline const char* CensusStageException(uint16_t stage) {
    for (const census::Exception& e : census::kStageExceptions)
        if (e.code == stage) return e.reason;
    return nullptr;
}

inline bool CensusStageIsRare(uint16_t stage) {
    for (const census::Exception& e : census::kRareStages)
        if (e.code == stage) return true;
    return false;
}

inline const char* CensusPhaseException(uint16_t phase) {
    for (const census::Exception& e : census::kPhaseExceptions)
        if (e.code == phase) return e.reason;
    return nullptr;
}
