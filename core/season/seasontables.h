// Season-long tables of the season code that the saved game carries.
#pragma once
#include <cstdint>

extern uint8_t SeasonTable1260000[1260000];
extern uint8_t SeasonTable3200[3200];
extern uint8_t SeasonTable14400[14400];
extern uint8_t SeasonTable128[128];
// The event log and its count.
constexpr int kEventLogEntries = 500000;
extern uint8_t EventLog[kEventLogEntries][18];
extern int32_t EventLogCount;
