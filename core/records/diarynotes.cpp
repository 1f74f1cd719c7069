#include "core/records/diarynotes.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/records/frontstate.h"
#include "core/records/messagetemplates.h"
#include "core/season/messagetexts.h"

int32_t PopupSwitch = 0;

namespace {

constexpr int kNoteText = 0;
constexpr int kNoteDay = 301;
constexpr int kNoteSequence = 303;
constexpr int kNoteBoxArgument = 304;
constexpr int16_t kFreeDay = -1;
constexpr uint8_t kFreeSequence = 0xFF;
constexpr int16_t kClubLimit = 1200;

int16_t sequenceCounter = 0;

bool IsSlot(int16_t index) { return index >= 0 && index < kDiaryNoteSlots; }

// A slot is free when marked so, or when it holds no text at all: taking
// a new job zeroes the slots, and a zeroed slot (day 0) read as taken would
// refuse every later note and show an empty box on day 0.
bool IsFree(const DiaryNote& note) {
    return recbits::LoadI16(note.bytes + kNoteDay) == kFreeDay || note.bytes[kNoteText] == 0;
}

void FreeSlot(DiaryNote& note) {
    std::memset(note.bytes, 0, sizeof note.bytes);
    recbits::StoreI16(note.bytes + kNoteDay, kFreeDay);
    note.bytes[kNoteSequence] = kFreeSequence;
}

}  // namespace

int16_t AddDiaryNote(const char* text, int16_t day, uint32_t boxArgument) {
    for (DiaryNote& note : DiaryNotes) {
        if (!IsFree(note)) continue;
        std::memset(note.bytes, 0, sizeof note.bytes);
        if (text != nullptr) std::memcpy(note.bytes + kNoteText, text, strnlen(text, kDiaryNoteTextSize - 1));
        recbits::StoreI16(note.bytes + kNoteDay, day);
        note.bytes[kNoteSequence] = uint8_t(sequenceCounter++);
        recbits::StoreU32(note.bytes + kNoteBoxArgument, boxArgument);
        return 1;
    }
    return 0;
}

void ShowDueDiaryNotes() {
    const int16_t today = HVW_GetCurrentDay();
    for (DiaryNote& note : DiaryNotes) {
        if (IsFree(note) || recbits::LoadI16(note.bytes + kNoteDay) != today) continue;
        // The box may take frames: the slot is freed after it, so a note is
        // never lost to a box that did not show.
        char text[kDiaryNoteTextSize];
        std::memcpy(text, note.bytes + kNoteText, sizeof text);
        text[kDiaryNoteTextSize - 1] = '\0';
        CoreShowNoteBox(text, recbits::LoadU32(note.bytes + kNoteBoxArgument));
        FreeSlot(note);
    }
}

void ClearDiaryNote(int16_t index) {
    if (IsSlot(index)) FreeSlot(DiaryNotes[index]);
}

void ClearAllDiaryNotes() {
    for (DiaryNote& note : DiaryNotes) FreeSlot(note);
}

const char* DiaryNoteText(int16_t index) {
    if (!IsSlot(index)) return "";
    // Slots come from saved games: never read past the text field.
    const uint8_t* bytes = DiaryNotes[index].bytes;
    return std::memchr(bytes, 0, kDiaryNoteTextSize) != nullptr ? reinterpret_cast<const char*>(bytes) : "";
}

int16_t DiaryNoteDay(int16_t index) {
    return IsSlot(index) ? recbits::LoadI16(DiaryNotes[index].bytes + kNoteDay) : kFreeDay;
}

uint8_t DiaryNoteSequence(int16_t index) {
    return IsSlot(index) ? DiaryNotes[index].bytes[kNoteSequence] : kFreeSequence;
}

int16_t DiaryUserInvolvement(int16_t mode, int16_t club1, int16_t club2) {
    int16_t count = mode == 0 ? 1 : 0;
    const int16_t user = HVW_GetMyClub();
    if (user < 0 || user >= kClubLimit) return count;
    const int16_t userNation = HVW_GetClubNation(user);
    const int16_t userDivision = HVW_FindClubInDivisionRows(user);
    for (const int16_t club : {club1, club2}) {
        if (club < 0 || club >= kClubLimit) continue;
        if (mode == 2 && club == user) ++count;
        if (mode == 3 && HVW_GetClubNation(club) == userNation &&
            HVW_FindClubInDivisionRows(club) == userDivision) {
            ++count;
        }
    }
    return count;
}

void ShowMessageBoxIfUserInvolved(const char* text, uint32_t boxArgument, int16_t mode, int16_t club1,
                                  int16_t club2) {
    if (text == nullptr || club1 >= kClubLimit || club2 >= kClubLimit) return;
    if (PopupSwitch == 0 || DiaryUserInvolvement(mode, club1, club2) == 0) return;
    CoreShowNoteBox(text, boxArgument);
}

const char* TextMsg_ExpandBody(int16_t messageType, int16_t variant) {
    if (messageType < 0 || messageType >= kMessageTypeCount) return TextMsg_Expand("");
    const char* const* bodies = MessageBodyTemplates[messageType];
    int count = 0;
    while (count < kMaxMessageBodies && bodies[count] != nullptr) ++count;
    // No body to choose: the empty text, and no draw of the generator.
    if (count == 0) return TextMsg_Expand("");
    if (variant == 6) variant = int16_t(GameRandom() % count);
    if (variant < 0 || variant >= count) variant = 0;
    return TextMsg_Expand(bodies[variant]);
}
