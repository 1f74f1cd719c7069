#include "season/youthplayers.h"

// Least form until the season's new players are built: the retired record
// stays as it is, without a club.
void ReplaceRetiredPlayer(uint16_t) {}
