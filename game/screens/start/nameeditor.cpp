#include "game/screens/start/nameeditor.h"

#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/competitions.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/start/clubnames.h"

int8_t NameEditorNation = 0;

namespace {

constexpr int kNations = 8;
constexpr int kNameChars = 32;      // a division or cup name
constexpr int kClubNameChars = 18;  // a club-name field
// The text fields over the names: a division or cup name in a field of max
// length 32, a team name in one of 19.
constexpr int kNameFieldLength = 32;
constexpr int kClubNameFieldLength = 19;
constexpr int kListPerPage = 60;
constexpr int kListRows = 20;
constexpr int kListColumns = 3;
constexpr int kCellSize = 32;
constexpr uint16_t kFace = 0x5AD4;

// ---- Typing a name -------------------------------------------------------------------

char g_edit[kNameChars + 2] = "";
char g_editInitial[kNameChars + 2] = "";
char* g_editTarget = nullptr;
int g_editChars = 0;

// The name without the blanks that pad it.
void Trimmed(const char* field, int chars, char* out) {
    int length = int(strnlen(field, size_t(chars)));
    while (length > 0 && field[length - 1] == ' ') --length;
    std::memcpy(out, field, size_t(length));
    out[length] = '\0';
}

// Types over a name field that holds up to chars characters, in a field of
// maxLength (at most maxLength - 1 characters typed) at (x, y).  The field
// edits a copy that starts from the name as it stands, and the name takes
// the result only when it is accepted: a field opened without an initial
// text would start empty and, cancelled, write the empty text over the name.
void StartTyping(char* field, int chars, int maxLength, int x, int y, int width) {
    g_editTarget = field;
    g_editChars = chars;
    Trimmed(field, chars, g_edit);
    std::memcpy(g_editInitial, g_edit, sizeof g_edit);
    SetFont(14);
    TextInputDesc desc{};
    desc.x = uint16_t(x);
    desc.y = uint16_t(y);
    desc.maxWidth = uint16_t(width);
    desc.target = g_edit;
    desc.stop = NameEditor_InputDone;
    desc.maxLength = uint16_t(maxLength);
    desc.initial = g_editInitial;
    desc.maxLines = 1;
    EXTI_InitTextInput(&desc);
}

// ---- Division and cup pages -----------------------------------------------------------

int8_t Nation() {
    return NameEditorNation >= 0 && NameEditorNation < kNations ? NameEditorNation : int8_t(0);
}

char g_title[80] = "";
const char* g_titleText = g_title;

void SetNationTitle() {
    std::snprintf(g_title, sizeof g_title, "%s : %s", GetText(kTextCountry), HVW_GetNationName(Nation()));
}

constexpr int kRowX = 230;
constexpr int kRowWidth = 320;
constexpr int kRowHeight = 34;
constexpr int kDivisionY[kDivisionNames] = {165, 215, 265, 315, 365};
constexpr int kCupY[kCupNames] = {135, 180, 225, 270, 315, 360, 405};

void DrawRowFaces(const int* ys, int rows) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, kFace);
    for (int row = 0; row < rows; ++row) DoButton(kRowX, ys[row], kRowWidth, kRowHeight);
    SetDrawParam(2, kept);
}

// Each name where its text field types it, so that it stays in place while
// it is edited.
void DrawRowNames(char (*names)[kCompetitionNameSize], const int* ys, int rows) {
    SetFont(14);
    char name[kNameChars + 1];
    for (int row = 0; row < rows; ++row) {
        Trimmed(names[row], kNameChars, name);
        DrawTextAddrAt(kRowX, ys[row], name, JUSTIFY_LEFT_TOP);
    }
}

void DivisionFaces(int, int, int, int) { DrawRowFaces(kDivisionY, DivisionNameRows()); }
void DivisionNames(int, int, int, int) {
    DrawRowNames(CompetitionNames[Nation()].division, kDivisionY, DivisionNameRows());
}
void CupFaces(int, int, int, int) { DrawRowFaces(kCupY, CupNameRows()); }
void CupNames(int, int, int, int) { DrawRowNames(CompetitionNames[Nation()].cup, kCupY, CupNameRows()); }

