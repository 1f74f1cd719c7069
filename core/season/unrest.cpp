#include "core/season/unrest.h"

#include <cstring>

#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/club/squads.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

PendingPlayerEvent PendingPlayerEvents[kPendingPlayerEvents];

namespace {

constexpr int kManyTeamMates = 5;
constexpr uint16_t kRefusingToPlay = 1;  // injury type of a player who will not play
constexpr int16_t kWalkOutAbsence = 1;
constexpr int kWalkOutDaysRange = 50;
constexpr uint16_t kFirstReserveShirt = 12;
constexpr int16_t kAgeOffset = 16;
constexpr uint16_t kUserPlayer = 1;
constexpr uint32_t kNoPlayer = 0xFFFFFFFF;

// The note about a player with a transfer request: his club, his position
// and his age.
void PostRequestMessage(uint16_t player, int16_t type) {
    AddMessage(HVW_GetPlayerClub(player), -1, player, kNoPlayer, -1, -1, -1,
               PositionTypeText(HVW_GetPositionType(player)), -1, GetPlayerAge(player) + kAgeOffset, -1, type,
               1, 0);
}

// Fourteen days without an answer: the urgent note, and his morale falls.
void SendUrgentNote(PendingPlayerEvent& entry) {
    entry.kind = kPendingUnrest;
    entry.days = kPendingStageDays;
    PostRequestMessage(entry.player, kMsgUrgentRequest);
    // The morale percentage halved is written back as the raw value.
    HVW_SetPlayerMorale(entry.player, int16_t(HVW_GetPlayerMoralePct(entry.player) / 2));
}

void WalkOut(uint16_t player) {
    InjurePlayer(player, int16_t(GameRandom() % kWalkOutDaysRange), kWalkOutAbsence, 0);
    PostRequestMessage(player, kMsgGoodbye);
    RemovePendingPlayerEvent(player);
}

// Lowers the morale of every team-mate below the player in stat 20 and
// returns how many were hit.
int UnsettleTeamMates(int16_t club, uint16_t player, int16_t amount) {
    const int16_t standing = GetPlayerStat(player, kLeadershipStat, 0);
    int hit = 0;
    for (uint16_t mate : ClubRoster[club]) {
        if (mate == 0 || mate == player || GetPlayerStat(mate, kLeadershipStat, 0) >= standing) continue;
        SetPlayerMorale(mate, int16_t(GetPlayerMorale(mate) - GameRandom() % (4 * amount)));
        ++hit;
    }
    return hit;
}

// A popular player's unrest costs the user's standing with the fans; one the
// fans care little about gives the user a lift.
void MoveUserFans(uint16_t player, int16_t amount) {
    const int popularity = GetPlayerFans(player) / 10;
    const int fans = GetPlayerFans(kUserPlayer);
    const int value =
        popularity == 0 ? fans + GameRandom() % (4 * amount) : fans - GameRandom() % (popularity * amount);
    SetPlayerFans(kUserPlayer, int16_t(value));
}

}  // namespace

void AddPendingPlayerEvent(uint16_t player) {
    for (PendingPlayerEvent& entry : PendingPlayerEvents) {
        if (entry.player != 0) continue;
        entry = {player, kPendingStageDays, kPendingAwaitingAnswer};
        return;
    }
}

void RemovePendingPlayerEvent(uint16_t player) {
    for (int i = 0; i < kPendingPlayerEvents; ++i) {
        if (PendingPlayerEvents[i].player != player) continue;
        std::memmove(&PendingPlayerEvents[i], &PendingPlayerEvents[i + 1],
                     sizeof(PendingPlayerEvent) * size_t(kPendingPlayerEvents - 1 - i));
        PendingPlayerEvents[kPendingPlayerEvents - 1] = {0, 0, 0};
        return;
    }
}

void ClearPendingPlayerEvents() {
    for (PendingPlayerEvent& entry : PendingPlayerEvents) entry = {0, 0, 0};
}

void ProcessPendingPlayerEvents() {
    int i = 0;
    while (i < kPendingPlayerEvents) {
        PendingPlayerEvent& entry = PendingPlayerEvents[i];
        if (entry.player == 0) return;
        if (GetPlayerIT(entry.player) == kRefusingToPlay) return;
        const uint16_t player = entry.player;
        --entry.days;
        if (entry.kind == kPendingUnrest) SpreadSquadUnrest(HVW_GetPlayerClub(player), player, 1);
        if (entry.days <= 0) {
            if (entry.kind == kPendingAwaitingAnswer) {
                SendUrgentNote(entry);
            } else if (entry.kind == kPendingUnrest) {
                // His entry goes, one at or before this place: the next
                // entry moves into this place and is counted down too.
                WalkOut(player);
                continue;
            }
        }
        ++i;
    }
}

void SpreadSquadUnrest(int16_t club, uint16_t player, int16_t amount) {
    if (amount == 0) return;
    const uint16_t shirt = GetPlayerShirt(player);
    if (shirt >= kFirstReserveShirt || shirt == 0) amount = int16_t(amount / 3);
    if (amount == 0) return;
    // A player without a club has no team-mates to unsettle.
    if (!IsClubNumber(club)) return;
    const int hit = UnsettleTeamMates(club, player, amount);
    AddMessage(HVW_GetPlayerClub(player), -1, player, kNoPlayer, -1, -1, -1, -1, -1, -1, -1,
               hit > kManyTeamMates ? kMsgManyUnsettled : kMsgFewUnsettled, 1, 0);
    if (GetClubControl(club) == 0) return;
    MoveUserFans(player, amount);
}
