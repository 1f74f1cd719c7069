#include "management/tactics.h"

CustomTacticTable CustomTacticTableA;
CustomTacticTable CustomTacticTableB;
