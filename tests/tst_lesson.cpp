// The lesson file: its reader against hostile files, and a whole lesson
// saved from the windows and opened in a fresh program elsewhere.
#include "fileaccess.h"
#include "lesson.h"
#include "lessoncommands.h"
#include "requirements.h"
#include "sheetprinting.h"
#include "testapp.h"
#include "testfiles.h"
#include "tracenet.h"
#include "ziparchive.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>
#include <zip.h>

#include <functional>
#include <memory>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// `path`, once `bytes` are written to it whole; empty otherwise.
QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? path : QString();
}

// A lesson's entries changed by `edit`, zipped again.
QByteArray edited(const QByteArray &lesson, const std::function<void(QList<ziparchive::Entry> &)> &edit)
{
    QList<ziparchive::Entry> entries = ziparchive::read(lesson).entries;
    edit(entries);
    return ziparchive::write(entries);
}

QByteArray withManifest(const QByteArray &lesson, const std::function<void(QJsonObject &)> &edit)
{
    return edited(lesson, [&](QList<ziparchive::Entry> &entries) {
        QJsonObject manifest = QJsonDocument::fromJson(entries[0].data).object();
        edit(manifest);
        entries[0].data = QJsonDocument(manifest).toJson();
    });
}

// The entry `name` marked as a symbolic link, as a Unix zip tool stores one.
QByteArray asLink(const QByteArray &lesson, const char *name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t *archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    zip_source_keep(source);
    const QList<ziparchive::Entry> entries = ziparchive::read(lesson).entries;
    for (const ziparchive::Entry &e : entries) {
        const zip_int64_t i = zip_file_add(archive, e.name.toUtf8().constData(),
                                           zip_source_buffer(archive, e.data.constData(), e.data.size(), 0), 0);
        if (e.name == QLatin1String(name))
            zip_file_set_external_attributes(archive, i, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777) << 16);
    }
    zip_close(archive);
    QByteArray bytes;
    zip_source_open(source);
    zip_source_seek(source, 0, SEEK_END);
    bytes.resize(zip_source_tell(source));
    zip_source_seek(source, 0, SEEK_SET);
    zip_source_read(source, bytes.data(), bytes.size());
    zip_source_close(source);
    zip_source_free(source);
    return bytes;
}

// A sheet printed into a PDF as "Tiskni" prints it, the placement dialog
// accepted as it stands, and the page rasterised.
QImage printed(TestApp &app, const PrintedSheet &sheet)
{
    QPrinter *printer = app.printing->printer();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(app.path("list.pdf"));
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setResolution(100);
    app.dialogs.prints.enqueue({true, false});
    app.dialogs.modals.enqueue([](QDialog *d) {
        d->show();
        return true;
    });
    QAction menu;
    app.printing->print(sheet, &menu);
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "50", "-png", "-singlefile", app.path("list.pdf"), app.path("page")});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(app.path("page.png"));
}

QImage composed(const PrintedSheet &sheet)
{
    return sheet::composeSheet(sheet.items(true));
}

} // namespace

class tst_Lesson : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_homes;
    QByteArray m_lesson;          // saved by the first program
    QList<QImage> m_sheets;       // its quiz and trace sheets, as printed and solved
    placement::Choices m_choices{4, 30, 40, false, false};

    // A program whose HOME is a folder of its own.
    std::unique_ptr<TestApp> startIn(const QString &home)
    {
        QDir().mkpath(home);
        qputenv("HOME", QFile::encodeName(home));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        return std::make_unique<TestApp>();
    }
    static QList<QImage> sheets(const TestApp &app)
    {
        return {composed(app.form2->printedSheet()), composed(app.form2->answerSheet()),
                composed(app.form4->printedSheet()), composed(app.form4->answerSheet())};
    }
    QList<QImage> m_pages;   // both sheets printed with the lesson's placement
    static QList<QImage> pages(TestApp &app)
    {
        return {printed(app, app.form2->printedSheet()), printed(app, app.form4->printedSheet())};
    }

