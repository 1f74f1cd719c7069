#include "game/screens/start/saveslots.h"

#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/club/board.h"
#include "core/query/clubscreens.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/blockfiles.h"
#include "core/records/fixturechecks.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textentry.h"

char SurnameBuffer[kSurnameBufferSize] = "";

namespace {

constexpr int16_t kSurnameTemplateText = 861;
constexpr int kSurnameX = 275;
constexpr int kSurnameY = 300;
constexpr int kSurnameWidth = 338;

int16_t g_titleText = -1;
const char* g_surname = SurnameBuffer;

int16_t SurnameEntryDone(int16_t) { return 1; }

}  // namespace

void SurnameMenu() {
    if (IsMenuFirstEntry() != 1) return;
    std::snprintf(SurnameBuffer, sizeof SurnameBuffer, "%s", GetText(kSurnameTemplateText));
    g_titleText = HVW_ClubTextId(GetUserClub());
    SetMenuTitleDate(7);
}

int32_t SurnameEdit(MenuHotItem*) {
    if (IsTextInputActive() != 0) return MENU_CONTINUE;
    static char initial[kSurnameBufferSize];
    std::snprintf(initial, sizeof initial, "%s", SurnameBuffer);
    InitTextInput(kSurnameX, kSurnameY, kSurnameWidth, 5, initial, SurnameBuffer, nullptr, SurnameEntryDone);
    return MENU_CONTINUE;
}

int32_t SurnameDone(MenuHotItem*) {
    if (IsTextInputActive() != 0) StopTextInput(0);
    TrimTrailingSpaces(SurnameBuffer);
    // An empty name would leave the manager nameless: keep the one he has.
    if (SurnameBuffer[0] != '\0') SetPlayerSurname(1, SurnameBuffer);
    SetPlayerInitial(1, 0);
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem SurnameMenuTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SurnameMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &g_titleText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 162, 10, 0, MenuValue(761), nullptr},
    {MI_HOT_RECT, 188, 290, 425, 50, nullptr, SurnameEdit},
    {MI_STRING_VAR, kSurnameX, kSurnameY, 5, 0, &g_surname, nullptr},
    {MI_TEXT, 400, 475, 10, 0, MenuValue(1812), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), SurnameDone},
    kMenuEnd,
};

// ---- The save-game index ------------------------------------------------------------

char SaveSlotNames[kSaveSlots][kSlotNameSize];
uint32_t SaveSlotFlags[kSaveSlots];
char SaveSlotDescriptions[kSaveSlots][kSlotDescriptionSize];
int16_t SaveSlotShownUsed[kSaveSlots];

namespace {

constexpr const char* kIndexPath = "SaveData\\index.dat";
constexpr const char* kAutoSaveName = "AutoSave";
constexpr int16_t kSeasonText = 554;
constexpr int16_t kManagerText = 30;
constexpr int16_t kAutoSaveText = 470;
constexpr int16_t kEmptySlotText = 1660;
constexpr int16_t kSaveFailedText = 1661;
constexpr int16_t kIndexBadText = 1663;
constexpr int16_t kSlotLoadFailedText = 1664;
constexpr int16_t kLoadTitleText = 863;
constexpr int16_t kSaveTitleText = 864;
constexpr int16_t kSavingText = 865;
constexpr int16_t kSlotInUseText = 97;
constexpr int16_t kDeleteQuestionText = 806;

void ClearSlots() {
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        SaveSlotNames[slot][0] = '\0';
        SaveSlotDescriptions[slot][0] = '\0';
        SaveSlotFlags[slot] = 0;
    }
}

void LogFile(const char* line) { DebugLog(DEBUG_FILE, 10, "%s", line); }

std::FILE* OpenIndex(const char* mode) { return std::fopen(HostPath(kIndexPath).c_str(), mode); }

}  // namespace

