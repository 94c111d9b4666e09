#pragma once
// What the operator's actions changed in one show table, to be taken back
// (undo) and done again (redo). Before an action the table is noted as its
// file's bytes; after it the records that differ, first to last, become one
// step holding their bytes from before. Taking a step back swaps those
// records with the step's bytes, so the step then holds the bytes to redo
// with, and the other way round. A step touches only its own records: a
// change of others meanwhile (the preset colours read again) stays.
//
// Window thread only. The buffers are made on first use and kept: a note, a
// compare that finds nothing and an undo allocate nothing; a step larger
// than any before it in its slot grows that slot once.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "data/show_data.h"
#include "data/show_files.h"

namespace prismel {

class TableHistory {
public:
    // At least this many steps are kept; the oldest goes first.
    static constexpr int kSteps = 100;

    struct Step {
        int first = 0;  // the first record it changed
        int count = 0;  // records from first on
        const char* what = nullptr;  // the action, in the key map's words (UTF-8); none for a click
        uint64_t order = 0;          // when it was done: one action across tables shares it
        std::vector<unsigned char> bytes;  // the records' other version
    };

    explicit TableHistory(ShowTable t) : table_(t) {}
    TableHistory(const TableHistory&) = delete;
    TableHistory& operator=(const TableHistory&) = delete;

    ShowTable table() const { return table_; }

    // Before an action: the table as it is now.
    void note(const ShowData& show);
    // After it: the records that differ from the note become a step with
    // this order, and the steps to redo are dropped. With `join` equal to the
    // top step's order (a run of nudges of one value) and the change within
    // the top step's records, the top step covers it instead (and goes when
    // the run has brought its records back). Returns the order of the step
    // that holds the change, or 0 when nothing changed.
    uint64_t keep(const ShowData& show, const char* what, uint64_t order, uint64_t join = 0);

    // The last step taken back, or the last one taken back done again, under
    // the engine's edit guard: the step, or nullptr when there is none.
    const Step* undo(ShowData& show);
    const Step* redo(ShowData& show);

    // The order of the step undo or redo would take; 0 when there is none.
    uint64_t undo_order() const;
    uint64_t redo_order() const;
    int undo_steps() const { return done_; }
    int redo_steps() const { return undone_; }

    void drop_redo() { undone_ = 0; }
    void clear();

private:
    Step& at(int k) { return steps_[static_cast<std::size_t>((oldest_ + k) % kSteps)]; }
    const Step& at(int k) const { return steps_[static_cast<std::size_t>((oldest_ + k) % kSteps)]; }
    bool holds_its_records(const ShowData& show, const Step& s) const;
    void apply(ShowData& show, Step& s);

    ShowTable table_;
    std::unique_ptr<unsigned char[]> image_;  // file_size_of(table_) bytes
    bool noted_ = false;
    std::array<Step, kSteps> steps_;
    int oldest_ = 0;
    int done_ = 0;    // steps from the oldest that can be taken back
    int undone_ = 0;  // steps after them that can be done again
};

// The history of each show table while the console runs.
TableHistory& table_history(ShowTable t);
// Every table's history forgotten: the show was replaced.
void clear_table_histories();

}  // namespace prismel
