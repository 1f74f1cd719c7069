#include "game/screens/club/inbox.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/datesandform.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/messagetemplates.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/competitioncodes.h"
#include "core/season/leagues.h"
#include "core/season/messagetypes.h"
#include "core/season/news.h"
#include "core/season/unrest.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"
#include "game/screens/transfers/dealsheet.h"

int16_t InboxFolder = 0;
int16_t InboxScroll = 0;
int16_t InboxCurrent = -1;
int16_t InboxFolderLists[kInboxFolders][kInboxSlots];
int16_t InboxFolderCounts[kInboxFolders];
int16_t InboxUnreadCounts[kInboxFolders];
int16_t InboxRows = 0;
int16_t InboxReadTicksCount = 0;
int16_t InboxReadDone = 0;

namespace {

using recbits::LoadU16;
using recbits::LoadU32;
using recbits::StoreU16;
using recbits::StoreU32;

constexpr int16_t kEmptyType = -1;
constexpr uint32_t kNoPlayerArg = 0xFFFFFFFFu;
constexpr int16_t kLastType = 292;
constexpr int kAnswerDays = 7;

// Message types by folder; every type not listed here is folder 0's.
struct TypeRange {
    int16_t first, last;
    int8_t folder;
};
constexpr TypeRange kFolderRanges[] = {
    {31, 33, 1},   {59, 60, 1},   {149, 149, 1}, {170, 171, 1}, {199, 200, 1},

    {58, 58, 2},   {98, 98, 2},   {140, 141, 2}, {148, 148, 2}, {164, 164, 2}, {173, 186, 2}, {189, 191, 2},
    {193, 193, 2}, {195, 198, 2}, {201, 212, 2}, {253, 254, 2}, {257, 257, 2}, {264, 264, 2}, {290, 291, 2},

    {97, 97, 3},   {165, 167, 3}, {225, 225, 3}, {228, 236, 3}, {265, 265, 3}, {279, 281, 3}, {289, 289, 3},

    {0, 0, 4},     {4, 5, 4},     {25, 25, 4},   {34, 35, 4},   {61, 62, 4},   {78, 78, 4},   {152, 152, 4},
    {157, 157, 4}, {221, 224, 4}, {227, 227, 4},

    {14, 24, 5},   {28, 30, 5},   {81, 91, 5},   {142, 145, 5}, {151, 151, 5}, {153, 153, 5}, {255, 256, 5},
    {266, 276, 5},

    {8, 9, 6},     {39, 44, 6},   {54, 54, 6},   {75, 77, 6},   {102, 121, 6}, {125, 139, 6}, {146, 146, 6},
    {159, 163, 6}, {168, 169, 6}, {172, 172, 6}, {187, 188, 6}, {192, 192, 6}, {194, 194, 6}, {213, 214, 6},
    {226, 226, 6}, {277, 278, 6}, {292, 292, 6},

    {237, 252, 7}, {258, 263, 7},
};

constexpr std::array<int8_t, kLastType + 1> MakeFolderTable() {
    std::array<int8_t, kLastType + 1> table{};
    for (const TypeRange& range : kFolderRanges)
        for (int type = range.first; type <= range.last; ++type) table[size_t(type)] = range.folder;
    return table;
}
constexpr std::array<int8_t, kLastType + 1> kFolderOfType = MakeFolderTable();

constexpr int16_t kFolderCaptions[kInboxFolders] = {415, 416, 411, 417, 1180, 187, 419, 653};

// Texts.
constexpr int16_t kTitleText = 414;
constexpr int16_t kSubjectText = 420;
constexpr int16_t kNationBodyText = 462;
constexpr int16_t kFederationText = 463;
constexpr int16_t kSquadFullText = 1140;
constexpr int16_t kRivalBidsText = 1141;
constexpr int16_t kNoPlayerText = 1143;

// Messages the answers post.

constexpr int kSquadLimit = 32;
constexpr int kRivalBidLimit = 5;

// Row and detail texts.
char g_rowSender[kInboxListRows][kInboxTextSize];
char g_rowTitle[kInboxListRows][kInboxTextSize];
char g_rowDate[kInboxListRows][kInboxTextSize];
const char* g_rowSenderText[kInboxListRows];
const char* g_rowTitleText[kInboxListRows];
const char* g_rowDateText[kInboxListRows];
int16_t g_rowColour[kInboxListRows];
int16_t g_rowSlot[kInboxListRows];
char g_unread[kInboxFolders][16];
const char* g_unreadText[kInboxFolders];
char g_detail[3][kInboxTextSize];
const char* g_detailText[3] = {g_detail[0], g_detail[1], g_detail[2]};
char g_body[TEXTMSG_OUTPUT_SIZE];
int16_t g_pageList[kInboxSlots];
int16_t g_pageCount = 0;
InboxButtonSet g_buttonSet = kInboxNoButtons;

// ---- Record fields ---------------------------------------------------------------

int16_t FieldI16(const MessageRecord& m, int offset) { return int16_t(LoadU16(m.bytes + offset)); }
uint32_t FieldU32(const MessageRecord& m, int offset) { return LoadU32(m.bytes + offset); }
int16_t TypeOf(const MessageRecord& m) { return FieldI16(m, kMsgType); }

bool IsInboxSlot(int16_t slot) { return slot >= 0 && slot < kInboxSlots; }

const MessageRecord* Opened() {
    if (!IsInboxSlot(InboxCurrent)) return nullptr;
    const MessageRecord& m = UserInbox[InboxCurrent];
    return TypeOf(m) == kEmptyType ? nullptr : &m;
}

// The player the answers act on: player A when he is a player of the game.
uint16_t AnswerPlayer(const MessageRecord& m) {
    const uint32_t player = FieldU32(m, kMsgPlayerA);
    return player < PlayerCount && IsValidPlayer(uint16_t(player)) ? uint16_t(player) : uint16_t(0);
}

// Hands the record's arguments to the expander: fields holding -1 are not
// handed, nor a player number past 16 bits, nor a day outside the season.
void HandArguments(const MessageRecord& m) {
    MessageRecord copy = m;
    for (int offset : {int(kMsgPlayerA), int(kMsgPlayerB)}) {
        if (FieldU32(copy, offset) > 0xFFFFu) StoreU32(copy.bytes + offset, kNoPlayerArg);
    }
    const int16_t day = FieldI16(copy, kMsgDay);
    if (day < 0 || day > 365) StoreU16(copy.bytes + kMsgDay, 0xFFFF);
    TextMsg_ResetArgs();
    SetMessageTemplateArgs(copy);
}

void CopyText(char* out, const char* text) { std::snprintf(out, kInboxTextSize, "%s", text ? text : ""); }

void TitleOf(const MessageRecord& m, char* out) {
    HandArguments(m);
    CopyText(out, GetMessageTitle(TypeOf(m)));
}

void SenderOf(int folder, const MessageRecord& m, char* out) {
    switch (folder) {
        case 0:
            CopyText(out, InboxSenderText(m));
            return;
        case 3: {
            const uint16_t player = AnswerPlayer(m);
            CopyText(out, player != 0 ? HVW_GetAgentName(player) : "");
            return;
        }
        case 5: {
            const uint16_t player = AnswerPlayer(m);
            CopyText(out, player != 0 ? HVW_GetPlayerShortName(player) : "");
            return;
        }
        default:
            CopyText(out, GetText(kFolderCaptions[folder]));
    }
}

// "Sat 14/07": a day outside the season shows no date.
void DateOf(const MessageRecord& m, char* out) {
    const int16_t day = FieldI16(m, kMsgDay);
    if (day < 0 || day > 365) {
        out[0] = '\0';
        return;
    }
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(day, HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    std::snprintf(out, kInboxTextSize, "%s %02d/%02d", GetText(int16_t(kTextFirstWeekday + weekday % 7)),
                  dayOfMonth, month + 1);
}

// Days since the message came; a day past today is one of last season's.
int MessageAge(const MessageRecord& m) {
    int age = HVW_GetCurrentDay() - FieldI16(m, kMsgDay);
    if (age < 0) age += 365;
    return age;
}

bool InUserClub(uint16_t player) {
    const int16_t user = HVW_GetMyClub();
    return user >= 0 && GetPlayerClub(player) == uint16_t(user);
}

InboxButtonSet ButtonsFor(const MessageRecord& m) {
    const int16_t type = TypeOf(m);
    const int age = MessageAge(m);
    const bool answered = m.bytes[kMsgAnswered] != 0;
    if (type == kMsgScoutTip && age < kAnswerDays) {
        const uint16_t player = AnswerPlayer(m);
        if (player != 0 && !InUserClub(player) && HVW_IsNotInFilterList(0, player) == 1)
            return kInboxOfferButtons;
        return kInboxNoButtons;
    }
    if (type == kMsgTrialOver && age < kAnswerDays) return kInboxBidButton;
    if ((type == kMsgTransferRequest || type == kMsgClauseRequest) && age < kAnswerDays && !answered)
        return kInboxRequestButtons;
    if (type == kMsgUrgentRequest && age <= kAnswerDays - 1 && !answered) return kInboxRequestButtons;
    return kInboxNoButtons;
}

void OpenEntry(int16_t entry) {
    InboxCurrent = entry >= 0 && entry < InboxFolderCounts[InboxFolder] ? InboxFolderLists[InboxFolder][entry]
                                                                        : int16_t(-1);
}

int16_t OpenedEntry() {
    const int16_t* list = InboxFolderLists[InboxFolder];
    for (int16_t e = 0; e < InboxFolderCounts[InboxFolder]; ++e)
        if (list[e] == InboxCurrent) return e;
    return -1;
}

// After an answer the folders are built afresh and the answered message is
// opened again: the posted message may have moved it down the inbox, so it
// is looked for from its old slot on by its bytes (its answered flag set),
// else the entry at its old index is opened.
void RebuildAndReopen(const MessageRecord& answered, int16_t oldSlot, int16_t oldEntry) {
    BuildInboxFolders();
    for (int16_t slot = std::max<int16_t>(oldSlot, 0); slot < kInboxSlots; ++slot) {
        if (std::memcmp(UserInbox[slot].bytes, answered.bytes, sizeof answered.bytes) == 0) {
            InboxCurrent = slot;
            return;
        }
    }
    OpenEntry(oldEntry);
}

void ShowBox(int16_t textId) { ShowMessageBox(GetText(textId), 0); }

// Keep or list the player of a transfer request.
int32_t AnswerRequest(bool list) {
    if (!IsInboxSlot(InboxCurrent) || Opened() == nullptr) return MENU_REDRAW;
    MessageRecord& m = UserInbox[InboxCurrent];
    const uint16_t player = AnswerPlayer(m);
    // A second click on an answered request does nothing.
    if (player == 0 || m.bytes[kMsgAnswered] != 0) return MENU_REDRAW;
    SelectedPlayer = int16_t(player);
    const int16_t oldSlot = InboxCurrent, oldEntry = OpenedEntry();
    m.bytes[kMsgAnswered] = 1;
    const MessageRecord answered = m;
    HVW_SetPlayerTxList(player, list ? 1 : 0);
    if (list && GameRandom() % 100 > HVW_GetPlayerStat(player, kSpiritStat)) {
        HVW_SetPlayerField96(player, int16_t(HVW_GetPlayerField96Percent(player) / 2));
    }
    const int16_t club = int16_t(GetPlayerClub(player));
    AddMessage(club, -1, player, 1, -1, -1, 300 + HVW_GetPositionType(player), -1, -1, -1, -1,
               list ? kMsgListedOnRequest : kMsgUnhappyStarter, 1, 0);
    if (list) HVW_SetPlayerSaleStatus(player, 0);
    RemovePendingPlayerEvent(player);
    RebuildAndReopen(answered, oldSlot, oldEntry);
    return MENU_REDRAW;
}

bool InClosedPeriod() {
    const int16_t country = HVW_GetViewedCountry();
    if (country < 0 || country >= kCountryCount) return false;
    const int16_t today = HVW_GetCurrentDay();
    for (int p = 0; p < kTransferClosedPeriods; ++p) {
        const int16_t first = LeagueTransferWords[2 * p][country];
        const int16_t last = LeagueTransferWords[2 * p + 1][country];
        if (today >= first && today <= last) return true;
    }
    return false;
}

// The user's free bid slots; -1 when his squad is full.
int FreeBidSlots(int16_t user) {
    if (HVW_GetSquadSize(user) >= kSquadLimit) return -1;
    int free = 0;
    for (int16_t slot = 0; slot < 4; ++slot) free += HVW_GetClubBidPlayer(user, slot) == 0 ? 1 : 0;
    return free;
}

// ---- Painters --------------------------------------------------------------------

void Panel(int x, int y, int w, int h, uint16_t colour, int percent) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, colour);
    DrawShadedRect(x, y, w, h, percent);
    SetDrawParam(2, kept);
}

