#pragma once
// The chase editor above the backdrop, with its scene editor opener
// recorded instead of opened.
#include <vector>

#include "screen_fixture.h"
#include "screens/Editchs.h"
#include "screens/editchs_seams.h"

namespace prismel::test {

class EditchsTest : public ScreenTest {
protected:
    static constexpr int kLeft = 5;
    static constexpr int kTop = 1;
    static constexpr int kBottom = 59;          // screen rows - 5
    static constexpr int kChaseRow = kTop + 1;  // chase number and name
    static constexpr int kRateRow = kTop + 2;   // test rate and output status
    static constexpr int kLabelRow = kTop + 3;
    static constexpr int kFirstStepRow = kTop + 4;

    struct SceneEditorCall {
        int scene;
        ChwWindow* parent;
    };

    EditchsTest() {
        editchs_seams().open_scene_editor = [this](int scene, ChwWindow* parent) {
            scene_editor.push_back({scene, parent});
        };
        editchs_set_chase(0);
        editchs_set_test_rate(StoredDuration(kDefaultDuration));
    }
    ~EditchsTest() override {
        editchs_close();
        editchs_seams() = EditchsSeams{};
    }

    void open() { ASSERT_EQ(editchs_open(backdrop_), 1); }

    // Slot k's row while the list shows slot 1 first.
    static int step_row(int k) { return kFirstStepRow + k; }
    // The step number, scene number and scene name of slot k as shown.
    std::string number(int k) const { return row(step_row(k), kLeft + 2, 4); }
    std::string scene(int k) const { return row(step_row(k), kLeft + 11, 3); }
    std::string name(int k) const { return row(step_row(k), kLeft + 17, 20); }
    // The slot under the cursor (the step number's cells), or -1.
    int cursor_slot() const {
        int found = -1;
        for (int k = 0; k < kBottom - 3 - kFirstStepRow + 1; ++k) {
            if (cell(kLeft + 2, step_row(k)).bg == colour(Cursor)) {
                if (found != -1) return -2;  // two cursors
                found = k;
            }
        }
        return found;
    }
    bool marked_playing(int k) const { return cell(kLeft + 1, step_row(k)).bg == colour(ColYellow); }

    // The steps of chase c: its count, then its first n slots.
    static std::vector<int> steps(int c, int n) {
        const ChaseRecord& r = g_show.chases[c];
        std::vector<int> v{r.step_count};
        for (int k = 0; k < n; ++k) v.push_back(r.steps[k]);
        return v;
    }

    std::vector<SceneEditorCall> scene_editor;
};

}  // namespace prismel::test
