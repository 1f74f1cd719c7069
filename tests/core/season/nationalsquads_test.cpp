// National squads: who is chosen, called up and released, line-ups and
// captains, and the national-team day driver.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/nationalsquads.h"
#include "core/season/seasondays.h"
#include "tests/core/season/selection_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr int kNationalUnplayed = 31;
constexpr int16_t kNation = 3;

class NationalSquadsTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        std::memset(NationalSquads, 0, sizeof NationalSquads);
        std::memset(NationalLineUps, 0, sizeof NationalLineUps);
        std::memset(NationalCaptains, 0, sizeof NationalCaptains);
        for (int16_t club = 0; club < 6; ++club) MakeClub(club, kNation, 0);
        SeasonCalendar.leagueEndDay[0] = 300;
        SeasonCalendar.currentDay = 100;
    }

    // A player of the nation at a club, stored age `age` (years - 16).
    uint16_t National(int16_t position, int16_t stat = 60, int16_t age = 8, int16_t club = 0) {
        const uint16_t p = MakePlayer(club, position, stat);
        SetPlayerAge(p, age);
        SetPlayerMorale(p, 40);
        return p;
    }
    // Per position `per` players, every second one young enough for the
    // under-21 side.
    void MakeNationalPool(int per) {
        for (int position = 0; position <= 12; ++position) {
            for (int i = 0; i < per; ++i)
                National(int16_t(position), int16_t(50 + i), int16_t(i % 2 == 0 ? 8 : 4), int16_t(i % 6));
        }
    }
};

TEST_F(NationalSquadsTest, OnlyFitAvailablePlayersOfTheNationAreChosen) {
    const uint16_t injured = National(0, 99);
    SetPlayerIT(injured, 3);
    const uint16_t tired = National(0, 90);
    SetPlayerFitness(tired, 47);
    const uint16_t foreign = National(0, 95);
    SetPlayerNationality(foreign, 4);
    const uint16_t manager = National(0, 95);
    SetPlayerHalvornB(manager, 1);
    const uint16_t plain = National(0, 50);
    EXPECT_EQ(FindNationalPlayer(0, 3, kNation, 0), plain);
    SeasonCalendar.currentDay = 300;  // the league season is over: fitness no longer counts
    EXPECT_EQ(FindNationalPlayer(0, 3, kNation, 0), tired);
}

TEST_F(NationalSquadsTest, UnderTwentyOnesByAgeAndPass) {
    const uint16_t aged22 = National(5, 90, 6);
    const uint16_t aged24 = National(5, 99, 8);
    EXPECT_EQ(FindNationalPlayer(5, 3, kNation, 1), aged22);  // second pass, as nobody is 21
    const uint16_t aged20 = National(5, 40, 4);
    EXPECT_EQ(FindNationalPlayer(5, 3, kNation, 1), aged20);
    EXPECT_EQ(FindNationalPlayer(5, 3, kNation, 0), aged24);
    // A 24-year-old never, even when nobody else is left.
    SetPlayerIT(aged22, 1);
    SetPlayerIT(aged20, 1);
    StdoutCapture out;
    EXPECT_EQ(FindNationalPlayer(5, 3, kNation, 1), 0);
    EXPECT_NE(out.Text().find("Cannot find national player '3'"), std::string::npos);
}

TEST_F(NationalSquadsTest, ChosenPlayersGainMoraleByTheirCaps) {
    const uint16_t novice = National(8, 60);
    SetPlayerCaps89(novice, 3);
    EXPECT_EQ(FindNationalPlayer(8, 3, kNation, 0), novice);
    EXPECT_EQ(GetPlayerMorale(novice), 40 + 40 * 7 / 100 + 1);
    const uint16_t veteran = National(8, 70);
    SetPlayerCaps89(veteran, 30);
    SetPlayerMorale(veteran, 40);
    EXPECT_EQ(FindNationalPlayer(8, 3, kNation, 0), veteran);
    EXPECT_GT(GetPlayerMorale(veteran), 40);
}

