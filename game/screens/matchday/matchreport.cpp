// The match preview text: lines in fifteen sections, each written from a
// language template or a finished remark, with a priority that decides
// which lines go when the text does not fit the page.
#include "game/screens/matchday/matchreport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/cupentry.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "core/records/diarynotes.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/previewservices.h"
#include "core/season/reportfacts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchdaynews.h"
#include "game/screens/matchday/matchpreview.h"
#include "game/screens/squad/playerinfo.h"

ReportLineData ReportLine[kReportLines];
ReportSectionData ReportSection[kReportSections];
int8_t ReportHeadline = -1;
int8_t ReportRefereeLine = -1;
int16_t ReportLineCount = 0;
ReportFactRecord ReportFactRecords[3];

namespace {

constexpr int kFactSlots = 15;
constexpr uint8_t kSlotValueMask = 0x3F;
constexpr uint8_t kUntoldSlot = 0x80;
constexpr uint8_t kKeptFieldBits = 0xE0;
// Slot of kinds 0-14; kinds 15-17 set the 2-bit field to 3, 2, 1 and kinds
// 18-22 the 3-bit field to 5, 4, 1, 2, 3.
constexpr int8_t kSlotOfKind[15] = {1, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14, 0, 2, 5, 7};
constexpr uint8_t kTwoBitOfKind[3] = {3, 2, 1};
constexpr uint8_t kThreeBitOfKind[5] = {5, 4, 1, 2, 3};
// The order the shared facts are told in, and their texts.
constexpr int8_t kMergeOrder[kFactSlots] = {0, 1, 2, 3, 4, 10, 5, 6, 7, 8, 9, 11, 12, 13, 14};
constexpr int16_t kThreeBitShared[5] = {2601, 2603, 2605, 2599, 2597};
constexpr int16_t kTwoBitShared[3] = {2595, 2593, 2591};
constexpr int16_t kLeaderTexts[4] = {2606, 2607, 2608, 2609};

constexpr int16_t kCompEuropeanFirst = 4;
// The European cup (by cup index) whose final the opening remark tells.
constexpr int16_t kFinalRemarkCup = 5;
constexpr int16_t kGroupCup = 6;
constexpr int16_t kStoryNothing = 7;
constexpr int kStarters = 11;
// Types 1-4 are the end-of-season matches.
constexpr int16_t kLastSeasonEndComp = 4;

int16_t Today() { return SeasonCalendar.currentDay; }

uint8_t& FieldsOf(int team) { return ReportFactRecords[team].fields; }
int TwoBit(int team) { return FieldsOf(team) & 3; }
int ThreeBit(int team) { return FieldsOf(team) >> 2 & 7; }
void SetTwoBit(int team, int v) { FieldsOf(team) = uint8_t((FieldsOf(team) & ~3) | (v & 3)); }
void SetThreeBit(int team, int v) { FieldsOf(team) = uint8_t((FieldsOf(team) & ~(7 << 2)) | (v & 7) << 2); }
int SlotValue(int team, int slot) { return ReportFactRecords[team].slots[slot] & kSlotValueMask; }
int SlotState(int team, int slot) { return ReportFactRecords[team].slots[slot] >> 6; }

// ---- Writing lines ---------------------------------------------------------------------

void ForgetLine(int line) {
    const int8_t section = ReportLine[line].section;
    if (section < 0 || section >= kReportSections) return;
    ReportSectionData& s = ReportSection[section];
    if (s.count > 0) --s.count;
    s.start = -1;
    for (int i = 0; i < kReportLines; ++i) {
        if (i != line && ReportLine[i].section == section) {
            s.start = int16_t(i);
            break;
        }
    }
    if (ReportHeadline == line) ReportHeadline = -1;
    if (ReportRefereeLine == line) ReportRefereeLine = -1;
}

int WriteLine(int section, int priority, const char* text) {
    return MatchReport_WriteLine(section, priority, text);
}

}  // namespace

int MatchReport_WriteLine(int section, int priority, const char* text) {
    if (text == nullptr || text[0] == '\0' || section < 0 || section >= kReportSections) return -1;
    const int line = std::clamp<int>(ReportLineCount, 0, kReportLines - 1);
    ReportLineData& l = ReportLine[line];
    // Once the last slot is reached every further line overwrites it.
    if (l.section >= 0) ForgetLine(line);
    l.text[0] = '\0';
    AppendText(l.text, sizeof l.text, "%s", text);
    l.priority = uint8_t(priority);
    l.visible = 1;
    l.section = int8_t(section);
    ReportSectionData& s = ReportSection[section];
    if (s.start < 0 || s.start > line) s.start = int16_t(line);
    ++s.count;
    if (section <= 2 && ReportHeadline == -1) ReportHeadline = int8_t(line);
    MatchReport_NextLine();
    return line;
}

