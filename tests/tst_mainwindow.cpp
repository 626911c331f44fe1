#include "appcontext.h"
#include "faceset.h"
#include "model.h"
#include "scripteddialogs.h"
#include "textfile.h"
#include "vemtal.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/resource.h>

class tst_MainWindow : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousFolder;
    ScriptedDialogs m_dialogs;
    AppContext m_context;
    std::unique_ptr<TForm1> m_form;
    QString m_error;

    QString demo(const QString &name) const
    {
        return QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys/") + name;
    }
    QStringList demoFiles() const
    {
        return {demo("1-predni.jpg"), demo("2-prava.png"), demo("3-zadni.gif"),
                demo("4-leva.jpg"), demo("5-horni.png"), demo("6-dolni.gif")};
    }
    QString label(int slot) const
    {
        return m_form->findChild<QLabel *>(QStringLiteral("lbs%1").arg(slot))->text();
    }
    QLineEdit *edit(int slot) const
    {
        return m_form->findChild<QLineEdit *>(QStringLiteral("Ed%1").arg(slot));
    }
    QAction *action(const char *name) const
    {
        return m_form->findChild<QAction *>(QLatin1String(name));
    }
    QStringList readLines(const QString &path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return textfile::splitLines(QString::fromUtf8(file.readAll()));
    }
    // Types one character as the keyboard would, accented letters included.
    static void type(QWidget *widget, const QString &ch)
    {
        const Qt::Key key = ch.at(0).isDigit() ? Qt::Key(Qt::Key_0 + ch.at(0).digitValue())
                                               : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, ch, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, ch, Qt::NoModifier);
    }
    void choosePictures(const QStringList &files)
    {
        m_dialogs.files.enqueue(files);
        action("Zmnitobrzky2")->trigger();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        m_dialogs = ScriptedDialogs();
        m_context = AppContext();
        m_context.dialogs = &m_dialogs;
        m_form = std::make_unique<TForm1>(m_context);
        m_context.mainWindow = m_form.get();
    }
    void cleanup()
    {
        m_form.reset();
        QDir::setCurrent(m_previousFolder);
        m_dir.reset();
    }

    void layoutAndMenus()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Tembrila"));
        QCOMPARE(m_form->centralWidget()->size(), QSize(848, 360));
        QCOMPARE(edit(3)->geometry(), QRect(17, 208, 15, 28));
        QCOMPARE(m_form->findChild<QLabel *>("lbs5")->geometry(), QRect(48, 272, 700, 25));
        QCOMPARE(m_form->findChild<QWidget *>("Button3")->geometry(), QRect(767, 272, 66, 25));
        QCOMPARE(m_form->findChild<QWidget *>("Zobraz")->geometry(), QRect(8, 304, 825, 33));
        auto *copyright = m_form->findChild<QLabel *>("Label8");
        QCOMPARE(copyright->geometry().right() + 1, 833);
        QCOMPARE(action("Zobrazitkrychli2")->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(action("loitkrychli1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(action("web1")->text(), QStringLiteral("návody na webu "));
        for (const char *name : {"tiskni", "Ulokviz1", "tiskstopy", "Uloitzadn1"})
            QVERIFY2(!action(name)->isEnabled(), name);
        for (const char *name : {"Piprav1", "Nastkviz1", "priprstopy", "Nastzadn1", "Nastkrychli1"})
            QVERIFY2(action(name)->isEnabled(), name);
        QVERIFY(m_form->findChild<QCheckBox *>("Otocna")->isChecked());
        QCOMPARE(m_form->rotationLine(), QStringLiteral("[ 0 0 0 0 0 0 ]"));
        QCOMPARE(m_form->startFolder(), QDir::currentPath());
        QVERIFY(QFileInfo(m_form->previewPath()).fileName().contains(
                QRegularExpression("^prot\\d{1,4}\\.wrl$")));
    }

    void choosingPictures()
    {
        choosePictures(demoFiles().mid(0, 3));
        QCOMPARE(label(0), faceset::quoted(demo("1-predni.jpg")));
        QCOMPARE(label(2), faceset::quoted(demo("3-zadni.gif")));
        QCOMPARE(label(3), QString());
        QCOMPARE(m_form->OPD2.fileName(), demo("1-predni.jpg"));

        QStringList eight = demoFiles();
        eight << demo("1-predni.bmp") << demo("2-prava.bmp");
        choosePictures(eight);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(label(i), faceset::quoted(demoFiles()[i]));

        m_dialogs.files.enqueue({demo("5-horni.png")});
        QTest::mouseClick(m_form->findChild<QPushButton *>("Button5"), Qt::LeftButton);
        QCOMPARE(label(3), faceset::quoted(demo("5-horni.png")));
        QCOMPARE(label(4), faceset::quoted(demo("5-horni.png")));

        // A cancelled dialog changes nothing.
        action("Zmnitobrzky2")->trigger();
        QCOMPARE(label(0), faceset::quoted(demo("1-predni.jpg")));
        // The picture dialogs open in the start folder and leave the working folder.
        QCOMPARE(m_dialogs.calls.first().request.folder, m_form->startFolder());
        QCOMPARE(QDir::currentPath(), m_form->startFolder());
    }

    void rotationsTypedAsKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("line");
        QTest::newRow("7 gives 3") << "7" << "3" << "[ 0 3 0 0 0 0 ]";
        QTest::newRow("k gives 0") << "k" << "0" << "[ 0 0 0 0 0 0 ]";
        QTest::newRow("š gives 0") << "š" << "0" << "[ 0 0 0 0 0 0 ]";
        QTest::newRow("2 stays") << "2" << "2" << "[ 0 2 0 0 0 0 ]";
        QTest::newRow("minus clears") << "-" << "" << "[ 0  0 0 0 0 ]";
    }
    void rotationsTypedAsKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, line);
        QLineEdit *e = edit(1);
        e->setFocus();
        e->selectAll();
        type(e, typed);
        QCOMPARE(e->text(), shown);
        QCOMPARE(m_form->rotationLine(), line);
        // One character at most: typing over it does nothing until it is deleted.
        if (!shown.isEmpty()) {
            e->deselect();
            e->end(false);
            type(e, "1");
            QCOMPARE(e->text(), shown);
        }
    }

    void pastedOrSetTextIsValidated()
    {
        edit(4)->setText(QStringLiteral("9"));
        QCOMPARE(edit(4)->text(), QString());
        QCOMPARE(m_form->rotationLine(), QStringLiteral("[ 0 0 0 0  0 ]"));
    }

    void turnableBoxSetsTheClosingLine()
    {
        auto *box = m_form->findChild<QCheckBox *>("Otocna");
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(m_form->closingLine(), QStringLiteral("] otocna FALSE}"));
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(m_form->closingLine(), QStringLiteral("] otocna TRUE}"));
    }

    void viewWritesThePreviewFileAndOpensIt()
    {
        action("Zobrazitkrychli2")->trigger();
        QStringList lines = readLines(m_form->previewPath());
        const QStringList templ = m_form->modelTemplate();
        QCOMPARE(lines.size(), templ.size() + 14);
        QCOMPARE(lines.mid(0, templ.size()), templ);
        QCOMPARE(lines.mid(templ.size()), QStringList({
            "DEF HRA Krychleov {rotace  ", "[ 0 0 0 0 0 0 ]", "vzory [", "", "", "", "", "", "",
            "] otocna TRUE}", "ROUTE RUKA.isActive TO HRA.pruhledna_in",
            "ROUTE RUKA2.isActive TO HRA.zpet_in", "ROUTE RUKA3.isActive TO HRA.zadni_in",
            "ROUTE RUKA4.isActive TO HRA.nahled_in"}));
        QFile raw(m_form->previewPath());
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().endsWith("HRA.nahled_in\r\n"));
        QCOMPARE(m_dialogs.texts("url"), QStringList(QUrl::fromLocalFile(m_form->previewPath()).toString()));

        choosePictures(demoFiles());
        edit(2)->setText("1");
        action("Zobrazitkrychli2")->trigger();
        lines = readLines(m_form->previewPath());
        QCOMPARE(lines[templ.size() + 1], QStringLiteral("[ 0 0 1 0 0 0 ]"));
        QCOMPARE(lines[templ.size() + 3], faceset::quoted(demo("1-predni.jpg")));
    }

    void overrideTemplateIsUsedWhenPresent()
    {
        QVERIFY(textfile::writeFile(QDir(m_form->startFolder()).filePath("PROTOK.wrl"),
                                    "#VRML V2.0 utf8\r\n# own template\r\n", m_error));
        action("Zobrazitkrychli2")->trigger();
        const QStringList lines = readLines(m_form->previewPath());
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[1], QStringLiteral("# own template"));
        QCOMPARE(lines[2], QStringLiteral("DEF HRA Krychleov {rotace  "));
    }

    void saveRelativeIntoAnotherFolderAndLoadBack()
    {
        QDir start(m_form->startFolder());
        start.mkpath("obr/obrazkys");
        QStringList pictures;
        for (int i = 0; i < 6; ++i) {
            const QString target = start.filePath(QStringLiteral("obr/obrazkys/") + QFileInfo(demoFiles()[i]).fileName());
            QVERIFY(QFile::copy(demoFiles()[i], target));
            pictures << target;
        }
        choosePictures(pictures);
        for (int i = 0; i < 6; ++i)
            edit(i)->setText(QString::number(QList<int>{3, 1, 0, 0, 2, 0}[i]));
        start.mkpath("modely");
        const QString saved = start.filePath("modely/kostka.wrl");
        m_dialogs.files.enqueue({saved});
        m_dialogs.answers << false << true;   // the second question decides
        action("loitkrychli1")->trigger();
        QCOMPARE(m_dialogs.texts("question").size(), 2);
        QCOMPARE(m_dialogs.texts("question")[0], QStringLiteral("Uložit relativní cestu k obrázkům?"));
        QCOMPARE(QDir::currentPath(), m_form->startFolder());
        QCOMPARE(m_form->SD.fileName(), saved);
        QStringList lines = readLines(saved);
        const int t = lines.size() - 14;
        QCOMPARE(lines[t + 3], QStringLiteral("\"obrazkys/1-predni.jpg\""));

        // Loading puts the model's folder in front of the relative entries.
        for (int i = 0; i < 6; ++i)
            edit(i)->setText("0");
        m_dialogs.files.enqueue({saved});
        action("Nastkrychli1")->trigger();
        QCOMPARE(label(0), faceset::quoted(start.filePath("modely/obrazkys/1-predni.jpg")));
        QCOMPARE(m_form->rotationLine(), QStringLiteral("[ 3 1 0 0 2 0 ]"));
        QCOMPARE(edit(4)->text(), QStringLiteral("2"));
        // The dialog moved the working folder to the model's folder.
        QCOMPARE(QDir::currentPath(), start.filePath("modely"));
    }

    void saveIntoTheStartFolderAsksOnce()
    {
        choosePictures(demoFiles());
        const QString saved = QDir(m_form->startFolder()).filePath("vemtal.wrl");
        m_dialogs.files.enqueue({saved});
        m_dialogs.answers << false;
        action("loitkrychli1")->trigger();
        QCOMPARE(m_dialogs.texts("question").size(), 1);
        const QStringList lines = readLines(saved);
        QCOMPARE(lines[lines.size() - 11], faceset::quoted(demo("1-predni.jpg")));
    }

    void failedSaveKeepsTheEarlierFile()
    {
        // A disk that fills up during the write: the file size limit makes
        // the write fail (also for root).
        choosePictures(demoFiles());
        const QString saved = QDir(m_form->startFolder()).filePath("kostka.wrl");
        QVERIFY(textfile::writeFile(saved, "earlier", m_error));
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 4096;
        signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        m_dialogs.files.enqueue({saved});
        action("loitkrychli1")->trigger();
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(m_dialogs.texts("error").size(), 1);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("earlier"));
        QCOMPARE(QDir(m_form->startFolder()).entryList(QDir::Files), QStringList("kostka.wrl"));
    }

    void writeErrorIsReportedAndNothingOpened()
    {
        // A preview file that cannot be created: its path is a folder.
        QDir().mkpath(m_form->previewPath());
        action("Zobrazitkrychli2")->trigger();
        QCOMPARE(m_dialogs.texts("error").size(), 1);
        QVERIFY(m_dialogs.texts("url").isEmpty());
    }

    void aFileWithoutAModelChangesNothing()
    {
        choosePictures(demoFiles());
        const QString bad = QDir(m_form->startFolder()).filePath("bad.txt");
        QVERIFY(textfile::writeFile(bad, "just some text\r\n", m_error));
        m_dialogs.files.enqueue({bad});
        action("Nastkrychli1")->trigger();
        QCOMPARE(m_dialogs.texts("message"), QStringList("Chybný formát dat"));
        QCOMPARE(label(0), faceset::quoted(demo("1-predni.jpg")));
    }

    void commandLineArguments()
    {
        m_form->openArguments(demoFiles().mid(0, 2));
        QCOMPARE(label(1), faceset::quoted(demo("2-prava.png")));
        QCOMPARE(label(2), QString());

        QStringList lines = m_form->modelTemplate();
        QStringList stored;
        for (const QString &f : demoFiles())
            stored << faceset::quoted(f);
        lines << model::tail("[ 1 1 1 1 1 1 ]", stored, "] otocna TRUE}");
        const QString path = QDir(m_form->startFolder()).filePath("m.txt");
        QVERIFY(textfile::writeFile(path, model::fileBytes(lines), m_error));
        m_form->openArguments({path});
        QCOMPARE(label(5), faceset::quoted(demo("6-dolni.gif")));
        QCOMPARE(m_form->rotationLine(), QStringLiteral("[ 1 1 1 1 1 1 ]"));
    }

    void exitAsksAndRemovesThePreviewFile()
    {
        action("Zobrazitkrychli2")->trigger();
        QVERIFY(QFileInfo::exists(m_form->previewPath()));
        m_form->show();
        m_dialogs.answers << false;
        action("KONEC2")->trigger();
        QVERIFY(m_form->isVisible());
        QVERIFY(QFileInfo::exists(m_form->previewPath()));
        QCOMPARE(m_dialogs.texts("question"), QStringList("Ukončit aplikaci?"));
        m_dialogs.answers << true;
        m_form->close();
        QVERIFY(!QFileInfo::exists(m_form->previewPath()));
    }

    void versionAndGuide()
    {
        action("about1")->trigger();
        QCOMPARE(m_dialogs.texts("message"), QStringList(" verse 2.2, 2009 "));
        action("web1")->trigger();
        const QUrl url(m_dialogs.texts("url").value(0));
        QVERIFY(url.isLocalFile());
        QFile guide(url.toLocalFile());
        QVERIFY(guide.open(QIODevice::ReadOnly));
        QVERIFY(guide.readAll().contains("Připravit stopu"));
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
