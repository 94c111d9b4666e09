#include "shell/main_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace prismel {
namespace {

int limit(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

GridLayout layout_for_client(int client_width, int client_height, int fs) {
    GridLayout g;
    g.columns = limit(2 * (client_width / fs), kMinColumns, kMaxColumns);
    const int whole_rows = client_height / (fs + 4);
    g.rows = limit(whole_rows, kMinRows, kMaxRows);
    g.fkey_row = (whole_rows < kMinRows ? std::max(whole_rows, 3) : g.rows) - 2;
    return g;
}

WindowSize can_resize(WindowSize proposed, int frame_width, int frame_height, int fs, int stack_extent) {
    const int row_height = fs + 4;
    int h = proposed.height - frame_height;
    int r = limit(h / row_height, kMinRows, kMaxRows);
    bool changed = false;
    if (h < r * row_height + 2) {
        h = r * row_height + 2;
        changed = true;
    }
    if (h < stack_extent) {
        h = stack_extent;
        changed = true;
    }
    if (changed) proposed.height = frame_height + h;

    int w = proposed.width - frame_width;
    int c = limit(2 * (w / fs), kMinColumns, kMaxColumns);
    changed = false;
    if (w < c * fs / 2) {
        w = c * fs / 2;
        changed = true;
    }
    if (w % fs != 0) {
        w -= w % fs;
        changed = true;
    }
    if (changed) proposed.width = frame_width + w;
    return proposed;
}

WindowSize fitted_to_font(WindowSize client, WindowSize most, int fs, int stack_extent) {
    const WindowSize wanted = can_resize(client, 0, 0, fs, stack_extent);
    return {std::max(client.width, std::min(wanted.width, most.width)),
            std::max(client.height, std::min(wanted.height, most.height))};
}

int status_panel_width(int panel, int fs) {
    switch (panel) {
        case 0: return 26 * fs;
        case 1: return 9 * fs;
        case 2: return 6 * fs;
        default: return kLastPanelWidth;
    }
}

int bottom_strip_height(int client_height, int fs) {
    return client_height % (fs + 4) + 3 * (fs + 4);
}

ChwRect title_image_rect(int form_width, int form_height, int image_width, int image_height, double aspect) {
    int width, height;
    if (std::abs(static_cast<int>(std::trunc(0.66 * form_width - image_width))) < image_width / 5) {
        width = image_width;
        height = image_height;
    } else if (form_height > 0 && static_cast<double>(form_width) / form_height >= aspect) {
        height = static_cast<int>(std::floor(0.66 * form_height));
        width = static_cast<int>(std::trunc(height * aspect));
    } else {
        width = static_cast<int>(std::floor(0.66 * form_width));
        height = static_cast<int>(std::trunc(width / aspect));
    }
    ChwRect r;
    r.left = (form_width - width) / 2;
    r.top = (form_height - height) / 3;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

int title_text_y(int form_height, int image_height) {
    return (form_height - image_height) / 3 + image_height * 5 / 6;
}

int title_sequence_image_height(int form_width, int form_height, double aspect) {
    if (form_height > 0 && static_cast<double>(form_width) / form_height >= aspect)
        return static_cast<int>(std::floor(0.66 * form_height));
    return static_cast<int>(std::floor(0.66 * form_width / aspect));
}

}  // namespace prismel
