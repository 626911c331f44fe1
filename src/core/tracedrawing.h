#pragma once

#include "trace.h"

#include <QImage>
#include <QPoint>
#include <array>
#include <optional>

class Canvas;

// Drawing of a trace on a 430 x 232 net image. Field (c, r) covers pixels
// 33(c-1)+1 .. 33(c-1)+32 in x and 33(r-1)+1 .. 33(r-1)+32 in y; the grid
// lines lie at multiples of 33.
namespace tracedraw {

constexpr int imageWidth = 430;
constexpr int imageHeight = 232;
constexpr QRgb silver = 0xC0C0C0;
constexpr QRgb black = 0x000000;
constexpr QRgb red = 0xFF0000;
constexpr QRgb white = 0xFFFFFF;

// Mirrored face tiles, faces 1..6 at index 0..5.
using Tiles = std::array<QImage, 6>;

constexpr int fieldSize = 32;   // a field's picture area, frame excluded

// The field under an image pixel (column X div 33 + 1, row Y div 33 + 1).
die::Field fieldAt(int x, int y);
// The top-left pixel of field f's picture area.
QPoint pictureOrigin(die::Field f);

// The grid lines in silver; the pen colour is kept.
void linky(Canvas &canvas);
// White fill with a black outline over the whole image, then the grid lines.
void clear(Canvas &canvas);
// One field from the grid: an empty face blanks the field and its frame,
// a face draws its mirrored tile in the imprint's rotation and a frame in
// the pen colour.
void dokresli_pole(Canvas &canvas, die::Field f, const trace::Grid &grid, const Tiles &mirrored);
// The white box with a black outline over one field and its frame.
void blankField(Canvas &canvas, die::Field f);
// The frame around one field in `colour`; the pen colour is kept.
void ramecek(Canvas &canvas, die::Field f, QRgb colour);
// The arrowhead's start, tip and end across the grid line from `from` to
// its neighbour `to`; none when `to` is `from`.
std::optional<std::array<QPoint, 3>> arrowPoints(die::Field from, die::Field to);
// That arrowhead drawn: start to tip to end, the end pixel left out.
void dokresli_sipku(Canvas &canvas, die::Field from, die::Field to);
// All arrows of a history, walked from the start field.
void prekresli_sipky(Canvas &canvas, const trace::History &history);

// Redraw by replay: every imprint recomputed from the moves, the final
// field framed red, arrows when `arrows` is set.
void prekresli_obrazek(Canvas &canvas, const trace::History &history, const trace::Grid &grid,
                       const Tiles &mirrored, const die::DieState &initial, bool arrows);
// Plain redraw: the path's fields as `grid` holds them, a start field where
// it has no face with the start imprint (the pupil sees where the die
// starts; a turned start stays turned); no red frame; arrows when `arrows`
// is set.
void prekresli_proste(Canvas &canvas, const trace::History &history, const trace::Grid &grid,
                      const Tiles &mirrored, const die::DieState &initial, bool arrows);

// The drawing of an accepted roll: the old field's frame black, the new
// field, its red frame and the arrow.
void drawRoll(Canvas &canvas, die::Field from, die::Field to, const trace::Grid &grid,
              const Tiles &mirrored);

} // namespace tracedraw
