#include "game/screens/club/clubmain.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "core/base/random.h"
#include "core/club/transferprices.h"
#include "core/match/replay.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/userroles.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/seasonend.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/positionscreen.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"

namespace {

constexpr uint16_t kEmpty = kClubMainEmpty;
constexpr int kListSlots = kClubMainListSlots;
constexpr int kShownRows = kClubMainShownRows;
constexpr int kFacts = kClubMainFacts;
constexpr int kBidRows = kClubMainBidRows;
constexpr int kClubBidSlots = 4;
constexpr int kFixtureLines = kClubMainFixtureLines;
constexpr int kPanelSlots = kClubMainPanelSlots;
constexpr int kGraphEntries = 100;
constexpr int kRankedPlayers = 10;
constexpr int kNextDayFixtures = 12;
constexpr int kPanelRows = 24;
constexpr int kFactSize = 1000;
constexpr int kLineSize = 300;
constexpr int16_t kHighlighted = 8;
constexpr int16_t kReserveLineColour = 20;
constexpr int kLastSeasonDay = 364;
constexpr int kRunOnLastDay = 300;
constexpr uint16_t kFadeFrames = 250;
constexpr int16_t kFadeStep = 25;

// Text ids of the screen.
constexpr int16_t kOneDayText = 1;
constexpr int16_t kRunOnText = 547;
constexpr int16_t kPlayMatchText = 552;
constexpr int16_t kNextSeasonText = 766;
constexpr int16_t kNextSeasonRunOnText = 765;
constexpr int16_t kSeasonOverText = 1161;
constexpr int16_t kTooFewPlayersText = 571;
// The mode button names the mode shown.
constexpr int16_t kFactsModeText = 1528;
constexpr int16_t kBidsModeText = 1895;

// Screen ids the handlers move on to.

// Day-loop flag bits the Continue entries change.
constexpr uint16_t kLoopBit0 = 0x01;
constexpr uint16_t kLoopBit1 = 0x02;
constexpr uint16_t kLoopBit6 = 0x40;
constexpr uint16_t kLoopBit7 = 0x80;

// ---- Screen state, kept between frames and visits ------------------------------

uint16_t g_clubList[kListSlots];
int16_t g_clubCount = 0;
int16_t g_listTop = 0;
uint16_t g_shownClubs[kShownRows];
int16_t g_rowColour[kShownRows];
// Each row keeps its own copy: club names share one text buffer.
char g_rowNameText[kShownRows][kClubNameLength + 1];
const char* g_rowNames[kShownRows];

bool g_rebuildList = false;
bool g_rebuildSeason = false;
bool g_rebuildTexts = false;
int16_t g_mode = 1;
int16_t g_modeText = kFactsModeText;

char g_fixtureText[kFixtureLines][kLineSize];
const char* g_fixturePtr[kFixtureLines];
int16_t g_fixtureColour[kFixtureLines];

char g_factText[kFacts][kFactSize];
const char* g_factPtr[kFacts];

uint32_t g_bidPlayer[kBidRows];
char g_bidPrice[kBidRows][kLineSize];
const char* g_bidPricePtr[kBidRows];

struct GraphEntry {
    int16_t opponentText;
    int16_t homeGoals;
    int16_t awayGoals;
    int16_t side;  // 102 home, 103 away
    uint16_t place;
};
GraphEntry g_graph[kGraphEntries];
struct GraphPoint {
    int16_t x, y;
};
GraphPoint g_points[kGraphEntries];
int g_pointCount = 0;
bool g_hoverShown = false;
int16_t g_hoverX = -1, g_hoverY = -1;

uint16_t g_panelSequence[kPanelSlots];
uint16_t g_currentKind = kEmpty;
uint16_t g_nextKind = kEmpty;
uint32_t g_frameCounter = 0;
int16_t g_fadeLevel = 100;
int16_t g_fadeOut = 1;  // from the program's start, kept between visits
bool g_panelRedraw = false;
// Set by every walk of the table: the walk has put the empty box back.
bool g_panelRepaint = false;
uint16_t g_nextDaySlots[kDivisionCount][kNextDayFixtures];
uint16_t g_topScorers[kDivisionCount][kRankedPlayers];
uint16_t g_topAssisters[kDivisionCount][kRankedPlayers];

// The panel as filled for its kind.
struct PanelRow {
    char text[64];
    int16_t numbers[2];                      // 0x8000 none
    int16_t homeText, versusText, awayText;  // 65535 none
};
PanelRow g_panelRows[kPanelRows];
int16_t g_panelHeadings[2] = {-1, -1};
char g_panelTitle[40];
struct ZoneLine {
    bool on;
    int16_t y;
};
ZoneLine g_zones[3];

int16_t g_titleClubText = -1;
int16_t g_popupText[3] = {kOneDayText, kRunOnText, kPlayMatchText};
const char* g_divisionButtonText = "";
const char* g_divisionNames[kDivisionCount];

// New-mail icon descriptions: the envelope's frames, or a still blank.
constexpr int16_t kMailFrames[] = {25,  161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174,
                                   175, 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 0};
constexpr int16_t kNoMailFrames[] = {250, 1, 0};
const int16_t* g_mailIcon = kNoMailFrames;

int16_t Country() { return HVW_GetViewedCountry(); }
int16_t UserClub() { return HVW_GetMyClub(); }
int Today() { return SeasonCalendar.currentDay; }

// The user's fixture today (any kind but national-team days); -1 none.
int16_t UserFixtureToday() {
    const int16_t slot = HVW_FindClubNextFixtureSlot(UserClub());
    return slot >= 0 && FixtureDay(slot) == Today() ? slot : int16_t(-1);
}

const char* Money(int64_t amount) {
    const int32_t saved = CurrentNumberType;
    SetDrawParam(3, NUMBER_MONEY);
    const char* text = Number2Str(int32_t(std::clamp<int64_t>(amount, INT32_MIN, INT32_MAX)));
    SetDrawParam(3, saved);
    return text;
}

const char* ClubName(uint16_t club) {
    return IsClubNumber(club) ? GetText(HVW_ClubTextId(int16_t(club))) : "";
}

bool InViewedDivisionRow(int16_t club, int division) {
    return IsClubNumber(club) && GetClubNation(club) == uint16_t(Country()) &&
           GetClubDivision(club) == uint16_t(division);
}

// ---- Club list ---------------------------------------------------------------------

void BuildClubList() {
    std::fill(std::begin(g_clubList), std::end(g_clubList), kEmpty);
    const int16_t country = Country();
    g_clubCount = std::clamp<int16_t>(HVW_GetClubsInDivision(ViewedDivision, country), 0, kListSlots);
    if (IsCountryNumber(country) && ViewedDivision >= 0 && ViewedDivision < kDivisionCount) {
        std::copy_n(DivisionClubLists[country][ViewedDivision], g_clubCount, g_clubList);
    }
    if (g_clubCount > 0) SelectedClub = g_clubList[0];
    int16_t sorted[kListSlots];
    for (int i = 0; i < kListSlots; ++i) sorted[i] = int16_t(g_clubList[i]);
    HVW_SortClubListByName(sorted, g_clubCount, 0);
    for (int i = 0; i < kListSlots; ++i) g_clubList[i] = uint16_t(sorted[i]);
    g_listTop = std::clamp<int16_t>(g_listTop, 0, int16_t(std::max(0, g_clubCount - kShownRows)));
}

void FillShownRows() {
    for (int row = 0; row < kShownRows; ++row) {
        const int index = g_listTop + row;
        const uint16_t club = index < g_clubCount ? g_clubList[index] : kEmpty;
        g_shownClubs[row] = club;
        std::snprintf(g_rowNameText[row], sizeof g_rowNameText[row], "%s", ClubName(club));
        g_rowNames[row] = g_rowNameText[row];
        g_rowColour[row] = club != kEmpty && club == SelectedClub ? kHighlighted : 0;
    }
}

// ---- Season data (on entry) ---------------------------------------------------------

// Into a list of ten kept best first: the player passes every entry that is
// empty or has less; on equal counts the earlier (lower-numbered) stays above.
void InsertRanked(uint16_t* list, uint16_t player, uint16_t count, uint16_t (*countOf)(uint16_t)) {
    int place = kRankedPlayers;
    while (place > 0 && (list[place - 1] == kEmpty || countOf(list[place - 1]) < count)) --place;
    if (place == kRankedPlayers) return;
    for (int i = kRankedPlayers - 1; i > place; --i) list[i] = list[i - 1];
    list[place] = player;
}

void BuildScorerLists() {
    for (auto& list : g_topScorers) std::fill(std::begin(list), std::end(list), kEmpty);
    for (auto& list : g_topAssisters) std::fill(std::begin(list), std::end(list), kEmpty);
    const uint16_t country = uint16_t(Country());
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (GetPlayerPosition(player) == 0) continue;
        const uint16_t club = GetPlayerClub(player);
        if (!IsClubNumber(club) || GetClubNation(int16_t(club)) != country) continue;
        const uint16_t division = GetClubDivision(int16_t(club));
        if (division >= kDivisionCount) continue;
        const uint16_t goals = GetPlayerGoals(player);
        if (goals > 0) InsertRanked(g_topScorers[division], player, goals, GetPlayerGoals);
        const uint16_t assists = GetPlayerAssists(player);
        if (assists > 0) InsertRanked(g_topAssisters[division], player, assists, GetPlayerAssists);
    }
}