void Outline(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0xFFFF);
    DrawBox(x, y, w, h);
    SetDrawParam(2, kept);
}

void InboxDrawFrame(int, int, int, int) {
    Panel(36, 104, 140, 260, 0x4208, 60);
    Panel(170, 104, 604, 190, 0x6B4D, 50);
    Panel(170, 296, 604, 236, 0x8410, 40);
    SetFont(9);
    SetDrawParam(1, 0);
    DrawTextNoAt(179, 114, kTextFrom, JUSTIFY_LEFT_TOP);
    DrawTextNoAt(299, 114, kSubjectText, JUSTIFY_LEFT_TOP);
    DrawTextNoAt(669, 114, kTextDate, JUSTIFY_LEFT_TOP);
    DrawTextNoAt(179, 302, kTextFrom, JUSTIFY_LEFT_TOP);
    DrawTextNoAt(459, 302, kTextTo, JUSTIFY_LEFT_TOP);
    DrawTextNoAt(179, 322, kSubjectText, JUSTIFY_LEFT_TOP);
}

void InboxDrawFolderTabs(int, int, int, int) {
    SetFont(9);
    SetDrawParam(1, 0);
    // Each caption stands in the middle of its tab's outline.
    DrawTextNoAt(42, 124, kFolderCaptions[0], JUSTIFY_LEFT_MIDDLE);
    for (int k = 1; k < kInboxFolders; ++k)
        DrawTextNoAt(62, 154 + 30 * (k - 1), kFolderCaptions[k], JUSTIFY_LEFT_MIDDLE);
    if (InboxFolder == 0) {
        Outline(41, 113, 128, 22);
    } else {
        Outline(61, 143 + 30 * (InboxFolder - 1), 108, 22);
    }
    for (int r = 0; r < InboxRows; ++r)
        if (g_rowSlot[r] >= 0 && g_rowSlot[r] == InboxCurrent) Outline(174, 124 + 20 * r, 587, 20);
}

