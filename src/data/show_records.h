#pragma once
// The show's records. Their byte layouts are also the file formats: every
// width, offset and signedness here is what lies on disk, least significant
// byte first.
#include <bit>
#include <cstddef>
#include <cstdint>

namespace prismel {

static_assert(std::endian::native == std::endian::little,
              "records are stored as raw little-endian images");

constexpr int kNone = -1;  // every reference field: no colour, scene, chase, cue, channel

constexpr int kColours = 500;
constexpr int kPresets = 400;  // 0-399 presets, 400-499 user colours
constexpr int kScenes = 200;
constexpr int kChases = 50;
constexpr int kCues = 1000;
constexpr int kFixtures = 64;
constexpr int kFkeys = 10;
constexpr int kGroups = 10;
constexpr int kChaseSteps = 48;
constexpr int kDmxSlots = 512;

constexpr int kDefaultDuration = 20;  // stored durations: typed seconds x 20

#pragma pack(push, 1)

struct ColourRecord {
    char name[6];  // NUL-terminated, at most 5 bytes of text
    uint8_t y;
    uint8_t m;
    uint8_t c;
};

struct SceneRecord {
    char name[21];
    int16_t colour[kFixtures];  // colour index 0-499 or kNone
    uint8_t size[kFixtures];    // 0-255 (percent x 255 / 100)
};

struct ChaseRecord {
    char name[21];
    uint8_t step_count;          // 0-48; 0 = empty chase
    int16_t steps[kChaseSteps];  // scene index or kNone
};

struct CueRecord {
    int16_t number;  // in tenths: 10 is cue 1., 15 is cue 1.5
    int16_t scene;
    int16_t scene_xtime;
    int16_t chase;
    int16_t rate;
    int16_t chase_xtime;
    int16_t mode;  // 0 loop, 1 one pass
    int16_t wait;  // 0 or less: wait for GO
};

struct PatchRecord {
    int16_t layout;  // 1-4
    int16_t start;   // first slot 0-511 or kNone
};

struct FkeyRecord {
    char label[8];
    int16_t type;    // -1 none, 0 cue, 1 scene, 2 chase, 3 standby
    int16_t target;  // cue, scene or chase index; kNone
    int16_t xtime;
    int16_t rate;
};

struct GroupRecord {
    uint8_t member[kFixtures];  // 1 = member
};

#pragma pack(pop)

static_assert(sizeof(ColourRecord) == 9);
static_assert(sizeof(SceneRecord) == 213);
static_assert(offsetof(SceneRecord, colour) == 21 && offsetof(SceneRecord, size) == 149);
static_assert(sizeof(ChaseRecord) == 118);
static_assert(offsetof(ChaseRecord, steps) == 22);
static_assert(sizeof(CueRecord) == 16);
static_assert(sizeof(PatchRecord) == 4);
static_assert(sizeof(FkeyRecord) == 16);
static_assert(sizeof(GroupRecord) == 64);

enum FkeyType : int16_t { kFkeyNone = -1, kFkeyCue = 0, kFkeyScene = 1, kFkeyChase = 2, kFkeyStandby = 3 };

}  // namespace prismel
