// A game saved and loaded plays on as the game it was saved from: the days
// after a load give the same world, day by day, as the same days played on
// from the save without it, even when the load finds the tables that the
// running game keeps beside the saved ones (rosters, counts, rankings) in
// another state.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/records/blockfiles.h"
#include "core/records/referees.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/playedleagues.h"
#include "tests/fakes/soak_driver.h"
#include "tests/fakes/test_util.h"

namespace {

// The front end's word kept beside the selected club is set by every load;
// it is no part of the world.
constexpr int kPlayOnFrontWordBlock = 44;
constexpr uint32_t kPlayOnSeed = 7331;

uint64_t PlayOnBytesHash(const void* data, size_t size) {
    uint64_t hash = 1469598103934665603ull;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

// The saved blocks, then the tables that the day's work reads beside them.
std::vector<uint64_t> PlayOnWorldHashes() {
    std::vector<uint64_t> hashes;
    for (int block = 0; block < kSaveGameBlockCount; ++block) {
        const DataBlockDescriptor& d = SaveGameDescriptors[block];
        hashes.push_back(block == kPlayOnFrontWordBlock ? 0 : PlayOnBytesHash(d.address, d.size));
    }
    hashes.push_back(PlayOnBytesHash(ClubRoster, sizeof ClubRoster));
    hashes.push_back(uint64_t(uint16_t(CurrentReferee)));
    hashes.push_back(PlayOnBytesHash(ClubStrengthRanking, sizeof ClubStrengthRanking));
    return hashes;
}

// What differs: saved blocks " b37 b38", " rosters", " referee", " ranking";
// or "".
std::string PlayOnDifferingBlocks(const std::vector<uint64_t>& a, const std::vector<uint64_t>& b) {
    std::string text;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] == b[i]) continue;
        const int table = int(i) - kSaveGameBlockCount;
        text += table < 0    ? " b" + std::to_string(i)
                : table == 0 ? " rosters"
                : table == 1 ? " referee"
                             : " ranking";
    }
    return text;
}

// The world after each of `days` days, from the seed.
std::vector<std::vector<uint64_t>> PlayOnDays(int days) {
    std::vector<std::vector<uint64_t>> worlds;
    GameSeedRandom(kPlayOnSeed);
    for (int d = 0; d < days; ++d) {
        EXPECT_EQ(RunSoakUntil(0, int16_t(SeasonCalendar.currentDay + 1)), "");
        worlds.push_back(PlayOnWorldHashes());
    }
    return worlds;
}

// What a program just started holds in the tables that are not saved.
void PlayOnForgetUnsavedTables() {
    std::memset(ClubRoster, 0, sizeof ClubRoster);
    std::memset(ClubRosterCount, 0, sizeof ClubRosterCount);
    std::memset(ClubSquadCount, 0, sizeof ClubSquadCount);
    std::memset(ClubAvailableCount, 0, sizeof ClubAvailableCount);
    std::memset(ClubStrengthRanking, 0, sizeof ClubStrengthRanking);
    std::memset(ClubCountOfNation, 0, sizeof ClubCountOfNation);
    std::memset(ClubReputationOrder, 0, sizeof ClubReputationOrder);
    CurrentReferee = -1;
}

// Countries 0 and 5 played in full, every other one switched off: a choice
// that a program just started (every country played) does not hold.
constexpr uint16_t kPlayOnPlayedCountries = 1u << 0 | 1u << 5;

struct PlayOnPairing {
    int16_t home = -1, away = -1;
};

// The clubs of the first league fixture from the day on.
PlayOnPairing PlayOnLeaguePairingFrom(int16_t day, int16_t* fixtureDay) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) < uint16_t(day) || FixtureType(slot) != kCompLeague) continue;
        *fixtureDay = int16_t(FixtureDay(slot));
        return {FixtureHome(slot), FixtureAway(slot)};
    }
    return {};
}

int PlayOnReserveFixtures(PlayOnPairing pairing, int16_t fromDay, int16_t toDay) {
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        count += FixtureType(slot) == kCompReserveLeague && FixtureHome(slot) == pairing.home &&
                 FixtureAway(slot) == pairing.away && FixtureDay(slot) >= uint16_t(fromDay) &&
                 FixtureDay(slot) <= uint16_t(toDay);
    }
    return count;
}

// Saves on each of the days, plays on, loads and plays the same days again.
void ExpectLoadedGamesPlayOn(const std::vector<int16_t>& saveDays, int days) {
    SoakConfig config;
    config.playedCountries = kPlayOnPlayedCountries;
    ASSERT_GE(StartSoakGame(HALVORN_GAME_DIR, config), 0);
    ScratchFolder scratch("savedplayon");
    // A reserve fixture on a league day of both its clubs: the daily club
    // jobs move it before its day comes, as a load would.
    int16_t clashDay = -1;
    const PlayOnPairing clash = PlayOnLeaguePairingFrom(int16_t(SeasonCalendar.currentDay + 2), &clashDay);
    ASSERT_GE(clash.home, 0);
    ASSERT_LT(clashDay, saveDays.front());
    const int reserveFixtures = PlayOnReserveFixtures(clash, 0, 365);
    ASSERT_GE(AddFixture(clashDay, kCompReserveLeague, clash.home, clash.away, 0), 0);
    ASSERT_EQ(RunSoakUntil(0, clashDay), "");
    EXPECT_EQ(PlayOnReserveFixtures(clash, clashDay, clashDay), 0);
    EXPECT_EQ(PlayOnReserveFixtures(clash, 0, 365), reserveFixtures + 1);
    for (const int16_t saveDay : saveDays) {
        ASSERT_EQ(RunSoakUntil(0, saveDay), "");
        // As the match-day screens leave it on the eve of the user's match.
        CurrentReferee = int16_t(saveDay % 7);
        ASSERT_EQ(SaveGame(1), 0);
        const std::vector<uint64_t> saved = PlayOnWorldHashes();
        const std::vector<std::vector<uint64_t>> played = PlayOnDays(days);

        PlayOnForgetUnsavedTables();
        ResetPlayedLeagueFlags();  // the choice comes back with the game
        ASSERT_EQ(LoadGame(1), 0);
        // The ranking the game plays by until Monday comes back with it.
        const std::vector<uint64_t> loaded = PlayOnWorldHashes();
        EXPECT_EQ(PlayOnDifferingBlocks(saved, loaded), "") << "loaded on day " << saveDay;
        const std::vector<std::vector<uint64_t>> replayed = PlayOnDays(days);
        for (int d = 0; d < days; ++d) {
            EXPECT_EQ(PlayOnDifferingBlocks(played[d], replayed[d]), "")
                << "saved on day " << saveDay << ", day " << saveDay + d << " after the load";
            if (played[d] != replayed[d]) break;
        }
    }
}

TEST(SavedGamePlayOnTest, ALoadedGamePlaysOnAsTheGameItWasSavedFrom) {
    // Pre-season days, then league and cup weeks with transfers, reserve
    // fixtures and a month's end among them.
    if (ShortTestRun()) return ExpectLoadedGamesPlayOn({40}, 3);
    ExpectLoadedGamesPlayOn({40, 75}, 8);
}

}  // namespace
