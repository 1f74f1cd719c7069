#include "core/club/playerunrest.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/injuries.h"
#include "core/club/markethelpers.h"
#include "core/club/matchdaynotices.h"
#include "core/club/playervalue.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/playernews.h"
#include "core/season/unrest.h"

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kScope = 1;
constexpr int16_t kHappyAgainText = 825;
constexpr int16_t kRefusesToPlay = 1;
constexpr int kUnrestStartsAfter = 20;
constexpr int kPlayingTimeFrom = 90;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

int32_t Age(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

void Post(int16_t type, int16_t club, uint16_t player, bool withPosition) {
    AddMessage(club, -1, player, kNoPlayer, -1, -1, -1, withPosition ? PositionText(player) : int16_t(-1), -1,
               withPosition ? Age(player) : -1, -1, type, kScope, 0);
}

// The club's standing in its nation, 0..100 (100 at the top); -1 when the
// nation ranks no club.
int Standing(int16_t club) {
    const uint16_t nation = GetClubNation(club);
    if (nation >= kCountryCount || ClubCountOfNation[nation] == 0) return -1;
    return 100 - GetClubLeaguePosition(club) * 100 / ClubCountOfNation[nation];
}

void UnrestOf(uint16_t p) {
    const uint16_t club = GetPlayerClub(p);
    if (!IsClubNumber(club) || market::IsOutOnLoan(p)) return;
    const int16_t c = int16_t(club);
    if (GetClubDivision(c) >= 6 || GetPlayerPosition(p) == 13 || GetPlayerHalvorn(p) != 0 ||
        GetPlayerTxList(p) != 0)
        return;
    const int rep = GetClubRep(c);
    if (GetPlayerMorale(p) < rep) SetPlayerMorale(p, int16_t(std::min(rep, 60)));
    const int k = std::max(1, 40 - rep);
    if (GameRandom() % k < 2) ChangePlayerMorale(p, int16_t(GameRandom() % 10));
    const int stir = market::AgentByte(p, 1);
    if (GameRandom() % 100 > stir) return;
    if (GameRandom() % (rep + 2) != 0) return;
    const int today = SeasonCalendar.currentDay;
    if (today > kPlayingTimeFrom && SeasonCalendar.season != 0) {
        const int a = GetPlayerHistoryAppearances(p, c, 1);
        const int b = GetPlayerHistoryAppearances(p, c, 0);
        const int e = int16_t(a * today / 365);
        if (b < e) ChangePlayerMorale(p, int16_t(-std::min(e - b, 100)));
    }
    const int standing = Standing(c);
    if (standing < 0) return;
    const int level = GetPlayerStat(p, kAbilityStat, 0) * 100 / 250;
    const int loyalty = GetPlayerStat(p, kLoyaltyStat, 0);
    if (level > standing && loyalty < 2 * (level - standing)) {
        Post(kMsgAboveClub, c, p, false);
        ChangePlayerMorale(p, int16_t(-std::clamp((2 * (level - standing) - loyalty) / 2, 1, 100)));
    }
}

bool TakesPartInRequests(uint16_t p, uint16_t club) {
    if (!IsClubNumber(club) || market::IsOutOnLoan(p)) return false;
    const int16_t c = int16_t(club);
    const uint16_t nation = GetClubNation(c);
    return nation < kCountryCount && IsPlayedLeagueNation(nation) && GetClubDivision(c) < 6 &&
           GetPlayerIT(p) == 0 && GetPlayerIntDuty(p) == 0 && GetPlayerPosition(p) != 13 &&
           GetPlayerHalvorn(p) == 0 && GetPlayerFlag95(p) == 0;
}

void RequestOf(uint16_t p) {
    const uint16_t club = GetPlayerClub(p);
    if (!TakesPartInRequests(p, club)) return;
    const int16_t c = int16_t(club);
    const int m = GetPlayerMorale(p) * 100 / 60;
    const int t = 40 - GetPlayerStat(p, kLoyaltyStat, 0) / 5;
    const bool request = GetPlayerTxReq(p) != 0;
    const bool listed = GetPlayerTxList(p) != 0;
    if (m > 70 && request) {
        SetPlayerTxReq(p, 0);
        SetPlayerTxList(p, 0);
        Post(kMsgHappyAgain, c, p, false);
        RemovePendingPlayerEvent(p);
        market::PostShortlistNews(kMsgShortlistNews, p, c, kHappyAgainText, PositionText(p));
        return;
    }
    if (m >= t || listed) return;
    if (request) {
        if (GameRandom() % (GetPlayerStat(p, kSpiritStat, 0) + 1) != 0) return;
        if (GetClubBalance(c) <= 0 || GetPlayerFlag95(p) != 0) return;
        if (GameRandom() % 100 >= 5) return;
        InjurePlayer(p, int16_t(GameRandom() % 50), kRefusesToPlay, 0);
        MatchDay_BuildMessageA(c, p);
        Post(kMsgWalkOut, c, p, true);
        return;
    }
    if (InRequestBlackout(GetClubNation(c), SeasonCalendar.currentDay)) return;
    const int fans = GetPlayerFans(p);
    SetPlayerFans(p, int16_t(fans - (GetPlayerShirt(p) != 0 ? fans / 3 : fans / 4)));
    SetPlayerTxReq(p, 1);
    const int status = GetPlayerField117(p);
    if (status >= 5) DrawPlayerNewsLine(c, p, int16_t(8 * status));
    Post(kMsgTransferRequest, c, p, true);
    if (c == GetUserClub()) AddPendingPlayerEvent(p);
}

}  // namespace

bool InRequestBlackout(int nation, int today) {
    if (!IsCountryNumber(nation)) return false;
    const int start = SeasonCalendar.leagueStartDay[nation];
    for (const auto& pair : RequestBlackout[nation]) {
        const int a = start + pair[0], b = start + pair[1];
        if (b > a ? today >= a && today <= b : today >= a || today <= b) return true;
    }
    return false;
}

void PlayerUnrestPass() {
    if (CompetitionDayWord <= kUnrestStartsAfter) return;
    for (uint32_t p = 1; p < PlayerCount; p += 1 + GameRandom() % 20) UnrestOf(uint16_t(p));
}

void TransferRequestPass() {
    const int weekday = (SeasonCalendar.weekday % 7 + 7) % 7;
    uint32_t first = uint32_t(weekday);
    if (first == 0) first = 7;
    for (uint32_t p = first; p < PlayerCount; p += 7) RequestOf(uint16_t(p));
}
