// Counting stand-ins for the match and the quick prediction of the fixture
// pipeline: each call is counted (the match by whether it was shown) and
// writes a scripted result block, so that a test can tell which way a
// fixture went and what the season code made of the result.
#pragma once
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/season/fixtureday.h"
#include "core/season/pickteam.h"

struct ScriptedResult {
    int goals[2] = {1, 0};
    int shootOut[2] = {0, 0};
    int rating = 70;
    // Events written after the players' reports: kind, team, player, detail.
    struct Event {
        uint8_t kind;
        int16_t team;
        uint16_t player;
        int16_t detail;
        int16_t minute;
    };
    Event events[8] = {};
    int eventCount = 0;
    // The card state (bits 6-7 of the packed word) and injury byte of each
    // side's first player.
    int firstCards[2] = {0, 0};
    int firstInjury[2] = {0, 0};
};

struct FixtureFakes {
    int shown = 0;
    int unshown = 0;
    int predicted = 0;
    // The match record's club words as the last shown match saw them.
    int16_t shownClubs[2] = {-1, -1};
    ScriptedResult script;
    FixtureResultMakers saved{};
};

inline FixtureFakes& Fakes() {
    static FixtureFakes fakes;
    return fakes;
}

// The result block as the script says, with a report for every player on
// the two team sheets.
inline void WriteScriptedResult() {
    const ScriptedResult& s = Fakes().script;
    std::memset(&MatchResult, 0, sizeof MatchResult);
    for (int team = 0; team < 2; ++team) {
        uint8_t* t = MatchResult.teams[team].bytes;
        recbits::StoreU16(t + kReportGoals, uint16_t(s.goals[team]));
        recbits::StoreU16(t + kReportShootOutGoals, uint16_t(s.shootOut[team]));
        recbits::StoreU16(t + kReportManOfTheMatch, 0xFFFF);
        for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
            const uint16_t player = TeamSheet[team][entry];
            uint8_t* r = MatchPlayerReport(team, entry);
            recbits::StoreU16(r + kPlayerNumber, player);
            if (player != 0 && entry < 11) {
                recbits::StoreU16(r + kPlayerRating, uint16_t(s.rating));
                r[kStatsStartMinute] = 0;
                r[kStatsEndMinute] = 90;
            }
            if (entry == 0) {
                recbits::StoreU16(r + kStatsPackedWord, uint16_t(s.firstCards[team] << 6));
                r[kStatsInjured] = uint8_t(s.firstInjury[team]);
            }
        }
    }
    for (int e = 0; e < kMatchEvents; ++e) MatchResult.events[e][kEventKind] = kEventEnd;
    for (int e = 0; e < s.eventCount; ++e) {
        uint8_t* row = MatchResult.events[e];
        row[kEventKind] = s.events[e].kind;
        recbits::StoreU16(row + kEventMinute, uint16_t(s.events[e].minute));
        recbits::StoreU16(row + kEventTeam, uint16_t(s.events[e].team));
        recbits::StoreU16(row + kEventPlayer, s.events[e].player);
        recbits::StoreU16(row + kEventValue2, uint16_t(s.events[e].detail));
    }
}

inline void FakePlayMatch() {
    ((DisplayModeFlags & kDisplayOff) != 0 ? Fakes().unshown : Fakes().shown) += 1;
    if ((DisplayModeFlags & kDisplayOff) == 0) {
        for (int side = 0; side < 2; ++side)
            Fakes().shownClubs[side] = GameInfo.TeamI16(side, gameinfo::kTeamClub);
    } else {
        // A match nobody watches hands both sides to the computer.
        for (int side = 0; side < 2; ++side) GameInfo.SetTeamU8(side, gameinfo::kHumanManaged, 0);
    }
    WriteScriptedResult();
}

inline void FakePredict(int16_t, int16_t, int16_t, int16_t, int16_t, int16_t, int16_t, int16_t) {
    ++Fakes().predicted;
    WriteScriptedResult();
}

// Installs the stand-ins for the life of the object.
class FixtureFakesScope {
  public:
    FixtureFakesScope() {
        Fakes() = FixtureFakes{};
        Fakes().saved = ResultMakers;
        ResultMakers = {FakePlayMatch, FakePredict};
    }
    ~FixtureFakesScope() { ResultMakers = Fakes().saved; }
    FixtureFakesScope(const FixtureFakesScope&) = delete;
    FixtureFakesScope& operator=(const FixtureFakesScope&) = delete;
};
