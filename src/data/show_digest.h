#pragma once
// A 64-bit digest of the whole show, for telling one show from another: a
// playback record kept across a restart belongs only to the show it was
// taken from, and two consoles compare their shows by it.
//
// Definition (stable; other programs may compute it): for each of the seven
// tables in the fixed order COL, SCN, CHS, CUE, LPT, FKY, GRP, the 64-bit
// FNV-1a hash of the table's file image (show_files.h); the show's digest is
// the 64-bit FNV-1a hash of those seven values, each as eight bytes, least
// significant first. FNV-1a 64: h = 0xcbf29ce484222325; for each byte b,
// h = (h ^ b) * 0x100000001b3 (mod 2^64).
#include <cstdint>

#include "data/show_data.h"
#include "data/show_files.h"

namespace prismel {

uint64_t table_digest(const ShowData& show, ShowTable t);
// The same of a table's file image held apart from a show.
uint64_t image_digest(const unsigned char* image, std::size_t size);
uint64_t combine_table_digests(const uint64_t (&tables)[kShowFiles]);
// Neither allocates.
uint64_t show_digest(const ShowData& show);

// The show's digest kept up to date by hashing again only the tables that
// were read, written or put back since (table_generation).
class ShowDigestCache {
public:
    // Hashes the tables that moved; true when the digest is new.
    bool refresh(const ShowData& show);
    uint64_t value() const { return value_; }

private:
    uint64_t tables_[kShowFiles] = {};
    unsigned seen_[kShowFiles] = {};
    bool filled_ = false;
    uint64_t value_ = 0;
};

}  // namespace prismel
