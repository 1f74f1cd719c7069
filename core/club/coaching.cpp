#include "core/club/coaching.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "core/base/random.h"
#include "core/club/staff.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/diarynotes.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/messagetypes.h"

namespace {

constexpr int kNoPreference = -1;
constexpr int kPreferences = 9;
// Main programs by position type, most wanted first.
constexpr int8_t kProgramPreferences[4][kPreferences] = {
    {2, 1, 4, 6, 7, 9, -1, -1, -1},
    {6, 3, 4, 1, 10, 7, 5, 9, 8},
    {1, 7, 4, 6, 8, 5, 10, 9, 3},
    {5, 1, 3, 7, 8, 9, 10, 4, 6},
};
constexpr int16_t kRehabTypes[] = {9, 10, 11, 13, 14, 15, 16, 17, 26, 30, 33, 37};
constexpr int kMainCodes = 11;
constexpr int kNeutralAttitude = 3;
constexpr int kMaxAttitude = 6;
constexpr int kProgramStartWeekday = 2;
constexpr int kHistoryCountBits = 12;
constexpr int kHistoryCompletedBit = 12;
constexpr int kHistoryAttitudeShift = 13;
constexpr int kRehabEntriesSearched = 5;

CoachingRecord& Rec(int16_t slot) { return CoachingRecords[slot]; }
bool IsSlot(int16_t slot) { return slot >= 0 && slot < kCoachingSlots; }
bool IsEntry(int16_t k) { return k == 0 || k == 1; }

// The slot's player when the slot exists and holds a player in use.
uint16_t ValidPlayerOf(int16_t slot) {
    if (!IsSlot(slot)) return 0;
    const uint16_t player = CoachGetU16(Rec(slot), kCoachPlayer);
    return IsPlayerNumber(player) ? player : 0;
}

int Attitude(int16_t slot) { return int(CoachGetBits(Rec(slot), kCoachAttitudeBits, 0, 3)); }
void SetAttitude(int16_t slot, int value) {
    CoachSetBits(Rec(slot), kCoachAttitudeBits, 0, 3, uint32_t(std::clamp(value, 0, kMaxAttitude)));
}

int Stat(uint16_t player, int stat) { return GetPlayerStat(player, int16_t(stat), 0); }
bool HasRoom(uint16_t player, int stat) { return GetPlayerStatRaw(player, int16_t(stat)) < 100; }

int ProgField(int16_t slot, int16_t k, int field) { return CoachGetU16(Rec(slot), ProgramOffset(k) + field); }
void SetProgField(int16_t slot, int16_t k, int field, int32_t value) {
    CoachSetU16(Rec(slot), ProgramOffset(k) + field, uint16_t(value));
}
int ProgCode(int16_t slot, int16_t k) { return CoachGetI8(Rec(slot), ProgramOffset(k) + kProgCode); }
int ProgQueued(int16_t slot, int16_t k) { return CoachGetI8(Rec(slot), ProgramOffset(k) + kProgQueued); }

void RaiseFlags(int16_t slot, int16_t k) {
    SquadRec_SetProgramFlagB(slot, k, int16_t(SquadRec_GetProgramFlagB(slot, k) | 2));
    SquadRec_SetProgramFlagA(slot, k, int16_t(SquadRec_GetProgramFlagA(slot, k) | 2));
}

// Offset of the history entry of a code for entry k; -1 when it has none.
int HistoryOffset(int16_t k, int code) {
    if (k == 0 && code >= 0 && code < kMainCodes) return kCoachMainHistory + 4 * code;
    if (k == 1 && code >= kFirstRehabHistoryCode && code < kFirstRehabHistoryCode + kRehabHistoryEntries) {
        return kCoachRehabHistory + 4 * (code - kFirstRehabHistoryCode);
    }
    return -1;
}
uint32_t HistoryCount(int16_t slot, int offset) {
    return CoachGetBits(Rec(slot), offset, 0, kHistoryCountBits);
}

// Which raw stats a main program can still improve; type is the player's
// position type.
bool ProgramHasRoom(uint16_t player, int code, int type) {
    const bool keeper = type == 0;
    switch (code) {
        case 1:
            return HasRoom(player, 8) || HasRoom(player, 10);
        case 2:
            return HasRoom(player, 0) || (keeper && (HasRoom(player, 1) || HasRoom(player, 6)));
        case 3:
            return HasRoom(player, 1);
        case 4:
            return HasRoom(player, 3);
        case 5:
            return HasRoom(player, 4);
        case 6:
            return HasRoom(player, 2);
        case 7:
            return HasRoom(player, 5) || (!keeper && HasRoom(player, 6));
        case 8:
            return HasRoom(player, 7);
        case 9:
            return HasRoom(player, 14);
        case 10:
            return GetPlayerSetting1(player) == 0 || GetPlayerSetting2(player) == 0 ||
                   GetPlayerSetting3(player) == 0;
        default:
            return false;
    }
}

void QueueDiaryBody(uint16_t player, int16_t messageType, int16_t variant) {
    TextMsg_SetArg(TEXTMSG_PLAYER, &player);
    AddDiaryNote(TextMsg_ExpandBody(messageType, variant), SeasonCalendar.currentDay, 0);
}

int FitnessCap(int16_t type, int r) {
    if (type == 15 || type == 26 || type == 33 || type == 37) return 75 - r % 10;
    if (type == 16 || type == 17 || type == 30) return 88 - r % 8;
    const bool middling = (type >= 9 && type <= 14) || (type >= 19 && type <= 25) ||
                          (type >= 27 && type <= 29) || type == 31 || type == 32 ||
                          (type >= 34 && type <= 36);
    if (middling) return 92 - r % 6;
    return 95 - r % 3;
}

}  // namespace

