// The player profile's value lookup: what a list column or profile row
// headed by a label text id shows for SelectedPlayer.  The player lists of
// the team selection, the filtered squad list, the in-match team screen and
// the player search read their value columns through it.
#pragma once
#include <climits>
#include <cstdint>

// The none markers of the three answers.
constexpr int32_t kAttributeNoNumber = -32768;
constexpr uint16_t kAttributeNoText = 65535;
constexpr int32_t kAttributeNoMoney = INT32_MIN;
// The lookup label of a row whose value is hidden from the user.
constexpr uint16_t kHiddenAttributeLabel = 65535;

// Sets all three answers for SelectedPlayer: returns the number, writes the
// text id and the money amount (either pointer may be null); the answers a
// label does not give hold their none markers.  A label outside the table
// gives none at all.
int32_t AttributeValueByLabel(uint16_t label, uint16_t* textCell, int32_t* moneyCell);

// ---- The player profile (screen 4) --------------------------------------------------------
#include "game/screens/engine/screenmachine.h"

constexpr int kProfileRows = 30;
constexpr int kProfileActionsMax = 12;

// What an entry of the action pop-up does.
enum class ProfileAction : uint8_t {
    Separator,
    Offer,
    LoanApproach,
    Shortlist,
    TeamList,
    SpareList,
    LoanList,
    TransferList,
    Training,
    Deal,
    Approach,
    Release,
    EndLoan,
    Close,
};

// The pop-up's entries as built on entry, in order.
extern ProfileAction ProfileActions[kProfileActionsMax];
extern int ProfileActionCount;
// The screen words behind the pop-up's word entries.
extern int16_t ProfileShortlistWord, ProfileTeamWord, ProfileSpareWord, ProfileLoanWord, ProfileTransferWord,
    ProfileEndLoanWord;

// Per attribute row: the shown label, the lookup label (65535 hidden),
// the value text, its colour code, the second text and its colour code.
extern int16_t ProfileShownLabel[kProfileRows];
extern uint16_t ProfileLookupLabel[kProfileRows];
extern char ProfileValueText[kProfileRows][40];
extern int16_t ProfileValueColour[kProfileRows];
extern char ProfileSecondText[kProfileRows][24];
extern int16_t ProfileSecondColour[kProfileRows];
// The status band, the supporters' line and the grid (box 1..5, row 1..5).
extern char ProfileStatusText[1000];
extern char ProfileFansText[300];
extern int16_t ProfileFansTextId;
extern char ProfileGridText[6][6][24];
extern int16_t ProfileGridLabel[6];
extern const MenuItem* ProfileButtons;

extern const MenuItem PlayerStatsTable[];
void PlayerStatsMenu();
// The first-entry set-up: club, shirts, pop-up, foreign flag and labels.
void PlayerProfile_Enter();
// Runs the entry of the pop-up: what its handler does.
int32_t PlayerProfile_Act(ProfileAction action);
// The release once agreed: pay-off, money, the player made free.
void PlayerProfile_ReleasePlayer(uint16_t player, int64_t payOff);
// The release pay-off of the player in 64 bits.
int64_t PlayerProfile_PayOff(uint16_t player);
int32_t PlayerProfile_Back(MenuHotItem* item);
int32_t PlayerProfile_Contract(MenuHotItem* item);
int32_t PlayerProfile_Agent(MenuHotItem* item);
