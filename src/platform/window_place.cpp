#include "platform/window_place.h"

#include <string>

namespace prismel {

WindowPlace restore_window_place(const Profile& ini, const char* prefix, WindowPlace place,
                                 int dl, int dt, int dw, int dh) {
    std::string p = prefix;
    place.left = ini.read_int(kSectionGeneral, (p + "Left").c_str(), dl);
    place.top = ini.read_int(kSectionGeneral, (p + "Top").c_str(), dt);
    if (dw > 0 && dh > 0) {
        place.width = ini.read_int(kSectionGeneral, (p + "Width").c_str(), dw);
        place.height = ini.read_int(kSectionGeneral, (p + "Height").c_str(), dh);
    }
    return place;
}

void save_window_place(Profile& ini, const char* prefix, const WindowPlace& place, bool dialog_border) {
    std::string p = prefix;
    ini.write_int(kSectionGeneral, (p + "Left").c_str(), place.left);
    ini.write_int(kSectionGeneral, (p + "Top").c_str(), place.top);
    if (dialog_border) return;
    ini.write_int(kSectionGeneral, (p + "Width").c_str(), place.width);
    ini.write_int(kSectionGeneral, (p + "Height").c_str(), place.height);
}

}  // namespace prismel