void BuildNextLeagueDay() {
    for (auto& slots : g_nextDaySlots) std::fill(std::begin(slots), std::end(slots), kEmpty);
    int start = HVW_FindClubNextFixtureSlot(int16_t(SelectedClub));
    if (start < 0) {
        start = 0;
    } else {
        while (start > 0 && FixtureDay(start - 1) >= Today()) --start;
    }
    for (int k = 0; k < kDivisionCount; ++k) {
        int first = start;
        while (first < kFixtureSlots && !IsFixtureEmpty(first) &&
               !(FixtureType(first) == kCompLeague && InViewedDivisionRow(FixtureHome(first), k))) {
            ++first;
        }
        if (first >= kFixtureSlots || IsFixtureEmpty(first)) continue;
        const uint16_t day = FixtureDay(first);
        int taken = 0;
        for (int slot = first; slot < kFixtureSlots && FixtureDay(slot) == day && taken < kNextDayFixtures;
             ++slot) {
            if (FixtureType(slot) != kCompLeague || FixtureHome(slot) == FixtureAway(slot)) continue;
            if (!InViewedDivisionRow(FixtureHome(slot), k)) continue;
            g_nextDaySlots[k][taken++] = uint16_t(slot);
        }
    }
}

void BuildPanelSequence() {
    std::fill(std::begin(g_panelSequence), std::end(g_panelSequence), kEmpty);
    const int16_t divisions = std::clamp<int16_t>(HVW_CountDivisions(Country()), 0, kDivisionCount);
    int count = 0;
    if (HVW_FindClubPrevFixture(int16_t(SelectedClub)) != -1) {
        for (int k = 0; k < divisions; ++k) g_panelSequence[count++] = uint16_t(k);
        for (int k = 0; k < divisions; ++k) g_panelSequence[count++] = uint16_t(6 + k);
    }
    if (HVW_FindClubNextFixtureSlot(int16_t(SelectedClub)) != -1) {
        for (int k = 0; k < divisions; ++k) {
            if (g_nextDaySlots[k][0] != kEmpty) g_panelSequence[count++] = uint16_t(12 + k);
        }
    }
    g_currentKind = g_panelSequence[GameRandom() % std::max(count, 1)];
}

PopupEntry g_divisionPopup[kDivisionCount + 2];
int32_t PickDivision(PopupCallBlock* call);

