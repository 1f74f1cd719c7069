#include "core/records/usertransfers.h"

uint16_t PendingHumanDeals[4];
uint16_t HumanSalePlayers[128];
int16_t HumanSaleClubs[128];
