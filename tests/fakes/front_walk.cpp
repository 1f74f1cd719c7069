#include "tests/fakes/front_walk.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <utility>

#include "core/base/debug.h"
#include "core/club/board.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/playerrecords.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/records/text.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/inbox.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/monthheader.h"
#include "game/screens/engine/screenids.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/engine/sharedrows.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchgraph.h"
#include "game/screens/matchday/matchstatsscreen.h"
#include "game/screens/matchday/resultboard.h"
#include "game/screens/matchday/resultsview.h"
#include "game/screens/matchday/sharechart.h"
#include "game/screens/squad/coachinglist.h"
#include "game/screens/squad/drillchart.h"
#include "game/screens/squad/fitnesslists.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/squad/squadnumbers.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/screens/transfers/playerdeal.h"
#include "game/screens/transfers/scouting.h"
#include "platform/window.h"
#include "tests/fakes/menu_user.h"

namespace testenv {

namespace {

// Frames a screen may take to come up (a day played, the season's end with
// its many notices, a checked build), and
// the frames after a click before the engine takes the next one.
constexpr int kScreenFrames = 100000;
constexpr int kAfterClick = 12;
constexpr int kTrailLines = 40;
constexpr uint32_t kBackIconNumber = 153;
constexpr int16_t kQuitText = 0;
constexpr int16_t kSaveText = 89;
constexpr int16_t kHomeText = 700;
// The answer to an application that waits for the club's board.
constexpr int16_t kApplicationLodgedText = 1120;
constexpr uint16_t kNoApplication = 65535;
constexpr int kSaveSlotsUsed = 3;

template <typename List, typename Value>
bool In(const List& list, Value value) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

// ---- Where each back icon leads ------------------------------------------------------------

// Opener: the screen the user came from on his road, or home when the road
// began here.  OpenerIn: that screen when it is one of the rule's openers,
// else the named screen.  Home and Named: always that one.  History: the
// recent screens of the coaching and staff screens.
enum class Back : uint8_t { Opener, OpenerIn, Home, Named, History };

struct BackRule {
    int16_t screen;
    Back kind;
    int16_t named;
    std::array<int16_t, 4> openers;
};

constexpr std::array<int16_t, 4> kNone = {-9, -9, -9, -9};

constexpr BackRule kBackRules[] = {
    {kScreenClubInfo, Back::OpenerIn, kScreenClubMain, {kScreenDivisionClubs, -9, -9, -9}},
    {kScreenSquadList,
     Back::OpenerIn,
     kScreenClubMain,
     {kScreenClubInfo, kScreenClubSummary, kScreenClubsByNation, -9}},
    {kScreenSquadListSpare,
     Back::OpenerIn,
     kScreenClubMain,
     {kScreenClubInfo, kScreenClubSummary, kScreenClubsByNation, -9}},
    {kScreenSquadListSecond,
     Back::OpenerIn,
     kScreenClubMain,
     {kScreenClubInfo, kScreenClubSummary, kScreenClubsByNation, -9}},
    {kScreenClubRecords, Back::OpenerIn, kScreenClubMain, {kScreenVacancies, -9, -9, -9}},
    {kScreenSoak, Back::OpenerIn, kScreenClubMain, {kScreenClubFixtures, -9, -9, -9}},
    {kScreenShortlist, Back::OpenerIn, kScreenClubMain, {kScreenScouting, -9, -9, -9}},
    {kScreenPlayerCondition,
     Back::OpenerIn,
     kScreenTraining,
     {kScreenPlayerStats, kScreenTraining, kScreenUserCoachingList, kScreenCoachingList}},
    {kScreenAgentProfile, Back::Named, kScreenPlayerStats, kNone},
    {kScreenCareerHistory, Back::Named, kScreenPlayerStats, kNone},
    {kScreenExchangeList, Back::Named, kScreenDealSheet, kNone},
    {kScreenLoadGame, Back::Named, kScreenStart, kNone},
    {kScreenSharedRows, Back::Named, kScreenStart, kNone},
    // Back to the new game's set-up, which goes on to the division's clubs.
    {kScreenPlayedCountries, Back::Named, kScreenDivisionClubs, kNone},
    {kScreenUserCoachingList, Back::History, 0, kNone},
    {kScreenCoachingList, Back::History, 0, kNone},
    {kScreenStaffMember, Back::History, 0, kNone},
    {kScreenMatchMarks, Back::History, 0, kNone},
#define HOME(id) \
    { id, Back::Home, kScreenClubMain, kNone }
    HOME(kScreenClubFixtures),
    HOME(kScreenLeagueTable),
    HOME(kScreenFixturesByDay),
    HOME(kScreenEuroQualify),
    HOME(kScreenSurname),
    HOME(kScreenFriendlies),
    HOME(kScreenPlayerSearch),
    HOME(kScreenFilteredSquadList),
    HOME(kScreenTeamSelect),
    HOME(kScreenLeagueGoals),
    HOME(kScreenTransferList),
    HOME(kScreenClubTransfers),
    HOME(kScreenTopScorers),
    HOME(kScreenVacancies),
    HOME(kScreenHonoursRoll),
    HOME(kScreenGameRecords),
    HOME(kScreenSeasonTransfers),
    HOME(kScreenEuroGroups),
    HOME(kScreenSaveGame),
    HOME(kScreenDivisionEleven),
    HOME(kScreenWeeklyMoney),
    HOME(kScreenClubRankings),
    HOME(kScreenManagerRankings),
    HOME(kScreenFinance),
    HOME(kScreenClubWorthRankings),
    HOME(kScreenLeaguePerformance),
    HOME(kScreenMatchStats),
    HOME(kScreenTraining),
    HOME(kScreenStaffList),
    HOME(kScreenMonthHeader),
    HOME(kScreenSquadNumbers),
    HOME(kScreenAttributeTable),
    HOME(kScreenScouting),
    HOME(kScreenLeagueAssists),
    HOME(kScreenLeagueManOfMatch),
    HOME(kScreenNewsPages),
    HOME(kScreenClubHistory),
    HOME(kScreenIncomeForecast),
    HOME(kScreenResults),
    HOME(kScreenInbox),
    HOME(kScreenAttendance),
    HOME(kScreenInjuryList),
    HOME(kScreenBoardView),
    HOME(kScreenClubsByNation),
#undef HOME
};

const BackRule* RuleOf(int16_t screen) {
    for (const BackRule& rule : kBackRules)
        if (rule.screen == screen) return &rule;
    return nullptr;
}

// The handlers of the back icons drawn apart from their hot area.
const MenuHandler kBackHandlers[] = {CoachingList_Back, Staff_Back,   MonthHeader_Back,
                                     SharedRows_Back,   Fitness_Back, Drill_Back};

bool IsBackIcon(const MenuHotItem& item) {
    if (item.popup != nullptr) return false;
    return item.value == kBackIconNumber || In(kBackHandlers, item.handler);
}

// The squad list's views and the squad id that opens the first: one screen.
constexpr int16_t kSquadFamily[] = {kScreenSelectedClubSquad, kScreenSquadList, kScreenSquadListSpare,
                                    kScreenSquadListSecond};
int16_t Family(int16_t id) { return In(kSquadFamily, id) ? kScreenSquadList : id; }

// Lists whose rows name a player: a row clicked opens his profile.
constexpr int16_t kPlayerLists[] = {kScreenSquadList,         kScreenSquadListSpare, kScreenSquadListSecond,
                                    kScreenShortlist,         kScreenPlayerSearch,   kScreenTransferList,
                                    kScreenFilteredSquadList, kScreenExchangeList,   kScreenAttributeTable};
// Lists whose rows take the second button too.
constexpr int16_t kRightClickLists[] = {
    kScreenSquadList,    kScreenSquadListSpare, kScreenSquadListSecond, kScreenShortlist,
    kScreenPlayerSearch, kScreenTransferList,   kScreenTeamSelect,      kScreenFilteredSquadList,
    kScreenExchangeList, kScreenAttributeTable};
// The screens an open deal goes to and comes back from.
constexpr int16_t kDealScreens[] = {kScreenDealSheet,  kScreenExchangeList, kScreenPlayerStats,
                                    kScreenPlayerInfo, kScreenAgentProfile, kScreenCareerHistory};
// Screens that end when they are left: a screen they go on to is reached
// from the screen before them.
constexpr int16_t kEndingScreens[] = {kScreenDealSheet, kScreenContractTalks, kScreenLoanTerms};
// The recent screens' own: entered, each joins the history.
constexpr int16_t kHistoryScreens[] = {kScreenUserCoachingList, kScreenStaffMember, kScreenPlayerCondition,
                                       kScreenCoachingList};
// The controller runs a few screens by tables of their own.
constexpr int16_t kOwnTables[] = {kScreenEuroQualify, kScreenLastMatch, kScreenStaffMember, kScreenResults,
                                  kScreenAttendance};

// ---- What the screen shows -----------------------------------------------------------------

// The strings on the screen, folded from the painter's log every frame: a
// string drawn over others takes their place; those drawn while a list or a
// box is up go when it closes.
struct ShownText {
    std::string text;
    int x, y, w, h;
};
using Texts = std::vector<std::string>;

std::vector<DrawnString> g_drawn;
std::vector<ShownText> g_screenText, g_overText;
const MenuItem* g_textTable = nullptr;

bool Overlap(const ShownText& a, const DrawnString& b) {
    return a.x < b.x + b.width && b.x < a.x + a.w && a.y < b.y + b.height && b.y < a.y + a.h;
}

bool BoxUp() { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }

void FoldDrawnStrings() {
    const bool over = BoxUp() || MenuViewOpenPopup() != nullptr;
    if (!over) g_overText.clear();
    if (MenuViewTopTable() != g_textTable) {
        g_textTable = MenuViewTopTable();
        g_screenText.clear();
    }
    std::vector<ShownText>& layer = over ? g_overText : g_screenText;
    for (const DrawnString& d : g_drawn) {
        std::erase_if(layer, [&](const ShownText& s) { return Overlap(s, d); });
        layer.push_back({d.text, d.x, d.y, d.width, d.height});
    }
    g_drawn.clear();
}

Texts TextsIn(int x, int y, int w, int h) {
    Texts texts;
    for (const ShownText& s : g_screenText)
        if (s.x < x + w && x < s.x + s.w && s.y < y + h && y < s.y + s.h) texts.push_back(s.text);
    return texts;
}

bool Names(const Texts& texts, std::string name) {
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (name.size() > 8) name.resize(8);
    if (name.empty()) return false;
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(name) != std::string::npos; });
}