void InboxDrawBody(int, int, int, int) {
    if (g_body[0] == '\0') return;
    SetFont(8);
    DrawWrappedText(190, 338, g_body, JUSTIFY_LEFT_TOP, 430, 180);
}

void ReadTimerFrame(int16_t frame) { InboxReadTimer(frame); }
const MenuTimerRecord kReadTimer = {8, 1, ReadTimerFrame};

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

#define END_OF_TABLE \
    { MI_END, 0, 0, 0, 0, nullptr, nullptr }
#define FOLDER_TAB(k)                                                                                  \
    {                                                                                                  \
        31, 42, 113 + 30 * (k), 128, 22, MenuValue(-1), [](MenuHotItem*) { return InboxFolderTab(k); } \
    }
#define UNREAD_LABEL(k) \
    { MI_STRING_VAR, 122, 124 + 30 * (k), 4, 0, &g_unreadText[k], nullptr }

const MenuItem kRow[] = {
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_rowColour, nullptr},
    {MI_STRING_VAR, 179, 4, 4, sizeof(const char*), g_rowSenderText, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_rowColour, nullptr},
    {MI_STRING_VAR, 299, 4, 4, sizeof(const char*), g_rowTitleText, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_rowColour, nullptr},
    {MI_STRING_VAR, 669, 4, 4, sizeof(const char*), g_rowDateText, nullptr},
    {MI_HOT_RECT, 174, 0, 587, 20, MenuValue(-1), InboxRowClick},
    END_OF_TABLE,
};

