#include "tests/playthrough/day_user_deals.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/club/exchangedeals.h"
#include "core/club/transferprices.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/screens/transfers/playerdeal.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/menu_user.h"

namespace playthrough {
namespace deal_steps {
namespace {

using testenv::MenuUserClickItem;
using testenv::MenuUserDo;
using testenv::MenuUserWait;
using testenv::MenuUserWaitFor;

// The title bar's club caption, the frames a screen may take to come up,
// and the frames the engine wants between clicks.
constexpr int kClubCaption = 171;
constexpr int kScreenFrames = 3000;
constexpr int kAfterClick = 10;
// The squad list's name cells.
constexpr int kSquadRowX = 50, kSquadRowY = 147, kSquadRowStep = 23;
// Before the save, the days left when an offer for one of his players is
// put to him as a club's search would, should none have come by then: time
// for the buying club's rounds and the player's days to decide its bid.
constexpr int kOfferBeforeSave = 22;
// The rounds of a deal he holds his price in; then, once the buying club's
// offer stops rising, he takes it (the offer, rounded, never meets a price
// that is not a round figure).
constexpr int kRoundsAtHisPrice = 5;
// The sheet's price step buttons on his side when selling (10,000,000 down
// to 1,000, left to right).
constexpr int kStepX = 420, kStepY = 300, kStepGap = 70;
constexpr int32_t kSteps[5] = {10000000, 1000000, 100000, 10000, 1000};
// His club's balance while he bids.
constexpr int32_t kBidMoney = 100000000;

enum class Stage { Renewal, Bid, Waiting, Done };

using Next = std::function<void()>;
using Match = std::function<bool(const MenuHotItem&)>;

struct Deals {
    Stage stage = Stage::Renewal;
    // A deal's steps are queued for the scripted user: the day user waits.
    bool busy = false;
    // The stage that follows the deal under way.
    Stage after = Stage::Renewal;
    bool timedOut = false;
    int tries = 0;
    int offerTries = 0;
    // The money given for the bid, taken back once it is answered.
    int64_t gift = 0;
    int64_t balanceBeforeTalks = 0;
    int32_t salesBefore = 0;
    bool offerPut = false;
    bool saleAccepted = false;
    // The buying club's offer at the sale's last round.
    int32_t lastOffer = 0;
    std::vector<uint16_t> asked;
};

DayUserDealsReport g_seen;
Deals g_deals;
std::vector<std::string> g_failures;

void Fail(const std::string& what) {
    if (g_failures.size() < 20)
        g_failures.push_back("day " + std::to_string(SeasonCalendar.currentDay) + ": " + what);
}

int16_t User() { return int16_t(GetPlayerClub(1)); }
int Today() { return SeasonCalendar.currentDay; }

bool BoxUp() { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }
bool ScreenUp(int16_t id) {
    return MenuOption == id && ScreenPresented == 1 && MenuViewTopTable() != nullptr &&
           !MenuViewHotItems().empty();
}
bool ClubUp() { return MenuOption == kScreenClubMain && testenv::MenuTableUp(ClubMainTable); }
bool Offered(const Match& match) {
    int x = 0, y = 0;
    return testenv::FindMenuItem(match, &x, &y);
}
bool TitleItem(const MenuHotItem& item) { return item.popup != nullptr && item.x == kClubCaption; }

// The end of a deal's steps, done or lost: boxes clicked away, home by the
// title bar's club list, and the day user on again.
void Finish() {
    MenuUserDo([] {
        if (BoxUp()) {
            testenv::MenuUserClickAt(400, 300);
            MenuUserWait(kAfterClick);
        }
        MenuUserDo([] {
            if (!ClubUp() && Offered(TitleItem)) {
                MenuUserClickItem(TitleItem);
                MenuUserWait(15);
                testenv::MenuUserClickPopupRow(0);
                MenuUserWaitFor([] { return ClubUp(); }, kScreenFrames, [] { Fail("no way home"); });
                MenuUserWait(4);
            }
            MenuUserDo([] {
                g_deals.stage = g_deals.after;
                g_deals.busy = false;
            });
        });
    });
}
void Lose(const std::string& what) {
    Fail(what);
    Finish();
}

// Each step queues its own clicks and then the next step: the steps run in
// order as the scripted user reaches them.
void Click(Match match, const std::string& what, int button, Next next) {
    MenuUserDo([match, what, button, next] {
        if (!Offered(match)) {
            Lose("screen " + std::to_string(MenuOption) + " offers no " + what);
            return;
        }
        MenuUserClickItem(match, button);
        MenuUserWait(kAfterClick);
        MenuUserDo(next);
    });
}
void ClickAt(int x, int y, const std::string& what, int button, Next next) {
    Click([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; }, what, button,
          std::move(next));
}
void ClickHandler(MenuHandler handler, const std::string& what, Next next) {
    Click([handler](const MenuHotItem& item) { return item.handler == handler; }, what, 0, std::move(next));
}
void WaitFor(std::function<bool()> condition, const std::string& what, Next next) {
    MenuUserDo([condition, what, next] {
        g_deals.timedOut = false;
        MenuUserWaitFor(condition, kScreenFrames, [] { g_deals.timedOut = true; });
        MenuUserWait(4);
        MenuUserDo([what, next] {
            if (g_deals.timedOut) {
                Lose(what);
                return;
            }
            next();
        });
    });
}
void WaitScreen(int16_t id, const std::string& from, Next next) {
    WaitFor([id] { return ScreenUp(id); }, "screen " + std::to_string(id) + " did not open " + from,
            std::move(next));
}
// Opens the list of the item at x, y and clicks the row named when it is
// open.
void ChooseFromList(int x, int y, std::function<int()> row, const std::string& what, Next next) {
    ClickAt(x, y, what, 0, [row, what, next] {
        WaitFor([] { return !MenuViewPopupRows().empty(); }, "the list of " + what + " did not open",
                [row, what, next] {
                    if (row() < 0) {
                        Lose("the list of " + what + " has no such row");
                        return;
                    }
                    testenv::MenuUserClickPopupRow(row);
                    MenuUserWait(kAfterClick);
                    MenuUserDo(next);
                });
    });
}
int ProfileRow(ProfileAction action) {
    for (int i = 0; i < ProfileActionCount; ++i)
        if (ProfileActions[i] == action) return i;
    return -1;
}

// The squad list's name cells in two columns.
constexpr int kColumnRows = 16;
int SquadRowOf(const MenuHotItem& item) {
    if (item.y < kSquadRowY || (item.x != kSquadRowX && item.x != kSquadRowX + 385)) return -1;
    return (item.y - kSquadRowY) / kSquadRowStep + (item.x == kSquadRowX ? 0 : kColumnRows);
}
// The squad row (right button: the profile) of the player.
void OpenProfileOf(uint16_t p, Next next) {
    Click(
        [p](const MenuHotItem& item) {
            const int row = SquadRowOf(item);
            return p != 0 && row >= 0 && row < ShownCount && ShownPlayers[row] == p;
        },
        "row of player " + std::to_string(p), 1,
        [next] { WaitScreen(kScreenPlayerStats, "from the squad's row", next); });
}

bool ClubRowItem(const MenuHotItem& item) { return item.x == 20 && item.y > 90 && item.handler != nullptr; }
uint16_t ClubOfRow(int row) {
    const int at = ClubMainListTop() + row;
    return row >= 0 && at < ClubMainClubCount() ? ClubMainClubList()[at] : uint16_t(kNoClub);
}

// ---- Contract talks ------------------------------------------------------------------------

// His offer made at the terms shown; while it is refused the wage goes up
// a step and it is made again; then what follows.
void OfferInTalks(Next next) {
    ClickAt(401, 559, "offer in the talks", 0, [next] {
        if (!BoxUp() && testenv::MenuTableUp(ContractTalksTable)) {
            if (CurrentOffer.refused != 0 && ++g_deals.offerTries <= 40) {
                ClickAt(315, 150, "wage raise", 0, [next] { OfferInTalks(next); });
                return;
            }
            Lose("the contract talks neither agreed nor refused the offer");
            return;
        }
        next();
    });
}

// ---- The renewal -------------------------------------------------------------------------

// The shortest contract of his own players shown not yet asked: he is the
// one to keep.
uint16_t ShortestContract() {
    const int16_t user = User();
    uint16_t best = 0;
    for (int row = 0; row < ShownCount; ++row) {
        const uint16_t p = ShownPlayers[row];
        if (p == 0 || GetPlayerClub(p) != uint16_t(user) || GetPlayerLoanClub(p) != uint16_t(user)) continue;
        if (std::find(g_deals.asked.begin(), g_deals.asked.end(), p) != g_deals.asked.end()) continue;
        const int16_t months = HVW_GetPlayerContract(p);
        if (months <= 0) continue;
        if (best == 0 || months < HVW_GetPlayerContract(best)) best = p;
    }
    return best;
}

// The contract runs from the talks to the end of a season's sixth month.
int16_t ExpectedMonths(int years) {
    return int16_t(std::clamp(years * 12 + 6 - int(SeasonCalendar.month), 0, 60));
}

void AskNextForRenewal();

// A player who will not talk (a box says so) is left for the next one.
void TalksRefused() {
    g_seen.talksRefused.push_back(MenuViewLastMessageBox());
    testenv::MenuUserClickAt(400, 300);
    MenuUserWait(kAfterClick);
    ClickHandler(ContractDeal_Cancel, "cancel on the deal screen", [] {
        WaitScreen(kScreenPlayerStats, "back from the deal screen", [] {
            ClickHandler(PlayerProfile_Back, "back on the profile", [] {
                WaitScreen(kScreenSquadList, "back from the profile", [] {
                    if (g_deals.asked.size() >= 6) {
                        Lose("no player of his would talk about a new contract");
                        return;
                    }
                    AskNextForRenewal();
                });
            });
        });
    });
}

// From his squad: the player's profile, the deal screen and the talks.
void AskNextForRenewal() {
    g_seen.renewed = ShortestContract();
    if (g_seen.renewed == 0) {
        Lose("no player of his left to ask for a new contract");
        return;
    }
    g_deals.asked.push_back(g_seen.renewed);
    g_seen.contractBefore = HVW_GetPlayerContract(g_seen.renewed);
    OpenProfileOf(g_seen.renewed, [] {
        ChooseFromList(
            60, 559, [] { return ProfileRow(ProfileAction::Deal); }, "the profile's actions",
            [] {
                WaitScreen(kScreenContractMenu, "from the profile's actions", [] {
                    ClickHandler(ContractDeal_OpenTalks, "talks button", [] {
                        WaitFor([] { return ScreenUp(14) || BoxUp(); },
                                "the talks neither opened nor were refused",
                                [] {
                                    if (BoxUp()) {
                                        TalksRefused();
                                        return;
                                    }
                                    g_deals.offerTries = 0;
                                    // A year more than he has: the contract grows.
                                    ClickAt(315, 180, "a year more", 0, [] {
                                        OfferInTalks([] {
                                            g_seen.yearsOffered = int16_t(CurrentOffer.terms.years);
                                            g_seen.expectedContract =
                                                ExpectedMonths(CurrentOffer.terms.years);
                                            WaitFor([] { return !ScreenUp(14); },
                                                    "the talks stayed after the renewal",
                                                    [] {
                                                        g_seen.contractAfter =
                                                            HVW_GetPlayerContract(g_seen.renewed);
                                                        Finish();
                                                    });
                                        });
                                    });
                                });
                    });
                });
            });
    });
}

// The club screens show the selected club: his own picked from the club
// list (scrolled to it as needed), then his squad from the title bar.
void PickOwnClub() {
    const uint16_t user = uint16_t(User());
    if (SelectedClub == user) {
        Click(TitleItem, "title bar", 0, [] {
            MenuUserWait(15);
            testenv::MenuUserClickPopupRow(1);
            WaitScreen(kScreenSquadList, "from the title bar", AskNextForRenewal);
        });
        return;
    }
    int row = -1;
    for (const MenuHotItem& item : MenuViewHotItems())
        if (ClubRowItem(item) && ClubOfRow(item.row) == user) row = item.row;
    if (row >= 0) {
        Click([row](const MenuHotItem& item) { return ClubRowItem(item) && item.row == row; },
              "his club's row", 0, PickOwnClub);
    } else if (++g_deals.tries > 12) {
        Lose("his club is not in the club screen's list");
    } else {
        ClickAt(20, 573, "the club list's scroll", 0, PickOwnClub);
    }
}

void Renew() {
    g_seen.renewalDay = Today();
    g_deals.after = Stage::Bid;
    g_deals.tries = 0;
    MenuUserDo(PickOwnClub);
}

// ---- The bid -------------------------------------------------------------------------------

bool Buyable(uint16_t p) {
    return p != 0 && p < PlayerCount && GetPlayerClub(p) != uint16_t(User()) && HVW_CheckUserBid(p) == 0 &&
           HVW_ValuePlayerFull(p) > 0;
}

// The cheapest player of the club shown whom he may bid for, at half his
// club's budget at most (the selling club asks above the player's worth).
uint16_t Cheapest() {
    const int64_t budget = HVW_GetClubWageBudget(User());
    uint16_t best = 0;
    for (int row = 0; row < ShownCount; ++row) {
        const uint16_t p = ShownPlayers[row];
        if (!Buyable(p) || int64_t(HVW_ValuePlayerFull(p)) * 2 > budget) continue;
        if (best == 0 || HVW_ValuePlayerFull(p) < HVW_ValuePlayerFull(best)) best = p;
    }
    return best;
}

int BidSlotOf(int16_t club, uint16_t p) {
    for (int16_t slot = 0; slot < 4; ++slot)
        if (p != 0 && GetClubBidPlayer(club, slot) == p) return slot;
    return -1;
}

bool AwaitsContract(uint16_t p) {
    for (uint16_t held : PendingHumanDeals)
        if (p != 0 && held == p) return true;
    return false;
}

void TakeTheGiftBack() {
    const int16_t user = User();
    SetClubBalance(user,
                   int32_t(std::clamp<int64_t>(GetClubBalance(user) - g_deals.gift, INT32_MIN, INT32_MAX)));
    g_deals.gift = 0;
}

void MakeTheBid() {
    g_seen.bidDay = Today();
    OpenProfileOf(g_seen.bidFor, [] {
        ChooseFromList(
            60, 559, [] { return ProfileRow(ProfileAction::Offer); }, "the profile's actions",
            [] {
                WaitScreen(kScreenDealSheet, "from the profile's offer", [] {
                    ClickAt(30, 300, "the selling club's demand", 0, [] {
                        ClickAt(401, 559, "the bid", 0, [] {
                            WaitFor([] { return BoxUp() || ScreenUp(4); }, "the bid led nowhere",
                                    [] {
                                        const int slot = BidSlotOf(User(), g_seen.bidFor);
                                        if (BoxUp() || slot < 0) {
                                            Fail("the bid was not made: \"" +
                                                 std::string(MenuViewLastMessageBox()) + "\" (budget " +
                                                 std::to_string(HVW_GetClubWageBudget(User())) + ", value " +
                                                 std::to_string(HVW_ValuePlayerFull(g_seen.bidFor)) + ")");
                                            g_seen.bidFor = 0;
                                            TakeTheGiftBack();
                                        } else {
                                            g_seen.bidFee = GetClubBidPrice(User(), int16_t(slot)) * 100;
                                        }
                                        Finish();
                                    });
                        });
                    });
                });
            });
    });
}

// Another club of the club screen's list (the next on each try): its squad;
// a player he can afford bid for at the selling club's demand.
void BidAtClub() {
    const int nth = g_deals.tries++;
    if (nth >= 6) {
        Lose("no club of his list has a player he can afford (budget " +
             std::to_string(HVW_GetClubWageBudget(User())) + ")");
        return;
    }
    int shown = -1;
    for (const MenuHotItem& item : MenuViewHotItems()) {
        if (!ClubRowItem(item) || ClubOfRow(item.row) == kNoClub || ClubOfRow(item.row) == uint16_t(User()))
            continue;
        if (++shown == nth) {
            const int row = item.row;
            Click([row](const MenuHotItem& i) { return ClubRowItem(i) && i.row == row; },
                  "another club's row", 1,
                  [] {
                      WaitScreen(kScreenSquadList, "from the club screen's club list", [] {
                          g_seen.bidFor = Cheapest();
                          if (g_seen.bidFor != 0) {
                              MakeTheBid();
                              return;
                          }
                          ClickHandler(SquadList_Back, "back on the squad", [] {
                              WaitFor([] { return ClubUp(); }, "the squad's back did not lead home",
                                      BidAtClub);
                          });
                      });
                  });
            return;
        }
    }
    Lose("the club screen's list shows no other club");
}

void Bid() {
    g_deals.after = Stage::Waiting;
    g_deals.tries = 0;
    // Money enough for a player of his division, as the screen tour gives
    // for its purchase: his club's own money is what the tour left.
    const int16_t user = User();
    g_deals.gift = int64_t(kBidMoney) - GetClubBalance(user);
    SetClubBalance(user, kBidMoney);
    MenuUserDo(BidAtClub);
}

// The talks the accepted bid opens: his offer at the player's demands.
bool TalksForTheBid() {
    if (g_seen.bidFor == 0 || g_seen.answer != 0 || !ScreenUp(14) || SelectedPlayer != int16_t(g_seen.bidFor))
        return false;
    g_deals.busy = true;
    g_deals.after = g_deals.stage;
    g_deals.offerTries = 0;
    g_deals.balanceBeforeTalks = GetClubBalance(User());
    MenuUserDo([] {
        OfferInTalks([] {
            WaitFor([] { return ClubUp() || BoxUp(); }, "the bought player's talks did not end",
                    [] {
                        g_seen.answer = 1;
                        g_seen.answerDay = Today();
                        g_seen.boughtInSquad = GetPlayerClub(g_seen.bidFor) == uint16_t(User());
                        g_seen.balanceChange = int64_t(GetClubBalance(User())) - g_deals.balanceBeforeTalks;
                        TakeTheGiftBack();
                        Finish();
                    });
        });
    });
    return true;
}

// A refusal clears his bid and leaves the player where he was.
void WatchTheBid() {
    const uint16_t p = g_seen.bidFor;
    if (p == 0 || g_seen.answer != 0 || g_seen.bidFee == 0) return;
    if (GetPlayerClub(p) == uint16_t(User()) || AwaitsContract(p) || BidSlotOf(User(), p) >= 0) return;
    g_seen.answer = 2;
    g_seen.answerDay = Today();
    g_seen.refusedStaysAtHisClub = GetPlayerClub(p) != uint16_t(User());
    TakeTheGiftBack();
}

// ---- The sale ------------------------------------------------------------------------------

bool DealButton(const MenuHotItem& item) { return item.x == 401 && item.y == 559; }

// The deal button pressed: the terms agreed (the deal pending, to come
// back on a later day) or, once the offer meets his price, the buying
// club's bid at it.
void PressDeal() {
    if (g_seen.saleRounds++ == 0) {
        g_seen.firstAsking = CurrentDeal.asking;
        g_seen.firstOffer = CurrentDeal.offer;
    }
    g_seen.saleAsking = CurrentDeal.asking;
    g_seen.saleOffer = CurrentDeal.offer;
    g_deals.lastOffer = CurrentDeal.offer;
    ClickAt(401, 559, "the deal button", 0, [] {
        WaitFor([] { return !ScreenUp(10) || BoxUp(); }, "the deal sheet stayed",
                [] {
                    const int slot = BidSlotOf(g_seen.buyer, g_seen.sold);
                    if (slot >= 0) {
                        g_seen.saleFee = GetClubBidPrice(g_seen.buyer, int16_t(slot)) * 100;
                        g_seen.bidMadeDay = Today();
                    }
                    g_seen.salePending = false;
                    for (int i = 0; i < kPendingDeals; ++i)
                        g_seen.salePending |= PendingDealPlayer(i) == g_seen.sold &&
                                              PendingDealBuyingClub(i) == g_seen.buyer &&
                                              PendingDealReady(i) != 1 && slot < 0;
                    Finish();
                });
    });
}

// The first offer: his asking price a step under the player's worth (the
// smallest step, the right button) for as long as the sheet offers no
// deal, then the deal.
void MeetTheOffer() {
    if (!Offered(DealButton) && CurrentDeal.asking > 0 && ++g_deals.offerTries <= 20) {
        ClickAt(kStepX + 4 * kStepGap, kStepY, "a price step", 1, MeetTheOffer);
        return;
    }
    PressDeal();
}

// His price down to the buying club's offer (the step that reaches past
// the offer stops at it), then the deal.  The offer follows his price
// down until the club has haggled its rounds, so it is taken only late.
void TakeTheOffer() {
    const int64_t gap = int64_t(CurrentDeal.asking) - CurrentDeal.offer;
    if (gap <= 0 || CurrentDeal.verdict == 0) {
        PressDeal();
        return;
    }
    int step = 4;
    while (step > 0 && kSteps[step] < gap) --step;
    ClickAt(kStepX + step * kStepGap, kStepY, "a price step to the offer", 1, PressDeal);
}

// The deal back on a later day: his price held while the buying club
// comes up, then its offer taken.
void AnotherRound() {
    const bool rising = CurrentDeal.offer > g_deals.lastOffer && g_seen.saleRounds < 2 * kRoundsAtHisPrice;
    if (CurrentDeal.verdict == 0 || g_seen.saleRounds < kRoundsAtHisPrice || rising) {
        PressDeal();
        return;
    }
    TakeTheOffer();
}

// The deal sheet the days open for a deal he does not take further (a
// second offer, a deal left pending): withdrawn.
void Withdraw() {
    g_deals.busy = true;
    g_deals.after = g_deals.stage;
    ++g_seen.withdrawn;
    MenuUserDo([] {
        ClickHandler(DealSheet_Withdraw, "withdraw", [] {
            WaitFor([] { return !ScreenUp(10) || BoxUp(); }, "the deal sheet stayed", Finish);
        });
    });
}

// The deal sheet shows the sale he agreed to, back for another round.
bool HisSaleBack() {
    return g_deals.saleAccepted && g_seen.saleFee == 0 && CurrentDeal.direction == 0 &&
           SelectedPlayer == int16_t(g_seen.sold) && CurrentDeal.buyingClub == g_seen.buyer;
}

// An offer for one of his players on the deal sheet: the first accepted,
// and its deal followed round by round to the buying club's bid.
bool OfferForHisPlayer(bool active) {
    if (!ScreenUp(10) || SquadOfferFlag == 0) return false;
    if (active && HisSaleBack()) {
        g_deals.busy = true;
        g_deals.after = g_deals.stage;
        g_deals.offerTries = 0;
        MenuUserDo(AnotherRound);
        return true;
    }
    ++g_seen.offersSeen;
    if (!active || CurrentDeal.direction != 0 || g_deals.saleAccepted) {
        Withdraw();
        return true;
    }
    g_deals.busy = true;
    g_deals.after = g_deals.stage;
    if (!g_deals.saleAccepted) {
        g_deals.saleAccepted = true;
        g_seen.sold = uint16_t(SelectedPlayer);
        g_seen.buyer = CurrentDeal.buyingClub;
        g_seen.offerDay = Today();
        g_deals.salesBefore = GetClubSeasonSales(User());
    }
    g_deals.offerTries = 0;
    MenuUserDo(MeetTheOffer);
    return true;
}

// The sale followed to its end: the player gone, or the deal ended without
// him leaving (the buying club gave up before its bid, or the bid was
// turned down).
void WatchTheSale() {
    if (!g_deals.saleAccepted || g_seen.saleDay >= 0 || g_seen.saleEnded || g_seen.sold == 0) return;
    if (GetPlayerClub(g_seen.sold) == uint16_t(User())) {
        const bool open = g_seen.saleFee > 0 ? BidSlotOf(g_seen.buyer, g_seen.sold) >= 0
                                             : PendingDeal_FindMain(g_seen.sold) >= 0;
        g_seen.saleEnded = !open;
        if (g_seen.saleEnded) g_seen.saleEndDay = Today();
        return;
    }
    g_seen.saleDay = Today();
    g_seen.soldOutOfSquad = GetPlayerClub(g_seen.sold) == uint16_t(g_seen.buyer);
    g_seen.salesChange = int64_t(GetClubSeasonSales(User())) - g_deals.salesBefore;
}

// Late before the save with no offer yet: a club of his division wants his
// player of least worth, as a club's search puts it to a human manager;
// the day's messages show it on the deal sheet.
void PutAnOffer(int daysToSave) {
    if (g_deals.offerPut || g_deals.saleAccepted || daysToSave > kOfferBeforeSave || HVW_HasHumanSales() != 0)
        return;
    g_deals.offerPut = true;
    const int16_t user = User();
    uint16_t cheapest = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerClub(p) != uint16_t(user) || GetPlayerLoanClub(p) != uint16_t(user) ||
            HVW_GetPlayerContract(p) <= 0 || p == g_seen.bidFor || p == g_seen.renewed ||
            HVW_ValuePlayerFull(p) <= 0)
            continue;
        if (cheapest == 0 || HVW_ValuePlayerFull(p) < HVW_ValuePlayerFull(cheapest)) cheapest = p;
    }
    int16_t buyer = -1;
    for (int row = 0; row < ClubMainClubCount() && buyer < 0; ++row) {
        const uint16_t club = ClubMainClubList()[row];
        if (club != uint16_t(user) && club != kNoClub && GetClubControl(int16_t(club)) == 0)
            buyer = int16_t(club);
    }
    if (cheapest != 0 && buyer >= 0) HVW_AddHumanSale(1, cheapest, buyer);
}

}  // namespace
}  // namespace deal_steps

