#include "season/unrest.h"

PendingPlayerEvent PendingPlayerEvents[100];
