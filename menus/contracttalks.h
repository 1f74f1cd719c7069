// The contract talks screen's entry words.
#pragma once
#include <cstdint>

// A word of the contract talks screen that its callers clear before they
// send the user there.
extern int16_t ContractTalksWord;

// Sets the transfer list up for the player; 0 when it cannot, and the user
// is sent to the contract talks instead.
int16_t InitTransferFilter(uint16_t player);
