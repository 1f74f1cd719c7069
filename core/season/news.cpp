#include "core/season/news.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/textbuf.h"
#include "core/query/datesandform.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/messagetexts.h"
#include "core/season/messagetypes.h"

using namespace recbits;

FrontPageEntry WorldNewsList[kFrontPageEntries];
FrontPageEntry EuropeanNewsList[kFrontPageEntries];
FrontPageEntry NationalNewsList[kFrontPageEntries];
char NewsTickerText[kNewsTickerSize];

namespace {

constexpr int16_t kNoMessageClub = -1;
constexpr uint32_t kNoPlayer = 0xFFFFFFFF;
constexpr int16_t kRescheduledFixture = 147;
constexpr int kNewsDays = 7;
constexpr int kTickerHeadlines = 5;
constexpr int16_t kEuropeRegion = 1;
constexpr uint16_t kOutsideLeagueDivision = 6;
constexpr const char* kTickerGap = "........";
constexpr const char* kTickerEnd = "       ";

// The fields the ranking and the headlines read.
struct NewsFields {
    int16_t clubA, clubB;
    uint32_t playerA, playerB;
    int16_t word1, word2;
    int32_t money;
    int16_t text1, text2;
    int32_t number1, number2;
    uint16_t type, day;
};

NewsFields ReadFields(const MessageRecord& record) {
    const uint8_t* r = record.bytes;
    return {int16_t(LoadU16(r + kMsgClubA)),
            int16_t(LoadU16(r + kMsgClubB)),
            LoadU32(r + kMsgPlayerA),
            LoadU32(r + kMsgPlayerB),
            int16_t(LoadU16(r + kMsgWord1)),
            int16_t(LoadU16(r + kMsgWord2)),
            LoadI32(r + kMsgMoney),
            int16_t(LoadU16(r + kMsgText1)),
            int16_t(LoadU16(r + kMsgText2)),
            LoadI32(r + kMsgNumber1),
            LoadI32(r + kMsgNumber2),
            LoadU16(r + kMsgType),
            LoadU16(r + kMsgDay)};
}

// Reputations run 0-63; each factor is worth up to 10000.
int32_t ReputationFactor(int32_t reputation) { return reputation * 10000 / 64; }

int32_t ClubFactor(int16_t club) { return IsClubNumber(club) ? ReputationFactor(GetClubRep(club)) : 0; }

// A blank player is a posting fault: logged and scored as a player of no
// reputation, since no record 0 exists to read.
int32_t PlayerFactor(uint32_t player, uint16_t type, int which) {
    if (player == 0) {
        DebugLog(DEBUG_GENERAL, 0, "Error in message no %d BLANK player %d\n", int(type), which);
        return 0;
    }
    if (!IsPlayerNumber(player)) return 0;
    return ReputationFactor(GetPlayerReputation(uint16_t(player)));
}

// Up to 10000 for 15 million; the product needs 64 bits for large fees.
int32_t MoneyFactor(int32_t money) { return int32_t(int64_t(money) * 10000 / 15000000); }

int32_t NumberBonus(uint16_t type) {
    if (type <= kMsgBid) return 20000;
    if (type >= kMsgWalkOut && type <= kMsgSmallQuarrel) return 10000;
    if (type >= kMsgAppointed && type <= kMsgManagerMoves) return 20000;
    if (type >= kMsgIncidentInjury && type <= kMsgStandDamage) return 30000;
    return 0;
}

void ClearList(FrontPageEntry* list) {
    for (int i = 0; i < kFrontPageEntries; ++i) list[i] = {-1, -1, -1, -1};
}

// The list already names this story: the same number about the same clubs.
bool AlreadyListed(const FrontPageEntry* list, const NewsFields& m) {
    for (int i = 0; i < kFrontPageEntries && list[i].slot != -1; ++i) {
        const NewsFields listed = ReadFields(MessageArchive[list[i].club][list[i].slot]);
        if (listed.type == m.type && listed.clubA == m.clubA && listed.clubB == m.clubB) return true;
    }
    return false;
}

// Keeps the list in score order; a tie keeps the older entry first and a
// score not above any of the twenty is dropped.
void InsertByScore(FrontPageEntry* list, FrontPageEntry entry) {
    int at = 0;
    while (at < kFrontPageEntries && list[at].score >= entry.score) ++at;
    if (at == kFrontPageEntries) return;
    std::memmove(&list[at + 1], &list[at], sizeof(FrontPageEntry) * size_t(kFrontPageEntries - 1 - at));
    list[at] = entry;
}

// Newest first; equal days keep their score order and empty entries sink.
void OrderByDay(FrontPageEntry* list) {
    for (int i = 0; i < kFrontPageEntries; ++i) {
        for (int j = i + 1; j < kFrontPageEntries; ++j) {
            if (list[j].day <= list[i].day) continue;
            const FrontPageEntry newer = list[j];
            std::memmove(&list[i + 1], &list[i], sizeof(FrontPageEntry) * size_t(j - i));
            list[i] = newer;
        }
    }
}

// The last week's messages of one club.  The archive is newest first, so the
// walk stops at the first message from before the week or from a later day
// (last season's).
void RankClub(FrontPageEntry* list, int16_t club, int today) {
    const int from = today - kNewsDays;
    for (int16_t slot = 0; slot < kArchiveSlots; ++slot) {
        const NewsFields m = ReadFields(MessageArchive[club][slot]);
        if (m.day < from || m.day > today) break;
        if (m.type >= kMessageTypeCount) continue;  // an empty or unknown slot is no news
        int16_t count = 0;
        const int32_t value = ScoreNewsItem(club, slot, &count);
        if (count <= 0 || AlreadyListed(list, m)) continue;
        InsertByScore(list, {value / count, slot, club, int16_t(m.day)});
    }
}

template <typename Filter>
void Rank(FrontPageEntry* list, Filter takesClub) {
    ClearList(list);
    const int today = SeasonCalendar.currentDay;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (takesClub(club)) RankClub(list, club, today);
    }
    OrderByDay(list);
}

