#include "game/screens/squad/playercondition.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/base/bytes.h"
#include "core/club/coaching.h"
#include "core/club/staff.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/training.h"
#include "game/screens/club/staffbars.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"

int16_t ConditionReturnOption = 0;
uint8_t ConditionChartPair = 0;

namespace {

constexpr int16_t kNone = INT16_MIN;
constexpr int16_t kNoText = -1;
constexpr int kNoCounter = -1;

struct StatCode {
    int16_t code, label, keeperLabel;
    int counter;
};
// The twenty rows: left column rows 0-9, right column rows 10-19.
constexpr StatCode kStatRows[kConditionStatRows] = {
    {kPassingStat, 44, 44, 11},
    {kShootingStat, 45, 45, 12},
    {kTacklingStat, 43, 43, 10},
    {kHeadingStat, 42, 2409, 9},
    {kDribbleStat, 46, 46, 13},
    {kKeepingStat, 41, 41, 8},
    {kControlStat, 47, 2410, 15},
    {kDeadballStat, 48, 48, 14},
    {kLeadershipStat, 58, 58, kNoCounter},
    {kConsistencyStat, 397, 397, 7},
    {kPaceStat, 49, 49, 0},
    {kStaminaStat, 52, 52, 3},
    {kAgilityStat, 50, 50, 1},
    {kPowerStat, 51, 51, 2},
    {kResilienceStat, 53, 53, 4},
    {kVisionStat, 54, 54, 5},
    {kComposureStat, 55, 55, 6},
    {kAggressionStat, 56, 56, kNoCounter},
    {kIntelligenceStat, 57, 57, 16},
    {kSpiritStat, 398, 398, kNoCounter},
};
constexpr int16_t kGradeTexts[10] = {1541, 2463, 1542, 1543, 1544, 1545, 1546, 1547, 1548, 1549};
constexpr int kRemarkSlots = 10;
constexpr int kBarWidth = 104;

int16_t g_label[2][10];
int16_t g_value[2][10];
char g_gainText[2][10][6];
const char* g_gain[2][10];
int16_t g_gainValue[kConditionStatRows];
char g_remarks[kRemarkSlots][1000];
const char* g_remarkLines[kConditionRemarkLines];
int g_remarkCount = 0;
char g_header[300] = "";
char g_shortName[40] = "";
char g_coachName[40] = "";
const char* g_headerText = g_header;
const char* g_shortNameText = g_shortName;
const char* g_coachText = g_coachName;
const char* g_bottomText = "";
int16_t g_courseText = kNoText, g_gradeText = kNoText, g_weeks = kNone, g_courseValue = kNone;
const MenuItem* g_panel = nullptr;

uint16_t Player() {
    const auto player = uint16_t(SelectedPlayer);  // numbers past 32767 read negative signed
    return IsPlayerNumber(player) ? player : uint16_t(0);
}

const uint8_t* RecordOf(uint16_t player) {
    const int16_t index = player != 0 ? HVW_FindEntryById(player) : int16_t(-1);
    return index >= 0 ? TrainingRecords[index].bytes : nullptr;
}

// Day i of history 0..3 of the record; -1 none.
int History(const uint8_t* record, int history, int day) {
    return int8_t(record[kTrainingBlocks + history * kTrainingBlockSize + day]);
}

void AddRemark(int16_t text) {
    if (g_remarkCount >= kRemarkSlots) return;
    std::snprintf(g_remarks[g_remarkCount++], sizeof g_remarks[0], "%s", GetText(text));
}

void BuildRemarks(uint16_t p) {
    g_remarkCount = 0;
    const auto band = [](int value, int low, int16_t lowText, int high, int16_t highText) {
        if (value < low) {
            AddRemark(lowText);
        } else if (value < high) {
            AddRemark(highText);
        }
    };
    band(GetPlayerField105(p), 15, 920, 30, 919);
    band(GetPlayerFitness(p), 15, 917, 30, 924);
    const int field96 = GetPlayerField96(p);
    if (field96 < 30) {
        band(field96, 15, 923, 30, 922);
    } else if (field96 == 60) {
        AddRemark(921);
    }
    const int field118 = GetPlayerField118(p);
    if (field118 > 31) {
        AddRemark(926);
    } else if (field118 > 15) {
        AddRemark(925);
    }
    band(GetPlayerMorale(p), 15, 927, 30, 928);
    const int fatigue = GetPlayerFatigue(p);
    if (fatigue > 30) {
        AddRemark(929);
    } else if (fatigue > 15) {
        AddRemark(930);
    }
    if (GetPlayerStat(p, kAbilityStat, 0) > 80 && GetPlayerAge(p) + 16 < 20) AddRemark(934);
    const auto stat = [&](int value, int16_t low, int16_t middle, int16_t high) {
        if (value < 20) {
            AddRemark(low);
        } else if (value < 40) {
            AddRemark(middle);
        } else if (value > 80) {
            AddRemark(high);
        }
    };
    stat(GetPlayerStat(p, kProfessionalismStat, 0), 931, 932, 933);
    stat(GetPlayerStat(p, kAmbitionStat, 0), 971, 972, 973);
    if (g_remarkCount == 0) AddRemark(916);
}

void FillStatRows(uint16_t p) {
    const uint8_t* record = RecordOf(p);
    const bool keeper = HVW_GetPositionType(p) == 0;
    for (int row = 0; row < kConditionStatRows; ++row) {
        const StatCode& s = kStatRows[row];
        const int column = row / 10, r = row % 10;
        g_label[column][r] = keeper ? s.keeperLabel : s.label;
        g_value[column][r] = GetPlayerStat(p, s.code, 0);
        const int gain =
            record != nullptr && s.counter != kNoCounter ? record[kTrainingCounters + s.counter] : 0;
        g_gainValue[row] = int16_t(gain);
        std::snprintf(g_gainText[column][r], sizeof g_gainText[column][r], "%+d",
                      std::clamp(gain, -999, 999));
        g_gain[column][r] = g_gainText[column][r];
    }
}

void ClearRows() {
    for (int column = 0; column < 2; ++column) {
        for (int r = 0; r < 10; ++r) {
            g_label[column][r] = kNoText;
            g_value[column][r] = kNone;
            g_gainText[column][r][0] = '\0';
            g_gain[column][r] = g_gainText[column][r];
        }
    }
    std::fill(std::begin(g_gainValue), std::end(g_gainValue), int16_t(0));
    for (int i = 0; i < kConditionRemarkLines; ++i) g_remarkLines[i] = "";
    g_header[0] = g_shortName[0] = g_coachName[0] = '\0';
    g_courseText = g_gradeText = kNoText;
    g_weeks = g_courseValue = kNone;
}

int16_t TableText(const int16_t* table, int size, int index) {
    return index >= 0 && index < size ? table[index] : kNoText;
}

void FillCoaching(uint16_t p) {
    StaffList_FormatName(Player_GetAssignedStaff(p), g_coachName, sizeof g_coachName);
    if (SquadRec_FindSlot(p) < 0) return;
    const int16_t course = SquadRec_GetProgramCode(p, 0);
    g_courseText = SquadRec_GetCoachingText(p);
    const int32_t weeks = SquadRec_GetProgramWeeks(p, 0), value = SquadRec_GetProgramCounter8(p, 0);
    g_weeks = int16_t(std::clamp<int32_t>(weeks, -32767, 32767));
    g_courseValue = int16_t(std::clamp<int32_t>(value, -32767, 32767));
    g_gradeText = TableText(kGradeTexts, 10, SquadRec_ProgramState(p, course));
}

int32_t AlternativeButton(MenuHotItem*) { return MENU_REDRAW; }

const MenuItem kStatRow[] = {
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_TEXT_VAR, 16, 0, 9, sizeof(int16_t), g_label[0], nullptr},
    {MI_TEXT_VAR, 386, 0, 9, sizeof(int16_t), g_label[1], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(7), nullptr},
    {MI_NUMBER_I16, 144, 0, 10, sizeof(int16_t), g_value[0], nullptr},
    {MI_NUMBER_I16, 514, 0, 10, sizeof(int16_t), g_value[1], nullptr},
    {MI_STRING_VAR, 286, 0, 11, sizeof(const char*), g_gain[0], nullptr},
    {MI_STRING_VAR, 656, 0, 11, sizeof(const char*), g_gain[1], nullptr},
    kMenuEnd,
};

