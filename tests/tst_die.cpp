#include "die.h"
#include "trace.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <array>

using namespace die;

Q_DECLARE_METATYPE(die::DieState)

namespace die {
// "face/rotation" per slot, for failure messages.
char *toString(const DieState &s)
{
    QByteArray text;
    for (const Side &side : s.sides)
        text += QByteArray::number(side.face) + '/' + QByteArray::number(side.rotation) + ' ';
    return qstrdup(text.trimmed().constData());
}
} // namespace die

namespace {

// A state whose six slots are all told apart by face and rotation.
DieState distinctState()
{
    DieState s;
    for (int slot = 0; slot < 6; ++slot)
        s[slot] = { quint8(slot + 1), quint8((slot * 3 + 1) % 4) };
    return s;
}

DieState initialState(const std::array<quint8, 6> &rotations = {})
{
    DieState s;
    obnov_kostku(s, rotations);
    return s;
}

// Faces 1..6 in slot order, in every combination of rotations.
QList<DieState> everyRotation()
{
    QList<DieState> all;
    for (int code = 0; code < 4096; ++code) {
        DieState s;
        for (int slot = 0; slot < 6; ++slot)
            s[slot] = { quint8(slot + 1), quint8(code >> (2 * slot) & 3) };
        all.append(s);
    }
    return all;
}

// The die as a solid. Axes: x east (next column), y south (next row), z up
// from the grid. Each slot has its outward normal and a reference "up" on
// its face: north for top and underside, up for the sides; a rotation
// counts quarter turns clockwise as seen from outside the die.
using Vec = std::array<int, 3>;

Vec cross(const Vec &a, const Vec &b)
{
    return { a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0] };
}
Vec operator-(const Vec &v) { return { -v[0], -v[1], -v[2] }; }

constexpr Vec eastward{ 1, 0, 0 }, southward{ 0, 1, 0 }, upward{ 0, 0, 1 };
const std::array<Vec, 6> slotNormal{ upward, -upward, southward, -southward, -eastward, eastward };
const std::array<Vec, 6> slotUp{ -southward, -southward, upward, upward, upward, upward };

// v after `turns` clockwise quarter turns about the outward normal n.
Vec turned(Vec v, const Vec &n, int turns)
{
    for (int i = 0; i < turns; ++i)
        v = cross(n, v);
    return v;
}

// v after the die tipped over its edge towards `to`.
Vec tipped(const Vec &v, const Vec &to)
{
    const Vec axis = cross(upward, to);
    const int along = axis[0] * v[0] + axis[1] * v[1] + axis[2] * v[2];
    const Vec c = cross(axis, v);
    return { along * axis[0] + c[0], along * axis[1] + c[1], along * axis[2] + c[2] };
}

// The roll of the solid: every face moves with its picture, then is read
// in the slot it lands in.
DieState solidRoll(int direction, const DieState &in)
{
    const Vec to = direction == Up ? -southward : direction == Down ? southward
            : direction == Right ? eastward : -eastward;
    DieState out;
    for (int from = 0; from < 6; ++from) {
        const Vec n = tipped(slotNormal[from], to);
        const Vec picture = tipped(turned(slotUp[from], slotNormal[from], in[from].rotation), to);
        const auto slot = std::find(slotNormal.begin(), slotNormal.end(), n) - slotNormal.begin();
        int turns = 0;
        while (turns < 4 && turned(slotUp[slot], n, turns) != picture)
            ++turns;
        out[int(slot)] = { in[from].face, quint8(turns) };
    }
    return out;
}

trace::Trace freshTrace(const std::array<quint8, 6> &rotations = {})
{
    trace::Trace t;
    t.initial = initialState(rotations);
    t.newTrace();
    return t;
}

} // namespace

class tst_Die : public QObject
{
    Q_OBJECT
private slots:
    void initialState_data();
    void initialState();
    void rollAsSolid();
    void rollInPlace();
    void opposites_data();
    void opposites();
    void fourRolls_data();
    void fourRolls();
    void neighbour_data();
    void neighbour();
    void imprint_data();
    void imprint();
    void conflict_data();
    void conflict();
    void notNeighbour_data();
    void notNeighbour();
    void rightThenLeft();
    void undoAfterRightThenLeft();
    void undoRestoresExactly();
    void undoAtZero();
    void fullHistory();
    void offGrid_data();
    void offGrid();
    void replay();
    void newTraceKeepsHistoryEntries();
};