void NamesPageProc() {
    SetMenuTitleDate(4);
    SetNationTitle();
}

template <int Row>
int32_t DivisionRow(MenuHotItem*) {
    if (Row >= DivisionNameRows()) return MENU_REDRAW;
    StartTyping(CompetitionNames[Nation()].division[Row], kNameChars, kNameFieldLength, kRowX,
                kDivisionY[Row], kRowWidth);
    return MENU_CONTINUE;
}

template <int Row>
int32_t CupRow(MenuHotItem*) {
    if (Row >= CupNameRows()) return MENU_REDRAW;
    StartTyping(CompetitionNames[Nation()].cup[Row], kNameChars, kNameFieldLength, kRowX, kCupY[Row],
                kRowWidth);
    return MENU_CONTINUE;
}

int32_t GoTo(int16_t id) {
    MenuOption = id;
    return MENU_CLOSE;
}
int32_t ToDivisions(MenuHotItem*) { return GoTo(109); }
int32_t ToCups(MenuHotItem*) { return GoTo(110); }
int32_t ToClubList(MenuHotItem*) { return GoTo(112); }
int32_t ToStart(MenuHotItem*) { return GoTo(22); }

// A save that fails is told in the log and the page stays: the names in
// memory keep what was typed.
int32_t AfterSave(int result, const char* what, int number) {
    if (result == kEditOk) return MENU_CLOSE;
    std::printf("Error: %s(): the edited names of %d could not be written (%d)\n", what, number, result);
    return MENU_REDRAW;
}

// ---- Club list page -----------------------------------------------------------------

int16_t g_clubs[kClubCount];
int16_t g_clubCount = 0;
int16_t g_page = 0;
char g_cells[kListPerPage][kCellSize];
char g_countryLine[80] = "";
const char* g_countryLineText = g_countryLine;
char g_countryName[40] = "";
const char* g_countryNameText = g_countryName;

void ListCountryClubs() {
    const int16_t country = HVW_GetViewedCountry();
    g_clubCount = 0;
    for (const TotStatClub& row : TotStatClubs) {
        const int16_t club = GetTotStatClubNumber(row);
        if (GetTotStatClubNation(row) != country || recbits::LoadU16(row.bytes + 45) == 0) continue;
        if (club < 0 || club >= kClubCount) continue;
        g_clubs[g_clubCount++] = club;
    }
}

// The names of the page's clubs: the edited first name between asterisks
// where the club has an edited-team file, else its built-in name.  Read
// once a page, not every frame.
void FillCells() {
    for (int cell = 0; cell < kListPerPage; ++cell) {
        const int entry = g_page * kListPerPage + cell;
        if (entry >= g_clubCount) {
            std::snprintf(g_cells[cell], kCellSize, " ");
            continue;
        }
        const int16_t club = g_clubs[entry];
        if (LoadEditedTeam(club) == kEditOk) {
            char name[kClubNameLength];
            Trimmed(ClubNameRecords[kClubCount].text[0], kClubNameChars, name);
            std::snprintf(g_cells[cell], kCellSize, "* %s *", name);
        } else {
            std::snprintf(g_cells[cell], kCellSize, "%s", DefaultClubNames[club]);
        }
    }
}

constexpr int kListTop = 100;
constexpr int kListStep = 20;
constexpr int kCellWidth = 220;
constexpr int kCellHeight = 22;
constexpr int kColumnStep = 250;
constexpr int kCellX = 35;

void ListFaces(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, kFace);
    for (int c = 0; c < kListColumns; ++c)
        for (int r = 0; r < kListRows; ++r)
            DoButton(kCellX + kColumnStep * c, kListTop + kListStep * r, kCellWidth, kCellHeight);
    DoButton(40, 550, 360, 40);
    DoButton(400, 550, 340, 40);
    SetDrawParam(2, kept);
}

