// The match preview: the table-excerpt plan on constructed tables, the
// excerpt heights, the fact records and the capped lines without a world;
// then over a new game's world with faked results the page drawn on the
// headless display (titles, teams line, boxes, side panel), the box
// geometry, every user fixture of a season through the page, and a run of
// days that stops on the user's match day with the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchevents.h"
#include "core/season/reportfacts.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchpreview.h"
#include "game/screens/matchday/matchreport.h"
#include "game/system/startup.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/fixture_fakes.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

// ---- Without a world ---------------------------------------------------------------------

ExtractSide Side(int16_t division, int16_t clubs, int16_t position, bool shown = true, int16_t nation = 0) {
    return ExtractSide{shown, nation, division, clubs, position};
}

struct Rows {
    int16_t top0, bottom0, top1, bottom1;
};
Rows RowsOf(const ExtractPlan& p) { return {p.topRows[0], p.bottomRows[0], p.topRows[1], p.bottomRows[1]}; }
bool operator==(const Rows& a, const Rows& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
std::ostream& operator<<(std::ostream& os, const Rows& r) {
    return os << r.top0 << "/" << r.bottom0 << " " << r.top1 << "/" << r.bottom1;
}

TEST(MatchPreviewPlan, OneDivisionSharesOneExcerptByTheHalvesOfItsTable) {
    // 20 clubs: half 10, third 6.  Both in the top half: by the larger
    // candidate, 4 rows under 3, the third up to it, else the half.
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 0), Side(0, 20, 1))), (Rows{4, 0, 0, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 0), Side(0, 20, 5))), (Rows{6, 0, 0, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 7), Side(0, 20, 2))), (Rows{10, 0, 0, 0}));
    // Both in the bottom half: the same from the bottom.
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 19), Side(0, 20, 15))), (Rows{0, 6, 0, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 19), Side(0, 20, 18))), (Rows{0, 4, 0, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 10), Side(0, 20, 19))), (Rows{0, 10, 0, 0}));
    // One in each half, both near their ends: the top and the bottom rows.
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 1), Side(0, 20, 17))), (Rows{4, 6, 0, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 18), Side(0, 20, 3))), (Rows{6, 4, 0, 0}));
    // ... otherwise the whole table.
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 8), Side(0, 20, 12))), (Rows{20, 0, 0, 0}));
    // A third of 4 or less: the half for one half, the whole table across.
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 12, 0), Side(0, 12, 4))), (Rows{6, 0, 0, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 12, 0), Side(0, 12, 11))), (Rows{12, 0, 0, 0}));
    // A shared table of fewer than 12 clubs gets no rows.
    const ExtractPlan small = MatchDay_PlanExtractRows(Side(1, 10, 0), Side(1, 10, 9));
    EXPECT_EQ(RowsOf(small), (Rows{0, 0, 0, 0}));
    EXPECT_EQ(small.side[0], 0);
}

TEST(MatchPreviewPlan, ClubsOfTwoTablesGetAnExcerptEachAndUnshownSidesNone) {
    // Home top candidate 3 (under 4): 4 rows; away of 24 clubs (third 8)
    // bottom candidate 4: 8 rows, candidate 11: the half.
    ExtractPlan p = MatchDay_PlanExtractRows(Side(0, 20, 2), Side(1, 24, 20));
    EXPECT_EQ(RowsOf(p), (Rows{4, 0, 0, 8}));
    EXPECT_EQ(p.side[0], 0);
    EXPECT_EQ(p.side[1], 1);
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 2), Side(1, 24, 13))), (Rows{4, 0, 0, 12}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 4), Side(1, 24, 0))), (Rows{6, 0, 4, 0}));
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(0, 20, 8), Side(1, 24, 0))), (Rows{10, 0, 4, 0}));
    // A table of fewer than 12 clubs of its own is shown whole; the same
    // division of another nation is another table.
    EXPECT_EQ(RowsOf(MatchDay_PlanExtractRows(Side(1, 10, 5), Side(1, 20, 0, true, 3))), (Rows{10, 0, 4, 0}));
    // Only the away side shown: the first excerpt is his.
    p = MatchDay_PlanExtractRows(Side(0, 20, 0, false), Side(1, 24, 23));
    EXPECT_EQ(p.side[0], 1);
    EXPECT_EQ(p.side[1], -1);
    EXPECT_EQ(RowsOf(p), (Rows{0, 4, 0, 0}));
    p = MatchDay_PlanExtractRows(Side(0, 20, 0, false), Side(0, 20, 0, false));
    EXPECT_EQ(p.side[0], -1);
    EXPECT_EQ(RowsOf(p), (Rows{0, 0, 0, 0}));
}

TEST(MatchPreviewPage, ExcerptHeightsAreTheRoomTheirRowsTake) {
    EXPECT_EQ(MatchReport_ExcerptHeight(-1, -1, 20), 0);
    EXPECT_EQ(MatchReport_ExcerptHeight(3, 3, 20), 14 + 8 + 10 + 40);
    EXPECT_EQ(MatchReport_ExcerptHeight(19, 19, 20), 14 + 10 + 200) << "a whole table has no top label";
    EXPECT_EQ(MatchReport_ExcerptHeight(-1, 5, 20), 14 + 8 + 10 + 60);
    EXPECT_EQ(MatchReport_ExcerptHeight(3, 9, 20), 72 + 10 + 8 + 10 + 60);
}

class MatchReportTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::map<int, std::string> texts;
        for (int id = 2561; id <= 2605; id += 2) texts[id] = "shared " + std::to_string(id);
        testenv::LoadTexts(texts);
        MatchReport_ResetSections();
        for (ReportLineData& l : ReportLine) l = ReportLineData{{}, 0, 1, -1};
        ReportLineCount = 0;
        ReportHeadline = -1;
        ReportRefereeLine = -1;
        std::memset(ReportFactRecords, 0, sizeof ReportFactRecords);
        ReportFactRecords[0].fields = 0xE0;
        ReportFacts_Reset();
    }
    void TearDown() override { testenv::UnloadTexts(); }
    static std::vector<std::string> LinesOf(int section) {
        std::vector<std::string> out;
        for (const ReportLineData& l : ReportLine)
            if (l.section == section) out.push_back(l.text);
        return out;
    }
};

TEST_F(MatchReportTextTest, FactsBothClubsShareAreToldOnceAndLeaveTheirRecords) {
    EXPECT_EQ(ReportFactRecords[0].slots[0], 0x80);
    EXPECT_EQ(ReportFactRecords[0].fields, 0xE0) << "a reset keeps the top three bits";
    const ReportFact user[] = {{0, 2, 5}, {11, 2, 4}, {1, 2, 2}, {20, 0, 0}};
    const ReportFact other[] = {{0, 2, 5}, {11, 2, 6}, {1, 2, 3}, {20, 0, 0}, {16, 0, 0}};
    ReportFacts_Store(0, 4, user);
    ReportFacts_Store(1, 5, other);
    ReportFacts_Store(2, 1, user);  // only teams 0 and 1 store
    EXPECT_EQ(ReportFacts_Get(0, 0), 5);
    EXPECT_EQ(ReportFacts_Get(1, 1), 3);
    EXPECT_EQ(ReportFacts_Get(20, 0), 1);
    EXPECT_EQ(ReportFacts_Get(16, 1), 2);
    EXPECT_EQ(ReportFacts_Get(23, 0), 0);
    EXPECT_EQ(ReportFacts_Get(0, 2), 0);
    ReportFacts_MergeShared();
    // Slot 0 (kind 11) needs only two values, slot 1 (kind 0) equal ones;
    // slot 3 (kind 1) differs; the 3-bit field matches, the 2-bit one not.
    EXPECT_EQ(LinesOf(3), (std::vector<std::string>{"shared 2561", "shared 2563", "shared 2601"}));
    for (int team = 0; team < 2; ++team) {
        EXPECT_EQ(ReportFacts_Get(0, int16_t(team)), 0) << "not told again for one club";
        EXPECT_EQ(ReportFacts_Get(11, int16_t(team)), 0);
        EXPECT_EQ(ReportFacts_Get(20, int16_t(team)), 0);
    }
    EXPECT_EQ(ReportFacts_Get(0, 2), 5);
    EXPECT_EQ(ReportFacts_Get(20, 2), 1);
    EXPECT_EQ(ReportFacts_Get(1, 0), 2);
    EXPECT_EQ(ReportFacts_Get(16, 1), 2);
    EXPECT_EQ(ReportHeadline, -1) << "section 3 gives no headline";
    EXPECT_EQ(ReportFactRecords[0].fields & 0xE0, 0xE0);
}

TEST_F(MatchReportTextTest, MoreThanThirtyTwoLinesReuseTheLastSlotAndSectionsStayInside) {
    for (int i = 0; i < 40; ++i) {
        const std::string text = "line " + std::to_string(i);
        MatchReport_WriteLine(i % 2 == 0 ? 4 : 1, 5, text.c_str());
    }
    EXPECT_EQ(ReportLineCount, kReportLines - 1);
    EXPECT_STREQ(ReportLine[kReportLines - 1].text, "line 39");
    int total = 0;
    for (const ReportSectionData& s : ReportSection) {
        EXPECT_GE(s.start, -1);
        EXPECT_LT(s.start, kReportLines);
        EXPECT_GE(s.count, 0);
        total += s.count;
    }
    EXPECT_EQ(total, kReportLines) << "every slot counted once";
    EXPECT_EQ(ReportSection[1].start, 1);
    EXPECT_EQ(ReportHeadline, 1) << "the first line of sections 0-2";
    // Empty text and a section outside 0-14 write nothing.
    EXPECT_EQ(MatchReport_WriteLine(4, 5, ""), -1);
    EXPECT_EQ(MatchReport_WriteLine(15, 5, "x"), -1);
    EXPECT_EQ(MatchReport_WriteLine(-1, 5, "x"), -1);
    // A line is cut at 999 characters.
    MatchReport_ResetSections();
    ReportLineCount = 0;
    const std::string longText(1500, 'a');
    ASSERT_EQ(MatchReport_WriteLine(2, 10, longText.c_str()), 0);
    EXPECT_EQ(std::strlen(ReportLine[0].text), size_t(kReportLineSize - 1));
}

// ---- Over a world ----------------------------------------------------------------------------

using testenv::Grab;
using testenv::GrabBack;

