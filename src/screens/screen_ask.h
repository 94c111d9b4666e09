#pragma once
// Asking the operator, for every screen: a number, a real number, seconds or
// a text in the one-line input laid over the screen's cells, a yes/no
// question or a notice in the message box. Each answer says how the input
// ended: with a value, cancelled (Esc, or a value the input refused, whose
// message is already on the message line), or with F3 asking for the
// reference list the screen offered.
#include <cstdint>
#include <string>

#include "chwin/inp_validate.h"
#include "engine/duration.h"

namespace prismel {

// Where the input opens and what it starts with.
struct Ask {
    Ask(int column, int row, int width, const char* prompt = nullptr)
        : column(column), row(row), width(width), prompt(prompt) {}
    Ask& with_text(std::string text) {
        initial = std::move(text);
        return *this;
    }
    Ask& with_list(uint32_t offered) {
        list = offered;
        return *this;
    }

    int column;          // screen cell of the prompt's first byte (or the field's, without one)
    int row;
    int width;           // bytes the field takes
    const char* prompt;  // CP932, or none
    std::string initial; // CP932 text already typed
    uint32_t list = 0;   // inp_mode::kSceneRef / kChaseRef / kColourRef offered on F3
};

enum class Answer { kOk, kCancelled, kListRequested };

struct IntAnswer {
    Answer answer = Answer::kCancelled;
    int value = 0;
    bool ok() const { return answer == Answer::kOk; }
};
struct RealAnswer {
    Answer answer = Answer::kCancelled;
    double value = 0.0;
    std::string text;  // CP932, as typed (for a prompt that repeats it)
    bool ok() const { return answer == Answer::kOk; }
};
struct DurationAnswer {
    Answer answer = Answer::kCancelled;
    StoredDuration value;
    bool ok() const { return answer == Answer::kOk; }
};
struct TextAnswer {
    Answer answer = Answer::kCancelled;
    std::string text;  // CP932
    bool ok() const { return answer == Answer::kOk; }
};

// All act on g_screen; without one every input is cancelled.
IntAnswer ask_integer(const Ask& at, int min, int max);
RealAnswer ask_real(const Ask& at, double min, double max);
// Seconds 0.0-99.9, as a stored duration (stored_of_seconds).
DurationAnswer ask_seconds(const Ask& at);
TextAnswer ask_text(const Ask& at);

// The message line: a refusal or notice the next key clears (nothing
// without a screen).
void say(const char* text);

// The message box: a yes/no question (true for YES) and an OK notice.
bool ask_yes_no(const char* question);
void tell(const char* notice);

}  // namespace prismel
