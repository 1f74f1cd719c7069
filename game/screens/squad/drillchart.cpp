#include "game/screens/squad/drillchart.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "game/screens/club/staffbars.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/sortkeys.h"

DrillState Drill{};

namespace {

struct Rgb {
    int red, green, blue;
};
constexpr Rgb kSeriesColours[kDrillSlots] = {{160, 0, 0}, {140, 140, 0}, {0, 128, 0},
                                             {0, 0, 160}, {0, 140, 140}, {140, 0, 140}};
constexpr Rgb kBrightColours[kDrillSlots] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0},
                                             {0, 0, 255}, {0, 255, 255}, {255, 0, 255}};
constexpr uint16_t kWhite = 0xFFFF;
constexpr int16_t kLengthText = 73;
constexpr int16_t kPositionTypeKey = 6;
constexpr int kLengthStep = 5;
constexpr int kChartLeft = 70, kChartRight = 440, kChartTop = 80, kChartBottom = 330;
constexpr int kFirstStepX = 80, kChartWidth = 350, kSingleReadingEndX = 420;
constexpr int kMarkerIcon = 31;

char g_nameText[kDrillShownNames][32] = {};
const char* g_names[kDrillShownNames] = {};
int16_t g_nameColour[kDrillShownNames] = {};
char g_chosenText[kDrillSlots][32] = {};
const char* g_chosenNames[kDrillSlots] = {};
char g_lengthText[80] = "";
const char* g_lengthLine = g_lengthText;

bool IsChosen(uint16_t player) {
    return player != 0 &&
           std::find(std::begin(Drill.players), std::end(Drill.players), player) != std::end(Drill.players);
}

int ChosenCount() {
    return int(
        std::count_if(std::begin(Drill.players), std::end(Drill.players), [](uint16_t p) { return p != 0; }));
}

int Length() { return std::clamp<int>(Drill.length, kDrillLeastSteps, kDrillMostSteps); }

// The x of each step, last step first at the left; steps before run right.
template <typename Visit>
void WalkSteps(int length, Visit visit) {
    const double stepWidth = double(kChartWidth) / double(length - 1);
    int x = kFirstStepX;
    for (int step = length - 1; step >= 0; --step) {
        visit(step, x);
        x = int(x + stepWidth);
    }
}

void DrawSeries(int slot) {
    const uint16_t colour = Drill_SeriesColour(slot), bright = Drill_BrightColour(slot);
    int previousX = 0, previousY = 0, readings = 0;
    WalkSteps(Length(), [&](int step, int x) {
        const int8_t value = Drill.readings[slot][step];
        if (value == kNoReading) return;
        const int y = Drill_ReadingY(value);
        if (readings > 0) Drill_DrawLine(previousX, previousY, x, y, 3, colour, bright);
        previousX = x;
        previousY = y;
        ++readings;
    });
    if (readings == 1) Drill_DrawLine(previousX, previousY, kSingleReadingEndX, previousY, 3, colour, bright);
}

void DrawMarkers(int slot) {
    WalkSteps(Length(), [&](int step, int x) {
        const int8_t value = Drill.readings[slot][step];
        if (value != kNoReading) DrawIcon(x, Drill_ReadingY(value), kMarkerIcon, JUSTIFY_CENTRE_MIDDLE);
    });
}

}  // namespace

void Drill_DrawPanels(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0x2124);
    DrawShadedRect(32, 68, 430, 300, 70);
    DrawBox(32, 68, 430, 300);
    DrawShadedRect(32, 372, 130, 66, 70);
    DrawBox(32, 372, 130, 66);
    SetDrawParam(2, kept);
}

