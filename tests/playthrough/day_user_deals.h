// The season playthrough's deals, made by the day user from the screens on
// his way through the days (clicking only what the screens' test views
// offer): a contract renewal for one of his players (from the squad, his
// profile, the deal screen and the contract talks), a bid for a player of
// another club (from the club list, the club's squad, the profile and the
// deal sheet) followed until the club and the player answer it (bought: his
// offer at the player's demands in the talks), and the first offer a club
// makes for one of his players met on the deal sheet, followed to the
// player leaving: his price a step under the player's worth, the terms
// agreed and the deal pending; on the days it comes back he holds his
// price while the buying club's offer rises, then takes the offer; the
// buying club bids, the player decides, and his leaving, the fee and the
// season's sales are checked (a deal may also end with him staying: the
// buying club gives up, or the bid is turned down).  Any other deal sheet
// the days open is withdrawn, so the days go on.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace playthrough {

struct DayUserDealsReport {
    // The renewal: the player, his contract before and after, the years
    // offered.
    uint16_t renewed = 0;
    int16_t contractBefore = -1, contractAfter = -1;
    int16_t yearsOffered = -1;
    int16_t expectedContract = -1;
    // What the players who would not talk said.
    std::vector<std::string> talksRefused;
    int renewalDay = -1;
    // The bid: the player, the fee, the day, and the answer (1 agreed and
    // bought, 2 refused), with what it left.
    uint16_t bidFor = 0;
    int32_t bidFee = 0;
    int bidDay = -1, answerDay = -1;
    int answer = 0;
    bool boughtInSquad = false;
    int64_t balanceChange = 0;
    bool refusedStaysAtHisClub = false;
    // The sale: the offer accepted, the player, the buyer and fee, and the
    // day he left.
    uint16_t sold = 0;
    int16_t buyer = -1;
    int32_t saleFee = 0;
    int32_t saleAsking = 0, saleOffer = 0;
    int32_t firstAsking = 0, firstOffer = 0;
    // The deal sheet's rounds until the buying club bid.
    int saleRounds = 0;
    // The terms agreed: the deal waits, pending, for the buying club.
    bool salePending = false;
    int offerDay = -1, bidMadeDay = -1, saleDay = -1;
    // The deal ended with the player staying, and the day it did.
    bool saleEnded = false;
    int saleEndDay = -1;
    bool soldOutOfSquad = false;
    int64_t salesChange = 0;
    int offersSeen = 0;
    // Deal sheets the days opened that he withdrew from.
    int withdrawn = 0;
};

void DayUserDealsReset();
// Asked on every step of the day user before the playthrough's own
// handlers; atClub: the club screen is up, the tour is over and the save
// is still to come; daysToSave: the days before it.  True when it queued
// what the user does (or is doing).
bool DayUserDeals(bool active, bool atClub, int daysToSave);
const DayUserDealsReport& DayUserDealsSeen();
std::vector<std::string> DayUserDealsFailures(bool fullRun);
std::string DayUserDealsSummary();

}  // namespace playthrough
