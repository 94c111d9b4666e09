#pragma once
// The one in-memory show and the lookups and edits that the engine and the
// screens share. Tables are edited on the main thread and read by the engine
// on the output thread.
#include <array>
#include <memory>

#include "data/show_records.h"

namespace prismel {

// Values read from files are untrusted: every use of a reference goes
// through these, so a corrupted file can never index outside a table.
constexpr bool valid_colour(int i) { return i >= 0 && i < kColours; }
constexpr bool valid_scene(int i) { return i >= 0 && i < kScenes; }
constexpr bool valid_chase(int i) { return i >= 0 && i < kChases; }
constexpr bool valid_cue(int i) { return i >= 0 && i < kCues; }
constexpr bool valid_fixture(int i) { return i >= 0 && i < kFixtures; }
// A chase's step count limited to the steps a record holds.
inline int step_count_of(const ChaseRecord& c) { return c.step_count > kChaseSteps ? kChaseSteps : c.step_count; }

// A table whose records are allocated one by one, once, and never moved;
// editing operations move record contents between them.
template <typename Record, int N>
class RecordTable {
public:
    static constexpr int kSize = N;
    RecordTable() = default;
    RecordTable(const RecordTable&) = delete;  // view_ points into this object
    RecordTable& operator=(const RecordTable&) = delete;
    // i must be a valid index (see valid_*).
    Record& operator[](int i) { return *view_[i]; }
    const Record& operator[](int i) const { return *view_[i]; }
    bool failed() const { return failed_; }
    const char* message() const { return message_; }

protected:
    // Allocates every record; on a failed allocation sets the failure flag and
    // the message (format with one %d) and stops.
    void allocate(const char* failure_format);
    std::array<std::unique_ptr<Record>, N> records_{};
    std::array<Record*, N> view_{};  // records_, or spare_ where an allocation failed
    Record spare_{};
    bool failed_ = false;
    char message_[84] = {};
};

class ColourTable {
public:
    ColourTable();
    ColourRecord rec[kColours];
    char message[129] = {};  // the preset reader's error text; empty after success

    void clear_all();
    void clear_presets();
    // Levels of colour i: false for kNone or any index outside 0-499.
    bool levels(int i, uint8_t& y, uint8_t& m, uint8_t& c) const;
    // Copies the name into buf (at least 6 bytes); empty for an index outside the table.
    void name(int i, char* buf) const;
    // Display colour: red = 255-C, green = 255-M, blue = 255-Y, packed
    // blue<<16 | green<<8 | red; 0 for an index outside the table.
    uint32_t display_colour(int i) const;
    // Trims query and stored names (in place) and compares their first 10
    // characters, ASCII letters case-blind; the first match wins, or kNone.
    int find_by_name(const char* query);
};

class SceneTable : public RecordTable<SceneRecord, kScenes> {
public:
    SceneTable();
    static void set_default(SceneRecord& r);
    void reset();
    bool is_empty(int i) const;  // name empty and no colour; false outside 0-199
};

class ChaseTable : public RecordTable<ChaseRecord, kChases> {
public:
    ChaseTable();
    static void set_default(ChaseRecord& r);
    void reset();
};

class CueTable : public RecordTable<CueRecord, kCues> {
public:
    CueTable();
    static void set_default(CueRecord& r, int number);
    void reset();  // cue i gets number (i + 1) * 10
    bool is_used(int i) const;
    int next_used(int i) const;
    int previous_used(int i) const;
    int last_used() const;  // 0 when none is used
    int find_number(int number) const;
    int insert(int index, int number);  // 1, or 0 when the last used cue is at 999
    int insert_number(int number);
    void remove(int index);
};

struct ShowData {
    ColourTable colours;
    SceneTable scenes;
    ChaseTable chases;
    CueTable cues;
    PatchRecord patch[kFixtures];
    FkeyRecord fkeys[kFkeys];
    GroupRecord groups[kGroups];

    ShowData();
    void reset_patch();
    void reset_fkeys();
    void reset_groups();
};

// The single show of the program.
extern ShowData g_show;

}  // namespace prismel
