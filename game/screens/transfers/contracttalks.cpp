#include "game/screens/transfers/contracttalks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/random.h"
#include "core/club/exchangedeals.h"
#include "core/club/shortlist.h"
#include "core/club/transferprices.h"
#include "core/query/codetexts.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
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

int16_t ContractTalksReason = 0;
ContractOffer CurrentOffer{};
ContractTerms CurrentDemands{};

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kExchangeFullText = 1132;
constexpr int16_t kBidGoneText = 1134;
constexpr int32_t kWageTop = 99000;
constexpr int16_t kChoices[] = {0, 2, 3, 4, 5, 6};

bool Club(int32_t c) { return c >= 0 && c < kClubCount; }

const char* Text(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

int16_t PositionText(uint16_t p) {
    return int16_t(300 + (GetPlayerPosition2(p) <= 13 ? HVW_GetPositionType(p) : 0));
}

void Post(int16_t type, int16_t clubA, int16_t clubB, uint16_t player, int32_t money = -1) {
    AddMessage(clubA, clubB, player, kNoPlayer, -1, -1, money, PositionText(player), -1,
               int32_t(GetPlayerAge(player)) + 16, -1, type, 1, 0);
}

// The bid a club holds for the player, in money; -1 when none does.
int32_t BidPriceOf(int16_t club, uint16_t player) {
    if (!Club(club)) return -1;
    for (int16_t slot = 0; slot < 4; ++slot)
        if (GetClubBidPlayer(club, slot) == player) return GetClubBidPrice(club, slot) * 100;
    return -1;
}

int32_t AnyBidPrice(uint16_t player, int16_t* bidder) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        const int32_t price = BidPriceOf(club, player);
        if (price >= 0) {
            if (bidder != nullptr) *bidder = club;
            return price;
        }
    }
    return 0;
}

// Withdraws every pending deal with the player as its main player: the
// message, the exchange players' bids cancelled, the deal cleared.
void WithdrawDealsOf(uint16_t player, int16_t message) {
    for (int index = PendingDeal_FindMain(player); index >= 0;
         index = PendingDeal_FindMain(player, index + 1)) {
        const int16_t selling = PendingDealSellingClub(index), buying = PendingDealBuyingClub(index);
        AddMessage(selling, buying, player, kNoPlayer, -1, -1, -1, PositionText(player), -1,
                   int32_t(GetPlayerAge(player)) + 16, -1, message, 1, 0);
        for (int k = 0; k < 3; ++k) {
            const uint16_t q = PendingDealExchange(index, k);
            if (q == 0) continue;
            HVW_CancelClubBidForPlayer(selling, q);
            HVW_ClearClubBids(q);
        }
        PendingDeal_Clear(index);
    }
}

void Apply(uint16_t p, const ContractTerms& t) {
    SetPlayerField117(p, t.status);
    ApplyContractTerms(p, t.clause1, t.clause2, t.clause3, t.clause4, t.clause5, t.clause6, t.clause7,
                       t.clause8, t.wage / 25, int16_t(t.years * 12), t.status);
}

void Reevaluate() {
    const uint16_t p = ShownPlayer();
    const int16_t user = HVW_GetMyClub();
    if (p == 0 || user < 0) return;
    EvaluateContractTerms(p, user, CurrentOffer.terms, &CurrentDemands);
}

int32_t* MoneyClause(int clause) {
    ContractTerms& t = CurrentOffer.terms;
    switch (clause) {
        case 0:
            return &t.clause1;
        case 3:
            return &t.clause4;
        case 4:
            return &t.clause5;
        case 5:
            return &t.clause6;
        case 6:
            return &t.clause7;
        default:
            return nullptr;
    }
}

int32_t DemandOf(int clause) {
    switch (clause) {
        case 0:
            return CurrentDemands.clause1;
        case 3:
            return CurrentDemands.clause4;
        case 4:
            return CurrentDemands.clause5;
        case 5:
            return CurrentDemands.clause6;
        case 6:
            return CurrentDemands.clause7;
        default:
            return 0;
    }
}

