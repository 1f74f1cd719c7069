#include "game/screens/squad/careerhistory.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/leagueoutlook.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"

using namespace recbits;

PlayerHistoryEntry CareerEntries[kCareerEntries];
int16_t CareerCount = 0;
int16_t CareerTopRow = 0;

namespace {

constexpr int16_t kTitleText = 1035;
constexpr int16_t kCleanSheetsText = 1830;
constexpr int16_t kTotalText = 1679;
constexpr int16_t kTransferText = 1180;
constexpr int16_t kLoanText = 1800;
constexpr int16_t kManagerText = 30;
constexpr int16_t kFirstAwardText = 1447;
constexpr int16_t kSackedText = 810;
constexpr int kLastKind = 8;
constexpr int kRowsShown = 15;  // with the totals row

// Relative x of the row template's cells (from x 65).
constexpr int kRowX = 65;
constexpr int kComposedEventX = 179;
constexpr int kComposedHonourX = 300;

// ---- The entries' fields ---------------------------------------------------------------------

uint16_t PlayerOf(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHPlayer); }
int16_t ClubOf(const PlayerHistoryEntry& e) { return LoadI16(e.bytes + kPHClub); }
int16_t SeasonOf(const PlayerHistoryEntry& e) { return e.bytes[kPHSeason]; }
int16_t KindOf(const PlayerHistoryEntry& e) { return e.bytes[kPHKind]; }
int16_t OtherClubOf(const PlayerHistoryEntry& e) { return LoadI16(e.bytes + kPHFirst); }
int32_t AppsOf(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHFirst); }
int32_t GoalsOf(const PlayerHistoryEntry& e) { return e.bytes[kPHSecond]; }
int32_t RatingOf(const PlayerHistoryEntry& e) { return e.bytes[kPHPerf]; }
int32_t SubsOf(const PlayerHistoryEntry& e) { return e.bytes[kPHThird]; }
// The fee in thousands is read unsigned: a fee above 32,767 thousand keeps
// its value.
uint16_t MarkerOf(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHMarker); }

int16_t ClubText(int16_t club) { return club >= 0 && club < kClubCount ? HVW_ClubTextId(club) : int16_t(-1); }

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

bool OwnEntry(int index) {
    return index >= 0 && index < kCareerEntries &&
           PlayerOf(CareerEntries[index]) == uint16_t(SelectedPlayer) &&
           KindOf(CareerEntries[index]) <= kLastKind;
}

// ---- The rows ---------------------------------------------------------------------------------

CareerRowView g_rows[kRowsShown];
int16_t g_goalsHeading = kTextGoals;

void ClearRow(CareerRowView& row) {
    row = {};
    row.kind = -1;
    row.season = -1;
    row.clubText = -1;
    row.eventText = -1;
    row.fee = INT32_MIN;
    row.feeText = -1;
    for (CareerGroup& g : row.groups) g.rating = -1;
}

CareerGroup GroupOf(const PlayerHistoryEntry& e) {
    return {true, AppsOf(e), SubsOf(e), GoalsOf(e), RatingOf(e)};
}

// The player's entry of the given kind for a season and club, as a group;
// zeros when there is none.
CareerGroup MatchingGroup(int16_t kind, int16_t season, int16_t club) {
    for (int i = 0; i < CareerCount; ++i) {
        const PlayerHistoryEntry& e = CareerEntries[i];
        if (OwnEntry(i) && KindOf(e) == kind && SeasonOf(e) == season && ClubOf(e) == club) return GroupOf(e);
    }
    return {true, 0, 0, 0, 0};
}

void ComposeMove(CareerRowView& row, int16_t from, int16_t to) {
    std::snprintf(row.composed, sizeof row.composed, "%s %s %s", TextOf(ClubText(from)), TextOf(kTextTo),
                  TextOf(ClubText(to)));
    row.composedAt = kComposedEventX;
}

void ComposeHonour(CareerRowView& row, const PlayerHistoryEntry& e) {
    const auto competition = int16_t(MarkerOf(e));
    // Only the competitions an honour names; the lookup ends the program on
    // any other.
    if (competition < 1 || competition > 31 || (competition >= 24 && competition <= 27)) return;
    int16_t textId = -1;
    const char* name = HVW_GetCompPosition(competition, &textId, int16_t(SubsOf(e)));
    std::snprintf(row.composed, sizeof row.composed, "%s %s", name != nullptr ? name : "", TextOf(textId));
    row.composedAt = kComposedHonourX;
}

