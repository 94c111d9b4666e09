#include "shell/main_menu.h"

#include <gtest/gtest.h>

#include <memory>

#include "chwin/chw_keys.h"
#include "chwin/grid_dump.h"

using namespace prismel;

namespace {

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = main_menu_actions();
        screen_.set_visible(100, 30);
        screen_.set_fkey_row(28);
        create_main_menu(screen_);
    }
    void TearDown() override {
        main_menu_actions() = saved_;
        if (opened_) screen_.close_window(opened_, true);
        delete g_main_menu;
        g_main_menu = nullptr;
    }
    // A screen that opens a framed window above the menu.
    std::function<void(ChwWindow*)> opening(int& calls) {
        return [this, &calls](ChwWindow* parent) {
            ++calls;
            EXPECT_EQ(parent, g_main_menu);
            opened_ = screen_.create_window(parent, "S", kStyleFramed, 0, 0, 40, 10);
            screen_.show_window(opened_);
        };
    }

    ChwScreen screen_;
    MainMenuActions saved_;
    ChwWindow* opened_ = nullptr;
};

}  // namespace

TEST_F(MainMenuTest, TheMenuIsTheBackdropWithTheDispatcher) {
    ASSERT_NE(g_main_menu, nullptr);
    EXPECT_EQ(screen_.top_window(), g_main_menu);
    EXPECT_TRUE(g_main_menu->is_backdrop());
    EXPECT_EQ(g_main_menu->parent, nullptr);
    EXPECT_EQ(g_main_menu->right, 127);
    EXPECT_EQ(g_main_menu->bottom, 63);
    EXPECT_TRUE(static_cast<bool>(g_main_menu->key_handler));
    EXPECT_FALSE(static_cast<bool>(g_main_menu->mouse_handler));
    EXPECT_FALSE(static_cast<bool>(g_main_menu->draw_handler));
}

TEST_F(MainMenuTest, F12AsksToQuitAndUnassignedKeysDoNothing) {
    EXPECT_EQ(g_main_menu->key_handler(kKeyF12, 0), kResultQuit);
    main_menu_actions() = MainMenuActions{};
    for (int key : {kKeyF8, kKeyF11, 0, kKeyF1, kKeyF7, kKeyF10, kKeyEnter, kKeyA})
        EXPECT_EQ(g_main_menu->key_handler(key, 0), kResultHandled) << key;
    EXPECT_EQ(screen_.top_window(), g_main_menu);
}

TEST_F(MainMenuTest, EscAndF9OpenTheRunScreenAndClearTheCaptionRow) {
    int calls = 0;
    main_menu_actions().run_screen = opening(calls);
    draw_main_menu_labels(screen_);
    EXPECT_NE(row_text(screen_, 27, 0, 10).find("編集"), std::string::npos);
    EXPECT_EQ(g_main_menu->key_handler(kKeyEsc, 0), kResultHandled);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(row_text(screen_, 27).find_first_not_of(' '), std::string::npos);
    screen_.close_window(opened_, true);
    opened_ = nullptr;
    screen_.show_window(g_main_menu);
    g_main_menu->key_handler(kKeyF9, 0);
    EXPECT_EQ(calls, 2);
}

TEST_F(MainMenuTest, PopupMenusLeaveTheCaptionRow) {
    int options = 0, data = 0;
    main_menu_actions().options_menu = [&] { ++options; };
    main_menu_actions().data_menu = [&] { ++data; };
    draw_main_menu_labels(screen_);
    g_main_menu->key_handler(kKeyF7, 0);
    g_main_menu->key_handler(kKeyF10, 0);
    EXPECT_EQ(options, 1);
    EXPECT_EQ(data, 1);
    EXPECT_NE(row_text(screen_, 27).find("その他"), std::string::npos);
}

TEST_F(MainMenuTest, LabelsOnTheCaptionRowAndTheBar) {
    draw_main_menu_labels(screen_);
    const std::string caption = row_text(screen_, 27);
    EXPECT_EQ(caption.substr(1, 7), " 編集");
    EXPECT_EQ(row_text(screen_, 27, 30, 5), " 設定");
    EXPECT_EQ(row_text(screen_, 27, 67, 7), " その他");
    // Each group label is padded over its caps.
    EXPECT_EQ(screen_.cell(28, 27).bg, screen_.colour_of(HeaderG));
    EXPECT_EQ(screen_.cell(29, 27).bg, screen_.colour_of(ScreenBg));
    EXPECT_EQ(screen_.cell(86, 27).bg, screen_.colour_of(HeaderG));
    EXPECT_EQ(row_text(screen_, 28, 2, 6), "シーン");
    EXPECT_EQ(row_text(screen_, 28, 52, 6), "      ");  // F8 blank
    EXPECT_EQ(row_text(screen_, 28, 60, 6), " 実行 ");
    EXPECT_EQ(row_text(screen_, 28, 81, 6), " 終了 ");
}
