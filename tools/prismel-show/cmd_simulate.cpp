// prismel-show simulate DIR SCRIPT: the playback engine run offline on a show
// folder, printing the DMX frame after every step.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "engine/Prsm_exe.h"
#include "platform/simulated_remote_port.h"
#include "simulate_script.h"

namespace prismel::tool {
namespace {

const char kSimulateUsage[] =
    "usage: prismel-show simulate DIR SCRIPT\n"
    "SCRIPT: one command a line, '#' starts a comment; durations as stored (seconds x 20):\n"
    "  step N                      run N steps, printing each frame as 1024 hex digits\n"
    "  go I | go none              go to cue index I (0-based) or standby\n"
    "  next | back                 next / previous used cue\n"
    "  scene S XT | scene none XT  call scene S with cross time XT\n"
    "  chase C RATE XT MODE | chase none\n"
    "  preview I | preview none    preview cue\n"
    "  colour I | colour none      colour preview\n"
    "  push | pop D                snapshot stack (D = depth, or -1 for the top)\n"
    "  lines GO BACK               remote contact states (0 or 1) from the next step\n";

class Simulation {
public:
    explicit Simulation(ShowData& show) : show_(show), engine_(show, port_) {
        engine_.initialise();
        engine_.release();  // as after start-up: standby, hold counter 0
    }
    ~Simulation() { engine_.shut_down(); }

    void run(const SimCommand& c) {
        switch (c.op) {
            case SimOp::kStep:
                for (int i = 0; i < c.a; ++i) step();
                break;
            case SimOp::kGo: engine_.go_to_cue(c.a); break;
            case SimOp::kNext: engine_.go_to_cue(show_.cues.next_used(engine_.fields().current_cue)); break;
            case SimOp::kBack: engine_.go_to_cue(show_.cues.previous_used(engine_.fields().current_cue)); break;
            case SimOp::kScene: engine_.call_scene(c.a, StoredDuration(c.b)); break;
            case SimOp::kChase:
                engine_.start_chase(c.a, StoredDuration(c.b), StoredDuration(c.c), c.d);
                break;
            case SimOp::kPreview: engine_.set_preview_cue(c.a); break;
            case SimOp::kColour: engine_.set_colour_preview(c.a); break;
            case SimOp::kPush: engine_.push_snapshot(); break;
            case SimOp::kPop: engine_.pop_snapshot(c.a); break;
            case SimOp::kLines: port_.set_lines(c.a != 0, c.b != 0); break;
        }
    }

private:
    void step() {
        engine_.step(frame_);
        static const char kHex[] = "0123456789abcdef";
        char line[16 + 1 + 2 * kDmxSlots + 2];
        int n = std::snprintf(line, 16, "%ld", ++steps_);
        line[n++] = ' ';
        for (uint8_t b : frame_) {
            line[n++] = kHex[b >> 4];
            line[n++] = kHex[b & 15];
        }
        line[n++] = '\n';
        std::fwrite(line, 1, n, stdout);
    }

    ShowData& show_;
    SimulatedRemotePort port_;
    PlaybackEngine engine_;
    DmxFrame frame_{};
    long steps_ = 0;
};

}  // namespace

int cmd_simulate(const Args& args) {
    if (args.size() != 2) {
        std::fputs(kSimulateUsage, stderr);
        return 2;
    }
    std::vector<SimCommand> script;
    std::string error;
    int error_line = 0;
    if (!read_sim_script(args[1], script, error_line, error)) {
        if (error_line > 0) {
            std::fprintf(stderr, "prismel-show: %s:%d: %s\n", args[1].c_str(), error_line, error.c_str());
        } else {
            std::fprintf(stderr, "prismel-show: %s: %s\n", args[1].c_str(), error.c_str());
        }
        return 2;
    }
    auto show = std::make_unique<ShowData>();
    const std::string folder = as_folder(args[0]);
    if (!read_whole_show(*show, folder)) return 2;
    Simulation sim(*show);
    for (const SimCommand& c : script) sim.run(c);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace prismel::tool
