#include "core/club/bids.h"

#include <algorithm>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/shortlist.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

using namespace market;

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kClubScope = 1;
constexpr int32_t kNoManPrice = -1;
constexpr int kMaxSeasonLoans = 8;
constexpr int kMaxRivalBids = 5;
constexpr int32_t kLoanPrice = 100;
// A playing position of each position type: keeper, defence, midfield,
// attack.
constexpr int16_t kFirstPositionOfType[kBidSlots] = {0, 1, 5, 10};

bool BadClub(const char* where, int16_t club) {
    if (IsClubNumber(club)) return false;
    DebugLog(DEBUG_GENERAL, 1, "%s Error: bad club '%d'\n", where, int(club));
    return true;
}

int64_t WeeklyPay(uint16_t player) { return 25 * int64_t(GetPlayerWage(player)); }

// The club's balance less a multiple of the stored wages (units of 25 a
// week) of the players it owns, never below 0.
int64_t FreeBalance(int16_t club, int64_t times) {
    int64_t wages = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (IsPlayerNumber(player) && OwningClub(player) == club) wages += GetPlayerWage(player);
    }
    return std::max<int64_t>(0, int64_t(GetClubBalance(club)) - times * wages);
}

int32_t Budget(int16_t club, int64_t times, int64_t divisor) {
    if (BadClub("ClubTransferBudget", club)) return 0;
    if (IsRestOfWorldClub(club)) return int32_t(GetClubRep(club) * 750000 + 100000);
    const int64_t factor = (GetClubGenerosity(club) / 2 + 100) * 75 / divisor;
    return Saturate32(FreeBalance(club, times) / 100 * factor);
}

// The players the user's club is bidding for (0 in unused places).
struct UserTargets {
    uint16_t players[kBidSlots] = {};
    UserTargets() {
        const int16_t user = GetUserClub();
        if (user < 0) return;
        for (int16_t slot = 0; slot < kBidSlots; ++slot) players[slot] = GetClubBidPlayer(user, slot);
    }
    bool Holds(uint16_t player) const {
        return player != 0 && std::ranges::find(players, player) != std::end(players);
    }
};

bool IsUserBidTarget(uint16_t player) { return UserTargets().Holds(player); }

// Bid slots of every club in play naming each player, counted once per
// search instead of once per candidate.
uint8_t BidsOnPlayer[kMaxPlayers];

void CountAllBids() {
    std::fill(std::begin(BidsOnPlayer), std::end(BidsOnPlayer), uint8_t(0));
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        for (int16_t slot = 0; slot < kBidSlots; ++slot) {
            const uint16_t player = GetClubBidPlayer(club, slot);
            if (player < kMaxPlayers && BidsOnPlayer[player] < 255) ++BidsOnPlayer[player];
        }
    }
}

int ClubBidsFor(int16_t club, uint16_t player) {
    int held = 0;
    for (int16_t slot = 0; slot < kBidSlots; ++slot) {
        if (GetClubBidPlayer(club, slot) == player) ++held;
    }
    return held;
}

// Setting 2 marks kind 0, setting 3 kind 1, setting 1 kind 2; kind 3 asks
// for none.
bool SuitsKind(uint16_t player, int16_t kind) {
    switch (kind) {
        case 0:
            return GetPlayerSetting2(player) == 3;
        case 1:
            return GetPlayerSetting3(player) == 3;
        case 2:
            return GetPlayerSetting1(player) == 3;
        default:
            return true;
    }
}

bool HasFixedPrice(uint16_t player) { return GetPlayerManPrice(player) != kNoManPrice; }

bool CanTakeOnLoan(uint16_t player, int16_t buyer) {
    return GetPlayerLoanList(player) != 0 && GetClubSeasonLoans(buyer) < kMaxSeasonLoans;
}

