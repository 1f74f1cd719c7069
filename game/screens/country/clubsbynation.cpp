#include "game/screens/country/clubsbynation.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <utility>

#include "core/club/board.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

namespace {

constexpr int16_t kListEnd = 116;
constexpr int16_t kEmpty = -1;
constexpr int16_t kHomeRegion = 9;
constexpr int16_t kWideRegion = 7;
constexpr int16_t kHighlighted = 8;
constexpr int16_t kOutline = 2;  // text colour 2: black
constexpr uint16_t kBelowTheLeagues = 6, kLowerDivision = 4;
constexpr uint16_t kMarkedFace = 0xC5A0;  // the chosen region's button
constexpr uint16_t kFace = 0x5AD4;

constexpr int16_t kRegion0[] = {32, 35, 37, 41, 42, 43, 50,  52,  57,  60,  64,  66,  72, 79,  82,
                                83, 91, 92, 93, 96, 97, 105, 106, 107, 109, 111, 113, 67, 103, kListEnd};
constexpr int16_t kRegion1[] = {39, 48, 53, 56, 58, 81, 87, 88, 94, 95, 114, 98, kListEnd};
constexpr int16_t kRegion2[] = {34, 44, 47, 51, 54, 55, 59, 74, 86, 89, 108, 115, kListEnd};
constexpr int16_t kRegion3[] = {46, 62, 102, kListEnd};
constexpr int16_t kRegion4[] = {36, 38, 61, 68, 70, 75, 76, 78, 71, 99, kListEnd};
constexpr int16_t kRegion5[] = {16, 17, 18, 19, 20, 23, 24, 25, 26,  28,  29,      30,
                                33, 40, 65, 69, 73, 77, 80, 84, 100, 110, kListEnd};
constexpr int16_t kRegion6[] = {9, 14, 15, 27, 49, kListEnd};
constexpr int16_t kRegion7[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 21, 22, 31, 101, 104, kListEnd};
constexpr int16_t kRegion8[] = {45, 63, 85, 90, 112, kListEnd};
constexpr int16_t kRegion9[] = {kListEnd};
constexpr const int16_t* kRegionNations[kClubsByNationRegions] = {
    kRegion0, kRegion1, kRegion2, kRegion3, kRegion4, kRegion5, kRegion6, kRegion7, kRegion8, kRegion9};

// Nations left out of every region list.
constexpr int16_t kExcluded[] = {32,  33,  34,  35,  37,  38,  43,  44,  47,  49,  50,  51,  52, 54,
                                 55,  59,  61,  62,  65,  66,  67,  68,  69,  70,  71,  75,  76, 77,
                                 78,  80,  82,  83,  84,  85,  86,  89,  90,  96,  97,  98,  99, 102,
                                 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115};

int16_t g_region = kWideRegion;
int16_t g_nation = kEmpty;
int16_t g_scroll = 0;
int16_t g_nations[kClubsByNationNations];
int16_t g_clubs[kClubsByNationClubs];
int g_clubCount = 0;
int g_nationRows = 0;

char g_title[80] = "";
const char* g_titleShown = g_title;
const char* g_nationNames[kClubsByNationShownNations];
int16_t g_nationMarks[kClubsByNationShownNations];
// Club names are copied: the name lookup answers in one shared buffer.
char g_leftText[kClubsByNationRows][40];
char g_rightText[kClubsByNationRows][40];
const char* g_leftNames[kClubsByNationRows];
const char* g_rightNames[kClubsByNationRows];
int16_t g_leftClubs[kClubsByNationRows];
int16_t g_rightClubs[kClubsByNationRows];

bool IsRegion(int region) { return region >= 0 && region < kClubsByNationRegions; }

const char* NationName(int16_t nation) {
    return nation >= 0 && nation < kListEnd ? HVW_GetNationName(nation) : "";
}

bool IsExcluded(int16_t nation) {
    return std::find(std::begin(kExcluded), std::end(kExcluded), nation) != std::end(kExcluded);
}

void BuildNationList() {
    std::fill(std::begin(g_nations), std::end(g_nations), kEmpty);
    const int16_t user = GetUserClub();
    const int16_t userNation = IsClubNumber(user) ? int16_t(GetClubNation(user)) : kEmpty;
    int count = 0;
    // A nation number of 116 or more ends a list; the list holds 40.
    for (const int16_t* p = kRegionNations[g_region];
         *p >= 0 && *p < kListEnd && count < kClubsByNationNations; ++p) {
        if (g_region == kWideRegion && *p == userNation) continue;
        g_nations[count++] = *p;
    }
    for (int16_t& nation : g_nations)
        if (IsExcluded(nation)) nation = kEmpty;
    std::sort(std::begin(g_nations), std::end(g_nations), std::greater<int16_t>());
}

void BuildClubList() {
    std::fill(std::begin(g_clubs), std::end(g_clubs), kEmpty);
    g_clubCount = 0;
    const int16_t viewed = HVW_GetViewedCountry();
    for (int16_t club = 0; club < kClubCount && g_clubCount < kClubsByNationClubs; ++club) {
        bool listed = false;
        if (g_region == kHomeRegion) {
            const uint16_t division = GetClubDivision(club);
            listed = int(GetClubNation(club)) == int(viewed) &&
                     (division == kBelowTheLeagues || division == kLowerDivision);
        } else {
            listed = g_nation >= 0 && int(GetClubNation(club)) == int(g_nation);
        }
        if (listed) g_clubs[g_clubCount++] = club;
    }
}

int16_t ClubAt(int index) { return index >= 0 && index < kClubsByNationClubs ? g_clubs[index] : kEmpty; }

const char* CopyClubName(int16_t club, char (&into)[40]) {
    std::snprintf(into, sizeof into, "%s", IsClubNumber(club) ? HVW_GetClubName(club) : "");
    return into;
}

int16_t LastScroll() { return int16_t(std::max(0, (g_clubCount + 1) / 2 - kClubsByNationRows)); }

void DrawRegionButtons(int, int, int, int) {
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    SetDrawParam(4, 0);
    for (int16_t k = 0; k < kClubsByNationRegions; ++k) {
        const bool marked = k == g_region;
        SetDrawParam(2, marked ? kMarkedFace : kFace);
        DoButton(20, 97 + 24 * k, 150, 20);
        SetDrawParam(1, marked ? kHighlighted : 0);
        DrawTextNoAt(95, 107 + 24 * k, HVW_GetScoutingContText(k), JUSTIFY_CENTRE_MIDDLE);
    }
    SetDrawParam(1, 0);
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
}

void DrawPanels(int, int, int, int) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(376, 110, 356, 416, 40);
    SetDrawParam(2, colour);
}

