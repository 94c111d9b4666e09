#include "data/reports.h"

#include <cstdio>

#include "data/cue_number.h"
#include "data/text_fit.h"

namespace prismel {

namespace {

constexpr std::size_t kNameText = 20;  // scene and chase names

void separator(std::FILE* f, int width) {
    for (int i = 0; i < width; ++i) std::fputc('-', f);
    std::fputc('\n', f);
}

// A name as far as it is text, so that a field without its terminator
// (a damaged file) never carries the listing into the bytes after it.
std::string name_of(const char (&field)[21]) { return field_text(field, sizeof field, kNameText); }

double seconds(int16_t duration) { return duration * 0.05; }

// Closes the report: 1 only when everything reached the file.
int finish(std::FILE* f) {
    bool ok = !std::ferror(f);
    if (std::fclose(f) != 0) ok = false;
    return ok ? 1 : 0;
}

std::FILE* create(const std::string& path) { return path.empty() ? nullptr : std::fopen(path.c_str(), "w"); }

void cue_number(std::FILE* f, int number) { std::fputs(cue_number_text(number).text, f); }

void cue_wait(std::FILE* f, int16_t wait) {
    if (wait <= 0) {
        std::fputs("__._  ", f);
    } else {
        std::fprintf(f, "%4.1f  ", seconds(wait));
    }
}

// A reference outside its table (from a damaged file) plays nothing, and is
// listed as the empty part like none.
void cue_scene(std::FILE* f, const ShowData& show, const CueRecord& cue) {
    if (valid_scene(cue.scene)) {
        std::fprintf(f, "%3d %-20s ", cue.scene + 1, name_of(show.scenes[cue.scene].name).c_str());
        std::fprintf(f, "%4.1f  ", seconds(cue.scene_xtime));
    } else {
        std::fprintf(f, "___ %-20s __._  ", "");
    }
}

void cue_chase(std::FILE* f, const ShowData& show, const CueRecord& cue) {
    if (valid_chase(cue.chase)) {
        std::fprintf(f, "%3d %-20s ", cue.chase + 1, name_of(show.chases[cue.chase].name).c_str());
        std::fprintf(f, "%4.1f ", seconds(cue.rate));
        std::fprintf(f, "%4.1f ", seconds(cue.chase_xtime));
        if (cue.mode == 0) std::fputc('L', f);
        if (cue.mode == 1) std::fputc('S', f);
    } else {
        std::fprintf(f, "___ %-20s __._ __._ _", "");
    }
}

bool has_colour(const SceneRecord& scene) {
    for (int i = 0; i < kFixtures; ++i) {  // indexed: the record is packed
        if (scene.colour[i] != kNone) return true;
    }
    return false;
}

}  // namespace

int write_scene_name_list(const ShowData& show, const std::string& path) {
    std::FILE* f = create(path);
    if (!f) return 0;
    std::fputs("Scene Name List\n", f);
    std::fputs("No.  Name\n", f);
    separator(f, 82);
    for (int i = 0; i < kScenes; ++i) {
        const SceneRecord& s = show.scenes[i];
        if (has_colour(s)) std::fprintf(f, "%3d  %-20s\n", i + 1, name_of(s.name).c_str());
    }
    separator(f, 82);
    return finish(f);
}

int write_chase_name_list(const ShowData& show, const std::string& path) {
    std::FILE* f = create(path);
    if (!f) return 0;
    std::fputs("Chase Name List\n", f);
    std::fputs("No.  Name                 Size\n", f);
    separator(f, 82);
    for (int i = 0; i < kChases; ++i) {
        const ChaseRecord& c = show.chases[i];
        // A damaged step count is listed as the steps a chase can hold.
        if (c.step_count > 0) std::fprintf(f, "%3d  %-20s  %3d\n", i + 1, name_of(c.name).c_str(), step_count_of(c));
    }
    separator(f, 82);
    return finish(f);
}

int write_cue_program_list(const ShowData& show, const std::string& path) {
    std::FILE* f = create(path);
    if (!f) return 0;
    std::fputs("Cue Program List\n", f);
    std::fputs("  No.   WT    SCENE                    XT    CHASE                    RT   XT   MD \n", f);
    separator(f, 83);
    for (int i = 0; i < kCues; ++i) {
        if (!show.cues.is_used(i)) continue;
        const CueRecord& cue = show.cues[i];
        cue_number(f, cue.number);
        cue_wait(f, cue.wait);
        cue_scene(f, show, cue);
        cue_chase(f, show, cue);
        std::fputc('\n', f);
    }
    separator(f, 83);
    return finish(f);
}

}  // namespace prismel
