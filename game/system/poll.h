// The poll table: every long loop calls Poll, which pumps window messages
// and runs the registered functions that are due.
#pragma once
#include <cstdint>

constexpr int MAX_POLL_ITEMS = 32;
constexpr int POLL_EVERY_TIME = -1;

using PollFunc = void (*)();

void InitPoll();
void UninitPoll();
int16_t AddPollFunction(PollFunc function, int32_t rate, int32_t flags);
void RemovePollFunction(int key);
void Poll();
int PollIsInitialised();
