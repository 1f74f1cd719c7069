// The game's records and their accessors: players, clubs, club names, bids,
// agents and club finances.  Every record is a fixed byte layout that is
// saved whole inside a saved game; the rest of the game reads and changes
// the records only through the accessors their headers declare.
//
// Bad numbers: player 0 and negative clubs are program errors.  Getters
// print their message and end the program through FatalExit, which names
// the accessor; setters ignore what they cannot store, but for player 0.
//
// This header only includes the record headers; include the one a file needs.
#pragma once

#include "core/records/clubfinances.h"
#include "core/records/clubrecords.h"
#include "core/records/playerrecords.h"
#include "core/records/recordsizes.h"