bool InEurope(int16_t club) { return HVW_GetNationContinent(int16_t(GetClubNation(club))) == kEuropeRegion; }

bool InViewedCountry(int16_t club) { return GetClubNation(club) == uint16_t(HVW_GetViewedCountry()); }

// The expander reads each kind at its own width: 16 bits for clubs, players,
// words, list texts and numbers, 32 for money.
template <typename T>
void SetArg(int kind, T value) {
    TextMsg_SetArg(kind, &value);
}

}  // namespace

int32_t ScoreNewsItem(int16_t club, int16_t slot, int16_t* count) {
    if (!IsClubNumber(club) || slot < 0 || slot >= kArchiveSlots) return 0;
    const NewsFields m = ReadFields(MessageArchive[club][slot]);
    int32_t value = 0;
    auto add = [&](int32_t factor) {
        value += factor;
        ++*count;
    };
    if (m.clubA != kNoMessageClub) add(ClubFactor(m.clubA));
    if (m.clubB != kNoMessageClub) add(ClubFactor(m.clubB));
    if (m.playerA != kNoPlayer) add(PlayerFactor(m.playerA, m.type, 1));
    if (m.playerB != kNoPlayer) add(PlayerFactor(m.playerB, m.type, 2));
    if (m.money != -1) add(MoneyFactor(m.money));
    if (const int32_t bonus = NumberBonus(m.type); bonus != 0) add(bonus);
    if (m.type == uint16_t(kRescheduledFixture)) {
        *count = 0;
        return 0;
    }
    return value;
}

void RankWorldNews() {
    Rank(WorldNewsList, [](int16_t club) { return !InEurope(club) && !InViewedCountry(club); });
}

void RankEuropeanNews() {
    Rank(EuropeanNewsList, [](int16_t club) { return InEurope(club) && !InViewedCountry(club); });
}

void RankNationalNews(int16_t nation) {
    Rank(NationalNewsList, [nation](int16_t club) { return GetClubNation(club) == uint16_t(nation); });
}

void RankNationalOtherNews(int16_t nation) {
    Rank(NationalNewsList, [nation](int16_t club) {
        return GetClubNation(club) == uint16_t(nation) && GetClubDivision(club) == kOutsideLeagueDivision;
    });
}

