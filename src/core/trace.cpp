#include "trace.h"

#include <QList>

namespace trace {

bool onDrawnGrid(die::Field f)
{
    return die::column(f) >= 1 && die::column(f) <= drawnColumns
            && die::row(f) >= 1 && die::row(f) <= rows;
}

void uvolni_pole(die::Field f, Grid &grid)
{
    if (Grid::contains(f))
        grid.at(f) = Imprint{};
}

QList<die::Field> path(const History &history)
{
    QList<die::Field> fields{ die::startField };
    die::Field f = die::startField;
    const int count = qBound(0, int(history.count), maxMoves);
    for (int i = 0; i < count; ++i) {
        const int d = history.moves[i];
        if (d < die::Up || d > die::Left)
            break;
        f = die::vypoctisouseda(d, f);
        fields.append(f);
    }
    return fields;
}

void Trace::newTrace()
{
    state = initial;
    for (int c = 1; c <= drawnColumns; ++c)
        for (int r = 1; r <= rows; ++r)
            uvolni_pole(die::field(c, r), traceGrid);
    last = die::startField;
    traceGrid.at(last) = initial[die::Underside];
    history.count = 0;
}

Trace::RollResult Trace::roll(die::Field target, die::Field *from)
{
    const int direction = die::directionTo(last, target);
    if (direction == 0)
        return RollResult::NotNeighbour;
    if (!onDrawnGrid(target) || history.count >= maxMoves)
        return RollResult::Refused;

    die::DieState rolled;
    die::prepocti_steny(direction, state, rolled);
    const Imprint occupied = traceGrid.at(target);
    if (occupied != Imprint{} && occupied != rolled[die::Underside])
        return RollResult::Refused;

    state = rolled;
    history.moves[history.count++] = quint8(direction);
    traceGrid.at(target) = rolled[die::Underside];
    if (from)
        *from = last;
    last = target;
    return RollResult::Accepted;
}

bool Trace::undo()
{
    if (history.count <= 0)
        return false;
    const int back = die::reversed(history.moves[history.count - 1]);
    --history.count;
    die::prepocti_steny(back, state, state);
    const die::Field before = die::vypoctisouseda(back, last);

    // The undone imprint stays when the start or a remaining move made it too.
    const QList<die::Field> remaining = path(history);
    if (!remaining.contains(last))
        uvolni_pole(last, traceGrid);
    last = before;
    return true;
}

void Trace::prepocti_obrazek()
{
    traceGrid = Grid{};
    state = initial;
    last = die::startField;
    traceGrid.at(last) = state[die::Underside];
    const int count = qBound(0, int(history.count), maxMoves);
    for (int i = 0; i < count; ++i) {
        const int d = history.moves[i];
        const die::Field next = die::vypoctisouseda(d, last);
        if (d < die::Up || d > die::Left || !Grid::contains(next))
            break;   // the file reader never lets such a history in
        die::prepocti_steny(d, state, state);
        last = next;
        traceGrid.at(last) = state[die::Underside];
    }
}

void Trace::fillPicture()
{
    pictureGrid = traceGrid;
    pictureFilled = true;
}

Grid &Trace::editedPicture()
{
    if (!pictureFilled)
        fillPicture();
    return pictureGrid;
}

} // namespace trace
