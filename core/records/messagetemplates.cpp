#include "core/records/messagetemplates.h"

#include <cstdio>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/textbuf.h"
#include "core/query/fields.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/leagues.h"

// The block starts empty; TextMsg_ResetArgs empties it again after every
// expansion.
TextMsgArgBlock TextMsgArgs = {
    {-1, -1}, {0, 0}, 0, 65535, -1, {-1, -1}, {{-1, -1, -1}, {-1, -1, -1}}, {-1, -1}, {"", ""},
};

namespace {

// ---- Wording tables (Latin-1 text) -------------------------------------

// Cup wordings by cup slot: the two European cups, then each nation's cups.
#define HV_CUP_WORDINGS(P)                                                                        \
    P "the Continental Cup", P "the Champions' Cup", P "the Association Cup", P "the League Cup", \
        P "the Challenge Trophy", P "the Lower Leagues Trophy", P "the Scottish Cup",             \
        P "the Scottish League Cup", P "the Scottish Challenge Cup", P "the Italian Cup",         \
        P "the German Cup", P "the Spanish Cup", P "the Dutch Cup", P "the French Cup",           \
        P "the French League Cup", P "the Portuguese Cup", "", "", ""

// League wordings by division slot of the played countries.
#define HV_LEAGUE_WORDINGS(P)                                                                        \
    P "the Premier Division", P "Division $0n", P "the National Division", P "the Premier Division", \
        P "Division $0n", P "Serie $0g", P "Liga $0g", P "the Spanish First Division",               \
        P "the Spanish Second Division", P "Grupo $0n", P "the Dutch Premier Division",              \
        P "the Dutch First Division", P "Division $0n", P "the National Division", P "Groupe $0g",   \
        P "the Portuguese First Division", P "the Portuguese Second Division",                       \
        P "the Portuguese Third Division", ""

constexpr const char* kWordings[TEXTMSG_FORM_COUNT][TEXTMSG_WORDING_COUNT] = {
    {HV_CUP_WORDINGS("")},        {HV_CUP_WORDINGS("of ")},      {HV_CUP_WORDINGS("in ")},
    {HV_CUP_WORDINGS("out of ")}, {HV_LEAGUE_WORDINGS("from ")}, {HV_LEAGUE_WORDINGS("in ")},
    {HV_LEAGUE_WORDINGS("in ")},
};

#undef HV_CUP_WORDINGS
#undef HV_LEAGUE_WORDINGS

constexpr int kCountryNoWording = 8;

constexpr int8_t kCupIndex[kCountryCount][4] = {
    {2, 3, 4, 5},     {6, 7, 8, -1},    {9, -1, -1, -1},  {10, -1, -1, -1}, {11, -1, -1, -1},
    {12, -1, -1, -1}, {13, 14, -1, -1}, {15, -1, -1, -1}, {0, 0, 0, 0},
};

constexpr int8_t kLeagueIndex[kCountryCount][kDivisionCount] = {
    {0, 1, 1, 1, 1, -1},      {3, 4, 4, 4, -1, -1},     {5, 5, 5, 5, -1, -1},
    {6, 6, 6, 6, 6, 6},       {7, 8, 9, 9, 9, 9},       {10, 11, -1, -1, -1, -1},
    {12, 12, 13, -1, -1, -1}, {15, 16, 17, -1, -1, -1}, {0, 0, 0, 0, 0, 0},
};

// List texts naming the Italian league letters and the German leagues.
constexpr int16_t kItalianLeagueText[kDivisionCount] = {1750, 1751, 1746, 1747, -1, -1};
constexpr int16_t kGermanLeagueText[kDivisionCount] = {1776, 1777, 1772, 1773, 1774, 1775};

constexpr int16_t kTextNicknamePrefix = 1107;
// A date names its month 1..12; the language file lists the months from
// January at text 9, as every screen that shows a month reads them.
constexpr int16_t kTextMonthBase = 8;
constexpr const char* kNoStadiumName = "No Stadium Name";
constexpr const char* kNoNickname = "No Nickname";

char g_output[TEXTMSG_OUTPUT_SIZE];
char g_division_phrase[TEXTMSG_OUTPUT_SIZE];

// ---- Output -----------------------------------------------------------

// The expansion's output buffer; what does not fit is cut.
class Output : public BoundedText {
  public:
    explicit Output(char* buffer) : BoundedText(buffer, TEXTMSG_OUTPUT_SIZE) {}
};

// ---- Argument helpers ---------------------------------------------------

bool ValidSlot(int slot) { return slot == 0 || slot == 1; }

bool DateEmpty(const TextMsgDate& d) { return d.month == -1; }

// A slot digit that names no date slot reads as an empty date.
TextMsgDate DateOfSlot(int slot) {
    if (ValidSlot(slot)) return TextMsgArgs.date[slot];
    return TextMsgDate{-1, -1, -1};
}

const char* MonthName(int month) {
    // A month outside 1..12 has no name.
    if (month < 1 || month > 12) return "";
    return GetText(int16_t(kTextMonthBase + month));
}

// Name string `which` (0 name, 1 stadium, 2 nickname) of a club, cut to its
// field.
void CopyClubNameString(int16_t club, int which, char (&out)[kClubNameLength + 1]) {
    std::memcpy(out, ClubNameRecords[club].text[which], kClubNameLength);
    out[kClubNameLength] = '\0';
}

void AddClubName(Output& out, int16_t club) {
    char name[kClubNameLength + 1];
    CopyClubNameString(club, 0, name);
    out.Add("%s", name);
}

void AddStadiumName(Output& out, int16_t club) {
    char stadium[kClubNameLength + 1];
    CopyClubNameString(club, 1, stadium);
    if (std::strcmp(stadium, kNoStadiumName) == 0) CopyClubNameString(club, 0, stadium);
    out.Add("%s", stadium);
}

void AddNicknameForm(Output& out, int16_t club) {
    char nickname[kClubNameLength + 1];
    CopyClubNameString(club, 2, nickname);
    if (std::strcmp(nickname, kNoNickname) == 0) CopyClubNameString(club, 0, nickname);
    out.Add("%s %s", GetText(kTextNicknamePrefix), nickname);
}

// The club of slot 0 in one of its varied forms; the sum picks the form, its
// date part from the date slot named by the placeholder's digit.
void AddVariedClub(Output& out, int slot, int modulus) {
    const int16_t club = TextMsgArgs.club[0];
    if (!IsClubNumber(club)) return;
    const TextMsgDate date = DateOfSlot(slot);
    const int sum = club + date.day + date.month;
    const int remainder = sum % modulus;  // a negative sum gives a negative remainder
    if (modulus == 3 && remainder == 0) {
        AddStadiumName(out, club);
    } else if ((modulus == 3 && remainder == 1) || (modulus == 2 && remainder == 0)) {
        AddNicknameForm(out, club);
    } else {
        AddClubName(out, club);
    }
}

void AddListText(Output& out, int16_t id) {
    if (id < 0) return;
    if (id >= TEXT_ID_NATION_TEXT && id < TEXT_ID_NATION_TEXT + TEXT_NATION_COUNT) {
        out.Add("%s", SkipNationCode(GetText(id)));
    } else {
        out.Add("%s", GetText(id));
    }
}

// ---- Dates --------------------------------------------------------------

void AddSingleDate(Output& out, const TextMsgDate& d, char style) {
    if (style != '1') {
        out.Add("%d/%d/%4d", d.day, d.month, d.year);
    } else if (d.year == -1) {
        out.Add("%d %s", d.day, MonthName(d.month));
    } else if (d.day == -1) {
        out.Add("%s %4d", MonthName(d.month), d.year);
    } else {
        out.Add("%d %s %4d", d.day, MonthName(d.month), d.year);
    }
}

void AddDateRange(Output& out, const TextMsgDate& a, const TextMsgDate& b, char style) {
    if (style == '2') {
        out.Add("%d/%d/%4d-%d/%d/%4d", a.day, a.month, a.year, b.day, b.month, b.year);
    } else if (a.year == -1 || b.year == -1) {
        if (a.month == b.month) {
            out.Add("%d-%d %s", a.day, b.day, MonthName(a.month));
        } else {
            out.Add("%d %s - %d %s", a.day, MonthName(a.month), b.day, MonthName(b.month));
        }
    } else if (a.year != b.year) {
        out.Add("%d %s %4d - %d %s %4d", a.day, MonthName(a.month), a.year, b.day, MonthName(b.month),
                b.year);
    } else if (a.month == b.month) {
        out.Add("%d-%d %s %4d", a.day, b.day, MonthName(a.month), a.year);
    } else {
        out.Add("%d %s - %d %s %4d", a.day, MonthName(a.month), b.day, MonthName(b.month), a.year);
    }
}

// Matches the second half of a date range after a style digit: an optional
// blank, "-", an optional blank, an optional "$", "1" or "2" (date slot 0 or
// 1), "d" and the style digit "2".  Returns the position after it, or null.
// Reading stops at the terminator, which matches nothing.
const char* MatchRangeTail(const char* p, int* second_slot) {
    if (*p == ' ') ++p;
    if (*p++ != '-') return nullptr;
    if (*p == ' ') ++p;
    if (*p == '$') ++p;
    if (*p != '1' && *p != '2') return nullptr;
    *second_slot = *p++ - '1';
    if (*p++ != 'd') return nullptr;
    if (*p++ != '2') return nullptr;
    return p;
}

// Handles "d" and what follows it; p points after the "d".  Returns the
// position after the placeholder.
const char* ExpandDate(Output& out, const char* p, int slot) {
    if (*p == '\0') return p;
    const char style = *p++;
    int second = 0;
    const char* after_range = MatchRangeTail(p, &second);
    if (after_range != nullptr) p = after_range;
    if (!ValidSlot(slot) || DateEmpty(TextMsgArgs.date[slot])) return p;
    if (after_range != nullptr) {
        AddDateRange(out, TextMsgArgs.date[slot], TextMsgArgs.date[second], style);
    } else {
        AddSingleDate(out, TextMsgArgs.date[slot], style);
    }
    return p;
}

// ---- One placeholder ----------------------------------------------------

// Writes the placeholder of `letter` for `slot`; p points after the letter.
// Returns the position after the placeholder.
const char* ExpandPlaceholder(Output& out, const char* p, int slot, char letter) {
    const bool valid = ValidSlot(slot);
    switch (letter) {
        case 't':
            if (valid && IsClubNumber(TextMsgArgs.club[slot])) {
                AddClubName(out, TextMsgArgs.club[slot]);
            }
            break;
        case 'p':
            if (valid && TextMsgArgs.player[slot] != 0) {
                out.Add("%s", HVW_GetPlayerShortName(TextMsgArgs.player[slot]));
            }
            break;
        case 'c':
            AddVariedClub(out, slot, 3);
            break;
        case 'r':
            AddVariedClub(out, slot, 2);
            break;
        case 'm':
            if (TextMsgArgs.money >= 0) out.Add("%s", CoreMoneyText(TextMsgArgs.money));
            break;
        case 'n':
            if (valid && TextMsgArgs.number[slot] >= 0) out.Add("%d", TextMsgArgs.number[slot]);
            break;
        case 'd':
            return ExpandDate(out, p, slot);
        case 'g':
            if (valid) AddListText(out, TextMsgArgs.list_text[slot]);
            break;
        case 's':
            if (valid) out.Add("%s", TextMsgArgs.string[slot]);
            break;
        case '$':
            // As a doubled "$": a "$" is written and this one starts the
            // next placeholder.
            out.Put('$');
            return p - 1;
        default:
            AbortError("textmsg", 422, "unknown string type in message string");
    }
    return p;
}

void StoreString(char (&slot)[TEXTMSG_STRING_SIZE], const char* text) {
    size_t length = strnlen(text, TEXTMSG_STRING_KEEP + 1);
    if (length <= size_t(TEXTMSG_STRING_KEEP)) {
        std::memcpy(slot, text, length);
        slot[length] = '\0';
        return;
    }
    std::memcpy(slot, text, TEXTMSG_STRING_KEEP);
    std::memcpy(slot + TEXTMSG_STRING_KEEP, "...", 4);
}

// Number of divisions of a country: the leading divisions with clubs.
int CountDivisions(int country) {
    int count = 0;
    while (count < kDivisionCount && DivisionLayout[country][count].clubs != 0) ++count;
    return count;
}

}  // namespace

