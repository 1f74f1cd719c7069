// The match-day panels over a new game's world on the headless display:
// the team news with its two team sheets (rows by position group, the
// substitutes, the names either side of the centre, the buttons), the
// reserve-league sheet, the opponent panel with its records, results,
// lists and badges, the news flashes drawn over the screen, and the
// module's small waits and texts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/matchdaynotices.h"
#include "core/club/squads.h"
#include "core/match/matchratings.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchdaynews.h"
#include "game/screens/start/startmenu.h"
#include "game/system/startup.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using testenv::FirstClubOf;
using testenv::FixturesOn;

using testenv::MenuUserClickAt;
using testenv::MenuUserDo;
using testenv::MenuUserWait;

using testenv::Grab;
using testenv::GrabBack;
int Channel(uint32_t c, int k) { return int(c >> (8 * k) & 255); }
int Brightness(uint32_t c) { return Channel(c, 0) + Channel(c, 1) + Channel(c, 2); }
bool Differs(const Grab& a, const Grab& b, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (a.At(x, y) != b.At(x, y)) return true;
    return false;
}

class MatchDayPanelsTest : public MenuEngineTest {
  protected:
    static inline testenv::SharedNewWorld world_;

    void SetUp() override {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!worldReady_) GTEST_FAIL() << world_.error;
        InstallGameHooks();
        user_ = FirstClubOf(0, 0);
        rival_ = FirstClubOf(0, 0, user_);
        SetPlayerClub(1, uint16_t(user_));
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SoakMode = 0;
        MatchDayFlags = uint16_t(kDayFlaggedDone);
        SeasonCalendar.currentDay = 120;
        day_ = EmptyDay();
        ASSERT_GE(day_, 0);
        SeasonCalendar.currentDay = day_;
        ASSERT_GE(AddOn(day_, kCompLeague, user_, rival_), 0);
    }
    void TearDown() override {
        if (started_ && worldReady_) {
            // The days this test filled are empty again for the next one.
            for (int16_t day : used_) {
                for (int slot = kFixtureSlots - 1; slot >= 0; --slot)
                    if (FixtureDay(slot) == uint16_t(day)) DeleteFixture(int16_t(slot));
            }
            RecountClubSeasonRecords(SeasonCalendar.currentDay);
        }
        SoakMode = 0;
        // The hooks the test program starts with: a later test may need the
        // front end called from the core (the progress a new game shows).
        InstallGameHooks();
        MenuEngineTest::TearDown();
    }

    static int16_t EmptyDay() {
        for (int16_t day = SeasonCalendar.currentDay; day < 350; ++day)
            if (FixturesOn(day) == 0 && FixturesOn(day - 1) == 0) return day;
        return -1;
    }
    int16_t AddOn(int16_t day, int16_t type, int16_t home, int16_t away) {
        if (std::find(used_.begin(), used_.end(), day) == used_.end()) used_.push_back(day);
        return HVW_AddFixture(day, type, home, away, 0);
    }
    static void SetScore(int16_t slot, int home, int away) {
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        recbits::StoreU32(word,
                          (recbits::LoadU32(word) & ~uint32_t(0x3FF)) | uint32_t(home) | uint32_t(away) << 5);
    }
    // A played league fixture of the day between the two clubs.
    int16_t Played(int16_t day, int16_t home, int16_t away, int homeGoals, int awayGoals) {
        AddOn(day, kCompLeague, home, away);
        for (int slot = 0; slot < kFixtureSlots; ++slot) {
            if (FixtureDay(slot) == uint16_t(day) && FixtureHome(slot) == home && FixtureAway(slot) == away &&
                !IsFixturePlayed(slot)) {
                SetScore(int16_t(slot), homeGoals, awayGoals);
                return int16_t(slot);
            }
        }
        return -1;
    }
    // The first players of the world of each position type, in the order
    // asked for.
    static std::vector<uint16_t> PlayersOfTypes(const std::vector<int>& types) {
        std::vector<uint16_t> out;
        std::vector<bool> taken(size_t(PlayerCount), false);
        for (int type : types) {
            for (uint16_t p = 2; IsPlayerNumber(p); ++p) {
                if (!taken[p] && HVW_GetPositionType(p) == type) {
                    taken[p] = true;
                    out.push_back(p);
                    break;
                }
            }
        }
        return out;
    }
    static const HotRegion* RegionWithResult(int16_t result) {
        for (const HotRegion& r : MatchDayViewRegions())
            if (r.result == result) return &r;
        return nullptr;
    }
    static int16_t TextIdOf(const HotRegion& r) { return int16_t(reinterpret_cast<intptr_t>(r.text)); }
    static void Redraw(uint8_t event) {
        MatchDayEvent = event;
        MatchDayFlags |= kDayRedraw;
        MatchDay_Dispatch();
    }

    static inline bool worldReady_ = false;
    int16_t user_ = -1, rival_ = -1, day_ = -1;
    std::vector<int16_t> used_;
};

