// Club and player history lists.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "core/base/random.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class HistoryTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        ClearHistoryLists();
        for (int16_t club = 0; club < 20; ++club) SetClubNation(club, int16_t(club % 9));
        SetClubNation(30, 40);  // a nation outside the played countries
    }
    void Season(int16_t season) { SeasonCalendar.season = season; }
    std::vector<ClubHistoryEntry> Club(int16_t club) {
        std::vector<ClubHistoryEntry> out(kClubHistoryLookup);
        out.resize(size_t(FindClubHistoryEntry(club, out.data())));
        return out;
    }
    std::vector<PlayerHistoryEntry> Player(uint16_t player) {
        std::vector<PlayerHistoryEntry> out(kPlayerHistoryLookup);
        out.resize(size_t(FindPlayerHistoryEntry(player, out.data())));
        return out;
    }
};

TEST_F(HistoryTest, FirstClubEntryOfANewGame) {
    AddClubHistoryEntry(7, 5, 1, 2, 0);
    EXPECT_EQ(ClubHistoryCount, 2u);
    EXPECT_EQ(ClubHistoryClub(ClubHistoryEntries[0]), 5);
    EXPECT_EQ(ClubHistoryValue(ClubHistoryEntries[0]), 7);
    EXPECT_EQ(ClubHistoryExtra2(ClubHistoryEntries[0]), 2);
    EXPECT_EQ(ClubHistoryClub(ClubHistoryEntries[1]), -1);
    EXPECT_EQ(ClubHistoryFirst[4], 0u);
    EXPECT_EQ(ClubHistoryFirst[5], 0u);
    EXPECT_EQ(ClubHistoryFirst[6], 1u);
    // Clubs outside the played countries keep no history.
    AddClubHistoryEntry(7, 30, 0, 0, 0);
    AddClubHistoryEntry(7, -1, 0, 0, 0);
    EXPECT_EQ(ClubHistoryCount, 2u);
}

TEST_F(HistoryTest, ClubSeasonsNewestFirstAndOwnersInOrder) {
    Season(3);
    AddClubHistoryEntry(1, 5, 0, 0, 7);
    AddClubHistoryEntry(2, 9, 0, 0, 7);
    AddClubHistoryEntry(3, 5, 0, 0, 7);
    AddClubHistoryEntry(4, 2, 0, 0, 7);
    Season(4);
    AddClubHistoryEntry(5, 5, 0, 0, 7);
    const auto five = Club(5);
    ASSERT_EQ(five.size(), 3u);
    EXPECT_EQ(ClubHistorySeason(five[0]), 4);
    EXPECT_EQ(ClubHistoryValue(five[1]), 1);
    EXPECT_EQ(ClubHistoryValue(five[2]), 3);
    EXPECT_EQ(ClubHistoryClub(ClubHistoryEntries[0]), 2);
    EXPECT_EQ(ClubHistoryClub(ClubHistoryEntries[4]), 9);
    EXPECT_EQ(ClubHistoryFirst[9], 4u);
    // Each kind writes only its own fields.
    AddClubHistoryEntry(50, 6, 51, 52, 5);
    AddClubHistoryEntry(60, 7, 61, 62, 16);
    EXPECT_EQ(ClubHistoryValue(Club(6)[0]), 0);
    EXPECT_EQ(ClubHistoryExtra1(Club(6)[0]), 51);
    EXPECT_EQ(ClubHistoryExtra1(Club(7)[0]), 0);
    EXPECT_EQ(ClubHistoryExtra2(Club(7)[0]), 62);
}

TEST_F(HistoryTest, LookupsStopAtTheirLimits) {
    for (int i = 0; i < 1200; ++i) AddClubHistoryEntry(uint16_t(i), 3, 0, 0, 7);
    EXPECT_EQ(Club(3).size(), 1000u);
    for (int i = 0; i < 150; ++i) AddPlayerHistoryStats(8, 3, 1, 0, 3, 0);
    EXPECT_EQ(Player(8).size(), 100u);
}

