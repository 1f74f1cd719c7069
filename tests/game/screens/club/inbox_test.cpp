// The inbox, the vacancies and the board view over the generated world's
// records, without a display: folders, rows, the button sets by type and
// age, the answers and every refusal of a bid (the game state unchanged
// where nothing may change), random inbox bytes, the sacked user's
// placement and the board's percentages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/query/clubscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "game/screens/club/boardview.h"
#include "game/screens/club/inbox.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/transfers/dealsheet.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"
#include "tests/fakes/world_records.h"

namespace {

using recbits::LoadU16;
using recbits::StoreU16;
using recbits::StoreU32;

class InboxLogicTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { worldError_ = LoadWorldRecords(HALVORN_GAME_DIR); }
    void SetUp() override {
        if (!worldError_.empty()) GTEST_FAIL() << worldError_;
        testenv::LoadTexts({{127, "Sat"},
                            {128, "Sun"},
                            {129, "Mon"},
                            {130, "Tue"},
                            {131, "Wed"},
                            {132, "Thu"},
                            {133, "Fri"},
                            {462, "Football Association"},
                            {463, "Continental Federation"},
                            {758, "Supporters"},
                            {1117, "No club has a job for you."},
                            {1137, "BOX1137"},
                            {1140, "BOX1140"},
                            {1141, "BOX1141"},
                            {1142, "BOX1142"},
                            {1143, "BOX1143"},
                            {1145, "BOX1145"},
                            {1153, "BOX1153"},
                            {1232, "Board"},
                            {1233, "Squad"}});
        std::memset(UserInbox, 0xFF, sizeof UserInbox);
        std::memset(RecentValues, 0, sizeof RecentValues);
        SeasonCalendar.currentDay = 100;
        user_ = FindClub(0);
        other_ = FindClub(int16_t(user_ + 1));
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        MenuCurrentPlayer = 1;
        MenuOption = kScreenInbox;
        HVW_SetViewedCountry(int16_t(GetClubNation(user_)));
        for (auto& row : LeagueTransferWords) std::fill(std::begin(row), std::end(row), int16_t(-5));
        for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    }
    void TearDown() override {
        if (!worldError_.empty()) return;
        SetClubControl(user_, 0);
        SetPlayerClub(1, -1);
        testenv::UnloadTexts();
    }

    static int16_t FindClub(int16_t from) {
        for (int16_t club = from; club < kClubCount; ++club)
            if (GetClubRep(club) > 0 && GetClubNation(club) < 8 && PlayerOf(club) != 0) return club;
        return -1;
    }
    static uint16_t PlayerOf(int16_t club, uint16_t after = 2) {
        for (uint16_t p = uint16_t(after + 1); p < PlayerCount; ++p)
            if (GetPlayerClub(p) == uint16_t(club) && GetPlayerPosition2(p) < 13) return p;
        return 0;
    }
    // A message in an inbox slot; player -1 for none.
    static void Put(int slot, int16_t type, int16_t day, uint32_t player = 0xFFFFFFFFu, int16_t word3 = -1) {
        MessageRecord& m = UserInbox[slot];
        std::memset(m.bytes, 0xFF, sizeof m.bytes);
        StoreU32(m.bytes + kMsgPlayerA, player);
        StoreU16(m.bytes + kMsgText1, uint16_t(word3));
        StoreU16(m.bytes + kMsgType, uint16_t(type));
        StoreU16(m.bytes + kMsgDay, uint16_t(day));
        m.bytes[kMsgRead] = 0;
        m.bytes[kMsgAnswered] = 0;
    }
    static int16_t TypeAt(const MessageRecord& m) { return int16_t(LoadU16(m.bytes + kMsgType)); }
    static void Show() {
        InboxEnter();
        InboxScreenProc();
    }
    // The game's saved state and the approached players.
    static size_t StateHash() {
        size_t hash = 0;
        for (const DataBlockDescriptor* d = SaveGameDescriptors; d->address != nullptr; ++d) {
            hash = hash * 31 + std::hash<std::string_view>{}(
                                   std::string_view(static_cast<const char*>(d->address), d->size));
        }
        return hash * 31 + std::hash<std::string_view>{}(std::string_view(
                               reinterpret_cast<const char*>(RecentValues), sizeof RecentValues));
    }
    static std::string Bid() {
        StdoutCapture out;
        InboxBidForPlayer(nullptr);
        return out.Text();
    }