void BuildDivisionPopup() {
    const int16_t divisions = std::clamp<int16_t>(HVW_CountDivisions(Country()), 0, kDivisionCount);
    g_divisionPopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
    for (int k = 0; k < divisions; ++k) {
        const char* name = HVW_GetDivisionName(int16_t(k), Country());
        g_divisionNames[k] = name != nullptr ? name : "";
        g_divisionPopup[k + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                                  &g_divisionNames[k],   PickDivision,     nullptr};
    }
    g_divisionPopup[divisions + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

void BuildSeasonData() {
    BuildScorerLists();
    BuildNextLeagueDay();
    BuildPanelSequence();
    if (g_clubCount > 0) SelectedClub = g_clubList[0];
    BuildDivisionPopup();
}

// ---- Screen texts ---------------------------------------------------------------------

void BuildGraph() {
    const int16_t club = int16_t(SelectedClub);
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots && count < kGraphEntries && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) >= Today()) break;
        if (FixtureType(slot) != kCompLeague || !IsFixtureOfClub(slot, club)) continue;
        const int16_t homePlace = HVW_GetFixtureHomePlace(int16_t(slot));
        const int16_t awayPlace = HVW_GetFixtureAwayPlace(int16_t(slot));
        if (homePlace == 0 && awayPlace == 0) continue;
        const bool home = FixtureHome(slot) == club;
        const uint32_t score = FixtureScore(slot);
        g_graph[count++] = {HVW_ClubTextId(home ? FixtureAway(slot) : FixtureHome(slot)),
                            int16_t(score & kFixtureGoalsMask), int16_t((score >> 5) & kFixtureGoalsMask),
                            home ? kTextHome : kTextAway, uint16_t(home ? homePlace : awayPlace)};
    }
    if (count > 0) g_graph[count - 1].place = uint16_t(HVW_GetClubTablePosition(club));
    for (int i = count; i < kGraphEntries; ++i) g_graph[i] = {-1, 0, 0, 0, kEmpty};
}

int16_t CompetitionText(int slot, int16_t club) {
    switch (FixtureType(slot)) {
        case kCompLeague:
            return 111;
        case kCompFriendly:
            return 169;
        case kCompReserveLeague:
            return 195;
        default: {
            int16_t round = -1, leg = -1;
            return HVW_GetCompRoundText(FixtureType(slot), &round, &leg, HVW_GetClubNation(club));
        }
    }
}

