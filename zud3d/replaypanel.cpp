#include "zud3d/replaypanel.h"

// The overlay panels are not built yet: there is no panel state to reset.
void ReplayPanel_Reset() {}
