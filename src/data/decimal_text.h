#pragma once
// "%d" without the printf machinery, for the texts drawn on every tick.
namespace prismel {

// The longest text: a sign and ten digits.
constexpr int kDecimalTextMax = 11;

// Writes value as "%d" would (no terminator) and returns its length. The
// digits come from an unsigned so that the most negative value has its
// magnitude too.
inline int decimal_text(int value, char (&out)[kDecimalTextMax]) {
    char digits[10];
    int d = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[d++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int n = 0;
    if (value < 0) out[n++] = '-';
    while (d > 0) out[n++] = digits[--d];
    return n;
}

}  // namespace prismel
