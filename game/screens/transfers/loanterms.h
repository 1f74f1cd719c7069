// The loan terms screen (id 18): a loan of SelectedPlayer between his club
// and another club, one of them the user's.  The user edits his side's
// terms, the other club's are set when the screen opens, and agreement
// records the loan.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

struct LoanSide {
    int16_t lengthCode;  // 1 five weeks, 2 nine, 3 thirteen, 4 to the next round day
    int16_t flag;
    int16_t wageShare;  // percent
    int16_t cups[6];
};

struct LoanTerms {
    int16_t direction;  // 0 the user lends his player, 1 he takes the player
    int16_t lendingClub, receivingClub;
    LoanSide lender, receiver, working;
    int16_t verdict;  // 82 the terms agree, 83 they do not
};

extern LoanTerms CurrentLoanTerms;

extern const MenuItem LoanTermsTable[];
void LoanTermsMenu();
// The opening terms (first entry).
void LoanTerms_Enter();
// Copies the working terms onto the user's side and sets the verdict.
void LoanTerms_Update();
// The other club's length code from the weeks to the round day, the age
// and the rating, as the opening terms bound it (1-4).
int16_t LoanTerms_OtherLengthCode(int32_t weeks, int16_t age, int16_t rating, bool lending);
// The weeks a length code stands for.
int16_t LoanTerms_Weeks(int16_t lengthCode);

int32_t LoanTerms_LengthUp(MenuHotItem* item);
int32_t LoanTerms_LengthDown(MenuHotItem* item);
int32_t LoanTerms_ToggleFlag(MenuHotItem* item);
int32_t LoanTerms_ShareUp(MenuHotItem* item);
int32_t LoanTerms_ShareDown(MenuHotItem* item);
int32_t LoanTerms_ToggleCup(int16_t cup);
int32_t LoanTerms_Withdraw(MenuHotItem* item);
int32_t LoanTerms_Agree(MenuHotItem* item);
