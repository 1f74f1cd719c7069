#include "core/season/fixtureday.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/matchrecord.h"
#include "core/club/squads.h"
#include "core/club/stadium.h"
#include "core/match/matchratings.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/match/qpredict.h"
#include "core/match/qpredictreport.h"
#include "core/match/wholematch.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/computertactics.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/matchevents.h"
#include "core/season/matchsetup.h"
#include "core/season/nationalsquads.h"
#include "core/season/pickteam.h"
#include "core/season/postmatch.h"
#include "core/season/reportfacts.h"
#include "core/season/results.h"
#include "core/season/seasontables.h"
#include "core/season/soak.h"

using namespace gameinfo;

uint32_t ShootOutList[kShootOutEntries];
int16_t ShootOutCount;
int16_t ProcessedFixtureCount;
uint8_t PlayedBySimulation;
int16_t LastResultPredicted;

namespace {
void PlayMatchForFixture() { PlayMatch(); }
}  // namespace
FixtureResultMakers ResultMakers = {PlayMatchForFixture, QPredict2};

uint8_t MatchEventHistory[kMatchEventRecords * kMatchEventRecordSize];

namespace {

constexpr uint32_t kShootOutSlotMask = 0x7FFF;
constexpr uint32_t kEmptyShootOut = kShootOutSlotMask;
constexpr uint32_t kAwayWonShootOut = 0x8000;
constexpr int kMostGoals = 30;
constexpr int16_t kNoPredictionMessage = -1;

// Fields of an event-log record.
constexpr int kEventFixture = 0;
constexpr int kEventLogPlayer = 2;
constexpr int kEventFlags = 4;
constexpr int kEventLogMinute = 8;
constexpr uint8_t kFreeKindBits = 0xFE;

uint8_t* EventRecord(int record) { return MatchEventHistory + record * kMatchEventRecordSize; }

bool IsNationalDay(int16_t c) { return c == kCompNationalTeam || c == kCompNationalUnder21; }
bool IsValidSlot(int16_t slot) { return slot >= 0 && slot < kFixtureSlots; }

int16_t ResultGoals(int team) {
    return int16_t(recbits::LoadU16(MatchResult.teams[team].bytes + kReportGoals));
}
int16_t ResultShootOutGoals(int team) {
    return int16_t(recbits::LoadU16(MatchResult.teams[team].bytes + kReportShootOutGoals));
}

// ---------------------------------------------------------------------------
// The human side's last match

struct LastMatchPlayer {
    uint16_t player;
    int16_t rating, goals, assists, cards;
};
LastMatchPlayer LastMatchPlayers[kTeamReportPlayers];
uint8_t LastMatchEvents[kMatchEvents][8];
int16_t LastMatchSummary[2][7];

void SaveLastMatchReport(int side) {
    for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
        const uint8_t* r = MatchPlayerReport(side, entry);
        LastMatchPlayers[entry] = {
            recbits::LoadU16(r + kPlayerNumber), int16_t(recbits::LoadU16(r + kPlayerRating)),
            int16_t(recbits::LoadU16(r + kPlayerGoals)), int16_t(recbits::LoadU16(r + kPlayerAssists)),
            int16_t(recbits::LoadU16(r + kPlayerCards))};
    }
    std::memset(LastMatchEvents, 0xFF, sizeof LastMatchEvents);
    for (int e = 0; e < kMatchEvents; ++e) {
        const uint8_t* event = MatchResult.events[e];
        if (event[kEventKind] == kEventEnd) break;
        uint8_t* out = LastMatchEvents[e];
        std::memcpy(out, event + kEventPlayer, 2);
        out[2] = uint8_t(recbits::LoadU16(event + kEventTeam) & 1);
        out[3] = event[kEventKind];
        std::memcpy(out + 4, event + kEventValue2, 2);
        std::memcpy(out + 6, event + kEventMinute, 2);
    }
    for (int team = 0; team < 2; ++team) {
        for (int w = 0; w < 6; ++w)
            LastMatchSummary[team][w] =
                int16_t(recbits::LoadU16(MatchResult.teams[team].bytes + kReportTotals + 2 * w));
        LastMatchSummary[team][6] = ResultShootOutGoals(team);
    }
}

