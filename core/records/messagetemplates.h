// Message templates: news items, inbox messages and letters are texts with
// "$" placeholders ("$0p hopes for move to $0c") filled from argument slots
// that callers set with TextMsg_SetArg before TextMsg_Expand.  Also the
// wording tables that name cups and leagues inside sentences.
#pragma once
#include <cstdint>

// Argument kinds of TextMsg_SetArg.
enum TextMsgKind : int {
    TEXTMSG_CLUB = 0,
    TEXTMSG_PLAYER = 1,
    TEXTMSG_WORD2 = 2,
    TEXTMSG_WORD3 = 3,
    TEXTMSG_MONEY = 4,
    TEXTMSG_NUMBER = 5,
    TEXTMSG_DATE = 6,
    TEXTMSG_LIST_TEXT = 7,
    TEXTMSG_STRING = 8,
};

constexpr int TEXTMSG_STRING_SIZE = 204;  // 203 characters and a NUL
constexpr int TEXTMSG_STRING_KEEP = 200;  // longer strings are cut here and get "..."
constexpr int TEXTMSG_OUTPUT_SIZE = 2048;

// A date argument as callers pass it: four bytes, day, month (1..12), year.
struct TextMsgDate {
    int8_t day;
    int8_t month;  // -1: the slot is empty
    int16_t year;
};
static_assert(sizeof(TextMsgDate) == 4);

// The argument slots.  Kinds 2, 3 and 4 have a single slot.
struct TextMsgArgBlock {
    int16_t club[2];                      // -1 empty
    uint16_t player[2];                   // 0 empty
    uint16_t word2;                       // 0 empty
    uint16_t word3;                       // 65535 empty
    int32_t money;                        // -1 empty
    int16_t number[2];                    // -1 empty
    TextMsgDate date[2];                  // month -1 empty
    int16_t list_text[2];                 // -1 empty
    char string[2][TEXTMSG_STRING_SIZE];  // "" empty
};

extern TextMsgArgBlock TextMsgArgs;

// Empties every argument slot (clubs -1, players 0, money -1, ...).
void TextMsg_ResetArgs();

// Stores a value in the first empty slot of its kind (see the kinds above);
// value points at the value of that kind (a NUL-terminated text for strings,
// four date bytes for dates).
void TextMsg_SetArg(int kind, const void* value);
// Expands a template into a static 2048-byte buffer (overwritten by the next
// expansion) and empties every argument slot.
const char* TextMsg_Expand(const char* template_text);

// Wording forms: 0 the cup's name, 1 "of", 2 "in", 3 "out of" and the cup;
// 4 "from", 5 and 6 "in" and the league.
constexpr int TEXTMSG_FORM_COUNT = 7;
constexpr int TEXTMSG_WORDING_COUNT = 19;
const char* TextMsg_GetCompetitionWording(int form, int index);
int TextMsg_GetCupWordingIndex(int country, int cup_code);
const char* TextMsg_GetDivisionWording(int country, int division, int form);