class MatchPreviewTest : public MenuEngineTest {
  protected:
    // The new game with results of every fixture before the start day, from
    // the seeded generator, so that the tables and the runs have something
    // to say.
    static void StartFromPlayedWorld() {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        if (!worldReady_) return;
        GameSeedRandom(75);
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            if (FixtureDay(slot) >= kStartDay || IsFixturePlayed(slot)) continue;
            uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
            const uint32_t score = uint32_t(GameRandom() % 4) | uint32_t(GameRandom() % 3) << 5;
            recbits::StoreU32(word, (recbits::LoadU32(word) & ~uint32_t(0x3FF)) | score);
        }
        RecountClubSeasonRecords(kStartDay - 1);
        SortLeagueTables();
    }
    static inline testenv::SharedNewWorld world_;
    static inline bool worldReady_ = false;
    static constexpr int16_t kStartDay = 150;

    void SetUp() override {
        StartFromPlayedWorld();
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!worldReady_) GTEST_FAIL() << world_.error;
        InstallGameHooks();
        SoakMode = 0;
        SeasonCalendar.currentDay = kStartDay;
        HVW_SetViewedCountry(0);
        MakeUser(testenv::FirstClubOf(0, 0));
    }
    void TearDown() override {
        testenv::DayUserStop();
        SoakMode = 0;
        // The hooks the test program starts with: a later test may need the
        // front end called from the core (the progress a new game shows).
        InstallGameHooks();
        MenuEngineTest::TearDown();
    }
    static void MakeUser(int16_t club) {
        SetPlayerClub(1, uint16_t(club));
        SetClubControl(club, 1);
    }
    // The club's first fixture of the kind from the day on; -1 none.
    static int16_t NextFixture(int16_t club, int16_t type, int16_t day) {
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot)
            if (FixtureDay(slot) >= day && FixtureType(slot) == type && IsFixtureOfClub(slot, club))
                return int16_t(slot);
        return -1;
    }
    static void ShowPreviewOf(int16_t slot) {
        SeasonCalendar.currentDay = int16_t(FixtureDay(slot));
        CurrentReferee = HVW_AppointReferee(slot);
        MatchDay_PreparePreview();
        MatchReport_Show();
    }
};

// The bounding columns of a text painted alone at the anchor, and how many
// of its pixels the page shows in the same colour.
struct PageTextCheck {
    int left = 800, right = -1, top = 600;
    int matched = 0, pixels = 0;
};
PageTextCheck PaintedAloneOnPage(const Grab& page, int16_t font, int x, int y, const char* text,
                                 uint16_t justify) {
    constexpr uint16_t kGround = 0x07E0;
    FillSolidRect(0, 0, 800, 600, kGround);
    const uint32_t ground = GetBackBufferPixel(0, 0);
    SetFont(font);
    SetDrawParam(1, 0);
    DrawTextAddrAt(x, y, text, justify);
    const Grab alone = GrabBack();
    // The text's own colour (white) as the full-colour pixels; the edges
    // blend with what lies under them.
    const uint32_t ink = testenv::GrabColour(0xFFFF);
    PageTextCheck c;
    for (int py = std::max(0, y - 20); py < std::min(600, y + 30); ++py) {
        for (int px = 0; px < 800; ++px) {
            if (alone.At(px, py) == ground) continue;
            c.left = std::min(c.left, px);
            c.right = std::max(c.right, px);
            c.top = std::min(c.top, py);
            if ((alone.At(px, py) & 0xFFFFFF) != ink) continue;
            ++c.pixels;
            c.matched += (page.At(px, py) & 0xFFFFFF) == ink;
        }
    }
    return c;
}

