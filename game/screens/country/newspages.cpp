#include "game/screens/country/newspages.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/base/debug.h"
#include "core/base/textbuf.h"
#include "core/query/clubscreens.h"
#include "core/query/codetexts.h"
#include "core/query/datesandform.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/leagues.h"
#include "core/season/messagetexts.h"
#include "core/season/news.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/painting.h"

uint16_t NewsPage = kNewsCountryPage;
int16_t NewsGroupFilter = kNewsNoFilter;
int16_t NewsClubFilter = kNewsNoFilter;
int16_t NewsTop = 0;
int16_t NewsCount = 0;

namespace {

constexpr int kMostDivisions = 6;
constexpr int kFewestDivisions = 2;
constexpr int kDivisionClubs = kLeagueRowClubs;
constexpr int kHighlightWords = 13;
constexpr int kRegionButton = 0, kCountryButton = 1, kFirstDivisionButton = 2, kOtherClubsButton = 8;
constexpr int16_t kHighlighted = 8;
constexpr int kMostLines = 100;
constexpr int16_t kNewsTitleText = 460;
constexpr int16_t kRegionText = 1179;
constexpr int16_t kCountryText = 1620;
constexpr int kFirstLineY = 183, kLineStep = 30;
constexpr int kButtonX = 22, kButtonWidth = 106, kButtonHeight = 20;
constexpr int kDivisionButtonsY = 235, kDivisionButtonStep = 22;

struct NewsLine {
    int16_t club;
    int16_t slot;  // -1: an empty line
};

std::array<NewsLine, kMostLines> g_lines;
int16_t g_highlight[kHighlightWords];

char g_title[kNewsLineSize];
const char* g_titlePointer = g_title;
char g_dates[kNewsLines][kNewsLineSize];
char g_headlines[kNewsLines][kNewsLineSize];
const char* g_datePointers[kNewsLines];
const char* g_headlinePointers[kNewsLines];

// Per division its clubs by name, their name text ids and the pop-up.
int16_t g_divisionClubs[kMostDivisions][kDivisionClubs];
int16_t g_divisionClubCount[kMostDivisions];
int16_t g_clubTextIds[kMostDivisions][kDivisionClubs];
PopupEntry g_clubPopups[kMostDivisions][kDivisionClubs + 2];
const char* g_divisionNames[kMostDivisions];
const MenuItem* g_divisionBlock = nullptr;

int16_t ShownCountry() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

// ---- The division blocks -----------------------------------------------------------

template <int Division>
int32_t PickFromPopup(PopupCallBlock* call) {
    return NewsPages_PickClub(Division, int16_t(call->row));
}
constexpr PopupFunction kPickers[kMostDivisions] = {PickFromPopup<0>, PickFromPopup<1>, PickFromPopup<2>,
                                                    PickFromPopup<3>, PickFromPopup<4>, PickFromPopup<5>};

#define DIVISION_BUTTON(k)                                                                          \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_highlight[kFirstDivisionButton + (k)], nullptr},            \
        {MI_BUTTON_STRING_VAR, kButtonX,      int16_t(kDivisionButtonsY + (k)*kDivisionButtonStep), \
         kButtonWidth,         kButtonHeight, &g_divisionNames[k],                                  \
         MenuHandler_Accept},                                                                       \
    {                                                                                               \
        MI_POPUP, 0, 0, 0, 0, g_clubPopups[k], nullptr                                              \
    }
#define OTHER_CLUBS_BUTTON(n)                                                   \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_highlight[kOtherClubsButton], nullptr}, \
        {MI_BUTTON_TEXT,                                                        \
         kButtonX,                                                              \
         int16_t(kDivisionButtonsY + (n)*kDivisionButtonStep),                  \
         kButtonWidth,                                                          \
         kButtonHeight,                                                         \
         MenuValue(kTextNonLeagueClubs),                                        \
         NewsPages_ShowOtherClubs},                                             \
    {                                                                           \
        48, 0, 0, 0, 0, MenuValue(0), nullptr                                   \
    }

const MenuItem kBlockOf2[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1), OTHER_CLUBS_BUTTON(2), kMenuEnd};
const MenuItem kBlockOf3[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2),
                              OTHER_CLUBS_BUTTON(3), kMenuEnd};
