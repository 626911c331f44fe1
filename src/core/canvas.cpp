#include "canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

// The pixel loops write straight into the scan lines when the format allows
// it: QImage::setPixel() and pixel() cost a detach check and a format switch
// for every pixel, which made redraws of whole images slow.
namespace {

// Formats that keep one QRgb per pixel. An opaque colour is stored in them
// exactly as QImage::setPixel() stores it.
bool writesDirect(const QImage &image)
{
    const QImage::Format f = image.format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32
            || f == QImage::Format_ARGB32_Premultiplied;
}

// Formats whose stored QRgb, less its alpha, is what QImage::pixel() gives
// less its alpha (the premultiplied format is not one of them).
bool readsDirect(const QImage &image)
{
    const QImage::Format f = image.format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32;
}

} // namespace

// The image's pixels for the length of one drawing operation.
struct Canvas::Raster
{
    explicit Raster(QImage &image)
        : image(image), writes(writesDirect(image)), reads(readsDirect(image)),
          width(image.width()), height(image.height()),
          bits(writes ? image.bits() : nullptr), stride(image.bytesPerLine())
    {
    }
    bool contains(int x, int y) const
    {
        return unsigned(x) < unsigned(width) && unsigned(y) < unsigned(height);
    }
    QRgb *line(int y) const { return reinterpret_cast<QRgb *>(bits + y * stride); }
    // Inside the image only; `colour` is opaque.
    void set(int x, int y, QRgb colour)
    {
        if (writes)
            line(y)[x] = colour;
        else
            image.setPixel(x, y, colour);
    }
    // Inside the image only; the colour without alpha.
    QRgb get(int x, int y) const
    {
        return (writes && reads ? line(y)[x] : image.pixel(x, y)) & 0xFFFFFF;
    }

    QImage &image;
    const bool writes;
    const bool reads;
    const int width;
    const int height;
    uchar *const bits;
    const qsizetype stride;
};

Canvas::Canvas(QImage &image) : m_image(image) { }

QFont Canvas::defaultFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRgb Canvas::pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return 0;
    if (readsDirect(m_image))
        return reinterpret_cast<const QRgb *>(m_image.constScanLine(y))[x] & 0xFFFFFF;
    return m_image.pixel(x, y) & 0xFFFFFF;
}

void Canvas::setPixel(int x, int y, QRgb colour)
{
    Raster raster(m_image);
    if (raster.contains(x, y))
        raster.set(x, y, 0xFF000000 | colour);
}

void Canvas::penPixel(Raster &raster, int x, int y)
{
    if (penStyle == PenStyle::Dot) {
        const bool on = (m_dotPhase++ & 1) == 0;
        if (!on)
            return;
    }
    if (!raster.contains(x, y))
        return;
    if (penMode == PenMode::Invert)
        raster.set(x, y, 0xFF000000 | (~raster.get(x, y) & 0xFFFFFF));
    else
        raster.set(x, y, 0xFF000000 | penColor);
}

void Canvas::fillRect(int left, int top, int right, int bottom)
{
    const QRect r = edgeRect(left, top, right, bottom).intersected(m_image.rect());
    if (r.isEmpty())
        return;
    Raster raster(m_image);
    const QRgb colour = 0xFF000000 | brushColor;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        if (raster.writes) {
            std::fill_n(raster.line(y) + r.left(), r.width(), colour);
            continue;
        }
        for (int x = r.left(); x <= r.right(); ++x)
            raster.set(x, y, colour);
    }
}

