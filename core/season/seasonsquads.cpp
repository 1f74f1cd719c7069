#include "core/season/seasonsquads.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/contracts.h"
#include "core/club/markethelpers.h"
#include "core/club/newplayers.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/soak.h"

std::array<int8_t, kClubCount> NewPlayerCount;
int16_t ReshuffleNamesOption;

namespace {

constexpr int kClubDraws = 3600;
// Donor draws for one nation before any player will do.
constexpr int kDonorDraws = 20000;
constexpr int kCupSlots[] = {0, 1, 2, 3, 4, 6};
constexpr int kCupRows = 9;

constexpr int16_t kPositionDrawTable[37] = {0, 0, 1, 3, 0, 0, 12, 3, 2,  2, 2,  1,  1,  1, 2,  4,  3,  5, 5,
                                            5, 6, 6, 8, 8, 9, 9,  7, 11, 0, 11, 11, 10, 0, 12, 12, 12, 9};
constexpr int8_t kTacticDrawTable[20] = {2, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 1, 0, 0};
constexpr char kInitialLetterTable[] = "AABCCDDFGGHIJJKLMMNNOPPRSSTTWV";
static_assert(sizeof kInitialLetterTable == 31);
constexpr int16_t kYouthReputationDivisor[25] = {800, 600, 400, 300, 200, 100, 100, 100, 100,
                                                 100, 100, 100, 100, 100, 100, 100, 100, 100,
                                                 100, 100, 100, 100, 100, 100, 100};

constexpr int16_t kManagerPosition = 13;
constexpr int16_t kStartWage = 3;
constexpr const char* kManagerName = "Manager       ";
constexpr const char* kCaretakerName = "Caretaker     ";

int Draw(int n) { return GameRandom() % n; }

// A random player of the nation from slot 3 up; when a bounded number of
// draws finds none, the last one drawn.  0 when there is nobody to draw.
// The draws are bounded: drawing on until the nation turns up would hang
// the game for a nation that has no player (or only players 0-2).
uint16_t DrawDonor(int16_t nation) {
    const int count = PlayerCount;
    if (count <= 4) return 0;
    uint16_t donor = 0;
    for (int i = 0; i < kDonorDraws; ++i) {
        donor = uint16_t(3 + Draw(count - 4));
        if (GetPlayerNationality(donor) == uint16_t(nation)) return donor;
    }
    return donor;
}

void ClearCupTies(uint16_t player) {
    for (int slot : kCupSlots) {
        for (int row = 0; row < kCupRows; ++row) SetPlayerCup(player, -1, int16_t(slot), int16_t(row));
    }
}

void ClearClauses(uint16_t player) {
    SetPlayerClause1(player, 0);
    SetPlayerClause2(player, 0);
    SetPlayerClause3(player, 0);
    SetPlayerClause4(player, 0);
    SetPlayerClause5(player, 0);
    SetPlayerClause6(player, 0);
    SetPlayerClause7(player, 0);
    SetPlayerClause8(player, 0);
}

void ClearInternationalRecord(uint16_t player) {
    SetPlayerCaps86(player, 0);
    SetPlayerIntGoals87(player, 0);
    SetPlayerCaps89(player, 0);
    SetPlayerCaps113(player, 0);
    SetPlayerIntGoals114(player, 0);
    SetPlayerCaps116(player, 0);
}

// The fresh-start fields every new player and every database player share.
void ClearMatchState(uint16_t player) {
    SetPlayerFlag119(player, 0);
    SetPlayerScoutMark(player, 0);
    SetPlayerFatigue(player, 0);
    SetPlayerFitness(player, 60);
    SetPlayerField96(player, 60);
    SetPlayerField120(player, 0);
    SetPlayerFans(player, 31);
    SetPlayerField118(player, 0);
    SetPlayerField105(player, 60);
    SetPlayerCaptain(player, 0);
    SetPlayerFlag107Bit7(player, 0);
    SetPlayerEuroDispoints(player, 0);
    SetPlayerDispoints(player, 0);
    SetPlayerSusp(player, 0);
    SetPlayerIT(player, 0);
    SetPlayerIP(player, 0);
}

void ClearPlayerFlags(uint16_t player) {
    SetPlayerPerf(player, 0);
    SetPlayerShirt(player, 0);
    SetPlayerHalvorn(player, 0);
    SetPlayerHalvornB(player, 0);
    SetPlayerCaretaker(player, 0);
}

void CopySurnameAndLooks(uint16_t player, uint16_t surnameDonor, uint16_t looksDonor) {
    if (surnameDonor != 0 && surnameDonor != player) SetPlayerSurname(player, GetPlayerSurname(surnameDonor));
    if (looksDonor != 0) {
        SetPlayerSkinColour(player, int16_t(GetPlayerSkinColour(looksDonor)));
        SetPlayerHairColour(player, int16_t(GetPlayerHairColour(looksDonor)));
        SetPlayerHairStyle(player, int16_t(GetPlayerHairStyle(looksDonor)));
    }
}

struct NewPlayerPlan {
    int16_t club;  // -1: a free agent
    int16_t nation;
    int quality;     // the top of the ability draw
    bool youthRule;  // a weak club's quality is raised to 20 half the time
};

// Writes a new young player into the slot; shared by the club intake and
// the free agents.
void MakeNewPlayer(uint16_t player, const NewPlayerPlan& plan) {
    // A reused record's career was its last holder's: the new person's
    // history screen and his former-club meetings start empty.
    RemovePlayerHistory(player);
    const uint16_t surnameDonor = DrawDonor(plan.nation);
    const uint16_t looksDonor = DrawDonor(plan.nation);
    CopySurnameAndLooks(player, surnameDonor, looksDonor);
    const bool free = plan.club < 0;
    const int16_t age = int16_t(free ? Draw(4) : Draw(2));
    SetPlayerAge(player, age);
    SetPlayerWage(player, kStartWage);
    SetPlayerContract(player, int16_t(free || age == 0 ? 24 : 12));
    SetPlayerClub(player, plan.club);
    SetPlayerLoanClub(player, plan.club);
    if (!free) {
        SetPlayerTxList(player, 0);
        SetPlayerTxReq(player, 0);
        SetPlayerLoanList(player, 0);
    }
    // The manager and caretaker flags cannot change once the new-player
    // flag is set: a record reused from a retired manager loses them first.
    SetPlayerFlag95(player, 0);
    ClearPlayerFlags(player);
    SetPlayerPosition(player, kPositionDrawTable[Draw(37)]);
    SetPlayerFlag95(player, 1);
    SetPlayerIntShirt(player, 0);
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 0);
    SetPlayerLoanTrial(player, 0);

