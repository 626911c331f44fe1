#include "die.h"

#include <cstdlib>

namespace die {

namespace {

struct Take
{
    quint8 from;   // old slot
    quint8 turns;  // quarter turns added
};

// For each direction 1..4 the source slot and the added turns of the new
// top, underside, south, north, west and east.
constexpr Take rollTable[4][6] = {
    // up
    { { South, 0 }, { North, 0 }, { Underside, 2 }, { Top, 2 }, { West, 3 }, { East, 1 } },
    // down
    { { North, 2 }, { South, 2 }, { Top, 0 }, { Underside, 0 }, { West, 1 }, { East, 3 } },
    // right
    { { West, 1 }, { East, 3 }, { South, 1 }, { North, 3 }, { Underside, 3 }, { Top, 1 } },
    // left
    { { East, 3 }, { West, 1 }, { South, 3 }, { North, 1 }, { Top, 3 }, { Underside, 1 } },
};

} // namespace

int reversed(int direction)
{
    switch (direction) {
    case Up: return Down;
    case Down: return Up;
    case Right: return Left;
    case Left: return Right;
    }
    return direction;
}

void obnov_kostku(DieState &out, const std::array<quint8, 6> &rotations)
{
    static constexpr quint8 faces[6] = { 5, 6, 1, 3, 4, 2 };
    for (int slot = 0; slot < 6; ++slot)
        out[slot] = { faces[slot], quint8(rotations[faces[slot] - 1] & 3) };
}

void prepocti_steny(int direction, const DieState &in, DieState &out)
{
    if (direction < Up || direction > Left)
        return;
    const DieState old = in;
    for (int slot = 0; slot < 6; ++slot) {
        const Take t = rollTable[direction - 1][slot];
        out[slot] = { old[t.from].face, quint8((old[t.from].rotation + t.turns) & 3) };
    }
}

Field vypoctisouseda(int direction, Field f)
{
    const int c = column(f);
    const int r = row(f);
    switch (direction) {
    case Up: return field(c, r - 1);
    case Down: return field(c, r + 1);
    case Right: return field(c + 1, r);
    case Left: return field(c - 1, r);
    }
    return f;
}

int directionTo(Field from, Field to)
{
    const int c0 = column(from), r0 = row(from);
    const int c = column(to), r = row(to);
    if (std::abs(c - c0) + std::abs(r - r0) != 1)
        return 0;
    if (r < r0)
        return Up;
    if (r > r0)
        return Down;
    if (c > c0)
        return Right;
    return Left;
}

} // namespace die
