#include "tests/fakes/board_checks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/club/clubmoney.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

constexpr int32_t kTopBalance = 134217727;
constexpr int32_t kComputerCap = 80000000;

std::string ClubFault(int16_t club, const std::string& what) {
    return "club " + std::to_string(club) + ": " + what;
}

int16_t VacantSince[kClubCount];
int64_t EndedDays;
int EndedCount;
int DayNumber;

}  // namespace

std::string CheckBoardInvariants() {
    int managers[kClubCount] = {};
    for (uint16_t p = 1; p < PlayerCount && p < kMaxPlayers; ++p) {
        if (p == kNoManager) continue;
        const uint16_t club = GetPlayerClub(p);
        if (GetPlayerPosition(p) != 13 && GetPlayerHalvorn(p) == 0) continue;
        if (club == kNoClub) continue;
        if (!IsClubNumber(club)) return "manager " + std::to_string(p) + " has club " + std::to_string(club);
        if (GetPlayerLoanClub(p) != club)
            return "manager " + std::to_string(p) + " plays for " + std::to_string(club) +
                   " but belongs to " + std::to_string(GetPlayerLoanClub(p));
        if (GetPlayerPosition(p) == 13) ++managers[club];
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsLeagueClub(club)) continue;
        if (managers[club] > 1) return ClubFault(club, std::to_string(managers[club]) + " managers");
        const int32_t balance = GetClubBalance(club);
        if (balance < 0 || balance > kTopBalance)
            return ClubFault(club, "balance " + std::to_string(balance));
        if (GetClubBaseRep(club) > 24)
            return ClubFault(club, "expected place " + std::to_string(GetClubBaseRep(club)));
        int64_t misc = 0, sponsorship = 0;
        for (int16_t week = 0; week < kFinanceWeeks; ++week) {
            misc += GetClubWeekMiscIn(club, week);
            sponsorship += GetClubWeeksSponsorship(club, week);
        }
        if (misc != GetClubSeasonMiscIn(club))
            return ClubFault(club, "weeks' misc income " + std::to_string(misc) + " against the season's " +
                                       std::to_string(GetClubSeasonMiscIn(club)));
        if (sponsorship != GetClubSeasonSponsorship(club))
            return ClubFault(club, "weeks' sponsorship " + std::to_string(sponsorship) +
                                       " against the season's " +
                                       std::to_string(GetClubSeasonSponsorship(club)));
    }
    return "";
}

std::string CheckComputerBalancesCapped() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (IsComputerLeagueClub(club) && GetClubBalance(club) > kComputerCap)
            return ClubFault(club, "balance " + std::to_string(GetClubBalance(club)));
    }
    return "";
}

void ResetManagerVacancies() {
    for (int16_t& since : VacantSince) since = -1;
    EndedDays = 0;
    EndedCount = 0;
    DayNumber = 0;
}

void TrackManagerVacancies() {
    // Whoever runs each club, a manager or a player-manager, in one pass.
    bool managed[kClubCount] = {};
    for (uint16_t p = 1; p < PlayerCount && p < kMaxPlayers; ++p) {
        const uint16_t club = GetPlayerClub(p);
        if (p == kNoManager || !IsClubNumber(club)) continue;
        if (GetPlayerPosition(p) == 13 || (GetPlayerHalvorn(p) != 0 && GetPlayerCaretaker(p) == 0))
            managed[club] = true;
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsLeagueClub(club)) continue;
        const bool vacant = !managed[club];
        if (vacant && VacantSince[club] < 0) VacantSince[club] = int16_t(DayNumber);
        if (!vacant && VacantSince[club] >= 0) {
            EndedDays += DayNumber - VacantSince[club];
            ++EndedCount;
            VacantSince[club] = -1;
        }
    }
    ++DayNumber;
}

double AverageVacancyWeeks() { return EndedCount == 0 ? 0.0 : double(EndedDays) / EndedCount / 7.0; }
int EndedVacancies() { return EndedCount; }

// ---------------------------------------------------------------------------
// The chairmen and boards of a whole-world run

namespace {

constexpr uint16_t kUser = 1;
constexpr int kFirstTenure = 24, kLastTenure = 179;
// The money a new chairman brings, lowest and highest of each division.
constexpr int32_t kHeadMoney[6][2] = {{1000000, 10000000}, {1000000, 5000000}, {200000, 2000000},
                                      {50000, 750000},     {10000, 200000},    {10000, 200000}};

std::string Fault(int16_t club, const char* format, int a, int b) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return ClubFault(club, text);
}

// The archive records posted since the newest one of the day before.
int NewMessages(int16_t club, const uint8_t* top) {
    int fresh = 0;
    while (fresh < kArchiveSlots &&
           std::memcmp(MessageArchive[club][fresh].bytes, top, kMessageRecordSize) != 0)
        ++fresh;
    return fresh;
}

uint16_t MessageType(const MessageRecord& m) { return recbits::LoadU16(m.bytes + kMsgType); }

// The review's steps: down one, or up by 1, 5 or 15; 0 after a sacking or
// an appointment.
bool ReviewStep(int before, int after) {
    const int step = after - before;
    return after == 0 || step == 0 || step == -1 || step == 1 || step == 5 || step == 15;
}

}  // namespace

