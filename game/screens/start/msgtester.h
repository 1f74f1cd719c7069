// The message tester: the body of message type n expanded with random
// arguments and shown in the news message box, the number stepped with the
// pad keys.  Reached from the soak screen's test list; no screen id.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int16_t kMsgTestLastNumber = 149;

extern const MenuItem MsgTestTable[];
void MsgTestMenuProc();
// The test loop of the button: shows message n, then waits for a pad key
// (up and down step n, right draws new arguments, select and start show it
// again, left quits) and answers 2 (redraw) on leaving.
int32_t MsgTest_Run(MenuHotItem* item);

// The tester's state, for tests: the message number and the arguments.
struct MsgTestArguments {
    int16_t clubs[2];
    uint16_t players[2];
    int16_t numbers[2];
    int16_t listTexts[2];
    int32_t money;
};
int16_t MsgTestNumber();
const MsgTestArguments& MsgTestShownArguments();
// The body last shown.
const char* MsgTestLastBody();
