#include "screens/editcue_rules.h"

#include <array>
#include <cstdint>

namespace prismel {

namespace {

constexpr int kLast = kCues - 1;

bool is_point(int number) { return number % 10 != 0; }

int find(const CueTable& t, int number) { return number < 0 ? kNone : t.find_number(number); }

int16_t time_repaired(int16_t v) { return v < 0 ? 0 : v; }

CopyOutcome stopped(CopyOutcome out, CopyStop why) {
    out.stop = why;
    return out;
}

void copy_playing_fields(const CueRecord& from, CueRecord& to) {
    const CueRecord c = repaired_cue(from);
    to.scene = c.scene;
    to.scene_xtime = c.scene_xtime;
    to.chase = c.chase;
    to.rate = c.rate;
    to.chase_xtime = c.chase_xtime;
    to.mode = c.mode;
    to.wait = c.wait;
}

}  // namespace

bool point_insert_possible(const CueTable& t, int a) { return a > 0 && a < kCues && !t.is_used(kLast); }

PointInsert insert_point_cue(CueTable& t, int a, int tenths) {
    if (!point_insert_possible(t, a)) return PointInsert::kNoRoom;
    if (tenths < 0 || tenths <= t[a - 1].number || tenths >= t[a].number) return PointInsert::kOutOfRange;
    return t.insert(a, tenths) ? PointInsert::kInserted : PointInsert::kNoRoom;
}

bool delete_point_cue(CueTable& t, int a) {
    if (!valid_cue(a) || !is_point(t[a].number)) return false;
    t.remove(a);
    return true;
}

CopyStop check_copy_first(const CueTable& t, int first) {
    return find(t, first) == kNone ? CopyStop::kNotFound : CopyStop::kNone;
}

CopyStop check_copy_last(const CueTable& t, int first, int last) {
    if (CopyStop s = check_copy_first(t, first); s != CopyStop::kNone) return s;
    if (find(t, last) == kNone) return CopyStop::kNotFound;
    return last < first ? CopyStop::kInvalid : CopyStop::kNone;
}

CopyStop check_copy_destination(const CueTable& t, int first, int last, int destination) {
    if (CopyStop s = check_copy_last(t, first, last); s != CopyStop::kNone) return s;
    if (find(t, destination) == kNone) return CopyStop::kNotFound;
    return destination <= last ? CopyStop::kInvalid : CopyStop::kNone;
}

CueRecord repaired_cue(const CueRecord& r) {
    CueRecord c = r;
    if (!valid_scene(c.scene)) c.scene = kNone;
    if (!valid_chase(c.chase)) c.chase = kNone;
    if (c.mode != 0 && c.mode != 1) c.mode = 0;
    c.scene_xtime = time_repaired(c.scene_xtime);
    c.rate = time_repaired(c.rate);
    c.chase_xtime = time_repaired(c.chase_xtime);
    c.wait = time_repaired(c.wait);
    return c;
}

CopyOutcome copy_cue_range(CueTable& t, int first, int last, int destination) {
    CopyOutcome out;
    out.stop = check_copy_destination(t, first, last, destination);
    if (out.stop != CopyStop::kNone) return out;
    // The sources as they stand now: inserting a target shifts the records
    // after it, and a target may lie inside the range. Kept on the stack:
    // the copy runs while the step waits, and nothing is allocated then.
    const int from = t.find_number(first), to = t.find_number(last);
    std::array<CueRecord, kCues> sources;
    int n = 0;
    for (int k = from; k <= to; ++k) sources[n++] = t[k];
    const int offset = (destination / 10 - first / 10) * 10;
    for (int k = 0; k < n; ++k) {
        const CueRecord& source = sources[k];
        // The field holds up to cue 3276.7; a target past it must not wrap
        // round to a negative number and break the list's order.
        const int target = source.number + offset;
        if (target < INT16_MIN || target > INT16_MAX) return stopped(out, CopyStop::kNoRoom);
        int at = t.find_number(target);
        if (at == kNone && t.insert_number(target)) at = t.find_number(target);
        if (at == kNone) return stopped(out, CopyStop::kNoRoom);
        if (t.is_used(at)) return stopped(out, CopyStop::kTargetUsed);
        copy_playing_fields(source, t[at]);
        ++out.copied;
    }
    return out;
}

}  // namespace prismel