// The watched players' column of this match: the first column empty for
// everybody, or the last after every column moved one place left.
void UpdatePlayerWatchTable(int side) {
    int column = -1;
    for (int k = 0; k < kWatchHistoryLength && column < 0; ++k) {
        bool empty = true;
        for (const PlayerWatchSlot& slot : PlayerWatchSlots)
            empty = empty && slot.bytes[kWatchHistoryOffset + k] == 0xFF;
        if (empty) column = k;
    }
    if (column < 0) {
        for (PlayerWatchSlot& slot : PlayerWatchSlots) {
            for (int h = 0; h < kWatchHistories; ++h) {
                uint8_t* history = slot.bytes + kWatchHistoryOffset + h * kWatchHistoryLength;
                std::memmove(history, history + 1, kWatchHistoryLength - 1);
                history[kWatchHistoryLength - 1] = 0xFF;
            }
        }
        column = kWatchHistoryLength - 1;
    }
    for (int w = 0; w < kPlayerWatchSlots; ++w) {
        const int16_t watched = GetPlayerWatchSlotPlayer(w);
        if (watched <= 0) continue;
        for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
            const uint8_t* r = MatchPlayerReport(side, entry);
            if (recbits::LoadU16(r + kPlayerNumber) != uint16_t(watched)) continue;
            const int16_t rating = int16_t(recbits::LoadU16(r + kPlayerRating));
            if (rating <= 0) break;
            uint8_t* s = PlayerWatchSlots[w].bytes + kWatchHistoryOffset;
            s[column] = uint8_t(rating);
            for (int h = 1; h < kWatchHistories; ++h)
                s[h * kWatchHistoryLength + column] =
                    uint8_t(HVW_CalcMatchPlayerAttribute(int16_t(entry), int16_t(side), int16_t(h - 1)));
            break;
        }
    }
}

void RecordPlayerMatchStats(int side) {
    for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
        const uint8_t* r = MatchPlayerReport(side, entry);
        const uint16_t player = recbits::LoadU16(r + kPlayerNumber);
        if (player == 0 || player == 0xFFFF || !IsPlayerNumber(player)) continue;
        const uint8_t on = r[kStatsStartMinute];
        const uint8_t off = r[kStatsEndMinute];
        if (on == 0 && off == 0) continue;
        const uint16_t packed = recbits::LoadU16(r + kStatsPackedWord);
        RecordPlayerMatch(int16_t(recbits::LoadU16(r + kPlayerRating)),
                          int16_t(recbits::LoadU16(r + kPlayerGoals)),
                          int16_t(recbits::LoadU16(r + kPlayerAssists)), player,
                          int16_t(GetPlayerMorale(player)), int16_t(GetPlayerFatigue(player)),
                          int16_t(GetPlayerFitness(player)), int16_t(GetPlayerField105(player)), 0, on, off,
                          int16_t((packed >> 6) & 3), int16_t((packed >> 8) & 3));
    }
}

// ---------------------------------------------------------------------------
// Computer sides

uint16_t ManagerOf(int16_t club, int16_t competition) {
    return IsNationalDay(competition) || !IsClubNumber(club) ? kNoManager : FindClubManager(club);
}

