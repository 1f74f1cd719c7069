// The referees: 400 records and a spare one for a referee made up for a
// single fixture.
#pragma once
#include <cstdint>

struct RefereeRecord {
    uint8_t bytes[30];
};
static_assert(sizeof(RefereeRecord) == 30);

extern RefereeRecord RefereeRecords[401];
