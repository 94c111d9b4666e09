#include "chwin/chw_scheme_io.h"

namespace prismel {

int limit_font_size(int size, int desktop_width) {
    const int limit = (desktop_width / 106) * 2;
    if (size > limit) size = limit;
    if (size < 12) size = 12;
    if (size % 2 != 0) size -= 1;
    return size;
}

void load_scheme(ChwScreen& s, const Profile& p, int desktop_width) {
    const int size = p.read_int("General", "FontSize", ChwScreen::kDefaultFontSize);
    s.set_font_size(limit_font_size(size, desktop_width));
    ChwColourScheme& scheme = s.scheme();
    for (const ChwSchemeKey& k : kSchemeKeys) {
        const int current = static_cast<int>(scheme.value[k.index]);
        scheme.value[k.index] = static_cast<uint32_t>(p.read_int("Color", k.key, current));
    }
}

void save_scheme(const ChwScreen& s, Profile& p) {
    p.write_int("General", "FontSize", s.font_size());
    for (const ChwSchemeKey& k : kSchemeKeys)
        p.write_int("Color", k.key, static_cast<int>(s.scheme().value[k.index]));
}

}  // namespace prismel
