#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/teamroles.h"
#include "core/club/transfers.h"
#include "core/match/matchratings.h"
#include "core/query/financerecord.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/savetable.h"
#include "core/records/shippeddatabase.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/nationalsquads.h"
#include "core/season/nationorder.h"
#include "core/season/newgame.h"
#include "core/season/playedleagues.h"
#include "core/season/reportfacts.h"
#include "core/season/seasonend.h"
#include "core/season/seasonsquads.h"
#include "core/season/seasontables.h"
#include "core/season/shippedhonours.h"
#include "core/season/unrest.h"
#include "season_fixture.h"

namespace {

// Runs a new game on the generated world, from the game folder.
void RunNewGame(uint32_t seed) {
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(HALVORN_GAME_DIR), 0);
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(seed);
    NewGameSetUp();
    ASSERT_EQ(chdir(here), 0);
}

bool IsKeeper(uint16_t p) { return GetPlayerPosition(p) == 0; }

TEST(NewGameTest, GeneratedWorldStartsOnTheThirdOfAugustWithFullSquads) {
    RunNewGame(2002);
    std::printf("player count after a new game: %d\n", int(PlayerCount));

    // Saturday 3 August 2002, three weeks into season 0.
    EXPECT_EQ(SeasonCalendar.currentDay, 21);
    EXPECT_EQ(SeasonCalendar.weekday, 0);
    EXPECT_EQ(SeasonCalendar.dayOfMonth, 3);
    EXPECT_EQ(SeasonCalendar.month, 7);
    EXPECT_EQ(SeasonCalendar.year, 2002);
    EXPECT_EQ(SeasonCalendar.season, 0);
    EXPECT_GT(SeasonCalendar.leagueStartDay[0], 21);
    // Nothing is dated before the first day, which is never played (a
    // reserve round moves ahead of the first league round).
    int reserveFixtures = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        EXPECT_GE(FixtureDay(slot), 21) << "fixture slot " << slot << " of type " << FixtureType(slot);
        reserveFixtures += FixtureType(slot) == kCompReserveLeague;
    }
    EXPECT_GT(reserveFixtures, 0);
    EXPECT_STREQ(GetPlayerSurname(1), "Manager       ");
    EXPECT_STREQ(GetPlayerSurname(2), "Caretaker     ");
    EXPECT_EQ(GetPlayerCaretaker(2), 1);
    EXPECT_EQ(GetPlayerClub(1), kNoClub);
    EXPECT_LE(PlayerCount, kMaxPlayers);
    EXPECT_EQ(EuropeanSetUpWordA, 606);
    EXPECT_EQ(MatchEventKind(0), -1) << "a new game starts an empty match event log";
    EXPECT_EQ(EuropeanSetUpWordB, 1025);

    // Every division of the layout is listed whole.
    for (int country = 0; country < kCountryCount; ++country) {
        for (int division = 0; division < kDivisionCount; ++division) {
            int listed = 0;
            for (uint16_t club : DivisionClubLists[country][division]) listed += club != kNoLeagueClub;
            EXPECT_EQ(listed, DivisionLayout[country][division].clubs) << country << "/" << division;
        }
    }

    // The first season's play-off places of the European places record: the
    // four clubs of the delivered order after a division's promotion places
    // (country 0 division 1: after division 0's 20 clubs and 2 promoted),
    // none for a division without play-offs.
    for (int i = 0; i < kPlayOffEntries; ++i) {
        EXPECT_EQ(GetPlacesRecordWord(0, PlayOffRuleWord(1, i)), NationClubStartLists[0][22 + i]) << i;
        EXPECT_EQ(GetPlacesRecordWord(5, PlayOffRuleWord(1, i)), NationClubStartLists[5][18 + 1 + i]) << i;
        EXPECT_EQ(GetPlacesRecordWord(0, PlayOffRuleWord(0, i)), -1) << i;
        EXPECT_EQ(GetPlacesRecordWord(1, PlayOffRuleWord(1, i)), -1) << i;
    }
    EXPECT_TRUE(IsClubNumber(GetPlacesRecordWord(2, PlayOffRuleWord(3, 3))));

    // Last season's honours stand in row 1, as shipped.
    for (int country = 0; country < kCountryCount; ++country) {
        for (int w = 0; w < kHonourClubWords; ++w)
            EXPECT_EQ(HonoursTable[country][1].words[w], ShippedHonours[country].words[w]);
    }

    // Free agents of each league country; and every club with a reputation
    // can field a side: a squad of at least 26 with a keeper.
    int freeOf[kCountryCount] = {};
    int squad[kClubCount] = {}, keepers[kClubCount] = {};
    // The manager and caretaker records, clubless, count in the pool.
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        const uint16_t club = GetPlayerClub(p);
        if (club == kNoClub && GetPlayerNationality(p) < kCountryCount) ++freeOf[GetPlayerNationality(p)];
        if (p < 3 || !IsClubNumber(club) || GetPlayerPosition(p) == 13) continue;
        ++squad[club];
        keepers[club] += IsKeeper(p);
    }
    for (int nation = 0; nation < kCountryCount; ++nation) EXPECT_GE(freeOf[nation], 200) << nation;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        EXPECT_GE(squad[club], 26) << club;
        EXPECT_GE(keepers[club], 1) << club;
        EXPECT_GT(GetClubBalance(club), 0) << club;
    }

    // Young players: within each club's cap, flagged, with the new-game
    // contracts, no price and no cup registration.
    CountNewPlayers();
    int young = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        EXPECT_LE(NewPlayerCount[club], NewPlayerCap(club)) << club;
    }
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        if (GetPlayerFlag95(p) == 0 || !IsClubNumber(GetPlayerClub(p))) continue;
        ++young;
        const uint16_t age = GetPlayerAge(p);
        ASSERT_LE(age, 1u) << p;
        EXPECT_EQ(GetPlayerContract(p), age == 0 ? 23 : 11) << p;
        EXPECT_EQ(GetPlayerManPrice(p), -1) << p;
        EXPECT_EQ(GetPlayerCup(p, 0, int16_t(GetClubNation(int16_t(GetPlayerClub(p))) % 9)), kNoClub) << p;
        EXPECT_EQ(GetPlayerCup(p, 6, 0), kNoClub) << p;
    }
    EXPECT_GT(young, 15000);

    // Every club with a reputation has a chairman named after a player,
    // with the board's patience and purse spread over the whole range and
    // his time in office to run.  A draw that misses the club's nation ends
    // the search one time in a hundred, so the large league nations find
    // one of their own some nine times in ten, the small nations far less.
    int heads = 0, ofItsNation = 0, leagueHeads = 0, leagueOwn = 0;
    bool supportDecile[10] = {}, generosityDecile[10] = {};
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        ++heads;
        const uint16_t head = GetClubName(club);
        ASSERT_TRUE(head >= 1 && head < PlayerCount) << club;
        const bool own = GetPlayerNationality(head) == GetClubNation(club);
        ofItsNation += own;
        if (IsCountryNumber(GetClubNation(club))) {
            ++leagueHeads;
            leagueOwn += own;
        }
        ASSERT_LT(GetClubSupport(club), 100) << club;
        ASSERT_LT(GetClubGenerosity(club), 100) << club;
        supportDecile[GetClubSupport(club) / 10] = true;
        generosityDecile[GetClubGenerosity(club) / 10] = true;
        EXPECT_GE(GetClubTenure(club), 24) << club;
        EXPECT_LE(GetClubTenure(club), 179) << club;
        EXPECT_EQ(GetClubTenure2(club), 0) << club;
    }
    std::printf("chairmen of their club's nation: %d of %d, %d of %d in the league nations\n", ofItsNation,
                heads, leagueOwn, leagueHeads);
    EXPECT_GT(leagueOwn * 100, leagueHeads * 80);
    EXPECT_GT((ofItsNation - leagueOwn) * 100, (heads - leagueHeads) * 20);
    for (int decile = 0; decile < 10; ++decile) {
        EXPECT_TRUE(supportDecile[decile]) << decile;
        EXPECT_TRUE(generosityDecile[decile]) << decile;
    }

    // Every club's balance forecast runs from its balance at the season's
    // start across the season, which the season's totals start from too.
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        const int32_t balance = GetClubBalance(club);
        ASSERT_EQ(HVW_GetClubForecastWeek(club, 0), balance) << club;
        ASSERT_EQ(HVW_GetClubSeasonField(club, kFinanceStartBalance), balance) << club;
        int moves = 0;
        for (int16_t week = 1; week < kFinanceWeeks; ++week)
            moves += HVW_GetClubForecastWeek(club, week) != HVW_GetClubForecastWeek(club, int16_t(week - 1));
        ASSERT_GE(moves, kFinanceWeeks / 2) << club;
    }

    // The referees carry this game's ratings and classes, and the match
    // record takes them.
    int classed = 0, delivered = 0;
    for (int16_t referee = 0; HVW_GetRefereeNation(referee) >= 0; ++referee) {
        ++delivered;
        EXPECT_GE(HVW_GetRefereeRating(referee), 50) << referee;
        EXPECT_LE(HVW_GetRefereeRating(referee), 100) << referee;
        EXPECT_GE(HVW_GetRefereeRating2(referee), 1) << referee;
        classed += HVW_GetRefereeClass(referee) != 0;
    }
    EXPECT_EQ(delivered, DeliveredRefereeCount());
    EXPECT_GT(classed, delivered / 4);
    int slot = 0;
    while (FixtureType(slot) != kCompLeague) ++slot;
    PrepareClubMatch(int16_t(slot), FixtureHome(slot), FixtureAway(slot));
    const int16_t referee = GameInfo.I16(gameinfo::kRefereeNumber);
    EXPECT_GE(GameInfo.U8(gameinfo::kRefereeAttr1), 50);
    EXPECT_EQ(GameInfo.U8(gameinfo::kRefereeAttr1), HVW_GetRefereeRating(referee));
    EXPECT_EQ(GameInfo.U8(gameinfo::kRefereeAttr2), HVW_GetRefereeRating2(referee));
}