TEST_F(MatchPreviewTest, ThePageOfALeagueMatchShowsTitlesTeamsBoxesAndTheTableBeside) {
    const int16_t user = testenv::FirstClubOf(0, 0);
    const int16_t slot = NextFixture(user, kCompLeague, kStartDay);
    ASSERT_GE(slot, 0);
    ShowPreviewOf(slot);
    const Grab page = GrabBack();
    ASSERT_GT(ReportLineCount, 3);
    EXPECT_GE(ReportRefereeLine, 0) << "the referee line";
    EXPECT_STRNE(PreviewBlock.titles[0], "");
    // The side panel: both clubs of one division share an excerpt.
    EXPECT_EQ(PreviewBlock.extractClub[0], FixtureHome(slot));
    EXPECT_GE(PreviewBlock.ranges[1], 3);
    EXPECT_GT(ReportLayout.panelHeight, 0);
    EXPECT_EQ(ReportLayout.mainWidth, 572);
    // The button: text 413 at (60, 559), 678 x 28, event 6; beside it
    // nothing.
    const auto regions = MatchDayViewRegions();
    ASSERT_FALSE(regions.empty());
    EXPECT_EQ(regions.front().x, 60);
    EXPECT_EQ(regions.front().y, 559);
    EXPECT_EQ(regions.front().w, 678);
    EXPECT_EQ(regions.front().result, 6);
    EXPECT_EQ(Hotspot_HitTest(MatchDayHotspots, 400, 573, 1), 6);
    EXPECT_EQ(Hotspot_HitTest(MatchDayHotspots, 40, 573, 1), -1);
    EXPECT_EQ(Hotspot_HitTest(MatchDayHotspots, 400, 540, 1), -1);
    // Shaded boxes in 0x2124 at 68 %: the same boxes shaded alone on the
    // background give the page's pixels where no text lies (the main box's
    // last rows, the panel's right edge).
    ShowMenuBackground(4);
    const Grab background = GrabBack();
    const ReportLayoutData& l = ReportLayout;
    SetDrawParam(2, 0x2124);
    DrawShadedRect(32, l.mainTop, l.mainWidth, l.mainHeight, 68);
    DrawShadedRect(606, l.panelTop, 162, l.panelHeight, 68);
    SetDrawParam(2, 0);
    const Grab boxes = GrabBack();
    for (int x = 40; x < 600; x += 37) {
        const int y = l.mainTop + l.mainHeight - 3;
        EXPECT_EQ(page.At(x, y), boxes.At(x, y)) << x;
        EXPECT_NE(boxes.At(x, y), background.At(x, y)) << "shaded";
    }
    for (int y = l.panelTop + 2; y < l.panelTop + l.panelHeight - 2; y += 23)
        EXPECT_EQ(page.At(766, y), boxes.At(766, y)) << "the side panel from x 606, 162 wide";
    int shaded = 0, samples = 0;
    for (int y = ReportLayout.panelTop + 3; y < ReportLayout.panelTop + 8; ++y) {
        for (int x = 700; x < 760; ++x) {
            ++samples;
            shaded += page.At(x, y) != background.At(x, y);
        }
    }
    EXPECT_GT(shaded, samples / 2) << "the side panel at x 606";
    EXPECT_EQ(page.At(605, ReportLayout.panelTop + 5), background.At(605, ReportLayout.panelTop + 5))
        << "nothing between the main box and the panel";
    // The competition and the date on one line centred on x 400 at y 43,
    // whole on the page (the date once lay under the teams line), and the
    // teams line at y 59, each matched against the same text painted alone.
    EXPECT_STRNE(PreviewBlock.titles[1], "");
    const std::string title = std::string(PreviewBlock.titles[0]) + ", " + PreviewBlock.titles[1];
    const PageTextCheck titles = PaintedAloneOnPage(page, 1008, 400, 43, title.c_str(), JUSTIFY_CENTRE_TOP);
    ASSERT_GT(titles.pixels, 40);
    EXPECT_EQ(titles.matched, titles.pixels);
    EXPECT_NEAR((titles.left + titles.right) / 2, 400, 2);
    const PageTextCheck home =
        PaintedAloneOnPage(page, 1013, 364, 59, PreviewBlock.names[0], JUSTIFY_RIGHT_TOP);
    const PageTextCheck away =
        PaintedAloneOnPage(page, 1013, 436, 59, PreviewBlock.names[1], JUSTIFY_LEFT_TOP);
    EXPECT_NEAR(home.right, 364, 2);
    EXPECT_NEAR(away.left, 436, 2);
    EXPECT_EQ(home.matched, home.pixels);
    EXPECT_EQ(away.matched, away.pixels);
}