    static inline std::string worldError_;
    int16_t user_ = -1;
    int16_t other_ = -1;
};

TEST_F(InboxLogicTest, FoldersRowsScrollingAndColours) {
    // Every listed type has its folder; types outside the table go to 0.
    EXPECT_EQ(InboxFolderOfType(1), 0);
    EXPECT_EQ(InboxFolderOfType(31), 1);
    EXPECT_EQ(InboxFolderOfType(212), 2);
    EXPECT_EQ(InboxFolderOfType(225), 3);
    EXPECT_EQ(InboxFolderOfType(227), 4);
    EXPECT_EQ(InboxFolderOfType(255), 5);
    EXPECT_EQ(InboxFolderOfType(292), 6);
    EXPECT_EQ(InboxFolderOfType(263), 7);
    EXPECT_EQ(InboxFolderOfType(293), 0);
    EXPECT_EQ(InboxFolderOfType(-7), 0);
    int perFolder[kInboxFolders] = {};
    for (int16_t type = 0; type <= 292; ++type) ++perFolder[InboxFolderOfType(type)];
    EXPECT_EQ(perFolder[1], 10);
    EXPECT_EQ(perFolder[7], 22);

    // An empty inbox: no labels, rows, body or buttons.
    Show();
    for (int k = 0; k < kInboxFolders; ++k) EXPECT_STREQ(InboxUnreadLabel(k), "");
    EXPECT_EQ(InboxRows, 0);
    EXPECT_EQ(InboxCurrent, -1);
    EXPECT_STREQ(InboxBodyText(), "");
    EXPECT_EQ(InboxShownButtons(), kInboxNoButtons);

    // Three player messages: newest (slot 0) on the bottom row, opened.
    const uint16_t p = PlayerOf(user_);
    for (int slot = 0; slot < 3; ++slot) Put(slot, 14, int16_t(90 - slot), p);
    UserInbox[1].bytes[kMsgRead] = 1;
    Show();
    InboxFolderTab(5);
    InboxScreenProc();
    EXPECT_STREQ(InboxUnreadLabel(5), "(2)");
    EXPECT_EQ(InboxRows, 3);
    EXPECT_EQ(InboxCurrent, 0);
    EXPECT_EQ(InboxRowColour(2), 0);  // opened
    EXPECT_EQ(InboxRowColour(1), 9);  // read
    EXPECT_EQ(InboxRowColour(0), 2);  // unread
    EXPECT_STREQ(InboxRowSender(2), HVW_GetPlayerShortName(p));
    EXPECT_STREQ(InboxDetailLine(0), HVW_GetPlayerShortName(p));
    // Day 90 of the season that starts on a Saturday, 13 July: 11 October.
    EXPECT_EQ(std::string(InboxRowDate(2)).substr(3), " 11/10");
    InboxScrollOlder(nullptr);
    EXPECT_EQ(InboxScroll, 0);
    InboxScrollNewer(nullptr);
    EXPECT_EQ(InboxScroll, 0);
    // Row 0 holds the oldest; a click on an empty row opens nothing.
    MenuHotItem row{};
    row.row = 0;
    InboxRowClick(&row);
    EXPECT_EQ(InboxCurrent, 2);
    row.row = 5;
    InboxRowClick(&row);
    EXPECT_EQ(InboxCurrent, 2);

    // Twenty: the page scrolls from 0 to 12 and no further.
    for (int slot = 0; slot < 20; ++slot) Put(slot, 14, 80, p);
    Put(20, 14, 400, p);  // a day past the season shows no date
    Show();
    InboxFolderTab(5);
    for (int i = 0; i < 30; ++i) InboxScrollOlder(nullptr);
    EXPECT_EQ(InboxScroll, 13);
    InboxScreenProc();
    EXPECT_EQ(InboxRows, 8);
    EXPECT_STREQ(InboxRowDate(0), "");
    for (int i = 0; i < 30; ++i) InboxScrollNewer(nullptr);
    EXPECT_EQ(InboxScroll, 0);
}