void FormatFixtureLine(int line, int slot, int16_t club) {
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(int16_t(FixtureDay(slot)), HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    const bool home = FixtureHome(slot) == club;
    const int16_t opponent = home ? FixtureAway(slot) : FixtureHome(slot);
    const int16_t where = (FixtureScore(slot) & kFixtureNeutralBit) != 0 ? kTextNeutral
                          : home                                         ? kTextHome
                                                                         : kTextAway;
    std::snprintf(g_fixtureText[line], kLineSize, "%s %d/%d %s %s(%s) %s",
                  GetText(int16_t(kTextFirstWeekday + weekday)), dayOfMonth, month + 1, GetText(kTextVersus),
                  GetText(HVW_ClubTextId(opponent)), GetText(where), GetText(CompetitionText(slot, club)));
    g_fixtureColour[line] = FixtureType(slot) == kCompReserveLeague ? kReserveLineColour : 0;
}

void BuildFixtureLines() {
    const int16_t club = int16_t(SelectedClub);
    // Every line is cleared first: a club with no fixtures left must not
    // show the previously picked club's.
    for (int line = 0; line < kFixtureLines; ++line) {
        g_fixtureText[line][0] = '\0';
        g_fixtureColour[line] = 0;
    }
    if (HVW_GetNextOpponent(club) == -1) return;
    const int16_t first = HVW_FindClubNextFixtureSlot(club);
    int line = 0;
    for (int slot = std::max<int>(first, 0); slot < kFixtureSlots && line < kFixtureLines; ++slot) {
        if (IsFixtureEmpty(slot)) break;
        const int16_t type = FixtureType(slot);
        if (type == kCompNationalTeam || type == kCompNationalUnder21 || !IsFixtureOfClub(slot, club))
            continue;
        FormatFixtureLine(line++, slot, club);
    }
}

void SetLabelLine(int line, int16_t label, const char* value) {
    if (value == nullptr || value[0] == '\0') {
        std::snprintf(g_factText[line], kFactSize, "%s:", GetText(label));
    } else {
        std::snprintf(g_factText[line], kFactSize, "%s: %s", GetText(label), value);
    }
}

void BuildFacts() {
    const int16_t club = int16_t(SelectedClub);
    if (club == UserClub()) {
        char balance[NUMBER_TEXT_SIZE];
        std::snprintf(balance, sizeof balance, "%s", Money(HVW_GetClubBalance(club)));
        std::snprintf(g_factText[0], kFactSize, "%s: %s (%s)", GetText(253), balance,
                      Money(HVW_GetClubWageBudget(club)));
    } else {
        const uint16_t manager = HVW_GetClubManager(club);
        SetLabelLine(0, 30, IsValidPlayer(manager) ? HVW_GetPlayerShortName(manager) : "");
    }
    char ordinal[NUMBER_TEXT_SIZE];
    OrdinalStr(ordinal, int16_t(HVW_GetClubTablePosition(club) + 1));
    SetLabelLine(1, 256, ordinal);
    SetLabelLine(2, 255, HVW_GetClubFormString(club));
    const int32_t capacity = int32_t(HVW_GetClubStandCapacity0(club)) + HVW_GetClubStandCapacity1(club) +
                             HVW_GetClubStandCapacity2(club) + HVW_GetClubStandCapacity3(club);
    SetLabelLine(3, 1346, HVW_FormatThousands(capacity * 1000));
    SetLabelLine(4, 257, HVW_FormatThousands(HVW_GetClubAvgAttendance(club)));
    const uint16_t best = HVW_GetBestPerformer(club);
    SetLabelLine(5, 754, best != 0 ? HVW_GetPlayerShortName(best) : "");
    const uint16_t scorer = HVW_GetTopScorer(club);
    if (scorer != 0) {
        std::snprintf(g_factText[6], kFactSize, "%s: %s(%d)", GetText(880), HVW_GetPlayerShortName(scorer),
                      int(GetPlayerGoals(scorer)));
    } else {
        SetLabelLine(6, 880, "");
    }
}

void ClearBidRows() {
    for (int row = 0; row < kBidRows; ++row) {
        g_bidPlayer[row] = 0;
        g_bidPrice[row][0] = '\0';
    }
}

void SetBidRow(int row, uint32_t player, int64_t hundreds) {
    g_bidPlayer[row] = player;
    // A slot without a player shows no price.
    if (player == 0) {
        g_bidPrice[row][0] = '\0';
    } else {
        std::snprintf(g_bidPrice[row], kLineSize, "%s", Money(hundreds * 100));
    }
}

void BuildBids() {
    const int16_t club = int16_t(SelectedClub);
    for (int slot = 0; slot < kClubBidSlots; ++slot) {
        const int16_t player = HVW_GetClubBidPlayer(club, int16_t(slot));
        SetBidRow(slot, player > 0 ? uint32_t(player) : 0,
                  int64_t(uint32_t(HVW_GetClubBidPrice(club, int16_t(slot)))));
    }
    for (int deal = 0; deal < kBidRows - kClubBidSlots; ++deal) {
        const uint32_t offer = recbits::LoadU32(PendingDealTable[deal].bytes + 6);
        SetBidRow(kClubBidSlots + deal, PendingDealPlayer(deal), int64_t(offer));
    }
}

void BuildScreenTexts() {
    SetMenuTitleDate(11);
    g_titleClubText = HVW_ClubTextId(int16_t(SelectedClub));
    BuildGraph();
    BuildFixtureLines();
    const char* division = HVW_GetDivisionName(ViewedDivision, Country());
    g_divisionButtonText = division != nullptr ? division : "";
    for (auto& line : g_factText) line[0] = '\0';
    ClearBidRows();
    if (g_mode == 1) {
        BuildFacts();
        g_modeText = kFactsModeText;
    } else {
        BuildBids();
        g_modeText = kBidsModeText;
    }
    g_panelRedraw = true;
    g_hoverShown = false;
    PositionScreen_Reset();
}

void EnterClubMain() {
    g_frameCounter = 0;
    g_fadeLevel = 100;
    g_panelRedraw = true;
    g_listTop = 0;
    const int16_t user = UserClub();
    SelectedClub = uint16_t(user);
    // Home again: a vacancy or division pick, or a job offer left on its
    // club's screen, belongs to a road the user has left (the offer waits
    // for the next day's messages).
    DropClubPicks();
    // Home starts every road afresh: kept, an earlier road's recent screens
    // would lead a later back icon (the squad list that a refused match
    // opens, say) into it.
    ForgetTheRoad();
    ViewedDivision = IsClubNumber(user) && HVW_GetClubNation(user) == Country()
                         ? HVW_FindClubInDivisionRows(user)
                         : int16_t(0);
    g_rebuildList = g_rebuildSeason = g_rebuildTexts = true;
    g_mode = 1;
    if (UserFixtureToday() >= 0) {
        MatchDayFlags |= kDayLoopPlaysToday;
    } else {
        MatchDayFlags &= uint16_t(~kDayLoopPlaysToday);
    }
    g_mailIcon = GetNewMessageFlag() != 0 ? kMailFrames : kNoMailFrames;
    const bool lastDay = Today() == kLastSeasonDay;
    g_popupText[0] = lastDay ? kNextSeasonText : kOneDayText;
    g_popupText[1] = lastDay ? kNextSeasonRunOnText : kRunOnText;
    g_popupText[2] = kPlayMatchText;
    for (int i = 0; i < kFixtureLines; ++i) g_fixturePtr[i] = g_fixtureText[i];
    for (int i = 0; i < kFacts; ++i) g_factPtr[i] = g_factText[i];
    for (int i = 0; i < kBidRows; ++i) g_bidPricePtr[i] = g_bidPrice[i];
}

// ---- Handlers ---------------------------------------------------------------------------

int32_t PickDivision(PopupCallBlock* call) {
    ViewedDivision = int16_t(call->row);
    g_rebuildList = g_rebuildTexts = true;
    return MENU_REDRAW;
}

int32_t NewMail(MenuHotItem*) {
    if (GetNewMessageFlag() == 0) return MENU_CONTINUE;
    MenuOption = kScreenInbox;
    return MENU_CLOSE;
}

int32_t PickClub(MenuHotItem* item) {
    const uint16_t club = g_shownClubs[std::min<int>(item->row, kShownRows - 1)];
    if (club == kEmpty) return MENU_CONTINUE;
    SelectedClub = club;
    if (GetMenuButtons() == 2) {
        PreviousMenuOption = kScreenClubMain;
        MenuOption = kScreenSquadList;
        return MENU_CLOSE;
    }
    g_rebuildTexts = true;
    return MENU_REDRAW;
}

int32_t ScrollUp(MenuHotItem*) {
    if (g_listTop > 0) --g_listTop;
    return MENU_REDRAW;
}

int32_t ScrollDown(MenuHotItem*) {
    if (g_listTop < g_clubCount - kShownRows) ++g_listTop;
    return MENU_REDRAW;
}

int32_t ToggleMode(MenuHotItem*) {
    g_mode = g_mode == 1 ? 0 : 1;
    g_rebuildTexts = true;
    return MENU_REDRAW;
}

// ---- Painters -----------------------------------------------------------------------------

void WithColour(uint16_t colour, auto paint) {
    const uint16_t saved = DrawColour;
    SetDrawParam(2, colour);
    paint();
    SetDrawParam(2, saved);
}

int16_t GraphClubs() { return std::max<int16_t>(HVW_GetClubsInDivision(ViewedDivision, Country()), 1); }
int16_t GraphGames() { return std::max<int16_t>(HVW_GetDivisionGamesPerTeam(Country(), ViewedDivision), 1); }

constexpr int kPlotX = 242, kPlotY = 117, kPlotW = 252, kPlotH = 143;

void NumberTick(int x, int y, int n, uint16_t justify) {
    char text[12];
    std::snprintf(text, sizeof text, "%d", n);
    DrawTextAddrAt(x, y, text, justify);
}

void PaintGraphFrame(int x, int y, int w, int h) {
    DrawGradientRect(x + 4, y + 4, w - 8, h - 8, 40, 40, 72, 40, 40, 72, 8, 8, 24, 8, 8, 24);
    const int clubs = GraphClubs(), games = GraphGames();
    SetFont(6);
    SetDrawParam(1, 0);
    WithColour(0xFFFF, [&] {
        DrawRelLine(kPlotX, kPlotY, 0, kPlotH);
        DrawRelLine(kPlotX, kPlotY + kPlotH, kPlotW, 0);
        for (int i = 0; i < clubs; ++i) {
            const int ty = kPlotY + i * kPlotH / clubs;
            DrawRelLine(kPlotX - 3, ty, 3, 0);
            if (i == 0 || i == (clubs - 1) / 2 || i == clubs - 1)
                NumberTick(kPlotX - 5, ty, i + 1, JUSTIFY_RIGHT_MIDDLE);
        }
        for (int j = 0; j < games; ++j) {
            const int tx = kPlotX + j * kPlotW / games;
            DrawRelLine(tx, kPlotY + kPlotH, 0, 3);
            if (j == 0 || j == (games - 1) / 2 || j == games - 1) {
                NumberTick(tx, kPlotY + kPlotH + 5, j + 1, JUSTIFY_CENTRE_TOP);
            }
        }
    });
}

int RoundDiv(int numerator, int denominator) { return (numerator + denominator / 2) / denominator; }

void PaintGraphBars(int, int, int, int) {
    const int clubs = GraphClubs(), games = GraphGames();
    g_pointCount = 0;
    for (int i = 0; i < kGraphEntries && g_graph[i].place != kEmpty; ++i) {
        g_points[i] = {int16_t(kPlotX + RoundDiv(i * kPlotW, games)),
                       int16_t(kPlotY + RoundDiv(g_graph[i].place * kPlotH, clubs))};
        g_pointCount = i + 1;
    }
    for (int i = 0; i + 1 < g_pointCount; ++i) {
        const GraphPoint a = g_points[i], b = g_points[i + 1];
        const int top = std::min(a.y, b.y), height = std::abs(b.y - a.y);
        for (const auto& [colour, shift] : {std::pair<uint16_t, int>{0x0000, 1}, {0xF800, 0}}) {
            const int offset =
                shift;  // a plain local: lambdas may not capture structured bindings everywhere
            WithColour(colour, [&] {
                DrawSolidRect(a.x + offset, a.y + offset, b.x - a.x + 2, 2);
                DrawSolidRect(b.x + offset, top + offset, 2, height + 2);
            });
        }
    }
}

void RepaintGraph() {
    RestoreRectAligned(222, 97, 292, 183, JUSTIFY_LEFT_TOP);
    DrawBlackShade30Box(222, 97, 292, 183);
    PaintGraphFrame(222, 97, 292, 183);
    SetFont(8);
    SetDrawParam(1, 0);
    DrawTextNoAt(368, 99, 87, JUSTIFY_CENTRE_TOP);
    PaintGraphBars(0, 0, 0, 0);
}

void GraphHover() {
    const int mx = CursorX, my = CursorY;
    const bool inside = mx >= 243 && mx <= 493 && my >= 118 && my <= 259;
    if (!inside) {
        if (g_hoverShown) {
            RepaintGraph();
            g_hoverShown = false;
        }
        return;
    }
    if (g_hoverShown && mx == g_hoverX && my == g_hoverY) return;
    RepaintGraph();
    g_hoverShown = true;
    g_hoverX = int16_t(mx);
    g_hoverY = int16_t(my);
    WithColour(0xFFFF, [&] {
        DrawRelLine(kPlotX, my, mx - kPlotX, 0);
        DrawRelLine(mx, my, 0, kPlotY + kPlotH - my);
    });
    SetFont(6);
    NumberTick(kPlotX - 5, my, (my - kPlotY) * GraphClubs() / kPlotH + 1, JUSTIFY_RIGHT_MIDDLE);
    for (int i = 0; i < g_pointCount; ++i) {
        if (std::abs(g_points[i].x - mx) > 4 || std::abs(g_points[i].y - my) > 4) continue;
        const GraphEntry& e = g_graph[i];
        char tip[160];
        std::snprintf(tip, sizeof tip, "%d-%d %s %s (%s)", e.homeGoals, e.awayGoals, GetText(kTextVersus),
                      GetText(e.opponentText), GetText(e.side));
        int16_t tw = 0, th = 0;
        GetTextSize(tip, &tw, &th);
        const int bx = std::min(mx + 8, 510 - tw - 8);
        DoButton(bx, my - th - 6, tw + 8, th + 4);
        DrawTextAddrAt(bx + 4, my - th - 4, tip, JUSTIFY_LEFT_TOP);
        break;
    }
}

// ---- Rotating panel ------------------------------------------------------------------------

constexpr int kPanelX = 516, kPanelY = 97, kPanelW = 262, kPanelH = 442;
constexpr int kPanelRowsY = 129, kPanelRowStep = 15;

void ClearPanel() {
    for (PanelRow& row : g_panelRows) row = {"", {int16_t(0x8000), int16_t(0x8000)}, -1, -1, -1};
    g_panelHeadings[0] = g_panelHeadings[1] = -1;
    g_panelTitle[0] = '\0';
    for (ZoneLine& zone : g_zones) zone = {false, 0};
}

void FillDivisionTable(int k) {
    const int16_t country = Country();
    const int clubs = std::clamp<int>(HVW_GetClubsInDivision(int16_t(k), country), 0, kPanelRows);
    g_panelHeadings[0] = 137;
    g_panelHeadings[1] = 143;
    for (int place = 0; place < clubs; ++place) {
        const int16_t club = LeagueTable[country][k][place];
        if (!IsClubNumber(club)) continue;
        int16_t played = 0, points = 0, shownPlace = 0;
        HVW_GetClubSeasonTotals(club, &played, &points, &shownPlace);
        std::snprintf(g_panelRows[place].text, sizeof g_panelRows[place].text, "%s",
                      ClubName(uint16_t(club)));
        g_panelRows[place].numbers[0] = played;
        g_panelRows[place].numbers[1] = points;
    }
    const int promoted = PromotionCount[country][k];
    const int playOff = PlayOffEntryTable[country][k].fromThisDivision;
    const int relegated = RelegationCount[country][k];
    g_zones[0] = {promoted > 0, int16_t(kPanelRowsY + kPanelRowStep * promoted)};
    g_zones[1] = {playOff > 0, int16_t(kPanelRowsY + kPanelRowStep * (promoted + playOff))};
    g_zones[2] = {relegated > 0, int16_t(kPanelRowsY + kPanelRowStep * (clubs - relegated))};
}

void FillRankedRows(int first, const uint16_t* list, uint16_t (*countOf)(uint16_t)) {
    for (int i = 0; i < kRankedPlayers; ++i) {
        const uint16_t player = list[i];
        if (player == kEmpty) continue;
        PanelRow& row = g_panelRows[first + i];
        std::snprintf(row.text, sizeof row.text, "%s (%s)", HVW_GetPlayerShortName(player),
                      ClubName(GetPlayerClub(player)));
        row.numbers[1] = int16_t(countOf(player));
    }
}

void FillScorers(int k) {
    std::snprintf(g_panelRows[0].text, sizeof g_panelRows[0].text, "%s", GetText(1210));
    FillRankedRows(1, g_topScorers[k], GetPlayerGoals);
    std::snprintf(g_panelRows[11].text, sizeof g_panelRows[11].text, "%s", GetText(956));
    FillRankedRows(12, g_topAssisters[k], GetPlayerAssists);
}

void FillNextLeagueDay(int k) {
    g_panelHeadings[0] = 182;
    for (int i = 0; i < kNextDayFixtures; ++i) {
        const uint16_t slot = g_nextDaySlots[k][i];
        if (slot == kEmpty) break;
        g_panelRows[i].homeText = HVW_ClubTextId(FixtureHome(slot));
        g_panelRows[i].versusText = kTextVersus;
        g_panelRows[i].awayText = HVW_ClubTextId(FixtureAway(slot));
    }
}

void FillPanel() {
    ClearPanel();
    const uint16_t kind = g_currentKind;
    // An empty sequence (a club with neither past nor next fixtures): an
    // empty panel.
    if (kind > 17 || !IsCountryNumber(Country())) return;
    const int k = kind % 6;
    const char* name = HVW_GetDivisionName(int16_t(k), Country());
    std::snprintf(g_panelTitle, sizeof g_panelTitle, "%s", name != nullptr ? name : "");
    if (kind < 6) {
        FillDivisionTable(k);
    } else if (kind < 12) {
        FillScorers(k);
    } else {
        FillNextLeagueDay(k);
    }
}

uint16_t FollowingKind() {
    int filled = 0;
    while (filled < kPanelSlots && g_panelSequence[filled] != kEmpty) ++filled;
    if (filled == 0) return kEmpty;
    for (int i = 0; i < filled; ++i) {
        if (g_panelSequence[i] != g_currentKind) continue;
        return i == filled - 1 ? g_panelSequence[0] : g_panelSequence[i + 1];
    }
    return 0;
}

void PaintPanel() {
    RestoreRectAligned(kPanelX, kPanelY, kPanelW, kPanelH, JUSTIFY_LEFT_TOP);
    DrawBlackShade30Box(kPanelX, kPanelY, kPanelW, kPanelH);
    SetDrawParam(7, g_fadeLevel);
    SetFont(8);
    SetDrawParam(1, 0);
    DrawTextAddrAt(kPanelX + kPanelW / 2, kPanelY + 6, g_panelTitle, JUSTIFY_CENTRE_TOP);
    SetFont(6);
    const int numberX[2] = {kPanelX + 214, kPanelX + 250};
    for (int i = 0; i < 2; ++i) {
        if (g_panelHeadings[i] < 0) continue;
        const int hx = g_panelHeadings[i] == 182 ? kPanelX + 8 : numberX[i];
        DrawTextNoAt(hx, kPanelRowsY - 12, g_panelHeadings[i],
                     g_panelHeadings[i] == 182 ? JUSTIFY_LEFT_TOP : JUSTIFY_RIGHT_TOP);
    }
    for (int r = 0; r < kPanelRows; ++r) {
        const PanelRow& row = g_panelRows[r];
        const int ry = kPanelRowsY + r * kPanelRowStep + 2;
        if (row.text[0] != '\0') DrawTextAddrAt(kPanelX + 8, ry, row.text, JUSTIFY_LEFT_TOP);
        for (int i = 0; i < 2; ++i) {
            if (row.numbers[i] != int16_t(0x8000))
                NumberTick(numberX[i], ry, row.numbers[i], JUSTIFY_RIGHT_TOP);
        }
        if (row.homeText >= 0) {
            DrawTextNoAt(kPanelX + 118, ry, row.homeText, JUSTIFY_RIGHT_TOP);
            DrawTextNoAt(kPanelX + 131, ry, row.versusText, JUSTIFY_CENTRE_TOP);
            DrawTextNoAt(kPanelX + 144, ry, row.awayText, JUSTIFY_LEFT_TOP);
        }
    }
    SetDrawParam(7, 100);
    const int alpha = 255 * g_fadeLevel / 100;
    const int colours[3][3] = {{0, 200, 0}, {230, 200, 0}, {220, 0, 0}};
    for (int z = 0; z < 3; ++z) {
        if (!g_zones[z].on) continue;
        const auto& c = colours[z];
        DrawBlendedSpan(kPanelX + 4, g_zones[z].y, kPanelW - 8, c[0], c[1], c[2], alpha, c[0], c[1], c[2],
                        alpha);
    }
}

void StepRotatingPanel() {
    bool repaint = false;
    if (++g_frameCounter > kFadeFrames) {
        if (g_fadeOut != 0) {
            g_fadeLevel = int16_t(g_fadeLevel - kFadeStep);
            repaint = true;
            if (g_fadeLevel <= 0) {
                g_fadeLevel = 0;
                g_fadeOut = 0;
                g_currentKind = g_nextKind;
                g_panelRedraw = true;
            }
        } else if (g_fadeLevel < 100) {
            g_fadeLevel = int16_t(std::min<int>(g_fadeLevel + kFadeStep, 100));
            repaint = true;
            if (g_fadeLevel == 100) {
                g_fadeOut = 1;
                g_frameCounter = 0;
            }
        } else {
            // Shown in full without a fade pending (left mid-fade on an
            // earlier visit): fade out at the next turn.
            g_fadeOut = 1;
            g_frameCounter = 0;
        }
    }
    if (g_panelRedraw) {
        g_panelRedraw = false;
        g_nextKind = FollowingKind();
        FillPanel();
        repaint = true;
    }
    if (repaint || g_panelRepaint) PaintPanel();
    g_panelRepaint = false;
}

void EveryFrame(int16_t) {
    GraphHover();
    StepRotatingPanel();
}
const MenuTimerRecord kEveryFrame = {1, 1, EveryFrame};

// Bid rows: the player's band and settings; a free slot draws nothing.
void PaintBidRow(int row, int x, int y) {
    const auto player = int32_t(g_bidPlayer[row]);
    if (player == 0) return;
    DrawTeamSheetList(x, y, 196, 20, 5, player);
    DrawSettingIconsOf(player, 428, y + 3);
}
void PaintFirstBids(int x, int y, int, int) { PaintBidRow(MenuPaintRow(), x, y); }
void PaintPendingBids(int x, int y, int, int) { PaintBidRow(kClubBidSlots + MenuPaintRow(), x, y); }

const MenuItem kClubRow[] = {
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, g_rowColour, nullptr},
    {MI_STRING_VAR, 4, 13, 9, sizeof(const char*), g_rowNames, nullptr},
    {MI_HOT_RECT, 0, 0, 196, 26, nullptr, PickClub},
    kMenuEnd,
};