void Canvas::copyPixels(int x, int y, int size, const QImage &source, const PixelMap &map)
{
    if (size <= 0)
        return;
    Raster raster(m_image);
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    const auto inSource = [&](int sx, int sy) {
        return unsigned(sx) < unsigned(sourceWidth) && unsigned(sy) < unsigned(sourceHeight);
    };
    const int last = size - 1;
    const bool whole = raster.contains(x, y) && raster.contains(x + last, y + last)
            && inSource(map.ox, map.oy)
            && inSource(map.ox + map.ax * last, map.oy + map.ay * last)
            && inSource(map.ox + map.bx * last, map.oy + map.by * last)
            && inSource(map.ox + (map.ax + map.bx) * last, map.oy + (map.ay + map.by) * last);
    if (whole && raster.writes && readsDirect(source)) {
        // Every pixel inside both images: walk the source by a fixed step.
        const uchar *bits = source.constBits();
        const qsizetype stride = source.bytesPerLine();
        const qsizetype step = map.ay * stride + map.ax * qsizetype(sizeof(QRgb));
        for (int b = 0; b < size; ++b) {
            const uchar *from = bits + (map.oy + map.by * b) * stride
                    + (map.ox + map.bx * b) * qsizetype(sizeof(QRgb));
            QRgb *to = raster.line(y + b) + x;
            for (int a = 0; a < size; ++a, from += step)
                to[a] = 0xFF000000 | (*reinterpret_cast<const QRgb *>(from) & 0xFFFFFF);
        }
        return;
    }
    for (int b = 0; b < size; ++b) {
        for (int a = 0; a < size; ++a) {
            if (!raster.contains(x + a, y + b))
                continue;
            const int sx = map.ox + map.ax * a + map.bx * b;
            const int sy = map.oy + map.ay * a + map.by * b;
            const QRgb colour = inSource(sx, sy) ? source.pixel(sx, sy) : 0xFFFFFF;
            raster.set(x + a, y + b, 0xFF000000 | (colour & 0xFFFFFF));
        }
    }
}

void Canvas::rectangle(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return;
    if (brushStyle == BrushStyle::Solid)
        fillRect(left + 1, top + 1, right - 1, bottom - 1);
    // The outline walks once around the border, each pixel painted once,
    // so an inverting pen drawn twice restores the image.
    m_dotPhase = 0;
    Raster raster(m_image);
    const int r = right - 1;
    const int b = bottom - 1;
    for (int x = left; x <= r; ++x)
        penPixel(raster, x, top);
    for (int y = top + 1; y <= b; ++y)
        penPixel(raster, r, y);
    if (b > top)
        for (int x = r - 1; x >= left; --x)
            penPixel(raster, x, b);
    if (r > left)
        for (int y = b - 1; y > top; --y)
            penPixel(raster, left, y);
}

void Canvas::frameRect(int left, int top, int right, int bottom)
{
    const QRgb saved = penColor;
    const PenMode savedMode = penMode;
    const PenStyle savedStyle = penStyle;
    const BrushStyle savedBrush = brushStyle;
    penColor = brushColor;
    penMode = PenMode::Copy;
    penStyle = PenStyle::Solid;
    brushStyle = BrushStyle::Clear;
    rectangle(left, top, right, bottom);
    penColor = saved;
    penMode = savedMode;
    penStyle = savedStyle;
    brushStyle = savedBrush;
}

void Canvas::moveTo(int x, int y)
{
    m_penX = x;
    m_penY = y;
}

void Canvas::lineTo(int x, int y)
{
    // Bresenham from the pen position; the end point itself is not painted.
    int x0 = m_penX;
    int y0 = m_penY;
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    m_dotPhase = 0;
    Raster raster(m_image);
    while (x0 != x || y0 != y) {
        penPixel(raster, x0, y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    m_penX = x;
    m_penY = y;
}

void Canvas::textRect(const QRect &clip, int x, int y, const QString &text)
{
    fillRect(clip.left(), clip.top(), clip.left() + clip.width(), clip.top() + clip.height());
    if (text.isEmpty())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(clip);
    painter.setFont(defaultFont());
    painter.setPen(QColor::fromRgb(0xFF000000 | fontColor));
    painter.drawText(QRect(x, y, 10000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}