TEST_F(MatchPreviewTest, BoxesFollowTheFormulasAndStayInsideTheLayoutHoweverLongTheText) {
    // A prepared state: a headline, 12 body lines, a referee line and the
    // two last-meeting lines, a panel of 150.
    MatchReport_ResetSections();
    for (ReportLineData& l : ReportLine) l = ReportLineData{{}, 0, 1, -1};
    ReportLineCount = 0;
    ReportHeadline = -1;
    ReportRefereeLine = -1;
    MatchReport_WriteLine(0, 10, "A headline of the day");
    for (int i = 0; i < 12; ++i) MatchReport_WriteLine(4 + i % 6, 1 + i % 9, "Some words about the clubs.");
    ReportRefereeLine = int8_t(MatchReport_WriteLine(13, 10, "The referee is J.Doe."));
    MatchReport_WriteLine(14, 0, "Last meeting: somewhere");
    MatchReport_WriteLine(14, 0, "Home  1  Away  2");
    MatchReport_LayoutHeader();
    SetFont(1010);
    int16_t lh = 0;
    GetTextSize("A", nullptr, &lh);
    EXPECT_EQ(ReportLayout.headlineRows, 1);
    EXPECT_EQ(ReportLayout.headlineHeight, lh + 20);
    EXPECT_EQ(ReportLayout.mainTop, lh + 112);
    ReportLayout.panelTop = ReportLayout.mainTop;
    ReportLayout.panelHeight = 150;
    MatchReport_LayoutBoxes();
    const int h = lh;  // the boxes are sized in the body font
    const ReportLayoutData& l = ReportLayout;
    EXPECT_EQ(l.meetingHeight, 2 * h + 20);
    EXPECT_EQ(l.meetingTop, 530 - (2 * h + 22));
    const int full = h + 20;  // one referee row of 704
    EXPECT_EQ(l.refereeHeight, full);
    EXPECT_EQ(l.refereeWidth, 736);
    EXPECT_EQ(l.refereeTop, l.meetingTop - (full + 2));
    EXPECT_EQ(l.mainHeight, l.refereeTop - l.mainTop);
    EXPECT_EQ(l.mainWidth, 572);
    EXPECT_EQ(l.panelHeight, 150) << "the natural height with a filler box under it";
    EXPECT_TRUE(l.flags & kLayoutFillerBox);
    EXPECT_EQ(l.meetingWidth, 736);

    // No headline and no panel: the main box from y 90, 736 wide.
    MatchReport_ResetSections();
    for (ReportLineData& line : ReportLine) line = ReportLineData{{}, 0, 1, -1};
    ReportLineCount = 0;
    ReportHeadline = -1;
    MatchReport_WriteLine(4, 5, "Only a line.");
    MatchReport_LayoutHeader();
    ReportLayout.panelHeight = 0;
    MatchReport_LayoutBoxes();
    EXPECT_EQ(l.mainTop, 90);
    EXPECT_EQ(l.mainWidth, 736);
    EXPECT_EQ(l.meetingTop, 530);
    EXPECT_EQ(l.meetingHeight, 0);
    EXPECT_EQ(l.refereeTop, 530) << "no referee line: its box ends where the last one starts";

    // Every slot a long line, most of them in the last-meeting box: no
    // negative height and nothing outside 800 x 600.
    MatchReport_ResetSections();
    for (ReportLineData& line : ReportLine) line = ReportLineData{{}, 0, 1, -1};
    ReportLineCount = 0;
    const std::string words(990, 'w');
    MatchReport_WriteLine(0, 10, words.c_str());
    for (int i = 0; i < 40; ++i) MatchReport_WriteLine(i < 10 ? 13 : 14, 10, words.c_str());
    MatchReport_LayoutHeader();
    ReportLayout.panelHeight = 400;
    MatchReport_LayoutBoxes();
    for (int32_t v : {int32_t(l.mainHeight), int32_t(l.panelHeight), l.refereeHeight, l.meetingHeight,
                      int32_t(l.headlineHeight)})
        EXPECT_GE(v, 0);
    EXPECT_GE(l.mainTop, 0);
    EXPECT_LE(l.mainTop + l.mainHeight, 600);
    EXPECT_LE(l.panelTop + l.panelHeight, 530);
    EXPECT_GE(l.refereeTop, l.mainTop);
    EXPECT_LE(l.refereeTop + 2 + l.refereeHeight, 600);
    EXPECT_GE(l.meetingTop, l.mainTop);
    EXPECT_LE(l.meetingTop + 2 + l.meetingHeight, 600);
}

TEST_F(MatchPreviewTest, FittingHidesPriorityOneFirstFromTheBottomAndLongHeadlinesTakeRows) {
    MatchReport_ResetSections();
    for (ReportLineData& l : ReportLine) l = ReportLineData{{}, 0, 1, -1};
    ReportLineCount = 0;
    ReportHeadline = -1;
    ReportRefereeLine = -1;
    // A headline wider than two 704 columns, then 18 lines of two rows each
    // with priorities 10, 1 and 2 in turn.
    const std::string headline(130, 'H');
    MatchReport_WriteLine(0, 10, (headline + " " + headline).c_str());
    const std::string body = std::string(70, 'b') + " " + std::string(70, 'c');
    const int priorities[] = {10, 1, 2};
    for (int i = 0; i < 18; ++i) MatchReport_WriteLine(4 + i % 2, priorities[i % 3], body.c_str());
    ReportRefereeLine = int8_t(MatchReport_WriteLine(13, 10, "The referee is J.Doe."));
    MatchReport_LayoutHeader();
    const int lh = MatchReport_LineHeight(1010);
    const int width = MatchReport_TextWidth(ReportLine[0].text);
    ASSERT_GT(width, 704);
    EXPECT_EQ(ReportLayout.headlineRows, width / 704 + 1);
    EXPECT_EQ(ReportLayout.mainTop, ReportLayout.headlineRows * lh + 112);
    ReportLayout.panelHeight = 0;
    MatchReport_LayoutBoxes();
    ASSERT_GT(MatchReport_MainTextEnd(), ReportLayout.mainTop + ReportLayout.mainHeight) << "too long to fit";
    MatchReport_FitText();
    EXPECT_LE(MatchReport_MainTextEnd(), ReportLayout.mainTop + ReportLayout.mainHeight);
    bool hiddenOne = false, hiddenTwo = false, shownOneAfterHidden = false;
    for (int i = 1; i < ReportRefereeLine; ++i) {
        const ReportLineData& l = ReportLine[i];
        if (l.priority == 10) {
            EXPECT_TRUE(l.visible) << "line " << i;
        }
        if (l.priority == 1 && !l.visible) hiddenOne = true;
        if (l.priority == 1 && l.visible && hiddenOne) shownOneAfterHidden = true;
        if (l.priority == 2 && !l.visible) hiddenTwo = true;
    }
    EXPECT_TRUE(hiddenOne);
    EXPECT_FALSE(shownOneAfterHidden) << "the bottom-most go first";
    if (hiddenTwo) {
        for (int i = 1; i < ReportRefereeLine; ++i) {
            if (ReportLine[i].priority == 1) {
                EXPECT_FALSE(ReportLine[i].visible) << "priority 1 before 2";
            }
        }
    }
    EXPECT_TRUE(ReportLine[0].visible);
    EXPECT_TRUE(ReportLine[ReportRefereeLine].visible);
}