// Each line hangs from the y it is given: the first one starts just below
// the mode button and the mail icon, the fixtures' heading below the last.
const MenuItem kFactRow[] = {
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 0, 0, JUSTIFY_LEFT_TOP, sizeof(const char*), g_factPtr, nullptr},
    kMenuEnd,
};

const MenuItem kFixtureRow[] = {
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, g_fixtureColour, nullptr},
    {MI_STRING_VAR, 0, 0, JUSTIFY_LEFT_TOP, sizeof(const char*), g_fixturePtr, nullptr},
    kMenuEnd,
};

const MenuItem kFirstBidRow[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_CUSTOM, 0, 0, 196, 20, MenuFunction(PaintFirstBids), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 241, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_bidPricePtr, nullptr},
    kMenuEnd,
};
const MenuItem kPendingBidRow[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_CUSTOM, 0, 0, 196, 20, MenuFunction(PaintPendingBids), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 241, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_bidPricePtr + kClubBidSlots,
     nullptr},
    kMenuEnd,
};

// The lower centre panel by mode: facts and the fixtures' heading, or the
// bid rows and the offers' heading.
const MenuItem kNoRows[] = {kMenuEnd};
const MenuItem* g_factRows = kFactRow;
const MenuItem* g_firstBidRows = kNoRows;
const MenuItem* g_pendingBidRows = kNoRows;
int16_t g_offersHeading = -1;
int16_t g_fixturesHeading = 157;

