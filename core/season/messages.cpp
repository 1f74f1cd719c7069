#include "core/season/messages.h"

#include <array>
#include <cstring>

#include "core/base/bytes.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"

using namespace recbits;

MessageRecord MessageArchive[kClubCount][kArchiveSlots];
MessageRecord UserInbox[kInboxSlots];
uint16_t NewMessageFlag;
uint8_t HalvornMessageBytes[27];

namespace {

struct TypeRange {
    int16_t first;
    int16_t last;
};

constexpr TypeRange kArchiveOnly[] = {
    {1, 3}, {6, 7}, {50, 53}, {55, 57}, {95, 96}, {215, 220},
};

constexpr TypeRange kInboxOnly[] = {
    {36, 38},   {45, 45},   {75, 77},   {98, 98},   {100, 100}, {103, 120}, {125, 138}, {140, 141},
    {146, 146}, {148, 148}, {150, 152}, {155, 155}, {157, 157}, {160, 167}, {173, 214}, {225, 226},
    {228, 228}, {230, 230}, {237, 254}, {257, 276}, {279, 282}, {289, 292},
};

constexpr std::array<MessageDelivery, kMessageTypeCount> BuildDelivery() {
    std::array<MessageDelivery, kMessageTypeCount> classes{};
    classes.fill(kDeliverBoth);
    for (TypeRange r : kArchiveOnly) {
        for (int t = r.first; t <= r.last; ++t) classes[t] = kDeliverArchive;
    }
    for (TypeRange r : kInboxOnly) {
        for (int t = r.first; t <= r.last; ++t) classes[t] = kDeliverInbox;
    }
    return classes;
}
constexpr auto kDelivery = BuildDelivery();

constexpr int CountClass(MessageDelivery c) {
    int n = 0;
    for (MessageDelivery d : kDelivery) n += d == c;
    return n;
}
static_assert(CountClass(kDeliverArchive) == 20);
static_assert(CountClass(kDeliverInbox) == 150);
static_assert(CountClass(kDeliverBoth) == 123);

// The user's club as the message code sees it: none for an empty message
// number or before any player is loaded.
int16_t UserClubFor(int16_t type) {
    if (type == -1 || PlayerCount == 0) return -1;
    return HVW_GetMyClub();
}

bool IsUserClub(int16_t club, int16_t user) { return user >= 0 && club == user; }

struct MessageFields {
    int16_t clubA, clubB;
    uint32_t playerA, playerB;
    int16_t word1, word2;
    int32_t money;
    int16_t text1, text2;
    int32_t number1, number2;
    int16_t type;
};

void WriteRecord(MessageRecord& record, const MessageFields& m) {
    uint8_t* r = record.bytes;
    StoreU16(r + kMsgClubA, uint16_t(m.clubA));
    StoreU16(r + kMsgClubB, uint16_t(m.clubB));
    StoreU32(r + kMsgPlayerA, m.playerA);
    StoreU32(r + kMsgPlayerB, m.playerB);
    StoreU16(r + kMsgWord1, uint16_t(m.word1));
    StoreU16(r + kMsgWord2, uint16_t(m.word2));
    StoreI32(r + kMsgMoney, m.money);
    StoreU16(r + kMsgText1, uint16_t(m.text1));
    StoreU16(r + kMsgText2, uint16_t(m.text2));
    StoreI32(r + kMsgNumber1, m.number1);
    StoreI32(r + kMsgNumber2, m.number2);
    StoreU16(r + kMsgType, uint16_t(m.type));
    StoreU16(r + kMsgDay, uint16_t(SeasonCalendar.currentDay));
    r[kMsgRead] = 0;
    r[kMsgAnswered] = 0;
}

void Store(int16_t owner, const MessageFields& m) {
    StoreMessage(owner, m.clubA, m.clubB, m.playerA, m.playerB, m.word1, m.word2, m.money, m.text1, m.text2,
                 m.number1, m.number2, m.type);
}

// One post: the archive makes room when the message goes there.
void Post(int16_t owner, const MessageFields& m) {
    if (!IsClubNumber(owner)) return;
    if (GetMessageDelivery(m.type) & kDeliverArchive) ShiftArchive(owner);
    Store(owner, m);
}

bool IsBroadcastClub(int16_t club) { return GetClubRep(club) != 0 && GetClubDivision(club) < 6; }

}  // namespace