// The wanted position type from SquadNeeds; -1 when it names no need.
int16_t WantedType() {
    if (IsPlayerNumber(SquadNeeds.UpgradePlayer)) return PositionType(OwnPosition(SquadNeeds.UpgradePlayer));
    if (IsPlayerNumber(SquadNeeds.ReplacePlayer)) return PositionType(OwnPosition(SquadNeeds.ReplacePlayer));
    if (SquadNeeds.UrgentGroup >= 1 && SquadNeeds.UrgentGroup <= 4)
        return int16_t(SquadNeeds.UrgentGroup - 1);
    return -1;
}

bool HasUpgradeOrReplace() { return SquadNeeds.UpgradePlayer != 0 || SquadNeeds.ReplacePlayer != 0; }

// What one search holds the same for every player.
struct TargetSearch {
    int16_t buyer, mode, restrict, wanted, user;
    int32_t budget, wageLimit;
    bool draws;  // an upgrade or replacement search draws for each player
    uint16_t buyerNation, viewed;
    int buyerDivision;
    // By owning club (entry 0: none, entry c + 1: club c), whether a player
    // it owns stands outside the searched nations; no club changes its
    // nation or division during a search.
    bool outsideByOwner[kClubCount + 1];
    bool anyInside;  // some owner stands inside the searched nations
    // Draws taken by players passed over unread, not yet taken from the
    // generator: they are taken in one skip before the next draw is read.
    uint32_t pendingDraws = 0;
};

void TakePendingDraws(TargetSearch& s) {
    if (s.pendingDraws == 0) return;
    GameRandomSkip(s.pendingDraws);
    s.pendingDraws = 0;
}

// The tests of where a player's owning club stands, alone: they read no
// random number, so they may come first when the search draws none.
bool OwnerOutsideTargetNations(int16_t owner, const TargetSearch& s) {
    const uint16_t ownerDivision = GetClubDivision(owner);
    const uint16_t ownerNation = GetClubNation(owner);
    if (s.restrict != 0 && (ownerDivision == 0 || ownerNation != 0)) return true;
    if (s.mode == 1 && (ownerDivision != 0 || ownerNation == s.buyerNation)) return true;
    return s.mode == 0 && (ownerNation != s.buyerNation || ownerNation != s.viewed);
}

void MakeTargetSearch(TargetSearch& s, int16_t buyer, int16_t mode, int32_t budget, int32_t wageLimit,
                      int16_t restrict, int16_t wanted) {
    s.buyer = buyer;
    s.mode = mode;
    s.restrict = restrict;
    s.wanted = wanted;
    s.user = GetUserClub();
    s.budget = budget;
    s.wageLimit = wageLimit;
    s.draws = HasUpgradeOrReplace();
    s.buyerNation = GetClubNation(buyer);
    s.viewed = uint16_t(HVW_GetViewedCountry());
    s.buyerDivision = int(GetClubDivision(buyer));
    s.anyInside = false;
    for (int16_t owner = -1; owner < kClubCount; ++owner) {
        s.outsideByOwner[owner + 1] = OwnerOutsideTargetNations(owner, s);
        s.anyInside = s.anyInside || !s.outsideByOwner[owner + 1];
    }
}

// The market key of a player read through the getters, as the kept table
// holds it.
uint16_t MarketKey(uint16_t player) {
    if (GetPlayerLoanTrial(player) != 0 || GetPlayerTxList(player) != 0) return kPlayerOffMarket;
    if (PlayingClub(player) < 0 || GetPlayerTxReq(player) != 0) return kPlayerOffMarket;
    return uint16_t(OwningClub(player));
}