namespace {

const char* Expand(int16_t textId) { return TextMsg_Expand(GetText(textId)); }

void ArgClub(int16_t club) { TextMsg_SetArg(TEXTMSG_CLUB, &club); }
void ArgPlayer(uint16_t player) { TextMsg_SetArg(TEXTMSG_PLAYER, &player); }
void ArgNumber(int16_t n) { TextMsg_SetArg(TEXTMSG_NUMBER, &n); }
void ArgText(int16_t id) { TextMsg_SetArg(TEXTMSG_LIST_TEXT, &id); }
void ArgString(const char* s) { TextMsg_SetArg(TEXTMSG_STRING, s); }

// ---- The run -------------------------------------------------------------------------------

struct Run {
    int16_t slot = -1;
    int16_t user = -1, opponent = -1;
    uint16_t side = 0;
    int16_t type = 0;
    int16_t cupText = -2, cup = -2, round = -2;
    int16_t tieType = 0;
    int16_t leg = 0;
    bool opening = false;
    int16_t userNation = 0, opponentNation = 0;
    int16_t group = -1;
    int absentees = 0;
    int alternation[2] = {-1, -1};
};
Run g;

bool IsLeague() { return g.type == kCompLeague; }
bool IsNationalCup() { return g.cupText >= 0 && g.cupText <= 3; }
bool IsEuropeanCup() { return g.cupText >= kCompEuropeanFirst && g.cupText <= 6; }

// ---- Steps 3-6: openings, situation and the cup ----------------------------------------------

void WriteOpening() {
    if (IsLeague() && g.opening) {
        WriteLine(0, 10, SeasonOpeningRemark(g.user));
    } else if (IsEuropeanCup()) {
        TextMsg_ResetArgs();
        if (IsForeignOpponent(g.opponent) != 0 && g.opponentNation != g.userNation) {
            ArgClub(g.user);
            ArgText(2992);
            WriteLine(0, 10, Expand(2991));
        } else if (g.opening) {
            ArgClub(g.user);
            WriteLine(0, 10, Expand(2991));
        } else if (g.cup == kFinalRemarkCup && g.round == HVW_GetCupRoundCount(g.cup, g.userNation) - 1) {
            ArgClub(g.user);
            ArgClub(g.opponent);
            WriteLine(0, 10, Expand(2993));
        }
    }
}

void WriteSituation() {
    if (IsLeague()) {
        const char* text = PreviewBlock.positionByte == kStoryNothing
                               ? SecondLeagueRemark(g.user, PreviewBlock.secondByte)
                               : LeaguePositionRemark(g.user, PreviewBlock.positionByte);
        WriteLine(0, 10, text);
    } else if (IsNationalCup()) {
        // A one-match final or semi-final gets no cup remark.
        if ((g.tieType == 3 || g.tieType == 2) && g.leg <= 0) return;
        WriteLine(0, 10, CupRemark(g.slot, g.user));
    } else if (g.cupText == 6 && g.cup == kGroupCup && g.round < 2 && g.round >= 0) {
        if (g.group >= 0 && PreviewBlock.positionByte != kStoryNothing)
            WriteLine(0, 10, LeaguePositionRemark(g.user, PreviewBlock.positionByte));
    }
}

void WriteMessage(int16_t type) {
    TextMsg_ResetArgs();
    ArgClub(g.user);
    ArgClub(g.opponent);
    WriteLine(1, 10, TextMsg_ExpandBody(type, 6));
}

void WriteOccasion() {
    if (PreviewFixtureTest(g.slot) != 0) {
        WriteMessage(213);
    } else if (CountClubMeetings(g.user, g.opponent) < 3) {
        WriteMessage(226);
    }
}

void WriteCupRun(int16_t club, int16_t variant, int16_t number) {
    const int16_t nation = club >= 0 ? int16_t(GetClubNation(club)) : g.userNation;
    WriteLine(2, 10, CupRunRemark(club, nation, g.cupText, variant, number));
}

void WriteCupLines() {
    if (!IsNationalCup()) return;
    int16_t homeCode = -1, awayCode = -1;
    const int16_t tie = CompareClubPositions(g.slot, &homeCode, &awayCode);
    if (tie != -1) WriteLine(2, 10, BuildEarlierMeetingSentence(tie, -1, g.slot));
    if (homeCode != -1) WriteLine(2, 10, BuildEarlierMeetingSentence(homeCode, FixtureHome(g.slot), g.slot));
    if (awayCode != -1) WriteLine(2, 10, BuildEarlierMeetingSentence(awayCode, FixtureAway(g.slot), g.slot));
    int16_t c1 = 0, c2 = 0;
    const int16_t v1 = CupRunCount(g.user, g.type, &c1);
    const int16_t v2 = CupRunCount(g.opponent, g.type, &c2);
    if (g.tieType == 3) {
        WriteCupRun(c1 == c2 ? int16_t(-1) : g.user, 0, c1);
        if (v1 != v2) WriteCupRun(g.opponent, 0, c2);
        if (c1 != c2) WriteCupRun(g.user, 2, v1);
        if (v1 == v2) {
            WriteCupRun(-1, 2, v1);
        } else {
            WriteCupRun(g.opponent, 2, v2);
        }
    } else if (g.tieType == 2) {
        if (c1 == c2) {
            WriteCupRun(-1, 1, c1);
        } else {
            WriteCupRun(g.user, 1, c1);
            WriteCupRun(g.opponent, 1, c2);
        }
    }
}

// ---- Steps 7-10: facts -----------------------------------------------------------------------

ReportFact g_facts[2][kMostClubFacts];
int16_t g_factCount[2];

bool FactStillHeld(int team, const ReportFact& fact) {
    if (fact.kind < 15) return SlotValue(team, kSlotOfKind[fact.kind]) != 0;
    if (fact.kind < 18) return TwoBit(team) == kTwoBitOfKind[fact.kind - 15];
    if (fact.kind <= 22) return ThreeBit(team) == kThreeBitOfKind[fact.kind - 18];
    return false;
}

void WriteLeaderLine(int16_t club, int section) {
    int16_t goals = 0, won = 0, drawn = 0;
    ClubStatistics(club, &goals, &won, &drawn);
    for (int k = 0; k < 4; ++k) {
        if (PreviewBlock.leaders[k] != club) continue;
        TextMsg_ResetArgs();
        ArgClub(club);
        ArgNumber(k < 2 ? goals : int16_t(won + drawn));
        WriteLine(section, 8, Expand(kLeaderTexts[k]));
        return;
    }
}

void WriteClubFacts(int team, int section) {
    const int16_t club = team == 0 ? g.user : g.opponent;
    if (g_factCount[team] <= 0) return;
    for (int i = 0; i < g_factCount[team]; ++i) {
        const ReportFact& fact = g_facts[team][i];
        if (FactStillHeld(team, fact)) WriteLine(section, 10 - 2 * i, ClubFactText(club, fact));
    }
    WriteLeaderLine(club, section);
}

// ---- Steps 11-14: players ------------------------------------------------------------------

struct ClubNotes {
    int16_t club = -1, other = -1;
    int16_t nation = 0, division = 0, clubs = 0, strength = 0;
    uint16_t topScorer = 0, divisionScorer = 0, thirdScorer = 0, second = 0, third = 0;
    uint16_t listed[3] = {};
    bool pairWritten = false;
};

bool IsCupCompetition() { return g.cup >= 0; }

// Cup-tied: in a cup, registered in this cup for another club.  A national
// cup's registrations are kept per playing country; a club outside them has
// none to check.
bool IsCupTied(uint16_t player, int16_t club) {
    if (!IsCupCompetition()) return false;
    const int16_t nation = int16_t(GetClubNation(club));
    if (g.cup < kCompEuropeanFirst && !IsCountryNumber(nation)) return false;
    const uint16_t registered = GetPlayerCup(player, g.cup, nation);
    return registered != kNoClub && registered != uint16_t(club);
}

int16_t Reason(uint16_t player, int16_t club, int& injury) {
    injury = HVW_GetPlayerIT(player);
    const bool cupTied = IsCupTied(player, club);
    // A European ban keeps a player out of European ties only: told of a
    // league or national cup match it would name a player who plays.
    const bool banned =
        IsPlayerSuspended(player) != 0 || (g.cup >= kCompEuropeanFirst && GetPlayerEuroBan(player) != 0);
    if (cupTied) return 0;
    if (banned) return 1;
    if (injury == 1) return 2;
    if (injury >= 2 && injury <= 8) return 3;
    if (injury != 0) return 4;
    return -1;
}

void SetPlayerArgs(const ClubNotes& n, uint16_t player, int16_t positionText) {
    TextMsg_ResetArgs();
    ArgClub(n.club);
    ArgClub(n.other);
    ArgPlayer(player);
    ArgText(positionText);
}

void WriteNotesLine(int section, int priority, int16_t text, const ClubNotes& n, uint16_t player,
                    int16_t positionText, int16_t number) {
    SetPlayerArgs(n, player, positionText);
    if (number >= 0) ArgNumber(number);
    WriteLine(section, priority, Expand(text));
}

int16_t Alternate(int which, int16_t first, int16_t second) {
    int& state = g.alternation[which];
    state = state < 0 ? GameRandom() % 2 : 1 - state;
    return state == 0 ? first : second;
}

void GatherClubNotes(ClubNotes& n) {
    n.nation = int16_t(GetClubNation(n.club));
    const int16_t row = HVW_FindClubInDivisionRows(n.club);
    const bool league = IsCountryNumber(n.nation) && row >= 0 && row < HVW_CountCompRounds2(n.nation);
    n.division = row;
    n.clubs = league ? HVW_GetCompRoundWord(row, n.nation) : int16_t(0);
    n.strength = league ? DivisionStrength(n.nation, row) : int16_t(0);
    int16_t tie = 0;
    n.topScorer = HVW_GetClubTopScorer(n.club, &tie);
    if (n.topScorer != 0 && GetPlayerGoals(n.topScorer) <= 5) n.topScorer = 0;
    n.divisionScorer = league ? HVW_GetDivisionTopScorer(n.nation, row, &tie) : uint16_t(0);
    if (n.divisionScorer != 0 && GetPlayerGoals(n.divisionScorer) < 6) n.divisionScorer = 0;
    n.second = HVW_GetClubStarPlayer(n.club);
    int32_t value = 0;
    n.third = HVW_GetClubMostValuablePlayer(n.club, &value);
    if (n.third != 0) {
        // Outside a league the club has no scorer rank to exceed.
        const int16_t rank = league ? ScorerRank(n.third, n.nation, row) : int16_t(0);
        if (rank > n.clubs / 2 ||
            (HVW_IsPlayerAvailableForFixture(n.club, n.third, g.slot) != 0 && n.third != n.second))
            n.third = 0;
    }
    HVW_ListClubPlayersByFans(n.club, n.listed, 3);
}

// The squad as built for the club, copied: the queries rebuild the shared
// list as they go.
int CopySquad(int16_t club, uint16_t (&squad)[kSquadListSize]) {
    HVW_BuildSquadList(club);
    int count = 0;
    for (int i = 0; i < kSquadListSize; ++i) {
        squad[i] = FirstTeamList.players[i];
        if (squad[i] != 0) ++count;
    }
    return count;
}

void WritePairLine(ClubNotes& n) {
    int16_t a = 0, b = 0;
    if (HVW_HasClubStrikePartnership(n.club, &a, &b) == 0) return;
    uint16_t p1 = 0, p2 = 0;
    if (HVW_FindClubStrikePair(n.club, &p1, &p2, a, b, g.slot) == 0) return;
    int16_t number = 0;
    if (KeyPlayerCategory(p1, n.strength, &number) != 0 || KeyPlayerCategory(p2, n.strength, &number) != 0)
        return;
    TextMsg_ResetArgs();
    ArgClub(n.club);
    ArgPlayer(p1);
    ArgPlayer(p2);
    ArgNumber(int16_t(a + b));
    n.pairWritten = WriteLine(7, 3, Expand(2952)) >= 0;
}

void WriteAbsentPlayer(const ClubNotes& n, uint16_t player, int reason, int category, int16_t number,
                       int16_t positionText) {
    static constexpr int16_t kKeyA[5] = {2933, 2928, 2959, 2964, 2938};
    static constexpr int16_t kKeyB[5] = {2934, 2929, 2960, 2965, 2939};
    static constexpr int16_t kDivisionScorer[5] = {2930, 2925, 2956, 2961, 2935};
    static constexpr int16_t kClubScorer[5] = {2931, 2926, 2957, 2962, 2936};
    static constexpr int16_t kSecond[5] = {2932, 2927, 2958, 2963, 2937};
    if (category >= 2) {
        const int16_t text = category == 2 || category == 4 ? kKeyA[reason] : kKeyB[reason];
        WriteNotesLine(9, 7, text, n, player, positionText, number);
    } else if (category == 0) {
        const int16_t goals = int16_t(GetPlayerGoals(player));
        if (player == n.divisionScorer) {
            WriteNotesLine(7, 3, kDivisionScorer[reason], n, player, positionText, goals);
        } else if (player == n.topScorer) {
            WriteNotesLine(7, 3, kClubScorer[reason], n, player, positionText, goals);
        } else if (player == n.second) {
            WriteNotesLine(8, 2, kSecond[reason], n, player, positionText, -1);
        }
    }
}

void WriteAvailablePlayer(const ClubNotes& n, uint16_t player, bool starter, int category, int16_t number,
                          int16_t positionText) {
    static constexpr int16_t kStarterKey[5] = {2984, 2985, 2988, 2986, 2989};
    const int16_t goals = int16_t(GetPlayerGoals(player));
    if (category >= 1) {
        if (starter) {
            WriteNotesLine(9, 7, kStarterKey[category - 1], n, player, positionText, number);
        } else if (category >= 2) {
            WriteNotesLine(9, 7, category == 2 || category == 4 ? 2987 : 2990, n, player, positionText,
                           number);
        }
        return;
    }
    const bool notable = player == n.second || player == n.third;
    const bool same = n.second == n.third;
    if (starter) {
        if (player == n.divisionScorer && !n.pairWritten) {
            WriteNotesLine(7, 3, 2950, n, player, positionText, goals);
        } else if (player == n.topScorer && !n.pairWritten) {
            WriteNotesLine(7, 3, 2951, n, player, positionText, goals);
        } else if (player == n.thirdScorer) {
            WriteNotesLine(8, 2, 2953, n, player, positionText, goals);
        } else if (notable) {
            WriteNotesLine(8, 2, same ? Alternate(0, 2974, 2975) : int16_t(2978), n, player, positionText,
                           -1);
        }
    } else {
        if (player == n.divisionScorer) {
            WriteNotesLine(7, 3, 2966, n, player, positionText, -1);
        } else if (player == n.topScorer) {
            WriteNotesLine(7, 3, 2967, n, player, positionText, -1);
        } else if (notable) {
            WriteNotesLine(8, 2, same ? Alternate(1, 2976, 2977) : int16_t(2968), n, player, positionText,
                           -1);
        }
    }
}

// The top-third scorer: the club's second best scorer, kept with more than
// five goals and a rank within the first third of the division.
uint16_t ThirdScorer(const ClubNotes& n, const uint16_t (&squad)[kSquadListSize]) {
    if (n.clubs == 0) return 0;
    uint16_t best = 0;
    for (uint16_t p : squad) {
        if (p == 0 || !IsPlayerNumber(p) || p == n.topScorer || p == n.divisionScorer) continue;
        if (best == 0 || GetPlayerGoals(p) > GetPlayerGoals(best)) best = p;
    }
    if (best == 0 || GetPlayerGoals(best) <= 5) return 0;
    const int16_t rank = ScorerRank(best, n.nation, n.division);
    return rank > 0 && rank <= n.clubs / 3 ? best : 0;
}

void WriteClubPlayerNotes(int16_t club, int16_t other) {
    ClubNotes n;
    n.club = club;
    n.other = other;
    GatherClubNotes(n);
    uint16_t squad[kSquadListSize] = {};
    CopySquad(club, squad);
    n.thirdScorer = ThirdScorer(n, squad);
    WritePairLine(n);
    const int subs = std::clamp<int>(TeamNewsBlock.substitutes, 0, 5);
    uint16_t collected[3] = {};
    int collectedCount = 0;
    for (uint16_t player : squad) {
        if (player == 0 || !IsPlayerNumber(player)) continue;
        const int shirt = GetPlayerShirt(player);
        const int16_t positionText = int16_t(300 + HVW_GetPositionType(player));
        int16_t number = 0;
        const int category = KeyPlayerCategory(player, n.strength, &number);
        int injury = 0;
        const int reason = Reason(player, club, injury);
        const bool onSheet = shirt >= 1 && shirt <= kStarters + subs;
        if (reason >= 0) {
            WriteAbsentPlayer(n, player, reason, category, number, positionText);
        } else if (onSheet) {
            WriteAvailablePlayer(n, player, shirt <= kStarters, category, number, positionText);
        } else if (collectedCount < 3 && std::find(n.listed, n.listed + 3, player) != n.listed + 3) {
            // Only a fit player is "left out": an absent one is told of, or
            // passed over, above.
            collected[collectedCount++] = player;
        }
    }
    if (collectedCount == 0) return;
    uint16_t chosen = 0;
    for (uint16_t entry : n.listed)
        if (std::find(collected, collected + 3, entry) != collected + 3) chosen = entry;
    if (chosen != 0) WriteNotesLine(8, 2, 2994, n, chosen, int16_t(300 + HVW_GetPositionType(chosen)), -1);
}

// Starters of the club whose absence code is not 0, and (for the user) the
// absent players off the starting eleven.
int AbsentStarters(int16_t club, uint16_t (&starters)[2], uint16_t (&others)[2], int& otherCount) {
    uint16_t squad[kSquadListSize] = {};
    CopySquad(club, squad);
    int count = 0;
    otherCount = 0;
    for (uint16_t player : squad) {
        if (player == 0 || !IsPlayerNumber(player) || PlayerAbsence(player, g.slot) == 0) continue;
        const int shirt = GetPlayerShirt(player);
        if (shirt >= 1 && shirt <= kStarters) {
            if (count < 2) starters[count] = player;
            ++count;
        } else {
            if (otherCount < 2) others[otherCount] = player;
            ++otherCount;
        }
    }
    return count;
}

void WriteAbsenteeLine(int count, const uint16_t (&players)[2], int16_t one, int16_t two, int16_t more) {
    if (count <= 0) return;
    TextMsg_ResetArgs();
    if (count <= 2) {
        ArgPlayer(players[0]);
        if (count == 2) ArgPlayer(players[1]);
        WriteLine(10, 7, Expand(count == 1 ? one : two));
    } else {
        WriteLine(10, 5, Expand(more));
    }
}

void WriteManagerLine() {
    const uint16_t manager = HVW_GetClubManager(g.opponent);
    const int16_t code = PlayerAbsence(manager, g.slot);
    if (manager == 0 || manager == kNoManager || code == 0) return;
    TextMsg_ResetArgs();
    ArgPlayer(manager);
    if (WriteLine(10, 9, Expand(AbsenceReasonText(code))) >= 0) g.absentees += 2;
}

void WriteAbsentees() {
    uint16_t starters[2] = {}, others[2] = {};
    int otherCount = 0;
    const int theirs = AbsentStarters(g.opponent, starters, others, otherCount);
    WriteAbsenteeLine(theirs, starters, 2489, 2490, 2491);
    const int ours = AbsentStarters(g.user, starters, others, otherCount);
    WriteAbsenteeLine(ours, starters, 2492, 2493, 2494);
    if (otherCount == 1 || otherCount == 2) {
        TextMsg_ResetArgs();
        ArgPlayer(others[0]);
        if (otherCount == 2) ArgPlayer(others[1]);
        WriteLine(10, 7, Expand(otherCount == 1 ? 2495 : 2496));
    }
    g.absentees += theirs + ours;
    if (g.absentees > 1) WriteLine(10, 6, GetText(2497));
}

// ---- Steps 15-18: danger men, last meeting, referee ----------------------------------------

void WriteDangerMen() {
    uint16_t squad[kSquadListSize] = {};
    CopySquad(g.opponent, squad);
    int threats = 0;
    for (uint16_t p : squad)
        if (p != 0 && IsPlayerNumber(p)) threats += PlayerRecordCounter(p, 0, 5, nullptr, nullptr);
    if (threats > 1) {
        TextMsg_ResetArgs();
        ArgClub(g.opponent);
        WriteLine(11, 5, Expand(2551));
    }
    bool threatTold = false;
    for (uint16_t p : squad) {
        if (p == 0 || !IsPlayerNumber(p)) continue;
        const int shirt = GetPlayerShirt(p);
        if (shirt < 1 || shirt > kStarters) continue;
        const int16_t streak = PlayerStreak(p, g.opponent);
        TextMsg_ResetArgs();
        ArgPlayer(p);
        if (streak > 1) {
            if (streak != 3) ArgNumber(streak);
            WriteLine(11, 5, Expand(streak == 3 ? 2545 : 2546));
        } else if (PlayerRecordCounter(p, 0, 4, nullptr, nullptr) > 1) {
            WriteLine(11, 5, Expand(2547));
        }
        if (threats == 1 && !threatTold && PlayerRecordCounter(p, 0, 5, nullptr, nullptr) > 0) {
            TextMsg_ResetArgs();
            ArgPlayer(p);
            threatTold = WriteLine(11, 5, Expand(2550)) >= 0;
        }
        uint16_t partner = 0;
        const int16_t shared = PlayerRecordCounter(p, 0, 3, &partner, nullptr);
        TextMsg_ResetArgs();
        ArgPlayer(p);
        if (shared == 1) {
            ArgPlayer(partner);
            WriteLine(11, 5, Expand(2548));
        } else if (shared > 1) {
            WriteLine(11, 5, Expand(2549));
        }
    }
}

struct Meeting {
    bool found = false;
    LastMeetingRecord record{};
    int16_t userGoals = 0, opponentGoals = 0;
    int16_t homeClub = -1, awayClub = -1, homeGoals = 0, awayGoals = 0;
};

Meeting FindMeeting() {
    Meeting m;
    m.record = LastMeeting(g.opponent);
    if (m.record.goalsA == 31 && m.record.goalsB == 31) return m;
    m.found = true;
    const int side = LastMeetingSide(m.record.packed);
    // goals A are the home club's, or the user's at a neutral venue.
    const bool userFirst = side != 1;
    m.userGoals = userFirst ? m.record.goalsA : m.record.goalsB;
    m.opponentGoals = userFirst ? m.record.goalsB : m.record.goalsA;
    m.homeClub = userFirst ? g.user : g.opponent;
    m.awayClub = userFirst ? g.opponent : g.user;
    m.homeGoals = m.record.goalsA;
    m.awayGoals = m.record.goalsB;
    return m;
}

void WriteLastMeetingLine(const Meeting& m) {
    if (!m.found || m.userGoals - m.opponentGoals < 3) return;
    const int season = LastMeetingSeason(m.record.packed);
    const int now = HVW_GetSeason();
    if (season != now && season != now - 1) return;
    TextMsg_ResetArgs();
    ArgClub(g.opponent);
    ArgNumber(m.userGoals);
    ArgNumber(m.opponentGoals);
    WriteLine(12, 4, Expand(2552));
}

void WriteReferee() {
    const int16_t referee = CurrentReferee;
    if (referee < 0) return;
    char line[kReportLineSize] = {};
    TextMsg_ResetArgs();
    ArgString(HVW_GetRefereeName(referee));
    AppendText(line, sizeof line, "%s", Expand(2479));
    if (g.cupText > 3) {
        const int16_t nation = HVW_GetRefereeNation(referee);
        if (nation >= 0) AppendText(line, sizeof line, " (%s)", GetText(int16_t(5200 + nation)));
    }
    AppendText(line, sizeof line, ".");
    int16_t bookedIn = -1, sentOffIn = -1;
    uint16_t booked = 0, sentOff = 0;
    const int16_t bookings =
        PlayerRecordCounter(uint16_t(referee), kRecordOfReferee, kRefereeBookings, &booked, &bookedIn);
    const int16_t sendingsOff =
        PlayerRecordCounter(uint16_t(referee), kRecordOfReferee, kRefereeSendingsOff, &sentOff, &sentOffIn);
    const char* remark = nullptr;
    TextMsg_ResetArgs();
    if (bookings > 0 && sendingsOff > 0) {
        ArgClub(g.user);
        ArgClub(g.opponent);
        remark = TextMsg_ExpandBody(214, 6);
    } else if (bookings > 0) {
        if (bookings == 1 && bookedIn >= 0 && bookedIn < kFixtureSlots) {
            ArgClub(FixtureHome(bookedIn) == g.user ? FixtureAway(bookedIn) : FixtureHome(bookedIn));
            remark = Expand(2488);
        } else {
            ArgNumber(bookings);
            remark = Expand(2486);
        }
    } else if (sendingsOff > 0) {
        if (sendingsOff == 1 && sentOffIn >= 0 && sentOffIn < kFixtureSlots && sentOff != 0) {
            ArgClub(FixtureHome(sentOffIn) == g.user ? FixtureAway(sentOffIn) : FixtureHome(sentOffIn));
            ArgPlayer(sentOff);
            remark = Expand(2485);
        } else {
            ArgNumber(sendingsOff);
            remark = Expand(2486);
        }
    }
    if (remark != nullptr) AppendText(line, sizeof line, " %s", remark);
    const int written = WriteLine(kRefereeSection, 10, line);
    if (written >= 0) ReportRefereeLine = int8_t(written);
}

// A division's name: its edited name, else its text.
const char* DivisionNameOf(int16_t row, int16_t nation) {
    if (!IsCountryNumber(nation) || row < 0 || row >= HVW_CountCompRounds2(nation)) return "";
    const char* name = HVW_GetDivisionName(row, nation);
    if (name != nullptr && std::any_of(name, name + std::strlen(name), [](char c) { return c != ' '; }))
        return name;
    return GetText(HVW_GetCompRoundTextId(row, nation));
}

void WriteMeetingBox(const Meeting& m) {
    if (!m.found) return;
    const uint32_t packed = m.record.packed;
    const int16_t competition = LastMeetingCompetition(packed);
    char line[kReportLineSize] = {};
    AppendText(line, sizeof line, "%s:  ", GetText(2468));
    if (competition <= kLastSeasonEndComp)
        AppendText(line, sizeof line, "%s", DivisionNameOf(LastMeetingRow(packed), g.userNation));
    if (competition >= kCompPlayOffFirst && competition < kCompFriendly) {
        const int16_t nation = IsEuropeanCup() ? HVW_GetViewedCountry() : g.opponentNation;
        int16_t roundText = -1, legText = -1;
        HVW_GetCompRoundText(competition, &roundText, &legText,
                             IsCountryNumber(nation) ? nation : int16_t(0));
        if (roundText >= 0) AppendText(line, sizeof line, " %s", GetText(roundText));
    }
    uint8_t weekday = 0, dayOfMonth = 1, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(LastMeetingDay(packed), LastMeetingSeason(packed), &weekday, &dayOfMonth, &month,
                            &year);
    AppendText(line, sizeof line, ", %d %s %4d", dayOfMonth, GetText(int16_t(9 + month % 12)), year);
    WriteLine(kLastMeetingSection, 0, line);
    line[0] = '\0';
    AppendText(line, sizeof line, "%s  %d  %s  %d", HVW_GetClubName(m.homeClub), m.homeGoals,
               HVW_GetClubName(m.awayClub), m.awayGoals);
    const bool aggregate = m.record.aggregateA >= 0 && m.record.aggregateB >= 0;
    const uint32_t shootOut = packed & (kResultShootOutWon | kResultShootOutLost);
    // A meeting settled on penalties names the winner in the brackets: they
    // would otherwise stand empty where there is no aggregate.
    if (aggregate || shootOut != 0) {
        AppendText(line, sizeof line, " (");
        if (aggregate)
            AppendText(line, sizeof line, "%s: %d-%d  ", GetText(1515), m.record.aggregateA,
                       m.record.aggregateB);
        if (shootOut != 0)
            AppendText(line, sizeof line, "%s %s",
                       HVW_GetClubName((packed & kResultShootOutWon) != 0 ? g.user : g.opponent),
                       GetText(1561));
        AppendText(line, sizeof line, ")");
    }
    WriteLine(kLastMeetingSection, 0, line);
}

// ---- Step 19: the side panel's rows -----------------------------------------------------------

void CopyExcerpt(int to, int from) {
    const TableExtractPair& pair = PreviewBlock.extracts[from];
    const int a = PreviewBlock.ranges[2 * from], b = PreviewBlock.ranges[2 * from + 1];
    int row = 0;
    auto copy = [&](const TableExtractRow& r) {
        if (row >= kReportTableRows) return;
        ReportTableRow& out = ReportExcerptRows[to][row++];
        out.position = r.place;
        out.name[0] = '\0';
        AppendText(out.name, to == 0 ? sizeof out.name : 50, "%s",
                   IsClubNumber(r.club) ? HVW_GetClubName(r.club) : "");
        out.first = r.played;
        out.second = r.points;
        out.colour = int8_t(r.mark);
    };
    for (int i = 0; i <= a && i < kTableExtractRows; ++i) copy(pair.top[i]);
    for (int i = 0; i < b - a && i < kTableExtractRows; ++i) copy(pair.bottom[i]);
}

void CopyGroupRows() {
    ReportGroupClub = -1;
    if (g.group < 0 || PreviewGroupTable[0][kGroupClub] < 0) return;
    ReportGroupClub = PreviewGroupTable[0][kGroupClub];
    for (int k = 0; k < 4; ++k) {
        const int16_t* row = PreviewGroupTable[k];
        ReportTableRow& out = ReportGroupRows[k];
        out.position = int16_t(k + 1);
        out.name[0] = '\0';
        AppendText(out.name, 50, "%s", IsClubNumber(row[kGroupClub]) ? HVW_GetClubName(row[kGroupClub]) : "");
        out.first = int16_t(row[kGroupHomeWon] + row[kGroupHomeDrawn] + row[kGroupHomeLost] +
                            row[kGroupAwayWon] + row[kGroupAwayDrawn] + row[kGroupAwayLost]);
        out.second = row[kGroupPoints];
        out.colour = int8_t(row[kGroupClub] == g.user || row[kGroupClub] == g.opponent ? 1 : 0);
    }
}

void CopySideRows() {
    for (auto& rows : ReportExcerptRows)
        for (ReportTableRow& r : rows) r = ReportTableRow{0, {}, 0, 0, 0};
    const bool first = PreviewBlock.extractClub[0] >= 0, second = PreviewBlock.extractClub[1] >= 0;
    if (first) {
        CopyExcerpt(0, 0);
    } else if (second) {
        CopyExcerpt(0, 1);
    }
    if (first && second && HVW_AreClubsInSameDivision(FixtureHome(g.slot), FixtureAway(g.slot)) == 0)
        CopyExcerpt(1, 1);
    CopyGroupRows();
}

// ---- Steps 20 and 22 --------------------------------------------------------------------------

void JoinMeetingLines() {
    const ReportSectionData& s = ReportSection[kLastMeetingSection];
    if (s.count != 2 || s.start < 0) return;
    int second = -1;
    for (int i = s.start + 1; i < kReportLines; ++i)
        if (ReportLine[i].section == kLastMeetingSection) second = i, i = kReportLines;
    if (second < 0) return;
    // Measured in the font the box's lines are drawn in, so that a joined
    // line fits the box it is drawn into.
    const int16_t h = MatchReport_LineHeight(1010);
    ReportLineData& l1 = ReportLine[s.start];
    ReportLineData& l2 = ReportLine[second];
    const int width =
        MatchReport_TextWidth(l1.text) + MatchReport_TextWidth("   ") + MatchReport_TextWidth(l2.text) + 32;
    const int panelBottom = ReportLayout.panelTop + ReportLayout.panelHeight;
    if (width >= 704 || panelBottom >= 530 - (h + 22)) return;
    AppendText(l1.text, sizeof l1.text, "   %s", l2.text);
    l2.text[0] = '\0';
    ForgetLine(second);
    l2.section = -1;
    if (ReportLineCount > 0 && ReportLineCount - 1 == second) --ReportLineCount;
}

}  // namespace

