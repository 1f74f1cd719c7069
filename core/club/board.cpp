#include "core/club/board.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/matchdaynotices.h"
#include "core/club/mood.h"
#include "core/club/playervalue.h"
#include "core/club/squadpass.h"
#include "core/club/squads.h"
#include "core/club/transfers.h"
#include "core/query/people.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/textids.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

const int32_t BoardMoneyTable[kCountryCount][6] = {
    {100, 30, 10, 5, 2, 1},    {100, 30, 10, 5, 2, 1}, {100, 30, 10, 10, 2, 1},
    {100, 30, 10, 10, 10, 10}, {100, 30, 10, 5, 2, 1}, {100, 30, 10, 5, 2, 1},
    {100, 30, 10, 5, 5, 1},    {100, 30, 10, 5, 2, 1}, {100, 30, 10, 5, 2, 1},
};

ClubStrengthEntry ClubStrengthRanking[kClubCount];
uint16_t ClubCountOfNation[kCountryCount];
uint16_t SackedClubControl;
// No club until the user is first sacked: club 0 is a club like any other.
uint16_t SackedClub = kNoClub;
int16_t JobOfferClub = -1;
uint16_t JobOfferPending;
uint16_t JobOfferClubShown;

void ForgetJobOffer() {
    JobOfferClub = -1;
    JobOfferPending = 0;
    JobOfferClubShown = 0;
}

namespace {

constexpr int kBoardDivisions = 6;
constexpr int16_t kFirstReviewDay = 60;
// A manager this many weeks at his club is judged and may be head-hunted.
constexpr uint16_t kSettledWeeks = 30;
constexpr uint16_t kUser = 1;
constexpr uint32_t kNoPlayerArg = 0xFFFFFFFFu;

constexpr int16_t kPlayerLineAppointed = 5, kPlayerLineSacked = 8, kPlayerLineResigned = 10;

constexpr int16_t kNewManagerFans = 48;
constexpr int16_t kFullMorale = 60;

// The managers of every club as FindClubManager names them, found in one
// pass over the players at the start of a review run.  Only the reviewed
// club and the club an appointed manager came from change during the run;
// both are looked up afresh.
uint16_t RunManagers[kClubCount];

void FindAllClubManagers() {
    // The kept managers: one walk over the players when no pass keeps them
    // yet, none when the review's kept lookups have just made them.
    KeepClubManagers(true);
    for (int16_t c = 0; c < kClubCount; ++c) RunManagers[c] = FindClubManager(c);
    KeepClubManagers(false);
}

int RepPercent(int reputation) { return reputation * 100 / 63; }
int MoralePercent(int morale) { return morale * 100 / 60; }
int32_t AgeInYears(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

// A club in a played league: the board's clubs.
bool IsBoardClub(int16_t club) {
    return IsClubNumber(club) && GetClubRep(club) != 0 && IsPlayedLeagueNation(GetClubNation(club)) &&
           GetClubDivision(club) < kBoardDivisions;
}

int32_t BoardMoney(int16_t club) {
    return BoardMoneyTable[GetClubNation(club)][GetClubDivision(club)] * kBoardMoneyUnit;
}

void PostManagerMessage(int16_t club, int16_t otherClub, uint16_t manager, int16_t type, int16_t text = -1,
                        int16_t alsoOther = 0) {
    AddMessage(club, otherClub, manager, kNoPlayerArg, -1, -1, -1, text, -1, AgeInYears(manager), -1, type, 1,
               alsoOther);
}

// A departing manager's wage field keeps the club he left, so that it does
// not take him back; a player-manager or the user keeps his real wage.
void RecordFormerClub(uint16_t manager, int16_t club) {
    if (GetPlayerHalvorn(manager) == 0) SetPlayerWage(manager, club);
}
bool LeftClub(uint16_t manager, int16_t club) { return GetPlayerWage(manager) == uint16_t(club); }

// The manager walks out of the club: no club, no caretaker or player-
// manager flag, and the club's roster without him.
void ManagerLeaves(int16_t club, uint16_t manager) {
    RecordFormerClub(manager, club);
    SetPlayerClub(manager, -1);
    SetPlayerLoanClub(manager, -1);
    RebuildClubRoster(club);
    SetPlayerCaretaker(manager, 0);
    SetPlayerHalvorn(manager, 0);
}

// Completes the appointment of a manager the search returned.
void AppointManager(int16_t club, uint16_t manager) {
    const uint16_t oldClub = GetPlayerClub(manager);
    SetPlayerCaretaker(manager, 0);
    SetPlayerHalvorn(manager, 0);
    AddClubBalance(club, BoardMoney(club) * int32_t(GetPlayerReputation(manager)));
    SetPlayerClub(manager, club);
    SetPlayerLoanClub(manager, club);
    SetPlayerFans(manager, kNewManagerFans);
    SetPlayerField52(manager, 0);
    RebuildClubRoster(club);
    // The club he came from must not keep him on its roster.
    if (IsClubNumber(oldClub) && oldClub != uint16_t(club)) {
        RebuildClubRoster(int16_t(oldClub));
        RunManagers[oldClub] = FindClubManager(int16_t(oldClub));
    }
    MatchDay_BuildMessageB(club, int16_t(manager));
    AddClubHistoryEntry(manager, club, 0, 0, kClubHistoryAppointed);
    AddPlayerHistoryStats(manager, club, 0, 0, kPlayerLineAppointed, 0);
    BuildClubSquadList(club);
    for (const uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player)) continue;
        SetPlayerMorale(player, int16_t(GetPlayerMorale(player) / 2 + 30));
        SetPlayerField118(player, 0);
    }
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        if (IsPlayerNumber(FirstTeamList.players[i])) SetPlayerMorale(FirstTeamList.players[i], kFullMorale);
    }
    PostManagerMessage(club, -1, manager, kMsgAppointed);
    SetClubTenure2(club, 0);
}