const MenuItem kOfferButtons[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 235, 430, 150, 30, MenuValue(607), InboxAcceptPlayerOffer},
    {MI_BUTTON_TEXT, 425, 430, 150, 30, MenuValue(534), InboxBidForPlayer},
    END_OF_TABLE,
};
const MenuItem kBidButton[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 330, 430, 150, 30, MenuValue(534), InboxBidForPlayer},
    END_OF_TABLE,
};
const MenuItem kRequestButtons[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 235, 430, 150, 30, MenuValue(755), InboxListPlayer},
    {MI_BUTTON_TEXT, 425, 430, 150, 30, MenuValue(622), InboxKeepPlayer},
    END_OF_TABLE,
};
const MenuItem kNoButtons[] = {END_OF_TABLE};
const MenuItem* const kButtonTables[] = {kNoButtons, kOfferButtons, kBidButton, kRequestButtons};
const MenuItem* g_buttons = kNoButtons;

}  // namespace

int16_t InboxFolderOfType(int16_t type) {
    return type >= 0 && type <= kLastType ? int16_t(kFolderOfType[size_t(type)]) : int16_t(0);
}

void BuildInboxFolders() {
    for (auto& list : InboxFolderLists) std::fill(std::begin(list), std::end(list), int16_t(-1));
    std::fill(std::begin(InboxFolderCounts), std::end(InboxFolderCounts), int16_t(0));
    std::fill(std::begin(InboxUnreadCounts), std::end(InboxUnreadCounts), int16_t(0));
    for (int16_t slot = 0; slot < kInboxSlots; ++slot) {
        const MessageRecord& m = UserInbox[slot];
        if (TypeOf(m) == kEmptyType) continue;
        const int16_t folder = InboxFolderOfType(TypeOf(m));
        InboxFolderLists[folder][InboxFolderCounts[folder]++] = slot;
        if (m.bytes[kMsgRead] == 0) ++InboxUnreadCounts[folder];
    }
}

