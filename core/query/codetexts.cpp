// Query layer: honour sentences, injury and code texts, the fields of
// archived messages, and the texts naming roles and places in a tactic.
#include "core/query/codetexts.h"

#include <cstdio>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/club/tactics.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/messages.h"

using namespace recbits;

namespace {

constexpr int kHonourCountries = 8;
// First and second honour texts of each country: the cups and the
// divisions of its honours lines.
constexpr int16_t kHonourFirst[kHonourCountries] = {104, 1000, 1730, 1756, 1781, 1919, 1945, 1971};
constexpr int16_t kHonourSecond[kHonourCountries] = {145, 145, 1738, 1764, 1790, 1927, 1953, 1979};

enum HonourSource : uint8_t { kFromSecond, kFromFirst, kFixedText, kSingleText };

struct HonourLine {
    int16_t lead;  // the first text, or the only one for kSingleText
    HonourSource source;
    int16_t value;  // offset into the country's row, or the fixed text
};

constexpr int16_t kWinners = 1466;
constexpr int16_t kRunnersUp = 1467;

// Month names from January, injury names from injury type 1.
constexpr int16_t kTextJanuary = 9;

// Short names of the places in a tactic.
enum PlaceText : int16_t {
    kTextKeeper = 2800,
    kTextLeftBack = 2801,
    kTextRightBack = 2802,
    kTextCentreBack = 2803,
    kTextSweeper = 2804,
    kTextLeftWingBack = 2805,
    kTextRightWingBack = 2806,
    kTextCentreMidfield = 2807,
    kTextRightMidfield = 2808,
    kTextLeftMidfield = 2809,
    kTextStriker = 2810,
    kTextLeftWing = 2811,
    kTextRightWing = 2812,
    kTextDeepCentreBack = 2813,
    kTextFirstSubstitute = 2814,
};
constexpr int kFirstSubstituteSlot = 11;

// Events 1-31.
constexpr HonourLine kHonourLines[31] = {
    {kWinners, kFromSecond, 0},   {kWinners, kFromSecond, 1},   {kWinners, kFromSecond, 2},
    {kWinners, kFromSecond, 3},   {kRunnersUp, kFromSecond, 0}, {kRunnersUp, kFromSecond, 1},
    {kRunnersUp, kFromSecond, 2}, {kRunnersUp, kFromSecond, 3}, {kWinners, kFromFirst, 0},
    {kRunnersUp, kFromFirst, 0},  {kWinners, kFromFirst, 1},    {kRunnersUp, kFromFirst, 1},
    {kWinners, kFromFirst, 2},    {kRunnersUp, kFromFirst, 2},  {kWinners, kFromFirst, 3},
    {kRunnersUp, kFromFirst, 3},  {kWinners, kFromFirst, 4},    {kRunnersUp, kFromFirst, 4},
    {kWinners, kFromFirst, 5},    {kRunnersUp, kFromFirst, 5},  {kWinners, kFromFirst, 6},
    {kRunnersUp, kFromFirst, 6},  {kWinners, kFixedText, 115},  {1471, kSingleText, 0},
    {1472, kSingleText, 0},       {1473, kSingleText, 0},       {1473, kSingleText, 0},
    {kWinners, kFromSecond, 4},   {kRunnersUp, kFromSecond, 4}, {kWinners, kFromSecond, 5},
    {kRunnersUp, kFromSecond, 5},
};

char g_honour_sentence[256];

constexpr int16_t kRoleTexts[7] = {984, 985, 986, 195, 987, 988, 989};

}  // namespace

// Countries beyond the eight rows of the honour tables have no cup or
// division names here: their lines that need one are empty.
const char* HVW_GetHonourEventText(int16_t event, int16_t country) {
    if (event < 1 || event > 31) FatalError("Boom! %d is an illegal honour event no.", event);
    const HonourLine& line = kHonourLines[event - 1];
    g_honour_sentence[0] = '\0';
    int16_t second = -1;
    switch (line.source) {
        case kSingleText:
            std::snprintf(g_honour_sentence, sizeof g_honour_sentence, "%s", GetText(line.lead));
            return g_honour_sentence;
        case kFixedText:
            second = line.value;
            break;
        case kFromFirst:
        case kFromSecond:
            if (country < 0 || country >= kHonourCountries) return g_honour_sentence;
            second =
                int16_t((line.source == kFromFirst ? kHonourFirst : kHonourSecond)[country] + line.value);
            break;
    }
    std::snprintf(g_honour_sentence, sizeof g_honour_sentence, "%s %s", GetText(line.lead), GetText(second));
    return g_honour_sentence;
}

int16_t HVW_GetCode12TextId(int16_t code) {
    if (code < 0 || code > 11) {
        FatalError("Boom. %d isn't quite the number we wanted passed in, is it?", code);
    }
    return int16_t(kTextJanuary + code);
}

int16_t HVW_GetInjuryTextId(int16_t type) {
    if (type < 1 || type > 37) {
        FatalError("Boom. %d That's an illegal value for an injury, isn't it, hmmmm?", type);
    }
    return int16_t(kTextFirstInjury + type - 1);
}

