// The check of a played result block, for every test that plays whole
// matches: an empty text when the block is sound, else what is wrong.
#pragma once
#include <string>

struct MatchResultBlock;

// Goals equal each team's goal events and are at most 30; ManOfTheMatch is
// a player of his own team's squad or 0xFFFF, set for one team at most;
// every MatchScore is -1, 0 or 10..99 and every Bookings 0..3; a squad
// member's statistics record holds his goals and assists again; the events
// end with 0xFF within 200 rows; the minute bytes are 0..100 or 0xFF; and a
// shoot-out, when one was played, has a winner.
std::string CheckPlayedResult(const MatchResultBlock& result);