// The deal the exchange player's agreed talks belong to is complete: the
// main player moves, then every agreed exchange contract is applied.
void CompleteDeal(int index) {
    const uint16_t main = PendingDealPlayer(index);
    const int16_t buying = PendingDealBuyingClub(index);
    int16_t bidder = buying;
    const int32_t price = AnyBidPrice(main, &bidder);
    Post(kMsgExchangeDone, buying, PendingDealSellingClub(index), main, price);
    HVW_MovePlayerToClub(main, bidder, price, 0);
    HVW_ClearClubBids(main);
    AgreedExchange agreed[kAgreedExchangeRecords];
    int count = 0;
    for (const AgreedExchange& record : AgreedExchanges)
        if (record.player != 0 && record.dealPlayer == main) agreed[count++] = record;
    PendingDeal_Clear(index);
    for (int i = 0; i < count; ++i) {
        const AgreedExchange& r = agreed[i];
        ContractTerms t;
        t.clause1 = r.clauseA;
        t.clause2 = r.flagB;
        t.clause3 = r.fixedTerm;
        t.clause4 = r.clauseD;
        t.clause5 = r.clauseE;
        t.clause6 = r.clauseF;
        t.clause7 = r.clauseG;
        t.clause8 = r.flagC;
        t.wage = r.wage;
        t.years = r.years;
        t.status = r.choice;
        Apply(r.player, t);
        HVW_SetPlayerFlag120(r.player, 0);
        HVW_CompleteUserBid(r.player);
        HVW_RemoveUserContractSlot(r.player);
    }
}

// The talks are over.  The previous-screen word is theirs now: left at the
// contract screen's id, it would make the next talks look opened from there.
int32_t Close(int16_t next) {
    MenuOption = next;
    PreviousMenuOption = kScreenContractTalks;
    return MENU_CLOSE;
}

int32_t Renewal(uint16_t p) {
    Apply(p, CurrentOffer.terms);
    HVW_RemoveUserContractSlot(p);
    if (HVW_GetPlayerFlag95(p) != 0) {
        HVW_SetPlayerFlag95(p, 0);
        ShowMessageBox(Text(1182), 0);
    } else {
        ShowMessageBox(Text(286), 0);
    }
    return Close(3);
}

int32_t ExchangeAgreed(uint16_t p, int index) {
    const int free = AgreedExchange_FindFree();
    if (free < 0) {
        ShowMessageBox(Text(kExchangeFullText), 0);
        return MENU_REDRAW;
    }
    const ContractTerms& t = CurrentOffer.terms;
    AgreedExchange& r = AgreedExchanges[free];
    r = AgreedExchange{p,         PendingDealPlayer(index),
                       t.status,  t.clause1,
                       t.clause2, t.clause3,
                       t.clause4, t.clause5,
                       t.clause6, t.clause7,
                       t.clause8, t.wage,
                       t.years,   PendingDealSellingClub(index)};
    for (int k = 0; k < 3; ++k)
        if (PendingDealExchange(index, k) == p) SetPendingDealExchange(index, k, 0);
    // The exchange players left move up.
    uint16_t left[3] = {};
    int n = 0;
    for (int k = 0; k < 3; ++k)
        if (PendingDealExchange(index, k) != 0) left[n++] = PendingDealExchange(index, k);
    for (int k = 0; k < 3; ++k) SetPendingDealExchange(index, k, left[k]);
    HVW_RemoveUserContractSlot(p);
    if (n == 0) CompleteDeal(index);
    return Close(3);
}

int32_t Purchase(uint16_t p) {
    const int16_t user = HVW_GetMyClub();
    const int32_t price = BidPriceOf(user, p);
    // Without the accepted bid there is nothing to complete.
    if (price < 0) {
        ShowMessageBox(Text(kBidGoneText), 0);
        return MENU_REDRAW;
    }
    Apply(p, CurrentOffer.terms);
    const int16_t seller = HVW_GetPlayerClub(p);
    SetPlayerField118(p, 0);
    const bool withExchange = HVW_GetPlayerFlag120(p) != 0;
    HVW_CompleteUserBid(p);
    HVW_RemoveUserContractSlot(p);
    ShortList_RemovePlayer(p);
    Close(kScreenClubMain);
    if (withExchange) {
        const int index = PendingDeal_FindMain(p);
        int64_t remaining = price;
        for (int k = 0; k < 3 && index >= 0; ++k) {
            const uint16_t q = PendingDealExchange(index, k);
            if (q == 0) continue;
            const int64_t held = std::max(BidPriceOf(seller, q), 0);
            const int64_t value = std::min(held, remaining);
            remaining -= value;
            Post(kMsgExchangeDone, seller, user, q, int32_t(value));
            HVW_MovePlayerToClub(q, seller, int32_t(value), 0);
        }
        if (index >= 0) PendingDeal_Clear(index);
        HVW_SetPlayerFlag120(p, 0);
    }
    return MENU_CLOSE;
}

}  // namespace

