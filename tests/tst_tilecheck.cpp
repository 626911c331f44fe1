#include "tilecheck.h"
#include "tileshapes.h"

#include <QtTest>

using namespace tileshapes;
using tilecheck::Sheet;

namespace {

tilecheck::Tiles sixOf(const QImage &tile)
{
    tilecheck::Tiles tiles;
    tiles.fill(tile);
    return tiles;
}

QImage withPixels(QImage tile, std::initializer_list<QPoint> points)
{
    for (const QPoint &p : points)
        tile.setPixel(p, 0xFF000000);
    return tile;
}

// Every pixel darker by up to `depth`, growing from the left to the right edge.
QImage withGradient(QImage tile, int depth)
{
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int d = x * depth / 31;
            const QRgb c = tile.pixel(x, y);
            tile.setPixel(x, y, qRgb(std::max(0, qRed(c) - d), std::max(0, qGreen(c) - d),
                                     std::max(0, qBlue(c) - d)));
        }
    return tile;
}

QImage shifted(const QImage &tile, int dx, int dy)
{
    QImage out(32, 32, QImage::Format_RGB32);
    out.fill(Qt::white);
    for (int y = 0; y + dy < 32; ++y)
        for (int x = 0; x + dx < 32; ++x)
            out.setPixel(x + dx, y + dy, tile.pixel(x, y));
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
        QTest::newRow("one pixel") << withPixels(f, {{24, 20}}) << true;
        QTest::newRow("one corner pixel") << withPixels(f, {{31, 31}}) << true;
        QTest::newRow("faint gradient") << withGradient(f, 48) << true;
        QTest::newRow("strong gradient") << withGradient(f, 160) << false;
        QTest::newRow("one-pixel line") << withPixels(f, {{22, 22}, {23, 22}, {24, 22}, {25, 22}}) << false;
        QTest::newRow("2 x 2 mark") << withPixels(f, {{24, 20}, {25, 20}, {24, 21}, {25, 21}}) << false;
        QTest::newRow("3 x 3 mark") << withPixels(f, {{23, 20}, {24, 20}, {25, 20}, {23, 21}, {24, 21},
                                                     {25, 21}, {23, 22}, {24, 22}, {25, 22}})
                                    << false;
        QTest::newRow("one pixel down and right") << shifted(f, 1, 1) << true;
        QTest::newRow("two pixels right") << shifted(f, 2, 0) << false;
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
        const QList<int> all{1, 2, 3, 4, 5, 6};
        const QList<int> none;
        // Six equal tiles: one group of all six on both sheets.
        const tilecheck::Findings quiz = tilecheck::check(sixOf(tile), Sheet::Quiz);
        QCOMPARE(quiz, (tilecheck::Findings{turned ? all : none, none, {all}}));
        const tilecheck::Findings trace = tilecheck::check(sixOf(tile), Sheet::Trace);
        QCOMPARE(trace, (tilecheck::Findings{turned ? all : none, mirrored ? all : none, {all}}));
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

    void warnsOncePerTiles()
    {
        const tilecheck::Texts texts{"T1 %1", "Tn %1", "M1 %1", "Mn %1", "A %1"};
        tilecheck::Warning warning(Sheet::Quiz);
        tilecheck::Tiles tiles{letterF(), letterZ(), letterT(), letterE(), cornerL(),
                               withPixels(letterF(), {{31, 0}})};
        QCOMPARE(warning.take(tiles, texts), QStringLiteral("T1 2\nA 1, 6"));
        QCOMPARE(warning.take(tiles, texts), QString());
        const tilecheck::Tiles before = tiles;
        tiles[5] = ring();
        QCOMPARE(warning.take(tiles, texts), QStringLiteral("Tn 2, 6"));
        QCOMPARE(warning.take(before, texts), QStringLiteral("T1 2\nA 1, 6"));
    }
};

QTEST_GUILESS_MAIN(tst_TileCheck)
#include "tst_tilecheck.moc"
