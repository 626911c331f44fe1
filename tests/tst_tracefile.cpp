#include "tracefile.h"
#include "tracesheet.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

using namespace die;

namespace {

trace::Trace oneRollRight()
{
    trace::Trace t;
    obnov_kostku(t.initial, {});
    t.newTrace();
    t.roll(field(8, 4));
    t.pictureGrid = t.traceGrid;
    return t;
}

QByteArray exampleFile()
{
    QByteArray out = "KP\r\n";
    for (int c = 1; c <= 14; ++c) {
        if (c == 7)
            out += "Z 00 00 00 60 00 00 00 \r\n";
        else if (c == 8)
            out += "Z 00 00 00 23 00 00 00 \r\n";
        else
            out += "Z 00 00 00 00 00 00 00 \r\n";
    }
    out += "1\r\nK 3000000000\r\n";
    for (int k = 1; k < 15; ++k)
        out += "K 0000000000\r\n";
    return out;
}

// The example file with line `line` (1..31) replaced.
QByteArray withLine(int line, const QByteArray &text)
{
    QList<QByteArray> lines = exampleFile().split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

} // namespace

class tst_TraceFile : public QObject
{
    Q_OBJECT
private slots:
    void writesExample();
    void readsExample();
    void roundTrip();
    void sheetRoundTrip_data();
    void sheetRoundTrip();
    void historyPastCountKept();
    void countZero();
    void acceptsLfLineEndsAndTrailingEmptyLines_data();
    void acceptsLfLineEndsAndTrailingEmptyLines();
    void edgeOfGrid_data();
    void edgeOfGrid();
    void refused_data();
    void refused();
};

void tst_TraceFile::edgeOfGrid_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QByteArray>("moves");
    QTest::newRow("column 13") << QByteArray("6") << QByteArray("3333330000");
    QTest::newRow("column 1") << QByteArray("6") << QByteArray("4444440000");
    QTest::newRow("row 1") << QByteArray("3") << QByteArray("1110000000");
    QTest::newRow("row 7") << QByteArray("3") << QByteArray("2220000000");
    QTest::newRow("count 150") << QByteArray("150") << QByteArray("3434343434");
}

void tst_TraceFile::edgeOfGrid()
{
    QFETCH(QByteArray, count);
    QFETCH(QByteArray, moves);
    QByteArray bytes = withLine(16, count);
    if (count == "150")
        bytes.replace("K 0000000000", "K " + moves);
    bytes.replace("K 3000000000", "K " + moves);
    QString error;
    const auto data = tracefile::read(bytes, &error);
    QVERIFY2(data, qPrintable(error));
    QCOMPARE(data->history.count, count.toInt());
    QCOMPARE(tracefile::write(data->picture, data->history), bytes);
}

void tst_TraceFile::writesExample()
{
    const trace::Trace t = oneRollRight();
    const QByteArray bytes = tracefile::write(t.pictureGrid, t.history);
    QCOMPARE(bytes, exampleFile());
    QCOMPARE(bytes.count("\r\n"), 31);
    QCOMPARE(bytes.count('\n'), 31);
}

void tst_TraceFile::readsExample()
{
    QString error;
    const auto data = tracefile::read(exampleFile(), &error);
    QVERIFY2(data, qPrintable(error));
    const trace::Trace t = oneRollRight();
    QCOMPARE(data->picture, t.pictureGrid);
    QCOMPARE(data->history, t.history);
}

void tst_TraceFile::roundTrip()
{
    QRandomGenerator rng(31);
    for (int run = 0; run < 20; ++run) {
        trace::Trace t;
        obnov_kostku(t.initial, { 1, 2, 3, 0, 1, 2 });
        t.newTrace();
        for (int i = 0; i < 80; ++i)
            t.roll(vypoctisouseda(1 + rng.bounded(4), t.last));
        t.pictureGrid = t.traceGrid;
        t.pictureGrid.at(startField).rotation = 3;
        t.pictureGrid.at(field(14, 7)) = { 6, 3 };   // column 14 is stored too
        const QByteArray first = tracefile::write(t.pictureGrid, t.history);
        const auto data = tracefile::read(first);
        QVERIFY(data);
        QCOMPARE(data->picture, t.pictureGrid);
        QCOMPARE(data->history, t.history);
        QCOMPARE(tracefile::write(data->picture, data->history), first);
    }
}

void tst_TraceFile::sheetRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QDir samples(QStringLiteral(VEMTAL_SOURCE_DIR "/tests/fuzz/corpus/trace"));
    for (const char *name : { "empty.tpt", "four-rolls.tpt" }) {   // moves.tpt leaves the grid
        QFile file(samples.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(name) << file.readAll();
    }
    QTest::newRow("example") << exampleFile();
    QRandomGenerator rng(5);
    for (int n = 0; n < 30; ++n) {
        trace::Trace t;
        obnov_kostku(t.initial, { quint8(rng.bounded(4)), 0, quint8(rng.bounded(4)), 1, 2, quint8(rng.bounded(4)) });
        t.newTrace();
        for (int i = rng.bounded(200); i > 0; --i)
            t.roll(vypoctisouseda(1 + rng.bounded(4), t.last));
        t.pictureGrid = t.traceGrid;
        for (int i = rng.bounded(8); i > 0; --i)   // picture mode's edits, and any stored field
            t.pictureGrid.at(field(1 + rng.bounded(14), 1 + rng.bounded(7)))
                    = { quint8(rng.bounded(7)), quint8(rng.bounded(4)) };
        if (n % 4 == 0)
            t.newTrace();   // the moves stay past the count
        QTest::addRow("random %d", n) << tracefile::write(t.pictureGrid, t.history);
    }
}