// A club without a manager, or run by a caretaker, looks for one.
void SeekManager(int16_t club, uint16_t current) {
    if (GameRandom() % 200 < 35) {
        const uint16_t manager = FindNewManager(club, current);
        if (manager != kNoManager) AppointManager(club, manager);
        return;
    }
    if (current == kNoManager) AppointPlayerManager(club);
}

void SackManager(int16_t club, uint16_t manager) {
    SetClubTenure2(club, 0);
    PostManagerMessage(club, -1, manager, kMsgSacked);
    MatchDay_BuildMessageC(club, int16_t(manager), 1);
    AddClubHistoryEntry(manager, club, 0, 0, kClubHistorySacked);
    AddPlayerHistoryStats(manager, club, 0, 0, kPlayerLineSacked, 0);
    ManagerLeaves(club, manager);
    const uint16_t control = GetClubControl(club);
    SackedClubControl = control;
    if (control > 0) SackedClub = uint16_t(club);
    SetClubControl(club, 0);
    SetClubRep(club, int16_t(GetClubRep(club) - 1));
    const int fallen = int(GetPlayerReputation(manager)) - (1 + GameRandom() % 3);
    SetPlayerReputation(manager, int16_t(fallen < 0 ? 0 : fallen));
    const int above = int(GetPlayerReputation(manager)) - int(GetClubRep(club));
    if (above > 0) SetPlayerReputation(manager, int16_t(GetPlayerReputation(manager) - (above + 1) / 2));
}

// The displeasure counter has landed on a warning mark.
void WarnOrResign(int16_t club, uint16_t manager, int conf, int fans, int happy) {
    if (GetClubControl(club) == 0 && GameRandom() % (GetClubRep(club) + 25) < 2) {
        PostManagerMessage(club, -1, manager, kMsgResigned);
        MatchDay_BuildMessageC(club, int16_t(manager), 0);
        AddClubHistoryEntry(manager, club, 0, 0, kClubHistoryLeft);
        AddPlayerHistoryStats(manager, club, 0, 0, kPlayerLineResigned, 0);
        if (manager > kNoManager) ManagerLeaves(club, manager);
        return;
    }
    int16_t type = kMsgWarnedResults;
    if (fans < conf && fans < happy) {
        type = kMsgWarnedFans;
    } else if (happy < fans && happy < conf) {
        type = kMsgWarnedSquad;
    }
    PostManagerMessage(club, -1, manager, type);
}

// A computer club's successful manager may be lured away.  True when he went.
bool HeadHunted(int16_t club, uint16_t manager, int form, int performance) {
    const int rep = RepPercent(GetPlayerReputation(manager));
    const int clubRep = GetClubRep(club);
    if (rep <= clubRep || rep <= 10 || GetClubControl(club) != 0) return false;
    if (performance < 15 || form >= 45) return false;
    const int odds = (100 - GetPlayerStat(manager, kSpiritStat, 0) + (63 - clubRep) + 1) * 4;
    if (GameRandom() % odds >= 2) return false;
    PostManagerMessage(club, -1, manager, kMsgHeadHunted);
    MatchDay_BuildMessageC(club, int16_t(manager), 0);
    if (manager > kNoManager) ManagerLeaves(club, manager);
    return true;
}

