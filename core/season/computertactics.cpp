#include "core/season/computertactics.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/match/matchsetup.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"

using namespace gameinfo;

const GridPoint ComputerFormationShapes[kComputerFormations][2][10] = {
    {{{11, 4}, {3, 4}, {5, 8}, {6, 4}, {8, 4}, {2, 9}, {9, 8}, {6, 12}, {8, 13}, {12, 9}},
     {{11, 4}, {3, 4}, {7, 6}, {6, 4}, {8, 4}, {4, 8}, {7, 9}, {9, 12}, {5, 13}, {10, 8}}},
    {{{5, 4}, {9, 4}, {7, 4}, {2, 6}, {12, 6}, {5, 8}, {7, 8}, {6, 13}, {8, 12}, {9, 8}},
     {{5, 4}, {9, 4}, {7, 5}, {3, 5}, {11, 5}, {5, 8}, {7, 9}, {4, 13}, {10, 13}, {9, 8}}},
    {{{11, 8}, {3, 8}, {7, 4}, {4, 4}, {10, 4}, {5, 8}, {7, 7}, {6, 13}, {8, 13}, {9, 8}},
     {{12, 8}, {2, 8}, {7, 4}, {4, 5}, {10, 5}, {5, 8}, {7, 8}, {6, 12}, {8, 13}, {9, 8}}},
    {{{11, 4}, {3, 4}, {5, 8}, {6, 4}, {8, 4}, {4, 13}, {9, 8}, {7, 7}, {7, 11}, {10, 13}},
     {{11, 5}, {3, 5}, {5, 8}, {6, 4}, {8, 4}, {4, 13}, {9, 8}, {7, 9}, {7, 13}, {10, 13}}},
    {{{12, 6}, {2, 6}, {7, 6}, {5, 4}, {9, 4}, {4, 13}, {8, 8}, {6, 8}, {7, 11}, {10, 13}},
     {{12, 5}, {2, 5}, {7, 4}, {5, 4}, {9, 4}, {4, 11}, {8, 8}, {6, 8}, {7, 13}, {10, 11}}},
    {{{11, 4}, {3, 4}, {5, 9}, {6, 4}, {8, 4}, {2, 8}, {9, 9}, {7, 7}, {7, 13}, {12, 8}},
     {{11, 5}, {3, 5}, {5, 8}, {6, 4}, {8, 4}, {3, 9}, {9, 8}, {7, 8}, {7, 13}, {11, 9}}},
};

// ---------------------------------------------------------------------------
// Side codes and tallies

namespace {

constexpr int kHomeCodeShift = 28;
constexpr int kAwayCodeShift = 5;
constexpr uint32_t kCodeMask = 7;
constexpr int kHomeCodeWord = kFixtureCrowdWord;
constexpr int kAwayCodeWord = kFixtureAwaySideWord;
constexpr int16_t kFirstUncountedType = kCompFriendly;

bool IsSlot(int16_t slot) { return slot >= 0 && slot < kFixtureSlots; }

int HomeGoals(int slot) { return int(FixtureScore(slot) & kFixtureGoalsMask); }
int AwayGoals(int slot) { return int((FixtureScore(slot) >> 5) & kFixtureGoalsMask); }

void Count(FormationTally& tally, int formation, int goalsFor, int goalsAgainst) {
    if (formation < 0 || formation >= kComputerFormations) return;
    ++tally.matches[formation];
    if (goalsFor > goalsAgainst) {
        tally.points[formation] = int16_t(tally.points[formation] + 3);
    } else if (goalsFor == goalsAgainst) {
        ++tally.points[formation];
    }
}

// Calls visit(slot) for each played fixture before today that a tally may
// count; the table is sorted by day, so the walk ends at today.
template <typename Visit>
void ForEachCountedFixture(Visit visit) {
    const int today = SeasonCalendar.currentDay;
    for (int16_t slot = 0; slot < kFixtureSlots; ++slot) {
        if (FixtureDay(slot) >= today) break;
        if (FixtureType(slot) >= kFirstUncountedType || !IsFixturePlayed(slot)) continue;
        visit(slot);
    }
}

// points x 10 / matches for a formation that was tried, else -1.
int Average(const FormationTally& tally, int formation) {
    return tally.matches[formation] > 0 ? tally.points[formation] * 10 / tally.matches[formation] : -1;
}

}  // namespace

int16_t FixtureSideCode(int16_t slot, int16_t side) {
    if (!IsSlot(slot)) return 0;
    if (side == 0)
        return int16_t((recbits::LoadU32(FixtureTable[slot].bytes + kHomeCodeWord) >> kHomeCodeShift) &
                       kCodeMask);
    return int16_t((recbits::LoadU32(FixtureTable[slot].bytes + kAwayCodeWord) >> kAwayCodeShift) &
                   kCodeMask);
}