void DayUserDealsReset() {
    using namespace deal_steps;
    g_seen = DayUserDealsReport{};
    g_deals = Deals{};
    g_failures.clear();
}

bool DayUserDeals(bool active, bool atClub, int daysToSave) {
    using namespace deal_steps;
    if (g_deals.busy) return true;
    if (OfferForHisPlayer(active)) return true;
    if (!active) return false;
    if (TalksForTheBid()) return true;
    if (!atClub || !ClubUp()) return false;
    WatchTheBid();
    WatchTheSale();
    switch (g_deals.stage) {
        case Stage::Renewal:
            g_deals.busy = true;
            Renew();
            return true;
        case Stage::Bid:
            g_deals.busy = true;
            Bid();
            return true;
        default:
            PutAnOffer(daysToSave);
            return false;
    }
}

const DayUserDealsReport& DayUserDealsSeen() {
    using namespace deal_steps;
    return g_seen;
}

std::vector<std::string> DayUserDealsFailures(bool fullRun) {
    using namespace deal_steps;
    std::vector<std::string> failures = g_failures;
    if (!fullRun) return failures;
    const DayUserDealsReport& s = g_seen;
    const auto check = [&failures](bool ok, const std::string& what) {
        if (!ok) failures.push_back(what);
    };
    check(s.renewed != 0, "no contract renewed");
    check(s.yearsOffered > 0 && s.contractAfter == s.expectedContract,
          "the renewed contract runs " + std::to_string(s.contractAfter) + " months, not the " +
              std::to_string(s.expectedContract) + " of the " + std::to_string(s.yearsOffered) +
              " years agreed");
    check(s.contractAfter > s.contractBefore, "the renewal did not lengthen the contract");
    check(s.bidFor != 0 && s.bidFee > 0, "no bid made");
    check(s.answer != 0, "the bid was not answered before the save");
    if (s.answer == 1) {
        check(s.boughtInSquad, "the player whose club took the bid is not his");
        check(s.balanceChange == -s.bidFee, "the purchase changed the balance by " +
                                                std::to_string(s.balanceChange) + ", not the fee " +
                                                std::to_string(s.bidFee));
    }
    if (s.answer == 2) check(s.refusedStaysAtHisClub, "the player whose bid was refused is his");
    check(s.sold != 0 && (s.saleFee > 0 || s.saleRounds > 0),
          "no offer for his player met on the deal sheet (neither a bid nor a pending deal)");
    check(s.sold == 0 || s.saleDay >= 0 || s.saleEnded,
          "the sale of " + std::to_string(s.sold) + " was still open at the save after " +
              std::to_string(s.saleRounds) + " rounds (offer " + std::to_string(s.saleOffer) + " for " +
              std::to_string(s.saleAsking) + (s.saleFee > 0 ? ", bid made" : ", no bid") + ")");
    if (s.saleDay >= 0) {
        check(s.soldOutOfSquad, "the sold player is not the buyer's");
        check(s.salesChange == s.saleFee, "the season's sales rose by " + std::to_string(s.salesChange) +
                                              ", not the fee " + std::to_string(s.saleFee));
    }
    return failures;
}

std::string DayUserDealsSummary() {
    using namespace deal_steps;
    const DayUserDealsReport& s = g_seen;
    char line[600];
    std::snprintf(
        line, sizeof line,
        "deals: renewal of %u on day %d (%d -> %d months); bid for %u (fee %d) on day %d, answer %d on "
        "day %d; offer for %u from club %d on day %d (%d offers seen), %d rounds (offer %d for %d, at first "
        "%d for %d), its bid (fee %d) on day %d, gone on day %d%s",
        unsigned(s.renewed), s.renewalDay, s.contractBefore, s.contractAfter, unsigned(s.bidFor), s.bidFee,
        s.bidDay, s.answer, s.answerDay, unsigned(s.sold), s.buyer, s.offerDay, s.offersSeen, s.saleRounds,
        s.saleOffer, s.saleAsking, s.firstOffer, s.firstAsking, s.saleFee, s.bidMadeDay, s.saleDay,
        s.saleEnded ? " (the deal ended with him staying)" : "");
    return line;
}

}  // namespace playthrough