const MenuItem kBlockOf4[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1),    DIVISION_BUTTON(2),
                              DIVISION_BUTTON(3), OTHER_CLUBS_BUTTON(4), kMenuEnd};
const MenuItem kBlockOf5[] = {DIVISION_BUTTON(0),
                              DIVISION_BUTTON(1),
                              DIVISION_BUTTON(2),
                              DIVISION_BUTTON(3),
                              DIVISION_BUTTON(4),
                              OTHER_CLUBS_BUTTON(5),
                              kMenuEnd};
const MenuItem kBlockOf6[] = {
    DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2),    DIVISION_BUTTON(3),
    DIVISION_BUTTON(4), DIVISION_BUTTON(5), OTHER_CLUBS_BUTTON(6), kMenuEnd};
#undef DIVISION_BUTTON
#undef OTHER_CLUBS_BUTTON
const MenuItem* const kBlocks[kMostDivisions + 1] = {nullptr,   nullptr,   kBlockOf2, kBlockOf3,
                                                     kBlockOf4, kBlockOf5, kBlockOf6};
const MenuItem kNoBlock[] = {kMenuEnd};

// Entry k of a division's pop-up names its k-th club by name order.
void BuildClubPopups(int divisions) {
    for (int d = 0; d < divisions; ++d) {
        PopupEntry* popup = g_clubPopups[d];
        popup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
        const int count = g_divisionClubCount[d];
        for (int k = 0; k < count; ++k) {
            popup[k + 1] = {POPUP_TEXT_ID_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                            &g_clubTextIds[d][k],   kPickers[d],      nullptr};
        }
        popup[count + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    }
}

void BuildDivisionBlock(int16_t country) {
    const int16_t divisions = HVW_CountDivisions(country);
    if (divisions < kFewestDivisions || divisions > kMostDivisions)
        FatalError("Invalid Number Of Divs A_MN3");
    g_divisionBlock = kBlocks[divisions];
    for (int16_t d = int16_t(divisions - 1); d >= 0; --d) {
        const char* name = HVW_GetDivisionName(d, country);
        g_divisionNames[d] = name != nullptr ? name : "";
        const int count = std::clamp<int>(HVW_GetClubsInDivision(d, country), 0, kDivisionClubs);
        for (int k = 0; k < count; ++k) g_divisionClubs[d][k] = int16_t(DivisionClubLists[country][d][k]);
        HVW_SortClubListByName(g_divisionClubs[d], int16_t(count), 0);
        for (int k = 0; k < count; ++k) g_clubTextIds[d][k] = HVW_ClubTextId(g_divisionClubs[d][k]);
        g_divisionClubCount[d] = int16_t(count);
    }
    BuildClubPopups(divisions);
}

// ---- The lines -------------------------------------------------------------------------

int TakeRanked(const FrontPageEntry* list) {
    g_lines.fill({-1, -1});
    int count = 0;
    for (int i = 0; i < kFrontPageEntries; ++i) {
        // An entry without its club or slot is no news, never read.
        if (!IsClubNumber(list[i].club) || list[i].slot < 0 || list[i].slot >= kArchiveSlots) continue;
        g_lines[size_t(count++)] = {list[i].club, list[i].slot};
    }
    return count;
}

// Line k is archive slot k; an empty slot an empty line.
int TakeArchive(int16_t club) {
    int count = 0;
    for (int16_t slot = 0; slot < kArchiveSlots; ++slot) {
        int16_t clubA, clubB, word1, word2, text1, text2, day, extra;
        int32_t playerA, playerB, amount, number1, number2;
        const int16_t type =
            HVW_GetTeamTalkMessage(club, slot, &clubA, &clubB, &playerA, &playerB, &word1, &word2, &amount,
                                   &text1, &text2, &number1, &number2, &day, &extra);
        g_lines[size_t(slot)] = {club, type == -1 ? int16_t(-1) : slot};
        if (type != -1) ++count;
    }
    return count;
}

void ClearLine(int i) {
    g_dates[i][0] = '\0';
    g_headlines[i][0] = '\0';
}

void FillLine(int i, const NewsLine& line) {
    ClearLine(i);
    if (!IsClubNumber(line.club) || line.slot < 0) return;
    int16_t clubA, clubB, word1, word2, text1, text2, day, extra;
    int32_t playerA, playerB, amount, number1, number2;
    const int16_t type =
        HVW_GetTeamTalkMessage(line.club, line.slot, &clubA, &clubB, &playerA, &playerB, &word1, &word2,
                               &amount, &text1, &text2, &number1, &number2, &day, &extra);
    if (type == -1) return;
    TextMsg_ResetArgs();
    SetMessageTemplateArgs(MessageArchive[line.club][line.slot]);
    // Absent arguments count as -1; the variant is kept in 0..4.
    const int32_t sum = int32_t(clubA) + (playerA == -1 ? -1 : playerA) + int32_t(day);
    const int16_t variant = int16_t(((sum % kHeadlineVariants) + kHeadlineVariants) % kHeadlineVariants);
    BoundedText(g_headlines[i], kNewsLineSize).Add("%s", GenerateHeadline(type, variant));
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(day, HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    BoundedText(g_dates[i], kNewsLineSize)
        .Add("%s %02d/%02d", GetText(int16_t(kTextFirstWeekday + weekday)), dayOfMonth, month + 1);
}

void FirstEntry() {
    SetMenuTitleDate(11);
    NewsPage = kNewsCountryPage;
    NewsGroupFilter = NewsClubFilter = kNewsNoFilter;
    NewsTop = 0;
}

void Highlight() {
    std::fill(std::begin(g_highlight), std::end(g_highlight), int16_t(0));
    if (NewsGroupFilter == kNewsOtherClubsGroup) {
        g_highlight[kOtherClubsButton] = kHighlighted;
    } else {
        g_highlight[NewsPage == kNewsRegionPage ? kRegionButton : kCountryButton] = kHighlighted;
    }
}

void ClearFilters() {
    NewsGroupFilter = NewsClubFilter = kNewsNoFilter;
    NewsTop = 0;
}

}  // namespace

void NewsPagesMenu() {
    if (IsMenuFirstEntry() == 1) FirstEntry();
    const int16_t country = ShownCountry();
    int count = 0;
    BoundedText title(g_title, sizeof g_title);
    if (NewsPage == kNewsCountryPage) {
        title.Add(
            "%s %s", GetText(kNewsTitleText),
            IsClubNumber(NewsClubFilter) ? HVW_GetClubName(NewsClubFilter) : HVW_GetNationName(country));
        BuildDivisionBlock(country);
        // A chosen club's archive replaces the ranking.
        if (IsClubNumber(NewsClubFilter)) {
            count = TakeArchive(NewsClubFilter);
        } else {
            if (NewsGroupFilter == kNewsOtherClubsGroup) {
                RankNationalOtherNews(country);
            } else {
                RankNationalNews(country);
            }
            count = TakeRanked(NationalNewsList);
        }
    } else if (NewsPage == kNewsRegionPage) {
        title.Add("%s", GetText(kRegionText));
        g_divisionBlock = kNoBlock;
        RankEuropeanNews();
        count = TakeRanked(EuropeanNewsList);
    } else {
        FatalError("Invalid Web Page to view in A_MN3");
    }
    NewsCount = int16_t(count);
    Highlight();
    NewsTop = int16_t(std::clamp<int>(NewsTop, 0, std::max(0, NewsCount - kNewsLines)));
    for (int i = 0; i < kNewsLines; ++i) {
        const int entry = NewsTop + i;
        if (NewsCount < 1 || entry >= kMostLines) {
            ClearLine(i);
        } else {
            FillLine(i, g_lines[size_t(entry)]);
        }
    }
}

int32_t NewsPages_ShowRegion(MenuHotItem*) {
    NewsPage = kNewsRegionPage;
    ClearFilters();
    return MENU_REDRAW;
}

int32_t NewsPages_ShowCountry(MenuHotItem*) {
    NewsPage = kNewsCountryPage;
    ClearFilters();
    return MENU_REDRAW;
}

int32_t NewsPages_ShowOtherClubs(MenuHotItem*) {
    NewsGroupFilter = kNewsOtherClubsGroup;
    NewsClubFilter = kNewsNoFilter;
    NewsTop = 0;
    return MENU_REDRAW;
}

int32_t NewsPages_PickClub(int16_t division, int16_t index) {
    if (division < 0 || division >= kMostDivisions || index < 0 || index >= g_divisionClubCount[division])
        return MENU_CONTINUE;
    const int16_t club = g_divisionClubs[division][index];
    if (!IsClubNumber(club)) return MENU_CONTINUE;
    NewsTop = 0;
    NewsClubFilter = club;
    NewsGroupFilter = kNewsNoFilter;
    return MENU_REDRAW;
}

int32_t NewsPages_LineDown(MenuHotItem*) {
    NewsTop = int16_t(std::max(0, std::min(NewsTop + 1, NewsCount - kNewsLines)));
    return MENU_REDRAW;
}

int32_t NewsPages_LineUp(MenuHotItem*) {
    NewsTop = int16_t(std::max(0, NewsTop - 1));
    return MENU_REDRAW;
}

int32_t NewsPages_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

void NewsPages_DrawPanel(int x, int y, int width, int height) {
    DrawGradientRect(x, y, width, height, 192, 192, 192, 192, 192, 192, 192, 192, 192, 128, 128, 128);
}

namespace {

const MenuItem kLine[] = {
    {MI_STRING_VAR, 140, 0, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_datePointers, nullptr},
    {MI_STRING_VAR, 230, 0, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_headlinePointers, nullptr},
    kMenuEnd,
};

struct PointerSetUp {
    PointerSetUp() {
        for (int i = 0; i < kNewsLines; ++i) {
            g_datePointers[i] = g_dates[i];
            g_headlinePointers[i] = g_headlines[i];
        }
        g_divisionBlock = kNoBlock;
    }
} g_pointerSetUp;

}  // namespace

const MenuItem NewsPagesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(NewsPagesMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 20, 104, 110, 428, MenuFunction(NewsPages_DrawPanel), nullptr},
    {MI_CUSTOM, 130, 104, 651, 43, MenuFunction(NewsPages_DrawPanel), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(2), nullptr},
    {MI_STRING_VAR, 455, 125, JUSTIFY_CENTRE_MIDDLE, 0, &g_titlePointer, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_highlight[kRegionButton], nullptr},
    {MI_BUTTON_TEXT, kButtonX, 169, kButtonWidth, kButtonHeight, MenuValue(kRegionText),
     NewsPages_ShowRegion},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_highlight[kCountryButton], nullptr},
    {MI_BUTTON_TEXT, kButtonX, 191, kButtonWidth, kButtonHeight, MenuValue(kCountryText),
     NewsPages_ShowCountry},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_divisionBlock, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP, 0, kFirstLineY, kNewsLines, kLineStep, kLine, nullptr},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, NewsPages_LineUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, NewsPages_LineDown},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), NewsPages_Back},
    kMenuEnd,
};

const char* NewsPagesDate(int line) { return line >= 0 && line < kNewsLines ? g_dates[line] : ""; }
const char* NewsPagesHeadline(int line) { return line >= 0 && line < kNewsLines ? g_headlines[line] : ""; }
const char* NewsPagesTitle() { return g_title; }
int16_t NewsPagesHighlight(int button) {
    return button >= 0 && button < kHighlightWords ? g_highlight[button] : int16_t(0);
}
int16_t NewsPagesDivisionClub(int division, int index) {
    if (division < 0 || division >= kMostDivisions || index < 0 || index >= g_divisionClubCount[division])
        return -1;
    return g_divisionClubs[division][index];
}
int16_t NewsPagesDivisionClubCount(int division) {
    return division >= 0 && division < kMostDivisions ? g_divisionClubCount[division] : int16_t(0);
}
