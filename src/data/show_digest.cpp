#include "data/show_digest.h"

namespace prismel {
namespace {

constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;

uint64_t fnv1a(uint64_t h, const unsigned char* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) h = (h ^ bytes[i]) * kFnvPrime;
    return h;
}

}  // namespace

uint64_t table_digest(const ShowData& show, ShowTable t) {
    uint64_t h = kFnvOffset;
    const std::size_t size = record_size_of(t);
    for (int i = 0; i < record_count_of(t); ++i) h = fnv1a(h, record_bytes(show, t, i), size);
    return h;
}

uint64_t image_digest(const unsigned char* image, std::size_t size) { return fnv1a(kFnvOffset, image, size); }

uint64_t combine_table_digests(const uint64_t (&tables)[kShowFiles]) {
    uint64_t h = kFnvOffset;
    for (uint64_t d : tables) {
        unsigned char le[8];
        for (int k = 0; k < 8; ++k) le[k] = static_cast<unsigned char>(d >> (8 * k));
        h = fnv1a(h, le, sizeof le);
    }
    return h;
}

uint64_t show_digest(const ShowData& show) {
    uint64_t tables[kShowFiles];
    for (int i = 0; i < kShowFiles; ++i) tables[i] = table_digest(show, kShowTables[i]);
    return combine_table_digests(tables);
}

bool ShowDigestCache::refresh(const ShowData& show) {
    bool moved = false;
    for (int i = 0; i < kShowFiles; ++i) {
        const unsigned generation = table_generation(kShowTables[i]);
        if (filled_ && generation == seen_[i]) continue;
        seen_[i] = generation;
        tables_[i] = table_digest(show, kShowTables[i]);
        moved = true;
    }
    filled_ = true;
    if (!moved) return false;
    const uint64_t before = value_;
    value_ = combine_table_digests(tables_);
    return value_ != before;
}

}  // namespace prismel
