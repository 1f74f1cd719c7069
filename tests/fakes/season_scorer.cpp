#include "tests/fakes/season_scorer.h"

#include "season/calendar.h"
#include "season/clubseason.h"
#include "season/fixtures.h"
#include "support/random.h"

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
