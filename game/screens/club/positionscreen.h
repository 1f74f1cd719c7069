// The ten-row position screen's remembered state: the selected row (65535
// none), the page and the view mode.
#pragma once
#include <cstdint>

extern uint16_t PositionScreenSelection;
extern int16_t PositionScreenPage;
extern int16_t PositionScreenMode;

// Back to the start: no selection, page 0, mode 7.
void PositionScreen_Reset();
