#pragma once

#include <QImage>
#include <array>

class Canvas;

// The cross-shaped net of six squares in a 138 x 104 thumbnail and the twelve
// net layouts. Squares, faces and layouts are numbered from 1 as in the
// tables; the arrays are indexed from 0.
namespace net {

constexpr int thumbWidth = 138;
constexpr int thumbHeight = 104;
constexpr int tileSize = 32;
constexpr int layoutCount = 12;
constexpr int squareCount = 6;

// Top-left pixel of each square's 32 x 32 picture area.
extern const std::array<quint8, squareCount> square_x;
extern const std::array<quint8, squareCount> square_y;
// Face number on each square, and the base turn of each square, per layout.
extern const std::array<std::array<quint8, squareCount>, layoutCount> net_faces;
extern const std::array<std::array<quint8, squareCount>, layoutCount> net_turns;

// Square (1..6) under a thumbnail point; points outside all squares still
// get one.
int square_at(int x, int y);
// True inside the vertical band through squares 2, 3, 4 or the horizontal
// band through the row (bounds included).
bool in_net(int x, int y);

// (rotation of the face + base turn of the square) mod 4, for layout 1..12
// and square 1..6; `rotations` are the face set's six rotation bytes.
int originalTurn(int layout, int square, const std::array<quint8, 6> &rotations);

// Black 1-pixel outline of the whole thumbnail, white inside, then the six
// square frames. Leaves the pen black and the brush white.
void drawThumbnailFrame(Canvas &canvas);
// The square's 34 x 34 frame with its white inside.
void drawBlankSquare(Canvas &canvas, int square);
// Copies a face tile into the square's picture area in turn 0..3 (quarter
// turns clockwise). Tile pixels outside the tile read as white.
void drawTile(Canvas &canvas, const QImage &tile, int square, int turn);

} // namespace net
