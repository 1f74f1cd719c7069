#include "tests/fakes/daily_checks.h"

#include <algorithm>
#include <cstdio>

#include "core/base/bytes.h"
#include "core/club/injuries.h"
#include "core/club/transfers.h"
#include "core/records/ranges.h"
#include "core/records/records.h"

namespace {

constexpr int32_t kMaxBalance = 134217727;

std::string Fault(const char* format, int a, int b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

std::string CheckDailyJobInvariants() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        const int32_t balance = GetClubBalance(club);
        if (balance < 0 || balance > kMaxBalance) return Fault("club %d has balance %d", club, balance);
    }
    int withClub = 0, injured = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        const uint16_t club = GetPlayerClub(p), parent = GetPlayerLoanClub(p);
        const int type = GetPlayerIT(p);
        if (IsClubNumber(club)) {
            ++withClub;
            injured += type != 0;
        }
        if (type != 0 && (type >= kInjuryTypes || GetPlayerIP(p) > 127))
            return Fault("player %d has injury type %d", p, type);
        if (GetPlayerSusp(p) > 31) return Fault("player %d has suspension %d", p, GetPlayerSusp(p));
        if (parent == club) continue;
        // A trialist may come without a club of his own.
        const bool freeTrial = GetPlayerLoanTrial(p) != 0 && !IsClubNumber(parent);
        if (!IsClubNumber(club) || GetClubRep(int16_t(club)) == 0 ||
            (!freeTrial && (!IsClubNumber(parent) || GetClubRep(int16_t(parent)) == 0)))
            return Fault(
                ("player %d on loan at club %d from club " + std::to_string(int16_t(parent))).c_str(), p,
                int16_t(club));
        const int period = GetPlayerLoanPeriod(p);
        if (period < 1 || period > 63) return Fault("player %d on loan for %d weeks", p, period);
        if (GetPlayerField120Bits9(p) > 2)
            return Fault("player %d has wage split %d", p, GetPlayerField120Bits9(p));
    }
    if (withClub > 0 && injured * 10 >= withClub) return Fault("%d of %d players injured", injured, withClub);
    for (int i = 0; i < kTransferRecords; ++i) {
        const uint8_t* r = TransferRecords[i].bytes;
        const uint16_t seller = recbits::LoadU16(r), buyer = recbits::LoadU16(r + 2);
        // An empty record holds -1 in every field (the new game's transfer
        // history); an unused one of an older world holds zeros.
        if (seller == 0xFFFF && buyer == 0xFFFF) continue;
        if (recbits::LoadU16(r + 4) != 0 && seller == buyer)
            return Fault("transfer %d from club %d to itself", i, seller);
    }
    return "";
}

int CountTransfersSince(unsigned from) {
    const unsigned now = TransferRecordIndex;
    return int(now >= from ? now - from : now + kTransferRecords - from);
}

std::string CheckSquadRollInvariants(bool afterRoll) {
    if (PlayerCount > kMaxPlayers) return Fault("player count %d", PlayerCount);
    static uint16_t managers[kClubCount];
    std::fill(std::begin(managers), std::end(managers), uint16_t(0));
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerMorale(p) > 60) return Fault("player %d has morale %d", p, GetPlayerMorale(p));
        if (GetPlayerContract(p) > 60)
            return Fault("player %d has a contract of %d months", p, GetPlayerContract(p));
        const uint16_t club = GetPlayerClub(p);
        if (p != 2 && IsClubNumber(club) && GetPlayerPosition(p) == 13 && ++managers[club] > 1)
            return Fault("club %d has a second manager, player %d", club, p);
        if (afterRoll && (GetPlayerLoanClub(p) != club || GetPlayerShirt(p) != 0))
            return Fault("player %d still on loan or in shirt %d", p, GetPlayerShirt(p));
    }
    return "";
}