const MenuItem kCoachingPanel[] = {
    {MI_TEXT, 48, 160, 9, 0, MenuValue(1101), nullptr},
    {MI_TEXT, 48, 181, 9, 0, MenuValue(411), nullptr},
    {MI_TEXT, 48, 202, 9, 0, MenuValue(1684), nullptr},
    {MI_TEXT, 48, 223, 9, 0, MenuValue(297), nullptr},
    {MI_TEXT, 48, 244, 9, 0, MenuValue(95), nullptr},
    {MI_TEXT_VAR, 210, 160, 9, 0, &g_courseText, nullptr},
    {MI_STRING_VAR, 210, 181, 9, 0, &g_coachText, Condition_OpenCoach},
    {MI_TEXT_VAR, 210, 202, 9, 0, &g_gradeText, nullptr},
    {MI_NUMBER_I16, 210, 223, 9, 0, &g_weeks, nullptr},
    {MI_NUMBER_I16, 210, 244, 9, 0, &g_courseValue, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    kMenuEnd,
};

const MenuItem kAlternativePanel[] = {
    {MI_BUTTON_TEXT, 32, 540, 343, 30, MenuValue(2317), AlternativeButton},
    {MI_BUTTON_TEXT, 377, 540, 343, 30, MenuValue(251), AlternativeButton},
    kMenuEnd,
};

template <typename Paint>
void InColour(uint16_t colour, Paint paint) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, colour);
    paint();
    SetDrawParam(2, kept);
}

