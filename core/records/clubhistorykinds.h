// The kinds of a club history entry (its kind byte) and which of the
// entry's three values each kind keeps.
#pragma once
#include <cstdint>

constexpr int16_t kClubHistoryBought = 0;            // a player bought: player, seller, fee in thousands
constexpr int16_t kClubHistorySold = 1;              // a player sold: player, buyer, fee in thousands
constexpr int16_t kClubHistoryLoanedIn = 2;          // player, his parent club
constexpr int16_t kClubHistoryLoanedOut = 3;         // player, the club he went to
constexpr int16_t kClubHistoryInjury = 4;            // player, the injury type
constexpr int16_t kClubHistoryKind5 = 5;             // keeps both extra values
constexpr int16_t kClubHistoryCupWon = 6;            // the cup's code
constexpr int16_t kClubHistorySentOff = 7;           // player
constexpr int16_t kClubHistoryPromoted = 8;          // the new division
constexpr int16_t kClubHistoryRelegated = 9;         // the new division
constexpr int16_t kClubHistoryReleased = 10;         // player
constexpr int16_t kClubHistoryKind11 = 11;           // keeps the value
constexpr int16_t kClubHistoryKind12 = 12;           // keeps both extra values
constexpr int16_t kClubHistorySacked = 13;           // manager
constexpr int16_t kClubHistoryLeft = 14;             // manager
constexpr int16_t kClubHistoryAppointed = 15;        // manager
constexpr int16_t kClubHistoryManagerOfWeek = 16;    // manager, his division
constexpr int16_t kClubHistoryManagerOfSeason = 17;  // manager
constexpr int16_t kClubHistoryRecordCrowd = 18;      // keeps none of the values
