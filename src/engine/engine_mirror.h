#pragma once
// The part of the engine's state that one console hands another so that
// both play the same show in step: the played fields and the six layer
// buffers. Everything here may come from the network, so a state is taken
// only when every reference and counter is one an engine can hold.
#include "engine/engine_state.h"

namespace prismel {

// Every index in range (or none), every count and fade within what a show
// can ask for, every level weight 0-255, flags 0 or 1. Only the played part
// is looked at.
bool sound_live_state(const EngineState& state);

// The played part of `from` written over `to`; the rest of `to` stays.
void copy_played_part(const EngineState& from, EngineState& to);

}  // namespace prismel
