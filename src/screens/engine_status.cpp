#include "screens/engine_status.h"

#include "data/cue_number.h"
#include "engine/playback_engine.h"
#include "platform/text_codec.h"
#include "screens/screen_window.h"

namespace prismel {

void write_engine_status(ChwScreen& s, const EngineFields& f, const ShowData& show) {
    s.set_normal_colours();
    if (f.colour_preview != kNone) {
        static const char* format = sj("ｶﾗｰ:%-7.7s  ");
        // A name from a damaged file may end in half a character.
        s.writef(format, valid_colour(f.colour_preview) ? name_text(show.colours.rec[f.colour_preview].name).text : "");
    } else if (valid_cue(f.current_cue)) {
        static const char* label = sj("ｷｭｰ:");
        const int number = show.cues[f.current_cue].number;
        s.write(label);
        s.write(cue_number_text(number).text);
    } else if (f.current_scene != kNone) {
        static const char* format = sj("ｼｰﾝ:%3d     ");
        s.writef(format, f.current_scene + 1);
    } else if (f.current_chase != kNone) {
        static const char* format = sj("ﾁｪｲｽ:%3d:%3d");
        s.writef(format, f.current_chase + 1, f.chase_step + 1);
    } else {
        s.set_dark_text(WinBg);
        s.write("OFF         ");
    }
}

void write_engine_status() {
    if (g_screen) write_engine_status(*g_screen, g_engine.fields(), g_show);
}

}  // namespace prismel
