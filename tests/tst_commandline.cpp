// The command line: options, which files go together, the language file
// chosen at start-up, and files opened as the menus open them.
#include "commandline.h"
#include "faceset.h"
#include "langfile.h"
#include "model.h"
#include "testapp.h"
#include "textfile.h"

#include <QtTest>

#include <memory>

namespace {

// A trace file of an empty picture grid whose history holds `moves`.
QByteArray traceFile(const QByteArray &moves)
{
    QByteArray bytes = "KP\r\n";
    for (int c = 0; c < 14; ++c)
        bytes += "Z 00 00 00 00 00 00 00 \r\n";
    bytes += QByteArray::number(moves.size()) + "\r\n";
    const QByteArray history = moves + QByteArray(150 - moves.size(), '0');
    for (int line = 0; line < 15; ++line)
        bytes += "K " + history.mid(10 * line, 10) + "\r\n";
    return bytes;
}

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;

    void write(const QString &name, const QByteArray &bytes)
    {
        QString error;
        QVERIFY2(textfile::writeFile(m_app->path(name), bytes, error), qPrintable(error));
    }
    QStringList shown() const
    {
        return m_app->dialogs.texts("message") + m_app->dialogs.texts("error");
    }
    // What a bad file must leave as it was.
    QStringList state() const
    {
        QStringList out = m_app->form1->pathLabels();
        out << m_app->form1->rotationLine() << QString::number(m_app->form2->isVisible())
            << QString::number(m_app->form4->isVisible())
            << QString::fromLatin1(m_app->form2->quizFileBytes())
            << QString::fromLatin1(m_app->form4->traceFileBytes(1));
        for (const char *name : {"tiskni", "Ulokviz1", "tiskstopy", "Uloitzadn1"})
            out << QString::number(m_app->item(name)->isEnabled());
        return out;
    }

private slots:
    void init() { m_app = std::make_unique<TestApp>(); }
    void cleanup() { m_app.reset(); }

    void options()
    {
        using commandline::EarlyAction;
        QCOMPARE(commandline::earlyAction({"-platform", "offscreen", "--version"}), EarlyAction::Version);
        QCOMPARE(commandline::earlyAction({"a.png", "-h"}), EarlyAction::Help);
        QCOMPARE(commandline::earlyAction({"--", "--help"}), EarlyAction::None);

        const commandline::Options o = commandline::parse({"--quit-when-shown", "a.png", "-", "-x", "--y",
                                                           "--", "--b.png"});
        QVERIFY(o.quitWhenShown);
        QCOMPARE(o.unknownOption, QStringLiteral("-x"));
        QCOMPARE(o.files, QStringList({"a.png", "-", "--b.png"}));
        QVERIFY(commandline::parse({"a.png"}).unknownOption.isEmpty());
        QVERIFY(commandline::helpText(false).contains("TRACE.tpt [TRACE2.tpt]"));
        QVERIFY(commandline::helpText(true).contains("STOPA.tpt [STOPA2.tpt]"));
    }