// A game started after another in the same session is the game started
// first: nothing of the earlier game (its players' season figures, its
// fixtures' line-ups, its weekly finances and transfers, its strength
// ranking, which picks European entrants) carries into the new one.
TEST(NewGameTest, ASecondNewGameKeepsNothingOfTheGameBefore) {
    RunNewGame(77);
    const std::vector<PlayerRecord> players(PlayerRecords, PlayerRecords + PlayerCount);
    const std::vector<Fixture> fixtures(std::begin(FixtureTable), std::end(FixtureTable));
    const std::vector<ClubFinanceRecord> finances(std::begin(ClubFinanceRecords),
                                                  std::end(ClubFinanceRecords));
    const std::vector<ClubStrengthEntry> ranking(std::begin(ClubStrengthRanking),
                                                 std::end(ClubStrengthRanking));
    // The season tables a new game starts from (national squads, play-off
    // entrants, European places and groups), byte for byte.
    const auto seasonTables = [] {
        std::vector<uint8_t> bytes;
        const auto add = [&bytes](const void* data, size_t size) {
            const auto* p = static_cast<const uint8_t*>(data);
            bytes.insert(bytes.end(), p, p + size);
        };
        add(NationalSquads, sizeof NationalSquads);
        add(NationalCaptains, sizeof NationalCaptains);
        add(NationalSquadTable, sizeof NationalSquadTable);
        add(PlayOffEntrants, sizeof PlayOffEntrants);
        add(EuropeanPlaceRecords, sizeof EuropeanPlaceRecords);
        add(ChampionsLeagueGroups, sizeof ChampionsLeagueGroups);
        add(ClubCompetitionTable, sizeof ClubCompetitionTable);
        add(MatchEventHistory, sizeof MatchEventHistory);
        add(ClubResultMemory, sizeof ClubResultMemory);
        add(PendingPlayerEvents, sizeof PendingPlayerEvents);
        return bytes;
    };
    const std::vector<uint8_t> tables = seasonTables();

    // What a game played on for a while leaves behind.
    for (uint16_t p = 1; p < kMaxPlayers; ++p) {
        SetPlayerGoals2(p, 9);
        SetPlayerPerf2(p, 33);
        SetPlayerCaps113(p, 4);
    }
    for (Fixture& f : FixtureTable) std::memset(f.bytes, 0x5A, sizeof f.bytes);
    for (ClubFinanceRecord& r : ClubFinanceRecords) std::memset(r.bytes, 0x21, sizeof r.bytes);
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetClubBalance(club, 4242424);
        ClubStrengthRanking[club] = {uint16_t(kClubCount - 1 - club), uint32_t(1000000 + club)};
    }
    for (int n = 0; n < 5; ++n) {
        uint8_t* r = TransferRecords[n].bytes;
        std::memset(r, 0, sizeof TransferRecords[n].bytes);
    }
    TransferRecordIndex = 5;
    std::memset(NationalSquads, 0x11, sizeof NationalSquads);
    std::memset(NationalCaptains, 0x12, sizeof NationalCaptains);
    std::memset(NationalSquadTable, 0x13, sizeof NationalSquadTable);
    std::memset(PlayOffEntrants, 0x01, sizeof PlayOffEntrants);
    std::memset(EuropeanPlaceRecords, 0x02, sizeof EuropeanPlaceRecords);
    std::memset(ChampionsLeagueGroups, 0x01, sizeof ChampionsLeagueGroups);
    // Cup entries, the match event history and the clubs' remembered results,
    // and a job offer waiting for the user.
    std::memset(ClubCompetitionTable, 0x03, sizeof ClubCompetitionTable);
    std::memset(MatchEventHistory, 0x04, sizeof MatchEventHistory);
    std::memset(ClubResultMemory, 0x05, sizeof ClubResultMemory);
    // Transfer requests still waiting for an answer, one about to walk out.
    for (int i = 0; i < 3; ++i)
        PendingPlayerEvents[i] = {uint16_t(40 + i), int16_t(1 + i), uint16_t(kPendingUnrest)};
    NewMessageFlag = 1;
    JobOfferClub = 12;
    JobOfferPending = 1;
    JobOfferClubShown = 12;
    // Contract talks and sales the user had under way.
    PendingHumanDeals[1] = 345;
    HumanSalePlayers[0] = 346;
    HumanSaleClubs[0] = 7;
    // The holders of the team roles and the match marks of its last week.
    std::fill(std::begin(MatchRoleHolders), std::end(MatchRoleHolders), uint16_t(347));
    std::memset(MatchRatingTable, 0, sizeof MatchRatingTable);

    RunNewGame(77);
    ASSERT_EQ(PlayerCount, players.size());
    for (uint16_t p = 0; p < PlayerCount; ++p)
        ASSERT_EQ(std::memcmp(&PlayerRecords[p], &players[p], sizeof(PlayerRecord)), 0) << "player " << p;
    for (int slot = 0; slot < kFixtureSlots; ++slot)
        ASSERT_EQ(std::memcmp(&FixtureTable[slot], &fixtures[size_t(slot)], sizeof(Fixture)), 0)
            << "slot " << slot;
    for (int16_t club = 0; club < kClubCount; ++club) {
        ASSERT_EQ(std::memcmp(&ClubFinanceRecords[club], &finances[size_t(club)], sizeof(ClubFinanceRecord)),
                  0)
            << "club " << club;
        EXPECT_EQ(ClubStrengthRanking[club].club, ranking[size_t(club)].club) << club;
    }
    EXPECT_TRUE(seasonTables() == tables)
        << "national squads, play-off entrants, European, cup-entry, event-history, result tables or "
           "transfer requests kept";
    EXPECT_EQ(NewMessageFlag, 0);
    EXPECT_EQ(JobOfferClub, -1);
    EXPECT_EQ(JobOfferPending, 0);
    EXPECT_EQ(HVW_HasHumanContracts(), 0) << "contract talks of the game before";
    EXPECT_EQ(HVW_HasHumanSales(), 0) << "players for sale of the game before";
    EXPECT_EQ(HumanSaleClubs[0], 0);
    for (uint16_t holder : MatchRoleHolders) EXPECT_EQ(holder, 0) << "a match role of the game before";
    for (const auto& row : MatchRatingTable) {
        for (const MatchRatingRecord& record : row) ASSERT_EQ(recbits::LoadU16(record.bytes), 0xFFFF);
    }
    // The transfer history is empty: no club has bought or sold anyone.
    EXPECT_EQ(TransferRecordIndex, 0);
    int32_t boughtTotal = 0, soldTotal = 0;
    int16_t boughtCount = -1, soldCount = -1;
    HVW_GetClubTransferTotals(0, &boughtTotal, &boughtCount, &soldTotal, &soldCount);
    EXPECT_EQ(boughtCount, 0);
    EXPECT_EQ(soldCount, 0);
}

