#include "game/screens/squad/fitnesslists.h"

#include <algorithm>
#include <cstdio>

#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

int16_t FitnessReturnOption = -1;
FitnessList FitnessListA{}, FitnessListB{};

namespace {

constexpr int16_t kNoText = -1;
constexpr int16_t kNoNumber = INT16_MIN;
constexpr int16_t kLongTermText = 1178;
constexpr int16_t kLongTermWeeks = 26;
constexpr int16_t kEmptyListTexts[2] = {1245, 1246};
constexpr int16_t kEmptyPostTexts[2] = {1247, 1248};
constexpr int16_t kPostSlots[2] = {5, 6};
constexpr int16_t kTreatmentTexts[8] = {kNoText, 1256, 1249, 1250, 1251, 1252, 1254, 1255};
constexpr int16_t kPagingIcon = 154;
constexpr int kFullFitness = 80;

struct ListRows {
    const char* name[kFitnessShownRows];
    char nameText[kFitnessShownRows][32];
    int16_t itText[kFitnessShownRows];
    int16_t ip[kFitnessShownRows];
    int16_t ipText[kFitnessShownRows];
    int16_t longTermText[kFitnessShownRows];
    int16_t treatmentText[kFitnessShownRows];
    int16_t fitness[kFitnessShownRows];
    int16_t percentText[kFitnessShownRows];
    int16_t count[kFitnessShownRows];
    int16_t countText[kFitnessShownRows];
    int16_t programme[kFitnessShownRows];
    uint16_t player[kFitnessShownRows];
};

ListRows g_rows[2];
char g_postText[2][40] = {};
const char* g_postLine[2] = {g_postText[0], g_postText[1]};
int16_t g_postColour[2] = {0, 0};
int16_t g_emptyText[2] = {kNoText, kNoText};
int16_t g_pagingIcon[2] = {0, 0};

FitnessList& ListOf(int list) { return list == 0 ? FitnessListA : FitnessListB; }

void ClearRows(ListRows& rows) {
    for (int r = 0; r < kFitnessShownRows; ++r) {
        rows.nameText[r][0] = '\0';
        rows.name[r] = rows.nameText[r];
        rows.player[r] = 0;
        rows.ip[r] = rows.fitness[r] = rows.count[r] = kNoNumber;
        rows.itText[r] = rows.ipText[r] = rows.longTermText[r] = rows.treatmentText[r] = kNoText;
        rows.percentText[r] = rows.countText[r] = rows.programme[r] = kNoText;
    }
}

void FillRowA(ListRows& rows, int r, uint16_t player) {
    const int16_t it = HVW_GetPlayerIT(player);
    if (it > 0) rows.itText[r] = int16_t(kTextFirstInjury + it);
    const int16_t ip = HVW_GetPlayerIP(player);
    if (ip < kLongTermWeeks) {
        rows.ip[r] = ip;
        rows.ipText[r] = kTextWeeks;
    } else {
        rows.longTermText[r] = kLongTermText;
    }
    rows.treatmentText[r] = Fitness_TreatmentText(SquadRec_GetLow5(player));
}

void FillRowB(ListRows& rows, int r, uint16_t player) {
    rows.fitness[r] = HVW_GetPlayerFitnessPct(player);
    rows.percentText[r] = 620;
    if (SquadRec_GetFlag(player) != 0) {
        rows.count[r] = int16_t(std::clamp<int32_t>(SquadRec_GetTreatmentCount(player), -32767, 32767));
        rows.countText[r] = kTextWeeks;
    }
    rows.programme[r] = SquadRec_GetProgramme(player);
}

void FillList(int list) {
    ListRows& rows = g_rows[list];
    const FitnessList& source = ListOf(list);
    ClearRows(rows);
    for (int r = 0; r < kFitnessShownRows && source.start + r < source.count; ++r) {
        const uint16_t player = source.players[source.start + r];
        if (!IsPlayerNumber(player)) continue;
        rows.player[r] = player;
        std::snprintf(rows.nameText[r], sizeof rows.nameText[r], "%s", HVW_GetPlayerShortName(player));
        if (list == 0) {
            FillRowA(rows, r, player);
        } else {
            FillRowB(rows, r, player);
        }
    }
    g_emptyText[list] = source.count == 0 ? kEmptyListTexts[list] : kNoText;
    g_pagingIcon[list] = source.count > kFitnessShownRows ? kPagingIcon : 0;
}

void FillPost(int list) {
    const StaffRecord* staff = Staff_GetActive(kPostSlots[list]);
    if (staff != nullptr) {
        StaffList_FormatName(staff, g_postText[list], sizeof g_postText[list]);
    } else {
        std::snprintf(g_postText[list], sizeof g_postText[list], "%s", GetText(kEmptyPostTexts[list]));
    }
    g_postColour[list] = staff != nullptr ? 0 : 1;
}

int32_t PageUp(FitnessList& list) {
    if (list.start > 0) --list.start;
    return MENU_REDRAW;
}

int32_t PageDown(FitnessList& list) {
    if (list.start < list.count - kFitnessShownRows) ++list.start;
    return MENU_REDRAW;
}

int32_t LeaveFor(int16_t option) {
    PreviousMenuOption = kScreenClubMain;
    FitnessReturnOption = -1;
    MenuOption = option;
    return MENU_CLOSE;
}

}  // namespace