MessageDelivery GetMessageDelivery(int16_t type) {
    uint16_t number = uint16_t(type);
    return number < kMessageTypeCount ? kDelivery[number] : kDeliverArchive;
}

void AddMessage(int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB, int16_t word1,
                int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1, int32_t number2,
                int16_t type, int16_t mode, int16_t alsoB) {
    const MessageFields m{clubA, clubB, playerA, playerB, word1,   word2,
                          money, text1, text2,   number1, number2, type};
    switch (mode) {
        case 0:
        case 1:
            if (mode == 1) Post(clubA, m);
            if (alsoB != 0) Post(clubB, m);
            break;
        case 2: {
            if (!IsClubNumber(clubA)) break;
            uint16_t nation = GetClubNation(clubA);
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (GetClubRep(club) != 0 && GetClubNation(club) == nation &&
                    HVW_FindClubInDivisionRows(club) != 0) {
                    Post(club, m);
                }
            }
            break;
        }
        case 3:
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (IsBroadcastClub(club) && GetClubNation(club) == uint16_t(alsoB)) Post(club, m);
            }
            break;
        case 4:
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (IsBroadcastClub(club)) Post(club, m);
            }
            break;
        default:
            break;
    }
}

void StoreMessage(int16_t owner, int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB,
                  int16_t word1, int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1,
                  int32_t number2, int16_t type) {
    if (!IsClubNumber(owner)) return;
    ++SeasonEvents.messagesPosted[uint16_t(type) < kMessageTypeCount ? uint16_t(type) : kMessageTypeCount];
    const MessageFields m{clubA, clubB, playerA, playerB, word1,   word2,
                          money, text1, text2,   number1, number2, type};
    MessageDelivery delivery = GetMessageDelivery(type);
    if (delivery & kDeliverInbox) {
        if (IsUserClub(owner, UserClubFor(type)) && ShouldShowMessage(clubA, clubB, type, playerA) == 1) {
            ShiftInbox();
            WriteRecord(UserInbox[0], m);
        }
    }
    if (delivery & kDeliverArchive) WriteRecord(MessageArchive[owner][0], m);
}

int16_t ShouldShowMessage(int16_t clubA, int16_t clubB, int16_t type, uint32_t playerA) {
    const int16_t user = UserClubFor(type);
    bool alwaysShown = !(type >= kMsgFinalDrawn && type <= kMsgDrawnAway) &&
                       type != kMsgRescheduled;  // cup draws, new dates
    if (IsUserClub(clubB, user) && alwaysShown) return 1;
    for (const MessageRecord& record : UserInbox) {
        const uint8_t* r = record.bytes;
        int16_t a = int16_t(LoadU16(r + kMsgClubA));
        int16_t b = int16_t(LoadU16(r + kMsgClubB));
        bool sameClubs = (a == clubA || a == clubB) && (b == clubB || b == clubA);
        bool today = LoadU16(r + kMsgDay) == uint16_t(SeasonCalendar.currentDay);
        bool sameType = LoadU16(r + kMsgType) == uint16_t(type);
        bool samePlayer = playerA == 0 || LoadU32(r + kMsgPlayerA) == playerA;
        if (sameClubs && today && sameType && samePlayer) return 0;
    }
    return 1;
}

int16_t ShiftInbox() {
    std::memmove(&UserInbox[1], &UserInbox[0], sizeof(MessageRecord) * (kInboxSlots - 1));
    NewMessageFlag = 1;
    return 1;
}

void ShiftArchive(int16_t club) {
    if (!IsClubNumber(club)) return;
    std::memmove(&MessageArchive[club][1], &MessageArchive[club][0],
                 sizeof(MessageRecord) * (kArchiveSlots - 1));
}

void ClearInbox() {
    for (MessageRecord& record : UserInbox) std::memset(record.bytes, 0xFF, kMsgAnswered);
}

// Every slot ends up as the empty record a hundred shifted posts of
// message -1 would leave.
void ClearArchives() {
    const MessageFields empty{-1, -1, 0xFFFFFFFF, 0xFFFFFFFF, -1, -1, -1, -1, -1, -1, -1, -1};
    for (auto& archive : MessageArchive) {
        for (MessageRecord& record : archive) WriteRecord(record, empty);
    }
}

uint16_t GetNewMessageFlag() { return NewMessageFlag; }
void SetNewMessageFlag(uint16_t value) { NewMessageFlag = value; }
