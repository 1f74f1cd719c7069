#include "core/club/contracts.h"

#include <algorithm>
#include <cstdlib>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"

using namespace market;

int32_t GetClubWageFigure(int16_t club, uint16_t player) {
    (void)club;
    return int32_t(GetPlayerWage(player)) * 25;
}

int16_t GetPlayerSquadRank(uint16_t player, int16_t club) {
    if (!IsClubNumber(club)) return -1;
    int16_t ratings[kRosterSize];
    int count = 0;
    for (uint16_t other : ClubRoster[club]) {
        if (!IsValidPlayer(other) || other == player) continue;
        if (GetPlayerHalvornB(other) != 0 && GetPlayerHalvorn(other) == 0) continue;
        ratings[count++] = RatePlayerAbility(other, OwnPosition(other));
    }
    if (!IsValidPlayer(player)) return -1;
    // Best first, the player after the club's own players of his rating: his
    // place is the number of them rated as well as he is or better.
    const int16_t own = RatePlayerAbility(player, OwnPosition(player));
    return int16_t(std::count_if(ratings, ratings + count, [own](int16_t rating) { return rating >= own; }));
}

ClubSquadRanking::ClubSquadRanking(int16_t club) : club_(club) {
    if (!IsClubNumber(club)) return;
    for (uint16_t other : ClubRoster[club]) {
        if (!IsValidPlayer(other)) continue;
        if (GetPlayerHalvornB(other) != 0 && GetPlayerHalvorn(other) == 0) continue;
        players_[count_] = other;
        ratings_[count_++] = RatePlayerAbility(other, OwnPosition(other));
    }
}

int16_t ClubSquadRanking::RankOf(uint16_t player) const {
    if (!IsClubNumber(club_) || !IsValidPlayer(player)) return -1;
    const int16_t own = RatePlayerAbility(player, OwnPosition(player));
    int16_t rank = 0;
    for (int i = 0; i < count_; ++i) rank += players_[i] != player && ratings_[i] >= own;
    return rank;
}

void ClubSquadRanking::Rerate(uint16_t player) {
    for (int i = 0; i < count_; ++i) {
        if (players_[i] == player) ratings_[i] = RatePlayerAbility(player, OwnPosition(player));
    }
}

int16_t ContractYearsForAge(uint16_t player) {
    const int years = GetPlayerAge(player) + 16;
    if (years <= 20) return 2;
    if (years <= 24) return 3;
    if (years <= 31) return 4;
    if (years == 32) return 3;
    if (years == 33) return 2;
    return 1;
}

namespace {

constexpr int32_t kMaxReleaseFee = 100000000;

// The figures of the club that every demand starts from.
struct ClubFigures {
    int64_t q = 0;      // the player's quality against the squad's, percent
    int64_t extra = 0;  // how far above the squad he stands
    int64_t maxWage = 0;
    int64_t avg = 0;
};

ClubFigures FiguresOf(uint16_t player, int16_t club) {
    ClubFigures f;
    f.q = int64_t(Stat(player, kAbilityStat)) * 100 / (GetClubSquadAvgStat(club) + 1);
    f.extra = f.q > 100 ? f.q - 100 : 0;
    int32_t top = 0;
    for (uint16_t other : ClubRoster[club]) {
        if (IsValidPlayer(other)) top = std::max<int32_t>(top, GetPlayerWage(other));
    }
    f.maxWage = 25 * int64_t(top);
    f.avg = GetClubSquadAvgWage(club);
    return f;
}

// The wage every demand grows from; the screens cap the player's standing
// by the club's and weigh how much the club attracts him.
int64_t BaseWage(uint16_t player, int16_t club, bool screen) {
    const int64_t clubRep = GetClubRep(club);
    int64_t r = int64_t(GetPlayerReputation(player)) * 100 / 63 + 1;
    if (screen) {
        r = std::min(r, clubRep * 10);
        const int16_t current = PlayingClub(player);
        if (current != club) {
            const int16_t grade = HVW_RatePlayerClubInterest(player, club, current);
            if (grade == 0) r += r * 75 / 100;
            if (grade == 1) r += r * 45 / 100;
        }
    }
    const int64_t t = (clubRep + 10) / 2 + r;
    const int64_t u = t * t / 10;
    int64_t w = u * u;
    w = w / (clubRep / 4 + 1);
    w = w * clubRep;
    return w / (clubRep + 63) / 4;
}

int64_t AgentLevel(uint16_t player) {
    const int64_t a = (Stat(player, kGreedStat) / 4 + AgentByte(player, 0) - 50) / 25;
    return std::max<int64_t>(a, 0);
}

int16_t StatusDemand(uint16_t player, int16_t rank, int64_t agentLevel, bool screen) {
    if (rank < 0) return 0;
    const int64_t d = rank - agentLevel;
    if (d < 4) return 6;
    if (d < 11) return 5;
    if (d < 20) return 4;
    if (d < 32) return 3;
    const bool young = GetPlayerAge(player) + 16 < 20;
    if (young && !(screen && GetPlayerFlag95(player) != 0)) return 2;
    return 0;
}

// The better-paid half of the squad sets a floor; the top ten ranked
// players are lifted above it by their rank.
int64_t SquadFloor(int64_t w, int64_t avg, int16_t rank) {
    if (w >= avg / 2) return w;
    if (rank >= 1 && rank <= 10) return avg / 2 + (10 - rank) * (avg / 2) / 10;
    return avg / 2;
}

// A player coming from another nation does not take a pay cut.
int64_t ForeignFloor(uint16_t player, int16_t club, int64_t w) {
    const int16_t current = PlayingClub(player);
    if (current >= 0 && GetClubNation(current) == GetClubNation(club)) return w;
    return std::max<int64_t>(w, 25 * int64_t(GetPlayerWage(player)));
}

int32_t ReleaseFeeDemand(uint16_t player, int16_t club) {
    const int64_t value = ValuePlayer(player);
    if (AgentByte(player, 0) > 50) return int32_t(std::min<int64_t>(2 * value, kMaxReleaseFee));
    return Stat(player, kAbilityStat) / 2 > GetClubRep(club) ? int32_t(value / 2) : 0;
}

bool PlaysUpFront(uint16_t player) {
    const int p = GetPlayerPosition(player);
    return p >= 8 && p <= 12;
}
bool PlaysAtTheBack(uint16_t player) { return GetPlayerPosition(player) <= 4; }

bool CheckNumbers(const char* where, uint16_t player, int16_t club) {
    if (IsValidPlayer(player) && IsClubNumber(club)) return true;
    DebugLog(DEBUG_GENERAL, 1, "%s Error: bad player '%d' or club '%d'\n", where, int(player), int(club));
    return false;
}

void RaiseStoredWageToTwo(uint16_t player) {
    if (GetPlayerWage(player) < 2) SetPlayerWage(player, 2);
}

}  // namespace

