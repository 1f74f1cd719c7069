// Helpers shared by the query layer's source files; not for other modules.
#pragma once
#include <cstdint>

namespace funcs_detail {

// Fills the first five characters of buffer with the club's last five
// results of the competition code before today, latest first ("-" where
// there is none), and ends it.
void FormString(int16_t club, int16_t code, char* buffer);

// The club's side of a fixture: +1 won, 0 drawn, -1 lost.
int ResultForClub(int16_t slot, int16_t club);

}  // namespace funcs_detail
