#pragma once
// What the message box does with keys and mouse presses, and where its parts
// lie: the same model drives the Qt form and the scripted box of the tests.

namespace prismel {

// Kinds of box (the platform's message-box type codes).
constexpr int kMsgOk = 0;      // OK button only
constexpr int kMsgYesNo = 4;   // YES and NO buttons
constexpr int kMsgStay = 0;    // key() / press(): the box stays open

struct MsgRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Pixel layout of a box of the given client size.
struct MsgBoxLayout {
    int font_size = 20;
    int width = 0, height = 196;
    int button_width = 0, button_height = 0;  // measured from " ＿＿＿ "

    MsgRect inner() const;  // the light inner area
    int line1_y() const { return 2 * font_size; }
    int line2_y() const { return 4 * font_size; }
    int text_x() const { return font_size; }
    MsgRect yes_button() const;
    MsgRect no_button() const;
    MsgRect ok_button() const;
};

// Box width for two lines of the given pixel widths.
int msg_box_width(int line1_width, int line2_width, int font_size);

class MsgBoxModel {
public:
    explicit MsgBoxModel(int kind = kMsgOk) : kind_(kind) {}
    int kind() const { return kind_; }
    bool yes_selected() const { return yes_; }
    // A key press: 1 or 2 closes the box with that result, 0 keeps it open.
    int key(int code);
    // A press of any mouse button at a pixel of the box.
    int press(int x, int y, const MsgBoxLayout& layout);

private:
    int kind_;
    bool yes_ = false;  // NO is selected when the box shows
};

}  // namespace prismel
