// The match preview page: the preview text laid out in shaded boxes on the
// 800 x 600 layout (headline, main text, referee, last meeting), the
// fixture's title lines and the two clubs, and beside the text the
// league-table excerpts of both clubs or the European group.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/forwarders.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/playedleagues.h"
#include "core/season/soak.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchdaynews.h"
#include "game/screens/matchday/matchpreview.h"
#include "game/screens/matchday/matchreport.h"

ReportLayoutData ReportLayout;
ReportTableRow ReportExcerptRows[2][kReportTableRows];
ReportTableRow ReportGroupRows[4];
int16_t ReportGroupClub = -1;

const HotRegion MatchReportButtons[] = {
    {HOT_BUTTON_TEXT_ID, 60, 559, 678, 28, 10, reinterpret_cast<const void*>(intptr_t(413)), 8, nullptr, 6},
    {},
};

namespace {

constexpr int kLayoutBottom = 530;
constexpr int kFullColumn = 704;
constexpr int kNarrowColumn = 540;
constexpr int16_t kFullWidth = 736;
constexpr int16_t kNarrowWidth = 572;
constexpr int kPanelX = 606;
constexpr int kPanelWidth = 162;
constexpr int kBoxX = 32;
constexpr int kTextX = 48;
constexpr uint16_t kBoxColour = 0x2124;
// The body text's font: the boxes are sized in it as the lines are drawn.
constexpr int16_t kBodyFont = 1010;
constexpr int kBoxShade = 68;
constexpr int16_t kGroupTitles[8] = {1550, 1551, 1552, 1553, 1691, 1692, 1693, 1694};
// The order the main sections are drawn in.
constexpr int kDrawOrder[] = {0, 1, 2, 3, 4, 5, 9, 7, 8, 10, 11, 12};

// Rows a text takes in a column.
int RowsIn(const char* text, int column) { return MatchReport_TextWidth(text) / std::max(column, 1) + 1; }

int PanelBottom() { return ReportLayout.panelTop + ReportLayout.panelHeight; }

int16_t FixtureSlot() {
    const int16_t user = HVW_GetMyClub();
    return HVW_FindClubFixtureFromDay(user, -1, 0, SeasonCalendar.currentDay);
}

bool HasLeagueTable(int16_t club) {
    if (!IsClubNumber(club)) return false;
    const int16_t nation = int16_t(GetClubNation(club));
    if (!IsCountryNumber(nation)) return false;
    return GetClubDivision(club) < uint16_t(HVW_CountCompRounds2(nation)) && PlayedLeagueFlags[nation] != 0;
}

// The club whose division an excerpt shows: the one it was filled for, else
// the n-th club with a table.  The preparation leaves out a club that has
// played no game yet, so the n-th club with a table may not be the one whose
// rows the excerpt holds.
int16_t ExcerptClub(int n) {
    const int16_t club = PreviewBlock.extractClub[n];
    return club >= 0 ? club : MatchReport_GetTableClub(int16_t(n));
}

int ClubsOfDivision(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    const int16_t nation = int16_t(GetClubNation(club));
    if (!IsCountryNumber(nation)) return 0;
    return HVW_GetCompRoundWord(int16_t(HVW_FindClubInDivisionRows(club)), nation);
}

int16_t ExcerptHeightOf(int n) {
    return MatchReport_ExcerptHeight(PreviewBlock.ranges[2 * n], PreviewBlock.ranges[2 * n + 1],
                                     ClubsOfDivision(ExcerptClub(n)));
}

// Lines of a section in the order written.
template <typename Fn>
void ForEachLineOf(int section, Fn fn) {
    for (int i = 0; i < kReportLines; ++i)
        if (ReportLine[i].section == section) fn(i);
}

int32_t SectionHeight(int section, int column, int h) {
    int32_t total = 0;
    ForEachLineOf(section, [&](int i) { total += RowsIn(ReportLine[i].text, column) * h + 20; });
    return total;
}

// No box may leave the layout or have a negative height, however long the
// text.
void KeepInsideLayout() {
    ReportLayoutData& l = ReportLayout;
    l.mainTop = int16_t(std::clamp<int>(l.mainTop, 0, kLayoutBottom));
    if (l.meetingTop < l.mainTop) {
        l.meetingTop = l.mainTop;
        l.meetingHeight = std::max<int32_t>(0, kLayoutBottom - 2 - l.mainTop);
    }
    if (l.refereeTop < l.mainTop) {
        l.refereeHeight = std::max<int32_t>(0, l.meetingTop - 2 - l.mainTop);
        l.refereeTop = int16_t(l.refereeHeight > 0 ? l.meetingTop - (l.refereeHeight + 2) : l.meetingTop);
    }
    l.refereeHeight = std::max<int32_t>(0, l.refereeHeight);
    l.mainHeight = int16_t(std::max(0, l.refereeTop - l.mainTop));
    if (l.panelHeight > 0) {
        l.panelHeight = int16_t(std::clamp(int(l.panelHeight), 0, kLayoutBottom - l.panelTop));
    } else {
        l.panelHeight = 0;
    }
}

void DrawRow(int y, const ReportTableRow& row) {
    SetDrawParam(1, row.colour);
    DrawNumberAt(620, y, row.position, JUSTIFY_CENTRE_TOP);
    DrawTextAddrAt(630, y, row.name, JUSTIFY_LEFT_TOP);
    DrawNumberAt(728, y, row.first, JUSTIFY_CENTRE_TOP);
    DrawNumberAt(752, y, row.second, JUSTIFY_CENTRE_TOP);
}

void DrawHeadings(int y) {
    SetDrawParam(1, 0);
    DrawTextNoAt(728, y, 137, JUSTIFY_CENTRE_TOP);
    DrawTextNoAt(752, y, 143, JUSTIFY_CENTRE_TOP);
}

const char* DivisionNameOfClub(int16_t club) {
    if (!IsClubNumber(club)) return "";
    const int16_t nation = int16_t(GetClubNation(club));
    const int16_t row = HVW_FindClubInDivisionRows(club);
    if (!IsCountryNumber(nation) || row < 0 || row >= HVW_CountCompRounds2(nation)) return "";
    const char* name = HVW_GetDivisionName(row, nation);
    if (name != nullptr &&
        std::any_of(name, name + std::char_traits<char>::length(name), [](char c) { return c != ' '; }))
        return name;
    return GetText(HVW_GetCompRoundTextId(row, nation));
}

int DrawExcerpt(int n, int y) {
    const int a = PreviewBlock.ranges[2 * n], b = PreviewBlock.ranges[2 * n + 1];
    if (a == -1 && b <= a) return y;
    const int16_t club = ExcerptClub(n);
    const int clubs = ClubsOfDivision(club);
    const ReportTableRow* rows = ReportExcerptRows[n];
    SetDrawParam(1, 0);
    SetFont(1008);
    DrawTextAddrAt(686, y, DivisionNameOfClub(club), JUSTIFY_CENTRE_TOP);
    y += 14;
    int row = 0;
    if (a != -1) {
        SetFont(1006);
        if (a < clubs - 1) {
            DrawTextNoAt(686, y, 2466, JUSTIFY_CENTRE_TOP);
            y += 8;
        }
        DrawHeadings(y);
        y += 10;
        for (; row <= a && row < kReportTableRows; ++row, y += 10) DrawRow(y, rows[row]);
    }
    if (b > a) {
        if (a != -1) y += 10;
        SetFont(1006);
        SetDrawParam(1, 0);
        DrawTextNoAt(686, y, 2467, JUSTIFY_CENTRE_TOP);
        y += 8;
        DrawHeadings(y);
        y += 10;
        for (int i = 0; i < b - a; ++i, y += 10)
            if (row + i < kReportTableRows) DrawRow(y, rows[row + i]);
    }
    return y + 10;
}

int GroupOfTable() {
    const int16_t slot = FixtureSlot();
    if (ReportGroupClub < 0 || slot < 0 || slot >= kFixtureSlots) return -1;
    const int16_t round = HVW_GetCupRoundIndex(FixtureType(slot));
    if (round != 0 && round != 1) return -1;
    const int16_t group = HVW_FindClubGroup(ReportGroupClub, round);
    return group >= 0 && group < 8 ? group : -1;
}

void DrawGroup(int y) {
    const int group = GroupOfTable();
    if (group < 0) return;
    SetDrawParam(1, 0);
    SetFont(1008);
    DrawTextNoAt(686, y, kGroupTitles[group], JUSTIFY_CENTRE_TOP);
    y += 14;
    SetFont(1006);
    DrawHeadings(y);
    y += 10;
    for (const ReportTableRow& row : ReportGroupRows) {
        DrawRow(y, row);
        y += 10;
    }
}

// Column of a main-text line: the wide one once the running y has passed
// the side panel (always without a panel).
int ColumnAt(int y) {
    if (ReportLayout.panelHeight <= 0) return kFullColumn;
    return y >= PanelBottom() + 12 ? kFullColumn : kNarrowColumn;
}

int DrawLine(int i, int y, int column, int16_t font) {
    const int h = MatchReport_LineHeight(font);
    const int height = RowsIn(ReportLine[i].text, column) * h;
    DrawWrappedText(kTextX, y, ReportLine[i].text, JUSTIFY_LEFT_TOP, column, height);
    return height;
}

// Visits the shown lines of the main text in the order and at the places
// they are drawn: line, running y, column and font.
template <typename Fn>
int WalkMainText(Fn fn) {
    int y = ReportLayout.mainTop + 10;
    for (int section : kDrawOrder) {
        const int16_t font = section == 0 ? 1012 : 1010;
        bool first = true;
        ForEachLineOf(section, [&](int i) {
            if (i == ReportHeadline || !ReportLine[i].visible) return;
            const int column = ColumnAt(y);
            fn(i, y, column, font, section == 0 || section == 2 || first);
            first = false;
            y += RowsIn(ReportLine[i].text, column) * MatchReport_LineHeight(font) + 8;
        });
    }
    return y;
}

void DrawMainText() {
    int colour = 12;
    if (ReportHeadline >= 0) {
        SetFont(1012);
        SetDrawParam(1, 1);
        const int h = MatchReport_LineHeight(1012);
        DrawWrappedText(kTextX, 100, ReportLine[ReportHeadline].text, JUSTIFY_CENTRE_TOP, kFullColumn,
                        RowsIn(ReportLine[ReportHeadline].text, kFullColumn) * h);
    }
    WalkMainText([&](int i, int y, int column, int16_t font, bool toggle) {
        if (toggle) {
            colour = colour == 0 ? 12 : 0;
            SetDrawParam(1, colour);
        }
        SetFont(font);
        DrawLine(i, y, column, font);
    });
}

void DrawRefereeAndMeeting() {
    int y = ReportLayout.refereeTop + 12;
    bool first = true;
    ForEachLineOf(kRefereeSection, [&](int i) {
        if (!ReportLine[i].visible) return;
        SetDrawParam(1, first ? 1 : 0);
        first = false;
        SetFont(1010);
        y += DrawLine(i, y, ColumnAt(y), 1010) + 8;
    });
    y = int(ReportLayout.meetingTop) + 12;
    SetDrawParam(1, 12);
    ForEachLineOf(kLastMeetingSection, [&](int i) {
        if (ReportLine[i].text[0] == '\0') return;
        SetFont(1010);
        y += DrawLine(i, y, kFullColumn, 1010);
    });
}

}  // namespace