    void sortFiles_data()
    {
        // Expected as "pictures | model | quiz | traces"; empty: refused.
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("sorted");
        QTest::newRow("pictures") << QStringList{"a.png", "b.JPG", "foto"} << "a.png,b.JPG,foto|||";
        QTest::newRow("model") << QStringList{"K.WRL"} << "|K.WRL||";
        QTest::newRow("text model") << QStringList{"k.txt"} << "|k.txt||";
        QTest::newRow("everything") << QStringList{"1.tpt", "k.wrl", "q.TKT", "2.tpt"} << "|k.wrl|q.TKT|1.tpt,2.tpt";
        QTest::newRow("pictures and quiz") << QStringList{"a.gif", "q.tkt"} << "a.gif||q.tkt|";
        QTest::newRow("model and picture") << QStringList{"k.wrl", "a.png"} << "";
        QTest::newRow("two models") << QStringList{"k.wrl", "m.txt"} << "";
        QTest::newRow("two quizzes") << QStringList{"a.tkt", "b.tkt"} << "";
        QTest::newRow("three traces") << QStringList{"a.tpt", "b.tpt", "c.tpt"} << "";
        QTest::newRow("lesson") << QStringList{"L.Vemtal"} << "||||L.Vemtal";
        QTest::newRow("lesson and quiz") << QStringList{"l.vemtal", "q.tkt"} << "";
    }
    void sortFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, sorted);
        commandline::Files out;
        const bool ok = commandline::sortFiles(files, out);
        QCOMPARE(ok, !sorted.isEmpty());
        if (ok)
            QCOMPARE(QStringList({out.pictures.join(','), out.model, out.quiz, out.traces.join(','), out.lesson})
                             .join('|')
                             .replace(QRegularExpression("\\|$"), QString()),
                     sorted);
    }

    void languageFileChoice()
    {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath("lang/en") && QDir(data.path()).mkpath("lang/cs"));
        for (const char *file : {"lang/en/lang.txt", "lang/cs/lang.txt"}) {
            QFile f(QDir(data.path()).filePath(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString start = m_app->dir.path();
        const QString english = QDir(data.path()).filePath("lang/en/lang.txt");
        QCOMPARE(langfile::choose(start, data.path(), QLocale::English).path, english);
        QVERIFY(langfile::choose(start, data.path(), QLocale::English).fromSystemLanguage);
        for (QLocale::Language other : {QLocale::Czech, QLocale::German, QLocale::C})
            QVERIFY(langfile::choose(start, data.path(), other).path.isEmpty());
        // lang.txt in the start folder wins.
        write("lang.txt", "Title\r\n");
        const langfile::Choice local = langfile::choose(start, data.path(), QLocale::English);
        QCOMPARE(local.path, m_app->path("lang.txt"));
        QVERIFY(!local.fromSystemLanguage);
    }

    void modelQuizAndTracesOpen()
    {
        QStringList labels;
        for (const QString &file : testfiles::demoFiles())
            labels << faceset::quoted(file);
        write("kostka.wrl", model::fileBytes(m_app->form1->modelTemplate()
                                             + model::tail("[ 1 2 3 0 1 2 ]", labels, "] otocna TRUE}")));
        QByteArray quiz = "KK\r\n";
        for (int k = 0; k < 12; ++k)
            quiz += "I " + QByteArray(k % 2 ? "1 " : "0 ") + QByteArray::number(k - 5) + " "
                    + QByteArray::number(3 * k) + " 012340\r\n";
        quiz += "V Zadání:\r\nV Najdi síť.\r\nE konec\r\n";
        write("kviz.tkt", quiz);
        write("horni.tpt", traceFile("3"));
        write("dolni.tpt", traceFile("33"));

        m_app->form1->show();
        m_app->form1->openArguments({"kostka.wrl", "horni.tpt", "kviz.tkt", "dolni.tpt"});
        QCOMPARE(shown(), QStringList());
        QCOMPARE(m_app->form1->pathLabels(), labels);
        QCOMPARE(m_app->form1->rotationLine(), QStringLiteral("[ 1 2 3 0 1 2 ]"));
        QVERIFY(m_app->form2->isVisible());
        QCOMPARE(m_app->form2->quizFileBytes(), textfile::encodeText(QString::fromUtf8(quiz)));
        QVERIFY(m_app->form4->isVisible());
        QCOMPARE(m_app->form4->traceFileBytes(1), traceFile("3"));
        QCOMPARE(m_app->form4->traceFileBytes(2), traceFile("33"));
        QVERIFY(m_app->item("tiskstopy")->isEnabled());
        QVERIFY(!m_app->item("tiskni")->isEnabled());   // OK in the quiz window enables it
    }

    void badFilesGiveTheMenusMessages_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("command");   // the menu item that opens such a file
        QTest::addColumn<bool>("pictures");     // the face set chosen before
        for (const char *kind : {"wrl", "tkt", "tpt"}) {
            const QString command = kind == QLatin1String("wrl") ? "Nastkrychli1"
                                    : kind == QLatin1String("tkt") ? "Nastkviz1" : "Nastzadn1";
            QTest::addRow("missing %s", kind) << QString("missing.%1").arg(kind) << command << true;
            QTest::addRow("directory %s", kind) << QString("folder.%1").arg(kind) << command << true;
            QTest::addRow("unreadable %s", kind) << QString("unreadable.%1").arg(kind) << command << true;
            QTest::addRow("malformed %s", kind) << QString("bad.%1").arg(kind) << command << true;
        }
        QTest::newRow("quiz, bad thumbnail line") << "badline.tkt" << "Nastkviz1" << true;
        QTest::newRow("quiz without pictures") << "missing.tkt" << "Nastkviz1" << false;
        QTest::newRow("trace without pictures") << "missing.tpt" << "Nastzadn1" << false;
    }
    void badFilesGiveTheMenusMessages()
    {
        QFETCH(QString, file);
        QFETCH(QString, command);
        QFETCH(bool, pictures);
        for (const char *kind : {"wrl", "tkt", "tpt"}) {
            QVERIFY(QDir(m_app->dir.path()).mkdir(QString("folder.%1").arg(kind)));
            // Opens, but no byte of it can be read (also not by root).
            QVERIFY(QFile::link("/proc/self/mem", m_app->path(QString("unreadable.%1").arg(kind))));
        }
        write("bad.wrl", "just some text\r\n");
        write("bad.tkt", "KK \r\nI 0 8 7 000200\r\n");
        write("badline.tkt", "KK\r\nI 0 8 7 000200\r\nX\r\n");
        write("bad.tpt", "kp\r\n");
        if (pictures)
            m_app->form1->openArguments(testfiles::demoFiles());
        m_app->form1->show();
        const QStringList before = state();

        m_app->form1->openArguments({file});
        const QStringList fromCommandLine = shown();
        QCOMPARE(fromCommandLine.size(), 1);
        QCOMPARE(state(), before);

        m_app->dialogs.calls.clear();
        m_app->dialogs.answers << true << false;   // the trace menu: upper net only
        m_app->dialogs.files.enqueue({m_app->path(file)});
        m_app->item(command.toLatin1())->trigger();
        QCOMPARE(fromCommandLine, shown());
    }

    void badPicturesAndMismatchedFilesChangeNothing()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        const QStringList before = state();
        QVERIFY(QDir(m_app->dir.path()).mkdir("folder.png"));
        for (const QString &bad : {m_app->path("missing.png"), m_app->path("folder.png")}) {
            m_app->dialogs.calls.clear();
            m_app->form1->openArguments(testfiles::demoFiles().mid(0, 3) << bad);
            QCOMPARE(shown().size(), 1);
            QVERIFY2(shown().first().startsWith(bad + '\n'), qPrintable(shown().first()));
            QCOMPARE(state(), before);
        }
        m_app->dialogs.calls.clear();
        m_app->form1->openArguments({"a.wrl", testfiles::demo("1-predni.jpg")});
        QCOMPARE(shown(), QStringList("Tyto soubory nelze otevřít spolu. Zadejte obrázky, nebo jeden "
                                      "model, a k tomu nejvýš jeden kviz (.tkt) a nejvýš dvě stopy (.tpt)."));
        QCOMPARE(state(), before);
        // In English: the shipped file's line for it.
        const QString english = QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt");
        QVERIFY(LoadLanguageFile(m_app->context, m_app->languageWindows(), english));
        m_app->dialogs.calls.clear();
        m_app->form1->openArguments({"a.tkt", "b.tkt"});
        QCOMPARE(shown(), QStringList(m_app->context.language.lines.value(136)));
        QVERIFY(shown().first().startsWith("These files cannot be opened together."));
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