void TextMsg_SetArg(int kind, const void* value) {
    if (value == nullptr) return;
    TextMsgArgBlock& a = TextMsgArgs;
    switch (kind) {
        case TEXTMSG_CLUB: {
            int16_t v;
            std::memcpy(&v, value, sizeof v);
            if (a.club[0] == -1)
                a.club[0] = v;
            else if (a.club[1] == -1)
                a.club[1] = v;
            break;
        }
        case TEXTMSG_PLAYER: {
            uint16_t v;
            std::memcpy(&v, value, sizeof v);
            if (!IsPlayerNumber(v)) break;
            if (a.player[0] == 0)
                a.player[0] = v;
            else if (a.player[1] == 0)
                a.player[1] = v;
            break;
        }
        case TEXTMSG_WORD2:
            std::memcpy(&a.word2, value, sizeof a.word2);
            break;
        case TEXTMSG_WORD3:
            std::memcpy(&a.word3, value, sizeof a.word3);
            break;
        case TEXTMSG_MONEY:
            std::memcpy(&a.money, value, sizeof a.money);
            break;
        case TEXTMSG_NUMBER: {
            int16_t v;
            std::memcpy(&v, value, sizeof v);
            if (a.number[0] == -1)
                a.number[0] = v;
            else if (a.number[1] == -1)
                a.number[1] = v;
            break;
        }
        case TEXTMSG_DATE: {
            const uint8_t* bytes = static_cast<const uint8_t*>(value);
            TextMsgDate d;
            d.day = int8_t(bytes[0]);
            d.month = int8_t(bytes[1]);
            std::memcpy(&d.year, bytes + 2, sizeof d.year);
            if (DateEmpty(a.date[0]))
                a.date[0] = d;
            else if (DateEmpty(a.date[1]))
                a.date[1] = d;
            break;
        }
        case TEXTMSG_LIST_TEXT: {
            int16_t v;
            std::memcpy(&v, value, sizeof v);
            if (a.list_text[0] == -1)
                a.list_text[0] = v;
            else if (a.list_text[1] == -1)
                a.list_text[1] = v;
            break;
        }
        case TEXTMSG_STRING: {
            const char* text = static_cast<const char*>(value);
            if (a.string[0][0] == '\0')
                StoreString(a.string[0], text);
            else if (a.string[1][0] == '\0')
                StoreString(a.string[1], text);
            break;
        }
        default:
            break;
    }
}

