// Full club archives for the news benchmarks: every club holds 100 messages
// of this week (day 100), so every record is scored and checked against
// the ranked list.
#pragma once
#include <cstring>

#include "core/base/bytes.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"

inline void BenchFillNewsArchives() {
    constexpr uint16_t kBenchPlayers = 2000;
    PlayerCount = kBenchPlayers;
    for (uint16_t p = 1; p < kBenchPlayers; ++p) SetPlayerReputation(p, int16_t(p % 64));
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetClubNation(club, uint16_t(club % 117));
        SetClubDivision(club, uint16_t(club % 7));
        SetClubRep(club, uint16_t(club % 64));
        for (int slot = 0; slot < kArchiveSlots; ++slot) {
            uint8_t* r = MessageArchive[club][slot].bytes;
            std::memset(r, 0xFF, kMessageRecordSize);
            const int n = club * kArchiveSlots + slot;
            recbits::StoreU16(r + kMsgClubA, uint16_t(club));
            recbits::StoreU16(r + kMsgClubB, uint16_t((n * 7) % kClubCount));
            recbits::StoreU32(r + kMsgPlayerA, uint32_t(1 + n % (kBenchPlayers - 1)));
            recbits::StoreI32(r + kMsgMoney, (n % 3) == 0 ? n * 100 : -1);
            recbits::StoreU16(r + kMsgType, uint16_t(n % kMessageTypeCount));
            recbits::StoreU16(r + kMsgDay, uint16_t(100 - slot / 15));
        }
    }
    SeasonCalendar.currentDay = 100;
}
