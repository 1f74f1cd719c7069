// Referees: the delivered table, accessors, new-game set-up, appointment
// and the made-up referee, over a small world and over the generated one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/query/scouting.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/shippeddatabase.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using recbits::LoadU16;
using recbits::LoadU32;

int16_t Region(int16_t nation) {
    const int16_t r = HVW_GetNationContinent(nation);
    return r == 6 ? int16_t(5) : r;
}

class RefereeTest : public RecordsTest {
  protected:
    static constexpr int16_t kUserClub = 10;

    void SetUp() override {
        RecordsTest::SetUp();
        // The records as the program delivers them, kept from the first test.
        static const std::vector<uint8_t> delivered(
            reinterpret_cast<const uint8_t*>(RefereeRecords),
            reinterpret_cast<const uint8_t*>(RefereeRecords) + sizeof RefereeRecords);
        std::memcpy(RefereeRecords, delivered.data(), delivered.size());
        SetPlayerClub(1, kUserClub);
    }

    // A fixture in slot 0 between two clubs of the given nations.
    static void Fixture(int16_t home, int16_t homeNation, int16_t away, int16_t awayNation) {
        SetClubNation(home, homeNation);
        SetClubNation(away, awayNation);
        PutFixture(0, 20, kCompLeague, home, away, 31, 31);
    }
    static uint32_t Flags(int referee) { return LoadU32(RefereeRecords[referee].bytes + 19); }
    static int Delivered() { return DeliveredRefereeCount(); }

    // The rules every set-up record keeps.
    static void ExpectSetUpRecord(int r) {
        SCOPED_TRACE(r);
        const uint8_t* b = RefereeRecords[r].bytes;
        const int16_t nation = HVW_GetRefereeNation(int16_t(r));
        EXPECT_GE(nation, 0);
        EXPECT_LT(nation, 116);
        EXPECT_TRUE(b[0] >= 'A' && b[0] <= 'Z');
        EXPECT_NE(b[1], 0);
        EXPECT_NE(std::memchr(b + 1, 0, 16), nullptr);
        const int rating = HVW_GetRefereeRating(int16_t(r));
        const int low = HVW_GetRefereeGrade1Flag(int16_t(r))   ? 70
                        : HVW_GetRefereeGrade2Flag(int16_t(r)) ? 60
                                                               : 50;
        EXPECT_GE(rating, low);
        EXPECT_LE(rating, 100);
        EXPECT_GE(HVW_GetRefereeRating2(int16_t(r)), 1);
        EXPECT_LE(HVW_GetRefereeRating2(int16_t(r)), 100);
        EXPECT_LE(HVW_GetRefereeClass(int16_t(r)), 2);
        EXPECT_EQ(Flags(r) & ~0x3Du, 0u);
        EXPECT_EQ(HVW_GetRefereeSideCount(int16_t(r), 1), 0);
        EXPECT_EQ(HVW_GetRefereeSideCount(int16_t(r), 2), 0);
        EXPECT_EQ(HVW_GetRefereeByte29(int16_t(r)), 0);
    }

