#include "core/query/playerscreens.h"

#include <cstdint>
#include <cstring>

#include "core/club/bids.h"
#include "core/club/squads.h"
#include "core/club/training.h"
#include "core/query/datesandform.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/competitions.h"
#include "core/season/leagues.h"

namespace {

constexpr int kBidGroups = 4;
constexpr int kBidGroupEntries = 5;
constexpr int kDateRangePairs = 3;
// Months left on a contract beyond which the player will not talk.
constexpr int16_t kTalksContractMonths = 36;
// Morale (0..60) below which he will not talk.
constexpr uint16_t kTalksMorale = 15;

int16_t UserClub() {
    const uint16_t club = GetPlayerClub(1);
    return IsClubNumber(club) ? int16_t(club) : int16_t(-1);
}

// Today inside one of the nation's transfer-closed periods.
bool TransfersClosed(int nation) {
    if (!IsCountryNumber(nation)) return false;
    const int today = SeasonCalendar.currentDay;
    for (int period = 0; period < kDateRangePairs; ++period) {
        const int first = LeagueTransferWords[2 * period][nation];
        const int last = LeagueTransferWords[2 * period + 1][nation];
        if (last > first && today >= first && today <= last) return true;
    }
    return false;
}

// The market the move happens in: the player's club's, else the user's.
int MarketNation(uint16_t player, int16_t user) {
    const uint16_t club = GetPlayerClub(player);
    if (IsClubNumber(club)) return GetClubNation(int16_t(club));
    return user >= 0 ? GetClubNation(user) : -1;
}

int RosterCount(int16_t club) {
    int count = 0;
    for (uint16_t p : ClubRoster[club])
        if (IsPlayerNumber(p) && GetPlayerClub(p) == uint16_t(club)) ++count;
    return count;
}

// The weekly wage in 64 bits against the club's wage limit.
bool WagesBeyond(uint16_t player, int16_t club) {
    const int64_t weekly = int64_t(GetPlayerWage(player)) * 25;
    return weekly > int64_t(ClubMaxWage(club));
}

}  // namespace

int16_t HVW_GetPlayerKnowledge(uint16_t player) {
    if (!IsPlayerNumber(player)) return -1;
    return HVW_GetUnscoutedPlayerVariant(player);
}

const char* HVW_GetCupName(int16_t slot, int16_t country) {
    if (slot < 0 || slot >= kCupNames || !IsCountryNumber(country)) return "";
    // The names are 34-byte fields; a saved one may lack its terminator.
    static char name[kCompetitionNameSize + 1];
    for (int i = 0; i < kCompetitionNameSize; ++i) name[i] = CompetitionNames[country].cup[slot][i];
    name[kCompetitionNameSize] = '\0';
    // The field is padded with blanks to its width: the name ends before them.
    for (int end = int(std::strlen(name)); end > 0 && name[end - 1] == ' '; --end) name[end - 1] = '\0';
    return name;
}

int16_t HVW_GetPlayerImprovement(uint16_t player, int16_t stat) {
    if (!IsPlayerNumber(player)) return 0;
    const int16_t counter = TrainingCounterOfStat(stat);
    if (counter < 0) return 0;
    for (int record = 0; record < kTrainingRecords; ++record) {
        if (GetTrainingRecordPlayer(record) != player) continue;
        return int16_t(TrainingRecords[record].bytes[kTrainingCounters + counter]);
    }
    return 0;
}

int16_t HVW_ListInterestedClubs(uint16_t player, int16_t* clubs, int16_t maxClubs) {
    int16_t count = 0;
    if (!IsPlayerNumber(player)) return 0;
    for (int16_t club = 0; club < kClubCount && count < maxClubs; ++club) {
        bool found = false;
        for (int group = 0; group < kBidGroups && !found; ++group)
            for (int entry = 0; entry < kBidGroupEntries && !found; ++entry)
                found = GetClubBidShortListId(club, int16_t(group), int16_t(entry)) == player;
        if (found) clubs[count++] = club;
    }
    return count;
}

int16_t HVW_CheckUserBid(uint16_t player) {
    const int16_t user = UserClub();
    if (user < 0 || !IsPlayerNumber(player)) return kStandingText;
    if (TransfersClosed(MarketNation(player, user))) return kTextTransfersClosed;
    bool freeSlot = false;
    for (int16_t slot = 0; slot < kBidSlots; ++slot) {
        const uint16_t bid = GetClubBidPlayer(user, slot);
        if (bid == player) return kTextAlreadyApproached;
        if (bid == 0) freeSlot = true;
    }
    if (!freeSlot) return kTextNoMoreApproaches;
    if (RosterCount(user) >= kUserSquadLimit) return kSquadFullText;
    const int reputation = GetPlayerReputation(player), standing = GetClubRep(user);
    if (standing > 0 && reputation > 2 * standing) return kStandingText;
    if (WagesBeyond(player, user)) return kWagesTooHighText;
    return 0;
}

int16_t HVW_CheckUserLoanApproach(uint16_t player) {
    const int16_t user = UserClub();
    if (user < 0 || !IsPlayerNumber(player)) return kStandingText;
    if (TransfersClosed(MarketNation(player, user))) return kTextTransfersClosed;
    if (WagesBeyond(player, user)) return kWagesTooHighText;
    return 0;
}

int16_t HVW_CheckContractApproach(uint16_t player) {
    const int16_t user = UserClub();
    if (user < 0 || !IsPlayerNumber(player)) return kTextWillNotDiscussContract;
    if (WagesBeyond(player, user)) return kWagesTooHighText;
    if (int16_t(GetPlayerContract(player)) > kTalksContractMonths) return kTextWillNotDiscussContract;
    if (GetPlayerMorale(player) < kTalksMorale) return kTextWillNotDiscussContract;
    const int reputation = GetPlayerReputation(player), standing = GetClubRep(user);
    if (standing > 0 && reputation > 2 * standing) return kStandingText;
    return 0;
}