TEST_F(MatchPreviewTest, TheLastMeetingAndTwoAbsenteesOffTheElevenAreTold) {
    const int16_t user = testenv::FirstClubOf(0, 0);
    const int16_t slot = NextFixture(user, kCompLeague, kStartDay);
    ASSERT_GE(slot, 0);
    const int16_t opponent = FixtureHome(slot) == user ? FixtureAway(slot) : FixtureHome(slot);
    // Without a meeting in the result memory: no line of sections 12 and 14.
    ClearClubResultMemory();
    ShowPreviewOf(slot);
    EXPECT_EQ(ReportSection[12].count, 0);
    EXPECT_EQ(ReportSection[kLastMeetingSection].count, 0);
    EXPECT_EQ(ReportLayout.meetingHeight, 0);

    // A 4-0 home win of this season over the opponent.
    const int16_t earlier = HVW_AddFixture(int16_t(kStartDay - 3), kCompLeague, user, opponent, 0);
    ASSERT_GE(earlier, 0);
    int16_t met = -1;
    for (int s = 0; s < kFixtureSlots && met < 0; ++s)
        if (FixtureDay(s) == kStartDay - 3 && FixtureHome(s) == user && FixtureAway(s) == opponent)
            met = int16_t(s);
    ASSERT_GE(met, 0);
    uint8_t* word = FixtureTable[met].bytes + kFixtureScoreWord;
    recbits::StoreU32(word, (recbits::LoadU32(word) & ~uint32_t(0x3FF)) | 4u);
    RecordUserClubResult(met);
    // Two players of the user's squad off the team sheet, injured.
    HVW_BuildSquadList(user);
    std::vector<uint16_t> off;
    for (uint16_t p : FirstTeamList.players)
        if (p != 0 && GetPlayerShirt(p) == 0 && off.size() < 2) off.push_back(p);
    for (uint16_t p : FirstTeamList.players)
        if (p != 0 && off.size() < 2 && std::find(off.begin(), off.end(), p) == off.end() &&
            GetPlayerShirt(p) > 16)
            off.push_back(p);
    ShowPreviewOf(slot);
    ASSERT_EQ(ReportSection[12].count, 1);
    const char* beat = ReportLine[ReportSection[12].start].text;
    EXPECT_NE(std::string(beat).find("4-0"), std::string::npos) << beat;
    EXPECT_GE(ReportSection[kLastMeetingSection].count, 1);
    EXPECT_NE(std::string(ReportLine[ReportSection[kLastMeetingSection].start].text).find(GetText(2468)),
              std::string::npos);
    EXPECT_GT(ReportLayout.meetingHeight, 0);
    if (off.size() == 2) {
        for (uint16_t p : off) SetPlayerIT(p, 3);
        ShowPreviewOf(slot);
        bool named = false;
        for (const ReportLineData& l : ReportLine) {
            const std::string text = l.text;
            named =
                named || (l.section == 10 && text.find(HVW_GetPlayerShortName(off[0])) != std::string::npos &&
                          text.find(HVW_GetPlayerShortName(off[1])) != std::string::npos);
        }
        EXPECT_TRUE(named) << "text 2496 names both";
        for (uint16_t p : off) SetPlayerIT(p, 0);
    }
    DeleteFixture(met);
    ClearClubResultMemory();
}

// The referee line recalls what the referee gave the user's players in
// the club's earlier matches he took, as the event log keeps them.
TEST_F(MatchPreviewTest, TheRefereeLineRecallsHisEarlierCardsForTheUsersClub) {
    const int16_t user = testenv::FirstClubOf(0, 0);
    const int16_t slot = NextFixture(user, kCompLeague, kStartDay);
    ASSERT_GE(slot, 0);
    const int16_t opponent = FixtureHome(slot) == user ? FixtureAway(slot) : FixtureHome(slot);
    const int16_t earlier = HVW_AddFixture(int16_t(kStartDay - 3), kCompLeague, user, opponent, 0);
    ASSERT_GE(earlier, 0);
    int16_t met = -1, next = -1;
    for (int s = 0; s < kFixtureSlots && (met < 0 || next < 0); ++s) {
        if (FixtureDay(s) == kStartDay - 3 && FixtureHome(s) == user && FixtureAway(s) == opponent)
            met = int16_t(s);
        if (FixtureDay(s) >= kStartDay && FixtureType(s) == kCompLeague && IsFixtureOfClub(s, user) &&
            next < 0)
            next = int16_t(s);
    }
    ASSERT_GE(met, 0);
    HVW_BuildSquadList(user);
    const uint16_t sentOff = FirstTeamList.players[0], booked = FirstTeamList.players[1];
    HVW_BuildSquadList(opponent);
    const uint16_t opponentBooked = FirstTeamList.players[0];
    ASSERT_NE(sentOff, 0);
    ASSERT_NE(opponentBooked, 0);

    std::vector<uint8_t> keptLog(std::begin(MatchEventHistory), std::end(MatchEventHistory));
    SeasonCalendar.currentDay = int16_t(FixtureDay(next));
    CurrentReferee = HVW_AppointReferee(next);
    const auto put = [](int record, int16_t fixture, uint16_t player, int kind, int side) {
        uint8_t* r = MatchEventHistory + record * kMatchEventRecordSize;
        recbits::StoreU16(r, uint16_t(fixture));
        recbits::StoreU16(r + 2, player);
        r[4] = uint8_t(kind << 1 | side);
        r[8] = 30;
    };
    const auto refereeLine = [&]() -> std::string {
        MatchDay_PreparePreview();
        MatchReport_Show();
        return ReportRefereeLine >= 0 ? ReportLine[ReportRefereeLine].text : "";
    };
    MatchEvents_Clear();
    put(0, met, uint16_t(CurrentReferee), kKindReferee, 0);
    put(1, met, sentOff, kKindSendingOff, 0);
    put(2, met, opponentBooked, kKindBooking, 1);  // the other side's: not his record with the club
    std::string line = refereeLine();
    EXPECT_NE(line.find(HVW_GetPlayerShortName(sentOff)), std::string::npos) << line;
    EXPECT_NE(line.find(HVW_GetClubName(opponent)), std::string::npos) << line;

    put(3, met, booked, kKindBooking, 0);  // cards of both kinds: message 214
    line = refereeLine();
    EXPECT_EQ(line.find(HVW_GetPlayerShortName(sentOff)), std::string::npos) << line;
    EXPECT_NE(line.find(HVW_GetClubName(opponent)), std::string::npos) << line;

    put(0, met, uint16_t(CurrentReferee + 1), kKindReferee, 0);  // another referee's match
    line = refereeLine();
    EXPECT_EQ(line.find(HVW_GetClubName(opponent)), std::string::npos) << line;

    std::copy(keptLog.begin(), keptLog.end(), std::begin(MatchEventHistory));
    DeleteFixture(met);
}