void ListNames(int, int, int, int) {
    SetFont(8);
    for (int c = 0; c < kListColumns; ++c)
        for (int r = 0; r < kListRows; ++r)
            DrawTextAddrAt(kCellX + kColumnStep * c + 106, kListTop + kListStep * r + kCellHeight / 2,
                           g_cells[r + kListRows * c], JUSTIFY_CENTRE_MIDDLE);
}

int32_t PickCell(int column) {
    const int row = (CursorY - kListTop) / kListStep;
    if (row < 0 || row >= kListRows) return MENU_REDRAW;
    const int entry = g_page * kListPerPage + row + kListRows * column;
    if (entry >= g_clubCount) return MENU_REDRAW;
    const int16_t club = g_clubs[entry];
    SelectedClub = uint16_t(club);
    if (LoadEditedTeam(club) != kEditOk) ClubNameRecords[kClubCount] = ClubNameRecords[club];
    return GoTo(111);
}
template <int Column>
int32_t ClubCell(MenuHotItem*) {
    return PickCell(Column);
}

// ---- Club names page ----------------------------------------------------------------

constexpr int kClubRowY[3] = {200, 250, 300};
constexpr int kClubRowX = 360;
constexpr int kClubRowWidth = 400;
// The text fields of the three names.
constexpr int kClubFieldY[3] = {205, 255, 305};
constexpr int kClubFieldX = 400;
constexpr int kClubFieldWidth = 300;
char g_badgeLine[48] = "";
const char* g_badgeLineText = g_badgeLine;

void ClubNameFaces(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, kFace);
    for (int y : kClubRowY) DoButton(kClubRowX, y - 5, kClubRowWidth, kRowHeight);
    SetDrawParam(2, kept);
}

void ClubNameTexts(int, int, int, int) {
    SetFont(14);
    for (int row = 0; row < 3; ++row) {
        char name[kClubNameLength];
        Trimmed(ClubNameRecords[kClubCount].text[row], kClubNameChars, name);
        DrawTextAddrAt(kClubFieldX, kClubFieldY[row], name, JUSTIFY_LEFT_TOP);
    }
}

template <int Row>
int32_t ClubNameRow(MenuHotItem*) {
    StartTyping(ClubNameRecords[kClubCount].text[Row], kClubNameChars, kClubNameFieldLength, kClubFieldX,
                kClubFieldY[Row], kClubFieldWidth);
    return MENU_CONTINUE;
}

}  // namespace

// ---- Handlers and screen functions --------------------------------------------------------

int32_t NextNameSet(MenuHotItem*) {
    NameEditorNation = int8_t(Nation() + 1 >= kNations ? 0 : Nation() + 1);
    return MENU_CLOSE;
}

int32_t SaveDivisionNames(MenuHotItem*) {
    const int8_t nation = Nation();
    std::memcpy(DivisionEditRecord, CompetitionNames[nation].division,
                sizeof CompetitionNames[nation].division);
    return AfterSave(SaveEditedDivision(nation), "SaveDivisionNames", nation);
}

int32_t SaveCupNames(MenuHotItem*) {
    const int8_t nation = Nation();
    std::memcpy(CupEditRecord, CompetitionNames[nation].cup, sizeof CompetitionNames[nation].cup);
    return AfterSave(SaveEditedCup(nation), "SaveCupNames", nation);
}

int32_t SaveTeamNames(MenuHotItem*) {
    const int16_t club = int16_t(SelectedClub);
    if (club < 0 || club >= kClubCount) return MENU_REDRAW;
    const int32_t result = AfterSave(SaveEditedTeam(club), "SaveTeamNames", club);
    if (result == MENU_CLOSE) MenuOption = kScreenNameClubList;
    return result;
}

int32_t EditTeamNextCountry(MenuHotItem*) {
    const int16_t next = HVW_GetViewedCountry() + 1;
    HVW_SetViewedCountry(next >= kNations ? 0 : next);
    g_page = 0;
    g_clubCount = 0;
    return MENU_CLOSE;
}

int32_t EditTeamNextPage(MenuHotItem*) {
    g_page = int16_t((g_page + 1) * kListPerPage < g_clubCount ? g_page + 1 : 0);
    FillCells();
    return MENU_REDRAW;
}

