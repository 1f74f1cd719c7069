#include "game/screens/club/clubrecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerinfo.h"

// Yellow, cyan, green, orange, magenta and salmon: one for each of the six
// divisions a country's layout has room for.  A season place in a sixth
// division takes the sixth colour rather than ending the game: the layout
// allows six, and a club's records must open whatever division it was in.
const int16_t kDivisionPlaceColours[kDivisionColourCount] = {8, 7, 6, 21, 5, 16};

int16_t ClubRecordsSeasonOffset = 0;

namespace {

constexpr int kLineSize = 160;
constexpr int kCellSize = 24;
constexpr int kCupYearLineSize = 80;
constexpr int16_t kNone = int16_t(0x8000);
constexpr int kHonoursRows = 50;

// ---- Shared little formatters ------------------------------------------------------

const char* ClubName(int club) {
    return club >= 0 && club < kClubCount ? GetText(HVW_ClubTextId(int16_t(club))) : "";
}

const char* PlayerName(uint16_t player, int16_t slot) {
    return IsValidPlayer(player) ? HVW_FormatPlayerShortNameSlot(player, slot) : "";
}

// Number2Str in the given number type, copied out of its shared buffer.
void FormatNumber(char* out, size_t size, int32_t value, int32_t type) {
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, type);
    std::snprintf(out, size, "%s", Number2Str(value));
    SetDrawParam(3, kept);
}

int FourDigitYear(int twoDigits) { return HVW_ExpandTwoDigitYear(int16_t(twoDigits)); }

// ---- Club records state ----------------------------------------------------------------

char g_lines[kClubRecordLines][kLineSize];
const char* g_lineText[kClubRecordLines];
int16_t g_labels[kClubRecordLines];
int16_t g_clubNameId = -1;

int16_t g_cupRowCount = 0;
char g_cupNames[kClubCupRows][kLineSize];
char g_cupYears[kClubCupRows][2][kCupYearLineSize];
const char* g_cupNameText[kClubCupRows];
const char* g_cupYearText[kClubCupRows][2];

char g_seasonText[kClubSeasonRows][kCellSize];
char g_placeText[kClubSeasonRows][kCellSize];
const char* g_seasonTextPtr[kClubSeasonRows];
const char* g_placeTextPtr[kClubSeasonRows];
int16_t g_placeColour[kClubSeasonRows];
int16_t g_seasonIcon[kClubSeasonRows];
bool g_seasonFilled[kClubSeasonRows];
// Per row: played, won, drawn, lost, for, against, points.
constexpr int kSeasonFigures = 7;
int16_t g_figures[kSeasonFigures][kClubSeasonRows];

int16_t Club() { return int16_t(SelectedClub); }

int16_t ClubCountry(int16_t club) { return club >= 0 && club < kClubCount ? HVW_GetClubNation(club) : -1; }

void AppendDate(char* line, const ClubRecordDate& date) {
    AppendText(line, kLineSize, " %d/%d/%d", date.day, date.month + 1, FourDigitYear(date.year));
}

void AppendSeason(char* line, int season) {
    const int year = FourDigitYear(season);
    AppendText(line, kLineSize, " %d/%d", year - 1, year);
}

// The record signing or sale: player, "from" or "to" the other club, the
// fee (stored in hundreds) and the date; empty without a player or a fee.
void FillTransferLine(char* line, uint16_t player, int32_t feeHundreds, int16_t word, int16_t tag,
                      const ClubRecordDate& date) {
    if (player == 0 || feeHundreds == 0) return;
    char money[NUMBER_TEXT_SIZE];
    FormatNumber(money, sizeof money, int32_t(std::min<int64_t>(int64_t(feeHundreds) * 100, INT32_MAX)),
                 NUMBER_MONEY_PLAIN);
    AppendText(line, kLineSize, "%s %s %s %s", PlayerName(player, 0), GetText(word), ClubName(tag), money);
    AppendDate(line, date);
}

