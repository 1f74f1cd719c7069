#include "generic/igleague.h"

#include "database/Access.h"
#include "database/query/funcs_forward.h"
#include "database/ranges.h"
#include "season/calendar.h"
#include "season/fixtures.h"

LiveResultRow IgLeagueRows[kIgLeagueRows];

namespace {

constexpr int16_t kLeagueCompetition = 0;

bool InDivision(int16_t club, uint16_t nation, uint16_t division) {
    return IsClubNumber(club) && GetClubNation(club) == nation && GetClubDivision(club) == division;
}

int16_t Goals(uint32_t bits) {
    const int16_t goals = int16_t(bits & kFixtureGoalsMask);
    return goals == int16_t(kFixtureNotPlayedGoals) ? 0 : goals;
}

}  // namespace

int16_t IgLeague_FillTable() {
    for (LiveResultRow& row : IgLeagueRows) row = {-1, -1, 0, 0};
    const int16_t userClub = PlayerCount > 1 ? HVW_GetMyClub() : int16_t(-1);
    if (!IsClubNumber(userClub)) return 0;
    const uint16_t nation = GetClubNation(userClub);
    const uint16_t division = GetClubDivision(userClub);
    const uint16_t today = uint16_t(SeasonCalendar.currentDay);
    int16_t rows = 0;
    for (int slot = 0; slot < kFixtureSlots && rows < kIgLeagueRows; ++slot) {
        if (IsFixtureEmpty(slot) || FixtureDay(slot) != today || FixtureType(slot) != kLeagueCompetition)
            continue;
        const int16_t home = FixtureHome(slot);
        if (!InDivision(home, nation, division)) continue;
        const uint32_t score = FixtureScore(slot);
        IgLeagueRows[rows++] = {home, FixtureAway(slot), Goals(score), Goals(score >> 5)};
    }
    return rows;
}

int16_t IgLeague_LiveResults(const LiveResultRow** rows) {
    *rows = IgLeagueRows;
    return IgLeague_FillTable();
}
