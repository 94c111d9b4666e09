#include "screens/picked.h"

#include "chwin/chw_screen.h"
#include "chwin/reflist.h"

namespace prismel {

Picked take_picked(ChwScreen& s) {
    Picked p;
    p.list = s.picker_result;
    s.picker_result = kPickedNone;
    switch (p.list) {
        case kPickedColour: p.index = colour_list_result(); break;
        case kPickedScene: p.index = scene_list_result(); break;
        case kPickedChase: p.index = chase_list_result(); break;
        default: p.list = kPickedNone; break;
    }
    return p;
}

}  // namespace prismel