void FillRecordLines(int16_t club) {
    constexpr int16_t kLabelTexts[kClubRecordLines] = {556, 557, 560, 1846, 555, 1847, 558, 559, 1848, 1849};
    for (int i = 0; i < kClubRecordLines; ++i) {
        g_lines[i][0] = '\0';
        g_lineText[i] = g_lines[i];
        g_labels[i] = kLabelTexts[i];
    }
    if (club < 0 || club >= kClubCount) return;
    const ClubRecordBook r = HVW_GetClubRecordBook(club);
    FillTransferLine(g_lines[0], r.signingPlayer, r.signingFee, kTextFrom, r.signingTag, r.signingDate);
    FillTransferLine(g_lines[1], r.salePlayer, r.saleFee, kTextTo, r.saleTag, r.saleDate);
    if (r.scorer != 0 && r.scorerGoals != 0) {
        AppendText(g_lines[2], kLineSize, "%s %d %s", PlayerName(r.scorer, 0), r.scorerGoals,
                   GetText(kTextGoals));
        AppendSeason(g_lines[2], r.scorerSeason);
    }
    if (r.matchGoals != 0) {
        AppendText(g_lines[3], kLineSize, "%s %d %s %s %s", PlayerName(r.matchScorer, 0), r.matchGoals,
                   GetText(kTextGoals), GetText(kTextVersus), ClubName(r.matchTag));
        AppendSeason(g_lines[3], r.matchSeason);
    }
    if (r.crowd != 0) {
        AppendText(g_lines[4], kLineSize, "%d %s %s", r.crowd, GetText(kTextVersus), ClubName(r.crowdTag));
        AppendDate(g_lines[4], r.crowdDate);
    }
    if (r.lowCrowd != 0) {
        AppendText(g_lines[5], kLineSize, "%d %s %s", r.lowCrowd, GetText(kTextVersus),
                   ClubName(r.lowCrowdTag));
        AppendDate(g_lines[5], r.lowCrowdDate);
    }
    if (r.winFor > r.winAgainst) {
        AppendText(g_lines[6], kLineSize, "%d-%d %s %s", r.winFor, r.winAgainst, GetText(kTextVersus),
                   ClubName(r.winTag));
        AppendDate(g_lines[6], r.winDate);
    }
    if (r.defeatFor < r.defeatAgainst) {
        AppendText(g_lines[7], kLineSize, "%d-%d %s %s", r.defeatFor, r.defeatAgainst, GetText(kTextVersus),
                   ClubName(r.defeatTag));
        AppendDate(g_lines[7], r.defeatDate);
    }
    if (r.goalsTotal != 0) {
        AppendText(g_lines[8], kLineSize, "%d", r.goalsTotal);
        AppendSeason(g_lines[8], r.goalsTotalSeason);
    }
    if (r.pointsTotal != 0) {
        AppendText(g_lines[9], kLineSize, "%d", r.pointsTotal);
        AppendSeason(g_lines[9], r.pointsTotalSeason);
    }
}

// Row r of the honours table belongs to the season r seasons back; a cup
// is won in the season's second year.
int CupYearOfRow(int row) { return HVW_GetSeason() + 2003 - row; }

void FillCups(int16_t club) {
    int16_t columns[kClubCupRows];
    const int16_t country = ClubCountry(club);
    g_cupRowCount = int16_t(country >= 0 ? ClubRecords_CupColumns(country, columns) : 0);
    for (int i = 0; i < kClubCupRows; ++i) {
        g_cupNames[i][0] = g_cupYears[i][0][0] = g_cupYears[i][1][0] = '\0';
        g_cupNameText[i] = g_cupNames[i];
        g_cupYearText[i][0] = g_cupYears[i][0];
        g_cupYearText[i][1] = g_cupYears[i][1];
    }
    for (int i = 0; i < g_cupRowCount; ++i) {
        const char* name = HVW_GetCupRoundEntry(columns[i], country);
        std::snprintf(g_cupNames[i], kLineSize, "%s", name != nullptr ? name : "");
        int wins = 0;
        for (int row = 0; row < kHonoursRows && wins < kCupYearsListed; ++row) {
            if (HVW_IsHonoursColumnClub(club, columns[i], int16_t(row), country) == 0) continue;
            char* line = g_cupYears[i][wins < kCupYearsFirstLine ? 0 : 1];
            AppendText(line, kCupYearLineSize, line[0] == '\0' ? "%d" : ",%d", CupYearOfRow(row));
            ++wins;
        }
    }
}

void ClearSeasonRow(int p) {
    g_seasonText[p][0] = g_placeText[p][0] = '\0';
    g_seasonTextPtr[p] = g_seasonText[p];
    g_placeTextPtr[p] = g_placeText[p];
    g_placeColour[p] = 0;
    g_seasonIcon[p] = 0;
    g_seasonFilled[p] = false;
    for (auto& figure : g_figures) figure[p] = kNone;
}