void EditTeamListScreenProc() {
    if (IsMenuFirstEntry() != 1) return;
    SetMenuTitleDate(4);
    const int16_t country = HVW_GetViewedCountry();
    g_page = 0;
    std::snprintf(g_countryLine, sizeof g_countryLine, "%s : %s", GetText(kTextCountry),
                  HVW_GetNationName(country));
    std::snprintf(g_countryName, sizeof g_countryName, "%s", GetText(int16_t(kTextCountry + country)));
    ListCountryClubs();
    FillCells();
}

void EditTeamNamesScreenProc() {
    if (IsMenuFirstEntry() != 1) return;
    SetMenuTitleDate(4);
    const int16_t club = int16_t(SelectedClub);
    if (club < 0 || club >= kClubCount) return;
    ClubNameRecords[club] = ClubNameRecords[kClubCount];
    std::snprintf(g_badgeLine, sizeof g_badgeLine, "Club badge file name = %d.tga", club);
}

int16_t NameEditor_InputDone(int16_t outcome) {
    if (outcome == TEXT_INPUT_ACCEPTED && g_editTarget != nullptr) {
        if (g_editChars == kNameChars) {
            // A 34-byte name: the text, blanks to 32 characters, the end.
            std::memset(g_editTarget, 0, kCompetitionNameSize);
            std::memcpy(g_editTarget, g_edit, strnlen(g_edit, kNameChars));
            PadName34(g_editTarget);
        } else {
            std::memset(g_editTarget, 0, kClubNameLength);
            std::memcpy(g_editTarget, g_edit, strnlen(g_edit, kClubNameChars));
        }
    }
    g_editTarget = nullptr;
    return MENU_REDRAW;
}

int16_t ClubListCount() { return g_clubCount; }
int16_t ClubListPage() { return g_page; }
const char* ClubListCell(int16_t row, int16_t column) {
    if (row < 0 || row >= kListRows || column < 0 || column >= kListColumns) return "";
    return g_cells[row + kListRows * column];
}

int16_t DivisionNameRows() {
    int16_t rows = 0;
    while (rows < kDivisionNames && DivisionLayout[Nation()][rows].clubs > 0) ++rows;
    return rows;
}

int16_t CupNameRows() {
    int16_t rows = 0;
    char name[kNameChars + 1];
    while (rows < kCupNames) {
        Trimmed(CompetitionNames[Nation()].cup[rows], kNameChars, name);
        if (name[0] == '\0') break;
        ++rows;
    }
    return rows > 0 ? rows : int16_t(1);
}

// ---- The pages -------------------------------------------------------------------

#define TABS                                                               \
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},                          \
        {MI_BUTTON_TEXT, 40, 96, 230, 28, MenuValue(1334), ToDivisions},   \
        {MI_BUTTON_TEXT, 285, 96, 230, 28, MenuValue(1335), ToCups},       \
        {MI_BUTTON_TEXT, 530, 96, 230, 28, MenuValue(1336), ToClubList}, { \
        3, 743, 559, 5, 0, MenuValue(153), ToStart                         \
    }

const MenuItem DivisionNamesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(NamesPageProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DivisionFaces), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_STRING_VAR, 400, 64, 10, 0, &g_titleText, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DivisionNames), nullptr},
    {MI_HOT_RECT, kRowX, 165, kRowWidth, kRowHeight, nullptr, DivisionRow<0>},
    {MI_HOT_RECT, kRowX, 215, kRowWidth, kRowHeight, nullptr, DivisionRow<1>},
    {MI_HOT_RECT, kRowX, 265, kRowWidth, kRowHeight, nullptr, DivisionRow<2>},
    {MI_HOT_RECT, kRowX, 315, kRowWidth, kRowHeight, nullptr, DivisionRow<3>},
    {MI_HOT_RECT, kRowX, 365, kRowWidth, kRowHeight, nullptr, DivisionRow<4>},
    TABS,
    {MI_BUTTON_TEXT, 40, 458, 360, 32, MenuValue(kTextCountry), NextNameSet},
    {MI_BUTTON_TEXT, 400, 458, 340, 32, MenuValue(89), SaveDivisionNames},
    kMenuEnd,
};