void ShadedFramed(int x, int y, int w, int h, int shade) {
    DrawShadedRect(x, y, w, h, shade);
    DrawBox(x, y, w, h);
}

}  // namespace

int Condition_ChartY(int value, bool second) {
    if (second) return 160 + int((50 - std::clamp(value, 0, 50)) * 2.76);
    return 160 + int(((100 - std::clamp(value, 0, 100)) / 2) * 2.76);
}

int Condition_ChartX(int day) { return 418 + int(5.6667 * day); }

void Condition_BarLengths(int value, int gain, int* base, int* change) {
    *base = std::clamp(gain > 0 ? value - gain : value, 0, kBarWidth);
    *change = std::clamp(std::abs(gain), 0, kBarWidth - *base);
}

void PlayerConditionMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        UpdateScreenHistory(MenuOption, 2, 3);
    }
    ClearRows();
    g_bottomText = GetText(ConditionChartPair == 0 ? 938 : 974);
    const uint16_t p = Player();
    g_panel = nullptr;
    if (p == 0) return;
    std::snprintf(g_shortName, sizeof g_shortName, "%s", HVW_GetPlayerShortName(p));
    char nation[80];
    std::snprintf(nation, sizeof nation, "%s", HVW_GetNationName(int16_t(HVW_GetPlayerNationality(p))));
    std::snprintf(g_header, sizeof g_header, "%s  %s %d %s", nation, GetText(HVW_GetPositionTextId(p)),
                  HVW_GetPlayerAge(p), GetText(185));
    if (HVW_GetPlayerFlag95(p) != 0) {
        g_panel = kAlternativePanel;
    } else {
        g_panel = kCoachingPanel;
        FillCoaching(p);
    }
    FillStatRows(p);
    BuildRemarks(p);
    for (int i = 0; i < kConditionRemarkLines && i < g_remarkCount; ++i) g_remarkLines[i] = g_remarks[i];
}