void FillSeasonRow(int p, int16_t club, int16_t country, int k) {
    const int season = HVW_GetSeason();
    const int first = season + 2002 - (k + 1);
    const int second = (season + 2003 - (k + 1)) % 100;
    std::snprintf(g_seasonText[p], kCellSize, "%d%s%02d", first, GetText(kTextDash), second);
    const int16_t entry = int16_t(k);
    const int16_t played = HVW_GetClubSeasonRecordEntry(club, entry, 7);
    const int16_t won = HVW_GetClubSeasonRecordEntry(club, entry, 8);
    const int16_t drawn = HVW_GetClubSeasonRecordEntry(club, entry, 9);
    const int16_t values[kSeasonFigures] = {played,
                                            won,
                                            drawn,
                                            int16_t(played - (won + drawn)),
                                            HVW_GetClubSeasonRecordEntry(club, entry, 10),
                                            HVW_GetClubSeasonRecordEntry(club, entry, 11),
                                            HVW_GetClubSeasonRecordEntry(club, entry, 6)};
    for (int f = 0; f < kSeasonFigures; ++f) g_figures[f][p] = values[f];
    int16_t division = -1, place = 0;
    if (ClubRecords_DivisionOfPlace(country, HVW_GetClubSeasonRecordByte(club, entry), &division, &place)) {
        FormatNumber(g_placeText[p], kCellSize, place, NUMBER_ORDINAL);
        g_placeColour[p] = kDivisionPlaceColours[division];
        g_seasonIcon[p] = int16_t(kDivisionIconBase + division);
    }
    g_seasonFilled[p] = true;
}

void FillSeasons(int16_t club) {
    const int16_t country = ClubCountry(club);
    const int season = HVW_GetSeason();
    for (int p = 0; p < kClubSeasonRows; ++p) {
        ClearSeasonRow(p);
        const int k = p - 1 + ClubRecordsSeasonOffset;
        if (p == 0 || p > season || k < 0 || k >= kClubRecordSeasons || country < 0) continue;
        FillSeasonRow(p, club, country, k);
    }
}

// ---- Club records table ------------------------------------------------------------------

constexpr int16_t kFigureX[kSeasonFigures] = {167, 192, 217, 242, 267, 292, 317};

#define SEASON_FIGURE(f) \
    { MI_NUMBER_I16, kFigureX[f], 10, JUSTIFY_CENTRE_MIDDLE, sizeof(int16_t), g_figures[f], nullptr }

const MenuItem kRecordRow[] = {
    {MI_TEXT_VAR, 10, 10, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t), g_labels, nullptr},
    {MI_STRING_VAR, 240, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_lineText, nullptr},
    kMenuEnd,
};

const MenuItem kCupRow[] = {
    {MI_STRING_VAR, 10, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_cupNameText, nullptr},
    {MI_STRING_VAR, 150, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * 2, &g_cupYearText[0][0], nullptr},
    {MI_STRING_VAR, 10, 30, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * 2, &g_cupYearText[0][1], nullptr},
    kMenuEnd,
};

const MenuItem kSeasonRow[] = {
    {MI_ICON_VAR, 32, 10, JUSTIFY_CENTRE_MIDDLE, sizeof(int16_t), g_seasonIcon, nullptr},
    {MI_STRING_VAR, 85, 10, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*), g_seasonTextPtr, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_placeColour, nullptr},
    {MI_STRING_VAR, 115, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_placeTextPtr, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},
    SEASON_FIGURE(0),
    SEASON_FIGURE(1),
    SEASON_FIGURE(2),
    SEASON_FIGURE(3),
    SEASON_FIGURE(4),
    SEASON_FIGURE(5),
    SEASON_FIGURE(6),
    kMenuEnd,
};

#undef SEASON_FIGURE

}  // namespace

int ClubRecords_CupColumns(int16_t country, int16_t columns[kClubCupRows]) {
    // n cup slots in use give n - 1 rows: the n - 3 national cups, then the
    // European cups of columns 4 and 6 (column 5 is not listed).
    const int n = HVW_CountNationCups(country);
    const int rows = std::clamp(n - 1, 0, kClubCupRows);
    for (int i = 0; i < rows; ++i) columns[i] = int16_t(i < n - 3 ? i : i == n - 3 ? 4 : 6);
    return rows;
}

