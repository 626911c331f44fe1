#include "canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

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
    return m_image.pixel(x, y) & 0xFFFFFF;
}

void Canvas::setPixel(int x, int y, QRgb colour)
{
    if (m_image.valid(x, y))
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
        m_image.setPixel(x, y, 0xFF000000 | (~m_image.pixel(x, y) & 0xFFFFFF));
    else
        m_image.setPixel(x, y, 0xFF000000 | penColor);
}

void Canvas::fillRect(int left, int top, int right, int bottom)
{
    const QRect r = edgeRect(left, top, right, bottom).intersected(m_image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            m_image.setPixel(x, y, 0xFF000000 | brushColor);
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
