#include "game/screens/club/clubhistory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/query/clubscreens.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerinfo.h"

ClubLogState ClubLog = {};

const uint16_t kClubLogButtonFilters[kClubLogFilters] = {0,  1,  4,  5,  6,  7,  8,  9,
                                                         10, 11, 12, 13, 14, 15, 16, 17};

namespace {

constexpr int kLogEntries = 100;
constexpr int kCellSize = 24;
constexpr int kTextSize = 160;
constexpr int16_t kNone = int16_t(0x8000);
constexpr uint16_t kMarked = 8;
constexpr int16_t kInText = 1805;
constexpr int16_t kOutText = 1806;
constexpr int16_t kLastHonourEvent = 31;
constexpr int16_t kLastInjury = 37;
// The label of each event type 0-17.
constexpr int16_t kTypeLabels[kClubLogLastType + 1] = {1521, 1522, 1521, 1522, 1486, 1524, 1525, 1523, 1818,
                                                       1820, 2820, 2821, 2822, 2823, 2824, 2825, 2826, 2827};

char g_season[kClubLogRows][kCellSize];
char g_text[kClubLogRows][kTextSize];
const char* g_seasonText[kClubLogRows];
const char* g_detailText[kClubLogRows];
int16_t g_label[kClubLogRows];
int16_t g_marker[kClubLogRows];
uint16_t g_buttonColour[kClubLogFilters];
uint16_t g_allColour = 0;

int16_t Club() { return int16_t(SelectedClub); }

int16_t ClubCountry() {
    const int16_t club = Club();
    return IsClubNumber(club) ? HVW_GetClubNation(club) : int16_t(-1);
}

const char* PlayerName(uint16_t player) {
    return IsValidPlayer(player) ? HVW_GetPlayerShortName(player) : "";
}

const char* ClubName(uint16_t club) {
    return IsClubNumber(club) ? GetText(HVW_ClubTextId(int16_t(club))) : "";
}

const char* DivisionName(uint16_t division) {
    const char* name = HVW_GetDivisionName(int16_t(division), ClubCountry());
    return name != nullptr ? name : "";
}

// Types 2 and 3 (loans) have no button: they show under filters 0 and 1.
bool PassesFilter(int type, uint16_t filter) {
    if (filter == kClubLogAll) return true;
    if (type == 2) return filter == 0;
    if (type == 3) return filter == 1;
    return type == int(filter);
}

void AppendMoney(char* out, uint16_t thousands) {
    if (thousands == 0) {
        AppendText(out, kTextSize, " %s", GetText(kTextNil));
        return;
    }
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, NUMBER_MONEY_PLAIN);
    AppendText(out, kTextSize, " %s", Number2Str(int32_t(thousands) * 1000));
    SetDrawParam(3, kept);
}

// What a row shows beside its season and label.
void FormatDetail(char* out, const ClubHistoryEntry& e, int type) {
    const uint16_t player = ClubHistoryValue(e);
    const uint16_t other = ClubHistoryExtra1(e);
    const uint16_t figure = ClubHistoryExtra2(e);
    switch (type) {
        case 0:
        case 2:
        case 1:
        case 3: {
            const bool in = type == 0 || type == 2;
            AppendText(out, kTextSize, "%s %s %s", GetText(in ? kTextFrom : kTextTo), ClubName(other),
                       PlayerName(player));
            AppendMoney(out, figure);
            AppendText(out, kTextSize, " %s", GetText(in ? kInText : kOutText));
            break;
        }
        case 4:
            AppendText(
                out, kTextSize, "%s %s", PlayerName(player),
                figure >= 1 && figure <= kLastInjury ? GetText(HVW_GetInjuryTextId(int16_t(figure))) : "");
            break;
        case 5:
            AppendText(out, kTextSize, "%s %s", GetText(kTextTo), ClubName(other));
            break;
        case 6:
            // A number the honour texts do not know (a damaged saved game)
            // leaves the cell empty.
            if (figure >= 1 && figure <= kLastHonourEvent)
                AppendText(out, kTextSize, "%s", HVW_GetHonourEventText(int16_t(figure), ClubCountry()));
            break;
        case 8:
        case 9:
            AppendText(out, kTextSize, "%s %s", GetText(kTextTo), DivisionName(figure));
            break;
        case 12:
            AppendText(out, kTextSize, "%d", figure);
            break;
        case 16:
            AppendText(out, kTextSize, "%s %s", PlayerName(player), DivisionName(figure));
            break;
        default:
            AppendText(out, kTextSize, "%s", PlayerName(player));
    }
}