// Every saved block of a second new game matches the first, whatever the
// game before left in it; only the blocks the front end sets for the new
// game (country viewed, countries played, search presets and filter) are
// taken as found.
TEST(NewGameTest, EverySavedBlockOfASecondNewGameIsTheFirstGames) {
    const auto setByFrontEnd = [](const void* block) {
        return block == &ViewedCountry || block == PlayedLeagueFlags || block == PlayerSearchPresets ||
               block == PlayerSearchFilter;
    };
    const auto snapshot = [] {
        std::vector<std::vector<uint8_t>> blocks;
        for (const DataBlockDescriptor* b = SaveGameDescriptors; b->address != nullptr; ++b) {
            const auto* p = static_cast<const uint8_t*>(b->address);
            blocks.emplace_back(p, p + b->size);
        }
        return blocks;
    };
    RunNewGame(77);
    const std::vector<std::vector<uint8_t>> first = snapshot();
    for (const DataBlockDescriptor* b = SaveGameDescriptors; b->address != nullptr; ++b) {
        if (!setByFrontEnd(b->address)) std::memset(b->address, 0x5A, b->size);
    }
    RunNewGame(77);
    const std::vector<std::vector<uint8_t>> second = snapshot();
    for (size_t i = 0; i < first.size(); ++i) EXPECT_TRUE(first[i] == second[i]) << "saved block " << i;
}