void ReviewManager(int16_t club, uint16_t manager) {
    if (GetPlayerField52(manager) < kSettledWeeks) return;
    // Nothing changes between the head-hunters' look and the board's: the
    // scores are worked out once.
    const int form = BoardFormScore(club);
    const int performance = BoardScorePerformance(club);
    if (HeadHunted(club, manager, form, performance)) return;
    const int conf = form + BoardScoreFinance(club) + performance;
    const int fans = GetClubManagerFansPct(club);
    const int happy = GetClubSquadHappinessPct(club);
    // The board's displeasure is kept in the club's second tenure byte: the
    // first counts the chairman's own time in office.
    int displeasure = GetClubTenure2(club);
    if (conf == 0 || fans == 0 || happy == 0) displeasure += 10;
    if (conf < 17 || fans < 2 || happy < 15) displeasure += 4;
    if (!(conf < 35 || fans < 5 || happy < 30)) {
        SetClubTenure2(club, int16_t(displeasure - 1));  // stored as 0 when it would go below
        return;
    }
    ++displeasure;
    SetClubTenure2(club, int16_t(displeasure));
    // A patient board (high support) warns later and sacks later.
    const int sackingPoint = GetClubSupport(club) + 10;
    if (displeasure == sackingPoint * 25 / 100 || displeasure == sackingPoint * 50 / 100 ||
        displeasure == sackingPoint * 75 / 100) {
        WarnOrResign(club, manager, conf, fans, happy);
    } else if (displeasure >= sackingPoint) {
        SackManager(club, manager);
    }
}

void ReviewClub(int16_t club) {
    const uint16_t manager = RunManagers[club];
    if (manager == kNoManager || GetPlayerCaretaker(manager) != 0) {
        SeekManager(club, manager);
        return;
    }
    ReviewManager(club, manager);
}

// The players a search for a manager looks at, in number order: while the
// kept tables hold them, only those who manage without playing (the others
// fail the search's position test, which draws nothing), else all.
class ManagerCandidates {
  public:
    ManagerCandidates() : set_(KeptManagerSet()) {}
    // The next candidate after p (start from 0); PlayerCount at the end.
    uint16_t Next(uint16_t p) const {
        const uint32_t end = std::min<uint32_t>(PlayerCount, kMaxPlayers);
        uint32_t next = uint32_t(p) + 1;
        if (set_ == nullptr || next >= end) return next < end ? uint16_t(next) : uint16_t(end);
        uint64_t bits = set_[next >> 6] & (~uint64_t(0) << (next & 63));
        uint32_t word = next >> 6;
        while (bits == 0) {
            if (++word * 64 >= end) return uint16_t(end);
            bits = set_[word];
        }
        next = word * 64 + uint32_t(std::countr_zero(bits));
        return uint16_t(std::min(next, end));
    }

  private:
    const uint64_t* set_;
};

// The best free manager whose reputation lies in [R/2, R]; 0 when none.
uint16_t BestFreeAgent(int16_t club, int clubRepPct) {
    uint16_t best = 0;
    int bestRep = -1;
    // While the club words are kept, the records of players with a club
    // are not read.
    const uint32_t* words = PlayerClubWords();
    const ManagerCandidates candidates;
    const uint16_t end = uint16_t(std::min<int>(PlayerCount, kMaxPlayers));
    for (uint16_t p = candidates.Next(0); p < end; p = candidates.Next(p)) {
        // The user out of work is a candidate too: FindNewManager offers
        // him the job rather than handing him the club.
        if (p == kNoManager) continue;
        const uint16_t hisClub = words != nullptr ? uint16_t(words[p]) : GetPlayerClub(p);
        if (hisClub != kNoClub || GetPlayerPosition(p) != 13 || LeftClub(p, club)) continue;
        const int rep = RepPercent(GetPlayerReputation(p));
        if (rep < clubRepPct / 2 || rep > clubRepPct || rep <= bestRep) continue;
        best = p;
        bestRep = rep;
    }
    return best;
}

