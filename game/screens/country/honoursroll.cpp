#include "game/screens/country/honoursroll.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerinfo.h"

HonoursRollState HonoursRoll = {};

namespace {

constexpr int16_t kNone = int16_t(0x8000);
constexpr int kNationalCupSlots = 4;
constexpr int16_t kDivisionColumns = kHonoursColumns - kHonoursCupColumns;
constexpr int kNameSize = 40;
constexpr int kLineSize = 160;

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

// ---- Honours roll -----------------------------------------------------------------------

char g_name[kNameSize];
const char* g_nameText = g_name;
int16_t g_rowFirst[kHonoursRollRows];
int16_t g_rowDash[kHonoursRollRows];
int16_t g_rowSecond[kHonoursRollRows];
int16_t g_rowWinner[kHonoursRollRows];
int16_t g_rowRunnerUp[kHonoursRollRows];

// The pop-ups, rebuilt on every walk for the viewed country.
int16_t g_cupColumns[kHonoursCupColumns];
int16_t g_divisionColumns[kDivisionColumns];
const char* g_cupNames[kHonoursCupColumns];
const char* g_divisionNames[kDivisionColumns];
PopupEntry g_cupPopup[kHonoursCupColumns + 2];
PopupEntry g_divisionPopup[kDivisionColumns + 2];

const char* ColumnName(int16_t column, int16_t country) {
    const char* name = column < kHonoursCupColumns
                           ? HVW_GetCupRoundEntry(column, country)
                           : HVW_GetDivisionName(int16_t(column - kHonoursCupColumns), country);
    return name != nullptr ? name : "";
}

int32_t PickCup(PopupCallBlock* call) {
    const int n = HonoursRollCupEntries(g_cupColumns);
    if (call == nullptr || call->row >= n) return MENU_KEEP_POPUP;
    HonoursRoll_ChooseColumn(g_cupColumns[call->row]);
    return MENU_REDRAW;
}

int32_t PickDivision(PopupCallBlock* call) {
    const int n = HonoursRollDivisionEntries(g_divisionColumns);
    if (call == nullptr || call->row >= n) return MENU_KEEP_POPUP;
    HonoursRoll_ChooseColumn(g_divisionColumns[call->row]);
    return MENU_REDRAW;
}

void BuildPopup(PopupEntry* popup, const char** names, const int16_t* columns, int n, PopupFunction pick) {
    popup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
    for (int k = 0; k < n; ++k) {
        names[k] = ColumnName(columns[k], Country());
        popup[k + 1] = {
            POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &names[k], pick, nullptr};
    }
    popup[n + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

void BuildPopups() {
    BuildPopup(g_cupPopup, g_cupNames, g_cupColumns, HonoursRollCupEntries(g_cupColumns), PickCup);
    BuildPopup(g_divisionPopup, g_divisionNames, g_divisionColumns,
               HonoursRollDivisionEntries(g_divisionColumns), PickDivision);
}

void FillSeasons() {
    HonoursRollState& s = HonoursRoll;
    const int16_t country = Country();
    int first = HVW_GetSeason() + 2002;
    int second = (HVW_GetSeason() + 2003) % 100;
    for (int i = 0; i < kHonoursRollSeasons; ++i) {
        s.firstYear[i] = int16_t(first);
        s.secondYear[i] = int16_t(second);
        --first;
        if (--second < 0) second = 99;
        int16_t runnerUp = -1;
        s.winner[i] = HVW_GetHonoursEntry(int16_t(i), s.competition, &runnerUp, country);
        s.runnerUp[i] = s.winner[i] == -1 ? int16_t(-1) : runnerUp;
    }
}

int16_t ClubText(int16_t club) { return IsClubNumber(club) ? HVW_ClubTextId(club) : int16_t(-1); }

void FillPage() {
    const HonoursRollState& s = HonoursRoll;
    for (int r = 0; r < kHonoursRollRows; ++r) {
        const int i = s.top + r;
        const bool shown = i < kHonoursRollSeasons && s.winner[i] != -1;
        g_rowFirst[r] = shown ? s.firstYear[i] : kNone;
        g_rowSecond[r] = shown ? s.secondYear[i] : kNone;
        g_rowDash[r] = shown ? kTextDash : int16_t(-1);
        g_rowWinner[r] = shown ? ClubText(s.winner[i]) : int16_t(-1);
        g_rowRunnerUp[r] = shown ? ClubText(s.runnerUp[i]) : int16_t(-1);
    }
}

const MenuItem kRollRow[] = {
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},
    {MI_NUMBER_I16, 5, 12, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_rowFirst, nullptr},
    {MI_TEXT_VAR, 65, 12, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_rowDash, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_TWO_DIGITS), nullptr},
    {MI_NUMBER_I16, 75, 12, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_rowSecond, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},
    {MI_TEXT_VAR, 155, 12, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_rowWinner, nullptr},
    {MI_TEXT_VAR, 465, 12, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_rowRunnerUp, nullptr},
    kMenuEnd,
};

}  // namespace

