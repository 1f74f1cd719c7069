#include "game/screens/matchday/matchstatsscreen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/textbuf.h"
#include "core/club/tactics.h"
#include "core/query/fields.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/playerreport.h"
#include "game/screens/matchday/ratings.h"

int16_t MatchStatsView = 5;
int16_t MatchStatsShirt = 1;
int16_t MatchStatsTeam = 0;
int16_t MatchStatsGrid[kStatsGridRows][kStatsGridColumns];
int16_t LastClubFixture = 0;

namespace {

constexpr int kShirts = 16;
constexpr int kMaxSubs = 3;
constexpr int kCounterSize = 100;
constexpr int kMarkerIcon = 111;
constexpr int kBookedIcon = 15;
constexpr int kSentOffIcon = 14;
constexpr int kInjuredIcon = 16;
// No icon: our icon 1 is a drawn square, so an empty cell stands for none.
constexpr int kNoIcon = kStatsNoValue;
constexpr int16_t kHeatView = 7;
constexpr int16_t kPassingView = 2;
// The rating of the markers in the heat-map view, which has no category.
constexpr int16_t kHeatViewMarkerCategory = 5;
constexpr uint16_t kMateLineColour = 1625;
constexpr uint16_t kHeatColour = 0xF800;
constexpr int kCellWidth = 37;
constexpr int kCellHeight = 23;
constexpr int kPitchLeft = 64;
constexpr int kPitchTop = 54;

// The labels of each view's six values (0 no text), in V1..V6 order.
constexpr int16_t kViewLabels[8][6] = {
    {1415, 935, 1437, 1416, 936, 918}, {1471, 959, 958, 1425, 1422, 956}, {1592, 1413, 1430, 1421, 1414, 954},
    {1435, 612, 444, 0, 1406, 1407},   {1838, 1434, 0, 1433, 1642, 918},  {243, 64, 956, 963, 1411, 1410},
    {-1, -1, -1, -1, -1, -1},          {-1, -1, -1, -1, -1, -1},
};
constexpr int16_t kKeeperLabels[6] = {1409, 1412, -1, 1405, 936, -1};

// The view pop-up: the view of each row.
constexpr int16_t kPopupViews[] = {0, 1, 3, 2, 4, 5, 7};

char g_title[128];
const char* g_titlePtr = g_title;
char g_counter[kShirts][kCounterSize];
char g_name[48];
const char* g_namePtr = g_name;
char g_goals[8];
const char* g_goalsPtr = g_goals;
MatchStatsInfoRow g_info{g_name, 0, g_goals, {kNoIcon, kNoIcon, kNoIcon}, {}, {}};

struct SubButton {
    int16_t shirt;
    char name[48];
    const char* namePtr;
    int16_t marker;
    int16_t number;
};
SubButton g_subs[kMaxSubs];
int g_subCount = 0;
const MenuItem* g_subTable = nullptr;

const uint8_t* ShownReport(int entry) { return LastMatch_PlayerReport(MatchStatsTeam, entry); }

// The player who wore the shirt in the match, from the match's own team
// sheet: the squad's shirts of today may have changed since (a new team
// picked, a player sold), and would put other names on his counters.
uint16_t ShirtPlayer(int shirt) {
    return uint16_t(LastMatch().setup.I16(gameinfo::PlayerInfoAt(MatchStatsTeam, shirt - 1) +
                                          gameinfo::kPlayerInfoNumber));
}

const char* ShortName(uint16_t player) {
    return IsPlayerNumber(player) ? HVW_GetPlayerShortName(player) : "";
}

int16_t MarkerRating(int entry) {
    const int16_t category = MatchStatsView == kHeatView ? kHeatViewMarkerCategory : MatchStatsView;
    return HVW_CalcReportPlayerAttribute(ShownReport(entry), category);
}

bool IsKeeperShirt(int shirt) {
    const uint16_t player = ShirtPlayer(shirt);
    return shirt == 1 || (IsPlayerNumber(player) && HVW_GetPositionType(player) == 0);
}

// The six values of the view, V1..V6; kStatsNoValue for none.
void ViewValues(const uint8_t* e, int16_t view, int16_t (&v)[6]) {
    using namespace report;
    int values[6] = {kStatsNoValue, kStatsNoValue, kStatsNoValue,
                     kStatsNoValue, kStatsNoValue, kStatsNoValue};
    switch (view) {
        case 0:
            values[0] = View0First(e), values[1] = View0Second(e), values[2] = View0Group(e);
            values[3] = View0Fourth(e), values[4] = View0Fifth(e), values[5] = View0Sixth(e);
            break;
        case 1:
            values[0] = View1First(e), values[1] = View1Word(e), values[2] = KeyWord(e);
            values[3] = View1Fourth(e), values[4] = View1Fifth(e), values[5] = SignedMark(e);
            break;
        case 2:
            values[0] = MateCountsA(e), values[1] = PassingA(e), values[2] = GoodCrosses(e) + OtherCrosses(e);
            values[3] = MateCountsB(e), values[4] = PassingB(e), values[5] = GoodCrosses(e);
            break;
        case 3:
            values[0] = SetPieceA(e), values[1] = SetPieceB(e), values[2] = SetPieceC(e);
            values[3] = PenaltyGoals(e), values[4] = FreeKickGoals(e), values[5] = SetPieceD(e);
            break;
        case 4:
            values[0] = Shots(e) + ShotsMissed(e), values[1] = Goals(e), values[2] = ShootingA(e);
            values[3] = Shots(e), values[4] = ShootingB(e), values[5] = ShootingC(e);
            break;
        case 5: {
            const int bookings = Bookings(e);
            values[0] = Rating(e), values[1] = Goals(e), values[2] = SignedMark(e);
            values[3] = Minutes(e), values[4] = bookings == 1 ? 1 : bookings == 2 ? 2 : 0;
            values[5] = bookings == 2 || bookings == 3 ? 1 : 0;
            break;
        }
        default:
            break;
    }
    for (int i = 0; i < 6; ++i) v[i] = int16_t(std::clamp(values[i], -32768, 32767));
}

void BuildCounterString(int shirt, const int16_t (&v)[6]) {
    BoundedText text(g_counter[shirt - 1], kCounterSize);
    const uint8_t* e = ShownReport(shirt - 1);
    const uint8_t* selected = ShownReport(MatchStatsShirt - 1);
    if (IsKeeperShirt(shirt)) {
        text.Add("%d-%d-%d-%d", report::KeeperGroup(e), report::KeeperSecond(e), report::KeeperFourth(e),
                 report::View0Fifth(e));
    } else if (MatchStatsView == kPassingView && MatchStatsShirt != 1 && MatchStatsShirt != shirt) {
        text.Add("%d-%d", report::MateCountA(selected, shirt - 1), report::MateCountB(selected, shirt - 1));
    } else if (v[0] != kStatsNoValue) {
        text.Add("%d-%d-%d-%d-%d-%d", v[0], v[3], v[1], v[4], v[2], v[5]);
    }
}

void FillInfoRow(int shirt, const int16_t (&v)[6]) {
    const uint8_t* e = ShownReport(shirt - 1);
    std::snprintf(g_name, sizeof g_name, "%s", ShortName(ShirtPlayer(shirt)));
    g_info.rating = int16_t(report::Rating(e));
    const int goals = report::Goals(e);
    if (goals > 0) {
        std::snprintf(g_goals, sizeof g_goals, "(%d)", std::min(goals, 99));
    } else {
        g_goals[0] = 0;
    }
    const int bookings = report::Bookings(e);
    g_info.icons[0] = int16_t(bookings == 1 || bookings == 2 ? kBookedIcon : kNoIcon);
    g_info.icons[1] = int16_t(bookings == 2 || bookings == 3 ? kSentOffIcon : kNoIcon);
    g_info.icons[2] = int16_t(report::Injury(e) > 0 ? kInjuredIcon : kNoIcon);
    if (IsKeeperShirt(shirt)) {
        const int16_t keeper[6] = {
            int16_t(report::KeeperGroup(e)),  int16_t(report::KeeperSecond(e)), kStatsNoValue,
            int16_t(report::KeeperFourth(e)), int16_t(report::View0Fifth(e)),   kStatsNoValue};
        std::copy(std::begin(kKeeperLabels), std::end(kKeeperLabels), g_info.labels);
        std::copy(std::begin(keeper), std::end(keeper), g_info.values);
        return;
    }
    std::copy(std::begin(v), std::end(v), g_info.values);
}

// The tactic the shown team played: a preset or one of its custom slots,
// as the match kept it (the user may have chosen another tactic since, which
// would stand his players' counters on places they never played).
void FillGrid() {
    for (auto& row : MatchStatsGrid) std::fill(std::begin(row), std::end(row), int16_t(-1));
    const EnterGameInfo& setup = LastMatch().setup;
    const int16_t choice = setup.TeamI16(MatchStatsTeam, gameinfo::kTacticChoice);
    TacticRecord record{};
    if (choice >= kFormationPresets && choice < kFormationPresets + kCustomTacticSlots) {
        std::memcpy(record.bytes,
                    setup.bytes + gameinfo::TeamInfoAt(MatchStatsTeam) + gameinfo::kTacticSlots +
                        (choice - kFormationPresets) * kTacticRecordSize,
                    kTacticRecordSize);
    } else {
        GetComputerTactics(&record, int16_t(choice >= 0 && choice < kFormationPresets ? choice : 0));
    }
    for (int i = 1; i <= 10; ++i) {
        const int row = GetTacticEntryX(&record, i);
        const int column = GetTacticEntryY(&record, i);
        if (row < 0 || row >= kStatsGridRows || column < 0 || column >= kStatsGridColumns) continue;
        MatchStatsGrid[row][column] = int16_t(i);
    }
}

// ---- Substitutes --------------------------------------------------------------------

template <int K>
int32_t MatchStats_SelectSub(MenuHotItem*) {
    if (K >= g_subCount) return MENU_CONTINUE;
    MatchStatsShirt = g_subs[K].shirt;
    return MENU_REDRAW;
}

#define SUB_BUTTON(K, X, W)                                                                            \
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr}, {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr}, \
        {MI_BUTTON_STRING_VAR, X, 392, W, 20, &g_subs[K].namePtr, MatchStats_SelectSub<K>},            \
        {MI_ICON_VAR, int16_t(X + W - 12), 402, 10, 0, &g_subs[K].marker, nullptr}, {                  \
        22, int16_t(X + 10), 402, 10, 0, &g_subs[K].number, nullptr                                    \
    }

