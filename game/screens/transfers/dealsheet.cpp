#include "game/screens/transfers/dealsheet.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/random.h"
#include "core/club/exchangedeals.h"
#include "core/club/transferprices.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerinfo.h"

DealSheet CurrentDeal{};
int16_t DealSheetReset = 1;
int16_t DealSheetFromProfile = 0;
int16_t DealSheetPendingNumber = 0;
int16_t DealSheetDealtPlayer = 0;

namespace {

constexpr int16_t kCannotAffordText = 1115;
constexpr int16_t kTermsAgreedText = 1154;
constexpr int16_t kDealsFullText = 1131;
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int32_t kThousand = 1000;

int32_t Saturate(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
int32_t Round(int64_t v) { return HVW_RoundMoneyDown(Saturate(v)); }
bool Club(int32_t c) { return c >= 0 && c < kClubCount; }

const char* Text(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

uint16_t Player() { return ShownPlayer(); }

// The deal was opened from a player profile (the profile line is shown);
// kept while the sheet visits its sub-screens.
int16_t g_fromProfile = 0;

// The profiles' return screen as it was before an exchange player's
// profile was sent back to the offer; -1 none.
int16_t g_returnBeforeDeal = -1;

// The deal's own ways back given up: the dealt player, the link, and the
// offer as the profiles' return screen, which goes back to what it was
// before the deal took it (home when that is not known).  Left set, the
// back icon of the profile the offer ends on, or of any later one, would
// reopen the old offer.
void GiveUpTheWaysBack() {
    DealSheetDealtPlayer = 0;
    if (MenuFollowUp == 1) MenuFollowUp = 0;
    if (ReturnMenuOption == kScreenDealSheet)
        ReturnMenuOption = g_returnBeforeDeal >= 0 ? g_returnBeforeDeal : kScreenClubMain;
    g_returnBeforeDeal = -1;
}

int32_t Budget() { return Club(CurrentDeal.buyingClub) ? HVW_GetClubWageBudget(CurrentDeal.buyingClub) : 0; }

bool AnyExchangeValued() {
    return std::any_of(std::begin(CurrentDeal.exchange), std::end(CurrentDeal.exchange),
                       [](const ExchangeSlot& s) { return s.player != 0 && s.value >= 0; });
}

// The selling club's demand for the offer as it stands.
int32_t Demand(int32_t floor) {
    DealSheet& d = CurrentDeal;
    return HVW_NegotiateFee(Player(), d.offer, 0, floor, d.attempt, d.buyingClub, &d.reply, d.percentage);
}

int32_t Floor() {
    const DealSheet& d = CurrentDeal;
    const int64_t generosity = Club(d.sellingClub) ? HVW_GetClubGenerosity(d.sellingClub) : 0;
    const int64_t k = (100 - generosity) / 2;
    return Round((k + 45) * int64_t(d.asking) / 100);
}

// The other side's figure after a change of the sell-on terms: the buying
// club's offer when selling; the selling club's demand when buying, which
// is then its asking figure and the steps' snap point.
void RecomputeOtherSide() {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    if (p == 0) return;
    if (d.direction == 0) {
        d.offer = HVW_GetClubFeeOffer(p, d.asking, d.attempt, d.buyingClub, &d.reply, d.percentage);
        d.reference = d.offer;
    } else {
        d.reference = std::max(Demand(Floor()), 0);
        d.asking = d.reference;
    }
}

void EmptySlot(int k) {
    for (int i = k; i < 2; ++i) CurrentDeal.exchange[i] = CurrentDeal.exchange[i + 1];
    CurrentDeal.exchange[2] = ExchangeSlot{0, 0, -1};
}

// An exchange player is one of the buying club's, offered to the selling
// club (the loan-club field holds his owner).
bool OfBuyingClub(uint16_t player) { return HVW_GetPlayerLoanClub(player) == CurrentDeal.buyingClub; }

// Selling (0) when the player's owner (the loan-club field) is the user's
// club, else buying (1).
int16_t DirectionOf(uint16_t player) {
    const int16_t user = HVW_GetMyClub();
    return int16_t(user >= 0 && HVW_GetPlayerLoanClub(player) == user ? 0 : 1);
}

void LoadPendingDeal(int index) {
    DealSheet& d = CurrentDeal;
    const uint16_t p = PendingDealPlayer(index);
    SelectedPlayer = int16_t(p);
    // The side is this deal's: the figures below are recomputed for it.
    d.direction = DirectionOf(p);
    d.sellingClub = PendingDealSellingClub(index);
    d.buyingClub = PendingDealBuyingClub(index);
    d.offer = PendingDealOffer(index);
    d.asking = PendingDealNetAsking(index);
    d.percentage = PendingDealPercent(index);
    d.clauseOn = d.percentage != 0 ? 1 : 0;
    d.attempt = int16_t(PendingDealAttempt(index) + 1);
    for (int k = 0; k < 3; ++k) d.exchange[k] = ExchangeSlot{PendingDealExchange(index, k), 0, -1};
    // Only exchange players still with the buying club and fit enough stay.
    for (int k = 2; k >= 0; --k) {
        const uint16_t q = d.exchange[k].player;
        if (q == 0) continue;
        if (!OfBuyingClub(q) || HVW_GetPlayerIP(q) >= 3) {
            EmptySlot(k);
        } else {
            d.exchange[k].value = HVW_ValuePlayer(q);
        }
    }
    const uint16_t player = p;
    if (d.direction == 0) {
        d.offer = HVW_GetClubFeeOffer(player, d.asking, d.attempt, d.buyingClub, &d.reply, d.percentage);
        d.asking = std::max(d.asking, d.offer);
        d.reference = d.offer;
    } else {
        d.asking = std::max(Demand(Floor()), d.offer);
        d.reference = d.asking;
    }
}

void OpeningFigures() {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    d.clauseOn = 0;
    d.percentage = 0;
    d.attempt = 0;
    if (p == 0) return;
    if (d.direction == 1) {
        d.offer = std::min(HVW_ValuePlayer(p), Budget());
        d.asking = HVW_ValuePlayerFull(p);
        if (d.asking < d.offer) d.offer = d.asking;
        d.reference = std::max(Demand(Floor()), 0);
    } else {
        const int32_t price = HVW_GetPlayerManPriceRaw(p);
        d.asking = price != -1 ? price : HVW_ValuePlayer(p);
        d.offer = HVW_GetClubFeeOffer(p, d.asking, d.attempt, d.buyingClub, &d.reply, d.percentage);
        d.reference = d.offer;
    }
}

void ChooseSides() {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    const int16_t user = HVW_GetMyClub();
    if (p == 0) return;
    // The loan-club field holds the owner.
    const int16_t owner = HVW_GetPlayerLoanClub(p);
    d.direction = DirectionOf(p);
    if (d.resumed != 0) return;
    if (d.direction == 0) {
        d.sellingClub = user;
        d.buyingClub = SalesTeamClub;
    } else {
        d.sellingClub = owner;
        d.buyingClub = user;
    }
}

// The screen that follows a closed deal.
int32_t Leave() {
    DealSheet_StartAfresh();
    if (SquadOfferFlag != 0) {
        SquadOfferFlag = 0;
        MenuOption = kScreenDayMessages;
        PreviousMenuOption = kScreenDealSheet;
    } else if (CurrentDeal.direction == 0) {
        MenuOption = kScreenClubMain;
        PreviousMenuOption = kScreenDealSheet;
    } else {
        MenuOption = kScreenPlayerStats;
        PreviousMenuOption = kScreenClubMain;
    }
    return MENU_CLOSE;
}

int ResumedIndex() {
    const int n = CurrentDeal.resumed;
    return n >= 1 && n <= kPendingDeals && PendingDealPlayer(n - 1) != 0 ? n - 1 : -1;
}

}  // namespace

int64_t DealSheet_ExchangeValue() {
    int64_t total = 0;
    for (const ExchangeSlot& s : CurrentDeal.exchange)
        if (s.player != 0 && s.value >= 0) total += s.value;
    return total;
}

int32_t DealSheet_Step(int32_t figure, int32_t step, bool raise, int32_t reference, int64_t low, int64_t high,
                       bool* capped) {
    if (capped != nullptr) *capped = false;
    int64_t f = figure, s = step;
    if (raise) {
        if (f < reference && reference < f + s) {
            f = reference;
        } else {
            if (s == kThousand && f % kThousand != 0)
                s = kThousand - ((f % kThousand) + kThousand) % kThousand;
            f += s;
        }
        if (high >= 0 && f > high) {
            f = high;
            if (capped != nullptr) *capped = true;
        }
    } else {
        if (reference < f && f - s < reference) {
            f = reference;
        } else {
            if (s == kThousand && f % kThousand != 0) {
                f -= ((f % kThousand) + kThousand) % kThousand;
            } else {
                f -= s;
            }
        }
        if (f < low) f = low;
    }
    return Saturate(f);
}

void DealSheet_StepFigure(int32_t step, bool raise) {
    DealSheet& d = CurrentDeal;
    int32_t& figure = d.direction == 1 ? d.offer : d.asking;
    const int64_t low = d.direction == 1 ? 0 : DealSheet_ExchangeValue();
    const int64_t high = d.direction == 1 ? std::max<int64_t>(Budget(), 0) : -1;
    bool capped = false;
    const int32_t before = figure;
    figure = DealSheet_Step(figure, step, raise, d.reference, low, high, &capped);
    d.adjustments = Saturate(int64_t(d.adjustments) + figure - before);
    if (capped) ShowMessageBox(Text(kCannotAffordText), 0);
}

int16_t DealSheet_Evaluate() {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    if (p == 0) return 2;
    const int64_t x = DealSheet_ExchangeValue();
    const int64_t release = HVW_GetPlayerClause1(p);
    const auto met = [&]() -> int16_t { return d.attempt > 0 || !AnyExchangeValued() ? 0 : 1; };
    if (d.direction == 1) {
        const int32_t floor = Floor();
        const int32_t demand = Demand(floor);
        const int64_t offerX = int64_t(d.offer) + x, floorX = int64_t(floor) - x,
                      demandX = int64_t(demand) - x;
        if (release > 0 && offerX >= release) return met();
        const int64_t roundedOffer = Round(d.offer);
        if (ResumedIndex() >= 0 && (Round(demandX) - roundedOffer) / 3 > d.adjustments) return 2;
        if (Round(demandX) <= roundedOffer) return met();
        return floorX <= roundedOffer ? 1 : 2;
    }
    const int64_t offerX = int64_t(d.offer) - x, askingX = int64_t(d.asking) - x;
    const int64_t valueX = int64_t(HVW_ValuePlayerFull(p)) - x;
    if (release > 0 && release <= d.offer) return 0;
    if (Round(offerX) >= askingX) return met();
    return askingX < valueX ? 1 : 2;
}

void DealSheet_Enter() {
    DealSheet& d = CurrentDeal;
    const bool linked = MenuFollowUp == 1 || DealSheetDealtPlayer != 0;
    if (DealSheetDealtPlayer != 0) {
        SelectedPlayer = DealSheetDealtPlayer;
        DealSheetDealtPlayer = 0;
    }
    MenuFollowUp = 0;
    d.verdict = 0;
    // The openers that come from a profile set the word; every other
    // opening (the day's messages, a resumed deal) shows no profile line.
    if (!linked) g_fromProfile = DealSheetFromProfile;
    DealSheetFromProfile = 0;
    if (DealSheetReset != 0) {
        DealSheetReset = 0;
        d.adjustments = 0;
        for (ExchangeSlot& s : d.exchange) s = ExchangeSlot{0, 0, -1};
        d.resumed = 0;
    }
    // A deal number outside the table or naming a free record opens a fresh
    // deal.
    const int n = DealSheetPendingNumber;
    DealSheetPendingNumber = 0;
    if (n >= 1 && n <= kPendingDeals && PendingDealPlayer(n - 1) != 0) {
        d.resumed = int16_t(n);
        LoadPendingDeal(n - 1);
        ChooseSides();
        return;
    }
    ChooseSides();
    if (!linked) OpeningFigures();
}

void DealSheet_Update() {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    if (p == 0) {
        d.verdict = 2;
        return;
    }
    if (d.direction == 0) {
        d.offer = HVW_GetClubFeeOffer(p, d.asking, d.attempt, d.buyingClub, &d.reply, d.percentage);
        d.reference = d.offer;
    }
    d.interest = Club(d.buyingClub) && Club(d.sellingClub)
                     ? HVW_RatePlayerClubInterest(p, d.buyingClub, d.sellingClub)
                     : int16_t(0);
    d.verdict = DealSheet_Evaluate();
}

int32_t DealSheet_ToggleClause(MenuHotItem*) {
    DealSheet& d = CurrentDeal;
    d.clauseOn = int16_t(d.clauseOn != 0 ? 0 : 1);
    d.percentage = int16_t(d.clauseOn != 0 ? 5 : 0);
    RecomputeOtherSide();
    return MENU_REDRAW;
}

int32_t DealSheet_PercentDown(MenuHotItem*) {
    DealSheet& d = CurrentDeal;
    if (d.clauseOn == 0) return MENU_CONTINUE;
    d.percentage = int16_t(std::max(d.percentage - 5, 5));
    RecomputeOtherSide();
    return MENU_REDRAW;
}

int32_t DealSheet_PercentUp(MenuHotItem*) {
    DealSheet& d = CurrentDeal;
    if (d.clauseOn == 0) return MENU_CONTINUE;
    d.percentage = int16_t(std::min(d.percentage + 5, 50));
    RecomputeOtherSide();
    return MENU_REDRAW;
}

int32_t DealSheet_ExchangeButton(int slot) {
    DealSheet& d = CurrentDeal;
    if (slot < 0 || slot > 2) return MENU_CONTINUE;
    if (d.exchange[slot].player != 0) {
        if (d.exchange[slot].value > 0)
            d.adjustments = Saturate(int64_t(d.adjustments) - d.exchange[slot].value);
        EmptySlot(slot);
        return MENU_REDRAW;
    }
    if (slot > 0 && d.exchange[slot - 1].player == 0) return MENU_CONTINUE;
    MenuOption = kScreenExchangeList;
    PreviousMenuOption = kScreenDealSheet;
    MenuFollowUp = 1;
    return MENU_CLOSE;
}

int32_t DealSheet_ExchangeName(int slot) {
    if (slot < 0 || slot > 2 || CurrentDeal.exchange[slot].player == 0) return MENU_CONTINUE;
    DealSheetDealtPlayer = SelectedPlayer;
    SelectedPlayer = int16_t(CurrentDeal.exchange[slot].player);
    MenuFollowUp = 1;
    // A second exchange player's name in the same deal finds the offer
    // there already: the return from before the deal is the one to keep.
    if (ReturnMenuOption != kScreenDealSheet) g_returnBeforeDeal = ReturnMenuOption;
    ReturnMenuOption = kScreenDealSheet;
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

namespace {

// Terms agreed: the pending deal stored (or the resumed one rewritten) with
// the agreed flag.  A full table is said and changes nothing.
int32_t AgreeTerms(int32_t net) {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    const int index = ResumedIndex();
    const uint16_t e[3] = {d.exchange[0].player, d.exchange[1].player, d.exchange[2].player};
    if (index >= 0) {
        PendingDeal_Write(index, p, e[0], e[1], e[2], uint16_t(d.percentage), 1, uint16_t(d.sellingClub),
                          uint16_t(d.buyingClub), uint32_t(net), uint32_t(d.offer), uint16_t(d.attempt));
    } else if (HVW_AddPendingDeal(p, e[0], e[1], e[2], d.percentage, 1, d.sellingClub, d.buyingClub, net,
                                  d.offer, d.attempt) < 0) {
        ShowMessageBox(Text(kDealsFullText), 0);
        return MENU_REDRAW;
    }
    ShowMessageBox(Text(kTermsAgreedText), 0);
    return Leave();
}

int32_t MakeBid(int32_t net) {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    const int64_t x = DealSheet_ExchangeValue();
    const int64_t release = HVW_GetPlayerClause1(p);
    int32_t fee = d.asking;
    if (d.direction == 1) {
        if (release > 0 && int64_t(d.offer) >= release) {
            fee = d.offer;
        } else if (Budget() >= net) {
            fee = net;
        } else {
            d.offer = Budget();
            ShowMessageBox(Text(kCannotAffordText), 0);
            return MENU_REDRAW;
        }
    }
    fee = std::max(fee, 0);
    const int16_t code = std::max<int16_t>(HVW_FirstFreeBidSlotCode(d.buyingClub), 0);
    if (HVW_MakeClubBid(d.buyingClub, p, Saturate(int64_t(fee) + x), fee, code, d.percentage) == 0)
        return MENU_REDRAW;
    d.offer = fee;
    HVW_GetPlayerApproachReply(p, d.buyingClub);
    HVW_RemoveHumanSale(p);
    // The exchange players the bid carries, whom the main player's bid then
    // waits on.  One who already belongs to the selling club (the user's
    // own, offered while he sells) has no move to make and is left out, as
    // taking the deal up again drops him; bid for, he and the main player
    // would stay tied to a bid that is never decided.
    uint16_t carried[3] = {};
    int count = 0;
    int16_t lastCode = code;
    for (const ExchangeSlot& s : d.exchange) {
        if (s.player == 0 || !OfBuyingClub(s.player)) continue;
        int16_t slot = HVW_FirstFreeBidSlotCode(d.sellingClub);
        if (slot < 0) slot = lastCode;
        lastCode = slot;
        if (HVW_MakeClubBid(d.sellingClub, s.player, s.value, s.value, slot, 0) == 0) continue;
        HVW_GetPlayerApproachReply(s.player, d.sellingClub);
        SetPlayerSetting4(s.player, HVW_GetPlayerSetting4(p));
        HVW_SetPlayerFlag120(s.player, 1);
        HVW_RemoveHumanSale(s.player);
        carried[count++] = s.player;
    }
    HVW_SetPlayerFlag120(p, int16_t(count > 0 ? 1 : 0));
    const int index = ResumedIndex();
    if (index >= 0) {
        // The deal completes once the players of its bid agree; one it
        // still named beside them would keep it from completing or being
        // freed.
        for (int k = 0; k < 3; ++k) SetPendingDealExchange(index, k, carried[k]);
        SetPendingDealReadyDays(index, uint8_t(2 + GameRandom() % 7));
        d.resumed = 0;
    }
    return Leave();
}

}  // namespace

int32_t DealSheet_Deal(MenuHotItem*) {
    DealSheet& d = CurrentDeal;
    if (Player() == 0) return MENU_CONTINUE;
    d.verdict = DealSheet_Evaluate();
    if (d.verdict == 2) return MENU_CONTINUE;
    for (int k = 2; k >= 0; --k)
        if (d.exchange[k].player != 0 && d.exchange[k].value < 0) EmptySlot(k);
    const int32_t net = d.direction == 1 ? Saturate(int64_t(d.asking) - DealSheet_ExchangeValue()) : d.asking;
    return d.verdict == 1 ? AgreeTerms(net) : MakeBid(net);
}

int32_t DealSheet_Withdraw(MenuHotItem*) {
    DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    if (p != 0) {
        HVW_RemoveHumanSale(p);
        if (d.direction == 0 && (d.interest == 3 || d.interest == 4) && Club(d.buyingClub)) {
            AddMessage(d.sellingClub, d.buyingClub, p, kNoPlayer, -1, -1, -1, -1, -1, -1, -1,
                       kMsgPlayerNotKeen, 1, 0);
            const int reputation = HVW_GetClubReputation(d.buyingClub);
            const int fall =
                d.interest == 3 ? GameRandom() % 15 + reputation / 2 : GameRandom() % 30 + reputation;
            SetPlayerMorale(p, int16_t(std::clamp<int>(GetPlayerMorale(p) - fall, 0, 60)));
        }
    }
    const int index = ResumedIndex();
    if (index >= 0) PendingDeal_Clear(index);
    d.resumed = 0;
    return Leave();
}

namespace {

// The screens an open deal goes to and comes back from: the offer itself,
// the exchange list, and an exchange player's profile, contract details,
// agent and career history.
constexpr int16_t kDealScreens[] = {kScreenDealSheet,  kScreenExchangeList, kScreenPlayerStats,
                                    kScreenPlayerInfo, kScreenAgentProfile, kScreenCareerHistory};

}  // namespace

void DealSheet_StartAfresh() {
    DealSheetReset = 1;
    // A pending deal named for a sheet that never came up (the day's
    // messages opened it, and a new season's squad numbers took its place)
    // waits for the day's messages to open it again: left named, the next
    // offer from any profile would resume that other player's deal.
    DealSheetPendingNumber = 0;
    GiveUpTheWaysBack();
}

void DealSheet_FrontEndGoesTo(int16_t next) {
    if (std::find(std::begin(kDealScreens), std::end(kDealScreens), next) != std::end(kDealScreens)) return;
    // Any other screen (the title bar's lists lead everywhere) leaves the
    // deal behind: what it kept for its return must not reach the next,
    // unrelated offer, which would reopen on the old player with his
    // figures, nor a later profile's back icon.
    DealSheet_LeaveTheDeal();
}

void DealSheet_LeaveTheDeal() {
    DealSheet_StartAfresh();
    // Nor is the next offer the answer to the day's sale or deal this one
    // answered: ended, it would go on to the day's messages.
    SquadOfferFlag = 0;
}

// The profile line leaves the deal: the profile is one of the deal's own
// screens only as an exchange player's, so the front end's rule does not
// see this road.
int32_t DealSheet_Profile(MenuHotItem*) {
    DealSheet_StartAfresh();
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

// ---- Drawing --------------------------------------------------------------------------------

namespace {

constexpr int kSteps[5] = {10000000, 1000000, 100000, 10000, 1000};

char g_header[300], g_title[300], g_bids[3][200], g_sides[2][200], g_slots[3][120], g_clause[120], g_fee[80],
    g_percent[16];
const char* g_percentPtr = g_percent;
const char* g_titlePtr = g_title;
const char* g_bidPtr[3] = {g_bids[0], g_bids[1], g_bids[2]};
const char* g_sidePtr[2] = {g_sides[0], g_sides[1]};
const char* g_slotPtr[3] = {g_slots[0], g_slots[1], g_slots[2]};
const char* g_clausePtr = g_clause;
const char* g_feePtr = g_fee;
int16_t g_interestText = 1111;
int16_t g_verdictText = 82;
int16_t g_dealText = 82;
int16_t g_clauseText = 1198;

constexpr int16_t kInterestTexts[5] = {1111, 1123, 1124, 1133, 1144};

void FillBids(uint16_t p) {
    int lines = 0;
    for (auto& line : g_bids) line[0] = '\0';
    for (int16_t club = 0; club < kClubCount && lines < 3; ++club) {
        for (int16_t slot = 0; slot < 4 && lines < 3; ++slot) {
            if (HVW_GetClubBidPlayer(club, slot) != int16_t(p)) continue;
            const int32_t kept = CurrentNumberType;
            CurrentNumberType = NUMBER_MONEY_PLAIN;
            char money[NUMBER_TEXT_SIZE];
            std::snprintf(money, sizeof money, "%s",
                          Number2Str(Saturate(int64_t(HVW_GetClubBidPrice(club, slot)) * 100)));
            CurrentNumberType = kept;
            const bool flagged = HVW_GetClubBidClause(club, slot) != 0;
            AppendText(g_bids[lines], sizeof g_bids[lines], "%s %s %s%s", HVW_GetClubName(club), money,
                       flagged ? Text(1198) : "", flagged && lines > 0 ? Text(1197) : "");
            ++lines;
        }
    }
}

void FillRows(uint16_t p) {
    const DealSheet& d = CurrentDeal;
    g_header[0] = g_title[0] = g_clause[0] = g_fee[0] = g_percent[0] = '\0';
    for (auto& s : g_sides) s[0] = '\0';
    for (auto& s : g_slots) s[0] = '\0';
    if (p == 0) return;
    AppendText(g_title, sizeof g_title, "%s", Text(1180));
    FormatDealHeader(g_header, sizeof g_header, p);
    // Each figure under its club's name; the selling club's is its asking
    // price less the exchange players' values, the money still to be paid.
    const int64_t x = DealSheet_ExchangeValue();
    AppendText(g_sides[0], sizeof g_sides[0], "%s %s",
               Club(d.buyingClub) ? HVW_GetClubName(d.buyingClub) : "", Price2str(d.offer));
    AppendText(g_sides[1], sizeof g_sides[1], "%s %s",
               Club(d.sellingClub) ? HVW_GetClubName(d.sellingClub) : "",
               Price2str(Saturate(int64_t(d.asking) - x)));
    for (int k = 0; k < 3; ++k) {
        const ExchangeSlot& s = d.exchange[k];
        if (s.player == 0) {
            AppendText(g_slots[k], sizeof g_slots[k], "%s", Text(830));
        } else {
            AppendText(g_slots[k], sizeof g_slots[k], "+%s %s", Price2str(std::max(s.value, 0)),
                       HVW_GetPlayerShortName(s.player));
        }
    }
    AppendText(g_percent, sizeof g_percent, "%d%%", int(d.percentage));
    if (d.clauseOn != 0)
        AppendText(g_clause, sizeof g_clause, "%s %d%% %s", Text(1197), int(d.percentage), Text(1198));
    const int32_t release = HVW_GetPlayerClause1(p);
    // The prefix text comes first: the fee itself in the plain form.
    if (release > 0) AppendText(g_fee, sizeof g_fee, "%s%s", Text(434), Price2strPlain(release));
}

int32_t StepHandler(MenuHotItem* item) {
    // The buttons are the repetitions of a horizontal group, largest first.
    const int button = item != nullptr ? item->row : -1;
    if (button < 0 || button >= 5) return MENU_CONTINUE;
    DealSheet_StepFigure(kSteps[button], (GetMenuButtons() & 2) == 0);
    return MENU_REDRAW;
}

int32_t SlotButton(MenuHotItem* item) { return DealSheet_ExchangeButton(item != nullptr ? item->row : -1); }
int32_t SlotName(MenuHotItem* item) { return DealSheet_ExchangeName(item != nullptr ? item->row : -1); }

void DrawHeader(int, int, int, int) { DrawPlayerLineWithSettings(Player(), g_header, "", 400, 112); }

const MenuItem kStepButton[] = {
    {MI_HOT_RECT, 0, 0, 60, 28, nullptr, StepHandler},
    kMenuEnd,
};
const MenuItem kSlotRow[] = {
    {MI_BUTTON_TEXT, 0, 0, 40, 22, MenuValue(1198), SlotButton},
    {MI_STRING_VAR, 50, 11, 9, sizeof(const char*), &g_slotPtr[0], nullptr},
    {MI_HOT_RECT, 50, 0, 300, 22, nullptr, SlotName},
    kMenuEnd,
};
const MenuItem kDealButton[] = {
    {MI_BUTTON_TEXT_VAR, 401, 559, 339, 28, &g_dealText, DealSheet_Deal},
    kMenuEnd,
};

// The user's controls lie in his half: the left when buying, the right
// when selling (the mirrored layout).
constexpr int16_t kLeftHalf = 30, kRightHalf = 420;
#define CLAUSE_BUTTON(x) \
    { MI_BUTTON_TEXT_VAR, int16_t((x) + 10), 440, 150, 22, &g_clauseText, DealSheet_ToggleClause }
#define CLAUSE_CONTROLS(x)                                                           \
    {MI_BUTTON_STRING, int16_t((x) + 170), 440, 30, 22, "-", DealSheet_PercentDown}, \
        {MI_STRING_VAR, int16_t((x) + 235), 451, 10, 0, &g_percentPtr, nullptr}, {   \
        MI_BUTTON_STRING, int16_t((x) + 270), 440, 30, 22, "+", DealSheet_PercentUp  \
    }
const MenuItem kLeftClauseButton[] = {CLAUSE_BUTTON(kLeftHalf), kMenuEnd};
const MenuItem kRightClauseButton[] = {CLAUSE_BUTTON(kRightHalf), kMenuEnd};
const MenuItem kLeftClause[] = {CLAUSE_CONTROLS(kLeftHalf), kMenuEnd};
const MenuItem kRightClause[] = {CLAUSE_CONTROLS(kRightHalf), kMenuEnd};
#undef CLAUSE_BUTTON
#undef CLAUSE_CONTROLS
const MenuItem kProfileLine[] = {
    {MI_BUTTON_TEXT, 300, 520, 200, 24, MenuValue(574), DealSheet_Profile},
    kMenuEnd,
};
const MenuItem kNothing[] = {kMenuEnd};
const MenuItem* g_dealButton = kNothing;
// Each control group is in both halves; the other side's half is empty.
const MenuItem* g_leftSteps = kStepButton;
const MenuItem* g_rightSteps = kNothing;
const MenuItem* g_leftSlots = kSlotRow;
const MenuItem* g_rightSlots = kNothing;
const MenuItem* g_clauseButton = kLeftClauseButton;
const MenuItem* g_clauseControls = kNothing;
const MenuItem* g_profileLine = kNothing;

void DrawStepLabels(int, int, int, int) {
    const int x0 = CurrentDeal.direction == 0 ? kRightHalf : kLeftHalf;
    SetFont(9);
    for (int i = 0; i < 5; ++i) {
        const int x = x0 + 70 * i;
        SetDrawParam(2, 0x5AD4);
        DoButton(x, 300, 60, 28);
        DrawTextAddrAt(x + 30, 314, Price2str(kSteps[i]), JUSTIFY_CENTRE_MIDDLE);
    }
}

}  // namespace

const char* DealSheetHeaderText() { return g_header; }
const char* DealSheetFigureText(int side) { return side == 0 ? g_sides[0] : g_sides[1]; }
int16_t DealSheetVerdictText() { return g_verdictText; }

void DealSheetMenu() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        DealSheet_Enter();
    }
    DealSheet_Update();
    const DealSheet& d = CurrentDeal;
    const uint16_t p = Player();
    g_dealButton = d.verdict == 2 || p == 0 ? kNothing : kDealButton;
    g_dealText = d.verdict == 0 ? 82 : 96;
    g_verdictText = d.verdict == 0 ? 82 : d.verdict == 1 ? 942 : 83;
    g_clauseText = d.clauseOn != 0 ? 125 : 1198;
    const bool selling = d.direction == 0;
    g_leftSteps = selling ? kNothing : kStepButton;
    g_rightSteps = selling ? kStepButton : kNothing;
    g_leftSlots = selling ? kNothing : kSlotRow;
    g_rightSlots = selling ? kSlotRow : kNothing;
    g_clauseButton = selling ? kRightClauseButton : kLeftClauseButton;
    g_clauseControls = d.clauseOn == 0 ? kNothing : selling ? kRightClause : kLeftClause;
    g_profileLine = g_fromProfile != 0 ? kProfileLine : kNothing;
    g_interestText = kInterestTexts[std::clamp<int>(d.interest, 0, 4)];
    // The rows of slots 2 and 3 appear only while the slot above holds a player.
    int16_t slotRows = 1;
    while (slotRows < 3 && d.exchange[slotRows - 1].player != 0) ++slotRows;
    SetMenuListRows(slotRows);
    FillBids(p);
    FillRows(p);
}

const MenuItem DealSheetTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(DealSheetMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, 10, 0, &g_titlePtr, nullptr},
    {MI_CUSTOM, 20, 97, 758, 30, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_CUSTOM, 0, 0, 0, 0, MenuFunction(DrawHeader), nullptr},
    {MI_CUSTOM, 20, 135, 758, 400, MenuFunction(DrawBlackShade50), nullptr},
    {MI_STRING_VAR, 40, 150, 9, 0, &g_bidPtr[0], nullptr},
    {MI_STRING_VAR, 40, 170, 9, 0, &g_bidPtr[1], nullptr},
    {MI_STRING_VAR, 40, 190, 9, 0, &g_bidPtr[2], nullptr},
    {MI_STRING_VAR, 40, 230, 9, 0, &g_sidePtr[0], nullptr},
    {MI_STRING_VAR, 420, 230, 9, 0, &g_sidePtr[1], nullptr},
    {MI_STRING_VAR, 40, 260, 9, 0, &g_feePtr, nullptr},
    {MI_TEXT_VAR, 420, 260, 9, 0, &g_interestText, nullptr},
    {MI_CUSTOM, 0, 0, 0, 0, MenuFunction(DrawStepLabels), nullptr},
    {MI_ROW_GROUP_VAR, kLeftHalf, 300, 5, 70, &g_leftSteps, nullptr},
    {MI_ROW_GROUP_VAR, kRightHalf, 300, 5, 70, &g_rightSteps, nullptr},
    {MI_GROUP_VAR, kLeftHalf, 340, 0, 26, &g_leftSlots, nullptr},
    {MI_GROUP_VAR, kRightHalf, 340, 0, 26, &g_rightSlots, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseButton, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseControls, nullptr},
    {MI_STRING_VAR, 400, 472, 10, 0, &g_clausePtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 400, 495, 10, 0, &g_verdictText, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_profileLine, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(1214), DealSheet_Withdraw},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_dealButton, nullptr},
    kMenuEnd,
};
