#include "game/screens/squad/training.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <span>
#include <utility>

#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/training.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/matchsetup.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/sortkeys.h"

uint16_t TrainingSquadList[kTrainingSquadSize] = {};
int16_t TrainingSquadCount = 0;
int16_t TrainingPageStart = 0;
uint16_t TrainingSortMode = 0;
uint16_t TrainingShowAge = 1;
uint16_t TrainingPopupPlayer = 0;
uint16_t TrainingPopupExtra = 0;
int16_t TrainingColumnTitle = 61;

namespace {

constexpr int16_t kNone = INT16_MIN;
constexpr uint16_t kNotSelectable = 0xFFFF;
constexpr int16_t kManagerPosition = 13;
constexpr int16_t kFirstTrainingText = 655, kKeeperFirstText = 679;
constexpr int16_t kAgeTitle = 61, kFatigueTitle = 691;
constexpr int16_t kStatusYouth = 6, kStatusInjured = 4;
constexpr int16_t kNationalColour = 20;
constexpr int16_t kOutfieldHeading = 651;
constexpr int kExchangePasses = 100;
// Header, seven first-group types, separator, heading, three setting
// types, twelve retraining types, end.
constexpr int kTypeMenuEntries = 26;
// The retraining type of position 1..12 (types 11 and 12 swap places).
constexpr int16_t kRetrainingType[13] = {-1, 9, 10, 12, 11, 13, 14, 15, 16, 17, 18, 19, 20};
constexpr int16_t kFirstGroup[] = {0, 8, 1, 21, 2, 3, 4};

struct Rows {
    int32_t player[kTrainingPageRows];
    uint16_t selectable[kTrainingPageRows];
    int16_t slotText[kTrainingPageRows];
    int16_t positionText[kTrainingPageRows];
    int16_t regularText[kTrainingPageRows];
    int16_t extraText[kTrainingPageRows];
    int16_t number[kTrainingPageRows];
    int16_t ageOrFatigue[kTrainingPageRows];
    int16_t status[kTrainingPageRows];
    int16_t colour[kTrainingPageRows];
};
Rows g_rows{};
PopupEntry g_typeMenu[kTypeMenuEntries] = {};

uint16_t EntryAt(int index) {
    return index >= 0 && index < TrainingSquadCount && index < kTrainingSquadSize ? TrainingSquadList[index]
                                                                                  : 0;
}

int16_t TypeText(int16_t type, bool keeper) {
    const int16_t text = HVW_GetTrainingKindTextId(type);
    return keeper && text == kFirstTrainingText ? kKeeperFirstText : text;
}

// Neighbour exchanges over the counted entries: a pair swaps when
// before(second, first) holds, so equal keys keep their order.
template <typename Key>
void ExchangeSort(Key key, bool ascending) {
    const int count = std::clamp<int>(TrainingSquadCount, 0, kTrainingSquadSize);
    for (int pass = 0; pass < kExchangePasses; ++pass) {
        for (int i = 0; i + 1 < count; ++i) {
            const uint16_t first = TrainingSquadList[i], second = TrainingSquadList[i + 1];
            if (first == 0 || second == 0) continue;
            const int a = key(first), b = key(second);
            if (ascending ? a > b : a < b) std::swap(TrainingSquadList[i], TrainingSquadList[i + 1]);
        }
    }
}

void KeySort(int16_t k0, int16_t k1, int16_t k2) {
    SortKeys_Set(k0, k1, k2, SORT_KEY_NONE, SORT_KEY_NONE);
    const int count = std::clamp<int>(TrainingSquadCount, 0, kTrainingSquadSize);
    std::qsort(TrainingSquadList, size_t(count), sizeof TrainingSquadList[0], ComparePlayersByKeys);
}

template <int Type>
int32_t SetTypeEntry(PopupCallBlock*) {
    return Training_SetType(Type);
}
template <int... Types>
constexpr std::array<PopupFunction, sizeof...(Types)> MakeSetters(std::integer_sequence<int, Types...>) {
    return {SetTypeEntry<Types>...};
}
constexpr auto kSetters = MakeSetters(std::make_integer_sequence<int, kTrainingTypes>{});

int g_menuLength = 0;
void AddEntry(const PopupEntry& entry) {
    if (g_menuLength < kTypeMenuEntries - 1) g_typeMenu[g_menuLength++] = entry;
}
void AddType(int16_t type, bool keeper) {
    AddEntry({POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(TypeText(type, keeper)),
              kSetters[size_t(type)], nullptr});
}

bool IsKeeper(uint16_t player) { return HVW_GetPositionType(player) == 0; }

int32_t ChooseRegular(MenuHotItem* item) { return Training_ChooseType(item->row, false); }
int32_t ChooseExtra(MenuHotItem* item) { return Training_ChooseType(item->row, true); }
int32_t OpenPlayer(MenuHotItem* item) { return Training_OpenPlayer(item->row); }

template <int Option>
int32_t SortEntry(PopupCallBlock*) {
    return Training_SortChoice(Option);
}

#define SORT_OPTION(n, text) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), SortEntry<n>, nullptr }
PopupEntry g_sortMenu[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(293), nullptr, nullptr},
    SORT_OPTION(0, 439),
    SORT_OPTION(1, 62),
    SORT_OPTION(2, 61),
    SORT_OPTION(3, 846),
    SORT_OPTION(4, 1230),
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
#undef SORT_OPTION

void DrawRowShade(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, (MenuPaintRow() & 1) != 0 ? 25 : 50);
    SetDrawParam(2, kept);
}