namespace {

void FillNames() {
    for (int r = 0; r < kDrillShownNames; ++r) {
        const int index = Drill.pageStart + r;
        const uint16_t player = index >= 0 && index < kDrillSquadSize ? Drill.squad[index] : 0;
        g_nameText[r][0] = '\0';
        if (IsPlayerNumber(player))
            std::snprintf(g_nameText[r], sizeof g_nameText[r], "%s", HVW_GetPlayerShortName(player));
        g_names[r] = g_nameText[r];
        g_nameColour[r] = IsChosen(player) ? 1 : 0;
    }
    int shown = 0;
    for (int slot = 0; slot < kDrillSlots; ++slot) {
        Drill.order[slot] = -1;
        g_chosenText[slot][0] = '\0';
        g_chosenNames[slot] = g_chosenText[slot];
    }
    for (int slot = 0; slot < kDrillSlots; ++slot) {
        if (Drill.players[slot] == 0) continue;
        Drill.order[shown] = int8_t(slot);
        if (IsPlayerNumber(Drill.players[slot]))
            std::snprintf(g_chosenText[shown], sizeof g_chosenText[shown], "%s",
                          HVW_GetPlayerShortName(Drill.players[slot]));
        ++shown;
    }
}

// Text 73 is used as a format only when it holds one "%d" and nothing else
// to convert: a language file's text with another conversion would read
// arguments that are not there.
void FillLengthLine() {
    const char* format = GetText(kLengthText);
    if (Drill_IsLengthFormat(format)) {
        std::snprintf(g_lengthText, sizeof g_lengthText, format, Length());
    } else {
        std::snprintf(g_lengthText, sizeof g_lengthText, "%d", Length());
    }
}

int32_t ToggleRow(MenuHotItem* item) { return Drill_TogglePlayer(item->row); }

const MenuItem kSquadRow[] = {
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_nameColour, nullptr},
    {MI_STRING_VAR, 0, 0, 9, sizeof(const char*), g_names, nullptr},
    {MI_HOT_RECT, -10, -10, 138, 20, MenuValue(-1), ToggleRow},
    kMenuEnd,
};

const MenuItem kChosenRow[] = {
    {MI_STRING_VAR, 12, 0, 9, sizeof(const char*), g_chosenNames, nullptr},
    kMenuEnd,
};

}  // namespace

uint16_t Drill_SeriesColour(int slot) {
    const Rgb c = kSeriesColours[std::clamp(slot, 0, kDrillSlots - 1)];
    return Staff_Colour565(c.red, c.green, c.blue);
}

uint16_t Drill_BrightColour(int slot) {
    const Rgb c = kBrightColours[std::clamp(slot, 0, kDrillSlots - 1)];
    return Staff_Colour565(c.red, c.green, c.blue);
}

int Drill_ReadingY(int value) { return int(kChartTop + (100 - value) * 2.5); }

bool Drill_IsLengthFormat(const char* text) {
    if (text == nullptr) return false;
    int numbers = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        if (*p != 'd') return false;
        ++numbers;
    }
    return numbers == 1;
}

void Drill_Enter() {
    const int16_t club = GetUserClub();
    SelectedClub = uint16_t(club);
    std::fill(std::begin(Drill.squad), std::end(Drill.squad), uint16_t(0));
    Drill.squadCount = 0;
    if (IsClubNumber(club)) {
        HVW_BuildSquadList(club);
        std::copy(std::begin(FirstTeamList.players), std::end(FirstTeamList.players), Drill.squad);
    }
    for (uint16_t& player : Drill.squad) {
        if (!IsPlayerNumber(player)) player = 0;
        Drill.squadCount = uint8_t(Drill.squadCount + (player != 0 ? 1 : 0));
    }
    SortKeys_Set(kPositionTypeKey, SORT_KEY_NONE, SORT_KEY_NONE, SORT_KEY_NONE, SORT_KEY_NONE);
    std::qsort(Drill.squad, kDrillSquadSize, sizeof Drill.squad[0], ComparePlayersByKeys);
    if (Drill.pageStart >= Drill.squadCount - kDrillShownNames || Drill.pageStart < 0) Drill.pageStart = 0;
    for (auto& series : Drill.readings) std::fill(std::begin(series), std::end(series), kNoReading);
    std::fill(std::begin(Drill.players), std::end(Drill.players), uint16_t(0));
    std::fill(std::begin(Drill.order), std::end(Drill.order), int8_t(-1));
    Drill.length = kDrillMostSteps;
}

void DrillMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(2);
        Drill_Enter();
    }
    FillNames();
    FillLengthLine();
}

void Drill_NewSeries(int slot) {
    if (slot < 0 || slot >= kDrillSlots) return;
    int8_t* series = Drill.readings[slot];
    std::fill(series, series + kDrillMostSteps, kNoReading);
    for (int step = 0; step < Length(); ++step) {
        if (GameRandom() % 3 == 2) series[step] = int8_t(39 + GameRandom() % 60);
    }
}