void SetMessageTemplateArgs(const MessageRecord& record) {
    const NewsFields m = ReadFields(record);
    if (m.clubA != kNoMessageClub) SetArg(TEXTMSG_CLUB, m.clubA);
    if (m.clubB != kNoMessageClub) SetArg(TEXTMSG_CLUB, m.clubB);
    if (m.playerA != kNoPlayer) SetArg(TEXTMSG_PLAYER, uint16_t(m.playerA));
    if (m.playerB != kNoPlayer) SetArg(TEXTMSG_PLAYER, uint16_t(m.playerB));
    if (m.word1 != -1) SetArg(TEXTMSG_WORD2, m.word1);
    if (m.word2 != -1) SetArg(TEXTMSG_WORD3, m.word2);
    if (m.money != -1) SetArg(TEXTMSG_MONEY, m.money);
    if (m.text1 != -1) SetArg(TEXTMSG_LIST_TEXT, m.text1);
    if (m.text2 != -1) SetArg(TEXTMSG_LIST_TEXT, m.text2);
    if (m.number1 != -1) SetArg(TEXTMSG_NUMBER, int16_t(m.number1));
    if (m.number2 != -1) SetArg(TEXTMSG_NUMBER, int16_t(m.number2));
    if (m.day != 0xFFFF) {
        uint8_t weekday = 0, dayOfMonth = 0, month = 0;
        int16_t year = 0;
        HVW_DayNumberToFullDate(int16_t(m.day), SeasonCalendar.season, &weekday, &dayOfMonth, &month, &year);
        uint8_t date[4] = {dayOfMonth, uint8_t(month + 1), 0, 0};  // the expander counts months from 1
        std::memcpy(date + 2, &year, sizeof year);
        TextMsg_SetArg(TEXTMSG_DATE, date);
    }
}

const char* GenerateHeadline(int16_t type, int16_t variant) {
    if (variant < 0 || variant >= kHeadlineVariants) {
        DebugLog(DEBUG_GENERAL, 0, "\nInvalid Index in Messages GenerateHeadline()\n");
        variant = 0;
    }
    // An unknown number has no words; the expansion still empties the arguments.
    if (type < 0 || type >= kMessageTypeCount) return TextMsg_Expand("");
    return TextMsg_Expand(MessageHeadlineTemplates[type][variant]);
}

const char* GetMessageTitle(int16_t type) {
    if (type < 0 || type >= kMessageTypeCount) return TextMsg_Expand("");
    return TextMsg_Expand(MessageTitleTemplates[size_t(type)]);
}

void BuildNewsTicker() {
    const int16_t userClub = PlayerCount > 1 ? HVW_GetMyClub() : kNoMessageClub;
    if (IsClubNumber(userClub)) {
        RankNationalNews(int16_t(GetClubNation(userClub)));
    } else {
        ClearList(NationalNewsList);
    }
    BoundedText ticker(NewsTickerText, sizeof NewsTickerText);
    for (int i = 0; i < kTickerHeadlines; ++i) {
        const FrontPageEntry& entry = NationalNewsList[i];
        if (entry.club == -1 || entry.slot == -1) break;
        const MessageRecord& record = MessageArchive[entry.club][entry.slot];
        const NewsFields m = ReadFields(record);
        SetMessageTemplateArgs(record);
        // Club and day count as signed 16-bit values, the player as unsigned:
        // an absent player wraps the sum, which the modulo keeps in 0-4.
        const uint32_t sum = uint32_t(int32_t(m.clubA)) + m.playerA + uint32_t(int32_t(int16_t(m.day)));
        ticker.Add("%s%s", GenerateHeadline(int16_t(m.type), int16_t(sum % kHeadlineVariants)), kTickerGap);
    }
    ticker.Add("%s", kTickerEnd);
}

void BuildResultsTicker() {
    const LiveResultRow* rows = nullptr;
    const int16_t count = CoreLiveResults(&rows);
    BoundedText ticker(NewsTickerText, sizeof NewsTickerText);
    for (int16_t i = 0; i < count && rows != nullptr; ++i) {
        const LiveResultRow& row = rows[i];
        if (row.homeClub == -1) continue;
        char home[128];
        std::snprintf(home, sizeof home, "%s %d - %d ", HVW_GetClubName(row.homeClub), row.homeGoals,
                      row.awayGoals);
        ticker.Add("%s %s%s", home, HVW_GetClubName(row.awayClub), kTickerGap);
    }
    ticker.Add("%s", kTickerEnd);
}