bool InjuryNeedsRehab(int16_t injuryType) {
    return std::find(std::begin(kRehabTypes), std::end(kRehabTypes), injuryType) != std::end(kRehabTypes);
}

void SquadRec_UpdatePlayer(uint16_t player, int16_t period, int16_t injuryType) {
    const int16_t slot = SquadRec_FindSlot(player);
    if (slot < 0) return;
    CoachingRecord& record = Rec(slot);
    CoachSetU16(record, kCoachRecoveryRate, uint16_t((4000 / std::max(1, 7 * int(period))) * 80 / 100));
    CoachSetU16(record, kCoachRecoveryProgress, 0);
    CoachSetBits(record, kCoachRecoveryBits, 0, 5, 6);
    CoachSetBits(record, kCoachRecoveryBits, 5, 5, 0);
    RaiseFlags(slot, 0);
    CoachSetBits(record, kCoachRecoveryState, 0, 8, 0);

    const int rehab = ProgCode(slot, 1);
    if ((injuryType >= 2 && injuryType <= 7) || injuryType == 18) {
        RaiseFlags(slot, 1);
    } else if ((injuryType >= 9 && injuryType <= 17) || (injuryType >= 21 && injuryType <= 37)) {
        if (rehab == 22 || rehab == 23) {
            RaiseFlags(slot, 1);
            if (period > 2) {
                QueueDiaryBody(player, rehab == 22 ? kMsgTrainingFormDipped : kMsgTrainingFinished, 6);
                CoachSetI8(record, ProgramOffset(1) + kProgQueued, 0);
                SquadRec_StartProgram(player, 1);
            }
        }
    }

    const int cap = FitnessCap(injuryType, GameRandom());
    if (cap < HVW_GetPlayerFitnessPct(player)) HVW_SetPlayerFitnessPercent(player, int16_t(cap));
}

void SquadRec_BasePoints(int16_t slot, int16_t k, int16_t base, int32_t* days, int32_t* points,
                         int32_t* perUnit) {
    *days = *points = *perUnit = 0;
    const uint16_t player = ValidPlayerOf(slot);
    if (player == 0) return;
    const int a = Attitude(slot);
    const int32_t penalty = a < 3 ? 13 * (3 - a) : 0;
    const int32_t s = Stat(player, kAbilityStat);
    *points = 100 * std::max<int32_t>(1, s - s * penalty / 100);
    *days = k == 1 ? base + (6 - a) / 2 : base - (a < 3 ? 1 : 0);
    *perUnit = *points / (6 * *days + 1);
}

