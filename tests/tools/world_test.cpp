// The generated world, read back through the game's own loader.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/records/shippeddatabase.h"
#include "core/season/shippedhonours.h"
#include "game/screens/start/clubnames.h"
#include "tests/fakes/test_util.h"
#include "tools/datakit/shippedseason.h"
#include "tools/datakit/worldclubs.h"
#include "tools/datakit/worldgen.h"
#include "tools/datakit/worldtext.h"

namespace {

const std::string kCultures = std::string(HALVORN_SOURCE_DIR) + "/data/world/cultures";

std::vector<uint8_t> MakeWorld(uint64_t seed) {
    std::string error;
    EXPECT_TRUE(GenerateWorld(seed, kCultures, &error)) << error;
    return TotStatFileBytes();
}

// Generates the default world once, writes it as a file and loads it back
// with the game's loader, so every test below reads what the game reads.
class WorldFile : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        bytes_ = MakeWorld(kDefaultWorldSeed);
        // ctest runs each test in its own process, several at once: each
        // process writes its own copy.
        std::string dir = testing::TempDir() + "world_file_" + std::to_string(getpid());
        mkdir(dir.c_str(), 0755);
        mkdir((dir + "/stats").c_str(), 0755);
        std::ofstream(dir + "/stats/totstat.dat", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        ClearTotStatTables();
        ASSERT_EQ(chdir(dir.c_str()), 0);
        LoadConvertDataFromDatabase();
        ASSERT_EQ(chdir(here), 0);
        std::filesystem::remove_all(dir);
    }

    static bool IsManager(const TotStatPlayer& p) { return GetTotStatPlayerPosition(p) == 13; }
    static int AgeOf(const TotStatPlayer& p) { return 2002 - 1900 - GetTotStatPlayerBirthYear(p); }

    static std::vector<uint8_t> bytes_;
};
std::vector<uint8_t> WorldFile::bytes_;

TEST_F(WorldFile, HasTheFileLayoutAndEveryClub) {
    EXPECT_EQ(bytes_.size(), TOTSTAT_FILE_SIZE);
    std::set<int> numbers;
    for (int row = 0; row < TOTSTAT_CLUB_COUNT; ++row)
        numbers.insert(GetTotStatClubNumber(TotStatClubs[row]));
    EXPECT_EQ(numbers.size(), 1200u);
    EXPECT_EQ(*numbers.begin(), 0);
    EXPECT_EQ(*numbers.rbegin(), 1199);
    EXPECT_GT(TotStatPlayerCount, 15000u);
    EXPECT_LE(TotStatPlayerCount, static_cast<uint32_t>(TOTSTAT_PLAYER_COUNT));
}

TEST_F(WorldFile, FillsEveryDivisionOfTheLeagueCountries) {
    int counts[kWorldPlayableCountries][8] = {};
    for (const TotStatClub& club : TotStatClubs) {
        int nation = GetTotStatClubNation(club);
        if (nation < kWorldPlayableCountries) ++counts[nation][GetTotStatClubDivision(club)];
    }
    int league_clubs = 0;
    for (int c = 0; c < kWorldPlayableCountries; ++c) {
        for (int d = 0; d < kWorldMaxDivisions; ++d) {
            if (kWorldDivisionClubs[c][d] == 0) continue;
            EXPECT_EQ(counts[c][d], kWorldDivisionClubs[c][d]) << "country " << c << " division " << d;
            league_clubs += counts[c][d];
        }
    }
    EXPECT_EQ(league_clubs, 513);
    // Each league country's clubs, non-league ones included, as its cups
    // list them.
    const int kCupClubs[kWorldPlayableCountries] = {124, 50, 85, 78, 82, 36, 74, 43, 36};
    for (int c = 0; c < kWorldPlayableCountries; ++c) {
        int total = 0;
        for (int d = 0; d < 8; ++d) total += counts[c][d];
        EXPECT_EQ(total, kCupClubs[c]) << "country " << c;
    }
}

