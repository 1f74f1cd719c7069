#include "season/matchsetup.h"

#define DIV {3, 5, 0}
#define NONE {0, 0, 0}

// Country 0 has five divisions, 1-3 four, 4 five, 5, 7 and 8 two, 6 three.
const uint8_t DivisionMatchRules[kCountryCount][kDivisionCount][3] = {
    {DIV, DIV, DIV, DIV, DIV, NONE},    {DIV, DIV, DIV, DIV, NONE, NONE},
    {DIV, DIV, DIV, DIV, NONE, NONE},   {DIV, DIV, DIV, DIV, NONE, NONE},
    {DIV, DIV, DIV, DIV, DIV, NONE},    {DIV, DIV, NONE, NONE, NONE, NONE},
    {DIV, DIV, DIV, NONE, NONE, NONE},  {DIV, DIV, NONE, NONE, NONE, NONE},
    {DIV, DIV, NONE, NONE, NONE, NONE},
};
#undef DIV
#undef NONE

const int16_t CountryInPlay[kCountryCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
