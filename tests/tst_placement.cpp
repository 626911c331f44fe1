#include "placement.h"
#include "quizsheet.h"
#include "sheet.h"
#include "tracesheet.h"

#include <QtTest>

#include <cmath>
#include <limits>

using placement::ScaleReading;
using Status = placement::ScaleReading::Status;

class tst_Placement : public QObject
{
    Q_OBJECT
private:
    static constexpr double a4Ratio = 2480.0 / 442.0;

    static QImage filled(int w, int h, QRgb colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(0xFF000000 | colour);
        return image;
    }
    static sheet::Placed placed(QRgb colour, QPoint at, QSize size, bool visible = true)
    {
        return {filled(size.width(), size.height(), colour), at, visible};
    }
    static QRgb at(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    // Counts the pixels of one colour inside a rectangle.
    static int count(const QImage &image, const QRect &r, QRgb colour)
    {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += at(image, x, y) == colour;
        return n;
    }
    static bool isBlankSheet(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool edge = x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
                if (at(image, x, y) != (edge ? 0x000000u : 0xFFFFFFu))
                    return false;
            }
        return true;
    }
    // Items carry no names: match them back by their place.
    static QStringList names(const QList<sheet::Item> &items, const QMap<QString, QPoint> &places)
    {
        QStringList out;
        for (const sheet::Item &item : items)
            out << places.key(item.topLeft, QStringLiteral("?"));
        return out;
    }

private slots:
    void roundEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("82.5") << 82.5 << 82;
        QTest::newRow("27.5") << 27.5 << 28;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.6") << -2.6 << -3;
        QTest::newRow("118.095") << 24800.0 / 210 << 118;
        QTest::newRow("233.87") << 70160.0 / 300 << 234;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("huge") << 1e300 << (1 << 30);
        QTest::newRow("-huge") << -1e300 << -(1 << 30);
        QTest::newRow("inf") << std::numeric_limits<double>::infinity() << (1 << 30);
    }
    void roundEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(placement::roundEven(value), expected);
    }

    void readScale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("status");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << Status::NotANumber << 0.0;
        QTest::newRow("blanks only") << "   " << Status::NotANumber << 0.0;
        QTest::newRow("-2") << "-2" << Status::NotANumber << 0.0;
        QTest::newRow("abc") << "abc" << Status::NotANumber << 0.0;
        QTest::newRow("tab first") << "\t5" << Status::NotANumber << 0.0;
        QTest::newRow("0") << "0" << Status::TooSmall << 0.0;
        QTest::newRow("0,05") << "0,05" << Status::TooSmall << 0.05;
        QTest::newRow(".") << "." << Status::TooSmall << 0.0;
        QTest::newRow(",") << "," << Status::TooSmall << 0.0;
        QTest::newRow("0.1") << "0.1" << Status::Ok << 0.1;
        QTest::newRow("0,1") << "0,1" << Status::Ok << 0.1;
        QTest::newRow("0.09999") << "0.09999" << Status::TooSmall << 0.09999;
        QTest::newRow("  2 , 5 ") << "  2 , 5 " << Status::Ok << 2.5;
        QTest::newRow("2,5,7") << "2,5,7" << Status::Ok << 2.5;
        QTest::newRow("2.5.7") << "2.5.7" << Status::Ok << 2.5;
        QTest::newRow("12abc") << "12abc" << Status::Ok << 12.0;
        QTest::newRow("1 2") << "1 2" << Status::Ok << 12.0;
        QTest::newRow("5cm") << "5cm" << Status::Ok << 5.0;
        QTest::newRow(",5") << ",5" << Status::Ok << 0.5;
        QTest::newRow("10") << "10" << Status::Ok << 10.0;
        QTest::newRow("3.") << "3." << Status::Ok << 3.0;
        QTest::newRow("1.875") << "1.875" << Status::Ok << 1.875;
        QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << Status::NotANumber << 0.0;
    }
    void readScale()
    {
        QFETCH(QString, text);
        QFETCH(Status, status);
        QFETCH(double, value);
        const ScaleReading r = placement::readScale(text);
        QCOMPARE(r.status, status);
        if (status != Status::NotANumber)
            QCOMPARE(r.value, value);
    }

    void formatNumber_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const QLocale c = QLocale::c();
        const QLocale cs(QLocale::Czech, QLocale::Czechia);
        QTest::newRow("10") << c << 10.0 << "10";
        QTest::newRow("2.5 C") << c << 2.5 << "2.5";
        QTest::newRow("2.5 cs") << cs << 2.5 << "2,5";
        QTest::newRow("0.1 cs") << cs << 0.1 << "0,1";
        QTest::newRow("1.875 cs") << cs << 1.875 << "1,875";
        QTest::newRow("12345 cs no groups") << cs << 12345.0 << "12345";
    }
    void formatNumber()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(placement::formatNumber(value, locale), text);
        // What is shown reads back as the same number.
        QCOMPARE(placement::readScale(text).value, value);
    }

    void unitSize()
    {
        const placement::UnitSize unit = placement::unitSize(a4Ratio);
        QVERIFY(std::abs(unit.width - 37.427) < 0.001);
        QVERIFY(std::abs(unit.height - 53.468) < 0.001);
    }

    void outlineSize_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("size");
        QTest::newRow("A4 scale 1 (puvodni)") << a4Ratio << 1.0 << QSize(37, 53);
        QTest::newRow("A4 scale 5") << a4Ratio << 5.0 << QSize(187, 267);
        QTest::newRow("A4 scale 10") << a4Ratio << 10.0 << QSize(374, 535);
        QTest::newRow("ratio 1 scale 1") << 1.0 << 1.0 << QSize(210, 300);
        QTest::newRow("width 2.5 goes down") << 84.0 << 1.0 << QSize(2, 4);
        QTest::newRow("width 3.5 goes up") << 60.0 << 1.0 << QSize(4, 5);
    }
    void outlineSize()
    {
        QFETCH(double, ratio);
        QFETCH(double, scale);
        QFETCH(QSize, size);
        const placement::UnitSize unit = placement::unitSize(ratio);
        QCOMPARE(placement::outlineSize(unit, scale),
                 QSize(placement::roundEven(unit.width * scale),
                       placement::roundEven(unit.height * scale)));
        QCOMPARE(placement::outlineSize(unit, scale), size);
    }

    void previewPage()
    {
        QCOMPARE(placement::previewPage(true), QSize(210, 300));
        QCOMPARE(placement::previewPage(false), QSize(300, 210));
    }

    void nearlyOffPage_data()
    {
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QSize>("outline");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<bool>("off");
        const QSize o(187, 267);
        QTest::newRow("205,150 landscape kept") << QPoint(205, 150) << o << false << false;
        QTest::newRow("205,150 portrait reset") << QPoint(205, 150) << o << true << true;
        QTest::newRow("200,290 portrait kept") << QPoint(200, 290) << o << true << false;
        QTest::newRow("201 portrait reset") << QPoint(201, 0) << o << true << true;
        QTest::newRow("291 portrait bottom reset") << QPoint(0, 291) << o << true << true;
        QTest::newRow("290 landscape x kept") << QPoint(290, 0) << o << false << false;
        QTest::newRow("201 landscape y reset") << QPoint(0, 201) << o << false << true;
        QTest::newRow("left edge -10 kept") << QPoint(-197, 0) << o << true << false;
        QTest::newRow("left edge -11 reset") << QPoint(-198, 0) << o << true << true;
        QTest::newRow("top edge -10 kept") << QPoint(0, -277) << o << true << false;
        QTest::newRow("top edge -11 reset") << QPoint(0, -278) << o << true << true;
    }
    void nearlyOffPage()
    {
        QFETCH(QPoint, topLeft);
        QFETCH(QSize, outline);
        QFETCH(bool, portrait);
        QFETCH(bool, off);
        QCOMPARE(placement::nearlyOffPage(topLeft, outline, placement::previewPage(portrait)), off);
    }

    void printPlacement_data()
    {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QRect>("rect");  // left, top, right, lower edge (exclusive)
        QTest::newRow("worked example") << QSize(2480, 3508) << 10 << 20 << 5.0
                                        << QRect(QPoint(118, 234), QPoint(2318, 3234));
        QTest::newRow("scale 0.1875") << QSize(2480, 3508) << 0 << 0 << 0.1875
                                      << QRect(QPoint(0, 0), QPoint(82, 112));
        QTest::newRow("scale 0.0625") << QSize(2480, 3508) << 0 << 0 << 0.0625
                                      << QRect(QPoint(0, 0), QPoint(28, 38));
        QTest::newRow("negative") << QSize(2480, 3508) << -21 << -30 << 1.0
                                  << QRect(QPoint(-248, -351), QPoint(192, 249));
        QTest::newRow("landscape divisors stay") << QSize(3508, 2480) << 210 << 300 << 1.0
                                                 << QRect(QPoint(3508, 2480), QPoint(3948, 3080));
        QTest::newRow("no overflow") << QSize(100000, 100000) << 100000 << 100000 << 1.0
                                     << QRect(QPoint(47619048, 33333333), QPoint(47619488, 33333933));
    }
    void printPlacement()
    {
        QFETCH(QSize, page);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(double, scale);
        QFETCH(QRect, rect);
        const placement::PrintPlacement p = placement::printPlacement(page, left, top, scale);
        QCOMPARE(p.scale, scale);
        const QRect r = placement::destinationRect(p);
        // QRect(QPoint, QPoint) is inclusive: compare edges.
        QCOMPARE(r.left(), rect.left());
        QCOMPARE(r.top(), rect.top());
        QCOMPARE(r.left() + r.width(), rect.right());
        QCOMPARE(r.top() + r.height(), rect.bottom());
    }

    void previewOutlineFromTheShowing()
    {
        placement::Preview preview;
        QCOMPARE(preview.outline(), QSize(0, 0));   // sized only when shown
        preview.setPageRatio(0.0);
        preview.setPageRatio(-3.0);
        preview.setPageRatio(std::numeric_limits<double>::infinity());
        QCOMPARE(preview.pageRatio(), a4Ratio);
        preview.show();
        QCOMPARE(preview.outline(), QSize(374, 535));
        preview.setScale(5);
        QCOMPARE(preview.outline(), QSize(187, 267));
        preview.setChoices({2.5, 30, 40, false, false});
        QCOMPARE(preview.outline(), QSize(94, 134));
        QCOMPARE(preview.corner(), QPoint(30, 40));
        preview.restore();
        QCOMPARE(preview.choices(), (placement::Choices{1, 1, 1, false, false}));
        QCOMPARE(preview.outline(), QSize(37, 53));
        preview.setPageRatio(1.0);
        QCOMPARE(preview.outline(), QSize(37, 53));   // until the next showing
        preview.show();
        QCOMPARE(preview.outline(), QSize(210, 300));
    }

    void previewDrag()
    {
        placement::Preview preview;
        preview.show();
        QVERIFY(!preview.move(QPoint(5, 5)));
        QVERIFY(!preview.release(QPoint(100, 100)));
        QCOMPARE(preview.corner(), QPoint(1, 1));
        preview.press(QPoint(20, 20));
        QVERIFY(preview.dragging());
        QCOMPARE(preview.band(), QPoint(1, 1));
        QVERIFY(preview.move(QPoint(60, 80)));
        QCOMPARE(preview.band(), QPoint(41, 61));
        QCOMPARE(preview.corner(), QPoint(1, 1));   // not yet moved
        QVERIFY(preview.release(QPoint(65, 85)));
        QVERIFY(!preview.dragging());
        QCOMPARE(preview.corner(), QPoint(46, 66));
        preview.press(QPoint(10, 10));
        preview.setChoices(preview.choices());   // ends the drag
        QVERIFY(!preview.release(QPoint(0, 0)));
        QCOMPARE(preview.corner(), QPoint(46, 66));
    }

    void previewTurn()
    {
        placement::Preview preview;
        preview.show();
        preview.setChoices({5, 205, 150, true, true});
        preview.setPortrait(false);
        QCOMPARE(preview.corner(), QPoint(205, 150));
        preview.setPortrait(true);
        QCOMPARE(preview.choices(), (placement::Choices{5, 1, 1, true, true}));
    }

    void drawnOutline_data()
    {
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QSize>("outline");
        QTest::addColumn<QRect>("drawn");
        QTest::newRow("inside") << QPoint(46, 66) << QSize(37, 53) << QRect(46, 66, 37, 53);
        QTest::newRow("cut a pixel past the page") << QPoint(1, 1) << QSize(374, 535) << QRect(1, 1, 210, 300);
        QTest::newRow("huge") << QPoint(-3, -3) << QSize(1 << 30, 1 << 30) << QRect(-1, -1, 212, 302);
        QTest::newRow("off to the upper left") << QPoint(-59, -69) << QSize(37, 53) << QRect();
        QTest::newRow("off to the right") << QPoint(211, 0) << QSize(37, 53) << QRect();
        QTest::newRow("last column") << QPoint(210, 0) << QSize(37, 53) << QRect(210, 0, 1, 53);
    }
    void drawnOutline()
    {
        QFETCH(QPoint, corner);
        QFETCH(QSize, outline);
        QFETCH(QRect, drawn);
        QCOMPARE(placement::drawnOutline(corner, outline, QSize(210, 300)), drawn);
    }

    void sheetAsBmp()
    {
        QString error;
        const QImage sheet = sheet::blankSheet();
        const QByteArray bytes = sheet::bmpBytes(sheet, error);
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(QImage::fromData(bytes, "BMP").convertToFormat(sheet.format()), sheet);
        QVERIFY(error.isEmpty());
        QVERIFY(sheet::bmpBytes(QImage(), error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void printedName()
    {
        sheet::Printed printed;
        printed.pdfName = QStringLiteral("stopa-reseni.pdf");
        QCOMPARE(printed.name(), QStringLiteral("stopa-reseni"));
        printed.pdfName = QStringLiteral("kviz");
        QCOMPARE(printed.name(), QStringLiteral("kviz"));
    }

    void blankSheetHasFrame()
    {
        const QImage s = sheet::blankSheet();
        QCOMPARE(s.size(), QSize(440, 600));
        QVERIFY(isBlankSheet(s));
    }

    void quizWithoutTextsAndThumbnailsInPanel()
    {
        QuizSheet quiz;
        for (int i = 0; i < QuizSheet::textImageCount; ++i)
            quiz.textImage(QuizSheet::TextImage(i)) = placed(0x00FF00, QPoint(20, 400), QSize(100, 50));
        const QList<sheet::Item> items = quiz.items(false, false, {filled(10, 10, 0), QPoint(5, 5)});
        QVERIFY(items.isEmpty());
        QVERIFY(isBlankSheet(sheet::composeSheet(items)));
    }

    void quizOrder_data()
    {
        QTest::addColumn<bool>("withTexts");
        QTest::addColumn<QStringList>("visibleTexts");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("texts off") << false << QStringList{"popis", "nazev"}
                                   << QStringList{"Image2", "Image7"};
        QTest::newRow("texts on, logo only") << true << QStringList{}
                                             << QStringList{"Image2", "Image7", "logo"};
        QTest::newRow("texts on, all") << true
                                       << QStringList{"popis", "dalsipopis", "dalsipopis2", "nazev"}
                                       << QStringList{"Image2", "Image7", "popis", "dalsipopis",
                                                      "dalsipopis2", "nazev", "logo"};
        QTest::newRow("texts on, some") << true << QStringList{"nazev", "popis"}
                                        << QStringList{"Image2", "Image7", "popis", "nazev", "logo"};
    }
    void quizOrder()
    {
        QFETCH(bool, withTexts);
        QFETCH(QStringList, visibleTexts);
        QFETCH(QStringList, expected);
        QuizSheet quiz;
        QMap<QString, QPoint> places;
        const char *const texts[] = {"popis", "dalsipopis", "dalsipopis2", "nazev"};
        for (int i = 0; i < QuizSheet::textImageCount; ++i) {
            places[QLatin1String(texts[i])] = QPoint(5 + i, 5);
            quiz.textImage(QuizSheet::TextImage(i))
                    = placed(0x0000FF, QPoint(5 + i, 5), QSize(10, 10), visibleTexts.contains(QLatin1String(texts[i])));
        }
        // Placed on the sheet in reverse: the order must come from the layouts.
        for (int k : {7, 2}) {
            places[QStringLiteral("Image%1").arg(k)] = QPoint(k, k + 100);
            quiz.setPlace(k, {true, QPoint(k, k + 100)});
        }
        places[QStringLiteral("logo")] = QPoint(300, 570);
        const sheet::Item logo{filled(121, 25, 0xFF00FF), QPoint(300, 570)};
        QCOMPARE(names(quiz.items(withTexts, false, logo), places), expected);
    }

    void traceOrder_data()
    {
        QTest::addColumn<bool>("withTexts");
        QTest::addColumn<bool>("netsVisible");
        QTest::addColumn<bool>("thumbnailOnSheet");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all") << true << true << true
                             << QStringList{"popis", "logo", "Image5", "Image4", "Image1"};
        QTest::newRow("texts off") << false << true << true
                                   << QStringList{"Image5", "Image4", "Image1"};
        QTest::newRow("nets hidden, thumbnail in panel") << true << false << false
                                                         << QStringList{"popis", "logo"};
    }
    void traceOrder()
    {
        QFETCH(bool, withTexts);
        QFETCH(bool, netsVisible);
        QFETCH(bool, thumbnailOnSheet);
        QFETCH(QStringList, expected);
        TraceSheet trace;
        const QMap<QString, QPoint> places{{"Image1", QPoint(1, 1)}, {"Image4", QPoint(6, 340)},
                                           {"Image5", QPoint(6, 7)}, {"logo", QPoint(312, 570)},
                                           {"nazev", QPoint(8, 570)}, {"popis", QPoint(6, 248)}};
        const TraceSheet::Drawn drawn{{placed(0x333333, places["Image5"], QSize(430, 232), netsVisible),
                                       placed(0x222222, places["Image4"], QSize(430, 232), netsVisible)},
                                      placed(0x111111, places["Image1"], QSize(138, 104), thumbnailOnSheet)};
        QCOMPARE(trace.textImage(TraceSheet::TextImage::Popis).topLeft, places["popis"]);
        QVERIFY(!trace.textImage(TraceSheet::TextImage::Nazev).visible);
        const sheet::Item logo{filled(121, 25, 0x444444), places["logo"]};
        QCOMPARE(names(trace.items(withTexts, drawn, logo, false, false), places), expected);
    }

    void overlappingItemsLaterOnTop()
    {
        const QList<sheet::Item> items{{filled(138, 104, 0xFF0000), QPoint(50, 50)},
                                       {filled(138, 104, 0x0000FF), QPoint(100, 100)}};
        const QImage s = sheet::composeSheet(items);
        QCOMPARE(at(s, 50, 50), 0xFF0000u);
        QCOMPARE(at(s, 187, 99), 0xFF0000u);    // the first only
        QCOMPARE(at(s, 120, 120), 0x0000FFu);   // overlap: the later one
        QCOMPARE(at(s, 237, 203), 0x0000FFu);
        QCOMPARE(at(s, 238, 204), 0xFFFFFFu);
        QCOMPARE(at(s, 49, 49), 0xFFFFFFu);
        QCOMPARE(count(s, QRect(50, 50, 138, 104), 0xFF0000), 138 * 104 - 88 * 54);
        QCOMPARE(count(s, s.rect(), 0x0000FF), 138 * 104);
    }

    void traceNetsOverTexts()
    {
        TraceSheet trace;
        trace.textImage(TraceSheet::TextImage::Popis) = placed(0x00FF00, QPoint(6, 200), QSize(430, 90));
        const TraceSheet::Drawn drawn{{placed(0xFF0000, QPoint(6, 7), QSize(430, 232)),
                                       placed(0x0000FF, QPoint(6, 340), QSize(430, 232))},
                                      {}};
        const QImage s = sheet::composeSheet(
                trace.items(true, drawn, {filled(121, 25, 0xFFFF00), QPoint(312, 560)}, false, false));
        QCOMPARE(at(s, 100, 238), 0xFF0000u);   // Image5 covers popis
        QCOMPARE(at(s, 100, 239), 0x00FF00u);
        QCOMPARE(at(s, 320, 570), 0x0000FFu);   // Image4 covers logo
        QCOMPARE(at(s, 320, 572), 0xFFFF00u);
        QCOMPARE(at(s, 0, 300), 0x000000u);     // the frame stays where nothing covers it
    }

    void itemsCutAtTheSheetEdge()
    {
        const QList<sheet::Item> items{{filled(138, 104, 0xFF0000), QPoint(400, 550)}};
        const QImage s = sheet::composeSheet(items);
        QCOMPARE(s.size(), QSize(440, 600));
        QCOMPARE(at(s, 439, 599), 0xFF0000u);
        QCOMPARE(at(s, 399, 599), 0x000000u);
    }
};

QTEST_GUILESS_MAIN(tst_Placement)
#include "tst_placement.moc"
