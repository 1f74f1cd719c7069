// The exit list: clean-up functions that run however the program ends,
// newest first, each at most once.
#pragma once

constexpr int MAX_ONEXIT = 64;

using OnExitFunc = void (*)();

void OnExitAddEx(OnExitFunc function, const char* name);
void OnExitRemove(OnExitFunc function);
void OnExitRun();

// For tests: the number of filled slots and the name in a slot.
int OnExitCount();
const char* OnExitName(int slot);