void tst_Die::initialState_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("face");
    QTest::newRow("top") << int(Top) << 5;
    QTest::newRow("underside") << int(Underside) << 6;
    QTest::newRow("south") << int(South) << 1;
    QTest::newRow("north") << int(North) << 3;
    QTest::newRow("west") << int(West) << 4;
    QTest::newRow("east") << int(East) << 2;
}

void tst_Die::initialState()
{
    QFETCH(int, slot);
    QFETCH(int, face);
    const std::array<quint8, 6> rotations = { 1, 2, 3, 0, 1, 6 };
    const DieState s = ::initialState(rotations);
    QCOMPARE(int(s[slot].face), face);
    QCOMPARE(int(s[slot].rotation), rotations[face - 1] % 4);
}

void tst_Die::rollAsSolid()
{
    for (const DieState &in : everyRotation())
        for (int d = 1; d <= 4; ++d) {
            DieState out;
            prepocti_steny(d, in, out);
            QCOMPARE(out, solidRoll(d, in));
        }
}

void tst_Die::rollInPlace()
{
    for (int d = 1; d <= 4; ++d) {
        DieState expected;
        prepocti_steny(d, distinctState(), expected);
        DieState s = distinctState();
        prepocti_steny(d, s, s);
        QCOMPARE(s, expected);
    }
}

void tst_Die::opposites_data()
{
    QTest::addColumn<int>("direction");
    for (int d = 1; d <= 4; ++d)
        QTest::addRow("direction %d", d) << d;
}

void tst_Die::opposites()
{
    QFETCH(int, direction);
    for (const DieState &start : everyRotation()) {
        DieState s;
        prepocti_steny(direction, start, s);
        QVERIFY(s != start);
        prepocti_steny(reversed(direction), s, s);
        QCOMPARE(s, start);
    }
}

void tst_Die::fourRolls_data()
{
    opposites_data();
}

void tst_Die::fourRolls()
{
    QFETCH(int, direction);
    for (const DieState &start : everyRotation()) {
        DieState s = start;
        for (int i = 0; i < 4; ++i) {
            prepocti_steny(direction, s, s);
            if (i < 3)
                QVERIFY(s != start);
        }
        QCOMPARE(s, start);
    }
}

void tst_Die::neighbour_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("up") << 1 << 7 << 3;
    QTest::newRow("down") << 2 << 7 << 5;
    QTest::newRow("right") << 3 << 8 << 4;
    QTest::newRow("left") << 4 << 6 << 4;
}

void tst_Die::neighbour()
{
    QFETCH(int, direction);
    QFETCH(int, column);
    QFETCH(int, row);
    const Field n = vypoctisouseda(direction, startField);
    QCOMPARE(die::column(n), column);
    QCOMPARE(die::row(n), row);
    QCOMPARE(directionTo(startField, n), direction);
    QCOMPARE(vypoctisouseda(reversed(direction), n), startField);
}

void tst_Die::imprint_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("addedTurns");
    QTest::newRow("right") << 8 << 4 << 2 << 3;
    QTest::newRow("up") << 7 << 3 << 3 << 0;
    QTest::newRow("down") << 7 << 5 << 1 << 2;
    QTest::newRow("left") << 6 << 4 << 4 << 1;
}

void tst_Die::imprint()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, face);
    QFETCH(int, addedTurns);
    const std::array<std::array<quint8, 6>, 3> rotationSets = { {
        { 0, 0, 0, 0, 0, 0 }, { 1, 2, 3, 1, 2, 3 }, { 3, 1, 2, 2, 0, 1 } } };
    for (const auto &rotations : rotationSets) {
        trace::Trace t = freshTrace(rotations);
        QCOMPARE(t.traceGrid.at(startField), (trace::Imprint{ 6, rotations[5] }));
        Field from = 0;
        QCOMPARE(t.roll(field(column, row), &from), trace::Trace::RollResult::Accepted);
        QCOMPARE(from, startField);
        const trace::Imprint expected{ quint8(face), quint8((rotations[face - 1] + addedTurns) % 4) };
        QCOMPARE(t.traceGrid.at(field(column, row)), expected);
        QCOMPARE(t.state[Underside], expected);
        QCOMPARE(t.last, field(column, row));
        QCOMPARE(t.history.count, 1);
    }
}

