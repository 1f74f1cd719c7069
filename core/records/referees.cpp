#include "core/records/referees.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/nations.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"

using namespace recbits;

RefereeRecord RefereeRecords[kRefereeSlots + 1];
const char kMadeUpRefereeInitials[] = "ABCDEFGHIJKLMNOPRSTVW";

namespace {

constexpr int kInitial = 0;
constexpr int kSurname = 1;
constexpr int kSurnameSize = 16;
constexpr int kNation = 17;
constexpr int kFlags = 19;
constexpr int kRating = 23;
constexpr int kRating2 = 24;
constexpr int kSideCount1 = 25;
constexpr int kSideCount2 = 27;
constexpr int kByte29 = 29;

struct DeliveredReferee {
    int16_t nation;
    char initial;
    const char* surname;
    uint32_t flags;
};

constexpr DeliveredReferee kDelivered[] = {
#define REFEREE(nation, initial, surname, flags) {nation, initial, surname, flags},
#include "data/referees.inc"
#undef REFEREE
};

constexpr bool DeliveredTableFits() {
    for (const DeliveredReferee& r : kDelivered) {
        if (r.nation < 0 || r.nation >= kNationTextCount) return false;
        if (r.initial < 'A' || r.initial > 'Z') return false;
        if (std::char_traits<char>::length(r.surname) >= kSurnameSize) return false;
        if ((r.flags & ~(kRefereeNoUser | kRefereeGrade2 | kRefereeGrade1)) != 0) return false;
    }
    return true;
}
static_assert(std::size(kDelivered) < kRefereeSlots, "the table needs its end mark");
static_assert(DeliveredTableFits(), "a delivered referee does not fit his record");

// The program starts with the delivered referees.
struct DeliveredRefereeLoader {
    DeliveredRefereeLoader() { RestoreDeliveredReferees(); }
};
const DeliveredRefereeLoader g_loader;

// Neutral nations for a made-up referee.
constexpr int16_t kNeutralNations[56] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                         14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                                         28, 29, 31, 40, 57, 60, 64, 42, 41, 72, 79, 39, 48, 53,
                                         56, 58, 81, 95, 88, 74, 47, 55, 59, 36, 38, 68, 46, 102};
constexpr int kNeutralDrawLimit = 1000;

char g_name[kSurnameSize + 3];

// Record 400, the referee made up for a single fixture, is read and written
// like the others: the match report names him too.
uint8_t* Record(int16_t referee) {
    if (referee < 0 || referee > kRefereeSlots) return nullptr;
    uint8_t* r = RefereeRecords[referee].bytes;
    return int16_t(LoadU16(r + kNation)) < 0 ? nullptr : r;
}

uint32_t Flags(const uint8_t* r) { return LoadU32(r + kFlags); }

int16_t FlagBit(int16_t referee, uint32_t bit) {
    const uint8_t* r = Record(referee);
    return r != nullptr && (Flags(r) & bit) != 0 ? 1 : 0;
}

int16_t NationOfClub(uint16_t club) {
    return IsClubNumber(club) ? int16_t(GetClubNation(int16_t(club))) : int16_t(-1);
}

// Region for choosing neutral referees: Oceania goes with Asia.
int16_t RefereeRegion(int16_t nation) {
    const int16_t region = NationRegion(nation);
    return region == 6 ? int16_t(5) : region;
}

// Both nations' region when they share one, else 0 (any region will do).
int16_t SharedRegion(int16_t a, int16_t b) {
    const int16_t ra = RefereeRegion(a);
    return ra != 0 && ra == RefereeRegion(b) ? ra : int16_t(0);
}

bool IsNeutral(int16_t nation, int16_t a, int16_t b, int16_t region) {
    if (nation == a || nation == b) return false;
    return region == 0 || RefereeRegion(nation) == region;
}

// The region a made-up referee's nation is drawn from: the clubs' region
// when both lie in one (two nations of Oceania draw from Asia), else 0,
// any region.
int16_t MadeUpRefereeRegion(int16_t a, int16_t b) {
    const int16_t ra = NationRegion(a);
    const int16_t rb = NationRegion(b);
    if (ra == 6 && rb == 6) return 5;
    return ra == rb ? ra : int16_t(0);
}

int16_t DrawNeutralNation(int16_t a, int16_t b) {
    const int16_t region = MadeUpRefereeRegion(a, b);
    int16_t fits[std::size(kNeutralNations)];
    int n = 0;
    for (int16_t nation : kNeutralNations) {
        if (nation != a && nation != b && (region == 0 || NationRegion(nation) == region)) fits[n++] = nation;
    }
    if (n > 0) return fits[GameRandom() % n];
    // The list has more nations than two clubs can rule out, so the draw
    // ends; the walk after it is a bound, not a rule.
    for (int draw = 0; draw < kNeutralDrawLimit; ++draw) {
        const int16_t nation = kNeutralNations[GameRandom() % std::size(kNeutralNations)];
        if (nation != a && nation != b) return nation;
    }
    for (int16_t nation : kNeutralNations) {
        if (nation != a && nation != b) return nation;
    }
    return kNeutralNations[0];
}

