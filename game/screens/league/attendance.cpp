#include "game/screens/league/attendance.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchevents.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/sortkeys.h"

AttendanceState Attendance;
AttendanceGoals AttendanceGoalBands;

namespace {

constexpr int16_t kTitleText = 1083;
constexpr int16_t kBackIcon = 153;
constexpr int16_t kGoalsForText = 2422;
constexpr int16_t kGoalsAgainstText = 2423;
constexpr int16_t kGoalsTitleText = 2424;
constexpr int kNameBandLeft = 20;
constexpr int kNameBandWidth = 164;
constexpr int kBarHeight = 8;
constexpr int kButtonsLeft = 60;
constexpr int kButtonsSpan = 678;
constexpr uint16_t kEvenBarColour = 0xB000;
constexpr uint16_t kOddBarColour = 0xF800;
constexpr uint16_t kGridColour = 0x4208;
constexpr uint16_t kScoredColour = 0x07E0;
constexpr uint16_t kConcededColour = 0xF800;
// The upper minute of each band (the last band takes every later minute).
constexpr int kBandEnds[kGoalBands] = {10, 20, 30, 45, 60, 70, 80, 255};
constexpr const char* kBandLabels[kGoalBands] = {"1-10",  "11-20", "21-30", "31-45",
                                                 "46-60", "61-70", "71-80", "81+"};

const MenuItem* g_buttons = nullptr;
bool g_keepDivision = false;
char g_goalsTitle[80];
const char* g_goalsTitleShown = g_goalsTitle;

int16_t Country() { return HVW_GetViewedCountry(); }

template <int K>
int32_t DivisionButton(MenuHotItem*) {
    return Attendance_ChooseDivision(K);
}

// The mark and the button of division K among N buttons.
template <int N, int K>
constexpr std::array<MenuItem, 2> ButtonPair() {
    constexpr int16_t width = kButtonsSpan / N;
    return {{{MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &Attendance.marks[K], nullptr},
             {MI_BUTTON_TEXT_VAR, int16_t(kButtonsLeft + K * width), 559, width, 28, &Attendance.captions[K],
              DivisionButton<K>}}};
}

template <int N, int... K>
constexpr auto ButtonTable(std::integer_sequence<int, K...>) {
    std::array<MenuItem, 2 * N + 2> table{};
    size_t at = 0;
    ((table[at++] = ButtonPair<N, K>()[0], table[at++] = ButtonPair<N, K>()[1]), ...);
    table[at++] = {MI_TEXT_COLOUR, 0, 0, 0, 0, nullptr, nullptr};  // colour 0 again
    table[at] = kMenuEnd;
    return table;
}

template <int N>
constexpr auto kButtons = ButtonTable<N>(std::make_integer_sequence<int, N>{});

int32_t NameBand(MenuHotItem* item) {
    return item != nullptr ? Attendance_OpenClub(item->row) : MENU_CONTINUE;
}

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int32_t BackToChart(MenuHotItem*) {
    g_keepDivision = true;
    return MENU_CLOSE;
}

// The goals chart runs over the chart; its title bar's lists close only the
// goals chart, and the chart under it would stay up over the chosen screen
// (which the chart's own back icon later overwrote with the club screen).
// The chart closes as soon as the screen id has moved on.
void LeaveForChosenScreen(int16_t) {
    if (MenuOption != kScreenAttendance) SetMenuFrameResult(MENU_CLOSE);
}
const MenuTimerRecord kLeaveForChosenScreen = {1, 1, LeaveForChosenScreen};

const MenuItem kNameRow[] = {
    {MI_HOT_RECT, kNameBandLeft, kAttendanceBarTop, kNameBandWidth, kAttendanceRowHeight, nullptr, NameBand},
    kMenuEnd,
};

void ListDivision() {
    AttendanceState& s = Attendance;
    const int16_t country = Country();
    s.clubCount = int16_t(std::clamp<int>(HVW_GetCompRoundWord(s.division, country), 0, kAttendanceClubs));
    std::fill(std::begin(s.clubs), std::end(s.clubs), int16_t(-1));
    std::fill(std::begin(s.attendance), std::end(s.attendance), 0);
    int n = 0;
    for (int place = 0; place < s.clubCount; ++place) {
        const int16_t club = HVW_GetLeagueTableClub(country, s.division, int16_t(place));
        if (IsClubNumber(club)) s.clubs[n++] = club;
    }
    s.clubCount = int16_t(n);
    std::qsort(s.clubs, size_t(n), sizeof s.clubs[0], CompareClubsByAttendance);
    for (int i = 0; i < n; ++i) s.attendance[i] = std::max<int32_t>(HVW_GetClubAvgAttendance(s.clubs[i]), 0);
    s.top = n > 0 ? s.attendance[0] : 0;
    if (s.top <= 0) s.top = kAttendanceEmptyTop;
}

int BandOf(int minute) {
    for (int b = 0; b < kGoalBands; ++b)
        if (minute <= kBandEnds[b]) return b;
    return kGoalBands - 1;
}

}  // namespace

