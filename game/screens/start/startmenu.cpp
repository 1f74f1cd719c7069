#include "game/screens/start/startmenu.h"

#include <cstdio>
#include <cstring>

#include "core/records/blockfiles.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/cupdays.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/start/clubnames.h"
#include "game/system/keyboard.h"
#include "game/system/startup.h"

const int16_t DivisionNameTextBase[kNameSets] = {145, 145, 1738, 1764, 1790, 1927, 1953, 1979};

namespace {

constexpr const char* kNoStadiumName = "No Stadium Name";
constexpr const char* kNoNickname = "No Nickname";
// A club-name field keeps 18 characters and its terminator.
constexpr int kClubFieldChars = 18;

void CopyClubField(char (&field)[kClubNameLength], const char* text) {
    std::memset(field, 0, sizeof field);
    if (text != nullptr) std::memcpy(field, text, strnlen(text, kClubFieldChars));
}

// An edit buffer's field may lack its terminator: read at most its size.
void CopyEditedName(char field[kCompetitionNameSize], const char* edited) {
    char text[kCompetitionNameSize + 1] = {};
    std::memcpy(text, edited, kCompetitionNameSize);
    PadNameField(field, text);
}

void BuildDivisionNames(int16_t set) {
    if (LoadEditedDivision(set) == kEditOk) {
        for (int j = 0; j < kDivisionNames; ++j)
            CopyEditedName(CompetitionNames[set].division[j], DivisionEditRecord + j * kCompetitionNameSize);
        return;
    }
    for (int j = 0; j < kDivisionNames; ++j)
        PadNameField(CompetitionNames[set].division[j], GetText(int16_t(DivisionNameTextBase[set] + j)));
}

void BuildCupNames(int16_t set) {
    if (LoadEditedCup(set) == kEditOk) {
        for (int j = 0; j < kCupNames; ++j)
            CopyEditedName(CompetitionNames[set].cup[j], CupEditRecord + j * kCompetitionNameSize);
        return;
    }
    for (int j = 0; j < kCupNames; ++j)
        PadNameField(CompetitionNames[set].cup[j], GetText(int16_t(CupNameTextBase[set] + j)));
}

void BuildClubName(int16_t club) {
    ClubNameRecord& record = ClubNameRecords[club];
    if (LoadEditedTeam(club) == kEditOk) {
        const ClubNameRecord& edited = ClubNameRecords[kClubCount];
        for (int field = 0; field < 3; ++field) {
            char text[kClubNameLength + 1] = {};
            std::memcpy(text, edited.text[field], kClubNameLength);
            CopyClubField(record.text[field], text);
        }
        return;
    }
    CopyClubField(record.text[0], DefaultClubNames[club]);
    CopyClubField(record.text[1], kNoStadiumName);
    CopyClubField(record.text[2], kNoNickname);
}

}  // namespace

void PadNameField(char field[kCompetitionNameSize], const char* text) {
    std::memset(field, 0, kCompetitionNameSize);
    const size_t length = text == nullptr ? 0 : strnlen(text, kNameFieldChars);
    if (length > 0) std::memcpy(field, text, length);
    std::memset(field + length, ' ', kNameFieldChars - length);
}

void BuildNameTables() {
    for (int16_t set = 0; set < kNameSets; ++set) BuildDivisionNames(set);
    for (int16_t set = 0; set < kNameSets; ++set) BuildCupNames(set);
    for (int16_t club = 0; club < kClubCount; ++club) BuildClubName(club);
}

namespace {

char g_versionLine[96] = "";

int32_t StartNewGame(MenuHotItem*) {
    MenuOption = kScreenPlayedCountries;
    return MENU_CLOSE;
}
int32_t StartLoadGame(MenuHotItem*) {
    MenuOption = kScreenLoadGame;
    return MENU_CLOSE;
}
int32_t StartIdle(MenuHotItem*) { return MENU_CONTINUE; }

// F11, the key that opens them during a match, opens the video options.
constexpr int kVideoOptionsKey = 87;
void StartKeys(int16_t) {
    if (KeyWasPressed(kVideoOptionsKey) == 0) return;
    MenuOption = kScreenVideoOptions;
    SetMenuFrameResult(MENU_CLOSE);
}
const MenuTimerRecord kStartKeys = {1, 1, StartKeys};

}  // namespace

void StartMenuProc() {
    if (IsMenuFirstEntry() != 1) return;
    std::snprintf(g_versionLine, sizeof g_versionLine,
                  "Halvorn football management, version %u.%02u   (F11: video options)",
                  unsigned(HALVORN_PROGRAM_VERSION / 1000), unsigned(HALVORN_PROGRAM_VERSION % 1000 / 10));
    LoadDatabaseStats();
    BuildNameTables();
}

const MenuItem StartMenuTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(StartMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(2), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1008), nullptr},
    {MI_TEXT, 20, 1, 5, 0, MenuValue(3199), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1012), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1012), nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kStartKeys, nullptr},
    {MI_BUTTON_TEXT, 100, 535, 200, 30, MenuValue(726), StartNewGame},
    {MI_BUTTON_TEXT, 300, 535, 200, 30, MenuValue(727), StartLoadGame},
    // The third button, "Edit Names", stands in the disabled colour and
    // leads nowhere: no screen of the game opens the name editors.
    {MI_TEXT_COLOUR, 0, 0, 0, 2, MenuValue(9), nullptr},
    {MI_BUTTON_TEXT, 500, 535, 200, 30, MenuValue(1128), StartIdle},
    {MI_TEXT_COLOUR, 0, 0, 0, 2, MenuValue(0), nullptr},
    {MI_STRING, 400, 590, 14, 0, g_versionLine, nullptr},
    {MI_END, 320, 452, 10, 0, nullptr, StartIdle},
};