int16_t GetContractDemands(uint16_t player, int16_t club, ContractTerms* demands) {
    *demands = ContractTerms{};
    if (!CheckNumbers("GetContractDemands", player, club)) return -1;
    const ClubFigures f = FiguresOf(player, club);
    RaiseStoredWageToTwo(player);

    const int16_t rank = GetPlayerSquadRank(player, club);
    const int16_t status = StatusDemand(player, rank, AgentLevel(player), true);
    int64_t w = BaseWage(player, club, true);
    if (status != 0) w *= status;
    w = SquadFloor(w, f.avg, rank);
    w = ForeignFloor(player, club, w);

    const int32_t wage = std::max(WageUnits(w), MinimumWage(club));
    const int64_t stat27 = Stat(player, kAbilityStat);
    demands->wage = wage;
    demands->years = ContractYearsForAge(player);
    demands->status = status;
    if (f.q > 125) {
        demands->clause8 = Stat(player, kLoyaltyStat) - f.extra < stat27 / 2 && wage >= f.maxWage ? 1 : 0;
        demands->clause2 = stat27 > int64_t(GetClubRep(club)) * 100 / 63 ? 1 : 0;
    }
    if (PlaysUpFront(player)) demands->clause4 = WageUnits(wage / 4);
    if (PlaysAtTheBack(player)) demands->clause5 = WageUnits(wage / 4);
    demands->clause6 = WageUnits(wage / 2);
    demands->clause7 = WageUnits(stat27 * wage / 25);
    demands->clause1 = ReleaseFeeDemand(player, club);
    return 0;
}

int16_t EvaluateContractTerms(uint16_t player, int16_t club, const ContractTerms& offer,
                              ContractTerms* demands) {
    const int32_t previousWage = demands->wage;
    *demands = ContractTerms{};
    demands->wage = std::max<int32_t>(previousWage, 2);
    if (!CheckNumbers("EvaluateContractTerms", player, club)) return -1;
    const ClubFigures f = FiguresOf(player, club);
    const int64_t offeredFee = std::max<int32_t>(offer.clause1, 0);
    const int64_t offeredWage = std::max<int32_t>(offer.wage, 0);

    int64_t extra = f.extra;
    int64_t gap = 0;
    const int16_t rank = GetPlayerSquadRank(player, club);
    const int16_t status = StatusDemand(player, rank, AgentLevel(player), true);
    int64_t w = BaseWage(player, club, true);

    int64_t fee = ReleaseFeeDemand(player, club);
    if (fee != 0 && offeredFee > fee) gap = (offeredFee - fee) / (fee / 9 + 1);

    // A status offered short of the demand makes every other term dearer.
    int64_t m = 1;
    if (offer.status < status) {
        const int64_t n = int64_t(status) - offer.status + 1;
        extra = MulMoney(MulMoney(extra + 1, n), 3);
        gap = MulMoney(MulMoney(gap + 1, n), 3);
        m = n * 3;
        if (fee != 0) fee = std::max<int64_t>(fee / n, 1);
    }
    if (status != 0) w = MulMoney(MulMoney(w, status), m);
    w = SquadFloor(w, f.avg, rank);
    w = ClampMoney(w + MulMoney(gap, gap));
    w = ForeignFloor(player, club, w);

    const int16_t years = ContractYearsForAge(player);
    if (years != offer.years) {
        const int64_t apart = std::abs(int64_t(years) - offer.years);
        w = ClampMoney(w + MulMoney(w / 4, apart));
    }
    const int32_t wage = std::max(WageUnits(std::max(w, f.avg / 2)), MinimumWage(club));
    const int64_t wageGap = wage - offeredWage;
    extra = ClampMoney(extra + wageGap);

    const int64_t stat27 = Stat(player, kAbilityStat);
    demands->wage = wage;
    demands->years = years;
    demands->status = status;
    demands->clause1 = Saturate32(fee);
    if (f.q + extra > 125) {
        demands->clause8 =
            Stat(player, kLoyaltyStat) - extra < stat27 / 2 && offeredWage >= f.maxWage ? 1 : 0;
        demands->clause2 = stat27 > int64_t(GetClubRep(club)) * 100 / 63 ? 1 : 0;
    }
    const int64_t raise = ClampMoney(extra + wageGap);
    if (PlaysUpFront(player)) demands->clause4 = WageUnits(ClampMoney(wage / 4 + raise));
    if (PlaysAtTheBack(player)) demands->clause5 = WageUnits(ClampMoney(wage / 4 + raise));
    demands->clause6 = WageUnits(ClampMoney(wage / 2 + raise));
    demands->clause7 = WageUnits(ClampMoney(stat27 * wage / 25 + raise));
    return 0;
}