int32_t Attendance_GridStep(int32_t top) {
    if (top >= 40000) return 5000;
    if (top >= 30000) return 2000;
    if (top >= 16000) return 1000;
    if (top >= 5000) return 500;
    return 200;
}

int32_t Attendance_BarLength(int32_t crowd, int32_t top) {
    if (top <= 0) return 0;
    return int32_t(int64_t(std::max(crowd, 0)) * kAttendanceBarSpan / top);
}

const MenuItem* Attendance_ButtonTable(int16_t divisions) {
    switch (divisions) {
        case 3:
            return kButtons<3>.data();
        case 4:
            return kButtons<4>.data();
        case 5:
            return kButtons<5>.data();
        case 6:
            return kButtons<6>.data();
        default:
            return kButtons<2>.data();
    }
}

void AttendanceScreenProc() {
    AttendanceState& s = Attendance;
    if (IsMenuFirstEntry() != 0) {
        SetMenuTitleDate(10);
        const int16_t country = Country();
        if (!g_keepDivision) {
            const int16_t user = HVW_GetMyClub();
            s.division = IsClubNumber(user) ? HVW_FindClubInDivisionRows(user) : int16_t(0);
        }
        g_keepDivision = false;
        s.divisions = int16_t(std::clamp<int>(HVW_CountCompRounds2(country), 0, kAttendanceButtonMarks));
        std::fill(std::begin(s.captions), std::end(s.captions), int16_t(-1));
        for (int d = 0; d < s.divisions; ++d) s.captions[d] = HVW_GetCompRoundTextId(int16_t(d), country);
        g_buttons = Attendance_ButtonTable(s.divisions);
    }
    std::fill(std::begin(s.marks), std::end(s.marks), int16_t(0));
    if (s.division >= 0 && s.division < kAttendanceButtonMarks) s.marks[s.division] = 1;
    ListDivision();
    SetMenuListRows(s.clubCount);
}

void AttendanceDrawChart(int, int, int, int) {
    const AttendanceState& s = Attendance;
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    const int rows = std::max<int>(s.clubCount, 1);
    SetDrawParam(2, 0);
    DrawShadedRect(kAttendanceBarLeft, kAttendanceBarTop, kAttendanceBarSpan + 80,
                   rows * kAttendanceRowHeight, 40);
    const int32_t step = Attendance_GridStep(s.top);
    SetDrawParam(2, kGridColour);
    for (int32_t k = 0; k < (s.top * 109 / 100) / step; ++k) {
        const int x = kAttendanceBarLeft + int(int64_t(k) * step * kAttendanceBarSpan / s.top);
        DrawSolidRect(x, kAttendanceBarTop, 1, rows * kAttendanceRowHeight);
    }
    SetFont(8);
    SetDrawParam(4, 1);  // raised bars
    for (int i = 0; i < s.clubCount; ++i) {
        const int y = kAttendanceBarTop + kAttendanceRowHeight * i;
        SetDrawParam(2, 0);
        DrawShadedRect(kNameBandLeft, y, kNameBandWidth, kAttendanceRowHeight, i % 2 == 0 ? 50 : 25);
        SetDrawParam(1, 0);
        DrawTextAddrAt(kNameBandLeft + kNameBandWidth - 4, y + 2, HVW_GetClubName(s.clubs[i]),
                       JUSTIFY_RIGHT_TOP);
        const int length = Attendance_BarLength(s.attendance[i], s.top);
        if (length > 0) {
            SetDrawParam(2, i % 2 == 0 ? kEvenBarColour : kOddBarColour);
            DoButton(kAttendanceBarLeft, y + 5, length, kBarHeight);
        }
        char crowd[32];
        std::snprintf(crowd, sizeof crowd, "(%s)", HVW_FormatThousands(s.attendance[i]));
        DrawTextAddrAt(length + 203, 106 + kAttendanceRowHeight * i, crowd, JUSTIFY_LEFT_MIDDLE);
    }
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
}

int32_t Attendance_ChooseDivision(int16_t division) {
    if (division < 0 || division >= std::max<int16_t>(Attendance.divisions, 1)) return MENU_CONTINUE;
    Attendance.division = division;
    return MENU_REDRAW;
}

