#include "platform/input_state.h"

#include <gtest/gtest.h>

using namespace prismel;

TEST(InputState, NothingHeldUntilInstalledThenLiveFlags) {
    set_input_state(nullptr);
    EXPECT_FALSE(input_state().left_button_down());
    EXPECT_FALSE(input_state().caps_lock_on());
    EXPECT_EQ(live_modifier_flags(), 0);
    FixedInputState s;
    s.shift = s.ctrl = true;
    set_input_state(&s);
    EXPECT_EQ(live_modifier_flags(), 1 | 4);
    s.shift = false;
    s.alt = true;
    EXPECT_EQ(live_modifier_flags(), 2 | 4);
    set_input_state(nullptr);
}