void ClearRow(int r) {
    g_season[r][0] = g_text[r][0] = '\0';
    g_seasonText[r] = g_season[r];
    g_detailText[r] = g_text[r];
    g_label[r] = -1;
    g_marker[r] = kNone;
}

void FillRows() {
    const ClubLogState& s = ClubLog;
    int index = s.top;
    for (int r = 0; r < kClubLogRows; ++r) {
        ClearRow(r);
        while (index < s.count) {
            const ClubHistoryEntry& e = s.log[index++];
            const int type = ClubHistoryKind(e);
            if (ClubHistoryValue(e) == kClubLogFreeEntry || type > kClubLogLastType) continue;
            if (!PassesFilter(type, s.filter)) continue;
            const int first = 2002 + ClubHistorySeason(e);
            std::snprintf(g_season[r], kCellSize, "%d%s%02d", first, GetText(kTextDash), (first + 1) % 100);
            g_label[r] = kTypeLabels[type];
            FormatDetail(g_text[r], e, type);
            g_marker[r] = int16_t(type);
            break;
        }
    }
}

void SetMarks() {
    for (int k = 0; k < kClubLogFilters; ++k) {
        ClubLog.marks[k] = ClubLog.filter == kClubLogButtonFilters[k] ? kMarked : 0;
        g_buttonColour[k] = ClubLog.marks[k];
    }
    ClubLog.allMark = ClubLog.filter == kClubLogAll ? kMarked : 0;
    g_allColour = ClubLog.allMark;
}

void Enter() {
    ClubLogState& s = ClubLog;
    SetMenuTitleDate(3);
    s.top = 0;
    std::memset(s.log, 0xFF, sizeof s.log);
    s.count = 0;
    if (IsClubNumber(Club()))
        s.count = std::clamp<int16_t>(HVW_GetClubHistoryLog(Club(), s.log), 0, kLogEntries);
    s.filter = kClubLogAll;
    SetMarks();
}

void DrawFrames(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(140, 105, 638, 20, 50);
    DrawShadedRect(140, 125, 638, 360, 30);
    DrawBox(140, 105, 638, 20);
    DrawBox(140, 125, 638, 360);
    for (int x : {246, 422}) DrawRelLine(x, 105, 0, 380);
    SetDrawParam(2, kept);
}

void DrawRowBadge(int x, int y, int w, int h) { DrawHistoryRowBadge(g_marker[MenuPaintRow()], x, y, w, h); }

const MenuItem kLogRow[] = {
    {MI_CUSTOM, 1, 1, 636, 18, MenuFunction(DrawRowBadge), nullptr},
    {MI_STRING_VAR, 53, 10, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*), g_seasonText, nullptr},
    {MI_TEXT_VAR, 194, 10, JUSTIFY_CENTRE_MIDDLE, sizeof(int16_t), g_label, nullptr},
    {MI_STRING_VAR, 292, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_detailText, nullptr},
    kMenuEnd,
};

#define FILTER_BUTTON(k)                                                        \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_buttonColour[k], nullptr}, {            \
        8204, 20, int16_t(125 + 20 * (k)), 103, 20, MenuValue(kButtonTexts[k]), \
            [](MenuHotItem*) { return ClubHistory_Filter(k); }                  \
    }

constexpr int16_t kButtonTexts[kClubLogFilters] = {1521, 1522, 1486, 1524, 1525, 1523, 1818, 1820,
                                                   2820, 2821, 2822, 2823, 2824, 2825, 2826, 2827};

