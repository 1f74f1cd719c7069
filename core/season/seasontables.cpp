#include "core/season/seasontables.h"

uint8_t SeasonTable1260000[1260000];
uint8_t SeasonTable3200[3200];
uint8_t SeasonTable14400[14400];
uint8_t SeasonTable128[128];
uint8_t EventLog[kEventLogEntries][18];
int32_t EventLogCount;
