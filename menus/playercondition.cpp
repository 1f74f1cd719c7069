#include "menus/playercondition.h"

int16_t ConditionReturnOption = 0;