int32_t Condition_ToggleChart(MenuHotItem*) {
    ConditionChartPair = ConditionChartPair == 0 ? 1 : 0;
    return MENU_REDRAW;
}

// Back to the screen that opened this one: the profile, the coaching list
// or the training schedule; this screen leaves the screen history too, so
// that the screen it returns to steps back past it.  A player opened from
// the coaching list goes back to that list, not to the training schedule
// the user never came from.
int32_t Condition_Back(MenuHotItem*) {
    const int16_t back = ConditionReturnOption;
    UpdateScreenHistory(MenuOption, 1, 3);
    MenuOption = back == kScreenPlayerStats || back == kScreenUserCoachingList || back == kScreenCoachingList
                     ? back
                     : kScreenTraining;
    return MENU_CLOSE;
}

int32_t Condition_OpenCoach(MenuHotItem*) {
    const StaffRecord* coach = Player_GetAssignedStaff(Player());
    if (coach == nullptr) return MENU_CONTINUE;
    CurrentStaffRecord = coach;
    MenuOption = kScreenStaffMember;
    return MENU_CLOSE;
}

void Condition_Leave() {}

int32_t Condition_TabStaff(MenuHotItem*) {
    MenuOption = kScreenStaffList;
    return MENU_CLOSE;
}
int32_t Condition_TabIndividual(MenuHotItem*) {
    MenuOption = kScreenUserCoachingList;
    return MENU_CLOSE;
}
int32_t Condition_TabTraining(MenuHotItem*) {
    MenuOption = kScreenTraining;
    return MENU_CLOSE;
}

void Condition_DrawPanels(int, int, int, int) {
    InColour(0, [] {
        ShadedFramed(32, 104, 736, 38, 50);
        ShadedFramed(32, 316, 736, 210, 70);
        ShadedFramed(32, 144, 368, 170, 70);
        ShadedFramed(402, 144, 370, 170, 70);
    });
    InColour(kStaffBarBackground, [] {
        for (int r = 0; r < 10; ++r) {
            DrawShadedRect(192, 325 + 20 * r, 104, 10, 20);
            DrawShadedRect(562, 325 + 20 * r, 104, 10, 20);
        }
    });
}

void Condition_DrawStatBars(int, int, int, int) {
    if (Player() == 0) return;
    for (int row = 0; row < kConditionStatRows; ++row) {
        const int column = row / 10, r = row % 10;
        const int value = g_value[column][r] == kNone ? 0 : g_value[column][r];
        int base = 0, change = 0;
        Condition_BarLengths(value, g_gainValue[row], &base, &change);
        if (base + change > 0)
            Staff_DrawChangeBar(column == 0 ? 192 : 562, 325 + 20 * r, base, change, 10, g_gainValue[row]);
    }
}

void Condition_DrawChartFrame(int, int, int, int) {
    SetFont(6);
    char title[120];
    char first[60];
    std::snprintf(first, sizeof first, "%s", GetText(243));
    std::snprintf(title, sizeof title, "%s/%s", first, GetText(64));
    DrawTextAddrAt(584, 158, title, 14);
    DrawGradientRect(418, 160, 340, 138, 227, 218, 246, 177, 168, 196, 207, 198, 226, 157, 148, 176);
    InColour(0x5CDE, [] {
        for (int i = 0; i < 20; ++i) {
            const int y = int(160 + 6.9 * i);
            DrawSolidRect(418, y, 340, 1);
            if (i == 0 || i == 9 || i == 19) DrawTextAddrAt(414, y, i == 0 ? "100" : i == 9 ? "50" : "0", 11);
        }
        for (int i = 0; i < kConditionChartDays; ++i) {
            const int x = Condition_ChartX(i);
            DrawSolidRect(x, 160, 1, 138);
            if (i == 0 || i == 29 || i == 59) DrawNumberAt(x, 304, i + 1, JUSTIFY_CENTRE_TOP);
        }
    });
}

