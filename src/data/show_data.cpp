#include "data/show_data.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/text_codec.h"

namespace prismel {

ShowData g_show;

template <typename Record, int N>
void RecordTable<Record, N>::allocate(const char* failure_format) {
    for (int i = 0; i < N; ++i) {
        records_[i].reset(new (std::nothrow) Record{});
        if (!records_[i]) {
            failed_ = true;
            std::snprintf(message_, sizeof message_, failure_format, i);
            break;
        }
        view_[i] = records_[i].get();
    }
    // Records that could not be allocated all share one spare, so a lookup
    // never follows a null pointer; the flag and message tell what happened.
    for (int i = 0; i < N; ++i) {
        if (!view_[i]) view_[i] = &spare_;
    }
}

template class RecordTable<SceneRecord, kScenes>;
template class RecordTable<ChaseRecord, kChases>;
template class RecordTable<CueRecord, kCues>;

// ---- colours -------------------------------------------------------------

namespace {

constexpr int kNameCompareBytes = 10;

bool is_blank(char ch) { return ch == ' ' || ch == '\t'; }

// Trims leading and trailing blanks of a text of at most `size` bytes (it
// need not be terminated when it fills the field); returns its new length.
int trim_in_place(char* text, int size) {
    int len = static_cast<int>(strnlen(text, static_cast<size_t>(size)));
    int start = 0;
    while (start < len && is_blank(text[start])) ++start;
    int end = len;
    while (end > start && is_blank(text[end - 1])) --end;
    int kept = end - start;
    if (start > 0) std::memmove(text, text + start, static_cast<size_t>(kept));
    if (kept < len) std::memset(text + kept, 0, static_cast<size_t>(len - kept));
    return kept;
}

char ascii_upper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

// Compares the first `limit` bytes of a (length a_len) and b (length b_len)
// as strncmp would, folding ASCII letters only: both bytes of a Shift-JIS
// double-byte character are compared exactly, so a trail byte in the
// letter range is never folded.
bool same_name(const char* a, int a_len, const char* b, int b_len, int limit) {
    int k = 0;
    while (k < limit) {
        char ca = k < a_len ? a[k] : '\0';
        char cb = k < b_len ? b[k] : '\0';
        if (is_sjis_lead(static_cast<unsigned char>(ca))) {
            if (ca != cb) return false;
            ++k;
            if (k >= limit) return true;
            char ta = k < a_len ? a[k] : '\0';
            char tb = k < b_len ? b[k] : '\0';
            if (ta != tb) return false;
            if (ta == '\0') return true;
            ++k;
            continue;
        }
        if (ascii_upper(ca) != ascii_upper(cb)) return false;
        if (ca == '\0') return true;
        ++k;
    }
    return true;
}

}  // namespace

ColourTable::ColourTable() { clear_all(); }

void ColourTable::clear_all() { std::memset(rec, 0, sizeof rec); }

void ColourTable::clear_presets() { std::memset(rec, 0, sizeof(ColourRecord) * kPresets); }

bool ColourTable::levels(int i, uint8_t& y, uint8_t& m, uint8_t& c) const {
    if (!valid_colour(i)) return false;
    y = rec[i].y;
    m = rec[i].m;
    c = rec[i].c;
    return true;
}

void ColourTable::name(int i, char* buf) const {
    buf[0] = '\0';
    if (!valid_colour(i)) return;
    size_t len = strnlen(rec[i].name, sizeof rec[i].name - 1);
    std::memcpy(buf, rec[i].name, len);
    buf[len] = '\0';
}

uint32_t ColourTable::display_colour(int i) const {
    if (!valid_colour(i)) return 0;
    uint32_t red = 255u - rec[i].c;
    uint32_t green = 255u - rec[i].m;
    uint32_t blue = 255u - rec[i].y;
    return blue << 16 | green << 8 | red;
}

int ColourTable::find_by_name(const char* query) {
    if (!query) return kNone;
    // The query is trimmed where it lies, by bounds, without copying it.
    while (is_blank(*query)) ++query;
    int q_len = static_cast<int>(std::strlen(query));
    while (q_len > 0 && is_blank(query[q_len - 1])) --q_len;
    for (int i = 0; i < kColours; ++i) {
        int n_len = trim_in_place(rec[i].name, static_cast<int>(sizeof rec[i].name));
        if (n_len == 0) continue;
        if (same_name(rec[i].name, n_len, query, q_len, kNameCompareBytes)) return i;
    }
    return kNone;
}

// ---- scenes --------------------------------------------------------------

SceneTable::SceneTable() {
    allocate("malloc error at scn_rec %d");
    reset();
}

void SceneTable::set_default(SceneRecord& r) {
    std::memset(r.name, 0, sizeof r.name);
    for (int f = 0; f < kFixtures; ++f) r.colour[f] = kNone;
    std::memset(r.size, 0, sizeof r.size);
}

void SceneTable::reset() {
    for (int i = 0; i < kSize; ++i) set_default((*this)[i]);
}

bool SceneTable::is_empty(int i) const {
    if (!valid_scene(i)) return false;
    const SceneRecord& r = (*this)[i];
    if (r.name[0] != '\0') return false;
    for (int f = 0; f < kFixtures; ++f) {
        if (r.colour[f] != kNone) return false;
    }
    return true;
}

// ---- chases --------------------------------------------------------------

ChaseTable::ChaseTable() {
    allocate("malloc error at chs_rec %d");
    reset();
}

void ChaseTable::set_default(ChaseRecord& r) {
    std::memset(r.name, 0, sizeof r.name);
    r.step_count = 0;
    for (int s = 0; s < kChaseSteps; ++s) r.steps[s] = kNone;
}

void ChaseTable::reset() {
    for (int i = 0; i < kSize; ++i) set_default((*this)[i]);
}

// ---- cues ----------------------------------------------------------------

CueTable::CueTable() {
    allocate("malloc error at cue_rec %d");
    reset();
}

void CueTable::set_default(CueRecord& r, int number) {
    r.number = static_cast<int16_t>(number);
    r.scene = kNone;
    r.scene_xtime = kDefaultDuration;
    r.chase = kNone;
    r.rate = kDefaultDuration;
    r.chase_xtime = kDefaultDuration;
    r.mode = 0;
    r.wait = 0;
}

void CueTable::reset() {
    for (int i = 0; i < kSize; ++i) set_default((*this)[i], (i + 1) * 10);
}

bool CueTable::is_used(int i) const {
    if (!valid_cue(i)) return false;
    const CueRecord& r = (*this)[i];
    return r.scene != kNone || r.chase != kNone;
}

int CueTable::next_used(int i) const {
    int from = i < -1 ? 0 : i + 1;
    for (int k = from; k < kSize; ++k) {
        if (is_used(k)) return k;
    }
    return kNone;
}

int CueTable::previous_used(int i) const {
    int from = i > kSize ? kSize - 1 : i - 1;
    for (int k = from; k >= 0; --k) {
        if (is_used(k)) return k;
    }
    return kNone;
}

int CueTable::last_used() const {
    for (int k = kSize - 1; k > 0; --k) {
        if (is_used(k)) return k;
    }
    return 0;
}

int CueTable::find_number(int number) const {
    for (int k = 0; k < kSize; ++k) {
        if ((*this)[k].number == number) return k;
    }
    return kNone;
}

int CueTable::insert(int index, int number) {
    if (!valid_cue(index)) return 0;
    if (last_used() == kSize - 1) return 0;
    for (int k = kSize - 2; k >= index; --k) (*this)[k + 1] = (*this)[k];
    set_default((*this)[index], number);
    return 1;
}

int CueTable::insert_number(int number) {
    if (last_used() == kSize - 1) return 0;
    for (int i = 1; i < kSize - 1; ++i) {
        if ((*this)[i - 1].number < number && number < (*this)[i].number) return insert(i, number);
    }
    return 0;
}

void CueTable::remove(int index) {
    if (!valid_cue(index)) return;
    for (int k = index; k < kSize - 1; ++k) (*this)[k] = (*this)[k + 1];
    CueRecord& last = (*this)[kSize - 1];
    int number = (*this)[kSize - 2].number / 10 * 10 + 10;
    // A corrupted number near the top of the 16-bit range must not wrap
    // round to a negative one.
    last.number = static_cast<int16_t>(number > INT16_MAX ? INT16_MAX : number);
    last.scene = kNone;
    last.chase = kNone;
}

// ---- whole show ----------------------------------------------------------

ShowData::ShowData() {
    reset_patch();
    reset_fkeys();
    reset_groups();
}

void ShowData::reset_patch() {
    for (PatchRecord& p : patch) {
        p.layout = 1;
        p.start = kNone;
    }
}

void ShowData::reset_fkeys() {
    for (FkeyRecord& f : fkeys) {
        std::memset(f.label, 0, sizeof f.label);
        f.type = kFkeyNone;
        f.target = kNone;
        f.xtime = kDefaultDuration;
        f.rate = kDefaultDuration;
    }
}

void ShowData::reset_groups() { std::memset(groups, 0, sizeof groups); }

}  // namespace prismel
