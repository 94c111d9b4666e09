#include "screens/table_history.h"

#include <algorithm>
#include <cstring>

#include "engine/show_edit.h"

namespace prismel {
namespace {

// The records [first, last] in which the table differs from the image;
// first is -1 when it holds the image exactly.
struct Changed {
    int first = -1;
    int last = -1;
};

Changed changed_records(const ShowData& show, ShowTable t, const unsigned char* image) {
    const std::size_t rs = record_size_of(t);
    Changed c;
    for (int i = 0; i < record_count_of(t); ++i) {
        if (std::memcmp(record_bytes(show, t, i), image + rs * static_cast<std::size_t>(i), rs) == 0) continue;
        if (c.first < 0) c.first = i;
        c.last = i;
    }
    return c;
}

}  // namespace

void TableHistory::note(const ShowData& show) {
    if (!image_) image_ = std::make_unique<unsigned char[]>(file_size_of(table_));
    table_image_into(show, table_, image_.get());
    noted_ = true;
}

bool TableHistory::holds_its_records(const ShowData& show, const Step& s) const {
    const std::size_t rs = record_size_of(table_);
    for (int k = 0; k < s.count; ++k)
        if (std::memcmp(record_bytes(show, table_, s.first + k), s.bytes.data() + rs * static_cast<std::size_t>(k), rs) != 0)
            return false;
    return true;
}

uint64_t TableHistory::keep(const ShowData& show, const char* what, uint64_t order, uint64_t join) {
    if (!noted_) return 0;
    noted_ = false;
    const Changed c = changed_records(show, table_, image_.get());
    if (c.first < 0) return 0;
    if (join != 0 && done_ > 0 && undone_ == 0) {
        Step& top = at(done_ - 1);
        if (top.order == join && c.first >= top.first && c.last < top.first + top.count) {
            // The top step still holds its records from before the run began.
            if (!holds_its_records(show, top)) return join;
            --done_;
            return 0;
        }
    }
    undone_ = 0;
    if (done_ == kSteps) {
        oldest_ = (oldest_ + 1) % kSteps;
        --done_;
    }
    Step& s = at(done_++);
    const std::size_t rs = record_size_of(table_);
    s.first = c.first;
    s.count = c.last - c.first + 1;
    s.what = what;
    s.order = order;
    s.bytes.assign(image_.get() + rs * static_cast<std::size_t>(c.first),
                   image_.get() + rs * static_cast<std::size_t>(c.last + 1));
    return order;
}

void TableHistory::apply(ShowData& show, Step& s) {
    if (!image_) image_ = std::make_unique<unsigned char[]>(file_size_of(table_));
    noted_ = false;
    table_image_into(show, table_, image_.get());
    unsigned char* records = image_.get() + record_size_of(table_) * static_cast<std::size_t>(s.first);
    std::swap_ranges(s.bytes.begin(), s.bytes.end(), records);
    ShowEdit edit;
    put_table_image(show, table_, image_.get(), file_size_of(table_));
}

const TableHistory::Step* TableHistory::undo(ShowData& show) {
    if (done_ == 0) return nullptr;
    Step& s = at(--done_);
    ++undone_;
    apply(show, s);
    return &s;
}

const TableHistory::Step* TableHistory::redo(ShowData& show) {
    if (undone_ == 0) return nullptr;
    Step& s = at(done_++);
    --undone_;
    apply(show, s);
    return &s;
}

uint64_t TableHistory::undo_order() const { return done_ > 0 ? at(done_ - 1).order : 0; }

uint64_t TableHistory::redo_order() const { return undone_ > 0 ? at(done_).order : 0; }

void TableHistory::clear() {
    noted_ = false;
    oldest_ = done_ = undone_ = 0;
}

TableHistory& table_history(ShowTable t) {
    static TableHistory histories[kShowFiles] = {
        TableHistory(ShowTable::kColours), TableHistory(ShowTable::kScenes), TableHistory(ShowTable::kChases),
        TableHistory(ShowTable::kCues),    TableHistory(ShowTable::kPatch),  TableHistory(ShowTable::kFkeys),
        TableHistory(ShowTable::kGroups)};
    return histories[static_cast<int>(t)];
}

void clear_table_histories() {
    for (ShowTable t : kShowTables) table_history(t).clear();
}

}  // namespace prismel