int16_t CheckPendingExchangeDeals(uint16_t player) {
    if (!IsPlayerNumber(player) || HVW_GetPlayerFlag120(player) == 0) return 0;
    bool gone = false, unfit = false;
    for (int index = PendingDeal_FindMain(player); index >= 0;
         index = PendingDeal_FindMain(player, index + 1)) {
        const int16_t buying = PendingDealBuyingClub(index);
        for (int k = 0; k < 3; ++k) {
            const uint16_t q = PendingDealExchange(index, k);
            if (q == 0) continue;
            if (HVW_GetPlayerLoanClub(q) != buying) gone = true;
            if (HVW_GetPlayerIP(q) > 2) unfit = true;
        }
    }
    if (!gone && !unfit) return 0;
    WithdrawDealsOf(player, gone ? kMsgExchangeGone : kMsgExchangeUnfit);
    return 1;
}

int16_t InitTransferFilter(uint16_t player) { return CheckPendingExchangeDeals(player); }

int32_t ContractTalks_GradedStep(int32_t value, bool raise) {
    constexpr int32_t kBands[] = {1000, 5000, 10000, 20000, 50000, 100000, 250000, 1000000, 2500000};
    constexpr int32_t kSteps[] = {25, 100, 250, 500, 1000, 5000, 10000, 50000, 100000, 250000};
    int band = 0;
    while (band < 9 && (raise ? value >= kBands[band] : value > kBands[band])) ++band;
    const int64_t next = int64_t(value) + (raise ? kSteps[band] : -kSteps[band]);
    return int32_t(std::clamp<int64_t>(next, 0, INT32_MAX));
}

int32_t ContractTalks_SmallStep(int32_t value, bool raise) {
    constexpr int32_t kBands[] = {1000, 5000, 10000, 20000};
    constexpr int32_t kSteps[] = {25, 100, 250, 500, 1000};
    int band = 0;
    while (band < 4 && (raise ? value >= kBands[band] : value > kBands[band])) ++band;
    const int64_t next = int64_t(value) + (raise ? kSteps[band] : -kSteps[band]);
    return int32_t(std::clamp<int64_t>(next, 0, INT32_MAX));
}

int16_t ContractTalks_NextChoice(int16_t choice, bool forward) {
    int at = 0;
    while (at < 6 && kChoices[at] != choice) ++at;
    if (at == 6) return 0;
    return kChoices[(at + (forward ? 1 : 5)) % 6];
}

int16_t ContractTalks_Refusal(const ContractTerms& o, const ContractTerms& d) {
    int16_t text = 0;
    if (d.clause1 > 0 && o.clause1 <= 0) text = 994;
    if (o.clause2 < d.clause2) text = 994;
    if (o.clause8 < d.clause8) text = 994;
    if (o.clause5 < d.clause5) text = 993;
    if (o.clause6 < d.clause6) text = 993;
    if (o.clause7 < d.clause7) text = 993;
    if (o.clause3 < d.clause3) text = 993;
    if (o.wage < d.wage) text = 992;
    return text;
}

void ContractTalks_Enter() {
    const uint16_t p = ShownPlayer();
    const int16_t user = HVW_GetMyClub();
    // The contract screen's hand-over is spent by this entry.  Left standing
    // when these talks are abandoned through the title bar, it would lock
    // the role of the next talks, whoever opened them, and send their
    // break-off to the contract screen, past the morale loss and the
    // withdrawn bids.
    const bool fromContractScreen = PreviousMenuOption == kScreenContractMenu;
    if (fromContractScreen) PreviousMenuOption = kScreenContractTalks;
    CurrentOffer = ContractOffer{};
    CurrentDemands = ContractTerms{};
    if (p == 0 || user < 0) return;
    GetContractDemands(p, user, &CurrentDemands);
    CurrentOffer.terms = CurrentDemands;
    // From the contract screen (its talks button, or a role change the
    // player takes badly, which hands over his old role + 1) the role set
    // there is offered and locked, and the demands answer it at once.
    if (fromContractScreen || ContractTalksReason > 0) {
        CurrentOffer.choiceLocked = 1;
        CurrentOffer.terms.status = HVW_GetPlayerField117(p);
        if (CurrentOffer.terms.status == 1) CurrentOffer.terms.status = 0;
        Reevaluate();
    }
}

