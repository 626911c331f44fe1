#include "netgeometry.h"
#include "quizfile.h"
#include "quizsheet.h"
#include "textfile.h"

#include <QRandomGenerator>
#include <QtTest>
#include <array>

using quiz::QuizState;
using quiz::ReadError;

Q_DECLARE_METATYPE(QuizState)
Q_DECLARE_METATYPE(quiz::ReadError)

namespace {

// The nets folded into a cube, apart from the net tables' turns. Screen
// axes: x right, y down, z into the screen; the centre square faces the
// viewer, the others fold back over their hinges.
using Vec = std::array<int, 3>;

int dot(const Vec &a, const Vec &b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec cross(const Vec &a, const Vec &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec plus(const Vec &a, int k, const Vec &b) { return {a[0] + k * b[0], a[1] + k * b[1], a[2] + k * b[2]}; }

constexpr Vec back{0, 0, 1};

// Square s's picture in turn t (clockwise on the screen), folded: the side
// of the cube it lands on (outward normal) and where the picture's top points.
std::array<Vec, 2> folded(int square, int turn)
{
    static const Vec hinge[6] = {{-1, 0, 0}, {0, -1, 0}, {0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 0, 0}};
    std::array<Vec, 2> v{Vec{0, 0, -1}, Vec{0, -1, 0}};
    for (int i = 0; i < turn; ++i)
        v[1] = cross(back, v[1]);
    for (int fold = 0; fold < (square == 3 ? 0 : square == 6 ? 2 : 1); ++fold)
        for (Vec &w : v) {   // the hinge's outward direction goes back, back goes towards the hinge
            const Vec &h = hinge[square - 1];
            const int a = dot(w, h), b = dot(w, back);
            w = plus(plus(w, -a - b, h), a - b, back);
        }
    return v;
}

// Layout k's turns that fold its net (faces from the net table) into the
// cube that layout 1 shows: every picture unturned but face 6's, turned
// twice. -1 where a face lands on another side.
std::array<int, 6> foldedTurns(int layout)
{
    const int layout1Faces[6] = {4, 5, 1, 6, 2, 3};
    std::array<std::array<Vec, 2>, 7> cube;   // by face
    for (int s = 1; s <= 6; ++s)
        cube[layout1Faces[s - 1]] = folded(s, s == 4 ? 2 : 0);
    const auto face = [layout](int s) { return net::net_faces[layout - 1][s - 1]; };
    // The whole cube turned so that the centre and upper squares' faces
    // lie where layout 1 has them.
    const Vec a = folded(3, 0)[0], b = folded(2, 0)[0], c = cross(a, b);
    const Vec A = cube[face(3)][0], B = cube[face(2)][0], C = cross(A, B);
    const auto turn = [&](const Vec &v) {
        return plus(plus(plus(Vec{}, dot(v, a), A), dot(v, b), B), dot(v, c), C);
    };
    std::array<int, 6> turns;
    for (int s = 1; s <= 6; ++s) {
        turns[s - 1] = -1;
        for (int t = 0; t < 4; ++t)
            if (turn(folded(s, t)[0]) == cube[face(s)][0] && turn(folded(s, t)[1]) == cube[face(s)][1])
                turns[s - 1] = t;
    }
    return turns;
}

// Twelve thumbnails at home on the panel in their folded turns (the
// original turns of face rotations all 0).
QuizState homeState()
{
    QuizState s;
    for (int k = 0; k < 12; ++k) {
        s.thumbnails[k].left = (k / 4) * 144 + 8;
        s.thumbnails[k].top = (k % 4) * 110 + 7;
        const std::array<int, 6> turns = foldedTurns(k + 1);
        for (int i = 0; i < 6; ++i)
            s.thumbnails[k].states[i] = quint8(turns[i]);
    }
    return s;
}

QByteArray thumbnailLines(int count = 12)
{
    QByteArray out;
    for (int k = 0; k < count; ++k)
        out += "I 0 " + QByteArray::number((k / 4) * 144 + 8) + ' '
                + QByteArray::number((k % 4) * 110 + 7) + " 000000\r\n";
    return out;
}

// A memo line of letters that fit Windows-1250 and blanks, with `wide`
// also letters that do not.
QString randomLine(QRandomGenerator &rng, bool wide)
{
    const QString letters = QStringLiteral("aZ0 :-Příliš žluťoučký kůň ÚPĚL ďábelské ódy")
            + (wide ? QStringLiteral("ø日") : QString());
    QString line;
    for (int i = rng.bounded(30); i > 0; --i)
        line += letters[rng.bounded(letters.size())];
    return line;
}

} // namespace

class tst_QuizFile : public QObject
{
    Q_OBJECT
private slots:
    void homeStateIsTheFreshSheet()
    {
        QuizSheet sheet;
        sheet.obnov(faceset::Snapshot());
        QCOMPARE(sheet.state().thumbnails, homeState().thumbnails);
    }

    void writesTheLineFormat()
    {
        QuizState s = homeState();
        s.thumbnails[1].onSheet = true;
        s.thumbnails[1].left = -50;
        s.thumbnails[1].top = 20;
        s.thumbnails[2].states = {4, 4, 0, 1, 2, 3};
        s.vstup = QStringList{"Zadání:", "", "  dva"};
        s.dalsi2 = QStringList{"konec"};
        const QByteArray bytes = quiz::writeQuiz(s);
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 1 + 12 + 4 + 1);
        QVERIFY(lines.last().isEmpty());   // the last line ends with CR LF too
        for (int i = 0; i + 1 < lines.size(); ++i)
            QVERIFY2(lines[i].endsWith('\r'), lines[i].constData());
        QCOMPARE(lines[0], QByteArray("KK\r"));
        QCOMPARE(lines[1], QByteArray("I 0 8 7 000200\r"));
        QCOMPARE(lines[2], QByteArray("I 1 -50 20 010100\r"));
        QCOMPARE(lines[3], QByteArray("I 0 8 227 440123\r"));
        QCOMPARE(lines[12], QByteArray("I 0 296 337 033301\r"));
        QCOMPARE(lines[13], QByteArray("V Zad\xe1n\xed:\r"));
        QCOMPARE(lines[14], QByteArray("V \r"));
        QCOMPARE(lines[15], QByteArray("V   dva\r"));
        QCOMPARE(lines[16], QByteArray("E konec\r"));
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("ascii") << "abc" << QByteArray("V abc\r\n");
        QTest::newRow("czech in Windows-1250") << "Příliš žluťoučký kůň"
                << QByteArray("V P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2\r\n");
        // In Windows-1250 these are C8 8A, which UTF-8 reads as one other letter.
        QTest::newRow("Windows-1250 bytes that are UTF-8") << "ČŠ"
                << QByteArray("V \xc4\x8c\xc5\xa0\r\n");
        QTest::newRow("beyond Windows-1250 in UTF-8") << "kůň 日本"
                << QByteArray("V k\xc5\xaf\xc5\x88 \xe6\x97\xa5\xe6\x9c\xac\r\n");
    }
    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, line);
        QuizState s = homeState();
        s.vstup = QStringList{text};
        const QByteArray bytes = quiz::writeQuiz(s);
        QVERIFY2(bytes.endsWith(line), bytes.right(line.size() + 4).toHex().constData());
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(r.ok());
        QCOMPARE(r.state.vstup, QStringList{text});
    }

    void roundTrip_data()
    {
        QTest::addColumn<QuizState>("state");
        QTest::newRow("home") << homeState();
        QuizState moved = homeState();
        moved.thumbnails[0] = {true, -50, 20, {4, 4, 4, 4, 4, 4}};
        moved.thumbnails[11] = {true, 419, 579, {3, 2, 1, 0, 4, 3}};
        moved.thumbnails[5] = {false, -119, -89, {0, 0, 0, 0, 0, 0}};
        QTest::newRow("moved and hidden") << moved;
        QuizState digits = homeState();
        digits.thumbnails[3].states = {5, 6, 7, 8, 9, 4};
        QTest::newRow("state digits 5..9") << digits;
        QuizState memos = homeState();
        memos.vstup = QStringList{"Zadání:", "Která síť patří ke kostce?", "", " "};
        memos.dalsi = QStringList{"Další text:", ""};
        memos.dalsi2 = QStringList{"V", "D x", "E"};
        QTest::newRow("memos") << memos;
        QuizState onlyLast = homeState();
        onlyLast.dalsi2 = QStringList{"jen poslední"};
        QTest::newRow("only the last memo") << onlyLast;
        QuizState utf8 = homeState();
        utf8.dalsi = QStringList{"日本", "ø"};
        QTest::newRow("utf-8") << utf8;
    }
    void roundTrip()
    {
        QFETCH(QuizState, state);
        const QByteArray bytes = quiz::writeQuiz(state);
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(r.ok());
        QCOMPARE(r.state.thumbnails, state.thumbnails);
        QCOMPARE(r.state.vstup, state.vstup);
        QCOMPARE(r.state.dalsi, state.dalsi);
        QCOMPARE(r.state.dalsi2, state.dalsi2);
        QCOMPARE(quiz::writeQuiz(r.state), bytes);
    }

    // File -> quiz sheet -> file: the same bytes, for the sample files and
    // for files written from random states.
    void sheetRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QDir samples(QStringLiteral(VEMTAL_SOURCE_DIR "/tests/fuzz/corpus/quiz"));
        for (const QString &name : samples.entryList({QStringLiteral("*.tkt")}, QDir::Files)) {
            QFile file(samples.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(name)) << file.readAll();
        }
        QRandomGenerator rng(7);
        for (int n = 0; n < 30; ++n) {
            QuizState s;
            for (quiz::Thumbnail &t : s.thumbnails) {
                t = {rng.bounded(2) == 1, rng.bounded(-300, 900), rng.bounded(-300, 700), {}};
                for (quint8 &state : t.states)
                    state = quint8(rng.bounded(10));
            }
            for (QStringList *memo : {&s.vstup, &s.dalsi, &s.dalsi2})
                for (int i = rng.bounded(4); i > 0; --i)
                    *memo << randomLine(rng, n % 2 == 1);
            QTest::addRow("random %d", n) << quiz::writeQuiz(s);
        }
    }
    void sheetRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QuizSheet sheet;
        QCOMPARE(sheet.load(bytes), ReadError::None);
        QCOMPARE(sheet.fileBytes(), bytes);
    }

    void lineBreakInMemoLineStaysInTheMemo()
    {
        QuizState s = homeState();
        s.vstup = QStringList{"a\nb", "c"};
        s.dalsi = QStringList{"d"};
        const quiz::ReadResult r = quiz::readQuiz(quiz::writeQuiz(s));
        QVERIFY(r.ok());
        QCOMPARE(r.state.vstup, QStringList({"a", "b", "c"}));
        QCOMPARE(r.state.dalsi, QStringList{"d"});
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("vstup");
        QTest::addColumn<QStringList>("dalsi");
        QTest::addColumn<QStringList>("dalsi2");
        const QByteArray head = "KK\r\n" + thumbnailLines();
        QTest::newRow("Windows-1250 text") << head + "V Zad\xe1n\xed:\r\nD \x9eluv\r\n"
                << QStringList{"Zadání:"} << QStringList{"žluv"} << QStringList{};
        QTest::newRow("UTF-8 text") << head + "V Zad\xc3\xa1n\xc3\xad:\r\nD \xc5\xbeluv\r\n"
                << QStringList{"Zadání:"} << QStringList{"žluv"} << QStringList{};
        QTest::newRow("LF line ends") << QByteArray(head).replace("\r\n", "\n") + "V a\nE b\n"
                << QStringList{"a"} << QStringList{} << QStringList{"b"};
        QTest::newRow("no final line end") << head + "V a\r\nD b"
                << QStringList{"a"} << QStringList{"b"} << QStringList{};
        QTest::newRow("bare tag is an empty line") << head + "V\r\nV \r\n"
                << QStringList{"", ""} << QStringList{} << QStringList{};
        QTest::newRow("only the first character counts") << head + "Vxabc\r\nDD\r\n"
                << QStringList{"abc"} << QStringList{""} << QStringList{};
        QTest::newRow("V after D ends the memos") << head + "V a\r\nD b\r\nV c\r\nE d\r\n"
                << QStringList{"a"} << QStringList{"b"} << QStringList{};
        QTest::newRow("D after E is ignored") << head + "E a\r\nD b\r\n"
                << QStringList{} << QStringList{} << QStringList{"a"};
        QTest::newRow("empty line ends the memos") << head + "V a\r\n\r\nV b\r\n"
                << QStringList{"a"} << QStringList{} << QStringList{};
        QTest::newRow("no memo lines") << head << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("lines before the first I are skipped")
                << "KK\r\nnic\r\n  x\r\n" + thumbnailLines() + "V a\r\n"
                << QStringList{"a"} << QStringList{} << QStringList{};
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, vstup);
        QFETCH(QStringList, dalsi);
        QFETCH(QStringList, dalsi2);
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(r.ok());
        QCOMPARE(r.state.vstup, vstup);
        QCOMPARE(r.state.dalsi, dalsi);
        QCOMPARE(r.state.dalsi2, dalsi2);
        QCOMPARE(r.state.thumbnails[9].left, 296);
        QCOMPARE(r.state.thumbnails[9].top, 117);
    }

    void thumbnailFields_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("onSheet");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("states");
        QTest::newRow("home") << QByteArray("I 0 8 7 000200") << false << 8 << 7 << "000200";
        QTest::newRow("on the sheet, negative") << QByteArray("I 1 -50 20 440123") << true << -50 << 20 << "440123";
        QTest::newRow("other placement char") << QByteArray("I x 3 4 000000") << true << 3 << 4 << "000000";
        QTest::newRow("digits 5..9") << QByteArray("I 0 1 2 567894") << false << 1 << 2 << "567894";
        QTest::newRow("blanks before states") << QByteArray("I 0 1 2    123012") << false << 1 << 2 << "123012";
        QTest::newRow("trailing text ignored") << QByteArray("I 0 1 2 1230129 x") << false << 1 << 2 << "123012";
        QTest::newRow("leading zeros read") << QByteArray("I 0 007 -02 000000") << false << 7 << -2 << "000000";
    }
    void thumbnailFields()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, onSheet);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QString, states);
        const QByteArray bytes = "KK\r\n" + line + "\r\n" + thumbnailLines(11);
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(r.ok());
        const quiz::Thumbnail &t = r.state.thumbnails[0];
        QCOMPARE(t.onSheet, onSheet);
        QCOMPARE(t.left, left);
        QCOMPARE(t.top, top);
        QString read;
        for (quint8 s : t.states)
            read += QChar(u'0' + s);
        QCOMPARE(read, states);
        QCOMPARE(r.state.thumbnails[11].left, 296);   // the last of the other eleven
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ReadError>("error");
        const ReadError wrong = ReadError::WrongFormat;
        const QByteArray i12 = thumbnailLines();
        QTest::newRow("empty") << QByteArray() << wrong;
        QTest::newRow("small letters") << "kk\r\n" + i12 << wrong;
        QTest::newRow("mark with a blank") << "KK \r\n" + i12 << wrong;
        QTest::newRow("mark longer") << "KKK\r\n" + i12 << wrong;
        QTest::newRow("mark not first") << "\r\nKK\r\n" + i12 << wrong;
        QTest::newRow("trace file") << "KP\r\n" + i12 << wrong;
        QTest::newRow("mark only") << QByteArray("KK\r\n") << wrong;
        QTest::newRow("eleven lines") << "KK\r\n" + thumbnailLines(11) << wrong;
        QTest::newRow("eleven lines and a memo") << "KK\r\n" + thumbnailLines(11) + "V a\r\n"
                                                 << ReadError::NotThumbnailLine;
        QTest::newRow("other line among the twelve")
                << "KK\r\n" + thumbnailLines(5) + "X 0 1 2 000000\r\n" + thumbnailLines(6)
                << ReadError::NotThumbnailLine;
        QTest::newRow("empty line among the twelve")
                << "KK\r\n" + thumbnailLines(5) + "\r\n" + thumbnailLines(7) << wrong;
        QTest::newRow("empty line before the first I") << "KK\r\n\r\n" + i12 << wrong;
        auto withFirst = [&](const QByteArray &line) { return "KK\r\n" + line + "\r\n" + thumbnailLines(11); };
        QTest::newRow("tag only") << withFirst("I") << wrong;
        QTest::newRow("no fields") << withFirst("I 0") << wrong;
        QTest::newRow("left not a number") << withFirst("I 0 a 7 000000") << wrong;
        QTest::newRow("left empty") << withFirst("I 0  7 000000") << wrong;
        QTest::newRow("top not a number") << withFirst("I 0 8 7x 000000") << wrong;
        QTest::newRow("sign only") << withFirst("I 0 - 7 000000") << wrong;
        QTest::newRow("left too large") << withFirst("I 0 99999999999 7 000000") << wrong;
        QTest::newRow("no blank after left") << withFirst("I 0 8") << wrong;
        QTest::newRow("no blank after top") << withFirst("I 0 8 7") << wrong;
        QTest::newRow("five states") << withFirst("I 0 8 7 00020") << wrong;
        QTest::newRow("no states") << withFirst("I 0 8 7 ") << wrong;
        QTest::newRow("state not a digit") << withFirst("I 0 8 7 0002x0") << wrong;
        QTest::newRow("negative state") << withFirst("I 0 8 7 -00200") << wrong;
        QTest::newRow("memo line a memo splits") << "KK\r\n" + i12 + "V a\xe2\x80\xa8" "b\r\n" << wrong;
    }
    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ReadError, error);
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(!r.ok());
        QCOMPARE(r.error, error);
    }

    // Inputs at and over the size limit; how long the reader takes is
    // measured in bench/ (BM_QuizNoiseRefused, BM_QuizManyMemoLines).
    void hugeInputRefused_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<qsizetype>("size");
        QTest::newRow("random bytes") << QByteArray() << qsizetype(textfile::maxReadSize);
        QTest::newRow("random after the mark") << QByteArray("KK\r\n") << qsizetype(textfile::maxReadSize);
        // A quiz that would read well, refused by its size alone.
        QTest::newRow("over the size limit") << QByteArray("KK\r\n") + thumbnailLines()
                                             << qsizetype(textfile::maxReadSize + 1);
    }
    void hugeInputRefused()
    {
        QFETCH(QByteArray, prefix);
        QFETCH(qsizetype, size);
        QByteArray bytes = prefix;
        bytes.resize(size);
        QRandomGenerator rng(42);
        for (qsizetype i = prefix.size(); i < size; ++i)
            bytes[i] = char('J' + rng.bounded(4));   // J K L M: no line ends, no valid lines
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(!r.ok());
        QCOMPARE(r.error, ReadError::WrongFormat);
        if (size > textfile::maxReadSize)   // one byte less and it reads
            QVERIFY(quiz::readQuiz(bytes.chopped(1)).ok());
    }

    void manyMemoLinesRead()
    {
        // Many memo lines are fine: nothing lost, nothing reordered.
        QByteArray bytes = "KK\r\n" + thumbnailLines();
        const int count = 100000;
        for (int i = 0; i < count; ++i)
            bytes += "V " + QByteArray::number(i) + "\r\n";
        const quiz::ReadResult r = quiz::readQuiz(bytes);
        QVERIFY(r.ok());
        QCOMPARE(r.state.vstup.size(), count);
        for (int i : {0, 1, count / 2, count - 1})
            QCOMPARE(r.state.vstup[i], QString::number(i));
    }
};

QTEST_MAIN(tst_QuizFile)
#include "tst_quizfile.moc"