// Each computer side gets its formation and tactics, recorded in the
// fixture; a human side plays its own tactics.
void SetSideTactics(int16_t home, int16_t away, int16_t competition, int16_t slot) {
    const int16_t clubs[2] = {home, away};
    // Both computer sides' choices read the results before today, which
    // neither choice changes: one walk over the table serves both.
    const bool counted =
        competition < kCompFriendly && (!MatchTeamHuman(&GameInfo, 0) || !MatchTeamHuman(&GameInfo, 1));
    const MatchFormationTallies tallies = counted ? TallyMatchClubs(clubs) : MatchFormationTallies{};
    for (int16_t side = 0; side < 2; ++side) {
        if (MatchTeamHuman(&GameInfo, side)) {
            MatchLoadTeamTactics(side);
            SetFixtureSideCode(slot, side, 0);
            continue;
        }
        const uint16_t onSheet = TeamSheet[side][kManagerSlot];
        const uint16_t manager = onSheet != 0 ? onSheet : ManagerOf(clubs[side], competition);
        const int16_t formation = competition < kCompFriendly
                                      ? ChooseComputerFormation(manager, clubs, side, tallies)
                                      : GetManagerFormation(manager);
        ApplyComputerTactics(side, formation);
        SetFixtureSideCode(slot, side, int16_t(formation + 1));
    }
}

// The fixture's three small values and flag for the prediction's reports:
// the two clubs' divisions, the round code of a cup or European tie (31 for
// other competitions) and the neutral-ground flag.
void SetPredictionFixtureValues(int16_t home, int16_t away, int16_t competition, int16_t slot) {
    const auto division = [](int16_t club) {
        return uint8_t(IsClubNumber(club) ? std::min<int>(GetClubDivision(club), 15) : 15);
    };
    QpCurrentFixtureValues.a = division(home);
    QpCurrentFixtureValues.b = division(away);
    QpCurrentFixtureValues.c = competition >= kCompFirstNationalCup && competition <= kCompLastCup
                                   ? uint8_t((competition - kCompFirstNationalCup) % kCodesPerCup)
                                   : uint8_t(31);
    QpCurrentFixtureValues.flag = IsValidSlot(slot) && (FixtureScore(slot) & kFixtureNeutralBit) != 0 ? 1 : 0;
}

bool InViewedDivision(int16_t club, int16_t userClub) {
    return IsClubNumber(club) && IsClubNumber(userClub) &&
           GetClubNation(club) == uint16_t(HVW_GetViewedCountry()) &&
           GetClubDivision(club) == GetClubDivision(userClub);
}

void RunMatch(bool display) {
    if (display) {
        DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplayOff);
    } else {
        DisplayModeFlags = uint8_t(DisplayModeFlags | kDisplayOff);
    }
    PlayedBySimulation = 1;
    LastResultPredicted = 0;
    MatchResultPredicted = 0;
    ResultMakers.playMatch();
    DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplayOff);
}

}  // namespace

// ---------------------------------------------------------------------------
// The event log

int8_t MatchEventKind(int record) { return int8_t(EventRecord(record)[kEventFlags]) >> 1; }
uint16_t MatchEventFixture(int record) { return recbits::LoadU16(EventRecord(record) + kEventFixture); }
uint16_t MatchEventPlayer(int record) { return recbits::LoadU16(EventRecord(record) + kEventLogPlayer); }
int MatchEventSide(int record) { return EventRecord(record)[kEventFlags] & 1; }
uint8_t MatchEventMinute(int record) { return EventRecord(record)[kEventLogMinute]; }

namespace {

// While kept, every record below firstFree is in use (0 when not known).
struct EventLogHint {
    int keepers = 0;
    int firstFree = 0;
};
EventLogHint g_eventLog;

}  // namespace

void MatchEvents_Clear() {
    for (int record = 0; record < kMatchEventRecords; ++record)
        EventRecord(record)[kEventFlags] |= kFreeKindBits;
    g_eventLog.firstFree = 0;
}

void MatchEvents_KeepFirstFree(bool keep) {
    g_eventLog.keepers = keep ? g_eventLog.keepers + 1 : std::max(0, g_eventLog.keepers - 1);
    if (g_eventLog.keepers == 0) g_eventLog.firstFree = 0;
}

