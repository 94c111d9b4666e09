#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "chwin/chw_field.h"

namespace prismel {
namespace {

std::string of(const ChwField& f) { return std::string(f.data(), f.size()); }

template <typename... Args>
std::string printf_of(const char* format, Args... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

TEST(ChwField, FieldsReadAsThePrintfFormatsTheyReplace) {
    for (int v : {0, 7, -7, 42, 999, 1000, 123456, -99, INT_MAX, INT_MIN}) {
        for (int width : {0, 1, 2, 3, 4, 12}) {
            ChwField f;
            f.number(v, width);
            EXPECT_EQ(of(f), printf_of("%*d", width, v)) << v << " " << width;
        }
    }
    for (const char* s : {"", "A", "SCENE NUMBER 001", "NAME LONGER THAN TWENTY BYTES", "\x95\x5C\x83\x5C"}) {
        ChwField f;
        f.text(" ").left(s, 20).text("|").right(s, 4);
        EXPECT_EQ(of(f), printf_of(" %-20s|%4s", s, s));
    }
    ChwField none;
    none.text(nullptr).left(nullptr, 3).right(nullptr, 2);
    EXPECT_EQ(of(none), "     ");
}

TEST(ChwField, ALineLongerThanTheBufferIsCutAtIt) {
    ChwField f;
    for (int i = 0; i < 40; ++i) f.left("0123456789", 10);
    EXPECT_EQ(f.size(), ChwField::kCapacity);
    f.number(5, 3).right("x", 4).blanks(10);
    EXPECT_EQ(f.size(), ChwField::kCapacity);
}

TEST(ChwField, WrittenAsOneWrite) {
    ChwScreen s;
    s.move_cursor(4, 3);
    ChwField f;
    f.text(" ").number(12, 3).text(" ");
    f.write_to(s);
    EXPECT_EQ(s.cursor_column(), 9);
    EXPECT_EQ(s.cell(6, 3).ch, '1');
    EXPECT_EQ(s.cell(7, 3).ch, '2');
}

}  // namespace
}  // namespace prismel