// The bounding columns of a text painted alone at the anchor on black, and
// the share of its full-colour pixels that the panel shows unchanged.
struct TextCheck {
    int left = 800, right = -1;
    int matched = 0, pixels = 0;
};
TextCheck PaintedAlone(const Grab& panel, int font, int x, const char* text, uint16_t justify) {
    FillSolidRect(0, 0, 800, 600, 0);
    SetFont(int16_t(font));
    SetDrawParam(1, 0);
    DrawTextAddrAt(x, 97, text, justify);
    const Grab alone = GrabBack();
    TextCheck check;
    uint32_t brightest = 0;
    for (int y = 85; y < 135; ++y)
        for (int px = 0; px < 800; ++px)
            if (Brightness(alone.At(px, y)) > Brightness(brightest)) brightest = alone.At(px, y);
    for (int y = 85; y < 135; ++y) {
        for (int px = 0; px < 800; ++px) {
            if (alone.At(px, y) == 0) continue;
            check.left = std::min(check.left, px);
            check.right = std::max(check.right, px);
            if (alone.At(px, y) != brightest) continue;
            ++check.pixels;
            check.matched += panel.At(px, y) == brightest;
        }
    }
    return check;
}

TEST_F(MatchDayPanelsTest, TheTeamNewsShowsBothSheetsByPositionGroupTheSubstitutesAndItsButtons) {
    MatchDay_PrepareTeamNews();
    ASSERT_EQ(TeamNewsBlock.home, user_);
    ASSERT_EQ(TeamNewsBlock.away, rival_);
    EXPECT_EQ(OpponentFigures.club, rival_);
    // A keeper, four defenders, four midfielders and two forwards, given in
    // a mixed shirt order; five substitutes.
    const std::vector<uint16_t> starters = PlayersOfTypes({3, 1, 2, 0, 1, 2, 3, 1, 2, 1, 2});
    const std::vector<uint16_t> subs = PlayersOfTypes({0, 1, 1, 2, 3});
    ASSERT_EQ(starters.size(), 11u);
    ASSERT_EQ(subs.size(), 5u);
    TeamNewsBlock.substitutes = 5;
    for (int side = 0; side < 2; ++side) {
        std::copy(starters.begin(), starters.end(), TeamNewsBlock.lineUp[side]);
        std::copy(subs.begin(), subs.end(), TeamNewsBlock.lineUp[side] + 11);
    }
    MatchDay_TeamNews();
    const Grab full = GrabBack();
    // The regions: the continue bar and, while the group is live, the
    // opponent's button sized to its text and centred on x 400.
    const HotRegion* bar = RegionWithResult(6);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->x, 32);
    EXPECT_EQ(bar->y, 559);
    EXPECT_EQ(bar->w, 736);
    EXPECT_EQ(TextIdOf(*bar), 413);
    const HotRegion* opponent = RegionWithResult(1);
    ASSERT_NE(opponent, nullptr);
    SetFont(8);
    int16_t width = 0;
    GetTextNoSize(1705, &width, nullptr);
    EXPECT_STREQ(GetText(1705), "Opponent");
    EXPECT_EQ(opponent->w, width + 4);
    EXPECT_NEAR(opponent->x + opponent->w / 2, 400, 1);
    EXPECT_EQ(Hotspot_HitTest(MatchDayHotspots, int16_t(opponent->x + opponent->w / 2), 549, 1), 1);
    EXPECT_EQ(Hotspot_HitTest(MatchDayHotspots, 20, 300, 1), -1) << "a click outside every region";

    // The same panel without the home players: the home starters' rows are
    // those that change, a blank row between groups; the five substitute
    // rows stand at y 317-397.
    std::fill(TeamNewsBlock.lineUp[0], TeamNewsBlock.lineUp[0] + 16, uint16_t(0));
    MatchDay_TeamNews();
    const Grab empty = GrabBack();
    const int filledRows[] = {0, 2, 3, 4, 5, 7, 8, 9, 10, 12, 13};
    for (int row = 0; row < 14; ++row) {
        const int y = 137 + 20 * row;
        const bool filled =
            std::find(std::begin(filledRows), std::end(filledRows), row) != std::end(filledRows);
        EXPECT_EQ(Differs(full, empty, 300, y + 3, 372, y + 17), filled) << "row at y " << y;
    }
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Differs(full, empty, 32, 320 + 20 * i, 110, 334 + 20 * i)) << i;
    EXPECT_FALSE(Differs(full, empty, 32, 420, 110, 440)) << "no sixth substitute row";

    // Fourteen shaded rows in each column, darker and lighter in turn, and
    // nothing shaded below them.
    ShowMenuBackground(4);
    const Grab background = GrabBack();
    for (int x : {230, 600}) {
        for (int row = 0; row < 14; ++row) {
            const int y = 137 + 20 * row + 10;
            EXPECT_LT(Brightness(empty.At(x, y)), Brightness(background.At(x, y))) << x << "," << y;
            if (row > 0 && (row & 1) != 0) {
                EXPECT_GT(Brightness(empty.At(x, y)), Brightness(empty.At(x, y - 20)) - 1) << x << "," << y;
            }
        }
        EXPECT_EQ(empty.At(x, 430), background.At(x, 430));
    }

    // The home name ends at x 374 and the away name starts at x 426, as the
    // names painted alone there.
    const TextCheck home = PaintedAlone(full, 13, 374, TeamNewsBlock.names[0], JUSTIFY_RIGHT_TOP);
    EXPECT_LE(home.right, 374);
    EXPECT_GE(home.right, 366);
    EXPECT_GT(home.pixels, 10);
    EXPECT_GE(home.matched * 10, home.pixels * 9);
    const TextCheck away = PaintedAlone(full, 13, 426, TeamNewsBlock.names[1], JUSTIFY_LEFT_TOP);
    EXPECT_GE(away.left, 426);
    EXPECT_LE(away.left, 434);
    EXPECT_GE(away.matched * 10, away.pixels * 9);
}

