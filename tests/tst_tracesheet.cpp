// The trace window's state without its widgets: modes, nets, refresh, loads
// and the controls each state shows.
#include "canvas.h"
#include "netgeometry.h"
#include "tracefile.h"
#include "tracesheet.h"
#include "testfiles.h"

#include <QMap>
#include <QTest>

using namespace die;
using Mode = TraceSheet::Mode;
using Pressed = TraceSheet::Pressed;

namespace {

using testfiles::demo;

faceset::Snapshot demoSnapshot()
{
    faceset::Snapshot s;
    const char *names[] = { "1-predni", "2-prava", "3-zadni", "4-leva", "5-horni", "6-dolni" };
    const char *kinds[] = { ".jpg", ".png", ".gif", ".jpg", ".png", ".gif" };
    for (int i = 0; i < 6; ++i) {
        s.names[i] = demo(names[i]) + ".bmp";
        s.pictures[i] = demo(names[i]) + kinds[i];
    }
    s.rotations = { 1, 0, 3, 2, 0, 1 };
    return s;
}

const auto yes = [](int) { return true; };

// A trace file written out by hand: `fields` maps 10 * column + row to the
// imprint's two digits, every other field "00"; the count and the first
// moves, the rest of the 150 "0".
QByteArray traceFile(const QMap<int, QByteArray> &fields, const QByteArray &count, const QByteArray &moves)
{
    QByteArray out = "KP\r\n";
    for (int c = 1; c <= 14; ++c) {
        out += "Z ";
        for (int r = 1; r <= 7; ++r)
            out += fields.value(10 * c + r, "00") + ' ';
        out += "\r\n";
    }
    out += count + "\r\n";
    const QByteArray all = moves.leftJustified(150, '0');
    for (int k = 0; k < 15; ++k)
        out += "K " + all.mid(10 * k, 10) + "\r\n";
    return out;
}

QImage netImage()
{
    return QImage(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
}

} // namespace

class tst_TraceSheet : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void refreshRenews();
    void refreshKeepsReplayed();
    void faceSetChanged_data();
    void faceSetChanged();
    void controls_data();
    void controls();
    void press_data();
    void press();
    void pictureMode();
    void undoAndNewTrace();
    void loadOfNothingChangesNothing();
    void loadRebuilds_data();
    void loadRebuilds();
    void neverFilledPictureIsTheTrace();
    void shownAgainstTheTrace();
    void thumbnailInOriginalTurns();

private:
    TraceSheet m_sheet;
    faceset::Snapshot m_snapshot;
};

void tst_TraceSheet::init()
{
    m_sheet = TraceSheet();
    m_snapshot = demoSnapshot();
}

void tst_TraceSheet::refreshRenews()
{
    QVERIFY(m_sheet.needsRefresh());
    QCOMPARE(m_sheet.net(1).traceGrid, trace::Grid());   // empty until the first refresh
    QList<int> asked;
    m_sheet.selectNet(2);
    const auto done = m_sheet.refresh(m_snapshot, [&](int n) { asked << n; return true; });
    QVERIFY(asked.isEmpty());   // no moves, no question
    QCOMPARE(done[0], TraceSheet::Refreshed::Renewed);
    QCOMPARE(done[1], TraceSheet::Refreshed::Renewed);
    QVERIFY(!m_sheet.needsRefresh());
    QCOMPARE(m_sheet.activeNet(), 1);
    QCOMPARE(m_sheet.applied(), m_snapshot);
    for (int n = 1; n <= 2; ++n)
        QCOMPARE(m_sheet.net(n).traceGrid.at(startField), (trace::Imprint{ 6, 1 }));

    // With moves the net asks; yes renews it and keeps the history entries.
    m_sheet.press(2, Qt::LeftButton, false, field(8, 4));
    m_sheet.refresh(m_snapshot, [&](int n) { asked << n; return true; });
    QCOMPARE(asked, QList<int>{ 2 });
    QCOMPARE(m_sheet.net(2).history.count, 0);
    QCOMPARE(m_sheet.net(2).history.moves[0], quint8(Right));
    QCOMPARE(m_sheet.net(2).traceGrid.at(field(8, 4)), trace::Imprint());
}

