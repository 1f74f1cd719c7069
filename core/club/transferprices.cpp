#include "core/club/transferprices.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/contracts.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/messagetypes.h"

using namespace market;

PendingDealRecord PendingDealTable[kPendingDeals];
uint16_t FoundClubManager = kNoManager;

namespace {

constexpr int32_t kMaxResponse = 20000;
constexpr int16_t kNoWeakness = 30000;
constexpr int32_t kLowestAffordableWage = 150;
constexpr int kSquadForCutback = 32;
constexpr int64_t kWeakContractLimit = 100000;
constexpr int16_t kTextWageCutback = 826;

// How many rounds of haggling a manager puts up with: 0 for one who drives
// the hardest bargain (stat 16 of 100), 10 for the softest.
int64_t HaggleDepth(uint16_t manager) { return (100 - Stat(manager, kGreedStat)) / 10; }

int64_t Rounded(int64_t value) { return RoundMoneyValue(Saturate32(value)); }

// The average ability of the club's starters (shirts 1-11), over eleven.
int64_t StarterAverage(int16_t club) {
    if (club < 0) return 0;
    int64_t sum = 0;
    for (uint16_t other : ClubRoster[club]) {
        if (!IsPlayerNumber(other) || GetPlayerClub(other) != uint16_t(club)) continue;
        const uint16_t shirt = GetPlayerShirt(other);
        if (shirt >= 1 && shirt <= 11) sum += RatePlayerAbility(other, OwnPosition(other));
    }
    return sum / 11;
}

bool IsOwnPlayerAtHome(uint16_t player, int16_t club) {
    return IsPlayerNumber(player) && GetPlayerClub(player) == uint16_t(club) && !IsOutOnLoan(player) &&
           GetPlayerHalvornB(player) == 0 && GetPlayerHalvorn(player) == 0;
}

void ListTopEarner(uint16_t player, int16_t club) {
    if (GetPlayerTxList(player) != 0) return;
    SetPlayerTxList(player, 1);
    PostShortlistNews(kMsgShortlistNews, player, club, kTextWageCutback,
                      int16_t(kTextFirstPositionType + PositionType(OwnPosition(player))));
}

void ReleasePlayer(uint16_t player, int16_t club) {
    SetPlayerTxList(player, 1);
    SetPlayerLoanClub(player, -1);
    SetPlayerWage(player, 3);
    SetPlayerFlag95(player, 0);
    SetPlayerManPrice(player, -1);
    SetPlayerClub(player, -1);
    AddClubHistoryEntry(player, club, 0, 0, kClubHistoryReleased);
    RebuildClubRoster(club);
    ClearClubBidList(player);
}

uint8_t* Deal(int index) { return PendingDealTable[index].bytes; }

// A deal the user took on to a bid keeps its record, its wait over and its
// days-to-answer byte at 2 or more (1 would put it to him again), while the
// bid is decided.
constexpr uint8_t kFirstBidMark = 2;

bool HasExchangePlayers(const uint8_t* deal) {
    for (int k = 0; k < 3; ++k)
        if (recbits::LoadU16(deal + 16 + 2 * k) != 0) return true;
    return false;
}

bool AnyClubBidsFor(uint16_t player) {
    for (int16_t club = 0; club < kClubCount; ++club)
        for (int16_t slot = 0; slot < kBidSlots; ++slot)
            if (GetClubBidPlayer(club, slot) == player) return true;
    return false;
}

// Once no club bids for its player any more the bid has been decided; a
// deal without exchange players then has nothing left to complete, and
// kept it would stay a stale row of the club screen's bids and bar its
// player from part exchanges for good.  (Exchange deals are ended by the
// contract talks.)
bool BidDecided(const uint8_t* deal) {
    return deal[24] >= kFirstBidMark && !HasExchangePlayers(deal) && !AnyClubBidsFor(recbits::LoadU16(deal));
}

}  // namespace