// A world of a few clubs and players made by hand, for the squad rules.
class SeasonSquadsTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        std::memset(PlayerRecords, 0, sizeof(PlayerRecord) * 400);
        PlayerCount = 3;
        ClearHistoryLists();
    }

    static uint16_t AddPlayer(int16_t club, int16_t nation, int16_t age, int16_t reputation, bool young) {
        const uint16_t p = PlayerCount++;
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerNationality(p, nation);
        SetPlayerAge(p, age);
        SetPlayerReputation(p, reputation);
        SetPlayerFlag95(p, young ? 1 : 0);
        SetPlayerPosition(p, 5);
        return p;
    }
};

TEST_F(SeasonSquadsTest, YouthIntakeStopsAtEachClubsCap) {
    // Even clubs have reputation 63 (cap 27), odd ones 7 (cap 20), the
    // last hundred none; every club with a reputation has room for one.
    EXPECT_EQ(NewPlayerCap(0), 20);
    for (int16_t club = 0; club < 1100; ++club) MakeClub(club, 0, 0, int16_t(club % 2 == 0 ? 63 : 7));
    EXPECT_EQ(NewPlayerCap(0), 27);
    EXPECT_EQ(NewPlayerCap(1), 20);
    for (int i = 0; i < 10; ++i) SetPlayerSurname(AddPlayer(-1, 0, 5, 10, false), "Donor");
    const uint16_t firstNew = PlayerCount;
    CountNewPlayers();
    for (int16_t club = 0; club < 1100; ++club) NewPlayerCount[club] = int8_t(NewPlayerCap(club) - 1);
    for (int i = 0; i < 300; ++i) {
        ++PlayerCount;
        ASSERT_EQ(CreateYouthPlayer(uint16_t(PlayerCount - 1)), 1);
    }
    int full = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (club >= 1100) {
            EXPECT_EQ(NewPlayerCount[club], 0);
            continue;
        }
        EXPECT_GE(NewPlayerCount[club], NewPlayerCap(club) - 1);
        EXPECT_LE(NewPlayerCount[club], NewPlayerCap(club));
        full += NewPlayerCount[club] == NewPlayerCap(club);
    }
    EXPECT_EQ(full, 300);
    for (uint16_t p = firstNew; p < PlayerCount; ++p) {
        EXPECT_LT(GetPlayerClub(p), 1100u);
        EXPECT_LE(GetPlayerAge(p), 1u);
        EXPECT_EQ(GetPlayerContract(p), GetPlayerAge(p) == 0 ? 24 : 12);
        EXPECT_EQ(GetPlayerFlag95(p), 1u);
        EXPECT_EQ(GetPlayerNationality(p), 0u);
        EXPECT_EQ(GetPlayerManPrice(p), -1);
        EXPECT_EQ(GetPlayerCup(p, 4, 0), kNoClub);
        EXPECT_EQ(GetPlayerLoanClub(p), GetPlayerClub(p));
        EXPECT_LE(GetPlayerPosition(p), 12u);
        EXPECT_GE(GetPlayerInitial(p), 1u);
        EXPECT_LE(GetPlayerInitial(p), 26u);
        EXPECT_STREQ(GetPlayerSurname(p), "Donor");
        EXPECT_GE(GetPlayerStat(p, 27, 0), 1);
    }
    // No club has room: the slot is left as it was.
    for (int16_t club = 0; club < kClubCount; ++club) NewPlayerCount[club] = int8_t(NewPlayerCap(club));
    const uint16_t spare = PlayerCount++;
    SetPlayerAge(spare, 30);
    EXPECT_EQ(CreateYouthPlayer(spare), 0);
    EXPECT_EQ(GetPlayerAge(spare), 30u);
    EXPECT_EQ(GetPlayerClub(spare), 0u);
}