TEST_F(InboxLogicTest, ReadTimerAndGoverningBodySender) {
    Put(0, 1, 99, 0xFFFFFFFFu, 70);
    Put(1, 46, 99, 0xFFFFFFFFu, 500);
    Put(2, 50, 99, 0xFFFFFFFFu, 3);
    Show();
    EXPECT_STREQ(InboxDetailLine(0), "Continental Federation");
    const std::string nation =
        std::string(HVW_GetNationName(int16_t(GetClubNation(user_)))) + " Football Association";
    EXPECT_EQ(InboxSenderText(UserInbox[2]), nation);
    EXPECT_STREQ(InboxSenderText(UserInbox[1]), "Continental Federation");
    StoreU16(UserInbox[1].bytes + kMsgType, 10);
    EXPECT_EQ(InboxSenderText(UserInbox[1]), nation);
    EXPECT_STREQ(InboxUnreadLabel(0), "(3)");
    SetNewMessageFlag(1);
    for (int i = 0; i < kInboxReadTicks; ++i) InboxReadTimer(0);
    EXPECT_EQ(UserInbox[0].bytes[kMsgRead], 0);
    InboxScreenProc();  // a redraw starts the count again
    for (int i = 0; i < kInboxReadTicks; ++i) InboxReadTimer(0);
    EXPECT_EQ(UserInbox[0].bytes[kMsgRead], 0);
    InboxReadTimer(0);
    EXPECT_EQ(UserInbox[0].bytes[kMsgRead], 1);
    EXPECT_EQ(InboxUnreadCounts[0], 2);
    EXPECT_EQ(GetNewMessageFlag(), 0);
    InboxScreenProc();
    EXPECT_STREQ(InboxUnreadLabel(0), "(2)");
}

TEST_F(InboxLogicTest, RequestButtonsByAgeAndTheirAnswers) {
    const uint16_t p = PlayerOf(user_);
    ASSERT_NE(p, 0);
    Put(0, 255, 94, p);  // six days old
    Show();
    InboxFolderTab(5);
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxRequestButtons);
    StoreU16(UserInbox[0].bytes + kMsgDay, 93);
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxNoButtons);
    StoreU16(UserInbox[0].bytes + kMsgDay, 94);

    // List: transfer-listed, message 6 in his club's archive, no buttons;
    // a second click does nothing more.
    std::memset(MessageArchive[user_], 0xFF, sizeof MessageArchive[user_]);
    HVW_SetPlayerTxList(p, 0);
    InboxListPlayer(nullptr);
    EXPECT_EQ(HVW_GetPlayerTxList(p), 1);
    EXPECT_EQ(TypeAt(MessageArchive[user_][0]), 6);
    EXPECT_EQ(SelectedPlayer, int16_t(p));
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxNoButtons);
    EXPECT_EQ(TypeAt(UserInbox[InboxCurrent]), 255);
    const MessageRecord archived = MessageArchive[user_][1];
    InboxListPlayer(nullptr);
    InboxKeepPlayer(nullptr);
    EXPECT_EQ(std::memcmp(&MessageArchive[user_][1], &archived, sizeof archived), 0);

    // Keep on a fresh request: off the list, message 95.
    Put(0, 15, 99, p);
    Show();
    InboxFolderTab(5);
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxRequestButtons);
    InboxKeepPlayer(nullptr);
    EXPECT_EQ(HVW_GetPlayerTxList(p), 0);
    EXPECT_EQ(TypeAt(MessageArchive[user_][0]), 95);
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxNoButtons);
}

