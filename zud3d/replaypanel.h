// The replay control panel of the overlay panels.
#pragma once

// Puts the replay control panel back to its start when a replay opens.
void ReplayPanel_Reset();