TEST_F(HistoryTest, AFullClubListDropsItsOldestSeason) {
    // Fill every slot directly: seasons 10.. with two entries of season 2.
    for (int i = 0; i < kClubHistoryEntries; ++i) {
        uint8_t* e = ClubHistoryEntries[i].bytes;
        std::memset(e, 0, 10);
        const int16_t club = int16_t(i / 100);
        std::memcpy(e + kCHClub, &club, 2);
        e[kCHSeason] = uint8_t(10 + i % 50);
        std::memcpy(e + kCHValue, &i, 2);
    }
    ClubHistoryEntries[700].bytes[kCHSeason] = 2;
    ClubHistoryEntries[900].bytes[kCHSeason] = 2;
    ClubHistoryCount = kClubHistoryEntries + 1;
    RebuildClubHistoryIndex();
    Season(60);
    AddClubHistoryEntry(4242, 0, 0, 0, 7);
    EXPECT_EQ(ClubHistoryCount, uint32_t(kClubHistoryEntries + 1));
    // Entry 700 (club 7) went; entry 900 is still there, one place down.
    EXPECT_EQ(ClubHistoryValue(ClubHistoryEntries[0]), 4242);
    EXPECT_EQ(ClubHistorySeason(ClubHistoryEntries[900]), 2);
    EXPECT_EQ(Club(7).size(), 99u);
    EXPECT_EQ(Club(9).size(), 100u);
}

TEST_F(HistoryTest, PlayerSpellsAddUpWithinASeason) {
    SetPlayerClub(10, 4);
    SetPlayerLoanClub(10, 4);
    Season(2);
    AddPlayerHistoryStats(10, 4, 1, 2, 0, 0);
    AddPlayerHistoryStats(10, 4, 1, 2, 0, 0);
    AddPlayerHistoryStats(10, 4, 5, 1, 0, 1);
    auto spells = Player(10);
    ASSERT_EQ(spells.size(), 1u);
    EXPECT_EQ(PlayerHistoryFirstCounter(spells[0]), 2);
    EXPECT_EQ(PlayerHistorySecondCounter(spells[0]), 5);
    EXPECT_EQ(PlayerHistoryThirdCounter(spells[0]), 1);
    EXPECT_EQ(PlayerHistoryMarker(spells[0]), 0);
    // A loan spell is its own entry; other kinds always add one.
    AddPlayerHistoryStats(10, 4, 1, 0, 1, 0);
    AddPlayerHistoryStats(10, 4, 0, 26, 6, 3);
    spells = Player(10);
    ASSERT_EQ(spells.size(), 3u);
    EXPECT_EQ(PlayerHistoryKind(spells[1]), 1);
    EXPECT_EQ(PlayerHistoryMarker(spells[2]), 26);
    EXPECT_EQ(PlayerHistoryThirdCounter(spells[2]), 3);
    EXPECT_EQ(GetPlayerHistoryAppearances(10, 4, 0), 2);
    EXPECT_EQ(HasPlayerHistoryEntry(10, 4), 1);
    EXPECT_EQ(HasPlayerHistoryEntry(10, 5), 0);
    Season(3);
    EXPECT_EQ(GetPlayerHistoryAppearances(10, 4, 1), 2);
    EXPECT_EQ(GetPlayerHistoryAppearances(10, 4, 0), 0);
    // Players outside the table are ignored.
    AddPlayerHistoryStats(0, 4, 1, 1, 0, 0);
    AddPlayerHistoryStats(kPlayers, 4, 1, 1, 0, 0);
    EXPECT_EQ(PlayerHistoryCount, 4u);
}