bool ClubRecords_DivisionOfPlace(int16_t country, int place, int16_t* division, int16_t* placeInDivision) {
    *division = -1;
    *placeInDivision = 0;
    if (place < 1) return false;
    const int16_t divisions = std::min<int16_t>(HVW_CountDivisions(country), kDivisionColourCount);
    int before = 0;
    for (int16_t d = 0; d < divisions; ++d) {
        const int clubs = HVW_GetClubsInDivision(d, country);
        if (place <= before + clubs) {
            *division = d;
            *placeInDivision = int16_t(place - before);
            return true;
        }
        before += clubs;
    }
    return false;
}

void ClubRecords_PaintCupsPanel(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    const int bands = 2 * g_cupRowCount;
    for (int i = 0; i < bands; ++i) DrawShadedRect(x, y + i * h, w, h, i % 2 == 0 ? 25 : 50);
    if (bands > 0) DrawBox(x, y, w, bands * h);
    SetDrawParam(2, kept);
}

void ClubRecordsScreenProc() {
    const int16_t club = Club();
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        ClubRecordsSeasonOffset = 0;
        g_clubNameId = club >= 0 && club < kClubCount ? HVW_ClubTextId(club) : int16_t(-1);
    }
    FillRecordLines(club);
    FillCups(club);
    FillSeasons(club);
}

int32_t ClubRecords_SeasonPageUp(MenuHotItem*) {
    ClubRecordsSeasonOffset = int16_t(std::max(ClubRecordsSeasonOffset - 1, 0));
    return MENU_REDRAW;
}

int32_t ClubRecords_SeasonPageDown(MenuHotItem*) {
    int offset = ClubRecordsSeasonOffset + 1;
    const int last = HVW_GetSeason() - kClubSeasonRows;
    if (offset > last) offset = last;
    if (offset < 0) offset = 0;
    ClubRecordsSeasonOffset = int16_t(offset);
    return MENU_REDRAW;
}

// Back to the vacancy list when the club was picked there; the flag has
// done its work then, so the title bar's way here later goes home.  A pick
// of another club was left on a road the user has left.
int32_t ClubRecords_Back(MenuHotItem*) {
    if (ClubPickedFlag == 1 && ClubPicksHoldFor(int16_t(SelectedClub))) {
        ClubPickedFlag = 0;
        MenuOption = kScreenVacancies;
    } else {
        MenuOption = kScreenClubMain;
    }
    return MENU_CLOSE;
}

const char* ClubRecordLine(int line) { return line >= 0 && line < kClubRecordLines ? g_lines[line] : ""; }
int16_t ClubRecordLabel(int line) { return line >= 0 && line < kClubRecordLines ? g_labels[line] : -1; }
int16_t ClubRecordsCupRowCount() { return g_cupRowCount; }
const char* ClubRecordsCupName(int row) { return row >= 0 && row < kClubCupRows ? g_cupNames[row] : ""; }
const char* ClubRecordsCupYears(int row, int line) {
    return row >= 0 && row < kClubCupRows && line >= 0 && line < 2 ? g_cupYears[row][line] : "";
}

ClubSeasonRowView ClubRecordsSeasonRow(int row) {
    if (row < 0 || row >= kClubSeasonRows) return {};
    const bool division = g_seasonIcon[row] != 0;
    return {g_seasonFilled[row], g_seasonText[row],
            g_placeText[row],    division ? g_placeColour[row] : int16_t(-1),
            g_seasonIcon[row],   g_figures[0][row],
            g_figures[1][row],   g_figures[2][row],
            g_figures[3][row],   g_figures[4][row],
            g_figures[5][row],   g_figures[6][row]};
}

const MenuItem ClubRecordsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubRecordsScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 50, JUSTIFY_CENTRE_TOP, 0, MenuValue(1213), nullptr},
    {MI_TEXT_VAR, 100, 50, JUSTIFY_CENTRE_TOP, 0, &g_clubNameId, nullptr},
    {MI_CUSTOM, 20, 97, 758, 200, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 20, 302, 379, 20, MenuFunction(ClubRecords_PaintCupsPanel), nullptr},
    {MI_CUSTOM, 401, 302, 379, 240, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 20, 97, kClubRecordLines, 20, kRecordRow, nullptr},
    {MI_GROUP, 20, 302, kClubCupRows, 40, kCupRow, nullptr},
    {MI_TEXT, 488, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(1065), nullptr},
    {MI_TEXT, 528, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(174), nullptr},
    {MI_TEXT, 568, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(137), nullptr},
    {MI_TEXT, 593, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(138), nullptr},
    {MI_TEXT, 618, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(139), nullptr},
    {MI_TEXT, 643, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(140), nullptr},
    {MI_TEXT, 668, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(141), nullptr},
    {MI_TEXT, 693, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(142), nullptr},
    {MI_TEXT, 718, 312, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(143), nullptr},
    {MI_GROUP, 401, 302, kClubSeasonRows, 20, kSeasonRow, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ClubRecords_Back},
    kMenuEnd,
};

