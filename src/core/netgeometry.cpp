#include "netgeometry.h"

#include "canvas.h"

namespace net {

const std::array<quint8, squareCount> square_x = {3, 36, 36, 36, 69, 102};
const std::array<quint8, squareCount> square_y = {36, 3, 36, 69, 36, 36};

const std::array<std::array<quint8, squareCount>, layoutCount> net_faces = {{
    {4, 5, 1, 6, 2, 3},
    {1, 5, 2, 6, 3, 4},
    {2, 5, 3, 6, 4, 1},
    {3, 5, 4, 6, 1, 2},
    {4, 3, 5, 1, 2, 6},
    {2, 3, 6, 1, 4, 5},
    {1, 2, 6, 4, 3, 5},
    {6, 2, 3, 4, 5, 1},
    {3, 2, 5, 4, 1, 6},
    {6, 3, 4, 1, 5, 2},
    {5, 2, 1, 4, 6, 3},
    {5, 3, 2, 1, 6, 4},
}};

const std::array<std::array<quint8, squareCount>, layoutCount> net_turns = {{
    {0, 0, 0, 2, 0, 0},
    {0, 1, 0, 1, 0, 0},
    {0, 2, 0, 0, 0, 0},
    {0, 3, 0, 3, 0, 0},
    {1, 2, 0, 0, 3, 0},
    {3, 0, 0, 2, 1, 0},
    {3, 0, 1, 2, 1, 3},
    {1, 1, 1, 1, 3, 3},
    {1, 2, 3, 0, 3, 1},
    {0, 1, 1, 1, 0, 3},
    {3, 3, 3, 3, 1, 1},
    {0, 3, 3, 3, 0, 1},
}};

int square_at(int x, int y)
{
    if (y < 36)
        return 2;
    if (y > 68)
        return 4;
    if (x > 102)
        return 6;
    if (x < 36)
        return 1;
    if (x < 69)
        return 3;
    return 5;
}

bool in_net(int x, int y)
{
    return (x >= 36 && x <= 69) || (y >= 36 && y <= 69);
}

int originalTurn(int layout, int square, const std::array<quint8, 6> &rotations)
{
    const int face = net_faces[layout - 1][square - 1];
    return (rotations[face - 1] + net_turns[layout - 1][square - 1]) & 3;
}

void drawThumbnailFrame(Canvas &canvas)
{
    canvas.penColor = 0x000000;
    canvas.penMode = Canvas::PenMode::Copy;
    canvas.penStyle = Canvas::PenStyle::Solid;
    canvas.brushColor = 0xFFFFFF;
    canvas.brushStyle = Canvas::BrushStyle::Solid;
    canvas.rectangle(0, 0, thumbWidth, thumbHeight);
    for (int s = 1; s <= squareCount; ++s)
        drawBlankSquare(canvas, s);
}

void drawBlankSquare(Canvas &canvas, int square)
{
    const int x = square_x[square - 1];
    const int y = square_y[square - 1];
    canvas.rectangle(x - 1, y - 1, x + tileSize + 1, y + tileSize + 1);
}

void drawTile(Canvas &canvas, const QImage &tile, int square, int turn)
{
    // Destination (x + a, y + b) shows tile pixel (a, b) turned clockwise
    // by `turn` quarters: 1 takes (b, last - a), 2 (last - a, last - b),
    // 3 (last - b, a).
    constexpr int last = tileSize - 1;
    static constexpr Canvas::PixelMap maps[4] = {
        {0, 1, 0, 0, 0, 1},
        {0, 0, 1, last, -1, 0},
        {last, -1, 0, last, 0, -1},
        {last, 0, -1, 0, 1, 0},
    };
    canvas.copyPixels(square_x[square - 1], square_y[square - 1], tileSize, tile, maps[turn & 3]);
}

} // namespace net
