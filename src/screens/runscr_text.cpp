#include "screens/runscr_text.h"

#include <cstdio>
#include <cstring>

#include "platform/text_codec.h"

namespace prismel {

void runscr_scene_caption(int page, int xtime, char* buf, size_t size) {
    static const char* format = sj(" シーンの呼び出し　頁%2d    ｸﾛｽ時間=%4.1f秒%31s");
    std::snprintf(buf, size, format, page + 1, xtime * 0.05, "");
}

const char* runscr_preset_caption() {
    static const char* text = [] {
        static char buf[kRunscrTextBytes];
        std::snprintf(buf, sizeof buf, sj(" プリセットの呼び出し%51s"), "");
        return buf;
    }();
    return text;
}

const char* runscr_aux_caption() {
    static const char* text = [] {
        static char buf[kRunscrTextBytes];
        std::snprintf(buf, sizeof buf, sj(" 補助メニュー%51s"), "");
        return buf;
    }();
    return text;
}

void runscr_scene_bar(int page, char* buf, size_t size) {
    size_t pos = 0;
    for (int k = 0; k < 10 && pos < size; ++k) {
        int n = std::snprintf(buf + pos, size - pos, "SCN%3d|", page * 10 + k + 1);
        if (n < 0) break;
        pos += static_cast<size_t>(n);
    }
    if (pos < size) std::snprintf(buf + pos, size - pos, "$$");
}

namespace {

constexpr int kCapBytes = 6;

// Bytes of a label that fit one cap: at most 6, stopping at a "|" or the end
// of the field, never splitting a double-byte character.
int cap_length(const char* label, int field) {
    int n = 0;
    while (n < field && label[n] != '\0' && label[n] != '|') {
        int w = is_sjis_lead(static_cast<unsigned char>(label[n])) ? 2 : 1;
        if (n + w > kCapBytes || n + w > field) break;
        if (w == 2 && label[n + 1] == '\0') break;
        n += w;
    }
    return n;
}

}  // namespace

void runscr_preset_bar(const FkeyRecord* fkeys, char* buf, size_t size) {
    if (size == 0) return;
    size_t pos = 0;
    buf[0] = '\0';
    for (int k = 0; k < 10; ++k) {
        const char* label = fkeys[k].label;
        int n = cap_length(label, static_cast<int>(sizeof fkeys[k].label) - 1);
        if (pos + static_cast<size_t>(n) + 1 >= size) return;
        std::memcpy(buf + pos, label, static_cast<size_t>(n));
        // A leading "$" would make the cap empty and push the rest onward.
        if (n > 0 && buf[pos] == '$') buf[pos] = ' ';
        pos += static_cast<size_t>(n);
        buf[pos++] = '|';
        buf[pos] = '\0';
    }
    if (pos + 2 < size) std::memcpy(buf + pos, "$$", 3);
}

const char* runscr_aux_bar(int call_mode) {
    static const char* scene_mode = sj("$ﾌﾟﾘｾｯﾄ|$$ｸﾛｽ設|ｼﾞｬﾝﾌﾟ|前確認|次確認|$呼復帰");
    static const char* preset_mode = sj("ｼｰﾝ呼|$$$ｸﾛｽ設|ｼﾞｬﾝﾌﾟ|前確認|次確認|$呼復帰");
    return call_mode == 0 ? scene_mode : preset_mode;
}

}  // namespace prismel