// The final of the second European cup opens with its own remark (text
// 2993, both clubs), once the club has played in the cup; the second leg of
// an earlier round does not.
TEST_F(MatchPreviewTest, ASecondEuropeanCupFinalOpensWithTheFinalRemark) {
    const int16_t user = testenv::FirstClubOf(0, 0), opponent = testenv::FirstClubOf(0, 1);
    const int16_t nation = int16_t(GetClubNation(user));
    const int16_t rounds = HVW_GetCupRoundCount(5, nation);
    ASSERT_GE(rounds, 2);
    // Days on which neither club plays.
    std::vector<int16_t> freeDays;
    for (int16_t day = 200; day < 360 && freeDays.size() < 3; ++day) {
        bool busy = false;
        for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s) && !busy; ++s)
            busy =
                FixtureDay(s) == uint32_t(day) && (IsFixtureOfClub(s, user) || IsFixtureOfClub(s, opponent));
        if (!busy) freeDays.push_back(day);
    }
    ASSERT_EQ(freeDays.size(), 3u);
    const auto slotOn = [&](int16_t day) {
        for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s); ++s)
            if (FixtureDay(s) == uint32_t(day) && IsFixtureOfClub(s, user) && IsFixtureOfClub(s, opponent))
                return int16_t(s);
        return int16_t(-1);
    };
    HVW_AddFixture(freeDays[0], CupCode(5, 0), opponent, user, 0);
    HVW_AddFixture(freeDays[1], CupCode(5, kSecondMatchCodes), user, opponent, 0);
    HVW_AddFixture(freeDays[2], CupCode(5, rounds - 1), user, opponent, 0);
    TextMsg_ResetArgs();
    TextMsg_SetArg(TEXTMSG_CLUB, &user);
    TextMsg_SetArg(TEXTMSG_CLUB, &opponent);
    const std::string remark = TextMsg_Expand(GetText(2993));
    const auto told = [&] {
        for (const ReportLineData& l : ReportLine)
            if (l.section == 0 && remark == l.text) return true;
        return false;
    };
    MakeUser(user);
    ShowPreviewOf(slotOn(freeDays[2]));
    EXPECT_TRUE(told()) << remark;
    ShowPreviewOf(slotOn(freeDays[1]));
    EXPECT_FALSE(told());
    for (int16_t day : freeDays) DeleteFixture(slotOn(day));
}

