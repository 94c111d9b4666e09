#pragma once
// What the three reference lists share: the framed window over the editor,
// its one-column list, the closing keys and the mouse.
#include <memory>

#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"

namespace prismel {

class RefListBase {
public:
    struct Shape {
        const char* title;  // CP932
        int right;          // right column of the window
        int entries;
        int picked_code;    // picker result code on close
    };

    virtual ~RefListBase() = default;
    int open(ChwWindow* parent);
    int close();
    int result() const { return result_; }
    const ChwList* control() const { return window_ ? &list_ : nullptr; }

protected:
    virtual Shape shape() const = 0;
    virtual void reset_search() = 0;
    // Keys other than the list's moves, Enter and Esc.
    virtual void search_key(int key) = 0;
    virtual void draw() = 0;
    virtual void before_close() {}

    ChwScreen& screen() const { return *screen_; }
    const ChwWindow& window() const { return *window_; }
    ChwList list_;

private:
    int on_key(int key, int flags);
    int on_mouse(int column, int row);
    int pick(int result);

    ChwScreen* screen_ = nullptr;
    ChwWindow* window_ = nullptr;
    int result_ = -1;
};

}  // namespace prismel