TEST_F(InboxLogicTest, AnAcceptedOfferMovesThePlayerAndKeepsTheMessageOpen) {
    const uint16_t p = PlayerOf(other_);
    ASSERT_NE(p, 0);
    Put(0, 225, 98, p);
    Put(1, 230, 97, p);
    Show();
    InboxFolderTab(3);
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxOfferButtons);
    InboxAcceptPlayerOffer(nullptr);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
    // The offer stays open although message 227 has moved it down a slot.
    ASSERT_EQ(TypeAt(UserInbox[0]), 227);
    EXPECT_EQ(InboxCurrent, 1);
    EXPECT_EQ(TypeAt(UserInbox[1]), 225);
    InboxScreenProc();
    EXPECT_EQ(InboxShownButtons(), kInboxNoButtons);
    // The agent's reply keeps its bid button within the week.
    MenuHotItem row{};
    row.row = 0;
    InboxRowClick(&row);
    InboxScreenProc();
    EXPECT_EQ(TypeAt(UserInbox[InboxCurrent]), 230);
    EXPECT_EQ(InboxShownButtons(), kInboxBidButton);
}

TEST_F(InboxLogicTest, BidRefusalsChangeOnlyWhatTheyMay) {
    const uint16_t p = PlayerOf(other_);
    ASSERT_NE(p, 0);
    Put(0, 230, 99, p);
    Show();
    InboxFolderTab(3);
    InboxScreenProc();
    const int country = HVW_GetViewedCountry();

    // A closed period is refused first of all.
    LeagueTransferWords[2][country] = 90;
    LeagueTransferWords[3][country] = 100;
    size_t before = StateHash();
    EXPECT_NE(Bid().find("BOX1142"), std::string::npos);
    EXPECT_EQ(StateHash(), before);
    LeagueTransferWords[2][country] = LeagueTransferWords[3][country] = -5;

    // No such player: nothing stored.
    for (uint32_t bad : {0xFFFFFFFFu, uint32_t(PlayerCount)}) {
        StoreU32(UserInbox[0].bytes + kMsgPlayerA, bad);
        before = StateHash();
        EXPECT_NE(Bid().find("BOX1143"), std::string::npos);
        EXPECT_EQ(StateHash(), before);
    }
    StoreU32(UserInbox[0].bytes + kMsgPlayerA, p);

    // The approached list refuses new entries while its guard word is set.
    RecentListGuard = 1;
    before = StateHash();
    EXPECT_NE(Bid().find("BOX1137"), std::string::npos);
    EXPECT_EQ(StateHash(), before);
    RecentListGuard = 0;

    // Each of the three later refusals puts only the player at the front.
    const auto refusedWith = [&](const char* box) {
        std::memset(RecentValues, 0, sizeof RecentValues);
        RecentValues[0] = 7;
        before = StateHash();
        const std::string said = Bid();
        EXPECT_NE(said.find(box), std::string::npos) << said;
        EXPECT_EQ(RecentValues[0], p);
        EXPECT_EQ(RecentValues[1], 7);
        RecentValues[0] = 7;
        RecentValues[1] = 0;
        EXPECT_EQ(StateHash(), before);
    };
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, uint16_t(p + 1), 100, 0);
    refusedWith("BOX1137");
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    {
        // A full squad: first-team players of other clubs join the user's for
        // the check,
        std::vector<std::pair<uint16_t, uint16_t>> joined;
        for (uint16_t q = 3; q < PlayerCount && joined.size() < 40; ++q) {
            const uint16_t club = GetPlayerClub(q);
            if (club == uint16_t(user_) || club >= kClubCount || q == p || GetPlayerLoanClub(q) != club ||
                GetPlayerFlag95(q) != 0 || GetPlayerFlag107(q) != 0 || GetPlayerIT(q) != 0 ||
                IsPlayerSuspended(q) != 0 || GetPlayerPosition(q) == 13)
                continue;
            joined.emplace_back(q, club);
            SetPlayerClub(q, user_);
            SetPlayerLoanClub(q, user_);
        }
        RebuildClubRoster(user_);
        // and none of the squad is out.
        std::vector<std::pair<uint16_t, std::pair<int16_t, int16_t>>> out;
        for (uint16_t q = 3; q < PlayerCount; ++q) {
            if (GetPlayerClub(q) != uint16_t(user_) || (GetPlayerIT(q) == 0 && GetPlayerSusp(q) == 0))
                continue;
            out.push_back({q, {int16_t(GetPlayerIT(q)), int16_t(GetPlayerSusp(q))}});
            SetPlayerIT(q, 0);
            SetPlayerSusp(q, 0);
        }
        ASSERT_GE(HVW_GetSquadSize(user_), 32);
        refusedWith("BOX1140");
        for (const auto& [q, was] : out) {
            SetPlayerIT(q, was.first);
            SetPlayerSusp(q, was.second);
        }
        for (const auto& [q, club] : joined) {
            SetPlayerClub(q, int16_t(club));
            SetPlayerLoanClub(q, int16_t(club));
        }
        RebuildClubRoster(user_);
    }
    int rivals = 0;
    for (int16_t club = 0; club < kClubCount && rivals < 5; ++club) {
        if (club == user_ || GetClubRep(club) == 0 || GetClubBidPlayer(club, 0) != 0) continue;
        SetClubBid(club, 0, p, 100, 0);
        ++rivals;
    }
    refusedWith("BOX1141");
    for (int16_t club = 0; club < kClubCount; ++club)
        if (GetClubBidPlayer(club, 0) == p) SetClubBid(club, 0, 0, 0, 0);

    // Already approached.
    RecentValues[0] = p;
    before = StateHash();
    EXPECT_NE(Bid().find("BOX1145"), std::string::npos);
    EXPECT_EQ(StateHash(), before);

    // Accepted: a player with a value goes to the offer screen, one
    // without is bid for at once in the first free slot.
    std::memset(RecentValues, 0, sizeof RecentValues);
    const bool valued = HVW_ValuePlayerFull(p) != 0;
    SalesTeamClub = -1;
    DealSheetReset = DealSheetFromProfile = 0;
    {
        StdoutCapture quiet;
        EXPECT_EQ(InboxBidForPlayer(nullptr), MENU_CLOSE);
        quiet.Text();
    }
    EXPECT_EQ(MenuOption, valued ? kScreenDealSheet : kScreenClubMain);
    if (valued) {
        EXPECT_EQ(SalesTeamClub, user_);
        EXPECT_EQ(DealSheetReset, 1);
        EXPECT_EQ(DealSheetFromProfile, 1);
    }
    EXPECT_EQ(SelectedPlayer, int16_t(p));
    if (!valued) {
        EXPECT_EQ(GetClubBidPlayer(user_, 0), p);
    }
    SetClubBid(user_, 0, 0, 0, 0);
}

