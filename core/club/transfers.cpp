#include "core/club/transfers.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"

TransferRecord TransferRecords[kTransferRecords];
uint16_t TransferRecordIndex;
JobApplicationState JobApplicationRecord = {65535, 65535, 65535};

namespace {

constexpr int kBidSlots = 4;

}  // namespace

int16_t GetPlayerApproachReply(uint16_t player, int16_t unused, int16_t club) {
    (void)unused;
    if (!IsClubNumber(club)) return 0;
    uint16_t own = GetPlayerClub(player);
    if (own == uint16_t(club)) return 0;
    // A player talks to a club at least as well known as his own.
    int ownRep = IsClubNumber(own) ? GetClubRep(int16_t(own)) : 0;
    return GetClubRep(club) >= ownRep ? 1 : 0;
}

void ClearClubBidsOnPlayer(int16_t club, uint16_t player) {
    if (!IsClubNumber(club)) return;
    for (int slot = 0; slot < kBidSlots; ++slot) {
        if (GetClubBidPlayer(club, int16_t(slot)) == player) SetClubBid(club, int16_t(slot), 0, 0, 0);
    }
}

void ClearClubBidList(uint16_t player) {
    SetPlayerSetting4(player, 0);
    // Only clubs with a reputation drop their bids; the four bid slots are
    // looked at first, as few clubs hold a bid on any one player.
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int slot = 0; slot < kBidSlots; ++slot) {
            if (GetClubBidPlayer(club, int16_t(slot)) != player) continue;
            if (GetClubRep(club) != 0) SetClubBid(club, int16_t(slot), 0, 0, 0);
        }
    }
}

void ClearJobApplication() { JobApplicationRecord = {65535, 65535, 65535}; }
void DropPassedJobApplication(int lastDay) {
    if (JobApplicationRecord.club != 65535 && int(JobApplicationRecord.day) <= lastDay) ClearJobApplication();
}
uint16_t GetJobApplicationClub() { return JobApplicationRecord.club; }
uint16_t GetJobApplicationDay() { return JobApplicationRecord.day; }
uint16_t GetJobApplicationResult() { return JobApplicationRecord.accepted; }

namespace {

// Places in the job reckoning are counted down from this.
constexpr int kNoStanding = 115;

}  // namespace

void JobApplication(int16_t club) {
    if (!IsClubNumber(club) || GetClubRep(club) == 0) {
        DebugLog(DEBUG_GENERAL, 1, "JobApplication Error: bad club '%d'\n", int(club));
        return;
    }
    const int16_t user = GetUserClub();
    // A manager without a club brings no place and no form.
    const int userPlace = user >= 0 ? GetClubLeaguePosition(user) : kNoStanding;
    const int form = user >= 0 ? BoardFormScore(user) : 0;
    const int standing = 2 * GetPlayerReputation(1) + (kNoStanding - userPlace) + form;
    const int needed = 2 * GetClubRep(club) + (kNoStanding - GetClubLeaguePosition(club));
    JobApplicationRecord.club = uint16_t(club);
    JobApplicationRecord.accepted = standing >= needed && GameRandom() % 45 < form ? 1 : 0;
    JobApplicationRecord.day = uint16_t(SeasonCalendar.currentDay + 2 + GameRandom() % 12);
}