int16_t MatchReport_LineHeight(int16_t font) {
    SetFont(font);
    int16_t h = 0;
    GetTextSize("A", nullptr, &h);
    return h;
}

int MatchReport_TextWidth(const char* text) {
    int16_t w = 0;
    GetTextSize(text, &w, nullptr);
    return w;
}

int MatchReport_MainTextEnd() {
    return WalkMainText([](int, int, int, int16_t, bool) {});
}

int16_t MatchReport_ExcerptHeight(int a, int b, int n) {
    if (a == -1 && b <= a) return 0;
    int h = 14;
    if (a != -1) {
        if (a < n - 1) h += 8;
        h += 10 + 10 * (a + 1);
    }
    if (b > a) {
        if (a != -1) h += 10;
        h += 8 + 10 + (a != -1 ? 10 * (b - a) : 10 * (b + 1));
    }
    return int16_t(h);
}

int16_t MatchReport_GetTableClub(int16_t n) {
    if (n != 1) n = 0;
    const int16_t slot = FixtureSlot();
    if (slot < 0 || slot >= kFixtureSlots) return -1;
    int found = 0;
    for (int16_t club : {FixtureHome(slot), FixtureAway(slot)}) {
        if (!HasLeagueTable(club)) continue;
        if (found++ == n) return club;
    }
    return -1;
}