TEST_F(SeasonSquadsTest, FreeAgentsAndRenewalOfGrownOrUnattachedPlayers) {
    MakeClub(0, 1, 0, 40);
    for (int i = 0; i < 10; ++i) AddPlayer(-1, 1, 5, 10, false);
    const uint16_t grown = AddPlayer(0, 1, 2, 10, true);       // 18 with the flag: renewed
    const uint16_t keptYoung = AddPlayer(0, 1, 1, 10, true);   // 17: kept
    const uint16_t veteran = AddPlayer(-1, 1, 18, 10, false);  // 34 without a club: kept
    const uint16_t drifter = AddPlayer(-1, 1, 17, 10, false);  // 33 without a club: renewed
    RenewYouthPlayers();
    EXPECT_EQ(GetPlayerClub(grown), 0u);
    EXPECT_LE(GetPlayerAge(grown), 1u);
    EXPECT_EQ(GetPlayerFlag95(grown), 1u);
    EXPECT_EQ(GetPlayerAge(keptYoung), 1u);
    EXPECT_EQ(GetPlayerAge(veteran), 18u);
    EXPECT_EQ(GetPlayerClub(veteran), kNoClub);
    EXPECT_EQ(GetPlayerClub(drifter), 0u);
    EXPECT_LE(GetPlayerAge(drifter), 1u);

    const uint16_t free = PlayerCount++;
    CreateFreeAgentPlayer(free, 1);
    EXPECT_EQ(GetPlayerClub(free), kNoClub);
    EXPECT_EQ(GetPlayerLoanClub(free), kNoClub);
    EXPECT_EQ(GetPlayerNationality(free), 1u);
    EXPECT_LE(GetPlayerAge(free), 3u);
    EXPECT_EQ(GetPlayerContract(free), 24);
    EXPECT_EQ(GetPlayerFlag95(free), 1u);
}