void Condition_DrawChart(int, int, int, int) {
    const uint8_t* record = RecordOf(Player());
    if (record == nullptr) return;
    const int pair = ConditionChartPair == 0 ? 0 : 2;
    for (int series = 0; series < 2; ++series) {
        const int history = pair + series;
        const uint16_t colour = series == 0 ? 0xF800 : 0x001F;
        for (int i = 0; i + 1 < kConditionChartDays; ++i) {
            const int a = History(record, history, i), b = History(record, history, i + 1);
            // A day without a value (-1) has no segment into or out of it: a
            // line out of it would start at a point the history never held.
            if (a < 0 || b < 0) continue;
            const int x = Condition_ChartX(i), w = Condition_ChartX(i + 1) - x;
            const int ya = Condition_ChartY(a, series == 1), yb = Condition_ChartY(b, series == 1);
            const int top = std::min(ya, yb), h = std::abs(yb - ya) + 1;
            FillSolidRect(x, top, w, h, colour);
            FillSolidRect(x + 1, top + 1, w, h, 0);
        }
    }
}

void Condition_DrawProgressBar(int, int, int, int) {
    const uint16_t p = Player();
    if (p == 0) return;
    const bool flagged = HVW_GetPlayerFlag95(p) != 0;
    const int32_t total = flagged ? SquadRec28_GetWord22(p) : SquadRec_GetSubEntryWord(p, 0);
    const int32_t done = flagged ? SquadRec28_GetWord24(p) : SquadRec_GetSubEntryWord4(p, 0);
    if (total <= 0) return;
    const int32_t percent = done * 100 / total;
    if (percent >= 1) Staff_DrawPercentBar(242, 218, int(percent), 10, int(percent), 0, 100, 0);
}

const MenuItem PlayerConditionTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlayerConditionMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 1, 0, MenuFunction(DrawBottomBar), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Condition_DrawPanels), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Condition_DrawStatBars), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_STRING_VAR, 600, 62, 11, 4, &g_shortNameText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(13), nullptr},
    {MI_STRING_VAR, 400, 123, 10, 4, &g_headerText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_STRING_VAR, 200, 161, 10, 0, &g_remarkLines[0], nullptr},
    {MI_STRING_VAR, 200, 181, 10, 0, &g_remarkLines[1], nullptr},
    {MI_STRING_VAR, 200, 201, 10, 0, &g_remarkLines[2], nullptr},
    {MI_STRING_VAR, 200, 221, 10, 0, &g_remarkLines[3], nullptr},
    {MI_STRING_VAR, 200, 241, 10, 0, &g_remarkLines[4], nullptr},
    {MI_STRING_VAR, 200, 261, 10, 0, &g_remarkLines[5], nullptr},
    {MI_STRING_VAR, 200, 281, 10, 0, &g_remarkLines[6], nullptr},
    {MI_STRING_VAR, 200, 301, 10, 0, &g_remarkLines[7], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_GROUP, 32, 330, 10, 20, kStatRow, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Condition_DrawChartFrame), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Condition_DrawChart), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_BUTTON_STRING_VAR, 60, 559, 678, 28, &g_bottomText, Condition_ToggleChart},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Condition_Back},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_panel, nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_END, 400, 514, 10, 0, MenuFunction(Condition_Leave), nullptr},
};

ConditionStatRow Condition_StatRow(int row) {
    if (row < 0 || row >= kConditionStatRows) return {};
    const int column = row / 10, r = row % 10;
    return {kStatRows[row].code, g_label[column][r], g_value[column][r], g_gainValue[row], g_gain[column][r]};
}
const char* Condition_Remark(int line) { return line >= 0 && line < g_remarkCount ? g_remarks[line] : ""; }
int Condition_RemarkCount() { return g_remarkCount; }
const char* Condition_Header() { return g_header; }
ConditionCoaching Condition_Coaching() {
    return {g_coachName, g_courseText, g_gradeText, g_weeks, g_courseValue, g_panel == kAlternativePanel};
}