void Fitness_DrawShades(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    for (int r = 0; r < kFitnessShownRows; ++r) {
        DrawShadedRect(32, 96 + 20 * r, 576, 20, r % 2 ? 25 : 50);
        DrawShadedRect(32, 268 + 20 * r, 576, 20, r % 2 ? 25 : 50);
    }
    DrawShadedRect(32, 74, 576, 20, 75);
    DrawShadedRect(32, 246, 576, 20, 75);
    SetDrawParam(2, kept);
}

namespace {

const MenuItem kRowA[] = {
    {MI_STRING_VAR, 10, 0, 9, sizeof(const char*), g_rows[0].name, nullptr},
    {MI_TEXT_VAR, 120, 0, 9, sizeof(int16_t), g_rows[0].itText, nullptr},
    {MI_NUMBER_I16, 230, 0, 11, sizeof(int16_t), g_rows[0].ip, nullptr},
    {MI_TEXT_VAR, 234, 0, 9, sizeof(int16_t), g_rows[0].ipText, nullptr},
    {MI_TEXT_VAR, 214, 0, 9, sizeof(int16_t), g_rows[0].longTermText, nullptr},
    {MI_TEXT_VAR, 290, 0, 9, sizeof(int16_t), g_rows[0].treatmentText, nullptr},
    kMenuEnd,
};

const MenuItem kRowB[] = {
    {MI_STRING_VAR, 10, 0, 9, sizeof(const char*), g_rows[1].name, nullptr},
    {MI_NUMBER_I16, 144, 0, 11, sizeof(int16_t), g_rows[1].fitness, nullptr},
    {MI_TEXT_VAR, 148, 0, 9, sizeof(int16_t), g_rows[1].percentText, nullptr},
    {MI_NUMBER_I16, 230, 0, 11, sizeof(int16_t), g_rows[1].count, nullptr},
    {MI_TEXT_VAR, 234, 0, 9, sizeof(int16_t), g_rows[1].countText, nullptr},
    {MI_TEXT_VAR, 290, 0, 9, sizeof(int16_t), g_rows[1].programme, nullptr},
    kMenuEnd,
};

}  // namespace

int16_t Fitness_TreatmentText(int16_t low5) {
    return low5 >= 1 && low5 <= 7 ? kTreatmentTexts[low5] : kNoText;
}

bool Fitness_InListA(uint16_t player) {
    return HVW_GetPlayerIT(player) > 1 || SquadRec_GetCareLevel(player) > 0;
}

bool Fitness_InListB(uint16_t player) {
    return !Fitness_InListA(player) &&
           (SquadRec_GetFlag(player) != 0 || HVW_GetPlayerFitnessPct(player) <= kFullFitness);
}

void Fitness_BuildLists() {
    FitnessListA.count = FitnessListB.count = 0;
    FitnessListA.start = FitnessListB.start = 0;
    if (!IsClubNumber(int16_t(SelectedClub))) return;
    HVW_BuildSquadList(int16_t(SelectedClub));
    for (uint16_t player : FirstTeamList.players) {
        if (!IsPlayerNumber(player) || FitnessListA.count + FitnessListB.count >= kFitnessListSize) continue;
        if (Fitness_InListA(player)) {
            FitnessListA.players[FitnessListA.count++] = player;
        } else if (Fitness_InListB(player)) {
            FitnessListB.players[FitnessListB.count++] = player;
        }
    }
}

void FitnessMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(2);
        if (FitnessReturnOption == -1) {
            const int16_t previous = PreviousMenuOption;
            FitnessReturnOption = previous == kScreenTraining || previous == kScreenUserCoachingList ||
                                          previous == kScreenStaffMember
                                      ? previous
                                      : kScreenClubMain;
        }
        Fitness_BuildLists();
    }
    for (int list = 0; list < 2; ++list) {
        FillList(list);
        FillPost(list);
    }
}

