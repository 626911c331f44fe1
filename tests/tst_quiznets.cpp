#include "canvas.h"
#include "netgeometry.h"
#include "quiznets.h"
#include "quizsheet.h"
#include "testfiles.h"
#include "textimage.h"

#include <QtTest>

namespace {

using testfiles::demo;

faceset::Snapshot demoSnapshot(const QList<int> &rotations, const QString &firstPicture = "1-predni.jpg")
{
    const QStringList pictures{firstPicture, "2-prava.png", "3-zadni.gif",
                               "4-leva.jpg", "5-horni.png", "6-dolni.gif"};
    QStringList labels, edits;
    for (int i = 0; i < 6; ++i) {
        labels << faceset::quoted(demo(pictures[i]));
        edits << QString::number(rotations[i]);
    }
    return faceset::takeSnapshot(labels, edits);
}

QImage thumbnail()
{
    QImage image(net::thumbWidth, net::thumbHeight, QImage::Format_RGB32);
    image.fill(0xFF808080);
    return image;
}

QImage area(const QImage &thumb, int square)
{
    return thumb.copy(net::square_x[square - 1], net::square_y[square - 1], 32, 32);
}

QImage expected(const QString &bmp, int turn)
{
    return QImage(demo(bmp)).convertToFormat(QImage::Format_RGB32)
            .transformed(QTransform().rotate(90 * turn)).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_QuizNets : public QObject
{
    Q_OBJECT
private slots:
    void turnSteps_data()
    {
        QTest::addColumn<QList<int>>("rotations");
        QTest::addColumn<QList<int>>("squares");   // turn steps on layout 1, in order
        QTest::addColumn<QList<int>>("turns");
        const QList<int> zero{0, 0, 0, 0, 0, 0};
        QTest::newRow("four steps on square 3") << zero << QList<int>{3, 3, 3, 3} << QList<int>{1, 2, 3, 0};
        QTest::newRow("counter shared") << zero << QList<int>{3, 5, 4, 1, 2} << QList<int>{1, 2, 1, 0, 1};
        QTest::newRow("front rotated 3") << QList<int>{3, 0, 0, 0, 0, 0} << QList<int>{3, 3} << QList<int>{0, 1};
    }
    void turnSteps()
    {
        QFETCH(QList<int>, rotations);
        QFETCH(QList<int>, squares);
        QFETCH(QList<int>, turns);
        QuizNets nets;
        nets.applyFaceSet(demoSnapshot(rotations));
        QImage thumb = thumbnail();
        Canvas canvas(thumb);
        nets.reset(1, canvas);
        for (int i = 0; i < squares.size(); ++i) {
            const int s = squares[i];
            QCOMPARE(nets.turnStep(1, s, canvas), turns[i]);
            QCOMPARE(int(nets.state(1, s)), turns[i]);
            QCOMPARE(nets.turnCounter(), (i + 1) % 4);
            const int face = net::net_faces[0][s - 1];
            static const QStringList bmps{"1-predni.bmp", "2-prava.bmp", "3-zadni.bmp",
                                          "4-leva.bmp", "5-horni.bmp", "6-dolni.bmp"};
            QCOMPARE(area(thumb, s), expected(bmps[face - 1], turns[i]));
        }
    }

    void resetAndRedraw()
    {
        QuizNets nets;
        nets.applyFaceSet(demoSnapshot({0, 1, 0, 0, 0, 0}));
        QImage thumb = thumbnail();
        Canvas canvas(thumb);
        nets.reset(2, canvas);
        // Layout 2: faces 1 5 2 6 3 4, base turns 0 1 0 1 0 0; face 2 rotated 1.
        QCOMPARE(nets.states(2), (QuizNets::States{0, 1, 1, 1, 0, 0}));
        const QImage fresh = thumb.copy();
        nets.drawBlank(3, canvas);
        nets.setState(2, 3, 4);
        nets.setState(2, 1, 7);
        QImage redrawn = thumbnail();
        Canvas other(redrawn);
        nets.redraw(2, other);
        // The redraw gives the reset picture with squares 1 (state 7) and 3 (hidden) blank.
        QImage wanted = fresh.copy();
        Canvas c(wanted);
        nets.drawBlank(1, c);
        nets.drawBlank(3, c);
        QCOMPARE(redrawn, wanted);
        QImage white(32, 32, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(area(redrawn, 3), white);
        QVERIFY(area(fresh, 3) != white);
        nets.drawOriginal(2, 3, other);
        QCOMPARE(area(redrawn, 3), expected("2-prava.bmp", 1));
        nets.reset(2, canvas);
        QCOMPARE(thumb, fresh);
        QCOMPARE(nets.states(2), (QuizNets::States{0, 1, 1, 1, 0, 0}));
    }

    // The answer is the thumbnail in its original turns; only the changed
    // squares carry a 2-pixel ring inside their picture area.
    void answerShowsWhatWasChanged()
    {
        QuizNets nets;
        nets.applyFaceSet(demoSnapshot({1, 0, 2, 0, 3, 0}));
        QImage original = thumbnail();
        Canvas canvas(original);
        nets.reset(5, canvas);
        nets.setState(5, 2, 4);
        nets.setState(5, 4, 9);   // any state above 3 is hidden
        nets.setState(5, 3, quint8((nets.originalTurn(5, 3) + 2) % 4));
        for (int i = 0; i < 4; ++i)
            nets.turnStep(5, 6, canvas);   // round to its original turn again
        using C = QuizNets::Change;
        const QList<C> changes{C::None, C::Hidden, C::Turned, C::Hidden, C::None, C::None};
        QImage wanted = original.copy();
        for (int s = 1; s <= 6; ++s) {
            QCOMPARE(nets.change(5, s), changes[s - 1]);
            if (changes[s - 1] == C::None)
                continue;
            const int x0 = net::square_x[s - 1];
            const int y0 = net::square_y[s - 1];
            for (int y = y0; y < y0 + 32; ++y)
                for (int x = x0; x < x0 + 32; ++x)
                    if (std::min({x - x0, y - y0, x0 + 31 - x, y0 + 31 - y}) < 2)
                        wanted.setPixel(x, y, changes[s - 1] == C::Hidden ? 0xFFFF0000 : 0xFF0000FF);
        }
        QCOMPARE(nets.answerImage(5), wanted);
    }

    void missingTileIsWhiteNotTheEarlierOne()
    {
        QuizNets nets;
        nets.applyFaceSet(demoSnapshot({0, 0, 0, 0, 0, 0}));
        QImage thumb = thumbnail();
        Canvas canvas(thumb);
        nets.reset(1, canvas);
        QCOMPARE(area(thumb, 3), expected("1-predni.bmp", 0));
        nets.applyFaceSet(demoSnapshot({0, 0, 0, 0, 0, 0}, "chybi.jpg"));
        nets.reset(1, canvas);
        QImage white(32, 32, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(area(thumb, 3), white);
        QCOMPARE(area(thumb, 5), expected("2-prava.bmp", 0));
    }

    void memoLines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("height");
        QTest::newRow("none") << 0 << 90;
        QTest::newRow("three") << 3 << 90;
        QTest::newRow("cut below the image") << 9 << 80;
    }
    void memoLines()
    {
        QFETCH(int, count);
        QFETCH(int, height);
        QImage image(240, height, QImage::Format_RGB32);
        image.fill(0xFF808080);
        Canvas canvas(image);
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("WWW řádek %1").arg(i);
        textimage::drawLines(canvas, lines, 239, 236, height);
        auto blacks = [&](const QRect &r) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    n += (image.pixel(x, y) & 0xFFFFFF) == 0;
            return n;
        };
        for (int i = 0; 10 + 15 * i + 15 <= height - 1; ++i) {
            const QRect band(5, 10 + 15 * i, 231, 15);
            if (i < count)
                QVERIFY2(blacks(band) > 10, qPrintable(QString::number(i)));
            else
                QCOMPARE(blacks(band), 0);
        }
        // The frame at the box's edges, the row and column 0 untouched.
        QCOMPARE(image.pixel(1, 1) & 0xFFFFFF, 0u);
        QCOMPARE(image.pixel(238, height - 1) & 0xFFFFFF, 0u);
        QCOMPARE(image.pixel(0, 0) & 0xFFFFFF, 0x808080u);
        QCOMPARE(image.pixel(239, 5) & 0xFFFFFF, 0x808080u);
        QCOMPARE(image.pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(canvas.brushColor, QRgb(0xFFFFFF));
    }

    void pressOnAThumbnail()
    {
        QuizSheet sheet;
        sheet.obnov(demoSnapshot({0, 1, 2, 3, 0, 1}));
        const QPoint home = QuizSheet::homePosition(2);
        const QPoint outside(10, 10), square3(50, 50);
        const auto state = [&] { return sheet.state().thumbnails[1].states[2]; };
        QVERIFY(!sheet.press(2, Qt::RightButton, false, outside));   // home already
        QVERIFY(!sheet.press(2, Qt::LeftButton, false, outside));
        QCOMPARE(sheet.place(2), (QuizSheet::Place{true, home}));
        sheet.moveTo(2, QPoint(100, 90));
        QVERIFY(sheet.press(2, Qt::RightButton, false, outside));
        QCOMPARE(sheet.place(2), (QuizSheet::Place{false, home}));
        // Both buttons: home first, then onto the sheet.
        sheet.moveTo(2, QPoint(100, 90));
        sheet.putOnSheet(2);
        QVERIFY(sheet.press(2, Qt::RightButton | Qt::LeftButton, false, outside));
        QCOMPARE(sheet.place(2), (QuizSheet::Place{true, home}));

        sheet.press(2, Qt::RightButton, false, square3);
        QCOMPARE(state(), quint8(4));
        QCOMPARE(sheet.place(2), (QuizSheet::Place{true, home}));
        sheet.press(2, Qt::LeftButton, false, square3);
        const quint8 original = quint8(sheet.nets().originalTurn(2, 3));
        QCOMPARE(state(), original);
        // A turn key or the middle button turns the square a step.
        const QImage shown = sheet.image(2);
        sheet.press(2, Qt::NoButton, true, square3);
        const QImage once = sheet.image(2);
        QVERIFY(once != shown);
        sheet.press(2, Qt::MiddleButton, false, square3);
        QVERIFY(sheet.image(2) != once);
        QCOMPARE(sheet.image(2).copy(0, 0, 30, 30), shown.copy(0, 0, 30, 30));   // other squares untouched
    }
};

QTEST_MAIN(tst_QuizNets)
#include "tst_quiznets.moc"