TEST_F(MatchDayPanelsTest, TheFinishedPanelLeadsToTheMatchTheReserveSheetContinuesAndSoakShowsNoButton) {
    MatchDay_PrepareTeamNews();
    MatchDayFlags |= uint16_t(kDayUserGroupDone | kDayPanelFinished);
    Redraw(0);
    ASSERT_EQ(MatchDayViewRegions().size(), 1u);
    EXPECT_EQ(MatchDayViewRegions()[0].result, 9);
    EXPECT_EQ(TextIdOf(MatchDayViewRegions()[0]), 1704);
    EXPECT_EQ(MatchDayViewRegions()[0].x, 60);
    // The opponent panel of the finished group offers the same bar.
    Redraw(1);
    ASSERT_EQ(MatchDayViewRegions().size(), 1u);
    EXPECT_EQ(MatchDayViewRegions()[0].result, 9);

    // A day with only the reserve-league fixture: its own sheet and bar.
    const int16_t other = FirstClubOf(0, 0, rival_);
    ASSERT_GE(AddOn(day_, kCompReserveLeague, other, user_), 0);
    Redraw(4);
    EXPECT_EQ(TeamNewsBlock.home, other);
    ASSERT_EQ(MatchDayViewRegions().size(), 1u);
    EXPECT_EQ(MatchDayViewRegions()[0].result, 6);
    EXPECT_EQ(TextIdOf(MatchDayViewRegions()[0]), 75);
    EXPECT_EQ(MatchDayViewRegions()[0].w, 678);

    SoakMode = 1;
    for (uint8_t event : {0, 1, 4}) {
        Redraw(event);
        EXPECT_TRUE(MatchDayViewRegions().empty()) << int(event);
    }
}