int32_t Fitness_PageUpA(MenuHotItem*) { return PageUp(FitnessListA); }
int32_t Fitness_PageDownA(MenuHotItem*) { return PageDown(FitnessListA); }
int32_t Fitness_PageUpB(MenuHotItem*) { return PageUp(FitnessListB); }
int32_t Fitness_PageDownB(MenuHotItem*) { return PageDown(FitnessListB); }
int32_t Fitness_ToTraining(MenuHotItem*) { return LeaveFor(kScreenTraining); }
int32_t Fitness_ToIndividualTraining(MenuHotItem*) { return LeaveFor(kScreenUserCoachingList); }
int32_t Fitness_ToStaffList(MenuHotItem*) { return LeaveFor(kScreenStaffList); }

int32_t Fitness_Back(MenuHotItem*) {
    if (FitnessReturnOption != -1) {
        MenuOption = FitnessReturnOption;
    } else {
        MenuOption = PreviousMenuOption != -1 ? PreviousMenuOption : kScreenClubMain;
    }
    FitnessReturnOption = -1;
    return MENU_CLOSE;
}

void Fitness_Leave() {
    if (MenuOption < kScreenTraining || MenuOption > kScreenPlayerCondition)
        PreviousMenuOption = kScreenClubMain;
    FitnessReturnOption = -1;
}

const MenuItem FitnessListsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(FitnessMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Fitness_DrawShades), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 320, 36, 10, 0, MenuValue(295), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1007), nullptr},
    {MI_TEXT, 42, 84, 9, 0, MenuValue(416), nullptr},
    {MI_TEXT, 42, 256, 9, 0, MenuValue(418), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_postColour[0], nullptr},
    {MI_STRING_VAR, 320, 84, 10, 0, &g_postLine[0], nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_postColour[1], nullptr},
    {MI_STRING_VAR, 320, 256, 10, 0, &g_postLine[1], nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 320, 146, 10, 0, &g_emptyText[0], nullptr},
    {MI_TEXT_VAR, 320, 318, 10, 0, &g_emptyText[1], nullptr},
    {MI_GROUP, 32, 106, kFitnessShownRows, 20, kRowA, nullptr},
    {MI_GROUP, 32, 278, kFitnessShownRows, 20, kRowB, nullptr},
    {MI_ICON_VAR, 32, 199, 5, 2, &g_pagingIcon[0], nullptr},
    {MI_HOT_RECT, 38, 205, 30, 15, MenuValue(-1), Fitness_PageUpA},
    {MI_HOT_RECT, 38, 225, 30, 15, MenuValue(-1), Fitness_PageDownA},
    {MI_ICON_VAR, 32, 371, 5, 2, &g_pagingIcon[1], nullptr},
    {MI_HOT_RECT, 38, 377, 30, 15, MenuValue(-1), Fitness_PageUpB},
    {MI_HOT_RECT, 38, 397, 30, 15, MenuValue(-1), Fitness_PageDownB},
    {MI_BUTTON_TEXT, 32, 440, 174, 30, MenuValue(461), Fitness_ToTraining},
    {MI_BUTTON_TEXT, 208, 440, 174, 30, MenuValue(600), Fitness_ToIndividualTraining},
    {MI_BUTTON_TEXT, 384, 440, 174, 30, MenuValue(79), Fitness_ToStaffList},
    {MI_ICON, 590, 456, 10, 0, MenuValue(kStaffBackIcon), nullptr},
    {MI_HOT_RECT, 570, 436, 40, 40, MenuValue(75), Fitness_Back},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_END, 320, 452, 10, 0, MenuFunction(Fitness_Leave), nullptr},
};

FitnessRowView Fitness_RowView(int list, int row) {
    if (list < 0 || list > 1 || row < 0 || row >= kFitnessShownRows) return {};
    const ListRows& rows = g_rows[list];
    return {rows.player[row],
            rows.itText[row],
            rows.ip[row],
            rows.ipText[row] != kNoText ? rows.ipText[row] : rows.longTermText[row],
            rows.treatmentText[row],
            rows.fitness[row],
            rows.count[row],
            rows.programme[row]};
}

const char* Fitness_PostLine(int list) { return list == 0 || list == 1 ? g_postLine[list] : ""; }
int16_t Fitness_EmptyText(int list) { return list == 0 || list == 1 ? g_emptyText[list] : kNoText; }
int16_t Fitness_PagingIcon(int list) { return list == 0 || list == 1 ? g_pagingIcon[list] : int16_t(0); }