    int q = plan.quality;
    if (plan.youthRule && Draw(100) < q && q < 20) q = 20;
    SetPlayerStat(player, kAbilityStat, int16_t(std::max(Draw(q), q / 4)));

    SetPlayerGoals(player, 0);
    SetPlayerApps(player, 0);
    SetPlayerAppsAsSub(player, 0);
    SetPlayerMoM(player, 0);
    ClearMatchState(player);
    ClearPlayerLoan(player);
    SetPlayerManPrice(player, -1);
    ClearInternationalRecord(player);
    SetPlayerField52(player, 0);

    SetPlayerNationality(player, plan.nation);
    ClearPlayerFlags(player);
    RandomisePlayerPositionTraits(player, int16_t(Draw(4)));
    SetPlayerMorale(player, 60);
    SetPlayerIntDuty(player, 0);
    SetPlayerSaleStatus(player, 0);
    if (!free) {
        ClearClauses(player);
        SetPlayerField117(player, 0);
    }
    SetPlayerWage(player, kStartWage);
    SetPlayerReputation(player, 0);
    SetPlayerExperience(player, 0);
    SetPlayerInitial(player, int16_t(kInitialLetterTable[Draw(30)] - 64));
    SetPlayerTactic(player, int16_t(kTacticDrawTable[Draw(20)] & 7));
    DerivePlayerStatsByPosition(player);
    ClearCupTies(player);
}

// Makes the next slot after the count; false (count unchanged) when the
// table is full.
bool OpenNextSlot(const char* who) {
    if (PlayerCount >= kMaxPlayers) {
        DebugLog(DEBUG_GENERAL, 0, "%s: Error: player table full (%d players)\n", who, int(PlayerCount));
        return false;
    }
    ++PlayerCount;
    return true;
}