void tst_Die::conflict_data()
{
    // The roll right from the start imprints face 2 in rotation 3; the field
    // is occupied beforehand by another imprint.
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("same imprint") << 2 << 3 << true;
    QTest::newRow("other rotation") << 2 << 0 << false;
    QTest::newRow("other face") << 5 << 3 << false;
    QTest::newRow("face 0, rotation 3") << 0 << 3 << false;
}

void tst_Die::conflict()
{
    QFETCH(int, face);
    QFETCH(int, rotation);
    QFETCH(bool, accepted);
    trace::Trace t = freshTrace();
    const Field target = field(8, 4);
    t.traceGrid.at(target) = { quint8(face), quint8(rotation) };
    const trace::Trace before = t;
    const auto result = t.roll(target);
    if (accepted) {
        QCOMPARE(result, trace::Trace::RollResult::Accepted);
        QCOMPARE(t.history.count, 1);
        QCOMPARE(t.last, target);
    } else {
        QCOMPARE(result, trace::Trace::RollResult::Refused);
        QCOMPARE(t.state, before.state);
        QCOMPARE(t.history, before.history);
        QCOMPARE(t.traceGrid, before.traceGrid);
        QCOMPARE(t.last, before.last);
    }
}

void tst_Die::notNeighbour_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("diagonal") << 8 << 5;
    QTest::newRow("two away") << 9 << 4;
    QTest::newRow("itself") << 7 << 4;
    QTest::newRow("far") << 1 << 1;
}

void tst_Die::notNeighbour()
{
    QFETCH(int, column);
    QFETCH(int, row);
    trace::Trace t = freshTrace();
    const trace::Trace before = t;
    QCOMPARE(t.roll(field(column, row)), trace::Trace::RollResult::NotNeighbour);
    QCOMPARE(t.traceGrid, before.traceGrid);
    QCOMPARE(t.history.count, 0);
}

void tst_Die::rightThenLeft()
{
    trace::Trace t = freshTrace({ 1, 2, 3, 0, 1, 2 });
    QCOMPARE(t.roll(field(8, 4)), trace::Trace::RollResult::Accepted);
    QCOMPARE(t.roll(startField), trace::Trace::RollResult::Accepted);
    QCOMPARE(t.state, t.initial);
    QCOMPARE(t.last, startField);
    QCOMPARE(t.history.count, 2);
    QCOMPARE(int(t.history.moves[0]), int(Right));
    QCOMPARE(int(t.history.moves[1]), int(Left));
}

void tst_Die::undoAfterRightThenLeft()
{
    trace::Trace t = freshTrace({ 1, 2, 3, 0, 1, 2 });
    t.roll(field(8, 4));
    const DieState afterFirst = t.state;
    const trace::Grid gridAfterFirst = t.traceGrid;
    t.roll(startField);
    QVERIFY(t.undo());
    QCOMPARE(t.history.count, 1);
    QCOMPARE(t.last, field(8, 4));
    QCOMPARE(t.state, afterFirst);
    QCOMPARE(t.traceGrid.at(startField), t.initial[Underside]);
    QCOMPARE(t.traceGrid, gridAfterFirst);
    QVERIFY(t.undo());
    QCOMPARE(t.history.count, 0);
    QCOMPARE(t.last, startField);
    QCOMPARE(t.traceGrid.at(field(8, 4)), trace::Imprint{});
    QCOMPARE(t.traceGrid.at(startField), t.initial[Underside]);
}

void tst_Die::undoRestoresExactly()
{
    QRandomGenerator rng(2026);
    for (int run = 0; run < 40; ++run) {
        trace::Trace t = freshTrace({ quint8(rng.bounded(4)), quint8(rng.bounded(4)),
                                      quint8(rng.bounded(4)), quint8(rng.bounded(4)),
                                      quint8(rng.bounded(4)), quint8(rng.bounded(4)) });
        QList<trace::Trace> snapshots;
        for (int attempt = 0; attempt < 60; ++attempt) {
            const int d = 1 + rng.bounded(4);
            const trace::Trace before = t;
            const auto result = t.roll(vypoctisouseda(d, t.last));
            if (result == trace::Trace::RollResult::Accepted)
                snapshots.append(before);
            else
                QCOMPARE(t.history, before.history);
        }
        while (!snapshots.isEmpty()) {
            const trace::Trace expected = snapshots.takeLast();
            QVERIFY(t.undo());
            QCOMPARE(t.state, expected.state);
            QCOMPARE(t.last, expected.last);
            QCOMPARE(t.traceGrid, expected.traceGrid);
            QCOMPARE(t.history.count, expected.history.count);
        }
        QCOMPARE(t.history.count, 0);
        QCOMPARE(t.state, t.initial);
    }
}