TEST_F(NationalSquadsTest, SquadsAreDistinctAndHumanClubsAreTold) {
    MakeNationalPool(6);
    SetClubControl(2, 1);
    SelectNationalSquad(kNation, 7, 1);
    SelectNationalSquad(kNation, 7, 0);
    std::set<uint16_t> seen;
    for (int kind = 0; kind < 2; ++kind) {
        for (uint16_t p : NationalSquads[kind][kNation]) {
            ASSERT_NE(p, 0);
            EXPECT_TRUE(seen.insert(p).second) << "player " << p << " in both squads";
            if (kind == 1) {
                EXPECT_LE(GetPlayerAge(p), 7);
            }
        }
    }
    // The three goalkeeper places hold goalkeepers.
    for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(GetPlayerPosition(NationalSquads[0][kNation][slot]), 0);
    int told = 0;
    for (const MessageRecord& m : MessageArchive[2]) told += recbits::LoadU16(m.bytes + kMsgType) == 46;
    for (const MessageRecord& m : MessageArchive[1]) EXPECT_NE(recbits::LoadU16(m.bytes + kMsgType), 46);
    if ((GetMessageDelivery(46) & kDeliverArchive) != 0) {
        EXPECT_GT(told, 0);
    }
}

TEST_F(NationalSquadsTest, ASquadIsWhatItsPlacesFindOneByOneWhicheverNationCameBefore) {
    MakeNationalPool(4);
    // Better players of another nation, chosen just before.
    for (int position = 0; position <= 12; ++position) {
        for (int i = 0; i < 3; ++i) SetPlayerNationality(National(int16_t(position), 80), 4);
    }
    SelectNationalSquad(4, 7, 0);
    const std::vector<PlayerRecord> before(PlayerRecords, PlayerRecords + PlayerCount);
    SelectNationalSquad(kNation, 7, 0);
    const std::vector<uint16_t> chosen(std::begin(NationalSquads[0][kNation]),
                                       std::end(NationalSquads[0][kNation]));
    for (uint16_t p : chosen) EXPECT_EQ(GetPlayerNationality(p), kNation) << p;

    // The same places asked one by one from the same start.
    std::copy(before.begin(), before.end(), PlayerRecords);
    std::memset(NationalSquads[0][kNation], 0, sizeof NationalSquads[0][kNation]);
    for (int slot = 0; slot < kNationalSquadSize; ++slot) {
        const NationalSquadSlot& place = NationalSquadSlots[slot];
        NationalSquads[0][kNation][slot] = FindNationalPlayer(place.position, place.preference, kNation, 0);
        EXPECT_EQ(NationalSquads[0][kNation][slot], chosen[slot]) << slot;
    }
}

TEST_F(NationalSquadsTest, CallUpReleaseAndTheLineUp) {
    MakeNationalPool(3);
    SelectNationalSquad(kNation, 7, 0);
    CallUpNationalSquad(kNation, 0, 120);
    for (uint16_t p : NationalSquads[0][kNation]) EXPECT_EQ(GetPlayerIntDuty(p), 1);
    LoadNationalSquadIntoSquadList(kNation, 0);
    EXPECT_EQ(FirstTeamList.count, 24);
    EXPECT_EQ(PickNationalTeam(kNation, 0), 0);
    std::set<uint16_t> seen;
    for (int slot = 0; slot < 16; ++slot) {
        const uint16_t p = NationalLineUps[0][kNation][slot];
        ASSERT_NE(p, 0);
        EXPECT_TRUE(seen.insert(p).second);
    }
    EXPECT_EQ(GetPlayerPosition(NationalLineUps[0][kNation][0]), 0);
    // The captain: most experience x leadership among the eleven.
    const uint16_t leader = NationalLineUps[0][kNation][6];
    SetPlayerExperience(leader, 63);
    SetPlayerStat(leader, 20, 99);
    const int16_t rep = int16_t(GetPlayerReputation(leader));
    ChooseNationalCaptain(kNation, 0);
    EXPECT_EQ(NationalCaptains[0][kNation], leader);
    EXPECT_EQ(GetPlayerReputation(leader), rep + 2);
    ReleaseNationalSquad(kNation, 0);
    for (uint16_t p : NationalSquads[0][kNation]) EXPECT_EQ(GetPlayerIntDuty(p), 0);
    // A squad too thin for sixteen leaves a place empty.
    std::memset(NationalSquads[0][kNation] + 10, 0, 14 * sizeof(uint16_t));
    LoadNationalSquadIntoSquadList(kNation, 0);
    EXPECT_EQ(PickNationalTeam(kNation, 0), 1);
}