TEST_F(HistoryTest, RemovingAndMergingKeepTheIndexRight) {
    AddPlayerHistoryStats(3, 1, 1, 0, 3, 0);
    AddPlayerHistoryStats(5, 1, 1, 0, 3, 0);
    AddPlayerHistoryStats(5, 2, 1, 0, 3, 0);
    AddPlayerHistoryStats(7, 1, 1, 0, 3, 0);
    RemovePlayerHistory(5);
    EXPECT_EQ(PlayerHistoryCount, 3u);
    EXPECT_EQ(Player(5).size(), 0u);
    EXPECT_EQ(PlayerHistoryFirst[7], 1u);
    EXPECT_EQ(PlayerHistoryPlayer(PlayerHistoryEntries[2]), 0);

    // An appearance entry doubled (as only a damaged list holds one) goes;
    // a loan, an injury and a sacking that happened twice in a row stay.
    AddPlayerHistoryStats(7, 1, 3, 1, 0, 0);
    std::memcpy(&PlayerHistoryEntries[3], &PlayerHistoryEntries[2], sizeof(PlayerHistoryEntry));
    ++PlayerHistoryCount;
    RebuildPlayerHistoryIndex();
    AddPlayerHistoryStats(9, 1, 1, 0, 3, 0);
    AddPlayerHistoryStats(9, 1, 1, 0, 3, 0);
    AddPlayerHistoryStats(9, 1, 0, 12, 4, 0);
    AddPlayerHistoryStats(9, 1, 0, 12, 4, 0);
    AddPlayerHistoryStats(11, 1, 0, 0, 8, 0);
    AddPlayerHistoryStats(11, 1, 0, 0, 8, 0);
    EXPECT_EQ(Player(7).size(), 3u);
    MergePlayerHistoryEntries();
    EXPECT_EQ(Player(7).size(), 2u);
    EXPECT_EQ(GetPlayerHistoryAppearances(7, 1, 0), 3);
    EXPECT_EQ(Player(9).size(), 4u);
    EXPECT_EQ(Player(11).size(), 2u);
    EXPECT_EQ(PlayerHistoryCount, 10u);
    EXPECT_EQ(PlayerHistoryFirst[9], 3u);
    EXPECT_EQ(PlayerHistoryFirst[11], 7u);
}

// Look-ups stop at the end of an owner's run only while the list is known
// to stand in owner order: a list loaded out of order is read to its end.
TEST_F(HistoryTest, LookupsReadAListOutOfOwnerOrderToItsEnd) {
    AddPlayerHistoryStats(4, 1, 1, 0, 3, 0);
    AddPlayerHistoryStats(4, 2, 1, 0, 3, 0);
    AddPlayerHistoryStats(6, 1, 1, 0, 3, 0);
    std::swap(PlayerHistoryEntries[1], PlayerHistoryEntries[2]);
    RebuildPlayerHistoryIndex();
    EXPECT_EQ(Player(4).size(), 2u);
    EXPECT_EQ(HasPlayerHistoryEntry(4, 2), 1);

    Season(3);
    AddClubHistoryEntry(1, 5, 0, 0, 7);
    AddClubHistoryEntry(2, 5, 0, 0, 8);
    AddClubHistoryEntry(3, 9, 0, 0, 7);
    std::swap(ClubHistoryEntries[1], ClubHistoryEntries[2]);
    RebuildClubHistoryIndex();
    EXPECT_EQ(Club(5).size(), 2u);
}