const MenuItem CupNamesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(NamesPageProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(CupFaces), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_STRING_VAR, 400, 64, 10, 0, &g_titleText, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(CupNames), nullptr},
    {MI_HOT_RECT, kRowX, 135, kRowWidth, kRowHeight, nullptr, CupRow<0>},
    {MI_HOT_RECT, kRowX, 180, kRowWidth, kRowHeight, nullptr, CupRow<1>},
    {MI_HOT_RECT, kRowX, 225, kRowWidth, kRowHeight, nullptr, CupRow<2>},
    {MI_HOT_RECT, kRowX, 270, kRowWidth, kRowHeight, nullptr, CupRow<3>},
    {MI_HOT_RECT, kRowX, 315, kRowWidth, kRowHeight, nullptr, CupRow<4>},
    {MI_HOT_RECT, kRowX, 360, kRowWidth, kRowHeight, nullptr, CupRow<5>},
    {MI_HOT_RECT, kRowX, 405, kRowWidth, kRowHeight, nullptr, CupRow<6>},
    TABS,
    {MI_BUTTON_TEXT, 40, 458, 360, 32, MenuValue(kTextCountry), NextNameSet},
    {MI_BUTTON_TEXT, 400, 458, 340, 32, MenuValue(89), SaveCupNames},
    kMenuEnd,
};

const MenuItem ClubNamesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(EditTeamNamesScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(ClubNameFaces), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_TEXT, 400, 64, 10, 0, MenuValue(1336), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 40, 200, 5, 0, MenuValue(1337), nullptr},
    {MI_TEXT, 40, 250, 5, 0, MenuValue(1338), nullptr},
    {MI_TEXT, 40, 300, 5, 0, MenuValue(1339), nullptr},
    {MI_STRING_VAR, 400, 370, 10, 0, &g_badgeLineText, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(ClubNameTexts), nullptr},
    {MI_HOT_RECT, kClubRowX, 195, kClubRowWidth, kRowHeight, nullptr, ClubNameRow<0>},
    {MI_HOT_RECT, kClubRowX, 245, kClubRowWidth, kRowHeight, nullptr, ClubNameRow<1>},
    {MI_HOT_RECT, kClubRowX, 295, kClubRowWidth, kRowHeight, nullptr, ClubNameRow<2>},
    TABS,
    {MI_BUTTON_TEXT, 40, 458, 360, 32, MenuValue(173), ToClubList},
    {MI_BUTTON_TEXT, 400, 458, 340, 32, MenuValue(89), SaveTeamNames},
    kMenuEnd,
};

const MenuItem ClubListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(EditTeamListScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(ListFaces), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_TEXT, 400, 64, 10, 0, MenuValue(1336), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 400, 88, 10, 0, &g_countryNameText, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(ListNames), nullptr},
    {MI_HOT_RECT, kCellX, kListTop, kCellWidth, kListRows* kListStep, nullptr, ClubCell<0>},
    {MI_HOT_RECT, kCellX + kColumnStep, kListTop, kCellWidth, kListRows* kListStep, nullptr, ClubCell<1>},
    {MI_HOT_RECT, kCellX + 2 * kColumnStep, kListTop, kCellWidth, kListRows* kListStep, nullptr, ClubCell<2>},
    {MI_HOT_RECT, 40, 550, 360, 40, nullptr, EditTeamNextCountry},
    {MI_STRING_VAR, 220, 570, 10, 0, &g_countryLineText, nullptr},
    {MI_HOT_RECT, 400, 550, 340, 40, nullptr, EditTeamNextPage},
    {MI_TEXT, 580, 570, 10, 0, MenuValue(1340), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ToStart},
    kMenuEnd,
};

const MenuItem* NameEditorTable(int16_t id) {
    switch (id) {
        case 109:
            return DivisionNamesTable;
        case 110:
            return CupNamesTable;
        case 111:
            return ClubNamesTable;
        default:
            return ClubListTable;
    }
}