private slots:
    // The lesson every other case starts from: pictures in a folder that is
    // deleted afterwards, a quiz with a net on the sheet, one square hidden
    // and the task drawn, a trace rolled and edited, a placement.
    void initTestCase()
    {
        std::unique_ptr<TestApp> app = startIn(m_homes.filePath("teacher"));
        const QString pictures = app->path("obrazky");
        QDir().mkpath(pictures);
        QStringList files;
        for (const QString &demo : testfiles::demoFiles()) {
            const QString copy = pictures + QLatin1Char('/') + QFileInfo(demo).fileName();
            QFile::copy(demo, copy);
            QFile::copy(faceset::companionBitmapName(demo), faceset::companionBitmapName(copy));
            files << copy;
        }
        app->form1->openArguments(files);
        app->form1->findChild<QLineEdit *>("Ed2")->setText("3");

        app->item("Piprav1")->trigger();
        TForm2 &quiz = *app->form2;
        auto *thumb = quiz.findChild<QWidget *>("Image4");
        QTest::mouseClick(thumb, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(thumb, Qt::RightButton, {}, QPoint(50, 50));
        quiz.findChild<QPlainTextEdit *>("vstup")->setPlainText("Zadání:\nSlož krychli.");
        quiz.vstupDblClick();
        QTest::mouseClick(quiz.findChild<QPushButton *>("OK"), Qt::LeftButton);

        app->item("priprstopy")->trigger();
        TForm4 &trace = *app->form4;
        auto *upper = trace.findChild<QWidget *>("Image5");
        for (QPoint f : {QPoint(8, 4), QPoint(9, 4), QPoint(9, 5), QPoint(10, 5)})
            QTest::mouseClick(upper, Qt::LeftButton, {}, tracenet::centre(f.x(), f.y()));
        for (QRadioButton *r : trace.findChildren<QRadioButton *>())
            if (r->text() == texts::builtin(Text::TraceModePicture))
                QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(trace.mode(), 2);
        QTest::mouseClick(upper, Qt::RightButton, {}, tracenet::centre(9, 4));
        QTest::mouseClick(upper, Qt::LeftButton, {}, tracenet::centre(9, 5));
        // The upper net hidden, the thumbnail put on the sheet and dragged.
        QTest::mouseClick(trace.findChild<QWidget *>("Image5"), Qt::RightButton, Qt::ShiftModifier, QPoint(3, 3));
        auto *thumbnail = trace.findChild<QWidget *>("Image1");
        QTest::mousePress(thumbnail, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(thumbnail, QPoint(40, 60));
        QTest::mouseRelease(thumbnail, Qt::LeftButton, {}, QPoint(40, 60));
        QVERIFY(thumbnail->parentWidget() == &trace && thumbnail->pos() != QPoint(6, 7));
        QVERIFY(trace.findChild<QWidget *>("Image5")->isHidden());
        QTest::mouseClick(trace.findChild<QPushButton *>("OK"), Qt::LeftButton);
        app->stranka->setChoices(m_choices);

        const QString saved = app->path("lekce.vemtal");
        app->dialogs.files.enqueue({saved});
        QElapsedTimer timer;
        timer.start();
        app->item("UlozitLekci1")->trigger();
        qInfo("saving the lesson: %lld ms", timer.elapsed());
        m_lesson = fileBytes(saved);
        QVERIFY(!m_lesson.isEmpty());
        QVERIFY(app->dialogs.texts("error").isEmpty() && app->dialogs.texts("message").isEmpty());
        m_sheets = sheets(*app);
        if (!QStandardPaths::findExecutable("pdftoppm").isEmpty())
            m_pages = pages(*app);
        QDir(pictures).removeRecursively();
    }

    // Opened from the command line in a fresh program: another start
    // folder, another HOME, the pictures gone. Everything comes back.
    void openedElsewhereComesBackWhole()
    {
        std::unique_ptr<TestApp> app = startIn(m_homes.filePath("pupil"));
        const QString file = writeFile(app->path("lekce.vemtal"), m_lesson);
        QVERIFY(!file.isEmpty());
        QElapsedTimer timer;
        timer.start();
        app->form1->openArguments({file});
        qInfo("opening the lesson: %lld ms", timer.elapsed());
        QVERIFY(app->dialogs.calls.isEmpty());

        const FaceSet &faces = app->form1->faceSet();
        QVERIFY(faces.complete());
        QCOMPARE(faces.rotationTexts(), QStringList({"0", "0", "3", "0", "0", "0"}));
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(folder.startsWith(m_homes.filePath("pupil")));
        for (int slot = 0; slot < 6; ++slot) {
            QVERIFY2(faces.picture(slot).startsWith(folder + "/lessons/"), qPrintable(faces.picture(slot)));
            QVERIFY(QFileInfo(faces.picture(slot)).isFile());
        }
        QVERIFY(app->form2->isVisible() && app->form4->isVisible());
        QVERIFY(app->item("tiskni")->isEnabled() && app->item("tiskstopy")->isEnabled());
        QCOMPARE(app->stranka->choices(), m_choices);

        const QList<QImage> now = sheets(*app);
        const char *names[] = {"quiz", "quiz answers", "trace", "trace answers"};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(now[i] == m_sheets[i], names[i]);

        // Printed with the same placement, the same pages.
        if (m_pages.isEmpty())
            VEMTAL_SKIP_OUTSIDE_CI("pdftoppm (poppler-utils) is not installed");
        const QList<QImage> again = pages(*app);
        QVERIFY(!again[0].isNull() && again[0] != again[1]);
        QVERIFY2(again == m_pages, "printed pages");

        // Saved again, the lesson is the same file.
        app->dialogs.files.enqueue({app->path("znovu.vemtal")});
        app->item("UlozitLekci1")->trigger();
        QCOMPARE(fileBytes(app->path("znovu.vemtal")), m_lesson);

        // Opened again over the windows it shows: asked first; declined,
        // nothing changes; agreed, the same.
        QTest::mouseDClick(app->form4.get(), Qt::LeftButton, {}, QPoint(200, 243));   // the net shown
        // ... and a task text drawn and dragged: the lesson's hidden one must win.
        app->form4->findChild<QPlainTextEdit *>("vstup")->setPlainText("Jiný úkol");
        app->form4->vstupDblClick();
        auto *popis = app->form4->findChild<QWidget *>("popis");
        QTest::mousePress(popis, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(popis, QPoint(25, 45));
        QTest::mouseRelease(popis, Qt::LeftButton, {}, QPoint(25, 45));
        const QImage changed = composed(app->form4->printedSheet());
        QVERIFY(changed != now[2]);
        app->dialogs.files.enqueue({file});
        app->item("OtevritLekci1")->trigger();
        QCOMPARE(app->dialogs.texts("question"), QStringList{texts::builtin(Text::LessonReplacesWork)});
        QVERIFY(composed(app->form4->printedSheet()) == changed);
        app->dialogs.calls.clear();
        app->dialogs.files.enqueue({file});
        app->dialogs.answers.enqueue(true);
        app->item("OtevritLekci1")->trigger();
        QCOMPARE(app->dialogs.texts("question").size(), 1);
        QVERIFY(app->dialogs.texts("message").isEmpty() && app->dialogs.texts("error").isEmpty());
        QVERIFY(sheets(*app) == now);

        // A hostile file now changes nothing and says so once.
        const QByteArray newer = withManifest(m_lesson, [](QJsonObject &m) { m["version"] = 2; });
        const QString bad = writeFile(app->path("novejsi.vemtal"), newer);
        QVERIFY(!bad.isEmpty());
        const FaceSet before = faces;
        app->dialogs.calls.clear();
        app->dialogs.files.enqueue({bad});
        app->item("OtevritLekci1")->trigger();
        QCOMPARE(app->dialogs.texts("message").size(), 1);
        QVERIFY(app->form1->faceSet() == before);
        QVERIFY(sheets(*app) == now);
    }

    // A lesson without sheets, opened over prepared ones: they do not stay
    // behind, to be printed or saved with the other lesson's faces.
    void sheetsTheLessonHasNotAreReset()
    {
        std::unique_ptr<TestApp> app = startIn(m_homes.filePath("colleague"));
        const QString file = writeFile(app->path("lekce.vemtal"), m_lesson);
        QVERIFY(!file.isEmpty());
        app->form1->openArguments({file});
        QVERIFY(app->form2->isVisible() && app->form4->isVisible());

        app->dialogs.files.enqueue({VEMTAL_SOURCE_DIR "/tests/fuzz/corpus/lesson/faces.vemtal"});
        app->dialogs.answers.enqueue(true);
        app->item("OtevritLekci1")->trigger();
        QVERIFY(app->dialogs.texts("message").isEmpty() && app->dialogs.texts("error").isEmpty());
        QVERIFY(!app->form2->isVisible() && !app->form4->isVisible());
        QVERIFY(!app->form2->prepared() && !app->form4->lessonTrace());
        for (const char *item : {"tiskni", "Ulokviz1", "tiskniReseni", "Ulozitcviceni1", "tiskstopy", "Uloitzadn1"})
            QVERIFY2(!app->item(item)->isEnabled(), item);

        // Prepared again, the windows are those of a fresh program that
        // opened the same lesson.
        std::unique_ptr<TestApp> fresh = startIn(m_homes.filePath("fresh"));
        fresh->form1->openArguments({VEMTAL_SOURCE_DIR "/tests/fuzz/corpus/lesson/faces.vemtal"});
        for (TestApp *a : {app.get(), fresh.get()}) {
            a->item("Piprav1")->trigger();
            a->item("priprstopy")->trigger();
        }
        QVERIFY(sheets(*app) == sheets(*fresh));
        QCOMPARE(app->form2->quizFileBytes(), fresh->form2->quizFileBytes());
        for (int n = 1; n <= 2; ++n)
            QCOMPARE(app->form4->traceFileBytes(n), fresh->form4->traceFileBytes(n));
        QCOMPARE(app->form4->findChild<QPlainTextEdit *>("vstup")->toPlainText(),
                 fresh->form4->findChild<QPlainTextEdit *>("vstup")->toPlainText());

        // Reset after "Načíst zadání" read nothing: still nothing prepared.
        std::unique_ptr<TestApp> other = startIn(m_homes.filePath("other"));
        other->form1->openArguments(testfiles::demoFiles());
        other->item("Nastzadn1")->trigger();   // both questions answered No
        QVERIFY(other->form4->lessonTrace());
        other->dialogs.files.enqueue({VEMTAL_SOURCE_DIR "/tests/fuzz/corpus/lesson/faces.vemtal"});
        other->dialogs.answers.enqueue(true);
        other->item("OtevritLekci1")->trigger();
        QVERIFY(!other->form4->lessonTrace());
    }

    void hostileLessonsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("error");
        using E = lesson::ReadError;
        const QByteArray &l = m_lesson;
        const auto entry = [](const char *name, const QByteArray &data) {
            return [=](QList<ziparchive::Entry> &entries) { entries.append({name, data, true}); };
        };
        QTest::newRow("path traversal") << edited(l, entry("../lesson.json", "{}")) << int(E::Damaged);
        QTest::newRow("absolute path") << edited(l, entry("/tmp/x.png", "x")) << int(E::Damaged);
        QTest::newRow("symbolic link") << asLink(l, "pictures/0.jpg") << int(E::Damaged);
        QTest::newRow("bomb") << edited(l, entry("big", QByteArray(30 * 1024 * 1024, '\0'))) << int(E::TooLarge);
        QTest::newRow("truncated") << l.left(l.size() / 2) << int(E::NotALesson);
        QTest::newRow("newer version")
                << withManifest(l, [](QJsonObject &m) { m["version"] = 2; }) << int(E::NewerVersion);
        QTest::newRow("not a lesson")
                << withManifest(l, [](QJsonObject &m) { m["format"] = "x"; }) << int(E::NotALesson);
        QTest::newRow("rotation out of range") << withManifest(l, [](QJsonObject &m) {
            QJsonArray faces = m["faces"].toArray();
            QJsonObject face = faces[1].toObject();
            face["rotation"] = 4;
            faces[1] = face;
            m["faces"] = faces;
        }) << int(E::Damaged);
        QTest::newRow("active net out of range") << withManifest(l, [](QJsonObject &m) {
            QJsonObject trace = m["trace"].toObject();
            trace["activeNet"] = 3;
            m["trace"] = trace;
        }) << int(E::Damaged);
        QTest::newRow("picture that does not decode") << edited(l, [](QList<ziparchive::Entry> &entries) {
            for (ziparchive::Entry &e : entries)
                if (e.name == "pictures/1.png")
                    e.data.truncate(e.data.size() / 2);
        }) << int(E::Damaged);
        QTest::newRow("missing picture entry") << edited(l, [](QList<ziparchive::Entry> &entries) {
            entries.removeIf([](const ziparchive::Entry &e) { return e.name == "pictures/2.gif"; });
        }) << int(E::Damaged);
        // A few kilobytes that would decode into 64 MB of pixels and more.
        QImage huge(8200, 8200, QImage::Format_Mono);
        huge.fill(0);
        QByteArray hugePng;
        QBuffer buffer(&hugePng);
        buffer.open(QIODevice::WriteOnly);
        huge.save(&buffer, "PNG");
        QTest::newRow("picture over the pixel limit") << edited(l, [&](QList<ziparchive::Entry> &entries) {
            for (ziparchive::Entry &e : entries)
                if (e.name == "pictures/1.png")
                    e.data = hugePng;
        }) << int(E::Damaged);
        QTest::newRow("memo line a memo splits") << withManifest(l, [](QJsonObject &m) {
            QJsonObject trace = m["trace"].toObject();
            trace["memo"] = QJsonArray{QString("a") + QChar::LineSeparator + "b"};
            m["trace"] = trace;
        }) << int(E::Damaged);
    }
    void hostileLessonsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, error);
        QVERIFY(lesson::read(m_lesson).ok());
        const lesson::ReadResult read = lesson::read(bytes);
        QCOMPARE(int(read.error), error);
        QVERIFY(!read.lesson.quiz && !read.lesson.trace && !read.lesson.faces.complete());
    }

    // A lesson that would not open again is not written, and a picture
    // that no lesson can hold is refused when the pictures are read.
    void whatIsSavedOpensAgain()
    {
        lesson::Lesson l = lesson::read(m_lesson).lesson;
        QVERIFY(l.trace);
        l.trace->memo = QStringList(lesson::maxMemoLines + 1, QStringLiteral("řádek"));
        QString error;
        QVERIFY(lesson::write(l, &error).isEmpty());
        QCOMPARE(error, QStringLiteral("memo"));

        QTemporaryDir dir;
        const QString big = dir.filePath("velky.bmp");
        QVERIFY(QImage(3000, 3000, QImage::Format_RGB888).save(big, "BMP"));   // 27 MB
        FaceSet faces;
        faces.setPicture(0, big);
        std::array<lesson::Picture, faceset::slotCount> pictures;
        const Failure failure = lesson::readPictures(LanguageTexts(), faces, pictures);
        QVERIFY(failure);
        QVERIFY2(failure.text.contains("24 MB"), qPrintable(failure.text));
    }

    // The fuzz target's seeds reach past the zip checks only while they are lessons.
    void fuzzSeedsAreLessons()
    {
        const QDir seeds(VEMTAL_SOURCE_DIR "/tests/fuzz/corpus/lesson");
        QCOMPARE(seeds.entryList(QDir::Files).size(), 2);
        for (const QString &seed : seeds.entryList(QDir::Files))
            QVERIFY2(lesson::read(fileBytes(seeds.filePath(seed))).ok(), qPrintable(seed));
    }

    // Pictures unpack into the lesson's own folder and nowhere else.
    void picturesStayInTheLessonFolder()
    {
        std::unique_ptr<TestApp> app = startIn(m_homes.filePath("third"));
        const QString file = writeFile(app->path("a.vemtal"), m_lesson);
        QVERIFY(!file.isEmpty());
        app->dialogs.files.enqueue({file});
        app->item("OtevritLekci1")->trigger();
        const QDir lessons(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/lessons");
        const QStringList folders = lessons.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.size(), 1);
        QCOMPARE(QDir(lessons.filePath(folders[0])).entryList(QDir::Files).size(), 12);
    }
};

QTEST_MAIN(tst_Lesson)
#include "tst_lesson.moc"