// Each insertion moves only the later owners' starts; after every change
// of a long random run the index is what a rebuild from the entries gives.
TEST_F(HistoryTest, TheIndexKeptOnInsertionEqualsARebuild) {
    GameSeedRandom(77);
    // The lists stand in owner order: an owner's entries start after all
    // entries of the owners before it.
    const auto indexIsRebuilt = [] {
        std::vector<uint32_t> players(kMaxPlayers, 0), clubs(kClubCount, 0);
        for (uint32_t i = 0; i + 1 < PlayerHistoryCount; ++i) {
            const uint32_t owner = PlayerHistoryPlayer(PlayerHistoryEntries[i]);
            if (owner + 1 < kMaxPlayers) ++players[owner + 1];
        }
        for (uint32_t i = 0; i + 1 < ClubHistoryCount; ++i) {
            const uint32_t owner = uint32_t(ClubHistoryClub(ClubHistoryEntries[i]));
            if (owner + 1 < kClubCount) ++clubs[owner + 1];
        }
        for (size_t o = 1; o < players.size(); ++o) players[o] += players[o - 1];
        for (size_t o = 1; o < clubs.size(); ++o) clubs[o] += clubs[o - 1];
        return players == std::vector<uint32_t>(PlayerHistoryFirst, PlayerHistoryFirst + kMaxPlayers) &&
               clubs == std::vector<uint32_t>(ClubHistoryFirst, ClubHistoryFirst + kClubCount);
    };
    for (int step = 0; step < 400; ++step) {
        const int what = GameRandom() % 20;
        const uint16_t player = uint16_t(1 + GameRandom() % 60);
        if (what == 0) {
            RemovePlayerHistory(player);
        } else if (what == 1) {
            Season(int16_t(GameRandom() % 4));
        } else if (what < 8) {
            AddClubHistoryEntry(uint16_t(step), int16_t(GameRandom() % 20), 0, 0, int16_t(GameRandom() % 18));
        } else {
            constexpr int16_t kKinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
            AddPlayerHistoryStats(player, int16_t(GameRandom() % 5), 1, 1, kKinds[GameRandom() % 10], 0);
        }
        ASSERT_TRUE(indexIsRebuilt()) << "step " << step;
    }
    EXPECT_GT(PlayerHistoryCount, 100u);
    EXPECT_GT(ClubHistoryCount, 100u);
}

// A day's entries wait beside the list while a batch is kept: every lookup
// in between and the list left at the end are what one entry at a time
// gives.
TEST_F(HistoryTest, ABatchLeavesThePlayerListAsOneEntryAtATime) {
    const auto play = [this](bool batch) {
        GameSeedRandom(9);
        Season(3);
        std::vector<int> seen;
        for (int step = 0; step < 900; ++step) {
            if (batch && step % 100 == 0) KeepPlayerHistoryBatch(true);
            const int what = GameRandom() % 30;
            const uint16_t player = uint16_t(1 + GameRandom() % 60);
            const int16_t club = int16_t(GameRandom() % 5);
            if (what == 0) {
                RemovePlayerHistory(player);
            } else if (what == 1) {
                Season(int16_t(3 + GameRandom() % 3));
            } else {
                constexpr int16_t kKinds[] = {0, 0, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 10};
                AddPlayerHistoryStats(player, club, 1, 2, kKinds[GameRandom() % 13],
                                      int16_t(GameRandom() % 2));
            }
            seen.push_back(HasPlayerHistoryEntry(player, club));
            seen.push_back(GetPlayerHistoryAppearances(player, club, 0));
            const PlayerHistoryEntry* transfer = LatestPlayerHistoryEntry(player, 2);
            seen.push_back(transfer != nullptr ? PlayerHistoryMarker(*transfer) : -1);
            for (const PlayerHistoryEntry& e : Player(player))
                seen.insert(seen.end(), std::begin(e.bytes), std::end(e.bytes));
            if (batch && step % 100 == 99) KeepPlayerHistoryBatch(false);
        }
        // The table read as bytes, not through one entry's array.
        const auto* entries = reinterpret_cast<const uint8_t*>(PlayerHistoryEntries);
        std::vector<uint8_t> list(entries, entries + sizeof(PlayerHistoryEntry) * (PlayerHistoryCount + 1));
        list.insert(list.end(), reinterpret_cast<const uint8_t*>(PlayerHistoryFirst),
                    reinterpret_cast<const uint8_t*>(PlayerHistoryFirst + kMaxPlayers));
        return std::make_pair(seen, list);
    };
    const auto oneAtATime = play(false);
    ClearHistoryLists();
    const auto batched = play(true);
    EXPECT_GT(PlayerHistoryCount, 200u);
    EXPECT_TRUE(batched.first == oneAtATime.first) << "a lookup within the batch differed";
    EXPECT_TRUE(batched.second == oneAtATime.second) << "the list or its index differed";
}

