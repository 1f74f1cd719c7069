#include "menus/menucont.h"

#include "database/textmsg.h"
#include "support/timerint.h"
#include "support/winlib.h"

int16_t OptionsScreenFirstEntry = 0;
int32_t MatchDayScreensToggle = 0;
uint8_t SquadScreenFlag = 0;

void ResetFrontEndValues() {
    OptionsScreenFirstEntry = 0;
    MatchDayScreensToggle = 0;
    SquadScreenFlag = 0;
}

// Until the front-end loop exists the game keeps its window alive, pumping
// messages, until the user closes it.
void GameMain() {
    constexpr uint32_t kIdleTicks = 10;  // 20 ms between pumps
    while (!WinCloseRequested()) WaitTicks(kIdleTicks);
}

void TextMsg_ResetArgs() {
    TextMsgArgBlock& a = TextMsgArgs;
    a.club[0] = a.club[1] = -1;
    a.player[0] = a.player[1] = 0;
    a.word2 = 0;
    a.word3 = 65535;
    a.money = -1;
    a.number[0] = a.number[1] = -1;
    for (TextMsgDate& d : a.date) d = TextMsgDate{-1, -1, -1};
    a.list_text[0] = a.list_text[1] = -1;
    a.string[0][0] = a.string[1][0] = '\0';
}
