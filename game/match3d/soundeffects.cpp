#include "game/match3d/soundeffects.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "core/base/random.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/soundevents.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/system/sounddriver.h"

int16_t SfxVolume = 100;
int16_t CrowdOn;

namespace {

constexpr int16_t kMaxLevel = 10;
constexpr int kChannelA = 5, kChannelA2 = 6;
constexpr int kChannelB = 14, kChannelB2 = 15;
// Below this height a miss between the posts went over the bar.
constexpr int kBarHeight = 160;
constexpr int kMissStep = 32;

int PlayOnDriver(int16_t bank, int sample, int channel, int16_t volume, int16_t pan) {
    return SndPlay(bank, sample, channel, volume, pan);
}

constexpr MatchSfxDriver kSoundDriver{PlayOnDriver, SndStop, SndIsChannelFree, SndLoad, SndUnload};
MatchSfxDriver g_driver = kSoundDriver;

int Random(int n) { return GameRandom() % n; }

int16_t Capped(int level) { return int16_t(level > kMaxLevel ? kMaxLevel : level); }

// A value of the set-up block that may be unset or come from a goal file.
int16_t BlockLevel(int at) {
    const int16_t value = GameInfo.I16(at);
    return value < 0 ? int16_t(0) : value > 10 ? int16_t(10) : value;
}

bool PracticeMatch() {
    return GameInfo.TeamI16(0, gameinfo::kTeamClub) == GameInfo.TeamI16(1, gameinfo::kTeamClub);
}

int HomeGoalsBehind() { return Goals[1] > Goals[0] ? Goals[1] - Goals[0] : 0; }

void Play(int sample, int channel, int16_t volume) {
    g_driver.play(MatchEffectsBankKey, sample, channel, volume, 0);
}

// A ball sound whose loudness is a level 1..10.
void PlayLevel(int sample, int channel, int level) {
    const int16_t capped = Capped(level);
    if (capped <= 0) return;
    Play(sample, channel, MatchSfx_ScaleVolume(int16_t(capped * 10)));
}

int16_t CrowdVolume(int16_t side, int level) {
    return MatchSfx_ScaleVolume(MatchSfx_CrowdVolume(side, Capped(level)));
}

// How near a shot went past the goal: 0 for a near miss, larger further
// out, capped.
int NearMissDistance(int sideCap, int barCap) {
    const int x = GoalLineCrossX;
    if (x < PitchGeometry.postLeftX) {
        const int d = (PitchGeometry.postLeftX - x) / kMissStep;
        return d > sideCap ? sideCap : d;
    }
    if (x > PitchGeometry.postRightX) {
        const int d = (x - PitchGeometry.postRightX) / kMissStep;
        return d > sideCap ? sideCap : d;
    }
    int d = (BallState.z - kBarHeight) / kMissStep;
    if (d < 0) d = 0;
    return d > barCap ? barCap : d;
}

// The crowd byte of the last toucher's figure (his fans rating, signed);
// 0 while nobody has touched the ball.
int LastToucherCrowdByte() {
    if (LastToucher < 0 || LastToucher >= kMatchFigureCount) return 0;
    return int8_t(MatchFigures[LastToucher].infoByte);
}

void PlayCrowd(int16_t event, int16_t side, int channelA, int channelB) {
    if (!CrowdOn) return;
    switch (event) {
        case kSoundSubstitution: {
            const int sample = Random(2) == 0 ? 19 : 20;
            Play(sample, 8, CrowdVolume(side, 5));
            break;
        }
        case kSoundCrowdMiss: {
            const int sample = 21 + Random(3);
            Play(sample, 13, CrowdVolume(side, 10 - NearMissDistance(10, 10)));
            break;
        }
        case kSoundCrowdCorner: {
            const int sample = 21 + Random(3);
            const bool overBar =
                GoalLineCrossX >= PitchGeometry.postLeftX && GoalLineCrossX <= PitchGeometry.postRightX;
            Play(sample, 13, CrowdVolume(side, (overBar ? 7 : 8) - NearMissDistance(8, 7)));
            break;
        }
        case kSoundGoal: {
            const int sample = 24 + Random(3);
            const int16_t volume = CrowdVolume(side, 10);
            Play(sample, 3, volume);
            Play(27, 9, volume);
            break;
        }
        case kSoundPeriodWon:
        case kSoundPeriodStart: {
            const int16_t volume = CrowdVolume(side, 8);
            Play(24, 7, volume);
            Play(27, channelA, volume);
            break;
        }
        case kSoundAfterGoal:
            Play(27, Period == 4 ? 7 : 3, CrowdVolume(side, 9));
            break;
        case kSoundCatchCheer: {
            const int sample = 29 + Random(3);
            Play(sample, 12, CrowdVolume(side, KickStrength + 2));
            break;
        }
        case kSoundLosersGroan: {
            const int level = 8 + (side == 0 ? 3 * HomeGoalsBehind() : 0);
            Play(32, channelB, CrowdVolume(side, level));
            break;
        }
        case kSoundCrowdMurmur:
            Play(34, 8, MatchSfx_ScaleVolume(4));
            break;
        case kSoundFansCheer:
            Play(36, 9, CrowdVolume(side, 6));
            break;
        case kSoundDelayedCrowd:
            Play(35, 9, CrowdVolume(side, 10));
            break;
        case kSoundFansJeer: {
            const int level = 7 + (side == 0 ? 3 * HomeGoalsBehind() : 0);
            const int16_t v = MatchSfx_CrowdVolume(side, Capped(level));
            // A toucher rated above 50 makes it negative, which the driver
            // plays as silence.
            const int16_t shared = int16_t(v * ((50 - LastToucherCrowdByte()) * 2) / 100);
            Play(32, channelB, MatchSfx_ScaleVolume(shared));
            break;
        }
        default:
            break;
    }
}

// The events whose sound is the crowd's: silent in a practice match.
constexpr int16_t kCrowdEvents[] = {
    kSoundSubstitution, kSoundCrowdMiss,    kSoundCrowdCorner, kSoundGoal,        kSoundPeriodWon,
    kSoundAfterGoal,    kSoundCatchCheer,   kSoundPeriodStart, kSoundLosersGroan, kSoundCrowdMurmur,
    kSoundFansCheer,    kSoundDelayedCrowd, kSoundFansJeer};

bool IsCrowdEvent(int16_t event) {
    return std::find(std::begin(kCrowdEvents), std::end(kCrowdEvents), event) != std::end(kCrowdEvents);
}

}  // namespace

