#include "chwin/chw_field.h"

#include "data/decimal_text.h"

namespace prismel {

ChwField& ChwField::text(const char* s) {
    if (s)
        while (*s) put(*s++);
    return *this;
}

ChwField& ChwField::left(const char* s, int width) {
    const int start = n_;
    text(s);
    return blanks(width - (n_ - start));
}

ChwField& ChwField::right(const char* s, int width) {
    int length = 0;
    if (s)
        while (s[length]) ++length;
    blanks(width - length);
    return text(s);
}

ChwField& ChwField::number(int value, int width) {
    char digits[kDecimalTextMax];
    const int length = decimal_text(value, digits);
    blanks(width - length);
    for (int i = 0; i < length; ++i) put(digits[i]);
    return *this;
}

ChwField& ChwField::blanks(int n) {
    for (int i = 0; i < n; ++i) put(' ');
    return *this;
}

}  // namespace prismel
