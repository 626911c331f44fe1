#pragma once

// 32 x 32 test tiles of black blocks (x0..x1, y0..y1 inclusive) on white,
// each with the symmetry its blocks give it by construction.
#include <QImage>
#include <array>
#include <initializer_list>

namespace tileshapes {

inline QImage blocks(std::initializer_list<std::array<int, 4>> spans)
{
    QImage tile(32, 32, QImage::Format_RGB32);
    tile.fill(Qt::white);
    for (const auto &[x0, x1, y0, y1] : spans)
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                tile.setPixel(x, y, 0xFF000000);
    return tile;
}

// No symmetry.
inline QImage letterF() { return blocks({{6, 9, 4, 27}, {6, 25, 4, 7}, {6, 19, 14, 17}}); }
// Mirror about the vertical axis x = 15.5 only.
inline QImage letterT() { return blocks({{4, 27, 4, 7}, {14, 17, 8, 27}}); }
// Mirror about the horizontal axis y = 15.5 only.
inline QImage letterE() { return blocks({{6, 9, 4, 27}, {6, 25, 4, 7}, {6, 25, 14, 17}, {6, 25, 24, 27}}); }
// Mirror about the diagonal x = y only.
inline QImage cornerL() { return blocks({{4, 7, 4, 27}, {8, 27, 4, 7}}); }
// A half turn, (x, y) -> (31 - x, 31 - y), only.
inline QImage letterZ() { return blocks({{4, 15, 4, 9}, {16, 27, 22, 27}, {14, 17, 10, 21}}); }
// Every turn and mirror.
inline QImage ring() { return blocks({{8, 23, 8, 11}, {8, 23, 20, 23}, {8, 11, 12, 19}, {20, 23, 12, 19}}); }

} // namespace tileshapes
