#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

// Pixel canvas over a QImage with the drawing rules the windows rely on:
// - rectangle(): pen outline + brush fill, right and lower edges exclusive;
// - lineTo(): the end point is not painted;
// - frameRect(): a 1-pixel frame in the brush colour;
// - textRect(): text clipped to a rectangle, laid on the brush colour;
// - pen modes copy and invert, pen styles solid and dotted, brush solid or clear.
// Nothing is antialiased. Coordinates outside the image are clipped silently.
class Canvas
{
public:
    enum class PenMode { Copy, Invert };
    enum class PenStyle { Solid, Dot };
    enum class BrushStyle { Solid, Clear };

    explicit Canvas(QImage &image);

    QImage &image() { return m_image; }

    QRgb penColor = 0x000000;
    QRgb brushColor = 0xFFFFFF;
    PenMode penMode = PenMode::Copy;
    PenStyle penStyle = PenStyle::Solid;
    BrushStyle brushStyle = BrushStyle::Solid;
    QRgb fontColor = 0x000000;

    static QFont defaultFont();

    QRgb pixel(int x, int y) const;
    void setPixel(int x, int y, QRgb colour);

    // Maps a destination offset (a, b) to the source pixel
    // (ox + ax * a + bx * b, oy + ay * a + by * b): quarter turns and mirrors.
    struct PixelMap
    {
        int ox, ax, bx;
        int oy, ay, by;
    };
    // Copies size x size pixels: destination (x + a, y + b) takes source
    // pixel map(a, b), its colour without alpha; a source pixel outside
    // `source` is white. Clipped like setPixel().
    void copyPixels(int x, int y, int size, const QImage &source, const PixelMap &map);

    void rectangle(int left, int top, int right, int bottom);
    void fillRect(int left, int top, int right, int bottom);
    void frameRect(int left, int top, int right, int bottom);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    // Fills `clip` with the brush colour and writes `text` with its top-left at (x, y),
    // clipped to `clip` (right and lower edges exclusive).
    void textRect(const QRect &clip, int x, int y, const QString &text);

private:
    struct Raster;
    void penPixel(Raster &raster, int x, int y);

    QImage &m_image;
    int m_penX = 0;
    int m_penY = 0;
    int m_dotPhase = 0;
};

// A rectangle given by its edges, right and lower edges exclusive.
inline QRect edgeRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
