// Contract expiry, retirement and the players' season roll.
#pragma once
#include <cstdint>

// Monthly: every contract runs a month down; an expired one ends in a new
// contract, a free transfer or a release.
void MonthlyContractPass();
