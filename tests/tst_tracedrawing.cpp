#include "canvas.h"
#include "facetiles.h"
#include "netgeometry.h"
#include "tracedrawing.h"

#include <QRandomGenerator>
#include <QTest>

using namespace die;

namespace {

QImage randomTile(quint32 seed)
{
    QRandomGenerator rng(seed);
    QImage tile(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            tile.setPixel(x, y, 0xFF000000 | (rng.generate() & 0xFFFFFF));
    return tile;
}

QImage netImage()
{
    QImage image(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

tracedraw::Tiles mirroredTiles()
{
    tracedraw::Tiles tiles;
    for (int i = 0; i < 6; ++i)
        tiles[i] = facetiles::mirrored(randomTile(100 + i));
    return tiles;
}

QRgb at(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

} // namespace

class tst_TraceDrawing : public QObject
{
    Q_OBJECT
private slots:
    void fieldAt_data();
    void fieldAt();
    void imprintIsMirroredTile_data();
    void imprintIsMirroredTile();
    void emptyFieldBlank();
    void gridLines_data();
    void gridLines();
    void arrow_data();
    void arrow();
    void lastFieldFramedRed();
    void replayRecomputesImprints();
    void plainRedraw_data();
    void plainRedraw();
    void arrowsFlag_data();
    void arrowsFlag();
};

void tst_TraceDrawing::fieldAt_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("origin") << 0 << 0 << 1 << 1;
    QTest::newRow("last of first") << 32 << 32 << 1 << 1;
    QTest::newRow("line 33") << 33 << 33 << 2 << 2;
    QTest::newRow("start centre") << 215 << 116 << 7 << 4;
    QTest::newRow("last pixels") << 429 << 231 << 14 << 8;
}

void tst_TraceDrawing::fieldAt()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, column);
    QFETCH(int, row);
    const Field f = tracedraw::fieldAt(x, y);
    QCOMPARE(die::column(f), column);
    QCOMPARE(die::row(f), row);
}

void tst_TraceDrawing::imprintIsMirroredTile_data()
{
    QTest::addColumn<int>("rotation");
    for (int q = 0; q < 4; ++q)
        QTest::addRow("rotation %d", q) << q;
}

void tst_TraceDrawing::imprintIsMirroredTile()
{
    // An imprint is the mirror image of the tile drawn in the same turn on
    // a net square.
    QFETCH(int, rotation);
    const tracedraw::Tiles tiles = mirroredTiles();
    const QImage plain = randomTile(100 + 2);   // face 3

    QImage thumb(net::thumbWidth, net::thumbHeight, QImage::Format_RGB32);
    thumb.fill(Qt::white);
    Canvas thumbCanvas(thumb);
    net::drawTile(thumbCanvas, plain, 3, rotation);
    const QImage turned = thumb.copy(net::square_x[2], net::square_y[2], 32, 32);
    const QImage expected = turned.mirrored(true, false);

    QImage image = netImage();
    Canvas canvas(image);
    trace::Grid grid;
    const Field f = field(3, 2);
    grid.at(f) = { 3, quint8(rotation) };
    tracedraw::dokresli_pole(canvas, f, grid, tiles);
    const int x0 = 33 * 2 + 1, y0 = 33 + 1;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i)
            QCOMPARE(at(image, x0 + i, y0 + j), at(expected, i, j));
    // The frame is black and nothing outside it was touched.
    QCOMPARE(at(image, x0 - 1, y0 - 1), 0x000000u);
    QCOMPARE(at(image, x0 + 32, y0 + 20), 0x000000u);
    QCOMPARE(at(image, x0 + 10, y0 + 32), 0x000000u);
    QCOMPARE(at(image, x0 + 33, y0 + 10), 0xFFFFFFu);
    QCOMPARE(at(image, x0 + 10, y0 - 2), 0xFFFFFFu);
}

void tst_TraceDrawing::emptyFieldBlank()
{
    QImage image = netImage();
    image.fill(Qt::green);
    Canvas canvas(image);
    trace::Grid grid;
    tracedraw::dokresli_pole(canvas, field(2, 2), grid, mirroredTiles());
    QCOMPARE(at(image, 33, 33), 0x000000u);
    QCOMPARE(at(image, 66, 66), 0x000000u);
    QCOMPARE(at(image, 50, 50), 0xFFFFFFu);
    QCOMPARE(at(image, 67, 50), QColor(Qt::green).rgb() & 0xFFFFFF);
}