const MenuItem kSubs0[] = {kMenuEnd};
const MenuItem kSubs1[] = {SUB_BUTTON(0, 20, 570), kMenuEnd};
const MenuItem kSubs2[] = {SUB_BUTTON(0, 20, 285), SUB_BUTTON(1, 295, 190), kMenuEnd};
const MenuItem kSubs3[] = {SUB_BUTTON(0, 20, 190), SUB_BUTTON(1, 200, 190), SUB_BUTTON(2, 390, 190),
                           kMenuEnd};
const MenuItem* const kSubTables[kMaxSubs + 1] = {kSubs0, kSubs1, kSubs2, kSubs3};

#undef SUB_BUTTON

void AddSubstitute(int shirt) {
    if (g_subCount >= kMaxSubs) return;
    SubButton& s = g_subs[g_subCount++];
    s.shirt = int16_t(shirt);
    std::snprintf(s.name, sizeof s.name, "%s", ShortName(ShirtPlayer(shirt)));
    s.namePtr = s.name;
    s.marker = int16_t(kMarkerIcon + MarkerRating(shirt - 1) / 10);
    s.number = int16_t(shirt);
}

// ---- The view pop-up -------------------------------------------------------------------

int32_t MatchStats_SetView(PopupCallBlock* call);
void MatchStats_OpenViewMenu(PopupCallBlock* call);

