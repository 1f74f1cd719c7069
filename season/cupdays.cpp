#include "season/cupdays.h"

#include "database/ranges.h"
#include "season/competitions.h"
#include "support/bytes.h"

namespace {

constexpr int kEntryBytes = 2 * kDrawEntryWords;
static_assert(sizeof CompetitionTable ==
              size_t(kCountryCount) * kCupCount * kCupRounds * kDrawEntries * kEntryBytes);
static_assert(sizeof ClubCompetitionTable[0] == size_t(kCountryCount) * kCupCount * 2);

bool InDrawTable(int nation, int cup, int round, int entry) {
    return IsCountryNumber(nation) && IsCupNumber(cup) && round >= 0 && round < kCupRounds && entry >= 0 &&
           entry < kDrawEntries;
}

}  // namespace

int16_t CupDrawWord(int nation, int cup, int round, int entry, int word) {
    if (!InDrawTable(nation, cup, round, entry) || word < 0 || word >= kDrawEntryWords) return -1;
    const size_t index = ((size_t(nation) * kCupCount + cup) * kCupRounds + round) * kDrawEntries + entry;
    return int16_t(recbits::LoadU16(CompetitionTable + index * kEntryBytes + 2 * word));
}

void SetCupDrawWord(int nation, int cup, int round, int entry, int word, int16_t club) {
    if (!InDrawTable(nation, cup, round, entry) || word < 0 || word >= kDrawEntryWords) return;
    const size_t index = ((size_t(nation) * kCupCount + cup) * kCupRounds + round) * kDrawEntries + entry;
    recbits::StoreU16(CompetitionTable + index * kEntryBytes + 2 * word, uint16_t(club));
}

uint16_t GetCupEligibility(int nation, int cup, int16_t club) {
    if (!IsCountryNumber(nation) || !IsCupNumber(cup) || !IsClubNumber(club)) return 1;
    return recbits::LoadU16(ClubCompetitionTable[club] + 2 * (nation * kCupCount + cup));
}

void SetCupEligibility(int nation, int cup, int16_t club, uint16_t flag) {
    if (!IsCountryNumber(nation) || !IsCupNumber(cup) || !IsClubNumber(club)) return;
    recbits::StoreU16(ClubCompetitionTable[club] + 2 * (nation * kCupCount + cup), flag);
}
