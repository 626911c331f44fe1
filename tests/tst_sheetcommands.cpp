// The main window's quiz and trace commands with the real quiz and trace
// windows behind them.
#include "appcontext.h"
#include "cesta.h"
#include "faceset.h"
#include "help.h"
#include "help2.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "scripteddialogs.h"
#include "testapp.h"
#include "textfile.h"
#include "tisky.h"
#include "tracenet.h"
#include "vemtal.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using tracenet::centre;

class tst_SheetCommands : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;

    QAction *item(const char *name) const { return m_app->item(name); }
    QString path(const QString &name) const { return m_app->path(name); }
    QByteArray fileBytes(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &file, const QByteArray &bytes)
    {
        QString error;
        QVERIFY2(textfile::writeFile(file, bytes, error), qPrintable(error));
    }
    // Centre of field (c, r) of a net image.
    // Prints through the print-to-file box (the placement dialog
    // cancelled) and reads the bitmap saved.
    QImage printToFile(const char *command, const QString &name)
    {
        m_app->dialogs.prints.enqueue({true, true});
        m_app->dialogs.files.enqueue({path(name)});
        item(command)->trigger();
        return QImage(path(name), "BMP").convertToFormat(QImage::Format_RGB32);
    }
    QString lastPdf() const
    {
        for (auto c = m_app->dialogs.calls.crbegin(); c != m_app->dialogs.calls.crend(); ++c)
            if (c->kind == "print")
                return c->print.pdfFile;
        return {};
    }

