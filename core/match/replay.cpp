#include "core/match/replay.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"

ReplayBuffer Replay;
DisplayFigure DisplayTable[kMatchFigureCount];
float DisplayBallRoll[2];

int32_t DrawMode;
int8_t CameraSubject = kBallFigure;
uint16_t ViewSetting;
uint8_t GoalNetImpact[kGoalNetImpactSize];
float BallDisplayRoll[2];

namespace {

constexpr uint32_t kMinimumReplayFrames = 10;
constexpr float kPlayBackFrames = 500.0f;
constexpr float kHalfSpeedFrom = 450.0f;
constexpr float kQuarterSpeedFrom = 600.0f;
constexpr int32_t kGoalReplayDelay = 100;
constexpr float kFigureHeightScale = 0.1f;
constexpr float kBallHeightScale = 0.28f;
constexpr float kBallHeightLift = kBallRadiusUnits;

ReplayCameraHooks g_camera;

// The automatic goal replay's state.
int32_t g_autoCountdown;
int16_t g_seenGoals[2];
bool g_autoDone = true;

int16_t CameraMode() { return g_camera.getMode != nullptr ? g_camera.getMode() : 0; }
void SetCameraMode(int16_t mode) {
    if (g_camera.setMode != nullptr) g_camera.setMode(mode);
}
void CycleCamera(int16_t step) {
    if (g_camera.cycle != nullptr) g_camera.cycle(step);
}
int16_t SelectedCamera() { return g_camera.getSelected != nullptr ? g_camera.getSelected() : 0; }
void CallHook(void (*hook)()) {
    if (hook != nullptr) hook();
}

bool Recording() {
    const bool shown = (DisplayModeFlags & kDisplayOff) == 0;
    const bool prepared = (DisplayModeFlags & kDisplayDataPrepared) != 0;
    return shown || prepared;
}

float NewestPosition() { return Replay.recorded > 0 ? float(Replay.recorded - 1) : 0.0f; }

void ClampPosition() {
    if (!(Replay.position >= 0.0f)) Replay.position = 0.0f;  // also catches NaN
    if (Replay.position > NewestPosition()) Replay.position = NewestPosition();
}

// The ring slot of the frame `age` frames after the oldest.
uint32_t SlotOfAge(uint32_t age) { return (Replay.ringStart + age) % Replay.recorded; }

void RecordFigure(int index, ReplayFigureEntry& entry) {
    const MatchFigure& figure = MatchFigures[index];
    const int16_t clip = figure.anim;
    if (clip < 0) {
        // Height is left as it was: nothing reads it for a hidden figure.
        entry.x = 0;
        entry.y = 0;
        entry.clip = kReplayNoClip;
        entry.frame = 0;
        entry.facing = 0;
        return;
    }
    entry.x = figure.x;
    entry.y = figure.y;
    // The jumping actions keep the height of the jump in the action word;
    // every other action leaves it at 0, on the grass.
    entry.height = int16_t(std::min<int>(figure.actionTicks, INT16_MAX));
    entry.clip = uint16_t(clip);
    entry.frame = figure.shownFrame;
    entry.facing = uint8_t(figure.shownFacing & 0xFF);
}

// The ball in a holder's hands follows his clip frame; false when the
// holder word names nobody with a clip frame.
bool RecordHeldBall(int16_t holderWord, ReplayFrame& frame) {
    if (holderWord <= 0 || holderWord > kMatchFigureCount) return false;
    const int16_t figure = int16_t(holderWord - 1);
    if (MatchFigures[figure].anim < 0) return false;
    float offsetX = 0, offsetY = 0, height = 0;
    if (!Replay_HeldBallOffset(figure, &offsetX, &offsetY, &height)) return false;
    const MatchFigure& holder = MatchFigures[figure];
    frame.ballX = int16_t(std::lround(float(holder.x) + offsetX));
    frame.ballY = int16_t(std::lround(float(holder.y) + offsetY));
    frame.ballHeight = int16_t(std::lround(height + kBallHeightLift));
    frame.ballRoll1 = 0.0f;
    frame.ballRoll2 = 0.0f;
    return true;
}

// A figure entry's clip as the display draws it: -1 for no clip, or for
// a clip or frame that is not there (a damaged goal file).
int16_t ShownClip(const ReplayFigureEntry& entry) {
    const uint16_t clip = entry.clip;
    if (clip == kReplayNoClip || clip >= kMotionClipCount) return -1;
    if (MotionClips != nullptr) {
        const int16_t frame = entry.frame;
        if (frame < 0 || uint32_t(frame) >= Motion_GetFrameCount(clip)) return -1;
    }
    return int16_t(clip);
}

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

void CloseReplay() {
    Replay.mode = 0;
    Replay.playing = 0;
    ReplayPlaying = 0;
    Replay.speed = 0.0f;
    Replay.position = NewestPosition();
}

}  // namespace

