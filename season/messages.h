// News and mail messages: the per-club archives, the user's inbox and the
// posting operation.  The stores are saved whole with the game.
#pragma once
#include <cstdint>

#include "database/Access.h"

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

extern MessageRecord MessageArchive[kClubCount][kArchiveSlots];
extern MessageRecord UserInbox[kInboxSlots];
extern uint16_t NewMessageFlag;
// Message state of the user's manager.
extern uint8_t HalvornMessageBytes[27];

void AddMessage(int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB, int16_t word1,
                int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1,
                int32_t number2, int16_t type, int16_t mode, int16_t alsoB);
void ShiftArchive(int16_t club);
void StoreMessage(int16_t owner, int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB,
                  int16_t word1, int16_t word2, int32_t money, int16_t text1, int16_t text2,
                  int32_t number1, int32_t number2, int16_t type);