TEST_F(MatchDayPanelsTest, TheOpponentPanelShowsHisRecordsLatestLeagueResultsAndRankedPlayers) {
    // Three league results before today: 2-0 and 1-1 at home, 0-3 away.
    const int16_t a = FirstClubOf(0, 0, rival_);
    const int16_t b = FirstClubOf(0, 0, a);
    const int16_t first = Played(int16_t(day_ - 40), rival_, a, 2, 0);
    const int16_t middle = Played(int16_t(day_ - 30), rival_, b, 1, 1);
    const int16_t newest = Played(int16_t(day_ - 20), b, rival_, 3, 0);
    ASSERT_GE(first, 0);
    RecountClubSeasonRecords(int16_t(day_ - 1));
    // His keeper has goals; a suspended and injured player without a shirt
    // tops the performance list.
    BuildClubSquadList(rival_);
    uint16_t keeper = 0, absent = 0, scorer = 0;
    for (int i = 0; i < FirstTeamList.count; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (p == 0) continue;
        SetPlayerGoals(p, 0);
        if (keeper == 0 && HVW_GetPositionType(p) == 0) {
            keeper = p;
        } else if (absent == 0 && HVW_GetPositionType(p) == 1 && GetPlayerFlag95(p) == 0 &&
                   GetPlayerFlag107(p) == 0) {
            absent = p;
        } else if (scorer == 0 && HVW_GetPositionType(p) == 3) {
            scorer = p;
        }
    }
    ASSERT_NE(keeper, 0);
    ASSERT_NE(absent, 0);
    ASSERT_NE(scorer, 0);
    SetPlayerGoals(keeper, 9);
    SetPlayerGoals(scorer, 4);
    SetPlayerPerf(absent, 90);
    SetPlayerSusp(absent, 2);
    SetPlayerIT(absent, 5);
    // The newest fixture's marks for his side: 6, 8 and a player without
    // one, kept in the store of match marks as a played match keeps them.
    // The first fixture's line-up has marks too, but the store holds no
    // record of it.
    const auto setMarks = [&](int16_t slot, int side, const uint8_t(&marks)[3]) {
        uint8_t* entry = FixtureTable[slot].bytes + kFixtureLineUps + side * kFixtureLineUpSize;
        for (int k = 0; k < kFixtureLineUpEntries; ++k, entry += kFixtureLineUpEntrySize) {
            recbits::StoreU16(entry, uint16_t(k < 3 ? keeper + k : 0));
            entry[2] = k < 3 ? marks[k] : 0;
        }
    };
    MatchRatings_Clear();
    setMarks(newest, 1, {6, 8, 0});
    MatchRatings_StoreFixture(newest);
    setMarks(middle, 0, {0, 0, 0});
    MatchRatings_StoreFixture(middle);
    setMarks(first, 0, {9, 9, 9});

    MatchDay_PrepareTeamNews();
    SetPlayerShirt(absent, 0);
    MatchDay_FillOpponentFigures(HVW_FindClubFixtureOnDay(user_, day_, 0));
    const OpponentFigureBlock& o = OpponentFigures;
    ASSERT_EQ(o.club, rival_);
    int16_t home[5], away[5];
    HVW_GetClubSeasonHomeRecord(rival_, &home[0], &home[1], &home[2], &home[3], &home[4]);
    HVW_GetClubSeasonAwayRecord(rival_, &away[0], &away[1], &away[2], &away[3], &away[4]);
    const int16_t homeWanted[5] = {1, 1, 0, 3, 1}, awayWanted[5] = {0, 0, 1, 0, 3};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(o.homeRecord[k], home[k]) << k;
        EXPECT_EQ(o.awayRecord[k], away[k]) << k;
        EXPECT_EQ(o.homeRecord[k], homeWanted[k]) << k;
        EXPECT_EQ(o.awayRecord[k], awayWanted[k]) << k;
    }
    // Three rows, newest first; the mean of the marks above 0.
    EXPECT_EQ(o.results[0], newest);
    EXPECT_NE(o.results[2], -1);
    EXPECT_EQ(o.results[3], -1);
    EXPECT_EQ(PreviewPanel_MeanMark(newest, rival_), 7);
    EXPECT_EQ(PreviewPanel_MeanMark(middle, rival_), 0) << "no marks: 0, nothing divided";
    EXPECT_EQ(PreviewPanel_MeanMark(first, rival_), 0) << "no record kept: 0";
    // No keeper among the scorers; the absent player wears the suspension's
    // badge and no number.
    EXPECT_EQ(o.scorerList[0].player, scorer);
    EXPECT_EQ(o.scorerList[0].value, 4);
    for (const OpponentListEntry& e : o.scorerList) EXPECT_NE(e.player, keeper);
    EXPECT_EQ(o.performanceList[0].player, absent);
    int16_t icon = 0, number = 0, text = 0;
    PlayerStatusBadge(o.performanceList[0], &icon, &number, &text);
    EXPECT_EQ(icon, 14);
    EXPECT_EQ(number, -32768);
    EXPECT_EQ(text, -1);
    PlayerStatusBadge({scorer, 0, 4}, &icon, &number, &text);
    EXPECT_EQ(icon, HVW_GetPositionTypeRowCode(scorer));
    EXPECT_EQ(number, HVW_GetPlayerShirt(scorer));
    PlayerStatusBadge({scorer, 7, 4}, &icon, &number, &text);
    EXPECT_EQ(icon, 1);
    EXPECT_EQ(number, -32768);

    // Seven results: the five newest.
    for (int k = 0; k < 4; ++k) Played(int16_t(day_ - 10 + k), rival_, a, 1, 0);
    MatchDay_FillOpponentFigures(HVW_FindClubFixtureOnDay(user_, day_, 0));
    for (int k = 0; k < 5; ++k) EXPECT_GE(OpponentFigures.results[k], 0) << k;
    EXPECT_EQ(FixtureDay(OpponentFigures.results[0]), uint16_t(day_ - 7));
    EXPECT_EQ(FixtureDay(OpponentFigures.results[4]), uint16_t(day_ - 20));

    // The team news' opponent button opens the panel: five panels shaded
    // in colour 8484 at 68 %, and the regions of table A side by side.
    Redraw(0);
    const HotRegion* button = RegionWithResult(1);
    ASSERT_NE(button, nullptr);
    MatchDayEvent = uint8_t(Hotspot_HitTest(MatchDayHotspots, int16_t(button->x + button->w / 2), 549, 1));
    ASSERT_EQ(MatchDayEvent, 1);
    MatchDayFlags |= kDayRedraw;
    MatchDay_Dispatch();
    const Grab panel = GrabBack();
    ShowMenuBackground(4);
    const Grab background = GrabBack();
    const int points[5][2] = {{28, 145}, {348, 145}, {355, 268}, {280, 490}, {600, 490}};
    const int shade[3] = {33, 36, 33};
    for (const auto& p : points) {
        const uint32_t bg = background.At(p[0], p[1]), shown = panel.At(p[0], p[1]);
        for (int k = 0; k < 3; ++k) {
            const int want = Channel(bg, k) + (shade[k] - Channel(bg, k)) * 68 / 100;
            EXPECT_NEAR(Channel(shown, k), want, 8) << p[0] << "," << p[1] << " channel " << k;
        }
    }
    const auto regions = MatchDayViewRegions();
    ASSERT_EQ(regions.size(), 4u);
    const int16_t events[4] = {6, 0, 6, 0};
    for (size_t i = 0; i < regions.size(); ++i) {
        EXPECT_EQ(regions[i].result, events[i]);
        if (i > 0) {
            EXPECT_GT(regions[i].x, regions[i - 1].x + regions[i - 1].w) << "side by side";
        }
        EXPECT_EQ(Hotspot_HitTest(MatchDayHotspots, int16_t(regions[i].x + regions[i].w / 2), 549, 1),
                  events[i]);
    }
    SetPlayerSusp(absent, 0);
    SetPlayerIT(absent, 0);
}

