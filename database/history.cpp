#include "database/history.h"

PlayerHistoryEntry PlayerHistoryEntries[kPlayerHistoryEntries];
uint32_t PlayerHistoryCount;
uint32_t PlayerHistoryFirst[kMaxPlayers];
ClubHistoryEntry ClubHistoryEntries[kClubHistoryEntries];
uint32_t ClubHistoryCount;
uint32_t ClubHistoryFirst[kClubCount];