// Every player without a club counts, the manager and caretaker records
// (players 1 and 2, who have none at this point) among them.
int CountFreePlayersOf(int16_t nation) {
    int count = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerClub(p) == kNoClub && GetPlayerNationality(p) == uint16_t(nation)) ++count;
    }
    return count;
}

void MakeDatabasePlayer(uint16_t player, const TotStatPlayer& row) {
    const int16_t club = GetTotStatPlayerClub(row);
    SetPlayerSurname(player, GetTotStatPlayerSurname(row));
    const int initial = std::toupper(GetTotStatPlayerInitial(row));
    SetPlayerInitial(player, int16_t(initial >= 'A' && initial <= 'Z' ? initial - 64 : 1));
    SetPlayerSkinColour(player, int16_t(GetTotStatPlayerSkin(row) & 7));
    SetPlayerHairColour(player, int16_t(GetTotStatPlayerHairColour(row) & 7));
    SetPlayerHairStyle(player, int16_t(GetTotStatPlayerHairStyle(row) & 7));

    const int age = SeasonCalendar.year - (GetTotStatPlayerBirthYear(row) + 1900) - 16;
    const int16_t storedAge = int16_t(std::clamp(age, 0, 63));
    SetPlayerAge(player, storedAge);
    SetPlayerSellOnClause(player, -1);
    SetPlayerWage(player, kStartWage);
    SetPlayerContract(player, int16_t(12 * (1 + Draw(storedAge < 16 ? 4 : 2))));
    ClearMatchState(player);
    SetPlayerEuroBan(player, 0);
    SetPlayerField92(player, 0);

    SetPlayerClub(player, club);
    SetPlayerLoanClub(player, club);
    SetPlayerFlag95(player, storedAge < 2 ? 1 : 0);
    ClearPlayerLoan(player);
    ClearInternationalRecord(player);
    SetPlayerField52(player, 100);
    SetPlayerManPrice(player, -1);
    SetPlayerNationality(player, GetTotStatPlayerNationality(row));
    ClearPlayerFlags(player);

    SetPositionFromDatabase(player, 0, GetTotStatPlayerPosition(row));
    RandomisePlayerPositionTraits(player, GetTotStatPlayerTraits(row));
    ClearCupTies(player);

    const int ability = std::max<int>(GetTotStatPlayerAbility(row), 0);
    SetPlayerStat(player, kAbilityStat, int16_t(std::min(ability * ability / 75, 100)));
    SetPlayerMorale(player, 60);
    SetPlayerIntDuty(player, 0);
    SetPlayerSaleStatus(player, 0);

    int16_t tactic;
    if (GetPlayerPosition(player) == kManagerPosition) {
        SetPlayerExperience(player, 15);
        SetPlayerReputation(player, int16_t(GetClubRep(club)));
        tactic = int16_t(GetClubDatabaseTactic(club) & 7);
    } else {
        tactic = kTacticDrawTable[Draw(20)];
        const int reputation =
            storedAge <= 24 ? ability * 50 / kYouthReputationDivisor[storedAge] : ability / 2;
        SetPlayerReputation(player, int16_t(std::min(reputation, 63)));
        SetPlayerExperience(player, int16_t(std::min(storedAge * 2, 63)));
    }
    SetPlayerTactic(player, tactic >= 6 ? 0 : tactic);

    InitPlayerValueFields(player);
    SetPlayerIntShirt(player, 0);
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 0);
    SetPlayerLoanTrial(player, 0);
    SetPlayerGoals(player, 0);
    SetPlayerApps(player, 0);
    SetPlayerAppsAsSub(player, 0);
    SetPlayerMoM(player, 0);
    SetPlayerField117(player, 0);
    ClearClauses(player);
    DerivePlayerStatsByPosition(player);
}

// The top-up's log lines come every new season for hundreds of clubs: they
// show at debug level 1 and above.
constexpr int32_t kSquadTopUpLogLevel = 1;

// Search rules of the squad top-up, in the order they are tried.
struct TopUpSearch {
    const char* word;
    bool spareYoungster;  // else an unattached player
    bool ownNation;
};
constexpr TopUpSearch kTopUpSearches[] = {
    {"*found1*", false, true},
    {"*stolen1*", true, true},
    {"*found2*", false, false},
    {"*stolen2*", true, false},
};