// A random player of the nation from player 3 up; any player 2 .. count-2
// when the nation has none.  0 when there are no such players at all.
uint16_t DrawNamesake(int16_t nation) {
    int32_t of_nation = 0;
    for (uint16_t p = 3; IsValidPlayer(p); ++p) {
        if (GetPlayerNationality(p) == uint16_t(nation)) ++of_nation;
    }
    if (of_nation > 0) {
        int32_t wanted = GameRandom() % of_nation;
        for (uint16_t p = 3; IsValidPlayer(p); ++p) {
            if (GetPlayerNationality(p) == uint16_t(nation) && wanted-- == 0) return p;
        }
    }
    if (PlayerCount <= 3) return 0;
    return uint16_t(2 + GameRandom() % (PlayerCount - 3));
}

void MakeUpReferee(int16_t homeNation, int16_t awayNation) {
    const int16_t nation = homeNation == awayNation ? homeNation : DrawNeutralNation(homeNation, awayNation);
    const uint16_t namesake = DrawNamesake(nation);
    uint8_t* r = RefereeRecords[kMadeUpReferee].bytes;
    std::memset(r + kSurname, 0, kSurnameSize);
    if (namesake != 0) std::memcpy(r + kSurname, GetPlayerSurname(namesake), kSurnameSize - 1);
    r[kInitial] = uint8_t(kMadeUpRefereeInitials[GameRandom() % (sizeof kMadeUpRefereeInitials - 1)]);
    StoreU16(r + kNation, uint16_t(nation));
    const uint32_t referee_class = uint32_t(GameRandom() % 3);
    uint32_t flags = Flags(r) & ~(kRefereeNoUser | (3u << kRefereeClassShift));
    StoreU32(r + kFlags, flags | referee_class << kRefereeClassShift);
    r[kRating] = uint8_t(50 + GameRandom() % 51);
    r[kRating2] = uint8_t(1 + GameRandom() % 100);
    StoreU16(r + kSideCount1, 0);
    StoreU16(r + kSideCount2, 0);
    r[kByte29] = 0;
}

}  // namespace

void RestoreDeliveredReferees() {
    std::memset(RefereeRecords, 0, sizeof RefereeRecords);
    for (int i = 0; i <= kRefereeSlots; ++i) StoreU16(RefereeRecords[i].bytes + kNation, 0xFFFF);
    for (size_t i = 0; i < std::size(kDelivered); ++i) {
        uint8_t* r = RefereeRecords[i].bytes;
        r[kInitial] = uint8_t(kDelivered[i].initial);
        std::memcpy(r + kSurname, kDelivered[i].surname, std::strlen(kDelivered[i].surname));
        StoreU16(r + kNation, uint16_t(kDelivered[i].nation));
        StoreU32(r + kFlags, kDelivered[i].flags);
    }
}

int DeliveredRefereeCount() { return int(std::size(kDelivered)); }

int16_t HVW_GetRefereeNation(int16_t referee) {
    const uint8_t* r = Record(referee);
    return r == nullptr ? int16_t(-1) : int16_t(LoadU16(r + kNation));
}

const char* HVW_GetRefereeName(int16_t referee) {
    g_name[0] = '\0';
    const uint8_t* r = Record(referee);
    if (r == nullptr) return g_name;
    std::snprintf(g_name, sizeof g_name, "%c.%.*s", char(r[kInitial]), kSurnameSize - 1,
                  reinterpret_cast<const char*>(r + kSurname));
    return g_name;
}

int16_t HVW_GetRefereeRating(int16_t referee) {
    const uint8_t* r = Record(referee);
    return r == nullptr ? int16_t(0) : int16_t(int8_t(r[kRating]));
}

void HVW_SetRefereeRating(int16_t referee, int16_t value) {
    uint8_t* r = Record(referee);
    if (r != nullptr && value >= 0 && value <= 100) r[kRating] = uint8_t(value);
}

int16_t HVW_GetRefereeRating2(int16_t referee) {
    const uint8_t* r = Record(referee);
    return r == nullptr ? int16_t(0) : int16_t(int8_t(r[kRating2]));
}

void HVW_SetRefereeRating2(int16_t referee, int16_t value) {
    uint8_t* r = Record(referee);
    if (r != nullptr && value >= 0 && value <= 100) r[kRating2] = uint8_t(value);
}

int16_t HVW_GetRefereeClass(int16_t referee) {
    const uint8_t* r = Record(referee);
    return r == nullptr ? int16_t(0) : int16_t((Flags(r) >> kRefereeClassShift) & 3);
}

void HVW_SetRefereeClass(int16_t referee, int16_t value) {
    uint8_t* r = Record(referee);
    if (r == nullptr || value < 0 || value > 2) return;
    const uint32_t flags = Flags(r) & ~(3u << kRefereeClassShift);
    StoreU32(r + kFlags, flags | uint32_t(value) << kRefereeClassShift);
}