void tst_TraceSheet::refreshKeepsReplayed()
{
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.press(1, Qt::LeftButton, false, field(8, 4));   // face 2 with (0 + 3) mod 4
    QCOMPARE(m_sheet.net(1).traceGrid.at(field(8, 4)), (trace::Imprint{ 2, 3 }));
    m_sheet.enterPictureMode();
    m_sheet.press(1, Qt::LeftButton, true, field(8, 4));   // turned once: {2, 0}

    m_snapshot.rotations[1] = 1;   // face 2
    m_snapshot.rotations[5] = 3;   // face 6, the start imprint
    const auto done = m_sheet.refresh(m_snapshot, [](int) { return false; });
    QCOMPARE(done[0], TraceSheet::Refreshed::Kept);
    QCOMPARE(done[1], TraceSheet::Refreshed::Renewed);
    const trace::Trace &t = m_sheet.net(1);
    QCOMPARE(t.history.count, 1);
    QCOMPARE(t.last, field(8, 4));
    QCOMPARE(t.traceGrid.at(startField), (trace::Imprint{ 6, 3 }));
    QCOMPARE(t.traceGrid.at(field(8, 4)), (trace::Imprint{ 2, 0 }));
    // The picture grid turns with its faces: the user's extra turn stays.
    QCOMPARE(t.pictureGrid.at(startField), (trace::Imprint{ 6, 3 }));
    QCOMPARE(t.pictureGrid.at(field(8, 4)), (trace::Imprint{ 2, 1 }));
    // The die state agrees: rolling back left prints the new start imprint.
    m_sheet.leavePictureMode();
    QCOMPARE(m_sheet.press(1, Qt::LeftButton, false, startField).what, Pressed::Rolled);
}

void tst_TraceSheet::faceSetChanged_data()
{
    QTest::addColumn<int>("what");   // 0 nothing, 1 picture, 2 name, 3 rotation
    QTest::addColumn<bool>("changed");
    QTest::newRow("same") << 0 << false;
    QTest::newRow("picture of the same name") << 1 << true;
    QTest::newRow("companion name") << 2 << true;
    QTest::newRow("rotation") << 3 << true;
}

void tst_TraceSheet::faceSetChanged()
{
    QFETCH(int, what);
    QFETCH(bool, changed);
    m_sheet.refresh(m_snapshot, yes);
    faceset::Snapshot other = m_snapshot;
    if (what == 1)
        other.pictures[4] = demo("5-horni.gif");
    else if (what == 2)
        other.names[4] = demo("5-Horni.bmp");
    else if (what == 3)
        other.rotations[4] = 2;
    QCOMPARE(m_sheet.faceSetChanged(other), changed);
}

void tst_TraceSheet::controls_data()
{
    QTest::addColumn<bool>("picture");
    QTest::addColumn<int>("active");
    QTest::addColumn<bool>("moves");   // on the active net
    QTest::addColumn<TraceSheet::Controls>("expected");
    using C = TraceSheet::Controls;
    QTest::newRow("trace, upper, none") << false << 1 << false << C{ true, false, false, false, false };
    QTest::newRow("trace, upper, moves") << false << 1 << true << C{ true, true, false, false, false };
    QTest::newRow("trace, lower, moves") << false << 2 << true << C{ true, true, false, false, false };
    QTest::newRow("picture, upper") << true << 1 << true << C{ false, false, true, true, false };
    QTest::newRow("picture, lower") << true << 2 << false << C{ false, false, true, false, true };
}

void tst_TraceSheet::controls()
{
    QFETCH(bool, picture);
    QFETCH(int, active);
    QFETCH(bool, moves);
    QFETCH(TraceSheet::Controls, expected);
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.press(3 - active, Qt::LeftButton, false, field(8, 4));   // moves elsewhere do not count
    if (moves)
        m_sheet.press(active, Qt::LeftButton, false, field(7, 5));
    m_sheet.selectNet(active);
    if (picture)
        QVERIFY(m_sheet.enterPictureMode());
    QCOMPARE(m_sheet.controls(), expected);
}

void tst_TraceSheet::press_data()
{
    QTest::addColumn<bool>("picture");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("turnKey");
    QTest::addColumn<QPoint>("field");
    QTest::addColumn<int>("what");
    QTest::addColumn<bool>("drag");
    // The die stands on (7, 7), having rolled down from the start field.
    const int L = Qt::LeftButton, R = Qt::RightButton, M = Qt::MiddleButton;
    const QPoint next(8, 7), far(2, 2), rolled(7, 6), row8(7, 8);
    QTest::newRow("trace, next, any button rolls") << false << M << false << next << int(Pressed::Rolled) << false;
    QTest::newRow("trace, row 8 refused") << false << L << false << row8 << int(Pressed::Nothing) << false;
    QTest::newRow("trace, right elsewhere hides") << false << R << false << far << int(Pressed::HideNet) << false;
    QTest::newRow("trace, left elsewhere drags") << false << L << false << far << int(Pressed::Nothing) << true;
    QTest::newRow("picture, next, no roll") << true << L << false << next << int(Pressed::Revealed) << true;
    QTest::newRow("picture, left reveals") << true << L << false << rolled << int(Pressed::Revealed) << true;
    QTest::newRow("picture, right blanks") << true << R << false << rolled << int(Pressed::Blanked) << false;
    QTest::newRow("picture, right + key hides") << true << R << true << rolled << int(Pressed::HideNet) << false;
    QTest::newRow("picture, left + key turns") << true << L << true << rolled << int(Pressed::Turned) << false;
    QTest::newRow("picture, left on row 8") << true << L << false << row8 << int(Pressed::Nothing) << true;
    QTest::newRow("picture, middle") << true << M << false << rolled << int(Pressed::Nothing) << false;
}