TEST_F(NationalSquadsTest, ASquadReplacedOrStruckOffGoesBackToItsClubs) {
    MakeNationalPool(5);
    SelectNationalSquad(kNation, 7, 0);
    CallUpNationalSquad(kNation, 0, 120);
    std::vector<uint16_t> first(std::begin(NationalSquads[0][kNation]), std::end(NationalSquads[0][kNation]));
    // A new squad for a later match while the first is still called up:
    // nobody would release the first any more.
    SelectNationalSquad(kNation, 8, 0);
    for (uint16_t p : first) EXPECT_EQ(GetPlayerIntDuty(p), 0) << p;

    // A national match struck off by validation releases both squads.
    CallUpNationalSquad(kNation, 0, 120);
    SeasonCalendar.currentDay = 120;
    const int16_t slot = AddFixture(120, kCompNationalTeam, kNation, 7, 1);
    ASSERT_GE(slot, 0);
    DeleteInvalidFixture(slot);
    EXPECT_TRUE(IsFixtureEmpty(slot));
    for (uint16_t p : NationalSquads[0][kNation]) {
        if (p != 0) {
            EXPECT_EQ(GetPlayerIntDuty(p), 0) << p;
        }
    }
}

TEST_F(NationalSquadsTest, ThreePlayersCalledUpMoveTheirClubsFixtureTwoDoNot) {
    SeasonCalendar.leagueStartDay[kNation] = 10;
    SeasonCalendar.leagueEndDay[kNation] = 300;
    for (int i = 0; i < 3; ++i) National(5, 60, 8, 0);
    for (int i = 0; i < 2; ++i) National(5, 60, 8, 1);
    RebuildAllRosters();
    PutFixture(0, 120, kCompLeague, 0, 2, kNationalUnplayed, kNationalUnplayed);
    PutFixture(1, 120, kCompLeague, 1, 3, kNationalUnplayed, kNationalUnplayed);
    int n = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        NationalSquads[0][kNation][n++] = p;
        SetPlayerIntDuty(p, 1);
    }
    RescheduleClubsForNationalDay(kNation, 120);
    bool clubOneStays = false;
    for (int slot = 0; slot < 2; ++slot) {
        if (FixtureHome(slot) == 0) {
            EXPECT_NE(FixtureDay(slot), 120);
        }
        if (FixtureHome(slot) == 1) clubOneStays = FixtureDay(slot) == 120;
    }
    EXPECT_TRUE(clubOneStays);
}

