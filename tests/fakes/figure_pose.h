// The generated figure model's skeleton for tests: made without its
// report, and posed by a frame of a motion clip.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "core/match/motion.h"
#include "game/system/matrices.h"
#include "game/system/models3d.h"
#include "game/system/skeletalposing.h"
#include "tools/datakit/models.h"

namespace testenv {

// The skeleton of the model's object; what it prints of the model's root
// point is kept out of the test's output.
inline void CreateAnimDataQuietly(D3DAnim** anim, const uint8_t* model, D3DObj* object) {
    std::fflush(stdout);
    const int saved = dup(1), null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    D3DAnim_CreateAnimData(anim, model, object);
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(null);
}

// The bone matrices of a motion frame: the root's identity, then each
// bone's rotation from the frame's angles.
inline void FrameBones(const MotionFrame& frame, Matrix (&bones)[datakit::FIGURE_BONE_COUNT + 1]) {
    MatrixIdentity(&bones[0]);
    for (int b = 0; b < datakit::FIGURE_BONE_COUNT; ++b) {
        float ax, ay, az;
        MotionBoneAngles(frame.bones[b], &ax, &ay, &az);
        MatrixRotateXYZ(&bones[b + 1], ax, ay, az);
    }
}

}  // namespace testenv