TEST_F(MatchDayPanelsTest, FlashesNameTheRightClubsAndFastOnesWaitOverTheScreenInUse) {
    MatchDay_ClearMessages();
    BuildClubSquadList(user_);
    const uint16_t player = FirstTeamList.players[0];
    const std::string name = HVW_GetPlayerShortName(player);
    const std::string userName = HVW_GetClubName(user_), rivalName = HVW_GetClubName(rival_);
    const auto filled = [](int16_t textId, std::initializer_list<std::pair<const char*, std::string>> fills) {
        std::string text = GetText(textId);
        for (const auto& [key, value] : fills) {
            const size_t at = text.find(key);
            if (at != std::string::npos) text.replace(at, std::strlen(key), value);
        }
        return text.substr(0, kDayFlashTextSize - 1);
    };
    const std::string money = Price2strPlain(250000);
    MatchDay_BuildReport(player, rival_, user_, 250000, 0);
    EXPECT_EQ(std::string(MatchDayMessageQueue.text[0]),
              filled(1262, {{"$1t", rivalName}, {"$0m", money}, {"$0p", name}, {"$0t", userName}}));
    MatchDay_BuildReport(player, rival_, user_, 0, 1);
    EXPECT_EQ(std::string(MatchDayMessageQueue.text[1]),
              filled(1264, {{"$1t", rivalName}, {"$0p", name}, {"$0t", userName}}));
    MatchDay_BuildReport(player, 255, user_, 0, 0);
    EXPECT_EQ(std::string(MatchDayMessageQueue.text[2]), filled(1267, {{"$0p", name}, {"$0t", userName}}));
    MatchDay_BuildMessageA(user_, player);
    EXPECT_EQ(std::string(MatchDayMessageQueue.text[3]), filled(1265, {{"$0t", userName}, {"$0p", name}}));
    // A negative destination or a loan trial shows nothing.
    MatchDay_BuildReport(player, -1, user_, 0, 0);
    SetPlayerLoanTrial(player, 1);
    MatchDay_BuildReport(player, rival_, user_, 0, 1);
    SetPlayerLoanTrial(player, 0);
    EXPECT_EQ(MatchDayMessageQueue.head, 4);

    // Over the screen in use: the panel's icon covers the centre, the rest
    // stays.  Five flashes in a row: only the fifth waits, 100 ticks.
    MatchDay_ClearMessages();
    FillSolidRect(0, 0, 800, 600, 0xF800);
    SaveScreen();
    uint32_t before = GetTimerTicks();
    for (int i = 0; i < 4; ++i) MatchDay_BuildMessageA(user_, player);
    EXPECT_LT(GetTimerTicks() - before, 100u);
    before = GetTimerTicks();
    MatchDay_BuildMessageA(user_, player);
    EXPECT_GE(GetTimerTicks() - before, 100u);
    const Grab shown = GrabBack();
    EXPECT_NE(shown.At(400, 300), GetBackBufferPixel(5, 5));
    EXPECT_EQ(shown.At(5, 5), shown.At(795, 595));
}

