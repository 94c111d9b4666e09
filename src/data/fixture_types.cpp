#include "data/fixture_types.h"

namespace prismel {

const char* layout_grid_label(int layout) {
    switch (layout) {
        case kLayoutTurbo: return "TURB";
        case kLayoutScroller: return "SCRL";
        case kLayoutColourCombo: return "CLCM";
        default: return "CLFD";
    }
}

const char* layout_key_label(int layout) {
    switch (layout) {
        case kLayoutTurbo: return "TURBO";
        case kLayoutScroller: return "SCRCHG";
        case kLayoutColourCombo: return "COLCOM";
        default: return "COLFDR";
    }
}

}  // namespace prismel
