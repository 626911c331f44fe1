#include "canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

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

Canvas::Canvas(QImage &image) : m_image(image) { }

QFont Canvas::defaultFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The pixel loops below write straight into the scan lines when the format
// allows it: QImage::setPixel() and pixel() cost a detach check and a format
// switch for every pixel, which made redraws of whole images slow.

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
    if (!m_image.valid(x, y))
        return;
    if (writesDirect(m_image))
        reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = 0xFF000000 | colour;
    else
        m_image.setPixel(x, y, 0xFF000000 | colour);
}

void Canvas::penPixel(int x, int y)
{
    if (penStyle == PenStyle::Dot) {
        const bool on = (m_dotPhase++ & 1) == 0;
        if (!on)
            return;
    }
    if (!m_image.valid(x, y))
        return;
    if (penMode == PenMode::Invert)
        setPixel(x, y, ~pixel(x, y) & 0xFFFFFF);
    else
        setPixel(x, y, penColor);
}

void Canvas::fillRect(int left, int top, int right, int bottom)
{
    const QRect r = edgeRect(left, top, right, bottom).intersected(m_image.rect());
    if (r.isEmpty())
        return;
    const QRgb colour = 0xFF000000 | brushColor;
    if (writesDirect(m_image)) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb *>(m_image.scanLine(y)) + r.left(), r.width(), colour);
        return;
    }
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            m_image.setPixel(x, y, colour);
}

void Canvas::copyPixels(int x, int y, int size, const QImage &source, const PixelMap &map)
{
    const int width = m_image.width();
    const int height = m_image.height();
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    const bool direct = writesDirect(m_image) && readsDirect(source);
    const uchar *sourceBits = direct ? source.constBits() : nullptr;
    const qsizetype sourceStride = source.bytesPerLine();
    for (int b = 0; b < size; ++b) {
        const int dy = y + b;
        if (dy < 0 || dy >= height)
            continue;
        QRgb *line = direct ? reinterpret_cast<QRgb *>(m_image.scanLine(dy)) : nullptr;
        for (int a = 0; a < size; ++a) {
            const int dx = x + a;
            if (dx < 0 || dx >= width)
                continue;
            const int sx = map.ox + map.ax * a + map.bx * b;
            const int sy = map.oy + map.ay * a + map.by * b;
            QRgb colour = 0xFFFFFF;
            if (sx >= 0 && sx < sourceWidth && sy >= 0 && sy < sourceHeight)
                colour = direct ? reinterpret_cast<const QRgb *>(sourceBits + sy * sourceStride)[sx]
                                : source.pixel(sx, sy);
            colour = 0xFF000000 | (colour & 0xFFFFFF);
            if (direct)
                line[dx] = colour;
            else
                m_image.setPixel(dx, dy, colour);
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
    const int r = right - 1;
    const int b = bottom - 1;
    for (int x = left; x <= r; ++x)
        penPixel(x, top);
    for (int y = top + 1; y <= b; ++y)
        penPixel(r, y);
    if (b > top)
        for (int x = r - 1; x >= left; --x)
            penPixel(x, b);
    if (r > left)
        for (int y = b - 1; y > top; --y)
            penPixel(left, y);
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
    while (x0 != x || y0 != y) {
        penPixel(x0, y0);
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