// ---- Top scorers (screen 33) ---------------------------------------------------------

namespace {

constexpr int16_t kColumnX[4] = {130, 260, 390, 520};
constexpr int kNameSize = 32;

char g_scorerNames[kScorerColumns][kScorerRows][kNameSize];
const char* g_scorerNameText[2][kScorerRows][4];
int16_t g_scorerGoals[2][kScorerRows][4];
int16_t g_firstYear[2][4];
int16_t g_secondYear[2][4];
int16_t g_dash[2][4];

int16_t UserClub() { return HVW_GetMyClub(); }

void ClearScorers() {
    for (int c = 0; c < kScorerColumns; ++c) {
        for (int r = 0; r < kScorerRows; ++r) {
            g_scorerNames[c][r][0] = '\0';
            g_scorerNameText[c / 4][r][c % 4] = g_scorerNames[c][r];
            g_scorerGoals[c / 4][r][c % 4] = kNone;
        }
        g_firstYear[c / 4][c % 4] = g_secondYear[c / 4][c % 4] = kNone;
        g_dash[c / 4][c % 4] = -1;
    }
}

void PutScorer(int column, int row, uint16_t player, int16_t goals) {
    std::snprintf(g_scorerNames[column][row], kNameSize, "%s", PlayerName(player, 0));
    g_scorerGoals[column / 4][row][column % 4] = goals;
}

void FillScorers() {
    ClearScorers();
    const int16_t club = UserClub();
    if (club < 0 || club >= kClubCount) return;
    const int season = HVW_GetSeason();
    // Column c holds the season c seasons back (column 0 this season's
    // squad, past column c season entry c - 1), and its label names that
    // season: the first year, then the next year's two digits.  A label
    // whose second year came before its first, or a lower block that
    // skipped two seasons, would set the wrong season over a column's
    // scorers.  Column 0's label stays empty in the first season, a past
    // column's where that season was not played.
    for (int c = season > 0 ? 0 : 1; c < kScorerColumns; ++c) {
        if (c > season) break;
        g_firstYear[c / 4][c % 4] = int16_t(season + 2002 - c);
        g_secondYear[c / 4][c % 4] = int16_t((season + 2003 - c) % 100);
        g_dash[c / 4][c % 4] = kTextDash;
    }
    uint16_t present[kPresentScorers];
    const int count = TopScorers_PresentScorers(club, present);
    for (int i = 0; i < count && i + 1 < kScorerRows; ++i)
        PutScorer(0, i + 1, present[i], HVW_GetPlayerGoals(present[i]));
    for (int c = 1; c < kScorerColumns && c <= season; ++c) {
        const int16_t entry = int16_t(c - 1);
        for (int16_t slot = 0; slot < kScorerRows; ++slot) {
            const uint16_t player = HVW_GetSeasonScorer(club, slot, entry);
            if (player != 0) PutScorer(c, slot, player, HVW_GetSeasonScorerGoals(club, slot, entry));
        }
    }
}

#define SCORER_CELL(block, k)                                                        \
    {MI_STRING_VAR,                                                                  \
     kColumnX[k],                                                                    \
     10,                                                                             \
     JUSTIFY_RIGHT_MIDDLE,                                                           \
     sizeof(const char*) * 4,                                                        \
     &g_scorerNameText[block][0][k],                                                 \
     nullptr},                                                                       \
    {                                                                                \
        22, int16_t(kColumnX[k] + 10), 10, JUSTIFY_LEFT_MIDDLE, sizeof(int16_t) * 4, \
            &g_scorerGoals[block][0][k], nullptr                                     \
    }
#define SEASON_LABEL(block, k)                                                                          \
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},                                     \
        {MI_NUMBER_I16, kColumnX[k], 0, JUSTIFY_RIGHT_TOP, 0, &g_firstYear[block][k], nullptr},         \
        {MI_TEXT_VAR, int16_t(kColumnX[k] + 10), 0, JUSTIFY_CENTRE_TOP, 0, &g_dash[block][k], nullptr}, \
        {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_TWO_DIGITS), nullptr}, {                          \
        22, int16_t(kColumnX[k] + 20), 0, JUSTIFY_LEFT_TOP, 0, &g_secondYear[block][k], nullptr         \
    }