// Competitions of the continent (and the international call-ups of a
// competition outside the table) come from the federation; the rest from
// the user's national association.
const char* InboxSenderText(const MessageRecord& m) {
    const int16_t competition = FieldI16(m, kMsgText1);
    const int16_t type = TypeOf(m);
    bool federation;
    if (competition < 0 || competition > 120) {
        federation = type >= kMsgCalledUp && type <= kMsgUnder21Captain;
    } else {
        federation = IsEuropeanCompetition(competition);
    }
    static char sender[kInboxTextSize];
    if (federation) {
        CopyText(sender, GetText(kFederationText));
        return sender;
    }
    const int16_t user = HVW_GetMyClub();
    const char* nation =
        user >= 0 && user < kClubCount ? HVW_GetNationName(int16_t(GetClubNation(user))) : "";
    std::snprintf(sender, sizeof sender, "%s %s", nation, GetText(kNationBodyText));
    return sender;
}

void InboxEnter() {
    SetMenuTitleDate(11);
    BuildInboxFolders();
    InboxFolder = 0;
    InboxScroll = 0;
    InboxReadDone = 0;
    OpenEntry(0);
}

void InboxScreenProc() {
    if (IsMenuFirstEntry() == 1) InboxEnter();
    for (int k = 0; k < kInboxFolders; ++k) {
        if (InboxUnreadCounts[k] > 0) {
            std::snprintf(g_unread[k], sizeof g_unread[k], "(%d)", InboxUnreadCounts[k]);
        } else {
            g_unread[k][0] = '\0';
        }
        g_unreadText[k] = g_unread[k];
    }
    InboxReadTicksCount = 0;
    std::copy(std::begin(InboxFolderLists[InboxFolder]), std::end(InboxFolderLists[InboxFolder]), g_pageList);
    g_pageCount = InboxFolderCounts[InboxFolder];

    int rows = 0;
    for (int i = 0; i < kInboxListRows; ++i) rows += g_pageList[i] != -1 ? 1 : 0;
    InboxRows = int16_t(std::min(rows, kInboxPageRows));

    for (int r = 0; r < kInboxListRows; ++r) {
        g_rowSender[r][0] = g_rowTitle[r][0] = g_rowDate[r][0] = '\0';
        g_rowSenderText[r] = g_rowSender[r];
        g_rowTitleText[r] = g_rowTitle[r];
        g_rowDateText[r] = g_rowDate[r];
        g_rowColour[r] = 2;
        g_rowSlot[r] = -1;
    }
    for (int i = 0; i < InboxRows; ++i) {
        const int index = InboxScroll + i;
        const int r = InboxRows - 1 - i;
        const int16_t slot = index < kInboxSlots ? g_pageList[index] : int16_t(-1);
        if (!IsInboxSlot(slot)) continue;
        const MessageRecord& m = UserInbox[slot];
        g_rowSlot[r] = slot;
        g_rowColour[r] = slot == InboxCurrent ? 0 : m.bytes[kMsgRead] == 1 ? 9 : 2;
        TitleOf(m, g_rowTitle[r]);
        SenderOf(InboxFolder, m, g_rowSender[r]);
        DateOf(m, g_rowDate[r]);
    }

    const MessageRecord* opened = Opened();
    g_detail[0][0] = g_detail[1][0] = g_detail[2][0] = '\0';
    g_body[0] = '\0';
    g_buttonSet = kInboxNoButtons;
    if (opened != nullptr) {
        SenderOf(InboxFolder, *opened, g_detail[0]);
        const int16_t user = HVW_GetMyClub();
        const uint16_t manager = user >= 0 ? HVW_GetClubManager(user) : uint16_t(0);
        CopyText(g_detail[1], IsValidPlayer(manager) ? HVW_GetPlayerShortName(manager) : "");
        TitleOf(*opened, g_detail[2]);
        HandArguments(*opened);
        std::snprintf(g_body, sizeof g_body, "%s", TextMsg_ExpandBody(TypeOf(*opened), 0));
        g_buttonSet = ButtonsFor(*opened);
    }
    g_buttons = kButtonTables[g_buttonSet];
}