void SetFixtureSideCode(int16_t slot, int16_t side, int16_t code) {
    if (!IsSlot(slot)) return;
    const int at = side == 0 ? kHomeCodeWord : kAwayCodeWord;
    const int shift = side == 0 ? kHomeCodeShift : kAwayCodeShift;
    uint8_t* word = FixtureTable[slot].bytes + at;
    const uint32_t value = recbits::LoadU32(word);
    recbits::StoreU32(word, (value & ~(kCodeMask << shift)) | ((uint32_t(code) & kCodeMask) << shift));
}

namespace {

void CountOwnResult(FormationTally& tally, int16_t slot, int16_t club) {
    const int16_t home = FixtureSideCode(slot, 0);
    const int16_t away = FixtureSideCode(slot, 1);
    if (home == 0 || away == 0) return;
    if (FixtureHome(slot) == club) {
        Count(tally, home - 1, HomeGoals(slot), AwayGoals(slot));
    } else if (FixtureAway(slot) == club) {
        Count(tally, away - 1, AwayGoals(slot), HomeGoals(slot));
    }
}

void CountResultAgainst(FormationTally& tally, int16_t slot, int16_t opponent) {
    if (FixtureHome(slot) == opponent) {
        const int16_t code = FixtureSideCode(slot, 1);
        if (code != 0) Count(tally, code - 1, HomeGoals(slot), AwayGoals(slot));
    } else if (FixtureAway(slot) == opponent) {
        const int16_t code = FixtureSideCode(slot, 0);
        if (code != 0) Count(tally, code - 1, AwayGoals(slot), HomeGoals(slot));
    }
}

}  // namespace

FormationTally TallyOwnResults(int16_t club) {
    FormationTally tally{};
    ForEachCountedFixture([&](int16_t slot) { CountOwnResult(tally, slot, club); });
    return tally;
}

FormationTally TallyResultsAgainst(int16_t opponent) {
    FormationTally tally{};
    ForEachCountedFixture([&](int16_t slot) { CountResultAgainst(tally, slot, opponent); });
    return tally;
}

namespace {

// Every club's own and against tallies of the day's first use.
struct DayTallies {
    int keepers = 0;
    bool built = false;
    int16_t season = 0, day = 0;
    std::vector<FormationTally> own, against;
};
DayTallies g_dayTallies;

void TallyEveryClub() {
    DayTallies& kept = g_dayTallies;
    kept.own.assign(kClubCount, FormationTally{});
    kept.against.assign(kClubCount, FormationTally{});
    ForEachCountedFixture([&](int16_t slot) {
        const int16_t sides[2] = {FixtureHome(slot), FixtureAway(slot)};
        for (int side = 0; side < 2; ++side) {
            const int16_t club = sides[side];
            if (!IsClubNumber(club) || (side == 1 && club == sides[0])) continue;
            CountOwnResult(kept.own[club], slot, club);
            CountResultAgainst(kept.against[club], slot, club);
        }
    });
    kept.season = SeasonCalendar.season;
    kept.day = SeasonCalendar.currentDay;
    kept.built = true;
}

}  // namespace

void TallyKeepDayResults(bool keep) {
    DayTallies& kept = g_dayTallies;
    kept.keepers = keep ? kept.keepers + 1 : std::max(0, kept.keepers - 1);
    if (kept.keepers == 0) kept.built = false;
}

MatchFormationTallies TallyMatchClubs(const int16_t clubs[2]) {
    MatchFormationTallies tallies{};
    DayTallies& kept = g_dayTallies;
    if (kept.keepers > 0 && IsClubNumber(clubs[0]) && IsClubNumber(clubs[1])) {
        if (!kept.built || kept.season != SeasonCalendar.season || kept.day != SeasonCalendar.currentDay)
            TallyEveryClub();
        for (int side = 0; side < 2; ++side) {
            tallies.own[side] = kept.own[clubs[side]];
            tallies.against[side] = kept.against[clubs[side]];
        }
        return tallies;
    }
    ForEachCountedFixture([&](int16_t slot) {
        // Most fixtures are neither club's.
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        for (int side = 0; side < 2; ++side) {
            if (home != clubs[side] && away != clubs[side]) continue;
            CountOwnResult(tallies.own[side], slot, clubs[side]);
            CountResultAgainst(tallies.against[side], slot, clubs[side]);
        }
    });
    return tallies;
}

// ---------------------------------------------------------------------------
// The formation

