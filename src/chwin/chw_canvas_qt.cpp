#include "chwin/chw_canvas_qt.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <string>

#include "platform/text_codec.h"

namespace prismel {

namespace {

// The raised-edge shades of the classic desktop: outer line light/dark
// shadow, inner line highlight/shadow.
const QColor kEdgeLight(227, 227, 227);
const QColor kEdgeDarkShadow(105, 105, 105);
const QColor kEdgeHighlight(255, 255, 255);
const QColor kEdgeShadow(160, 160, 160);

bool is_blank(uint16_t code) { return code == 0x20 || code == 0x8140; }

}  // namespace

QString chw_font_family() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name : {"ＭＳ ゴシック", "IPAGothic"}) {
            const QString f = QString::fromUtf8(name);
            if (installed.contains(f)) return f;
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

void ChwGlyphCache::set_font_size(int px) {
    if (px == font_size_) return;
    font_size_ = px;
    font_ = QFont(chw_font_family());
    font_.setPixelSize(px);
    font_.setFixedPitch(true);
    font_.setKerning(false);
    // A font whose ascent reaches above its em box is placed by the em box
    // (0.88 em above the baseline), or its glyphs would leave the cell.
    const int ascent = QFontMetrics(font_).ascent();
    const int em_ascent = (px * 88 + 50) / 100;
    baseline_ = ascent < em_ascent ? ascent : em_ascent;
}

QImage ChwGlyphCache::render(uint16_t code, int n, int height, uint32_t fg, uint32_t bg) {
    QImage img(n * font_size_ / 2, height, QImage::Format_RGB32);
    img.fill(to_qcolor(bg));
    if (is_blank(code)) return img;
    std::string bytes;
    if (n == 2) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    const QString s = QString::fromStdString(to_utf8(bytes));
    QPainter p(&img);
    p.setFont(font_);
    p.setPen(to_qcolor(fg));
    p.drawText(0, baseline_, s);
    return img;
}

const QImage& ChwGlyphCache::tile(uint16_t code, int n, int font_size, int height, uint32_t fg, uint32_t bg) {
    set_font_size(font_size);
    const Key key{static_cast<uint64_t>(code) | static_cast<uint64_t>(n) << 16 |
                      static_cast<uint64_t>(font_size & 0xFFFF) << 24 | static_cast<uint64_t>(height & 0xFFFF) << 40,
                  static_cast<uint64_t>(fg) << 32 | bg};
    auto hit = tiles_.find(key);
    if (hit != tiles_.end()) return hit->second;
    if (tiles_.size() >= kMaxTiles) tiles_.clear();
    return tiles_.emplace(key, render(code, n, height, fg, bg)).first->second;
}

QtChwCanvas::QtChwCanvas(QPainter& painter, QSize client, ChwGlyphCache& glyphs)
    : painter_(painter), client_(client), glyphs_(glyphs) {}

void QtChwCanvas::fill(const ChwRect& r, uint32_t colour) {
    if (!r.empty()) painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), to_qcolor(colour));
}

void QtChwCanvas::text(int x, int y, const unsigned char* bytes, int n, int height, uint32_t fg,
                       uint32_t bg) {
    if (n < 1 || height <= 0) return;
    const uint16_t code = n == 2 ? static_cast<uint16_t>(bytes[0] << 8 | bytes[1]) : bytes[0];
    painter_.drawImage(x, y, glyphs_.tile(code, n == 2 ? 2 : 1, font_size_, height, fg, bg));
}

void QtChwCanvas::lines(const ChwRect& r, unsigned sides, const QColor& light, const QColor& dark) {
    const int w = r.width();
    const int h = r.height();
    if (w <= 0 || h <= 0) return;
    if (sides & kSideLeft) painter_.fillRect(r.left, r.top, 1, h, light);
    if (sides & kSideTop) painter_.fillRect(r.left, r.top, w, 1, light);
    if (sides & kSideRight) painter_.fillRect(r.right - 1, r.top, 1, h, dark);
    if (sides & kSideBottom) painter_.fillRect(r.left, r.bottom - 1, w, 1, dark);
}

// As the desktop draws raised edges: the outer line on the rectangle's
// border, the inner line one pixel inside it on the same sides.
void QtChwCanvas::edge(const ChwRect& r, unsigned sides, ChwEdge kind) {
    lines(r, sides, kEdgeLight, kEdgeDarkShadow);
    if (kind != ChwEdge::Raised) return;
    ChwRect inner = r;
    if (sides & kSideLeft) ++inner.left;
    if (sides & kSideTop) ++inner.top;
    if (sides & kSideRight) --inner.right;
    if (sides & kSideBottom) --inner.bottom;
    lines(inner, sides, kEdgeHighlight, kEdgeShadow);
}

void QtChwCanvas::push_clip(const ChwRect& r) {
    painter_.save();
    painter_.setClipRect(QRect(r.left, r.top, r.width(), r.height()), Qt::IntersectClip);
}

void QtChwCanvas::pop_clip() { painter_.restore(); }

}  // namespace prismel