int HonoursRollCupEntries(int16_t columns[kHonoursCupColumns]) {
    const int16_t country = Country();
    int n = 0;
    for (int16_t slot = 0; slot < kNationalCupSlots; ++slot) {
        if (HVW_GetCupRoundCount(slot, country) > 0) columns[n++] = slot;
    }
    // Every country's clubs play the European cups: their honours stand in
    // the country's own rows.
    for (int16_t slot = kNationalCupSlots; slot < kHonoursCupColumns; ++slot) columns[n++] = slot;
    return n;
}

int HonoursRollDivisionEntries(int16_t columns[kHonoursColumns - kHonoursCupColumns]) {
    const int n = std::min<int>(HVW_CountDivisions(Country()), kDivisionColumns);
    for (int d = 0; d < n; ++d) columns[d] = int16_t(kHonoursCupColumns + d);
    return n;
}

bool HonoursRoll_HasColumn(int16_t column) {
    int16_t cups[kHonoursCupColumns], divisions[kDivisionColumns];
    const int nCups = HonoursRollCupEntries(cups);
    const int nDivisions = HonoursRollDivisionEntries(divisions);
    return std::find(cups, cups + nCups, column) != cups + nCups ||
           std::find(divisions, divisions + nDivisions, column) != divisions + nDivisions;
}

int32_t HonoursRoll_ChooseColumn(int16_t column) {
    if (!HonoursRoll_HasColumn(column)) return MENU_CONTINUE;
    HonoursRoll.competition = column;
    HonoursRoll.divisionFlag = column >= kHonoursCupColumns ? 1 : 0;
    HonoursRoll.top = 0;
    return MENU_REDRAW;
}

void HonoursRollScreenProc() {
    HonoursRollState& s = HonoursRoll;
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        s.top = 0;
        int16_t cups[kHonoursCupColumns];
        s.competition = HonoursRollCupEntries(cups) > 0 ? cups[0] : kHonoursCupColumns;
        s.divisionFlag = s.competition >= kHonoursCupColumns ? 1 : 0;
    }
    BuildPopups();
    std::snprintf(g_name, sizeof g_name, "%s", ColumnName(s.competition, Country()));
    FillSeasons();
    FillPage();
}

int32_t HonoursRoll_ScrollUp(MenuHotItem*) {
    HonoursRoll.top = int16_t(std::max(HonoursRoll.top - 1, 0));
    return MENU_REDRAW;
}

// Down only while the season below the page has a winner: the list stops
// at the first season without one.
int32_t HonoursRoll_ScrollDown(MenuHotItem*) {
    const int below = HonoursRoll.top + kHonoursRollRows;
    if (below < kHonoursRollSeasons && HonoursRoll.winner[below] != -1) ++HonoursRoll.top;
    return MENU_REDRAW;
}

int32_t HonoursRoll_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const char* HonoursRollName() { return g_name; }
const char* HonoursRollWinnerName(int row) {
    return row >= 0 && row < kHonoursRollRows && g_rowWinner[row] >= 0 ? GetText(g_rowWinner[row]) : "";
}
const char* HonoursRollRunnerUpName(int row) {
    return row >= 0 && row < kHonoursRollRows && g_rowRunnerUp[row] >= 0 ? GetText(g_rowRunnerUp[row]) : "";
}

const MenuItem HonoursRollTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(HonoursRollScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, JUSTIFY_CENTRE_MIDDLE, 0, &g_nameText, nullptr},
    {MI_CUSTOM, 20, 97, 758, 40, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 175, 117, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(1466), nullptr},
    {MI_TEXT, 485, 117, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(1467), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 20, 157, kHonoursRollRows, 25, kRollRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 22, 559, 5, 0, MenuValue(192), HonoursRoll_ScrollUp},
    {MI_ICON, 22, 573, 5, 0, MenuValue(193), HonoursRoll_ScrollDown},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(867), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_cupPopup, nullptr},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(868), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_divisionPopup, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), HonoursRoll_Back},
    kMenuEnd,
};

// ---- Game records (screen 41) ---------------------------------------------------------