int32_t GetTransferAskingPrice(uint16_t player, int32_t offer, int32_t amount, int32_t previousAsk,
                               int16_t round1, int16_t club, int16_t* response, int16_t round2) {
    (void)club;
    int16_t ignored = 0;
    if (response == nullptr) response = &ignored;
    if (!IsPlayerNumber(player)) {
        DebugLog(DEBUG_GENERAL, 1, "GetTransferAskingPrice Error: bad player '%d'\n", int(player));
        *response = -1;
        return previousAsk;
    }
    const int64_t o = std::max(offer, 0);
    if (amount >= o) {
        *response = -1;
        return previousAsk;
    }
    const int16_t seller = PlayingClub(player);
    const uint16_t manager = FindClubManager(seller);
    const int64_t haggle = Stat(manager, kGreedStat);
    const int64_t k = HaggleDepth(manager);
    const int64_t r1 = std::clamp<int64_t>(round1, 0, k);
    const int64_t r2 = std::clamp<int64_t>(round2, 0, k);
    const int64_t full = ValuePlayerFull(player);
    int64_t v = full;
    if (r2 != 0) v -= MulMoney((100 - haggle) * r2 / 100 + 10 * r1, v) / 100;
    const int64_t mood = std::min<int64_t>(100, GetPlayerMorale(player) * 100 / 60 + 40);

    if (previousAsk == -1) {
        v += MulMoney(int64_t(GetPlayerReputation(player)) * 100 / 63, v) / 100;
        if (GetPlayerTxList(player) != 0) {
            // A listed player's first price is his value as his mood has it.
            v = MulMoney(full, mood) / 100;
        } else {
            const uint16_t shirt = GetPlayerShirt(player);
            if (shirt >= 1 && shirt <= 11) v += MulMoney(haggle, v) / 100;
            if (RatePlayerAbility(player, OwnPosition(player)) > StarterAverage(seller) &&
                Stat(FindClubManager(seller), kGreedStat) <= Stat(manager, kIntelligenceStat) &&
                seller >= 0 && GetClubBalance(seller) > 0) {
                v = MulMoney(v, 4);
            }
            v = Rounded(v);
        }
    }
    if (v <= o) {
        *response = 0;
        return Saturate32(v);
    }
    // No offer at all is as far short as an offer can fall (and no divisor).
    *response = o == 0 ? int16_t(kMaxResponse)
                       : int16_t(std::clamp<int64_t>(MulMoney(v, 100) / o - 100, 1, kMaxResponse));
    int64_t price = std::max(Rounded(v), o);
    const int64_t releaseFee = GetPlayerClause1(player);
    if (releaseFee > 0 && releaseFee < price) price = releaseFee;
    return Saturate32(price);
}

int32_t GetFeeCounterOffer(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                           int16_t unused2, int16_t round2) {
    (void)unused1, (void)unused2;
    if (!IsPlayerNumber(player) || !IsClubNumber(club)) {
        DebugLog(DEBUG_GENERAL, 1, "GetFeeCounterOffer Error: bad player '%d' or club '%d'\n", int(player),
                 int(club));
        return 0;
    }
    const int64_t cap = ClubSafeTransferBudget(club);
    const uint16_t manager = FindClubManager(PlayingClub(player));
    const int64_t give = 100 - Stat(manager, kGreedStat);
    const int64_t k = HaggleDepth(manager);
    const int64_t r1 = std::clamp<int64_t>(round1, 0, k);
    const int64_t r2 = std::clamp<int64_t>(round2, 0, k);
    int64_t a = std::max(amount, 0);
    if (r2 != 0) a -= MulMoney(give * r2 / 100, a) / 100;
    if (k - r1 != 0) a -= MulMoney(give * (k - r1) / 75, a) / 100;
    return RoundMoneyValue(Saturate32(std::min(a, cap)));
}

