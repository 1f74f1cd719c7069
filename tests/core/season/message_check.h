// Looks for a posted message in the stores the season tests read.
#pragma once
#include <cstdint>

#include "core/base/bytes.h"
#include "core/season/messages.h"

// Whether the club received a message of the type (about clubB when
// given), in its archive or, as the user's club, in the inbox.
inline bool Received(int16_t club, int16_t type, int16_t clubB = -1) {
    auto field = [](const MessageRecord& m, int at) { return int16_t(recbits::LoadU16(m.bytes + at)); };
    auto names = [&](const MessageRecord& m, int16_t c) {
        return field(m, kMsgClubA) == c || field(m, kMsgClubB) == c;
    };
    auto matches = [&](const MessageRecord& m) {
        return recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) && (clubB == -1 || names(m, clubB));
    };
    if (club < 0 || club >= kClubCount) return false;
    for (const MessageRecord& m : MessageArchive[club]) {
        if (matches(m)) return true;
    }
    for (const MessageRecord& m : UserInbox) {
        if (matches(m) && names(m, club)) return true;
    }
    return false;
}