#define VIEW_ROW(TEXT) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(TEXT), MatchStats_SetView, nullptr }
PopupEntry g_viewPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(1684), nullptr, MatchStats_OpenViewMenu},
    VIEW_ROW(1305),
    VIEW_ROW(1425),
    VIEW_ROW(48),
    VIEW_ROW(1683),
    VIEW_ROW(610),
    VIEW_ROW(243),
    VIEW_ROW(1687),
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
#undef VIEW_ROW

int32_t MatchStats_SetView(PopupCallBlock* call) {
    if (call->row >= std::size(kPopupViews)) return MENU_CONTINUE;
    MatchStatsView = kPopupViews[call->row];
    MatchStatsShirt = 1;
    return MENU_REDRAW;
}

void MatchStats_OpenViewMenu(PopupCallBlock*) {
    for (size_t row = 0; row < std::size(kPopupViews); ++row) {
        uint16_t& flags = g_viewPopup[row + 1].flags;
        flags = kPopupViews[row] == MatchStatsView ? uint16_t(flags | POPUP_MARKED)
                                                   : uint16_t(flags & ~POPUP_MARKED);
    }
}

// Heat level of a count against the largest: 53 to 100 per cent.
int HeatAlpha(int64_t count, int64_t largest) {
    if (count <= 0 || largest <= 0) return 0;
    const int level = int(count * 100 / largest) * 15 / 100;
    const int alpha = level == 0 ? 6 : level * 100 / 15;
    return alpha / 2 + 50;
}