void DrawSettings(int x, int y, int, int) { DrawPlayerSettingIcons(x, y); }

void DrawColumnLines(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0x7BEF);
    // Width-0 rules drawn one pixel wide.
    DrawSolidRect(428, 118, 1, 396);
    DrawSolidRect(274, 118, 1, 396);
    SetDrawParam(2, kept);
}

const MenuItem kTrainingRow[] = {
    {MI_CUSTOM, 232, 0, 552, 22, MenuFunction(DrawRowShade), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, g_rows.status, nullptr},
    {MI_BUTTON_TEXT, 20, 0, 30, 22, MenuValue(-1), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, g_rows.colour, nullptr},
    {MI_TEXT_VAR, 35, 11, 10, 2, g_rows.slotText, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, g_rows.status, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_PARAM6_VAR, 0, 0, 0, 2, g_rows.selectable, nullptr},
    {MI_CUSTOM, 50, 0, 182, 22, MenuFunction(DrawPlayerNameBand), OpenPlayer},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_CUSTOM, 238, 4, 0, 0, MenuFunction(DrawSettings), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, g_rows.status, nullptr},
    {MI_NUMBER_I16, 70, 11, 11, 2, g_rows.number, nullptr},
    {MI_NUMBER_I16, 448, 11, 10, 2, g_rows.ageOrFatigue, nullptr},
    {MI_TEXT_VAR, 278, 11, 9, 2, g_rows.positionText, nullptr},
    {MI_BUTTON_TEXT, 488, 0, 146, 22, MenuValue(-1), ChooseRegular},
    {MI_TEXT_VAR, 561, 11, 10, 2, g_rows.regularText, nullptr},
    {MI_BUTTON_TEXT, 636, 0, 146, 22, MenuValue(-1), ChooseExtra},
    {MI_TEXT_VAR, 709, 11, 10, 2, g_rows.extraText, nullptr},
    kMenuEnd,
};

}  // namespace

int16_t Training_ShirtKey(uint16_t player) {
    if (GetPlayerFlag107(player) != 0) return int16_t(17 - HVW_GetPlayerIntShirt(player));
    const int16_t shirt = HVW_GetPlayerShirt(player);
    return shirt > 0 ? int16_t(67 - shirt) : int16_t(50);
}

void Training_BuildList() {
    TrainingSquadCount = 0;
    std::fill(std::begin(TrainingSquadList), std::end(TrainingSquadList), uint16_t(0));
    const int16_t club = GetUserClub();
    if (!IsClubNumber(club)) return;
    HVW_BuildSquadList(club);
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || HVW_GetPlayerPosition(player) == kManagerPosition) continue;
        if (GetPlayerFlag95(player) != 0 || GetPlayerLoanTrial(player) != 0) continue;
        TrainingSquadList[TrainingSquadCount++] = player;
    }
}

void Training_Sort() {
    switch (TrainingSortMode) {
        case 0:
            KeySort(6, 2, 0);
            break;
        case 1:
            KeySort(32, 6, 0);
            break;
        case 2:
            KeySort(2, 6, 0);
            break;
        case 3:
            ExchangeSort([](uint16_t p) { return int(HVW_GetPlayerField92(p)); }, true);
            break;
        case 4:
            ExchangeSort([](uint16_t p) { return int(Training_ShirtKey(p)); }, false);
            break;
        default:
            break;
    }
}