int16_t MatchReport_FirstTableHeight() { return ExcerptHeightOf(0); }
int16_t MatchReport_SecondTableHeight() { return ExcerptHeightOf(1); }
int16_t MatchReport_GroupTableHeight() { return ReportGroupClub != -1 ? int16_t(80) : int16_t(0); }

void MatchReport_LayoutHeader() {
    ReportLayoutData& l = ReportLayout;
    l.mainX = kBoxX;
    if (ReportHeadline >= 0) {
        const int h = MatchReport_LineHeight(1010);
        // A headline that would push the main box below the page keeps the
        // rows that fit.
        const int rows = std::min(RowsIn(ReportLine[ReportHeadline].text, kFullColumn),
                                  (kLayoutBottom - 112) / std::max(h, 1));
        l.headlineRows = uint8_t(rows);
        l.headlineHeight = int16_t(rows * h + 20);
        l.mainTop = int16_t(rows * h + 112);
        l.flags = uint8_t(l.flags | kLayoutHeadlineBox);
    } else {
        l.headlineRows = 0;
        l.headlineHeight = 0;
        l.mainTop = 90;
        l.flags = uint8_t(l.flags & ~kLayoutHeadlineBox);
    }
    l.panelTop = l.mainTop;
    const int heights[3] = {MatchReport_FirstTableHeight(), MatchReport_SecondTableHeight(),
                            MatchReport_GroupTableHeight()};
    int items = 0, sum = 0;
    for (int h : heights) {
        if (h != 0) ++items;
        sum += h;
    }
    l.panelHeight = int16_t(items > 0 ? sum + 10 * items + 8 : 0);
}

