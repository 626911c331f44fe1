// The pupils' exercise: its answers against the answer sheets, the choices
// it accepts, the page it is written into and the SCORM package.
#include "canvas.h"
#include "exercise.h"
#include "exercisepage.h"
#include "faceset.h"
#include "netgeometry.h"
#include "quizsheet.h"
#include "scormpackage.h"
#include "testfiles.h"
#include "tracedrawing.h"
#include "tracesheet.h"
#include "ziparchive.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using exercise::Choice;
using exercise::Exercise;

namespace {

using testfiles::demo;

faceset::Snapshot demoFaces(const char *rotations)
{
    FaceSet faces;
    faces.setPictures(testfiles::demoFiles());
    for (int i = 0; i < 6; ++i)
        faces.setRotation(i, rotations[i] - '0');
    return faces.snapshot();
}

QImage area(const QImage &image, QPoint topLeft, int inset = 0)
{
    return image.copy(topLeft.x() + inset, topLeft.y() + inset, 32 - 2 * inset, 32 - 2 * inset)
            .convertToFormat(QImage::Format_RGB32);
}

QImage white()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A choice as the page lays it: the face's tile in the net's pose of the turn.
QImage laid(const std::array<QImage, 6> &tiles, const exercise::Net &net, Choice c)
{
    return c.face == 0 ? white() : exercise::posed(tiles[c.face - 1], net.poses[c.turn]);
}

const exercise::Cell *cellAt(const exercise::Net &net, die::Field f)
{
    for (const exercise::Cell &c : net.cells)
        if (c.field == f)
            return &c;
    return nullptr;
}

// The text between `open` and the next "</" after it.
QByteArray element(const QByteArray &page, const QByteArray &open)
{
    const qsizetype start = page.indexOf(open);
    if (start < 0)
        return {};
    const qsizetype from = start + open.size();
    return page.mid(from, page.indexOf("</", from) - from);
}

QJsonObject pageDataOf(const QByteArray &page)
{
    const QByteArray json = element(page, "<script type=\"application/json\" id=\"data\">");
    return QJsonDocument::fromJson(json).object();
}

QString cspOf(const QByteArray &page)
{
    const QRegularExpression csp(QStringLiteral("http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\""));
    return csp.match(QString::fromUtf8(page)).captured(1);
}

QString sha256(const QByteArray &text)
{
    return QStringLiteral("'sha256-%1'").arg(QString::fromLatin1(
            QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64()));
}

// A picture of one colour, written as PNG.
QString plainPicture(const QTemporaryDir &dir, const char *name, QRgb colour)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(QLatin1String(name));
    image.save(path, "PNG");
    return path;
}

} // namespace

