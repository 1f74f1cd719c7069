#include "management/nations.h"

#include "database/ranges.h"

// Until the nation data is filled in, every nation forms its own group.
uint16_t NationGroup(int16_t nation) {
    if (!IsNationNumber(nation)) return 0;
    return uint16_t(nation);
}