// The pool of free agents counts every player without a club: the manager
// and caretaker records, clubless at a new game, are two of nation 0's 200.
TEST_F(SeasonSquadsTest, TheFreeAgentPoolCountsThePlayersWithoutAClub) {
    for (uint16_t p : {1, 2}) {
        SetPlayerClub(p, -1);
        SetPlayerNationality(p, 0);
    }
    MakeClub(0, 0, 0, 0);
    for (int16_t nation = 0; nation < kCountryCount; ++nation) AddPlayer(0, nation, 5, 10, false);
    CreateNewGamePlayers();
    const auto freeOf = [](int16_t nation) {
        int n = 0;
        for (uint16_t p = 1; p < PlayerCount; ++p)
            n += GetPlayerClub(p) == kNoClub && GetPlayerNationality(p) == uint16_t(nation);
        return n;
    };
    EXPECT_EQ(freeOf(0), 200);
    EXPECT_EQ(freeOf(1), 200);
    EXPECT_EQ(PlayerCount, 3 + kCountryCount + 200 * kCountryCount - 2);
}

// A renewed record is a new person: the career of its last holder does not
// become his, while the other players keep theirs.
TEST_F(SeasonSquadsTest, ARenewedRecordStartsWithNoCareer) {
    MakeClub(0, 1, 0, 40);
    MakeClub(5, 1, 0, 40);
    for (int i = 0; i < 10; ++i) AddPlayer(-1, 1, 5, 10, false);
    const uint16_t drifter = AddPlayer(-1, 1, 17, 10, false);  // renewed
    const uint16_t veteran = AddPlayer(-1, 1, 18, 10, false);  // kept
    AddPlayerHistoryStats(drifter, 5, 1, 2, 0, 0);
    AddPlayerHistoryStats(drifter, 5, 0, 0, 4, 0);
    AddPlayerHistoryStats(veteran, 5, 1, 3, 0, 0);
    RenewYouthPlayers();
    ASSERT_LE(GetPlayerAge(drifter), 1u);
    EXPECT_EQ(HasPlayerHistoryEntry(drifter, 5), 0);
    EXPECT_EQ(GetPlayerHistoryAppearances(veteran, 5, 0), 1);
    EXPECT_EQ(PlayerHistoryCount, 2u);
}

// The user between jobs and the "no manager" record have no club and are
// under 34, yet the renewal (and a retirement's replacement) leave them be:
// every club has room, so any slot it may take it does take.
TEST_F(SeasonSquadsTest, RenewalLeavesTheUserAndTheNoManagerRecordAlone) {
    for (int16_t club = 0; club < kClubCount; ++club) MakeClub(club, 1, 0, 40);
    for (int i = 0; i < 10; ++i) SetPlayerSurname(AddPlayer(-1, 1, 5, 10, false), "Donor");
    const char* names[] = {"", "Manager       ", "Caretaker     "};
    for (uint16_t p : {uint16_t(1), uint16_t(2)}) {
        SetPlayerSurname(p, names[p]);
        SetPlayerClub(p, -1);
        SetPlayerLoanClub(p, -1);
        SetPlayerNationality(p, 1);
        SetPlayerAge(p, 6);
        SetPlayerPosition(p, 13);
    }
    SetPlayerCaretaker(2, 1);
    const uint16_t drifter = AddPlayer(-1, 1, 6, 10, false);
    RenewYouthPlayers();
    EXPECT_NE(GetPlayerClub(drifter), kNoClub) << "an unattached world player is renewed";
    EXPECT_LE(GetPlayerAge(drifter), 1u);
    for (uint16_t p : {uint16_t(1), uint16_t(2)}) {
        EXPECT_STREQ(GetPlayerSurname(p), names[p]);
        EXPECT_EQ(GetPlayerClub(p), kNoClub);
        EXPECT_EQ(GetPlayerAge(p), 6u);
        EXPECT_EQ(GetPlayerPosition(p), 13u);
        EXPECT_EQ(GetPlayerFlag95(p), 0u);
        EXPECT_EQ(ReplaceRetiredPlayer(p), 0);
        EXPECT_EQ(GetPlayerClub(p), kNoClub);
    }
    EXPECT_EQ(GetPlayerCaretaker(2), 1u);
}