bool FitsTopUp(uint16_t p, int16_t club, const TopUpSearch& search) {
    if (GetPlayerPosition(p) == kManagerPosition) return false;
    if (search.ownNation && GetPlayerNationality(p) != GetClubNation(club)) return false;
    if (GetPlayerReputation(p) / 2 > GetClubRep(club)) return false;
    const uint16_t owner = GetPlayerClub(p);
    if (!search.spareYoungster) return owner == kNoClub;
    return GetPlayerFlag95(p) != 0 && GetPlayerAge(p) == 0 && IsClubNumber(owner) &&
           ClubRosterCount[owner] > kSpareSquad;
}

// The only players a top-up can take, in player order: those without a
// club, and the youth-flag players of stored age 0 wherever they are. A
// top-up only gives clubs to players, so nobody outside these lists comes to
// fit a search while the squads are filled.
struct TopUpCandidates {
    std::vector<uint16_t> unattached, youngsters;
};

TopUpCandidates FindTopUpCandidates() {
    TopUpCandidates c;
    for (uint16_t p = kFirstWorldPlayer; p < PlayerCount; ++p) {
        if (GetPlayerPosition(p) == kManagerPosition) continue;
        if (GetPlayerClub(p) == kNoClub) c.unattached.push_back(p);
        if (GetPlayerFlag95(p) != 0 && GetPlayerAge(p) == 0) c.youngsters.push_back(p);
    }
    return c;
}

void TopUpFrom(int16_t club, int16_t needed, const TopUpCandidates& candidates) {
    // A player a search passed over cannot fit it later in this call (the
    // top-up only gives players clubs and lowers squad counts), so each
    // search goes on from where it last stopped: the same players are
    // found as by scanning from the start every time.
    size_t cursor[std::size(kTopUpSearches)] = {};
    for (int n = 0; n < needed; ++n) {
        for (size_t s = 0; s < std::size(kTopUpSearches); ++s) {
            const TopUpSearch& search = kTopUpSearches[s];
            const std::vector<uint16_t>& list =
                search.spareYoungster ? candidates.youngsters : candidates.unattached;
            size_t& i = cursor[s];
            while (i < list.size() && !FitsTopUp(list[i], club, search)) ++i;
            if (i >= list.size()) continue;
            const uint16_t found = list[i++];
            const uint16_t owner = GetPlayerClub(found);
            if (search.spareYoungster) --ClubRosterCount[owner];
            SetPlayerClub(found, club);
            SetPlayerLoanClub(found, club);
            SetPlayerContract(found, 24);
            ++SeasonEvents.squadTopUps;
            DebugLog(DEBUG_GENERAL, kSquadTopUpLogLevel, "%s\n", search.word);
            break;
        }
    }
}

}  // namespace

int NewPlayerCap(int16_t club) { return GetClubRep(club) / 8 + 20; }

void CountNewPlayers() {
    NewPlayerCount.fill(0);
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        const uint16_t club = GetPlayerClub(p);
        if (IsClubNumber(club) && GetPlayerFlag95(p) != 0) ++NewPlayerCount[club];
    }
}

int16_t CreateYouthPlayer(uint16_t player) {
    if (!IsPlayerNumber(player) || player < kFirstWorldPlayer) return 0;
    int16_t club = -1;
    for (int attempt = 0; attempt < kClubDraws && club < 0; ++attempt) {
        const int16_t c = int16_t(Draw(kClubCount));
        CorePoll();
        if (GetClubRep(c) != 0 && NewPlayerCount[c] < NewPlayerCap(c)) club = c;
    }
    if (club < 0) return 0;
    ++NewPlayerCount[club];
    ++SeasonEvents.youthPlayersMade;
    if (market::IsRestOfWorldClub(club) || GetClubDivision(club) >= 6)
        ++SeasonEvents.youthPlayersMadeOutsideLeagues;
    const int q = std::clamp(int(GetClubRep(club)) * 100 / 63 * 100 / 80, 10, 100);
    MakeNewPlayer(player, {club, int16_t(GetClubNation(club)), q, true});
    return 1;
}