    // The appointment rules for the fixture in slot 0.
    static void ExpectAppointmentRules(int16_t referee) {
        const int16_t home = int16_t(GetMatchClubA(0));
        const int16_t away = int16_t(GetMatchClubB(0));
        const int16_t hn = int16_t(GetClubNation(home));
        const int16_t an = int16_t(GetClubNation(away));
        SCOPED_TRACE(std::to_string(home) + " v " + std::to_string(away) + " nations " + std::to_string(hn) +
                     "/" + std::to_string(an) + " referee " + std::to_string(referee));
        ASSERT_GE(referee, 0);
        ASSERT_LE(referee, 400);
        const int16_t nation = HVW_GetRefereeNation(referee);
        if (hn == an) {
            EXPECT_EQ(nation, hn);
        } else {
            EXPECT_NE(nation, hn);
            EXPECT_NE(nation, an);
            if (referee == 400) {
                // A made-up referee comes from the clubs' region when they
                // share one; two nations of Oceania get one from Asia.
                const int16_t rh = HVW_GetNationContinent(hn), ra = HVW_GetNationContinent(an);
                const int16_t want = rh == 6 && ra == 6 ? 5 : rh == ra ? rh : 0;
                if (want != 0) {
                    EXPECT_EQ(HVW_GetNationContinent(nation), want);
                }
            } else if (Region(hn) == Region(an) && Region(hn) != 0) {
                // A shared region is kept whenever a referee of it exists.
                bool any = false;
                for (int r = 0; r < 400 && HVW_GetRefereeNation(int16_t(r)) >= 0; ++r) {
                    const int16_t n = HVW_GetRefereeNation(int16_t(r));
                    any |= n != hn && n != an && Region(n) == Region(hn) &&
                           !HVW_GetRefereeUnavailableFlag(int16_t(r));
                }
                if (any) {
                    EXPECT_EQ(Region(nation), Region(hn));
                }
            }
        }
        if (referee < 400) {
            EXPECT_EQ(HVW_GetRefereeUnavailableFlag(referee), 0);
            if (home == kUserClub || away == kUserClub) {
                EXPECT_EQ(HVW_GetRefereeNoUserFlag(referee), 0);
            }
        } else {
            const char* name = HVW_GetRefereeName(400);
            EXPECT_NE(std::strchr("ABCDEFGHIJKLMNOPRSTVW", name[0]), nullptr);
            EXPECT_EQ(name[1], '.');
            EXPECT_GE(HVW_GetRefereeRating(400), 50);
            EXPECT_GE(HVW_GetRefereeRating2(400), 1);
            EXPECT_EQ(HVW_GetRefereeNoUserFlag(400), 0);
        }
    }
};
using RefereeDeathTest = RefereeTest;

TEST_F(RefereeTest, DeliveredTable) {
    EXPECT_EQ(Delivered(), 206);
    int grades = 0, england = 0;
    std::set<std::string> names;
    for (int r = 0; r < Delivered(); ++r) {
        const int16_t nation = HVW_GetRefereeNation(int16_t(r));
        EXPECT_GE(nation, 0);
        grades += HVW_GetRefereeGrade1Flag(int16_t(r)) + HVW_GetRefereeGrade2Flag(int16_t(r));
        england += nation == 0;
        names.insert(HVW_GetRefereeName(int16_t(r)));
    }
    EXPECT_GT(grades, 0);
    EXPECT_GT(england, Delivered() / 4);
    EXPECT_EQ(int(names.size()), Delivered());
    for (int n = 0; n < 9; ++n) {
        bool found = false;
        for (int r = 0; r < Delivered(); ++r) found |= HVW_GetRefereeNation(int16_t(r)) == n;
        EXPECT_TRUE(found) << "no referee of country " << n;
    }
    for (int r = Delivered(); r <= 400; ++r) EXPECT_EQ(HVW_GetRefereeNation(int16_t(r)), -1) << r;
}

