#include "remote/show_control.h"

#include <memory>

#include "remote/message_mailbox.h"
#include "remote/remote_control.h"

namespace prismel {

namespace {

std::unique_ptr<remote::RemoteControl> g_remotes;

// The message line shows one text: the note that matters most.
int weight(const remote::StartNote& n) {
    using What = remote::StartNote::What;
    switch (n.what) {
    case What::no_sequencer: return 0;
    case What::midi_failed: return 1;
    case What::bad_allow: return 2;
    case What::msc_port_refused: return 3;
    case What::osc_port_refused: return 4;
    }
    return 0;
}

}  // namespace

std::string start_show_control(const RemoteSettings& settings) {
    stop_show_control();
    g_remotes = std::make_unique<remote::RemoteControl>(g_engine, g_show,
                                                        [](const char* text) { g_remote_messages.post(text); });
    RemoteSettings s = settings;
    s.midi_port = true;
    const std::vector<remote::StartNote> notes = g_remotes->start(s);
    const remote::StartNote* shown = nullptr;
    for (const remote::StartNote& n : notes) {
        if (!shown || weight(n) >= weight(*shown)) shown = &n;
    }
    return shown ? remote::note_message(*shown) : std::string();
}

void stop_show_control() { g_remotes.reset(); }

}  // namespace prismel
