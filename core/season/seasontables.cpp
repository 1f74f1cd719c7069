#include "core/season/seasontables.h"

uint8_t EventLog[kEventLogEntries][18];
int32_t EventLogCount;
