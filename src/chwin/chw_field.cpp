#include "chwin/chw_field.h"

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
    // Digits from the lowest, in an unsigned so that the most negative value
    // has its magnitude too.
    char digits[12];
    int d = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[d++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int length = d + (value < 0 ? 1 : 0);
    blanks(width - length);
    if (value < 0) put('-');
    while (d > 0) put(digits[--d]);
    return *this;
}

ChwField& ChwField::blanks(int n) {
    for (int i = 0; i < n; ++i) put(' ');
    return *this;
}

}  // namespace prismel
