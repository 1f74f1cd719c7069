#include "core/records/savetable.h"

#include <cstddef>

#include "core/club/scouting.h"
#include "core/club/shortlist.h"
#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/club/tactics.h"
#include "core/club/teamroles.h"
#include "core/club/transfers.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/training.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/nationalsquads.h"
#include "core/season/nationorder.h"
#include "core/season/playedleagues.h"
#include "core/season/reportfacts.h"
#include "core/season/seasontables.h"
#include "core/season/unrest.h"

namespace {

// A block over a whole object whose size the file format fixes.
template <size_t Bytes, typename T>
constexpr DataBlockDescriptor Block(T& object) {
    static_assert(sizeof(T) == Bytes, "the table's size is part of the save format");
    return DataBlockDescriptor{&object, uint32_t(Bytes)};
}

}  // namespace

const DataBlockDescriptor SaveGameDescriptors[kSaveGameBlockCount + 1] = {
    Block<3024>(ReserveLeagueTable),           // 0
    Block<3024>(LeagueTable),                  // 1
    Block<432>(PlayOffEntrants),               // 2
    Block<1>(ViewedCountry),                   // 3
    Block<128>(EuropeanEntrantListC),          // 4
    Block<2>(EuropeanSetUpWordA),              // 5
    Block<64>(EuropeanEntrantListA),           // 6
    Block<64>(EuropeanEntrantListB),           // 7
    Block<2>(EuropeanSetUpWordB),              // 8
    Block<516096>(CompetitionTable),           // 9
    Block<151200>(ClubCompetitionTable),       // 10
    Block<20>(CompetitionDayWords),            // 11
    Block<5568>(NationalSquads[0]),            // 12
    Block<3712>(NationalSquadTable[0]),        // 13
    Block<232>(NationalCaptains[0]),           // 14
    Block<5568>(NationalSquads[1]),            // 15
    Block<3712>(NationalSquadTable[1]),        // 16
    Block<232>(NationalCaptains[1]),           // 17
    Block<2>(SeasonCalendar.weekday),          // 18
    Block<2>(SeasonCalendar.dayOfMonth),       // 19
    Block<2>(SeasonCalendar.month),            // 20
    Block<2>(SeasonCalendar.year),             // 21
    Block<2>(DailyJobsWord),                   // 22
    Block<2>(SeasonCalendar.currentDay),       // 23
    Block<2>(CompetitionDayWord),              // 24
    Block<18>(SeasonCalendar.leagueStartDay),  // 25
    Block<18>(SeasonCalendar.leagueEndDay),    // 26
    Block<18>(SeasonCalendar.splitDay),        // 27
    Block<18>(LeagueTransferWords[0]),         // 28
    Block<18>(LeagueTransferWords[1]),         // 29
    Block<18>(LeagueTransferWords[2]),         // 30
    Block<18>(LeagueTransferWords[3]),         // 31
    Block<18>(LeagueTransferWords[4]),         // 32
    Block<18>(LeagueTransferWords[5]),         // 33
    Block<2>(SeasonCalendar.season),           // 34
    Block<2>(PlayerCount),                     // 35
    Block<72900>(HonoursTable),                // 36
    Block<4240000>(FixtureTable),              // 37
    Block<5485200>(ClubRecords),               // 38
    Block<12052000>(PlayerRecords),            // 39
    Block<2000>(AgentRecords),                 // 40
    Block<38400>(ClubBids),                    // 41
    Block<3556800>(ClubFinanceRecords),        // 42
    Block<2>(SelectedClub),                    // 43
    Block<2>(ClubScreenWord),                  // 44
    Block<2304>(NationClubOrder),              // 45
    Block<160000>(TransferRecords),            // 46
    Block<36>(Shortlist),                      // 47
    Block<3960>(CustomTacticTableB),           // 48
    Block<2>(CurrentTacticB),                  // 49
    Block<2>(SeasonStepWord),                  // 50
    Block<3960>(CustomTacticTableA),           // 51
    Block<2>(CurrentTacticA),                  // 52
    Block<24>(QueryLayerTable),                // 53
    Block<2>(Code120RoleChoices[0]),           // 54
    Block<2>(Code120RoleChoices[1]),           // 55
    Block<2>(Code120RoleChoices[2]),           // 56
    Block<2>(Code120RoleChoices[3]),           // 57
    Block<128>(ChampionsLeagueGroups),         // 58
    Block<216>(EuropeanTable),                 // 59
    Block<2592>(DivisionClubLists),            // 60
    Block<21>(SaveSlotScreenBytes),            // 61
    Block<8>(PendingHumanDeals),               // 62
    Block<256>(HumanSalePlayers),              // 63
    Block<256>(HumanSaleClubs),                // 64
    Block<2>(TransferRecordIndex),             // 65
    Block<6500000>(PlayerHistoryEntries),      // 66
    Block<4>(PlayerHistoryCount),              // 67
    Block<184000>(PlayerHistoryFirst),         // 68
    Block<500000>(ClubHistoryEntries),         // 69
    Block<4>(ClubHistoryCount),                // 70
    Block<4800>(ClubHistoryFirst),             // 71
    Block<6>(JobApplicationRecord),            // 72
    Block<9000000>(EventLog),                  // 73
    Block<4>(EventLogCount),                   // 74
    Block<27>(HalvornMessageBytes),            // 75
    Block<2032>(MatchDayScreenTable),          // 76
    Block<28>(UnusedSeasonBytesA),             // 77
    Block<200>(UnusedSeasonBytesB),            // 78
    Block<522>(EuropeanPlaceRecords),          // 79
    Block<2>(CompetitionPositionWords[0]),     // 80
    Block<2>(CompetitionPositionWords[1]),     // 81
    Block<2>(CompetitionPositionWords[2]),     // 82
    Block<2>(CompetitionPositionWords[3]),     // 83
    Block<2>(CompetitionPositionWords[4]),     // 84
    Block<2>(CompetitionPositionWords[5]),     // 85
    Block<7200>(ClubMarkRecords),              // 86
    Block<232>(UnusedSeasonBytesC),            // 87
    Block<1>(NewGameByte),                     // 88
    Block<472>(StaffCandidates),               // 89
    Block<472>(ClubStaff),                     // 90
    Block<32>(UnusedStaffWords),               // 91
    Block<112>(StaffTimetable),                // 92
    Block<6368>(CoachingRecords),              // 93
    Block<896>(CoachingRecords28),             // 94
    Block<50>(UnusedStaffBytes),               // 95
    Block<28>(SquadBytes),                     // 96
    Block<3080>(DiaryNotes),                   // 97
    Block<18>(PlayedLeagueFlags),              // 98
    Block<10>(ClubRoleLists[0]),               // 99
    Block<10>(ClubRoleLists[1]),               // 100
    Block<10>(ClubRoleLists[2]),               // 101
    Block<10>(ClubRoleLists[3]),               // 102
    Block<1260000>(MatchEventHistory),         // 103
    Block<3200>(ReportEventList),              // 104
    Block<14400>(ClubResultMemory),            // 105
    Block<1864>(PlayerSearchPresets),          // 106
    Block<202>(PlayerSearchFilter),            // 107
    Block<12030>(RefereeRecords),              // 108
    Block<4560000>(MessageArchive),            // 109
    Block<128>(ReportPlayerList),              // 110
    Block<1344>(PlayerWatchSlots),             // 111
    Block<3800>(UserInbox),                    // 112
    Block<2>(NewMessageFlag),                  // 113
    Block<26300>(TrainingRecords),             // 114
    Block<2>(DailyJobsWord2),                  // 115
    Block<600>(PendingPlayerEvents),           // 116
    Block<4>(ScoutingWordPair),                // 117
    Block<2>(ScoutingWord),                    // 118
    DataBlockDescriptor{nullptr, 0},
};

int CountDataBlocks(const DataBlockDescriptor* list) {
    int count = 0;
    while (list[count].address != nullptr) ++count;
    return count;
}

uint64_t SumDataBlockSizes(const DataBlockDescriptor* list) {
    uint64_t sum = 0;
    for (int i = 0; list[i].address != nullptr; ++i) sum += list[i].size;
    return sum;
}
