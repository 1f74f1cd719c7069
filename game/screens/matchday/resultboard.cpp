#include "game/screens/matchday/resultboard.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/textbuf.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/fixtureday.h"
#include "core/season/matchevents.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchday.h"

namespace {

constexpr int16_t kTitleText = 1151;
constexpr int16_t kLeaveIcon = 153;
constexpr int16_t kRefereeText = 1152;
constexpr int16_t kManOfTheMatchText = 757;
constexpr int kBookedIcon = 15;
constexpr int kSentOffIcon = 14;
constexpr uint16_t kLeft = JUSTIFY_LEFT_MIDDLE;
constexpr uint16_t kRight = JUSTIFY_RIGHT_MIDDLE;
constexpr uint16_t kCentreTop = JUSTIFY_CENTRE_TOP;

// ---- The header ----------------------------------------------------------------------

constexpr int kLineSize = 96;
constexpr int kGoalTextSize = 512;
constexpr int kScorerSlots = 15;
constexpr int kGoalsPerScorer = 7;

char g_homeLine[kLineSize];
char g_awayLine[kLineSize];
char g_attendanceLine[kLineSize];
char g_refereeLine[kLineSize];
char g_goalText[2][kGoalTextSize];
const char* g_homeLinePtr = g_homeLine;
const char* g_awayLinePtr = g_awayLine;
const char* g_attendancePtr = g_attendanceLine;
const char* g_refereePtr = g_refereeLine;

struct Scorer {
    uint16_t player = 0;
    int goals = 0;
    uint8_t minute[kGoalsPerScorer] = {};
    int8_t kind[kGoalsPerScorer] = {};
};
using ScorerSlots = std::array<Scorer, kScorerSlots>;

// The scorer's slot of his side: his own or the first empty one; none when
// all are taken by others.
Scorer* ScorerSlot(ScorerSlots& slots, uint16_t player) {
    for (Scorer& s : slots)
        if (s.goals == 0 || s.player == player) return &s;
    return nullptr;
}

void CollectGoals(std::array<ScorerSlots, 2>& sides) {
    const int16_t fixture = LastMatch().fixture;
    if (fixture < 0) return;
    MatchEvents_ForEachOfFixture(fixture, [&](int32_t r) {
        const int kind = MatchEventKind(r);
        if (!MatchEvents_IsGoalKind(kind)) return;
        Scorer* s = ScorerSlot(sides[MatchEventSide(r) & 1], MatchEventPlayer(r));
        if (s == nullptr || s->goals >= kGoalsPerScorer) return;
        s->player = MatchEventPlayer(r);
        s->minute[s->goals] = MatchEventMinute(r);
        s->kind[s->goals] = int8_t(kind);
        ++s->goals;
    });
}

void WriteGoalText(const ScorerSlots& slots, char* out, size_t size) {
    BoundedText text(out, size);
    for (const Scorer& s : slots) {
        if (s.goals == 0) continue;
        for (int g = 0; g < s.goals; ++g) {
            if (g == 0) {
                text.Add("%s %d", GetPlayerSurname(s.player), s.minute[0]);
            } else {
                text.Add(",%d", s.minute[g]);
            }
            if (s.kind[g] == kKindPenaltyGoal) text.Add(" %s", GetText(kTextPenalty));
            if (s.kind[g] == kKindOwnGoal) text.Add(" %s", GetText(kTextOwnGoal));
        }
        text.Add(" ");
    }
}

// ---- The tab bar ---------------------------------------------------------------------

struct Tab {
    int16_t x;
    int16_t text;
    int16_t view;
};
constexpr Tab kTabs[] = {
    {60, 1835, kResultsShareChart},
    {229, 1836, kResultsStats},
    {398, 574, kResultsPlayerChart},
    {567, 1151, kResultsBoard},
};
constexpr int kTabCount = 4;

// Per tab the text colour (draw parameter 1) and the draw colour (draw
// parameter 2) it is drawn with.
int16_t g_tabText[kTabCount];
int16_t g_tabColour[kTabCount];

template <int K>
int32_t ResultsTab(MenuHotItem*) {
    if (MatchDayResultsView == kTabs[K].view) return MENU_CONTINUE;
    MatchDayResultsView = kTabs[K].view;
    return MENU_CLOSE;
}

int32_t ResultsLeave(MenuHotItem*) {
    MatchDayResultsView = kResultsLeave;
    return MENU_CLOSE;
}

// ---- The line-ups ----------------------------------------------------------------------

int ReportWord(const uint8_t* report, int field) { return int16_t(recbits::LoadU16(report + field)); }

uint16_t LineUpPlayer(int side, int entry) {
    return uint16_t(LastMatch().setup.I16(gameinfo::PlayerInfoAt(side, entry) + gameinfo::kPlayerInfoNumber));
}

void DrawCards(int side, int y, int bookings) {
    const int booked = side == 0 ? 200 : 600;
    const int sentOff = side == 0 ? 197 : 603;
    if (bookings == 1 || bookings == 2) DrawIcon(booked, y + 10, kBookedIcon, kLeft);
    if (bookings == 2) DrawIcon(sentOff, y + 8, kSentOffIcon, kLeft);
    if (bookings == 3) DrawIcon(sentOff, y + 10, kSentOffIcon, kLeft);
}

void DrawLineUpRow(int side, int k, int y) {
    const uint16_t player = LineUpPlayer(side, k);
    if (!IsPlayerNumber(player)) return;
    const uint8_t* report = LastMatch_PlayerReport(side, k);
    SetFont(8);
    DrawTeamSheetList(side == 0 ? 380 : 420, y, 160, 20, side == 0 ? 7 : 5, player);
    DrawNumberAt(side == 0 ? 378 : 422, y + 10, HVW_GetPlayerField92(player), side == 0 ? kRight : kLeft);
    const int rating = ReportWord(report, kPlayerRating);
    if (rating > 0) DrawNumberAt(side == 0 ? 220 : 580, y + 10, rating, kLeft);
    DrawCards(side, y, ReportWord(report, kPlayerCards));
    const uint16_t best = recbits::LoadU16(LastMatch().result.teams[side].bytes + kReportManOfTheMatch);
    if (best == player) {
        DrawTextNoAt(side == 0 ? 182 : 618, y + 10, kManOfTheMatchText, side == 0 ? kRight : kLeft);
    }
}

// ---- The statistics ----------------------------------------------------------------------

constexpr int kStatRows = 7;
constexpr int16_t kStatLabels[kStatRows] = {64, 1838, 1433, 970, 444, 1437, 1642};
constexpr int kPossessionRow = 3;
constexpr int kBarsLeft = 284;
constexpr int kBarsWidth = 232;
constexpr int kZoneBarWidth = 84;
constexpr int kZoneBarX[3] = {195, 358, 521};
constexpr int kZonePanelX[3] = {162, 325, 488};

char g_statsHome[kLineSize];
char g_statsAway[kLineSize];
char g_minuteLine[kLineSize];
const char* g_statsHomePtr = g_statsHome;
const char* g_statsAwayPtr = g_statsAway;
const char* g_minutePtr = g_minuteLine;
ResultsStatsShown g_stats;
const char* g_zonePercentPtr[3] = {g_stats.zonePercent[0], g_stats.zonePercent[1], g_stats.zonePercent[2]};
// The per-bar shares' texts of the three zone bars.
char g_zoneHome[3][16];
char g_zoneAway[3][16];

// The six zone counters in their stored order c1..c6: the middle band
// home and away, the first team's own third home, the far third away and
// home, the first team's own third away.  The bars pair c3-c6, c1-c2 and
// c5-c4.
std::array<int64_t, 6> ZoneCounters() {
    const TeamMatchCounters& c = LastMatch().counters;
    return {c.zones[1][0], c.zones[1][1], c.zones[0][0], c.zones[2][1], c.zones[2][0], c.zones[0][1]};
}

void FormatPercent(char (&out)[16], int value) { std::snprintf(out, sizeof out, "%d%%", value); }

void BuildStats() {
    const auto c = ZoneCounters();
    const int64_t total = c[0] + c[1] + c[2] + c[3] + c[4] + c[5];
    const int left = total > 0 ? int(100 * (c[2] + c[5]) / total) : 0;
    const int middle = total > 0 ? int(100 * (c[0] + c[1]) / total) : 0;
    const int right = total > 0 ? 100 - left - middle : 0;
    FormatPercent(g_stats.zonePercent[0], left);
    FormatPercent(g_stats.zonePercent[1], middle);
    FormatPercent(g_stats.zonePercent[2], right);

    const int64_t pairs[3][2] = {{c[2], c[5]}, {c[0], c[1]}, {c[4], c[3]}};
    for (int z = 0; z < 3; ++z) {
        g_stats.zoneShare[z] = ResultsShare(pairs[z][0], pairs[z][1]);
        FormatPercent(g_zoneHome[z], g_stats.zoneShare[z]);
        FormatPercent(g_zoneAway[z], 100 - g_stats.zoneShare[z]);
    }
    const int possession = ResultsShare(c[0] + c[2] + c[4], c[1] + c[3] + c[5]);

    int16_t goals[2] = {}, shootOut[2] = {};
    LastMatch_Scores(&goals[0], &goals[1], &shootOut[0], &shootOut[1]);
    const TeamMatchCounters& counters = LastMatch().counters;
    for (int row = 0; row < kStatRows; ++row) {
        int64_t home = 0, away = 0;
        if (row == 0) {
            home = goals[0];
            away = goals[1];
        } else if (row != kPossessionRow) {
            const int pair = row < kPossessionRow ? row - 1 : row - 2;
            home = counters.rows[pair][0];
            away = counters.rows[pair][1];
        }
        if (row == kPossessionRow) {
            g_stats.rowShare[row] = possession;
            FormatPercent(g_stats.rowHome[row], possession);
            FormatPercent(g_stats.rowAway[row], 100 - possession);
            continue;
        }
        g_stats.rowShare[row] = ResultsShare(home, away);
        std::snprintf(g_stats.rowHome[row], sizeof g_stats.rowHome[row], "%d",
                      int(std::min<int64_t>(home, 9999)));
        std::snprintf(g_stats.rowAway[row], sizeof g_stats.rowAway[row], "%d",
                      int(std::min<int64_t>(away, 9999)));
    }
}

// The bar split by a home share: a red gradient for the home part and a
// blue one for the away part, each framed in black.
void DrawShareBar(int x, int y, int width, int height, int share) {
    const int homeWidth = width * std::clamp(share, 0, 100) / 100;
    if (homeWidth > 0) {
        DrawGradientRect(x, y, homeWidth, height, 240, 240, 240, 240, 240, 240, 200, 20, 20, 200, 20, 20);
        SetDrawParam(2, 0);
        DrawBox(x, y, homeWidth, height);
    }
    if (width - homeWidth > 0) {
        DrawGradientRect(x + homeWidth, y, width - homeWidth, height, 240, 240, 240, 240, 240, 240, 20, 20,
                         200, 20, 20, 200);
        SetDrawParam(2, 0);
        DrawBox(x + homeWidth, y, width - homeWidth, height);
    }
}

void DrawShadePanel(int x, int y, int width, int height, uint8_t alpha) {
    FillTranslucentRect(x, y, width, height, 0, alpha);
}

// The score lines of a screen: plain, or with the shoot-out in brackets.
void FormatScoreLines(char* home, char* away, const char* plainHome, const char* plainAway,
                      const char* shootOutHome, const char* shootOutAway) {
    int16_t goals[2] = {}, pens[2] = {};
    LastMatch_Scores(&goals[0], &goals[1], &pens[0], &pens[1]);
    const char* names[2] = {LastMatch_TeamName(0), LastMatch_TeamName(1)};
    if (pens[0] < 0) {
        std::snprintf(home, kLineSize, plainHome, names[0], goals[0]);
        std::snprintf(away, kLineSize, plainAway, goals[1], names[1]);
    } else {
        std::snprintf(home, kLineSize, shootOutHome, names[0], goals[0], pens[0]);
        std::snprintf(away, kLineSize, shootOutAway, pens[1], goals[1], names[1]);
    }
}

}  // namespace

