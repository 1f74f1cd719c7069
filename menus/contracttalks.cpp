#include "menus/contracttalks.h"

int16_t ContractTalksWord = 0;

// Until the contract talks screen is built there is no list to set up: the
// filter always stands, so a contract slot is settled and never sends the
// user back to a screen that cannot settle it.
int16_t InitTransferFilter(uint16_t) { return 1; }
