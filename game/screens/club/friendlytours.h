// The friendly tours offered on the friendlies screen: sixteen entries,
// each a set of friendlies for SelectedClub against clubs of one nation,
// arranged after a yes/no question.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kTourEntries = 16;

// The pop-up list of the tours button: a header, the sixteen entries
// (texts 772-787), the end.
extern PopupEntry FriendlyTourPopup[kTourEntries + 2];

// The nation toured by entry 0..15; -1 outside.
int16_t FriendlyTourNation(int entry);
// Asks whether to tour nation k and, on yes, arranges the friendlies.
void ArrangeTourChoice(int16_t nation);
