#include "core/season/friendlies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "core/records/ranges.h"
#include "tests/core/season/season_fixture.h"
#include "tests/fakes/world_records.h"

namespace {

// The generated world with its players, laid out as the shipped divisions.
class WorldFriendliesTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        ClearFixtureTable();
    }

    static std::vector<FixtureHead> Friendlies() {
        std::vector<FixtureHead> out;
        for (int slot = 0, used = UsedSlots(); slot < used; ++slot) {
            if (FixtureType(slot) == kCompFriendly) out.push_back(HeadOf(slot));
        }
        return out;
    }
};

TEST_F(WorldFriendliesTest, PreSeasonFriendliesKeepTheirLimitsDaysAndGaps) {
    constexpr int kCaps[kCountryCount] = {100, 36, 50, 40, 40, 30, 40, 30, 30};
    SetClubControl(0, 1);  // a human club is never drawn
    AddPreSeasonFriendlies();
    std::map<int, int> perNation;
    std::map<int, std::vector<int>> daysOfClub;
    for (const FixtureHead& f : Friendlies()) {
        ++perNation[GetClubNation(int16_t(f.home))];
        EXPECT_GE(f.day, 10);
        EXPECT_LE(f.day, 23);
        EXPECT_LE(GetClubDivision(int16_t(f.home)), 2u) << f;
        EXPECT_NE(f.home, f.away);
        for (int club : {f.home, f.away}) {
            EXPECT_EQ(GetClubControl(int16_t(club)), 0u) << f;
            EXPECT_NE(GetClubRep(int16_t(club)), 0u) << f;
            daysOfClub[club].push_back(f.day);
        }
        const int gap = int(GetClubDivision(int16_t(f.home))) - int(GetClubDivision(int16_t(f.away)));
        EXPECT_LE(std::abs(gap), 2) << f;
    }
    for (int nation = 0; nation < kCountryCount; ++nation)
        EXPECT_EQ(perNation[nation], kCaps[nation]) << "nation " << nation;
    for (const auto& [club, days] : daysOfClub) {
        for (size_t i = 0; i < days.size(); ++i) {
            for (size_t j = i + 1; j < days.size(); ++j) EXPECT_GT(std::abs(days[i] - days[j]), 2) << club;
        }
    }
}

TEST_F(WorldFriendliesTest, PreSeasonDrawsEndWhenANationHasNoClubToOffer) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubNation(club) == 8) SetClubControl(club, 1);
    }
    AddPreSeasonFriendlies();
    int total = 0;
    for (const FixtureHead& f : Friendlies()) {
        EXPECT_NE(GetClubNation(int16_t(f.home)), 8u);
        ++total;
    }
    EXPECT_EQ(total, 100 + 36 + 50 + 40 + 40 + 30 + 40 + 30);
}

struct NationalDate {
    int kind, offset;
};
const std::vector<NationalDate> kYears[4] = {
    {{0, 343}, {0, 347}, {0, 351}, {0, 355}},
    {{2, 238}, {2, 343}},
    {{2, 238}, {1, 343}, {1, 347}, {1, 351}, {1, 355}},
    {{2, 238}, {2, 343}},
};