void Replay_SetCameraHooks(const ReplayCameraHooks& hooks) { g_camera = hooks; }

// ---------------------------------------------------------------------------
// The ring.

void Replay_AllocBuffer() {
    if (Replay.frames == nullptr)
        AllocateMemory(&Replay.frames, kReplayCapacity * kReplayFrameSize, MEM_TYPE_MANUAL_FREE);
    // A goal file holds the whole ring: the frames not yet recorded in this
    // match are saved as zeros, not as an earlier match's or the heap's bytes.
    std::memset(Replay.frames, 0, size_t(kReplayCapacity) * kReplayFrameSize);
    Replay.capacity = kReplayCapacity;
    Replay.recorded = 0;
    Replay.ringStart = 0;
    Replay.position = 0.0f;
    Replay.speed = 0.0f;
    Replay.mode = 0;
    Replay.playing = 0;
}

void Replay_FreeBuffer() {
    if (Replay.frames != nullptr) FreeMemory(&Replay.frames);
    Replay.frames = nullptr;
    Replay.recorded = 0;
    Replay.capacity = 0;
    Replay.ringStart = 0;
    Replay.position = 0.0f;
}

void Replay_Tick() {
    if (Replay.frames == nullptr || Replay.capacity == 0 || !Recording()) return;
    if (Replay.recorded < Replay.capacity) {
        ++Replay.recorded;
    } else {
        Replay.ringStart = (Replay.ringStart + 1) % Replay.recorded;
    }
    Replay_RecordFrame(&Replay.frames[SlotOfAge(Replay.recorded - 1)]);
    Replay.position = NewestPosition();
}

void Replay_RecordFrame(ReplayFrame* frame) {
    for (int i = 0; i < kMatchFigureCount; ++i) RecordFigure(i, frame->figures[i]);
    if (!RecordHeldBall(BallState.holder, *frame) && !RecordHeldBall(BallState.controller, *frame)) {
        frame->ballX = BallState.x;
        frame->ballY = BallState.y;
        frame->ballHeight = int16_t(std::lround(float(BallState.z) * kBallHeightScale + kBallHeightLift));
        frame->ballRoll1 = BallDisplayRoll[0];
        frame->ballRoll2 = BallDisplayRoll[1];
    }
    frame->lastToucher = uint16_t(LastToucher);
    std::memcpy(frame->goalNetImpact, GoalNetImpact, kGoalNetImpactSize);
    frame->phase = uint8_t(MatchPhase);
    frame->period = Period;
    frame->cameraSubject = uint8_t(CameraSubject);
    frame->goals[0] = uint8_t(Goals[0]);
    frame->goals[1] = uint8_t(Goals[1]);
    frame->clock = PeriodClock;
    frame->clockLimit = PeriodLength;
    frame->stateA = MatchClockRunning;
    frame->stateB = MatchTimeUp;
    frame->stateC = int32_t(int16_t(ShownStoppageTime));
    frame->foundHolder = uint16_t(BallCarrierFigure);
    frame->secondHolder = uint16_t(BallState.controller);
    frame->firstHolder = uint16_t(BallState.holder);
    frame->viewSetting = ViewSetting;
}