int SaveGameIndex() {
    std::FILE* file = OpenIndex("wb");
    if (file == nullptr) {
        LogFile("Opening directory names (Save) - failed\n");
        return -1;
    }
    int result = 0;
    for (int slot = 0; slot < kSaveSlots && result == 0; ++slot) {
        uint8_t flag[4];
        for (int b = 0; b < 4; ++b) flag[b] = uint8_t(SaveSlotFlags[slot] >> (8 * b));
        if (std::fwrite(SaveSlotNames[slot], kSlotNameSize, 1, file) != 1) {
            LogFile("Saving directory names - failed\n");
            result = -2;
        } else if (std::fwrite(flag, sizeof flag, 1, file) != 1) {
            LogFile("Saving directory flags - failed\n");
            result = -3;
        } else if (std::fwrite(SaveSlotDescriptions[slot], kSlotDescriptionSize, 1, file) != 1) {
            result = -4;
        }
    }
    if (std::fclose(file) != 0 && result == 0) result = -5;
    return result;
}

int LoadGameIndex() {
    std::FILE* file = OpenIndex("rb");
    if (file == nullptr) {
        LogFile("Opening directory names (Load) - failed\n");
        ClearSlots();
        return 1;
    }
    int result = 0;
    for (int slot = 0; slot < kSaveSlots && result == 0; ++slot) {
        uint8_t flag[4];
        if (std::fread(SaveSlotNames[slot], kSlotNameSize, 1, file) != 1) {
            LogFile("Reading directory names - failed\n");
            result = -1;
        } else if (std::fread(flag, sizeof flag, 1, file) != 1) {
            LogFile("Reading directory flags - failed\n");
            result = -2;
        } else if (std::fread(SaveSlotDescriptions[slot], kSlotDescriptionSize, 1, file) != 1) {
            LogFile("Reading game disription - failed\n");
            result = -3;
        } else {
            SaveSlotFlags[slot] = uint32_t(flag[0]) | uint32_t(flag[1]) << 8 | uint32_t(flag[2]) << 16 |
                                  uint32_t(flag[3]) << 24;
        }
    }
    // A longer file is not an index either.
    if (result == 0 && std::fgetc(file) != EOF) result = -4;
    if (std::fclose(file) != 0 && result == 0) result = -4;
    for (int slot = 0; slot < kSaveSlots && result == 0; ++slot) {
        if (SaveSlotFlags[slot] > 1) result = -2;
    }
    if (result != 0) {
        ClearSlots();
        return result;
    }
    // Stored strings need not be terminated.
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        SaveSlotNames[slot][kSlotNameSize - 1] = '\0';
        SaveSlotDescriptions[slot][kSlotDescriptionSize - 1] = '\0';
    }
    return 0;
}

void BuildSlotDescription(char* out, const char* prefix) {
    const int16_t season = HVW_GetSeason();
    const uint16_t manager = HVW_GetClubManager(HVW_GetMyClub());
    const char* managerName = IsValidPlayer(manager) ? HVW_GetPlayerShortName(manager) : "";
    char line[256];
    std::snprintf(line, sizeof line, "%s : %d/%d %s : %s %s : %s", GetText(kSeasonText), season + 2002,
                  season + 2003, GetText(kTextDate), HVW_FormatCalendarDate(), GetText(kManagerText),
                  managerName);
    char whole[320];
    if (prefix[0] != '\0') {
        std::snprintf(whole, sizeof whole, "%s - %s", prefix, line);
    } else {
        std::snprintf(whole, sizeof whole, "%s", line);
    }
    // Cut to the field: 99 characters and the terminator.
    const size_t length = strnlen(whole, kSlotDescriptionSize - 1);
    std::memcpy(out, whole, length);
    out[length] = '\0';
}