// A full club list drops its oldest season's entries in list order, one for
// each new entry, as a walk over the whole list finds them: through
// seasons running out and a new entry of the oldest season itself.
TEST_F(HistoryTest, AFullClubListDropsItsOldestSeasonsInListOrder) {
    using Entry = std::array<uint8_t, 10>;
    const auto clubOf = [](const Entry& e) { return int(e[kCHClub]) | int(e[kCHClub + 1]) << 8; };
    std::vector<Entry> model;
    // Each of clubs 0-19 holds 2500 entries, newest season first: 1000 of
    // season 14, 1000 of 13, 497 of 12, 2 of 11 and 1 of 10.
    constexpr std::pair<int, int> kRuns[] = {{14, 1000}, {13, 1000}, {12, 497}, {11, 2}, {10, 1}};
    for (int club = 0; club < 20; ++club) {
        for (const auto& [season, n] : kRuns) {
            for (int i = 0; i < n; ++i) {
                Entry e{};
                e[kCHClub] = uint8_t(club);
                e[kCHSeason] = uint8_t(season);
                e[kCHValue] = uint8_t(model.size());
                model.push_back(e);
            }
        }
    }
    ASSERT_EQ(model.size(), size_t(kClubHistoryEntries));
    std::memcpy(ClubHistoryEntries, model.data(), sizeof(Entry) * model.size());
    ClubHistoryCount = kClubHistoryEntries + 1;
    RebuildClubHistoryIndex();
    // The long way: after the club's entries of this season, the first
    // entry of the oldest season dropped.
    const auto add = [&](uint16_t value, int club) {
        AddClubHistoryEntry(value, int16_t(club), 0, 0, 7);
        const uint8_t season = uint8_t(SeasonCalendar.season);
        const auto place = [&] {
            size_t p = 0;
            while (p < model.size() && clubOf(model[p]) < club) ++p;
            while (p < model.size() && clubOf(model[p]) == club && model[p][kCHSeason] == season) ++p;
            return p;
        };
        size_t oldest = 0;
        for (size_t i = 1; i < model.size(); ++i)
            if (model[i][kCHSeason] < model[oldest][kCHSeason]) oldest = i;
        model.erase(model.begin() + long(oldest));
        Entry e{};
        e[kCHClub] = uint8_t(club);
        e[kCHSeason] = season;
        e[kCHKind] = 7;
        std::memcpy(&e[kCHValue], &value, 2);
        model.insert(model.begin() + long(place()), e);
    };
    GameSeedRandom(5);
    for (int step = 0; step < 900; ++step) {
        Season(int16_t(15 + step / 300));
        add(uint16_t(step), GameRandom() % 20);
    }
    // The oldest season is now this one's: the long way, then the short.
    Season(12);
    for (int step = 0; step < 20; ++step) add(uint16_t(1000 + step), GameRandom() % 20);
    Season(18);
    for (int step = 0; step < 50; ++step) add(uint16_t(2000 + step), GameRandom() % 20);
    ASSERT_EQ(ClubHistoryCount, uint32_t(kClubHistoryEntries + 1));
    EXPECT_EQ(std::memcmp(ClubHistoryEntries, model.data(), sizeof(Entry) * model.size()), 0);
    std::vector<uint32_t> first(kClubCount, 0);
    for (const Entry& e : model)
        if (clubOf(e) + 1 < kClubCount) ++first[size_t(clubOf(e) + 1)];
    for (size_t club = 1; club < first.size(); ++club) first[club] += first[club - 1];
    EXPECT_TRUE(first == std::vector<uint32_t>(ClubHistoryFirst, ClubHistoryFirst + kClubCount));
}