TEST_F(WorldFile, ClubNamesAreTheBuiltInOnesUniqueAndShort) {
    std::set<std::string> seen;
    for (int row = 0; row < TOTSTAT_CLUB_COUNT; ++row) {
        const char* name = GetTotStatClubName(TotStatClubs[row]);
        int number = GetTotStatClubNumber(TotStatClubs[row]);
        EXPECT_STREQ(name, DefaultClubNames[number]);
        EXPECT_GE(std::strlen(name), 3u);
        EXPECT_LE(std::strlen(name), 18u) << name;
        EXPECT_TRUE(seen.insert(name).second) << "two clubs called " << name;
    }
    EXPECT_STREQ(DefaultClubNames[DEFAULT_CLUB_FREE_AGENT], "Free Agent");
}

TEST_F(WorldFile, TheBuiltInTableComesFromTheSamePlan) {
    std::vector<PlannedClub> plan = PlanWorldClubs();
    std::string error;
    ASSERT_TRUE(NameWorldClubs(kCultures, &plan, &error)) << error;
    for (int c = 0; c < kWorldClubCount; ++c) EXPECT_EQ(plan[c].name, DefaultClubNames[c]) << c;
}

TEST_F(WorldFile, TheTitleHoldersAreBigClubs) {
    std::vector<PlannedClub> plan = PlanWorldClubs();
    EXPECT_EQ(WorldFirstClubOfNation(plan, 4), 606);
    EXPECT_EQ(WorldFirstClubOfNation(plan, 11), 1025);
    EXPECT_GE(TotStatClubReputation(606), 55);
    EXPECT_GE(TotStatClubReputation(1025), 40);
}

TEST_F(WorldFile, ReputationsFallDownTheDivisionsWithAFewBigClubs) {
    for (int c = 0; c < kWorldPlayableCountries; ++c) {
        std::map<int, std::vector<int>> reps;
        int best = 0;
        for (int row = 0; row < TOTSTAT_CLUB_COUNT; ++row) {
            if (GetTotStatClubNation(TotStatClubs[row]) != c) continue;
            int rep = TotStatClubReputation(row);
            EXPECT_GE(rep, 2);
            EXPECT_LE(rep, 63);
            reps[GetTotStatClubDivision(TotStatClubs[row])].push_back(rep);
            best = std::max(best, rep);
        }
        // The weakest of a division is never above the best of the one below.
        for (auto it = reps.begin(); std::next(it) != reps.end(); ++it) {
            int weakest = *std::min_element(it->second.begin(), it->second.end());
            int next_best = *std::max_element(std::next(it)->second.begin(), std::next(it)->second.end());
            EXPECT_GE(weakest + 2, next_best) << "country " << c << " division " << it->first;
        }
        int big = 0;
        for (int rep : reps[0]) big += rep * 100 >= best * 85;
        EXPECT_GE(big, 2) << "country " << c;
        EXPECT_LE(big, 6) << "country " << c;
    }
}

TEST_F(WorldFile, GroundsFitTheClubs) {
    for (int row = 0; row < TOTSTAT_CLUB_COUNT; ++row) {
        int rep = TotStatClubReputation(row);
        uint32_t capacity = GetTotStatClubCapacity(TotStatClubs[row]);
        EXPECT_GE(capacity, 800u);
        if (rep >= 55) {
            EXPECT_GE(capacity, 40000u) << row;
        }
        if (rep <= 10) {
            EXPECT_LE(capacity, 8000u) << row;
        }
        EXPECT_GE(GetTotStatClubXCoord(TotStatClubs[row]), 0);
        EXPECT_LE(GetTotStatClubYCoord(TotStatClubs[row]), 255);
        EXPECT_LE(GetTotStatClubTactic(TotStatClubs[row]), 5);
        EXPECT_GT(GetTotStatClubRepPercent(TotStatClubs[row]), 0);
    }
}

