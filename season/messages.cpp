#include "season/messages.h"

#include <cstring>

#include "database/recordbits.h"
#include "season/calendar.h"

using namespace recbits;

MessageRecord MessageArchive[kClubCount][kArchiveSlots];
MessageRecord UserInbox[kInboxSlots];
uint16_t NewMessageFlag;
uint8_t HalvornMessageBytes[27];

namespace {

bool IsClub(int16_t club) { return club >= 0 && club < kClubCount; }

}  // namespace

void ShiftArchive(int16_t club) {
    if (!IsClub(club)) return;
    std::memmove(&MessageArchive[club][1], &MessageArchive[club][0],
                 sizeof(MessageRecord) * (kArchiveSlots - 1));
}

// Writes the message into slot 0 of the owner's archive.  The inbox and the
// delivery classes of the message numbers come with the message system.
void StoreMessage(int16_t owner, int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB,
                  int16_t word1, int16_t word2, int32_t money, int16_t text1, int16_t text2,
                  int32_t number1, int32_t number2, int16_t type) {
    if (!IsClub(owner)) return;
    uint8_t* r = MessageArchive[owner][0].bytes;
    StoreU16(r + kMsgClubA, uint16_t(clubA));
    StoreU16(r + kMsgClubB, uint16_t(clubB));
    StoreU32(r + kMsgPlayerA, playerA);
    StoreU32(r + kMsgPlayerB, playerB);
    StoreU16(r + kMsgWord1, uint16_t(word1));
    StoreU16(r + kMsgWord2, uint16_t(word2));
    StoreI32(r + kMsgMoney, money);
    StoreU16(r + kMsgText1, uint16_t(text1));
    StoreU16(r + kMsgText2, uint16_t(text2));
    StoreI32(r + kMsgNumber1, number1);
    StoreI32(r + kMsgNumber2, number2);
    StoreU16(r + kMsgType, uint16_t(type));
    StoreU16(r + kMsgDay, uint16_t(SeasonCalendar.currentDay));
    r[kMsgRead] = 0;
    r[kMsgAnswered] = 0;
}

void AddMessage(int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB, int16_t word1,
                int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1,
                int32_t number2, int16_t type, int16_t mode, int16_t alsoB) {
    auto post = [&](int16_t owner) {
        ShiftArchive(owner);
        StoreMessage(owner, clubA, clubB, playerA, playerB, word1, word2, money, text1, text2,
                     number1, number2, type);
    };
    if (mode != 0 && IsClub(clubA)) post(clubA);
    if (alsoB != 0 && IsClub(clubB)) post(clubB);
}
