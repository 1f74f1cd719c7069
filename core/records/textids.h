// Names of the language texts that more than one file shows, each by what
// the text says (ids into the language text file).  A text used by one
// file alone may keep a private name there.
#pragma once
#include <cstdint>

constexpr int16_t kTextGoals = 64;                // Goals
constexpr int16_t kTextReservesSuffix = 69;       // Reserves (after a club's name)
constexpr int16_t kTextHome = 102;                // H
constexpr int16_t kTextAway = 103;                // A
constexpr int16_t kTextDash = 125;                // -
constexpr int16_t kTextReplay = 126;              // Replay
constexpr int16_t kTextFirstWeekday = 127;        // Sat (the weekdays' short names follow)
constexpr int16_t kTextWin = 138;                 // W (D and L follow)
constexpr int16_t kTextVersus = 152;              // v
constexpr int16_t kTextNoFixtures = 159;          // There are no fixtures to show.
constexpr int16_t kTextPromoted = 189;            // Promoted
constexpr int16_t kTextFirstInjury = 200;         // Refusing to play (the injury and absence reasons follow)
constexpr int16_t kTextRating = 243;              // Rating
constexpr int16_t kTextFirstPositionType = 300;   // goalkeeper (defender, midfielder, forward follow)
constexpr int16_t kTextPlayerManager = 313;       // player-manager (the text of position type 13)
constexpr int16_t kTextNil = 433;                 // Nil
constexpr int16_t kTextCurrency = 434;            // the currency sign
constexpr int16_t kTextPlayersUnavailable = 585;  // Some of your chosen players are not available.
constexpr int16_t kTextNone = 586;                // None
constexpr int16_t kTextDate = 593;                // Date
constexpr int16_t kTextFrom = 595;                // from
constexpr int16_t kTextTo = 596;                  // to
constexpr int16_t kTextPenalty = 630;             // pen
constexpr int16_t kTextOwnGoal = 698;             // og
constexpr int16_t kTextSeason = 720;              // Season
constexpr int16_t kTextOptionUnavailable = 740;   // That option is not available.
constexpr int16_t kTextHelp = 741;                // Help
constexpr int16_t kTextHelpIndex = 762;           // Help Index
constexpr int16_t kTextDoubtful = 767;            // Doubtful
constexpr int16_t kTextOther = 789;               // Other
constexpr int16_t kTextMinimums = 858;            // Minimums
constexpr int16_t kTextWeights = 859;             // Weights
constexpr int16_t kTextPleaseWait = 866;          // Please wait...
constexpr int16_t kTextPossession = 970;          // Possession
constexpr int16_t kTextPlayOffs = 1084;           // Play-offs
constexpr int16_t kTextRelegated = 1085;          // Relegated
constexpr int16_t kTextChampions = 1086;          // Champions
constexpr int16_t kTextNoMoreFriendlies = 1126;   // You cannot arrange any more friendlies at the moment.
constexpr int16_t kTextPlayerOnLoan = 1130;       // That player is out on loan.
constexpr int16_t kTextNoMoreApproaches = 1137;   // You cannot make any more approaches.
constexpr int16_t kTextTransfersClosed = 1142;    // Transfers are closed at the moment.
constexpr int16_t kTextAlreadyApproached = 1145;  // You have already approached this player.
constexpr int16_t kTextApproachMade = 1153;       // Your approach has been made.
constexpr int16_t kTextWillNotDiscussContract = 1158;  // He will not discuss a new contract at the moment.
constexpr int16_t kTextCannotAffordPayOff = 1168;      // You cannot afford to pay off his contract.
constexpr int16_t kTextCannotSortNow = 1175;           // That cannot be sorted at this stage of the season.
constexpr int16_t kTextAttributes = 1205;              // Attributes
constexpr int16_t kTextCustom = 1328;                  // Custom
constexpr int16_t kTextMinutes = 1448;                 // mins
constexpr int16_t kTextWinners = 1466;                 // Winners:
constexpr int16_t kTextRunnersUp = 1467;               // Runners-up:
constexpr int16_t kTextNeutral = 1498;                 // N
constexpr int16_t kTextGroupA = 1550;                  // Group A (the other groups follow)
constexpr int16_t kTextTeamNews = 1595;                // Team News
constexpr int16_t kTextLoadFailed = 1662;              // The saved game could not be loaded.
constexpr int16_t kTextNonLeagueClubs = 1810;          // Non-League Clubs
constexpr int16_t kTextPromotedMark = 1818;            // Promoted (the mark beside a promoted club)
constexpr int16_t kTextWeeks = 2331;                   // weeks
constexpr int16_t kTextWeek = 2402;                    // week
constexpr int16_t kTextCountry = 2426;                 // Country
constexpr int16_t kTextReserves = 2428;                // Reserves
constexpr int16_t kTextAttendance = 2429;              // Attendance:

// The text of a position type (0..3, or 13 for a player-manager, as
// HVW_GetPositionType gives them); a player of no type (-1) is named as the
// player-manager.
constexpr int16_t PositionTypeText(int16_t type) {
    return type < 0 ? kTextPlayerManager : int16_t(kTextFirstPositionType + type);
}