int32_t ContractTalks_WageUp(MenuHotItem*) {
    int32_t& wage = CurrentOffer.terms.wage;
    wage = std::min(ContractTalks_GradedStep(wage, true), std::max(wage, kWageTop));
    Reevaluate();
    return MENU_REDRAW;
}

int32_t ContractTalks_WageDown(MenuHotItem*) {
    CurrentOffer.terms.wage = ContractTalks_GradedStep(CurrentOffer.terms.wage, false);
    Reevaluate();
    return MENU_REDRAW;
}

int32_t ContractTalks_YearsUp(MenuHotItem*) {
    int16_t& years = CurrentOffer.terms.years;
    years = int16_t(std::clamp(years + 1, 1, 5));
    return MENU_REDRAW;
}

int32_t ContractTalks_YearsDown(MenuHotItem*) {
    int16_t& years = CurrentOffer.terms.years;
    years = int16_t(std::clamp(years - 1, 1, 5));
    return MENU_REDRAW;
}

int32_t ContractTalks_ChoiceForward(MenuHotItem*) {
    if (CurrentOffer.choiceLocked != 0) return MENU_CONTINUE;
    CurrentOffer.terms.status = ContractTalks_NextChoice(CurrentOffer.terms.status, true);
    return MENU_REDRAW;
}

int32_t ContractTalks_ChoiceBack(MenuHotItem*) {
    if (CurrentOffer.choiceLocked != 0) return MENU_CONTINUE;
    CurrentOffer.terms.status = ContractTalks_NextChoice(CurrentOffer.terms.status, false);
    return MENU_REDRAW;
}

int32_t ContractTalks_Toggle(int clause) {
    ContractTerms& t = CurrentOffer.terms;
    const uint16_t p = ShownPlayer();
    if (clause == 1) {
        t.clause2 = int16_t(t.clause2 == 0 ? 1 : 0);
    } else if (clause == 2) {
        t.clause8 = int16_t(t.clause8 == 0 ? 1 : 0);
    } else if (int32_t* money = MoneyClause(clause)) {
        if (*money != 0) {
            *money = 0;
        } else if (DemandOf(clause) > 0) {
            *money = DemandOf(clause);
        } else if (clause == 0) {
            const int32_t value = p != 0 ? HVW_ValuePlayer(p) : 0;
            *money = value > 0 ? value : 1000;
        } else {
            *money = 25;
        }
        Reevaluate();
    } else {
        return MENU_CONTINUE;
    }
    return MENU_REDRAW;
}

int32_t ContractTalks_ClauseStep(int clause, bool raise) {
    int32_t* money = MoneyClause(clause);
    if (money == nullptr || *money == 0) return MENU_CONTINUE;
    *money = clause == 3 ? ContractTalks_SmallStep(*money, raise) : ContractTalks_GradedStep(*money, raise);
    Reevaluate();
    return MENU_REDRAW;
}

int32_t ContractTalks_Offer(MenuHotItem*) {
    const uint16_t p = ShownPlayer();
    if (p == 0) return MENU_CONTINUE;
    const int16_t refusal = ContractTalks_Refusal(CurrentOffer.terms, CurrentDemands);
    if (refusal != 0) {
        CurrentOffer.refusalText = refusal;
        CurrentOffer.refused = 1;
        return MENU_REDRAW;
    }
    CurrentOffer.refused = 0;
    // The owner (the loan-club field) decides: a lent-out player of the
    // user's renews; he is no purchase.
    const int16_t owner = HVW_GetPlayerLoanClub(p);
    if (Club(owner) && HVW_GetClubControl(owner) >= 1) return Renewal(p);
    const int deal = PendingDeal_FindExchange(p);
    if (deal >= 0) return ExchangeAgreed(p, deal);
    return Purchase(p);
}