void OpenContinuePopup(PopupCallBlock* call);

PopupEntry g_continuePopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, OpenContinuePopup},
    {POPUP_TEXT_ID_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &g_popupText[0], ClubMain_OneDay,
     nullptr},
    {POPUP_TEXT_ID_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &g_popupText[1], ClubMain_RunOn, nullptr},
    {POPUP_TEXT_ID_VARIABLE, 0, 0, 0, 0, 0, nullptr, &g_popupText[2], ClubMain_PlayMatch, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

// One day and run on while the user's club does not play today; play the
// match only while it does.
void OpenContinuePopup(PopupCallBlock*) {
    const bool playsToday = (MatchDayFlags & kDayLoopPlaysToday) != 0;
    g_continuePopup[1].flags = playsToday ? 0 : POPUP_SELECTABLE;
    g_continuePopup[2].flags = playsToday ? 0 : POPUP_SELECTABLE;
    g_continuePopup[3].flags = playsToday ? POPUP_SELECTABLE : 0;
}

void ScreenFunction();

}  // namespace

void ClubInfoMenu() { ScreenFunction(); }

namespace {

void ScreenFunction() {
    if (IsMenuFirstEntry() == 1) EnterClubMain();
    if (g_rebuildList) {
        g_rebuildList = false;
        BuildClubList();
    }
    if (g_rebuildSeason) {
        g_rebuildSeason = false;
        BuildSeasonData();
    }
    if (g_rebuildTexts) {
        g_rebuildTexts = false;
        BuildScreenTexts();
    }
    FillShownRows();
    g_panelRepaint = true;
    g_hoverShown = false;
    const bool facts = g_mode == 1;
    g_factRows = facts ? kFactRow : kNoRows;
    g_firstBidRows = facts ? kNoRows : kFirstBidRow;
    g_pendingBidRows = facts ? kNoRows : kPendingBidRow;
    g_offersHeading = facts ? int16_t(-1) : int16_t(942);
    g_fixturesHeading = facts ? int16_t(157) : int16_t(-1);
}

// The day loop starts from a clean day: no messages, no goal replays.
void StartDayLoop(int16_t mode) {
    ContinueMode = mode;
    MatchDayFlags = uint16_t((MatchDayFlags & ~(kLoopBit0 | kLoopBit6 | kLoopBit7)) | kLoopBit1);
    DeleteGoalReplayFiles();
    SavedGoalCount = 0;
    MenuOption = kScreenContinueGame;
}

}  // namespace