// Lines of the lowest priority go first, bottom-most first, until the text
// fits. The headline and the referee line are never hidden: neither is
// counted in the measured text, so hiding them would lose a line and gain
// no room.
void MatchReport_FitText() {
    if (ReportRefereeLine < 0) return;
    const int bottom = ReportLayout.mainTop + ReportLayout.mainHeight;
    int level = 1;
    int end = MatchReport_MainTextEnd();
    while (end > bottom && level <= 10) {
        int hidden = -1;
        for (int i = kReportLines - 1; i >= 0 && hidden < 0; --i) {
            const ReportLineData& l = ReportLine[i];
            if (l.visible && l.section >= 0 && l.priority == level && i != ReportHeadline &&
                i != ReportRefereeLine && l.section != kRefereeSection && l.section != kLastMeetingSection)
                hidden = i;
        }
        if (hidden >= 0) {
            ReportLine[hidden].visible = 0;
            end = MatchReport_MainTextEnd();
        } else {
            ++level;
        }
    }
}

namespace {

bool StartRun() {
    g = Run{};
    g.user = HVW_GetMyClub();
    g.slot = HVW_FindClubFixtureFromDay(g.user, -1, 0, Today());
    if (g.slot < 0 || g.slot >= kFixtureSlots) return false;
    g.opponent = HVW_GetFixtureOpponent(g.user, g.slot, &g.side);
    if (g.opponent < 0) return false;
    g.type = FixtureType(g.slot);
    g.cupText = HVW_GetCupIndexForText(g.type);
    g.cup = HVW_GetCupIndex(g.type);
    g.round = HVW_GetCupRoundIndex(g.type);
    g.userNation = int16_t(GetClubNation(g.user));
    g.opponentNation = int16_t(GetClubNation(g.opponent));
    g.tieType = g.cupText >= 0 ? HVW_GetCupRoundTieType(g.userNation, g.cupText, g.round) : int16_t(0);
    // The play options end the program for a second leg without its first
    // (a damaged saved game): such a tie is read as a second leg.
    const bool legless =
        HVW_IsSecondLegFixture(g.slot) != 0 && HVW_FindEarlierCupTie(FixtureHome(g.slot), FixtureAway(g.slot),
                                                                     g.type, int16_t(FixtureDay(g.slot))) < 0;
    if (legless) g.leg = 2;
    if (g.cup >= 0 && !legless) {
        int16_t subs = 0, extra = 0, golden = 0, pens = 0, away = 0, replay = 0, firstHome = 0, firstAway = 0;
        HVW_GetFixturePlayOptions(g.slot, &subs, &extra, &golden, &pens, &away, &g.leg, &replay, &firstHome,
                                  &firstAway);
    }
    g.opening = HVW_IsFirstClubFixtureInComp(g.user, g.slot, g.type) != 0;
    if (g.cup == kGroupCup && g.round >= 0 && g.round < 2) g.group = HVW_FindClubGroup(g.user, g.round);
    return true;
}

}  // namespace

