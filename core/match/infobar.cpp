#include "core/match/infobar.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

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

void ShowText(int16_t id) { Show(kInfoBarHold, "%s", GetText(id)); }
void ShowAbout(int16_t id, int16_t figure) { Show(kInfoBarHold, "%s %s", GetText(id), FigureName(figure)); }

}  // namespace

void InfoBar(int16_t type, int16_t figure, int16_t value) {
    switch (type) {
        case -6:
        case -5:
        case -4:
        case -3:
        case -1:
        case 1:
        case 4:
        case 16:
        case 17:
            return;
        case -2: {
            const int16_t setting = DetailSetting >= 0 && DetailSetting <= 2 ? DetailSetting : 0;
            Show(kInfoBarDetailHold, "%s", GetText(int16_t(1607 + setting)));
            return;
        }
        case 0:
            ShowText(1640);
            return;
        case 2:
            ShowAbout(1642, figure);
            return;
        case 3:
            ShowText(1643);
            return;
        case 5:
            ShowText(635);
            return;
        case 6:
            ShowAbout(1095, figure);
            return;
        case 7:
            ShowAbout(1647, figure);
            return;
        case 8:
        case 9:
            Show(kInfoBarHold, "%s %s %d mins", GetText(int16_t(1640 + type)), FigureName(figure), value);
            return;
        case 10:
            ShowText(1650);
            return;
        case 11:
        case 12:
            if (figure >= 0) {
                Show(kInfoBarHold, "%s : %s %s : %s", GetText(642), FigureName(value), GetText(643),
                     FigureName(figure));
            } else {
                Show(kInfoBarHold, "%s : %s", GetText(642), FigureName(value));
            }
            return;
        case 13:
        case 14:
        case 15:
        case 18:
            ShowText(int16_t(1640 + type));
            return;
        case 19:
            Show(kInfoBarHold, "%s %d", GetText(273), int(LastAttendance));
            return;
        default:
            FatalError("Error: InfoBar(): unknown type (%d)\n", int(type));
    }
}

void InfoBar_Reset() { g_hold = 0; }

void InfoBar_Update() {
    if (g_hold != 0) --g_hold;
}

const char* InfoBar_GetText() { return g_text; }
int32_t InfoBar_GetHold() { return g_hold; }
