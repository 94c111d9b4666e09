#include "chwin/msg_box_model.h"

#include "chwin/inp_validate.h"

namespace prismel {

namespace {
MsgRect button_at(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
}  // namespace

MsgRect MsgBoxLayout::inner() const {
    int d = font_size / 2;
    return {d, d, width - d, height - d};
}

MsgRect MsgBoxLayout::yes_button() const {
    return button_at(width / 2 - 5 * font_size, height - 2 * font_size, button_width, button_height);
}

MsgRect MsgBoxLayout::no_button() const {
    return button_at(width / 2 + font_size, height - 2 * font_size, button_width, button_height);
}

MsgRect MsgBoxLayout::ok_button() const {
    return button_at((width - 4 * font_size) / 2, height - 2 * font_size, button_width, button_height);
}

int msg_box_width(int line1_width, int line2_width, int font_size) {
    return (line1_width > line2_width ? line1_width : line2_width) + 2 * font_size;
}

int MsgBoxModel::key(int code) {
    switch (code) {
    case 13:
    case 32:
        return kind_ == kMsgYesNo && !yes_ ? kResultCancel : kResultOk;
    case 27:
        return kResultCancel;
    case 37:
    case 'Y':
        if (kind_ == kMsgYesNo) yes_ = true;
        return kMsgStay;
    case 39:
    case 'N':
        if (kind_ == kMsgYesNo) yes_ = false;
        return kMsgStay;
    default:
        return kMsgStay;
    }
}

int MsgBoxModel::press(int x, int y, const MsgBoxLayout& layout) {
    if (kind_ == kMsgYesNo) {
        if (layout.yes_button().contains(x, y)) {
            yes_ = true;
            return kResultOk;
        }
        if (layout.no_button().contains(x, y)) {
            yes_ = false;
            return kResultCancel;
        }
        return kMsgStay;
    }
    if (kind_ == kMsgOk && layout.ok_button().contains(x, y)) return kResultOk;
    return kMsgStay;
}

}  // namespace prismel
