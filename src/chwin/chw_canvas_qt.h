#pragma once
// The cell painter's canvas on a QPainter. Glyphs are rendered once per
// character, colour pair and size into small opaque tiles and then blitted,
// so a full repaint of the grid costs a few milliseconds.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <unordered_map>

#include "chwin/chw_canvas.h"

namespace prismel {

// 0x00BBGGRR to Qt.
inline QColor to_qcolor(uint32_t v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// The console's font: "ＭＳ ゴシック" when installed, else IPAGothic, else
// the system's fixed-pitch font.
QString chw_font_family();

// Rendered glyph tiles; owned by the window that paints, kept across paints.
class ChwGlyphCache {
public:
    // The tile of one character: n cells wide (n = 1 or 2), height rows high.
    const QImage& tile(uint16_t code, int n, int font_size, int height, uint32_t fg, uint32_t bg);
    void clear() { tiles_.clear(); }
    std::size_t size() const { return tiles_.size(); }

private:
    struct Key {
        uint64_t shape;   // code, n, font size, height
        uint64_t colours; // fg, bg
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const { return k.shape * 0x9E3779B97F4A7C15ull ^ k.colours; }
    };
    static constexpr std::size_t kMaxTiles = 16384;

    void set_font_size(int px);
    QImage render(uint16_t code, int n, int height, uint32_t fg, uint32_t bg);

    std::unordered_map<Key, QImage, KeyHash> tiles_;
    QFont font_;
    int font_size_ = 0;
    int baseline_ = 0;
};

class QtChwCanvas : public ChwCanvas {
public:
    // client: the host's client area in pixels.
    QtChwCanvas(QPainter& painter, QSize client, ChwGlyphCache& glyphs);

    void set_font_size(int px) override { font_size_ = px; }
    void fill(const ChwRect& r, uint32_t colour) override;
    void text(int x, int y, const unsigned char* bytes, int n, int height, uint32_t fg,
              uint32_t bg) override;
    void edge(const ChwRect& r, unsigned sides, ChwEdge kind) override;
    void push_clip(const ChwRect& r) override;
    void pop_clip() override;
    int client_width() const override { return client_.width(); }
    int client_height() const override { return client_.height(); }

private:
    void lines(const ChwRect& r, unsigned sides, const QColor& light, const QColor& dark);

    QPainter& painter_;
    QSize client_;
    ChwGlyphCache& glyphs_;
    int font_size_ = 20;
};

}  // namespace prismel