namespace {

char g_recordLines[kGameRecordLines][kLineSize];
const char* g_recordText[kGameRecordLines];
int16_t g_recordLabels[kGameRecordLines];

const char* PlayerName(uint16_t player) {
    return IsValidPlayer(player) ? HVW_GetPlayerShortName(player) : "";
}

// Club names come through one shared buffer: each is copied before the
// next is asked for.
struct NameCopy {
    char text[kNameSize];
    explicit NameCopy(const char* name) { std::snprintf(text, sizeof text, "%s", name); }
};

NameCopy ClubNameOf(int16_t club) {
    return NameCopy(IsClubNumber(club) ? GetText(HVW_ClubTextId(club)) : "");
}
NameCopy NameOfText(int16_t textId) { return NameCopy(textId >= 0 ? GetText(textId) : ""); }

int Year(int16_t twoDigits) { return HVW_ExpandTwoDigitYear(twoDigits); }

void RecordSigning(char* line) {
    int16_t player = -1, clubText = -1, sellerText = -1, season = 0;
    const int32_t fee = HVW_FindRecordBuyClub(&player, &clubText, &sellerText, &season);
    if (fee == INT32_MIN || fee < 1) return;
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, NUMBER_MONEY_PLAIN);
    char money[NUMBER_TEXT_SIZE];
    std::snprintf(money, sizeof money, "%s", Number2Str(fee));
    SetDrawParam(3, kept);
    const NameCopy buyer = NameOfText(clubText), seller = NameOfText(sellerText);
    AppendText(line, kLineSize, "%s   %s %s %s   %s   %d", PlayerName(uint16_t(player)), buyer.text, money,
               GetText(kTextFrom), seller.text, Year(season));
}

void RecordWin(char* line) {
    int16_t opponentText = -1, season = 0;
    const int16_t club = HVW_FindRecordWinClub(&opponentText, &season);
    const int goalsFor = HVW_GetClubRecordWinGoalsFor(club);
    const int goalsAgainst = HVW_GetClubRecordWinGoalsAgainst(club);
    if (goalsFor - goalsAgainst < 1) return;
    const NameCopy home = ClubNameOf(club), opponent = NameOfText(opponentText);
    AppendText(line, kLineSize, "%d-%d %s %s %s %d", goalsFor, goalsAgainst, home.text, GetText(kTextVersus),
               opponent.text, Year(season));
}

void RecordCrowd(char* line) {
    int16_t season = 0, opponentText = -1;
    const int16_t club = HVW_FindRecordCrowdClub(&season, &opponentText);
    const int32_t crowd = HVW_GetClubRecordCrowd(club);
    if (crowd < 1) return;
    const NameCopy home = ClubNameOf(club), opponent = NameOfText(opponentText);
    AppendText(line, kLineSize, "%d %s %s %s %d", crowd, home.text, GetText(kTextVersus), opponent.text,
               Year(season));
}

// A season record of the viewed country: figure, holder, year.
void CountryRecord(char* line, int16_t (*find)(int16_t*, int16_t*), int16_t (*figureOf)(int16_t)) {
    int16_t season = 0, clubText = -1;
    const int16_t club = find(&season, &clubText);
    const int figure = figureOf(club);
    if (figure < 1) return;
    AppendText(line, kLineSize, "%d %s %d", figure, NameOfText(clubText).text, Year(season));
}

void RecordScorer(char* line) {
    int16_t season = 0, player = 0;
    const int16_t club = HVW_FindRecordGoalsClub(&season, &player);
    const int goals = HVW_GetClubRecordGoals(club);
    if (goals < 1) return;
    AppendText(line, kLineSize, "%d %s %s %d", goals, ClubNameOf(club).text, PlayerName(uint16_t(player)),
               Year(season));
}

}  // namespace

void GameRecordsScreenProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        for (int i = 0; i < kGameRecordLines; ++i) g_recordLabels[i] = -1;
    }
    constexpr int16_t kLabels[kGameRecordsShown] = {556, 558, 555, 1840, 1841, 1842, 560, -1, -1};
    for (int i = 0; i < kGameRecordLines; ++i) {
        g_recordLines[i][0] = '\0';
        g_recordText[i] = g_recordLines[i];
        g_recordLabels[i] = i < kGameRecordsShown ? kLabels[i] : int16_t(-1);
    }
    RecordSigning(g_recordLines[0]);
    RecordWin(g_recordLines[1]);
    RecordCrowd(g_recordLines[2]);
    CountryRecord(g_recordLines[3], HVW_FindCountryRecordB, HVW_GetCountryRecordB);
    CountryRecord(g_recordLines[4], HVW_FindCountryRecordC, HVW_GetCountryRecordC);
    CountryRecord(g_recordLines[5], HVW_FindCountryRecordA, HVW_GetCountryRecordA);
    RecordScorer(g_recordLines[6]);
}

int32_t GameRecords_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int16_t GameRecordLabel(int line) { return line >= 0 && line < kGameRecordLines ? g_recordLabels[line] : -1; }
const char* GameRecordText(int line) {
    return line >= 0 && line < kGameRecordLines ? g_recordLines[line] : "";
}

namespace {

const MenuItem kRecordRow[] = {
    {MI_TEXT_VAR, 10, 11, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_recordLabels, nullptr},
    {MI_STRING_VAR, 230, 11, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_recordText, nullptr},
    kMenuEnd,
};

}  // namespace

const MenuItem GameRecordsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(GameRecordsScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(1469), nullptr},
    {MI_CUSTOM, 20, 177, 379, 308, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 399, 177, 379, 308, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 20, 177, kGameRecordsShown, 22, kRecordRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), GameRecords_Back},
    kMenuEnd,
};