// The best employed manager another club would let go; 0 when none.
uint16_t BestEmployedManager(int16_t club, int clubRepPct) {
    const int nation = GetClubNation(club);
    const int clubRep = GetClubRep(club);
    const int place = GetClubLeaguePosition(club);
    uint16_t best = 0;
    int bestScore = -1;
    const ManagerCandidates candidates;
    const uint16_t end = uint16_t(std::min<int>(PlayerCount, kMaxPlayers));
    for (uint16_t p = candidates.Next(0); p < end; p = candidates.Next(p)) {
        if (p == kNoManager || GetPlayerField52(p) < kSettledWeeks) continue;
        const uint16_t hisClub = GetPlayerClub(p);
        if (!IsClubNumber(hisClub) || GetPlayerPosition(p) != 13 || LeftClub(p, club)) continue;
        if (p == kUser && JobOfferClub == club) continue;
        const int16_t his = int16_t(hisClub);
        if (GetPlayerNationality(p) != uint16_t(nation) && GetClubNation(his) != uint16_t(nation) &&
            GameRandom() % (100 - clubRep) != 0) {
            continue;
        }
        const int score = (RepPercent(GetPlayerReputation(p)) + RepPercent(GetClubRep(his))) / 2;
        if (SeasonCalendar.currentDay < kFirstReviewDay) continue;
        if (!(int(GetClubRep(his)) < clubRep || place < GetClubLeaguePosition(his))) continue;
        if (score > clubRepPct || score <= bestScore) continue;
        best = p;
        bestScore = score;
    }
    return best;
}

}  // namespace

int16_t GetUserClub() {
    if (!IsValidPlayer(kUser)) return -1;
    const uint16_t club = GetPlayerClub(kUser);
    return IsClubNumber(club) ? int16_t(club) : int16_t(-1);
}

void TallyClubResult(ClubResultTally& tally, int16_t club, int slot) {
    const bool home = FixtureHome(slot) == club;
    if (!home && FixtureAway(slot) != club) return;
    const uint32_t score = FixtureScore(slot);
    const int h = int(score & kFixtureGoalsMask), a = int((score >> 5) & kFixtureGoalsMask);
    const int mine = home ? h : a, theirs = home ? a : h;
    tally.goalsFor += mine;
    tally.goalsAgainst += theirs;
    if (mine > theirs)
        ++tally.won;
    else if (mine == theirs)
        ++tally.drawn;
    else
        ++tally.lost;
}

int16_t BoardFormScore(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    ClubResultTally tally;
    // The table stands in day order: only the slots of the last 30 days
    // before today are read.
    const int first = today >= 31 ? FindFixtureInsertPos(int16_t(today - 31)) : 0;
    for (int slot = first < 0 ? kFixtureSlots : first; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (day >= today) break;
        if (FixtureType(slot) >= kCompFriendly) continue;
        TallyClubResult(tally, club, slot);
    }
    const auto [won, drawn, lost, goalsFor, goalsAgainst] = tally;
    const int total = goalsFor + goalsAgainst;
    int g = 0;
    if (total != 0) {
        g = goalsFor > goalsAgainst ? 2 * (goalsFor * 200 / total) : -2 * (goalsAgainst * 100 / total);
    }
    const int matches = won + drawn + lost;
    int r = 0;
    if (matches != 0) r = won > lost ? won * 120 / matches : -(lost * 80 / matches);
    int s = g + 200 + r;
    if (matches < 4) s += (4 - matches) * 100;
    if (s > 400) s = 400;
    const int score = s * 60 / 400;
    return int16_t(score < 0 ? 0 : score);
}

// The club's index among its nation's clubs in ranking order against its
// place in the nation's league ladder.
int16_t BoardScorePerformance(int16_t club) {
    const uint16_t nation = GetClubNation(club);
    if (!IsCountryNumber(nation)) return 0;
    const int n = ClubCountOfNation[nation];
    if (n == 0) return 0;
    int i = n, seen = 0;
    for (const ClubStrengthEntry& entry : ClubStrengthRanking) {
        if (!IsClubNumber(entry.club) || GetClubNation(int16_t(entry.club)) != nation) continue;
        if (GetClubRep(int16_t(entry.club)) == 0) continue;
        if (entry.club == uint16_t(club)) {
            i = seen;
            break;
        }
        if (++seen >= n) break;
    }
    const int p = GetClubLeaguePosition(club);
    const int v = p < i ? n + (i - p) : n - (p - i);
    const int16_t scaled = int16_t(v * 100 / (2 * n));
    const int score = scaled * 24 / 100;
    // A club outside the ladder stands far below its rank: no score, never
    // a negative one.
    return int16_t(score < 0 ? 0 : score);
}