// ---- Facts -----------------------------------------------------------------------------------

void ReportFacts_Reset() {
    for (ReportFactRecord& r : ReportFactRecords) {
        std::fill(std::begin(r.slots), std::end(r.slots), kUntoldSlot);
        r.fields = uint8_t(r.fields & kKeptFieldBits);
    }
}

void ReportFacts_Store(int16_t team, int16_t count, const ReportFact* facts) {
    if ((team != 0 && team != 1) || facts == nullptr) return;
    for (int i = 0; i < count; ++i) {
        const ReportFact& f = facts[i];
        if (f.kind < 15) {
            ReportFactRecords[team].slots[kSlotOfKind[f.kind]] =
                uint8_t((f.value & kSlotValueMask) | (f.state & 3) << 6);
        } else if (f.kind < 18) {
            SetTwoBit(team, kTwoBitOfKind[f.kind - 15]);
        } else if (f.kind <= 22) {
            SetThreeBit(team, kThreeBitOfKind[f.kind - 18]);
        }
    }
}

int16_t ReportFacts_Get(int16_t kind, int16_t team) {
    if (kind < 0 || kind > 22 || team < 0 || team > 2) return 0;
    if (kind < 15) return int16_t(SlotValue(team, kSlotOfKind[kind]));
    return int16_t(kind < 18 ? TwoBit(team) : ThreeBit(team));
}

