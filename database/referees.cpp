#include "database/referees.h"

RefereeRecord RefereeRecords[401];
