// The player's contract details (screen 75): wage, length, role, the eight
// clauses, his agent and either the terms of a loan the user's club is in
// or the clubs interested in him; and the bare header screen 65.  Also the
// header line both player screens share.
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

extern const MenuItem PlayerInfoTable[];
extern const MenuItem PlayerInfoHeaderTable[];
void PlayerInfoMenu();
void PlayerInfoHeaderMenu();

// Appends the formatted text to the terminated text in buffer, never
// writing past size bytes (a text that does not fit is cut).
void AppendText(char* buffer, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The selected player when it names a player record, else 0.
uint16_t ShownPlayer();
// 1 when the player's club is a club of a country other than the viewed
// one (his figures are then the prepared ones).
int16_t IsForeignPlayer(uint16_t player);
// The header line of the player screens centred on (centreX, centreY):
// nation and position in the format given, his setting icons, his age.
void DrawPlayerHeaderLine(uint16_t player, const char* firstFormat, int centreX, int centreY);
// A line in the header font centred on (centreX, centreY): the text before,
// the player's setting icons, the text after.
void DrawPlayerLineWithSettings(uint16_t player, const char* before, const char* after, int centreX,
                                int centreY);
// The head line of the deal screens (transfer offer, contract talks, loan
// terms): short name, nation and position, then age.
void FormatDealHeader(char* buffer, size_t size, uint16_t player);

// Lines of the last run, for tests: the four lines of each clause column,
// the nine loan lines, the interested clubs' text and the lower heading.
constexpr int kClauseLines = 4;
constexpr int kLoanLines = 9;
extern char ClauseLeftLines[kClauseLines][300];
extern char ClauseRightLines[kClauseLines][300];
extern char LoanLines[kLoanLines][300];
extern char InterestedClubsText[1000];
extern int16_t LowerBoxHeading;
extern int16_t InfoForeignPlayer;
// Set to 1 by the profile's contract button for the details' next entry,
// which spends it.
extern int16_t InfoOpenedFromProfile;

int32_t PlayerInfo_History(MenuHotItem* item);
int32_t PlayerInfo_Profile(MenuHotItem* item);
int32_t PlayerInfo_Agent(MenuHotItem* item);
int32_t PlayerInfo_Back(MenuHotItem* item);