int32_t ContractTalks_BreakOff(MenuHotItem*) {
    const uint16_t p = ShownPlayer();
    if (p != 0) HVW_RemoveUserContractSlot(p);
    MenuOption = kScreenPlayerStats;
    if (p == 0) return MENU_CLOSE;
    if (CurrentOffer.choiceLocked != 0) {
        // The role change is taken back.  Talks opened with the talks
        // button hand over no role: his role stays (the setter would make
        // the -1 of an empty hand-over role 0).
        if (ContractTalksReason > 0) SetPlayerField117(p, int16_t(ContractTalksReason - 1));
        ContractTalksReason = 0;
        MenuOption = kScreenContractMenu;
        PreviousMenuOption = kScreenClubMain;
        return MENU_CLOSE;
    }
    PreviousMenuOption = kScreenClubMain;
    const int16_t owner = HVW_GetPlayerLoanClub(p);
    if (HVW_GetPlayerLoanClub(p) == HVW_GetPlayerClub(p))
        ChangePlayerMorale(p, int16_t(-(GameRandom() % 10)));
    const bool human = Club(owner) && HVW_GetClubControl(owner) >= 1;
    if (human) {
        if (HVW_GetPlayerFlag120(p) != 0) WithdrawDealsOf(p, kMsgExchangeWithdrawn);
        return MENU_CLOSE;
    }
    // Each deal holding him as an exchange player collapses; others stay.
    for (int index = PendingDeal_FindExchange(p); index >= 0;
         index = PendingDeal_FindExchange(p, index + 1)) {
        const uint16_t main = PendingDealPlayer(index);
        Post(kMsgExchangeGone, PendingDealSellingClub(index), PendingDealBuyingClub(index), main);
        HVW_CancelClubBidForPlayer(PendingDealBuyingClub(index), main);
        HVW_ClearClubBids(main);
        HVW_RemoveUserContractSlot(main);
        for (int k = 0; k < 3; ++k) {
            const uint16_t q = PendingDealExchange(index, k);
            if (q == 0 || q == p) continue;
            HVW_ClearClubBids(q);
            HVW_RemoveUserContractSlot(q);
        }
        PendingDeal_Clear(index);
    }
    HVW_ClearClubBids(p);
    return MENU_CLOSE;
}

// ---- Drawing --------------------------------------------------------------------------------

