// A scripted user for screen tests: a queue of steps (move, press, release,
// keys, waits, checks) run one per frame (timer tick) from a poll function while the
// engine runs.  Items and pop-up rows are found through the engine's test
// views at the moment the step runs, never by fixed positions.
#pragma once
#include <cstdint>
#include <functional>

#include "game/screens/engine/screenmachine.h"

namespace testenv {

void MenuUserStart();
void MenuUserStop();
// Steps still queued.
int MenuUserPending();
// Frames (poll calls) seen since the start.
int MenuUserFrames();

void MenuUserMoveTo(int x, int y);
void MenuUserPress(int button = 0);
void MenuUserRelease(int button = 0);
// Press, two frames, release.
void MenuUserClickAt(int x, int y);
// A second-button click held long enough for the handler to read the button.
void MenuUserRightClickAt(int x, int y);
// Moves to the middle of the first selectable item that matches and clicks
// it with the button (0 the first); the test fails when none matches.
void MenuUserClickItem(std::function<bool(const MenuHotItem&)> match, int button = 0);
// Clicks row n of the open pop-up list.
void MenuUserClickPopupRow(int row);
// The same with the row chosen when the step runs (-1: none, a failure).
void MenuUserClickPopupRow(std::function<int()> row);
void MenuUserKey(uint8_t scanCode, bool extended = false);
void MenuUserShiftKey(uint8_t scanCode);
void MenuUserWait(int frames);
void MenuUserDo(std::function<void()> step);
// Holds the script until the condition holds (checked once a frame); the
// test fails after limit frames.
void MenuUserWaitFor(std::function<bool()> condition, int limit = 1000);
// The same, calling onTimeout instead of failing the test when the
// condition has not come to hold after limit frames.
void MenuUserWaitFor(std::function<bool()> condition, int limit, std::function<void()> onTimeout);
void MenuUserClose();
// Called once a frame, before the frame's step (nullptr: none).
void MenuUserEachFrame(std::function<void()> hook);

// The middle of the first matching selectable item of the last walk; false
// when none matches.
bool FindMenuItem(const std::function<bool(const MenuHotItem&)>& match, int* x, int* y);
// True when the table is the screen on top, its items laid out and the
// screen presented: what the scripted user waits for before acting on it.
bool MenuTableUp(const MenuItem* table);

}  // namespace testenv