int HeatMapIndex() { return MatchStatsTeam == 0 ? MatchStatsShirt - 1 : MatchStatsShirt + 15; }

// The count of screen cell (row across, column along) of the map.
int64_t HeatCount(int map, int row, int column) { return LastMatch().result.heatMaps[map][column][row]; }

}  // namespace

// ---- Screen ------------------------------------------------------------------------------

void FindLastClubFixture() {
    const int today = SeasonCalendar.currentDay;
    int slot = 0;
    while (slot < kFixtureSlots && !IsFixtureEmpty(slot) && int(FixtureDay(slot)) < today) ++slot;
    LastClubFixture = 0;
    for (--slot; slot >= 0; --slot) {
        if (IsFixtureOfClub(slot, int16_t(SelectedClub))) {
            LastClubFixture = int16_t(slot);
            return;
        }
    }
}

void MatchStats_MenuProc() {
    if (IsMenuFirstEntry()) {
        MatchStatsTeam = LastMatch_UserSide();
        MatchStatsShirt = 1;
        MatchStatsView = 5;
        FillGrid();
        FindLastClubFixture();
        // The title shows the kept match's own score, whatever club is selected:
        // the last fixture before today of the selected club is another match
        // on the day the match was played (today's is not before today) or when
        // another club is selected, and would put its score under these names.
        const int16_t slot = LastMatch().fixture;
        const uint32_t score = slot >= 0 && slot < kFixtureSlots ? FixtureScore(slot) : 0;
        std::snprintf(g_title, sizeof g_title, "%s %d - %d %s", LastMatch_TeamName(0), int(score & 31),
                      int(score >> 5 & 31), LastMatch_TeamName(1));
    }
    g_subCount = 0;
    std::copy(std::begin(kViewLabels[MatchStatsView]), std::end(kViewLabels[MatchStatsView]), g_info.labels);
    for (int shirt = 1; shirt <= kShirts; ++shirt) {
        const uint8_t* e = ShownReport(shirt - 1);
        if (shirt >= 12 && report::MinuteOn(e) > 0) AddSubstitute(shirt);
        int16_t v[6];
        ViewValues(e, MatchStatsView, v);
        BuildCounterString(shirt, v);
        if (shirt == MatchStatsShirt) FillInfoRow(shirt, v);
    }
    g_subTable = kSubTables[g_subCount];
}

