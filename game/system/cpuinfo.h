#pragma once
// Rough processor speed in MHz, measured against the tick clock.
int CPUSpeedTest();