int32_t ClubMain_OneDay(PopupCallBlock*) {
    MatchDay_ClearMessages();
    if (UserFixtureToday() >= 0) return MENU_REDRAW;
    StartDayLoop(0);
    return MENU_CLOSE;
}

int32_t ClubMain_RunOn(PopupCallBlock*) {
    // A soak runs on into the next season by itself.
    if (Today() > kRunOnLastDay && SoakMode == 0) {
        ShowMessageBox(GetText(kSeasonOverText), 0);
        return MENU_REDRAW;
    }
    MatchDay_ClearMessages();
    if (UserFixtureToday() >= 0) return MENU_REDRAW;
    StartDayLoop(1);
    return MENU_CLOSE;
}

// Offered whenever the user's club plays today, late-season cup finals and
// play-offs included.
int32_t ClubMain_PlayMatch(PopupCallBlock*) {
    const int16_t slot = UserFixtureToday();
    if (slot < 0) return MENU_REDRAW;
    const int16_t user = UserClub();
    const int16_t kind = FixtureType(slot) == kCompReserveLeague ? 1 : 0;
    SquadListSecond = kind;
    const int16_t check = HVW_CheckTeamForMatch(user, kind);
    if (check == 0) {
        // The captain and set-piece takers of the side that plays today.
        const int16_t selection =
            kind == 1 ? HVW_CheckCode120RoleChoices(user) : HVW_CheckClubRoleChoices(user);
        if (selection == -1) {
            MenuOption = kScreenContinueGame;
            MatchDayFlags = uint16_t((MatchDayFlags & ~(kLoopBit0 | kLoopBit1)) | kLoopBit1);
            ContinueMode = 2;
            DeleteGoalReplayFiles();
            SavedGoalCount = 0;
        } else {
            ShowMessageBox(GetText(selection), 0);
            MenuOption = kScreenTeamSelect;
            SelectedClub = uint16_t(user);
        }
    } else {
        ShowMessageBox(GetText(check == 2 ? kTooFewPlayersText : kTextPlayersUnavailable), 0);
        MenuOption = kind == 1 ? kScreenSquadListSecond : kScreenSquadList;
        SelectedClub = uint16_t(user);
        if (kind == 1) SquadListSecond = 1;
    }
    MatchDayFlags = uint16_t(MatchDayFlags & ~(kLoopBit6 | kLoopBit7));
    MatchDay_ClearMessages();
    return MENU_CLOSE;
}