void MatchStats_DrawFormation(int, int, int, int) {
    const int selected = MatchStatsShirt;
    for (int c = 0; c < kStatsGridColumns; ++c) {
        for (int r = 0; r < kStatsGridRows; ++r) {
            const int p = MatchStatsGrid[r][c];
            if (p < 0) continue;
            const int x = c * kCellWidth + 82;
            const int y = r * kCellHeight + 65;
            DrawIcon(x, y, kMarkerIcon + MarkerRating(p) / 10, JUSTIFY_CENTRE_MIDDLE);
            SetFont(2);
            DrawNumberAt(x, y, p + 1, JUSTIFY_CENTRE_MIDDLE);
            SetFont(0);
            DrawTextFit(x, y - 26, ShortName(ShirtPlayer(p + 1)), JUSTIFY_CENTRE_MIDDLE);
            if (MatchStatsView == kPassingView && (selected == p + 1 || selected == 1)) {
                const uint8_t* passer = ShownReport(selected == 1 ? p : selected - 1);
                for (int j = 1; j <= 10; ++j) {
                    if (report::MateCountA(passer, j) <= 0) continue;
                    for (int c2 = 0; c2 < kStatsGridColumns; ++c2)
                        for (int r2 = 0; r2 < kStatsGridRows; ++r2)
                            if (MatchStatsGrid[r2][c2] == j)
                                DrawLine(x, y, c2 * kCellWidth + 82, r2 * kCellHeight + 65, kMateLineColour);
                }
            }
            SetFont(8);
            DrawTextAddrAt(x, y - 16, g_counter[p], JUSTIFY_CENTRE_MIDDLE);
            SetFont(0);
        }
    }
}

int MatchStats_HeatAlpha(int row, int column) {
    if (row < 0 || row >= kStatsGridRows || column < 0 || column >= kStatsGridColumns) return 0;
    const int map = HeatMapIndex();
    if (map < 0 || map >= kHeatMaps) return 0;
    int64_t largest = 0;
    for (int c = 0; c < kStatsGridColumns; ++c)
        for (int r = 0; r < kStatsGridRows; ++r) largest = std::max(largest, HeatCount(map, r, c));
    return HeatAlpha(HeatCount(map, row, column), largest);
}

void MatchStats_DrawHeatMap(int, int, int, int) {
    if (MatchStatsView != kHeatView) return;
    const int map = HeatMapIndex();
    if (map < 0 || map >= kHeatMaps) return;
    int64_t largest = 0;
    for (int c = 0; c < kStatsGridColumns; ++c)
        for (int r = 0; r < kStatsGridRows; ++r) largest = std::max(largest, HeatCount(map, r, c));
    // Nothing counted: no map.
    if (largest <= 0) return;
    SetDrawParam(2, kHeatColour);
    for (int c = 0; c < kStatsGridColumns; ++c) {
        for (int r = 0; r < kStatsGridRows; ++r) {
            const int alpha = HeatAlpha(HeatCount(map, r, c), largest);
            if (alpha == 0) continue;
            const int row = MatchStatsTeam == 1 ? kStatsGridRows - 1 - r : r;
            const int column = MatchStatsTeam == 0 ? kStatsGridColumns - 1 - c : c;
            DrawShadedRect(column * kCellWidth + kPitchLeft, row * kCellHeight + kPitchTop, kCellWidth,
                           kCellHeight, alpha);
        }
    }
}

void MatchStats_DrawPanels(int, int, int, int) {
    SetDrawParam(2, 0);
    DrawShadedRect(30, 423, 740, 30, 50);
    DrawShadedRect(30, 453, 740, 60, 25);
}

void MatchStats_DrawComments(int x, int y, int w, int h) {
    if (MatchStatsTeam != Ratings_CommentedTeam()) return;
    Ratings_BuildCommentText(int16_t(MatchStatsShirt - 1));
    SetFont(8);
    DrawWrappedText(x, y, RatingCommentText, JUSTIFY_LEFT_MIDDLE, w, h);
}