void MatchEvents_Record(int16_t slot) {
    if (!IsValidSlot(slot)) return;
    int free = g_eventLog.keepers > 0 ? g_eventLog.firstFree : 0;
    while (free < kMatchEventRecords && MatchEventKind(free) != -1) ++free;
    if (g_eventLog.keepers > 0) g_eventLog.firstFree = free;
    // The referee of a club's first-team match, so that a preview can recall
    // what he gave that club before.
    const int16_t competition = FixtureType(slot);
    const int16_t referee = GetMatchSetupBlock()->I16(gameinfo::kRefereeNumber);
    if (competition != kCompReserveLeague && !IsNationalDay(competition) && referee >= 0 &&
        referee <= kMadeUpReferee && free < kMatchEventRecords - 1) {
        uint8_t* out = EventRecord(free++);
        recbits::StoreU16(out + kEventFixture, uint16_t(slot));
        recbits::StoreU16(out + kEventLogPlayer, uint16_t(referee));
        out[kEventFlags] = uint8_t(kKindReferee << 1);
        out[kEventLogMinute] = 0;
    }
    for (int e = 0; e < kMatchEvents; ++e) {
        const uint8_t* event = MatchResult.events[e];
        const uint8_t type = event[kEventKind];
        if (type == kEventEnd) return;
        if (type != 0 && type != 3 && type != 4 && type != 5) continue;
        if (free >= kMatchEventRecords - 1) {
            std::printf(
                "MatchEvents_Record(): Warning: the event log is full, fixture %d not logged further\n",
                slot);
            return;
        }
        const int16_t detail = int16_t(recbits::LoadU16(event + kEventValue2));
        int kind = type == 0 ? 0 : type == 3 ? 3 : type == 4 ? 2 : 4;
        if (detail == 5) kind = 1;
        if (detail == 7) kind = 2;
        uint8_t* out = EventRecord(free++);
        recbits::StoreU16(out + kEventFixture, uint16_t(slot));
        recbits::StoreU16(out + kEventLogPlayer, recbits::LoadU16(event + kEventPlayer));
        out[kEventFlags] = uint8_t((recbits::LoadU16(event + kEventTeam) & 1) | (kind << 1));
        out[kEventLogMinute] = uint8_t(recbits::LoadU16(event + kEventMinute));
    }
}

// ---------------------------------------------------------------------------
// The fixture

int16_t FindFirstUnplayedFixtureToday() {
    const int today = SeasonCalendar.currentDay;
    for (int16_t slot = 0; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (day > today) return -1;  // sorted by day; empty slots (511) end it
        if (day == today && !IsFixturePlayed(slot)) return slot;
    }
    return -1;
}

int16_t ValidateFixture(int16_t slot) {
    if (!IsValidSlot(slot)) return 0;
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    for (int16_t club : {home, away}) {
        if (!IsClubNumber(club)) {
            std::printf("Illegal team no. %d in fixture %d on day no. %d\n", club, slot,
                        SeasonCalendar.currentDay);
            FatalExit(__func__);
        }
    }
    const int16_t competition = FixtureType(slot);
    if (!IsNationalDay(competition)) return 1;
    const int16_t kind = competition == kCompNationalTeam ? 0 : 1;
    int16_t incomplete = 0;
    for (int16_t nation : {home, away}) {
        LoadNationalSquadIntoSquadList(nation, kind);
        incomplete = int16_t(incomplete + PickNationalTeam(nation, kind));
    }
    return incomplete == 0 ? 1 : 0;
}

void DeleteInvalidFixture(int16_t slot) {
    if (!IsValidSlot(slot)) return;
    // The squads of a national match that cannot be played go back to their
    // clubs now: the release day looks for the fixture, which is gone.
    const int16_t competition = FixtureType(slot);
    if (IsNationalDay(competition)) {
        const int16_t kind = int16_t(competition - kCompNationalTeam);
        ReleaseNationalSquad(FixtureHome(slot), kind);
        ReleaseNationalSquad(FixtureAway(slot), kind);
    }
    DeleteFixture(slot);
}