TEST_F(WorldFile, PlayersBelongToClubsThatExist) {
    std::vector<int> managers(TOTSTAT_CLUB_COUNT, 0);
    int free_agents = 0;
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& p = TotStatPlayers[i];
        int club = GetTotStatPlayerClub(p);
        ASSERT_GE(club, -1);
        ASSERT_LT(club, TOTSTAT_CLUB_COUNT);
        if (club < 0) ++free_agents;
        if (club >= 0 && IsManager(p)) ++managers[club];
        char initial = static_cast<char>(GetTotStatPlayerInitial(p));
        EXPECT_TRUE(initial >= 'A' && initial <= 'Z');
    }
    for (int c = 0; c < TOTSTAT_CLUB_COUNT; ++c) EXPECT_EQ(managers[c], 1) << "club " << c;
    EXPECT_GT(free_agents, 100);
    // The new game never takes the last row; it must not be a club's man.
    EXPECT_EQ(GetTotStatPlayerClub(TotStatPlayers[TotStatPlayerCount - 1]), -1);
}

TEST_F(WorldFile, TheNameTableHoldsEachSurnameOnceInOrderOfFirstUse) {
    EXPECT_STREQ(TotStatNames[0].text, TOTSTAT_FIXED_NAME_0);
    EXPECT_STREQ(TotStatNames[1].text, TOTSTAT_FIXED_NAME_1);
    std::map<std::string, int> first_use;
    int next = TOTSTAT_FIRST_SURNAME_ENTRY;
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& p = TotStatPlayers[i];
        std::string surname = GetTotStatPlayerSurname(p);
        int index = GetTotStatPlayerNameIndex(p);
        EXPECT_EQ(surname, TotStatNames[index].text);
        auto [it, fresh] = first_use.emplace(surname, index);
        if (fresh)
            EXPECT_EQ(index, next++) << surname;
        else
            EXPECT_EQ(it->second, index);
    }
    EXPECT_EQ(TotStatNames[next].text[0], 0);
    EXPECT_GT(first_use.size(), 2000u);
}

TEST_F(WorldFile, AgesAndPositionsLookLikeFootball) {
    int players = 0, keepers = 0, young = 0, old = 0, age_sum = 0;
    std::vector<int> squad(TOTSTAT_CLUB_COUNT, 0), squad_keepers(TOTSTAT_CLUB_COUNT, 0);
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& p = TotStatPlayers[i];
        int age = AgeOf(p);
        if (IsManager(p)) {
            EXPECT_GE(age, 35);
            continue;
        }
        EXPECT_GE(age, 16);
        EXPECT_LE(age, 36);
        ++players;
        age_sum += age;
        young += age <= 20;
        old += age >= 33;
        int position = GetTotStatPlayerPosition(p);
        EXPECT_TRUE(position <= 12 || (position >= 14 && position <= 16)) << position;
        keepers += position == 0;
        int club = GetTotStatPlayerClub(p);
        if (club >= 0) {
            ++squad[club];
            squad_keepers[club] += position == 0;
        }
    }
    double mean = static_cast<double>(age_sum) / players;
    EXPECT_GT(mean, 24.0);
    EXPECT_LT(mean, 27.0);
    EXPECT_GT(young * 100 / players, 10);
    EXPECT_LT(young * 100 / players, 28);
    EXPECT_GT(old * 100 / players, 2);
    EXPECT_LT(old * 100 / players, 12);
    EXPECT_GT(keepers * 100 / players, 7);
    EXPECT_LT(keepers * 100 / players, 14);
    for (int c = 0; c < TOTSTAT_CLUB_COUNT; ++c) {
        if (squad[c] >= 18) {
            EXPECT_GE(squad_keepers[c], 2) << "club " << c;
            EXPECT_LE(squad_keepers[c], 3) << "club " << c;
        }
        EXPECT_GE(squad_keepers[c], 1) << "club " << c;
    }
}

