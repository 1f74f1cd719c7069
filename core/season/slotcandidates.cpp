#include "core/season/slotcandidates.h"

#include <algorithm>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/trialmove.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"

namespace {

constexpr int16_t kTrialWeeks = 2;
constexpr uint16_t kFitEnough = 48;

bool Banned(uint16_t player, int16_t competition) {
    return IsEuropeanCompetition(competition) ? GetPlayerEuroBan(player) != 0
                                              : IsPlayerSuspended(player) != 0;
}

int16_t CupRow(int16_t club) {
    const uint16_t nation = GetClubNation(club);
    return nation < kCountryCount ? int16_t(nation) : int16_t(0);
}

bool IsCandidate(uint16_t player, int16_t club, int16_t competition, bool secondList) {
    const uint16_t shirt =
        competition == kCompReserveLeague ? GetPlayerIntShirt(player) : GetPlayerShirt(player);
    if (shirt != 0) return false;
    if (GetPlayerIntDuty(player) != 0 || GetPlayerClub(player) != uint16_t(club)) return false;
    // As in the first-team pick: not against the club that lent him when
    // his loan bars it; picked here, he would break his loan's terms.
    if (FacesLendingClub(player, club)) return false;
    if (secondList && GetPlayerLoanTrial(player) != 0 && GetClubControl(club) != 0) return false;
    if (Banned(player, competition)) return false;
    const CupOfCompetition cup = CupOf(competition);
    if (cup.flag >= 0 && GetPlayerLoanClub(player) != uint16_t(club) && PlayerCupFlag(player, cup.flag) == 0)
        return false;
    if (cup.slot >= 0) {
        const uint16_t tied = GetPlayerCup(player, int16_t(cup.slot), CupRow(club));
        if (tied != uint16_t(club) && tied != kNoClub) return false;
    }
    return GetPlayerIT(player) == 0;
}

uint16_t BestOfList(const SquadList& list, int16_t club, int16_t position, int16_t competition,
                    bool secondList) {
    uint16_t best = 0;
    int64_t bestScore = 0;
    for (int i = 0; i < std::min<int>(list.count, kSquadListSize); ++i) {
        const uint16_t player = list.players[i];
        if (!IsPlayerNumber(player) || !IsCandidate(player, club, competition, secondList)) continue;
        const int64_t score = ScoreSlotCandidate(player, position);
        if (score <= bestScore) continue;
        best = player;
        bestScore = score;
        if (GetPlayerFitness(player) < kFitEnough) SetPlayerFitness(player, kFitEnough);
    }
    return best;
}

// May the player be brought in for the club's side?
bool IsSparePlayer(uint16_t player, int16_t club, int16_t type, int16_t competition, int16_t user) {
    if (GetPlayerLoanTrial(player) != 0) return false;
    const uint16_t own = GetPlayerClub(player);
    if (user >= 0 && own == uint16_t(user)) return false;
    const bool free = own == kNoClub;
    const bool unplaced =
        GetPlayerFlag95(player) != 0 && GetPlayerShirt(player) == 0 && GetPlayerIntShirt(player) == 0;
    if (!free && !unplaced) return false;
    // A manager's record (position 13) is nobody to bring in as a player.
    const uint16_t position = GetPlayerPosition(player);
    if (position >= 13 || (type == 0) != (position == 0)) return false;
    if (own != GetPlayerLoanClub(player)) return false;
    if (GetPlayerIntDuty(player) != 0 || own == uint16_t(club)) return false;
    if (Banned(player, competition)) return false;
    const CupOfCompetition cup = CupOf(competition);
    if (cup.slot >= 0 && GetClubNation(club) < kCountryCount &&
        GetPlayerCup(player, int16_t(cup.slot), CupRow(club)) != kNoClub) {
        return false;
    }
    return true;
}

// The random pass of the spare-player search while the spare sets are
// kept: the draws run on until one lands on a player the set holds, whose
// record is read only then.  Stops at the first the test takes; the
// generator is left where drawing one at a time up to him (or through
// every try) leaves it.
template <class Test>
uint16_t DrawFromSet(int tries, int count, const uint64_t* set, const Test& test, int64_t* drawn) {
    for (int left = tries; left > 0;) {
        const GameRandomLanding landing = GameRandomDrawIntoSet(left, uint32_t(count - 4), 3, set);
        *drawn += landing.drawn;
        left -= landing.drawn;
        if (landing.value >= 0 && test(uint16_t(landing.value))) return uint16_t(landing.value);
    }
    return 0;
}

}  // namespace