TEST_F(MatchDayPanelsTest, TheSmallRoutinesHoldTheirValues) {
    EXPECT_EQ(OrdinalSuffixText(1), 263);
    EXPECT_EQ(OrdinalSuffixText(2), 264);
    EXPECT_EQ(OrdinalSuffixText(23), 265);
    EXPECT_EQ(OrdinalSuffixText(4), 266);
    for (int n : {11, 12, 13}) EXPECT_EQ(OrdinalSuffixText(n), 266) << n;
    EXPECT_EQ(OrdinalSuffixText(111), 263);
    EXPECT_EQ(OrdinalSuffixText(112), 264);

    char text[300] = "a $x b $x";
    ReplaceFirstText(text, "$x", "one");
    EXPECT_STREQ(text, "a one b $x");
    ReplaceFirstText(text, "$y", "two");
    EXPECT_STREQ(text, "a one b $x");
    std::string longText(290, 'z');
    std::snprintf(text, sizeof text, "%s$x", longText.c_str());
    ReplaceFirstText(text, "$x", "0123456789abcdef");
    EXPECT_EQ(std::strlen(text), 299u);

    EXPECT_EQ(ClubReputationMoney(user_, 0), int32_t(HVW_GetClubReputation(user_)) * 1200);
    EXPECT_EQ(ClubReputationMoney(user_, 3), ClubReputationMoney(user_, 0));
    EXPECT_EQ(ClubReputationMoney(-1, 0), 0);

    // The preview's extracts emptied; the group table empty for a league
    // fixture.
    TableExtractPair pair;
    std::memset(&pair, 0x5A, sizeof pair);
    PreviewPanel_ClearExtracts(pair);
    for (const TableExtractRow& row : pair.top) EXPECT_EQ(row.club, -1);
    EXPECT_EQ(pair.bottom[23].club, -1);
    EXPECT_EQ(pair.bottom[23].points + pair.bottom[23].played + pair.bottom[23].place + pair.bottom[23].mark,
              0);
    PreviewGroupTable[2][kGroupClub] = 7;
    PreviewPanel_SetGroupEntries(HVW_FindClubFixtureOnDay(user_, day_, 0), 0);
    for (const auto& row : PreviewGroupTable) EXPECT_EQ(row[kGroupClub], -1);

    // Shirt order, empty places staying where they are.
    const std::vector<uint16_t> players = PlayersOfTypes({0, 1, 2, 3});
    const int16_t shirts[4] = {9, 2, 7, 4};
    for (int i = 0; i < 4; ++i) SetPlayerShirt(players[size_t(i)], shirts[i]);
    int16_t a[32], b[32];
    std::fill(std::begin(a), std::end(a), int16_t(-1));
    std::fill(std::begin(b), std::end(b), int16_t(-1));
    a[0] = int16_t(players[0]);
    a[1] = int16_t(players[1]);
    a[3] = int16_t(players[2]);
    a[4] = int16_t(players[3]);
    b[30] = int16_t(players[2]);
    b[31] = int16_t(players[1]);
    MatchDay_SortByShirt(a, b);
    EXPECT_EQ(a[0], int16_t(players[1]));
    EXPECT_EQ(a[1], int16_t(players[0]));
    EXPECT_EQ(a[2], -1);
    EXPECT_EQ(a[3], int16_t(players[3]));
    EXPECT_EQ(a[4], int16_t(players[2]));
    EXPECT_EQ(b[30], int16_t(players[1]));
    EXPECT_EQ(b[31], int16_t(players[2]));
}

