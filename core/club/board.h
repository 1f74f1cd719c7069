// The board: its scores of a club's manager, the strength ranking of the
// clubs it judges against, the weekly review that warns, sacks and
// appoints managers, the manager search and the words the front end reads
// about sackings and job offers.
#pragma once
#include <cstdint>

#include "core/records/records.h"
#include "core/season/calendar.h"

struct ClubStrengthEntry {
    uint16_t club;
    uint32_t strength;
};

// The board's yardstick of money by nation and division, used times 3000.
extern const int32_t BoardMoneyTable[kCountryCount][6];
constexpr int32_t kBoardMoneyUnit = 3000;

// Strongest first; equal strengths in club-number order.
extern ClubStrengthEntry ClubStrengthRanking[kClubCount];
// Clubs of each nation in the ranking.
extern uint16_t ClubCountOfNation[kCountryCount];
// Set to 0 at the start of every review run; a sacking at a human-run club
// leaves the club's control value here and the club in SackedClub.
extern uint16_t SackedClubControl;
extern uint16_t SackedClub;
// The last club that offered the user its manager's job (-1 none), 1 while
// that offer waits for him, and the offering club the screens show.
extern int16_t JobOfferClub;
extern uint16_t JobOfferPending;
extern uint16_t JobOfferClubShown;
// No job offer waits: a new or loaded game does not inherit one made to the
// user in a game played before in this program run.
void ForgetJobOffer();

// The club of player 1, the user's manager; -1 when he has none.
int16_t GetUserClub();
// 0..60 from the club's results and goals in the last 31 days.
int16_t BoardFormScore(int16_t club);
// A club's results and goals over a run of played fixtures.
struct ClubResultTally {
    int won = 0, drawn = 0, lost = 0, goalsFor = 0, goalsAgainst = 0;
};
// Adds the fixture in the slot when the club played in it.
void TallyClubResult(ClubResultTally& tally, int16_t club, int slot);
// 0..24 from the club's league place against its strength rank.
int16_t BoardScorePerformance(int16_t club);
void RankClubsByStrength();
// 0..16 from the club's money against its division's yardstick.
int16_t BoardScoreFinance(int16_t club);
// 1 when the board of a club in the game is unhappy with its manager.
int16_t IsBoardUnhappy(int16_t club);
// The board's confidence in the club's manager, 0..100: the sum of its
// finance, form and performance scores.
int16_t GetBoardConfidence(int16_t club);
// The same figure under the board screen's name.
int16_t GetClubBoardConfidence(int16_t club);

// The day's review of the clubs whose weekday it is.
void BoardWeeklyReview();
// A manager for a club without one (current is its caretaker or player 2):
// the appointed manager, or 2 when nobody was found or the job was offered
// to the user instead.
uint16_t FindNewManager(int16_t club, uint16_t current);
// A senior squad player may take charge of a club that has no manager.
void AppointPlayerManager(int16_t club);
// The club's manager leaves it (the user resigning); a bad club or one
// without a manager is refused with a log line.
void RemoveClubManager(int16_t club);
// Runs once a month for the user's nation; the board has nothing to say.
void BoardMonthlyStep();
