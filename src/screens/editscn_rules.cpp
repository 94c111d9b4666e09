#include "screens/editscn_rules.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr int kNameBytes = sizeof(SceneRecord::name) - 1;  // the last byte is the terminator's

void set_fixtures(SceneRecord& scene, const FixtureSet& fixtures, std::optional<int> colour,
                  std::optional<uint8_t> size) {
    for (int f = 0; f < kFixtures; ++f) {
        if (!fixtures[f]) continue;
        if (colour) scene.colour[f] = static_cast<int16_t>(shown_colour(*colour));
        if (size) scene.size[f] = *size;
    }
    repair_scene(scene);
}

}  // namespace

bool any_marked(const Marks& marks) {
    return std::any_of(marks.begin(), marks.end(), [](uint8_t m) { return m != 0; });
}

FixtureSet touched_fixtures(const Marks& marks, int cursor) {
    FixtureSet set;
    if (any_marked(marks)) {
        for (int f = 0; f < kFixtures; ++f) set[f] = marks[f] != 0;
    } else if (valid_fixture(cursor)) {
        set[cursor] = true;
    }
    return set;
}

void toggle_all_marks(Marks& marks) { marks.fill(any_marked(marks) ? 0 : 1); }

void marks_from_group(Marks& marks, const GroupRecord& group) {
    for (int f = 0; f < kFixtures; ++f) marks[f] = group.member[f] != 0;
}

void group_from_marks(GroupRecord& group, const Marks& marks) {
    for (int f = 0; f < kFixtures; ++f) group.member[f] = marks[f] != 0;
}

uint8_t size_of_percent(int percent) {
    const int p = std::clamp(percent, 0, 100);
    return static_cast<uint8_t>(p * 255 / 100);
}

int percent_of_size(uint8_t size) {
    // s x 100 / 255 never lies exactly halfway between two integers.
    return (size * 100 + 127) / 255;
}

SizeText size_text(uint8_t size) {
    SizeText t;
    const int p = percent_of_size(size);
    if (p == 0)
        std::memcpy(t.text, " .. ", 5);
    else if (p >= 100)
        std::memcpy(t.text, " FF ", 5);
    else {
        const char digits[5] = {' ', static_cast<char>('0' + p / 10), static_cast<char>('0' + p % 10), ' ', '\0'};
        std::memcpy(t.text, digits, 5);
    }
    return t;
}

void assign_colour(SceneRecord& scene, const FixtureSet& fixtures, int colour) {
    set_fixtures(scene, fixtures, colour, std::nullopt);
}

void assign_size(SceneRecord& scene, const FixtureSet& fixtures, uint8_t size) {
    set_fixtures(scene, fixtures, std::nullopt, size);
}

void clear_fixtures(SceneRecord& scene, const FixtureSet& fixtures) {
    set_fixtures(scene, fixtures, kNone, uint8_t{0});
}

void set_scene_name(SceneRecord& scene, const char* name) {
    put_name(scene.name, name, name ? strnlen(name, kNameBytes) : 0);
}

void repair_scene(SceneRecord& scene) {
    repair_name(scene.name);
    // Packed record: fields by index, never by reference.
    for (int f = 0; f < kFixtures; ++f) scene.colour[f] = static_cast<int16_t>(shown_colour(scene.colour[f]));
}

void copy_scene(const SceneRecord& from, SceneRecord& to) {
    if (&from != &to) to = from;
    repair_scene(to);
}

bool overwrite_needs_asking(const SceneTable& scenes, int target) {
    return valid_scene(target) && !scenes.is_empty(target);
}

void mark_range(Marks& marks, int cursor, int clicked) {
    if (!valid_fixture(clicked)) return;
    int anchor = valid_fixture(cursor) ? cursor : clicked;
    for (int f = 0; f < kFixtures; ++f) {
        if (marks[f]) {
            anchor = f;
            break;
        }
    }
    const int from = std::min(anchor, clicked), to = std::max(anchor, clicked);
    for (int f = from; f <= to; ++f) marks[f] = 1;
}

int fixture_at_cell(int left, int top, int column, int row) {
    const int dc = column - (left + kGridLeft);
    const int dr = row - (top + kGridTop);
    if (dc < 0 || dr < 0) return kNone;
    const int cx = dc / kCellColumns, cy = dr / kCellRows;
    if (cx >= kGridColumns || cy >= kFixtures / kGridColumns) return kNone;
    if (dc % kCellColumns == kCellColumns - 1) return kNone;
    return cy * kGridColumns + cx;
}

ChwRect fixture_pixel_rect(int left, int top, int fs, int fixture) {
    const int column = left + (fixture % kGridColumns) * kCellColumns + kGridLeft;
    const int row = top + (fixture / kGridColumns) * kCellRows + kGridTop;
    ChwRect r;
    r.left = column * fs / 2;
    r.top = row * (fs + 4);
    r.right = r.left + kCellTextColumns * fs / 2;
    r.bottom = r.top + kCellRows * (fs + 4);
    return r;
}

bool frame_select(Marks& marks, const ChwRect& rect, bool ctrl, int left, int top, int fs) {
    if (rect.empty()) {
        for (int f = 0; f < kFixtures; ++f)
            if (fixture_pixel_rect(left, top, fs, f).contains(rect.left, rect.top)) return false;
    }
    for (int f = 0; f < kFixtures; ++f) {
        const ChwRect c = fixture_pixel_rect(left, top, fs, f);
        const bool inside = c.left >= rect.left && c.top >= rect.top && c.right <= rect.right && c.bottom <= rect.bottom;
        if (!ctrl) marks[f] = 0;
        if (inside) marks[f] = 1;
    }
    return true;
}

}  // namespace prismel