void SquadRec_SetupProgram(int16_t slot, int16_t k, int16_t code, int32_t* first, int32_t* second,
                           int32_t* third) {
    *first = *second = *third = 0;
    const uint16_t player = ValidPlayerOf(slot);
    if (player == 0 || code == 0 || !IsEntry(k)) return;
    const int stored = Attitude(slot);
    int a = stored;

    const int offset = HistoryOffset(k, code);
    if (offset >= 0 && HistoryCount(slot, offset) > 0) {
        const int gap = int(CoachGetU16(Rec(slot), kCoachProgramCount)) - int(HistoryCount(slot, offset));
        CoachSetBits(Rec(slot), offset, kHistoryAttitudeShift, 3, uint32_t(stored));
        // The most recently closed program of the same history.
        const int base = k == 0 ? kCoachMainHistory : kCoachRehabHistory;
        const int entries = k == 0 ? kMainCodes : kRehabEntriesSearched;
        uint32_t latest = 0;
        bool lastCompleted = false;
        for (int i = 0; i < entries; ++i) {
            const uint32_t count = HistoryCount(slot, base + 4 * i);
            if (count > latest) {
                latest = count;
                lastCompleted = CoachGetBits(Rec(slot), base + 4 * i, kHistoryCompletedBit, 1) != 0;
            }
        }
        if (gap < 4) {
            a -= gap < 2 ? 2 : 1;
            if (stored < 3) a -= 1;
        } else if (lastCompleted) {
            a += 1;
            if (stored > 3) a += 1;
        }
    }
    const int32_t penalty = a < 3 ? 20 * (3 - a) : 0;

    if (k == 0) {
        int32_t days, points, perUnit;
        SquadRec_BasePoints(slot, 1, int16_t(code == 10 ? 16 : 4), &days, &points, &perUnit);
        *first = points;
        *second = perUnit;
        *third = days;
        return;
    }
    int32_t v = 1;
    int32_t u = 0;
    switch (code) {
        case 21:
            v = Stat(player, kResilienceStat) * (Stat(player, kAbilityStat) / 2 + 50) / 100;
            *third = 10;
            break;
        case 22:
        case 24:
            u = Stat(player, kProfessionalismStat) / 2 + 50;
            u -= u * penalty / 100;
            v = 6 * u / 100;
            *third = code == 22 ? 8 : 1;
            break;
        case 23:
            u = int32_t(GetPlayerExperience(player)) * 100 / 126 + 50;
            u -= u * penalty / 100;
            v = 6 * u / 100;
            *third = 6;
            break;
        case 25:
            u = Stat(player, kOutlookStat) * 100 / 200 + 50;
            v = 6 * u / 100;
            *third = 4;
            break;
        default:
            break;
    }
    *first = std::max<int32_t>(v, 1);
}

void SquadRec_CloseProgram(int16_t slot, int16_t k) {
    if (ValidPlayerOf(slot) == 0 || !IsEntry(k)) return;
    const int code = ProgCode(slot, k);
    const bool hasHistory = (k == 1 && code >= 21 && code <= 25) || (k == 0 && code >= 0 && code <= 10);
    if (!hasHistory) return;
    const int offset = HistoryOffset(k, code);
    CoachingRecord& record = Rec(slot);
    // Completed when the points gained reach what the program's set-up asks
    // of the player today.
    int32_t first, second, third;
    SquadRec_SetupProgram(slot, k, int16_t(code), &first, &second, &third);
    const bool completed = ProgField(slot, k, kProgGained) >= first;
    CoachSetBits(record, offset, 0, kHistoryCountBits, CoachGetU16(record, kCoachProgramCount));
    CoachSetBits(record, offset, kHistoryAttitudeShift, 3, uint32_t(Attitude(slot)));
    CoachSetBits(record, offset, kHistoryCompletedBit, 1, completed ? 1 : 0);
    if (!completed) SetAttitude(slot, Attitude(slot) - 1);
}

