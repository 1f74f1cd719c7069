// Season-long tables of the season code that the saved game carries.
#pragma once
#include <cstdint>

// The event log and its count.
constexpr int kEventLogEntries = 500000;
extern uint8_t EventLog[kEventLogEntries][18];
extern int32_t EventLogCount;
