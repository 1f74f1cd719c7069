// The replay ring and the display table.  Every tick of a shown match (or
// of one whose data was prepared for replay) is recorded into a ring of 750
// frames; the display draws only from the display table, which each loop
// pass fills from the frames at the playback position.  Live play, replays,
// the automatic goal replay and goal replays loaded from file therefore
// share one drawing path.  Playing back also writes the recorded match
// state into the engine's words, so panels show the replayed moment.
//
// Goal replay files: every goal of a shown match is saved, 100 ticks after
// it, as a tagged data file in "SaveData\GOALS\" holding the ring and the
// whole match set-up block; the saved-goals screens list and play them.
//
// None of this needs a window: the ring lives with the match engine, and
// the camera and panel calls go through hooks the display installs.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/match/matchfigure.h"

// ---------------------------------------------------------------------------
// Records.

constexpr uint32_t kReplayCapacity = 750;
constexpr uint32_t kReplayFrameSize = 484;
constexpr uint32_t kReplayFigureEntrySize = 11;
constexpr uint32_t kGoalNetImpactSize = 34;
constexpr uint16_t kReplayNoClip = 0xFFFF;

#pragma pack(push, 1)
struct ReplayFigureEntry {
    int16_t x, y, height;
    uint16_t clip;  // kReplayNoClip: not shown
    int16_t frame;
    uint8_t facing;
};

struct ReplayFrame {
    int16_t ballX, ballY, ballHeight;
    float ballRoll1, ballRoll2;
    ReplayFigureEntry figures[kMatchFigureCount];
    uint16_t lastToucher;
    uint8_t goalNetImpact[kGoalNetImpactSize];
    uint8_t phase;
    uint8_t period;
    uint8_t cameraSubject;
    uint8_t goals[2];
    uint32_t clock;
    uint32_t clockLimit;
    uint8_t stateA;
    uint8_t stateB;
    int32_t stateC;
    uint16_t foundHolder;
    uint16_t secondHolder;
    uint16_t firstHolder;
    uint16_t viewSetting;
};
#pragma pack(pop)

static_assert(sizeof(ReplayFigureEntry) == kReplayFigureEntrySize);
static_assert(sizeof(ReplayFrame) == kReplayFrameSize);
static_assert(offsetof(ReplayFrame, ballY) == 2 && offsetof(ReplayFrame, ballHeight) == 4);
static_assert(offsetof(ReplayFrame, ballRoll1) == 6 && offsetof(ReplayFrame, ballRoll2) == 10);
static_assert(offsetof(ReplayFrame, figures) == 14 && offsetof(ReplayFrame, lastToucher) == 421);
static_assert(offsetof(ReplayFrame, goalNetImpact) == 423 && offsetof(ReplayFrame, phase) == 457);
static_assert(offsetof(ReplayFrame, period) == 458 && offsetof(ReplayFrame, cameraSubject) == 459);
static_assert(offsetof(ReplayFrame, goals) == 460 && offsetof(ReplayFrame, clock) == 462);
static_assert(offsetof(ReplayFrame, clockLimit) == 466 && offsetof(ReplayFrame, stateA) == 470);
static_assert(offsetof(ReplayFrame, stateB) == 471 && offsetof(ReplayFrame, stateC) == 472);
static_assert(offsetof(ReplayFrame, foundHolder) == 476 && offsetof(ReplayFrame, secondHolder) == 478);
static_assert(offsetof(ReplayFrame, firstHolder) == 480 && offsetof(ReplayFrame, viewSetting) == 482);
static_assert(offsetof(ReplayFigureEntry, clip) == 6 && offsetof(ReplayFigureEntry, facing) == 10);

// The ring of one match.  The first four fields are the 16-byte header a
// goal replay file stores.
struct ReplayBuffer {
    ReplayFrame* frames;  // tracked block of capacity frames, or null
    uint32_t capacity;    // 750 while allocated, 0 when freed
    uint32_t recorded;    // frames recorded, 0..capacity
    uint32_t ringStart;   // slot of the oldest frame once the ring is full
    float position;       // frames from the oldest: 0 .. recorded - 1
    float speed;          // frames per loop pass
    int16_t mode;         // replay mode and playing, set and cleared together
    int32_t playing;
};
extern ReplayBuffer Replay;

struct ReplayHeader {
    uint32_t capacity;
    uint32_t recorded;
    uint32_t ringStart;
    float position;
};
static_assert(sizeof(ReplayHeader) == 16);