TEST_F(WorldFile, BiggerClubsHaveBetterPlayers) {
    std::vector<double> sum(64, 0), count(64, 0);
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& p = TotStatPlayers[i];
        int club = GetTotStatPlayerClub(p);
        if (club < 0 || IsManager(p) || AgeOf(p) < 22) continue;
        int rep = TotStatClubReputation(club);
        sum[rep / 16] += GetTotStatPlayerAbility(p);
        count[rep / 16] += 1;
    }
    for (int band = 0; band + 1 < 4; ++band) {
        ASSERT_GT(count[band], 0);
        ASSERT_GT(count[band + 1], 0);
        EXPECT_LT(sum[band] / count[band] + 3, sum[band + 1] / count[band + 1]) << "band " << band;
    }
}

TEST_F(WorldFile, EveryNationWithClubsHasPlayersForItsYouthAndNationalSides) {
    std::map<int, int> at_clubs;
    std::map<int, int> foreign_at_big_clubs;
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& p = TotStatPlayers[i];
        int club = GetTotStatPlayerClub(p);
        if (club < 0 || IsManager(p)) continue;
        ++at_clubs[GetTotStatPlayerNationality(p)];
        if (TotStatClubReputation(club) >= 50 &&
            GetTotStatPlayerNationality(p) != GetTotStatClubNation(TotStatClubs[club]))
            ++foreign_at_big_clubs[club];
    }
    std::set<int> club_nations;
    for (const TotStatClub& club : TotStatClubs) club_nations.insert(GetTotStatClubNation(club));
    // Surname and looks donors are drawn by the club's nation.
    for (int nation : club_nations) EXPECT_GE(at_clubs[nation], 20) << "nation " << nation;
    // The league countries find squads for both national sides and the
    // new game's 200 free agents each.
    for (int nation = 0; nation < kWorldPlayableCountries; ++nation) EXPECT_GE(at_clubs[nation], 300);
    // National sides are drawn from nations 0..31; all have clubs, so the
    // game's youth intake gives each its young players.
    for (int nation = 0; nation < 32; ++nation) EXPECT_EQ(club_nations.count(nation), 1u) << nation;
    // Big clubs field some players from abroad.
    EXPECT_GT(foreign_at_big_clubs.size(), 20u);
}

TEST_F(WorldFile, TheBuiltInLastSeasonNamesClubsOfThisWorld) {
    EXPECT_EQ(datakit::CheckShippedSeason(), "");
    // A champion of the wrong division, or a holder without a reputation,
    // is refused.
    const int16_t champion = ShippedHonours[3].words[HonourChampionWord(1)];
    TotStatClub& row = TotStatClubs[champion];
    const int16_t division = GetTotStatClubDivision(row);
    SetTotStatClubDivision(row, 2);
    EXPECT_NE(datakit::CheckShippedSeason().find("of another division"), std::string::npos);
    SetTotStatClubDivision(row, division);
    TotStatClub& holder = TotStatClubs[kShippedHolderB];
    const uint32_t base = GetTotStatClubRepBase(holder);
    SetTotStatClubRepBase(holder, 0);
    EXPECT_NE(datakit::CheckShippedSeason().find("no reputation"), std::string::npos);
    SetTotStatClubRepBase(holder, base);
    EXPECT_EQ(datakit::CheckShippedSeason(), "");
}

TEST_F(WorldFile, ANewGameFitsThePlayerTable) {
    int projected = ProjectNewGamePlayerCount();
    EXPECT_LE(projected, kWorldPlayerTableRecords - kWorldPlayerTableSpare);
    EXPECT_GT(projected, 40000);
}

TEST_F(WorldFile, TheBuildWroteThisWorld) {
    std::ifstream file(std::string(HALVORN_GAME_DIR) + "/stats/totstat.dat", std::ios::binary);
    ASSERT_TRUE(file) << GameDataMissing("stats/totstat.dat");
    std::vector<uint8_t> written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(written == bytes_);
}

