#include "chwin/chw_fkey_bar.h"

#include <cstring>

#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"

namespace prismel {

namespace {

// Caps of F1-F12: groups of four, one blank between caps, a group digit
// before each group.
constexpr int kCapColumns[kFkeyCount] = {2, 9, 16, 23, 31, 38, 45, 52, 60, 67, 74, 81};

}  // namespace

FkeyLabels parse_fkey_labels(const char* text) {
    FkeyLabels out;
    if (!text) return out;
    const char* p = text;
    for (int j = 0; j < kFkeyCount && *p; ++j) {
        FkeySlot& slot = out.slot[j];
        if (*p == '$') {
            ++p;
            continue;
        }
        slot.kind = FkeySlotKind::Label;
        if (*p == '-') {
            slot.kind = FkeySlotKind::Unavailable;
            ++p;
        }
        int n = 0;
        while (n < kCapWidth && *p && *p != '|') slot.label[n++] = *p++;
        if (*p == '|') ++p;
    }
    return out;
}

int fkey_cap_column(int n) {
    return n >= 1 && n <= kFkeyCount ? kCapColumns[n - 1] : -1;
}

int fkey_at_column(int column) {
    for (int j = 0; j < kFkeyCount; ++j)
        if (column >= kCapColumns[j] && column < kCapColumns[j] + kCapWidth) return kKeyF1 + j;
    return 0;
}

void ChwScreen::draw_fkey_bar(const char* labels) {
    if (fkey_row_ < 0 || fkey_row_ >= kRows) return;
    // Copied first: the caller may pass previous_fkey_labels() to restore them.
    char text[kLabelBytes + 1] = {};
    if (labels) std::strncpy(text, labels, kLabelBytes);
    const FkeyLabels parsed = parse_fkey_labels(text);
    set_attribute(0);
    move_cursor(1, fkey_row_);
    for (int j = 0; j < kFkeyCount; ++j) {
        if (j % 4 == 0) {
            set_colours(ColGreen, WinNgFg);
            write_char(static_cast<char>('1' + j));
        }
        const FkeySlot& slot = parsed.slot[j];
        set_colours(WinNgFg, slot.kind == FkeySlotKind::Label ? Button : WinBg);
        if (slot.kind != FkeySlotKind::Empty) set_attribute(0xA0);
        write(slot.label, kCapWidth);
        set_attribute(0);
        set_colours(WinFg, ScreenBg);
        write_char(' ');
    }
    std::memcpy(previous_labels_, labels_, sizeof labels_);
    std::memcpy(labels_, text, sizeof labels_);
}

void ChwScreen::press_fkey(int vk) {
    if (vk < kKeyF1 || vk > kKeyF12 || fkey_row_ < 0) return;
    const int cw = cell_width();
    const int column = kCapColumns[vk - kKeyF1];
    const ChwRect r{column * cw, fkey_row_ * cell_height(), (column + kCapWidth) * cw,
                    fkey_row_ * cell_height() + font_size_ + 4};
    // A cap still pressed (no release in between) goes back to its plain look.
    if (!pressed_rect_.empty() && !(pressed_rect_ == r)) invalidate(pressed_rect_);
    pressed_rect_ = r;
    if (host_) host_->repaint_now(r);
}

void ChwScreen::release_fkey() {
    if (pressed_rect_.empty()) return;
    invalidate(pressed_rect_);
    pressed_rect_ = ChwRect{};
}

}  // namespace prismel