TEST_F(MatchDayPanelsTest, TheIconWaitEndsOnlyInsideItsSquareAndTheChooserSetsTheView) {
    static bool insideQueued;
    insideQueued = false;
    MenuUserWait(3);
    MenuUserClickAt(570, 450);  // on the border: not inside
    MenuUserWait(5);
    MenuUserDo([] { insideQueued = true; });
    MenuUserClickAt(590, 450);
    MatchDay_WaitForIcon();
    EXPECT_TRUE(insideQueued);
    // The press is let go before the chooser comes up.
    while (testenv::MenuUserPending() > 0) WaitTickAndPoll();

    MenuUserWait(3);
    MenuUserClickAt(128, 450);
    MenuOption = kScreenClubMain;
    MatchOptionsByte = 0;
    MatchDay_ChooseView();
    while (testenv::MenuUserPending() > 0) WaitTickAndPoll();
    EXPECT_EQ(MenuOption, kScreenMatchNotWatched);
    EXPECT_NE(MatchOptionsByte & kMatchOptionUnshown, 0);
    MenuUserWait(3);
    MenuUserClickAt(512, 450);
    MatchDay_ChooseView();
    EXPECT_EQ(MatchViewWord, 2);
    EXPECT_EQ(MatchOptionsByte & kMatchOptionUnshown, 0);

    // A timed wait ends after its ticks.
    const uint32_t start = GetTimerTicks();
    MatchDay_WaitTicks(50);
    EXPECT_GE(GetTimerTicks() - start, 50u);
}

}  // namespace