int16_t PlayFixtureIfValid(int16_t slot) {
    if (!IsValidSlot(slot)) return 0;
    if (ValidateFixture(slot) == 0) {
        DeleteInvalidFixture(slot);
        return 0;
    }
    return ProcessFixture(slot);
}

namespace {

// A day's shoot-out into the list.  When the list is full, the user's
// club's shoot-out takes the place of the latest one of other clubs: his
// result memory reads its shoot-out from the list.
void ListShootOut(int16_t slot, bool awayWon) {
    const uint32_t entry = uint32_t(slot) | (awayWon ? kAwayWonShootOut : 0);
    if (ShootOutCount < kShootOutEntries) {
        ShootOutList[ShootOutCount++] = entry;
        return;
    }
    int16_t dropped = slot;
    const int16_t user = GetUserClub();
    if (user >= 0 && IsFixtureOfClub(slot, user)) {
        for (int i = kShootOutEntries - 1; i >= 0; --i) {
            const int16_t listed = int16_t(ShootOutList[i] & kShootOutSlotMask);
            if (IsValidSlot(listed) && IsFixtureOfClub(listed, user)) continue;
            dropped = listed;
            ShootOutList[i] = entry;
            break;
        }
    }
    std::printf("StoreFixtureScore(): Warning: shoot-out list full, fixture %d not listed\n", dropped);
}

}  // namespace

void StoreFixtureScore(int16_t slot) {
    if (!IsValidSlot(slot)) return;
    // 31 would read as not played: a side's goals are kept at 30 at most.
    const uint32_t home = uint32_t(std::clamp<int>(ResultGoals(0), 0, kMostGoals));
    const uint32_t away = uint32_t(std::clamp<int>(ResultGoals(1), 0, kMostGoals));
    uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
    uint32_t score = recbits::LoadU32(word);
    score = (score & ~uint32_t(0x3FF)) | home | away << 5;
    const int shootHome = ResultShootOutGoals(0);
    const int shootAway = ResultShootOutGoals(1);
    if (shootHome + shootAway > 0) {
        score |= kFixtureShootOutBit;
        ListShootOut(slot, shootHome <= shootAway);
    }
    recbits::StoreU32(word, score);
    const int16_t competition = FixtureType(slot);
    const int16_t user = GetUserClub();
    if (competition < kCompFriendly && user >= 0 && IsFixtureOfClub(slot, user)) RecordUserClubResult(slot);
}

