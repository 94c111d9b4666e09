#pragma once
// A line of fixed-width fields put together without the printf machinery and
// written with one write (so it invalidates as one formatted write would):
// the screens rewrite hundreds of fields on every 50 ms tick, and formatting
// them was most of a steady tick's cost. Text longer than the buffer is cut
// off, as the screen's formatted write cuts at its buffer.
#include "chwin/chw_screen.h"

namespace prismel {

class ChwField {
public:
    static constexpr int kCapacity = 256;

    ChwField& text(const char* s);               // as "%s"
    ChwField& left(const char* s, int width);    // as "%-*s"
    ChwField& right(const char* s, int width);   // as "%*s"
    ChwField& number(int value, int width);      // as "%*d"
    ChwField& blanks(int n);

    const char* data() const { return buf_; }
    int size() const { return n_; }
    void write_to(ChwScreen& s) const { s.write(buf_, n_); }

private:
    void put(char c) {
        if (n_ < kCapacity) buf_[n_++] = c;
    }

    char buf_[kCapacity];
    int n_ = 0;
};

}  // namespace prismel