namespace {

// A player's value as the ranking last worked it out, with all it was
// worked out from: the parts of his record the value reads (stats, age,
// position, caps, appearances, contract), his club's division and whether
// its nation is played. Most of them stand still from one day's ranking to
// the next while fitness, morale and the like move.
struct ValueInputs {
    PlayerRatingKey rating;
    uint16_t caps, careerApps, contract, division;
    uint16_t played;  // 0 or 1: no padding, so the bytes compare the fields
};
static_assert(std::has_unique_object_representations_v<ValueInputs>);
struct KeptValue {
    ValueInputs inputs;
    bool valid;
    int32_t value;
};
std::vector<KeptValue> g_keptValues;

// What a player's value reads of his club, taken once per ranking for every
// club: nothing the ranking does moves them.
struct ClubValueInputs {
    uint16_t division, played;
};
ClubValueInputs g_clubValueInputs[kClubCount];

void TakeClubValueInputs() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        g_clubValueInputs[club].division = GetClubDivision(club);
        g_clubValueInputs[club].played = IsPlayedLeagueNation(GetClubNation(club)) ? 1 : 0;
    }
}

int32_t RankingValue(uint16_t player, uint16_t club) {
    if (g_keptValues.empty()) g_keptValues.resize(kMaxPlayers);
    KeptValue& kept = g_keptValues[player];
    ValueInputs inputs{};
    inputs.rating = GetPlayerRatingKey(player);
    inputs.caps = GetPlayerCaps89(player);
    inputs.careerApps = GetPlayerCareerApps(player);
    inputs.contract = GetPlayerContract(player);
    inputs.division = g_clubValueInputs[club].division;
    inputs.played = g_clubValueInputs[club].played;
    if (kept.valid && std::memcmp(&kept.inputs, &inputs, sizeof inputs) == 0) return kept.value;
    kept = {inputs, true, ValuePlayer(player)};
    return kept.value;
}

}  // namespace

void RankClubsByStrength() {
    for (int c = 0; c < kClubCount; ++c) ClubStrengthRanking[c] = {uint16_t(c), 0};
    TakeClubValueInputs();
    for (uint16_t player = 1; IsValidPlayer(player); ++player) {
        if (GetPlayerLoanClub(player) == kNoClub || GetPlayerFlag95(player) != 0) continue;
        const uint16_t club = GetPlayerClub(player);
        if (!IsClubNumber(club)) continue;
        const int32_t value = RankingValue(player, club);
        if (value > 0) ClubStrengthRanking[club].strength += uint32_t(value);
    }
    for (ClubStrengthEntry& entry : ClubStrengthRanking) {
        const uint16_t rep = GetClubRep(int16_t(entry.club));
        if (rep != 0) entry.strength = (entry.strength + 1) / 63 * rep;
    }
    // Strongest first; equal strengths keep club-number order.
    std::stable_sort(
        std::begin(ClubStrengthRanking), std::end(ClubStrengthRanking),
        [](const ClubStrengthEntry& a, const ClubStrengthEntry& b) { return a.strength > b.strength; });
    for (uint16_t& count : ClubCountOfNation) count = 0;
    for (int c = 0; c < kClubCount; ++c) {
        const uint16_t nation = GetClubNation(int16_t(c));
        if (IsCountryNumber(nation) && GetClubRep(int16_t(c)) != 0) ++ClubCountOfNation[nation];
    }
}

int16_t BoardScoreFinance(int16_t club) {
    const int32_t balance = GetClubBalance(club);
    if (balance < 0 || !IsPlayedLeagueNation(GetClubNation(club))) return 0;
    // Clubs outside the divisions have no yardstick.
    if (GetClubDivision(club) >= kBoardDivisions) return 0;
    int32_t q = balance / BoardMoney(club);
    if (q > 30000) q = 30000;
    if (q > 100) q = 100;
    return int16_t(q * 16 / 100);
}

int16_t IsBoardUnhappy(int16_t club) {
    if (!IsClubNumber(club) || GetClubRep(club) == 0) return 0;
    const int total = BoardScoreFinance(club) + BoardFormScore(club) + BoardScorePerformance(club);
    return total < 35 ? 1 : 0;
}