void PlayFixture(int16_t home, int16_t away, int16_t competition, int16_t userCompetition, int16_t slot) {
    const bool national = IsNationalDay(competition);
    const int16_t clubs[2] = {home, away};
    for (int16_t side = 0; side < 2; ++side) {
        const char* name = national ? GetText(int16_t(TEXT_ID_NATION_BASE + clubs[side]))
                                    : ClubNameRecords[clubs[side]].text[0];
        FillTeamNames(side, clubs[side], clubs[1 - side], name,
                      competition == kCompReserveLeague ? kTextReservesSuffix : int16_t(-1));
        MatchLoadTeamTactics(side);
    }
    bool played = false;
    const bool humanMatch = !national && (GetClubControl(home) != 0 || GetClubControl(away) != 0);
    // The sides the team pick gave a human manager, taken before anything
    // hands them to the computer: the auto-management switch below, or a
    // match played without the display as it goes.  Taken after the switch,
    // a user's match under auto-management would lose its report, its watch
    // columns and its notices.
    const bool humanManaged[2] = {MatchTeamHuman(&GameInfo, 0), MatchTeamHuman(&GameInfo, 1)};
    if (humanMatch && AutoManagementSwitch != 0) {
        GameInfo.SetTeamU8(0, kHumanManaged, 0);
        GameInfo.SetTeamU8(1, kHumanManaged, 0);
    }
    if (humanMatch) {
        SetSideTactics(home, away, competition, slot);
        const bool resultsOnly = (DisplayModeFlags & kDisplayResultsOnly) != 0 && LastResultPredicted != 0;
        if (!resultsOnly) {
            if (SetupHooks.releaseMenuBuffers != nullptr) SetupHooks.releaseMenuBuffers();
            RunMatch(true);
            if (SetupHooks.restartMenus != nullptr) SetupHooks.restartMenus();
            played = true;
        }
    }
    if (!played) {
        SetSideTactics(home, away, competition, slot);
        const int16_t user = GetUserClub();
        bool undisplayed = false;
        if (competition == kCompReserveLeague) {
            undisplayed = user >= 0 && (home == user || away == user);
        } else if (competition < kCompFriendly) {
            undisplayed = InViewedDivision(home, user) || InViewedDivision(away, user);
        }
        if (undisplayed && !national) {
            RunMatch(false);
        } else {
            LastResultPredicted = 1;
            PlayedBySimulation = 0;
            MatchResultPredicted = 1;
            SetPredictionFixtureValues(home, away, competition, slot);
            // The prediction's message id names the inbox messages of a
            // penalty given against the user's club.  No message tells of
            // one, so none is named: the fixture slot, read as a message
            // number, would name another message or one without a text.
            ResultMakers.predict(home, away, competition, MatchRuleWords.extraTime, MatchRuleWords.fifthWord,
                                 MatchRuleWords.penalties, userCompetition, kNoPredictionMessage);
        }
    }
    RecordPlayerMatchStats(0);
    RecordPlayerMatchStats(1);
    if ((humanManaged[0] || humanManaged[1]) && competition != kCompReserveLeague) {
        const int humanSide = humanManaged[0] ? 0 : 1;
        SaveLastMatchReport(humanSide);
        if (competition <= kCompPlayOffFinal) UpdatePlayerWatchTable(humanSide);
        QueuePostMatchNotices(humanSide, slot);
    }
}

namespace {

// A match needs seven players of each side on the pitch.  A reserve side
// whose club has too few reserves, when no outside player is free for a
// trial either, can fall short of it.
bool CanFieldBothSides() {
    for (const auto& sheet : TeamSheet) {
        const int starters = int(std::count_if(sheet, sheet + 11, [](uint16_t p) { return p != 0; }));
        if (starters < kFewestPlayersOnThePitch) return false;
    }
    return true;
}

}  // namespace

int16_t ProcessFixture(int16_t slot) {
    if (!IsValidSlot(slot)) return 0;
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    const int16_t competition = FixtureType(slot);
    if (IsNationalDay(competition)) {
        if (PrepareNationalMatch(slot, home, away) != 0) return 0;
    } else {
        {
            const DayPhaseTimer timer(kPhaseMatchSetUp);
            PrepareClubMatch(slot, home, away);
        }
        if (competition == kCompReserveLeague && !CanFieldBothSides()) {
            std::printf(
                "ProcessFixture(): Warning: reserve fixture %d of %d v %d not played, a side has fewer "
                "than %d players\n",
                slot, home, away, kFewestPlayersOnThePitch);
            DeleteFixture(slot);
            return -1;
        }
    }
    MatchFrameTimer();
    int16_t userCompetition = 0;
    if (competition == HumanClubCompetition) {
        userCompetition =
            competition != kCompLeague ||
                    (IsClubNumber(home) && HVW_FindClubInDivisionRows(home) == HumanClubDivision)
                ? 1
                : 0;
    }
    for (int16_t n : {0, 3, 1, 4, 2, 6}) NormaliseMatchStat(n);
    // The manager's report position is never written by the match: a stale
    // one must not reach the post-match work.
    for (int team = 0; team < 2; ++team)
        std::memset(MatchPlayerReport(team, kManagerSlot), 0, kPlayerReportSize);
    ++ProcessedFixtureCount;
    PlayFixture(home, away, competition, userCompetition, slot);
    MatchFrameTimer();
    const DayPhaseTimer postMatch(kPhasePostMatch);
    StoreFixtureScore(slot);
    MatchEvents_Record(slot);
    if (competition == kCompReserveLeague) {
        PostMatchClubJobShort(home, 0, competition, slot);
        PostMatchClubJobShort(away, 1, competition, slot);
    } else {
        PostMatchClubJob(home, 0, competition, slot);
        PostMatchClubJob(away, 1, competition, slot);
        // The marks of the line-ups just written, for the recent form.
        MatchRatings_StoreFixture(slot);
    }
    // The crowd buys the clubs' goods too; a national side is no club and
    // takes nothing.
    AddMatchMerchandising(slot, home, away);
    MatchFrameTimer();
    // A national match counts no crowd of a club: its home side is a nation
    // number, and no crowd was computed for it.
    const bool neutral = (FixtureScore(slot) & kFixtureNeutralBit) != 0;
    if (!neutral && competition != kCompFriendly && competition != kCompReserveLeague &&
        !IsNationalDay(competition))
        RecordCrowdCheck(home, LastAttendance, away);
    BookMatchResult(MatchResult, slot, MatchRuleWords.awayGoalsRule);
    return 1;
}