TEST(World, ASeedAlwaysMakesTheSameWorld) {
    std::vector<uint8_t> a = MakeWorld(77);
    std::vector<uint8_t> b = MakeWorld(77);
    EXPECT_TRUE(a == b);
    std::vector<uint8_t> c = MakeWorld(78);
    EXPECT_FALSE(a == c);
    // Club names and places in the numbering belong to the game, not the seed.
    for (size_t row = 0; row < TOTSTAT_CLUB_COUNT; ++row)
        EXPECT_EQ(0, std::memcmp(&a[row * TOTSTAT_CLUB_SIZE], &c[row * TOTSTAT_CLUB_SIZE], 41)) << row;
}

// The generator refuses a world its tables cannot hold before it writes a
// row; the name table's first entries are the two fixed names.
TEST(World, RefusesAWorldTheTablesCannotHold) {
    std::string error;
    EXPECT_TRUE(WorldTablesHaveRoom(TOTSTAT_PLAYER_COUNT, TOTSTAT_NAME_COUNT - 2, &error)) << error;
    EXPECT_FALSE(WorldTablesHaveRoom(TOTSTAT_PLAYER_COUNT + 1, 10, &error));
    EXPECT_NE(error.find("player table"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(WorldTablesHaveRoom(100, TOTSTAT_NAME_COUNT - 1, &error));
    EXPECT_NE(error.find("name table"), std::string::npos) << error;
}

TEST(World, PlanIsConsistent) {
    std::vector<PlannedClub> plan = PlanWorldClubs();
    ASSERT_EQ(plan.size(), 1200u);
    std::map<int, int> per_nation;
    for (const PlannedClub& c : plan) ++per_nation[c.nation];
    for (const WorldNation& n : WorldNations()) {
        EXPECT_EQ(per_nation[n.nation], n.clubs) << n.code;
        if (n.clubs > 0) {
            EXPECT_NE(n.club_culture, nullptr) << n.code;
        }
        std::vector<WeightedKey> keys;
        EXPECT_TRUE(ParseWeightedKeys(n.surnames, &keys)) << n.code;
        EXPECT_TRUE(ParseWeightedKeys(n.imports, &keys)) << n.code;
    }
}

TEST(WorldText, ConvertsToWindows1252) {
    std::string out;
    EXPECT_TRUE(
        Utf8ToWindows1252("Gon\xC3\xA7"
                          "alves \xE2\x82\xAC \xC5\xA0",
                          &out));
    EXPECT_EQ(out,
              "Gon\xE7"
              "alves \x80 \x8A");
    EXPECT_FALSE(Utf8ToWindows1252("\xC5\x82", &out));  // a letter the code page lacks
    EXPECT_FALSE(Utf8ToWindows1252("\xC3", &out));      // cut short
    EXPECT_FALSE(Utf8ToWindows1252("\xC0\x80", &out));  // overlong NUL
    EXPECT_FALSE(Utf8ToWindows1252("\xE2\x82", &out));  // cut short
}

TEST(WorldText, ReadsCultureFiles) {
    CultureFile file;
    std::string error;
    ASSERT_TRUE(ParseCultureText("# comment\nsurnames: A\xC3\xB1o, Bee,\n  Cee\nendings: \" Sal\", x\n", "t",
                                 &file, &error))
        << error;
    EXPECT_EQ(file.List("surnames"), (std::vector<std::string>{"A\xF1o", "Bee", "Cee"}));
    EXPECT_EQ(file.List("endings"), (std::vector<std::string>{" Sal", "x"}));
    EXPECT_TRUE(file.List("forms").empty());
    EXPECT_FALSE(ParseCultureText("Bee\n", "t", &file, &error));
    EXPECT_NE(error.find("before the first key"), std::string::npos);
    EXPECT_FALSE(ParseCultureText("surnames: \xC5\x82ukasz\n", "t", &file, &error));
    EXPECT_NE(error.find("Windows-1252"), std::string::npos);
}

}  // namespace