void Replay_ApplyFrame(const ReplayFrame* frame) {
    for (int i = 0; i < kMatchFigureCount; ++i) {
        const ReplayFigureEntry entry = frame->figures[i];
        DisplayFigure& row = DisplayTable[i];
        row.clip = ShownClip(entry);
        row.frame = row.clip < 0 ? 0 : entry.frame;
        row.facing = entry.facing;
    }
    DisplayBallRoll[0] = frame->ballRoll1;
    DisplayBallRoll[1] = frame->ballRoll2;

    LastToucher = int16_t(frame->lastToucher);
    std::memcpy(GoalNetImpact, frame->goalNetImpact, kGoalNetImpactSize);
    MatchPhase = frame->phase;
    // A damaged file's period would index the period tables out of range.
    Period = frame->period <= 4 ? frame->period : 4;
    CameraSubject = int8_t(frame->cameraSubject);
    Goals[0] = frame->goals[0];
    Goals[1] = frame->goals[1];
    PeriodClock = frame->clock;
    PeriodLength = frame->clockLimit;
    MatchClockRunning = frame->stateA;
    MatchTimeUp = frame->stateB;
    ShownStoppageTime = uint16_t(frame->stateC & 0xFFFF);
    BallCarrierFigure = int16_t(frame->foundHolder);
    BallState.controller = int16_t(frame->secondHolder);
    BallState.holder = int16_t(frame->firstHolder);
    ViewSetting = frame->viewSetting;
}

void Replay_Interpolate(const ReplayFrame* a, const ReplayFrame* b, float t) {
    for (int i = 0; i < kMatchFigureCount; ++i) {
        const ReplayFigureEntry from = a->figures[i];
        const ReplayFigureEntry to = b->figures[i];
        DisplayFigure& row = DisplayTable[i];
        row.x = Lerp(from.x, to.x, t);
        row.y = Lerp(from.y, to.y, t);
        row.height = Lerp(from.height, to.height, t) * kFigureHeightScale;
    }
    DisplayFigure& ball = DisplayTable[kBallFigure];
    ball.x = Lerp(a->ballX, b->ballX, t);
    ball.y = Lerp(a->ballY, b->ballY, t);
    ball.height = Lerp(a->ballHeight, b->ballHeight, t);
}

void Replay_UpdateDisplay() {
    if (Replay.frames == nullptr || Replay.recorded == 0) return;
    ClampPosition();
    const uint32_t age = uint32_t(Replay.position);
    const ReplayFrame* a = &Replay.frames[SlotOfAge(age)];
    Replay_ApplyFrame(a);
    const float t = Replay.position - std::floor(Replay.position);
    // The next frame in time, which is the next slot unless the ring wraps.
    const ReplayFrame* b = age + 1 < Replay.recorded ? &Replay.frames[SlotOfAge(age + 1)] : a;
    Replay_Interpolate(a, b, t);
}

const ReplayFrame* Replay_FrameAt(int32_t offset) {
    if (Replay.frames == nullptr) return nullptr;
    const float age = Replay.position + float(offset);
    if (age < 0.0f || age >= float(Replay.recorded)) return nullptr;
    return &Replay.frames[SlotOfAge(uint32_t(age))];
}

const ReplayFrame* Replay_FrameByAge(uint32_t index) {
    if (Replay.frames == nullptr || index >= Replay.recorded) return nullptr;
    return &Replay.frames[SlotOfAge(index)];
}

bool Replay_IsPlaying() { return Replay.playing != 0; }