TEST_F(WorldFriendliesTest, NationalTeamDaysFollowTheYearTablesAndClearTheLeagues) {
    SetUpSeasonFixtures();
    auto laidOut = std::make_unique<Fixture[]>(kFixtureSlots);
    std::memcpy(laidOut.get(), FixtureTable, sizeof FixtureTable);
    const int laidOutSlots = UsedSlots();
    int eligible[116] = {};
    for (uint16_t p = 1; IsPlayerNumber(p); ++p) {
        if (GetPlayerNationality(p) < 116 && GetPlayerPosition(p) != 13) ++eligible[GetPlayerNationality(p)];
    }
    for (int year = 2004; year < 2008; ++year) {
        std::memcpy(FixtureTable, laidOut.get(), sizeof FixtureTable);
        SeasonCalendar.year = int16_t(year);
        SeasonCalendar.weekday = int16_t(year % 7);  // every base-day shift
        SeasonCalendar.currentDay = 0;
        GameSeedRandom(uint32_t(year));
        ScheduleNationalTeamDays();
        const int base = (4 - SeasonCalendar.weekday + 7) % 7;
        std::map<int, NationalDate> dates;
        for (const NationalDate& d : kYears[year % 4]) dates[base + d.offset] = d;

        const int used = UsedSlots();
        std::map<int, std::set<int>> seniorOn, under21On;
        std::set<int> playing;
        int senior = 0;
        for (int slot = 0; slot < used; ++slot) {
            const FixtureHead h = HeadOf(slot);
            if (h.type != kCompNationalTeam && h.type != kCompNationalUnder21) continue;
            const int day = h.type == kCompNationalTeam ? h.day : h.day + 1;
            ASSERT_TRUE(dates.count(day)) << year << " " << h;
            const NationalDate& d = dates[day];
            EXPECT_LT(h.home, 18);
            EXPECT_LT(h.away, d.kind == 1 ? 116 : 32);
            EXPECT_GE(eligible[h.home], 100);
            EXPECT_GE(eligible[h.away], 100);
            EXPECT_TRUE(FixtureScore(slot) & kFixtureNeutralBit);
            auto& on = h.type == kCompNationalTeam ? seniorOn[day] : under21On[day];
            EXPECT_TRUE(on.insert(h.home).second && on.insert(h.away).second) << "a nation twice: " << h;
            if (h.type == kCompNationalUnder21) {
                EXPECT_EQ(d.kind, 2) << h;
                EXPECT_NE(FindFixture(int16_t(h.home), int16_t(h.away), kCompNationalTeam), -1);
            } else {
                ++senior;
                EXPECT_LE(seniorOn[day].size(), 18u);
                for (int nation : {h.home, h.away}) {
                    if (nation >= kCountryCount) continue;
                    playing.insert(nation);
                    for (int s = 0; s < used; ++s) {
                        const FixtureHead l = HeadOf(s);
                        const bool top = l.type == kCompLeague &&
                                         GetClubNation(int16_t(l.home)) == uint16_t(nation) &&
                                         GetClubDivision(int16_t(l.home)) == 0;
                        EXPECT_FALSE(top && l.day >= day - 3 && l.day <= day + 2)
                            << year << " " << h << " " << l;
                    }
                }
            }
        }
        EXPECT_GT(senior, int(dates.size())) << year;
        for (const auto& [day, d] : dates) {
            EXPECT_EQ(under21On[day].size(), d.kind == 2 ? seniorOn[day].size() : 0u) << year << " " << day;
        }
        // Nothing else moved: the league fixtures of nations that did not
        // play stand where they stood, and no league fixture was lost.
        int league = 0;
        for (int slot = 0; slot < used; ++slot) league += FixtureType(slot) == kCompLeague;
        int laidOutLeague = 0;
        std::multiset<std::tuple<int, int, int>> before, after;
        for (int slot = 0; slot < laidOutSlots; ++slot) {
            const uint8_t* f = laidOut[slot].bytes;
            const int type = (recbits::LoadU32(f) >> 9) & 0x7F;
            const int home = recbits::LoadU16(f + kFixtureHomeClub);
            if (type != kCompLeague) continue;
            ++laidOutLeague;
            if (!playing.count(GetClubNation(int16_t(home))))
                before.insert(
                    {int(recbits::LoadU32(f) & 0x1FF), home, recbits::LoadU16(f + kFixtureAwayClub)});
        }
        for (int slot = 0; slot < used; ++slot) {
            const FixtureHead h = HeadOf(slot);
            if (h.type == kCompLeague && !playing.count(GetClubNation(int16_t(h.home))))
                after.insert({h.day, h.home, h.away});
        }
        EXPECT_EQ(league, laidOutLeague) << year;
        EXPECT_EQ(before, after) << year;
    }
}

}  // namespace