void SoakBoardWatch::Keep() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        ClubState& s = clubs_[club];
        s.head = GetClubName(club);
        s.tenure = GetClubTenure(club);
        s.displeasure = GetClubTenure2(club);
        s.support = GetClubSupport(club);
        s.generosity = GetClubGenerosity(club);
        std::memcpy(s.top, MessageArchive[club][0].bytes, kMessageRecordSize);
    }
}

void SoakBoardWatch::Start() {
    season_ = {};
    totalNewHeads_ = 0;
    userSackedFrom_.clear();
    Keep();
}

SoakBoardFigures SoakBoardWatch::TakeSeason() {
    const SoakBoardFigures figures = season_;
    season_ = {};
    return figures;
}

std::string SoakBoardWatch::CheckClub(int16_t club, const ClubState& before) {
    const int fresh = NewMessages(club, before.top);
    const MessageRecord* newHead = nullptr;
    bool sacked = false;
    for (int slot = 0; slot < fresh; ++slot) {
        const MessageRecord& m = MessageArchive[club][slot];
        const uint16_t type = MessageType(m);
        if (type == kMsgNewChairman) newHead = &m;
        if (type == kMsgWarnedResults || type == kMsgWarnedFans || type == kMsgWarnedSquad)
            ++season_.warnings;
        if (type != kMsgSacked) continue;
        sacked = true;
        ++season_.sackings;
        if (recbits::LoadU32(m.bytes + kMsgPlayerA) == kUser) {
            ++season_.userSackings;
            userSackedFrom_.push_back(club);
        }
    }
    const int tenure = GetClubTenure(club), displeasure = GetClubTenure2(club);
    const int support = GetClubSupport(club);
    const bool headsDay = club % 25 == SeasonCalendar.dayOfMonth;
    const bool replaced = headsDay && before.tenure <= 1;
    if (!headsDay && (tenure != before.tenure || GetClubName(club) != before.head))
        return Fault(club, "chairman's time went from %d to %d off his day", before.tenure, tenure);
    if (headsDay && !replaced && tenure != before.tenure - 1)
        return Fault(club, "chairman's time went from %d to %d on his day", before.tenure, tenure);
    if (!replaced && (support != before.support || GetClubGenerosity(club) != before.generosity))
        return Fault(club, "board's support went from %d to %d under one chairman", before.support, support);
    if (replaced) {
        if (tenure < kFirstTenure || tenure > kLastTenure)
            return Fault(club, "new chairman has %d weeks (the day of month %d)", tenure,
                         SeasonCalendar.dayOfMonth);
        if (newHead == nullptr)
            return Fault(club, "new chairman on day %d without message %d", SeasonCalendar.dayOfMonth,
                         kMsgNewChairman);
        const int division = std::min<int>(GetClubDivision(club), 5);
        const int32_t money = recbits::LoadI32(newHead->bytes + kMsgMoney);
        if (recbits::LoadU32(newHead->bytes + kMsgPlayerA) != before.head ||
            recbits::LoadU32(newHead->bytes + kMsgPlayerB) != GetClubName(club))
            return Fault(club, "new chairman's message names players %d and %d",
                         int(recbits::LoadU32(newHead->bytes + kMsgPlayerA)),
                         int(recbits::LoadU32(newHead->bytes + kMsgPlayerB)));
        if (money < kHeadMoney[division][0] || money > kHeadMoney[division][1])
            return Fault(club, "new chairman brings %d in division %d", money, division);
        ++season_.newHeads;
        ++totalNewHeads_;
    } else if (newHead != nullptr) {
        return Fault(club, "message %d with the chairman's time at %d", kMsgNewChairman, tenure);
    }
    // The board's displeasure: moved by the weekly review, cleared by a new
    // chairman, always short of the sacking point.
    const bool reviewDay = club % 7 == SeasonCalendar.weekday;
    const int from = replaced ? 0 : before.displeasure;
    if (!reviewDay && displeasure != from)
        return Fault(club, "displeasure went from %d to %d off its review day", from, displeasure);
    if (reviewDay && !ReviewStep(from, displeasure))
        return Fault(club, "displeasure went from %d to %d in one review", from, displeasure);
    if (displeasure >= support + 10)
        return Fault(club, "displeasure %d at or past the sacking point of support %d", displeasure, support);
    if (sacked && (displeasure != 0 || from + 15 < support + 10))
        return Fault(club, "sacked with displeasure %d (support %d)", from, support);
    return "";
}

std::string SoakBoardWatch::AfterDay() {
    std::string fault;
    for (int16_t club = 0; club < kClubCount && fault.empty(); ++club) {
        if (GetClubRep(club) != 0) fault = CheckClub(club, clubs_[club]);
    }
    // The user's sackings, against where the club then finished.
    const int today = SeasonCalendar.currentDay;
    for (size_t i = 0; i < userSackedFrom_.size();) {
        const int16_t club = userSackedFrom_[i];
        const int country = GetClubNation(club);
        if (!IsCountryNumber(country) || today == 0 || today - 1 != SeasonCalendar.leagueEndDay[country]) {
            ++i;
            continue;
        }
        // The final place as the league's last table gave it (a promoted
        // or relegated club is no longer in that table).
        season_.userSackedInBand +=
            LeagueSeasonRecords[club].words[kSeasonPlace] <= int(GetClubBaseRep(club));
        userSackedFrom_.erase(userSackedFrom_.begin() + long(i));
    }
    if (today == 0) userSackedFrom_.clear();
    Keep();
    return fault;
}