void tst_TraceSheet::press()
{
    QFETCH(bool, picture);
    QFETCH(int, button);
    QFETCH(bool, turnKey);
    QFETCH(QPoint, field);
    QFETCH(int, what);
    QFETCH(bool, drag);
    m_sheet.refresh(m_snapshot, yes);
    for (int r = 5; r <= 7; ++r)
        m_sheet.press(1, Qt::LeftButton, false, die::field(7, r));
    const Field f = die::field(field.x(), field.y());
    if (picture)
        m_sheet.enterPictureMode();
    if (Pressed(what) == Pressed::Revealed)
        m_sheet.press(1, Qt::RightButton, false, f);   // blank it first
    const trace::Trace before = m_sheet.net(1);
    const TraceSheet::Press p = m_sheet.press(1, Qt::MouseButton(button), turnKey, f);
    QCOMPARE(int(p.what), what);
    QCOMPARE(p.drag, drag);
    const trace::Trace &t = m_sheet.net(1);
    switch (Pressed(what)) {
    case Pressed::Rolled:
        QCOMPARE(t.history.count, before.history.count + 1);
        QCOMPARE(p.from, die::field(7, 7));
        break;
    case Pressed::Blanked:
        QVERIFY(before.pictureGrid.at(f) != trace::Imprint());
        QCOMPARE(t.pictureGrid.at(f), trace::Imprint());
        break;
    case Pressed::Turned:
        QCOMPARE(int(t.pictureGrid.at(f).rotation), (before.pictureGrid.at(f).rotation + 1) % 4);
        break;
    case Pressed::Revealed:
        QCOMPARE(t.pictureGrid.at(f), t.traceGrid.at(f));
        break;
    default:
        QCOMPARE(t.pictureGrid, before.pictureGrid);
    }
    QCOMPARE(t.history == before.history, what != int(Pressed::Rolled));
}

void tst_TraceSheet::pictureMode()
{
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.press(2, Qt::LeftButton, false, field(8, 4));
    QVERIFY(!m_sheet.release(1));
    QVERIFY(m_sheet.release(2));   // the released net becomes active
    QCOMPARE(m_sheet.activeNet(), 2);
    QVERIFY(m_sheet.enterPictureMode());
    QCOMPARE(m_sheet.mode(), Mode::Picture);
    QCOMPARE(m_sheet.net(2).pictureGrid, m_sheet.net(2).traceGrid);
    QCOMPARE(m_sheet.net(1).pictureGrid, trace::Grid());   // only the active net's
    m_sheet.press(2, Qt::RightButton, false, field(8, 4));
    const trace::Grid edited = m_sheet.net(2).pictureGrid;
    QVERIFY(!m_sheet.enterPictureMode());   // already: keeps the edits
    QCOMPARE(m_sheet.net(2).pictureGrid, edited);
    m_sheet.restorePicture();
    QCOMPARE(m_sheet.net(2).pictureGrid, m_sheet.net(2).traceGrid);
    m_sheet.leavePictureMode();
    QCOMPARE(m_sheet.mode(), Mode::Trace);
}

void tst_TraceSheet::undoAndNewTrace()
{
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.press(1, Qt::LeftButton, false, field(8, 4));
    m_sheet.press(1, Qt::LeftButton, false, field(9, 4));
    m_sheet.enterPictureMode();
    QVERIFY(!m_sheet.undo());   // not in picture mode
    m_sheet.leavePictureMode();
    QVERIFY(m_sheet.undo());
    QCOMPARE(m_sheet.net(1).history.count, 1);
    QCOMPARE(m_sheet.net(1).last, field(8, 4));
    m_sheet.newTrace(1);
    QCOMPARE(m_sheet.net(1).history.count, 0);
    QCOMPARE(m_sheet.net(1).last, startField);
    QVERIFY(!m_sheet.undo());
}