// ---- Shared pieces ----------------------------------------------------------------------

int ResultsShare(int64_t home, int64_t away) {
    home = std::max<int64_t>(home, 0);
    away = std::max<int64_t>(away, 0);
    if (home + away == 0) return 50;
    return int(100 * home / (home + away));
}

void ResultBoard_BuildHeader() {
    FormatScoreLines(g_homeLine, g_awayLine, "%s %d", "%d %s", "%s %d (%d)", "(%d) %d %s");
    std::snprintf(g_attendanceLine, sizeof g_attendanceLine, "%s %s", GetText(kTextAttendance),
                  HVW_FormatThousands(LastMatch().attendance));
    const char initial = LastMatch_RefereeInitial();
    if (initial != 0) {
        std::snprintf(g_refereeLine, sizeof g_refereeLine, "%s: %c %s", GetText(kRefereeText), initial,
                      LastMatch_RefereeSurname());
    } else {
        g_refereeLine[0] = 0;
    }
    std::array<ScorerSlots, 2> sides{};
    CollectGoals(sides);
    for (int side = 0; side < 2; ++side) WriteGoalText(sides[size_t(side)], g_goalText[side], kGoalTextSize);
}

const char* ResultBoardHomeLine() { return g_homeLine; }
const char* ResultBoardAwayLine() { return g_awayLine; }
const char* ResultBoardAttendanceLine() { return g_attendanceLine; }
const char* ResultBoardRefereeLine() { return g_refereeLine; }
const char* ResultBoardGoalText(int side) { return g_goalText[side == 1 ? 1 : 0]; }

