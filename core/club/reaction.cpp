#include "core/club/reaction.h"

#include <algorithm>
#include <optional>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/contracts.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/clubfixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/playernews.h"
#include "core/season/unrest.h"

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int kWeeksOutPerMatch = 3;
constexpr int kLastStarter = 11;
constexpr int kLastSubstitute = 16;

bool Reacts(uint16_t p, int16_t club) {
    return GetPlayerIT(p) == 0 && GetPlayerIntDuty(p) == 0 && GetPlayerClub(p) == uint16_t(club) &&
           GetPlayerSusp(p) == 0 && GetPlayerHalvorn(p) == 0 && GetPlayerPosition(p) != 13 &&
           GetPlayerFitness(p) >= 60 && GetPlayerFatigue(p) <= 10 && !market::IsOutOnLoan(p);
}

// 100 at the top of the nation's table; -1 when the nation ranks no club.
int Standing(int16_t club) {
    const uint16_t nation = GetClubNation(club);
    if (nation >= kCountryCount || ClubCountOfNation[nation] == 0) return -1;
    return 100 - GetClubLeaguePosition(club) * 100 / ClubCountOfNation[nation];
}

void AddSharpness(uint16_t p, int change) {
    SetPlayerField118(p, int16_t(int(GetPlayerField118(p)) + change));
}

void AddWeeksOut(uint16_t p, int change) {
    SetPlayerField120(p, int16_t(std::clamp(int(GetPlayerField120(p)) + change, 0, 255)));
}

// A roll beating his loyalty after his patience ran out.  Ambition 7 would
// roll modulo 0: it rolls below 100, the modulus of ambition 6.
bool OutOfPatience(uint16_t p, int ambition) {
    if (int32_t(GetPlayerField120(p)) <= SelectionPatience(ambition)) return false;
    const int modulus = std::max((7 - ambition) * 100, 100);
    return GameRandom() % modulus > GetPlayerStat(p, kLoyaltyStat, 0);
}

void AskToLeave(uint16_t p, int16_t club, int ambition) {
    AddMessage(club, -1, p, kNoPlayer, -1, -1, -1, -1, -1, -1, -1, kMsgClauseRequest, 1, 0);
    if (club == GetUserClub()) AddPendingPlayerEvent(p);
    SetPlayerMorale(p, 10);
    SetPlayerTxReq(p, 1);
    SetPlayerFans(p, int16_t(GetPlayerFans(p) - GetPlayerFans(p) / 3));
    if (ambition >= 5) DrawPlayerNewsLine(club, p, int16_t(8 * ambition));
}

// A player's squad rank, the club's ratings taken on the first asking: no
// reaction changes a rating or the roster.
struct LazyRanking {
    int16_t club;
    std::optional<ClubSquadRanking> ranking;
    int16_t RankOf(uint16_t p) {
        if (!ranking) ranking.emplace(club);
        return ranking->RankOf(p);
    }
};

void LeftOut(uint16_t p, int16_t club, LazyRanking& ranks) {
    if (GameRandom() % ((100 - GetPlayerStat(p, kProfessionalismStat, 0)) / 5 + 1) == 0)
        AddSharpness(p, -(GameRandom() % 10));
    if (GetPlayerIntShirt(p) == 0)
        SetPlayerField105(p, int16_t(int(GetPlayerField105(p)) - GameRandom() % 7));
    AddWeeksOut(p, kWeeksOutPerMatch);
    const int ambition = GetPlayerField117(p);
    const bool request = GetPlayerTxReq(p) != 0, listed = GetPlayerTxList(p) != 0;
    if (ambition >= 4) {
        if (request || listed) return;
        if (OutOfPatience(p, ambition)) {
            if (ambition == 4) {
                SetPlayerMorale(p, int16_t(GetPlayerMorale(p) - GetPlayerMorale(p) / 8));
            } else if (GameRandom() % 100 < 5 * market::AgentByte(p, 1) + 1) {
                AskToLeave(p, club, ambition);
            }
            return;
        }
        ChangePlayerMorale(p, int16_t(1 + GameRandom() % 10));
        return;
    }
    const int place = ranks.RankOf(p);
    if (place > 16 && !(listed && !request)) return;
    int k = GetClubRep(club) + 2;
    if (listed) k = k / 3 + 2;
    if (GameRandom() % k != 0) return;
    const int d = 16 - place;
    ChangePlayerMorale(p, int16_t(-(d == 0 ? 1 : d)));
}

void Starter(uint16_t p, int standing, int level) {
    AddWeeksOut(p, -1);
    if (GameRandom() % (GetPlayerStat(p, kAmbitionStat, 0) / 5 + 1) == 0) AddSharpness(p, GameRandom() % 2);
    const int apps = GetPlayerCareerApps(p);
    if (standing >= 0 && level <= standing / 2 && apps >= 1 && apps <= 19) {
        ChangePlayerMorale(p, int16_t((standing / 2 - level) / 2));
    } else {
        ChangePlayerMorale(p, 5);
    }
}

void Substitute(uint16_t p, int16_t club, int level) {
    AddWeeksOut(p, 1);
    if (GameRandom() % ((100 - GetPlayerStat(p, kProfessionalismStat, 0)) / 5 + 1) == 0)
        AddSharpness(p, -(GameRandom() % 5));
    const int ambition = GetPlayerField117(p);
    if (GetPlayerTxReq(p) == 0 && GetPlayerTxList(p) == 0 && ambition >= 5) {
        if (OutOfPatience(p, ambition)) {
            if (GameRandom() % 100 >= market::AgentByte(p, 1) + 1) return;
            AskToLeave(p, club, ambition);
        } else {
            ChangePlayerMorale(p, int16_t(1 + GameRandom() % 10));
        }
    }
    if (level >= 16) {
        ChangePlayerMorale(p, 5);
        if (GameRandom() % 100 > GetPlayerStat(p, kSpiritStat, 0)) {
            SetPlayerField96(p, int16_t(GetPlayerField96(p) + 1));
        }
    }
}

}  // namespace

int32_t SelectionPatience(int ambition) {
    const int32_t gap = 7 - std::clamp(ambition, 0, 7);
    return std::max<int32_t>(gap * gap * gap, 9);
}

void PlayerSelectionReaction(int16_t club) {
    if (!IsClubNumber(club) || GetClubDivision(club) >= 6) return;
    const uint16_t nation = GetClubNation(club);
    if (nation >= kCountryCount || !IsPlayedLeagueNation(nation)) return;
    const int standing = Standing(club);
    LazyRanking ranks{club, std::nullopt};
    for (uint16_t p : ClubRoster[club]) {
        if (!IsPlayerNumber(p) || !Reacts(p, club)) continue;
        const int level = GetPlayerStat(p, kAbilityStat, 0) * 100 / 250;
        const int shirt = GetPlayerShirt(p);
        if (shirt == 0) {
            LeftOut(p, club, ranks);
        } else if (shirt <= kLastStarter) {
            Starter(p, standing, level);
        } else if (shirt <= kLastSubstitute) {
            Substitute(p, club, level);
        }
    }
}