void tst_TraceSheet::loadOfNothingChangesNothing()
{
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.press(1, Qt::LeftButton, false, field(8, 4));
    const QByteArray before = m_sheet.fileBytes(1);
    QVERIFY(!m_sheet.load(1, "kp\r\n"));
    QVERIFY(!m_sheet.load(3, before));
    QVERIFY(!m_sheet.loadPending());
    m_sheet.finishLoad();
    QVERIFY(m_sheet.loadPending());
    const auto read = m_sheet.takeLoaded();
    QVERIFY(!read[0] && !read[1]);
    QVERIFY(!m_sheet.loadPending());
    QCOMPARE(m_sheet.mode(), Mode::Trace);
    QCOMPARE(m_sheet.controls().undo, true);
    QCOMPARE(m_sheet.fileBytes(1), before);
}

void tst_TraceSheet::loadRebuilds_data()
{
    QTest::addColumn<bool>("firstUse");   // the showing after the load refreshes first
    QTest::newRow("after use") << false;
    QTest::newRow("first use") << true;
}

void tst_TraceSheet::loadRebuilds()
{
    QFETCH(bool, firstUse);
    // A file: right, then down; its picture grid blank but the start field.
    trace::Grid picture;
    picture.at(startField) = { 6, 1 };
    trace::History history;
    history.count = 2;
    history.moves[0] = Right;
    history.moves[1] = Down;
    const QByteArray file = tracefile::write(picture, history);

    if (!firstUse) {
        m_sheet.refresh(m_snapshot, yes);
        m_sheet.press(1, Qt::LeftButton, false, field(7, 3));   // the upper net, active, not loaded
    }
    QVERIFY(m_sheet.load(2, file));
    QVERIFY(m_sheet.loadPending());
    QList<int> asked;
    if (m_sheet.needsRefresh()) {
        const auto done = m_sheet.refresh(m_snapshot, [&](int n) { asked << n; return true; });
        QCOMPARE(done[1], TraceSheet::Refreshed::LoadedFromFile);
    }
    QVERIFY(asked.isEmpty());
    const auto read = m_sheet.takeLoaded();
    QVERIFY(!read[0] && read[1]);
    QCOMPARE(m_sheet.mode(), Mode::Picture);
    QCOMPARE(m_sheet.controls(), (TraceSheet::Controls{ false, false, true, true, false }));
    const trace::Trace &t = m_sheet.net(2);
    QCOMPARE(t.history, history);
    QCOMPARE(t.pictureGrid, picture);
    QCOMPARE(t.last, field(8, 5));
    // Right: the east face 2 turned by 3. Down: the south face, which the
    // right roll turned by 1, turned by 2 more: face 1 with (1 + 1 + 2) mod 4.
    QCOMPARE(t.traceGrid.at(field(8, 4)), (trace::Imprint{ 2, 3 }));
    QCOMPARE(t.traceGrid.at(field(8, 5)), (trace::Imprint{ 1, 0 }));
    // The active upper net entered picture mode as a click would.
    QCOMPARE(m_sheet.net(1).pictureGrid, m_sheet.net(1).traceGrid);
    QCOMPARE(m_sheet.fileBytes(2), file);
}

void tst_TraceSheet::neverFilledPictureIsTheTrace()
{
    // Rolled and confirmed without picture mode: the file holds the trace
    // that the net shows, not a blank grid.
    m_snapshot.rotations = {};
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.press(1, Qt::LeftButton, false, field(8, 4));   // face 2 with 3 turns
    QCOMPARE(m_sheet.fileBytes(1), traceFile({{74, "60"}, {84, "23"}}, "1", "3"));
    QCOMPARE(m_sheet.fileBytes(2), traceFile({{74, "60"}}, "0", ""));
    m_sheet.press(1, Qt::LeftButton, false, field(8, 5));   // face 1, turned 1 + 2
    QCOMPARE(m_sheet.fileBytes(1), traceFile({{74, "60"}, {84, "23"}, {85, "13"}}, "2", "32"));

    // Picture mode fills the active net's picture grid; edits show in its file.
    QVERIFY(m_sheet.enterPictureMode());
    m_sheet.press(1, Qt::RightButton, false, field(8, 4));
    QCOMPARE(m_sheet.fileBytes(1), traceFile({{74, "60"}, {85, "13"}}, "2", "32"));
    // The other net's first edit starts from its trace.
    m_sheet.press(2, Qt::LeftButton, true, startField);
    QCOMPARE(m_sheet.fileBytes(2), traceFile({{74, "61"}}, "0", ""));
    // A picture grid once filled stays the file's grid, as before: a later
    // roll is not in it.
    m_sheet.leavePictureMode();
    m_sheet.press(1, Qt::LeftButton, false, field(9, 5));
    QCOMPARE(m_sheet.fileBytes(1), traceFile({{74, "60"}, {85, "13"}}, "3", "323"));
}