void ResultsTabBar_Mark(int16_t view, int32_t drawParam) {
    for (int k = 0; k < kTabCount; ++k) {
        const bool current = kTabs[k].view == view;
        g_tabText[k] = current && drawParam == 1 ? 9 : 0;
        g_tabColour[k] = current && drawParam == 2 ? 9 : 0;
    }
}

void ResultBoardGoals(int, int, int, int) {
    SetFont(8);
    SetDrawParam(1, 7);
    DrawWrappedText(25, 152, g_goalText[0], JUSTIFY_RIGHT_TOP, 354, 60);
    DrawWrappedText(419, 152, g_goalText[1], JUSTIFY_LEFT_TOP, 354, 60);
    SetDrawParam(1, 0);
}

void ResultBoardLineUps(int, int, int, int) {
    const int subs =
        std::clamp<int>(LastMatch().setup.I16(gameinfo::kNumAvailableSubs), 0, kTeamReportPlayers - 11);
    int k = 0;
    for (int i = 0; i < 12 + subs; ++i) {
        if (i == 11) continue;
        const int y = 217 + 20 * i;
        const uint8_t alpha = i % 2 == 0 ? 200 : 100;
        DrawShadePanel(20, y, 379, 20, alpha);
        DrawShadePanel(399, y, 379, 20, alpha);
        for (int side = 0; side < 2; ++side) DrawLineUpRow(side, k, y);
        ++k;
    }
}

