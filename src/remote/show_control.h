#pragma once
// The console's show-control remotes: started once the output thread runs,
// stopped before the engine shuts down. What the actions they receive come
// to goes to the message line through g_remote_messages.
#include <string>

#include "remote/remote_config.h"

namespace prismel {

// With g_engine and g_show; the MIDI input port is opened as well. Returns
// what the message line says of what could not start (CP932; the note that
// matters most when there are several), or an empty text.
std::string start_show_control(const RemoteSettings& settings);
// Idempotent.
void stop_show_control();

}  // namespace prismel
