#include "game/screens/transfers/scouting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/club/board.h"
#include "core/club/scouting.h"
#include "core/query/forwarders.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textfill.h"
#include "game/system/picture.h"

int16_t ScoutViewFlag = 0;
int16_t ScoutViewRegion = 0;

namespace {

constexpr int16_t kTitleText = 1109;
constexpr int16_t kKnownText = 833;
constexpr int16_t kRecommendedText = 834;
constexpr int16_t kStopText = 843;
constexpr int16_t kScoutText = 653;
constexpr int16_t kBusyQuestionText = 850;
constexpr int16_t kQuestionText = 851;
constexpr int16_t kHomeRegion = 9;
constexpr int16_t kScoutedIcon = 191;
constexpr int16_t kHighlighted = 8;
constexpr int32_t kAnswerYes = 0;
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int kShortMove = 15, kLongMove = 25;
constexpr float kFarApart = 800.0f;

struct MapPoint {
    float x, y;
};
constexpr MapPoint kOtherPoint = {374, 697};
constexpr uint16_t kChosenMarker = 0xFFE0, kRegionMarker = 0xFFFF;

struct SumBand {
    int32_t above;  // the band holds limits above this
    int count;
    int32_t sums[kScoutingSums];
};
constexpr SumBand kSumBands[] = {
    {6000000, 10, {100000, 90000, 80000, 70000, 60000, 50000, 40000, 30000, 20000, 10000}},
    {3000000, 10, {40000, 30000, 20000, 10000, 9000, 8000, 7000, 6000, 5000, 4000}},
    {1000000, 10, {10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}},
    {500000, 6, {6000, 5000, 4000, 3000, 2000, 1000}},
    {0, 1, {1000}},
};

int16_t g_chosen = kHomeRegion;
int16_t g_previous = kHomeRegion;
MapPoint g_point = {kScoutingMapPoints[kHomeRegion][0], kScoutingMapPoints[kHomeRegion][1]};
int16_t g_step = 0;
int32_t g_sums[kScoutingSums] = {};
int16_t g_highlight[kScoutingRegions] = {};
uint16_t g_regionText[kScoutingRegions] = {};
uint16_t g_chosenText = 0;
uint16_t g_buttonText = kScoutText;
char g_sumText[kScoutingSums][40];
const char* g_sumLabels[kScoutingSums];
char g_knownLine[120];
char g_recommendedLine[120];
const char* g_knownShown = g_knownLine;
const char* g_recommendedShown = g_recommendedLine;
PopupEntry g_sumPopup[kScoutingSums + 2];
uint8_t* g_worldMap = nullptr;

bool IsRegion(int region) { return region >= 0 && region < kScoutingRegions; }

MapPoint PointOf(int16_t region) {
    return IsRegion(region) ? MapPoint{kScoutingMapPoints[region][0], kScoutingMapPoints[region][1]}
                            : kOtherPoint;
}

int16_t UserClub() { return GetUserClub(); }

const char* RegionName(int16_t region) { return GetText(HVW_GetScoutingContText(region)); }

void Money(char* out, size_t size, int32_t amount) {
    SetDrawParam(3, NUMBER_MONEY);
    std::snprintf(out, size, "%s", Number2Str(amount));
    SetDrawParam(3, NUMBER_PLAIN);
}

void PostToUser(int16_t type, int16_t region, int32_t money) {
    const int16_t user = UserClub();
    if (!IsClubNumber(user) || !IsRegion(region)) return;
    AddMessage(user, -1, kNoPlayer, kNoPlayer, -1, -1, money, HVW_GetScoutingContText(region), -1,
               GetScoutNumRecommendedInRegion(region), -1, type, 1, 0);
}

// What the old assignment has cost: weeks x weekly sum, which can pass 32
// bits over a long assignment.
int32_t MoneySpent() {
    const int64_t spent = int64_t(Scout_GetWeeksPaid()) * int64_t(Scout_GetWeeklyFee());
    return int32_t(std::clamp<int64_t>(spent, 0, INT32_MAX));
}

int32_t SumEntry(PopupCallBlock* call) { return Scouting_ChooseSum(call != nullptr ? call->row : -1); }

void BuildSumPopup() {
    const int16_t user = UserClub();
    const int32_t limit = IsClubNumber(user) ? HVW_GetClubWageBudget(user) : 0;
    const int count = ScoutingWeeklySums(limit, g_sums);
    g_sumPopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
    for (int i = 0; i < count; ++i) {
        Money(g_sumText[i], sizeof g_sumText[i], g_sums[i]);
        g_sumLabels[i] = g_sumText[i];
        g_sumPopup[i + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                             &g_sumLabels[i],       SumEntry,         nullptr};
    }
    g_sumPopup[count + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

void EnsureWorldMap() {
    if (g_worldMap != nullptr) return;
    uint32_t size = PakLoadWholeFile(kWorldMapFile, &g_worldMap, MEM_TYPE_MANUAL_FREE);
    const uint32_t expected =
        GFX0_HEADER_SIZE + uint32_t(kWorldMapWidth * kWorldMapHeight) * uint32_t(MenuBytesPerPixel());
    if (g_worldMap == nullptr || LoadImageFile(&g_worldMap, &size, 0, MenuScreenFormat()) < 0 ||
        size != expected) {
        // The screen works without its picture: the view stays dark.
        if (g_worldMap != nullptr) FreeMemory(&g_worldMap);
        return;
    }
    // A cache block: the memory manager may drop it and it is read again.
    SetMemType(&g_worldMap, MEM_TYPE_AUTO_FREE);
}

void DrawMapView() {
    EnsureWorldMap();
    if (g_worldMap == nullptr) {
        FillSolidRect(kMapViewLeft, kMapViewTop, kMapViewWidth, kMapViewHeight, 0x0000);
        return;
    }
    int left = 0, top = 0;
    ScoutingMapOffset(g_point.x, g_point.y, &left, &top);
    const size_t bytes = size_t(MenuBytesPerPixel());
    const uint8_t* source =
        g_worldMap + GFX0_HEADER_SIZE + (size_t(top) * size_t(kWorldMapWidth) + size_t(left)) * bytes;
    for (int row = 0; row < kMapViewHeight; ++row) {
        CopyRectToBackBuffer(kMapViewLeft, kMapViewTop + row, kMapViewWidth, 1,
                             source + size_t(row) * size_t(kWorldMapWidth) * bytes);
    }
    // A marker on each region's point within the view, the chosen
    // region's in yellow; they move with the map.
    for (int16_t r = 0; r < kScoutingRegions; ++r) {
        const MapPoint point = PointOf(r);
        const int cx = kMapViewLeft + int(std::lround(point.x)) - left;
        const int cy = kMapViewTop + int(std::lround(point.y)) - top;
        if (cx < kMapViewLeft + 3 || cx > kMapViewLeft + kMapViewWidth - 4 || cy < kMapViewTop + 3 ||
            cy > kMapViewTop + kMapViewHeight - 4)
            continue;
        // Regions 7 and 9 share a point, and then a marker.
        const bool chosen = point.x == PointOf(g_chosen).x && point.y == PointOf(g_chosen).y;
        FillSolidRect(cx - 3, cy - 3, 7, 7, chosen ? kChosenMarker : kRegionMarker);
        FillSolidRect(cx - 1, cy - 1, 3, 3, 0x0000);
    }
}

void PaintMap(int, int, int, int) { DrawMapView(); }

void PaintRegionFaces(int, int, int, int) {
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    const int16_t scouted = Scout_GetMarkedRegion();
    SetDrawParam(4, 0);
    SetDrawParam(2, 0x5AD4);
    for (int r = 0; r < kScoutingRegions; ++r) {
        DoButton(360, 97 + 34 * r, 40, 30);
        if (r == scouted) DrawIcon(380, 112 + 34 * r, kScoutedIcon, JUSTIFY_CENTRE_MIDDLE);
    }
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
}

void PaintPanels(int, int, int, int) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(50, 428, 300, 100, 50);
    SetDrawParam(2, colour);
}

void MapTimer(int16_t) { Scouting_MapFrame(); }
const MenuTimerRecord kMapTimer = {1, 1, MapTimer};

template <int R>
int32_t RegionButton(MenuHotItem*) {
    return Scouting_ChooseRegion(R);
}

#define REGION_BUTTON(r)                                                  \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_highlight[r], nullptr}, {         \
        8207, 50, 97 + 34 * r, 300, 30, &g_regionText[r], RegionButton<r> \
    }

const MenuItem kStopButton[] = {
    {MI_BUTTON_TEXT_VAR, 399, 476, 339, 24, &g_buttonText, Scouting_Stop},
    kMenuEnd,
};
const MenuItem kSumsButton[] = {
    {MI_BUTTON_TEXT_VAR, 399, 476, 339, 24, &g_buttonText, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_sumPopup, nullptr},
    kMenuEnd,
};
// A club with nothing to spend gets the button without a list.
const MenuItem kNoSumsButton[] = {
    {MI_BUTTON_TEXT_VAR, 399, 476, 339, 24, &g_buttonText, MenuHandler_Accept},
    kMenuEnd,
};
const MenuItem* g_scoutButton = kNoSumsButton;

}  // namespace