TEST_F(SeasonSquadsTest, TopUpTakesFreePlayersThenSpareYoungstersAndSkipsHumanAndForeignClubs) {
    MakeClub(0, 2, 0, 20);   // short of players
    MakeClub(1, 2, 0, 20);   // 48 players: none to spare
    MakeClub(2, 2, 0, 20);   // 50 players: two of its 16-year-olds may go
    MakeClub(3, 2, 0, 20);   // human: never topped up
    MakeClub(4, 40, 0, 20);  // nation 40: never topped up
    SetClubControl(3, 1);
    for (int i = 0; i < 48; ++i) AddPlayer(1, 2, 0, 10, true);
    for (int i = 0; i < 50; ++i) AddPlayer(2, 2, 0, 10, true);
    const uint16_t tooFamous = AddPlayer(-1, 2, 5, 50, false);  // reputation / 2 above the club's
    const uint16_t foreigner = AddPlayer(-1, 7, 5, 10, false);
    const uint16_t local = AddPlayer(-1, 2, 5, 10, false);
    RebuildAllRosters();
    const int before1 = ClubRosterCount[1];
    TopUpClubSquad(0, 3);
    EXPECT_EQ(GetPlayerClub(local), 0u) << "found1: own nation, no club";
    EXPECT_EQ(GetPlayerContract(local), 24);
    EXPECT_EQ(GetPlayerClub(tooFamous), kNoClub);
    EXPECT_EQ(GetPlayerClub(foreigner), kNoClub) << "stolen1 comes before found2";
    EXPECT_EQ(ClubRosterCount[1], before1) << "a club of 48 keeps its players";
    int fromClub2 = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) fromClub2 += GetPlayerClub(p) == 0 && p != local;
    EXPECT_EQ(fromClub2, 2);

    // The whole-world pass: the human and the nation-40 clubs stay empty.
    RebuildAllRosters();
    FillClubSquads();
    int human = 0, foreign = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        human += GetPlayerClub(p) == 3;
        foreign += GetPlayerClub(p) == 4;
    }
    EXPECT_EQ(human, 0);
    EXPECT_EQ(foreign, 0);
    EXPECT_EQ(GetPlayerClub(foreigner), 0u) << "found2 once the own nation is used up";
}

TEST_F(SeasonSquadsTest, PlayerManagerTakesOverAndTheReplacedRecordLeaves) {
    // The control value names the human manager: player 1.
    MakeClub(5, 0, 0, 30);
    MakeClub(6, 0, 0, 30);
    const uint16_t manager = 1;
    SetPlayerClub(manager, -1);
    SetPlayerNationality(manager, 3);
    SetPlayerAge(manager, 6);
    SetPlayerHalvorn(manager, 1);
    SetPlayerFans(manager, 20);
    const uint16_t old = AddPlayer(5, 0, 20, 10, false);
    SetPlayerPosition(old, 13);
    SetClubControl(5, 1);
    InstallPlayerManagers(old);
    EXPECT_EQ(GetPlayerClub(manager), 5u);
    EXPECT_EQ(GetPlayerLoanClub(manager), 5u);
    EXPECT_EQ(GetPlayerAge(manager), 14u);
    EXPECT_EQ(GetPlayerPosition(manager), 13u);  // a manager now
    EXPECT_EQ(GetPlayerPosition2(manager), 5u);
    EXPECT_EQ(GetPlayerHalvornB(manager), 1u);
    EXPECT_EQ(GetPlayerNationality(manager), 0u);
    EXPECT_EQ(GetPlayerFans(manager), 63u);
    EXPECT_EQ(GetPlayerClub(old), kNoClub);
    EXPECT_EQ(GetPlayerLoanClub(old), kNoClub);
    EXPECT_EQ(FindClubManager(5), manager);
    // A club run by the computer keeps its own.
    EXPECT_EQ(GetClubControl(6), 0u);
}

