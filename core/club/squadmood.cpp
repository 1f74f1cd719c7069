#include "core/club/squadmood.h"

#include <algorithm>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/markethelpers.h"
#include "core/club/nations.h"
#include "core/club/playervalue.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

constexpr int16_t kScope = 1;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

int32_t Age(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

int Stat(uint16_t player, int index) { return GetPlayerStat(player, int16_t(index), 0); }

// Same reserve and first-team flags and neither a youth player.
bool BelongTogether(uint16_t a, uint16_t b) {
    return GetPlayerFlag107(a) == GetPlayerFlag107(b) && GetPlayerFlag118(a) == GetPlayerFlag118(b) &&
           GetPlayerFlag95(a) == 0 && GetPlayerFlag95(b) == 0;
}

bool IsManagerOrHalvorn(uint16_t player) {
    return GetPlayerHalvornB(player) != 0 || GetPlayerHalvorn(player) != 0;
}

// The league nation (or own group) of a player's nationality.
uint16_t NationOf(uint16_t player) { return NationGroup(int16_t(GetPlayerNationality(player))); }

const uint16_t* RosterOf(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    return IsClubNumber(club) ? ClubRoster[club] : nullptr;
}

void Quarrel(int16_t club, uint16_t p, uint16_t rival) {
    CorePoll();
    const int x = GameRandom() % std::max(1, Stat(rival, kLeadershipStat) + Stat(p, kLeadershipStat));
    if (GetClubControl(club) != 0) {
        int16_t type = -1;
        if (x > 160) {
            type = kMsgBigQuarrel;
        } else if (x > 130) {
            type = kMsgQuarrel;
        } else if (x > 100) {
            type = kMsgSmallQuarrel;
        }
        if (type >= 0) {
            AddMessage(club, -1, p, rival, -1, -1, -1, PositionText(p), PositionText(rival), Age(p),
                       Age(rival), type, kScope, 0);
        }
        if (x <= 75) return;
    }
    const int d = std::clamp(x * 20 / (Stat(p, kSpiritStat) + 1), 1, 100);
    ChangePlayerMorale(p, int16_t(-d));
}

// What the camp-mate searches read of each roster slot, taken once per
// mood job: the job changes only morale and wages, so camps, wills and the
// list flags stand still while it runs.
struct MoodSlot {
    uint16_t player;  // 0 for a slot the searches pass over
    uint8_t flag107, flag118, flag95;
    bool managerOrHalvorn;
    int camp, will;
};

struct MoodTable {
    MoodSlot slots[kRosterSize];
    int used = 0;  // slots past the last player's are all empty
};

void TakeMoodTable(int16_t club, MoodTable& t) {
    t.used = 0;
    for (int i = 0; i < kRosterSize; ++i) {
        MoodSlot& m = t.slots[i];
        const uint16_t q = ClubRoster[club][i];
        if (q == 0 || !IsPlayerNumber(q)) {
            m = MoodSlot{};
            continue;
        }
        t.used = i + 1;
        m = {q,
             uint8_t(GetPlayerFlag107(q)),
             uint8_t(GetPlayerFlag118(q)),
             uint8_t(GetPlayerFlag95(q)),
             IsManagerOrHalvorn(q),
             Stat(q, kOutlookStat),
             Stat(q, kLeadershipStat)};
    }
}

bool BelongTogether(const MoodSlot& a, const MoodSlot& b) {
    return a.flag107 == b.flag107 && a.flag118 == b.flag118 && a.flag95 == 0 && b.flag95 == 0;
}

// FindRivalCampMate and FindHappierCampMate for player `self` of the
// table's club: the same tests in the same order, so the same draws.  A
// youth player belongs together with nobody, so his searches draw nothing.
// The tests read only the table: the camp, which few share, comes first.
uint16_t RivalIn(const MoodTable& t, const MoodSlot& self) {
    if (self.flag95 != 0) return 0;
    const int rivalCamp = 100 - self.camp;
    for (int i = 0; i < t.used; ++i) {
        const MoodSlot& q = t.slots[i];
        if (q.camp != rivalCamp) continue;
        if (q.player == 0 || q.player == self.player) continue;
        if (!BelongTogether(self, q) || q.managerOrHalvorn) continue;
        if (q.will <= self.will) continue;
        if (GameRandom() % 20 == 0) return q.player;
    }
    return 0;
}

uint16_t HappierIn(const MoodTable& t, const MoodSlot& self) {
    if (self.flag95 != 0) return 0;
    for (int i = 0; i < t.used; ++i) {
        const MoodSlot& q = t.slots[i];
        if (q.camp != self.camp) continue;
        if (q.player == 0 || q.player == self.player) continue;
        if (!BelongTogether(self, q)) continue;
        if (GetPlayerMorale(q.player) <= GetPlayerMorale(self.player)) continue;
        if (GameRandom() % 10 == 0) return q.player;
    }
    return 0;
}

}  // namespace