TEST_F(RefereeTest, AccessorsAndBadNumbers) {
    uint8_t* b = RefereeRecords[3].bytes;
    b[0] = 'K';
    std::memset(b + 1, 0, 16);
    std::memcpy(b + 1, "Featherstonehau", 15);
    EXPECT_STREQ(HVW_GetRefereeName(3), "K.Featherstonehau");
    EXPECT_STREQ(HVW_GetRefereeName(-1), "");
    EXPECT_STREQ(HVW_GetRefereeName(401), "");
    EXPECT_STREQ(HVW_GetRefereeName(300), "");  // past the table's end

    HVW_SetRefereeRating(3, 100);
    HVW_SetRefereeRating(3, 101);
    HVW_SetRefereeRating(3, -1);
    EXPECT_EQ(HVW_GetRefereeRating(3), 100);
    HVW_SetRefereeRating2(3, 0);
    EXPECT_EQ(HVW_GetRefereeRating2(3), 0);
    HVW_SetRefereeClass(3, 2);
    HVW_SetRefereeClass(3, 3);
    EXPECT_EQ(HVW_GetRefereeClass(3), 2);
    EXPECT_EQ((Flags(3) >> 4) & 3u, 2u);
    HVW_SetRefereeUnavailableFlag(3, 3);
    EXPECT_EQ(HVW_GetRefereeUnavailableFlag(3), 1);
    EXPECT_EQ(Flags(3) & 2u, 2u);
    HVW_SetRefereeUnavailableFlag(3, 2);
    EXPECT_EQ(HVW_GetRefereeUnavailableFlag(3), 0);
    HVW_SetRefereeSideCount(3, 1, 12);
    HVW_SetRefereeSideCount(3, 0, -4);
    EXPECT_EQ(HVW_GetRefereeSideCount(3, 1), 12);
    EXPECT_EQ(HVW_GetRefereeSideCount(3, 2), -4);
    EXPECT_EQ(LoadU16(b + 25), 12);
    HVW_SetRefereeByte29(3, -3);
    EXPECT_EQ(HVW_GetRefereeByte29(3), -3);

    // Records past the end and bad numbers are neither read nor written.
    const std::vector<uint8_t> before(RefereeRecords[300].bytes, RefereeRecords[300].bytes + 30);
    HVW_SetRefereeRating(300, 80);
    HVW_SetRefereeClass(300, 1);
    HVW_SetRefereeUnavailableFlag(300, 1);
    HVW_SetRefereeSideCount(300, 1, 5);
    HVW_SetRefereeByte29(300, 5);
    EXPECT_EQ(std::vector<uint8_t>(RefereeRecords[300].bytes, RefereeRecords[300].bytes + 30), before);
    EXPECT_EQ(HVW_GetRefereeNation(-5), -1);
    EXPECT_EQ(HVW_GetRefereeRating(401), 0);
    HVW_SetRefereeRating(-1, 50);
}

TEST_F(RefereeTest, SetUpFollowsTheGrades) {
    // Referee 0 gets both grade flags: the first grade's rule applies.
    recbits::StoreU32(RefereeRecords[0].bytes + 19, 0x0Cu);
    recbits::StoreU32(RefereeRecords[1].bytes + 19, 0x04u);
    recbits::StoreU32(RefereeRecords[2].bytes + 19, 0x00u);
    int low[3] = {100, 100, 100};
    std::set<int> classes_kept;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        GameSeedRandom(seed);
        HVW_SetRefereeClass(0, 1);
        HVW_SetUpReferees();
        for (int r = 0; r < 3; ++r) low[r] = std::min(low[r], int(HVW_GetRefereeRating(int16_t(r))));
        classes_kept.insert(HVW_GetRefereeClass(0));
        for (int r = 0; r < Delivered(); ++r) ExpectSetUpRecord(r);
        if (HasFailure()) return;
    }
    EXPECT_GE(low[0], 70);
    EXPECT_LT(low[0], 75);
    EXPECT_GE(low[1], 60);
    EXPECT_LT(low[1], 65);
    EXPECT_LT(low[2], 55);
    EXPECT_EQ(classes_kept.size(), 3u);  // the 20 % chance redraws the class
    EXPECT_EQ(HVW_GetRefereeNation(int16_t(Delivered())), -1);
}

TEST_F(RefereeTest, DomesticFixturesGetReferees) {
    HVW_SetUpReferees();
    Fixture(20, 0, 21, 0);
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        const int16_t r = HVW_AppointReferee(0);
        ExpectAppointmentRules(r);
        seen.insert(r);
    }
    EXPECT_GT(seen.size(), 20u);
    EXPECT_EQ(seen.count(400), 0u);
}

