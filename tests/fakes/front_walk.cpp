#include "tests/fakes/front_walk.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <utility>

#include "core/base/debug.h"
#include "core/club/teamroles.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/playerrecords.h"
#include "core/records/text.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screenids.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/careerhistory.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/transfers/agentprofile.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/screens/transfers/exchangelist.h"
#include "game/screens/transfers/playerdeal.h"
#include "game/screens/transfers/scouting.h"
#include "game/screens/transfers/shortlistscreen.h"
#include "tests/fakes/menu_user.h"

namespace testenv {

namespace {

// Frames a screen may take to come up (a day played, a checked build), and
// the frames after a click before the engine takes the next one.
constexpr int kScreenFrames = 6000;
constexpr int kAfterClick = 12;
constexpr int kTrailLines = 40;
constexpr int16_t kBackIconNumber = 153;
constexpr int16_t kQuitText = 0;
// The answer to an application that waits for the club's board.
constexpr int16_t kApplicationLodgedText = 1120;
// The screens an open deal goes to and comes back from.
constexpr int16_t kDealScreens[] = {kScreenDealSheet,  kScreenExchangeList, kScreenPlayerStats,
                                    kScreenPlayerInfo, kScreenAgentProfile, kScreenCareerHistory};
constexpr int16_t kSquadLists[] = {kScreenSquadList, kScreenSquadListSpare, kScreenSquadListSecond};
// Lists whose rows open a player's profile with the second button.
constexpr int16_t kListScreens[] = {kScreenSquadList,     kScreenSquadListSpare,    kScreenSquadListSecond,
                                    kScreenShortlist,     kScreenPlayerSearch,      kScreenTransferList,
                                    kScreenTeamSelect,    kScreenFilteredSquadList, kScreenExchangeList,
                                    kScreenAttributeTable};

template <typename List>
bool In(const List& list, int16_t id) {
    return std::find(std::begin(list), std::end(list), id) != std::end(list);
}

// What the user clicked on a screen, as the walk's account reads it.
struct Click {
    int16_t screen = -100;
    MenuHandler handler = nullptr;
    PopupFunction function = nullptr;  // a pop-up row's
    int16_t textId = -1;               // a pop-up row's text
    bool backIcon = false;
    bool navigation = false;  // a title-bar or navigation-button row
    bool day = false;         // one day or the user's match played
    int profileAction = -1;   // a row of the profile's action list
    int slot = -1;            // the offer's exchange slot (button or name)
    bool slotName = false;
    int button = 0;
    int16_t club = -1;  // the club in view when the user clicked
};

// The profile on show, as its opener named it.
struct ProfileModel {
    int16_t player = 0;
    // The screens its back icon may lead to (home always may).
    std::vector<int16_t> back;
    // An exchange player's profile opened from the offer: its back icon
    // leads to the offer (required while strict, allowed while loose).
    bool wayBack = false;
    bool wayBackLoose = false;
    bool fromScoutView = false;
};

// The offer the user has open, as he left it on the deal's own screens.
struct DealModel {
    bool open = false;
    int16_t player = 0;
    uint16_t exchange[3] = {};
    // Where the profile that opened the offer led back to.
    std::vector<int16_t> profileBack;
    bool byDay = false;
};

// The contract details, as their opener named them.
struct InfoModel {
    bool fromProfile = false;
    bool wayBack = false;
    std::vector<int16_t> back;
};

struct Walk {
    FrontWalkOptions options;
    std::shared_ptr<FrontWalkReport> report;
    std::mt19937 random;
    // The screen seen up at the last step and the screen before it.
    int16_t screen = kScreenClubMain;
    int16_t cameFrom = kScreenClubMain;
    // The last click on a screen whose outcome is yet to be seen.
    Click last;
    bool clicked = false;
    ProfileModel profile;
    ProfileModel shortlistProfile;  // kept while the profile opened from the shortlist is up
    DealModel deal;
    InfoModel info;
    // The club information's job words: a vacancy picked, the day's job
    // offer, an application lodged and its acceptance.
    int16_t pickClub = -1;
    int16_t offerClub = -1;
    int16_t appliedClub = -1;
    int16_t acceptedClub = -1;
    int16_t infoClub = -1;
    // The shortlist in its scout view.
    bool scoutView = false;
    int boxClicks = 0;
    int loopClicks = 0;
    // The day of the last Continue and how often it did not move on.
    int16_t lastDay = -1;
    int stalledDays = 0;
    // The profile on show is the one an offer ended on.
    bool offerEnded = false;
    // The last screen that opened a player's profile or details naming
    // itself as their return.
    int16_t lastNamed = kScreenClubMain;
};

Walk* g_walk = nullptr;

std::string Join(const std::vector<int16_t>& ids) {
    std::string text;
    for (int16_t id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
    return text;
}

void Trail(const std::string& line) {
    std::vector<std::string>& trail = g_walk->report->trail;
    trail.push_back("step " + std::to_string(g_walk->report->steps) + ": " + line);
    // HALVORN_WALK_DEBUG prints every step as it is made.
    if (std::getenv("HALVORN_WALK_DEBUG") != nullptr) std::fprintf(stderr, "%s\n", trail.back().c_str());
    if (int(trail.size()) > kTrailLines) trail.erase(trail.begin());
}

std::string TrailText() {
    std::string text = "seed " + std::to_string(g_walk->options.seed) + ", the last steps:\n";
    for (const std::string& line : g_walk->report->trail) text += "  " + line + "\n";
    return text;
}

// A broken rule: the walk stops at the first.
void Broken(char rule, const std::string& what) {
    if (!g_walk->report->failure.empty()) return;
    std::ostringstream text;
    text << "rule (" << rule << ") broken at step " << g_walk->report->steps << " on screen " << MenuOption
         << ": " << what << "\n"
         << TrailText();
    g_walk->report->failure = text.str();
}

bool Check(char rule, bool holds, const std::string& what) {
    ++g_walk->report->checks[rule];
    if (!holds) Broken(rule, what);
    return holds;
}

void PrintTrailOnFatal(const char* message) {
    if (g_walk == nullptr) return;
    std::fprintf(stderr, "front walk: a fatal error (%s) at step %d; %s", message, g_walk->report->steps,
                 TrailText().c_str());
    std::fflush(stderr);
}

bool BoxUp() { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }

bool Settled() {
    if (BoxUp() || MenuViewOpenPopup() != nullptr || IsTextInputActive() != 0) return true;
    const MenuItem* top = MenuViewTopTable();
    if (top == nullptr) return !MatchDayViewRegions().empty();
    return !MenuViewHotItems().empty() && ScreenPresented == 1 && IsMenuFirstEntry() == 0;
}

int16_t PopupRowText(const PopupEntry* entry) {
    if (entry->kind == POPUP_TEXT_ID) return int16_t(reinterpret_cast<intptr_t>(entry->text));
    if (entry->kind == POPUP_TEXT_ID_VARIABLE) return *static_cast<const int16_t*>(entry->text);
    return -1;
}

int16_t NavigationTarget(int16_t textId) {
    for (const MenuOptionPair* pair = MenuOption_TextNumber; !(pair->textId == 0 && pair->option == 0);
         ++pair)
        if (pair->textId == uint16_t(textId)) return pair->option;
    return -100;
}

// The screen id whose table is up, -1 when none.
int16_t TableScreen(const MenuItem* table) {
    for (int16_t id = 0; id < 120; ++id)
        if (table != nullptr && FrontEndScreenTable(id) == table) return id;
    return -1;
}

// ---- The checks, on each screen as it comes up ----------------------------------------------

std::vector<int16_t> WithHome(std::vector<int16_t> ids) {
    ids.push_back(kScreenClubMain);
    // The squad list's three views name one another's back.
    for (int16_t id : std::vector<int16_t>(ids))
        if (In(kSquadLists, id)) ids.insert(ids.end(), std::begin(kSquadLists), std::end(kSquadLists));
    return ids;
}

// (c) Where a back icon may lead from the screen it was clicked on.
void CheckBackIcon(int16_t from, int16_t to) {
    Walk& w = *g_walk;
    ++w.report->backIcons;
    std::vector<int16_t> allowed;
    const char* road = "";
    switch (from) {
        case kScreenPlayerStats:
            if (w.profile.wayBack && !w.profile.wayBackLoose) {
                allowed = {kScreenDealSheet};
                road = "the exchange player's profile, on the deal's own way back";
            } else {
                allowed = WithHome(w.profile.back);
                if (w.profile.wayBack) allowed.push_back(kScreenDealSheet);
                road = w.profile.wayBack ? "the exchange player's profile after his history"
                                         : "a profile off the deal's way back";
            }
            break;
        case kScreenPlayerInfo:
            if (w.info.wayBack) {
                allowed = {kScreenDealSheet};
                road = "the exchange player's contract details";
            } else if (w.info.fromProfile) {
                allowed = {kScreenPlayerStats, kScreenClubMain};
                road = "contract details opened from a profile";
            } else {
                allowed = WithHome(w.info.back);
                road = "contract details opened from a list";
            }
            break;
        case kScreenAgentProfile:
        case kScreenCareerHistory:
            allowed = {kScreenPlayerStats, kScreenManagerRankings};
            road = "the player's agent or history";
            break;
        case kScreenExchangeList:
            allowed = {kScreenDealSheet};
            road = "the exchange list";
            break;
        case kScreenShortlist:
            allowed = {w.scoutView ? kScreenScouting : kScreenClubMain};
            road = w.scoutView ? "the scout view" : "the user's shortlist";
            break;
        default:
            return;
    }
    Check('c', In(allowed, to),
          std::string("the back icon of ") + road + " (screen " + std::to_string(from) + ") led to screen " +
              std::to_string(to) + "; its opener named " + Join(allowed));
}

std::string DealText() {
    std::ostringstream text;
    text << "player " << SelectedPlayer << ", exchange " << CurrentDeal.exchange[0].player << "/"
         << CurrentDeal.exchange[1].player << "/" << CurrentDeal.exchange[2].player << ", adjustments "
         << CurrentDeal.adjustments << ", resumed deal " << CurrentDeal.resumed;
    return text.str();
}

bool DealIsFresh() {
    return std::all_of(std::begin(CurrentDeal.exchange), std::end(CurrentDeal.exchange),
                       [](const ExchangeSlot& s) { return s.player == 0; }) &&
           CurrentDeal.adjustments == 0 && CurrentDeal.resumed == 0;
}

// (b) The offer as it comes up, by the road that opened it.
void EnterOffer(const Click& c, int16_t from) {
    Walk& w = *g_walk;
    ++w.report->offers;
    // The deal's own ways back: the exchange list, and the exchange
    // player's profile and details by their back icons and their buttons
    // (which lead back to the offer while the deal is open).
    const bool button = c.backIcon || c.handler == PlayerInfo_History || c.handler == PlayerInfo_Profile;
    const bool wayBack = w.deal.open && ((from == kScreenExchangeList) ||
                                         (from == kScreenPlayerStats && button && w.profile.wayBack) ||
                                         (from == kScreenPlayerInfo && button && w.info.wayBack));
    if (wayBack) {
        bool kept = SelectedPlayer == w.deal.player;
        // The exchange list may have added a player; what was kept stays.
        for (int k = 0; k < 3; ++k)
            if (w.deal.exchange[k] != 0) kept = kept && CurrentDeal.exchange[k].player == w.deal.exchange[k];
        Check('b', kept,
              "the offer on the deal's own way back is not the kept offer of player " +
                  std::to_string(w.deal.player) + ": it shows " + DealText());
        return;
    }
    DealModel fresh;
    fresh.open = true;
    if (from == kScreenPlayerStats && c.profileAction == int(ProfileAction::Offer)) {
        Check('b', SelectedPlayer == w.profile.player && DealIsFresh() && CurrentDeal.direction == 1,
              "the offer from the profile of player " + std::to_string(w.profile.player) + " shows " +
                  DealText());
        fresh.profileBack = w.profile.back;
    } else if (CurrentDeal.resumed != 0) {
        const int index = CurrentDeal.resumed - 1;
        Check('b',
              index < kPendingDeals && PendingDealPlayer(index) == uint16_t(SelectedPlayer) &&
                  CurrentDeal.adjustments == 0,
              "the resumed deal's offer shows another deal's player or figures: " + DealText());
        fresh.byDay = true;
    } else {
        Check('b', DealIsFresh(),
              "an offer opened by the day or another screen (" + std::to_string(from) +
                  ") keeps what an earlier offer left: " + DealText());
        fresh.byDay = true;
    }
    fresh.player = SelectedPlayer;
    w.deal = fresh;
}

// The screens of a player that end on his profile without naming a return
// of their own: his profile's own screens, the contract screen, the talks,
// the loan terms, the condition and the offer.
constexpr int16_t kPlayerFamily[] = {kScreenPlayerStats,   kScreenPlayerInfo,      kScreenAgentProfile,
                                     kScreenCareerHistory, kScreenContractMenu,    kScreenContractTalks,
                                     kScreenLoanTerms,     kScreenPlayerCondition, kScreenDealSheet,
                                     kScreenExchangeList};

void EnterProfile(const Click& c, int16_t from) {
    Walk& w = *g_walk;
    w.offerEnded = false;
    ProfileModel next;
    next.player = SelectedPlayer;
    if (from == kScreenDealSheet && c.slotName && c.slot >= 0) {
        next.player = int16_t(w.deal.exchange[c.slot]);
        next.wayBack = true;
        Check('b', SelectedPlayer == next.player,
              "the exchange player's profile shows player " + std::to_string(SelectedPlayer) + ", not " +
                  std::to_string(next.player));
    } else if (from == kScreenDealSheet) {
        // The offer's profile line, or the offer ended: the dealt player's
        // profile, back to where the offer's own profile led.
        next.back = w.deal.profileBack;
        next.back.push_back(w.lastNamed);
        w.offerEnded = true;
    } else if ((from == kScreenAgentProfile || from == kScreenCareerHistory || from == kScreenPlayerInfo) &&
               c.backIcon && w.profile.player == SelectedPlayer) {
        // Back from the screens his profile opened: the same profile.
        next = w.profile;
        if (from == kScreenCareerHistory && next.wayBack) next.wayBackLoose = true;
    } else if (c.day || In(kPlayerFamily, from)) {
        // Reached without an opener of its own (the day's messages, talks
        // or loan terms ending on it): back to the last opener, or home.
        next.back = {w.lastNamed};
    } else {
        next.back = {from};
        next.fromScoutView = from == kScreenShortlist && w.scoutView;
        w.lastNamed = from;
    }
    w.profile = next;
}

void EnterPlayerInfo(const Click& c, int16_t from) {
    Walk& w = *g_walk;
    InfoModel next;
    if (from == kScreenPlayerStats && c.handler == PlayerProfile_Contract) {
        next.fromProfile = true;
        next.wayBack = w.profile.wayBack && !w.profile.wayBackLoose;
    } else if (from == kScreenAgentProfile || from == kScreenCareerHistory) {
        next = w.info;
    } else if (c.day || In(kPlayerFamily, from)) {
        next.back = {w.lastNamed};
    } else {
        next.back = {from};
        w.lastNamed = from;
    }
    w.info = next;
}

// (d) The club information's job buttons.
void CheckClubInfo(const Click& c, int16_t from, bool entered) {
    Walk& w = *g_walk;
    const int16_t club = int16_t(SelectedClub);
    if (entered) {
        if (from == kScreenVacancies && !c.navigation && !c.backIcon) {
            w.pickClub = club;
        } else if (!(In(kSquadLists, from) && c.backIcon && w.infoClub == club)) {
            w.pickClub = -1;
        }
        if (c.day && from != kScreenClubInfo) {
            w.offerClub = club;
            if (club == w.appliedClub) {
                w.acceptedClub = club;
                ++w.report->acceptances;
            }
        } else if (!(In(kSquadLists, from) && c.backIcon && w.infoClub == club)) {
            w.offerClub = -1;
            w.acceptedClub = -1;
        }
        w.infoClub = club;
    }
    const bool live = club == w.pickClub || club == w.offerClub || club == w.acceptedClub;
    const bool shown = ClubInfoShowsJobButtons();
    Check('d', !shown || live,
          "club information shows job buttons for club " + std::to_string(club) +
              " with no live pick, offer or accepted application");
    if (club == w.acceptedClub) {
        Check('d', shown,
              "the accepted application's club information (club " + std::to_string(club) +
                  ") offers no job buttons");
    }
}

// (e) Talks come up locked only from the contract screen.
void CheckTalks(const Click& c, int16_t from) {
    const bool byContractScreen = from == kScreenContractMenu && !c.navigation;
    Check('e', CurrentOffer.choiceLocked == 0 || byContractScreen,
          "the talks came up locked though screen " + std::to_string(from) + " opened them");
}

// (f) The squad lists and the shortlist.
void CheckLists(const Click& c, int16_t now, int16_t from) {
    Walk& w = *g_walk;
    if (In(kSquadLists, now) && c.navigation) {
        Check('f', SelectedClub == uint16_t(c.club),
              "the title bar's squad list shows club " + std::to_string(SelectedClub) + ", not club " +
                  std::to_string(c.club) + " in view when it was asked for");
        Check('f', SquadListSecond == (now == kScreenSquadListSecond ? 1 : 0),
              "the squad list asked for as screen " + std::to_string(now) + " shows the other team's list");
    }
    if (In(kSquadLists, now) && from == kScreenClubInfo && c.handler == ClubInfoSquad) {
        Check('f', SelectedClub == uint16_t(w.infoClub),
              "the club information's squad shows club " + std::to_string(SelectedClub) + ", not " +
                  std::to_string(w.infoClub));
    }
    if (now == kScreenShortlist) {
        if (from == kScreenScouting && c.handler == Scouting_ViewPlayers) {
            w.scoutView = true;
        } else if (!(from == kScreenPlayerStats && c.backIcon && w.profile.fromScoutView)) {
            w.scoutView = false;
        }
        Check('f', (ScoutViewFlag == 1) == w.scoutView,
              std::string("the shortlist shows ") +
                  (ScoutViewFlag == 1 ? "the scout view" : "the user's list") +
                  " though its opener asked for " + (w.scoutView ? "the scout view" : "the user's list"));
    }
}

// The account after a screen comes up: what the last click asked for,
// checked against what the screen shows.
void Observe() {
    Walk& w = *g_walk;
    const int16_t now = MenuOption;
    const MenuItem* top = MenuViewTopTable();
    ++w.report->screens[now];
    // The controller runs a few screens by tables of their own.
    constexpr int16_t kOwnTables[] = {kScreenEuroQualify, kScreenLastMatch, kScreenStaffMember,
                                      kScreenResults, kScreenAttendance};
    Check('a',
          now != kScreenQuit && top != nullptr && (FrontEndScreenTable(now) == top || In(kOwnTables, now)),
          "screen " + std::to_string(now) + " is not a front-end screen up (the table up is screen " +
              std::to_string(TableScreen(top)) + "'s)");
    if (!w.report->failure.empty()) return;
    const Click c = w.last;
    const bool acted = w.clicked;
    w.clicked = false;
    const int16_t from = w.screen;
    // A new screen, or the offer opened again by the offer's own end or a
    // title-bar row (the day's next sale in the same round).
    // A new screen, or the same one opened again by a navigation row (the
    // title bar's shortlist over the scout view, the day's next sale over an
    // offer left in the same round), or the offer again after its own end.
    const bool entered =
        acted && (now != from || c.navigation ||
                  (now == kScreenDealSheet &&
                   (c.handler == DealSheet_Withdraw || c.handler == DealSheet_Deal) && w.deal.byDay));
    if (acted && c.backIcon && from != now) CheckBackIcon(from, now);
    if (entered) {
        if (now == kScreenDealSheet) EnterOffer(c, from);
        if (now == kScreenPlayerStats) EnterProfile(c, from);
        if (now == kScreenPlayerInfo) EnterPlayerInfo(c, from);
        if (now == kScreenContractTalks) CheckTalks(c, from);
        CheckLists(c, now, from);
        w.cameFrom = from;
    }
    if (now == kScreenClubInfo) CheckClubInfo(c, from, acted && now != from);
    if (now != kScreenPlayerStats) w.offerEnded = false;
    // The deal is left by any screen that is not one of its own.
    if (!In(kDealScreens, now)) w.deal.open = false;
    if (now == kScreenDealSheet) {
        w.deal.player = SelectedPlayer;
        for (int k = 0; k < 3; ++k) w.deal.exchange[k] = CurrentDeal.exchange[k].player;
    }
    // An application the board will answer later.
    if (acted && from == kScreenClubInfo && c.handler == ClubInfoTakeJob &&
        std::string(MenuViewLastMessageBox()) == GetText(kApplicationLodgedText)) {
        w.appliedClub = w.infoClub;
        ++w.report->applications;
        if (w.options.boardsAccept) JobApplicationRecord.accepted = 1;
    }
    w.screen = now;
}

// ---- The user's choices --------------------------------------------------------------------

struct Choice {
    const MenuHotItem* item = nullptr;
    int weight = 1;
    int button = 0;
};

int Weight(const MenuHotItem& item, int16_t screen) {
    const Walk& w = *g_walk;
    const MenuHandler h = item.handler;
    const bool backIcon = item.value == uint32_t(kBackIconNumber) && item.popup == nullptr;
    // The deal's roads: its screens' ways back and its ends, and the
    // profile an offer ended on.
    const bool dealRoad = w.deal.open && (w.profile.wayBack || w.info.wayBack || screen == kScreenDealSheet);
    if (backIcon) return dealRoad || w.offerEnded ? 24 : 6;
    if (item.popup != nullptr && item.y < 40) return screen == kScreenClubMain ? 12 : 3;  // the title bar
    if (h == DealSheet_Withdraw || h == DealSheet_Deal) return 10;
    if (screen == kScreenDealSheet && item.y >= 340 && item.y < 420) return 12;  // exchange buttons and names
    if (h == ClubInfoTakeJob || h == ClubInfoSquad) return 8;
    if (h == PlayerProfile_Contract || h == Scouting_ViewPlayers || h == ContractDeal_OpenTalks) return 6;
    if (h == PlayerInfo_Agent || h == PlayerInfo_History || h == PlayerProfile_Agent) return dealRoad ? 8 : 4;
    if (screen == kScreenPlayerStats && item.popup != nullptr) return 10;  // the action list
    // Continue; more often while an application waits for its answer.
    if (screen == kScreenClubMain && item.popup != nullptr) return w.appliedClub >= 0 ? 40 : 10;
    if (h == Vacancies_PickRow) return 6;
    if (In(kSquadLists, screen) || screen == kScreenShortlist || screen == kScreenExchangeList) return 3;
    return 1;
}

void ClickItem(const MenuHotItem& item, int button) {
    const int x = item.x + item.w / 2, y = item.y + item.h / 2;
    MenuUserMoveTo(x, y);
    MenuUserPress(button);
    MenuUserWait(2);
    MenuUserRelease(button);
}

std::string ItemText(const MenuHotItem& item, int button) {
    std::ostringstream text;
    text << (button != 0 ? "right-clicks" : "clicks") << " the item at (" << item.x << "," << item.y << ")";
    if (item.value == uint32_t(kBackIconNumber)) text << " (the back icon)";
    if (item.popup != nullptr) text << " (a list)";
    return text.str();
}

void ActOnScreen() {
    Walk& w = *g_walk;
    const int16_t screen = MenuOption;
    const std::span<const MenuHotItem> items = MenuViewHotItems();
    std::vector<Choice> choices;
    int total = 0;
    for (const MenuHotItem& item : items) {
        // The game caption's list is left alone: it saves, loads and quits.
        if (item.popup != nullptr && item.y < 40 && item.x < 100) continue;
        const int weight = Weight(item, screen);
        choices.push_back({&item, weight, 0});
        total += weight;
        // Right clicks: the lists' rows open their player's profile, the
        // offer's step buttons step down.
        if (item.popup == nullptr && item.value != uint32_t(kBackIconNumber)) {
            const int right = In(kListScreens, screen) ? 3 : screen == kScreenDealSheet ? 1 : 0;
            if (right > 0) {
                choices.push_back({&item, right, 1});
                total += right;
            }
        }
    }
    if (choices.empty()) {
        Trail("nothing to click on screen " + std::to_string(screen));
        return;
    }
    int pick = int(w.random() % uint32_t(total));
    const Choice* chosen = &choices.back();
    for (const Choice& choice : choices) {
        if (pick < choice.weight) {
            chosen = &choice;
            break;
        }
        pick -= choice.weight;
    }
    const MenuHotItem& item = *chosen->item;
    Click c;
    c.screen = screen;
    c.handler = item.handler;
    c.button = chosen->button;
    c.club = int16_t(SelectedClub);
    c.backIcon = item.value == uint32_t(kBackIconNumber) && item.popup == nullptr && chosen->button == 0;
    if (screen == kScreenDealSheet && item.y >= 340 && item.y < 420 && item.handler != nullptr) {
        const int half = CurrentDeal.direction == 0 ? 420 : 30;
        c.slot = (item.y - 340) / 26;
        c.slotName = item.x == half + 50;
    }
    w.last = c;
    w.clicked = true;
    Trail("on screen " + std::to_string(screen) + " " + ItemText(item, chosen->button));
    ClickItem(item, chosen->button);
}

// The profile's action list (its rows name the profile's actions; the
// title bar's lists are others).
bool ActionList(const OpenPopup* open) {
    if (open == nullptr || MenuViewTopTable() != PlayerStatsTable) return false;
    for (const MenuHotItem& item : MenuViewHotItems())
        if (item.popup == open->definition) return item.y > 500;
    return false;
}

void ActOnPopup() {
    Walk& w = *g_walk;
    const OpenPopup* open = MenuViewOpenPopup();
    std::vector<std::pair<const MenuPopupRowView*, int>> rows;
    const std::vector<MenuPopupRowView> view = MenuViewPopupRows();
    int total = 0;
    for (const MenuPopupRowView& row : view) {
        const PopupEntry* entry = row.entry;
        if (entry == nullptr || entry->function == nullptr) continue;
        const int16_t text = PopupRowText(entry);
        const bool navigation = entry->function == MenuOption_DefaultHandler;
        if (navigation && (text == kQuitText || (entry->flags & POPUP_SELECTABLE) == 0)) continue;
        if (entry->function == ClubMain_RunOn && !w.options.runOn) continue;
        int weight = 1;
        if (entry->function == ClubMain_OneDay || entry->function == ClubMain_PlayMatch)
            weight = w.appliedClub >= 0 ? 40 : 8;
        if (entry->function == ClubMain_RunOn) weight = 2;
        if (entry->function == Vacancies_ClubInformation) weight = 6;
        if (navigation) {
            const int16_t target = NavigationTarget(text);
            if (In(kSquadLists, target) || target == kScreenScouting || target == kScreenShortlist ||
                target == kScreenInbox || target == kScreenClubMain)
                weight = 4;
            // Other clubs' players and clubs: the deals and the jobs.
            if (target == kScreenVacancies || target == kScreenClubsByNation ||
                target == kScreenTransferList || target == kScreenPlayerSearch ||
                target == kScreenLeagueTable)
                weight = 6;
            // The screens that leave the running game, or soak weeks away.
            if (target == kScreenStart || target == kScreenSoak || target == kScreenLoadGame ||
                target == kScreenLoadSlotZero || target == kScreenLoadAutoSave || target == kScreenNewGame ||
                target == kScreenQuit || target == kScreenSharedRows)
                continue;
        }
        if (ActionList(open)) {
            const int index = int(entry - open->definition) - 1;
            if (index >= 0 && index < ProfileActionCount) {
                const ProfileAction action = ProfileActions[index];
                if (action == ProfileAction::Offer) weight = 12;
                if (action == ProfileAction::Deal) weight = 8;
                if (action == ProfileAction::Approach) weight = 4;
                // A release ends the player's time at the club: rarely.
                if (action == ProfileAction::Release) weight = w.random() % 4 == 0 ? 1 : 0;
            }
        }
        if (weight == 0) continue;
        rows.emplace_back(&row, weight);
        total += weight;
    }
    if (rows.empty()) {
        // Nothing to choose: away from the list, which closes it.
        Trail("moves away from a list with nothing to choose");
        MenuUserMoveTo(400, 590);
        MenuUserMoveTo(5, 590);
        return;
    }
    int pick = int(w.random() % uint32_t(total));
    const MenuPopupRowView* chosen = rows.back().first;
    for (const auto& [row, weight] : rows) {
        if (pick < weight) {
            chosen = row;
            break;
        }
        pick -= weight;
    }
    const PopupEntry* entry = chosen->entry;
    // The row belongs to the click that opened the list.
    Click c = w.last;
    c.handler = nullptr;
    c.function = entry->function;
    c.textId = PopupRowText(entry);
    c.navigation = entry->function == MenuOption_DefaultHandler;
    c.day = entry->function == ClubMain_OneDay || entry->function == ClubMain_PlayMatch ||
            entry->function == ClubMain_RunOn;
    c.backIcon = false;
    c.slot = -1;
    c.slotName = false;
    if (ActionList(open)) {
        const int index = int(entry - open->definition) - 1;
        if (index >= 0 && index < ProfileActionCount) c.profileAction = int(ProfileActions[index]);
    }
    if (c.day) {
        ++w.report->days;
        // A match day the user's random moves have left him without a side
        // for: after a few tries his assistant picks the team, as a new
        // game's set-up does, so that the days go on.
        const int16_t today = HVW_GetCurrentDay();
        w.stalledDays = today == w.lastDay ? w.stalledDays + 1 : 0;
        w.lastDay = today;
        const uint16_t club = GetPlayerClub(1);
        if (w.stalledDays >= 3 && club < 1200) {
            HVW_PickClubTeam(int16_t(club));
            // And names the first five outfield players of the side (shirts
            // 2 to 11) for each of its roles.
            HVW_BuildSquadList(int16_t(club));
            std::memset(ClubRoleLists, 0, sizeof ClubRoleLists);
            int found = 0;
            for (uint16_t player : FirstTeamList.players) {
                if (found == kRoleChoices) break;
                if (!IsValidPlayer(player) || GetPlayerShirt(player) < 2 || GetPlayerShirt(player) > 11)
                    continue;
                for (int role = 0; role < kTeamRoles; ++role) ClubRoleLists[role][found] = player;
                ++found;
            }
            // The reserves' side likewise, for a reserve-league match.
            for (uint16_t player : ReserveList.players) {
                if (!IsValidPlayer(player) || GetPlayerIntShirt(player) < 2 || GetPlayerIntShirt(player) > 11)
                    continue;
                for (int role = 0; role < kTeamRoles; ++role) Code120RoleChoices[kCode120Word[role]] = player;
                break;
            }
            Trail("the assistant picks the team for day " + std::to_string(today));
            w.stalledDays = 0;
        }
    }
    c.screen = MenuOption;
    c.club = int16_t(SelectedClub);
    w.last = c;
    w.clicked = true;
    Trail("on screen " + std::to_string(MenuOption) + " picks list row (text " + std::to_string(c.textId) +
          (c.profileAction >= 0 ? ", profile action " + std::to_string(c.profileAction) : std::string()) +
          ")");
    MenuUserMoveTo(chosen->x + chosen->w / 2, chosen->y + chosen->h / 2);
    MenuUserWait(1);
    MenuUserPress();
    MenuUserWait(2);
    MenuUserRelease();
}

// A message box: clicked away; a question: one of its buttons.
void ActOnBox() {
    Walk& w = *g_walk;
    const ScreenSectionRecord& box = ScreenSection[MODAL_BOX_SECTION];
    ++w.boxClicks;
    if (w.boxClicks > 1) {
        std::vector<const ChoiceButton*> buttons;
        for (const ChoiceButton* list : {YesNoButtons, ThreeWayButtons})
            for (const ChoiceButton* b = list; b->textId >= 0; ++b)
                if (b->left >= box.x && b->top >= box.y && b->left < box.x + box.width &&
                    b->top < box.y + box.height)
                    buttons.push_back(b);
        if (!buttons.empty()) {
            const ChoiceButton* b = buttons[w.random() % buttons.size()];
            Trail("answers a question with its button " + std::to_string(b->textId));
            MenuUserClickAt(b->left + b->width / 2, b->top + b->height / 2);
            return;
        }
    }
    Trail(std::string("clicks a box away: ") + std::string(MenuViewLastMessageBox()).substr(0, 60));
    MenuUserClickAt(400, 300);
}

// The day's own screens: the panel's choice (the result only, never the
// shown match), the results pages' leave icon.
void ActOnDay() {
    Walk& w = *g_walk;
    const std::span<const HotRegion> regions = MatchDayViewRegions();
    if (MenuViewTopTable() == nullptr && !regions.empty()) {
        const HotRegion* chosen = &regions.front();
        for (const HotRegion& region : regions)
            if (region.result == 10) chosen = &region;
        if (chosen->result == 9 && regions.size() > 1) chosen = &regions[1];
        Trail("clicks the day's panel (" + std::to_string(chosen->result) + ")");
        MenuUserClickAt(chosen->x + chosen->w / 2, chosen->y + chosen->h / 2);
        return;
    }
    ++w.loopClicks;
    for (const MenuHotItem& item : MenuViewHotItems()) {
        if (item.value == uint32_t(kBackIconNumber) || (item.x == 743 && item.y == 559)) {
            Trail("leaves a page of the day");
            ClickItem(item, 0);
            return;
        }
    }
    const std::span<const MenuHotItem> items = MenuViewHotItems();
    std::vector<const MenuHotItem*> own;
    for (const MenuHotItem& item : items)
        if (item.popup == nullptr) own.push_back(&item);
    if (own.empty()) return;
    const MenuHotItem* item = own[w.random() % own.size()];
    Trail("clicks a page of the day at (" + std::to_string(item->x) + "," + std::to_string(item->y) + ")");
    ClickItem(*item, 0);
}

void Finish() {
    Walk& w = *g_walk;
    w.report->finished = true;
    SetFatalErrorHook(nullptr);
    const std::function<void()> done = w.options.done;
    if (done) done();
}

void Act();

void Next() {
    MenuUserWait(kAfterClick);
    MenuUserWaitFor(Settled, kScreenFrames, [] {
        Broken('a', "no screen came up after " + std::to_string(kScreenFrames) + " frames");
    });
    MenuUserDo(Act);
}

void Act() {
    Walk& w = *g_walk;
    if (!w.report->failure.empty() || w.report->steps >= w.options.steps) {
        Finish();
        return;
    }
    ++w.report->steps;
    if (BoxUp()) {
        ActOnBox();
    } else if (MenuViewOpenPopup() != nullptr) {
        w.boxClicks = 0;
        ActOnPopup();
    } else if (IsTextInputActive() != 0) {
        Trail("types a name");
        MenuUserShiftKey(0x1E);  // A
        MenuUserKey(0x1C);       // Enter
    } else if (MenuViewTopTable() == nullptr ||
               (w.last.day && MenuViewTopTable() != FrontEndScreenTable(MenuOption))) {
        // The day's own panel and pages.
        w.boxClicks = 0;
        ActOnDay();
    } else {
        w.boxClicks = 0;
        w.loopClicks = 0;
        Observe();
        if (w.report->failure.empty()) ActOnScreen();
    }
    Next();
}

}  // namespace

std::shared_ptr<FrontWalkReport> RunFrontWalk(FrontWalkOptions options) {
    static Walk walk;
    walk = Walk{};
    walk.options = std::move(options);
    walk.report = std::make_shared<FrontWalkReport>();
    walk.random.seed(walk.options.seed);
    walk.screen = MenuOption;
    g_walk = &walk;
    SetFatalErrorHook(PrintTrailOnFatal);
    MenuUserWaitFor(Settled, kScreenFrames, [] { Broken('a', "the walk's first screen never came up"); });
    MenuUserDo(Act);
    return walk.report;
}

std::string FrontWalkSummary(const FrontWalkReport& report) {
    std::ostringstream text;
    text << report.steps << " steps, " << report.days << " days, " << report.offers << " offers, "
         << report.backIcons << " back icons, " << report.applications << " applications, "
         << report.acceptances << " accepted, " << report.screens.size() << " screens; checks";
    for (const auto& [rule, count] : report.checks) text << " (" << rule << ") " << count;
    text << "; screens seen (id:times)";
    for (const auto& [id, count] : report.screens) text << " " << id << ":" << count;
    return text.str();
}

}  // namespace testenv
