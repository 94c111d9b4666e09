#include "screens/editfky_rules.h"

#include <cstdio>
#include <cstring>

#include "data/cue_number.h"
#include "engine/duration.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

void set_label(FkeyRecord& r, const char* text) {
    // The whole field is written, so a label that filled it without a
    // terminator leaves nothing behind.
    std::memset(r.label, 0, sizeof r.label);
    std::snprintf(r.label, sizeof r.label, "%s", text);
}

// Every label fits the field for the numbers the editor gives it; a longer
// text is cut rather than run past the field.
FkeyLabel label_of(const char* text) {
    FkeyLabel l{};
    std::memcpy(l.text, text, strnlen(text, sizeof l.text - 1));
    return l;
}

}  // namespace

FkeyType fkey_type_of(const FkeyRecord& r) {
    switch (r.type) {
    case kFkeyCue:
    case kFkeyScene:
    case kFkeyChase:
    case kFkeyStandby: return static_cast<FkeyType>(r.type);
    default: return kFkeyNone;
    }
}

int fkey_target_of(const FkeyRecord& r) {
    const int t = r.target;
    switch (fkey_type_of(r)) {
    case kFkeyCue: return valid_cue(t) ? t : kNone;
    case kFkeyScene: return valid_scene(t) ? t : kNone;
    case kFkeyChase: return valid_chase(t) ? t : kNone;
    default: return kNone;
    }
}

int fkey_column_limit(const FkeyRecord& r) {
    const bool chosen = fkey_target_of(r) != kNone;
    switch (fkey_type_of(r)) {
    case kFkeyCue: return kFkeyColumnTarget;
    case kFkeyScene: return chosen ? kFkeyColumnTime : kFkeyColumnTarget;
    case kFkeyChase: return chosen ? kFkeyColumnCross : kFkeyColumnTarget;
    default: return kFkeyColumnType;
    }
}

int fkey_limited_column(const FkeyRecord& r, int column) {
    return column > fkey_column_limit(r) || column < 0 ? kFkeyColumnType : column;
}

int fkey_clamped_click(const FkeyRecord& r, int column) {
    int most = kFkeyColumnCross;
    switch (fkey_type_of(r)) {
    case kFkeyCue: most = kFkeyColumnTarget; break;
    case kFkeyScene: most = fkey_target_of(r) != kNone ? kFkeyColumnCross : kFkeyColumnTarget; break;
    case kFkeyChase: break;
    default: most = kFkeyColumnType; break;
    }
    if (column < 0) return kFkeyColumnType;
    return column > most ? most : column;
}

int fkey_click_column(const FkeyRecord& r, int x, int current) {
    if (x >= 0 && x <= 13) return kFkeyColumnType;
    if (x >= 16 && x <= 20) return kFkeyColumnTarget;
    if (x >= 44 && x <= 47) return kFkeyColumnTime;
    if (x >= 49 && x <= 52) return fkey_type_of(r) == kFkeyScene ? kFkeyColumnTime : kFkeyColumnCross;
    return current;
}

void fkey_choose_type(FkeyRecord& r, FkeyType type) {
    r.type = type;
    // A standby has no target either: a stale one would only wait in the
    // file for the next type.
    r.target = kNone;
    // Times the editor could not have set (a damaged file) are brought into
    // its range, so a nudge never starts from outside it.
    r.xtime = static_cast<int16_t>(fkey_duration_in_range(r.xtime));
    r.rate = static_cast<int16_t>(fkey_duration_in_range(r.rate));
    if (type == kFkeyChase) {
        r.xtime = kDefaultDuration;
        r.rate = kDefaultDuration;
    }
    set_label(r, type == kFkeyStandby ? fkey_standby_label() : "");
}

void fkey_clear(FkeyRecord& r) {
    r.type = kFkeyNone;
    r.target = kNone;
    r.xtime = kDefaultDuration;
    r.rate = kDefaultDuration;
    set_label(r, "");
}

void fkey_set_cue(FkeyRecord& r, int cue, int number) {
    r.target = static_cast<int16_t>(cue);
    set_label(r, fkey_cue_label(number).text);
}

void fkey_set_scene(FkeyRecord& r, int scene) {
    r.target = static_cast<int16_t>(scene);
    set_label(r, fkey_scene_label(scene).text);
}

void fkey_set_chase(FkeyRecord& r, int chase) {
    r.target = static_cast<int16_t>(chase);
    set_label(r, fkey_chase_label(chase).text);
}

FkeyLabel fkey_cue_label(int number) { return label_of(cue_number_text(number, CueNumberStyle::kLabel).text); }

FkeyLabel fkey_scene_label(int scene) {
    char text[24];
    std::snprintf(text, sizeof text, "SCN%3d", scene + 1);
    return label_of(text);
}

FkeyLabel fkey_chase_label(int chase) {
    char text[24];
    std::snprintf(text, sizeof text, "CHS%3d", chase + 1);
    return label_of(text);
}

const char* fkey_standby_label() {
    static const char* text = sj("ｽﾀﾝﾊﾞｲ");
    return text;
}

int fkey_cue_of_typed(const CueTable& cues, double typed) {
    const int tenths = cue_tenths_of(typed);
    return tenths < 0 ? kNone : cues.find_number(tenths);
}

TypedRef check_typed_scene(int typed) {
    return typed >= 1 && typed <= kScenes ? TypedRef::kTaken : TypedRef::kOutOfRange;
}

TypedRef check_typed_chase(const ChaseTable& chases, int typed) {
    if (typed < 1 || typed > kChases) return TypedRef::kOutOfRange;
    return chases[typed - 1].step_count == 0 ? TypedRef::kEmptyChase : TypedRef::kTaken;
}

int fkey_duration_in_range(int stored) {
    return stored < 0 ? 0 : stored > kNudgeMax ? kNudgeMax : stored;
}

}  // namespace prismel
