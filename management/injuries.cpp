#include "management/injuries.h"

#include "database/Access.h"
#include "database/ranges.h"
#include "management/coaching.h"
#include "season/messages.h"
#include "support/random.h"

void ChangePlayerStatRandom(uint16_t player, int16_t n) {
    if (n <= 0) return;
    int chance = GetPlayerStat(player, 25, 0) / 5 + 1;
    if (GameRandom() % chance != 0) return;
    SetPlayerField118(player, int16_t(GetPlayerField118(player) + GameRandom() % n));
}

namespace {

constexpr int16_t kIllnessMessage = 32;
constexpr int16_t kInjuryMessage = 31;
constexpr int16_t kInjuryFlaggedMessage = 149;
constexpr int16_t kAbsenceTextBase = 359;

// The message an absence of this type sends, or -1.
int16_t AbsenceMessage(int16_t type, int16_t flag) {
    if (type >= 2 && type <= 7) return kIllnessMessage;
    if (type >= 10 && type <= 37) return flag != 0 ? kInjuryFlaggedMessage : kInjuryMessage;
    return -1;
}

}  // namespace

void InjurePlayer(uint16_t player, int16_t duration, int16_t type, int16_t flag) {
    if (!IsPlayerNumber(player)) return;
    SetPlayerIP(player, duration);
    SetPlayerIT(player, type);
    SquadRec_UpdatePlayer(player, duration, type);
    const int16_t message = AbsenceMessage(type, flag);
    if (message < 0) return;
    const int32_t age = GetPlayerAge(player) + 16;
    const int32_t weeks = message == kIllnessMessage ? -1 : duration;
    AddMessage(int16_t(GetPlayerClub(player)), -1, player, 0xFFFFFFFF, -1, -1, -1,
               int16_t(kAbsenceTextBase + type), -1, age, weeks, message, 1, 0);
}

namespace {

constexpr uint32_t InjuryEntry(uint32_t base, uint32_t contagious, uint32_t odds) {
    return base | contagious << 8 | odds << 9;
}

}  // namespace

// Base lengths of every type; the contagion and odds of the types whose
// daily passes are built so far.
const uint32_t InjuryTable[kInjuryTypes] = {
    0,
    0,
    InjuryEntry(1, 1, 500),
    InjuryEntry(1, 1, 100),
    InjuryEntry(1, 0, 1000),
    InjuryEntry(25, 0, 10000),
    InjuryEntry(3, 0, 5000),
    InjuryEntry(2, 0, 5000),
    2,
    1,
    1,
    1,
    1,
    1,
    2,
    52,
    5,
    3,
    1,
    4,
    2,
    4,
    4,
    InjuryEntry(8, 0, 500),
    6,
    4,
    InjuryEntry(20, 0, 1000),
    1,
    1,
    1,
    7,
    InjuryEntry(8, 0, 500),
    2,
    36,
    2,
    4,
    2,
    12,
    0,
    0,
};

int16_t InjurySeverity(int type) {
    if (type < 0 || type >= kInjuryTypes) return 0;
    return int16_t(InjuryTable[type] & 0xFF);
}
