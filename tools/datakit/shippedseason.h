// The check of the season before the first that the game carries built in
// (its honours rows, European entrants and title holders) against the
// generated world database.
#pragma once
#include <string>

namespace datakit {

// "" when every club the shipped season names is a club of the staged
// database with a reputation, of the right nation (and of the right
// division for a league title), each league division has its champion and
// runner-up, and holders 606 and 1025 are clubs with a reputation; else
// what is wrong.
std::string CheckShippedSeason();

}  // namespace datakit