template <int K>
int32_t RegionButton(MenuHotItem*) {
    return ClubsByNation_ChooseRegion(K);
}
int32_t NationRow(MenuHotItem* item) { return ClubsByNation_ChooseNationRow(item->row); }
int32_t LeftClub(MenuHotItem* item) { return ClubsByNation_OpenClub(item->row, 0); }
int32_t RightClub(MenuHotItem* item) { return ClubsByNation_OpenClub(item->row, 1); }

#define REGION_AREA(k) \
    { MI_HOT_RECT, 20, 97 + 24 * k, 150, 20, nullptr, RegionButton<k> }

const MenuItem kNationRow[] = {
    {MI_HOT_RECT, 180, 0, 150, 20, nullptr, NationRow},
    kMenuEnd,
};

const MenuItem kClubRow[] = {
    {MI_STRING_VAR, 386, 0, 5, sizeof(const char*), g_leftNames, nullptr},
    {MI_HOT_RECT, 386, 0, 160, 21, nullptr, LeftClub},
    {MI_STRING_VAR, 566, 0, 5, sizeof(const char*), g_rightNames, nullptr},
    {MI_HOT_RECT, 566, 0, 160, 21, nullptr, RightClub},
    kMenuEnd,
};

}  // namespace

void ClubsByNation_Reset() {
    g_nation = kEmpty;
    g_scroll = 0;
    g_region = kWideRegion;
}

void ClubsByNationScreenProc() {
    if (IsMenuFirstEntry() == 1) SetMenuTitleDate(10);
    if (!IsRegion(g_region)) g_region = kWideRegion;
    BuildNationList();
    g_nationRows = 0;
    for (int i = 0; i < kClubsByNationShownNations && g_nations[i] != kEmpty; ++i) {
        g_nationNames[i] = NationName(g_nations[i]);
        g_nationMarks[i] = g_nations[i] == g_nation ? kHighlighted : 0;
        g_nationRows = i + 1;
    }
    const char* title = g_region == kHomeRegion ? GetText(kTextNonLeagueClubs) : NationName(g_nation);
    std::snprintf(g_title, sizeof g_title, "%s", title);
    BuildClubList();
    g_scroll = std::clamp<int16_t>(g_scroll, 0, LastScroll());
    for (int r = 0; r < kClubsByNationRows; ++r) {
        g_leftClubs[r] = ClubAt(2 * (g_scroll + r));
        g_rightClubs[r] = ClubAt(2 * (g_scroll + r) + 1);
        g_leftNames[r] = CopyClubName(g_leftClubs[r], g_leftText[r]);
        g_rightNames[r] = CopyClubName(g_rightClubs[r], g_rightText[r]);
    }
}