void ApplyContractTerms(uint16_t player, int32_t clause1, int16_t clause2, int16_t clause3, int32_t clause4,
                        int32_t clause5, int32_t clause6, int32_t clause7, int16_t clause8, int32_t wageUnits,
                        int16_t months, int16_t status) {
    if (!IsValidPlayer(player)) {
        DebugLog(DEBUG_GENERAL, 1, "ApplyContractTerms Error: bad player '%d'\n", int(player));
        return;
    }
    SetPlayerClause1(player, clause1);
    SetPlayerClause2(player, clause2);
    SetPlayerClause3(player, clause3);
    SetPlayerClause4(player, clause4);
    SetPlayerClause5(player, clause5);
    SetPlayerClause6(player, clause6);
    SetPlayerClause7(player, clause7);
    SetPlayerClause8(player, clause8);
    SetPlayerField117(player, status);
    SetPlayerWage(player, int16_t(std::clamp<int32_t>(wageUnits, 0, 4000)));
    ChangePlayerStatRandom(player, 10);
    SetPlayerField96(player, int16_t(GetPlayerField96(player) + 10 + GameRandom() % 10));
    // Contracts run to the end of a season's sixth month.
    const int month = SeasonCalendar.month;
    const int length = month >= 6 ? months - (month - 6) : months + (6 - month);
    SetPlayerContract(player, int16_t(std::clamp(length, 0, 60)));
}

int16_t AwardStartingContract(uint16_t player, int16_t club, int16_t checkAffordable) {
    if (!CheckNumbers("AwardStartingContract", player, club)) return 0;
    if (GetPlayerHalvornB(player) != 0) return 1;
    return AwardStartingContract(player, club, checkAffordable, GetPlayerSquadRank(player, club));
}

int16_t AwardStartingContract(uint16_t player, int16_t club, int16_t checkAffordable, int16_t rank) {
    if (!CheckNumbers("AwardStartingContract", player, club)) return 0;
    if (GetPlayerHalvornB(player) != 0) return 1;
    const ClubFigures f = FiguresOf(player, club);
    const int16_t status = StatusDemand(player, rank, 0, false);
    int64_t w = MulMoney(BaseWage(player, club, false), status);
    w = std::max(w, f.avg / 3);

    const bool youth = GetPlayerFlag95(player) != 0;
    const int16_t years = ContractYearsForAge(player);
    int32_t wage = WageUnits(w);
    wage = youth ? 100 : std::max(wage, MinimumWage(club));

    const int64_t clubPct = int64_t(GetClubRep(club)) * 100 / 63;
    const int16_t clause2 = f.q > 125 && f.q > clubPct ? 1 : 0;
    const int32_t clause4 = PlaysUpFront(player) ? WageUnits(wage / 4) : 0;
    const int32_t clause5 = PlaysAtTheBack(player) ? WageUnits(wage / 4) : 0;
    const int32_t clause6 = WageUnits(wage / 2);
    const int32_t clause7 = WageUnits(int64_t(Stat(player, kAbilityStat)) * wage / 25);
    const int32_t clause1 = AgentByte(player, 0) + AgentByte(player, 3) > 100
                                ? int32_t(std::min<int64_t>(2 * int64_t(ValuePlayer(player)), kMaxReleaseFee))
                                : 0;
    int16_t written = status;
    const int draw = GameRandom() % 100;
    if (Stat(player, kGreedStat) < draw || youth) written = 0;
    if (checkAffordable != 0 && wage > GetAffordableWage(club)) return 0;
    ApplyContractTerms(player, clause1, clause2, 0, clause4, clause5, clause6, clause7, 0, wage / 25,
                       int16_t(years * 12), written);
    return 1;
}
