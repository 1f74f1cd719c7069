#include "management/contractexpiry.h"

// Least form until contract expiry is built: contracts do not run down.
void MonthlyContractPass() {}
