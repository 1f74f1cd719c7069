// The preview block of the user's next ordinary fixture: what the match
// preview page reads, prepared on the day before the match (both names and
// title lines, the remark bytes, the division's leading clubs, the league
// table excerpts of both clubs and the European group).
#pragma once
#include <cstdint>

#include "core/season/previewservices.h"

// One excerpt row: a club (-1 empty), its played games, points and place
// counted from 1, and a mark (1 for the fixture's two clubs).
struct TableExtractRow {
    int16_t club;
    int16_t played, points, place;
    uint8_t mark;
};
constexpr int kTableExtractRows = 24;
// A top table (places 0 onward) and a bottom table (the division's last
// rows, place n - rows onward).
struct TableExtractPair {
    TableExtractRow top[kTableExtractRows];
    TableExtractRow bottom[kTableExtractRows];
};

struct PreviewBlockData {
    char names[2][41];
    char titles[2][kTitleLineSize];
    int8_t positionByte;
    int8_t secondByte;
    int16_t leaders[4];
    TableExtractPair extracts[2];
    // r0, r1 of the first pair and r2, r3 of the second: the last row of
    // the top block and of the whole excerpt (-1 empty).
    int8_t ranges[4];
    // The club each pair was filled for (-1 none).
    int16_t extractClub[2];
};
extern PreviewBlockData PreviewBlock;

// One side of the fixture as the excerpt planner sees it.
struct ExtractSide {
    bool shown;
    int16_t nation, division;
    int16_t clubs;     // n, the clubs of its division
    int16_t position;  // p, 0 = top
};
// The planned excerpts: rows from the top and from the bottom of each
// extract's table, and the side each was planned for (0 home, 1 away, -1
// none).
struct ExtractPlan {
    int16_t topRows[2];
    int16_t bottomRows[2];
    int16_t side[2];
};

// The rows of the excerpts for the two sides (both in one division share
// one excerpt).
ExtractPlan MatchDay_PlanExtractRows(const ExtractSide& home, const ExtractSide& away);
// The same for the fixture's clubs as the season stands.
ExtractPlan MatchDay_PlanTableExtract(int16_t slot);
// Fills a pair with the club's division's top and bottom rows and returns
// the rows taken of each (cut to 24).
void MatchDay_FillTableExtract(TableExtractPair& pair, int16_t club, int16_t topRows, int16_t bottomRows,
                               int16_t home, int16_t away);
// Fills the preview block for the user's ordinary fixture from today on;
// nothing when he has none.
void MatchDay_PreparePreview();
