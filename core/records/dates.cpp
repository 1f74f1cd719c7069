#include "core/records/dates.h"

int16_t DaysToWeeks(int16_t day) { return int16_t(int32_t(day) * 52 / 365); }