TEST_F(RefereeTest, NoUserAndUnavailableFlags) {
    HVW_SetUpReferees();
    // Every referee of country 1 but two is away; one of those two must
    // not take the user's matches.
    int kept[2] = {-1, -1};
    for (int r = 0; r < Delivered(); ++r) {
        if (HVW_GetRefereeNation(int16_t(r)) != 1) continue;
        if (kept[0] < 0) {
            kept[0] = r;
        } else if (kept[1] < 0) {
            kept[1] = r;
        } else {
            HVW_SetRefereeUnavailableFlag(int16_t(r), 1);
        }
    }
    recbits::StoreU32(RefereeRecords[kept[0]].bytes + 19, Flags(kept[0]) | 1u);
    recbits::StoreU32(RefereeRecords[kept[1]].bytes + 19, Flags(kept[1]) & ~1u);
    Fixture(kUserClub, 1, 22, 1);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(HVW_AppointReferee(0), kept[1]);
    Fixture(23, 1, 22, 1);
    std::set<int> seen;
    for (int i = 0; i < 100; ++i) seen.insert(HVW_AppointReferee(0));
    EXPECT_EQ(seen, (std::set<int>{kept[0], kept[1]}));
    // With the last one away too, a referee is made up for the match.
    HVW_SetRefereeUnavailableFlag(int16_t(kept[1]), 1);
    Fixture(kUserClub, 1, 22, 1);
    EXPECT_EQ(HVW_AppointReferee(0), 400);
    EXPECT_EQ(HVW_GetRefereeNation(400), 1);  // a domestic match: the home nation
}

TEST_F(RefereeTest, FixturesBetweenNations) {
    HVW_SetUpReferees();
    for (uint16_t p = 2; p < kPlayers; ++p) SetPlayerNationality(p, int16_t(p % 116));
    struct Pair {
        int16_t home, away;
    };
    // Two European nations, Europe against Africa, two South American
    // nations (no delivered referees: made up), Asia against Oceania.
    for (Pair pair : {Pair{2, 6}, Pair{0, 42}, Pair{48, 53}, Pair{36, 46}}) {
        Fixture(30, pair.home, 31, pair.away);
        for (int i = 0; i < 60; ++i) ExpectAppointmentRules(HVW_AppointReferee(0));
    }
    Fixture(30, 48, 31, 53);
    ASSERT_EQ(HVW_AppointReferee(0), 400);
    const int16_t n = HVW_GetRefereeNation(400);
    EXPECT_EQ(Region(n), 3);
    // The surname comes from a player of that nation (players 3 and up).
    bool found = false;
    for (uint16_t p = 3; p < kPlayers; ++p) {
        found |= GetPlayerNationality(p) == uint16_t(n) &&
                 std::string(HVW_GetRefereeName(400) + 2) == GetPlayerSurname(p);
    }
    EXPECT_TRUE(found);
}

TEST_F(RefereeTest, MadeUpRefereeWithoutPlayersOfHisNation) {
    HVW_SetUpReferees();
    for (uint16_t p = 2; p < kPlayers; ++p) {
        SetPlayerNationality(p, 0);
        SetPlayerSurname(p, ("Name" + std::to_string(p)).c_str());
    }
    for (int i = 0; i < 30; ++i) {
        Fixture(30, 48, 31, 53);
        ASSERT_EQ(HVW_AppointReferee(0), 400);
        const std::string surname = HVW_GetRefereeName(400) + 2;
        ASSERT_EQ(surname.substr(0, 4), "Name");
        const int p = std::stoi(surname.substr(4));
        EXPECT_GE(p, 2);
        EXPECT_LE(p, kPlayers - 2);
    }
}

TEST_F(RefereeTest, MadeUpRefereeComesFromTheClubsRegion) {
    HVW_SetUpReferees();
    for (int16_t r = 0; r < Delivered(); ++r) HVW_SetRefereeUnavailableFlag(r, 1);
    // Japan and China share Asia: of the neutral nations only South Korea
    // (68) is of Asia and neither club's; Oceania's nations are not Asia's.
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        GameSeedRandom(seed);
        Fixture(30, 36, 31, 38);
        ASSERT_EQ(HVW_AppointReferee(0), 400);
        EXPECT_EQ(HVW_GetRefereeNation(400), 68) << seed;
    }
}