// One row of the display table: row 35 is the ball.
struct DisplayFigure {
    float x, y, height;
    int16_t clip;  // -1: not drawn
    int16_t frame;
    int16_t facing;
};
extern DisplayFigure DisplayTable[kMatchFigureCount];
extern float DisplayBallRoll[2];

// ---------------------------------------------------------------------------
// Display words the engine and the display share, kept here in the core so
// that the engine records and restores them without a window.

// Per match: 0 draw every pass, 1 draw nothing and no automatic goal
// replay, 2 draw nothing until the automatic goal replay of the next goal.
extern int32_t DrawMode;
// The figure the camera follows (35 the ball), set by the match phases and
// the restart actions (a fallen player while his foul is dealt with, a
// substitute, a celebrating scorer); every replay frame records it.
extern int8_t CameraSubject;
// The camera's view setting.
extern uint16_t ViewSetting;
// The goal-net impact block the net animation reads, copied byte for byte.
extern uint8_t GoalNetImpact[kGoalNetImpactSize];
// The ball's display roll angles, set each tick by the ball's spin.
extern float BallDisplayRoll[2];

// The camera and panel calls the replay makes; the display installs them.
// An unset hook does nothing and answers 0.
struct ReplayCameraHooks {
    int16_t (*getMode)();         // 0 free camera, 1 or more automatic replay camera
    void (*setMode)(int16_t);     //
    void (*cycle)(int16_t step);  // next (+1) or previous (-1) camera of the list
    int16_t (*getSelected)();     // the camera selected in the list, 0 the first
    void (*useStadiumCameras)();  // the camera list of the stadium cameras
    void (*endFlyIn)();           // ends a pre-match fly-in
    void (*resetPanel)();         // the replay control panel back to its start
    void (*toggleBallPath)();     // the ball path overlay on or off
};
void Replay_SetCameraHooks(const ReplayCameraHooks& hooks);

// ---------------------------------------------------------------------------
// The ring.

void Replay_AllocBuffer();
void Replay_FreeBuffer();
// End of every simulation tick: records one frame when the match is shown
// or its data was prepared for replay.
void Replay_Tick();
void Replay_RecordFrame(ReplayFrame* frame);
void Replay_ApplyFrame(const ReplayFrame* frame);
void Replay_Interpolate(const ReplayFrame* a, const ReplayFrame* b, float t);
// Fills the display table from the frames at the playback position.
void Replay_UpdateDisplay();
// The frame that many frames after the position, or null.
const ReplayFrame* Replay_FrameAt(int32_t offset);
// The frame in ring slot order (0 the oldest), or null.
const ReplayFrame* Replay_FrameByAge(uint32_t index);
void Replay_Start();
void Replay_Stop();
void Replay_Advance();
void Replay_Command(int16_t command);
int16_t Replay_GetSpeedClass();
bool Replay_IsPlaying();

// The automatic goal replay, 100 ticks after a goal.
void AutoGoalReplay_Tick();
void AutoGoalReplay_Reset();

// The display words' start of a match loop: DrawMode 0, no replay open.
void Replay_LoopStart();

// ---------------------------------------------------------------------------
// Goal replay files.

constexpr int kMaxSavedGoals = 100;
// Goal replay files made since the count was last reset; saved with the game.
// Reset by the Continue entries, by leaving the day's results list for the
// club screen and by loading a game (which deletes the goal files); while it
// is not 0 at the end of a Continue the day loop plays the saved goals.
extern uint16_t SavedGoalCount;
// The index of the saved goal being shown in the goal-replay file list
// (GoalReplayFiles), -1 idle.
extern int16_t GoalReplayNumber;

// The file name (without the folder) of the goal saved as the count-th,
// with the score and minute; false when count is outside 1..100.
bool Replay_GoalFileName(int count, int goals0, int goals1, int minute, char* out, int outSize);
// The match minute of the engine's clock in a period (0-4).
int32_t Replay_GoalMinute(int period, uint32_t clock, uint32_t clockLimit);

// Saves the ring and the set-up block of the last goal; only for a shown
// match.
void Replay_SaveGoal();
// Loads the set-up block of a goal file of "SaveData\GOALS\" by its name:
// 0, or negative on failure (-1 for a name of 256 characters or more).
int Replay_LoadGoalInfo(const char* name);
// Loads the ring of the goal file last named: 0, or negative when the
// file is missing or damaged (the ring is then left empty).
int ReplayLoadTheRest();