namespace {

constexpr int kTalkRows = 10;
char g_header[300], g_title[300], g_offerLines[kTalkRows][100], g_demandLines[kTalkRows][100];
// The toggle's icon of each clause row (3..9): the plus while the clause is
// not offered, the minus while it is; -1 on the rows without a toggle.
int16_t g_toggleText[kTalkRows] = {-1, -1, -1, 1198, 1198, 1198, 1198, 1198, 1198, 1198};
const char* g_titlePtr = g_title;
const char* g_offerPtr[kTalkRows];
const char* g_demandPtr[kTalkRows];
int16_t g_refusalShown = -1;

struct TalkPointers {
    TalkPointers() {
        for (int i = 0; i < kTalkRows; ++i) {
            g_offerPtr[i] = g_offerLines[i];
            g_demandPtr[i] = g_demandLines[i];
        }
    }
} g_talkPointers;

// The wage in the short money form; a clause as the money prefix and the
// plain short form, alike on the offer's side and on the demands'.
const char* MoneyText(int32_t v) { return Price2str(v); }
const char* ClauseMoney(int32_t v) {
    static char text[NUMBER_TEXT_SIZE + 8];
    std::snprintf(text, sizeof text, "%s%s", Text(434), Price2strPlain(v));
    return text;
}

void FillLines(uint16_t p) {
    for (auto& l : g_offerLines) l[0] = '\0';
    for (auto& l : g_demandLines) l[0] = '\0';
    g_header[0] = g_title[0] = '\0';
    if (p == 0) return;
    const int16_t user = HVW_GetMyClub();
    AppendText(g_title, sizeof g_title, "%s", user >= 0 ? HVW_GetClubName(user) : "");
    FormatDealHeader(g_header, sizeof g_header, p);
    const ContractTerms& o = CurrentOffer.terms;
    const ContractTerms& d = CurrentDemands;
    const auto role = [](int16_t c) { return c >= 0 && c <= 6 ? Text(HVW_GetRoleText(c)) : ""; };
    AppendText(g_offerLines[0], 100, "%s %s", Text(59), MoneyText(o.wage));
    AppendText(g_offerLines[1], 100, "%s %d %s", Text(275), int(o.years), Text(1905));
    AppendText(g_offerLines[2], 100, "%s %s", Text(285), role(o.status));
    const int32_t money[5] = {o.clause1, o.clause4, o.clause5, o.clause6, o.clause7};
    const int16_t labels[5] = {947, 949, 950, 951, 952};
    for (int i = 0; i < 5; ++i)
        AppendText(g_offerLines[3 + i], 100, "%s %s", Text(labels[i]),
                   money[i] > 0 ? ClauseMoney(money[i]) : Text(74));
    AppendText(g_offerLines[8], 100, "%s %s", Text(282), Text(o.clause2 != 0 ? 249 : 248));
    AppendText(g_offerLines[9], 100, "%s %s", Text(953), Text(o.clause8 != 0 ? 249 : 248));
    const bool on[kTalkRows] = {false,        false,        false,        money[0] > 0,   money[1] > 0,
                                money[2] > 0, money[3] > 0, money[4] > 0, o.clause2 != 0, o.clause8 != 0};
    for (int row = 3; row < kTalkRows; ++row) g_toggleText[row] = on[row] ? 125 : 1198;

    int line = 0;
    AppendText(g_demandLines[line++], 100, "%s %s", Text(59), MoneyText(d.wage));
    AppendText(g_demandLines[line++], 100, "%s %d %s", Text(275), int(d.years), Text(1905));
    AppendText(g_demandLines[line++], 100, "%s %s", Text(285), role(d.status));
    const int32_t demanded[5] = {d.clause1, d.clause4, d.clause5, d.clause6, d.clause7};
    for (int i = 0; i < 5 && line < 10; ++i)
        if (demanded[i] > 0)
            AppendText(g_demandLines[line++], 100, "%s %s", Text(labels[i]), ClauseMoney(demanded[i]));
    if (d.clause2 > 0 && line < 10) AppendText(g_demandLines[line++], 100, "%s", Text(282));
    if (d.clause8 > 0 && line < 10) AppendText(g_demandLines[line++], 100, "%s", Text(953));
}

int32_t ToggleRow(int row) {
    constexpr int kClauseOfRow[kTalkRows] = {-1, -1, -1, 0, 3, 4, 5, 6, 1, 2};
    return row >= 3 && row < kTalkRows ? ContractTalks_Toggle(kClauseOfRow[row]) : MENU_CONTINUE;
}
int32_t PlusRow(int row) {
    switch (row) {
        case 0:
            return ContractTalks_WageUp(nullptr);
        case 1:
            return ContractTalks_YearsUp(nullptr);
        case 2:
            return ContractTalks_ChoiceForward(nullptr);
        case 3:
            return ContractTalks_ClauseStep(0, true);
        case 4:
        case 5:
        case 6:
        case 7:
            return ContractTalks_ClauseStep(row - 1, true);
        default:
            return MENU_CONTINUE;
    }
}
int32_t MinusRow(int row) {
    switch (row) {
        case 0:
            return ContractTalks_WageDown(nullptr);
        case 1:
            return ContractTalks_YearsDown(nullptr);
        case 2:
            return ContractTalks_ChoiceBack(nullptr);
        case 3:
            return ContractTalks_ClauseStep(0, false);
        case 4:
        case 5:
        case 6:
        case 7:
            return ContractTalks_ClauseStep(row - 1, false);
        default:
            return MENU_CONTINUE;
    }
}
// The handler of one row's control.
template <int32_t (*Act)(int), int Row>
int32_t RowControl(MenuHotItem*) {
    return Act(Row);
}

void DrawHeader(int, int, int, int) { DrawPlayerLineWithSettings(ShownPlayer(), g_header, "", 400, 112); }

constexpr int16_t kPtr = sizeof(const char*);
constexpr int16_t kFirstRowY = 150, kRowStep = 30;
const MenuItem kTalkRow[] = {
    {MI_STRING_VAR, 40, 11, 9, kPtr, &g_offerPtr[0], nullptr},
    {MI_STRING_VAR, 420, 11, 9, kPtr, &g_demandPtr[0], nullptr},
    kMenuEnd,
};
// Each row's controls: the wage, the years and the choice always have
// their steps; a clause has its toggle, and its steps while it is offered;
// the two flags have only their toggles.
#define ROW_STEPS(r)                                                                                       \
    {MI_BUTTON_STRING, 280, int16_t(kFirstRowY + kRowStep * (r)), 30, 22, "-", RowControl<MinusRow, r>}, { \
        MI_BUTTON_STRING, 315, int16_t(kFirstRowY + kRowStep * (r)), 30, 22, "+", RowControl<PlusRow, r>   \
    }
#define ROW_TOGGLE(r)                                                                            \
    {                                                                                            \
        MI_BUTTON_TEXT_VAR, 245, int16_t(kFirstRowY + kRowStep * (r)), 30, 22, &g_toggleText[r], \
            RowControl<ToggleRow, r>                                                             \
    }
const MenuItem kTermSteps[] = {ROW_STEPS(0),  ROW_STEPS(1),  ROW_STEPS(2),
                               ROW_TOGGLE(8), ROW_TOGGLE(9), kMenuEnd};
constexpr int kClauseRows = 5;  // rows 3..7: clauses A, D, E, F, G
const MenuItem kClauseOff3[] = {ROW_TOGGLE(3), kMenuEnd};
const MenuItem kClauseOff4[] = {ROW_TOGGLE(4), kMenuEnd};
const MenuItem kClauseOff5[] = {ROW_TOGGLE(5), kMenuEnd};
const MenuItem kClauseOff6[] = {ROW_TOGGLE(6), kMenuEnd};
const MenuItem kClauseOff7[] = {ROW_TOGGLE(7), kMenuEnd};
const MenuItem kClauseOn3[] = {ROW_TOGGLE(3), ROW_STEPS(3), kMenuEnd};
const MenuItem kClauseOn4[] = {ROW_TOGGLE(4), ROW_STEPS(4), kMenuEnd};
const MenuItem kClauseOn5[] = {ROW_TOGGLE(5), ROW_STEPS(5), kMenuEnd};
const MenuItem kClauseOn6[] = {ROW_TOGGLE(6), ROW_STEPS(6), kMenuEnd};
const MenuItem kClauseOn7[] = {ROW_TOGGLE(7), ROW_STEPS(7), kMenuEnd};
#undef ROW_STEPS
#undef ROW_TOGGLE
const MenuItem* const kClauseOff[kClauseRows] = {kClauseOff3, kClauseOff4, kClauseOff5, kClauseOff6,
                                                 kClauseOff7};
const MenuItem* const kClauseOn[kClauseRows] = {kClauseOn3, kClauseOn4, kClauseOn5, kClauseOn6, kClauseOn7};
const MenuItem* g_clauseRow[kClauseRows] = {kClauseOff3, kClauseOff4, kClauseOff5, kClauseOff6, kClauseOff7};

}  // namespace