void MatchReport_LayoutBoxes() {
    ReportLayoutData& l = ReportLayout;
    const int h = MatchReport_LineHeight(kBodyFont);
    const int k = ReportSection[kLastMeetingSection].count;
    if (k > 0) {
        l.meetingHeight = k * h + 20;
        l.meetingTop = kLayoutBottom - (k * h + 22);
    } else {
        l.meetingTop = kLayoutBottom;
        l.meetingHeight = 0;
    }
    l.mainX = l.refereeX = l.meetingX = kBoxX;
    const bool refereeLines = ReportSection[kRefereeSection].count > 0;
    const int32_t full = SectionHeight(kRefereeSection, kFullColumn, h);
    const int32_t narrow = SectionHeight(kRefereeSection, kNarrowColumn, h);
    const int natural = l.panelHeight;
    l.refereeHeight = 0;
    l.refereeWidth = kFullWidth;
    if (l.panelHeight > 0) {
        l.mainWidth = kNarrowWidth;
        if (PanelBottom() < l.meetingTop) {
            if (refereeLines && PanelBottom() < l.meetingTop - full + 2) {
                l.refereeWidth = kFullWidth;
                l.refereeHeight = full;
                l.panelHeight = int16_t(l.meetingTop - full - 2 - l.panelTop);
            } else if (refereeLines) {
                l.refereeWidth = kNarrowWidth;
                l.refereeHeight = narrow;
                l.panelHeight = int16_t(l.meetingTop - l.panelTop);
            } else {
                l.refereeHeight = 0;
                l.panelHeight = int16_t(l.meetingTop - l.panelTop);
            }
        } else {
            l.panelHeight = int16_t(kLayoutBottom - l.panelTop);
            l.refereeWidth = kNarrowWidth;
            l.refereeHeight = narrow;
        }
    } else {
        l.mainWidth = kFullWidth;
        if (refereeLines) {
            l.refereeWidth = kFullWidth;
            l.refereeHeight = full;
        }
    }
    l.refereeTop = int16_t(l.refereeHeight > 0 ? l.meetingTop - (l.refereeHeight + 2) : l.meetingTop);
    l.mainHeight = int16_t(l.refereeTop - l.mainTop);
    if (natural > 0 && natural < l.mainHeight - (2 * h + 20)) {
        l.panelHeight = int16_t(natural);
        l.flags = uint8_t(l.flags | kLayoutFillerBox);
    } else {
        l.flags = uint8_t(l.flags & ~kLayoutFillerBox);
    }
    KeepInsideLayout();
    l.meetingWidth = PanelBottom() <= l.meetingTop ? kFullWidth : kNarrowWidth;
}