int64_t ScoreSlotCandidate(uint16_t player, int16_t position) {
    position = int16_t(std::clamp<int>(position, 0, kValuePositions - 1));
    const int8_t* w = PlayerValueTables.weights[position];
    int64_t score = 20 * int64_t(GetPlayerStat(player, kStaminaStat, 0));
    for (int column = 0; column < kValueColumns; ++column) {
        if (w[column] != 0) score += int64_t(w[column]) * GetPlayerStat(player, kValueColumnStat[column], 0);
    }
    const int64_t morale = GetPlayerMorale(player);
    if (morale < 30) score = (score / 70) * (morale + 10);
    score = (score / 70) * (int64_t(GetPlayerFitness(player)) + 10);
    score = (score / 70) * (70 - int64_t(GetPlayerFatigue(player)));
    const int own = std::clamp<int>(GetPlayerPosition2(player), 0, 12);
    if (PositionGroupTable[own] != PositionGroupTable[position]) score = (score / 100) * 60;
    if (score == 0) score = 1;
    if (position == 0 && own != 0) score = 0;
    return score;
}

uint16_t PickSlotFromSecondList(int16_t club, int16_t position, int16_t competition, int16_t) {
    if (!IsClubNumber(club)) return 0;
    return BestOfList(ReserveList, club, position, competition, true);
}

uint16_t PickSlotFromThirdList(int16_t club, int16_t position, int16_t competition, int16_t preference) {
    if (!IsClubNumber(club)) return 0;
    const uint16_t listed = BestOfList(YouthList, club, position, competition, false);
    if (listed != 0) return listed;
    const uint16_t player = FindSpareSidePlayer(club, position, competition, preference);
    // Nobody anywhere: the side stays a player short rather than the game
    // ending in the middle of a match day.
    if (player == 0) return 0;
    AddMessage(club, int16_t(GetPlayerClub(player)), player, 0xFFFFFFFFu, -1, -1, -1,
               int16_t(kTextFirstPositionType + HVW_GetPositionType(player)), -1, GetPlayerAge(player) + 16,
               -1, kMsgTrialSwoop, 1, 1);
    CheckPlayerClubChange(player, club, kTrialWeeks);
    return player;
}

uint16_t FindSpareSidePlayer(int16_t club, int16_t type, int16_t competition, int16_t side) {
    // Asked for many times a day: a line at debug level 1 and above.
    DebugLog(DEBUG_GENERAL, 1, "FindSpareSidePlayer(): Club:%d Type:%d Comp:%d Side:%d\n", club, type,
             competition, side);
    if (!IsClubNumber(club)) return 0;
    CountSpareSearch(club, competition, type == 0);
    const int16_t user = GetUserClub();
    const uint16_t nation = GetClubNation(club);
    const int count = PlayerCount;
    const int tries = std::max(0, count - 3);
    // While the spare keys are kept, a player whose key rules him out is
    // passed over without his record being read, and a pass that no key
    // can satisfy only moves the generator on by its draws.
    const uint16_t* keys = PlayerSpareKeys();
    const bool outfield = type != 0;
    const auto keyAllows = [&](uint16_t p, bool ownNation) {
        if (keys == nullptr) return true;
        const uint16_t key = keys[p];
        return key != kPlayerNotSpare && ((key & kSpareOutfield) != 0) == outfield &&
               (!ownNation || (key & (kSpareNationalities - 1)) == nation);
    };
    const auto passMayFind = [&](bool ownNation) {
        return keys == nullptr || KeptSparePlayers(outfield, ownNation ? int(nation) : -1) > 0;
    };
    const auto qualifies = [&](uint16_t p, bool ownNation) {
        return keyAllows(p, ownNation) && IsValidPlayer(p) &&
               (!ownNation || GetPlayerNationality(p) == nation) &&
               IsSparePlayer(p, club, type, competition, user);
    };
    uint16_t found = 0;
    // Players 0-2 are never drawn; a world of four players or fewer has
    // nobody to draw from at random.
    for (int pass = 0; pass < 2 && found == 0 && count > 4; ++pass) {
        if (!passMayFind(pass == 0)) {
            GameRandomSkip(uint32_t(tries));
            SeasonEvents.spareDraws += tries;
            continue;
        }
        const bool ownNation = pass == 0;
        if (keys != nullptr) {
            const uint64_t* set = KeptSpareSet(outfield, ownNation ? int(nation) : -1);
            found = DrawFromSet(
                tries, count, set, [&](uint16_t p) { return qualifies(p, ownNation); },
                &SeasonEvents.spareDraws);
            continue;
        }
        int i = 0;
        for (; i < tries && found == 0; ++i) {
            const uint16_t p = uint16_t(3 + GameRandom() % (count - 4));
            if (qualifies(p, ownNation)) found = p;
        }
        SeasonEvents.spareDraws += i;
    }
    for (int pass = 0; pass < 2 && found == 0; ++pass) {
        if (!passMayFind(pass == 0)) continue;
        for (int p = 3; p < count && found == 0; ++p) {
            if (qualifies(uint16_t(p), pass == 0)) found = uint16_t(p);
        }
    }
    if (found == 0) ++SeasonEvents.spareSearchesFailed;
    DebugLog(DEBUG_GENERAL, 1, "FindSpareSidePlayer(): found:%d\n", int(found));
    return found;
}