void ResultBoardMenuProc() {
    if (!IsMenuFirstEntry()) return;
    SetMenuTitleDate(4);
    ResultBoard_BuildHeader();
    ResultsTabBar_Mark(kResultsBoard, 1);
}

void MatchStatsMenuProc() {
    if (!IsMenuFirstEntry()) return;
    SetMenuTitleDate(4);
    FormatScoreLines(g_statsHome, g_statsAway, "%s %d -", " %d %s", "%s %d (%d)-", "(%d) %d %s");
    std::snprintf(g_minuteLine, sizeof g_minuteLine, "%d %s", LastMatch().minute, GetText(kTextMinutes));
    BuildStats();
    ResultsTabBar_Mark(kResultsStats, 1);
}

const ResultsStatsShown& MatchStatsShown() { return g_stats; }
const char* MatchStatsHomeLine() { return g_statsHome; }
const char* MatchStatsAwayLine() { return g_statsAway; }

void MatchStatsBars(int, int, int, int) {
    for (int i = 0; i < kStatRows; ++i) {
        const int top = 258 + 38 * i;
        const int y = 278 + 38 * i;
        DrawGreyFramedBox(280, top, 240, 34);
        DrawShadePanel(180, top, 100, 34, 200);
        DrawShadePanel(520, top, 100, 34, 200);
        SetFont(8);
        SetDrawParam(1, 2);
        DrawTextNoAt(400, 260 + 38 * i, kStatLabels[i], kCentreTop);
        SetDrawParam(1, 0);
        DrawShareBar(kBarsLeft, y, kBarsWidth, 12, g_stats.rowShare[i]);
        SetFont(14);
        DrawTextAddrAt(272, y, g_stats.rowHome[i], kRight);
        DrawTextAddrAt(528, y, g_stats.rowAway[i], kLeft);
    }
}