void Training_FillRows() {
    for (int r = 0; r < kTrainingPageRows; ++r) {
        const uint16_t p = EntryAt(TrainingPageStart + r);
        g_rows.player[r] = p;
        g_rows.status[r] = 0;
        g_rows.colour[r] = 0;
        if (!IsPlayerNumber(p)) {
            g_rows.selectable[r] = kNotSelectable;
            g_rows.slotText[r] = g_rows.positionText[r] = g_rows.regularText[r] = g_rows.extraText[r] = kNone;
            g_rows.number[r] = g_rows.ageOrFatigue[r] = kNone;
            continue;
        }
        g_rows.selectable[r] = uint16_t(r);
        if (GetPlayerFlag107(p) != 0) {
            g_rows.slotText[r] = GetTacticPosText(int16_t(HVW_GetPlayerIntShirt(p) - 1), 1);
            g_rows.colour[r] = kNationalColour;
        } else {
            g_rows.slotText[r] = GetTacticPosText(int16_t(HVW_GetPlayerShirt(p) - 1), 0);
        }
        g_rows.number[r] = HVW_GetPlayerField92(p);
        g_rows.ageOrFatigue[r] = TrainingShowAge == 1 ? HVW_GetPlayerAge(p) : HVW_GetPlayerFatiguePct(p);
        g_rows.positionText[r] = HVW_GetPositionTextId(p);
        const bool keeper = HVW_GetPlayerPosition(p) == 0;
        g_rows.regularText[r] = TypeText(HVW_GetRegularTraining(p), keeper);
        g_rows.extraText[r] = TypeText(HVW_GetExtraTraining(p), keeper);
        if (HVW_GetPlayerFlag95(p) != 0) g_rows.status[r] = kStatusYouth;
        if (HVW_GetPlayerIT(p) != 0) g_rows.status[r] = kStatusInjured;
    }
    TrainingColumnTitle = TrainingShowAge == 1 ? kAgeTitle : kFatigueTitle;
    MenuRowList = std::span<const int32_t>(g_rows.player);
}

void TrainingMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        TrainingShowAge = 1;
        Training_BuildList();
    }
    Training_Sort();
    Training_FillRows();
}

bool Training_OffersRetraining(uint16_t player, int16_t position) {
    if (position < 1 || position >= kPositionCodes || IsKeeper(player)) return false;
    int best = 1;
    for (int16_t k = 1; k < kPositionCodes; ++k)
        best = std::max<int>(best, PositionSuitability_Score(player, k));
    const int threshold =
        std::min(int(GetPlayerAge(player)) + 90 - GetPlayerStat(player, kAbilityStat, 0) / 4, 100);
    return PositionSuitability_Score(player, position) * 100 / best >= threshold &&
           position != HVW_GetPlayerPosition2(player);
}

const PopupEntry* Training_BuildTypeMenu(uint16_t player) {
    g_menuLength = 0;
    AddEntry({POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr});
    const bool keeper = IsKeeper(player);
    for (int16_t type : kFirstGroup) AddType(type, keeper);
    if (!keeper) {
        AddEntry({POPUP_SEPARATOR, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr});
        AddEntry({POPUP_TEXT_ID, 0, 0, 0, 0, 0, nullptr, MenuValue(kOutfieldHeading), nullptr, nullptr});
        if (HVW_GetPlayerSetting3(player) < 3) AddType(5, false);
        if (HVW_GetPlayerSetting1(player) < 3) AddType(6, false);
        if (HVW_GetPlayerSetting2(player) < 3) AddType(7, false);
        for (int16_t k = 1; k < kPositionCodes; ++k) {
            if (Training_OffersRetraining(player, k)) AddType(kRetrainingType[k], false);
        }
    }
    g_typeMenu[g_menuLength] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    return g_typeMenu;
}

int Training_OfferedTypes(int16_t* types, int capacity) {
    int count = 0;
    for (int i = 1; i < g_menuLength && count < capacity; ++i) {
        const PopupEntry& entry = g_typeMenu[i];
        if (entry.function == nullptr) continue;
        const auto found = std::find(kSetters.begin(), kSetters.end(), entry.function);
        if (found != kSetters.end()) types[count++] = int16_t(found - kSetters.begin());
    }
    return count;
}