void ReportFacts_MergeShared() {
    for (int i = 0; i < kFactSlots; ++i) {
        const int slot = kMergeOrder[i];
        if (SlotState(0, slot) != kFactUntold || SlotState(1, slot) != kFactUntold) continue;
        const int a = SlotValue(0, slot), b = SlotValue(1, slot);
        const bool anyValue = slot == 0 || slot == 2 || slot == 5 || slot == 7;
        if (a == 0 || b == 0 || (!anyValue && a != b)) continue;
        WriteLine(3, 10, GetText(int16_t(2561 + 2 * i)));
        ReportFactRecords[2].slots[slot] = ReportFactRecords[0].slots[slot];
        for (int team = 0; team < 2; ++team)
            ReportFactRecords[team].slots[slot] =
                uint8_t(ReportFactRecords[team].slots[slot] & ~kSlotValueMask);
    }
    if (ThreeBit(0) != 0 && ThreeBit(0) == ThreeBit(1)) {
        WriteLine(3, 10, GetText(kThreeBitShared[ThreeBit(0) - 1]));
        SetThreeBit(2, ThreeBit(0));
        SetThreeBit(0, 0);
        SetThreeBit(1, 0);
    }
    if (TwoBit(0) != 0 && TwoBit(0) == TwoBit(1)) {
        WriteLine(3, 10, GetText(kTwoBitShared[TwoBit(0) - 1]));
        SetTwoBit(2, TwoBit(0));
        SetTwoBit(0, 0);
        SetTwoBit(1, 0);
    }
}

