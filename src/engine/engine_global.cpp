#include "engine/playback_engine.h"

namespace prismel {

PlaybackEngine g_engine(g_show, engine_remote_port());

void engine_step(DmxFrame& frame) { g_engine.step(frame); }

}  // namespace prismel