const char* TextMsg_Expand(const char* template_text) {
    Output out(g_output);
    const char* p = template_text != nullptr ? template_text : "";
    while (*p != '\0') {
        if (*p != '$') {
            out.Put(*p++);
            continue;
        }
        ++p;
        if (*p == '$') {
            // The second "$" is written and then starts a placeholder itself.
            out.Put('$');
            continue;
        }
        if (*p == '\0') break;
        const int slot = *p++ - '0';
        if (*p == '\0') break;
        const char letter = *p++;
        p = ExpandPlaceholder(out, p, slot, letter);
    }
    TextMsg_ResetArgs();
    if (g_output[0] >= 'a' && g_output[0] <= 'z') g_output[0] = char(g_output[0] - 'a' + 'A');
    return g_output;
}

const char* TextMsg_GetCompetitionWording(int form, int index) {
    if (form < 0 || form >= TEXTMSG_FORM_COUNT || index < 0 || index >= TEXTMSG_WORDING_COUNT) {
        return "";
    }
    return kWordings[form][index];
}

int TextMsg_GetCupWordingIndex(int country, int cup_code) {
    if (!IsCountryNumber(country) || cup_code < 0 || cup_code > 6) return -1;
    if (cup_code == 4) return 0;
    if (cup_code >= 5) return 1;
    return kCupIndex[country][cup_code];
}

