#pragma once

// Small 32 x 32 test tiles made of black blocks on white, each with the
// symmetry its blocks give it by construction.
#include <QImage>
#include <QRect>
#include <initializer_list>

namespace tileshapes {

inline QImage blocks(std::initializer_list<QRect> rects)
{
    QImage tile(32, 32, QImage::Format_RGB32);
    tile.fill(Qt::white);
    for (const QRect &r : rects)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                tile.setPixel(x, y, 0xFF000000);
    return tile;
}

inline QRect span(int x0, int x1, int y0, int y1) { return QRect(QPoint(x0, y0), QPoint(x1, y1)); }

// No symmetry.
inline QImage letterF()
{
    return blocks({span(6, 9, 4, 27), span(6, 25, 4, 7), span(6, 19, 14, 17)});
}
// Symmetric about the vertical axis x = 15.5 only.
inline QImage letterT()
{
    return blocks({span(4, 27, 4, 7), span(14, 17, 8, 27)});
}
// Symmetric about the horizontal axis y = 15.5 only.
inline QImage letterE()
{
    return blocks({span(6, 9, 4, 27), span(6, 25, 4, 7), span(6, 25, 14, 17), span(6, 25, 24, 27)});
}
// Symmetric about the diagonal x = y only.
inline QImage cornerL()
{
    return blocks({span(4, 7, 4, 27), span(8, 27, 4, 7)});
}
// The same after a half turn, (x, y) -> (31 - x, 31 - y), and no mirror.
inline QImage letterZ()
{
    return blocks({span(4, 15, 4, 9), span(16, 27, 22, 27), span(14, 17, 10, 21)});
}
// A square ring: every turn and every mirror.
inline QImage ring()
{
    return blocks({span(8, 23, 8, 11), span(8, 23, 20, 23), span(8, 11, 12, 19), span(20, 23, 12, 19)});
}

} // namespace tileshapes