void ScoutingMenu() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        const int16_t scouted = Scout_GetMarkedRegion();
        g_chosen = g_previous = IsRegion(scouted) ? scouted : kHomeRegion;
        g_point = PointOf(g_chosen);
        g_step = 0;
    }
    const int16_t scouted = Scout_GetMarkedRegion();
    for (int16_t r = 0; r < kScoutingRegions; ++r) {
        g_regionText[r] = uint16_t(HVW_GetScoutingContText(r));
        g_highlight[r] = r == g_chosen ? kHighlighted : 0;
    }
    g_chosenText = uint16_t(HVW_GetScoutingContText(g_chosen));
    std::snprintf(g_knownLine, sizeof g_knownLine, "%s: %d%%", GetText(kKnownText),
                  int(Scout_RegionKnownPercent(g_chosen)));
    // The recommendations are weighed against the user's squad: without a
    // club there is nothing to weigh.
    const int recommended = IsClubNumber(UserClub()) ? GetScoutNumRecommendedInRegion(g_chosen) : 0;
    std::snprintf(g_recommendedLine, sizeof g_recommendedLine, "%s: %d", GetText(kRecommendedText),
                  recommended);
    BuildSumPopup();
    if (scouted == g_chosen) {
        g_buttonText = kStopText;
        g_scoutButton = kStopButton;
    } else {
        g_buttonText = kScoutText;
        g_scoutButton = g_sums[0] > 0 ? kSumsButton : kNoSumsButton;
    }
}

