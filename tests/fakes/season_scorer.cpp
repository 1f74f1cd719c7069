#include "tests/fakes/season_scorer.h"

#include "core/base/random.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"

int ScoreTodaysFixtures() {
    const int today = SeasonCalendar.currentDay;
    int played = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int type = FixtureType(slot);
        if (FixtureDay(slot) != today || (type != kCompLeague && type != kCompReserveLeague)) continue;
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        const uint32_t home = uint32_t(GameRandom() % 5), away = uint32_t(GameRandom() % 4);
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | home | away << 5);
        ++played;
    }
    RecountClubSeasonRecords(int16_t(today));
    return played;
}

#include <memory>

#include "core/match/matchresult.h"
#include "core/query/cupentry.h"
#include "core/season/results.h"

namespace {

void SetTeam(MatchResultBlock& block, int team, int goals, int shootOut) {
    recbits::StoreU16(block.teams[team].bytes + kReportGoals, uint16_t(goals));
    recbits::StoreU16(block.teams[team].bytes + kReportShootOutGoals, uint16_t(shootOut));
}

}  // namespace

int PlayTodaysCupFixtures() {
    static auto block = std::make_unique<MatchResultBlock>();
    const int today = SeasonCalendar.currentDay;
    int played = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int type = FixtureType(slot);
        if (FixtureDay(slot) != today || type < kCompPlayOffFirst || type > kCompLastCup ||
            IsFixturePlayed(slot))
            continue;
        int16_t subs, extraTime, goldenGoal, penalties, awayGoals, leg, replay, firstHome, firstAway;
        HVW_GetFixturePlayOptions(int16_t(slot), &subs, &extraTime, &goldenGoal, &penalties, &awayGoals, &leg,
                                  &replay, &firstHome, &firstAway);
        const int home = GameRandom() % 4, away = GameRandom() % 3;
        SetTeam(*block, 0, home, 0);
        SetTeam(*block, 1, away, 0);
        bool shootOut = false;
        if (penalties != 0 && TieWinner(*block, int16_t(slot), awayGoals) == -1) {
            const bool homeWins = GameRandom() % 2 == 0;
            SetTeam(*block, 0, home, homeWins ? 5 : 4);
            SetTeam(*block, 1, away, homeWins ? 4 : 5);
            shootOut = true;
        }
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        uint32_t score = (recbits::LoadU32(word) & ~0x13FFu) | uint32_t(home) | uint32_t(away) << 5;
        if (shootOut) score |= kFixtureShootOutBit;
        recbits::StoreU32(word, score);
        BookMatchResult(*block, int16_t(slot), awayGoals);
        ++played;
    }
    return played;
}
