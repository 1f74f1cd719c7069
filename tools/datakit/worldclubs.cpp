// The world plan: nations, club numbers and club names.
#include "tools/datakit/worldclubs.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "tools/datakit/worldrng.h"
#include "tools/datakit/worldtext.h"

const int16_t kWorldDivisionClubs[kWorldPlayableCountries][kWorldMaxDivisions] = {
    {20, 24, 24, 24, 22, 0}, {12, 10, 10, 10, 0, 0}, {18, 20, 18, 18, 0, 0},
    {18, 18, 18, 19, 0, 0},  {20, 22, 0, 0, 0, 0},   {18, 18, 0, 0, 0, 0},
    {20, 20, 20, 0, 0, 0},   {18, 18, 0, 0, 0, 0},   {18, 18, 0, 0, 0, 0},
};

namespace {

// Nations of the world.  The nine league countries come first; a nation
// without clubs still has names and looks for the players it sends abroad.
constexpr WorldNation kNations[] = {
    {0, "ENG", 124, 95, "english", "english 100", "light 82, black 12, olive 3, brown 3",
     "1 12, 13 12, 21 8, 31 6, 6 8, 5 6, 15 5, 14 4, 9 3, 27 1, 47 4, 44 2, 42 3, 46 4, 55 2, 43 2, 2 2, 3 "
     "2, "
     "4 1, 64 1, 41 2, 8 1, 19 1, 25 1, 113 1"},
    {1, "SCO", 50, 80, "scottish", "scottish 75, english 15, irish 10", "light 95, black 3, olive 2",
     "0 25, 13 12, 31 10, 21 4, 6 4, 5 4, 14 3, 15 3, 9 3, 46 3, 55 2, 49 2, 19 1, 28 1"},
    {2, "ITA", 85, 95, "italian", "italian 100", "olive 92, light 5, black 3",
     "48 18, 39 16, 53 6, 6 6, 5 4, 3 4, 19 4, 29 5, 7 3, 14 2, 9 2, 10 2, 22 2, 11 1, 12 1, 64 2, 42 2, "
     "102 1, 25 2, 56 1, 95 1"},
    {3, "GER", 78, 92, "german", "german 100", "light 88, olive 4, black 4, tan 4",
     "23 10, 25 8, 19 8, 22 7, 10 6, 29 6, 24 4, 26 4, 28 3, 48 8, 39 4, 14 4, 15 3, 9 4, 16 3, 18 3, 11 3, "
     "64 2, 41 2, 42 3, 17 2, 40 3, 65 2, 5 3, 6 2"},
    {4, "ESP", 82, 95, "spanish", "spanish 100", "olive 90, light 4, black 3, tan 3",
     "39 18, 48 14, 53 8, 56 4, 58 3, 74 3, 95 3, 5 6, 6 6, 7 5, 3 3, 2 3, 29 4, 19 3, 18 2, 64 3, 42 2, "
     "60 2, 14 2, 9 2, 88 1, 81 1, 94 1"},
    {5, "NED", 36, 85, "dutch", "dutch 100", "light 85, black 12, olive 3",
     "8 12, 14 8, 9 6, 15 5, 27 2, 3 4, 113 6, 48 6, 39 3, 42 4, 41 4, 64 2, 19 3, 29 4, 23 2, 25 3, 16 2, "
     "11 2, 46 2, 55 1"},
    {6, "FRA", 74, 90, "french", "french 82, westafrica_fr 10, arabic 6, spanish 2",
     "light 60, olive 14, black 20, tan 6",
     "76 10, 64 8, 102 8, 105 7, 57 5, 60 6, 72 4, 67 3, 108 2, 97 2, 112 3, 66 2, 48 8, 39 5, 8 5, 10 4, "
     "7 3, 29 4, 19 3, 3 2, 2 2, 4 2, 14 2, 65 2, 11 1, 110 1, 106 1"},
    {7, "POR", 43, 82, "portuguese", "portuguese 100", "olive 85, black 10, tan 5",
     "48 30, 37 8, 39 5, 53 3, 56 2, 29 4, 19 3, 4 3, 6 3, 64 3, 42 3, 102 2, 16 2, 18 2, 20 2, 26 2, 23 1, "
     "24 1"},
    {8, "BEL", 36, 78, "flemish", "flemish 55, french 38, westafrica_fr 5, dutch 2",
     "light 82, black 12, olive 6",
     "5 16, 6 12, 112 8, 42 5, 64 4, 41 4, 102 3, 76 2, 14 4, 9 3, 15 3, 19 3, 29 4, 25 3, 24 2, 23 3, 48 3, "
     "39 2, 60 2, 3 2, 22 2, 28 2, 17 1, 16 2, 26 1, 20 1"},
    {9, "SWE", 16, 62, "swedish", "swedish 95, serbocroat 3, finnish 2", "fair 80, light 14, black 4, tan 2",
     "15 6, 14 6, 49 4, 27 3, 29 2, 19 2, 48 3, 42 2, 41 2, 0 2, 39 1"},
    {10, "SUI", 14, 60, "swiss", "german 62, french 24, italian 10, serbocroat 4",
     "light 82, olive 10, black 8",
     "3 6, 6 6, 2 4, 22 4, 48 4, 39 3, 19 3, 29 3, 64 2, 102 2, 76 2, 11 2, 73 2"},
    {11, "TUR", 20, 68, "turkish", "turkish 100", "tan 85, olive 15",
     "48 8, 26 4, 20 4, 19 3, 29 3, 3 3, 64 3, 42 3, 22 2, 84 2, 17 2, 16 2, 18 2, 23 2, 24 2, 25 2, 40 2, "
     "39 2, 14 1, 5 1, 12 1"},
    {12, "GRE", 18, 62, "greek", "greek 100", "olive 95, light 5",
     "73 6, 29 5, 26 4, 20 4, 48 4, 39 4, 19 3, 33 3, 101 3, 18 2, 16 2, 23 2, 24 2, 64 2, 42 2, 41 2, 6 1, "
     "3 1"},
    {13, "IRL", 10, 45, "irish", "irish 80, english 15, scottish 5", "light 95, black 5",
     "0 10, 1 6, 31 8, 21 2, 42 1"},
    {14, "DEN", 14, 62, "danish", "danish 95, swedish 3, serbocroat 2", "fair 75, light 20, black 5",
     "15 5, 9 5, 27 4, 49 2, 3 2, 48 2, 42 2, 41 2, 0 1, 29 2, 19 1"},
    {15, "NOR", 14, 60, "norwegian", "norwegian 95, swedish 3, nigerian 2", "fair 80, light 15, black 5",
     "9 5, 14 5, 27 4, 49 3, 0 2, 1 2, 42 2, 41 2, 64 1"},
    {16, "UKR", 16, 64, "ukrainian", "ukrainian 70, russian 30", "light 98, black 2",
     "18 8, 100 5, 80 4, 17 4, 20 3, 26 3, 48 2, 42 2, 109 2, 84 2, 69 2, 77 2"},
    {17, "GEO", 8, 40, "caucasus", "caucasus 100", "olive 70, light 30", "18 5, 16 5, 109 4, 84 3"},
    {18, "RUS", 20, 68, "russian", "russian 100", "light 95, tan 3, black 2",
     "16 8, 100 6, 17 5, 109 4, 84 3, 99 3, 71 2, 69 3, 77 3, 30 2, 80 2, 29 3, 26 2, 20 2, 48 3, 39 2, 42 "
     "2, "
     "64 2"},
    {19, "CRO", 12, 58, "serbocroat", "serbocroat 95, slovene 5", "light 85, olive 15",
     "65 8, 28 5, 29 3, 33 3, 24 2, 73 2, 48 2, 42 1"},
    {20, "ROU", 14, 58, "romanian", "romanian 95, hungarian 5", "olive 70, light 30",
     "80 8, 29 4, 26 4, 24 3, 16 2, 33 2, 48 2, 42 2, 64 1"},
    {21, "WAL", 8, 38, "welsh", "welsh 70, english 30", "light 96, black 4", "0 14, 1 3, 13 3, 31 2"},
    {22, "AUT", 14, 56, "austrian", "german 85, serbocroat 8, czech 4, hungarian 3",
     "light 90, olive 6, black 4",
     "3 8, 19 6, 28 4, 25 5, 24 4, 40 3, 29 4, 65 3, 23 3, 10 2, 48 3, 42 2, 41 1"},
    {23, "POL", 16, 56, "polish", "polish 100", "light 98, black 2",
     "69 4, 77 3, 16 3, 100 3, 25 2, 40 3, 42 3, 64 2, 48 2"},
    {24, "HUN", 12, 50, "hungarian", "hungarian 100", "light 85, olive 15",
     "20 6, 40 5, 29 4, 16 3, 19 3, 28 2, 48 1, 42 1"},
    {25, "CZE", 14, 60, "czech", "czech 100", "light 98, black 2",
     "40 12, 23 3, 16 2, 29 2, 19 2, 42 2, 41 1"},
    {26, "BUL", 12, 50, "bulgarian", "bulgarian 100", "olive 60, light 40",
     "33 6, 29 4, 20 3, 16 2, 48 3, 42 2, 7 1"},
    {27, "ISL", 8, 34, "icelandic", "icelandic 100", "fair 95, light 5", "14 4, 15 4, 9 3, 0 2, 29 2"},
    {28, "SVN", 8, 44, "slovene", "slovene 90, serbocroat 10", "light 90, olive 10",
     "19 6, 65 5, 29 5, 33 3, 22 2"},
    {29, "YUG", 13, 58, "serbocroat", "serbocroat 100", "light 80, olive 20",
     "33 6, 65 5, 26 3, 20 3, 73 2, 42 2, 64 2"},
    {30, "EST", 7, 28, "baltic", "estonian 70, russian 30", "fair 70, light 30", "77 4, 69 4, 18 4, 49 3"},
    {31, "NIR", 8, 34, "ulster", "scottish 40, irish 35, english 25", "light 98, black 2", "1 8, 0 8, 13 6"},
    {32, "LBR", 0, 20, nullptr, "westafrica_en 100", "black 100", nullptr},
    {33, "MKD", 6, 36, "serbocroat", "serbocroat 75, bulgarian 15, albanian 10", "olive 70, light 30",
     "29 6, 73 4, 26 4, 65 3, 42 2"},
    {34, "BER", 0, 10, nullptr, "caribbean 100", "black 90, light 10", nullptr},
    {35, "UGA", 0, 16, nullptr, "eastafrica 100", "black 100", nullptr},
    {36, "JPN", 9, 52, "japanese", "japanese 100", "asian 100", "48 12, 68 6, 46 3, 39 3, 0 1"},
    {37, "ANG", 0, 24, nullptr, "portuguese 70, eastafrica 30", "black 100", nullptr},
    {38, "CHN", 7, 42, "chinese", "chinese 100", "asian 100", "48 6, 68 4, 26 2, 29 2, 42 3, 64 2, 46 2"},
    {39, "ARG", 18, 88, "hispanic", "hispanic 55, spanish 25, italian 20", "olive 70, tan 28, black 2",
     "53 6, 95 6, 58 4, 56 4, 87 3, 81 3, 88 2, 94 2"},
    {40, "SVK", 10, 48, "czech", "czech 90, hungarian 10", "light 95, olive 5",
     "25 10, 24 4, 23 3, 16 2, 29 2, 42 2"},
    {41, "GHA", 5, 48, "ghanaian", "ghanaian 100", "black 100", "42 4, 66 3, 102 3, 32 2"},
    {42, "NGA", 6, 54, "nigerian", "nigerian 100", "black 100", "41 4, 64 3, 110 2, 32 2, 96 2"},
    {43, "RSA", 6, 40, "eastafrica", "eastafrica 75, english 25", "black 75, light 20, brown 5",
     "50 6, 52 5, 83 4, 92 4, 37 3, 79 2, 112 2"},
    {44, "TRI", 0, 22, nullptr, "caribbean 85, indian 15", "black 75, brown 25", nullptr},
    {45, "ISR", 10, 46, "hebrew", "hebrew 92, arabic 8", "olive 80, tan 15, black 5",
     "48 3, 42 3, 29 3, 19 3, 26 2, 23 2, 16 2, 18 2, 64 2"},
    {46, "AUS", 7, 40, "anglo", "english 55, scottish 10, italian 10, greek 8, serbocroat 10, irish 7",
     "light 85, olive 12, asian 3", "0 4, 1 2, 62 3, 19 3, 12 2, 36 2, 68 1"},
    {47, "JAM", 3, 30, "anglo", "caribbean 100", "black 95, brown 5", "44 4, 51 3, 89 2, 98 2, 107 2"},
    {48, "BRA", 22, 92, "brazilian", "brazilian 55, portuguese 40, italian 5",
     "tan 40, black 30, olive 25, light 5", "39 4, 95 4, 53 3, 56 3, 87 2, 58 2, 81 2, 88 2"},
    {49, "FIN", 10, 40, "finnish", "finnish 85, swedish 15", "fair 90, light 10",
     "9 5, 18 4, 30 3, 14 2, 15 2, 42 2, 64 1"},
    {50, "ZIM", 0, 22, nullptr, "eastafrica 100", "black 100", nullptr},
    {51, "BRB", 0, 10, nullptr, "caribbean 100", "black 100", nullptr},
    {52, "ZAM", 0, 22, nullptr, "eastafrica 100", "black 100", nullptr},
    {53, "URU", 8, 70, "hispanic", "hispanic 55, spanish 25, italian 20", "olive 75, tan 20, black 5",
     "39 6, 48 5, 95 4, 58 2"},
    {54, "CRC", 3, 34, "hispanic", "hispanic 85, spanish 15", "tan 80, black 15, olive 5",
     "86 4, 56 3, 74 3"},
    {55, "USA", 10, 46, "anglo", "english 60, hispanic 12, irish 8, german 8, italian 5, caribbean 7",
     "light 65, black 20, tan 15", "74 6, 59 4, 0 3, 47 3, 44 2, 86 2, 56 2, 42 2, 41 2, 68 1, 46 1"},
    {56, "COL", 8, 64, "hispanic", "hispanic 80, spanish 20", "tan 65, black 25, olive 10",
     "88 6, 94 4, 81 3, 39 3, 95 2"},
    {57, "ALG", 5, 40, "arabic", "arabic 100", "tan 90, olive 10", "60 5, 72 4, 111 3, 105 3, 76 2, 110 2"},
    {58, "CHI", 8, 58, "hispanic", "hispanic 75, spanish 20, italian 5", "tan 70, olive 30",
     "39 6, 81 4, 87 4, 95 3, 53 3"},
    {59, "CAN", 3, 32, "anglo", "english 55, french 20, scottish 10, irish 8, italian 7",
     "light 82, black 10, asian 4, brown 4", "55 5, 0 3, 1 2, 47 2"},
    {60, "MAR", 6, 52, "arabic", "arabic 100", "tan 92, black 8", "57 4, 72 4, 76 3, 105 3, 67 2"},
    {61, "IND", 0, 12, nullptr, "indian 100", "brown 100", nullptr},
    {62, "SAM", 0, 10, nullptr, "pacific 100", "brown 100", nullptr},
    {63, "EGY", 6, 50, "arabic", "arabic 100", "tan 95, black 5", "93 5, 111 4, 72 3, 42 3, 41 3, 64 2"},
    {64, "CMR", 5, 48, "westafrica_fr", "westafrica_fr 100", "black 100", "42 4, 108 4, 97 3, 112 3, 66 2"},
    {65, "BIH", 6, 40, "serbocroat", "serbocroat 100", "light 90, olive 10", "19 6, 29 6, 28 3, 33 3"},
    {66, "TOG", 0, 22, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {67, "GUI", 0, 24, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {68, "KOR", 7, 50, "korean", "korean 100", "asian 100", "48 6, 29 3, 18 2, 36 2"},
    {69, "LTU", 5, 32, "baltic", "lithuanian 80, russian 15, polish 5", "light 70, fair 30",
     "77 4, 30 3, 100 4, 18 4, 23 3"},
    {70, "THA", 0, 18, nullptr, "seasian 100", "asian 100", nullptr},
    {71, "TJK", 0, 14, nullptr, "azeri 60, russian 40", "tan 100", nullptr},
    {72, "TUN", 5, 42, "arabic", "arabic 100", "tan 95, black 5", "57 4, 60 4, 111 3, 105 2, 64 2"},
    {73, "ALB", 5, 30, "albanian", "albanian 100", "olive 85, light 15", "33 4, 29 3, 12 3, 2 2"},
    {74, "MEX", 12, 62, "hispanic", "hispanic 85, spanish 15", "tan 85, olive 12, black 3",
     "39 6, 48 5, 53 3, 56 3, 58 3, 55 2, 81 2, 95 2, 86 2"},
    {75, "MAS", 0, 14, nullptr, "seasian 100", "asian 60, brown 40", nullptr},
    {76, "SEN", 4, 44, "westafrica_fr", "westafrica_fr 100", "black 100", "105 4, 67 4, 82 3, 110 2"},
    {77, "LVA", 5, 32, "baltic", "latvian 75, russian 25", "fair 40, light 60", "69 4, 30 4, 18 4, 100 3"},
    {78, "IDN", 0, 14, nullptr, "seasian 100", "asian 50, brown 50", nullptr},
    {79, "KEN", 0, 20, nullptr, "eastafrica 100", "black 100", nullptr},
    {80, "MDA", 4, 24, "romanian", "romanian 70, russian 20, ukrainian 10", "light 70, olive 30",
     "16 4, 20 4, 18 3"},
    {81, "PER", 5, 46, "hispanic", "hispanic 90, spanish 10", "tan 85, olive 10, black 5",
     "39 4, 48 3, 87 3, 94 3, 58 2"},
    {82, "GAM", 0, 14, nullptr, "westafrica_en 100", "black 100", nullptr},
    {83, "NAM", 0, 14, nullptr, "eastafrica 90, english 10", "black 90, light 10", nullptr},
    {84, "AZE", 4, 26, "azeri", "azeri 80, russian 20", "tan 60, light 40", "18 4, 17 4, 16 3, 109 2, 11 2"},
    {85, "IRN", 5, 46, "persian", "persian 100", "tan 100", "90 3, 84 3, 71 2"},
    {86, "HON", 3, 34, "hispanic", "hispanic 90, spanish 10", "tan 70, black 30", "54 4, 74 3, 56 2"},
    {87, "BOL", 3, 34, "hispanic", "hispanic 90, spanish 10", "tan 95, olive 5", "39 4, 95 4, 81 3, 48 3"},
    {88, "VEN", 4, 36, "hispanic", "hispanic 85, spanish 10, italian 5", "tan 70, olive 15, black 15",
     "56 6, 48 3, 94 2, 39 2"},
    {89, "LCA", 0, 8, nullptr, "caribbean 100", "black 100", nullptr},
    {90, "KSA", 5, 44, "arabic", "arabic 100", "tan 90, black 10", "63 4, 60 3, 72 3, 48 4, 93 2"},
    {91, "ETH", 0, 14, nullptr, "eastafrica 100", "black 100", nullptr},
    {92, "MWI", 0, 12, nullptr, "eastafrica 100", "black 100", nullptr},
    {93, "SUD", 0, 14, nullptr, "arabic 70, eastafrica 30", "black 100", nullptr},
    {94, "ECU", 4, 40, "hispanic", "hispanic 90, spanish 10", "tan 70, black 30", "56 5, 81 3, 39 3, 95 2"},
    {95, "PAR", 5, 56, "hispanic", "hispanic 80, spanish 20", "tan 80, olive 20", "39 6, 48 5, 53 3, 87 3"},
    {96, "SLE", 0, 16, nullptr, "westafrica_en 100", "black 100", nullptr},
    {97, "CGO", 0, 18, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {98, "GUY", 0, 10, nullptr, "caribbean 70, indian 30", "black 60, brown 40", nullptr},
    {99, "KAZ", 4, 24, "russian", "russian 60, azeri 40", "tan 55, light 45", "18 6, 16 3, 71 3, 84 2"},
    {100, "BLR", 6, 40, "russian", "russian 70, ukrainian 30", "light 100", "18 6, 16 6, 69 3, 77 3, 23 2"},
    {101, "CYP", 6, 38, "greek", "greek 100", "olive 100", "12 10, 26 3, 29 3, 48 2, 42 2, 64 2, 73 2"},
    {102, "CIV", 4, 46, "westafrica_fr", "westafrica_fr 100", "black 100", "105 4, 67 3, 41 3, 110 2, 66 2"},
    {105, "MLI", 0, 24, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {106, "BDI", 0, 10, nullptr, "eastafrica 60, westafrica_fr 40", "black 100", nullptr},
    {107, "SKN", 0, 8, nullptr, "caribbean 100", "black 100", nullptr},
    {108, "GAB", 0, 16, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {109, "ARM", 4, 28, "armenian", "armenian 100", "olive 100", "18 4, 17 4, 16 3, 11 2"},
    {110, "NIG", 0, 12, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {111, "LBY", 0, 16, nullptr, "arabic 100", "tan 100", nullptr},
    {112, "COD", 0, 26, nullptr, "westafrica_fr 100", "black 100", nullptr},
    {113, "SUR", 0, 14, nullptr, "dutch 50, caribbean 30, indian 20", "black 70, brown 30", nullptr},
    {114, "VIN", 0, 8, nullptr, "caribbean 100", "black 100", nullptr},
};

// Clubs of a league country that play outside its leagues (they still
// enter its cup).
constexpr int16_t kNonLeagueClubs[kWorldPlayableCountries] = {10, 8, 11, 5, 40, 0, 14, 7, 0};

// The order of the nation blocks in the club numbering.
constexpr int16_t kBlockOrder[] = {
    0,  1,  2,  3,  6,  7,  5,  8,                                                   // league countries
    9,  10, 14, 15, 22, 21,                                                          // ... to club 605
    4,                                                                               // Spain from 606
    39, 48, 53, 56, 58, 55, 74, 59, 81, 88,  94, 95,  87,  54,  86, 47,              // the Americas
    42, 41, 43, 64, 63, 60, 72, 57, 76, 102,                                         // Africa
    36, 68, 38, 46, 90, 85,                                                          // Asia, Australia
    33, 40, 45, 49, 65, 69, 73, 77, 80, 84,  99, 100, 101, 109, 13, 17, 27, 31, 30,  // ... to 1024
    11, 12, 16, 18, 19, 20, 23, 24, 25, 26,  28, 29,                                 // Turkey from 1025
};

int TotalClubsOf(const WorldNation& n) { return n.clubs; }

std::string Capitalise(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::string ApplyForm(const std::string& form, const std::string& town) {
    std::string out;
    for (char c : form) {
        if (c == '%')
            out += town;
        else
            out += c;
    }
    return out;
}

// A vowel in Windows-1252, accented ones included.
bool IsVowel(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b - 'A' + 'a');
    if (std::strchr("aeiouy", b) != nullptr && b != 0) return true;
    if (b >= 0xC0) {
        unsigned char low = b < 0xE0 ? static_cast<unsigned char>(b + 0x20) : b;
        return low != 0xE7 && low != 0xF0 && low != 0xF1 && low != 0xF7 && low != 0xFE && low != 0xFF;
    }
    return false;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A stem and an ending read as one place name: no two vowels meeting at the
// seam ("Beau" + "ieu"), no letter three times in a row ("Kell" + "ley") and
// no word said twice.
bool JoinsWell(const std::string& stem, const std::string& ending) {
    if (stem.empty() || ending.empty() || ending[0] == ' ') return true;
    if (IsVowel(stem.back()) && IsVowel(ending[0])) return false;
    std::string joined = stem + ending;
    std::string low_stem, low_ending;
    for (char c : stem) low_stem += Lower(c);
    for (char c : ending) low_ending += Lower(c);
    if (low_stem == low_ending) return false;  // "Koskikoski"
    for (size_t i = 2; i < joined.size(); ++i)
        if (Lower(joined[i]) == Lower(joined[i - 1]) && Lower(joined[i]) == Lower(joined[i - 2]))
            return false;
    return true;
}

struct TownMaker {
    const CultureFile* culture;
    WorldRandom* rng;

    std::string Make() {
        const auto& stems = culture->List("stems");
        const auto& endings = culture->List("endings");
        const auto& prefixes = culture->List("prefixes");
        std::string town;
        for (int attempt = 0; attempt < 50; ++attempt) {
            const std::string& stem = stems[rng->Below(static_cast<int>(stems.size()))];
            const std::string& ending = endings[rng->Below(static_cast<int>(endings.size()))];
            town = stem + ending;
            if (JoinsWell(stem, ending)) break;
        }
        if (!prefixes.empty() && rng->Chance(0.12)) {
            std::string prefix = prefixes[rng->Below(static_cast<int>(prefixes.size()))];
            bool joined = !prefix.empty() && (prefix.back() == '-');
            town = prefix + (joined ? "" : " ") + town;
        }
        return Capitalise(town);
    }
};

}  // namespace

std::span<const WorldNation> WorldNations() { return kNations; }

const WorldNation* FindWorldNation(int nation) {
    for (const WorldNation& n : kNations)
        if (n.nation == nation) return &n;
    return nullptr;
}

int WorldLeagueDivisions(int nation) {
    if (nation < 0 || nation >= kWorldPlayableCountries) return 0;
    int count = 0;
    for (int d = 0; d < kWorldMaxDivisions; ++d)
        if (kWorldDivisionClubs[nation][d] != 0) count = d + 1;
    return count;
}

bool ParseWeightedKeys(const char* text, std::vector<WeightedKey>* out) {
    out->clear();
    if (text == nullptr) return true;
    const char* p = text;
    while (*p != 0) {
        while (*p == ' ' || *p == ',') ++p;
        if (*p == 0) break;
        const char* key_start = p;
        while (*p != 0 && *p != ' ') ++p;
        std::string key(key_start, p);
        while (*p == ' ') ++p;
        char* end = nullptr;
        long weight = std::strtol(p, &end, 10);
        if (end == p || weight <= 0) return false;
        p = end;
        out->push_back({key, static_cast<int>(weight)});
        while (*p == ' ') ++p;
        if (*p != 0 && *p != ',') return false;
    }
    return true;
}

std::vector<PlannedClub> PlanWorldClubs() {
    std::vector<PlannedClub> clubs;
    clubs.reserve(kWorldClubCount);
    for (int16_t nation : kBlockOrder) {
        const WorldNation* n = FindWorldNation(nation);
        int total = TotalClubsOf(*n);
        int16_t rank = 0;
        if (nation < kWorldPlayableCountries) {
            int divisions = WorldLeagueDivisions(nation);
            for (int d = 0; d < divisions; ++d)
                for (int i = 0; i < kWorldDivisionClubs[nation][d]; ++i)
                    clubs.push_back({nation, static_cast<int16_t>(d), rank++, 0, {}});
            for (int i = 0; i < kNonLeagueClubs[nation]; ++i)
                clubs.push_back({nation, static_cast<int16_t>(divisions), rank++, 0, {}});
        } else {
            // The bigger half of a foreign nation's clubs is its top flight.
            int top = (total * 6 + 9) / 10;
            for (int i = 0; i < total; ++i)
                clubs.push_back({nation, static_cast<int16_t>(i < top ? 0 : 1), rank++, 0, {}});
        }
    }
    return clubs;
}

int WorldFirstClubOfNation(const std::vector<PlannedClub>& clubs, int nation) {
    for (size_t i = 0; i < clubs.size(); ++i)
        if (clubs[i].nation == nation) return static_cast<int>(i);
    return -1;
}

bool NameWorldClubs(const std::string& culture_dir, std::vector<PlannedClub>* clubs, std::string* error) {
    std::map<std::string, CultureFile> cultures;
    std::set<std::string> used_names;
    size_t i = 0;
    while (i < clubs->size()) {
        int nation = (*clubs)[i].nation;
        size_t end = i;
        while (end < clubs->size() && (*clubs)[end].nation == nation) ++end;

        const WorldNation* n = FindWorldNation(nation);
        if (n == nullptr || n->club_culture == nullptr) {
            *error = "nation " + std::to_string(nation) + " has clubs but no club names";
            return false;
        }
        auto it = cultures.find(n->club_culture);
        if (it == cultures.end()) {
            CultureFile file;
            if (!LoadCultureFile(culture_dir, n->club_culture, &file, error)) return false;
            if (file.List("stems").empty() || file.List("endings").empty() || file.List("forms").empty()) {
                *error = std::string(n->club_culture) + ": club names need stems, endings and forms";
                return false;
            }
            it = cultures.emplace(n->club_culture, std::move(file)).first;
        }
        const CultureFile& culture = it->second;
        const auto& forms = culture.List("forms");

        // One stream per nation: changing one nation's pools leaves the
        // others' names as they were.
        WorldRandom rng(kWorldClubNameSeed * 0x100000001B3ull + static_cast<uint64_t>(nation) * 7919u);
        TownMaker maker{&culture, &rng};
        std::vector<std::string> towns;
        std::vector<int> town_uses;
        for (size_t c = i; c < end; ++c) {
            PlannedClub& club = (*clubs)[c];
            bool named = false;
            for (int attempt = 0; attempt < 400 && !named; ++attempt) {
                // Now and then a second club of a town already on the map:
                // the local derby.
                bool derby = !towns.empty() && rng.Chance(0.07);
                int town_index;
                std::string town;
                if (derby) {
                    town_index = rng.Below(static_cast<int>(towns.size()));
                    if (town_uses[town_index] >= 2) continue;
                    town = towns[town_index];
                } else {
                    town = maker.Make();
                    if (std::find(towns.begin(), towns.end(), town) != towns.end()) continue;
                    town_index = static_cast<int>(towns.size());
                }
                std::string name = ApplyForm(forms[rng.Below(static_cast<int>(forms.size()))], town);
                if (name.size() > static_cast<size_t>(kWorldClubNameMax)) continue;
                if (used_names.count(name) != 0) continue;
                if (!derby) {
                    towns.push_back(town);
                    town_uses.push_back(0);
                }
                ++town_uses[town_index];
                club.town = static_cast<int16_t>(town_index);
                club.name = name;
                used_names.insert(name);
                named = true;
            }
            if (!named) {
                *error = std::string(n->club_culture) + ": cannot find a free club name for nation " +
                         std::to_string(nation);
                return false;
            }
        }
        i = end;
    }
    return true;
}
