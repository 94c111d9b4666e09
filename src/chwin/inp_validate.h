#pragma once
// Validation of what the operator typed into the one-line input: integer,
// real-number and text modes, with the refusals reported on the message line.
#include <cstdint>
#include <limits>
#include <string>

namespace prismel {

// The mode word callers set: reference bits in the low byte (1 scene list,
// 2 chase list, 4 colour list may be requested with F3), input type in the
// second byte.
namespace inp_mode {
constexpr uint32_t kSceneRef = 1, kChaseRef = 2, kColourRef = 4;
constexpr uint32_t kInteger = 0x000, kReal = 0x100, kText = 0x200;
}  // namespace inp_mode

enum class InputType { Integer = 0, Real = 1, Text = 2 };

inline int reference_offer_of(uint32_t mode) { return static_cast<int>(mode & 0xFF); }
// An unknown type byte is treated as text: it can neither be refused wrongly
// nor produce a number the caller did not ask for.
InputType input_type_of(uint32_t mode);

struct InputRanges {
    int int_max = std::numeric_limits<int>::max();
    int int_min = 0;
    double real_max = std::numeric_limits<double>::infinity();
    double real_min = 0.0;
};

// Result codes of the one-line input and of the message box.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
constexpr int kRefRequestKey = 114;  // F3

struct InputOutcome {
    int code = kResultCancel;  // 1 accepted, 2 refused
    std::string text;          // CP932, as typed
    int int_value = -1;        // the text as an integer, -1 when it is none
    double real_value = 0.0;   // real mode: the text as a real number, else 0.0
    const char* message = nullptr;  // CP932 refusal for the message line, or none
};

// The text read as a decimal integer (optional sign, blanks around it
// allowed); -1 when it is none or does not fit in an int.
int parse_integer(const std::string& text);
// The text read as a real number with "." as the decimal point (blanks
// around it allowed); false when it is none or not finite.
bool parse_real(const std::string& text, double& value);

// What the OK button does with the typed text.
InputOutcome validate_input(const std::string& text, uint32_t mode, const InputRanges& ranges);

// The longest prefix of a CP932 text of at most max_bytes bytes that does not
// cut a double-byte character in two.
std::string clip_cp932(const std::string& text, int max_bytes);

}  // namespace prismel