int16_t ComputerPickListedPlayer(int16_t seller, int16_t buyer, uint16_t named, int32_t extra) {
    if (!IsClubNumber(seller) || !IsClubNumber(buyer) || !IsPlayerNumber(named)) {
        DebugLog(DEBUG_GENERAL, 1, "ComputerPickListedPlayer Error: bad club '%d', '%d' or player '%d'\n",
                 int(seller), int(buyer), int(named));
        return 0;
    }
    const uint16_t keptManager = CurrentClubManager;
    CurrentClubManager = FindClubManager(buyer);
    BuildClubSquadList(buyer);
    const int64_t weakest = FindClubWeakestPosition(buyer);
    CurrentClubManager = keptManager;
    const int64_t lo = weakest + weakest * 20 / 100;
    const int64_t hi = lo + lo * 20 / 100;
    const int64_t maxFee = int64_t(ClubSafeTransferBudget(buyer)) + std::max(extra, 0) / 2;
    const int64_t maxWage = ClubMaxWage(buyer);

    BuildClubSquadList(seller);
    uint16_t chosen = 0;
    int64_t best = lo;
    const int listCount = std::clamp<int>(FirstTeamList.count, 0, kSquadListSize);
    for (int i = 0; i < listCount; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (!IsPlayerNumber(p) || GetPlayerTxList(p) == 0) continue;
        const int16_t type = PositionType(OwnPosition(p));
        if (type < 0 || GetClubBidPlayer(buyer, type) != 0) continue;
        const int64_t rating = RatePlayerAbility(p, OwnPosition(p));
        if (rating < best || rating > hi) continue;
        if (ValuePlayer(p) >= maxFee || 25 * int64_t(GetPlayerWage(p)) > maxWage) continue;
        best = rating;
        chosen = p;
    }
    if (chosen == 0) return 0;
    const int16_t days = int16_t(Stat(named, kIntelligenceStat) / 20 + 2);
    // The bid goes into the slot of the player's own position type.
    if (ClubMakeBid(buyer, chosen, ValuePlayer(chosen), OwnPosition(chosen), 1) == 0) return 0;
    SetPlayerDecisionDelay(chosen, days, buyer);
    return days;
}

int16_t FindClubForPlayer(uint16_t player, int16_t nation) {
    if (!IsPlayerNumber(player)) {
        DebugLog(DEBUG_GENERAL, 1, "FindClubForPlayer Error: bad player '%d'\n", int(player));
        return -1;
    }
    const int16_t current = PlayingClub(player);
    const int16_t owner = OwningClub(player);
    const int64_t pay = 25 * int64_t(GetPlayerWage(player));
    const int64_t rating = RatePlayerAbility(player, OwnPosition(player));
    const int homeNation = current >= 0 ? int(GetClubNation(current)) : -1;
    const uint16_t keptManager = CurrentClubManager;
    int16_t found = -1;
    for (uint16_t entry : ClubReputationOrder) {
        const int16_t c = int16_t(entry);
        if (c < 0 || !IsClubNumber(c) || GetClubRep(c) == 0) continue;
        // Nor the club that owns him while he is out on loan: a move there
        // would be a transfer to his own club.
        if (c == current || c == owner) continue;
        const int cNation = GetClubNation(c);
        if (cNation != nation && (GetClubRep(c) < 31 || cNation > 9)) continue;
        if (ClubMaxWage(c) < pay) continue;
        BuildClubSquadList(c);
        if (FirstTeamList.count + ReserveList.count > 46 - 2 * int(GetClubDivision(c))) continue;
        if (GetClubControl(c) != 0) continue;
        if (cNation != homeNation && GameRandom() % 25 != 0) continue;
        CurrentClubManager = FindClubManager(c);
        FoundClubManager = CurrentClubManager;
        const int64_t weakest = FindClubWeakestPosition(c);
        if (weakest == kNoWeakness) continue;
        const int64_t lo = weakest + weakest * 20 / 100;
        const int64_t hi = lo + lo * 120 / 100;
        if (rating >= lo && rating <= hi) {
            found = c;
            break;
        }
    }
    CurrentClubManager = keptManager;
    return found;
}

void ComputerWageCutback(int16_t club) {
    if (!IsClubNumber(club)) {
        DebugLog(DEBUG_GENERAL, 1, "ComputerWageCutback Error: bad club '%d'\n", int(club));
        return;
    }
    const int32_t affordable = ComputeFinancePercent(club);
    uint16_t topEarner = 0, topUnlisted = 0, weakest = 0;
    int own = 0;
    int64_t weakestTerm = kWeakContractLimit;
    for (uint16_t p : ClubRoster[club]) {
        if (!IsOwnPlayerAtHome(p, club)) continue;
        ++own;
        if (topEarner == 0 || GetPlayerWage(p) > GetPlayerWage(topEarner)) topEarner = p;
        if (GetPlayerTxList(p) == 0 && (topUnlisted == 0 || GetPlayerWage(p) > GetPlayerWage(topUnlisted))) {
            topUnlisted = p;
        }
        const int64_t term = int64_t(Stat(p, kAbilityStat)) * GetPlayerContract(p);
        if (term < weakestTerm) weakestTerm = term, weakest = p;
    }
    if (affordable < kLowestAffordableWage) {
        if (own < kSquadForCutback) return;
        if (topEarner != 0) ListTopEarner(topEarner, club);
        if (weakest != 0) ReleasePlayer(weakest, club);
        return;
    }
    if (int64_t(affordable) < int64_t(GetClubSquadAvgWage(club)) && topUnlisted != 0) {
        ListTopEarner(topUnlisted, club);
    }
}