void tst_TraceDrawing::gridLines_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<uint>("colour");
    QTest::newRow("vertical 0") << 0 << 100 << 0xC0C0C0u;
    QTest::newRow("vertical 33") << 33 << 10 << 0xC0C0C0u;
    QTest::newRow("vertical 429") << 429 << 200 << 0xC0C0C0u;
    QTest::newRow("horizontal 0") << 100 << 0 << 0xC0C0C0u;
    QTest::newRow("horizontal 198") << 5 << 198 << 0xC0C0C0u;
    QTest::newRow("horizontal 231") << 400 << 231 << 0xC0C0C0u;
    QTest::newRow("inside a field") << 10 << 10 << 0xFFFFFFu;
    QTest::newRow("beside a line") << 34 << 34 << 0xFFFFFFu;
}

void tst_TraceDrawing::gridLines()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(uint, colour);
    QImage image = netImage();
    image.fill(Qt::blue);
    Canvas canvas(image);
    canvas.penColor = 0x123456;
    tracedraw::clear(canvas);
    QCOMPARE(uint(at(image, x, y)), colour);
    QCOMPARE(uint(canvas.penColor), 0x123456u);
}

void tst_TraceDrawing::arrow_data()
{
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("tip");
    QTest::addColumn<QPoint>("end");
    // Leaving field (5, 3): 33c = 165, 33r = 99.
    QTest::newRow("right") << 6 << 3 << QPoint(161, 79) << QPoint(170, 82) << QPoint(160, 85);
    QTest::newRow("left") << 4 << 3 << QPoint(136, 82) << QPoint(127, 85) << QPoint(137, 88);
    QTest::newRow("down") << 5 << 4 << QPoint(145, 95) << QPoint(148, 104) << QPoint(151, 94);
    QTest::newRow("up") << 5 << 2 << QPoint(148, 70) << QPoint(151, 61) << QPoint(154, 71);
}

void tst_TraceDrawing::arrow()
{
    QFETCH(int, toColumn);
    QFETCH(int, toRow);
    QFETCH(QPoint, start);
    QFETCH(QPoint, tip);
    QFETCH(QPoint, end);
    QImage image = netImage();
    Canvas canvas(image);
    tracedraw::dokresli_sipku(canvas, field(5, 3), field(toColumn, toRow));
    QCOMPARE(at(image, start.x(), start.y()), 0x000000u);
    QCOMPARE(at(image, tip.x(), tip.y()), 0x000000u);
    QCOMPARE(at(image, end.x(), end.y()), 0xFFFFFFu);   // a line's end point is not painted
    const QRect box = QRect(start, tip).normalized().united(QRect(tip, end).normalized());
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) != 0xFFFFFFu) {
                QVERIFY2(box.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                ++painted;
            }
    // Two segments of nine or ten steps each, the tip painted once.
    QVERIFY(painted >= 18 && painted <= 20);
}

void tst_TraceDrawing::lastFieldFramedRed()
{
    trace::Trace t;
    obnov_kostku(t.initial, {});
    t.newTrace();
    QImage image = netImage();
    Canvas canvas(image);
    const tracedraw::Tiles tiles = mirroredTiles();
    tracedraw::prekresli_obrazek(canvas, t.history, t.traceGrid, tiles, t.initial, false);
    QCOMPARE(at(image, 198, 110), 0xFF0000u);   // start field framed red
    Field from = 0;
    QCOMPARE(t.roll(field(8, 4), &from), trace::Trace::RollResult::Accepted);
    tracedraw::drawRoll(canvas, from, t.last, t.traceGrid, tiles);
    QCOMPARE(at(image, 198, 110), 0x000000u);   // the old field's left line
    QCOMPARE(at(image, 210, 99), 0x000000u);    // and its top line
    QCOMPARE(at(image, 231, 105), 0xFF0000u);   // shared line, framed last
    QCOMPARE(at(image, 264, 105), 0xFF0000u);
    QCOMPARE(at(image, 250, 99), 0xFF0000u);
    QCOMPARE(at(image, 250, 132), 0xFF0000u);
    QCOMPARE(at(image, 227, 112), 0x000000u);   // the arrow drawn after the frames
    QCOMPARE(at(image, 236, 115), 0x000000u);
    QCOMPARE(uint(canvas.penColor), 0x000000u);
}