int16_t MatchStats_ShirtAt(int x, int y) {
    for (int c = 0; c < kStatsGridColumns; ++c) {
        for (int r = 0; r < kStatsGridRows; ++r) {
            const int p = MatchStatsGrid[r][c];
            if (p < 0) continue;
            if ((c - 1) * kCellWidth + kPitchLeft < x && x < (c + 1) * kCellWidth + kPitchLeft &&
                (r - 1) * kCellHeight + kPitchTop < y && y < (r + 1) * kCellHeight + kPitchTop) {
                return int16_t(p + 1);
            }
        }
    }
    return 0;
}

int32_t MatchStats_PitchClick(MenuHotItem*) {
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
    const int16_t shirt = MatchStats_ShirtAt(x, y);
    if (shirt > 0 && (GetMenuButtons() & 1) != 0) MatchStatsShirt = shirt;
    return MENU_REDRAW;
}

int32_t MatchStats_Continue(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int32_t MatchStats_ToResults(MenuHotItem*) {
    MenuOption = kScreenResults;
    return MENU_CLOSE;
}

int32_t MatchStats_CloseFromStats(PopupCallBlock*) { return MENU_CLOSE; }
int32_t MatchStats_CloseFromStats2(PopupCallBlock*) { return MENU_CLOSE; }

const MatchStatsInfoRow& MatchStats_Info() { return g_info; }
const char* MatchStats_Title() { return g_title; }
const char* MatchStats_CounterString(int shirt) {
    return shirt >= 1 && shirt <= kShirts ? g_counter[shirt - 1] : "";
}
int MatchStats_SubCount() { return g_subCount; }
int16_t MatchStats_SubShirt(int k) { return k >= 0 && k < g_subCount ? g_subs[k].shirt : int16_t(0); }

// ---- Table ---------------------------------------------------------------------------------

#define INFO_PAIR(K, X, Y)                                                                               \
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr}, {MI_TEXT_VAR, X, Y, 9, 0, &g_info.labels[K], nullptr}, \
        {MI_FONT, 0, 0, 0, 0, MenuValue(11), nullptr}, {                                                 \
        22, int16_t(X + 210), Y, 11, 0, &g_info.values[K], nullptr                                       \
    }

const MenuItem MatchStatsScreenTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MatchStats_MenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_STRING_VAR, 320, 10, 6, 0, &g_titlePtr, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(MatchStats_DrawHeatMap), nullptr},
    {MI_CUSTOM, 204, 118, 430, 217, MenuFunction(MatchStats_DrawFormation), nullptr},
    {MI_HOT_RECT, 64, 54, 666, 345, MenuValue(-1), MatchStats_PitchClick},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), MatchStats_Continue},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 30, 423, 740, 90, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 30, 423, 740, 30, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 30, 423, 740, 30, MenuFunction(MatchStats_DrawPanels), nullptr},
    {MI_CUSTOM, 30, 515, 740, 40, MenuFunction(MatchStats_DrawComments), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_STRING_VAR, 50, 438, 9, 0, &g_namePtr, nullptr},
    {MI_TEXT, 280, 438, 9, 0, MenuValue(kTextRating), nullptr},
    {MI_NUMBER_I16, 490, 438, 11, 0, &g_info.rating, nullptr},
    {MI_STRING_VAR, 510, 438, 9, 0, &g_goalsPtr, nullptr},
    {MI_ICON_VAR, 550, 438, 9, 0, &g_info.icons[0], nullptr},
    {MI_ICON_VAR, 553, 438, 9, 0, &g_info.icons[1], nullptr},
    {MI_ICON_VAR, 565, 438, 9, 0, &g_info.icons[2], nullptr},
    INFO_PAIR(0, 50, 468),
    INFO_PAIR(1, 280, 468),
    INFO_PAIR(2, 510, 468),
    INFO_PAIR(3, 50, 498),
    INFO_PAIR(4, 280, 498),
    INFO_PAIR(5, 510, 498),
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 30, 559, 339, 30, MenuValue(1684), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_viewPopup, nullptr},
    {MI_BUTTON_TEXT, 374, 559, 339, 30, MenuValue(191), MatchStats_ToResults},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_subTable, nullptr},
    {MI_END, 320, 462, 10, 0, nullptr, MenuHandler_Accept},
};

#undef INFO_PAIR