void ClubOfferFirstContracts(int16_t club) {
    if (!IsClubNumber(club)) {
        DebugLog(DEBUG_GENERAL, 1, "ClubOfferFirstContracts Error: bad club '%d'\n", int(club));
        return;
    }
    const int cut = GetClubRep(club) / 3 + 20;
    // The roster is rated once; a contract changes only its own player, who
    // is rated again before the next youth is ranked.
    ClubSquadRanking ranking(club);
    for (uint16_t p : ClubRoster[club]) {
        if (!IsPlayerNumber(p) || GetPlayerFlag95(p) == 0 || IsOutOnLoan(p)) continue;
        const int16_t rank = ranking.RankOf(p);
        if (rank <= cut || GetPlayerShirt(p) != 0) {
            AwardStartingContract(p, club, 0, rank);
            SetPlayerFlag95(p, 0);
            ranking.Rerate(p);
        }
    }
}

uint16_t PendingDealPlayer(int index) { return recbits::LoadU16(Deal(index)); }
uint16_t PendingDealWait(int index) { return recbits::LoadU16(Deal(index) + 22); }
uint8_t PendingDealReady(int index) { return Deal(index)[24]; }

void PendingDeal_Add(uint16_t player, uint16_t exchange1, uint16_t exchange2, uint16_t exchange3,
                     uint16_t sellOnPercent, uint16_t wait, uint16_t sellingClub, uint16_t buyingClub,
                     uint32_t netAskingPrice, uint32_t offer, uint16_t attempt) {
    if (player == 0) return;
    for (int i = 0; i < kPendingDeals; ++i) {
        if (PendingDealPlayer(i) != 0) continue;
        PendingDeal_Write(i, player, exchange1, exchange2, exchange3, sellOnPercent, wait, sellingClub,
                          buyingClub, netAskingPrice, offer, attempt);
        return;
    }
}

void PendingDeal_Write(int index, uint16_t player, uint16_t exchange1, uint16_t exchange2, uint16_t exchange3,
                       uint16_t sellOnPercent, uint16_t wait, uint16_t sellingClub, uint16_t buyingClub,
                       uint32_t netAskingPrice, uint32_t offer, uint16_t attempt) {
    if (index < 0 || index >= kPendingDeals) return;
    uint8_t* d = Deal(index);
    recbits::StoreU16(d + 0, player);
    recbits::StoreU16(d + 2, sellingClub);
    recbits::StoreU16(d + 4, buyingClub);
    recbits::StoreU32(d + 6, offer);
    recbits::StoreU32(d + 10, netAskingPrice);
    recbits::StoreU16(d + 14, sellOnPercent);
    recbits::StoreU16(d + 16, exchange1);
    recbits::StoreU16(d + 18, exchange2);
    recbits::StoreU16(d + 20, exchange3);
    recbits::StoreU16(d + 22, wait);
    d[24] = 0;
    recbits::StoreU16(d + 25, attempt);
}

void PendingDeal_TickAll() {
    for (int i = 0; i < kPendingDeals; ++i) {
        if (PendingDealPlayer(i) == 0) continue;
        const uint16_t wait = PendingDealWait(i);
        if (wait == 0) {
            if (BidDecided(Deal(i))) std::memset(Deal(i), 0, kPendingDealSize);
            continue;
        }
        recbits::StoreU16(Deal(i) + 22, uint16_t(wait - 1));
        if (wait == 1) Deal(i)[24] = 1;
    }
}

void PendingDeal_ClearAll() { std::memset(PendingDealTable, 0, sizeof PendingDealTable); }
