// The match preview: the newspaper-like text of the user's next match
// (lines in sections with priorities, facts both clubs share told once,
// key players, absentees, danger men, the referee and the last meeting),
// and the page that lays it out in shaded boxes beside the league-table
// excerpts or the European group.
#pragma once
#include <cstdint>

#include "game/screens/engine/hotspot.h"

// ---- The text ------------------------------------------------------------------------------

constexpr int kReportLines = 32;
constexpr int kReportLineSize = 1000;
constexpr int kReportSections = 15;
constexpr int kReportMainSections = 13;
constexpr int kRefereeSection = 13;
constexpr int kLastMeetingSection = 14;

// One line: its text, priority (10 kept longest, 0 never hidden) and
// whether it is shown; section is the section it was written under (-1
// none).
struct ReportLineData {
    char text[kReportLineSize];
    uint8_t priority;
    uint8_t visible;
    int8_t section;
};
extern ReportLineData ReportLine[kReportLines];
// A section's first line (-1 none) and its number of lines.
struct ReportSectionData {
    int16_t start;
    int16_t count;
};
extern ReportSectionData ReportSection[kReportSections];
extern int8_t ReportHeadline;     // first line of sections 0-2, -1 none
extern int8_t ReportRefereeLine;  // the line of section 13, -1 none
extern int16_t ReportLineCount;   // the line being written

// The three fact records (0 the user's club, 1 the opponent, 2 both): 15
// slots of a 6-bit value with a 2-bit state above it (2 = not yet told),
// then a byte holding a 2-bit field (bits 0-1) and a 3-bit field (bits 2-4)
// under three bits that a reset keeps.
struct ReportFactRecord {
    uint8_t slots[15];
    uint8_t fields;
};
static_assert(sizeof(ReportFactRecord) == 16);
extern ReportFactRecord ReportFactRecords[3];

void ReportFacts_Reset();
// Team 0 or 1 (others do nothing).
void ReportFacts_Store(int16_t team, int16_t count, const struct ReportFact* facts);
// The value of the kind's slot or field in the team's record (0-2); 0 for
// a kind above 22.
int16_t ReportFacts_Get(int16_t kind, int16_t team);
// Writes the lines of the facts both clubs share (section 3) and moves
// those facts to record 2.
void ReportFacts_MergeShared();
// Writes the text as the current line of the section (0-14) with its
// priority; empty text writes nothing.  Returns the line, -1 for none.
int MatchReport_WriteLine(int section, int priority, const char* text);
// The capped increase of the line count: the last slot is reused.
void MatchReport_NextLine();
void MatchReport_ResetSections();
// Writes the preview text for the user's next fixture and lays out the
// page.
void MatchReport_Generate();

// ---- The page -------------------------------------------------------------------------------

struct ReportLayoutData {
    int16_t headlineHeight;
    uint8_t headlineRows;
    int16_t mainX, mainTop, mainWidth, mainHeight;
    int16_t panelTop, panelHeight;  // the panel is 162 wide at x 606
    int16_t refereeX, refereeTop, refereeWidth;
    int32_t refereeHeight;
    int16_t meetingX;
    int32_t meetingTop;
    int16_t meetingWidth;
    int32_t meetingHeight;
    uint8_t flags;  // bit 0 the headline box, bit 1 a filler box under the panel
};
extern ReportLayoutData ReportLayout;
constexpr uint8_t kLayoutHeadlineBox = 1;
constexpr uint8_t kLayoutFillerBox = 2;

// The side panel's rows: two league-table excerpts and the group.
struct ReportTableRow {
    int16_t position;
    char name[300];
    int16_t first, second;
    int8_t colour;
};
constexpr int kReportTableRows = 24;
extern ReportTableRow ReportExcerptRows[2][kReportTableRows];
extern ReportTableRow ReportGroupRows[4];
extern int16_t ReportGroupClub;  // -1 no group table

void MatchReport_Show();
void MatchReport_DrawBoxes();
void MatchReport_LayoutHeader();
void MatchReport_LayoutBoxes();
void MatchReport_DrawPage();
void MatchReport_DrawTitleLines();
void MatchReport_DrawTeamsLine();
// The n-th (0 or 1) of the fixture's clubs, home first, that has a league
// table; -1 none.
int16_t MatchReport_GetTableClub(int16_t n);
int16_t MatchReport_FirstTableHeight();
int16_t MatchReport_SecondTableHeight();
int16_t MatchReport_GroupTableHeight();
// The height an excerpt takes: a the last row of its top block, b of its
// club block (-1 empty), n the clubs of its division.
int16_t MatchReport_ExcerptHeight(int a, int b, int n);

// The height of the letter "A" in the font (which it sets), and a text's
// width in the current font.
int16_t MatchReport_LineHeight(int16_t font);
int MatchReport_TextWidth(const char* text);

// Step 22: hides low-priority lines until the main text, measured as it
// is drawn, fits its box: priority 1 first, the bottom-most line first; the
// headline, the referee and the last meeting are never hidden.
void MatchReport_FitText();
// The running y below the main text's shown lines as they are drawn (the
// fitting hides lines until it lies inside the main box).
int MatchReport_MainTextEnd();

// The page's one button: back to the day (event 6).
extern const HotRegion MatchReportButtons[];
