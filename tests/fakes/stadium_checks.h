// Checks of the grounds and reputations over a whole world, for the runs
// that roll seasons: call ClubBalances before a roll and
// CheckStadiumInvariants after it.
#pragma once
#include <string>
#include <vector>

#include "core/club/stadium.h"
#include "core/records/records.h"

// Every club's balance, by club number.
inline std::vector<int32_t> ClubBalances() {
    std::vector<int32_t> balances(kClubCount);
    for (int16_t club = 0; club < kClubCount; ++club) balances[club] = GetClubBalance(club);
    return balances;
}

// Every club in use: stand styles 0..7, each stand within its style's
// maximum, reputation 3..63, and a club that had money before the roll is
// not left in debt by it.  "" when all hold, else the first fault found.
inline std::string CheckStadiumInvariants(const std::vector<int32_t>& balancesBefore) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        const std::string name = "club " + std::to_string(club);
        for (int stand = 0; stand < kStandCount; ++stand) {
            const int style = StandStyleOf(club, stand);
            if (style < 0 || style >= kStandStyleCount)
                return name + " stand " + std::to_string(stand) + " has style " + std::to_string(style);
            if (StandThousandsOf(club, stand) * 1000 > StandMaxSeats(style, stand))
                return name + " stand " + std::to_string(stand) + " holds " +
                       std::to_string(StandThousandsOf(club, stand)) + " thousand at style " +
                       std::to_string(style);
        }
        const int rep = GetClubRep(club);
        if (rep < 3 || rep > 63) return name + " has reputation " + std::to_string(rep);
        if (size_t(club) < balancesBefore.size() && balancesBefore[club] >= 0 && GetClubBalance(club) < 0)
            return name + " went from " + std::to_string(balancesBefore[club]) + " to " +
                   std::to_string(GetClubBalance(club));
    }
    return "";
}