namespace {

// 1 when the manager's formation, given his side's own results, is changed
// to an untried one, else 0.
int16_t LearnFormationFromResults(uint16_t manager, const FormationTally& tally) {
    int untried = 0;
    int best = -1;
    int bestAverage = -1;
    for (int formation = 0; formation < kComputerFormations; ++formation) {
        const int average = Average(tally, formation);
        if (average < 0) {
            ++untried;
        } else if (average > bestAverage) {
            bestAverage = average;
            best = formation;
        }
    }
    if (best < 0 || bestAverage >= 12 || tally.matches[best] < 8 || untried == 0) return 0;
    int drawn;
    do {
        drawn = GameRandom() % kComputerFormations;
    } while (tally.matches[drawn] != 0);
    SetPlayerTactic(manager, int16_t(drawn));
    return 1;
}

// The formation that did worst against the opponent, given the results
// against it, when the opponent stands higher; else the manager's own.
int16_t ChooseFormationAgainst(int16_t club, int16_t opponent, uint16_t manager,
                               const FormationTally& tally) {
    int lowest = 100;
    int chosen = -1;
    for (int formation = 0; formation < kComputerFormations; ++formation) {
        const int average = Average(tally, formation);
        if (average >= 0 && average < lowest) {
            lowest = average;
            chosen = formation;
        }
    }
    if (chosen >= 0 && lowest < 20 && GetClubLeaguePosition(opponent) < GetClubLeaguePosition(club))
        return int16_t(chosen);
    return GetManagerFormation(manager);
}

}  // namespace

int16_t ChooseComputerFormation(uint16_t manager, const int16_t clubs[2], int side,
                                const MatchFormationTallies& tallies) {
    if (LearnFormationFromResults(manager, tallies.own[side]) == 1) return GetManagerFormation(manager);
    return ChooseFormationAgainst(clubs[side], clubs[1 - side], manager, tallies.against[1 - side]);
}

// ---------------------------------------------------------------------------
// The tactic record

namespace {

// Offsets of the fields of one tactic slot.
constexpr int kPosX = 5;
constexpr int kPosY = 7;
constexpr int kSecondX = 9;
constexpr int kSecondY = 11;
constexpr int kLinkedSlot = 13;
constexpr int kBehaviour1 = 17;
constexpr int kBehaviour2 = 18;
constexpr int kBehaviour3 = 19;
constexpr int kThirdX = 20;
constexpr int kThirdY = 22;
constexpr int kTargetX = 24;
constexpr int kTargetY = 26;
constexpr uint8_t kLinkBits = 0x1F;
constexpr int kSlots = 11;

class Tactic {
  public:
    explicit Tactic(TacticRecord& record) : record_(record) {}
    int16_t Word(int k, int field) const {
        return int16_t(recbits::LoadU16(record_.bytes + k * kTacticEntrySize + field));
    }
    void SetWord(int k, int field, int value) {
        recbits::StoreU16(record_.bytes + k * kTacticEntrySize + field, uint16_t(int16_t(value)));
    }
    void SetByte(int k, int field, uint8_t value) { record_.bytes[k * kTacticEntrySize + field] = value; }
    uint8_t Byte(int k, int field) const { return record_.bytes[k * kTacticEntrySize + field]; }
    void Target(int k, int x, int y) {
        SetWord(k, kTargetX, x);
        SetWord(k, kTargetY, y);
    }