void SquadRec_StartProgram(uint16_t player, int16_t k) {
    const int16_t slot = SquadRec_FindSlot(player);
    if (slot < 0 || !IsEntry(k)) return;
    int day = SeasonCalendar.currentDay;
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(int16_t(day), SeasonCalendar.season, &weekday, &dayOfMonth, &month, &year);

    if (GetPlayerIP(player) == 0) SquadRec_CloseProgram(slot, k);
    const int code = ProgQueued(slot, k);
    CoachingRecord& record = Rec(slot);
    if (k == 1) {
        SquadRec_RehabReaction(slot, int16_t(code));
    } else if (code == 0) {
        CoachSetU16(record, kCoachCoachId, 0);
        CoachSetI8(record, kCoachSuggested, int8_t(SquadRec_ChooseProgram(player)));
    } else {
        CoachSetI8(record, kCoachSuggested, int8_t(code));
    }

    CoachSetI8(record, ProgramOffset(k) + kProgCode, int8_t(code));
    SetProgField(slot, k, kProgUnits, 0);
    SetProgField(slot, k, kProgCounter6, 0);
    SetProgField(slot, k, kProgCounter8, 0);
    int32_t first, second, third;
    SquadRec_SetupProgram(slot, k, int16_t(code), &first, &second, &third);
    SetProgField(slot, k, kProgTarget, first);
    SetProgField(slot, k, kProgPerUnit, second);
    SetProgField(slot, k, kProgPlanned, third);
    SetProgField(slot, k, kProgGained, 0);
    SetProgField(slot, k, kProgCounter16, 0);
    CoachSetU16(record, kCoachProgramCount, uint16_t(CoachGetU16(record, kCoachProgramCount) + 1));

    if (code == 0 && k == 0 && (SquadRec_GetProgramFlagA(slot, 0) & 1) != 0) {
        SquadRec_SetProgramFlagA(slot, 0, int16_t(SquadRec_GetProgramFlagA(slot, 0) & ~1));
    }
    // Programs start on the first weekday 2 from today on.
    int w = weekday % 7;
    while (w != kProgramStartWeekday) {
        ++day;
        w = (w + 1) % 7;
    }
    CoachSetBits(record, ProgramOffset(k) + kProgBits, 0, 10, uint32_t(day));
}

int16_t SquadRec_ChooseProgram(uint16_t player) {
    const int16_t slot = SquadRec_FindSlot(player);
    if (slot < 0) return -1;
    struct Candidate {
        int code;
        int32_t lastUse;
        int32_t score;
    };
    std::array<Candidate, kMainCodes> candidates;
    const int current = ProgCode(slot, 0);
    for (int code = 0; code < kMainCodes; ++code) {
        const uint32_t count = HistoryCount(slot, kCoachMainHistory + 4 * code);
        int32_t lastUse = -1;
        if (count > 0) {
            lastUse = int32_t(count);
        } else if (code == current) {
            lastUse = CoachGetU16(Rec(slot), kCoachProgramCount);
        }
        candidates[code] = {code, lastUse, 0};
    }
    // Least recently used first, over the first nine.
    for (int i = 0; i < 8; ++i) {
        for (int j = i + 1; j <= 8; ++j) {
            if (candidates[j].lastUse < candidates[i].lastUse) std::swap(candidates[i], candidates[j]);
        }
    }
    // A player-manager is coached for the position he plays.
    const int type = HVW_GetPositionType(player);
    if (type >= 0 && type < 4) {
        for (int i = 0; i < kPreferences; ++i) {
            const int wanted = kProgramPreferences[type][i];
            if (wanted == kNoPreference) break;
            int m = 10;
            for (Candidate& candidate : candidates) {
                if (candidate.code == wanted) {
                    candidate.score = (10 - i) * m;
                    break;
                }
                if (candidate.lastUse > -1) --m;
            }
        }
    }
    for (int i = 0; i < kMainCodes; ++i) {
        for (int j = i + 1; j < kMainCodes; ++j) {
            if (candidates[j].score > candidates[i].score) std::swap(candidates[i], candidates[j]);
        }
    }
    for (const Candidate& candidate : candidates) {
        if (ProgramHasRoom(player, candidate.code, type)) return int16_t(candidate.code);
    }
    return -1;
}

int16_t SquadRec_RehabReaction(int16_t slot, int16_t code) {
    const uint16_t player = ValidPlayerOf(slot);
    if (player == 0) return 1;
    const int16_t queued = SquadRec_CountQueuedCode(code);
    int a = Attitude(slot);
    const int s17 = Stat(player, kLoyaltyStat), s24 = Stat(player, kProfessionalismStat),
              s25 = Stat(player, kAmbitionStat), s16 = Stat(player, kGreedStat);
    const int r1 = GameRandom() % 100 + 1;
    const int r2 = GameRandom() % 100 + 1;
    const int r3 = GameRandom() % 100 + 1;
    const int r4 = GameRandom() % 100 + 1;
    const bool unwilling = r1 >= s17 && r2 >= s24 && r3 >= s25 && r4 < s16;
    int16_t result = 1;
    if (code == 22 && queued == 1) {
        if (GameRandom() % 101 < s17) {
            a -= 1;
        } else {
            a -= GameRandom() % 101 < s24 ? 1 : 2;
        }
    } else if (code == 23 && unwilling) {
        a -= 1;
        QueueDiaryBody(player, kMsgStrongerFromGym, 0);
    } else if (code == 24) {
        if (unwilling) {
            a -= 1;
            CoachSetBits(Rec(slot), kCoachAttitudeBits, 5, 1, 0);
            result = 0;
        } else {
            CoachSetBits(Rec(slot), kCoachAttitudeBits, 5, 1, 1);
        }
    }
    SetAttitude(slot, a);
    return result;
}