void MatchStatsZones(int, int, int, int) {
    SetFont(6);
    SetDrawParam(1, 2);
    for (int z = 0; z < 3; ++z) {
        DrawGreyFramedBox(kZonePanelX[z], 233, 150, 17);
        DrawShareBar(kZoneBarX[z], 236, kZoneBarWidth, 11, g_stats.zoneShare[z]);
        DrawTextAddrAt(kZoneBarX[z] - 4, 241, g_zoneHome[z], kRight);
        DrawTextAddrAt(kZoneBarX[z] + kZoneBarWidth + 4, 241, g_zoneAway[z], kLeft);
    }
    SetDrawParam(1, 0);
}

// ---- Tables ------------------------------------------------------------------------------

#define RESULTS_TAB(K)                                                          \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_tabText[K], nullptr},                   \
        {MI_COLOUR_VAR, 0, 0, 0, 0, &g_tabColour[K], nullptr}, {                \
        8204, kTabs[K].x, 559, 169, 28, MenuValue(kTabs[K].text), ResultsTab<K> \
    }

const MenuItem ResultsTabBar[] = {
    RESULTS_TAB(0),
    RESULTS_TAB(1),
    RESULTS_TAB(2),
    RESULTS_TAB(3),
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(kLeaveIcon), ResultsLeave},
    kMenuEnd,
};

#undef RESULTS_TAB

const MenuItem ResultBoardHeader[] = {
    {MI_CUSTOM, 20, 97, 758, 50, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_STRING_VAR, 380, 112, 11, 0, &g_homeLinePtr, nullptr},
    {MI_STRING, 400, 112, 10, 0, "-", nullptr},
    {MI_STRING_VAR, 420, 112, 9, 0, &g_awayLinePtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1008), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_STRING_VAR, 380, 127, 7, 0, &g_attendancePtr, nullptr},
    {MI_STRING_VAR, 420, 127, 5, 0, &g_refereePtr, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_CUSTOM, 20, 152, 758, 60, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 20, 152, 758, 60, MenuFunction(ResultBoardGoals), nullptr},
    kMenuEnd,
};

const MenuItem ResultBoardTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ResultBoardMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_GROUP, 0, 0, 1, 0, ResultBoardHeader, nullptr},
    {MI_CUSTOM, 20, 217, 758, 340, MenuFunction(ResultBoardLineUps), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 0, 0, 1, 0, ResultsTabBar, nullptr},
    kMenuEnd,
};

const MenuItem MatchStatsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MatchStatsMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(12), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_STRING_VAR, 402, 62, 11, 0, &g_statsHomePtr, nullptr},
    {MI_STRING_VAR, 402, 62, 9, 0, &g_statsAwayPtr, nullptr},
    {MI_STRING_VAR, 778, 62, 11, 0, &g_minutePtr, nullptr},
    {MI_STRING_VAR, 274, 154, 10, 0, &g_zonePercentPtr[0], nullptr},
    {MI_STRING_VAR, 401, 154, 10, 0, &g_zonePercentPtr[1], nullptr},
    {MI_STRING_VAR, 528, 154, 10, 0, &g_zonePercentPtr[2], nullptr},
    {MI_CUSTOM, 162, 233, 476, 17, MenuFunction(MatchStatsZones), nullptr},
    {MI_CUSTOM, 180, 258, 440, 266, MenuFunction(MatchStatsBars), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 0, 0, 1, 0, ResultsTabBar, nullptr},
    kMenuEnd,
};
