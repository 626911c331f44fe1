#include "quiznets.h"

#include "canvas.h"
#include "facetiles.h"
#include "netgeometry.h"

QuizNets::QuizNets() = default;

void QuizNets::applyFaceSet(const faceset::Snapshot &snapshot)
{
    m_applied = snapshot;
    for (int i = 0; i < faceset::slotCount; ++i)
        m_tiles[i] = facetiles::loadTile(m_applied.names[i], m_applied.pictures[i]);
}

int QuizNets::originalTurn(int layout, int square) const
{
    return net::originalTurn(layout, square, m_applied.rotations);
}

QuizNets::Change QuizNets::change(int layout, int square) const
{
    const quint8 st = state(layout, square);
    if (st > 3)
        return Change::Hidden;
    return st == originalTurn(layout, square) ? Change::None : Change::Turned;
}

QImage QuizNets::answerImage(int layout) const
{
    QImage image(net::thumbWidth, net::thumbHeight, QImage::Format_RGB32);
    Canvas canvas(image);
    net::drawThumbnailFrame(canvas);
    for (int s = 1; s <= quiz::squareCount; ++s) {
        drawOriginal(layout, s, canvas);
        answermarks::mark(canvas, net::square_x[s - 1], net::square_y[s - 1], net::tileSize,
                          change(layout, s));
    }
    return image;
}

const QImage &QuizNets::tile(int layout, int square) const
{
    return m_tiles[net::net_faces[layout - 1][square - 1] - 1];
}

void QuizNets::reset(int layout, Canvas &canvas)
{
    net::drawThumbnailFrame(canvas);
    for (int s = 1; s <= quiz::squareCount; ++s) {
        const int turn = originalTurn(layout, s);
        setState(layout, s, quint8(turn));
        net::drawTile(canvas, tile(layout, s), s, turn);
    }
}

void QuizNets::redraw(int layout, Canvas &canvas) const
{
    net::drawThumbnailFrame(canvas);
    for (int s = 1; s <= quiz::squareCount; ++s) {
        const quint8 st = state(layout, s);
        if (st <= 3)
            net::drawTile(canvas, tile(layout, s), s, st);
    }
}

void QuizNets::drawOriginal(int layout, int square, Canvas &canvas) const
{
    net::drawTile(canvas, tile(layout, square), square, originalTurn(layout, square));
}

void QuizNets::drawBlank(int square, Canvas &canvas) const
{
    canvas.penColor = 0x000000;
    canvas.brushColor = 0xFFFFFF;
    canvas.brushStyle = Canvas::BrushStyle::Solid;
    net::drawBlankSquare(canvas, square);
}

int QuizNets::turnStep(int layout, int square, Canvas &canvas)
{
    m_turnCounter = (m_turnCounter + 1) & 3;
    const int turn = (originalTurn(layout, square) + m_turnCounter) & 3;
    setState(layout, square, quint8(turn));
    net::drawTile(canvas, tile(layout, square), square, turn);
    return turn;
}