void InboxReadTimer(int16_t) {
    if (InboxReadDone == 0) ++InboxReadTicksCount;
    if (InboxReadTicksCount <= kInboxReadTicks || Opened() == nullptr) return;
    MessageRecord& m = UserInbox[InboxCurrent];
    if (m.bytes[kMsgRead] == 1) return;
    if (InboxUnreadCounts[InboxFolder] > 0) --InboxUnreadCounts[InboxFolder];
    InboxReadTicksCount = 0;
    m.bytes[kMsgRead] = 1;
    InboxReadDone = 1;
    SetNewMessageFlag(0);
    SetMenuFrameResult(MENU_REDRAW);
}

int32_t InboxFolderTab(int16_t folder) {
    if (folder < 0 || folder >= kInboxFolders) return MENU_CONTINUE;
    InboxFolder = folder;
    InboxScroll = 0;
    InboxReadDone = 0;
    OpenEntry(0);
    return MENU_REDRAW;
}

int32_t InboxRowClick(MenuHotItem* item) {
    const int r = item != nullptr ? item->row : 0;
    // Only a row that shows a message opens one: a click on the empty ninth
    // row of a scrolled page would otherwise open the newer message below
    // the page, which is not shown.
    if (r < 0 || r >= InboxRows) return MENU_CONTINUE;
    const int e = InboxScroll + InboxRows - 1 - r;
    if (e < 0) return MENU_CONTINUE;
    InboxReadDone = 0;
    OpenEntry(int16_t(e));
    return MENU_REDRAW;
}

int32_t InboxScrollOlder(MenuHotItem*) {
    const int top = std::max(0, InboxFolderCounts[InboxFolder] - kInboxPageRows);
    InboxScroll = int16_t(std::clamp(InboxScroll + 1, 0, top));
    return MENU_REDRAW;
}

int32_t InboxScrollNewer(MenuHotItem*) {
    InboxScroll = int16_t(std::max(InboxScroll - 1, 0));
    return MENU_REDRAW;
}

int32_t InboxKeepPlayer(MenuHotItem*) { return AnswerRequest(false); }
int32_t InboxListPlayer(MenuHotItem*) { return AnswerRequest(true); }

int32_t InboxAcceptPlayerOffer(MenuHotItem*) {
    if (Opened() == nullptr) return MENU_REDRAW;
    MessageRecord& m = UserInbox[InboxCurrent];
    const uint16_t player = AnswerPlayer(m);
    const int16_t user = HVW_GetMyClub();
    // Taken up once: a second click (the buttons stand until the redraw, and
    // stay when the move did not happen) would post the signing again and
    // move the player a second time.
    if (player == 0 || user < 0 || user >= kClubCount || m.bytes[kMsgAnswered] != 0 || InUserClub(player))
        return MENU_REDRAW;
    SelectedPlayer = int16_t(player);
    const int16_t oldSlot = InboxCurrent, oldEntry = OpenedEntry();
    m.bytes[kMsgAnswered] = 1;
    const MessageRecord answered = m;
    const int16_t from = int16_t(GetPlayerClub(player));
    AddMessage(user, from, player, kNoPlayerArg, -1, -1, -1, int16_t(300 + HVW_GetPositionType(player)), -1,
               GetPlayerAge(player) + 16, -1, kMsgTrialSwoop, 1, 1);
    HVW_MovePlayerToClub(player, user, 0, 0);
    if (InUserClub(player)) {
        BuildClubSquadList(user);
        AddToReserveList(player);
    }
    RebuildAndReopen(answered, oldSlot, oldEntry);
    return MENU_REDRAW;
}

