#include "simulate_script.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "data/show_records.h"

namespace prismel::tool {
namespace {

constexpr long kMostStepsPerCommand = 1000000;

std::vector<std::string> words_of(const std::string& line) {
    std::string text = line.substr(0, line.find('#'));
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool integer_of(const std::string& s, long lo, long hi, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 10);
    if (errno || *end || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

class LineParser {
public:
    explicit LineParser(std::vector<std::string> words) : w_(std::move(words)) {}
    const std::string& name() const { return w_[0]; }
    bool arity(size_t n) {
        if (w_.size() == n + 1) return true;
        error = "'" + name() + "' takes " + std::to_string(n) + (n == 1 ? " argument" : " arguments");
        return false;
    }
    // Argument k (1-based) as an integer in lo..hi.
    bool number(size_t k, const char* what, long lo, long hi, int& out) {
        if (integer_of(w_[k], lo, hi, out)) return true;
        error = std::string(what) + " must be an integer from " + std::to_string(lo) + " to " + std::to_string(hi) +
                ", not '" + w_[k] + "'";
        return false;
    }
    // An index in 0..count-1, or "none".
    bool index_or_none(size_t k, const char* what, int count, int& out) {
        if (w_[k] == "none") {
            out = kNone;
            return true;
        }
        return number(k, what, 0, count - 1, out);
    }
    bool duration(size_t k, const char* what, int& out) { return number(k, what, -32768, 32767, out); }

    bool parse(SimCommand& c) {
        const std::string& n = name();
        if (n == "step") {
            c.op = SimOp::kStep;
            return arity(1) && number(1, "step count", 0, kMostStepsPerCommand, c.a);
        }
        if (n == "go") {
            c.op = SimOp::kGo;
            return arity(1) && index_or_none(1, "cue index", kCues, c.a);
        }
        if (n == "next" || n == "back") {
            c.op = n == "next" ? SimOp::kNext : SimOp::kBack;
            return arity(0);
        }
        if (n == "scene") {
            c.op = SimOp::kScene;
            return arity(2) && index_or_none(1, "scene index", kScenes, c.a) && duration(2, "cross time", c.b);
        }
        if (n == "chase") {
            c.op = SimOp::kChase;
            if (w_.size() == 2 && w_[1] == "none") {
                c.a = kNone;
                return true;
            }
            return arity(4) && index_or_none(1, "chase index", kChases, c.a) && duration(2, "rate", c.b) &&
                   duration(3, "cross time", c.c) && number(4, "mode", 0, 1, c.d);
        }
        if (n == "preview") {
            c.op = SimOp::kPreview;
            return arity(1) && index_or_none(1, "cue index", kCues, c.a);
        }
        if (n == "colour") {
            c.op = SimOp::kColour;
            return arity(1) && index_or_none(1, "colour index", kColours, c.a);
        }
        if (n == "push") {
            c.op = SimOp::kPush;
            return arity(0);
        }
        if (n == "pop") {
            c.op = SimOp::kPop;
            return arity(1) && number(1, "depth", -1, 1000000, c.a);
        }
        if (n == "lines") {
            c.op = SimOp::kLines;
            return arity(2) && number(1, "GO state", 0, 1, c.a) && number(2, "BACK state", 0, 1, c.b);
        }
        error = "unknown command '" + n + "'";
        return false;
    }

    std::string error;

private:
    std::vector<std::string> w_;
};

}  // namespace

bool parse_sim_script(const std::string& text, std::vector<SimCommand>& out, int& error_line, std::string& error) {
    out.clear();
    std::istringstream in(text);
    int line_no = 0;
    for (std::string line; std::getline(in, line);) {
        ++line_no;
        std::vector<std::string> words = words_of(line);
        if (words.empty()) continue;
        LineParser p(std::move(words));
        SimCommand c{SimOp::kStep};
        if (!p.parse(c)) {
            error_line = line_no;
            error = p.error;
            return false;
        }
        out.push_back(c);
    }
    return true;
}

bool read_sim_script(const std::string& path, std::vector<SimCommand>& out, int& error_line, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_line = 0;
        error = "cannot read the script";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse_sim_script(text.str(), out, error_line, error);
}

}  // namespace prismel::tool