private slots:
    void init() { m_app = std::make_unique<TestApp>(); }
    void cleanup() { m_app.reset(); }

    void missingPicturesStopBothWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QString>("answers");   // enabled along with `disabled`
        QTest::newRow("quiz") << "Piprav1" << "tiskni" << "tiskniReseni";
        QTest::newRow("quiz file") << "Nastkviz1" << "tiskni" << "tiskniReseni";
        QTest::newRow("trace") << "priprstopy" << "tiskstopy" << "tiskReseniStopy";
        QTest::newRow("trace file") << "Nastzadn1" << "tiskstopy" << "tiskReseniStopy";
    }
    void missingPicturesStopBothWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, disabled);
        QFETCH(QString, answers);
        m_app->form1->openArguments(testfiles::demoFiles().mid(0, 5));
        QVERIFY(!item(answers.toLatin1())->isEnabled());
        item(disabled.toLatin1())->setEnabled(true);
        QVERIFY(item(answers.toLatin1())->isEnabled());
        item(command.toLatin1())->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList("Vyberte textury."));
        QVERIFY(!item(disabled.toLatin1())->isEnabled());
        QVERIFY(!item(answers.toLatin1())->isEnabled());
        QVERIFY(!m_app->form2->isVisible());
        QVERIFY(!m_app->form4->isVisible());
        QVERIFY(m_app->dialogs.texts("files").isEmpty());
        QVERIFY(m_app->dialogs.texts("question").isEmpty());
    }

    void quizPreparedConfirmedSavedAndLoaded()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        m_app->form1->findChild<QLineEdit *>("Ed2")->setText("3");
        item("Piprav1")->trigger();
        QVERIFY(m_app->form2->isVisible());
        QCOMPARE(int(m_app->context.snapshot.rotations[2]), 3);
        QCOMPARE(m_app->context.snapshot.names[0], QString(testfiles::demoFiles()[0]).replace(".jpg", ".bmp"));

        // Arrange: Image9 onto the sheet, a square hidden, a task typed.
        auto *image9 = m_app->form2->findChild<ImageControl *>("Image9");
        QTest::mouseClick(image9, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(image9, Qt::RightButton, {}, QPoint(50, 50));
        m_app->form2->findChild<QPlainTextEdit *>("vstup")->setPlainText("Zadání:\nKterá síť patří ke krychli?");
        QVERIFY(!item("tiskni")->isEnabled());
        QTest::mouseClick(m_app->form2->findChild<QPushButton *>("OK"), Qt::LeftButton);
        QVERIFY(!m_app->form2->isVisible());
        QVERIFY(item("tiskni")->isEnabled());
        QVERIFY(item("Ulokviz1")->isEnabled());
        // The print dialog (cancelled) offers the quiz's PDF in the start folder.
        item("tiskni")->trigger();
        QCOMPARE(m_app->dialogs.calls.last().print.pdfFile, path("kviz.pdf"));

        m_app->dialogs.files.enqueue({path("kviz.tkt")});
        item("Ulokviz1")->trigger();
        const QByteArray saved = fileBytes(path("kviz.tkt"));
        QVERIFY(saved.startsWith("KK\r\nI 0 8 7 "));
        const QList<QByteArray> lines = saved.split('\n');
        QVERIFY(lines.size() > 9);
        QVERIFY2(lines[9].startsWith("I 1 296 7 "), lines[9].constData());
        QCOMPARE(lines[9].at(12), '4');   // square 3 hidden

        // Change the arrangement, then load the file back.
        QTest::mouseClick(image9, Qt::RightButton, {}, QPoint(10, 10));
        m_app->form2->findChild<QPlainTextEdit *>("vstup")->setPlainText("jiný text");
        m_app->dialogs.files.enqueue({path("kviz.tkt")});
        item("Nastkviz1")->trigger();
        QVERIFY(m_app->dialogs.texts("message").isEmpty());
        QVERIFY(m_app->form2->isVisible());
        QCOMPARE(image9->parentWidget(), static_cast<QWidget *>(m_app->form2.get()));
        QCOMPARE(m_app->form2->findChild<QPlainTextEdit *>("vstup")->toPlainText(),
                 QStringLiteral("Zadání:\nKterá síť patří ke krychli?"));
        QCOMPARE(m_app->form2->quizFileBytes(), saved);
    }

    // The answer sheet shows the hidden square and the turned one in its
    // original turn, framed red and blue; everything else is as printed.
    void quizAnswerSheet()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        item("Piprav1")->trigger();
        auto *image9 = m_app->form2->findChild<ImageControl *>("Image9");
        QTest::mouseClick(image9, Qt::LeftButton, {}, QPoint(10, 10));   // onto the sheet at 296, 7
        const QImage original = image9->image().copy();
        QTest::mouseClick(image9, Qt::RightButton, {}, QPoint(50, 50));    // square 3 hidden
        QTest::mouseClick(image9, Qt::MiddleButton, {}, QPoint(110, 50));  // square 6 turned
        QTest::mouseClick(m_app->form2->findChild<QPushButton *>("OK"), Qt::LeftButton);
        QAction *answers = item("tiskniReseni");
        QVERIFY(answers->isEnabled());
        const QList<QAction *> kviz = m_app->form1->findChild<QMenu *>("tisk1")->actions();
        QCOMPARE(kviz.indexOf(answers), kviz.indexOf(item("tiskni")) + 1);
        const QByteArray quizFile = m_app->form2->quizFileBytes();

        const QImage task = printToFile("tiskni", "kviz.bmp");
        const QImage solved = printToFile("tiskniReseni", "kviz-reseni.bmp");
        QCOMPARE(lastPdf(), path("kviz-reseni.pdf"));
        QCOMPARE(solved.size(), QSize(440, 600));
        // A square on the sheet, its picture area inset by `inset`.
        auto square = [](const QImage &from, int s, int inset, QPoint at) {
            return from.copy(at.x() + net::square_x[s - 1] + inset, at.y() + net::square_y[s - 1] + inset,
                             32 - 2 * inset, 32 - 2 * inset);
        };
        const QPoint onSheet(296, 7), home(0, 0);
        QImage white(32, 32, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(square(task, 3, 0, onSheet), white);
        QVERIFY(square(task, 6, 2, onSheet) != square(original, 6, 2, home));
        for (int s : {3, 6}) {
            QCOMPARE(square(solved, s, 2, onSheet), square(original, s, 2, home));
            const QRgb ring = s == 3 ? 0xFF0000 : 0x0000FF;
            for (int i : {0, 1, 15, 30, 31})
                QCOMPARE(square(solved, s, 0, onSheet).pixel(i, 1) & 0xFFFFFF, ring);
        }
        // Untouched squares, frames included, and all but the thumbnail alike.
        for (int s : {1, 2, 4, 5})
            QCOMPARE(square(solved, s, -1, onSheet), square(task, s, -1, onSheet));
        QImage taskRest = task, solvedRest = solved;
        for (QImage *sheet : {&taskRest, &solvedRest})
            QPainter(sheet).fillRect(QRect(onSheet, QSize(138, 104)), Qt::black);
        QCOMPARE(solvedRest, taskRest);
        // The sheet, its window and its file are as they were.
        QCOMPARE(m_app->form2->quizFileBytes(), quizFile);
        QCOMPARE(square(image9->image(), 3, 0, home), white);
    }

    // The trace's answer sheet shows the whole trace as trace mode draws it,
    // the imprints that the sheet hid framed red, the one it turned blue.
    void traceAnswerSheet()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        item("priprstopy")->trigger();
        TForm4 *form = m_app->form4.get();
        auto *upper = form->findChild<ImageControl *>("Image5");
        for (QPoint f : {centre(8, 4), centre(8, 5), centre(9, 5), centre(10, 5)})
            QTest::mouseClick(upper, Qt::LeftButton, {}, f);
        QTest::mouseClick(form->findChild<QPushButton *>("oprav"), Qt::LeftButton);
        const QImage whole = upper->image().copy();
        auto *rgrezim = form->findChild<QGroupBox *>("rgrezim")->findChild<QButtonGroup *>();
        QTest::mouseClick(rgrezim->button(1), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(upper, Qt::RightButton, {}, centre(8, 5));   // imprints hidden
        QTest::mouseClick(upper, Qt::RightButton, {}, centre(9, 5));
        QTest::mouseClick(upper, Qt::LeftButton, Qt::ShiftModifier, centre(10, 5));   // turned
        QTest::mouseClick(form->findChild<QPushButton *>("OK"), Qt::LeftButton);
        QVERIFY(item("tiskReseniStopy")->isEnabled());
        const QByteArray traceFile = form->traceFileBytes(1);

        const QImage task = printToFile("tiskstopy", "stopa.bmp");
        const QImage solved = printToFile("tiskReseniStopy", "stopa-reseni.bmp");
        QCOMPARE(lastPdf(), path("stopa-reseni.pdf"));
        const QRect net(6, 7, 430, 232);   // Image5 on the sheet
        // A field's picture area on the net, inset by `inset`.
        auto area = [](QPoint centre, int inset) {
            return QRect(centre - QPoint(16, 16), QSize(32, 32)).adjusted(inset, inset, -inset, -inset);
        };
        QImage white(32, 32, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(task.copy(area(centre(8, 5), 0).translated(net.topLeft())), white);
        const QImage answer = solved.copy(net);
        const QList<QPoint> marked{centre(8, 5), centre(9, 5), centre(10, 5)};
        for (QPoint f : marked) {
            QCOMPARE(answer.copy(area(f, 2)), whole.copy(area(f, 2)));
            const QRgb ring = f == centre(10, 5) ? 0x0000FF : 0xFF0000;
            const QRect outer = area(f, 0);
            for (QPoint p : {outer.topLeft(), outer.topLeft() + QPoint(1, 1), outer.bottomRight(),
                             outer.bottomRight() - QPoint(1, 1), outer.topRight(), outer.bottomLeft()})
                QCOMPARE(answer.pixel(p) & 0xFFFFFF, ring);
        }
        // Everything else as the whole trace, the last field's red frame too.
        QImage answerRest = answer, wholeRest = whole;
        for (QImage *image : {&answerRest, &wholeRest}) {
            QPainter painter(image);
            for (QPoint f : marked)
                painter.fillRect(area(f, 0), Qt::black);
        }
        QCOMPARE(answerRest, wholeRest);
        QCOMPARE(form->traceFileBytes(1), traceFile);
    }

    // Rolled traces, the upper one edited in picture mode (three imprints
    // hidden, one turned), saved; after a restart with the same pictures
    // both files show what the window showed.
    void traceRestartShowsWhatWasSaved_data()
    {
        QTest::addColumn<QPoint>("turned");
        QTest::newRow("start field turned") << QPoint(7, 4);
        QTest::newRow("inner field turned") << QPoint(9, 3);
        QTest::newRow("last field turned") << QPoint(10, 2);
    }
    void traceRestartShowsWhatWasSaved()
    {
        QFETCH(QPoint, turned);
        QTemporaryDir keep;   // outlives the first start folder
        const QStringList files{keep.filePath("horni.tpt"), keep.filePath("dolni.tpt")};
        const QList<QList<QPoint>> paths{
                {{7, 4}, {8, 4}, {9, 4}, {9, 3}, {10, 3}, {10, 2}},
                {{7, 4}, {7, 5}, {7, 6}, {6, 6}}};
        const char *nets[] = {"Image5", "Image4"};
        // The centre of each field of the path, arrowheads left out.
        auto blocks = [&](int n) {
            const QImage image = m_app->form4->findChild<ImageControl *>(nets[n])->image();
            QList<QImage> out;
            for (QPoint f : paths[n])
                out << image.copy(QRect(centre(f.x(), f.y()) - QPoint(11, 11), QSize(22, 22)));
            return out;
        };
        m_app->form1->openArguments(testfiles::demoFiles());
        item("priprstopy")->trigger();
        auto *upper = m_app->form4->findChild<ImageControl *>("Image5");
        auto *lower = m_app->form4->findChild<ImageControl *>("Image4");
        for (int n : {1, 0})
            for (qsizetype i = 1; i < paths[n].size(); ++i)
                QTest::mouseClick(n ? lower : upper, Qt::LeftButton, {},
                                  centre(paths[n][i].x(), paths[n][i].y()));
        QCOMPARE(m_app->form4->activeNet(), 1);
        auto *rgrezim = m_app->form4->findChild<QGroupBox *>("rgrezim")->findChild<QButtonGroup *>();
        QTest::mouseClick(rgrezim->button(1), Qt::LeftButton, {}, QPoint(5, 5));
        for (QPoint f : {QPoint(8, 4), QPoint(9, 4), QPoint(10, 3)})
            QTest::mouseClick(upper, Qt::RightButton, {}, centre(f.x(), f.y()));
        QTest::mouseClick(upper, Qt::LeftButton, Qt::ShiftModifier, centre(turned.x(), turned.y()));
        const QList<QImage> shown[] = {blocks(0), blocks(1)};
        QTest::mouseClick(m_app->form4->findChild<QPushButton *>("OK"), Qt::LeftButton);
        m_app->dialogs.answers << true << true;
        m_app->dialogs.files << QStringList{files[0]} << QStringList{files[1]};
        item("Uloitzadn1")->trigger();

        m_app = std::make_unique<TestApp>();
        m_app->form1->openArguments(testfiles::demoFiles());
        m_app->dialogs.answers << true << true;
        m_app->dialogs.files << QStringList{files[0]} << QStringList{files[1]};
        item("Nastzadn1")->trigger();
        QVERIFY(m_app->dialogs.texts("message").isEmpty());
        QCOMPARE(m_app->form4->mode(), 2);
        for (int n : {0, 1})
            QCOMPARE(blocks(n), shown[n]);
    }

    void badQuizFileChangesNothing()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        const QByteArray before = m_app->form2->quizFileBytes();
        write(path("bad.tkt"), "KK \r\nI 0 8 7 000200\r\n");
        m_app->dialogs.files.enqueue({path("bad.tkt")});
        item("Nastkviz1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList("Chybný formát dat"));
        QVERIFY(!m_app->form2->isVisible());
        QCOMPARE(m_app->form2->quizFileBytes(), before);
        // A file that cannot be read: the system's reason.
        m_app->dialogs.files.enqueue({path("missing.tkt")});
        item("Nastkviz1")->trigger();
        QCOMPARE(m_app->dialogs.texts("error").size(), 1);
    }

    void traceSavedAndLoadedNetByNet()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        item("priprstopy")->trigger();
        QVERIFY(m_app->form4->isVisible());
        auto *upper = m_app->form4->findChild<ImageControl *>("Image5");
        QTest::mouseClick(upper, Qt::LeftButton, {}, centre(8, 4));
        QTest::mouseClick(upper, Qt::LeftButton, {}, centre(8, 5));
        QCOMPARE(m_app->form4->net(1).history.count, 2);
        QTest::mouseClick(m_app->form4->findChild<QPushButton *>("OK"), Qt::LeftButton);
        QVERIFY(item("tiskstopy")->isEnabled());
        QVERIFY(item("Uloitzadn1")->isEnabled());
        item("tiskstopy")->trigger();
        QCOMPARE(m_app->dialogs.calls.last().print.pdfFile, path("stopa.pdf"));

        // Both questions are always asked, upper first.
        m_app->dialogs.answers << false << true;
        m_app->dialogs.files.enqueue({path("dolni.tpt")});
        item("Uloitzadn1")->trigger();
        QCOMPARE(m_app->dialogs.texts("question"),
                 QStringList({"Uložit stopu 1 (horní)?", "Uložit stopu 2 (dolní)?"}));
        QVERIFY(!QFileInfo::exists(path("horni.tpt")));
        QCOMPARE(fileBytes(path("dolni.tpt")), m_app->form4->traceFileBytes(2));

        m_app->dialogs.answers << true;
        m_app->dialogs.files.enqueue({path("horni.tpt")});
        m_app->dialogs.answers << false;
        item("Uloitzadn1")->trigger();
        const QByteArray upperFile = fileBytes(path("horni.tpt"));
        QVERIFY(upperFile.startsWith("KP\r\n"));

        // Loading: a bad file for the upper net leaves it, the lower question still comes.
        m_app->dialogs.calls.clear();
        write(path("bad.tpt"), "kp\r\n");
        m_app->dialogs.answers << true << true;
        m_app->dialogs.files.enqueue({path("bad.tpt")});
        m_app->dialogs.files.enqueue({path("horni.tpt")});
        item("Nastzadn1")->trigger();
        QCOMPARE(m_app->dialogs.texts("question"),
                 QStringList({"Načíst stopu 1 (horní)?", "Načíst stopu 2 (dolní)?"}));
        QCOMPARE(m_app->dialogs.texts("message"), QStringList("Chybný formát dat"));
        QCOMPARE(m_app->form4->net(1).history.count, 2);
        QCOMPARE(m_app->form4->net(2).history.count, 2);
        QCOMPARE(m_app->form4->traceFileBytes(2), upperFile);
        QVERIFY(m_app->form4->isVisible());
        QCOMPARE(m_app->form4->mode(), 2);
    }

    // Declined questions, a cancelled dialog or a bad file change nothing:
    // the window stays wholly in its mode, radio group and buttons agreeing.
    void traceLoadOfNothingChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("mode");   // 0: never shown before
        QTest::newRow("both declined") << "declined" << 1;
        QTest::newRow("dialog cancelled") << "cancelled" << 1;
        QTest::newRow("bad file") << "bad" << 1;
        QTest::newRow("declined in picture mode") << "declined" << 2;
        QTest::newRow("first use, declined") << "declined" << 0;
    }
    void traceLoadOfNothingChangesNothing()
    {
        QFETCH(QString, how);
        QFETCH(int, mode);
        m_app->form1->openArguments(testfiles::demoFiles());
        TForm4 *form = m_app->form4.get();
        auto *upper = form->findChild<ImageControl *>("Image5");
        auto *rgrezim = form->findChild<QGroupBox *>("rgrezim")->findChild<QButtonGroup *>();
        if (mode != 0) {
            item("priprstopy")->trigger();
            QTest::mouseClick(upper, Qt::LeftButton, {}, centre(8, 4));
            QTest::mouseClick(upper, Qt::LeftButton, {}, centre(8, 5));
            if (mode == 2)
                QTest::mouseClick(rgrezim->button(1), Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseClick(form->findChild<QPushButton *>("OK"), Qt::LeftButton);
        }
        // Never shown, the window gets its start imprints at its first showing.
        const QByteArray before = form->traceFileBytes(1) + form->traceFileBytes(2);
        const trace::History histories[] = {form->net(1).history, form->net(2).history};
        if (how == "declined") {
            m_app->dialogs.answers << false << false;
        } else {
            m_app->dialogs.answers << true << false;
            m_app->dialogs.files.enqueue(how == "bad" ? QStringList{path("bad.tpt")} : QStringList{});
            write(path("bad.tpt"), "kp\r\n");
        }
        item("Nastzadn1")->trigger();
        QVERIFY(form->isVisible());
        const bool picture = mode == 2;
        QCOMPARE(form->mode(), picture ? 2 : 1);
        QCOMPARE(rgrezim->checkedId(), picture ? 1 : 0);
        QCOMPARE(form->findChild<QPushButton *>("nova")->isEnabled(), !picture);
        QCOMPARE(form->findChild<QPushButton *>("undo")->isEnabled(), mode == 1);
        QCOMPARE(form->findChild<QPushButton *>("OBNOVIT")->isEnabled(), picture);
        QCOMPARE(form->findChild<ImageControl *>("Image3")->isVisible(), picture);
        if (mode != 0)
            QCOMPARE(form->traceFileBytes(1) + form->traceFileBytes(2), before);
        for (int n : {1, 2})
            QCOMPARE(form->net(n).history, histories[n - 1]);
        // A redraw still shows the last imprint.
        QTest::mouseClick(form->findChild<QPushButton *>("oprav"), Qt::LeftButton);
        const QPoint last = mode != 0 ? centre(8, 5) : centre(7, 4);
        int coloured = 0;
        for (int dx = -15; dx <= 15; ++dx)
            coloured += (upper->image().pixel(last + QPoint(dx, 0)) & 0xFFFFFF) != 0xFFFFFFu;
        QVERIFY(coloured > 15);
    }
};

QTEST_MAIN(tst_SheetCommands)
#include "tst_sheetcommands.moc"