void MatchSfx_SetDriver(const MatchSfxDriver* driver) {
    g_driver = driver != nullptr ? *driver : kSoundDriver;
}

int16_t MatchSfx_ScaleVolume(int16_t volume) { return int16_t(volume * SfxVolume / 100); }

int16_t MatchSfx_CrowdVolume(int16_t side, int16_t level) {
    int16_t v = int16_t(BlockLevel(gameinfo::kCrowdSize) * 10 * level * 10 / 100);
    if (side == 0 && Goals[0] < Goals[1]) {
        v = int16_t(v - (v / 6) * (Goals[1] - Goals[0]));
        if (v < 0) v = 0;
        if (v > 100) v = 100;
    }
    if (side == 2 || side == 3) side = int16_t(side - 2);
    const int16_t share = BlockLevel(gameinfo::kHomeSupport);
    if (side == 1 && share > 5) v = int16_t(v * ((100 - share * 10) * 2) / 100);
    if (side == 0 && share < 5) v = int16_t(v * (share * 10 * 2) / 100);
    if (PracticeMatch()) return 0;
    return v < 0 ? int16_t(0) : v;
}

void MatchSfx_Init() {
    if (DisplayModeFlags & kDisplayOff) return;
    CrowdOn = PracticeMatch() ? 0 : 1;
    g_driver.load(MatchEffectsBankKey, -1);
    MatchHooks.soundEvent = MatchSfx_Play;
    MatchHooks.soundTick = MatchSfx_Update;
}

void MatchSfx_StopAll() {
    MatchHooks.soundEvent = nullptr;
    MatchHooks.soundTick = nullptr;
    g_driver.unload(MatchEffectsBankKey, -1);
    g_driver.unload(MatchCrowdBankKey, -1);
    g_driver.stop(-1);
}

// The sound of a match comes from its events alone: the step of each tick
// has nothing to do.
void MatchSfx_Update() {}

void MatchSfx_Play(int16_t event, int16_t side) {
    if (DisplayModeFlags & kDisplayOff) return;
    if (DrawMode != 0) return;
    const int channelA = g_driver.channelIsFree(kChannelA) ? kChannelA : kChannelA2;
    const int channelB = g_driver.channelIsFree(kChannelB) ? kChannelB : kChannelB2;
    // A code below 0 has no row in the table either.
    if (uint16_t(event) >= kSoundEventCount) return;
    // The draw's value is not used: it keeps the shared sequence the same
    // as the engine's other draws of a shown match expect.
    GameRandom();
    if (IsCrowdEvent(event)) {
        PlayCrowd(event, side, channelA, channelB);
        return;
    }
    const int kick = KickStrength;
    switch (event) {
        case kSoundBounce:
            PlayLevel(0, channelA, std::abs(BallState.vz / 12288) / 10);
            break;
        case kSoundShot:
            PlayLevel(1, channelA, kick / 2);
            break;
        case kSoundPass:
        case kSoundPost:
        case kSoundCatch:
        case kSoundNet:
        case kSoundBallOnKeeper:
        case kSoundCrossbar:
            PlayLevel(event, channelA, kick);
            break;
        case kSoundKick:
            PlayLevel(6, channelA, kick >= 1 && kick <= 4 ? 5 : kick);
            break;
        case kSoundQuickSidePass:
            PlayLevel(8, channelA, 5 + Random(3));
            break;
        case kSoundHeader:
        case kSoundWall:
            PlayLevel(event, channelA, kick / 2);
            break;
        case kSoundPlayerFalls:
        case kSoundBallOnPlayer:
            PlayLevel(event, channelA, 3 + Random(3));
            break;
        case kSoundWhistle:
        case kSoundLongWhistle:
        case kSoundEndWhistle:
            Play(event, 4, MatchSfx_ScaleVolume(50));
            break;
        case kSoundTeamMenuToggle:
            Play(33, channelA, MatchSfx_ScaleVolume(40));
            break;
        default:
            break;  // 20, 23, 25, 28, 31, 38 and 39 play nothing
    }
}
