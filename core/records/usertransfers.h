// The user's own transfers: contracts on offer and players for sale.
#pragma once
#include <cstdint>

extern uint16_t PendingHumanDeals[4];
extern uint16_t HumanSalePlayers[128];
extern int16_t HumanSaleClubs[128];