TEST_F(InboxLogicTest, RandomInboxBytesNeverReadOutside) {
    for (int round = 0; round < (ShortTestRun() ? 3 : 12); ++round) {
        GameSeedRandom(uint32_t(round + 1));
        auto* bytes = reinterpret_cast<uint8_t*>(UserInbox);
        for (size_t i = 0; i < sizeof UserInbox; ++i) bytes[i] = uint8_t(GameRandom());
        // Some messages with types of the table.
        for (int slot = 0; slot < kInboxSlots; slot += 3)
            StoreU16(UserInbox[slot].bytes + kMsgType, uint16_t(GameRandom() % 300));
        Show();
        for (int16_t folder = 0; folder < kInboxFolders; ++folder) {
            InboxFolderTab(folder);
            for (int step = 0; step < 4; ++step) {
                InboxScreenProc();
                for (int r = 0; r < InboxRows; ++r) {
                    MenuHotItem row{};
                    row.row = uint8_t(r);
                    InboxRowClick(&row);
                    InboxScreenProc();
                    EXPECT_LE(std::strlen(InboxRowTitle(r)), size_t(kInboxTextSize - 1));
                }
                InboxScrollOlder(nullptr);
            }
        }
    }
}

TEST_F(InboxLogicTest, BoardViewLinesAndBands) {
    SelectedClub = uint16_t(user_);
    const int16_t support = int16_t(GetClubSupport(user_));
    SetClubSupport(user_, 100);
    SetClubGenerosity(user_, 42);
    BoardViewBuild();
    EXPECT_EQ(BoardViewSupportText(), -1);
    EXPECT_EQ(BoardViewGenerosityText(), 3038);
    const uint16_t manager = HVW_GetClubManager(user_);
    EXPECT_STREQ(BoardViewManagerName(), IsValidPlayer(manager) ? HVW_GetPlayerShortName(manager) : "");
    for (int line = 0; line < 3; ++line) {
        const std::string text = BoardViewRatingLine(line);
        ASSERT_NE(text.find(": "), std::string::npos) << text;
        const int percent = std::stoi(text.substr(text.find(": ") + 2));
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
        // The board's, the fans' and the squad's run of 21 band texts.
        const int first = line == 0 ? 3075 : line == 1 ? 3054 : 3096;
        EXPECT_EQ(BoardViewBandText(line), first + percent / 5);
    }
    EXPECT_EQ(std::string(BoardViewRatingLine(2)).substr(0, 6), "Squad:");
    SetClubSupport(user_, support);
}

