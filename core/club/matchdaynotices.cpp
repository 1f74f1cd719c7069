#include "core/club/matchdaynotices.h"

#include <cstring>
#include <string>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"

MatchDayMessageRing MatchDayMessageQueue;
uint8_t DayLoopFlags;

namespace {

constexpr int16_t kPlayerNewsText = 1265;
constexpr int16_t kNewManagerText = 1266;
constexpr int16_t kManagerSackedText = 1260;
constexpr int16_t kManagerLeftText = 1261;
constexpr int16_t kMoveText = 1259;
constexpr int16_t kFeeTransferText = 1262;
constexpr int16_t kFreeTransferText = 1263;
constexpr int16_t kLoanText = 1264;
constexpr int16_t kReleaseText = 1267;
constexpr int16_t kReleasedTo = 255;
// Flashes closer together than this (a fifth of a second) wait before
// they are shown.
constexpr uint32_t kFastFlashTicks = 100;
constexpr size_t kLongestText = kDayFlashWorkSize - 1;

// The first occurrence of the placeholder takes the replacement; a text
// that grows past 298 characters is cut to 299.
void Replace(char (&work)[kDayFlashWorkSize], const char* placeholder, const char* replacement) {
    char* at = std::strstr(work, placeholder);
    if (at == nullptr) return;
    const std::string kept(at + std::strlen(placeholder));
    *at = '\0';
    std::string whole = std::string(work) + replacement + kept;
    if (whole.size() > kLongestText - 1) whole.resize(kLongestText);
    std::memcpy(work, whole.c_str(), whole.size() + 1);
}

const char* ClubName(int16_t club) { return IsClubNumber(club) ? HVW_GetClubName(club) : ""; }
const char* PlayerName(int16_t player) {
    return IsPlayerNumber(uint16_t(player)) && player > 0 ? HVW_GetPlayerShortName(uint16_t(player)) : "";
}

// Steps 3 to 5 of every builder: the stamp, the ring and the panel.
void QueueFlash(const char (&work)[kDayFlashWorkSize]) {
    MatchDayMessageRing& q = MatchDayMessageQueue;
    const int head = q.head >= 0 && q.head < kDayFlashEntries ? q.head : 0;
    const uint32_t now = CoreTimerTicks();
    q.stamp[head] = now;
    const uint32_t oldest = q.stamp[(head + 1) % kDayFlashEntries];
    if (now - oldest < kFastFlashTicks) q.flags = uint8_t(q.flags | kDayFlashFast);
    // An entry keeps 149 characters of a longer flash.
    const size_t length = strnlen(work, kDayFlashTextSize - 1);
    std::memcpy(q.text[head], work, length);
    q.text[head][length] = '\0';
    int next = head + 1;
    if (next > kDayFlashEntries - 1) {
        next = 0;
        q.flags = uint8_t(q.flags | kDayFlashWrapped);
    }
    q.head = int8_t(next);
    if ((q.flags & kDayFlashWrapped) != 0) q.start = q.head;
    CoreShowDayFlashes();
}

void ClubAndPlayerFlash(int16_t textId, int16_t club, int16_t player) {
    char work[kDayFlashWorkSize];
    MatchDay_AddTextLine(work, textId);
    Replace(work, "$0t", ClubName(club));
    Replace(work, "$0p", PlayerName(player));
    QueueFlash(work);
}

}  // namespace

void MatchDay_ClearMessages() {
    MatchDayMessageRing& q = MatchDayMessageQueue;
    for (int i = 0; i < kDayFlashEntries; ++i) {
        q.stamp[i] = 0;
        q.text[i][0] = '\0';
    }
    q.head = 0;
    q.start = 0;
    q.flags = uint8_t(q.flags & ~(kDayFlashWrapped | kDayFlashFast));
}

void MatchDay_AddTextLine(char* destination, int16_t textId) {
    const char* text = GetText(textId);
    if (text == nullptr) text = "";
    const size_t length = std::strlen(text);
    if (length >= kLongestText) FatalError("J_MN20: Text line %d is too long for message buffer", textId);
    std::memcpy(destination, text, length + 1);
}

int16_t MatchDay_NoticesOn() { return (DayLoopFlags & kDayLoopNoticesBit) != 0 ? 1 : 0; }

void MatchDay_BuildMessageA(int16_t club, uint16_t player) {
    ClubAndPlayerFlash(kPlayerNewsText, club, int16_t(player));
}

void MatchDay_BuildMessageB(int16_t club, int16_t player) {
    ClubAndPlayerFlash(kNewManagerText, club, player);
}

void MatchDay_BuildMessageC(int16_t club, int16_t player, int16_t flag) {
    ClubAndPlayerFlash(flag != 0 ? kManagerSackedText : kManagerLeftText, club, player);
}

void MatchDay_BuildReport(uint16_t player, int16_t toClub, int16_t fromClub, int32_t amount, int16_t kind) {
    if (toClub < 0) return;
    if (IsPlayerNumber(player) && GetPlayerLoanTrial(player) != 0) return;
    int16_t textId = kFreeTransferText;
    if (kind == 1) {
        textId = kLoanText;
    } else if (kind == 2) {
        textId = kMoveText;
    } else if (toClub == kReleasedTo) {
        textId = kReleaseText;
    } else if (amount > 0) {
        textId = kFeeTransferText;
    }
    char work[kDayFlashWorkSize];
    MatchDay_AddTextLine(work, textId);
    if (textId != kReleaseText) Replace(work, "$1t", ClubName(toClub));
    if (textId == kFeeTransferText) Replace(work, "$0m", CorePlainMoneyText(amount));
    Replace(work, "$0p", PlayerName(int16_t(player)));
    Replace(work, "$0t", ClubName(fromClub));
    QueueFlash(work);
}
