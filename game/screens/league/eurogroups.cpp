#include "game/screens/league/eurogroups.h"

#include <algorithm>
#include <cstdio>

#include "core/query/clubscreens.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"

EuroGroupsState EuroGroups = {};

namespace {

constexpr int16_t kFirstStageCode = 101;
constexpr int16_t kNotPlayed = int16_t(0x8000);
constexpr int kGroupsFirstStage = 8;
constexpr int kGroupsSecondStage = 4;
constexpr int kCellSize = 40;
constexpr int kFigures = 7;

int Groups() { return EuroGroups.toggle != 0 ? kGroupsSecondStage : kGroupsFirstStage; }

int16_t g_groupName = 1550;
int16_t g_toggleText = 703;
int16_t g_message = -1;
int16_t g_tableClubText[kEuroGroupClubs];
int16_t g_tableFigures[kFigures][kEuroGroupClubs];
int16_t g_fixtureClubText[2][kEuroGroupFixtureRows];
char g_fixtureCells[kEuroGroupFixtureRows][3][kCellSize];
const char* g_fixtureText[kEuroGroupFixtureRows][3];
const char* g_groupNames[kGroupsFirstStage];
char g_groupNameBuffers[kGroupsFirstStage][kCellSize];
PopupEntry g_groupPopup[kGroupsFirstStage + 2];

int32_t PickGroup(PopupCallBlock* call) {
    if (call == nullptr) return MENU_KEEP_POPUP;
    EuroGroups_ChooseGroup(int16_t(call->row));
    return MENU_REDRAW_ALSO;
}

void BuildPopup() {
    g_groupPopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(704), nullptr, nullptr};
    const int groups = Groups();
    for (int g = 0; g < groups; ++g) {
        std::snprintf(g_groupNameBuffers[g], kCellSize, "%s", GetText(HVW_GetCompTextIdByIndex(int16_t(g))));
        g_groupNames[g] = g_groupNameBuffers[g];
        g_groupPopup[g + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                               &g_groupNames[g],      PickGroup,        nullptr};
    }
    g_groupPopup[groups + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

int16_t ClubText(int16_t club) { return IsClubNumber(club) ? HVW_ClubTextId(club) : int16_t(-1); }

const char* CountryOf(int16_t club) {
    return IsClubNumber(club) ? HVW_GetNationName(HVW_GetClubNation(club)) : "";
}

void FillView(bool hasClubs) {
    const EuroGroupsState& s = EuroGroups;
    for (int r = 0; r < kEuroGroupClubs; ++r) {
        const EuroGroupRow& row = s.rows[s.order[r]];
        const bool shown = hasClubs && IsClubNumber(row.club);
        g_tableClubText[r] = shown ? ClubText(row.club) : int16_t(-1);
        const int16_t figures[kFigures] = {int16_t(row.won + row.drawn + row.lost),
                                           row.won,
                                           row.drawn,
                                           row.lost,
                                           row.goalsFor,
                                           row.goalsAgainst,
                                           row.points};
        for (int f = 0; f < kFigures; ++f) g_tableFigures[f][r] = shown ? figures[f] : kNotPlayed;
    }
    for (int r = 0; r < kEuroGroupFixtureRows; ++r) {
        for (int c = 0; c < 3; ++c) {
            g_fixtureCells[r][c][0] = '\0';
            g_fixtureText[r][c] = g_fixtureCells[r][c];
        }
        g_fixtureClubText[0][r] = g_fixtureClubText[1][r] = -1;
        if (!hasClubs || r >= s.fixtureCount) continue;
        const EuroGroupFixture& f = s.fixtures[r];
        g_fixtureClubText[0][r] = ClubText(f.clubA);
        g_fixtureClubText[1][r] = ClubText(f.clubB);
        std::snprintf(g_fixtureCells[r][0], kCellSize, "(%s)", CountryOf(f.clubA));
        if (f.goalsA != kNotPlayed)
            std::snprintf(g_fixtureCells[r][1], kCellSize, "%d - %d", f.goalsA, f.goalsB);
        std::snprintf(g_fixtureCells[r][2], kCellSize, "(%s)", CountryOf(f.clubB));
    }
    g_message = hasClubs ? int16_t(-1) : kTextNoFixtures;
}

int32_t PickFixtureClub(MenuHotItem* item, int side) {
    const int row = item != nullptr ? item->row : -1;
    if (row < 0 || row >= EuroGroups.fixtureCount) return MENU_CONTINUE;
    const int16_t club = side == 0 ? EuroGroups.fixtures[row].clubA : EuroGroups.fixtures[row].clubB;
    if (!IsClubNumber(club)) return MENU_CONTINUE;
    SelectedClub = uint16_t(club);
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

#define FIGURE(f)                                                                           \
    {                                                                                       \
        MI_NUMBER_I16, int16_t(380 + 30 * (f)), 11, JUSTIFY_CENTRE_MIDDLE, sizeof(int16_t), \
            g_tableFigures[f], nullptr                                                      \
    }

const MenuItem kTableRow[] = {
    {MI_HOT_RECT, 200, 0, 170, 22, MenuValue(-1), EuroGroups_PickTableClub},
    {MI_TEXT_VAR, 210, 11, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_tableClubText, nullptr},
    FIGURE(0),
    FIGURE(1),
    FIGURE(2),
    FIGURE(3),
    FIGURE(4),
    FIGURE(5),
    FIGURE(6),
    kMenuEnd,
};
#undef FIGURE

const MenuItem kFixtureRow[] = {
    {MI_HOT_RECT, 20, 0, 379, 22, MenuValue(-1), [](MenuHotItem* item) { return PickFixtureClub(item, 0); }},
    {MI_HOT_RECT, 399, 0, 379, 22, MenuValue(-1), [](MenuHotItem* item) { return PickFixtureClub(item, 1); }},
    {MI_STRING_VAR, 30, 11, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * 3, &g_fixtureText[0][0], nullptr},
    {MI_TEXT_VAR, 360, 11, JUSTIFY_RIGHT_MIDDLE, sizeof(int16_t), g_fixtureClubText[0], nullptr},
    {MI_STRING_VAR, 400, 11, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * 3, &g_fixtureText[0][1], nullptr},
    {MI_TEXT_VAR, 440, 11, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_fixtureClubText[1], nullptr},
    {MI_STRING_VAR, 768, 11, JUSTIFY_RIGHT_MIDDLE, sizeof(const char*) * 3, &g_fixtureText[0][2], nullptr},
    kMenuEnd,
};

}  // namespace

bool EuroGroups_Build() {
    EuroGroupsState& s = EuroGroups;
    s.fixtureCount = 0;
    for (int k = 0; k < kEuroGroupClubs; ++k) {
        s.rows[k] = {HVW_GetEuroGroupClub(int16_t(k), s.group, s.toggle), 0, 0, 0, 0, 0, 0};
        s.order[k] = int16_t(k);
    }
    for (EuroGroupFixture& f : s.fixtures) f = {-1, -1, kNotPlayed, kNotPlayed};
    const bool hasClubs =
        std::any_of(std::begin(s.rows), std::end(s.rows), [](const EuroGroupRow& r) { return r.club >= 0; });
    if (!hasClubs) return false;
    const auto rowOf = [&](int16_t club) {
        for (int k = 0; k < kEuroGroupClubs; ++k)
            if (club >= 0 && s.rows[k].club == club) return k;
        return -1;
    };
    const int16_t code = int16_t(kFirstStageCode + s.toggle);
    const int16_t today = HVW_GetCurrentDay();
    for (int slot = 0; slot < kFixtureSlots && s.fixtureCount < kEuroGroupFixtureRows; ++slot) {
        if (HVW_GetFixtureComp(int16_t(slot)) != code) continue;
        const int16_t a = HVW_GetFixtureClubA(int16_t(slot)), b = HVW_GetFixtureClubB(int16_t(slot));
        const int rowA = rowOf(a), rowB = rowOf(b);
        if (rowA < 0 && rowB < 0) continue;
        EuroGroupFixture& f = s.fixtures[s.fixtureCount++];
        f = {a, b, kNotPlayed, kNotPlayed};
        if (HVW_GetFixtureDay(int16_t(slot)) >= today) continue;
        f.goalsA = HVW_GetFixtureHomeGoals(int16_t(slot));
        f.goalsB = HVW_GetFixtureAwayGoals(int16_t(slot));
        const auto count = [&](int row, int16_t scored, int16_t conceded) {
            if (row < 0) return;
            EuroGroupRow& r = s.rows[row];
            r.goalsFor = int16_t(r.goalsFor + scored);
            r.goalsAgainst = int16_t(r.goalsAgainst + conceded);
            if (scored > conceded) {
                ++r.won;
                r.points = int16_t(r.points + 3);
            } else if (scored == conceded) {
                ++r.drawn;
                ++r.points;
            } else {
                ++r.lost;
            }
        };
        count(rowA, f.goalsA, f.goalsB);
        count(rowB, f.goalsB, f.goalsA);
    }
    EuroGroups_Sort();
    return true;
}

void EuroGroups_Sort() {
    EuroGroupsState& s = EuroGroups;
    // A row goes below the next one when it is behind it; an empty place is
    // behind every club.
    const auto behind = [&](int a, int b) {
        const EuroGroupRow& x = s.rows[a];
        const EuroGroupRow& y = s.rows[b];
        if (x.club < 0 || y.club < 0) return x.club < 0 && y.club >= 0;
        if (x.points != y.points) return x.points < y.points;
        const int dx = x.goalsFor - x.goalsAgainst, dy = y.goalsFor - y.goalsAgainst;
        if (dx != dy) return dx < dy;
        return x.goalsFor < y.goalsFor;
    };
    for (int pass = 0; pass < kEuroGroupClubs - 1; ++pass)
        for (int i = 0; i + 1 < kEuroGroupClubs; ++i)
            if (behind(s.order[i], s.order[i + 1])) std::swap(s.order[i], s.order[i + 1]);
}

void EuroGroupsScreenProc() {
    EuroGroupsState& s = EuroGroups;
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        s.toggle = 0;
        s.group = 0;
    }
    s.group = int16_t(std::clamp(int(s.group), 0, Groups() - 1));
    BuildPopup();
    g_groupName = HVW_GetCompTextIdByIndex(s.group);
    g_toggleText = s.toggle != 0 ? 702 : 703;
    FillView(EuroGroups_Build());
}

int32_t EuroGroups_NextGroup(MenuHotItem*) {
    EuroGroups.group = int16_t(std::min(EuroGroups.group + 1, Groups() - 1));
    return MENU_REDRAW;
}

int32_t EuroGroups_PrevGroup(MenuHotItem*) {
    EuroGroups.group = int16_t(std::max(EuroGroups.group - 1, 0));
    return MENU_REDRAW;
}

int32_t EuroGroups_Toggle(MenuHotItem*) {
    EuroGroups.toggle = int16_t(1 - EuroGroups.toggle);
    EuroGroups.group = 0;
    return MENU_REDRAW;
}

int32_t EuroGroups_ChooseGroup(int16_t group) {
    if (group < 0 || group >= Groups()) return MENU_CONTINUE;
    EuroGroups.group = group;
    return MENU_REDRAW_ALSO;
}

int32_t EuroGroups_PickTableClub(MenuHotItem* item) {
    const int row = item != nullptr ? item->row : -1;
    if (row < 0 || row >= kEuroGroupClubs) return MENU_CONTINUE;
    const int16_t club = EuroGroups.rows[EuroGroups.order[row]].club;
    if (!IsClubNumber(club)) return MENU_CONTINUE;
    SelectedClub = uint16_t(club);
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

namespace {

void DrawFrames(int, int, int, int) {
    DrawBlackShade30Box(200, 137, 400, 88);
    DrawBlackShade30Box(20, 247, 758, 264);
}

}  // namespace

const MenuItem EuroGroupsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(EuroGroupsScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(110), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawFrames), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 350, 125, JUSTIFY_RIGHT_MIDDLE, 0, &g_groupName, nullptr},
    {MI_TEXT, 380, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(137), nullptr},
    {MI_TEXT, 410, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(138), nullptr},
    {MI_TEXT, 440, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(139), nullptr},
    {MI_TEXT, 470, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(36), nullptr},
    {MI_TEXT, 500, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(141), nullptr},
    {MI_TEXT, 530, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(142), nullptr},
    {MI_TEXT, 560, 125, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(143), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},
    {MI_GROUP, 0, 137, kEuroGroupClubs, 22, kTableRow, nullptr},
    {MI_GROUP, 0, 247, kEuroGroupFixtureRows, 22, kFixtureRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 400, 379, JUSTIFY_CENTRE_MIDDLE, 0, &g_message, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(704), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_groupPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 399, 559, 339, 28, &g_toggleText, EuroGroups_Toggle},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    kMenuEnd,
};