int ScoutingWeeklySums(int32_t limit, int32_t sums[kScoutingSums]) {
    std::fill(sums, sums + kScoutingSums, 0);
    if (limit <= 0) return 0;
    for (const SumBand& band : kSumBands) {
        if (limit <= band.above) continue;
        std::copy(band.sums, band.sums + band.count, sums);
        return band.count;
    }
    return 0;
}

int ScoutingMoveFrames(int16_t from, int16_t to) {
    const MapPoint a = PointOf(from), b = PointOf(to);
    return std::fabs((a.x + a.y) - (b.x + b.y)) > kFarApart ? kLongMove : kShortMove;
}

void ScoutingMapOffset(float x, float y, int* left, int* top) {
    *left = std::clamp(int(std::lround(x)) - kMapViewWidth / 2, 0, kWorldMapWidth - kMapViewWidth);
    *top = std::clamp(int(std::lround(y)) - kMapViewHeight / 2, 0, kWorldMapHeight - kMapViewHeight);
}

void Scouting_MapFrame() {
    if (g_previous == g_chosen) return;
    const int frames = ScoutingMoveFrames(g_previous, g_chosen);
    const MapPoint from = PointOf(g_previous), to = PointOf(g_chosen);
    ++g_step;
    if (g_step >= frames) {
        g_point = to;
        g_previous = g_chosen;
    } else {
        const float t = float(g_step) / float(frames);
        g_point = {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
    }
    if (MenuBackBuffer != nullptr) DrawMapView();
}

int32_t Scouting_ChooseRegion(int16_t region) {
    if (!IsRegion(region)) return MENU_CONTINUE;
    // A move under way starts again from where the map stands.
    if (g_previous != g_chosen) {
        g_previous = g_chosen;
        if (g_step > 0) g_point = PointOf(g_previous);
    }
    g_chosen = region;
    g_step = 0;
    return MENU_REDRAW;
}

int32_t Scouting_ChooseSum(int entry) {
    if (entry < 0 || entry >= kScoutingSums || g_sums[entry] <= 0) return MENU_CONTINUE;
    const int32_t sum = g_sums[entry];
    char money[40];
    Money(money, sizeof money, sum);
    const int16_t scouted = Scout_GetMarkedRegion();
    char question[400];
    if (IsRegion(scouted)) {
        FillTextSlots(question, sizeof question, GetText(kBusyQuestionText),
                      {RegionName(scouted), RegionName(g_chosen), money});
    } else {
        FillTextSlots(question, sizeof question, GetText(kQuestionText), {RegionName(g_chosen), money});
    }
    if (ShowChoiceBox(question, 0, YesNoButtons) != kAnswerYes) return MENU_REDRAW;
    if (IsRegion(scouted)) PostToUser(kMsgScoutStopped, scouted, MoneySpent());
    Scout_ClearAll();
    Scout_MarkRegion(g_chosen, uint32_t(sum));
    PostToUser(kMsgScoutStarted, g_chosen, sum);
    return MENU_REDRAW_ALSO;
}

int32_t Scouting_Stop(MenuHotItem*) {
    Scout_ClearAll();
    return MENU_REDRAW;
}

int32_t Scouting_ViewPlayers(MenuHotItem*) {
    PreviousMenuOption = kScreenScouting;
    ScoutViewFlag = 1;
    ScoutViewRegion = g_chosen;
    MenuOption = kScreenShortlist;
    return MENU_CLOSE;
}

int32_t Scouting_WorldClubs(MenuHotItem*) {
    MenuOption = kScreenClubsByNation;
    return MENU_CLOSE;
}

int32_t Scouting_Back(MenuHotItem*) {
    ScoutViewFlag = 0;
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem ScoutingTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ScoutingMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(PaintPanels), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(PaintRegionFaces), nullptr},
    {MI_CUSTOM, kMapViewLeft, kMapViewTop, kMapViewWidth, kMapViewHeight, MenuFunction(PaintMap), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    REGION_BUTTON(0),
    REGION_BUTTON(1),
    REGION_BUTTON(2),
    REGION_BUTTON(3),
    REGION_BUTTON(4),
    REGION_BUTTON(5),
    REGION_BUTTON(6),
    REGION_BUTTON(7),
    REGION_BUTTON(8),
    REGION_BUTTON(9),
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 60, 441, 9, 0, &g_chosenText, nullptr},
    {MI_STRING_VAR, 70, 486, 9, 0, &g_knownShown, nullptr},
    {MI_STRING_VAR, 70, 506, 9, 0, &g_recommendedShown, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_scoutButton, nullptr},
    {MI_BUTTON_TEXT, 399, 502, 339, 24, MenuValue(845), Scouting_ViewPlayers},
    {MI_BUTTON_TEXT, 60, 559, 678, 28, MenuValue(1114), Scouting_WorldClubs},
    {MI_ANIMATION, 0, 0, 0, 0, &kMapTimer, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Scouting_Back},
    kMenuEnd,
};

#undef REGION_BUTTON
int16_t ScoutingChosenRegion() { return g_chosen; }
int16_t ScoutingPreviousRegion() { return g_previous; }
void ScoutingMapPoint(float* x, float* y) {
    *x = g_point.x;
    *y = g_point.y;
}
int32_t ScoutingOfferedSum(int entry) { return entry >= 0 && entry < kScoutingSums ? g_sums[entry] : 0; }
int16_t ScoutingButtonText() { return int16_t(g_buttonText); }
bool ScoutingOffersSums() { return g_scoutButton == kSumsButton; }
const char* ScoutingKnownLine() { return g_knownLine; }