int32_t Training_SetType(int16_t type) {
    const int16_t record = HVW_FindEntryById(TrainingPopupPlayer);
    if (record < 0 || TrainingPopupPlayer == 0) return MENU_REDRAW_ALSO;
    SetTrainingRecordKind(record, TrainingPopupExtra == 1, type);
    return MENU_REDRAW_ALSO;
}

int32_t Training_ToggleAgeFatigue(MenuHotItem*) {
    TrainingShowAge = TrainingShowAge == 1 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t Training_PageDown(MenuHotItem*) {
    TrainingPageStart = int16_t(TrainingPageStart + kTrainingPageRows);
    if (TrainingPageStart + kTrainingPageRows > TrainingSquadCount)
        TrainingPageStart = int16_t(TrainingSquadCount - kTrainingPageRows);
    TrainingPageStart = std::max<int16_t>(TrainingPageStart, 0);
    return MENU_REDRAW;
}

int32_t Training_PageUp(MenuHotItem*) {
    TrainingPageStart = std::max<int16_t>(int16_t(TrainingPageStart - kTrainingPageRows), 0);
    return MENU_REDRAW;
}

int32_t Training_OpenPlayer(int row) {
    if (row < 0 || row >= kTrainingPageRows) return MENU_CONTINUE;
    const uint16_t player = EntryAt(TrainingPageStart + row);
    if (!IsPlayerNumber(player)) return MENU_CONTINUE;
    ConditionReturnOption = MenuOption;
    SelectedPlayer = int16_t(player);
    MenuOption = kScreenPlayerCondition;
    return MENU_CLOSE;
}

int32_t Training_ChooseType(int row, bool extra) {
    if (row < 0 || row >= kTrainingPageRows) return MENU_CONTINUE;
    const uint16_t player = EntryAt(TrainingPageStart + row);
    if (!IsPlayerNumber(player)) return MENU_CONTINUE;
    TrainingPopupPlayer = player;
    TrainingPopupExtra = extra ? 1 : 0;
    return RunSubMenu(const_cast<PopupEntry*>(Training_BuildTypeMenu(player)), -1, -1);
}

int32_t Training_PracticeMatch(MenuHotItem*) {
    const int16_t club = GetUserClub();
    const int16_t today = HVW_GetCurrentDay();
    if (HVW_FindClubFixtureOnDay(club, today, 0) >= 0 || HVW_FindClubFixtureOnDay(club, today, 1) >= 0)
        PracticeMatchPlayed = 1;
    if (PracticeMatchPlayed != 0 || !IsClubNumber(club)) return MENU_REDRAW;
    SelectedClub = uint16_t(club);
    PlayPracticeMatch();
    PracticeMatchPlayed = 1;
    return MENU_CLOSE;
}

int32_t Training_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    TrainingPageStart = 0;
    return MENU_CLOSE;
}

int32_t Training_SortChoice(int option) {
    if (option >= 0 && option <= 4) TrainingSortMode = uint16_t(option);
    return MENU_REDRAW_ALSO;
}

const MenuItem TrainingTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(TrainingMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 1, 0, MenuFunction(DrawBottomBar), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(445), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 278, 107, 9, 2, MenuValue(496), nullptr},
    {MI_TEXT, 561, 107, 10, 2, MenuValue(677), nullptr},
    {MI_TEXT, 709, 107, 10, 2, MenuValue(678), nullptr},
    {MI_CUSTOM, 50, 118, 734, 396, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_GROUP, 0, 118, kTrainingPageRows, 22, kTrainingRow, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawColumnLines), nullptr},
    {MI_BUTTON_TEXT_VAR, 428, 96, 60, 22, &TrainingColumnTitle, Training_ToggleAgeFatigue},
    {MI_HOT_RECT, 20, 559, 40, 14, MenuValue(-1), Training_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, MenuValue(-1), Training_PageDown},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(293), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_sortMenu, nullptr},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(831), Training_PracticeMatch},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Training_Back},
    kMenuEnd,
};

TrainingRowView Training_RowView(int row) {
    if (row < 0 || row >= kTrainingPageRows) return {};
    return {
        uint16_t(g_rows.player[row]), g_rows.selectable[row], g_rows.slotText[row], g_rows.positionText[row],
        g_rows.regularText[row],      g_rows.extraText[row],  g_rows.number[row],   g_rows.ageOrFatigue[row],
        g_rows.status[row],           g_rows.colour[row]};
}
