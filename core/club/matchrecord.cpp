#include "core/club/matchrecord.h"

void RecordPlayerMatch(int16_t, int16_t, int16_t, uint16_t, int16_t, int16_t, int16_t, int16_t, int16_t,
                       uint8_t, uint8_t, int16_t, int16_t) {}