// The players a search passes over before he is rated, `key` his market
// key.
bool SkipTarget(uint16_t player, uint16_t key, TargetSearch& s) {
    // Players off the market take no draw.
    if (key == kPlayerOffMarket) return true;
    const int16_t owner = int16_t(key);
    const bool outside = s.outsideByOwner[owner + 1];
    if (s.draws) {
        // Every player on the market takes one draw.  The tests after it
        // are all free of side effects, so a player whose club stands
        // outside the searched nations only needs the draw taken, not read.
        if (outside) {
            ++s.pendingDraws;
            return true;
        }
        TakePendingDraws(s);
        const int weight = AgentByte(player, 1) + 30 + (s.user >= 0 && owner == s.user ? 30 : 0);
        if (GameRandom() % 130 > weight) return true;
    } else if (outside) {
        return true;
    }
    const int16_t playing = PlayingClub(player);
    if (GetPlayerFlag95(player) != 0 && GetPlayerApps(player) == 0) return true;
    if (GetPlayerPosition(player) == 13 || GetPlayerField52(player) < 26 || GetPlayerHalvorn(player) != 0) {
        return true;
    }
    const uint16_t ownerDivision = GetClubDivision(owner);
    const uint16_t injury = GetPlayerIT(player);
    if (injury != 0 && injury != 1 && GetPlayerIP(player) > 4) return true;
    if (owner == s.buyer) return true;
    if (GetPlayerShirt(player) != 0 && int(ownerDivision) < s.buyerDivision) return true;
    if (int(GetClubDivision(playing)) < s.buyerDivision - 2) return true;
    if (WeeklyPay(player) >= s.wageLimit && !(s.budget == 0 && CanTakeOnLoan(player, s.buyer))) return true;
    if (!SuitsKind(player, SquadNeeds.SearchKind)) return true;
    return PositionType(OwnPosition(player)) != s.wanted;
}

}  // namespace

int32_t AgeCutTargetRating(int32_t rating, int ageIndex) {
    if (ageIndex <= 12) return rating;
    const int over = ageIndex - 12;
    return rating / (over * over * over + 100) * 100;
}

int32_t TransferTargetRating(uint16_t player, int32_t budget) {
    const int16_t position = OwnPosition(player);
    const int32_t rating =
        budget == 0 ? RatePlayerAbility(player, position) : RatePlayerPotential(player, position);
    return AgeCutTargetRating(rating, GetPlayerAge(player));
}

namespace {

bool Affordable(uint16_t player, int16_t buyer, int32_t budget) {
    if (CanTakeOnLoan(player, buyer)) return true;
    if (HasFixedPrice(player)) return GetPlayerManPrice(player) < budget;
    return ValuePlayerFull(player) <= budget;
}

void PostBidNews(int16_t club, uint16_t player, int32_t price, int16_t type) {
    const int16_t owner = OwningClub(player);
    AddMessage(club, owner, player, kNoPlayer, -1, -1, price, -1, -1, GetPlayerAge(player) + 16, -1, type,
               kClubScope, owner >= 0 ? 1 : 0);
}

void PostToUser(int16_t type, int16_t club, uint16_t player) {
    const int16_t user = GetUserClub();
    if (user < 0) return;
    AddMessage(user, club, player, kNoPlayer, -1, -1, -1, -1, -1, GetPlayerAge(player) + 16, -1, type,
               kClubScope, 0);
}

}  // namespace

int32_t ClubTransferBudget(int16_t club) { return Budget(club, 50, 120); }
int32_t ClubSafeTransferBudget(int16_t club) { return Budget(club, 75, 135); }

int32_t ClubMaxWage(int16_t club) {
    if (BadClub("ClubMaxWage", club)) return 0;
    if (IsRestOfWorldClub(club)) return int32_t(std::min<int64_t>(int64_t(GetClubRep(club)) * 1000, 50000));
    int64_t pay = 0;
    int64_t players = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || GetPlayerPosition(player) == 13) continue;
        pay += WeeklyPay(player);
        ++players;
    }
    const int64_t average = players == 0 ? 0 : 10 * (pay / players);
    const int64_t t = MulMoney(GetClubBalance(club) / 3, GetClubGenerosity(club) + 50) / 150;
    if (average >= t) return Saturate32(average);
    return Saturate32(std::max(average, (t - pay) / 10));
}

