#include "tracedrawing.h"

#include "canvas.h"

namespace tracedraw {

namespace {

int fieldLeft(die::Field f) { return 33 * (die::column(f) - 1) + 1; }
int fieldTop(die::Field f) { return 33 * (die::row(f) - 1) + 1; }

// The four lines around a field's picture area, in the pen colour.
void frameLines(Canvas &canvas, die::Field f)
{
    const int x0 = fieldLeft(f);
    const int y0 = fieldTop(f);
    canvas.moveTo(x0 - 1, y0 - 1);
    canvas.lineTo(x0 + 32, y0 - 1);
    canvas.lineTo(x0 + 32, y0 + 32);
    canvas.lineTo(x0 - 1, y0 + 32);
    canvas.lineTo(x0 - 1, y0 - 1);
}

} // namespace

die::Field fieldAt(int x, int y)
{
    return die::field(x / 33 + 1, y / 33 + 1);
}

QPoint pictureOrigin(die::Field f)
{
    return QPoint(fieldLeft(f), fieldTop(f));
}

void linky(Canvas &canvas)
{
    const QRgb saved = canvas.penColor;
    canvas.penColor = silver;
    for (int i = 0; i <= 13; ++i) {
        canvas.moveTo(33 * i, 0);
        canvas.lineTo(33 * i, imageHeight);
    }
    for (int i = 0; i <= 8; ++i) {
        canvas.moveTo(0, 33 * i);
        canvas.lineTo(imageWidth, 33 * i);
    }
    canvas.penColor = saved;
}

void clear(Canvas &canvas)
{
    const QRgb pen = canvas.penColor;
    const QRgb brush = canvas.brushColor;
    canvas.penColor = black;
    canvas.brushColor = white;
    canvas.rectangle(0, 0, imageWidth, imageHeight);
    canvas.penColor = pen;
    canvas.brushColor = brush;
    linky(canvas);
}

void blankField(Canvas &canvas, die::Field f)
{
    const QRgb pen = canvas.penColor;
    const QRgb brush = canvas.brushColor;
    canvas.penColor = black;
    canvas.brushColor = white;
    const int x0 = fieldLeft(f);
    const int y0 = fieldTop(f);
    canvas.rectangle(x0 - 1, y0 - 1, x0 + 33, y0 + 33);
    canvas.penColor = pen;
    canvas.brushColor = brush;
}

void dokresli_pole(Canvas &canvas, die::Field f, const trace::Grid &grid, const Tiles &mirrored)
{
    if (!trace::Grid::contains(f))
        return;
    const trace::Imprint imprint = grid.at(f);
    if (imprint.face == 0) {
        blankField(canvas, f);
        return;
    }
    if (imprint.face > 6)
        return;
    const QImage &tile = mirrored[imprint.face - 1];
    const int x0 = fieldLeft(f);
    const int y0 = fieldTop(f);
    // Field pixel (x0 + i, y0 + j) shows tile pixel (i, j) for rotation 0,
    // (31 - j, i) for 1, (31 - i, 31 - j) for 2 and (j, 31 - i) for 3.
    static constexpr Canvas::PixelMap maps[4] = {
        {0, 1, 0, 0, 0, 1},
        {31, 0, -1, 0, 1, 0},
        {31, -1, 0, 31, 0, -1},
        {0, 0, 1, 31, -1, 0},
    };
    if (imprint.rotation <= 3)
        canvas.copyPixels(x0, y0, 32, tile, maps[imprint.rotation]);
    frameLines(canvas, f);
}

void ramecek(Canvas &canvas, die::Field f, QRgb colour)
{
    const QRgb saved = canvas.penColor;
    canvas.penColor = colour;
    frameLines(canvas, f);
    canvas.penColor = saved;
}

std::optional<std::array<QPoint, 3>> arrowPoints(die::Field from, die::Field to)
{
    const int c = die::column(from);
    const int r = die::row(from);
    if (die::column(to) > c)
        return std::array<QPoint, 3>{{{33 * c - 4, 33 * r - 20}, {33 * c + 5, 33 * r - 17},
                                      {33 * c - 5, 33 * r - 14}}};
    if (die::column(to) < c)
        return std::array<QPoint, 3>{{{33 * c - 29, 33 * r - 17}, {33 * c - 38, 33 * r - 14},
                                      {33 * c - 28, 33 * r - 11}}};
    if (die::row(to) > r)
        return std::array<QPoint, 3>{{{33 * c - 20, 33 * r - 4}, {33 * c - 17, 33 * r + 5},
                                      {33 * c - 14, 33 * r - 5}}};
    if (die::row(to) < r)
        return std::array<QPoint, 3>{{{33 * c - 17, 33 * r - 29}, {33 * c - 14, 33 * r - 38},
                                      {33 * c - 11, 33 * r - 28}}};
    return std::nullopt;
}

void dokresli_sipku(Canvas &canvas, die::Field from, die::Field to)
{
    const std::optional<std::array<QPoint, 3>> p = arrowPoints(from, to);
    if (!p)
        return;
    canvas.moveTo((*p)[0].x(), (*p)[0].y());
    canvas.lineTo((*p)[1].x(), (*p)[1].y());
    canvas.lineTo((*p)[2].x(), (*p)[2].y());
}

void prekresli_sipky(Canvas &canvas, const trace::History &history)
{
    const QList<die::Field> fields = trace::path(history);
    for (int i = 1; i < fields.size(); ++i)
        dokresli_sipku(canvas, fields[i - 1], fields[i]);
}

namespace {

// Draws the start field, then walks the history field by field. With `roll`
// the start gets the initial imprint, the die rolls and each field entered
// gets its new imprint; without it each field is drawn as `grid` holds it,
// the start with the initial imprint when `grid` has no face there. A move
// off the grid ends the walk. Returns the field reached.
die::Field drawPath(Canvas &canvas, const trace::History &history, trace::Grid grid,
                    const Tiles &mirrored, const die::DieState &initial, bool roll)
{
    die::DieState state = initial;
    die::Field f = die::startField;
    if (roll || grid.at(f).face == 0)
        grid.at(f) = state[die::Underside];
    dokresli_pole(canvas, f, grid, mirrored);
    const int count = qBound(0, int(history.count), trace::maxMoves);
    for (int i = 0; i < count; ++i) {
        const int d = history.moves[i];
        const die::Field next = die::vypoctisouseda(d, f);
        if (d < die::Up || d > die::Left || !trace::Grid::contains(next))
            break;
        f = next;
        if (roll) {
            die::prepocti_steny(d, state, state);
            grid.at(f) = state[die::Underside];
        }
        dokresli_pole(canvas, f, grid, mirrored);
    }
    return f;
}

} // namespace

void prekresli_obrazek(Canvas &canvas, const trace::History &history, const trace::Grid &grid,
                       const Tiles &mirrored, const die::DieState &initial, bool arrows)
{
    clear(canvas);
    ramecek(canvas, drawPath(canvas, history, grid, mirrored, initial, true), red);
    if (arrows)
        prekresli_sipky(canvas, history);
}

void prekresli_proste(Canvas &canvas, const trace::History &history, const trace::Grid &grid,
                      const Tiles &mirrored, const die::DieState &initial, bool arrows)
{
    clear(canvas);
    drawPath(canvas, history, grid, mirrored, initial, false);
    if (arrows)
        prekresli_sipky(canvas, history);
}

void drawRoll(Canvas &canvas, die::Field from, die::Field to, const trace::Grid &grid,
              const Tiles &mirrored)
{
    ramecek(canvas, from, black);
    dokresli_pole(canvas, to, grid, mirrored);
    ramecek(canvas, to, red);
    dokresli_sipku(canvas, from, to);
}

} // namespace tracedraw