  private:
    TacticRecord& record_;
};

// A starter's match statistic; an empty slot reads -1 in every field.
int Stat(int side, int k, int stat) { return GameInfo.I16(PlayerInfoAt(side, k) + kPlayerStats + 2 * stat); }

bool VisionBeatsPassing(int side, int k) { return Stat(side, k, kStatVision) > Stat(side, k, kStatPassing); }

void ForwardRule(Tactic& t, int side) {
    const int agility9 = Stat(side, 9, kStatAgility);
    const int agility8 = Stat(side, 8, kStatAgility);
    if (agility9 > agility8 && agility9 > 50) {
        t.SetByte(9, kBehaviour1, 4);
    } else if (agility8 > 50) {
        t.SetByte(8, kBehaviour1, 4);
    }
}

void WideMidfieldRules(Tactic& t, int side) {
    if (Stat(side, 7, kStatPace) > 60) {
        t.SetWord(7, kSecondX, 8);
        t.SetWord(7, kSecondY, 13);
    }
    VisionBeatsPassing(side, 6) ? t.Target(6, 9, 13) : t.Target(6, 5, 13);
    VisionBeatsPassing(side, 10) ? t.Target(10, 5, 13) : t.Target(10, 9, 13);
    ForwardRule(t, side);
}

void FormationRules(Tactic& t, int side, int formation) {
    switch (formation) {
        case 0:
            VisionBeatsPassing(side, 3) ? t.Target(3, 3, 12) : t.Target(3, 5, 13);
            VisionBeatsPassing(side, 7) ? t.Target(7, 11, 12) : t.Target(7, 9, 13);
            ForwardRule(t, side);
            if (Stat(side, 7, kStatSpirit) < 50) t.SetByte(7, kBehaviour1, 2);
            if (Stat(side, 3, kStatSpirit) < 50) t.SetByte(3, kBehaviour1, 2);
            break;
        case 1:
            WideMidfieldRules(t, side);
            break;
        case 2:
            WideMidfieldRules(t, side);
            if (Stat(side, 7, kStatSpirit) < 50) t.SetByte(7, kBehaviour1, 2);
            break;
        case 3:
            VisionBeatsPassing(side, 3) ? t.Target(3, 9, 13) : t.Target(3, 5, 13);
            VisionBeatsPassing(side, 7) ? t.Target(7, 5, 13) : t.Target(7, 9, 13);
            t.SetByte(9, kBehaviour1, 4);
            if (Stat(side, 7, kStatComposure) > 50 && Stat(side, 8, kStatSpirit) < 50)
                t.SetByte(8, kBehaviour1, 2);
            if (Stat(side, 3, kStatDribble) > Stat(side, 3, kStatPassing)) t.SetByte(3, kBehaviour2, 2);
            if (Stat(side, 7, kStatDribble) > Stat(side, 7, kStatPassing)) t.SetByte(7, kBehaviour2, 2);
            break;
        case 4:
            VisionBeatsPassing(side, 7) ? t.Target(7, 9, 13) : t.Target(7, 5, 13);
            VisionBeatsPassing(side, 8) ? t.Target(8, 5, 13) : t.Target(8, 9, 13);
            if (Stat(side, 8, kStatDribble) > Stat(side, 8, kStatPassing)) t.SetByte(8, kBehaviour2, 2);
            if (Stat(side, 7, kStatDribble) > Stat(side, 7, kStatPassing)) t.SetByte(7, kBehaviour2, 2);
            t.SetByte(9, kBehaviour1, 4);
            break;
        default:
            break;
    }
}

}  // namespace

void ApplyComputerTactics(int16_t side, int16_t formation) {
    if (side != 0 && side != 1) return;
    Tactic t(MatchTacticRecord[side]);
    const int shape = formation >= 1 && formation <= 5 ? formation : 0;
    for (int k = 0; k < kSlots; ++k) {
        for (int field : {kSecondX, kSecondY, kThirdX, kThirdY, kTargetX, kTargetY}) t.SetWord(k, field, -1);
        t.SetByte(k, kBehaviour1, 0);
        t.SetByte(k, kBehaviour2, 0);
        t.SetByte(k, kBehaviour3, 0);
        t.SetByte(k, kLinkedSlot, uint8_t(t.Byte(k, kLinkedSlot) | kLinkBits));
        const GridPoint point = k == 0 ? GridPoint{0, 0} : ComputerFormationShapes[shape][side][k - 1];
        t.SetWord(k, kPosX, point.x);
        t.SetWord(k, kPosY, point.y);
    }
    for (int k = 1; k < kSlots; ++k) {
        const int x = t.Word(k, kPosX);
        const int y = t.Word(k, kPosY);
        if ((x < 4 || x > 10) && y >= 8) {
            const int intelligence = Stat(side, k, kStatIntelligence);
            if (intelligence % 3 == 0) {
                t.SetByte(k, kBehaviour3, 1);
            } else if (intelligence % 3 == 1) {
                t.SetByte(k, kBehaviour3, 2);
            }
        }
        if (y <= 7 && Stat(side, k, kStatComposure) < 40) t.SetByte(k, kBehaviour2, 1);
    }
    for (int k = 1; k < kSlots; ++k) {
        const int x = t.Word(k, kPosX);
        const int y = t.Word(k, kPosY);
        t.SetWord(k, kSecondX, x);
        t.SetWord(k, kSecondY, y);
        if ((x < 4 || x > 10) && y >= 8 && Stat(side, k, kStatDribble) > 35) {
            if (Stat(side, k, kStatIntelligence) % 2 == 0) t.SetByte(k, kBehaviour1, 3);
            if (Stat(side, k, kStatPower) < 40) t.SetWord(k, kPosX, x < 4 ? x - 1 : x + 1);
        }
    }
    if (formation >= 0 && formation < kComputerFormations) FormationRules(t, side, formation);
    std::memcpy(GameInfo.TeamTacticSlot(side, 0), &MatchTacticRecord[side], sizeof(TacticRecord));
}