void tst_Die::undoAtZero()
{
    trace::Trace t = freshTrace();
    const trace::Trace before = t;
    QVERIFY(!t.undo());
    QCOMPARE(t.traceGrid, before.traceGrid);
    QCOMPARE(t.history.count, 0);
    QCOMPARE(t.state, before.state);
}

void tst_Die::fullHistory()
{
    trace::Trace t = freshTrace();
    for (int i = 0; i < trace::maxMoves; ++i)
        QCOMPARE(t.roll(i % 2 == 0 ? field(8, 4) : startField), trace::Trace::RollResult::Accepted);
    QCOMPARE(t.history.count, 150);
    QCOMPARE(t.last, startField);
    const trace::Trace before = t;
    QCOMPARE(t.roll(field(8, 4)), trace::Trace::RollResult::Refused);
    QCOMPARE(t.history, before.history);
    QCOMPARE(t.state, before.state);
    QCOMPARE(t.last, startField);
    QVERIFY(t.undo());
    QCOMPARE(t.roll(startField), trace::Trace::RollResult::Accepted);   // room for one again
    QCOMPARE(t.history.count, 150);
}

void tst_Die::offGrid_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("steps");   // rolls that reach the edge
    QTest::newRow("column 14") << int(Right) << 6;
    QTest::newRow("row 8") << int(Down) << 3;
    QTest::newRow("row 0") << int(Up) << 3;
    QTest::newRow("column 0") << int(Left) << 6;
}

void tst_Die::offGrid()
{
    QFETCH(int, direction);
    QFETCH(int, steps);
    trace::Trace t = freshTrace();
    for (int i = 0; i < steps; ++i)
        QCOMPARE(t.roll(vypoctisouseda(direction, t.last)), trace::Trace::RollResult::Accepted);
    QVERIFY(trace::onDrawnGrid(t.last));
    const trace::Trace before = t;
    QCOMPARE(t.roll(vypoctisouseda(direction, t.last)), trace::Trace::RollResult::Refused);
    QCOMPARE(t.history, before.history);
    QCOMPARE(t.traceGrid, before.traceGrid);
    QCOMPARE(t.last, before.last);
}

void tst_Die::replay()
{
    QRandomGenerator rng(99);
    for (int run = 0; run < 30; ++run) {
        trace::Trace t = freshTrace({ 2, 1, 0, 3, 2, 1 });
        for (int attempt = 0; attempt < 40; ++attempt)
            t.roll(vypoctisouseda(1 + rng.bounded(4), t.last));
        trace::Trace rebuilt;
        rebuilt.initial = t.initial;
        rebuilt.history = t.history;
        rebuilt.traceGrid.at(field(1, 1)) = { 4, 2 };   // stale content is emptied
        rebuilt.prepocti_obrazek();
        QCOMPARE(rebuilt.traceGrid, t.traceGrid);
        QCOMPARE(rebuilt.state, t.state);
        QCOMPARE(rebuilt.last, t.last);
    }
}

void tst_Die::newTraceKeepsHistoryEntries()
{
    trace::Trace t = freshTrace();
    t.roll(field(8, 4));
    t.roll(field(8, 3));
    t.pictureGrid = t.traceGrid;
    t.newTrace();
    QCOMPARE(t.history.count, 0);
    QCOMPARE(int(t.history.moves[0]), int(Right));
    QCOMPARE(int(t.history.moves[1]), int(Up));
    QCOMPARE(t.pictureGrid.at(field(8, 3)).face, quint8(3));
    QCOMPARE(t.traceGrid.at(field(8, 3)), trace::Imprint{});
    QCOMPARE(t.traceGrid.at(startField), t.initial[Underside]);
    QCOMPARE(t.state, t.initial);
    QCOMPARE(t.last, startField);
}

QTEST_APPLESS_MAIN(tst_Die)
#include "tst_die.moc"