// So does a full player list, whose new entry goes at its player's run's
// end whatever the season, the oldest season's own included.
TEST_F(HistoryTest, AFullPlayerListDropsItsOldestSeasonsInListOrder) {
    using Entry = std::array<uint8_t, 13>;
    const auto playerOf = [](const Entry& e) { return int(e[kPHPlayer]) | int(e[kPHPlayer + 1]) << 8; };
    // Players 1-50 hold 10000 entries each, seasons 20-29 in order; the
    // first entries of players 1-4 are of season 5.
    std::vector<Entry> model(kPlayerHistoryEntries);
    for (size_t i = 0; i < model.size(); ++i) {
        Entry& e = model[i];
        e = {};
        e[kPHPlayer] = uint8_t(1 + i / 10000);
        e[kPHSeason] = uint8_t(i % 10000 == 0 && i < 40000 ? 5 : 20 + (i % 10000) / 1000);
        e[kPHFirst] = uint8_t(i);
        e[kPHKind] = 3;
    }
    std::memcpy(PlayerHistoryEntries, model.data(), sizeof(Entry) * model.size());
    PlayerHistoryCount = kPlayerHistoryEntries + 1;
    RebuildPlayerHistoryIndex();
    const auto add = [&](int player) {
        const uint16_t value = uint16_t(model.size() + player);
        AddPlayerHistoryStats(uint16_t(player), 2, int16_t(value), 0, 3, 0);
        size_t oldest = 0;
        for (size_t i = 1; i < model.size(); ++i)
            if (model[i][kPHSeason] < model[oldest][kPHSeason]) oldest = i;
        model.erase(model.begin() + long(oldest));
        size_t p = 0;
        while (p < model.size() && playerOf(model[p]) <= player) ++p;
        Entry e{};
        e[kPHPlayer] = uint8_t(player);
        e[kPHClub] = 2;
        e[kPHSeason] = uint8_t(SeasonCalendar.season);
        e[kPHKind] = 3;
        std::memcpy(&e[kPHFirst], &value, 2);
        model.insert(model.begin() + long(p), e);
    };
    GameSeedRandom(6);
    Season(5);  // the oldest season's entries are dropped as new ones come
    for (int step = 0; step < 20; ++step) add(1 + GameRandom() % 60);
    Season(30);
    for (int step = 0; step < 60; ++step) add(1 + GameRandom() % 60);
    ASSERT_EQ(PlayerHistoryCount, uint32_t(kPlayerHistoryEntries + 1));
    EXPECT_EQ(std::memcmp(PlayerHistoryEntries, model.data(), sizeof(Entry) * model.size()), 0);
    std::vector<uint32_t> first(kMaxPlayers, 0);
    for (const Entry& e : model)
        if (playerOf(e) + 1 < kMaxPlayers) ++first[size_t(playerOf(e) + 1)];
    for (size_t player = 1; player < first.size(); ++player) first[player] += first[player - 1];
    EXPECT_TRUE(first == std::vector<uint32_t>(PlayerHistoryFirst, PlayerHistoryFirst + kMaxPlayers));
}

// The walk starts from today's date words, not from 13 July: today gives
// today, a later date its distance, and a date already passed this season
// its next coming, the day counter wrapping from 365 to 0.
TEST_F(HistoryTest, SeasonDayOfADate) {
    SeasonCalendar.currentDay = 40;
    SeasonCalendar.dayOfMonth = 22;
    SeasonCalendar.month = 7;
    SeasonCalendar.year = 2003;
    EXPECT_EQ(GetSeasonDayOfDate(22, 7), 40);
    EXPECT_EQ(GetSeasonDayOfDate(1, 8), 50);
    EXPECT_EQ(GetSeasonDayOfDate(1, 1), 40 + 9 + 30 + 31 + 30 + 31 + 31 + 1);
    // 29 February comes in 2004; 21 July of that year lies past the wrap.
    EXPECT_EQ(GetSeasonDayOfDate(29, 1), 40 + 9 + 30 + 31 + 30 + 31 + 31 + 29);
    EXPECT_EQ(GetSeasonDayOfDate(21, 6), (40 + 334) % 366);
    // A date that never comes ends the walk.
    EXPECT_EQ(GetSeasonDayOfDate(30, 1), -1);
}

TEST(HistoryDeathTest, UnknownPlayerHistoryKindsStopTheGame) {
    PlayerCount = 10;
    EXPECT_EXIT(AddPlayerHistoryStats(3, 1, 1, 1, 9, 0), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(AddPlayerHistoryStats(3, 1, 1, 1, 11, 0), ::testing::ExitedWithCode(1), "");
}

}  // namespace
