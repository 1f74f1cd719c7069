#include "match/matchquery.h"

#include "support/sounddrv.h"

int16_t MatchSoundOff = 0;
int16_t MatchEffectsBankKey = -1;
int16_t MatchCrowdBankKey = -1;

namespace {

constexpr uint32_t kMatchBankType = SND_BANK_SAMPLES | SND_BANK_LIST_PATTERN | SND_BANK_RAM;
static_assert(kMatchBankType == 0x221);

const char* const kEffectsFiles[] = {"sound\\UZUsound\\%06d.wav"};
const char* const kCrowdFiles[] = {"sound\\precrowd\\packedc1.wav"};

}  // namespace

void InitMatchSoundBanks() {
    if (!MatchSoundOff) SndInit();
    SoundBankDesc effects{kEffectsFiles, 1, MATCH_EFFECTS_SAMPLES, kMatchBankType};
    SoundBankDesc crowd{kCrowdFiles, 1, 1, kMatchBankType};
    MatchEffectsBankKey = int16_t(SndAddSoundBank(&effects));
    MatchCrowdBankKey = int16_t(SndAddSoundBank(&crowd));
}

void UninitMatchSoundBanks() {
    SndRemoveSoundBank(MatchEffectsBankKey);
    SndRemoveSoundBank(MatchCrowdBankKey);
    MatchEffectsBankKey = MatchCrowdBankKey = -1;
    SndUninit();
}