int AutoSaveGame() {
    const int loaded = LoadGameIndex();
    if (loaded < 0) return loaded;
    std::snprintf(SaveSlotNames[kAutoSaveSlot], kSlotNameSize, "%s", kAutoSaveName);
    BuildSlotDescription(SaveSlotDescriptions[kAutoSaveSlot], GetText(kAutoSaveText));
    // The slot is marked used only once its game is on disk.
    const int saved = SaveGame(kAutoSaveSlot);
    if (saved < 0) return saved;
    SaveSlotFlags[kAutoSaveSlot] = 1;
    const int written = SaveGameIndex();
    CheckCupTieFixturesAll();
    return written;
}

// ---- Screens 46 and 47 ---------------------------------------------------------------

namespace {

int16_t g_editSlot = 0;
int16_t g_title = kLoadTitleText;
int16_t g_secondTitle = -1;
const char* g_rowName[kSaveSlots - 1];
const char* g_rowDescription[kSaveSlots - 1];
const char* g_autoDescription = SaveSlotDescriptions[kAutoSaveSlot];
char g_editInitial[kSlotNameSize];
char g_emptyText[64];

void WaitBox(int top, int16_t textId) {
    SetDrawParam(2, 0);
    DrawShadedRect(top == 230 ? 285 : 250, top, top == 230 ? 230 : 300, 40, 50);
    SetFont(8);
    DrawTextNoAt(400, top + 20, textId, JUSTIFY_CENTRE_MIDDLE);
    UpdateScreen();
}

int16_t DescribeSaveSlot(int16_t outcome) {
    if (outcome != TEXT_INPUT_ACCEPTED) return MENU_REDRAW;
    const int16_t slot = g_editSlot;
    WaitBox(230, kSavingText);
    BuildSlotDescription(SaveSlotDescriptions[slot], "");
    SaveSlotFlags[slot] = 1;
    if (SaveGame(slot) == 0 && SaveGameIndex() == 0) {
        MenuOption = kScreenClubMain;
        return MENU_CLOSE;
    }
    SaveSlotFlags[slot] = 0;
    SaveGameIndex();
    ShowMessageBox(GetText(kSaveFailedText), 0);
    return MENU_REDRAW;
}

ChoiceButton g_deleteButtons[3] = {
    {400, 340, 160, 30, 248, 10, 0, 0},
    {400, 380, 160, 30, 249, 10, 0, 0},
    {0, 0, 0, 0, -1, 0, 0, 0},
};

int32_t SaveIntoSlot(int16_t slot) {
    g_editSlot = slot;
    if (SaveSlotShownUsed[slot] == 1) {
        const int32_t answer = ShowChoiceBox(GetText(kSlotInUseText), 0, ThreeWayButtons);
        if (answer == 0) {
            if (ShowChoiceBox(GetText(kDeleteQuestionText), 0, g_deleteButtons) == 1) {
                SaveSlotFlags[slot] = 0;
                DeleteSaveSlot(slot);
                SaveGameIndex();
            }
            return MENU_REDRAW;
        }
        if (answer != 1) return MENU_REDRAW;
    }
    // Room for a whole name whether the slot had one or not.
    const bool used = SaveSlotShownUsed[slot] == 1;
    std::snprintf(g_editInitial, sizeof g_editInitial, "%-49.49s", used ? SaveSlotNames[slot] : "");
    InitTextInput(115, int16_t(133 + 35 * slot), 542, 5, g_editInitial, SaveSlotNames[slot], nullptr,
                  DescribeSaveSlot);
    return MENU_CONTINUE;
}

int32_t LoadFromSlot(int16_t slot) {
    if (slot != kAutoSaveSlot && SaveSlotShownUsed[slot] != 1) return MENU_CONTINUE;
    WaitBox(230, kTextPleaseWait);
    const int result = LoadSavedGame(slot);
    CheckCupTieFixturesAll();
    if (result < 0) {
        const bool formatError = result == kSaveBadFormat;
        ShowMessageBox(GetText(slot == kAutoSaveSlot && !formatError ? kTextLoadFailed : kSlotLoadFailedText),
                       0);
        return MENU_REDRAW;
    }
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int32_t PickRow(MenuHotItem* item) { return SaveLoadPickSlot(int16_t(item->row)); }
int32_t PickAutoRow(MenuHotItem*) { return SaveLoadPickSlot(kAutoSaveSlot); }
int32_t SaveLoadBack(MenuHotItem*) {
    MenuOption = SaveLoadMode == 1 ? kScreenStart : kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem kSlotRow[] = {
    {MI_HOT_RECT, 110, 0, 580, 34, nullptr, PickRow},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 115, 3, 5, sizeof(const char*), g_rowName, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_STRING_VAR, 115, 18, 5, sizeof(const char*), g_rowDescription, nullptr},
    kMenuEnd,
};
const MenuItem kAutoRow[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 400, 545, 10, 0, &g_secondTitle, nullptr},
    {MI_BUTTON_STRING_VAR, 60, 559, 678, 28, &g_autoDescription, PickAutoRow},
    kMenuEnd,
};
const MenuItem kNoAutoRow[] = {kMenuEnd};
const MenuItem* g_autoRow = kNoAutoRow;

}  // namespace