TEST_F(RefereeDeathTest, BadSlotIsFatal) {
    EXPECT_FATAL(HVW_AppointReferee(20000), "HVW_AppointReferee\\(\\): bad fixture slot 20000");
}

// ---------------------------------------------------------------------------
// Over a whole world: the generated database when the data kit has made
// one, else a world of the same shape made here.

class RefereeWorldTest : public RefereeTest {
  protected:
    void SetUp() override {
        RefereeTest::SetUp();
        generated_ = LoadGeneratedWorld();
        if (!generated_) MakeWorld();
        SetPlayerClub(1, kUserClub);
    }

    bool generated_ = false;

    // False when the data kit has not made the world; a file that is there
    // must load.
    static bool LoadGeneratedWorld() {
        const std::string path = std::string(HALVORN_GAME_DIR) + "/stats/totstat.dat";
        FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) return false;
        ClearTotStatTables();
        const bool read = ReadTotStatBlocks(file) == TOTSTAT_READ_OK;
        std::fclose(file);
        char why[256] = "";
        EXPECT_TRUE(read);
        EXPECT_TRUE(CheckTotStatTables(why, sizeof why)) << why;
        for (const TotStatClub& c : TotStatClubs) {
            const int16_t number = GetTotStatClubNumber(c);
            if (number >= 0 && number < kClubCount) SetClubNation(number, GetTotStatClubNation(c));
        }
        PlayerCount = uint16_t(std::min<uint32_t>(TotStatPlayerCount + 1, kMaxPlayers - 1));
        for (uint16_t p = 1; p < PlayerCount; ++p) {
            const TotStatPlayer& s = TotStatPlayers[p - 1];
            SetPlayerNationality(p, GetTotStatPlayerNationality(s));
            SetPlayerSurname(p, TotStatNames[GetTotStatPlayerNameIndex(s) % TOTSTAT_NAME_COUNT].text);
        }
        return true;
    }

    // 1200 clubs: the nine countries' leagues, then clubs of every other
    // nation; 20000 players of every nation.
    static void MakeWorld() {
        for (int16_t c = 0; c < kClubCount; ++c)
            SetClubNation(c, c < 900 ? int16_t(c / 100) : int16_t(9 + c % 107));
        PlayerCount = 20000;
        for (uint16_t p = 1; p < PlayerCount; ++p) {
            SetPlayerNationality(p, int16_t(p % 116));
            SetPlayerSurname(p, ("Surname" + std::to_string(p)).c_str());
        }
    }
};

TEST_F(RefereeWorldTest, SeededSetUpAndAppointments) {
    RecordProperty("world", generated_ ? "generated" : "made by the test");
    GameSeedRandom(2002);
    HVW_SetUpReferees();
    for (int r = 0; r < Delivered(); ++r) ExpectSetUpRecord(r);
    for (int r = Delivered(); r <= 400; ++r) EXPECT_EQ(HVW_GetRefereeNation(int16_t(r)), -1);
    // Some referees are away for the day.
    for (int r = 0; r < Delivered(); r += 7) HVW_SetRefereeUnavailableFlag(int16_t(r), 1);
    int made_up = 0;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        const int16_t home = int16_t(GameRandom() % kClubCount);
        int16_t away = int16_t(GameRandom() % kClubCount);
        if (i % 3 == 0) {
            // A league match: two clubs of the same nation.
            for (int16_t c = 0; c < kClubCount; ++c) {
                if (c != home && GetClubNation(c) == GetClubNation(home)) {
                    away = c;
                    break;
                }
            }
        }
        PutFixture(0, 20, kCompLeague, i % 50 == 0 ? kUserClub : home, away, 31, 31);
        const int16_t referee = HVW_AppointReferee(0);
        ExpectAppointmentRules(referee);
        if (referee == 400) {
            ++made_up;
            const uint8_t* b = RefereeRecords[400].bytes;
            EXPECT_NE(b[1], 0) << "a made-up referee has a surname";
        }
    }
    EXPECT_GT(made_up, 0);
}

}  // namespace
