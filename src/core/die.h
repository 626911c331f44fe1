#pragma once

#include <QtGlobal>
#include <array>

// The rolling die of the trace sheet. Faces are 1..6 (face set slots 0..5),
// 0 is no picture; rotations are quarter turns clockwise, 0..3.
namespace die {

struct Side
{
    quint8 face = 0;
    quint8 rotation = 0;

    bool operator==(const Side &) const = default;
};

// Slots of a die state, in this fixed order.
enum Slot { Top = 0, Underside, South, North, West, East };

struct DieState
{
    std::array<Side, 6> sides{};

    const Side &operator[](int slot) const { return sides[slot]; }
    Side &operator[](int slot) { return sides[slot]; }
    bool operator==(const DieState &) const = default;
};

// Direction codes of a roll.
enum Direction { Up = 1, Down = 2, Right = 3, Left = 4 };

// 1 <-> 2, 3 <-> 4.
int reversed(int direction);

// A field of the grid: column 1..14 in the low byte, row 1..7 in the high byte.
using Field = quint16;

constexpr Field field(int column, int row)
{
    return Field((row & 0xFF) << 8 | (column & 0xFF));
}
constexpr int column(Field f) { return f & 0xFF; }
constexpr int row(Field f) { return f >> 8; }

constexpr Field startField = field(7, 4);

// The initial die state: top 5, underside 6, south 1, north 3, west 4,
// east 2, each with its face's rotation from `rotations` (slot order).
void obnov_kostku(DieState &out, const std::array<quint8, 6> &rotations);

// One roll in `direction` (1..4). `in` and `out` may be the same record.
void prepocti_steny(int direction, const DieState &in, DieState &out);

// The neighbouring field in `direction`; no bound is checked.
Field vypoctisouseda(int direction, Field f);

// Direction from `from` to the neighbouring field `to`, or 0 when `to` is
// not an edge neighbour of `from`.
int directionTo(Field from, Field to);

} // namespace die
