// Query layer: a club's index among the clubs of its division row.
#pragma once
#include <cstdint>

// The club's 0-based index among the clubs of its country that share its
// division row, in club-number order; -1 for a club of 1200 or more, one
// outside the league countries or one whose row is past its country's
// divisions; -1 for a negative club too.
int16_t HVW_GetClubDivisionIndex(int16_t club);