void tst_TraceDrawing::replayRecomputesImprints()
{
    trace::Trace t;
    obnov_kostku(t.initial, { 1, 0, 3, 2, 0, 1 });
    t.newTrace();
    for (Field f : { field(8, 4), field(8, 5), field(9, 5) })
        QCOMPARE(t.roll(f), trace::Trace::RollResult::Accepted);
    const tracedraw::Tiles tiles = mirroredTiles();

    QImage expected = netImage();
    Canvas expectedCanvas(expected);
    tracedraw::clear(expectedCanvas);
    for (Field f : { field(7, 4), field(8, 4), field(8, 5), field(9, 5) })
        tracedraw::dokresli_pole(expectedCanvas, f, t.traceGrid, tiles);
    tracedraw::ramecek(expectedCanvas, field(9, 5), tracedraw::red);

    trace::Grid wrong;   // the grid passed in does not matter
    wrong.at(field(8, 4)) = { 5, 2 };
    QImage image = netImage();
    Canvas canvas(image);
    tracedraw::prekresli_obrazek(canvas, t.history, wrong, tiles, t.initial, false);
    QCOMPARE(image, expected);
}

void tst_TraceDrawing::plainRedraw_data()
{
    QTest::addColumn<int>("startRotation");   // of the picture's start field; -1 blank
    QTest::newRow("start blanked: the start imprint") << -1;
    QTest::newRow("start turned: kept turned") << 1;
    QTest::newRow("start as rolled") << 0;
}

void tst_TraceDrawing::plainRedraw()
{
    QFETCH(int, startRotation);
    trace::Trace t;
    obnov_kostku(t.initial, {});
    t.newTrace();
    t.roll(field(8, 4));
    t.roll(field(9, 4));
    trace::Grid picture = t.traceGrid;
    picture.at(startField) = startRotation < 0 ? trace::Imprint{} : trace::Imprint{ 6, quint8(startRotation) };
    picture.at(field(8, 4)) = {};            // a blanked field
    picture.at(field(9, 4)).rotation = 1;    // a turned field
    picture.at(field(2, 2)) = { 1, 0 };      // off the path: not drawn
    const tracedraw::Tiles tiles = mirroredTiles();

    QImage expected = netImage();
    Canvas expectedCanvas(expected);
    tracedraw::clear(expectedCanvas);
    trace::Grid shown = picture;
    if (startRotation < 0)
        shown.at(startField) = t.initial[Underside];
    for (Field f : { field(7, 4), field(8, 4), field(9, 4) })
        tracedraw::dokresli_pole(expectedCanvas, f, shown, tiles);

    QImage image = netImage();
    Canvas canvas(image);
    tracedraw::prekresli_proste(canvas, t.history, picture, tiles, t.initial, false);
    QCOMPARE(image, expected);
    QCOMPARE(at(image, 50, 50), 0xFFFFFFu);
    QCOMPARE(at(image, 264, 110), 0x000000u);   // no red frame
}

void tst_TraceDrawing::arrowsFlag_data()
{
    QTest::addColumn<bool>("plain");
    QTest::newRow("replay") << false;
    QTest::newRow("plain") << true;
}

void tst_TraceDrawing::arrowsFlag()
{
    QFETCH(bool, plain);
    trace::Trace t;
    obnov_kostku(t.initial, {});
    t.newTrace();
    t.roll(field(8, 4));
    t.roll(startField);
    const tracedraw::Tiles tiles = mirroredTiles();
    QImage with = netImage(), without = netImage();
    Canvas a(with), b(without);
    if (plain) {
        tracedraw::prekresli_proste(a, t.history, t.traceGrid, tiles, t.initial, true);
        tracedraw::prekresli_proste(b, t.history, t.traceGrid, tiles, t.initial, false);
    } else {
        tracedraw::prekresli_obrazek(a, t.history, t.traceGrid, tiles, t.initial, true);
        tracedraw::prekresli_obrazek(b, t.history, t.traceGrid, tiles, t.initial, false);
    }
    QImage arrows = without;
    Canvas c(arrows);
    tracedraw::prekresli_sipky(c, t.history);
    QCOMPARE(with, arrows);
    QVERIFY(with != without);
    // Two separate arrowheads on the shared edge: right tip at y = 115,
    // left tip at y = 118.
    QCOMPARE(at(with, 236, 115), 0x000000u);
    QCOMPARE(at(with, 226, 118), 0x000000u);
}

QTEST_MAIN(tst_TraceDrawing)
#include "tst_tracedrawing.moc"