const char* ContractTalksHeaderText() { return g_header; }
const char* ContractTalksOfferLine(int line) { return line >= 0 && line < 10 ? g_offerLines[line] : ""; }
int16_t ContractTalksRefusalShown() { return g_refusalShown; }

void ContractTalksMenu() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        ContractTalks_Enter();
    }
    FillLines(ShownPlayer());
    for (int row = 0; row < kClauseRows; ++row)
        g_clauseRow[row] = g_toggleText[3 + row] == 125 ? kClauseOn[row] : kClauseOff[row];
    g_refusalShown = CurrentOffer.refused != 0 ? CurrentOffer.refusalText : int16_t(-1);
}

const MenuItem ContractTalksTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ContractTalksMenu), nullptr},
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
    {MI_GROUP, 0, kFirstRowY, kTalkRows, kRowStep, kTalkRow, nullptr},
    {MI_GROUP, 0, 0, 1, 0, kTermSteps, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseRow[0], nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseRow[1], nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseRow[2], nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseRow[3], nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_clauseRow[4], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 400, 490, 10, 0, &g_refusalShown, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(83), ContractTalks_BreakOff},
    {MI_BUTTON_TEXT, 401, 559, 339, 28, MenuValue(96), ContractTalks_Offer},
    kMenuEnd,
};