// ---------------------------------------------------------------------------
// The day

void EmptyShootOutList() {
    std::fill(std::begin(ShootOutList), std::end(ShootOutList), kEmptyShootOut);
    ShootOutCount = 0;
}

void ShuffleDayFixtures() {
    const int today = SeasonCalendar.currentDay;
    int first = -1;
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (day > today) break;
        if (day != today) continue;
        if (IsNationalDay(FixtureType(slot))) return;
        if (first < 0) first = slot;
        ++count;
    }
    if (count < 2) return;
    for (int i = 0; i < 1000; ++i) {
        const int a = first + GameRandom() % count;
        const int b = first + GameRandom() % count;
        if (a != b) SwapFixtures(int16_t(a), int16_t(b));
    }
}

void ResetPipelineDay() {
    EmptyShootOutList();
    QpClearReports();
    DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplayResultsOnly);
}

namespace {

// The day's fixtures, each validated and played or deleted.
void PlayDayFixtures() {
    ResetPipelineDay();
    ShuffleDayFixtures();
    // As the day loop's day starts: the day's message filter lists empty.
    HVW_ClearHumanLists();
    OrderTodaysFixtures();
    FindHumanClubFixture();
    int16_t slot = FindFirstUnplayedFixtureToday();
    const int today = SeasonCalendar.currentDay;
    while (slot >= 0 && slot < kFixtureSlots && FixtureDay(slot) == today) {
        if (IsFixturePlayed(slot)) {
            ++slot;
            continue;
        }
        // A fixture that fails validation is deleted and the next one moves
        // into its slot: that slot is looked at again.  A national fixture
        // left unplayed is passed over.
        if (ValidateFixture(slot) == 0) {
            DeleteInvalidFixture(slot);
            continue;
        }
        if (ProcessFixture(slot) < 0) continue;  // deleted: its successor is in the slot
        ++slot;
    }
}

}  // namespace

DayFixturesKeeper::DayFixturesKeeper() {
    // The kept club words first: the managers are then found from them.
    KeepPlayerMarketKeys(true);
    KeepClubManagers(true);
    KeepShortListIndex(true);
    MatchEvents_KeepFirstFree(true);
    TallyKeepDayResults(true);
    KeepLeagueHomeCounts(true);
    KeepPlayerHistoryBatch(true);
}

DayFixturesKeeper::~DayFixturesKeeper() {
    KeepClubManagers(false);
    KeepPlayerMarketKeys(false);
    KeepShortListIndex(false);
    MatchEvents_KeepFirstFree(false);
    TallyKeepDayResults(false);
    KeepLeagueHomeCounts(false);
    KeepPlayerHistoryBatch(false);
}

void PlayDayWithoutScreens() {
    // The day's new player-history entries go into the list together at
    // its end.
    KeepPlayerHistoryBatch(true);
    {
        const DayFixturesKeeper keep;
        PlayDayFixtures();
    }
    AdvanceDay();
    KeepPlayerHistoryBatch(false);
}
