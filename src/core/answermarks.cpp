#include "answermarks.h"

#include "canvas.h"

namespace answermarks {

void mark(Canvas &canvas, int left, int top, int size, Change change)
{
    if (change == Change::None)
        return;
    const QRgb brush = canvas.brushColor;
    canvas.brushColor = change == Change::Hidden ? hiddenColour : turnedColour;
    // Inside the area: the lines around it may be shared with neighbours.
    for (int i = 0; i < 2; ++i)
        canvas.frameRect(left + i, top + i, left + size - i, top + size - i);
    canvas.brushColor = brush;
}

} // namespace answermarks
