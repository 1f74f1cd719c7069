// The world's news: the last seven days' most important archived messages
// ranked for the news pages, their headlines and titles, and the two tickers
// of the menu title bar.  Nothing here is stored: every list and the ticker
// are rebuilt from the club archives on each call.
#pragma once
#include <cstdint>

#include "core/season/messages.h"

constexpr int kFrontPageEntries = 20;

// One ranked item: the archive slot of a club's message.  Every field is -1
// in an empty entry.
struct FrontPageEntry {
    int32_t score;  // the average of the message's factors
    int16_t slot;
    int16_t club;
    int16_t day;
};

extern FrontPageEntry WorldNewsList[kFrontPageEntries];
extern FrontPageEntry EuropeanNewsList[kFrontPageEntries];
// Serves both the national ranking and the ranking of a nation's clubs
// outside its league divisions.
extern FrontPageEntry NationalNewsList[kFrontPageEntries];

// The importance of one archived message: the sum of its factors (club and
// player reputations, money, a bonus for the biggest stories), one added to
// count per factor.  A rescheduled fixture scores nothing.
int32_t ScoreNewsItem(int16_t club, int16_t slot, int16_t* count);

// Rebuild their list from the clubs outside Europe, the European clubs
// outside the viewed country, one nation's clubs, and one nation's clubs
// outside its league divisions; newest first.
void RankWorldNews();
void RankEuropeanNews();
void RankNationalNews(int16_t nation);
void RankNationalOtherNews(int16_t nation);

// Puts a message's fields into the template arguments: each field that is not
// -1 fills the next slot of its kind, the posting day as the date.
void SetMessageTemplateArgs(const MessageRecord& record);
// Headline variant 0-4 of a message number, expanded with the arguments set
// before.  A bad variant is logged and variant 0 used.
const char* GenerateHeadline(int16_t type, int16_t variant);
// The expanded title of a message number.
const char* GetMessageTitle(int16_t type);

constexpr int kNewsTickerSize = 2048;
// The text both tickers write; each call rebuilds it.
extern char NewsTickerText[kNewsTickerSize];

// The top five national headlines of the user's nation.
void BuildNewsTicker();

// One live result of the user's division: clubs -1 when the row is empty.
struct LiveResultRow {
    int16_t homeClub;
    int16_t awayClub;
    int16_t homeGoals;
    int16_t awayGoals;
};
// The live results of the division's matches, which the in-match league
// panel of the front end fills (through the core's live-results hook; none
// while it is unset).
void BuildResultsTicker();
