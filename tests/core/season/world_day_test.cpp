// A week of the whole generated world through the day without screens,
// every fixture predicted; each fixture's events reach the match event
// history as its result block listed them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/club/stadium.h"
#include "core/match/matchratings.h"
#include "core/match/matchresult.h"
#include "core/match/qpredict.h"
#include "core/query/besteleven.h"
#include "core/query/layerstate.h"
#include "core/query/reportpicks.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/matchevents.h"
#include "core/season/pickteam.h"
#include "tests/core/season/season_fixture.h"
#include "tests/fakes/world_records.h"

namespace {

// The players of every team sheet of the day, to see that nobody plays
// twice on one day.
std::set<uint16_t> g_dayPlayers;
int g_twice = 0;
int g_predicted = 0;

// Each predicted fixture's events as the history must hold them: kind,
// side, player, minute.
using EventRow = std::array<int, 4>;
std::map<int16_t, std::vector<EventRow>> g_expectedEvents;

std::vector<EventRow> MappedEvents() {
    std::vector<EventRow> rows;
    for (const auto& event : MatchResult.events) {
        const int type = event[kEventKind];
        if (type == kEventEnd) break;
        if (type != 0 && type != 3 && type != 4 && type != 5) continue;
        const int detail = int16_t(recbits::LoadU16(event + kEventValue2));
        int kind = type == 0 ? 0 : type == 3 ? 3 : type == 4 ? 2 : 4;
        if (detail == 5) kind = 1;
        if (detail == 7) kind = 2;
        rows.push_back({kind, recbits::LoadU16(event + kEventTeam) & 1,
                        recbits::LoadU16(event + kEventPlayer),
                        recbits::LoadU16(event + kEventMinute) & 0xFF});
    }
    return rows;
}

// The fixture being predicted: today's unplayed one of the two clubs.
int16_t PredictedSlot(int16_t home, int16_t away, int16_t competition) {
    for (int16_t slot = 0; slot < kFixtureSlots; ++slot) {
        if (FixtureDay(slot) == SeasonCalendar.currentDay && !IsFixturePlayed(slot) &&
            FixtureHome(slot) == home && FixtureAway(slot) == away && FixtureType(slot) == competition)
            return slot;
    }
    return -1;
}

void RecordingPredict(int16_t home, int16_t away, int16_t competition, int16_t extraTime, int16_t fifth,
                      int16_t penalties, int16_t user, int16_t messageId) {
    const int16_t slot = PredictedSlot(home, away, competition);
    EXPECT_GE(slot, 0);
    for (const auto& sheet : TeamSheet) {
        for (int i = 0; i < kManagerSlot; ++i) {
            if (sheet[i] != 0 && !g_dayPlayers.insert(sheet[i]).second) ++g_twice;
        }
    }
    ++g_predicted;
    QPredict2(home, away, competition, extraTime, fifth, penalties, user, messageId);
    g_expectedEvents[slot] = MappedEvents();
}

class WorldDayTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        ClearFixtureTable();
        SetUpSeasonFixtures();
        SetUpAllClubTeams();
        SetPlayerClub(1, -1);  // nobody's match is shown
        HVW_SetViewedCountry(0);
        saved_ = ResultMakers;
        ResultMakers.predict = RecordingPredict;
    }
    void TearDown() override { ResultMakers = saved_; }

    FixtureResultMakers saved_{};
};

