#include "game/match3d/dayscores.h"

#include "core/query/competitionnames.h"
#include "core/query/forwarders.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"

IgRoundScore IgRoundScores[kIgRoundScoreEntries];
int16_t IgRoundScoreCount;

namespace {

constexpr IgRoundScore kEmptyEntry = {-1, -1, -1, -1};
constexpr int kHighestGoalKind = 2;  // kinds 0, 1 and 2 are goals

bool IsSlot(int slot) { return slot >= 0 && slot < kFixtureSlots; }

// Entries [0, count) from the user's slot back towards slot 1: today's
// fixtures of the competition without his club.  Returns the slot at which
// the scan stopped.
int ListFixtures(int userSlot, int16_t competition, int16_t userClub, uint16_t today) {
    int slot = userSlot;
    for (; slot > 0; --slot) {
        if (FixtureDay(slot) != today) break;
        if (FixtureType(slot) != competition) continue;
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (home == userClub || away == userClub) continue;
        if (IgRoundScoreCount >= kIgRoundScoreEntries) break;
        IgRoundScores[IgRoundScoreCount++] = {home, away, 0, 0};
    }
    return slot;
}

// One counting record of the log: its goal to each entry whose home (side
// 0) or away club (side 1) is that of the record's fixture.
void CountGoal(int slot, int side) {
    const int16_t club = side == 0 ? FixtureHome(slot) : FixtureAway(slot);
    for (int i = 0; i < IgRoundScoreCount; ++i) {
        IgRoundScore& entry = IgRoundScores[i];
        if (side == 0 && entry.homeClub == club) ++entry.homeGoals;
        if (side != 0 && entry.awayClub == club) ++entry.awayGoals;
    }
}

}  // namespace

int16_t IgRoundScores_Build(int16_t minute, int16_t* competition) {
    IgRoundScoreCount = 0;
    for (IgRoundScore& entry : IgRoundScores) entry = kEmptyEntry;
    const uint16_t today = uint16_t(SeasonCalendar.currentDay);
    int16_t userSlot = -1, sameCount = 0, flaggedSlot = -1, flaggedCount = 0, otherCount = 0;
    HVW_CountFixturesOnDay(int16_t(today), &userSlot, &sameCount, &flaggedSlot, &flaggedCount, &otherCount);
    *competition = IsSlot(userSlot) ? FixtureType(userSlot) : int16_t(-1);
    if (!IsSlot(userSlot)) return 0;
    const int stop = ListFixtures(userSlot, *competition, HVW_GetMyClub(), today);
    if (IgRoundScoreCount == 0) return 0;
    for (int record = 0; record < kMatchEventRecords; ++record) {
        const int kind = MatchEventKind(record);
        if (kind < 0 || kind > kHighestGoalKind || MatchEventMinute(record) > minute) continue;
        // An unused record names no fixture; nor does a goal of another day
        // count for today's score.
        const int slot = MatchEventFixture(record);
        if (slot < stop || !IsSlot(slot) || FixtureDay(slot) != today) continue;
        CountGoal(slot, MatchEventSide(record));
    }
    return IgRoundScoreCount;
}
