#pragma once
// A screen with the backdrop and one editor window on it, installed as the
// console's screen, for tests of what opens on top of an editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chwin/chw_host.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "chwin/reflist.h"
#include "platform/text_codec.h"

namespace prismel {

class BeepCountingHost : public ChwHost {
public:
    void invalidate(const ChwRect&, bool) override {}
    void repaint_now(const ChwRect&) override {}
    void set_message_line(const char*) override {}
    void beep() override { ++beeps; }
    int beeps = 0;
};

class PickerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        screen.set_fkey_row(screen.visible_rows() - 2);
        backdrop = screen.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        backdrop->key_handler = [](int, int) { return 0; };
        screen.show_window(backdrop);
        editor = screen.create_window(backdrop, "editor", kStyleFramed, 0, 1, 50, 40);
        editor->key_handler = [this](int key, int) {
            editor_keys.push_back(key);
            return 0;
        };
        screen.show_window(editor);
        g_screen = &screen;
    }
    void TearDown() override {
        close_colour_list();
        close_scene_list();
        close_chase_list();
        g_screen = nullptr;
        screen.close_window(editor, true);
        delete backdrop;
    }
    std::string message() const { return screen.message_line(); }
    static std::string sjs(const char* utf8) { return sj(utf8); }

    BeepCountingHost host;
    ChwScreen screen{&host};
    ChwWindow* backdrop = nullptr;
    ChwWindow* editor = nullptr;
    std::vector<int> editor_keys;
};

}  // namespace prismel
