// A list screen without logic of its own: ten rows showing the two shared
// string-pointer arrays of the screen buffers as they stand, and an icon
// back to the start screen.  Whoever opens it fills the arrays first.
#pragma once

#include "game/screens/engine/screenmachine.h"

constexpr int kSharedRows = 10;

extern const MenuItem SharedRowsTable[];

void MatchStubMenuProc();
int32_t SharedRows_Back(MenuHotItem*);
int32_t SharedRows_Row(MenuHotItem*);
