#pragma once

#include <QStringList>

class Canvas;

// Texts drawn into the sheet's text images, in the canvas's default font.
namespace textimage {

// A white box with corners (1, 1) and (frameRight, frameBottom) (exclusive,
// outlined with the pen), line i written at (10, 10 + 15 i) on white up to
// textRight, then a black 1-pixel frame around the box. Lines that start
// below the image are cut off. Leaves pen black and brush white.
void drawLines(Canvas &canvas, const QStringList &lines, int frameRight, int textRight,
               int frameBottom);

// The caption at (10, 5) on white within (0, 0)-(width, 25), framed in black.
void drawCaption(Canvas &canvas, const QString &caption, int width);

// The copyright label of a sheet's `logo`: the text at (10, 10) on white,
// clipped to (1, 1)-(200, 25). Leaves pen black and brush white.
void drawLogo(Canvas &canvas);

} // namespace textimage