// File -> trace sheet (either net) -> file: the same bytes.
void tst_TraceFile::sheetRoundTrip()
{
    QFETCH(QByteArray, bytes);
    for (int n = 1; n <= 2; ++n) {
        TraceSheet sheet;
        QVERIFY(sheet.load(n, bytes));
        QCOMPARE(sheet.takeLoaded()[n - 1], true);
        QCOMPARE(sheet.fileBytes(n), bytes);
    }
}

void tst_TraceFile::historyPastCountKept()
{
    trace::Trace t;
    obnov_kostku(t.initial, {});
    t.newTrace();
    for (Field f : { field(8, 4), field(8, 3), field(9, 3) })
        t.roll(f);
    t.newTrace();
    t.roll(field(7, 5));
    const QByteArray bytes = tracefile::write(t.pictureGrid, t.history);
    QVERIFY(bytes.contains("\r\n1\r\nK 2130000000\r\n"));
    const auto data = tracefile::read(bytes);
    QVERIFY(data);
    QCOMPARE(data->history.count, 1);
    QCOMPARE(int(data->history.moves[2]), 3);
}

void tst_TraceFile::countZero()
{
    QByteArray bytes = exampleFile();
    bytes.replace("\r\n1\r\n", "\r\n0\r\n");
    const auto data = tracefile::read(bytes);
    QVERIFY(data);
    QCOMPARE(data->history.count, 0);
    trace::Trace t;
    obnov_kostku(t.initial, {});
    t.history = data->history;
    t.prepocti_obrazek();
    QCOMPARE(t.last, startField);
    trace::Grid bare;
    bare.at(startField) = t.initial[Underside];
    QCOMPARE(t.traceGrid, bare);
}

void tst_TraceFile::acceptsLfLineEndsAndTrailingEmptyLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray lf = exampleFile();
    QTest::newRow("LF") << lf.replace("\r\n", "\n");
    QTest::newRow("last line without its end") << exampleFile().chopped(2);
    QTest::newRow("one empty line") << exampleFile() + "\r\n";
    QTest::newRow("three empty lines, LF") << lf + "\n\n\n";
    QTest::newRow("empty lines, the last without its end") << exampleFile() + "\r\n\r\n\r";
}

void tst_TraceFile::acceptsLfLineEndsAndTrailingEmptyLines()
{
    QFETCH(QByteArray, bytes);
    const std::optional<tracefile::NetData> data = tracefile::read(bytes);
    QVERIFY(data);
    QCOMPARE(data->history.count, 1);
    QCOMPARE(data->picture.at(field(7, 4)).face, 6);
}

void tst_TraceFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray e = exampleFile();
    QTest::newRow("mark with a blank") << withLine(1, "KP ");
    QTest::newRow("small mark") << withLine(1, "kp");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("missing line") << e.left(e.lastIndexOf("K 0000000000"));
    QTest::newRow("extra line") << e + "K 0000000000\r\n";
    QTest::newRow("extra line after an empty one") << e + "\r\nx\r\n";
    QTest::newRow("small mark, empty line after") << withLine(1, "kp") + "\r\n";
    QTest::newRow("short grid line") << withLine(5, "Z 00 00 00 00 00 00 0");
    QTest::newRow("short history line") << withLine(20, "K 000000000");
    QTest::newRow("non-digit face") << withLine(3, "Z 00 x0 00 00 00 00 00 ");
    QTest::newRow("non-digit rotation") << withLine(3, "Z 00 0- 00 00 00 00 00 ");
    QTest::newRow("face 7") << withLine(4, "Z 00 00 00 70 00 00 00 ");
    QTest::newRow("rotation 4") << withLine(4, "Z 00 00 00 14 00 00 00 ");
    QTest::newRow("non-digit direction") << withLine(31, "K 00000 0000");
    QTest::newRow("direction 5 within count") << withLine(17, "K 5000000000");
    QTest::newRow("direction 0 within count") << withLine(17, "K 0000000000");
    QTest::newRow("direction 9 past count") << withLine(30, "K 0000900000");
    QTest::newRow("count 151") << withLine(16, "151");
    QTest::newRow("count empty") << withLine(16, "");
    QTest::newRow("count not a number") << withLine(16, "1a");
    QTest::newRow("count negative") << withLine(16, "-1");
    QTest::newRow("count with a blank") << withLine(16, " 1");
    // Seven rolls right from column 7 reach column 14.
    QByteArray right = withLine(16, "7");
    right = right.replace("K 3000000000", "K 3333333000");
    QTest::newRow("path to column 14") << right;
    QByteArray up = withLine(16, "4");
    up = up.replace("K 3000000000", "K 1111000000");
    QTest::newRow("path to row 0") << up;
    QByteArray down = withLine(16, "4");
    down = down.replace("K 3000000000", "K 2222000000");
    QTest::newRow("path to row 8") << down;
}

void tst_TraceFile::refused()
{
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(!tracefile::read(bytes, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_APPLESS_MAIN(tst_TraceFile)
#include "tst_tracefile.moc"