void PlanClubSignings(int16_t club, int16_t restrict) {
    if (BadClub("PlanClubSignings", club)) return;
    if (SquadNeeds.UpgradePlayer == 0 && SquadNeeds.ReplacePlayer == 0 && SquadNeeds.UrgentGroup == 0) return;
    SquadNeeds.SearchKind = SquadNeeds.NeedKind;
    const int16_t wanted = WantedType();
    if (wanted < 0) return;
    int32_t minimum = 0;
    if (IsPlayerNumber(SquadNeeds.UpgradePlayer)) {
        minimum = RatePlayerPotential(SquadNeeds.UpgradePlayer, OwnPosition(SquadNeeds.UpgradePlayer));
    } else if (IsPlayerNumber(SquadNeeds.ReplacePlayer)) {
        minimum = SquadNeeds.NeedRating;
    } else {
        minimum = SquadNeeds.FirstTeamRating;
    }
    SquadNeeds.WantedPosition = wanted;
    const int16_t rating = int16_t(std::clamp<int32_t>(minimum * 95 / 100, 0, 32767));
    const int32_t wageLimit = std::max(ComputeFinancePercent(club), 150);
    const int32_t budget = ClubTransferBudget(club);
    const int rep = GetClubRep(club);
    const int chance = std::max(1, 64 - rep);
    auto entryEmpty = [&](int16_t entry) { return GetClubBidShortListId(club, wanted, entry) == 0; };

    if (GetClubNation(club) == uint16_t(HVW_GetViewedCountry())) {
        if (entryEmpty(0)) SearchTransferTargets(rating, club, 0, budget, wageLimit, restrict);
        if (GetClubDivision(club) <= 1 && entryEmpty(3) && GameRandom() % chance == 0) {
            SearchTransferTargets(rating, club, 1, budget, wageLimit, restrict);
        }
        return;
    }
    if (entryEmpty(0)) SearchTransferTargets(rating, club, 0, budget, wageLimit, restrict);
    if (GetClubDivision(club) == 0 && GameRandom() % 100 == 0 && GameRandom() % chance == 0 &&
        entryEmpty(0)) {
        SearchTransferTargets(rating, club, 1, budget, wageLimit, restrict);
    }
}

namespace {

// The draws of a search in which every owner stands outside the searched
// nations: one for each player on the market that the user's bids do not
// hold, none read.
uint32_t DrawsOfAnEmptySearch(const uint16_t* keys, const UserTargets& userTargets) {
    const auto keyOf = [keys](uint16_t player) { return keys != nullptr ? keys[player] : MarketKey(player); };
    uint32_t draws = 0;
    if (keys != nullptr) {
        for (uint16_t player = 3; player < PlayerCount; ++player) draws += keys[player] != kPlayerOffMarket;
    } else {
        for (uint16_t player = 3; player < PlayerCount; ++player)
            draws += MarketKey(player) != kPlayerOffMarket;
    }
    for (int slot = 0; slot < kBidSlots; ++slot) {
        const uint16_t player = userTargets.players[slot];
        if (player < 3 || player >= PlayerCount || keyOf(player) == kPlayerOffMarket) continue;
        if (std::find(userTargets.players, userTargets.players + slot, player) != userTargets.players + slot)
            continue;  // held twice, passed over once
        --draws;
    }
    return draws;
}

}  // namespace