void tst_TraceSheet::shownAgainstTheTrace()
{
    using Change = answermarks::Change;
    QImage upperImage = netImage(), lowerImage = netImage();
    Canvas upper(upperImage), lower(lowerImage);
    m_sheet.refresh(m_snapshot, yes);
    m_sheet.drawNewTrace(1, upper);
    m_sheet.drawNewTrace(2, lower);
    const auto pressed = [this](int n, Qt::MouseButton button, bool turnKey, Field f, Canvas &canvas) {
        m_sheet.drawPress(n, f, m_sheet.press(n, button, turnKey, f), canvas);
    };
    const Field a = field(8, 4), b = field(9, 4), c = field(9, 3);
    for (Field f : {a, b, c})
        pressed(1, Qt::LeftButton, false, f, upper);
    pressed(2, Qt::LeftButton, false, field(7, 5), lower);
    for (Field f : {startField, a, b, c})
        QCOMPARE(m_sheet.shownChange(1, f), Change::None);

    QVERIFY(m_sheet.enterPictureMode());
    pressed(1, Qt::RightButton, false, a, upper);
    pressed(1, Qt::LeftButton, true, b, upper);
    for (int i = 0; i < 4; ++i)   // a whole turn
        pressed(1, Qt::LeftButton, true, c, upper);
    QCOMPARE(m_sheet.shownChange(1, a), Change::Hidden);
    QCOMPARE(m_sheet.shownChange(1, b), Change::Turned);
    QCOMPARE(m_sheet.shownChange(1, c), Change::None);
    // A blanked start field is hidden until a plain redraw shows it again.
    pressed(1, Qt::RightButton, false, startField, upper);
    QCOMPARE(m_sheet.shownChange(1, startField), Change::Hidden);
    m_sheet.drawNet(1, upper, true);
    QCOMPARE(m_sheet.shownChange(1, startField), Change::None);
    QCOMPARE(m_sheet.shownChange(1, a), Change::Hidden);
    QCOMPARE(m_sheet.shownChange(1, b), Change::Turned);

    // Back in trace mode with the lower net active: only the lower net is
    // redrawn, the upper one still shows its edits.
    m_sheet.selectNet(2);
    m_sheet.leavePictureMode();
    m_sheet.drawNet(2, lower, true);
    QCOMPARE(m_sheet.shownChange(1, a), Change::Hidden);
    // A roll there draws its new field as rolled; the edits stay shown.
    pressed(1, Qt::LeftButton, false, field(9, 2), upper);
    QCOMPARE(m_sheet.net(1).history.count, 4);
    QCOMPARE(m_sheet.shownChange(1, field(9, 2)), Change::None);
    QCOMPARE(m_sheet.shownChange(1, a), Change::Hidden);
    QCOMPARE(m_sheet.shownChange(1, b), Change::Turned);
    // Redrawn ("překreslit obrázek") it shows the trace whole.
    m_sheet.selectNet(1);
    m_sheet.drawNet(1, upper, true);
    for (Field f : trace::path(m_sheet.net(1).history))
        QCOMPARE(m_sheet.shownChange(1, f), Change::None);
}

void tst_TraceSheet::thumbnailInOriginalTurns()
{
    m_sheet.refresh(m_snapshot, yes);
    QImage image(net::thumbWidth, net::thumbHeight, QImage::Format_RGB32);
    image.fill(0xFF808080);
    Canvas canvas(image);
    m_sheet.drawThumbnail(canvas);
    for (int s = 1; s <= net::squareCount; ++s) {
        const QImage tile = m_sheet.tiles()[net::net_faces[0][s - 1] - 1];
        const int turn = net::originalTurn(1, s, m_snapshot.rotations);
        const QImage area = image.copy(net::square_x[s - 1], net::square_y[s - 1], 32, 32);
        QCOMPARE(area, tile.transformed(QTransform().rotate(90 * turn)).convertToFormat(QImage::Format_RGB32));
    }
    const QImage whole = image.copy();
    image.fill(0xFF808080);
    m_sheet.drawThumbnailSquare(3, canvas);
    QCOMPARE(image.copy(net::square_x[2], net::square_y[2], 32, 32),
             whole.copy(net::square_x[2], net::square_y[2], 32, 32));
    QCOMPARE(image.pixel(net::square_x[0], net::square_y[0]), 0xFF808080u);   // only square 3
}

QTEST_MAIN(tst_TraceSheet)
#include "tst_tracesheet.moc"
