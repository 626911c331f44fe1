#include "canvas.h"

#include <QtTest>

class tst_Canvas : public QObject
{
    Q_OBJECT
private:
    static QImage blank(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(0xFF808080);
        return image;
    }

private slots:
    void rectangleExcludesRightAndLowerEdges()
    {
        QImage image = blank(10, 10);
        Canvas c(image);
        c.rectangle(1, 1, 5, 4);
        QCOMPARE(c.pixel(1, 1), 0x000000u);
        QCOMPARE(c.pixel(4, 3), 0x000000u);
        QCOMPARE(c.pixel(2, 2), 0xFFFFFFu);
        QCOMPARE(c.pixel(5, 1), 0x808080u);
        QCOMPARE(c.pixel(1, 4), 0x808080u);
        QCOMPARE(c.pixel(0, 0), 0x808080u);
    }

    void lineSkipsItsEndPoint()
    {
        QImage image = blank(10, 10);
        Canvas c(image);
        c.moveTo(1, 1);
        c.lineTo(5, 1);
        QCOMPARE(c.pixel(1, 1), 0x000000u);
        QCOMPARE(c.pixel(4, 1), 0x000000u);
        QCOMPARE(c.pixel(5, 1), 0x808080u);
        c.lineTo(5, 4);
        QCOMPARE(c.pixel(5, 1), 0x000000u);
        QCOMPARE(c.pixel(5, 4), 0x808080u);
    }

    void frameUsesTheBrushColour()
    {
        QImage image = blank(6, 6);
        Canvas c(image);
        c.brushColor = 0xFF0000;
        c.frameRect(0, 0, 6, 6);
        QCOMPARE(c.pixel(0, 0), 0xFF0000u);
        QCOMPARE(c.pixel(5, 5), 0xFF0000u);
        QCOMPARE(c.pixel(2, 2), 0x808080u);
    }

    void invertedDottedOutlineDrawnTwiceRestores()
    {
        QImage image = blank(20, 20);
        image.setPixel(3, 3, 0xFF123456);
        const QImage before = image.copy();
        Canvas c(image);
        c.penMode = Canvas::PenMode::Invert;
        c.penStyle = Canvas::PenStyle::Dot;
        c.brushStyle = Canvas::BrushStyle::Clear;
        c.rectangle(2, 2, 15, 11);
        QVERIFY(image != before);
        QCOMPARE(c.pixel(2, 2), 0x7F7F7Fu);
        QCOMPARE(c.pixel(3, 2), 0x808080u);
        c.rectangle(2, 2, 15, 11);
        QCOMPARE(image, before);
    }

    void textIsClippedAndLaidOnTheBrush()
    {
        QImage image = blank(60, 30);
        Canvas c(image);
        c.textRect(QRect(5, 5, 20, 15), 6, 5, QStringLiteral("WWWWWWWW"));
        bool black = false;
        for (int y = 5; y < 20; ++y)
            for (int x = 5; x < 25; ++x)
                black = black || c.pixel(x, y) == 0;
        QVERIFY(black);
        for (int y = 0; y < 30; ++y)
            for (int x = 25; x < 60; ++x)
                QCOMPARE(c.pixel(x, y), 0x808080u);
        QCOMPARE(c.pixel(5, 19), 0xFFFFFFu);
    }
};

QTEST_MAIN(tst_Canvas)
#include "tst_canvas.moc"