TEST_F(InboxLogicTest, ASackedUserIsPlacedOrToldNobodyWantsHim) {
    const int16_t country = int16_t(GetClubNation(user_));
    HVW_SetViewedCountry(country);
    SackedClubControl = 1;
    SackedClub = uint16_t(user_);
    // No vacancy would take him at once (each made too grand for him):
    // the club of the highest reputation that would loses its manager.
    int16_t vacancies[kClubCount];
    const int16_t count = HVW_ListManagerVacancies(vacancies, country);
    std::vector<std::pair<int16_t, int16_t>> kept;
    for (int i = 0; i < count; ++i) {
        kept.emplace_back(vacancies[i], int16_t(GetClubRep(vacancies[i])));
        SetClubRep(vacancies[i], 63);
    }
    SetPlayerReputation(1, 63);
    int16_t best = -1;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubNation(club) != uint16_t(country) ||
            GetClubDivision(club) >= HVW_CountCompRounds2(country) || GetClubRep(club) == 0 ||
            club == user_ || 63 <= 2 * GetClubRep(club))
            continue;
        if (best < 0 || GetClubRep(club) > GetClubRep(best)) best = club;
    }
    ASSERT_GE(best, 0);
    ASSERT_NE(HVW_GetClubManager(best), 0);
    VacanciesEnter();
    VacanciesFillRows();
    EXPECT_EQ(VacancyNoJob, 0);
    EXPECT_EQ(HVW_GetClubManager(best), 0) << "club " << best;
    EXPECT_NE(std::find(VacancyList, VacancyList + VacancyCount, best), VacancyList + VacancyCount);
    for (auto [club, rep] : kept) SetClubRep(club, rep);
    for (int r = 0; r < VacancyRowsShown; ++r)
        EXPECT_EQ(GetClubNation(VacancyRowClubs[r]), uint16_t(country));
    EXPECT_LE(VacancyRowsShown, kVacancyRows);

    // Nobody wants a manager of no reputation: text 1117 once, the flag,
    // and every way out leads to the start screen.
    SetPlayerReputation(1, 0);
    StdoutCapture out;
    VacanciesEnter();
    const std::string said = out.Text();
    EXPECT_NE(said.find("No club has a job for you."), std::string::npos);
    EXPECT_EQ(said.find("No club has a job for you.", said.find("No club") + 1), std::string::npos);
    EXPECT_EQ(VacancyNoJob, 1);
    EXPECT_EQ(Vacancies_ClubInformation(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenStart);
    MenuOption = kScreenVacancies;
    Vacancies_OpenPopup(nullptr);
    EXPECT_EQ(MenuOption, kScreenStart);
    SackedClubControl = 0;
}

}  // namespace
