// Players whose unrest waits for a reply: the user's pending list.
#pragma once
#include <cstdint>

// {player, countdown, kind}; kept packed from the front.
struct PendingPlayerEvent {
    uint16_t words[3];
};
static_assert(sizeof(PendingPlayerEvent) == 6);

extern PendingPlayerEvent PendingPlayerEvents[100];