void FillEventRow(CareerRowView& row, const PlayerHistoryEntry& e) {
    const int16_t kind = KindOf(e);
    row.kind = kind;
    row.season = SeasonOf(e);
    if (kind != 2 && kind != 3) row.clubText = ClubText(ClubOf(e));
    switch (kind) {
        case 2: {
            ComposeMove(row, ClubOf(e), OtherClubOf(e));
            row.eventText = kTransferText;
            const uint16_t fee = MarkerOf(e);
            if (fee == 0) {
                row.feeText = kTextNil;
            } else {
                row.fee = int32_t(fee) * 1000;
            }
            break;
        }
        case 3:
            ComposeMove(row, OtherClubOf(e), ClubOf(e));
            row.eventText = kLoanText;
            break;
        case 4:
            row.eventText = HVW_GetInjuryTextId(int16_t(MarkerOf(e)));
            break;
        case 5:
            row.eventText = kManagerText;
            break;
        case 6:
            row.eventText =
                MarkerOf(e) < 4000 - kFirstAwardText ? int16_t(kFirstAwardText + MarkerOf(e)) : int16_t(-1);
            break;
        case 7:
            ComposeHonour(row, e);
            break;
        default:
            row.eventText = kSackedText;
            break;
    }
}

void FillRows() {
    for (int r = 0; r < kRowsShown; ++r) ClearRow(g_rows[r]);
    int16_t lastSeason = -1, lastClub = -1;
    g_goalsHeading = HVW_GetPositionType(uint16_t(SelectedPlayer)) == 0 ? kCleanSheetsText : kTextGoals;
    int r = 0;
    for (int k = 0; k < kCareerRows; ++k) {
        const int e = CareerTopRow + k;
        if (e >= CareerCount) break;
        if (!OwnEntry(e)) continue;
        const PlayerHistoryEntry& entry = CareerEntries[e];
        const int16_t kind = KindOf(entry);
        CareerRowView& row = g_rows[r];
        if (kind == 0 || kind == 1) {
            if (SeasonOf(entry) == lastSeason && ClubOf(entry) == lastClub) continue;
            row.kind = 0;
            row.season = SeasonOf(entry);
            row.clubText = ClubText(ClubOf(entry));
            row.groups[kind] = GroupOf(entry);
            row.groups[1 - kind] = MatchingGroup(int16_t(1 - kind), SeasonOf(entry), ClubOf(entry));
            lastSeason = SeasonOf(entry);
            lastClub = ClubOf(entry);
        } else {
            FillEventRow(row, entry);
        }
        ++r;
    }
    // The totals: sums over the entries with appearances, the rating
    // averaged over them.
    CareerRowView& totals = g_rows[kCareerTotalsRow];
    totals.kind = 0;
    totals.clubText = kTotalText;
    for (int g = 0; g < 2; ++g) {
        CareerGroup sum{true, 0, 0, 0, -1};
        int32_t ratings = 0, counted = 0;
        for (int i = 0; i < kCareerEntries; ++i) {
            const PlayerHistoryEntry& e = CareerEntries[i];
            if (!OwnEntry(i) || KindOf(e) != g || AppsOf(e) <= 0) continue;
            sum.apps += AppsOf(e);
            sum.subs += SubsOf(e);
            sum.goals += GoalsOf(e);
            ratings += RatingOf(e);
            ++counted;
        }
        if (counted > 0) sum.rating = ratings / counted;
        totals.groups[g] = sum;
    }
}

}  // namespace

void CareerHistory_Enter() {
    SetMenuTitleDate(11);
    CareerTopRow = 0;
    for (PlayerHistoryEntry& e : CareerEntries) {
        std::memset(e.bytes, 0, sizeof e.bytes);
        StoreU16(e.bytes + kPHPlayer, 0xFFFF);
    }
    CareerCount = int16_t(std::clamp<int>(HVW_FindPlayerHistoryEntry(uint16_t(SelectedPlayer), CareerEntries),
                                          0, kCareerEntries));
}

void CareerHistoryMenu() {
    if (IsMenuFirstEntry() == 1) CareerHistory_Enter();
    FillRows();
}

const CareerRowView& CareerHistory_Row(int row) { return g_rows[std::clamp(row, 0, kRowsShown - 1)]; }
int16_t CareerHistory_GoalsHeading() { return g_goalsHeading; }

int32_t CareerHistory_ScrollUp(MenuHotItem*) {
    CareerTopRow = int16_t(std::max(0, CareerTopRow - 1));
    return MENU_REDRAW;
}

int32_t CareerHistory_ScrollDown(MenuHotItem*) {
    ++CareerTopRow;
    if (CareerTopRow > CareerCount - kRowsShown) --CareerTopRow;
    return MENU_REDRAW;
}

int32_t CareerHistory_Back(MenuHotItem*) {
    const auto p = uint16_t(SelectedPlayer);
    if (HVW_GetPlayerHalvorn(p) == 0 && HVW_GetPlayerHalvornB(p) != 0) {
        MenuOption = kScreenManagerRankings;
    } else {
        ReturnMenuOption = kScreenClubMain;
        MenuOption = kScreenPlayerStats;
    }
    return MENU_CLOSE;
}