int16_t HVW_GetRefereeGrade1Flag(int16_t referee) { return FlagBit(referee, kRefereeGrade1); }
int16_t HVW_GetRefereeGrade2Flag(int16_t referee) { return FlagBit(referee, kRefereeGrade2); }
int16_t HVW_GetRefereeNoUserFlag(int16_t referee) { return FlagBit(referee, kRefereeNoUser); }
int16_t HVW_GetRefereeUnavailableFlag(int16_t referee) { return FlagBit(referee, kRefereeUnavailable); }

void HVW_SetRefereeUnavailableFlag(int16_t referee, int16_t value) {
    uint8_t* r = Record(referee);
    if (r == nullptr) return;
    const uint32_t flags = Flags(r) & ~kRefereeUnavailable;
    StoreU32(r + kFlags, (value & 1) != 0 ? flags | kRefereeUnavailable : flags);
}

int16_t HVW_GetRefereeSideCount(int16_t referee, int16_t side) {
    const uint8_t* r = Record(referee);
    if (r == nullptr) return 0;
    return int16_t(LoadU16(r + (side == 1 ? kSideCount1 : kSideCount2)));
}

void HVW_SetRefereeSideCount(int16_t referee, int16_t side, int16_t value) {
    uint8_t* r = Record(referee);
    if (r != nullptr) StoreU16(r + (side == 1 ? kSideCount1 : kSideCount2), uint16_t(value));
}

int16_t HVW_GetRefereeByte29(int16_t referee) {
    const uint8_t* r = Record(referee);
    return r == nullptr ? int16_t(0) : int16_t(int8_t(r[kByte29]));
}

void HVW_SetRefereeByte29(int16_t referee, int16_t value) {
    uint8_t* r = Record(referee);
    if (r != nullptr) r[kByte29] = uint8_t(value);
}

// The first grade is drawn from 70-100, the second from 60-100, the rest
// from 50-100.  A graded referee keeps his class unless a chance redraws
// it.
void HVW_SetUpReferees() {
    for (int16_t referee = 0; referee < kRefereeSlots; ++referee) {
        uint8_t* r = Record(referee);
        if (r == nullptr) break;
        const uint32_t flags = Flags(r);
        if ((flags & kRefereeGrade1) != 0) {
            r[kRating] = uint8_t(70 + GameRandom() % 31);
            if (GameRandom() % 10 < 2) HVW_SetRefereeClass(referee, int16_t(GameRandom() % 3));
        } else if ((flags & kRefereeGrade2) != 0) {
            r[kRating] = uint8_t(60 + GameRandom() % 41);
            if (GameRandom() % 10 < 3) HVW_SetRefereeClass(referee, int16_t(GameRandom() % 3));
        } else {
            r[kRating] = uint8_t(50 + GameRandom() % 51);
            HVW_SetRefereeClass(referee, int16_t(GameRandom() % 3));
        }
        r[kRating2] = uint8_t(1 + GameRandom() % 100);
        StoreU16(r + kSideCount1, 0);
        StoreU16(r + kSideCount2, 0);
        r[kByte29] = 0;
    }
}

// A domestic fixture gets a referee of its nation; one between nations a
// referee of neither, of their region when they share one.
int16_t HVW_AppointReferee(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots) FatalError("HVW_AppointReferee(): bad fixture slot %d", slot);
    const uint16_t home = GetMatchClubA(slot);
    const uint16_t away = GetMatchClubB(slot);
    const int16_t home_nation = NationOfClub(home);
    const int16_t away_nation = NationOfClub(away);
    const int16_t user = GetUserClub();
    const bool user_match = user >= 0 && (home == uint16_t(user) || away == uint16_t(user));
    const int16_t region = SharedRegion(home_nation, away_nation);

    int16_t candidates[kRefereeSlots];
    int n = 0;
    for (int16_t referee = 0; referee < kRefereeSlots; ++referee) {
        const uint8_t* r = Record(referee);
        if (r == nullptr) break;
        const uint32_t flags = Flags(r);
        if ((flags & kRefereeUnavailable) != 0) continue;
        if ((flags & kRefereeNoUser) != 0 && user_match) continue;
        const int16_t nation = int16_t(LoadU16(r + kNation));
        const bool fits = home_nation == away_nation ? nation == home_nation
                                                     : IsNeutral(nation, home_nation, away_nation, region);
        if (fits) candidates[n++] = referee;
    }
    if (n > 0) return candidates[GameRandom() % n];
    MakeUpReferee(home_nation, away_nation);
    return kMadeUpReferee;
}

int16_t CurrentReferee = -1;

int16_t ChooseRefereeForNationalMatch() {
    int16_t candidates[kRefereeSlots];
    int n = 0;
    for (int16_t referee = 0; referee < kRefereeSlots; ++referee) {
        const uint8_t* r = Record(referee);
        if (r == nullptr) break;
        if ((Flags(r) & kRefereeUnavailable) == 0) candidates[n++] = referee;
    }
    return n > 0 ? candidates[GameRandom() % n] : int16_t(0);
}