void SquadRec_InitSlot(int16_t slot, uint16_t player) {
    if (!IsSlot(slot)) return;
    CoachingRecord& record = Rec(slot);
    // A number not in use frees the slot rather than leaving it to a
    // player who does not exist.
    const bool valid = IsPlayerNumber(player);
    CoachSetU16(record, kCoachPlayer, valid ? player : 0);
    CoachSetU16(record, kCoachProgramCount, 0);
    CoachSetBits(record, kCoachAttitudeBits, 0, 3, kNeutralAttitude);

    int32_t days, points, perUnit;
    SquadRec_BasePoints(slot, 0, 3, &days, &points, &perUnit);
    CoachSetU16(record, kCoachBasePoints, uint16_t(perUnit));
    CoachSetI8(record, kCoachReservedCount, 0);
    CoachSetBits(record, kCoachAttitudeBits, 6, 6, 0);

    if (valid) {
        CoachSetI8(record, kCoachSuggested, int8_t(SquadRec_ChooseProgram(player)));
        const int16_t injury = int16_t(GetPlayerIT(player));
        const int16_t flags = injury == 0 ? 0 : 2;
        for (int16_t k = 0; k < 2; ++k) {
            SquadRec_SetProgramFlagA(slot, k, flags);
            SquadRec_SetProgramFlagB(slot, k, flags);
        }
        if (injury != 0 && !InjuryNeedsRehab(injury)) SquadRec_SetProgramFlagA(slot, 1, 0);
    } else {
        CoachSetI8(record, kCoachSuggested, -1);
        for (int16_t k = 0; k < 2; ++k) {
            SquadRec_SetProgramFlagA(slot, k, 2);
            SquadRec_SetProgramFlagB(slot, k, 2);
        }
    }
    for (int i = 0; i < 7; ++i) {
        CoachSetU16(record, kCoachDayTarget + 2 * i, uint16_t(points));
        CoachSetU16(record, kCoachDayProgress + 2 * i, 0);
    }
    for (int16_t k = 0; k < 2; ++k) {
        CoachSetI8(record, ProgramOffset(k) + kProgCode, 0);
        CoachSetI8(record, ProgramOffset(k) + kProgQueued, 0);
        for (int field = kProgPlanned; field <= kProgCounter16; field += 2) SetProgField(slot, k, field, 0);
        CoachSetBits(record, ProgramOffset(k) + kProgBits, 0, 10, 0);
    }
    for (int i = 0; i < kMainHistoryEntries + kRehabHistoryEntries; ++i) {
        const int offset = kCoachMainHistory + 4 * i;
        CoachSetBits(record, offset, 0, 16, uint32_t(kNeutralAttitude) << kHistoryAttitudeShift);
    }
    std::memset(record.bytes + kCoachReserved, 0, kCoachReservedSize);
}

void Player_ReleaseCoachingSlot(uint16_t player) {
    const int16_t slot = SquadRec_FindSlot(player);
    if (slot >= 0) SquadRec_InitSlot(slot, 0);
}

int16_t SquadRec_ProgramState(uint16_t player, int16_t code) {
    const int16_t slot = SquadRec_FindSlot(player);
    if (slot < 0) return -1;
    if (Player_GetAssignedStaff(player) == nullptr && code != 0) return 1;
    if (SquadRec_GetProgramFlagA(slot, 0) != 0 || code == 0) return 0;
    if (code != ProgCode(slot, 0)) {
        int32_t first, second, third;
        SquadRec_SetupProgram(slot, 0, code, &first, &second, &third);
        return 9;
    }
    const int32_t gained = ProgField(slot, 0, kProgGained);
    const int32_t target = ProgField(slot, 0, kProgTarget);
    const int32_t units = ProgField(slot, 0, kProgUnits);
    if (gained >= target && gained > 0) return 2;
    if (gained == 0 && units == 0) return 9;
    if (ProgField(slot, 0, kProgCounter8) < 3) return 8;
    const int32_t product = units * ProgField(slot, 0, kProgPerUnit);
    const int32_t p = product > 0 ? gained * 100 / product : 1;
    if (p < 5) return 3;
    if (p < 30) return 4;
    if (p < 60) return 5;
    if (p < 100) return 6;
    return 7;
}
