#include "management/transfers.h"

TransferRecord TransferRecords[kTransferRecords];
uint16_t TransferRecordIndex;
JobApplicationState JobApplicationRecord = {65535, 65535, 65535};

// The transfer market of the computer clubs comes with the club-management
// code; until then a club does no business of its own.
void ComputerTransferActivity(int16_t club, int16_t mode) {
    (void)club;
    (void)mode;
}