void SearchTransferTargets(int16_t minRating, int16_t club, int16_t mode, int32_t budget, int32_t wageLimit,
                           int16_t restrict) {
    if (BadClub("SearchTransferTargets", club)) return;
    const int16_t wanted = SquadNeeds.WantedPosition;
    if (wanted < 0 || wanted >= kBidLists) return;
    const int32_t maxRating = minRating == 0 ? 10000 : int32_t(minRating) * 120 / 100;

    struct Target {
        uint16_t player;
        int32_t rating;
    };
    Target found[kBidListEntries] = {};
    int count = 0;
    const UserTargets userTargets;
    CountAllBids();
    const bool buyerInPlay = GetClubRep(club) != 0;
    TargetSearch search;
    MakeTargetSearch(search, club, mode, budget, wageLimit, restrict, wanted);
    // A search of the home market by a club of another nation than the
    // viewed one finds nobody; without draws it need not look.
    bool nobody = !search.draws && mode == 0 && search.buyerNation != search.viewed;
    // The daily squad pass keeps every player's market key in one table;
    // a search on its own reads the keys from the records.
    const uint16_t* keys = PlayerMarketKeys();
    // With every owner outside, the walk would only take the players'
    // draws: count them instead.
    if (!nobody && !search.anyInside) {
        if (search.draws) search.pendingDraws = DrawsOfAnEmptySearch(keys, userTargets);
        nobody = true;
    }
    for (uint16_t player = 3; player < PlayerCount && !nobody; ++player) {
        if (keys == nullptr) {
            // The first tests read the flags words and the clubs.
            const unsigned ahead = player + kPlayerPrefetchAhead;
            PrefetchPlayerRecord(ahead, kPlayerFlagsOffset);
            PrefetchPlayerRecord(ahead, kPlayerLoanTrialOffset);
            PrefetchPlayerRecord(ahead, kPlayerClubOffset);
        }
        if (userTargets.Holds(player)) continue;
        if (SkipTarget(player, keys != nullptr ? keys[player] : MarketKey(player), search)) continue;
        const int32_t rating = TransferTargetRating(player, budget);
        if (rating < minRating || rating > maxRating) continue;
        const int buyerBids = ClubBidsFor(club, player);
        const int rivals = BidsOnPlayer[player] - (buyerInPlay ? buyerBids : 0);
        if (rivals >= kMaxRivalBids) continue;
        if (!Affordable(player, club, budget)) continue;
        if (buyerBids != 0) continue;
        if (count > 0 && rating <= found[0].rating) continue;
        if (count < kBidListEntries) {
            found[count++] = {player, rating};
        } else {
            found[kBidListEntries - 1] = {player, rating};
        }
        std::stable_sort(found, found + count,
                         [](const Target& a, const Target& b) { return a.rating > b.rating; });
    }
    TakePendingDraws(search);

    int countdown = 2;
    if (HasUpgradeOrReplace()) countdown = std::max(2, 1 + GameRandom() % 3);
    for (int i = 0; i < count; ++i) {
        const uint16_t player = found[i].player;
        if (ShortList_IsPlayerOn(player) != 0) {
            PostToUser(kMsgShortlistTargeted, club, player);
            PostToUser(kMsgShortlistWatched, club, player);
        }
        for (int16_t entry = 0; entry < kBidListEntries; ++entry) {
            if (GetClubBidShortListId(club, wanted, entry) != 0) continue;
            SetClubBidShortList(club, wanted, entry, player, 0, uint8_t(countdown));
            break;
        }
    }
}

