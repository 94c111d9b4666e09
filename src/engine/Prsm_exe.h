#pragma once
// The playback engine and the remote GO inputs, for the rest of the console.
#include "engine/duration.h"
#include "engine/engine_state.h"
#include "engine/levels.h"
#include "engine/patch_frame.h"
#include "engine/playback_engine.h"
#include "engine/remote_lines.h"
