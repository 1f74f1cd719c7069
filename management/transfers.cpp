#include "management/transfers.h"

TransferRecord TransferRecords[kTransferRecords];
uint16_t TransferRecordIndex;
JobApplicationState JobApplicationRecord = {65535, 65535, 65535};