bool NamesPlayer(const Texts& texts, uint16_t player) {
    if (!IsValidPlayer(player)) return false;
    char surname[17] = {};
    std::memcpy(surname, GetPlayerSurname(player), 16);
    return Names(texts, surname);
}

bool NamesClub(const Texts& texts, int16_t club) {
    return club >= 0 && club < kClubCount && Names(texts, HVW_GetClubName(club));
}

std::string Quote(const Texts& texts) {
    std::string text;
    for (const std::string& t : texts) text += (text.empty() ? "\"" : ", \"") + t + "\"";
    return text.empty() ? "nothing" : text;
}

// ---- What the day's messages announce ------------------------------------------------------

// The sales, deals and contracts waiting for the user's answer, the job
// offer and the application answered today, as the day's lists hold them.
struct Waiting {
    std::set<uint16_t> sales, deals, contracts;
    int16_t offerClub = -1;
    int16_t answerClub = -1;
    bool Empty() const {
        return sales.empty() && deals.empty() && contracts.empty() && offerClub < 0 && answerClub < 0;
    }
};

Waiting WaitingNow() {
    Waiting w;
    for (int i = 0; i < 128; ++i)
        if (HumanSalePlayers[i] != 0) w.sales.insert(HumanSalePlayers[i]);
    for (int i = 0; i < kPendingDeals; ++i)
        if (PendingDealPlayer(i) != 0 && PendingDealReady(i) == 1) w.deals.insert(PendingDealPlayer(i));
    for (uint16_t p : PendingHumanDeals)
        if (p != 0) w.contracts.insert(p);
    if (JobOfferPending != 0 && JobOfferClubShown < kClubCount) w.offerClub = int16_t(JobOfferClubShown);
    if (JobApplicationRecord.club != kNoApplication && JobApplicationRecord.day == SeasonCalendar.currentDay)
        w.answerClub = int16_t(JobApplicationRecord.club);
    return w;
}

int DayStamp() { return SeasonCalendar.season * 1000 + SeasonCalendar.currentDay; }

// ---- The walk's account ----------------------------------------------------------------------

// What the user clicked on a screen.
struct Click {
    int16_t screen = -100;
    MenuHandler handler = nullptr;
    PopupFunction function = nullptr;  // a pop-up row's
    int16_t textId = -1;               // a pop-up row's text
    bool backIcon = false;
    bool navigation = false;  // a title-bar or navigation-button row
    bool day = false;         // one day, a run on or the user's match
    bool playMatch = false;
    int profileAction = -1;  // a row of the profile's action list
    int slot = -1;           // the offer's exchange slot (button or name)
    bool slotName = false;
    int button = 0;
    int16_t titleClub = -1;       // the club whose badge the title bar showed
    Texts texts;                  // what the clicked item showed
    Texts rowTexts;               // for a pop-up row: what the item that opened it showed
    std::vector<int16_t> backTo;  // a back icon: where it may lead
    Waiting waiting;              // the day's lists at the click
    int dayStamp = 0;
    int boxes = 0;  // message boxes shown before the click
};

// One screen of the road the user is on, with the player it shows when the
// walk knows him by a name it clicked.
struct RoadStop {
    int16_t screen;
    Texts who;
};

// The offer the user has open, as the sheet showed it when he left it.
struct DealModel {
    bool open = false;
    uint16_t player = 0;
    uint16_t exchange[3] = {};
    Texts who;
};

// The user's application: the club he applied to and the board's answer,
// decided when it was lodged.
struct Application {
    int16_t club = -1;
    bool accepted = false;
    int16_t day = -1;
};

enum class Errand : uint8_t {
    None,
    SaveList,
    SaveRow,
    SaveName,
    SaveDone,
    LoadHome,
    LoadStart,
    LoadRow,
    LoadDone,
    AwayHome,
    AwayDay
};

