// Players whose transfer request waits for an answer: after 14 days they
// send an urgent note, for 14 more their unrest spreads through the squad,
// and then they walk out.  The list is saved with the game.
#pragma once
#include <cstdint>

constexpr int kPendingPlayerEvents = 100;
constexpr int16_t kPendingStageDays = 14;

enum PendingEventKind : uint16_t {
    kPendingAwaitingAnswer = 1,
    kPendingUnrest = 2,
};

// Kept packed from the front: the entries after the first empty one are
// empty.
struct PendingPlayerEvent {
    uint16_t player;  // 0 = empty entry
    int16_t days;     // days left in the current stage
    uint16_t kind;    // PendingEventKind
};
static_assert(sizeof(PendingPlayerEvent) == 6);

extern PendingPlayerEvent PendingPlayerEvents[kPendingPlayerEvents];

// Puts the player into the first empty entry, awaiting an answer for 14
// days; a full list refuses him silently.
void AddPendingPlayerEvent(uint16_t player);
// Removes the player's first entry, moving the later ones up.
void RemovePendingPlayerEvent(uint16_t player);
// Empties the list: a new game owes no answer to the players of a game
// played before it.
void ClearPendingPlayerEvents();
// The daily pass: counts every entry down and moves it on when its stage is
// over.  A player out with a refusal to play halts the pass for the day.
void ProcessPendingPlayerEvents();
// An unhappy player unsettles the team-mates below him, tells the club about
// it (more than five hit: message 290, else 291) and, at a human-managed
// club, moves the user's fans rating.  Squad players outside the first
// eleven and their substitutes spread a third of the amount.
void SpreadSquadUnrest(int16_t club, uint16_t player, int16_t amount);