// Net n's whole trace as trace mode redraws it: every imprint rolled.
QImage wholeTrace(const TraceSheet &sheet, int n, bool arrows)
{
    QImage image(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
    Canvas canvas(image);
    const trace::Trace &t = sheet.net(n);
    tracedraw::prekresli_obrazek(canvas, t.history, t.traceGrid, sheet.mirroredTiles(), t.initial, arrows);
    return image;
}

class tst_Exercise : public QObject
{
    Q_OBJECT
private slots:
    // The poses the page uses lay each pixel where the sheets' drawing
    // tables put it: a quiz square in turn r, a trace imprint of rotation q.
    void posesFollowTheDrawingTables_data()
    {
        QTest::addColumn<bool>("imprint");
        QTest::addColumn<int>("turn");
        QTest::addColumn<QString>("table");   // the source pixel of (a, b)
        QTest::newRow("square 0") << false << 0 << "a,b";
        QTest::newRow("square 1") << false << 1 << "b,31-a";
        QTest::newRow("square 2") << false << 2 << "31-a,31-b";
        QTest::newRow("square 3") << false << 3 << "31-b,a";
        QTest::newRow("imprint 0") << true << 0 << "31-a,b";
        QTest::newRow("imprint 1") << true << 1 << "b,a";
        QTest::newRow("imprint 2") << true << 2 << "a,31-b";
        QTest::newRow("imprint 3") << true << 3 << "31-b,31-a";
    }
    void posesFollowTheDrawingTables()
    {
        QFETCH(bool, imprint);
        QFETCH(int, turn);
        QFETCH(QString, table);
        QImage tile(32, 32, QImage::Format_RGB32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                tile.setPixel(x, y, qRgb(x * 8, y * 8, 77));
        const exercise::Pose pose = (imprint ? exercise::imprintPoses() : exercise::squarePoses())[turn];
        const QImage out = exercise::posed(tile, pose);
        auto coordinate = [](const QString &term, int a, int b) {
            const int v = term.endsWith('a') ? a : b;
            return term.startsWith("31-") ? 31 - v : v;
        };
        const QStringList terms = table.split(',');
        for (int b = 0; b < 32; ++b)
            for (int a = 0; a < 32; ++a)
                QCOMPARE(out.pixel(a, b), tile.pixel(coordinate(terms[0], a, b), coordinate(terms[1], a, b)));
    }

    // Every square's answer is what "Tiskni řešení" prints there, and what
    // the exercise shows first is what the sheet shows.
    void quizAnswersAgreeWithTheAnswerSheet()
    {
        QuizSheet sheet;
        sheet.obnov(demoFaces("012301"));
        const std::pair<int, QPoint> placed[] = {{9, {160, 150}}, {5, {160, 12}}, {1, {10, 8}},
                                                 {12, {10, 152}}};
        for (const auto &[k, at] : placed) {
            sheet.putOnSheet(k);
            sheet.moveTo(k, at);
        }
        sheet.hide(1, 3);
        sheet.hide(9, 6);
        sheet.turnStep(5, 2);
        sheet.turnStep(9, 1);
        sheet.turnStep(9, 1);
        sheet.turnStep(12, 4);
        sheet.showOriginal(12, 4);   // turned, then back: unchanged
        const QuizNets &nets = sheet.nets();
        const Exercise ex = exercise::fromQuiz(sheet, exercise::screenPictures(nets.applied(), nets.tiles()));

        QList<int> order;
        for (const exercise::Net &n : ex.nets)
            order << n.number;
        QCOMPARE(order, QList<int>({1, 5, 12, 9}));
        int changed = 0;
        for (const exercise::Net &n : ex.nets) {
            const QImage answers = nets.answerImage(n.number);
            QCOMPARE(n.cells.size(), 6);
            for (const exercise::Cell &c : n.cells) {
                const bool teacherChanged = nets.change(n.number, c.number) != QuizNets::Change::None;
                QCOMPARE(c.changed, teacherChanged);
                changed += teacherChanged;
                QCOMPARE(c.accepted.value(0), c.answer);
                QCOMPARE(c.topLeft, QPoint(net::square_x[c.number - 1], net::square_y[c.number - 1]));
                // A changed square is framed 2 pixels wide inside on the answer sheet.
                const int inset = teacherChanged ? 2 : 0;
                QCOMPARE(area(laid(nets.tiles(), n, c.answer), {0, 0}, inset),
                         area(answers, c.topLeft, inset));
                QCOMPARE(laid(nets.tiles(), n, c.shown), area(sheet.image(n.number), c.topLeft));
                QCOMPARE(c.fillable, nets.state(n.number, c.number) > 3);
            }
        }
        QCOMPARE(changed, 4);
        QCOMPARE(ex.changedCount(), 4);
    }

    // Every field's answer is what "Tisk řešení stopy" prints there; what
    // the exercise shows first is the picture grid as the sheet shows it.
    void traceAnswersAgreeWithTheAnswerSheet()
    {
        TraceSheet sheet;
        sheet.refresh(demoFaces("012301"), [](int) { return true; });
        // Right and back left onto the start field, which takes the same imprint.
        const die::Field path[] = {die::field(8, 4), die::field(7, 4), die::field(7, 5),
                                   die::field(8, 5), die::field(9, 5), die::field(9, 4),
                                   die::field(10, 4)};
        for (die::Field f : path)
            QCOMPARE(int(sheet.press(1, Qt::LeftButton, false, f).what), int(TraceSheet::Pressed::Rolled));
        QVERIFY(sheet.enterPictureMode());
        sheet.press(1, Qt::RightButton, false, die::field(8, 4));
        sheet.press(1, Qt::LeftButton, true, die::field(9, 5));
        sheet.press(1, Qt::RightButton, false, die::field(7, 4));   // the start field always shows

        // The sheet as a redraw in picture mode shows it, with its arrows.
        QImage sheetImage(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
        Canvas sheetCanvas(sheetImage);
        tracedraw::prekresli_proste(sheetCanvas, sheet.net(1).history, sheet.net(1).pictureGrid,
                                    sheet.mirroredTiles(), sheet.net(1).initial, true);
        QImage lower(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
        lower.fill(Qt::white);
        const Exercise ex = exercise::fromTrace(sheet, {sheetImage, lower}, {"Zadání:"},
                                                exercise::screenPictures(sheet.applied(), sheet.tiles()));
        // The lower net has no moves: only its start imprint, no task.
        QCOMPARE(ex.nets.size(), 1);
        const exercise::Net &n = ex.nets[0];
        QCOMPARE(n.cells.size(), 7);   // the start field once
        // Arrowheads reach into the fields: the pictures are compared without them.
        const QImage answers = wholeTrace(sheet, 1, false);
        QImage shown(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
        Canvas canvas(shown);
        tracedraw::prekresli_proste(canvas, sheet.net(1).history, sheet.net(1).pictureGrid,
                                    sheet.mirroredTiles(), sheet.net(1).initial, false);
        for (const exercise::Cell &c : n.cells) {
            const QPoint at(33 * (die::column(c.field) - 1) + 1, 33 * (die::row(c.field) - 1) + 1);
            QCOMPARE(c.topLeft, at);
            QVERIFY2(laid(sheet.tiles(), n, c.answer) == area(answers, at),
                     qPrintable(QString("field %1,%2").arg(die::column(c.field)).arg(die::row(c.field))));
            QCOMPARE(laid(sheet.tiles(), n, c.shown), area(shown, at));
            QCOMPARE(c.accepted.value(0), c.answer);
        }
        QVERIFY(cellAt(n, die::startField)->fixed);
        QVERIFY(!cellAt(n, die::startField)->changed);
        QVERIFY(cellAt(n, die::field(8, 4))->changed && cellAt(n, die::field(8, 4))->fillable);
        QVERIFY(cellAt(n, die::field(9, 5))->changed && !cellAt(n, die::field(9, 5))->fillable);
        QCOMPARE(ex.changedCount(), 2);
        // Every arrowhead lies on the answer sheet's arrows: its start and tip are drawn.
        QCOMPARE(n.arrows.size(), 7);
        const QImage arrows = wholeTrace(sheet, 1, true);
        for (const auto &a : n.arrows) {
            QCOMPARE(arrows.pixel(a[0]) & 0xFFFFFF, 0x000000u);
            QCOMPARE(arrows.pixel(a[1]) & 0xFFFFFF, 0x000000u);
        }
        // The die's net is layout 1 in the original turns.
        QCOMPARE(ex.die.cells.size(), 6);
        QCOMPARE(ex.die.cells[3].shown, Choice({6, (1 + 2) % 4}));
    }

    void traceInTraceModeHasNothingToSolve()
    {
        TraceSheet sheet;
        sheet.refresh(demoFaces("000000"), [](int) { return true; });
        sheet.press(1, Qt::LeftButton, false, die::field(8, 4));
        const Exercise ex = exercise::fromTrace(sheet, {wholeTrace(sheet, 1, true), QImage()}, {}, {});
        QCOMPARE(ex.nets.size(), 1);
        QCOMPARE(ex.nets[0].cells.size(), 2);
        QCOMPARE(ex.changedCount(), 0);
    }

    // The other net's picture grid is not copied on entering picture mode:
    // its sheet still shows the whole trace, and so does the exercise.
    void theSheetDecidesWhatAFieldShows()
    {
        TraceSheet sheet;
        sheet.refresh(demoFaces("000000"), [](int) { return true; });
        for (die::Field f : {die::field(8, 4), die::field(9, 4)})
            sheet.press(1, Qt::LeftButton, false, f);
        sheet.press(2, Qt::LeftButton, false, die::field(6, 4));
        sheet.release(2);
        QVERIFY(sheet.enterPictureMode());
        QCOMPARE(sheet.net(1).pictureGrid.at(die::field(9, 4)), trace::Imprint{});
        QImage upper = wholeTrace(sheet, 1, true);
        Canvas canvas(upper);
        tracedraw::blankField(canvas, die::field(8, 4));
        const Exercise ex = exercise::fromTrace(sheet, {upper, QImage()}, {}, {});
        QCOMPARE(ex.nets.size(), 1);
        const exercise::Net &n = ex.nets[0];
        QVERIFY(cellAt(n, die::field(8, 4))->changed);
        QCOMPARE(cellAt(n, die::field(8, 4))->shown, Choice());
        QVERIFY(!cellAt(n, die::field(9, 4))->changed);
        QCOMPARE(ex.changedCount(), 1);
    }

    // A picture that looks the same in every turn: each turn is right, and
    // a blank square also takes another face that looks alike.
    void alikeChoicesAreAccepted()
    {
        QTemporaryDir dir;
        FaceSet faces;
        faces.setPictures({plainPicture(dir, "red.png", 0xD03030), plainPicture(dir, "red2.png", 0xD83434),
                           demo("3-zadni.gif"), demo("4-leva.jpg"), demo("5-horni.png"),
                           demo("6-dolni.gif")});
        QuizSheet sheet;
        sheet.obnov(faces.snapshot());
        sheet.putOnSheet(1);
        sheet.hide(1, 3);       // face 1
        sheet.turnStep(1, 6);   // face 3
        sheet.hide(1, 2);       // face 5
        const QuizNets &nets = sheet.nets();
        const Exercise ex = exercise::fromQuiz(sheet, exercise::screenPictures(nets.applied(), nets.tiles()));
        const QList<exercise::Cell> &cells = ex.nets[0].cells;
        QCOMPARE(cells[2].accepted.size(), 8);   // faces 1 and 2, every turn
        for (int face : {1, 2})
            for (int turn = 0; turn < 4; ++turn)
                QVERIFY(cells[2].accepted.contains(Choice({face, turn})));
        QCOMPARE(cells[5].accepted, QList<Choice>({cells[5].answer}));
        QCOMPARE(cells[1].accepted, QList<Choice>({cells[1].answer}));
    }

    void pageKeepsToItself_data()
    {
        QTest::addColumn<bool>("allow3d");
        QTest::newRow("flat") << false;
        QTest::newRow("3d allowed") << true;
    }
    // One file: its script and style allowed by their hashes, pictures as
    // data: addresses, and the 3D view's site only when it is allowed.
    void pageKeepsToItself()
    {
        QFETCH(bool, allow3d);
        QuizSheet sheet;
        sheet.obnov(demoFaces("000000"));
        sheet.putOnSheet(3);
        sheet.hide(3, 1);
        sheet.setMemo(QuizSheet::Memo::Vstup, {"Zadání: </script><script>alert(1)</script> & <!--"});
        const QuizNets &nets = sheet.nets();
        const Exercise ex = exercise::fromQuiz(sheet, exercise::screenPictures(nets.applied(), nets.tiles()));
        const QByteArray page = exercise::page(ex, {75, allow3d}, LanguageTexts());

        const QString csp = cspOf(page);
        QVERIFY2(csp.startsWith("default-src 'none'; script-src " + sha256(element(page, "<script>"))), qPrintable(csp));
        QCOMPARE(csp.contains("'self'"), allow3d);
        if (!allow3d) {
            QVERIFY(csp.contains("style-src " + sha256(element(page, "<style>"))));
            QVERIFY(csp.contains("img-src data:;"));
        }
        // The task's text cannot end the data's script element.
        QCOMPARE(page.count("</script>"), 2);
        QCOMPARE(page.count("<!--"), 0);
        const QJsonObject data = pageDataOf(page);
        QCOMPARE(data["task"].toArray().first().toString(),
                 QStringLiteral("Zadání: </script><script>alert(1)</script> & <!--"));
        QCOMPARE(data["pass"].toInt(), 75);
        QCOMPARE(data["allow3d"].toBool(), allow3d);
        QCOMPARE(data["kind"].toString(), QStringLiteral("quiz"));
        const QJsonArray pictures = data["pictures"].toArray();
        QCOMPARE(pictures.size(), 6);
        for (const QJsonValue &p : pictures)
            QVERIFY(p.toString().startsWith("data:image/"));
        // Only the hidden square is to be changed, and it may be filled.
        const QJsonArray cells = data["nets"].toArray().first().toObject()["cells"].toArray();
        QCOMPARE(cells.size(), 6);
        QCOMPARE(cells[0].toObject()["changed"].toBool(), true);
        QCOMPARE(cells[0].toObject()["fill"].toBool(), true);
        QCOMPARE(cells[0].toObject()["shown"].toArray(), QJsonArray({0, 0}));
        QCOMPARE(cells[0].toObject()["accepted"].toArray().first().toArray(),
                 QJsonArray({net::net_faces[2][0], net::originalTurn(3, 1, nets.applied().rotations)}));
        for (int i = 1; i < 6; ++i)
            QCOMPARE(cells[i].toObject()["changed"].toBool(), false);
    }

    void pageInTheLanguageInUse()
    {
        QFile file(QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        LanguageTexts english{true, QString::fromUtf8(file.readAll()).split("\r\n")};
        TraceSheet sheet;
        sheet.refresh(demoFaces("000000"), [](int) { return true; });
        const Exercise ex = exercise::fromTrace(sheet, {wholeTrace(sheet, 1, true), QImage()}, {}, {});
        const QByteArray page = exercise::page(ex, {}, english);
        QVERIFY(page.contains("<html lang=\"en\">"));
        QVERIFY(page.contains("<title>vemtal – Trace of the die</title>"));
        const QJsonObject texts = pageDataOf(page)["texts"].toObject();
        QCOMPARE(texts["check"].toString(), QStringLiteral("Check"));
        QCOMPARE(texts["retry"].toString(), QStringLiteral("Try again"));
        QCOMPARE(pageDataOf(page)["pass"].toInt(), 60);
        const QByteArray czech = exercise::page(ex, {}, LanguageTexts());
        QCOMPARE(pageDataOf(czech)["texts"].toObject()["check"].toString(), QStringLiteral("Zkontrolovat"));
    }

    void scormPackage()
    {
        const QByteArray page = "<!DOCTYPE html><title>x</title>";
        QString error;
        const QByteArray zip = scorm::package(page, QStringLiteral("vemtal – Kvíz & <sítě>"), 72, &error);
        QVERIFY2(!zip.isEmpty(), qPrintable(error));
        const ziparchive::ReadResult read = ziparchive::read(zip);
        QVERIFY(read.ok());
        QCOMPARE(read.entries.size(), 2);
        QCOMPARE(read.entries[0].name, QStringLiteral("imsmanifest.xml"));
        QCOMPARE(read.entries[1].name, QStringLiteral("index.html"));
        QCOMPARE(read.entries[1].data, page);

        QXmlStreamReader xml(read.entries[0].data);
        QStringList titles;
        QString mastery, schemaVersion, href, scormType, itemRef, resourceId;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.name();
            if (name == u"resource") {
                href = xml.attributes().value("href").toString();
                scormType = xml.attributes().value("http://www.adlnet.org/xsd/adlcp_rootv1p2", "scormtype").toString();
                resourceId = xml.attributes().value("identifier").toString();
            } else if (name == u"item") {
                itemRef = xml.attributes().value("identifierref").toString();
            } else if (name == u"title") {
                titles << xml.readElementText();
            } else if (name == u"masteryscore") {
                QCOMPARE(xml.namespaceUri(), QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"));
                mastery = xml.readElementText();
            } else if (name == u"schemaversion") {
                schemaVersion = xml.readElementText();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(schemaVersion, QStringLiteral("1.2"));
        QCOMPARE(mastery, QStringLiteral("72"));
        QCOMPARE(href, QStringLiteral("index.html"));
        QCOMPARE(scormType, QStringLiteral("sco"));
        QCOMPARE(itemRef, resourceId);
        QCOMPARE(titles, QStringList({"vemtal – Kvíz & <sítě>", "vemtal – Kvíz & <sítě>"}));
    }
};

QTEST_GUILESS_MAIN(tst_Exercise)
#include "tst_exercise.moc"