int32_t InboxBidForPlayer(MenuHotItem*) {
    if (InClosedPeriod()) {
        ShowBox(kTextTransfersClosed);
        return MENU_REDRAW;
    }
    const MessageRecord* opened = Opened();
    // The player is checked before anything is stored.
    const uint16_t player = opened != nullptr ? AnswerPlayer(*opened) : uint16_t(0);
    if (player == 0) {
        ShowBox(kNoPlayerText);
        return MENU_REDRAW;
    }
    SelectedPlayer = int16_t(player);
    if (HVW_IsNotInFilterList(0, player) == 0) {
        ShowBox(kTextAlreadyApproached);
        return MENU_REDRAW;
    }
    if (HVW_PushRecentValue(0, player) == 0) {
        ShowBox(kTextNoMoreApproaches);
        return MENU_REDRAW;
    }
    const int16_t user = HVW_GetMyClub();
    if (user < 0 || user >= kClubCount) return MENU_REDRAW;
    const int free = FreeBidSlots(user);
    if (CountRivalBids(user, player) < kRivalBidLimit && free > 0) {
        if (HVW_ValuePlayerFull(player) != 0) {
            // The transfer offer screen takes the bid from here, as a
            // purchase by the user's club.
            SalesTeamClub = user;
            SquadOfferFlag = 0;
            DealSheet_StartAfresh();
            DealSheetFromProfile = 1;
            MenuOption = kScreenDealSheet;
            return MENU_CLOSE;
        }
        if (HVW_MakeClubBid(user, player, 0, 0, HVW_FirstFreeBidSlotCode(user), 0) != 0) {
            HVW_GetPlayerApproachReply(player, user);
            ShowBox(kTextApproachMade);
        }
        MenuOption = kScreenClubMain;
        return MENU_CLOSE;
    }
    ShowBox(free == 0 ? kTextNoMoreApproaches : free < 0 ? kSquadFullText : kRivalBidsText);
    return MENU_REDRAW;
}

const char* InboxRowSender(int row) { return row >= 0 && row < kInboxListRows ? g_rowSender[row] : ""; }
const char* InboxRowTitle(int row) { return row >= 0 && row < kInboxListRows ? g_rowTitle[row] : ""; }
const char* InboxRowDate(int row) { return row >= 0 && row < kInboxListRows ? g_rowDate[row] : ""; }
int16_t InboxRowColour(int row) { return row >= 0 && row < kInboxListRows ? g_rowColour[row] : int16_t(-1); }
const char* InboxUnreadLabel(int folder) {
    return folder >= 0 && folder < kInboxFolders ? g_unread[folder] : "";
}
const char* InboxDetailLine(int line) { return line >= 0 && line < 3 ? g_detail[line] : ""; }
const char* InboxBodyText() { return g_body; }
InboxButtonSet InboxShownButtons() { return g_buttonSet; }

const MenuItem InboxTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(InboxScreenProc), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(22), nullptr},
    {MI_CUSTOM, 0, 0, 0, 0, MenuFunction(DrawBottomBar), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(InboxDrawFrame), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kReadTimer, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(InboxDrawFolderTabs), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(5), nullptr},
    {MI_GROUP, 0, 128, kInboxListRows, 20, kRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(3), nullptr},
    UNREAD_LABEL(0),
    UNREAD_LABEL(1),
    UNREAD_LABEL(2),
    UNREAD_LABEL(3),
    UNREAD_LABEL(4),
    UNREAD_LABEL(5),
    UNREAD_LABEL(6),
    UNREAD_LABEL(7),
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(2), nullptr},
    {MI_STRING_VAR, 229, 302, 4, 0, &g_detailText[0], nullptr},
    {MI_STRING_VAR, 509, 302, 4, 0, &g_detailText[1], nullptr},
    {MI_STRING_VAR, 229, 322, 4, 0, &g_detailText[2], nullptr},
    FOLDER_TAB(0),
    FOLDER_TAB(1),
    FOLDER_TAB(2),
    FOLDER_TAB(3),
    FOLDER_TAB(4),
    FOLDER_TAB(5),
    FOLDER_TAB(6),
    FOLDER_TAB(7),
    {MI_ICON, 780, 104, 10, 0, MenuValue(192), InboxScrollOlder},
    {MI_ICON, 780, 273, 10, 0, MenuValue(193), InboxScrollNewer},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(InboxDrawBody), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    END_OF_TABLE,
};