int32_t Drill_TogglePlayer(int row) {
    const int index = Drill.pageStart + row;
    if (row < 0 || row >= kDrillShownNames || index < 0 || index >= kDrillSquadSize) return MENU_CONTINUE;
    const uint16_t player = Drill.squad[index];
    if (player == 0) return MENU_CONTINUE;
    for (int slot = 0; slot < kDrillSlots; ++slot) {
        if (Drill.players[slot] != player) continue;
        Drill.players[slot] = 0;
        std::fill(std::begin(Drill.readings[slot]), std::end(Drill.readings[slot]), kNoReading);
        return MENU_REDRAW;
    }
    if (ChosenCount() >= kDrillSlots) return MENU_CONTINUE;
    const int slot = int(std::find(std::begin(Drill.players), std::end(Drill.players), uint16_t(0)) -
                         std::begin(Drill.players));
    Drill_NewSeries(slot);
    const int8_t* series = Drill.readings[slot];
    if (std::any_of(series, series + kDrillMostSteps, [](int8_t v) { return v != kNoReading; }))
        Drill.players[slot] = player;
    return MENU_REDRAW;
}

int32_t Drill_Shorter(MenuHotItem*) {
    if (Length() - kLengthStep >= kDrillLeastSteps) Drill.length = uint8_t(Length() - kLengthStep);
    return MENU_REDRAW;
}

int32_t Drill_Longer(MenuHotItem*) {
    if (Length() + kLengthStep <= kDrillMostSteps) Drill.length = uint8_t(Length() + kLengthStep);
    return MENU_REDRAW;
}

int32_t Drill_PageUp(MenuHotItem*) {
    if (Drill.pageStart > 0) --Drill.pageStart;
    return MENU_REDRAW;
}

int32_t Drill_PageDown(MenuHotItem*) {
    if (Drill.pageStart < Drill.squadCount - kDrillShownNames) ++Drill.pageStart;
    return MENU_REDRAW;
}

int32_t Drill_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

void Drill_DrawLine(int x1, int y1, int x2, int y2, int thickness, uint16_t colour, uint16_t bright) {
    if (x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int span = std::max(x2 - x1, 1);
    for (int x = x1; x < std::max(x2, x1 + 1); ++x) {
        const int ya = y1 + (y2 - y1) * (x - x1) / span;
        const int yb = y1 + (y2 - y1) * std::min(x + 1 - x1, span) / span;
        const int top = std::min(ya, yb);
        const int height = std::abs(yb - ya) + thickness;
        FillSolidRect(x, top + 1, 1, height, 0);
        FillSolidRect(x, top, 1, height, colour);
        FillSolidRect(x, top, 1, 1, bright);
    }
}

void Drill_DrawChart(int, int, int, int) {
    Drill.length = uint8_t(Length());
    FillSolidRect(kChartLeft, kChartBottom, kChartRight - kChartLeft, 1, kWhite);
    FillSolidRect(kChartLeft, kChartTop, 1, kChartBottom - kChartTop, kWhite);
    FillSolidRect(kChartRight, kChartTop, 1, kChartBottom - kChartTop, kWhite);
    for (int v = 100; v >= 0; v -= 10) DrawNumberAt(54, Drill_ReadingY(v), v, JUSTIFY_CENTRE_MIDDLE);
    for (int k = 0; k < kDrillSlots; ++k) {
        const int slot = Drill.order[k];
        if (slot < 0 || slot >= kDrillSlots) break;
        DrawSeries(slot);
        const int y = 380 + 10 * k;
        Drill_DrawLine(40, y, 58, y, 2, Drill_SeriesColour(slot), Drill_BrightColour(slot));
        DrawMarkers(slot);
    }
}

const MenuItem DrillChartTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(DrillMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Drill_DrawPanels), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Drill_DrawChart), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 500, 80, kDrillShownNames, 20, kSquadRow, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_GROUP, 50, 380, kDrillSlots, 10, kChosenRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 253, 350, 9, 4, &g_lengthLine, nullptr},
    {MI_ICON, 237, 350, 11, 0, MenuValue(129), nullptr},
    {MI_HOT_RECT, 211, 340, 13, 20, MenuValue(-1), Drill_Shorter},
    {MI_HOT_RECT, 224, 340, 13, 20, MenuValue(-1), Drill_Longer},
    {MI_ICON, 490, 420, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 496, 426, 30, 15, MenuValue(-1), Drill_PageUp},
    {MI_HOT_RECT, 496, 446, 30, 15, MenuValue(-1), Drill_PageDown},
    {MI_ICON, 590, 456, 10, 0, MenuValue(kStaffBackIcon), nullptr},
    {MI_HOT_RECT, 570, 436, 40, 40, MenuValue(75), Drill_Back},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    kMenuEnd,
};
