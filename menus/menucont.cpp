#include "menus/menucont.h"

#include "menus/exm_text.h"
#include "menus/exti.h"
#include "menus/machine.h"
#include "menus/menusetup.h"
#include "support/timerint.h"
#include "support/winlib.h"

int16_t OptionsScreenFirstEntry = 0;
int32_t MatchDayScreensToggle = 0;
uint8_t SquadScreenFlag = 0;
int16_t MenuOption = 0;

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

// Until the kit tables are in, every club shows white over dark grey.
int16_t GetClubColour1(int16_t) { return 0; }
int16_t GetClubColour2(int16_t) { return 9; }

int32_t RestartMenus() {
    MenuEngineStart();
    InitSetOfMenus();
    InitIconLists();
    StopTextInput(0);
    return 0;
}

int32_t ReleaseMenuBuffers() {
    UninitSetOfMenus();
    MenuEngineStop();
    return 0;
}