void CreateFreeAgentPlayer(uint16_t player, int16_t nation) {
    if (!IsPlayerNumber(player) || player < kFirstWorldPlayer) return;
    const int q = 5 + Draw(25);
    MakeNewPlayer(player, {-1, nation, q, false});
}

void RenewYouthPlayers() {
    CountNewPlayers();
    // The user between jobs and the "no manager" record have no club, but
    // they are nobody's slot to recycle: from player 1 the walk would write
    // a young player over the user's own record.
    for (uint16_t p = kFirstWorldPlayer; p < PlayerCount; ++p) {
        const uint16_t age = GetPlayerAge(p);
        const bool grownUp = age >= 2 && GetPlayerFlag95(p) != 0;
        const bool unattached = age < 18 && GetPlayerClub(p) == kNoClub;
        if (!grownUp && !unattached) continue;
        if (CreateYouthPlayer(p) != 1) continue;
        ClearClubBidList(p);
        SetPlayerFlag95(p, 0);
        ClearPlayerHistoryMark(p, 1);
        SetPlayerFlag95(p, 1);
    }
}

void CreateNewGamePlayers() {
    CountNewPlayers();
    while (OpenNextSlot("CreateNewGamePlayers")) {
        if (CreateYouthPlayer(uint16_t(PlayerCount - 1)) == 0) {
            --PlayerCount;
            break;
        }
        CorePoll();
    }
    for (int16_t nation = 0; nation < kCountryCount; ++nation) {
        for (int free = CountFreePlayersOf(nation); free < kFreeAgentsPerNation; ++free) {
            if (!OpenNextSlot("CreateNewGamePlayers")) return;
            CreateFreeAgentPlayer(uint16_t(PlayerCount - 1), nation);
        }
    }
}

void SetNewGameYouthContracts() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        BuildClubSquadList(club);
        for (uint16_t p : ClubRoster[club]) {
            if (!IsPlayerNumber(p)) continue;
            AwardStartingContract(p, club, 0);
            if (GetPlayerFlag95(p) == 0) continue;
            const uint16_t age = GetPlayerAge(p);
            if (age == 0) SetPlayerContract(p, 23);
            if (age == 1) SetPlayerContract(p, 11);
        }
    }
}

void BuildPlayersFromDatabase() {
    SeasonCalendar.currentDay = 0;
    PlayerCount = 1;
    CreateManagerRecord(1, kManagerName);
    CreateManagerRecord(2, kCaretakerName);
    if (PlayerCount > 2) SetPlayerCaretaker(2, 1);
    // Every record but the last is walked, as the shipped database expects.
    const uint32_t rows = std::min<uint32_t>(TotStatPlayerCount, TOTSTAT_PLAYER_COUNT);
    for (uint32_t r = 0; r + 1 < rows; ++r) {
        CorePoll();
        const TotStatPlayer& row = TotStatPlayers[r];
        if (!IsClubNumber(GetTotStatPlayerClub(row))) continue;
        if (!OpenNextSlot("BuildPlayersFromDatabase")) break;
        MakeDatabasePlayer(uint16_t(PlayerCount - 1), row);
    }
    RebuildAllRosters();
    SetNewGameYouthContracts();
    ResetAllBidLists();
    if (ReshuffleNamesOption != 0) {
        for (uint16_t p = kFirstWorldPlayer; p < PlayerCount; ++p) ReshufflePlayerNameAndLooks(p);
    }
}

void LoadNewGameDatabase() { LoadDatabaseStats(); }

void FillClubSquads() {
    const TopUpCandidates candidates = FindTopUpCandidates();
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0 || GetClubControl(club) != 0 || GetClubNation(club) >= 32) continue;
        const int count = int16_t(ClubRosterCount[club]);
        if (count >= kFullSquad) continue;
        CorePoll();
        DebugLog(DEBUG_GENERAL, kSquadTopUpLogLevel, "Club %d needs %d players\n", club, kFullSquad - count);
        TopUpFrom(club, int16_t(kFullSquad - count), candidates);
        DebugLog(DEBUG_GENERAL, kSquadTopUpLogLevel, "Done\n");
    }
}

void TopUpClubSquad(int16_t club, int16_t needed) {
    if (!IsClubNumber(club)) return;
    TopUpFrom(club, needed, FindTopUpCandidates());
}
