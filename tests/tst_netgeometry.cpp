#include "canvas.h"
#include "facetiles.h"
#include "netgeometry.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using net::squareCount;
using testfiles::demo;

class tst_NetGeometry : public QObject
{
    Q_OBJECT
private:
    static QStringList demoNames()
    {
        return {demo("1-predni.bmp"), demo("2-prava.bmp"), demo("3-zadni.bmp"),
                demo("4-leva.bmp"), demo("5-horni.bmp"), demo("6-dolni.bmp")};
    }
    // Every pixel different, so any wrong mapping shows.
    static QImage asymmetricTile()
    {
        QImage tile(32, 32, QImage::Format_RGB32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                tile.setPixel(x, y, qRgb(x * 8, y * 8, (x * 3 + y) & 0xFF));
        return tile;
    }
    // The tile as it must look in turn r (quarter turns clockwise on screen).
    static QImage turned(const QImage &tile, int r)
    {
        return tile.copy(0, 0, 32, 32).transformed(QTransform().rotate(90 * r))
                .convertToFormat(QImage::Format_RGB32);
    }
    static QImage blankThumbnail()
    {
        QImage image(net::thumbWidth, net::thumbHeight, QImage::Format_RGB32);
        image.fill(0xFF808080);
        return image;
    }
    static QImage squareArea(const QImage &thumb, int square)
    {
        return thumb.copy(net::square_x[square - 1], net::square_y[square - 1], 32, 32)
                .convertToFormat(QImage::Format_RGB32);
    }
    static void writeImage(const QString &path, const QImage &image)
    {
        QVERIFY(image.save(path, "BMP"));
    }

private slots:
    void squareAt_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("square");
        QTest::newRow("35,50 left end") << 35 << 50 << 1;
        QTest::newRow("36,50 centre") << 36 << 50 << 3;
        QTest::newRow("68,50 centre") << 68 << 50 << 3;
        QTest::newRow("69,50 third") << 69 << 50 << 5;
        QTest::newRow("102,50 third") << 102 << 50 << 5;
        QTest::newRow("103,50 right end") << 103 << 50 << 6;
        QTest::newRow("50,35 above") << 50 << 35 << 2;
        QTest::newRow("50,69 below") << 50 << 69 << 4;
        QTest::newRow("50,68 centre") << 50 << 68 << 3;
        QTest::newRow("120,10 outside top") << 120 << 10 << 2;
        QTest::newRow("10,90 outside bottom") << 10 << 90 << 4;
        QTest::newRow("0,0 corner") << 0 << 0 << 2;
        QTest::newRow("137,103 corner") << 137 << 103 << 4;
    }
    void squareAt()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, square);
        QCOMPARE(net::square_at(x, y), square);
    }

    void inNet_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("inside");
        QTest::newRow("10,10") << 10 << 10 << false;
        QTest::newRow("120,10") << 120 << 10 << false;
        QTest::newRow("10,90") << 10 << 90 << false;
        QTest::newRow("120,90") << 120 << 90 << false;
        QTest::newRow("69,100") << 69 << 100 << true;
        QTest::newRow("137,36") << 137 << 36 << true;
        QTest::newRow("35,35") << 35 << 35 << false;
        QTest::newRow("70,70") << 70 << 70 << false;
        QTest::newRow("36,0") << 36 << 0 << true;
        QTest::newRow("0,69") << 0 << 69 << true;
    }
    void inNet()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, inside);
        QCOMPARE(net::in_net(x, y), inside);
    }

    void tableInvariants()
    {
        std::array<int, 7> onCentre{};
        for (int k = 0; k < net::layoutCount; ++k) {
            QList<int> faces;
            for (int s = 0; s < squareCount; ++s)
                faces << net::net_faces[k][s];
            std::sort(faces.begin(), faces.end());
            QCOMPARE(faces, QList<int>({1, 2, 3, 4, 5, 6}));
            ++onCentre[net::net_faces[k][2]];
            for (int s = 0; s < squareCount; ++s)
                QVERIFY(net::net_turns[k][s] < 4);
        }
        for (int f = 1; f <= 6; ++f)
            QCOMPARE(onCentre[f], 2);
    }

    void tileTurns_data()
    {
        QTest::addColumn<int>("square");
        QTest::addColumn<int>("turn");
        for (int s : {1, 3, 6})
            for (int r = 0; r < 4; ++r)
                QTest::addRow("square %d turn %d", s, r) << s << r;
        QTest::newRow("turn 5 acts as 1") << 4 << 5;
    }
    void tileTurns()
    {
        QFETCH(int, square);
        QFETCH(int, turn);
        const QImage tile = asymmetricTile();
        QImage thumb = blankThumbnail();
        Canvas canvas(thumb);
        net::drawThumbnailFrame(canvas);
        const QImage before = thumb.copy();
        net::drawTile(canvas, tile, square, turn);
        QCOMPARE(squareArea(thumb, square), turned(tile, turn & 3));
        // Only the picture area changed: the frame and the rest stay.
        const QRect area(net::square_x[square - 1], net::square_y[square - 1], 32, 32);
        for (int y = 0; y < thumb.height(); ++y)
            for (int x = 0; x < thumb.width(); ++x)
                if (!area.contains(x, y) && thumb.pixel(x, y) != before.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changed").arg(x).arg(y)));
        // The clockwise quarter turn puts the tile's top-left pixel at the top-right.
        if ((turn & 3) == 1)
            QCOMPARE(thumb.pixel(area.x() + 31, area.y()), tile.pixel(0, 0));
    }

    void framesShareTheirLines()
    {
        QImage thumb = blankThumbnail();
        Canvas canvas(thumb);
        net::drawThumbnailFrame(canvas);
        const QRgb black = 0xFF000000, white = 0xFFFFFFFF;
        // The thumbnail outline.
        for (int x = 0; x < 138; ++x) {
            QCOMPARE(thumb.pixel(x, 0), black);
            QCOMPARE(thumb.pixel(x, 103), black);
        }
        for (int y = 0; y < 104; ++y) {
            QCOMPARE(thumb.pixel(0, y), black);
            QCOMPARE(thumb.pixel(137, y), black);
        }
        QCOMPARE(thumb.pixel(1, 1), white);
        QCOMPARE(thumb.pixel(136, 102), white);
        // Each square: a 34 x 34 outline, white inside.
        for (int s = 1; s <= squareCount; ++s) {
            const int x = net::square_x[s - 1], y = net::square_y[s - 1];
            for (int i = -1; i <= 32; ++i) {
                QCOMPARE(thumb.pixel(x + i, y - 1), black);
                QCOMPARE(thumb.pixel(x + i, y + 32), black);
                QCOMPARE(thumb.pixel(x - 1, y + i), black);
                QCOMPARE(thumb.pixel(x + 32, y + i), black);
            }
            for (int b = 0; b < 32; ++b)
                for (int a = 0; a < 32; ++a)
                    QCOMPARE(thumb.pixel(x + a, y + b), white);
        }
        // One shared line between neighbours, not two.
        QCOMPARE(thumb.pixel(35, 50), black);
        QCOMPARE(thumb.pixel(34, 50), white);
        QCOMPARE(thumb.pixel(36, 50), white);
        QCOMPARE(thumb.pixel(50, 68), black);
        QCOMPARE(thumb.pixel(50, 67), white);
        QCOMPARE(thumb.pixel(50, 69), white);
        QCOMPARE(thumb.pixel(50, 35), black);
        QCOMPARE(thumb.pixel(50, 34), white);
        // Outside the net the thumbnail stays white.
        QCOMPARE(thumb.pixel(10, 10), white);
        QCOMPARE(thumb.pixel(120, 90), white);
    }

    void blankSquareRemovesThePicture()
    {
        QImage thumb = blankThumbnail();
        Canvas canvas(thumb);
        net::drawThumbnailFrame(canvas);
        const QImage fresh = thumb.copy();
        net::drawTile(canvas, asymmetricTile(), 5, 2);
        QVERIFY(thumb != fresh);
        net::drawBlankSquare(canvas, 5);
        QCOMPARE(thumb, fresh);
    }

    void originalTurns_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QList<int>>("rotations");
        QTest::addColumn<QList<int>>("turns");
        const QList<int> zero{0, 0, 0, 0, 0, 0};
        QTest::newRow("layout 1, face 6 upside down") << 1 << zero << QList<int>{0, 0, 0, 2, 0, 0};
        QTest::newRow("layout 3, face 5 upside down") << 3 << zero << QList<int>{0, 2, 0, 0, 0, 0};
        // Layout 1 has faces 4 5 1 6 2 3 on its squares.
        QTest::newRow("layout 1, front turned 1") << 1 << QList<int>{1, 0, 0, 0, 0, 0}
                                                  << QList<int>{0, 0, 1, 2, 0, 0};
        QTest::newRow("rotation 5 acts as 1") << 1 << QList<int>{5, 0, 0, 0, 0, 0}
                                              << QList<int>{0, 0, 1, 2, 0, 0};
        QTest::newRow("rotation 4 acts as 0") << 1 << QList<int>{4, 4, 4, 4, 4, 4}
                                              << QList<int>{0, 0, 0, 2, 0, 0};
        QTest::newRow("bottom 3 wraps to 1") << 1 << QList<int>{0, 0, 0, 0, 0, 3}
                                             << QList<int>{0, 0, 0, 1, 0, 0};
        QTest::newRow("byte 255 acts as 3") << 3 << QList<int>{0, 0, 0, 0, 255, 0}
                                            << QList<int>{0, 1, 0, 0, 0, 0};
    }
    void originalTurns()
    {
        QFETCH(int, layout);
        QFETCH(QList<int>, rotations);
        QFETCH(QList<int>, turns);
        std::array<quint8, 6> rot{};
        for (int i = 0; i < 6; ++i)
            rot[i] = quint8(rotations[i]);
        // Draw the thumbnail with the demo tiles and check what each square shows.
        std::array<QImage, 6> tiles;
        for (int i = 0; i < 6; ++i)
            tiles[i] = facetiles::loadTile(demoNames()[i], QString());
        QImage thumb = blankThumbnail();
        Canvas canvas(thumb);
        net::drawThumbnailFrame(canvas);
        for (int s = 1; s <= squareCount; ++s) {
            const int turn = net::originalTurn(layout, s, rot);
            QCOMPARE(turn, turns[s - 1]);
            net::drawTile(canvas, tiles[net::net_faces[layout - 1][s - 1] - 1], s, turn);
        }
        for (int s = 1; s <= squareCount; ++s) {
            const QImage tile = tiles[net::net_faces[layout - 1][s - 1] - 1];
            QCOMPARE(squareArea(thumb, s), turned(tile, turns[s - 1]));
        }
    }

    void demoTilesAreTheirBitmaps()
    {
        const QStringList names = demoNames();
        for (const QString &name : names) {
            const QImage tile = facetiles::loadTile(name, QString());
            QCOMPARE(tile.size(), QSize(32, 32));
            QCOMPARE(tile.convertToFormat(QImage::Format_RGB32),
                     QImage(name).convertToFormat(QImage::Format_RGB32));
        }
        // The demo tiles are not symmetric under a half turn, or turn checks would be blind.
        for (const QString &name : names) {
            const QImage tile = facetiles::loadTile(name, QString());
            QVERIFY(turned(tile, 2) != tile.convertToFormat(QImage::Format_RGB32));
        }
    }

    void tileSources_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing companion and picture give white") << "missing";
        QTest::newRow("64 x 64 companion gives its top-left 32 x 32") << "large";
        QTest::newRow("16 x 16 companion leaves the rest white") << "small";
        QTest::newRow("missing companion falls back to the scaled picture") << "picture";
    }
    void tileSources()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString bmp = dir.filePath("pes.bmp");
        const QString png = dir.filePath("pes.png");
        // Four quadrants of distinct colours.
        auto quadrants = [](int size) {
            QImage image(size, size, QImage::Format_RGB32);
            const int h = size / 2;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    image.setPixel(x, y, x < h ? (y < h ? 0xFFFF0000 : 0xFF00FF00)
                                               : (y < h ? 0xFF0000FF : 0xFFFFFF00));
            return image;
        };
        // A tile loaded before must not leak into a later load.
        const QImage earlier = facetiles::loadTile(demoNames()[0], QString());
        QVERIFY(earlier.pixel(16, 16) != 0xFFFFFFFF || earlier.pixel(5, 5) != 0xFFFFFFFF);

        QImage tile;
        if (kind == "missing") {
            tile = facetiles::loadTile(bmp, png);
            QImage white(32, 32, QImage::Format_RGB32);
            white.fill(Qt::white);
            QCOMPARE(tile.convertToFormat(QImage::Format_RGB32), white);
        } else if (kind == "large") {
            const QImage source = quadrants(64);
            writeImage(bmp, source);
            tile = facetiles::loadTile(bmp, png);
            QCOMPARE(tile.convertToFormat(QImage::Format_RGB32), source.copy(0, 0, 32, 32));
            // The top-left quadrant is all red: nothing scaled in.
            QCOMPARE(tile.pixel(31, 31), 0xFFFF0000u);
        } else if (kind == "small") {
            writeImage(bmp, quadrants(16));
            tile = facetiles::loadTile(bmp, png);
            QCOMPARE(tile.pixel(0, 0), 0xFFFF0000u);
            QCOMPARE(tile.pixel(15, 15), 0xFFFFFF00u);
            QCOMPARE(tile.pixel(16, 0), 0xFFFFFFFFu);
            QCOMPARE(tile.pixel(31, 31), 0xFFFFFFFFu);
        } else {
            QVERIFY(quadrants(128).save(png, "PNG"));
            tile = facetiles::loadTile(bmp, png);
            QCOMPARE(tile.size(), QSize(32, 32));
            QCOMPARE(tile.pixel(4, 4) & 0xFFFFFF, 0xFF0000u);
            QCOMPARE(tile.pixel(27, 4) & 0xFFFFFF, 0x0000FFu);
            QCOMPARE(tile.pixel(4, 27) & 0xFFFFFF, 0x00FF00u);
            QCOMPARE(tile.pixel(27, 27) & 0xFFFFFF, 0xFFFF00u);
        }
        QCOMPARE(tile.size(), QSize(32, 32));
    }
};

QTEST_MAIN(tst_NetGeometry)
#include "tst_netgeometry.moc"
