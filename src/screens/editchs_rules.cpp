#include "screens/editchs_rules.h"

#include <cstring>

#include "data/show_data.h"
#include "screens/screen_window.h"

namespace prismel {

int chase_step_scene(const ChaseRecord& c, int k) {
    if (k < 0 || k >= step_count_of(c)) return kNone;
    return valid_scene(c.steps[k]) ? c.steps[k] : kNone;
}

int chase_cursor_items(const ChaseRecord& c) {
    const int n = step_count_of(c) + 1;
    return n > kChaseSteps ? kChaseSteps : n;
}

bool chase_is_full(const ChaseRecord& c) { return step_count_of(c) >= kChaseSteps; }

void repair_chase(ChaseRecord& c) {
    const int count = step_count_of(c);
    c.step_count = static_cast<uint8_t>(count);
    for (int k = 0; k < kChaseSteps; ++k) {
        if (k >= count || !valid_scene(c.steps[k])) c.steps[k] = static_cast<int16_t>(kNone);
    }
    repair_name(c.name);
}

bool insert_chase_step(ChaseRecord& c, int at, int scene) {
    if (chase_is_full(c) || !valid_scene(scene)) return false;
    repair_chase(c);
    const int count = c.step_count;
    if (at < 0) at = 0;
    if (at > count) at = count;
    for (int k = count; k > at; --k) c.steps[k] = c.steps[k - 1];
    c.steps[at] = static_cast<int16_t>(scene);
    c.step_count = static_cast<uint8_t>(count + 1);
    return true;
}

bool remove_chase_step(ChaseRecord& c, int at) {
    if (at < 0 || at >= step_count_of(c)) return false;
    repair_chase(c);
    const int count = c.step_count;
    for (int k = at; k < count - 1; ++k) c.steps[k] = c.steps[k + 1];
    c.steps[count - 1] = static_cast<int16_t>(kNone);
    c.step_count = static_cast<uint8_t>(count - 1);
    return true;
}

void clear_chase_steps(ChaseRecord& c) {
    repair_chase(c);
    c.step_count = 0;
    for (int16_t& s : c.steps) s = static_cast<int16_t>(kNone);
}

void copy_chase(ChaseRecord& to, const ChaseRecord& from) {
    if (&to != &from) std::memcpy(&to, &from, sizeof to);
    repair_chase(to);
}

void set_chase_name(ChaseRecord& c, const std::string& cp932) {
    repair_chase(c);
    put_name(c.name, cp932.data(), cp932.size());
}

}  // namespace prismel