const MenuItem kFilterButtons[] = {
    FILTER_BUTTON(0),
    FILTER_BUTTON(1),
    FILTER_BUTTON(2),
    FILTER_BUTTON(3),
    FILTER_BUTTON(4),
    FILTER_BUTTON(5),
    FILTER_BUTTON(6),
    FILTER_BUTTON(7),
    FILTER_BUTTON(8),
    FILTER_BUTTON(9),
    FILTER_BUTTON(10),
    FILTER_BUTTON(11),
    FILTER_BUTTON(12),
    FILTER_BUTTON(13),
    FILTER_BUTTON(14),
    FILTER_BUTTON(15),
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_allColour, nullptr},
    {MI_BUTTON_TEXT, 20, 445, 103, 20, MenuValue(1879), ClubHistory_All},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    kMenuEnd,
};

#undef FILTER_BUTTON

}  // namespace

bool DrawHistoryRowBadge(int marker, int x, int y, int w, int h) {
    switch (marker) {
        case 2:
        case 3:
        case 5:
            DrawGradientRect(x, y, w, h, 2, 2, 65, 0, 0, 0, 4, 5, 65, 0, 0, 0);
            return true;
        case 6:
        case 7:
            DrawGradientRect(x, y, w, h, 0, 8, 0, 16, 59, 2, 16, 59, 2, 16, 59, 2);
            return true;
        case 4:
        case 8:
            DrawGradientRect(x, y, w, h, 11, 2, 2, 69, 6, 6, 69, 6, 2, 69, 6, 6);
            return true;
        default:
            return false;
    }
}

void ClubHistoryScreenProc() {
    if (IsMenuFirstEntry() == 1) Enter();
    FillRows();
}

int32_t ClubHistory_Filter(int16_t button) {
    if (button < 0 || button >= kClubLogFilters) return MENU_CONTINUE;
    ClubLog.filter = kClubLogButtonFilters[button];
    SetMarks();
    return MENU_REDRAW;
}

int32_t ClubHistory_All(MenuHotItem*) {
    ClubLog.filter = kClubLogAll;
    SetMarks();
    return MENU_REDRAW;
}

int32_t ClubHistory_ScrollUp(MenuHotItem*) {
    ClubLog.top = int16_t(std::max(ClubLog.top - 1, 0));
    return MENU_REDRAW;
}

int32_t ClubHistory_ScrollDown(MenuHotItem*) {
    if (ClubLog.top + kClubLogRows < ClubLog.count) ++ClubLog.top;
    return MENU_REDRAW;
}

int32_t ClubHistory_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

void ClubHistory_ClearMarks() {
    std::fill(std::begin(ClubLog.marks), std::end(ClubLog.marks), uint16_t(0));
    ClubLog.allMark = 0;
}

const char* ClubHistoryRowSeason(int row) { return row >= 0 && row < kClubLogRows ? g_season[row] : ""; }
int16_t ClubHistoryRowLabel(int row) { return row >= 0 && row < kClubLogRows ? g_label[row] : -1; }
const char* ClubHistoryRowText(int row) { return row >= 0 && row < kClubLogRows ? g_text[row] : ""; }
int16_t ClubHistoryRowMarker(int row) { return row >= 0 && row < kClubLogRows ? g_marker[row] : kNone; }

const MenuItem ClubHistoryTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubHistoryScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(1811), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawFrames), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 193, 115, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(554), nullptr},
    {MI_TEXT, 334, 115, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(1526), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 140, 125, kClubLogRows, 20, kLogRow, nullptr},
    {MI_GROUP, 0, 0, 1, 0, kFilterButtons, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 22, 559, 5, 0, MenuValue(192), ClubHistory_ScrollUp},
    {MI_ICON, 22, 573, 5, 0, MenuValue(193), ClubHistory_ScrollDown},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ClubHistory_Back},
    kMenuEnd,
};