int16_t HVW_GetTeamTalkMessage(int16_t club, int16_t slot, int16_t* clubA, int16_t* clubB, int32_t* playerA,
                               int32_t* playerB, int16_t* word1, int16_t* word2, int32_t* amount,
                               int16_t* text1, int16_t* text2, int32_t* number1, int32_t* number2,
                               int16_t* day, int16_t* extra) {
    if (!IsClubNumber(club)) FatalError("Invalid Team in HVW_GetTeamTalkMessage() funcs.c");
    if (slot < 0 || slot >= kArchiveSlots) {
        FatalError("Invalid Message in HVW_GetTeamTalkMessage() funcs.c");
    }
    const uint8_t* r = MessageArchive[club][slot].bytes;
    *clubA = int16_t(LoadU16(r + kMsgClubA));
    *clubB = int16_t(LoadU16(r + kMsgClubB));
    *playerA = LoadI32(r + kMsgPlayerA);
    *playerB = LoadI32(r + kMsgPlayerB);
    *word1 = int16_t(LoadU16(r + kMsgWord1));
    *word2 = int16_t(LoadU16(r + kMsgWord2));
    *amount = LoadI32(r + kMsgMoney);
    *text1 = int16_t(LoadU16(r + kMsgText1));
    *text2 = int16_t(LoadU16(r + kMsgText2));
    *number1 = LoadI32(r + kMsgNumber1);
    *number2 = LoadI32(r + kMsgNumber2);
    *day = int16_t(LoadU16(r + kMsgDay));
    // The first of the two trailing bytes, widened with its sign.
    *extra = int8_t(r[kMsgDay + 2]);
    return int16_t(LoadU16(r + kMsgType));
}

// ---------------------------------------------------------------------------
// Places in a tactic

namespace {

struct SlotPos {
    int x, y;
};

bool In(int v, int low, int high) { return v >= low && v <= high; }

// Slots 1-10 of the side's current tactic.
struct Outfield {
    SlotPos pos[11];

    bool Any(int self, int x0, int x1, int y0, int y1) const {
        for (int s = 1; s <= 10; ++s) {
            if (s != self && In(pos[s].x, x0, x1) && In(pos[s].y, y0, y1)) return true;
        }
        return false;
    }
};

// A centre back named by how many of the other centre backs stand deeper
// and how many higher.
int16_t CentreBackText(const Outfield& team, int slot) {
    int d = 0;
    for (int s = 1; s <= 10; ++s) {
        if (s == slot || !In(team.pos[s].x, 4, 10) || !In(team.pos[s].y, 0, 5)) continue;
        if (team.pos[s].y < team.pos[slot].y) ++d;
        if (team.pos[s].y > team.pos[slot].y) --d;
    }
    if (d > 1) return kTextDeepCentreBack;
    if (d < -1) return kTextSweeper;
    return kTextCentreBack;
}

int16_t PlaceText(const Outfield& team, int slot) {
    const int x = team.pos[slot].x;
    const int y = team.pos[slot].y;
    if (In(y, 0, 5)) {
        if (In(x, 4, 10)) return CentreBackText(team, slot);
        if (In(x, 2, 3)) return kTextLeftBack;
        if (In(x, 0, 1)) {
            return team.Any(slot, 0, 1, 6, 10) || team.Any(slot, 0, 3, 11, 17) ? kTextLeftBack
                                                                               : kTextLeftWingBack;
        }
        if (In(x, 11, 12)) return kTextRightBack;
        if (In(x, 13, 14)) {
            return team.Any(slot, 13, 14, 6, 10) || team.Any(slot, 11, 14, 11, 17) ? kTextRightBack
                                                                                   : kTextRightWingBack;
        }
    }
    if (In(y, 6, 11) && In(x, 4, 10)) return kTextCentreMidfield;
    if (In(y, 6, 10)) {
        if (In(x, 2, 3)) return kTextLeftMidfield;
        if (In(x, 0, 1)) return team.Any(slot, 0, 2, -32768, 32767) ? kTextLeftWing : kTextLeftWingBack;
        if (In(x, 11, 12)) return kTextRightMidfield;
        if (In(x, 13, 14)) return team.Any(slot, 12, 14, -32768, 32767) ? kTextRightWing : kTextRightWingBack;
    }
    if (In(y, 11, 17)) {
        if (In(x, 4, 10)) return kTextStriker;
        if (In(x, 0, 3)) return kTextLeftWing;
        if (In(x, 11, 16)) return kTextRightWing;
    }
    FatalError("ERROR:GetTacticPosText() update this please!");
}

}  // namespace

int16_t GetTacticPosText(int16_t slot, int16_t side) {
    if (slot < 0) return -1;
    if (slot == 0) return kTextKeeper;
    if (slot >= kFirstSubstituteSlot) return int16_t(kTextFirstSubstitute + slot - kFirstSubstituteSlot);
    const TacticRecord* record =
        side == 1 ? GetTacticRecordB(CurrentTacticB) : GetTacticRecordA(CurrentTacticA);
    if (record == nullptr) FatalError("ERROR:GetTacticPosText() update this please!");
    Outfield team{};
    for (int s = 1; s <= 10; ++s) team.pos[s] = {GetTacticEntryX(record, s), GetTacticEntryY(record, s)};
    return PlaceText(team, slot);
}

int16_t HVW_GetRoleText(int16_t role) {
    if (role < 0 || role > 6) FatalError("in funcs.c HVW_GetRoleText Error");
    return kRoleTexts[role];
}

// ---------------------------------------------------------------------------
// Position texts

int16_t HVW_GetPositionTextId2430(int16_t code) {
    return code >= 0 && code <= 12 ? int16_t(2430 + code) : int16_t(-1);
}

int16_t GetPositionNameTextId(int16_t position) {
    constexpr int16_t kFirstPositionName = 2430;  // 2443 names the manager
    return position >= 0 && position <= 13 ? int16_t(kFirstPositionName + position) : int16_t(-1);
}
