#include "data/show_digest.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/temp_dir.h"

namespace prismel {
namespace {

// The definition a peer computes, from the seven files as they lie on disk.
uint64_t fnv1a(const std::vector<unsigned char>& bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

TEST(ShowDigest, IsTheDocumentedHashOfTheSevenFiles) {
    test::TempDir dir;
    auto show = std::make_unique<ShowData>();
    show->scenes[7].size[3] = 99;
    show->cues[2].scene = 7;
    ASSERT_EQ(write_all_tables(*show, dir.folder()), 0);
    std::vector<unsigned char> per_table;
    for (ShowTable t : kShowTables) {
        const uint64_t d = fnv1a(test::read_bytes(show_file_name(dir.folder(), t)));
        for (int k = 0; k < 8; ++k) per_table.push_back(static_cast<unsigned char>(d >> (8 * k)));
    }
    EXPECT_EQ(show_digest(*show), fnv1a(per_table));
}

// One byte of any table moves the digest; the cache takes it when the table
// was written or read, which is when the disk has it too.
TEST(ShowDigest, EveryTableCountsAndTheCacheFollowsTheFiles) {
    test::TempDir dir;
    auto show = std::make_unique<ShowData>();
    ShowDigestCache cache;
    EXPECT_TRUE(cache.refresh(*show));
    EXPECT_FALSE(cache.refresh(*show));
    for (ShowTable t : kShowTables) {
        const uint64_t before = show_digest(*show);
        auto* byte = const_cast<unsigned char*>(record_bytes(*show, t, record_count_of(t) - 1));
        byte[record_size_of(t) - 1] ^= 0x40;
        EXPECT_NE(show_digest(*show), before) << extension_of(t);
        EXPECT_FALSE(cache.refresh(*show)) << extension_of(t);
        ASSERT_EQ(write_table(*show, t, dir.folder()), 1);
        EXPECT_TRUE(cache.refresh(*show)) << extension_of(t);
        EXPECT_EQ(cache.value(), show_digest(*show)) << extension_of(t);
    }
}

}  // namespace
}  // namespace prismel
