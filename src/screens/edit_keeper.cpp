#include "screens/edit_keeper.h"

#include <memory>

#include "data/show_data.h"
#include "data/show_files.h"
#include "screens/edited_tables.h"
#include "screens/table_write.h"

namespace prismel {
namespace {

struct KeptTable {
    bool open = false;     // an open window edits it; the image is its last known state
    bool pending = false;  // it differs from the image: written at `due`
    EditClock::time_point due{};
    std::unique_ptr<unsigned char[]> image;  // file_size_of(t) bytes, made once
};

struct EditKeeperState {
    KeptTable tables[kShowFiles];
};

EditKeeperState g;

uint8_t tables_edited_on(const ChwScreen& screen) {
    uint8_t open = 0;
    for (const ChwWindow* w = screen.top_window(); w; w = w->parent) open |= edited_tables_of(w);
    return open;
}

void keep_image(KeptTable& k, ShowTable t) {
    if (!k.image) k.image = std::make_unique<unsigned char[]>(file_size_of(t));
    table_image_into(g_show, t, k.image.get());
    k.pending = false;
}

// 1 when the table was written.
int keep(KeptTable& k, ShowTable t, EditClock::time_point now) {
    if (!k.open) {
        k.open = true;
        keep_image(k, t);
        return 0;
    }
    if (!k.pending) {
        if (!table_matches_image(g_show, t, k.image.get())) {
            k.pending = true;
            k.due = now + kWriteDelay;
        }
        return 0;
    }
    if (now < k.due) return 0;
    // A write that fails says so on the message line; the next change tries
    // again, and the close writes as always.
    const int written = write_show_table(t);
    keep_image(k, t);
    return written;
}

}  // namespace

int keep_open_edits(const ChwScreen& screen, EditClock::time_point now) {
    const uint8_t open = tables_edited_on(screen);
    int written = 0;
    for (ShowTable t : kShowTables) {
        KeptTable& k = g.tables[static_cast<int>(t)];
        if (!edits_table(open, t)) {
            k.open = k.pending = false;
            continue;
        }
        written += keep(k, t, now);
    }
    return written;
}

void reset_kept_edits() {
    for (KeptTable& k : g.tables) k.open = k.pending = false;
}

}  // namespace prismel