void ClubsByNationDrawNations(int, int, int, int) {
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    SetDrawParam(4, 0);
    SetDrawParam(2, kFace);
    for (int i = 0; i < g_nationRows; ++i) {
        DoButton(180, 97 + 20 * i, 150, 20);
        const int x = 255, y = 106 + 20 * i;
        // An outline one pixel round, then the name in its mark colour.
        SetDrawParam(1, kOutline);
        for (const auto& [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}})
            DrawTextAddrAt(x + dx, y + dy, g_nationNames[i], JUSTIFY_CENTRE_MIDDLE);
        SetDrawParam(1, g_nationMarks[i]);
        DrawTextAddrAt(x, y, g_nationNames[i], JUSTIFY_CENTRE_MIDDLE);
    }
    SetDrawParam(1, 0);
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
    SetMenuListRows(int16_t(g_nationRows));
}

// A new region or nation shows its club list from the top: a scroll kept
// from a longer list would leave the columns of a shorter one empty.
int32_t ClubsByNation_ChooseRegion(int16_t region) {
    if (!IsRegion(region)) return MENU_CONTINUE;
    g_region = region;
    g_nation = kEmpty;
    g_scroll = 0;
    return MENU_REDRAW;
}

int32_t ClubsByNation_ChooseNationRow(int row) {
    if (row < 0 || row >= g_nationRows || g_nations[row] == kEmpty) return MENU_CONTINUE;
    g_nation = g_nations[row];
    g_scroll = 0;
    return MENU_REDRAW;
}

int32_t ClubsByNation_OpenClub(int row, int column) {
    if (row < 0 || row >= kClubsByNationRows) return MENU_CONTINUE;
    const int16_t club = column == 0 ? g_leftClubs[row] : g_rightClubs[row];
    if (!IsClubNumber(club)) return MENU_CONTINUE;
    SelectedClub = uint16_t(club);
    PreviousMenuOption = kScreenClubsByNation;
    MenuOption = kScreenSquadList;
    return MENU_CLOSE;
}

int32_t ClubsByNation_ScrollUp(MenuHotItem*) {
    g_scroll = int16_t(std::max(0, g_scroll - 1));
    return MENU_REDRAW;
}

int32_t ClubsByNation_ScrollDown(MenuHotItem*) {
    ++g_scroll;
    if (2 * g_scroll + 2 * kClubsByNationRows > g_clubCount) g_scroll = LastScroll();
    g_scroll = std::max<int16_t>(g_scroll, 0);
    return MENU_REDRAW;
}

int32_t ClubsByNation_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem ClubsByNationTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubsByNationScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawPanels), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(1114), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawRegionButtons), nullptr},
    REGION_AREA(0),
    REGION_AREA(1),
    REGION_AREA(2),
    REGION_AREA(3),
    REGION_AREA(4),
    REGION_AREA(5),
    REGION_AREA(6),
    REGION_AREA(7),
    REGION_AREA(8),
    REGION_AREA(9),
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(ClubsByNationDrawNations), nullptr},
    {MI_GROUP, 0, 97, 0, 20, kNationRow, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 556, 117, 10, 0, &g_titleShown, nullptr},
    {MI_GROUP, 0, 137, kClubsByNationRows, 23, kClubRow, nullptr},
    {MI_ICON, 736, 137, 5, 0, MenuValue(192), ClubsByNation_ScrollUp},
    {MI_ICON, 736, 505, 5, 0, MenuValue(193), ClubsByNation_ScrollDown},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ClubsByNation_Back},
    kMenuEnd,
};

#undef REGION_AREA

int16_t ClubsByNationRegion() { return g_region; }
int16_t ClubsByNationNation() { return g_nation; }
int16_t ClubsByNationScroll() { return g_scroll; }
int16_t ClubsByNationListedNation(int index) {
    return index >= 0 && index < kClubsByNationNations ? g_nations[index] : kEmpty;
}
int16_t ClubsByNationClub(int index) { return ClubAt(index); }
int ClubsByNationClubCount() { return g_clubCount; }
int16_t ClubsByNationShownClub(int row, int column) {
    if (row < 0 || row >= kClubsByNationRows) return kEmpty;
    return column == 0 ? g_leftClubs[row] : g_rightClubs[row];
}