// Over the season's user fixtures of every kind: the text and its boxes
// keep their bounds.
TEST_F(MatchPreviewTest, EveryKindOfUserFixtureGivesABoundedPage) {
    // Up to three fixtures of each kind: league, end-of-season matches,
    // national cups, European cups (group rounds and knock-out), friendlies.
    auto kindOf = [](int16_t type) {
        if (type == kCompLeague) return 0;
        if (type >= 1 && type <= 4) return 1;
        const int16_t cup = HVW_GetCupIndex(type);
        if (cup >= 0 && cup < 4) return 2;
        if (cup == 6 && HVW_GetCupRoundIndex(type) < 2) return 3;
        if (cup >= 4) return 4;
        if (type == kCompFriendly) return 5;
        return -1;
    };
    int taken[6] = {};
    int shown = 0;
    // Kinds the season has not drawn yet by the day are added for the
    // first club of the first division on a day of their own.
    const int16_t club = testenv::FirstClubOf(0, 0), rival = testenv::FirstClubOf(0, 1);
    const int16_t added[] = {kCompFriendly, CupCode(0, 0), CupCode(4, 0), CupCode(6, 0), kCompPlayOffFirst};
    for (size_t k = 0; k < std::size(added); ++k)
        HVW_AddFixture(int16_t(kStartDay + 100 + 2 * int(k)), added[k], club, rival, 0);
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int kind = kindOf(FixtureType(slot));
        if (kind < 0 || taken[kind] >= 3 || IsFixturePlayed(slot) || FixtureDay(slot) < kStartDay) continue;
        const int16_t user = FixtureHome(slot);
        if (!IsClubNumber(user)) continue;
        ++taken[kind];
        MakeUser(user);
        ShowPreviewOf(int16_t(slot));
        ++shown;
        SCOPED_TRACE("fixture " + std::to_string(slot) + " kind " + std::to_string(kind));
        EXPECT_LE(ReportLineCount, kReportLines - 1);
        int sectionLines = 0;
        for (int i = 0; i < kReportLines; ++i) {
            EXPECT_LT(std::strlen(ReportLine[i].text), size_t(kReportLineSize));
            if (ReportLine[i].section >= 0) ++sectionLines;
            if (ReportLine[i].section == kLastMeetingSection) {
                EXPECT_TRUE(ReportLine[i].visible);
            }
        }
        EXPECT_GT(sectionLines, 0) << "at least the referee";
        if (ReportHeadline >= 0) {
            EXPECT_LE(ReportLine[ReportHeadline].section, 2);
        }
        const ReportLayoutData& l = ReportLayout;
        EXPECT_GE(l.mainHeight, 0);
        EXPECT_LE(l.mainTop + l.mainHeight, 530);
        EXPECT_LE(l.panelTop + l.panelHeight, 530);
        EXPECT_LE(l.meetingTop + 2 + l.meetingHeight, 532);
        // The drawn main text fits its box.
        EXPECT_LE(MatchReport_MainTextEnd(), l.mainTop + l.mainHeight);
    }
    for (int kind = 0; kind < 6; ++kind) EXPECT_GE(taken[kind], 1) << "kind " << kind;
}

TEST_F(MatchPreviewTest, NoFixtureFromTodayOnGivesAnEmptyTextAndThePageStillStands) {
    MakeUser(testenv::FirstClubOf(0, 0));
    SeasonCalendar.currentDay = 365;
    MatchReport_Show();
    EXPECT_EQ(ReportLineCount, 0);
    EXPECT_EQ(ReportHeadline, -1);
    for (const ReportLineData& l : ReportLine) EXPECT_EQ(l.section, -1);
    EXPECT_EQ(ReportLayout.mainTop, 90);
    EXPECT_EQ(ReportLayout.panelHeight, 0);
    EXPECT_FALSE(MatchDayViewRegions().empty()) << "the button still leads on";
}

// A run of days stops on the day of the user's league match and shows its
// preview; its button returns to the club screen, and the next Continue
// plays the match.
TEST_F(MatchPreviewTest, RunOnStopsOnTheMatchDayWithThePreviewAndTheMatchFollows) {
    FixtureFakesScope fakes;
    const int16_t user = testenv::FirstClubOf(0, 0);
    MakeUser(user);
    const int16_t slot = NextFixture(user, kCompLeague, kStartDay);
    ASSERT_GE(slot, 0);
    const int16_t matchDay = int16_t(FixtureDay(slot));
    // Start on a weekday 1 the day before (no Sunday stop on the way).
    SeasonCalendar.currentDay = int16_t(matchDay - 1);
    SeasonCalendar.weekday = 2;
    bool previewSeen = false;
    Grab shown;
    testenv::DayUserWatch() = [&] {
        const auto regions = MatchDayViewRegions();
        if (!previewSeen && !regions.empty() && regions.front().x == 60 && regions.front().result == 6 &&
            ReportRefereeLine >= 0 && SeasonCalendar.currentDay == matchDay) {
            previewSeen = true;
            shown = GrabBack();
        }
    };
    testenv::DayUserStart();
    ContinueMode = 1;
    MenuOption = kScreenContinueGame;
    {
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }
    EXPECT_EQ(SeasonCalendar.currentDay, matchDay);
    ASSERT_TRUE(previewSeen);
    EXPECT_EQ(MenuOption, kScreenClubMain) << "back to the club screen";
    // The grab of the preview the run stopped on: its fixture's competition
    // and date centred on x 400 at y 43.
    EXPECT_NE(std::string(PreviewBlock.names[0]).find(HVW_GetClubName(FixtureHome(slot))), std::string::npos);
    const std::string line = std::string(PreviewBlock.titles[0]) + ", " + PreviewBlock.titles[1];
    const PageTextCheck title = PaintedAloneOnPage(shown, 1008, 400, 43, line.c_str(), JUSTIFY_CENTRE_TOP);
    ASSERT_GT(title.pixels, 40);
    EXPECT_EQ(title.matched, title.pixels);
    EXPECT_NEAR((title.left + title.right) / 2, 400, 2);
    EXPECT_FALSE(IsFixturePlayed(slot));
    // The next day's Continue plays the match.
    ContinueMode = 0;
    MenuOption = kScreenContinueGame;
    {
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }
    testenv::DayUserWatch() = nullptr;
    EXPECT_TRUE(IsFixturePlayed(slot));
}

}  // namespace
