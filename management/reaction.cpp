#include "management/reaction.h"

void PlayerSelectionReaction(int16_t) {}