// ---- Painters and the table -------------------------------------------------------------

namespace {

// The player's name kept for the title: the short-name query hands out one
// shared place that any later lookup overwrites.
char g_name[40];
const char* g_namePtr = g_name;

void PaintFrames(int, int, int, int) {
    DrawBlackShade30Box(kRowX, 124, 169, 384);
    DrawBlackShade30Box(234, 124, 169, 384);
    for (int x : {403, 458, 513, 568, 623}) DrawBlackShade30Box(x, 124, 55, 384);
    DrawBlackShade50(403, 100, 275, 24);
    DrawBlackShade50(kRowX, 124, 338, 24);
    DrawBlackShade50(234, 484, 499, 24);
}

void DrawNumber(int x, int y, int32_t value) { DrawNumberAt(kRowX + x, y, value, JUSTIFY_CENTRE_MIDDLE); }

void DrawGroup(const CareerGroup& g, int appsX, int subsX, int goalsX, int ratingX, int y) {
    if (!g.shown) return;
    DrawNumber(appsX, y, g.apps);
    char subs[16];
    std::snprintf(subs, sizeof subs, " (%d)", int(g.subs));
    DrawTextAddrAt(kRowX + subsX, y, subs, JUSTIFY_LEFT_MIDDLE);
    DrawNumber(goalsX, y, g.goals);
    if (g.rating >= 0) DrawNumber(ratingX, y, g.rating);
}

void PaintRow(int, int y, int, int h) {
    const CareerRowView& row = g_rows[MenuPaintRow()];
    if (row.kind < 0) return;
    const int mid = y + h / 2;
    SetFont(6);
    SetDrawParam(1, 0);
    if (row.season >= 0) {
        DrawNumber(42, mid, 2002 + row.season);
        DrawTextNoAt(kRowX + 84, mid, kTextDash, JUSTIFY_CENTRE_MIDDLE);
        DrawNumber(126, mid, 2003 + row.season);
    }
    if (row.clubText >= 0) DrawTextNoAt(kRowX + 253, mid, row.clubText, JUSTIFY_CENTRE_MIDDLE);
    if (row.composedAt > 0) DrawTextAddrAt(kRowX + row.composedAt, mid, row.composed, JUSTIFY_LEFT_MIDDLE);
    DrawGroup(row.groups[0], 356, 374, 420, 475, mid);
    DrawGroup(row.groups[1], 521, 539, 585, 640, mid);
    if (row.eventText >= 0) DrawTextNoAt(kRowX + 539, mid, row.eventText, JUSTIFY_CENTRE_MIDDLE);
    if (row.fee != INT32_MIN) DrawTextAddrAt(kRowX + 640, mid, Price2str(row.fee), JUSTIFY_CENTRE_MIDDLE);
    if (row.feeText >= 0) DrawTextNoAt(kRowX + 640, mid, row.feeText, JUSTIFY_CENTRE_MIDDLE);
}

void CareerScreen() {
    CareerHistoryMenu();
    std::snprintf(g_name, sizeof g_name, "%s", HVW_GetPlayerShortName(uint16_t(SelectedPlayer)));
}

const MenuItem kRow[] = {
    {MI_CUSTOM, kRowX, 0, 668, 24, MenuFunction(PaintRow), nullptr},
    kMenuEnd,
};

}  // namespace

const MenuItem CareerHistoryTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(CareerScreen), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_STRING_VAR, 85, 62, 9, 0, &g_namePtr, nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(PaintFrames), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT, 149, 136, 10, 0, MenuValue(554), nullptr},
    {MI_TEXT, 318, 136, 10, 0, MenuValue(173), nullptr},
    {MI_TEXT, 430, 136, 10, 0, MenuValue(1067), nullptr},
    {MI_TEXT, 540, 136, 10, 0, MenuValue(537), nullptr},
    {MI_TEXT, 595, 136, 10, 0, MenuValue(1067), nullptr},
    {MI_TEXT, 705, 136, 10, 0, MenuValue(537), nullptr},
    {MI_TEXT, 485, 112, 10, 0, MenuValue(796), nullptr},
    {MI_TEXT, 649, 112, 10, 0, MenuValue(195), nullptr},
    {MI_TEXT_VAR, 485, 136, 10, 0, &g_goalsHeading, nullptr},
    {MI_TEXT_VAR, 650, 136, 10, 0, &g_goalsHeading, nullptr},
    {MI_GROUP, 0, 148, kRowsShown, 24, kRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, CareerHistory_ScrollUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, CareerHistory_ScrollDown},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), CareerHistory_Back},
    kMenuEnd,
};