void MatchReport_NextLine() {
    if (ReportLineCount + 1 < kReportLines) ++ReportLineCount;
}

void MatchReport_ResetSections() {
    for (ReportSectionData& s : ReportSection) s = {-1, 0};
}

// ---- The whole text --------------------------------------------------------------------------

void MatchReport_Generate() {
    for (ReportLineData& l : ReportLine) {
        l.text[0] = '\0';
        l.priority = 0;
        l.visible = 1;
        l.section = -1;
    }
    MatchReport_ResetSections();
    ReportHeadline = -1;
    ReportRefereeLine = -1;
    ReportLineCount = 0;
    ReportFacts_Reset();
    ReportGroupClub = -1;
    for (auto& rows : ReportExcerptRows)
        for (ReportTableRow& r : rows) r = ReportTableRow{0, {}, 0, 0, 0};
    if (StartRun()) {
        WriteOpening();
        WriteSituation();
        WriteOccasion();
        WriteCupLines();
        g_factCount[0] = ClubFacts(g.user, int16_t(g.side), g_facts[0]);
        g_factCount[1] = ClubFacts(g.opponent, int16_t(1 - g.side), g_facts[1]);
        ReportFacts_Store(0, g_factCount[0], g_facts[0]);
        ReportFacts_Store(1, g_factCount[1], g_facts[1]);
        ReportFacts_MergeShared();
        WriteClubFacts(0, 4);
        WriteClubFacts(1, 5);
        WriteManagerLine();
        WriteClubPlayerNotes(g.user, g.opponent);
        WriteClubPlayerNotes(g.opponent, g.user);
        WriteAbsentees();
        WriteDangerMen();
        const Meeting meeting = FindMeeting();
        WriteLastMeetingLine(meeting);
        WriteReferee();
        WriteMeetingBox(meeting);
        CopySideRows();
    } else {
        // Nothing of an earlier preview stands beside an empty text.
        for (int8_t& r : PreviewBlock.ranges) r = -1;
        PreviewBlock.extractClub[0] = PreviewBlock.extractClub[1] = -1;
        for (auto& title : PreviewBlock.titles) title[0] = '\0';
        for (auto& name : PreviewBlock.names) name[0] = '\0';
    }
    MatchReport_LayoutHeader();
    JoinMeetingLines();
    MatchReport_LayoutBoxes();
    MatchReport_FitText();
}
