// The competition codes of a fixture (its type, 0..120) and the cups they
// belong to.
#pragma once
#include <cstdint>

// Competition types.  5-68 are the four national cups and 69-116 the three
// European cups, 16 codes each: round codes 0-7 single matches and first
// legs, 8-15 the second matches.  For 118 and 119 the two club fields hold
// nation numbers.
enum CompetitionType : int16_t {
    kCompLeague = 0,
    kCompPlayOffFirst = 1,
    kCompPlayOffSecond = 2,
    kCompPlayOffFinal = 3,
    kCompChampionVsCupWinner = 4,
    kCompFirstNationalCup = 5,
    kCompFirstEuropeanCup = 69,
    kCompLastCup = 116,
    kCompFriendly = 117,
    kCompNationalTeam = 118,
    kCompNationalUnder21 = 119,
    kCompReserveLeague = 120,
    kCompHighest = 120,
};

// The codes of one cup: kCodesPerCup from kCompFirstNationalCup + cup x
// kCodesPerCup, the second matches kSecondMatchCodes after their rounds'.
constexpr int kCodesPerCup = 16;
constexpr int kSecondMatchCodes = 8;
constexpr int16_t CupCode(int cup, int round) {
    return int16_t(kCompFirstNationalCup + cup * kCodesPerCup + round);
}

// The cup a code belongs to: the player's cup flag (0..5) that lets a loaned
// player play in it and his registration slot (0..6) in the cup-tied table;
// -1 for both outside the cup codes.  The second and third European cups
// share flag 5 and slot 6.
struct CupOfCompetition {
    int flag;
    int slot;
};
constexpr int kFirstEuropeanCupSlot = 4;
constexpr int kLaterEuropeanCupsFlag = 5;
constexpr int kLaterEuropeanCupsSlot = 6;
constexpr CupOfCompetition CupOf(int competition) {
    if (competition < kCompFirstNationalCup || competition > kCompLastCup) return {-1, -1};
    const int block = (competition - kCompFirstNationalCup) / kCodesPerCup;
    if (block <= kFirstEuropeanCupSlot) return {block, block};
    return {kLaterEuropeanCupsFlag, kLaterEuropeanCupsSlot};
}
constexpr bool IsEuropeanCompetition(int competition) {
    return competition >= kCompFirstEuropeanCup && competition <= kCompLastCup;
}
constexpr bool IsNationalTeamDay(int competition) {
    return competition == kCompNationalTeam || competition == kCompNationalUnder21;
}