const MenuItem kUpperRow[] = {SCORER_CELL(0, 0), SCORER_CELL(0, 1), SCORER_CELL(0, 2), SCORER_CELL(0, 3),
                              kMenuEnd};
const MenuItem kLowerRow[] = {SCORER_CELL(1, 0), SCORER_CELL(1, 1), SCORER_CELL(1, 2), SCORER_CELL(1, 3),
                              kMenuEnd};
const MenuItem kUpperLabels[] = {SEASON_LABEL(0, 0), SEASON_LABEL(0, 1), SEASON_LABEL(0, 2),
                                 SEASON_LABEL(0, 3), kMenuEnd};
const MenuItem kLowerLabels[] = {SEASON_LABEL(1, 0), SEASON_LABEL(1, 1), SEASON_LABEL(1, 2),
                                 SEASON_LABEL(1, 3), kMenuEnd};

#undef SCORER_CELL
#undef SEASON_LABEL

void DrawBars(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    // The label bars of the two blocks and their five rows each.
    for (int block = 0; block < 2; ++block) {
        const int top = y + 140 * block;
        DrawShadedRect(x + 40, top, w - 80, h, 50);
        for (int r = 0; r < kScorerRows; ++r)
            DrawShadedRect(x + 40, top + h * (r + 1), w - 80, h, r % 2 == 0 ? 25 : 40);
    }
    SetDrawParam(2, kept);
}

}  // namespace

int TopScorers_PresentScorers(int16_t club, uint16_t players[kPresentScorers]) {
    int count = 0;
    if (club < 0 || club >= kClubCount) return 0;
    HVW_BuildSquadList(club);
    for (int slot = 0; slot < kPresentScorers; ++slot) {
        const uint16_t player = uint16_t(HVW_GetSquadEntry(int16_t(slot)));
        if (!IsValidPlayer(player)) continue;
        if (HVW_GetPlayerGoals(player) > 0 && HVW_GetPositionType(player) != 0) players[count++] = player;
    }
    // An exchange sort of adjacent pairs: equal goals keep their squad order.
    for (int pass = 0; pass + 1 < count; ++pass) {
        for (int i = 0; i + 1 < count - pass; ++i) {
            if (HVW_GetPlayerGoals(players[i]) < HVW_GetPlayerGoals(players[i + 1]))
                std::swap(players[i], players[i + 1]);
        }
    }
    return count;
}

void TopScorersScreenProc() {
    SelectedClub = uint16_t(UserClub());
    if (IsMenuFirstEntry() == 1) SetMenuTitleDate(11);
    FillScorers();
}

int32_t TopScorers_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const char* TopScorersName(int column, int row) {
    return column >= 0 && column < kScorerColumns && row >= 0 && row < kScorerRows
               ? g_scorerNames[column][row]
               : "";
}
int16_t TopScorersGoals(int column, int row) {
    return column >= 0 && column < kScorerColumns && row >= 0 && row < kScorerRows
               ? g_scorerGoals[column / 4][row][column % 4]
               : kNone;
}
int16_t TopScorersFirstYear(int column) {
    return column >= 0 && column < kScorerColumns ? g_firstYear[column / 4][column % 4] : kNone;
}
int16_t TopScorersSecondYear(int column) {
    return column >= 0 && column < kScorerColumns ? g_secondYear[column / 4][column % 4] : kNone;
}

const MenuItem TopScorersTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(TopScorersScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 320, 36, JUSTIFY_CENTRE_TOP, 0, MenuValue(1210), nullptr},
    {MI_CUSTOM, 0, 80, 800, 20, MenuFunction(DrawBars), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},
    {MI_GROUP, 0, 82, 1, 0, kUpperLabels, nullptr},
    {MI_GROUP, 0, 222, 1, 0, kLowerLabels, nullptr},
    {MI_GROUP, 0, 100, kScorerRows, 20, kUpperRow, nullptr},
    {MI_GROUP, 0, 240, kScorerRows, 20, kLowerRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), TopScorers_Back},
    kMenuEnd,
};