void ProcessBidShortList(int16_t club) {
    if (BadClub("ProcessBidShortList", club)) return;
    int32_t budget = ClubTransferBudget(club);
    SquadNeeds.SearchKind = SquadNeeds.NeedKind;
    const int16_t wanted = WantedType();
    if (wanted < 0) return;

    struct Candidate {
        uint16_t player;
        int32_t score;
    };
    Candidate candidates[kBidListEntries];
    int count = 0;
    for (int16_t entry = 0; entry < kBidListEntries; ++entry) {
        const uint16_t player = GetClubBidShortListId(club, wanted, entry);
        if (player == 0) continue;
        const uint8_t interest = GetClubBidShortListByte1(club, wanted, entry);
        const uint8_t countdown = GetClubBidShortListByte2(club, wanted, entry);
        if (countdown == 1) {
            SetClubBidShortList(club, wanted, entry, 0, 0, 0);
            if (!IsPlayerNumber(player)) continue;
            const int32_t rating = RatePlayerPotential(player, OwnPosition(player));
            candidates[count++] = {player, rating + interest * (rating / 10)};
        } else if (countdown > 1) {
            SetClubBidShortList(club, wanted, entry, player, interest, uint8_t(countdown - 1));
        }
    }
    std::stable_sort(candidates, candidates + count,
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });

    for (int i = 0; i < count; ++i) {
        const uint16_t player = candidates[i].player;
        // A player who has lost his club since he was listed is priced like
        // any other: no club asks a fee for him.
        const int16_t owner = OwningClub(player);
        if (owner >= 0 && GetClubControl(owner) != 0 && GetPlayerTxList(player) == 0 &&
            GetPlayerTxReq(player) == 0) {
            // A human's player is approached: the offer goes to his manager.
            if (HVW_RatePlayerClubInterest(player, club, owner) < 3) continue;
            const int age = GetPlayerAge(player);
            if (age < 16)
                SetPlayerMorale(player, int16_t(GetPlayerMorale(player) - GameRandom() % (16 - age)));
            SetPlayerStat(player, kGreedStat, int16_t(Stat(player, kGreedStat) + GameRandom() % 2));
            HVW_AddHumanSale(int16_t(FindClubManager(owner)), player, club);
            return;
        }
        const bool loan = GetPlayerLoanList(player) != 0;
        int32_t price =
            HasFixedPrice(player) ? GetPlayerManPrice(player) : NegotiateTransferFee(player, club);
        if (loan && price == -1) price = 0, budget = 0;
        if (loan && price > budget) budget = 0;
        if (price == -1) continue;
        if (price > budget && !loan) continue;
        if (loan && budget == 0) price = kLoanPrice;
        // The bid goes into the slot of the wanted type, whatever the
        // player's position has become since he was listed.
        if (ClubMakeBid(club, player, price, kFirstPositionOfType[wanted], 0) == 0) return;
        SetPlayerDecisionDelay(player, 0, club);
        for (int other = 0; other < count; ++other) {
            if (other != i) PostBidNews(club, candidates[other].player, -1, kMsgBidElsewhere);
        }
        return;
    }
}

uint16_t ClubMakeBid(int16_t club, uint16_t player, int32_t price, int16_t position, int16_t clause) {
    if (BadClub("ClubMakeBid", club)) return 0;
    if (!IsPlayerNumber(player)) {
        DebugLog(DEBUG_GENERAL, 1, "ClubMakeBid Error: bad player '%d'\n", int(player));
        return 0;
    }
    const int16_t user = GetUserClub();
    if (user >= 0 && club != user && IsUserBidTarget(player))
        PostToUser(kMsgRivalForUserTarget, club, player);
    const int16_t slot = PositionType(position);
    if (slot < 0) {
        DebugLog(DEBUG_GENERAL, 1, "ClubMakeBid Error: position '%d' has no bid slot\n", int(position));
        return 0;
    }
    if (GetClubBidPlayer(club, slot) != 0) return 0;
    price = std::max(price, 0);
    SetClubBid(club, slot, player, price / 100, clause);
    if (PlayingClub(player) < 0) {
        PostBidNews(club, player, price, kMsgBidForFreeAgent);
    } else if (price == kLoanPrice && GetPlayerLoanList(player) != 0) {
        PostBidNews(club, player, price, kMsgLoanBid);
    } else {
        PostBidNews(club, player, price, price != 0 ? kMsgBid : kMsgFreeBid);
    }
    return player;
}

void SetPlayerDecisionDelay(uint16_t player, int16_t fixed, int16_t club) {
    if (!IsPlayerNumber(player)) return;
    if (ShortList_IsPlayerOn(player) != 0) PostToUser(kMsgShortlistDeciding, club, player);
    int days = Stat(player, kIntelligenceStat) / 20 + 2;
    if (IsClubNumber(club) && IsPlayedLeagueNation(GetClubNation(club)))
        days = days * GetPlayerMorale(player) / 60;
    if (fixed != 0) days = fixed;
    SetPlayerSetting4(player, int16_t(std::max(days, 1)));
}

