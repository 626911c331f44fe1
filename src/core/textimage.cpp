#include "textimage.h"

#include "canvas.h"

namespace textimage {

namespace {

void blackFrame(Canvas &canvas, int left, int top, int right, int bottom)
{
    canvas.brushColor = 0x000000;
    canvas.penColor = 0x000000;
    canvas.frameRect(left, top, right, bottom);
    canvas.brushColor = 0xFFFFFF;
}

} // namespace

void drawLines(Canvas &canvas, const QStringList &lines, int frameRight, int textRight,
               int frameBottom)
{
    canvas.brushColor = 0xFFFFFF;
    canvas.brushStyle = Canvas::BrushStyle::Solid;
    canvas.rectangle(1, 1, frameRight, frameBottom);
    for (int i = 0; i < lines.size(); ++i) {
        const int top = 10 + 15 * i;
        if (top >= canvas.image().height())
            break;
        canvas.textRect(edgeRect(5, top, textRight, top + 15), 10, top, lines[i]);
    }
    blackFrame(canvas, 1, 1, frameRight, frameBottom);
}

void drawCaption(Canvas &canvas, const QString &caption, int width)
{
    canvas.brushColor = 0xFFFFFF;
    canvas.brushStyle = Canvas::BrushStyle::Solid;
    canvas.textRect(edgeRect(0, 0, width, 25), 10, 5, caption);
    blackFrame(canvas, 0, 0, width, 25);
}

void drawLogo(Canvas &canvas)
{
    canvas.brushColor = 0xFFFFFF;
    canvas.textRect(edgeRect(1, 1, 200, 25), 10, 10, QStringLiteral("© vemtal 2026"));
    canvas.penColor = 0x000000;
}

} // namespace textimage
