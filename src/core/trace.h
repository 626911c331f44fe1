#pragma once

#include "die.h"

#include <QList>
#include <array>

// One trace of the rolling die on one net: the trace grid that the rolls
// imprint, the picture grid that picture mode edits and the file stores,
// the move history, the last field and the die state.
namespace trace {

constexpr int columns = 14;   // column 14 is stored but not drawn
constexpr int rows = 7;
constexpr int drawnColumns = 13;
constexpr int maxMoves = 150;

using Imprint = die::Side;   // face 0..6, rotation 0..3; empty = {0, 0}

// 14 x 7 imprints, column by column.
struct Grid
{
    std::array<Imprint, columns * rows> cells{};

    static bool contains(die::Field f)
    {
        return die::column(f) >= 1 && die::column(f) <= columns
                && die::row(f) >= 1 && die::row(f) <= rows;
    }
    // Valid for fields inside the grid only.
    Imprint &at(die::Field f) { return cells[(die::column(f) - 1) * rows + die::row(f) - 1]; }
    const Imprint &at(die::Field f) const { return cells[(die::column(f) - 1) * rows + die::row(f) - 1]; }
    bool operator==(const Grid &) const = default;
};

struct History
{
    std::array<quint8, maxMoves> moves{};   // direction codes; entries past count kept
    qint32 count = 0;
    bool operator==(const History &) const = default;
};

// True for a field that a roll may enter: columns 1..13, rows 1..7.
bool onDrawnGrid(die::Field f);

// Sets the field to the empty imprint.
void uvolni_pole(die::Field f, Grid &grid);

// Fields visited by `history` from the start field, start field first.
// Stops early at a direction outside 1..4.
QList<die::Field> path(const History &history);

class Trace
{
public:
    enum class RollResult { NotNeighbour, Refused, Accepted };

    Grid traceGrid;
    Grid pictureGrid;
    // Whether the picture grid was ever filled (picture mode entered, the
    // restore button, a file); until then the net's picture is its trace.
    bool pictureFilled = false;
    History history;
    die::Field last = die::startField;
    die::DieState state;
    // The initial die state from the applied face set's rotations.
    die::DieState initial;

    // The new-trace steps on the model: initial die state, columns 1..13
    // emptied, start imprint, count 0. Picture grid and history entries stay.
    void newTrace();

    // A roll onto `target`: not a neighbour of the last field, refused (the
    // conflict rule, a full history, a field off the drawn grid) or accepted.
    // On acceptance `from` receives the field left.
    RollResult roll(die::Field target, die::Field *from = nullptr);

    // Undoes the last roll; false when there is none.
    bool undo();

    // Rebuilds the trace grid, die state and last field from the history.
    void prepocti_obrazek();

    // The picture that picture mode shows and the file stores: the picture
    // grid once filled, else the trace grid.
    const Grid &picture() const { return pictureFilled ? pictureGrid : traceGrid; }
    // The picture grid takes the trace grid.
    void fillPicture();
    // The picture grid to edit, filled from the trace grid first when it
    // never was.
    Grid &editedPicture();
};

} // namespace trace