int32_t NegotiateTransferFee(uint16_t player, int16_t buyer) {
    if (!IsPlayerNumber(player) || BadClub("NegotiateTransferFee", buyer)) return -1;
    const int16_t seller = OwningClub(player);
    if (seller < 0) return 0;
    if (getsquadsize(seller) <= 16) return -1;

    const int64_t value = ValuePlayerFull(player);
    const int64_t room = ClubSafeTransferBudget(buyer) / (value + 1);
    const int64_t repPct = int64_t(GetPlayerReputation(player)) * 100 / 63;
    int64_t fee = value + MulMoney(value, repPct * repPct / 63) / 100;
    if (GetPlayerTxReq(player) != 0) {
        fee = MulMoney(fee, std::min<int64_t>(100, GetPlayerMorale(player) * 100 / 60 + 40)) / 100;
    }
    const uint16_t sellerManager = FindClubManager(seller);
    const int64_t sellerHaggle = Stat(sellerManager, kGreedStat);
    const uint16_t shirt = GetPlayerShirt(player);
    if (shirt >= 1 && shirt <= 11) fee += MulMoney(fee, sellerHaggle) / 100;

    // A seller keeps a player better than its average starter unless its
    // manager likes a deal or it needs the money.
    int64_t starters = 0;
    for (uint16_t other : ClubRoster[seller]) {
        const uint16_t s = IsPlayerNumber(other) ? GetPlayerShirt(other) : 0;
        if (s >= 1 && s <= 11 && GetPlayerClub(other) == uint16_t(seller)) {
            starters += RatePlayerAbility(other, OwnPosition(other));
        }
    }
    if (RatePlayerAbility(player, OwnPosition(player)) > starters / 11 &&
        sellerHaggle <= Stat(sellerManager, kIntelligenceStat) && GetClubBalance(seller) > 0) {
        return -1;
    }
    fee = RoundMoneyValue(Saturate32(fee));
    if (value == 0) return int32_t(fee);

    const int64_t buyerHaggle = ManagerStat(buyer, kGreedStat);
    int64_t d = fee / std::max<int64_t>(value / 100, 1) / 2;
    if (room != 0) d /= room;
    if (d <= buyerHaggle) return int32_t(fee);
    if (sellerHaggle > GameRandom() % 100) return -1;
    const int64_t h = std::max<int64_t>(d / 2, 100);
    const int64_t u = (fee / 100) * h / 100;
    if (u == 0) return int32_t(fee);
    const int64_t e = (fee / u) / 2;
    if (e > buyerHaggle) return -1;
    return Saturate32((fee / 100) * e);
}

void ResetAllBidLists() {
    for (uint16_t player = 1; player < PlayerCount; ++player) SetPlayerSetting4(player, 0);
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        for (int16_t slot = 0; slot < kBidSlots; ++slot) {
            if (GetClubBidPlayer(club, slot) != 0) SetClubBid(club, slot, 0, 0, 0);
        }
    }
}

void ClearClubBidShortLists(int16_t club) {
    if (BadClub("ClearClubBidShortLists", club)) return;
    for (int16_t list = 0; list < kBidLists; ++list) {
        for (int16_t entry = 0; entry < kBidListEntries; ++entry)
            SetClubBidShortList(club, list, entry, 0, 0, 0);
    }
    for (int16_t slot = 0; slot < kBidSlots; ++slot) SetClubBid(club, slot, 0, 0, 0);
}

int16_t CountRivalBids(int16_t club, uint16_t player) {
    int16_t rivals = 0;
    for (int16_t other = 0; other < kClubCount; ++other) {
        if (other == club || GetClubRep(other) == 0) continue;
        for (int16_t slot = 0; slot < kBidSlots; ++slot) {
            if (GetClubBidPlayer(other, slot) == player) ++rivals;
        }
    }
    return rivals;
}
