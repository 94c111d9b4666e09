#pragma once
// The script of prismel-show simulate: one command a line, '#' starts a
// comment. It is read whole before anything runs.
#include <string>
#include <vector>

namespace prismel::tool {

enum class SimOp { kStep, kGo, kNext, kBack, kScene, kChase, kPreview, kColour, kPush, kPop, kLines };

// Arguments by command: step N (a); go I (a, or kNone); scene S XT (a, b);
// chase C RATE XT MODE (a, b, c, d); preview I, colour I (a); pop D (a);
// lines GO BACK (a, b).
struct SimCommand {
    SimOp op;
    int a = 0, b = 0, c = 0, d = 0;
};

// Parses the script text; false with the 1-based line and the reason.
bool parse_sim_script(const std::string& text, std::vector<SimCommand>& out, int& error_line, std::string& error);
// Reads and parses the file; error_line 0 when the file cannot be read.
bool read_sim_script(const std::string& path, std::vector<SimCommand>& out, int& error_line, std::string& error);

}  // namespace prismel::tool