int32_t Attendance_OpenClub(int row) {
    if (row < 0 || row >= Attendance.clubCount || !IsClubNumber(Attendance.clubs[row])) return MENU_CONTINUE;
    SelectedClub = uint16_t(Attendance.clubs[row]);
    PushItemTable(AttendanceGoalsTable);
    return MENU_CONTINUE;
}

// ---------------------------------------------------------------------------
// The goals chart

void Attendance_CountGoals(int16_t club) {
    AttendanceGoals& g = AttendanceGoalBands;
    g = AttendanceGoals{};
    g.club = club;
    g.scale = 10;
    if (!IsClubNumber(club)) return;
    const int today = SeasonCalendar.currentDay;
    for (int32_t r = 0; r < kMatchEventRecords; ++r) {
        if (MatchEventKind(r) == kKindFree) break;  // the used records end at the first free one
        if (!MatchEvents_IsSound(r) || !MatchEvents_IsGoalKind(MatchEventKind(r))) continue;
        const int slot = MatchEventFixture(r);
        if (FixtureDay(slot) >= today || !IsFixturePlayed(slot)) continue;
        const int clubSide = FixtureHome(slot) == club ? 0 : FixtureAway(slot) == club ? 1 : -1;
        if (clubSide < 0) continue;
        const int band = BandOf(MatchEventMinute(r));
        if (MatchEventSide(r) == clubSide) {
            ++g.scored[band];
        } else {
            ++g.conceded[band];
        }
    }
    int most = 0;
    for (int b = 0; b < kGoalBands; ++b) most = std::max({most, int(g.scored[b]), int(g.conceded[b])});
    g.scale = int16_t(std::max(most + 2, 10));
}

void AttendanceGoalsProc() {
    if (IsMenuFirstEntry() == 0) return;
    SetMenuTitleDate(10);
    const int16_t club = int16_t(SelectedClub);
    Attendance_CountGoals(club);
    std::snprintf(g_goalsTitle, sizeof g_goalsTitle, "%s", IsClubNumber(club) ? HVW_GetClubName(club) : "");
}

void AttendanceDrawGoals(int, int, int, int) {
    const AttendanceGoals& g = AttendanceGoalBands;
    constexpr int kBase = 500, kHeight = 360, kLeft = 100, kBandWidth = 80, kBarWidth = 28;
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    SetDrawParam(2, 0);
    DrawShadedRect(kLeft - 10, kBase - kHeight - 10, kBandWidth * kGoalBands + 20, kHeight + 40, 40);
    SetDrawParam(4, 1);
    SetFont(8);
    // The legend's colour keys beside its two texts.
    SetDrawParam(2, kScoredColour);
    DoButton(140, 533, 14, 14);
    SetDrawParam(2, kConcededColour);
    DoButton(410, 533, 14, 14);
    for (int b = 0; b < kGoalBands; ++b) {
        const int x = kLeft + kBandWidth * b;
        const int scored = g.scored[b] * kHeight / std::max<int>(g.scale, 1);
        const int conceded = g.conceded[b] * kHeight / std::max<int>(g.scale, 1);
        SetDrawParam(2, kScoredColour);
        if (scored > 0) DoButton(x + 8, kBase - scored, kBarWidth, scored);
        SetDrawParam(2, kConcededColour);
        if (conceded > 0) DoButton(x + 8 + kBarWidth, kBase - conceded, kBarWidth, conceded);
        SetDrawParam(1, 0);
        DrawTextAddrAt(x + kBandWidth / 2, kBase + 14, kBandLabels[b], JUSTIFY_CENTRE_MIDDLE);
    }
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
}

const MenuItem AttendanceTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(AttendanceScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(AttendanceDrawChart), nullptr},
    {MI_GROUP, 0, 0, 0, kAttendanceRowHeight, kNameRow, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(kBackIcon), BackToClub},
    {MI_ANIMATION, 0, 0, 0, 0, &kLeaveForChosenScreen, nullptr},
    kMenuEnd,
};

const MenuItem AttendanceGoalsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(AttendanceGoalsProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, 10, 0, &g_goalsTitleShown, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 100, 10, 0, MenuValue(kGoalsTitleText), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(AttendanceDrawGoals), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 200, 540, 10, 0, MenuValue(kGoalsForText), nullptr},
    {MI_TEXT, 500, 540, 10, 0, MenuValue(kGoalsAgainstText), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(kBackIcon), BackToChart},
    kMenuEnd,
};
