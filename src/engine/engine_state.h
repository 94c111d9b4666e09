#pragma once
// Everything a snapshot saves and restores: the engine's fields and its six
// layer buffers (not the mix, not the monitor copy).
#include <cstdint>

#include "data/show_records.h"
#include "engine/duration.h"
#include "engine/levels.h"
#include "engine/remote_lines.h"

namespace prismel {

constexpr EngineSteps kInitialRate = 25;

struct EngineFields {
    // Run screen state kept with the engine.
    int32_t call_mode = 0;  // 0 scene call, 1 preset call
    int32_t scene_page = 0;  // 0-19
    StoredDuration scene_call_xtime{0};

    int32_t colour_preview = kNone;
    int32_t current_cue = kNone;
    EngineSteps wait_countdown = 0;  // 0 = no automatic GO pending

    int32_t current_scene = kNone;
    EngineSteps scene_cross_total = 0;
    EngineSteps scene_cross_remaining = 0;
    int32_t scene_out = 0;  // weight of the old picture, 0-255
    int32_t scene_in = 0;   // 255 - out

    int32_t current_chase = kNone;
    int32_t step_count = 0;  // the chase's step count when it was started
    int32_t chase_step = 0;
    int32_t chase_mode = 0;  // 0 loop, 1 one pass
    EngineSteps rate = kInitialRate;  // 0 = do not advance
    EngineSteps rate_countdown = 0;
    EngineSteps chase_cross_total = 0;
    EngineSteps chase_cross_remaining = 0;
    int32_t chase_out = 0;
    int32_t chase_in = 0;
    uint8_t fixture_in_chase[kFixtures] = {};

    int32_t preview_cue = kNone;
    int32_t preview_scene = kNone;
    int32_t preview_chase = kNone;
    EngineSteps preview_rate = kInitialRate;
    int32_t preview_step = 0;
    EngineSteps preview_countdown = 0;
    uint8_t show_running = 1;  // set = no preview in progress

    RemoteLines remote;
};

struct LayerBuffers {
    LevelBuffer scene_from{};
    LevelBuffer scene_target{};
    LevelBuffer scene_output{};
    LevelBuffer chase_from{};
    LevelBuffer chase_to{};
    LevelBuffer chase_output{};
};

struct EngineState {
    EngineFields fields;
    LayerBuffers layers;
};

}  // namespace prismel