const char* TextMsg_GetDivisionWording(int country, int division, int form) {
    g_division_phrase[0] = '\0';
    if (country < 0 || country >= kCountryNoWording || division < 0 || division >= CountDivisions(country)) {
        return g_division_phrase;
    }
    const char* wording = TextMsg_GetCompetitionWording(form, kLeagueIndex[country][division]);

    // Italy and Germany name their leagues by a list text, the others that
    // expand put the division index into a number slot.
    const int16_t number = int16_t(division);
    int16_t list_text = -1;
    bool use_number = false;
    bool use_list = false;
    switch (country) {
        case 0:
        case 1:
            use_number = division >= 1 && division <= 3;
            break;
        case 2:
            list_text = kItalianLeagueText[division];
            use_list = true;
            break;
        case 3:
            list_text = kGermanLeagueText[division];
            use_list = true;
            break;
        case 4:
            use_number = division >= 2 && division <= 5;
            break;
        case 6:
            use_number = division <= 1;
            break;
        default:
            break;
    }

    const char* phrase = wording;
    if (use_number || use_list) {
        if (use_list) {
            TextMsg_SetArg(TEXTMSG_LIST_TEXT, &list_text);
        } else {
            TextMsg_SetArg(TEXTMSG_NUMBER, &number);
        }
        phrase = TextMsg_Expand(wording);
    }
    std::snprintf(g_division_phrase, sizeof g_division_phrase, "%s", phrase);
    // The phrase stands inside a sentence: it keeps the lower-case start of
    // its wording, which the expansion would have capitalised.
    if (wording[0] >= 'a' && wording[0] <= 'z') g_division_phrase[0] = wording[0];
    return g_division_phrase;
}

void TextMsg_ResetArgs() {
    TextMsgArgBlock& a = TextMsgArgs;
    a.club[0] = a.club[1] = -1;
    a.player[0] = a.player[1] = 0;
    a.word2 = 0;
    a.word3 = 65535;
    a.money = -1;
    a.number[0] = a.number[1] = -1;
    for (TextMsgDate& d : a.date) d = TextMsgDate{-1, -1, -1};
    a.list_text[0] = a.list_text[1] = -1;
    a.string[0][0] = a.string[1][0] = '\0';
}
