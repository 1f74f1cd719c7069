// Challenges in play: two full sides contest the ball from the centre spot
// (the ball changes hands and no challenge or reaction holds a player), and
// a defender goes in on a carrier running at him: the better tackler wins
// the ball more often.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "core/base/bytes.h"
#include "core/match/actions.h"
#include "core/match/formation.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/season/fixtureday.h"
#include "core/season/matchevents.h"
#include "tests/core/match/scenario.h"

namespace {

using namespace scenario;

bool IsChallengeOrReaction(uint16_t action) {
    switch (action) {
        case 28:
        case 32:
        case 33:
        case 37:
        case 56:
        case 72:
        case 73:
        case 89:
        case 90:
        case 91:
        case 93:
        case 99:
        case 116:
            return true;
        default:
            return false;
    }
}

struct ChallengePlayReport {
    int possessionChanges = 0;
    int fouls = 0;
    int challenges = 0;
    int longestChallenge = 0;
    uint64_t fingerprint = 0;
};

ChallengePlayReport ChallengePlayFromCentre(uint32_t seed, int ticks) {
    FillTwoClubs(41);
    StartMatch(seed);
    MatchFoulChance = MatchDismissalThreshold = 100;
    StartOpenPlayFromTheCentre();
    ChallengePlayReport report;
    int inChallenge[kPlayerFigures] = {};
    uint8_t lastTeam = BallTeam;
    uint16_t lastPhase = MatchPhase;
    uint64_t h = 1469598103934665603ull;
    for (int tick = 0; tick < ticks && MatchFinished == 0; ++tick) {
        MatchTick();
        if (MatchPhase == kPhaseOpenPlay && BallTeam != lastTeam) ++report.possessionChanges;
        lastTeam = BallTeam;
        if (MatchPhase == kPhaseFoul && lastPhase != kPhaseFoul) ++report.fouls;
        lastPhase = MatchPhase;
        for (int f = 0; f < kPlayerFigures; ++f) {
            const uint16_t action = MatchFigures[f].action;
            if (!IsChallengeOrReaction(action)) {
                inChallenge[f] = 0;
                continue;
            }
            if (inChallenge[f]++ == 0) ++report.challenges;
            report.longestChallenge = std::max(report.longestChallenge, inChallenge[f]);
            h = (h ^ uint64_t(f * 1000 + action)) * 1099511628211ull;
        }
        h = (h ^ uint64_t(BallState.x16)) * 1099511628211ull;
    }
    report.fingerprint = h;
    return report;
}

TEST(ChallengesScenario, TheBallChangesHandsAndNoChallengeHoldsAPlayer) {
    // Two thirds of a match: play flows through challenges, fouls and
    // restarts, and the ball changes hands again and again.
    const ChallengePlayReport first = ChallengePlayFromCentre(5, 20000);
    EXPECT_GE(first.possessionChanges, 15);
    EXPECT_GE(first.challenges, 20);
    // A foul comes about once in such a spell, and a spell may well pass
    // without one: over eight of them some are given.
    int fouls = first.fouls;
    for (uint32_t seed = 1; seed <= 7; ++seed) fouls += ChallengePlayFromCentre(seed, 20000).fouls;
    EXPECT_GE(fouls, 2);
    // The longest clip of a challenge or reaction (the fall with the player
    // lying injured) runs well under 300 ticks.
    EXPECT_LT(+first.longestChallenge, 300);
    // The same start plays the same way.
    const ChallengePlayReport shortPlay = ChallengePlayFromCentre(5, 4000);
    const ChallengePlayReport again = ChallengePlayFromCentre(5, 4000);
    EXPECT_EQ(+shortPlay.fingerprint, +again.fingerprint);
}

// A slide brings the carrier down: play stops for the foul, the referee
// goes to the offender with his call, and play resumes with the free kick.
TEST(ChallengesScenario, AFoulStopsPlayTheRefereeDealsWithItAndPlayResumes) {
    FillTwoClubs(41);
    StartMatch(21);
    MatchFoulChance = MatchDismissalThreshold = 100;
    MatchPhase = kPhaseKickOffSetUp;
    LineUpPending = 0;
    Match_ChooseFormationZone();
    Match_SetFormationTargets();
    PlaceTeamsOnFormation();
    constexpr int16_t tackler = 6, victim = 16 + 9;
    MatchFigure& t = MatchFigures[tackler];
    MatchFigure& v = MatchFigures[victim];
    PlaceFigure(victim, 796, 1000, kActionThink);
    v.agility = 0;        // he cannot ride the tackle
    v.ballDistance = 60;  // as the ranking has it: the ball is not at his feet
    v.facing = 0;
    PlaceFigure(tackler, 796, 1008, kActionSlidingTackle);
    t.facing = 0;
    t.stateB = 2;  // a third offence: booked whatever the draw
    PlaceBall(796, 940);
    PlaceFigure(kRefereeFigure, 700, 1100, kActionRunToPosition);  // the referee follows play
    StartOpenPlay(1);
    LastToucher = victim;
    int tick = 0;
    for (; tick < 40 && MatchPhase == kPhaseOpenPlay; ++tick) MatchTick();
    ASSERT_EQ(MatchPhase, 1);
    EXPECT_EQ(FouledPlayer, victim);
    EXPECT_EQ(FoulTeam, 0);
    EXPECT_EQ(RefereeAction, kCallBooking);
    EXPECT_EQ(RefereeOffender, tackler);
    EXPECT_TRUE(v.action == kActionFallForward || v.action == kActionSlidingFall);
    bool waited = false;
    for (tick = 0; tick < 2500 && MatchPhase != kPhaseOpenPlay; ++tick) {
        MatchTick();
        waited |= MatchPhase == kPhaseWaitReferee;
    }
    EXPECT_TRUE(waited);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_EQ(RefereeAction, 0);
    EXPECT_EQ(+t.cautions, 1);
    EXPECT_EQ(+t.counts[kCountFoulsCommitted], 1);

    // The caution is in the result block's events as a booking of the
    // tackler's side and player at the minute it was shown, and the played
    // fixture keeps it in the match event history as his booking.
    int booking = -1;
    for (int e = 0; e < kMatchEvents && MatchResult.events[e][kEventKind] != kEventEnd; ++e)
        if (MatchResult.events[e][kEventKind] == kEventBooking) booking = e;
    ASSERT_GE(booking, 0);
    const uint8_t* event = MatchResult.events[booking];
    const uint16_t tacklerId = MatchFigurePlayerId(tackler);
    EXPECT_EQ(recbits::LoadU16(event + kEventTeam), 0);
    EXPECT_EQ(recbits::LoadU16(event + kEventPlayer), tacklerId);
    const uint16_t minute = recbits::LoadU16(event + kEventMinute);
    EXPECT_LE(minute, uint16_t(MatchClockMinute()));
    MatchEvents_Clear();
    constexpr int16_t kSlot = 7;
    MatchEvents_Record(kSlot);
    int cards = 0;
    for (int r = 0; MatchEventKind(r) != kKindFree; ++r) {
        EXPECT_EQ(MatchEventFixture(r), kSlot);
        if (MatchEventKind(r) != kKindBooking) continue;
        ++cards;
        EXPECT_EQ(MatchEventSide(r), 0);
        EXPECT_EQ(MatchEventPlayer(r), tacklerId);
        EXPECT_EQ(MatchEventMinute(r), minute);
    }
    EXPECT_EQ(cards, 1);
}

}  // namespace