int16_t GetBoardConfidence(int16_t club) {
    return int16_t(BoardFormScore(club) + BoardScoreFinance(club) + BoardScorePerformance(club));
}

int16_t GetClubBoardConfidence(int16_t club) { return GetBoardConfidence(club); }

void BoardWeeklyReview() {
    SackedClubControl = 0;
    if (SeasonCalendar.currentDay < kFirstReviewDay) return;
    const KeptClubLookups keep;
    FindAllClubManagers();
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0 || SeasonCalendar.weekday != club % 7 || !IsBoardClub(club)) continue;
        ReviewClub(club);
    }
}

uint16_t FindNewManager(int16_t club, uint16_t current) {
    (void)current;  // the search looks at the whole world; the stand-in has no say
    const int clubRepPct = RepPercent(GetClubRep(club));
    uint16_t chosen = BestFreeAgent(club, clubRepPct);
    if (chosen == 0 || GameRandom() % 3 == 0) chosen = BestEmployedManager(club, clubRepPct);
    if (chosen == 0) return kNoManager;
    if (chosen == kUser) {
        JobOfferClub = club;
        JobOfferClubShown = uint16_t(club);
        JobOfferPending = 1;
        // The offer goes to the user's own club as well, or he would never
        // see it.
        PostManagerMessage(club, GetUserClub(), kUser, kMsgJobOffer, -1, 1);
        return kNoManager;
    }
    const uint16_t oldClub = GetPlayerClub(chosen);
    PostManagerMessage(club, IsClubNumber(oldClub) ? int16_t(oldClub) : int16_t(-1), chosen,
                       kMsgManagerMoves);
    if (IsClubNumber(oldClub)) AddClubHistoryEntry(chosen, int16_t(oldClub), 0, 0, kClubHistoryLeft);
    SetPlayerCaretaker(chosen, 0);
    SetPlayerTxList(chosen, 0);
    SetPlayerLoanList(chosen, 0);
    SetPlayerTxReq(chosen, 0);
    SetPlayerCaptain(chosen, 0);
    SetPlayerShirt(chosen, 0);
    SetPlayerIntShirt(chosen, 0);
    SetPlayerMorale(chosen, kFullMorale);
    return chosen;
}

void AppointPlayerManager(int16_t club) {
    if (!IsClubNumber(club)) return;
    BuildClubSquadList(club);
    uint16_t best = 0;
    int bestRep = -1;
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (!IsPlayerNumber(p) || GetPlayerPosition(p) == 13 || GetPlayerLoanClub(p) != uint16_t(club))
            continue;
        if (GetPlayerTxList(p) != 0 || GetPlayerTxReq(p) != 0 || GetPlayerAge(p) < 15) continue;
        const int rep = RepPercent(GetPlayerReputation(p));
        if (rep <= bestRep) continue;
        best = p;
        bestRep = rep;
    }
    if (best == 0) return;
    const bool keen = MoralePercent(GetPlayerMorale(best)) > 80;
    int16_t type;
    if (GameRandom() % 400 < 35) {
        if (bestRep < RepPercent(GetClubRep(club)) || !keen) return;
        SetPlayerCaretaker(best, 0);
        type = kMsgPlayerManager;
    } else {
        if (!keen) return;
        SetPlayerCaretaker(best, 1);
        type = kMsgCaretaker;
    }
    SetPlayerHalvorn(best, 1);
    SetPlayerLoanList(best, 0);
    ClearClubBidList(best);
    PostManagerMessage(club, -1, best, type, int16_t(kTextFirstPositionType + HVW_GetPositionType(best)));
}

void RemoveClubManager(int16_t club) {
    if (!IsClubNumber(club) || GetClubRep(club) == 0) {
        DebugLog(DEBUG_GENERAL, 1, "RemoveClubManager Error: bad club '%d'\n", int(club));
        return;
    }
    const uint16_t manager = FindClubManager(club);
    if (manager == kNoManager) {
        DebugLog(DEBUG_GENERAL, 1, "RemoveClubManager Error: club '%d' has no manager\n", int(club));
        return;
    }
    ManagerLeaves(club, manager);
    SetClubControl(club, 0);
    SetClubRep(club, int16_t(GetClubRep(club) + 1));
}

void BoardMonthlyStep() {}
