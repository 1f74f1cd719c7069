// News and mail messages: the per-club archives, the user's inbox and the
// posting operation.  The stores are saved whole with the game.
#pragma once
#include <array>
#include <cstdint>

#include "core/records/records.h"
#include "core/season/messagetexts.h"

constexpr int kMessageRecordSize = 38;
constexpr int kArchiveSlots = 100;
constexpr int kInboxSlots = 100;

// 38 bytes: i16 clubA, i16 clubB, u32 playerA, u32 playerB, i16 word1,
// i16 word2, i32 money, i16 text1, i16 text2, i32 number1, i32 number2,
// u16 type (0xFFFF empty), u16 day, u8 read, u8 answered.
struct MessageRecord {
    uint8_t bytes[kMessageRecordSize];
};
static_assert(sizeof(MessageRecord) == 38);

// Byte offsets of the fields.
enum MessageField : int {
    kMsgClubA = 0,
    kMsgClubB = 2,
    kMsgPlayerA = 4,
    kMsgPlayerB = 8,
    kMsgWord1 = 12,
    kMsgWord2 = 14,
    kMsgMoney = 16,
    kMsgText1 = 20,
    kMsgText2 = 22,
    kMsgNumber1 = 24,
    kMsgNumber2 = 28,
    kMsgType = 32,
    kMsgDay = 34,
    kMsgRead = 36,
    kMsgAnswered = 37,
};

// The last 100 messages of each club and the user's last 100, newest in
// slot 0.  Nothing is deleted: the oldest falls off the end.
extern MessageRecord MessageArchive[kClubCount][kArchiveSlots];
extern MessageRecord UserInbox[kInboxSlots];
// 1 once a message has entered the inbox, until the front end notes it.
extern uint16_t NewMessageFlag;
// Message state of the user's manager.
extern uint8_t HalvornMessageBytes[27];

// Message numbers 0-292.  Each belongs to one delivery class: the owner
// club's archive only, the user's inbox only (when the owner is the user's
// club), or both.  Numbers above 292 go to the archive only.
enum MessageDelivery : uint8_t {
    kDeliverArchive = 1,
    kDeliverInbox = 2,
    kDeliverBoth = kDeliverArchive | kDeliverInbox,
};
MessageDelivery GetMessageDelivery(int16_t type);

// Posts a message.  Mode 1 posts to clubA and, when alsoB is not 0, to
// clubB; mode 0 only the clubB post; mode 2 to the clubs of clubA's
// country that stand in a division row other than 0; mode 3 to every club
// of country alsoB in divisions 0-5; mode 4 to every club in divisions
// 0-5.  Only clubs with a reputation receive the broadcast modes.
// Arguments a message does not need are -1 (players 0xFFFFFFFF).
void AddMessage(int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB, int16_t word1,
                int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1, int32_t number2,
                int16_t type, int16_t mode, int16_t alsoB);
// Stores one message for one owner club: the inbox when its class says so,
// the owner is the user's club and it repeats nothing there; slot 0 of the
// owner's archive (already shifted by the caller) when its class says so.
void StoreMessage(int16_t owner, int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB,
                  int16_t word1, int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1,
                  int32_t number2, int16_t type);
// 1 when the message may enter the inbox, 0 when it repeats one of today.
int16_t ShouldShowMessage(int16_t clubA, int16_t clubB, int16_t type, uint32_t playerA);
// Moves every inbox message down one slot and raises the new-message flag;
// returns 1.
int16_t ShiftInbox();
void ShiftArchive(int16_t club);
// New game: the inbox all ones (the answered flags kept), every archive
// slot an empty record of today.
void ClearInbox();
void ClearArchives();
uint16_t GetNewMessageFlag();
void SetNewMessageFlag(uint16_t value);