uint16_t FindHappierCampMate(uint16_t player) {
    const uint16_t* roster = RosterOf(player);
    if (roster == nullptr) return 0;
    for (int i = 0; i < kRosterSize; ++i) {
        const uint16_t q = roster[i];
        if (q == 0 || q == player || !IsPlayerNumber(q)) continue;
        if (!BelongTogether(player, q) || Stat(q, kOutlookStat) != Stat(player, kOutlookStat)) continue;
        if (GetPlayerMorale(q) <= GetPlayerMorale(player)) continue;
        if (GameRandom() % 10 == 0) return q;
    }
    return 0;
}

uint16_t FindRivalCampMate(uint16_t player) {
    const uint16_t* roster = RosterOf(player);
    if (roster == nullptr) return 0;
    for (int i = 0; i < kRosterSize; ++i) {
        const uint16_t q = roster[i];
        if (q == 0 || q == player || !IsPlayerNumber(q)) continue;
        if (!BelongTogether(player, q) || IsManagerOrHalvorn(q)) continue;
        if (Stat(q, kOutlookStat) != 100 - Stat(player, kOutlookStat)) continue;
        if (Stat(q, kLeadershipStat) <= Stat(player, kLeadershipStat)) continue;
        if (GameRandom() % 20 == 0) return q;
    }
    return 0;
}

void HomesicknessCheck(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    const uint16_t* roster = RosterOf(player);
    if (roster == nullptr) return;
    const uint16_t nation = NationOf(player);
    int compatriots = 0;
    for (int i = 0; i < kRosterSize; ++i) {
        const uint16_t q = roster[i];
        if (q == 0 || q == player || !IsPlayerNumber(q)) continue;
        if (GetPlayerClub(q) == club && NationOf(q) == nation) ++compatriots;
    }
    if (compatriots == 0) {
        ChangePlayerMorale(player, int16_t(-(GameRandom() % 3)));
        if (GameRandom() % 20 == 0) {
            AddMessage(int16_t(club), -1, player, 0xFFFFFFFFu, -1, -1, -1, -1, -1, -1, -1, kMsgHomesick,
                       kScope, 0);
        }
    } else if (compatriots >= 2 && GameRandom() % 20 == 0) {
        ChangePlayerMorale(player, int16_t(std::min(compatriots, 100)));
    }
}

void ClubSquadMoodJob(int16_t club) {
    if (!IsClubNumber(club)) return;
    const uint16_t nation = GetClubNation(club);
    if (nation >= kCountryCount || !IsPlayedLeagueNation(nation)) return;
    const bool human = GetClubControl(club) != 0;
    static MoodTable table;
    TakeMoodTable(club, table);
    for (int slot = 0; slot < kRosterSize; ++slot) {
        const uint16_t p = ClubRoster[club][slot];
        if (p == 0) break;
        if (!IsPlayerNumber(p) || IsManagerOrHalvorn(p)) continue;

        const int64_t weekWage = int64_t(GetPlayerWage(p)) * 25;
        if (GetPlayerClause8(p) != 0 && weekWage < SquadNeeds.TopWage) {
            SetPlayerWage(p, int16_t(std::min<int32_t>(SquadNeeds.TopWage / 25, 4000)));
            AddMessage(club, -1, p, 0xFFFFFFFFu, -1, -1, -1, -1, -1, -1, -1, kMsgTopEarner, kScope, 0);
        }
        if (GameRandom() % 80 == 0 && NationOf(p) != nation) HomesicknessCheck(p);

        // A player of this club searches this roster, which the table holds;
        // one here on loan searches his own club's.
        const bool own = GetPlayerClub(p) == uint16_t(club);
        const uint16_t rival = own ? RivalIn(table, table.slots[slot]) : FindRivalCampMate(p);
        if (GameRandom() % 40 == 0 && rival != 0 && human && GetPlayerCaptain(rival) != 0) {
            AddMessage(club, -1, p, rival, -1, -1, -1, PositionText(p), -1, Age(p), -1, kMsgCaptainRow,
                       kScope, 0);
            ChangePlayerMorale(rival, int16_t(-(GameRandom() % 10)));
        }
        if (rival != 0 && GameRandom() % 20 == 0) Quarrel(club, p, rival);

        const uint16_t friendly = own ? HappierIn(table, table.slots[slot]) : FindHappierCampMate(p);
        if (GameRandom() % 40 == 0 && friendly != 0) {
            CorePoll();
            int k;
            if (IsManagerOrHalvorn(friendly)) {
                k = 60 - GetPlayerMorale(p);
            } else if (GetPlayerCaptain(friendly) != 0) {
                k = GetPlayerMorale(friendly) - GetPlayerMorale(p);
            } else {
                k = GetPlayerMorale(p) / 10;
            }
            ChangePlayerMorale(p, int16_t(k));
        }
    }
}