void MatchReport_DrawBoxes() {
    const ReportLayoutData& l = ReportLayout;
    SetDrawParam(2, kBoxColour);
    if ((l.flags & kLayoutHeadlineBox) != 0)
        DrawShadedRect(kBoxX, 90, kFullWidth, l.headlineHeight, kBoxShade);
    if (l.panelHeight > 0) DrawShadedRect(kPanelX, l.panelTop, kPanelWidth, l.panelHeight, kBoxShade);
    DrawShadedRect(kBoxX, l.mainTop, l.mainWidth, l.mainHeight, kBoxShade);
    if ((l.flags & kLayoutFillerBox) != 0) {
        const int top = PanelBottom() + 2;
        DrawShadedRect(kBoxX + l.mainWidth, top, 164, std::max(0, l.refereeTop - top), kBoxShade);
    }
    DrawShadedRect(kBoxX, l.refereeTop + 2, l.refereeWidth, int(l.refereeHeight), kBoxShade);
    if (ReportSection[kLastMeetingSection].count > 0)
        DrawShadedRect(kBoxX, int(l.meetingTop) + 2, l.meetingWidth, int(l.meetingHeight), kBoxShade);
    SetDrawParam(2, 0);
}

void MatchReport_DrawPage() {
    SetDrawParam(1, 0);
    DrawMainText();
    DrawRefereeAndMeeting();
    SetDrawParam(1, 0);
    int y = ReportLayout.panelTop + 4;
    for (int n = 0; n < 2; ++n) y = DrawExcerpt(n, y);
    DrawGroup(y);
    SetDrawParam(1, 0);
}

void MatchReport_DrawTitleLines() {
    SetFont(1008);
    SetDrawParam(1, 0);
    // The competition and the date share the line at y 43: a second line at
    // y 61 would lie under the teams line (y 59, a taller font).
    const char* first = PreviewBlock.titles[0];
    const char* second = PreviewBlock.titles[1];
    char line[2 * sizeof PreviewBlock.titles[0] + 2];
    std::snprintf(line, sizeof line, "%s%s%s", first, first[0] != '\0' && second[0] != '\0' ? ", " : "",
                  second);
    DrawTextAddrAt(400, 43, line, JUSTIFY_CENTRE_TOP);
}

void MatchReport_DrawTeamsLine() {
    SetFont(1013);
    SetDrawParam(1, 0);
    DrawTextAddrAt(364, 59, PreviewBlock.names[0], JUSTIFY_RIGHT_TOP);
    DrawTextNoAt(400, 59, 152, JUSTIFY_CENTRE_TOP);
    DrawTextAddrAt(436, 59, PreviewBlock.names[1], JUSTIFY_LEFT_TOP);
}

void MatchReport_Show() {
    ShowMenuBackground(4);
    SaveScreen();
    MatchReport_Generate();
    MatchReport_DrawBoxes();
    MatchReport_DrawTitleLines();
    MatchReport_DrawTeamsLine();
    MatchReport_DrawPage();
    if (SoakMode == 0) {
        MatchDay_SetButtons(MatchReportButtons);
        MatchDay_DrawButtons(MatchReportButtons);
    } else {
        Hotspot_InitDefault(&MatchDayHotspots[0]);
    }
    RefreshCursor();
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
}