TEST_F(SeasonSquadsTest, DatabasePlayersTakeTheirClubAgeAndFlagAndTheLastRowIsLeftOut) {
    ClearTotStatTables();
    for (int r = 0; r < TOTSTAT_CLUB_COUNT; ++r) SetTotStatClubNumber(TotStatClubs[r], 1200);
    SetTotStatClubNumber(TotStatClubs[0], 4);
    SetTotStatClubTactic(TotStatClubs[0], 5);
    MakeClub(4, 0, 0, 30);
    struct Row {
        int16_t club, birthYear, position, ability;
    };
    // 2002 - 1985 - 16 = 1 (17 years old), 1984 gives 18.
    const Row rows[] = {{4, 85, 5, 60}, {4, 84, 7, 60}, {-1, 80, 3, 70}, {4, 60, 13, 50}, {4, 80, 2, 90}};
    for (int r = 0; r < 5; ++r) {
        TotStatPlayer& row = TotStatPlayers[r];
        SetTotStatPlayerClub(row, rows[r].club);
        SetTotStatPlayerBirthYear(row, rows[r].birthYear);
        SetTotStatPlayerPosition(row, rows[r].position);
        SetTotStatPlayerAbility(row, rows[r].ability);
        SetTotStatPlayerInitial(row, 'k');
        SetTotStatPlayerSurname(row, "Abel");
        SetTotStatPlayerNationality(row, 6);
    }
    // A full squad besides, so that the squad building keeps the young
    // player in the youth list.
    for (int r = 5; r < 36; ++r) {
        TotStatPlayer& row = TotStatPlayers[r];
        SetTotStatPlayerClub(row, 4);
        SetTotStatPlayerBirthYear(row, 75);
        SetTotStatPlayerPosition(row, int16_t(r % 13));
        SetTotStatPlayerAbility(row, 70);
        SetTotStatPlayerNationality(row, 6);
    }
    TotStatPlayerCount = 36;
    SeasonCalendar.year = 2002;
    BuildPlayersFromDatabase();
    // The manager records, then rows 0, 1 and 3..34: row 2 has no club and
    // the last row (35) is never read.
    ASSERT_EQ(PlayerCount, 3 + 34);
    EXPECT_STREQ(GetPlayerSurname(1), "Manager       ");
    EXPECT_EQ(GetPlayerCaretaker(2), 1u);
    EXPECT_EQ(GetPlayerAge(3), 1u);
    EXPECT_EQ(GetPlayerFlag95(3), 1u);
    EXPECT_EQ(GetPlayerContract(3), 11);  // a new game's 17-year-old
    EXPECT_EQ(GetPlayerAge(4), 2u);
    EXPECT_EQ(GetPlayerFlag95(4), 0u);
    for (uint16_t p = 3; p < 6; ++p) {
        EXPECT_EQ(GetPlayerClub(p), 4u);
        EXPECT_EQ(GetPlayerNationality(p), 6u);
        EXPECT_EQ(GetPlayerInitial(p), 11u);  // 'K'
        EXPECT_STREQ(GetPlayerSurname(p), "Abel");
        EXPECT_EQ(GetPlayerManPrice(p), -1);
    }
    EXPECT_EQ(GetPlayerStat(3, 27, 0), 48);            // 60 x 60 / 75
    EXPECT_EQ(GetPlayerReputation(3), 60 * 50 / 600);  // aged 17
    EXPECT_EQ(GetPlayerReputation(4), 60 * 50 / 400);  // aged 18
    EXPECT_EQ(GetPlayerPosition(5), 13u);
    EXPECT_EQ(GetPlayerReputation(5), 30u);  // his club's
    EXPECT_EQ(GetPlayerTactic(5), 5u);       // the club row's formation
}

TEST_F(SeasonSquadsTest, ClubsFromTheDatabaseGetReputationMoneyAndStands) {
    ClearTotStatTables();
    TotStatClub& top = TotStatClubs[0];
    SetTotStatClubNumber(top, 7);
    SetTotStatClubNation(top, 0);
    SetTotStatClubDivision(top, 0);
    SetTotStatClubRepBase(top, 40000);
    SetTotStatClubRepPercent(top, 50);
    SetTotStatClubCapacity(top, 25000);
    TotStatClub& low = TotStatClubs[1];
    SetTotStatClubNumber(low, 8);
    SetTotStatClubNation(low, 2);
    SetTotStatClubDivision(low, 3);
    SetTotStatClubRepBase(low, 999999999);  // too big: held at 63
    SetTotStatClubRepPercent(low, 100);
    for (int r = 2; r < TOTSTAT_CLUB_COUNT; ++r) SetTotStatClubNumber(TotStatClubs[r], 1200);
    CreateClubsFromDatabase();
    EXPECT_EQ(GetClubRep(7), 21u);  // 40 x 50 / 100 + 1
    EXPECT_EQ(GetClubBalance(7), 21 * 650000);
    EXPECT_EQ(GetClubRep(8), 63u);
    EXPECT_EQ(GetClubBalance(8), 63 * 4 * 4000 + 50 * 4000);
    EXPECT_EQ(GetClubDivision(8), 3u);
    EXPECT_EQ(GetClubNation(8), 2u);
    EXPECT_EQ(GetClubRep(9), 0u);
    // 25,000 seats: end stands of 4000, side stands of 8000 and 9000 (too
    // big for style 2, so that stand is built one style up).
    EXPECT_EQ(GetClubStandCapacity2(7), 4u);
    EXPECT_EQ(GetClubStandCapacity3(7), 4u);
    EXPECT_EQ(GetClubStandCapacity1(7), 8u);
    EXPECT_EQ(GetClubStandCapacity0(7), 9u);
    EXPECT_EQ(GetClubStandStyle1(7), 2u);
    EXPECT_EQ(GetClubStandStyle0(7), 3u);
    EXPECT_EQ(SeasonCalendar.weekday, 0);
    EXPECT_EQ(SeasonCalendar.year, 2002);
}

}  // namespace