TEST_F(WorldDayTest, AWeekOfTheWorldPlaysEveryFixtureOnce) {
    int16_t first = SeasonCalendar.leagueStartDay[0];
    for (int country = 1; country < kCountryCount; ++country)
        first = std::min(first, SeasonCalendar.leagueStartDay[country]);
    SeasonCalendar.currentDay = first;
    // The country whose leagues open the week is the one the screens show.
    int16_t opening = 0;
    while (SeasonCalendar.leagueStartDay[opening] != first) ++opening;
    HVW_SetViewedCountry(opening);
    // The league rows as a new game sorts them: the match marks are kept
    // by a club's place among the clubs of its row.
    SortLeagueTables();
    MatchRatings_Clear();
    MatchEvents_Clear();
    g_expectedEvents.clear();
    // The records alone leave every ground without a seat: a stand each
    // brings crowds.
    std::vector<int64_t> merchandise(kClubCount);
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetStand(club, 0, 1, 10);
        merchandise[club] = -GetClubSeasonMerchandising(club);
    }
    int played = 0;
    for (int day = 0; day < 7; ++day) {
        g_dayPlayers.clear();
        const int today = SeasonCalendar.currentDay;
        PlayDayWithoutScreens();
        ASSERT_EQ(SeasonCalendar.currentDay, today + 1);
        for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= today; ++slot) {
            if (FixtureDay(slot) < first) continue;  // before the week began
            ASSERT_TRUE(IsFixturePlayed(slot)) << "slot " << slot << " of day " << FixtureDay(slot);
            const uint32_t score = FixtureScore(slot);
            ASSERT_LE(score & 0x1F, 30u);
            ASSERT_LE((score >> 5) & 0x1F, 30u);
            played += FixtureDay(slot) == today;
        }
        EXPECT_EQ(g_twice, 0) << "day " << today;
    }
    EXPECT_GT(played, 100);
    EXPECT_EQ(g_predicted, played);

    // Every fixture's run in the event history is its result's event list.
    size_t events = 0;
    for (const auto& [slot, expected] : g_expectedEvents) {
        std::vector<EventRow> recorded;
        MatchEvents_ForEachOfFixture(slot, [&](int32_t r) {
            recorded.push_back(
                {MatchEventKind(r), MatchEventSide(r), MatchEventPlayer(r), MatchEventMinute(r)});
        });
        ASSERT_EQ(recorded, expected) << "slot " << slot;
        events += expected.size();
    }
    EXPECT_GT(events, size_t(played));

    // Every played club fixture paid both clubs their share of the crowd's
    // spending on goods, at the home club's ticket price.
    int64_t paid = 0;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) < SeasonCalendar.currentDay; ++slot) {
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (FixtureDay(slot) < first || !IsFixturePlayed(slot) || !IsClubNumber(home) || !IsClubNumber(away))
            continue;
        const uint32_t crowd = recbits::LoadU32(FixtureTable[slot].bytes + kFixtureCrowdWord) & 0x7FFFFF;
        const double price = HVW_GetTicketPrice(int16_t(GetClubDivision(home)), int16_t(GetClubNation(home)));
        merchandise[home] -= int64_t(crowd * price * 0.5);
        merchandise[away] -= int64_t(crowd * price * 0.2);
        paid += int64_t(crowd * price * 0.5);
    }
    EXPECT_GT(paid, 0);
    for (int16_t club = 0; club < kClubCount; ++club)
        ASSERT_EQ(merchandise[club] + GetClubSeasonMerchandising(club), 0) << "club " << club;

    // The week's marks are kept for the recent form: the best eleven of the
    // opening country's top division finds a keeper by them, and a loaded game (which keeps
    // no marks) finds the same ones again from the line-ups.
    HVW_BuildBestEleven(0, 0);
    ASSERT_NE(BestEleven[0].player, 0);
    EXPECT_GT(BestEleven[0].score, 0);
    std::vector<int16_t> recent;
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        const uint16_t club = GetPlayerClub(player);
        if (IsClubNumber(club) && GetClubNation(int16_t(club)) == uint16_t(opening))
            recent.push_back(HVW_GetPlayerRecentRating(player, int16_t(club)));
    }
    EXPECT_GT(std::count_if(recent.begin(), recent.end(), [](int16_t r) { return r > 0; }), 100);
    MatchRatings_RebuildRecent();
    size_t i = 0;
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        const uint16_t club = GetPlayerClub(player);
        if (!IsClubNumber(club) || GetClubNation(int16_t(club)) != uint16_t(opening)) continue;
        ASSERT_EQ(HVW_GetPlayerRecentRating(player, int16_t(club)), recent[i++]) << "player " << player;
    }

    // The league records equal a recount from the fixtures.
    auto kept = std::make_unique<ClubSeasonRecord[]>(kClubCount);
    std::memcpy(kept.get(), LeagueSeasonRecords, sizeof LeagueSeasonRecords);
    RecountClubSeasonRecords(SeasonCalendar.currentDay);
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int w = 0; w < 12; ++w)
            ASSERT_EQ(kept[club].words[w], LeagueSeasonRecords[club].words[w])
                << "club " << club << " word " << w;
    }
}

}  // namespace