const char* SaveLoadRowName(int16_t row) {
    if (row < 0 || row >= kSaveSlots - 1 || g_rowName[row] == nullptr) return "";
    return g_rowName[row];
}

int32_t SaveLoadPickSlot(int16_t slot) {
    if (slot < 0 || slot >= kSaveSlots) return MENU_CONTINUE;
    if (SaveLoadMode == 1) return LoadFromSlot(slot);
    if (slot == kAutoSaveSlot) return MENU_CONTINUE;
    return SaveIntoSlot(slot);
}

void SaveLoadMenu() {
    const bool loading = SaveLoadMode == 1;
    if (IsMenuFirstEntry() == 1) SetMenuTitleDate(loading ? 4 : 0);
    // The text entry writes the name being typed into the slot's array.
    if (IsTextInputActive() != 0) return;
    if (LoadGameIndex() < 0) ShowMessageBox(GetText(kIndexBadText), 0);
    std::snprintf(g_emptyText, sizeof g_emptyText, "%s", GetText(kEmptySlotText));
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        const bool used = SaveSlotFlags[slot] == 1;
        SaveSlotShownUsed[slot] = used ? 1 : 0;
        if (slot == kAutoSaveSlot) break;
        g_rowName[slot] = used ? SaveSlotNames[slot] : g_emptyText;
        g_rowDescription[slot] = used ? SaveSlotDescriptions[slot] : "";
    }
    const bool autoRow = loading && SaveSlotShownUsed[kAutoSaveSlot] == 1;
    g_autoRow = autoRow ? kAutoRow : kNoAutoRow;
    g_secondTitle = autoRow ? kAutoSaveText : int16_t(-1);
    g_title = loading ? kLoadTitleText : kSaveTitleText;
}

const MenuItem SaveLoadTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SaveLoadMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &g_title, nullptr},
    {MI_GROUP, 0, 130, kSaveSlots - 1, 35, kSlotRow, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_autoRow, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), SaveLoadBack},
    kMenuEnd,
};

// ---- Screen 98 -------------------------------------------------------------------

namespace {

void LoadSlotZeroMenu() { IsMenuFirstEntry(); }

int32_t LoadSlotZero(MenuHotItem*) {
    WaitBox(480, kTextPleaseWait);
    const int result = LoadSavedGame(0);
    CheckCupTieFixturesAll();
    if (result < 0) {
        ShowMessageBox(GetText(kSlotLoadFailedText), 0);
        return MENU_REDRAW;
    }
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

const MenuItem LoadSlotZeroTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(LoadSlotZeroMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_HOT_RECT, 0, 0, 800, 600, nullptr, LoadSlotZero},
    kMenuEnd,
};