void Replay_Start() {
    if (Replay.playing != 0 || Replay.mode != 0 || Replay.recorded < kMinimumReplayFrames) return;
    // Without a display nobody could watch the replay or close it again.
    if (g_camera.getMode == nullptr) return;
    CallHook(g_camera.endFlyIn);
    Replay.playing = 1;
    Replay.mode = 1;
    ReplayPlaying = 1;
    Replay.speed = CameraMode() != 0 ? 1.0f : 0.0f;
    Replay.position = 0.0f;
    CallHook(g_camera.resetPanel);
}

void Replay_Stop() {
    if (Replay.playing == 0) return;
    SetCameraMode(0);
    CloseReplay();
    Replay_UpdateDisplay();
}

void Replay_Advance() {
    if (Replay.playing == 0) return;
    const bool automatic = CameraMode() >= 1;
    if (automatic) {
        if (Replay.position > kQuarterSpeedFrom) {
            Replay.speed = 0.25f;
        } else if (Replay.position > kHalfSpeedFrom) {
            Replay.speed = 0.5f;
        }
    }
    Replay.position += Replay.speed;
    if (Replay.position > NewestPosition()) {
        if (automatic) {
            Replay.speed = 1.0f;
            Replay.position = 0.0f;
            CycleCamera(+1);
            if (SelectedCamera() == 0) Replay_Stop();
        } else {
            Replay.speed = 0.0f;
            Replay.position = NewestPosition();
        }
    }
    if (Replay.position < 0.0f) {
        Replay.speed = 0.0f;
        Replay.position = 0.0f;
    }
}

void Replay_Command(int16_t command) {
    switch (command) {
        case 0:
            Replay.speed = -2.0f;
            break;
        case 1:
            Replay.position -= 1.0f;
            Replay.speed = 0.0f;
            break;
        case 2:
            Replay.speed = 0.0f;
            break;
        case 3:
            Replay.position += 1.0f;
            Replay.speed = 0.0f;
            break;
        case 4:
            if (Replay.position >= NewestPosition()) Replay.position -= kPlayBackFrames;
            Replay.speed = 1.0f;
            break;
        case 5:
            Replay.speed = 2.0f;
            break;
        case 6:
            CycleCamera(+1);
            break;
        case 7:
            CycleCamera(-1);
            break;
        case 8:
            CallHook(g_camera.toggleBallPath);
            break;
        case 9:
            SetCameraMode(0);
            Replay_Stop();
            break;
        default:
            break;
    }
    ClampPosition();
}

int16_t Replay_GetSpeedClass() {
    if (Replay.speed < 0.0f) return 0;
    if (Replay.speed == 0.0f) return 2;
    if (Replay.speed <= 1.0f) return 4;
    return 5;
}

void Replay_LoopStart() {
    DrawMode = 0;
    CloseReplay();
}

// ---------------------------------------------------------------------------
// The automatic goal replay.

void AutoGoalReplay_Reset() {
    g_autoCountdown = 0;
    g_seenGoals[0] = g_seenGoals[1] = 0;
    g_autoDone = true;
}

void AutoGoalReplay_Tick() {
    if (Goals[0] != g_seenGoals[0] || Goals[1] != g_seenGoals[1]) {
        g_autoCountdown = kGoalReplayDelay;
        g_autoDone = false;
    }
    if (g_autoCountdown > 0) --g_autoCountdown;
    g_seenGoals[0] = Goals[0];
    g_seenGoals[1] = Goals[1];
    if (g_autoCountdown != 0 || g_autoDone) return;

    g_autoDone = true;
    if (DrawMode == 2) DrawMode = 0;
    const bool practice =
        GameInfo.TeamI16(0, gameinfo::kTeamClub) == GameInfo.TeamI16(1, gameinfo::kTeamClub);
    if (!practice && GameInfo.I16(gameinfo::kVenueFlag) != 0) {
        // The camera watches the goal at the ball's end of the pitch.
        SetCameraMode(DisplayTable[kBallFigure].y < float(PitchGeometry.centreY) ? 1 : 2);
        CallHook(g_camera.useStadiumCameras);
    }
    Replay_Start();
}