const MenuItem ClubMainTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubInfoMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 222, 97, 292, 183, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 222, 286, 292, 253, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 516, 97, 262, 442, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 222, 97, 292, 183, MenuFunction(PaintGraphFrame), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(15), nullptr},
    {MI_TEXT_VAR, 60, 62, 9, 0, &g_titleClubText, nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(700), nullptr},
    {MI_ICON_LOOP_VAR, 227, 288, 5, 0, &g_mailIcon, nullptr},
    {MI_HOT_RECT, 227, 288, 31, 20, nullptr, NewMail},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 20, 97, kShownRows, 26, kClubRow, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, ScrollUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, ScrollDown},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 368, 99, 6, 0, MenuValue(87), nullptr},
    {MI_CUSTOM, 222, 97, 292, 183, MenuFunction(PaintGraphBars), nullptr},
    {MI_BUTTON_TEXT_VAR, 298, 287, 140, 20, &g_modeText, ToggleMode},
    {MI_GROUP_VAR, 227, 308, kFacts, 20, &g_factRows, nullptr},
    {MI_GROUP_VAR, 227, 308, kClubBidSlots, 20, &g_firstBidRows, nullptr},
    {MI_GROUP_VAR, 227, 408, kBidRows - kClubBidSlots, 20, &g_pendingBidRows, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 368, 388, JUSTIFY_CENTRE_TOP, 0, &g_offersHeading, nullptr},
    {MI_TEXT_VAR, 368, 448, JUSTIFY_CENTRE_TOP, 0, &g_fixturesHeading, nullptr},
    {MI_GROUP, 227, 468, kFixtureLines, 20, kFixtureRow, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kEveryFrame, nullptr},
    {MI_BUTTON_STRING_VAR, 60, 559, 339, 28, &g_divisionButtonText, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_divisionPopup, nullptr},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(75), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_continuePopup, nullptr},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    kMenuEnd,
};

#undef kMenuEnd

// ---- Views ---------------------------------------------------------------------------------

const uint16_t* ClubMainClubList() { return g_clubList; }
int16_t ClubMainClubCount() { return g_clubCount; }
int16_t ClubMainListTop() { return g_listTop; }
int16_t ClubMainMode() { return g_mode; }
const char* ClubMainFactLine(int line) { return line >= 0 && line < kFacts ? g_factText[line] : ""; }
uint32_t ClubMainBidPlayer(int row) { return row >= 0 && row < kBidRows ? g_bidPlayer[row] : 0; }
const char* ClubMainBidPrice(int row) { return row >= 0 && row < kBidRows ? g_bidPrice[row] : ""; }
const char* ClubMainFixtureLine(int line) {
    return line >= 0 && line < kFixtureLines ? g_fixtureText[line] : "";
}
int16_t ClubMainContinueText(int entry) { return entry >= 0 && entry < 3 ? g_popupText[entry] : -1; }
const uint16_t* ClubMainPanelSequence() { return g_panelSequence; }
uint16_t ClubMainPanelKind() { return g_currentKind; }
uint16_t ClubMainGraphPlace(int entry) {
    return entry >= 0 && entry < kGraphEntries ? g_graph[entry].place : kEmpty;
}