TEST_F(NationalSquadsTest, TheDriverSelectsCallsUpAndReleasesOnItsDays) {
    MakeNationalPool(8);
    for (int i = 0; i < 40; ++i) {
        const uint16_t p = MakePlayer(5, int16_t(i % 13));
        SetPlayerNationality(p, 4);
    }
    // Senior match of nations 3 and 4 on day 130, under-21 on day 131.
    PutFixture(0, 130, kCompNationalTeam, kNation, 4, kNationalUnplayed, kNationalUnplayed);
    PutFixture(1, 131, kCompNationalUnder21, kNation, 4, kNationalUnplayed, kNationalUnplayed);
    SeasonCalendar.currentDay = 116;
    ProcessInternationalDay();
    EXPECT_NE(NationalSquads[0][kNation][0], 0);
    EXPECT_NE(NationalSquads[0][4][0], 0);
    EXPECT_EQ(NationalSquads[1][kNation][0], 0);
    SeasonCalendar.currentDay = 118;
    ProcessInternationalDay();
    EXPECT_NE(NationalSquads[1][kNation][0], 0);
    const uint16_t senior = NationalSquads[0][kNation][5];
    const uint16_t junior = NationalSquads[1][kNation][5];
    EXPECT_EQ(GetPlayerIntDuty(senior), 0);
    SeasonCalendar.currentDay = 126;
    ProcessInternationalDay();
    EXPECT_EQ(GetPlayerIntDuty(senior), 1);
    EXPECT_EQ(GetPlayerIntDuty(junior), 0);
    SeasonCalendar.currentDay = 128;
    ProcessInternationalDay();
    EXPECT_EQ(GetPlayerIntDuty(junior), 1);
    SeasonCalendar.currentDay = 132;
    ProcessInternationalDay();
    EXPECT_EQ(GetPlayerIntDuty(senior), 0);
    EXPECT_EQ(GetPlayerIntDuty(junior), 1);
    SeasonCalendar.currentDay = 134;
    ProcessInternationalDay();
    EXPECT_EQ(GetPlayerIntDuty(junior), 0);
}

TEST_F(NationalSquadsTest, AnEarlierMeetingWithinFourteenDaysKeepsTheSquad) {
    MakeNationalPool(5);
    PutFixture(0, 120, kCompNationalTeam, 4, kNation, kNationalUnplayed, kNationalUnplayed);
    PutFixture(1, 130, kCompNationalTeam, kNation, 5, kNationalUnplayed, kNationalUnplayed);
    PutFixture(2, 150, kCompNationalTeam, 6, kNation, kNationalUnplayed, kNationalUnplayed);
    SeasonCalendar.currentDay = 116;  // day 130 is 14 days ahead; day 120 only 10 before it
    ProcessInternationalDay();
    EXPECT_EQ(NationalSquads[0][kNation][0], 0);
    SeasonCalendar.currentDay = 136;  // day 150: the lowest earlier slot is day 120, 30 before
    ProcessInternationalDay();
    EXPECT_NE(NationalSquads[0][kNation][0], 0);
}

TEST_F(NationalSquadsTest, AnOpponentsRecentMatchKeepsOnlyItsOwnSquad) {
    MakeNationalPool(5);
    for (int i = 0; i < 40; ++i) SetPlayerNationality(MakePlayer(5, int16_t(i % 13)), 4);
    PutFixture(0, 120, kCompNationalTeam, 4, 6, kNationalUnplayed, kNationalUnplayed);
    PutFixture(1, 130, kCompNationalTeam, 4, kNation, kNationalUnplayed, kNationalUnplayed);
    SeasonCalendar.currentDay = 106;
    {
        StdoutCapture quiet;  // nation 6 has nobody to pick
        ProcessInternationalDay();
    }
    ASSERT_NE(NationalSquads[0][4][0], 0);
    const std::vector<uint16_t> fourBefore(std::begin(NationalSquads[0][4]), std::end(NationalSquads[0][4]));
    // Day 130: nation 4 played on day 120 and keeps that squad; nation 3
    // has not played and needs one of its own.
    SeasonCalendar.currentDay = 116;
    ProcessInternationalDay();
    EXPECT_EQ(std::vector<uint16_t>(std::begin(NationalSquads[0][4]), std::end(NationalSquads[0][4])),
              fourBefore);
    ASSERT_NE(NationalSquads[0][kNation][0], 0);
    LoadNationalSquadIntoSquadList(kNation, 0);
    EXPECT_EQ(PickNationalTeam(kNation, 0), 0);
}

}  // namespace
