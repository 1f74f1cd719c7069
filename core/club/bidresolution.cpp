#include "core/club/bidresolution.h"
#include "core/records/usertransfers.h"

#include <algorithm>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/contracts.h"
#include "core/club/exchangedeals.h"
#include "core/club/markethelpers.h"
#include "core/club/signingplan.h"
#include "core/club/squads.h"
#include "core/club/transfercompletion.h"
#include "core/club/transfers.h"
#include "core/query/layerstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

const int16_t BidAgeFactor[kBidAgeFactors] = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100,
                                              100, 100, 100, 100, 90,  80,  70,  60,  40,  20,  10,
                                              10,  10,  10,  0,   0,   0,   0,   0,   0};

int16_t BidAgeFactorOf(int age) { return age >= 0 && age < kBidAgeFactors ? BidAgeFactor[age] : int16_t(0); }

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kScope = 1;
constexpr int kBidSlots = 4;
constexpr int32_t kBidPriceUnit = 100;
constexpr int32_t kLoanBidPrice = 100;
// A bid withdrawn (message 61) or outbid (62) names no amount.
constexpr int32_t kNoAmount = -1;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

struct BidNews {
    uint16_t player;
    int16_t club;  // the player's club
    int32_t price;
};

void Post(const BidNews& news, int16_t type, int16_t clubA, int16_t clubB, int32_t amount, int16_t last = 1) {
    AddMessage(clubA, clubB, news.player, kNoPlayer, -1, -1, amount, PositionText(news.player), -1,
               int32_t(GetPlayerAge(news.player)) + 16, -1, type, kScope, last);
}

// Today + the wait passing over a transfer deadline of the player's nation
// is decided today.
bool WaitCrossesDeadline(uint16_t player, int wait) {
    const uint16_t club = GetPlayerClub(player);
    int nation = IsClubNumber(club) ? GetClubNation(int16_t(club)) : -1;
    if (!IsCountryNumber(nation)) nation = std::clamp<int>(HVW_GetViewedCountry(), 0, kCountryCount - 1);
    const int today = SeasonCalendar.currentDay;
    for (int period = 0; period < kTransferClosedPeriods; ++period) {
        const int deadline = LeagueTransferWords[2 * period][nation];
        if (today < deadline && today + wait > deadline) return true;
    }
    return false;
}

bool IsInjuredLong(uint16_t player) {
    const int type = GetPlayerIT(player);
    return type != 0 && type != 1 && GetPlayerIP(player) > 4;
}

// Computer clubs withdraw their bids for a player out for a long time.
void WithdrawFromInjured(const BidNews& news) {
    for (int16_t b = 0; b < kClubCount; ++b) {
        if (GetClubRep(b) == 0 || GetClubControl(b) != 0) continue;
        for (int16_t slot = 0; slot < kBidSlots; ++slot) {
            if (GetClubBidPlayer(b, slot) != news.player) continue;
            ClearClubBidsOnPlayer(b, news.player);
            Post(news, kMsgOfferTurnedDown, news.club, b, kNoAmount);
            break;
        }
    }
}

struct BestBid {
    int16_t club = -1;
    int32_t price = 0;
    int16_t clause = 0;
    int32_t score = -1;
};

BestBid FindBestBid(BidNews& news) {
    BestBid best;
    const uint16_t p = news.player;
    for (int16_t b = 0; b < kClubCount; ++b) {
        if (GetClubRep(b) == 0) continue;
        for (int16_t slot = 0; slot < kBidSlots; ++slot) {
            if (GetClubBidPlayer(b, slot) != p) continue;
            const int32_t price = GetClubBidPrice(b, slot) * kBidPriceUnit;
            int32_t pull = std::max<int32_t>(GetPlayerReputation(FindClubManager(b)), GetClubRep(b));
            if (price > GetClubBalance(b) && GetPlayerField120Bit0(p) == 0) {
                Post(news, kMsgOfferTurnedDown, news.club, b, kNoAmount);
                pull = -1;
            }
            if (pull >= 0) pull *= GetPlayerSquadRank(p, b) + 2;
            if (pull > best.score) {
                best = {b, price, int16_t(GetClubBidClause(b, slot)), pull};
            } else {
                ClearClubBidsOnPlayer(b, p);
                if (pull != -1) Post(news, kMsgOutbid, news.club, b, kNoAmount);
            }
        }
    }
    return best;
}

// A player already waiting for the user's contract talks is not written in
// a second time: two entries would open two talks over one player.
bool AddPendingHumanDeal(uint16_t player) {
    for (uint16_t held : PendingHumanDeals) {
        if (held == player) return true;
    }
    for (uint16_t& held : PendingHumanDeals) {
        if (held == 0) {
            held = player;
            return true;
        }
    }
    return false;
}

