#include "core/match/infobar.h"

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/debug.h"
#include "core/match/matchfigure.h"
#include "core/records/text.h"
#include "core/season/matchsetup.h"

int16_t DetailSetting;

namespace {

char g_text[256];
int32_t g_hold;

// The shown name of a figure's record (its first 20 bytes, which need not
// end in a NUL); empty for a figure outside the table.
const char* FigureName(int16_t figure) {
    static char names[2][sizeof(MatchFigure::name) + 1];
    static int next;
    char* name = names[next++ & 1];
    name[0] = '\0';
    if (figure >= 0 && figure < kMatchFigureCount) {
        std::memcpy(name, MatchFigures[figure].name, sizeof(MatchFigure::name));
        name[sizeof(MatchFigure::name)] = '\0';
    }
    return name;
}

void Show(int32_t hold, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Show(int32_t hold, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(g_text, sizeof g_text, format, args);
    va_end(args);
    g_hold = hold;
}

// How an item type is shown: nothing, its text, its text with the figure's
// name (and the value as minutes), the detail setting's text, the players
// on and off, or the attendance.
enum class InfoForm : uint8_t { kNothing, kText, kTextName, kTextNameMinutes, kDetail, kOnOff, kAttendance };

struct InfoItem {
    int16_t type;
    InfoForm form;
    int16_t text;  // the language text shown first
};

constexpr int16_t kTextDetailLow = 1607;  // Detail: Low (Medium and High follow)
constexpr int16_t kTextOn = 642;          // On
constexpr int16_t kTextOff = 643;         // Off
constexpr int16_t kTextAttendance = 273;  // Attendance:

// One row per item type, in type order.
constexpr InfoItem kInfoItems[] = {
    {kInfoUnusedA, InfoForm::kNothing, 0},
    {kInfoRadarSwitch, InfoForm::kNothing, 0},
    {kInfoUnusedB, InfoForm::kNothing, 0},
    {kInfoUnusedC, InfoForm::kNothing, 0},
    {kInfoDetailSetting, InfoForm::kDetail, kTextDetailLow},
    {kInfoUnusedD, InfoForm::kNothing, 0},
    {kInfoKickOff, InfoForm::kText, 1640},  // Kick-off
    {kInfoHalfTime, InfoForm::kNothing, 0},
    {kInfoOffside, InfoForm::kTextName, 1642},  // Offside
    {kInfoCorner, InfoForm::kText, 1643},       // Corner
    {kInfoThrowIn, InfoForm::kNothing, 0},
    {kInfoSubstitution, InfoForm::kText, 635},         // Substitution
    {kInfoBooked, InfoForm::kTextName, 1095},          // Booked:
    {kInfoSentOff, InfoForm::kTextName, 1647},         // Sent off:
    {kInfoGoal, InfoForm::kTextNameMinutes, 1648},     // GOAL!
    {kInfoOwnGoal, InfoForm::kTextNameMinutes, 1649},  // Own goal:
    {kInfoGoalKick, InfoForm::kText, 1650},            // Goal kick
    {kInfoOnOff, InfoForm::kOnOff, kTextOn},
    {kInfoOnOffSecond, InfoForm::kOnOff, kTextOn},
    {kInfoHandball, InfoForm::kText, 1653},    // Handball
    {kInfoFoul, InfoForm::kText, 1654},        // Foul
    {kInfoFoulTackle, InfoForm::kText, 1655},  // Foul tackle
    {kInfoInjuryTime, InfoForm::kNothing, 0},
    {kInfoFullTime, InfoForm::kNothing, 0},
    {kInfoAdvantage, InfoForm::kText, 1658},  // Advantage
    {kInfoAttendance, InfoForm::kAttendance, kTextAttendance},
};

constexpr bool EveryTypeOnceInOrder() {
    for (std::size_t i = 0; i < std::size(kInfoItems); ++i) {
        if (kInfoItems[i].type != kInfoFirstType + int(i)) return false;
    }
    return std::size(kInfoItems) == kInfoTypeCount;
}
static_assert(EveryTypeOnceInOrder(), "the item table must list every type once, in order");

void ShowOnOff(int16_t figure, int16_t value) {
    if (figure >= 0) {
        Show(kInfoBarHold, "%s : %s %s : %s", GetText(kTextOn), FigureName(value), GetText(kTextOff),
             FigureName(figure));
    } else {
        Show(kInfoBarHold, "%s : %s", GetText(kTextOn), FigureName(value));
    }
}

}  // namespace

void InfoBar(int16_t type, int16_t figure, int16_t value) {
    if (type < kInfoFirstType || type >= kInfoFirstType + kInfoTypeCount) {
        FatalError("Error: InfoBar(): unknown type (%d)\n", int(type));
    }
    const InfoItem& item = kInfoItems[type - kInfoFirstType];
    switch (item.form) {
        case InfoForm::kNothing:
            return;
        case InfoForm::kText:
            Show(kInfoBarHold, "%s", GetText(item.text));
            return;
        case InfoForm::kTextName:
            Show(kInfoBarHold, "%s %s", GetText(item.text), FigureName(figure));
            return;
        case InfoForm::kTextNameMinutes:
            Show(kInfoBarHold, "%s %s %d mins", GetText(item.text), FigureName(figure), value);
            return;
        case InfoForm::kDetail: {
            const int16_t setting = DetailSetting >= 0 && DetailSetting <= 2 ? DetailSetting : 0;
            Show(kInfoBarDetailHold, "%s", GetText(int16_t(item.text + setting)));
            return;
        }
        case InfoForm::kOnOff:
            ShowOnOff(figure, value);
            return;
        case InfoForm::kAttendance:
            Show(kInfoBarHold, "%s %d", GetText(item.text), int(LastAttendance));
            return;
    }
}

void InfoBar_Reset() { g_hold = 0; }

void InfoBar_Update() {
    if (g_hold != 0) --g_hold;
}

const char* InfoBar_GetText() { return g_text; }
int32_t InfoBar_GetHold() { return g_hold; }
