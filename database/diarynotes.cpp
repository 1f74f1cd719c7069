#include "database/diarynotes.h"

#include <cstring>

#include "database/frontstate.h"
#include "database/textmsg.h"
#include "season/messagetexts.h"
#include "support/bytes.h"
#include "support/random.h"

namespace {

constexpr int kNoteText = 0;
constexpr int kNoteTextSize = 301;
constexpr int kNoteDay = 301;
constexpr int kNoteSequence = 303;
constexpr int kNoteBoxArgument = 304;
constexpr int16_t kFreeDay = -1;

int16_t sequenceCounter = 0;

// A slot is free when marked so, or when it holds no text at all (the
// slots of a fresh game are zeroed).
bool IsFree(const DiaryNote& note) {
    return recbits::LoadI16(note.bytes + kNoteDay) == kFreeDay || note.bytes[kNoteText] == 0;
}

}  // namespace

int16_t AddDiaryNote(const char* text, int16_t day, uint32_t boxArgument) {
    for (DiaryNote& note : DiaryNotes) {
        if (!IsFree(note)) continue;
        std::memset(note.bytes, 0, sizeof note.bytes);
        if (text != nullptr) std::memcpy(note.bytes + kNoteText, text, strnlen(text, kNoteTextSize - 1));
        recbits::StoreI16(note.bytes + kNoteDay, day);
        note.bytes[kNoteSequence] = uint8_t(sequenceCounter++);
        recbits::StoreU32(note.bytes + kNoteBoxArgument, boxArgument);
        return 1;
    }
    return 0;
}

const char* TextMsg_ExpandBody(int16_t messageType, int16_t variant) {
    if (messageType < 0 || messageType >= kMessageTypeCount) return TextMsg_Expand("");
    const char* const* bodies = MessageBodyTemplates[messageType];
    int count = 0;
    while (count < kMaxMessageBodies && bodies[count] != nullptr) ++count;
    if (count == 0) return TextMsg_Expand("");
    if (variant == 6) variant = int16_t(GameRandom() % count);
    if (variant < 0 || variant >= count) variant = 0;
    return TextMsg_Expand(bodies[variant]);
}