void DecidePlayer(uint16_t p) {
    int wait = GetPlayerSetting4(p);
    // Most players are waited on by no bid (a wait of 0 never crosses a
    // deadline): their club need not be read in this walk over every player.
    if (wait == 0) return;
    BidNews news{p, market::PlayingClub(p), 0};
    if (WaitCrossesDeadline(p, wait)) wait = 1;
    if (wait != 1) {
        if (wait != 0) {
            SetPlayerSetting4(p, int16_t(wait - 1));
            if (IsInjuredLong(p)) WithdrawFromInjured(news);
        }
        return;
    }
    if (GetPlayerFlag95(p) != 0) {
        ClearClubBidList(p);
        return;
    }
    BestBid best = FindBestBid(news);
    if (best.club < 0) {
        AddMessage(news.club, -1, p, kNoPlayer, -1, -1, -1, PositionText(p), -1,
                   int32_t(GetPlayerAge(p)) + 16, -1, kMsgNoAcceptableBid, kScope, 0);
        ClearClubBidList(p);
        return;
    }
    news.price = best.price;
    const bool loanBid = best.price == kLoanBidPrice;
    const bool freeBid = best.price == 0;
    const bool loanListed = GetPlayerLoanList(p) != 0;
    const int32_t need = int32_t(GetPlayerReputation(p)) * BidAgeFactorOf(GetPlayerAge(p)) / 100;
    const uint16_t nationality = GetPlayerNationality(p);
    const bool foreignToBoth =
        (news.club < 0 || nationality != GetClubNation(news.club)) && nationality != GetClubNation(best.club);
    if (foreignToBoth) best.score /= 4;

    bool refused = false;
    if (news.club >= 0) {
        int32_t x = best.score;
        if (need >= best.score) {
            x = 100 - (need - best.score) * 100 / 63;
            if (GetPlayerStat(p, kGreedStat, 0) / 2 > x) {
                Post(news,
                     loanBid && loanListed ? kMsgClubRefusesLoan
                     : freeBid             ? kMsgClubRefusesFree
                                           : kMsgClubRefusesFee,
                     news.club, best.club, best.price);
                ClearClubBidsOnPlayer(best.club, p);
                refused = true;
            }
        }
        if (GetPlayerTxList(p) == 0 && GetPlayerMorale(p) == 60) {
            const int32_t chance = GetPlayerStat(p, kLoyaltyStat, 0) - 3 * x;
            if (GameRandom() % 100 < chance && !refused) {
                Post(news,
                     loanBid && loanListed ? kMsgPlayerRefusesLoan
                     : freeBid             ? kMsgPlayerRefusesFree
                                           : kMsgPlayerRefusesFee,
                     news.club, best.club, best.price);
                ClearClubBidsOnPlayer(best.club, p);
                refused = true;
            }
        }
    }
    if (refused) {
        ClearClubBidList(p);
        return;
    }
    if (GetClubControl(best.club) != 0 && !loanBid) {
        AddPendingHumanDeal(p);  // a full list drops the win; the bids stay
        return;
    }
    if (GetPlayerField120Bit0(p) != 0) return;
    ClearClubBidsOnPlayer(best.club, p);
    if (!loanBid && AwardStartingContract(p, best.club, 1) == 0) {
        Post(news, kMsgTermsFailed, news.club, best.club, best.price);
        ClearClubBidList(p);
        return;
    }
    if (loanBid) {
        if (loanListed) {
            Post(news, kMsgLoan, news.club, best.club, best.price);
            PrepareLoanTerms(p, best.club);
            ClearClubBidList(p);
        } else {
            Post(news, kMsgNotLoanListed, news.club, best.club, best.price);
        }
        return;
    }
    Post(news, freeBid ? kMsgTransferFree : kMsgTransferFee, best.club, news.club, best.price);
    CompleteTransfer(p, best.club, best.price, best.clause);
    // A move the completion refused leaves no bid to decide again.
    if (GetPlayerClub(p) != uint16_t(best.club)) ClearClubBidList(p);
}

bool ClubBidsFor(int16_t club, uint16_t player) {
    if (!IsClubNumber(club)) return false;
    for (int16_t slot = 0; slot < kBidSlots; ++slot)
        if (GetClubBidPlayer(club, slot) == player) return true;
    return false;
}

bool AnyClubBidsFor(uint16_t player) {
    for (int16_t club = 0; club < kClubCount; ++club)
        if (GetClubRep(club) != 0 && ClubBidsFor(club, player)) return true;
    return false;
}

// A part exchange lives while its deal's buying club bids for the main
// player.  Once that bid is gone without the deal (refused, outbid,
// withdrawn, talks broken off), the selling club's bids for the exchange
// players are withdrawn, they leave the user's contract list and their
// exchange flags are cleared; so is the main player's, and the flag of a
// player whom no deal and no bid holds any more.
void ReleaseEndedExchange(uint16_t p) {
    bool anyDeal = false, live = false;
    for (int index = PendingDeal_FindMain(p); index >= 0; index = PendingDeal_FindMain(p, index + 1)) {
        anyDeal = true;
        if (ClubBidsFor(PendingDealBuyingClub(index), p)) {
            live = true;
            continue;
        }
        const int16_t selling = PendingDealSellingClub(index);
        for (int k = 0; k < 3; ++k) {
            const uint16_t q = PendingDealExchange(index, k);
            if (q == 0 || !IsPlayerNumber(q)) continue;
            ClearClubBidsOnPlayer(selling, q);
            SetPlayerField120Bit0(q, 0);
            for (uint16_t& held : PendingHumanDeals)
                if (held == q) held = 0;
            if (!AnyClubBidsFor(q)) SetPlayerSetting4(q, 0);
        }
    }
    if (!live && (anyDeal || !AnyClubBidsFor(p))) SetPlayerField120Bit0(p, 0);
}

}  // namespace

void ResolveTransferBids() {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        CorePoll();
        // Most players are passed over at the first read of their record.
        PrefetchPlayerRecord(p + kPlayerPrefetchAhead, kPlayerLoanTrialOffset);
        const bool exchange = GetPlayerField120Bit0(p) != 0;
        DecidePlayer(p);
        if (exchange) ReleaseEndedExchange(p);
    }
}
