#include "tilecheck.h"
#include "tileshapes.h"

#include <QtTest>

using namespace tileshapes;
using tilecheck::Sheet;

namespace {

QImage marked(QImage tile, const QRect &mark)
{
    for (int y = mark.top(); y <= mark.bottom(); ++y)
        for (int x = mark.left(); x <= mark.right(); ++x)
            tile.setPixel(x, y, 0xFF000000);
    return tile;
}

// Darker by up to `depth` towards the right edge (`shift` 0), or moved by
// `shift` pixels down and right.
QImage changed(const QImage &tile, int depth, int shift)
{
    QImage out(32, 32, QImage::Format_RGB32);
    out.fill(Qt::white);
    for (int y = 0; y + shift < 32; ++y)
        for (int x = 0; x + shift < 32; ++x) {
            const int d = x * depth / 31;
            const QRgb c = tile.pixel(x, y);
            out.setPixel(x + shift, y + shift, qRgb(std::max(0, qRed(c) - d),
                         std::max(0, qGreen(c) - d), std::max(0, qBlue(c) - d)));
        }
    return out;
}

} // namespace

class tst_TileCheck : public QObject
{
    Q_OBJECT
private slots:
    void tolerance_data()
    {
        // The F's white area right of its middle bar holds the marks. The
        // 3 x 3 average of a difference of 255 over n pixels is 255 n / 9:
        // 28 for one pixel, 85 for a line, 113 for a 2 x 2 mark (limit 64).
        QTest::addColumn<QImage>("other");
        QTest::addColumn<bool>("alike");
        const QImage f = letterF();
        QTest::newRow("one pixel") << marked(f, QRect(24, 20, 1, 1)) << true;
        QTest::newRow("one corner pixel") << marked(f, QRect(31, 31, 1, 1)) << true;
        QTest::newRow("faint gradient") << changed(f, 48, 0) << true;
        QTest::newRow("strong gradient") << changed(f, 160, 0) << false;
        QTest::newRow("one-pixel line") << marked(f, QRect(22, 22, 4, 1)) << false;
        QTest::newRow("2 x 2 mark") << marked(f, QRect(24, 20, 2, 2)) << false;
        QTest::newRow("3 x 3 mark") << marked(f, QRect(23, 20, 3, 3)) << false;
        QTest::newRow("one pixel down and right") << changed(f, 0, 1) << true;
        QTest::newRow("two pixels down and right") << changed(f, 0, 2) << false;
    }
    void tolerance()
    {
        QFETCH(QImage, other);
        QFETCH(bool, alike);
        QCOMPARE(tilecheck::looksAlike(letterF(), other), alike);
        QCOMPARE(tilecheck::looksAlike(other, letterF()), alike);
    }

    void symmetries_data()
    {
        QTest::addColumn<QImage>("tile");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("F") << letterF() << false << false;
        QTest::newRow("Z, half turn") << letterZ() << true << false;
        QTest::newRow("T, vertical axis") << letterT() << false << true;
        QTest::newRow("E, horizontal axis") << letterE() << false << true;
        QTest::newRow("L, diagonal") << cornerL() << false << true;
        QTest::newRow("ring, all") << ring() << true << true;
    }
    void symmetries()
    {
        QFETCH(QImage, tile);
        QFETCH(bool, turned);
        QFETCH(bool, mirrored);
        const QList<int> all{1, 2, 3, 4, 5, 6}, none;
        tilecheck::Tiles six;
        six.fill(tile);   // six equal tiles: one group of all six on both sheets
        QCOMPARE(tilecheck::check(six, Sheet::Quiz), (tilecheck::Findings{turned ? all : none, none, {all}}));
        QCOMPARE(tilecheck::check(six, Sheet::Trace),
                 (tilecheck::Findings{turned ? all : none, mirrored ? all : none, {all}}));
    }

    void alikeFaces()
    {
        // Face 2 is face 1 turned, face 3 face 1 mirrored: the quiz pairs
        // 1 and 2, the trace groups 1, 2 and 3.
        const QImage f = letterF();
        const tilecheck::Tiles tiles{
                f, f.transformed(QTransform().rotate(90)).convertToFormat(QImage::Format_RGB32),
                f.mirrored(true, false), letterZ(), letterT(), letterE()};
        QCOMPARE(tilecheck::check(tiles, Sheet::Quiz), (tilecheck::Findings{{4}, {}, {{1, 2}}}));
        QCOMPARE(tilecheck::check(tiles, Sheet::Trace),
                 (tilecheck::Findings{{4}, {5, 6}, {{1, 2, 3}}}));
    }

    void message()
    {
        const tilecheck::Texts texts{"T1 %1.", "Tn %1.", "M1 %1.", "Mn %1.", "A %1."};
        QCOMPARE(tilecheck::message({{3}, {2, 5}, {{1, 4}, {2, 5, 6}}}, texts),
                 QStringLiteral("T1 3.\nMn 2, 5.\nA 1, 4.\nA 2, 5, 6."));
        QCOMPARE(tilecheck::message({}, texts), QString());
    }
};

QTEST_GUILESS_MAIN(tst_TileCheck)
#include "tst_tilecheck.moc"
