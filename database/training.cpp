#include "database/training.h"

TrainingRecord TrainingRecords[100];
PlayerWatchSlot PlayerWatchSlots[32];