struct Walk {
    FrontWalkOptions options;
    std::shared_ptr<FrontWalkReport> report;
    std::mt19937 random;
    int16_t screen = kScreenClubMain;
    Click last;
    bool clicked = false;
    std::vector<RoadStop> road;
    std::vector<int16_t> history;
    DealModel deal;
    bool exchangeProfile = false;  // the profile up is the exchange player's, off the offer
    bool profileLoose = false;     // back from his career history: the return is reset
    bool managerHistory = false;   // the career history up is a manager's
    int16_t pickClub = -1;
    int16_t offerClub = -1;
    int16_t infoClub = -1;
    int16_t abroadClub = -1;  // the club whose row on the clubs abroad opened the squad list
    int16_t takeJob = -1;     // a Take Job of a job told: the club
    Application application;
    // An acceptance told, until the user takes its job or leaves its road.
    int16_t acceptance = -1;
    // A player approached today (a tip's bid): a load soon tells whether
    // the loaded game knows of him.
    bool approached = false;
    // The profile up refused an offer: the user tries another player.
    bool offerRefused = false;
    bool scoutView = false;
    std::set<std::pair<char, int>> seen;
    int boxClicks = 0;
    int stalls = 0;
    Errand errand = Errand::None;
    bool paused = false;
    int16_t saveSlot = -1;
    std::vector<uint64_t> savedBlocks;
    Application savedApplication;
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

bool Settled() {
    if (g_walk->paused) return false;
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

// The screen below the current one on the road; -1 when the road began here.
int16_t Below(size_t depth = 1) {
    const std::vector<RoadStop>& road = g_walk->road;
    return road.size() > depth ? road[road.size() - 1 - depth].screen : int16_t(-1);
}

// Where the back icon of the screen on show may lead, by its rule and the
// walk's road.
std::vector<int16_t> BackTargets(int16_t from) {
    const Walk& w = *g_walk;
    const BackRule* rule = RuleOf(from);
    const int16_t below = Below();
    const int16_t opener = below >= 0 ? below : kScreenClubMain;
    // The exchange player's screens on the deal's own way back lead to the
    // offer; his profile after his career history may lead home as well.
    if (w.exchangeProfile && w.deal.open) {
        if (from == kScreenPlayerStats) {
            if (w.profileLoose) return {kScreenDealSheet, kScreenClubMain};
            return {kScreenDealSheet};
        }
        if (from == kScreenPlayerInfo && below == kScreenPlayerStats) return {kScreenDealSheet};
    }
    if (from == kScreenPlayerStats && w.profileLoose) return {opener, kScreenClubMain};
    if (rule == nullptr) return {opener};
    switch (rule->kind) {
        case Back::Home:
        case Back::Named:
            // A manager's career history goes back to the managers' rankings,
            // a player-manager's to his profile.
            if (from == kScreenCareerHistory && w.managerHistory)
                return {kScreenManagerRankings, kScreenPlayerStats};
            return {rule->named};
        case Back::OpenerIn:
            if (In(rule->openers, Family(below))) {
                // A club of the user's own country (or any, while he has no
                // club) goes home from the clubs abroad.
                const int16_t user = HVW_GetMyClub();
                if (below == kScreenClubsByNation &&
                    (user < 0 || GetClubNation(w.abroadClub) == GetClubNation(user)))
                    return {kScreenClubMain};
                return {below};
            }
            return {rule->named};
        case Back::History: {
            std::vector<int16_t> history = w.history;
            std::erase(history, from);
            return {history.empty() ? kScreenClubMain : history.back()};
        }
        case Back::Opener:
            return {opener};
    }
    return {opener};
}

void EnterHistory(int16_t now) {
    std::vector<int16_t>& history = g_walk->history;
    if (now == kScreenStaffList) history = {kScreenStaffList};
    if (!In(kHistoryScreens, now)) return;
    std::erase(history, now);
    if (history.size() >= 3) history.erase(history.begin());
    history.push_back(now);
}

// ---- The checks, on each screen as it comes up ----------------------------------------------

std::string DealText() {
    std::ostringstream text;
    text << "player " << ShownPlayer() << ", exchange " << CurrentDeal.exchange[0].player << "/"
         << CurrentDeal.exchange[1].player << "/" << CurrentDeal.exchange[2].player << ", adjustments "
         << CurrentDeal.adjustments << ", resumed deal " << CurrentDeal.resumed;
    return text.str();
}

bool DealIsFresh() {
    return std::all_of(std::begin(CurrentDeal.exchange), std::end(CurrentDeal.exchange),
                       [](const ExchangeSlot& s) { return s.player == 0; }) &&
           CurrentDeal.adjustments == 0 && CurrentDeal.resumed == 0;
}

bool OnDealsWayBack(const Click& c, int16_t from) {
    const Walk& w = *g_walk;
    if (!w.deal.open) return false;
    if (from == kScreenExchangeList) return true;
    const bool button = c.backIcon || c.handler == PlayerInfo_History || c.handler == PlayerInfo_Profile;
    return w.exchangeProfile && button && (from == kScreenPlayerStats || from == kScreenPlayerInfo);
}

// (b) The offer as it comes up, by the road that opened it.
void EnterOffer(const Click& c, int16_t from) {
    Walk& w = *g_walk;
    const uint16_t shown = ShownPlayer();
    if (OnDealsWayBack(c, from)) {
        ++w.report->offersOnWayBack;
        bool kept = shown == w.deal.player;
        // The exchange list may have added a player; what was kept stays.
        for (int k = 0; k < 3; ++k)
            if (w.deal.exchange[k] != 0) kept = kept && CurrentDeal.exchange[k].player == w.deal.exchange[k];
        Check('b', kept,
              "the offer on the deal's own way back is not the offer of player " +
                  std::to_string(w.deal.player) + " as the user left it: it shows " + DealText());
        w.exchangeProfile = false;
        return;
    }
    DealModel fresh;
    fresh.open = true;
    if (from == kScreenPlayerStats && c.profileAction == int(ProfileAction::Offer)) {
        ++w.report->offersFromProfile;
        const Texts& who = w.road.empty() ? Texts{} : w.road.back().who;
        Check('b', DealIsFresh() && CurrentDeal.direction == 1,
              "the offer from a profile keeps what an earlier offer left: " + DealText());
        if (!who.empty())
            Check('b', NamesPlayer(who, shown),
                  "the offer from the profile of the player shown as " + Quote(who) + " deals in player " +
                      std::to_string(shown));
        fresh.who = who;
    } else if (from == kScreenInbox) {
        Check('b', DealIsFresh(), "the offer from the inbox keeps what an earlier offer left: " + DealText());
    } else {
        // Opened by the day's messages: a sale or a deal waiting when the
        // user clicked; after a new day, one the day brought (a player the
        // user owns, at his club or out on loan, wanted by a club, or a deal
        // waiting for his answer).
        ++w.report->offersByDay;
        const bool newDay = DayStamp() != c.dayStamp;
        const int16_t user = int16_t(GetPlayerClub(1));
        const bool sale = newDay ? CurrentDeal.direction == 0 && HVW_GetPlayerLoanClub(shown) == user &&
                                       CurrentDeal.buyingClub >= 0 && CurrentDeal.buyingClub != user
                                 : c.waiting.sales.count(shown) != 0;
        const bool pending = newDay ? CurrentDeal.resumed != 0 : c.waiting.deals.count(shown) != 0;
        Check('b', sale || pending,
              "an offer came up for player " + std::to_string(shown) +
                  ", whom no sale or deal of the day names (" + DealText() + ", direction " +
                  std::to_string(CurrentDeal.direction) + ", clubs " +
                  std::to_string(CurrentDeal.sellingClub) + " to " + std::to_string(CurrentDeal.buyingClub) +
                  ", his club " + std::to_string(GetPlayerClub(shown)) + ", the user's " +
                  std::to_string(user) + ")");
        if (CurrentDeal.resumed != 0) {
            const int index = CurrentDeal.resumed - 1;
            Check('b', pending && index < kPendingDeals && PendingDealPlayer(index) == shown,
                  "the day's deal resumes another deal's record: " + DealText());
        } else {
            Check('b', DealIsFresh(), "the day's sale keeps what an earlier offer left: " + DealText());
        }
        w.seen.insert({'s', shown});
        w.seen.insert({'d', shown});
    }
    fresh.player = shown;
    if (fresh.who.empty()) fresh.who = {HVW_GetPlayerShortName(shown)};
    w.deal = fresh;
    w.exchangeProfile = false;
}

// (c) Where a back icon led, against where the walk expected it.
void CheckBackIcon(const Click& c, int16_t to) {
    Walk& w = *g_walk;
    ++w.report->backIcons;
    w.report->backScreens.insert(c.screen);
    const bool holds =
        std::any_of(c.backTo.begin(), c.backTo.end(), [&](int16_t id) { return Family(id) == Family(to); });
    Check('c', holds,
          "the back icon of screen " + std::to_string(c.screen) + " led to screen " + std::to_string(to) +
              "; the road and its rule name " + Join(c.backTo));
}

// (d) The club information's job buttons.
void CheckClubInfo(const Click& c, int16_t from, bool entered) {
    Walk& w = *g_walk;
    const int16_t club = int16_t(SelectedClub);
    if (entered) {
        const bool ownRoad = In(kSquadFamily, from) && c.backIcon && w.infoClub == club;
        if (c.function == Vacancies_ClubInformation) {
            Check('f', NamesClub(c.rowTexts, club),
                  "the club information of the vacancy row showing " + Quote(c.rowTexts) + " shows club " +
                      std::to_string(club));
            w.pickClub = club;
        } else if (!ownRoad) {
            w.pickClub = -1;
        }
        // The offer waiting at the click, or one the day just played brought.
        const bool newDay = DayStamp() != c.dayStamp;
        const int16_t offerNow = WaitingNow().offerClub;
        if (((c.day || !c.waiting.Empty()) && club == c.waiting.offerClub && !ownRoad) ||
            (newDay && club == offerNow)) {
            w.offerClub = club;
            w.seen.insert({'o', club * 1000 + SeasonCalendar.currentDay});
        } else if (!ownRoad) {
            w.offerClub = -1;
        }
        w.infoClub = club;
    }
    const bool accepted = (w.application.club == club && w.application.accepted &&
                           w.application.day == SeasonCalendar.currentDay) ||
                          club == w.acceptance;
    const bool live = club == w.pickClub || club == w.offerClub || accepted;
    const bool shown = ClubInfoShowsJobButtons();
    Check('d', !shown || live,
          "club information shows job buttons for club " + std::to_string(club) +
              " with no live pick, offer or accepted application");
    // The answer day's messages open the accepted application's club, and
    // open it again while the acceptance stands: it offers the job.
    if (entered && accepted && c.function != Vacancies_ClubInformation) {
        Check('d', shown,
              "the accepted application's club information (club " + std::to_string(club) +
                  ") offers no job buttons");
        if (!w.seen.count({'a', club})) ++w.report->accepted;
        w.seen.insert({'a', club});
        w.acceptance = club;
    }
}

// (e) Talks come up locked only from the contract screen.
void CheckTalks(const Click& c, int16_t from) {
    const bool byContractScreen = from == kScreenContractMenu && !c.navigation;
    Check('e', CurrentOffer.choiceLocked == 0 || byContractScreen,
          "the talks came up locked though screen " + std::to_string(from) + " opened them");
    g_walk->seen.insert({'c', ShownPlayer()});
}

// (f) A screen opened from a row, the squad lists and the shortlist.
void CheckOpened(const Click& c, int16_t now, int16_t from) {
    Walk& w = *g_walk;
    if (now == kScreenPlayerStats && In(kPlayerLists, from) && !c.backIcon && !c.navigation && !c.day &&
        c.function == nullptr && !c.texts.empty())
        Check('f', NamesPlayer(c.texts, ShownPlayer()),
              "the row showing " + Quote(c.texts) + " opened the profile of player " +
                  std::to_string(ShownPlayer()));
    if (In(kSquadFamily, now) && c.navigation && c.titleClub >= 0) {
        Check('f', SelectedClub == uint16_t(c.titleClub),
              "the title bar's squad list shows club " + std::to_string(SelectedClub) + ", not club " +
                  std::to_string(c.titleClub) + " whose badge the screen showed");
        Check('f', SquadListSecond == (now == kScreenSquadListSecond ? 1 : 0),
              "the squad list asked for as screen " + std::to_string(now) + " shows the other team's list");
    }
    if (In(kSquadFamily, now) && from == kScreenClubsByNation && !c.backIcon && !c.navigation) {
        Check('f', NamesClub(c.texts, int16_t(SelectedClub)),
              "the clubs abroad's row showing " + Quote(c.texts) + " opened the squad list of club " +
                  std::to_string(SelectedClub));
        w.abroadClub = int16_t(SelectedClub);
    }
    if (In(kSquadFamily, now) && from == kScreenClubInfo && c.handler == ClubInfoSquad)
        Check('f', SelectedClub == uint16_t(w.infoClub),
              "the club information's squad shows club " + std::to_string(SelectedClub) + ", not " +
                  std::to_string(w.infoClub));
    if (now == kScreenShortlist) {
        if (from == kScreenScouting && c.handler == Scouting_ViewPlayers) {
            w.scoutView = true;
        } else if (!(from == kScreenPlayerStats && c.backIcon && Below() == kScreenShortlist)) {
            w.scoutView = false;
        }
        Check('f', (ScoutViewFlag == 1) == w.scoutView,
              std::string("the shortlist shows ") +
                  (ScoutViewFlag == 1 ? "the scout view" : "the user's list") +
                  " though its opener asked for " + (w.scoutView ? "the scout view" : "the user's list"));
    }
}

// (g) After a Continue: the day was played only when nothing waited that
// the user had not been shown; a job taken that he was told of is his.
void CheckDay(const Click& c) {
    Walk& w = *g_walk;
    const bool moved = DayStamp() != c.dayStamp;
    Trail("the day was " + std::to_string(c.dayStamp) + " and is " + std::to_string(DayStamp()));
    std::vector<std::string> unseen;
    for (uint16_t p : c.waiting.sales)
        if (!w.seen.count({'s', p})) unseen.push_back("sale of player " + std::to_string(p));
    for (uint16_t p : c.waiting.deals)
        if (!w.seen.count({'d', p})) unseen.push_back("deal for player " + std::to_string(p));
    for (uint16_t p : c.waiting.contracts)
        if (!w.seen.count({'c', p})) unseen.push_back("contract of player " + std::to_string(p));
    if (c.waiting.offerClub >= 0 && !w.seen.count({'o', c.waiting.offerClub * 1000 + c.dayStamp % 1000}))
        unseen.push_back("job offer of club " + std::to_string(c.waiting.offerClub));
    // A refusal is posted to the inbox; an acceptance opens the club's job.
    const bool refusal = w.application.club == c.waiting.answerClub && !w.application.accepted;
    if (c.waiting.answerClub >= 0 && !refusal && !w.seen.count({'a', c.waiting.answerClub}))
        unseen.push_back("answer of club " + std::to_string(c.waiting.answerClub));
    if (!unseen.empty())
        Check('g', !moved, "the day was played with the " + unseen.front() + " waiting, never shown");
    if (moved) {
        w.approached = false;
        ++w.report->days;
        if (DayStamp() / 1000 != c.dayStamp / 1000) {
            ++w.report->seasonTurns;
            for (int i = 0; i < kPendingDeals; ++i)
                w.report->dealsAtTurn += PendingDealPlayer(i) != 0 ? 1 : 0;
        }
        w.seen.clear();
        w.stalls = 0;
    } else if (c.waiting.Empty()) {
        // Refused, the user is told why (Run On late in the season); the
        // match is refused while his side is not fit to go out.
        const bool told = MenuViewMessageBoxCount() != c.boxes;
        if (c.playMatch) {
            ++w.stalls;
        } else {
            Check('a', told, "a Continue with nothing waiting did not play the day, and nothing said why");
        }
    }
    // An application is answered on its day or dropped with it.
    if (moved && w.application.club >= 0 && JobApplicationRecord.club == uint16_t(w.application.club) &&
        (DayStamp() / 1000 != c.dayStamp / 1000 || SeasonCalendar.currentDay > w.application.day))
        Check('g', false,
              "the application to club " + std::to_string(w.application.club) + " answered on day " +
                  std::to_string(w.application.day) + " still stands on day " +
                  std::to_string(SeasonCalendar.currentDay));
    // The application's answer, once its day is played or it is answered.
    if (w.application.club >= 0 && JobApplicationRecord.club != uint16_t(w.application.club)) {
        if (!w.application.accepted) ++w.report->refused;
        w.application = Application{};
    }
}

void CheckJobTaken(int16_t club) {
    const int16_t now = int16_t(GetPlayerClub(1));
    Check('g', now == club || MenuOption == kScreenClubInfo,
          "Take Job on the job told for club " + std::to_string(club) + " left the user at club " +
              std::to_string(now));
    if (now == club) ++g_walk->report->jobsTaken;
}

// The saved game's blocks, one digest a block.
std::vector<uint64_t> BlockDigests() {
    std::vector<uint64_t> digests;
    for (const DataBlockDescriptor* d = SaveGameDescriptors; d->address != nullptr; ++d) {
        uint64_t h = 1469598103934665603ull;
        const auto* bytes = static_cast<const uint8_t*>(d->address);
        for (uint32_t i = 0; i < d->size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
        digests.push_back(h);
    }
    return digests;
}

// (h) The game loaded: the blocks as they were saved (but those the load
// rebuilds: the league tables, sorted afresh from the results, the viewed
// club and the club screen's word, the match-day table's kept goal count),
// and the front end's own words as a game started afresh has them.
void CheckLoaded() {
    Walk& w = *g_walk;
    ++w.report->loads;
    const std::vector<uint64_t> now = BlockDigests();
    std::string differ;
    constexpr int kRebuilt[] = {0, 1, 43, 44, 76};
    for (size_t i = 0; i < now.size() && i < w.savedBlocks.size(); ++i)
        if (now[i] != w.savedBlocks[i] && !In(kRebuilt, int(i))) differ += " " + std::to_string(i);
    Check('h', differ.empty(), "the loaded game differs from the game saved in block(s)" + differ);
    const bool noApproach =
        std::all_of(std::begin(RecentValues), std::end(RecentValues), [](uint16_t v) { return v == 0; });
    Check('h', noApproach, "the loaded game keeps the running game's approached players");
    Check('h',
          DealSheetPendingNumber == 0 && SquadOfferFlag == 0 && MenuFollowUp == 0 && ScreenHistoryCount == 0,
          "the loaded game's front end keeps words of the running game (deal " +
              std::to_string(DealSheetPendingNumber) + ", offer flag " + std::to_string(SquadOfferFlag) +
              ", follow-up " + std::to_string(MenuFollowUp) + ", recent screens " +
              std::to_string(ScreenHistoryCount) + ")");
    // The walk's account starts again from the game loaded.
    w.road = {{kScreenClubMain, {}}};
    w.history.clear();
    w.deal = DealModel{};
    w.exchangeProfile = w.profileLoose = false;
    w.pickClub = w.offerClub = w.infoClub = w.takeJob = -1;
    w.application = w.savedApplication;
    w.acceptance = -1;
    w.approached = false;
    w.scoutView = false;
    w.seen.clear();
}

// The road after a screen came up by the click.
void Travel(const Click& c, int16_t from, int16_t now, Texts who) {
    Walk& w = *g_walk;
    if (c.navigation || c.day || w.road.empty()) {
        w.road = {{now, who}};
        if (c.navigation) w.history.clear();
        w.profileLoose = false;
        return;
    }
    if (c.backIcon && !w.road.empty()) w.road.pop_back();
    // The details' profile button opens his profile in their place.
    if (from == kScreenPlayerInfo && now == kScreenPlayerStats && c.handler == PlayerInfo_Profile)
        w.road.pop_back();
    if (!c.backIcon && In(kEndingScreens, from) &&
        !(from == kScreenDealSheet && (c.slotName || now == kScreenExchangeList)))
        w.road.pop_back();
    // Back to a screen of the road: the same screen, and for a profile the
    // same player's (the exchange player's profile is a new stop).
    for (size_t i = w.road.size(); i-- > 0;) {
        const Texts& was = w.road[i].who;
        if (Family(w.road[i].screen) == Family(now) && (who.empty() || was.empty() || was == who)) {
            w.road.resize(i + 1);
            w.road.back().screen = now;
            if (!who.empty()) w.road.back().who = who;
            return;
        }
    }
    if (c.backIcon) {
        // The agent's or the history's back icon opens his profile in
        // place of the details they were opened from.
        if (now == kScreenPlayerStats && !w.road.empty() && w.road.back().screen == kScreenPlayerInfo) {
            w.road.back() = {now, who};
            return;
        }
        w.road = {{now, who}};
        return;
    }
    w.road.push_back({now, who});
}

std::string TableName(const MenuItem* table) {
    if (table == nullptr) return "none";
    for (int16_t id = 0; id <= kScreenNameClubList; ++id)
        if (MenuOptionHasScreen(id) && FrontEndScreenTable(id) == table)
            return "screen " + std::to_string(id) + "'s";
    if (table == HistoryBrowserTable) return "the day's results list";
    if (table == ResultBoardTable) return "the result board";
    if (table == ResultsViewTable) return "the results view";
    return "another table";
}

// The account after a screen comes up: what the last click asked for,
// checked against what the screen shows.
void Observe() {
    Walk& w = *g_walk;
    const int16_t now = MenuOption;
    const MenuItem* top = MenuViewTopTable();
    ++w.report->screens[now];
    Check('a',
          now != kScreenQuit && top != nullptr && (FrontEndScreenTable(now) == top || In(kOwnTables, now)),
          "screen " + std::to_string(now) + " is not a front-end screen up (the table up is " +
              TableName(top) + ")");
    if (!w.report->failure.empty()) return;
    const Click c = w.last;
    const bool acted = w.clicked;
    w.clicked = false;
    const int16_t from = w.screen;
    w.screen = now;
    if (!acted) return;
    if (c.day) CheckDay(c);
    // The acceptance's road is left: by the back icon of its club
    // information, the title bar, home, a new day or its job taken.
    if (c.navigation || now == kScreenClubMain || DayStamp() != c.dayStamp ||
        (c.backIcon && from == kScreenClubInfo) ||
        (now == kScreenClubInfo && int16_t(SelectedClub) != w.acceptance))
        w.acceptance = -1;
    if (w.takeJob >= 0) {
        CheckJobTaken(w.takeJob);
        w.takeJob = -1;
        w.acceptance = -1;
    }
    // A new screen, or the same one opened again (a navigation row, the
    // day's next sale over an offer left in the same round).
    const bool entered =
        now != from || c.navigation || c.day ||
        (now == kScreenDealSheet && (c.handler == DealSheet_Withdraw || c.handler == DealSheet_Deal));
    if (c.backIcon && now != from) CheckBackIcon(c, now);
    // A back icon takes its screen out of the recent screens.
    if (c.backIcon) std::erase(w.history, from);
    // A new game (after a sacking with no save): the walk's account starts
    // again with it.
    if (now == kScreenDivisionClubs && from != kScreenDivisionClubs) {
        w.road.clear();
        w.history.clear();
        w.deal = DealModel{};
        w.pickClub = w.offerClub = w.infoClub = w.takeJob = w.acceptance = -1;
        w.application = w.savedApplication = Application{};
        w.seen.clear();
    }
    if (entered) {
        Texts who;
        if (now == kScreenPlayerStats) {
            if (In(kPlayerLists, from) && !c.backIcon && c.function == nullptr) who = c.texts;
            if (from == kScreenDealSheet && c.slotName) who = c.texts;
            if (from == kScreenDealSheet && !c.slotName && !c.backIcon) who = w.deal.who;
            // Back from his own screens he is the same player as before.
            const bool ownScreens =
                from == kScreenPlayerInfo || from == kScreenAgentProfile || from == kScreenCareerHistory;
            if (!ownScreens) w.exchangeProfile = from == kScreenDealSheet && c.slotName;
            // The career history's back icon sends the profiles' return home,
            // until a list opens a profile again.
            if (from == kScreenCareerHistory && c.backIcon) {
                w.profileLoose = true;
            } else if (In(kPlayerLists, from) || (from == kScreenDealSheet && c.slotName)) {
                w.profileLoose = false;
            }
            if (from == kScreenDealSheet && !c.slotName && !c.backIcon && !who.empty())
                Check('f', NamesPlayer(who, ShownPlayer()),
                      "the offer shown for " + Quote(who) + " ended on the profile of player " +
                          std::to_string(ShownPlayer()));
        }
        if (now == kScreenPlayerStats) w.offerRefused = false;
        if (now == kScreenCareerHistory)
            w.managerHistory = c.handler == SquadList_OpenManager || from == kScreenManagerRankings;
        if (now == kScreenDealSheet) EnterOffer(c, from);
        if (now == kScreenContractTalks) CheckTalks(c, from);
        if (now == kScreenLoanTerms) w.seen.insert({'s', ShownPlayer()});
        CheckOpened(c, now, from);
        Travel(c, from, now, who);
        EnterHistory(now);
    }
    if (now == kScreenClubInfo) CheckClubInfo(c, from, entered);
    // The deal is left by any screen that is not one of its own.
    if (!In(kDealScreens, now)) {
        w.deal.open = false;
        w.exchangeProfile = false;
    }
    // An application the board will answer later.
    if (from == kScreenClubInfo && c.handler == ClubInfoTakeJob &&
        std::string(MenuViewLastMessageBox()) == GetText(kApplicationLodgedText) &&
        JobApplicationRecord.club == uint16_t(w.pickClub)) {
        w.application = {w.pickClub, JobApplicationRecord.accepted == 1, int16_t(JobApplicationRecord.day)};
        ++w.report->applications;
        Trail("the application to club " + std::to_string(w.pickClub) + " is answered on day " +
              std::to_string(w.application.day) + (w.application.accepted ? " with yes" : " with no"));
    }
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
    // The deal's roads: its screens' ways back and its ends.
    const bool dealRoad = w.deal.open && (w.exchangeProfile || screen == kScreenDealSheet);
    // An accepted job's road: its club's squad, a player's offer, and the
    // day's messages that follow the offer tell the acceptance again.
    const bool acceptanceRoad = w.acceptance >= 0;
    // The season's last days: deals agreed now wait for the user's answer
    // over the season's turn.
    const bool seasonsEnd = SeasonCalendar.currentDay >= 352 && SeasonCalendar.currentDay < 365;
    // A new season's first days: offers made while the deals that came over
    // the turn wait.
    const bool seasonsStart = SeasonCalendar.currentDay < 4 && w.report->seasonTurns > 0;
    if (IsBackIcon(item)) {
        if (screen == kScreenPlayerStats && w.offerRefused) return 40;
        return dealRoad ? 24 : acceptanceRoad ? 2 : w.application.club >= 0 ? 16 : 8;
    }
    if (item.popup != nullptr && item.y < 40) {  // the title bar
        if (acceptanceRoad) return 1;
        return screen == kScreenClubMain ? 12 : 4;
    }
    if (h == DealSheet_Deal) return acceptanceRoad || seasonsEnd ? 30 : 10;
    if (h == DealSheet_Withdraw) return acceptanceRoad ? 30 : 10;
    if (screen == kScreenDealSheet && item.y >= 340 && item.y < 420) return 16;  // exchange buttons and names
    if (h == ClubInfoTakeJob) {
        if (int16_t(SelectedClub) == w.acceptance) return 8;
        return w.application.club >= 0 && ClubInfoShowsJobButtons() && int16_t(SelectedClub) == w.pickClub
                   ? 0
                   : 16;
    }
    // The accepted job's road: its club's squad and players before the job.
    if (h == ClubInfoSquad) return int16_t(SelectedClub) == w.acceptance ? 30 : 8;
    if (h == SquadNumbers_NumberAll) return 20;
    if (h == PlayerProfile_Contract || h == Scouting_ViewPlayers || h == ContractDeal_OpenTalks) return 6;
    if (h == PlayerInfo_Agent || h == PlayerInfo_History || h == PlayerProfile_Agent) return dealRoad ? 8 : 4;
    // A scout's tip answered with a bid: a player approached today, whom a
    // game loaded later the same day must not know of.
    if (h == InboxBidForPlayer) return 16;
    if (h == InboxRowClick) return 4;
    // The folder tabs; the scouts' tips most.
    if (screen == kScreenInbox && item.x == 42)
        return item.y == 113 + 30 * InboxFolderOfType(kMsgScoutTip) ? 24 : 2;
    // The action list: often for another club's player, whom an offer can buy.
    if (screen == kScreenPlayerStats && item.popup != nullptr && w.offerRefused) return 2;
    if (screen == kScreenPlayerStats && item.popup != nullptr)
        return GetPlayerClub(ShownPlayer()) != GetPlayerClub(1)
                   ? (acceptanceRoad || seasonsEnd || seasonsStart ? 60 : 24)
                   : 6;
    // Continue; more often while an application waits for its answer.
    if (screen == kScreenClubMain && item.popup != nullptr && item.x == 399)
        return w.application.club >= 0 ? 60 : 30;
    if (h == Vacancies_PickRow) return 12;
    if (In(kSquadFamily, screen) || screen == kScreenShortlist || screen == kScreenExchangeList) return 3;
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
    if (IsBackIcon(item)) text << " (the back icon)";
    if (item.popup != nullptr) text << " (a list)";
    return text.str();
}

Click ClickOn(const MenuHotItem& item, int button) {
    Click c;
    c.screen = MenuOption;
    c.handler = item.handler;
    c.button = button;
    c.titleClub = TitleClub;
    c.texts = TextsIn(item.x, item.y, item.w, item.h);
    c.backIcon = IsBackIcon(item) && button == 0;
    if (c.backIcon) c.backTo = BackTargets(MenuOption);
    c.waiting = WaitingNow();
    c.dayStamp = DayStamp();
    if (MenuOption == kScreenDealSheet && item.y >= 340 && item.y < 420 && item.handler != nullptr) {
        const int half = CurrentDeal.direction == 0 ? 420 : 30;
        c.slot = (item.y - 340) / 26;
        c.slotName = item.x == half + 50;
    }
    return c;
}

void Press(const MenuHotItem& item, int button) {
    Walk& w = *g_walk;
    w.last = ClickOn(item, button);
    w.clicked = true;
    // The offer as the user leaves it: its player and exchange players.
    if (MenuOption == kScreenDealSheet) {
        w.deal.player = ShownPlayer();
        for (int k = 0; k < 3; ++k) w.deal.exchange[k] = CurrentDeal.exchange[k].player;
    }
    if (item.handler == InboxBidForPlayer) w.approached = true;
    if (item.handler == ClubInfoTakeJob && ClubInfoShowsJobButtons()) {
        const int16_t club = int16_t(SelectedClub);
        const bool told = club == w.offerClub || club == w.acceptance ||
                          (club == w.application.club && w.application.accepted &&
                           w.application.day == SeasonCalendar.currentDay);
        if (told) w.takeJob = club;
    }
    Trail("on screen " + std::to_string(MenuOption) + " " + ItemText(item, button) +
          (w.last.texts.empty() ? "" : " showing " + Quote(w.last.texts)));
    ClickItem(item, button);
}

const MenuHotItem* FindItem(const std::function<bool(const MenuHotItem&)>& match) {
    for (const MenuHotItem& item : MenuViewHotItems())
        if (match(item)) return &item;
    return nullptr;
}

// The title bar's lists: the game caption's (x 20) and the club caption's (x 171).
const MenuHotItem* TitleList(int x) {
    return FindItem(
        [x](const MenuHotItem& item) { return item.popup != nullptr && item.y < 40 && item.x == x; });
}

// An errand's click on the item at x, y of its screen, then its next
// step; false when the screen up is not the errand's.
bool ErrandClick(bool onItsScreen, int x, int y, const std::string& what, Errand next) {
    const MenuHotItem* item =
        onItsScreen ? FindItem([x, y](const MenuHotItem& i) { return i.x == x && i.y == y; }) : nullptr;
    if (item == nullptr) return false;
    Trail(what);
    Press(*item, 0);
    g_walk->errand = next;
    return true;
}

// A directed step of an errand on the screen on show; false when the
// screen is not the errand's.
bool ActOnErrand() {
    Walk& w = *g_walk;
    const MenuItem* top = MenuViewTopTable();
    switch (w.errand) {
        case Errand::SaveList:
        case Errand::LoadHome:
        case Errand::AwayHome: {
            const MenuHotItem* list = TitleList(w.errand == Errand::SaveList ? 20 : 171);
            if (list == nullptr) return false;
            Trail(w.errand == Errand::SaveList ? "goes to save the game" : "goes home for an errand");
            Press(*list, 0);
            return true;
        }
        case Errand::SaveRow:
            return ErrandClick(top == SaveLoadTable, 110, 130 + 35 * w.saveSlot,
                               "saves into row " + std::to_string(w.saveSlot), Errand::SaveName);
        case Errand::LoadStart:
            return ErrandClick(top == StartMenuTable, 300, 535, "chooses Load Game", Errand::LoadRow);
        case Errand::LoadRow:
            return ErrandClick(top == SaveLoadTable, 110, 130 + 35 * w.saveSlot,
                               "loads row " + std::to_string(w.saveSlot), Errand::LoadDone);
        default:
            return false;
    }
}

// Errands begin now and then: a save from wherever the user is, a load of
// the last save, and (when his side could not be sent out) a day played
// with nobody at the keys.
void MaybeStartErrand() {
    Walk& w = *g_walk;
    if (w.errand != Errand::None || !w.options.saves) return;
    const int steps = w.report->steps, total = w.options.steps;
    // Loads take the world back to the save's day: rarer, so that the days
    // go on far enough for applications to be answered.
    const bool saveDue = (w.report->saves == 0 && steps >= total / 5) || w.random() % 200 == 0;
    const bool loadDue = w.report->saves > 0 && ((w.report->loads == 0 && steps >= total / 3) ||
                                                 (w.application.club < 0 && w.random() % 800 == 0) ||
                                                 (w.approached && w.random() % 3 == 0));
    if (w.stalls >= 2) {
        w.errand = Errand::AwayHome;
    } else if (loadDue) {
        w.errand = Errand::LoadHome;
    } else if (saveDue) {
        w.saveSlot = int16_t(w.report->saves % kSaveSlotsUsed);
        w.errand = Errand::SaveList;
    }
}

void ActOnScreen() {
    Walk& w = *g_walk;
    // The start screen, reached by a user sacked with no job to take: he
    // loads his game when he has saved one.
    if (MenuViewTopTable() == StartMenuTable && w.errand == Errand::None && w.report->saves > 0)
        w.errand = Errand::LoadStart;
    MaybeStartErrand();
    if (w.errand != Errand::None && ActOnErrand()) return;
    const int16_t screen = MenuOption;
    const std::span<const MenuHotItem> items = MenuViewHotItems();
    std::vector<Choice> choices;
    int total = 0;
    for (const MenuHotItem& item : items) {
        // The game caption's list saves and quits: the walk's errands use it.
        if (item.popup != nullptr && item.y < 40 && item.x < 100) continue;
        const int weight = Weight(item, screen);
        choices.push_back({&item, weight, 0});
        total += weight;
        // Right clicks: the lists' rows open their player's profile, the
        // offer's step buttons step down.
        if (item.popup == nullptr && !IsBackIcon(item)) {
            const int right = In(kRightClickLists, screen) ? (w.acceptance >= 0 ? 12 : 3)
                              : screen == kScreenDealSheet ? 1
                                                           : 0;
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
    Press(*chosen->item, chosen->button);
}

// The profile's action list (its rows name the profile's actions; the
// title bar's lists are others).
bool ActionList(const OpenPopup* open) {
    if (open == nullptr || MenuViewTopTable() != PlayerStatsTable) return false;
    for (const MenuHotItem& item : MenuViewHotItems())
        if (item.popup == open->definition) return item.y > 500;
    return false;
}

int RowWeight(const PopupEntry* entry, int16_t text, const OpenPopup* open) {
    Walk& w = *g_walk;
    const bool navigation = entry->function == MenuOption_DefaultHandler;
    if (w.errand == Errand::SaveList) return navigation && text == kSaveText ? 1 : 0;
    if (w.errand == Errand::LoadHome || w.errand == Errand::AwayHome)
        return navigation && text == kHomeText ? 1 : 0;
    if ((entry->flags & POPUP_SELECTABLE) == 0 || (navigation && text == kQuitText)) return 0;
    if (entry->function == ClubMain_RunOn && !w.options.runOn) return 0;
    if (entry->function == ClubMain_OneDay || entry->function == ClubMain_PlayMatch)
        return w.application.club >= 0 ? 40 : 8;
    if (entry->function == ClubMain_RunOn) return 2;
    if (entry->function == Vacancies_ClubInformation) return 12;
    if (navigation) {
        const int16_t target = NavigationTarget(text);
        // The screens that leave the running game, or soak weeks away.
        if (target == kScreenStart || target == kScreenSoak || target == kScreenLoadGame ||
            target == kScreenLoadSlotZero || target == kScreenLoadAutoSave || target == kScreenNewGame ||
            target == kScreenQuit || target == kScreenSharedRows || target == kScreenSaveGame)
            return 0;
        if (In(kSquadFamily, target) || target == kScreenScouting || target == kScreenShortlist ||
            target == kScreenClubMain)
            return 4;
        if (target == kScreenInbox) return 8;
        // Other clubs' players and clubs: the deals and the jobs.
        // An application early, so that its answer comes within the walk.
        if (target == kScreenVacancies)
            return w.application.club >= 0 ? 2 : w.report->applications == 0 ? 40 : 10;
        if (target == kScreenClubsByNation || target == kScreenTransferList ||
            target == kScreenPlayerSearch || target == kScreenLeagueTable)
            return 6;
        return 1;
    }
    if (ActionList(open)) {
        const int index = int(entry - open->definition) - 1;
        if (index >= 0 && index < ProfileActionCount) {
            const ProfileAction action = ProfileActions[index];
            if (action == ProfileAction::Offer) return 12;
            if (action == ProfileAction::Deal) return 8;
            if (action == ProfileAction::Approach) return 4;
            // A release ends the player's time at the club: rarely.
            if (action == ProfileAction::Release) return w.random() % 4 == 0 ? 1 : 0;
        }
    }
    return 1;
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
        const int weight = RowWeight(entry, PopupRowText(entry), open);
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
    c.rowTexts = c.texts;
    c.texts.clear();
    c.handler = nullptr;
    c.function = entry->function;
    c.textId = PopupRowText(entry);
    c.navigation = entry->function == MenuOption_DefaultHandler;
    c.day = entry->function == ClubMain_OneDay || entry->function == ClubMain_PlayMatch ||
            entry->function == ClubMain_RunOn;
    c.playMatch = entry->function == ClubMain_PlayMatch;
    c.backIcon = false;
    c.backTo.clear();
    c.slot = -1;
    c.slotName = false;
    c.waiting = WaitingNow();
    c.dayStamp = DayStamp();
    c.boxes = MenuViewMessageBoxCount();
    if (ActionList(open)) {
        const int index = int(entry - open->definition) - 1;
        if (index >= 0 && index < ProfileActionCount) c.profileAction = int(ProfileActions[index]);
    }
    if (w.errand == Errand::SaveList) w.errand = Errand::SaveRow;
    if (w.errand == Errand::LoadHome) w.errand = Errand::LoadStart;
    if (w.errand == Errand::AwayHome) w.errand = Errand::AwayDay;
    c.screen = MenuOption;
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

// A message box: clicked away; a question: one of its buttons (the save's
// question over a row in use: written over).
void ActOnBox() {
    Walk& w = *g_walk;
    const ScreenSectionRecord& box = ScreenSection[MODAL_BOX_SECTION];
    ++w.boxClicks;
    std::vector<const ChoiceButton*> buttons;
    for (const ChoiceButton* list : {YesNoButtons, ThreeWayButtons})
        for (const ChoiceButton* b = list; b->textId >= 0; ++b)
            if (b->left >= box.x && b->top >= box.y && b->left < box.x + box.width &&
                b->top < box.y + box.height)
                buttons.push_back(b);
    if (w.errand == Errand::SaveName && !buttons.empty()) {
        const ChoiceButton* b = &ThreeWayButtons[1];
        Trail("writes over the row in use");
        MenuUserClickAt(b->left + b->width / 2, b->top + b->height / 2);
        return;
    }
    if (w.boxClicks > 1 && !buttons.empty()) {
        const ChoiceButton* b = buttons[w.random() % buttons.size()];
        Trail("answers a question with its button " + std::to_string(b->textId));
        MenuUserClickAt(b->left + b->width / 2, b->top + b->height / 2);
        return;
    }
    if (MenuOption == kScreenPlayerStats && w.last.profileAction == int(ProfileAction::Offer))
        w.offerRefused = true;
    Trail(std::string("clicks a box away: ") + std::string(MenuViewLastMessageBox()).substr(0, 60));
    MenuUserClickAt(400, 300);
}

// The day's own screens: the panel's choice (the result only, never the
// shown match), the results pages' leave icon.
// The pages a day shows after its matches: the result board, the results
// and statistics pages, the day's results list.
bool IsDayPage(const MenuItem* table) {
    const MenuItem* const pages[] = {HistoryBrowserTable, HistoryCompanionTable, ResultBoardTable,
                                     MatchStatsTable,     ResultsViewTable,      TeamStatsTable,
                                     MatchGraphTable,     ShareChartTable,       MatchStatsScreenTable};
    return In(pages, table);
}

bool IsScreenTable(const MenuItem* table) {
    for (int16_t id = 0; id <= kScreenNameClubList; ++id)
        if (table != nullptr && MenuOptionHasScreen(id) && FrontEndScreenTable(id) == table) return true;
    return false;
}

void ActOnDay() {
    Walk& w = *g_walk;
    // The screen the Continue was chosen on is still closing.
    if (IsScreenTable(MenuViewTopTable())) {
        Trail("waits for the day");
        return;
    }
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
    for (const MenuHotItem& item : MenuViewHotItems()) {
        if (IsBackIcon(item) || (item.x == 743 && item.y == 559)) {
            Trail("leaves a page of the day");
            ClickItem(item, 0);
            return;
        }
    }
    std::vector<const MenuHotItem*> own;
    for (const MenuHotItem& item : MenuViewHotItems())
        if (item.popup == nullptr) own.push_back(&item);
    if (own.empty()) return;
    const MenuHotItem* item = own[w.random() % own.size()];
    Trail("clicks a page of the day at (" + std::to_string(item->x) + "," + std::to_string(item->y) + ")");
    ClickItem(*item, 0);
}

void ActOnText() {
    Walk& w = *g_walk;
    Trail("types a name");
    MenuUserShiftKey(0x1E);  // A
    MenuUserKey(0x1C);       // Enter
    if (w.errand == Errand::SaveName) w.errand = Errand::SaveDone;
}

// At home after an errand: the save written, the game loaded.
void FinishErrand() {
    Walk& w = *g_walk;
    if (MenuOption != kScreenClubMain) return;
    if (w.errand == Errand::SaveDone) {
        w.errand = Errand::None;
        if (SaveSlotFlags[w.saveSlot] != 1) {
            Trail("the save did not go into its row");
            return;
        }
        ++w.report->saves;
        w.savedBlocks = BlockDigests();
        w.savedApplication = w.application;
        Trail("saved into row " + std::to_string(w.saveSlot));
    } else if (w.errand == Errand::LoadDone) {
        w.errand = Errand::None;
        Trail("loaded row " + std::to_string(w.saveSlot));
        CheckLoaded();
    }
}

void Finish() {
    Walk& w = *g_walk;
    w.report->finished = true;
    SetFatalErrorHook(nullptr);
    SetDrawnStringLog(nullptr);
    MenuUserEachFrame(nullptr);
    const std::function<void()> done = w.options.done;
    if (done) done();
}

void Act();

void Next() {
    MenuUserWait(kAfterClick);
    MenuUserWaitFor(Settled, kScreenFrames, [] {
        Broken('a', "no screen came up after " + std::to_string(kScreenFrames) + " frames (the table up is " +
                        TableName(MenuViewTopTable()) + ", " + std::to_string(MenuViewHotItems().size()) +
                        " items, presented " + std::to_string(ScreenPresented) + ", first entry " +
                        std::to_string(IsMenuFirstEntry()) + ")");
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
        ActOnText();
    } else if (MenuOption == kScreenContinueGame || MenuViewTopTable() == nullptr ||
               (w.last.day && IsDayPage(MenuViewTopTable()))) {
        // The day being played: its panel and pages.
        w.boxClicks = 0;
        ActOnDay();
    } else {
        w.boxClicks = 0;
        Observe();
        FinishErrand();
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
    walk.road = {{MenuOption, {}}};
    g_walk = &walk;
    g_drawn.clear();
    g_screenText.clear();
    g_overText.clear();
    g_textTable = nullptr;
    SetDrawnStringLog(&g_drawn);
    MenuUserEachFrame(FoldDrawnStrings);
    SetFatalErrorHook(PrintTrailOnFatal);
    MenuUserWaitFor(Settled, kScreenFrames, [] { Broken('a', "the walk's first screen never came up"); });
    MenuUserDo(Act);
    return walk.report;
}

void FrontWalkPlayUnattendedDay() {
    // The soak's own run: what needs the user waits for him, and Escape,
    // read once a day, stops it after the first.
    SoakMode = 1;
    SoakStopPointSeason = -1;
    plat::InjectKey(0x01, false, true);
    plat::InjectKey(0x01, false, false);
    ContinueMode = 1;
    MenuOption = kScreenContinueGame;
    DoMainMenuOption();
    SoakMode = 0;
    MenuOption = kScreenClubMain;
}

void FrontWalkBetweenRounds() {
    if (g_walk == nullptr || g_walk->report->finished || MenuOption != kScreenClubMain) return;
    Walk& w = *g_walk;
    if (w.errand == Errand::LoadStart) {
        // The start screen, from which a game is loaded.
        MenuOption = kScreenStart;
    } else if (w.errand == Errand::AwayDay) {
        // His side could not be sent out: the day is played with nobody at
        // the keys, the match's own set-up choosing for him.
        w.paused = true;
        Trail("plays the day with nobody at the keys");
        const int before = DayStamp();
        FrontWalkPlayUnattendedDay();
        w.paused = false;
        w.errand = Errand::None;
        w.stalls = 0;
        w.seen.clear();
        if (DayStamp() != before) ++w.report->days;
        // Nobody was there to take an answer: it waits for his next day.
        if (w.application.club >= 0 && JobApplicationRecord.club == uint16_t(w.application.club))
            w.application.day = int16_t(JobApplicationRecord.day);
        w.acceptance = -1;
        w.road = {{kScreenClubMain, {}}};
        w.clicked = false;
    }
}

std::string FrontWalkSummary(const FrontWalkReport& report) {
    std::ostringstream text;
    text << report.steps << " steps, " << report.days << " days, " << report.seasonTurns << " season turns ("
         << report.dealsAtTurn << " deals pending), offers " << report.offersFromProfile
         << " from a profile, " << report.offersByDay << " by the day, " << report.offersOnWayBack
         << " on the way back, " << report.backIcons << " back icons on " << report.backScreens.size()
         << " screens, " << report.applications << " applications (" << report.accepted << " accepted, "
         << report.refused << " refused), " << report.jobsTaken << " jobs taken, " << report.saves
         << " saves, " << report.loads << " loads; checks";
    for (const auto& [rule, count] : report.checks) text << " (" << rule << ") " << count;
    text << "; screens seen (id:times)";
    for (const auto& [id, count] : report.screens) text << " " << id << ":" << count;
    return text.str();
}

}  // namespace testenv
