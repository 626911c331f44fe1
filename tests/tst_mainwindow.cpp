#include "appcontext.h"
#include "dialogs.h"
#include "faceset.h"
#include "model.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "testapp.h"
#include "textfile.h"
#include "vemtal.h"
#include "viewerchoice.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <memory>

#include <csignal>
#include <sys/resource.h>

class tst_MainWindow : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;
    QString m_error;
    // The desktop's folders of this test: settings, MIME defaults and
    // application entries are its own, as a fresh account has them.
    QTemporaryDir m_desktop;

    QString desktopPath(const QString &name) const { return QDir(m_desktop.path()).filePath(name); }
    void writeDesktopFile(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(desktopPath(name)).absolutePath()));
        QFile file(desktopPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QString label(int slot) const
    {
        return m_app->form1->findChild<QLabel *>(QStringLiteral("lbs%1").arg(slot))->text();
    }
    QLineEdit *edit(int slot) const
    {
        return m_app->form1->findChild<QLineEdit *>(QStringLiteral("Ed%1").arg(slot));
    }
    QAction *action(const char *name) const { return m_app->item(name); }
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
    // The body of a GET from the program's own web server.
    static QByteArray fetch(const QUrl &url)
    {
        QNetworkAccessManager network;
        QNetworkReply *reply = network.get(QNetworkRequest(url));
        if (!QTest::qWaitFor([reply] { return reply->isFinished(); }, 5000))
            return {};
        reply->deleteLater();
        return reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    }
    void choosePictures(const QStringList &files)
    {
        m_app->dialogs.files.enqueue(files);
        action("Zmnitobrzky2")->trigger();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_desktop.isValid());
        qputenv("XDG_CONFIG_HOME", desktopPath("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", desktopPath("etc").toLocal8Bit());
        qputenv("XDG_DATA_HOME", desktopPath("home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", desktopPath("share").toLocal8Bit());
        // xdg-mime's own lookup, not a desktop environment's.
        qputenv("XDG_CURRENT_DESKTOP", "X-Generic");
        for (const char *name : {"DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                 "MATE_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"})
            qunsetenv(name);
        // An installed vemtal: its entry finds its program on the PATH.
        writeDesktopFile("bin/vemtal", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(desktopPath("bin/vemtal"), QFile::ReadOwner | QFile::ExeOwner);
        qputenv("PATH", desktopPath("bin").toLocal8Bit() + ':' + qgetenv("PATH"));
    }
    void init()
    {
        viewerchoice::setDesktopViewerChosen(false);
        m_app = std::make_unique<TestApp>();
    }
    void cleanup() { m_app.reset(); }

    void layoutAndMenus()
    {
        QCOMPARE(m_app->form1->windowTitle(), QStringLiteral("Tembrila"));
        QCOMPARE(m_app->form1->centralWidget()->size(), QSize(848, 360));
        QCOMPARE(edit(3)->geometry(), QRect(17, 208, 15, 28));
        QCOMPARE(m_app->form1->findChild<QLabel *>("lbs5")->geometry(), QRect(48, 272, 700, 25));
        QCOMPARE(m_app->form1->findChild<QWidget *>("Button3")->geometry(), QRect(767, 272, 66, 25));
        QCOMPARE(m_app->form1->findChild<QWidget *>("Zobraz")->geometry(), QRect(8, 304, 825, 33));
        // The hint's text fits its fixed box.
        auto *hint = m_app->form1->findChild<QLabel *>("Label4");
        QCOMPARE(hint->geometry(), QRect(376, 38, 465, 20));
        QVERIFY(QFontMetrics(hint->font()).horizontalAdvance(hint->text()) <= hint->width());
        auto *copyright = m_app->form1->findChild<QLabel *>("Label8");
        QCOMPARE(copyright->geometry().right() + 1, 833);
        QCOMPARE(action("Zobrazitkrychli2")->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(action("loitkrychli1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(action("web1")->text(), QStringLiteral("návody na webu "));
        for (const char *name : {"tiskni", "Ulokviz1", "tiskstopy", "Uloitzadn1"})
            QVERIFY2(!action(name)->isEnabled(), name);
        for (const char *name : {"Piprav1", "Nastkviz1", "priprstopy", "Nastzadn1", "Nastkrychli1"})
            QVERIFY2(action(name)->isEnabled(), name);
        QVERIFY(m_app->form1->findChild<QCheckBox *>("Otocna")->isChecked());
        QCOMPARE(m_app->form1->rotationLine(), QStringLiteral("[ 0 0 0 0 0 0 ]"));
        QCOMPARE(m_app->form1->startFolder(), QDir::currentPath());
        QVERIFY(QFileInfo(m_app->form1->previewPath()).fileName().contains(
                QRegularExpression("^prot\\d{1,4}\\.wrl$")));
    }

    void choosingPictures()
    {
        choosePictures(testfiles::demoFiles().mid(0, 3));
        QCOMPARE(label(0), faceset::quoted(testfiles::demo("1-predni.jpg")));
        QCOMPARE(label(2), faceset::quoted(testfiles::demo("3-zadni.gif")));
        QCOMPARE(label(3), QString());
        QCOMPARE(m_app->form1->fileDialog("OPD2")->fileName(), testfiles::demo("1-predni.jpg"));

        QStringList eight = testfiles::demoFiles();
        eight << testfiles::demo("1-predni.bmp") << testfiles::demo("2-prava.bmp");
        choosePictures(eight);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(label(i), faceset::quoted(testfiles::demoFiles()[i]));

        m_app->dialogs.files.enqueue({testfiles::demo("5-horni.png")});
        QTest::mouseClick(m_app->form1->findChild<QPushButton *>("Button5"), Qt::LeftButton);
        QCOMPARE(label(3), faceset::quoted(testfiles::demo("5-horni.png")));
        QCOMPARE(label(4), faceset::quoted(testfiles::demo("5-horni.png")));

        // A cancelled dialog changes nothing.
        action("Zmnitobrzky2")->trigger();
        QCOMPARE(label(0), faceset::quoted(testfiles::demo("1-predni.jpg")));
        // The picture dialogs open in the start folder and leave the working folder.
        QCOMPARE(m_app->dialogs.calls.first().request.folder, m_app->form1->startFolder());
        QCOMPARE(QDir::currentPath(), m_app->form1->startFolder());
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
        QCOMPARE(m_app->form1->rotationLine(), line);
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
        QCOMPARE(m_app->form1->rotationLine(), QStringLiteral("[ 0 0 0 0  0 ]"));
    }

    void turnableBoxSetsTheClosingLine()
    {
        auto *box = m_app->form1->findChild<QCheckBox *>("Otocna");
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(m_app->form1->closingLine(), QStringLiteral("] otocna FALSE}"));
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(m_app->form1->closingLine(), QStringLiteral("] otocna TRUE}"));
    }

    void viewWritesThePreviewFileAndOpensIt()
    {
        action("Zobrazitkrychli2")->trigger();
        QStringList lines = readLines(m_app->form1->previewPath());
        const QStringList templ = m_app->form1->modelTemplate();
        QCOMPARE(lines.size(), templ.size() + 14);
        QCOMPARE(lines.mid(0, templ.size()), templ);
        QCOMPARE(lines.mid(templ.size()), QStringList({
            "DEF HRA Krychleov {rotace  ", "[ 0 0 0 0 0 0 ]", "vzory [", "", "", "", "", "", "",
            "] otocna TRUE}", "ROUTE RUKA.isActive TO HRA.pruhledna_in",
            "ROUTE RUKA2.isActive TO HRA.zpet_in", "ROUTE RUKA3.isActive TO HRA.zadni_in",
            "ROUTE RUKA4.isActive TO HRA.nahled_in"}));
        QFile raw(m_app->form1->previewPath());
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().endsWith("HRA.nahled_in\r\n"));
        // Shown in the program's web viewer unless a VRML viewer is chosen.
        QCOMPARE(testfiles::forwardTarget(QUrl(m_app->dialogs.texts("url").value(0)).toLocalFile()).host(), QStringLiteral("127.0.0.1"));

        choosePictures(testfiles::demoFiles());
        edit(2)->setText("1");
        action("Zobrazitkrychli2")->trigger();
        lines = readLines(m_app->form1->previewPath());
        QCOMPARE(lines[templ.size() + 1], QStringLiteral("[ 0 0 1 0 0 0 ]"));
        QCOMPARE(lines[templ.size() + 3], faceset::quoted(testfiles::demo("1-predni.jpg")));
    }

    void viewInTheWebBrowser()
    {
        QCOMPARE(action("Zobrazitvprohlizeci1")->shortcut(), QKeySequence(QStringLiteral("Shift+F4")));
        const QList<QAction *> items = m_app->form1->findChild<QMenu *>("Zmnitobrzky1")->actions();
        const qsizetype view = items.indexOf(action("Zobrazitkrychli2"));
        QCOMPARE(items.value(view + 1), action("Zobrazitvprohlizeci1"));
        QCOMPARE(items.value(view + 2), action("ProhlizecVRML1"));
        QCOMPARE(items.value(view + 3), action("Ulozitproweb1"));

        choosePictures(testfiles::demoFiles());
        action("Zobrazitvprohlizeci1")->trigger();
        // The browser is handed a local page of the user's alone, which
        // forwards it to the server: the token stays off command lines.
        const QUrl opened(m_app->dialogs.texts("url").value(0));
        QVERIFY(opened.isLocalFile());
        const QString forward = opened.toLocalFile();
        using std::filesystem::perms;
        QCOMPARE(std::filesystem::status(forward.toStdString()).permissions(), perms::owner_read | perms::owner_write);
        QCOMPARE(std::filesystem::status(QFileInfo(forward).path().toStdString()).permissions(), perms::owner_all);
        const QUrl page = testfiles::forwardTarget(forward);
        QCOMPARE(page.scheme(), QStringLiteral("http"));
        QCOMPARE(page.host(), QStringLiteral("127.0.0.1"));
        const QString token = page.path().section(QLatin1Char('/'), 1, 1);
        QCOMPARE(token.size(), 32);
        QVERIFY(!opened.toString().contains(token));
        // The model served is the preview file with the pictures named by index.
        QStringList expected = readLines(m_app->form1->previewPath());
        const QStringList names = {"obrazkys/0.jpg", "obrazkys/1.png", "obrazkys/2.gif",
                                   "obrazkys/3.jpg", "obrazkys/4.png", "obrazkys/5.gif"};
        for (int i = 0; i < 6; ++i)
            expected[expected.size() - 11 + i] = faceset::quoted(names[i]);
        QCOMPARE(fetch(page.resolved(QUrl("model.wrl"))), model::fileBytes(expected));
        QVERIFY(fetch(page).contains("prot"));

        // F4: the same page, the current cube.
        edit(0)->setText("3");
        action("Zobrazitkrychli2")->trigger();
        QCOMPARE(m_app->dialogs.texts("url"), QStringList({opened.toString(), opened.toString()}));
        QVERIFY(fetch(page.resolved(QUrl("model.wrl"))).contains("\r\n[ 3 0 0 0 0 0 ]\r\n"));
        QCOMPARE(readLines(m_app->form1->previewPath())[expected.size() - 13], QStringLiteral("[ 3 0 0 0 0 0 ]"));

        // The page goes when the program ends.
        m_app.reset();
        QVERIFY(!QFileInfo::exists(forward));
        QVERIFY(!QFileInfo::exists(QFileInfo(forward).path()));
    }

    // F4 against the desktop's MIME database as the real xdg-mime reads it.
    void viewerOfF4_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QByteArray>("defaults");     // mimeapps.list's default for .wrl
        QTest::addColumn<QByteArray>("claimed");      // who claims .wrl in mimeinfo.cache
        QTest::addColumn<bool>("desktopViewer");      // the file goes to the desktop's viewer
        QTest::addColumn<bool>("told");               // the teacher is told there is none
        QTest::newRow("web viewer, a VRML viewer present")
                << false << QByteArray("viewer3d.desktop") << QByteArray("viewer3d.desktop;vemtal.desktop;")
                << false << false;
        QTest::newRow("VRML viewer chosen and present")
                << true << QByteArray("viewer3d.desktop") << QByteArray("vemtal.desktop;viewer3d.desktop;")
                << true << false;
        QTest::newRow("chosen, the only claim is vemtal's")
                << true << QByteArray() << QByteArray("vemtal.desktop;") << false << true;
        QTest::newRow("chosen, vemtal the default before a viewer")
                << true << QByteArray("vemtal.desktop;viewer3d.desktop;")
                << QByteArray("viewer3d.desktop;vemtal.desktop;") << false << true;
        QTest::newRow("chosen, nothing opens .wrl") << true << QByteArray() << QByteArray() << false << true;
    }

    void viewerOfF4()
    {
        QFETCH(bool, chosen);
        QFETCH(QByteArray, defaults);
        QFETCH(QByteArray, claimed);
        QFETCH(bool, desktopViewer);
        QFETCH(bool, told);
        for (const char *folder : {"config", "home", "share"})
            QVERIFY(QDir(desktopPath(folder)).removeRecursively());
        QFile packaged(QStringLiteral(VEMTAL_SOURCE_DIR "/packaging/vemtal.desktop"));
        QVERIFY(packaged.open(QIODevice::ReadOnly));
        writeDesktopFile("share/applications/vemtal.desktop", packaged.readAll());
        writeDesktopFile("share/applications/viewer3d.desktop",
                         "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n"
                         "MimeType=model/vrml;\n");
        if (!claimed.isEmpty())
            writeDesktopFile("share/applications/mimeinfo.cache", "[MIME Cache]\nmodel/vrml=" + claimed + "\n");
        if (!defaults.isEmpty())
            writeDesktopFile("config/mimeapps.list", "[Default Applications]\nmodel/vrml=" + defaults + "\n");
        if (chosen)
            action("ProhlizecVRML1")->trigger();
        QCOMPARE(action("ProhlizecVRML1")->isChecked(), chosen);

        choosePictures(testfiles::demoFiles());
        action("Zobrazitkrychli2")->trigger();
        QVERIFY(QFileInfo::exists(m_app->form1->previewPath()));
        const QStringList urls = m_app->dialogs.texts("url");
        QCOMPARE(urls.size(), 1);
        if (desktopViewer)
            QCOMPARE(urls.first(), QUrl::fromLocalFile(m_app->form1->previewPath()).toString());
        else
            QCOMPARE(testfiles::forwardTarget(QUrl(urls.first()).toLocalFile()).host(), QStringLiteral("127.0.0.1"));
        const QStringList told1 = told ? QStringList(QStringLiteral(
                "Tento počítač nemá pro soubory VRML (.wrl) jiný prohlížeč než program vemtal, "
                "proto se krychle zobrazí ve webovém prohlížeči.")) : QStringList();
        QCOMPARE(m_app->dialogs.texts("message"), told1);
    }

    void viewerChoiceIsKept()
    {
        QAction *item = action("ProhlizecVRML1");
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        const QList<QAction *> items = m_app->form1->findChild<QMenu *>("Zmnitobrzky1")->actions();
        QCOMPARE(items.value(items.indexOf(action("Zobrazitvprohlizeci1")) + 1), item);
        item->trigger();
        // Kept in the account's own settings, read by the next start.
        QVERIFY(QFile(desktopPath("config/vemtal/vemtal.conf")).size() > 0);
        m_app.reset();
        m_app = std::make_unique<TestApp>();
        QVERIFY(action("ProhlizecVRML1")->isChecked());
        action("ProhlizecVRML1")->trigger();
        m_app.reset();
        m_app = std::make_unique<TestApp>();
        QVERIFY(!action("ProhlizecVRML1")->isChecked());
    }

    void saveForTheWeb()
    {
        choosePictures(testfiles::demoFiles());
        const QString folder = m_app->path("web");
        m_app->dialogs.files.enqueue({folder});
        action("Ulozitproweb1")->trigger();
        QCOMPARE(m_app->dialogs.calls.last().request.kind, FileDialogRequest::Kind::Folder);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"index.html", "model.wrl", "obrazkys", "x_ite"}));
        QVERIFY(readLines(folder + "/model.wrl").contains(QStringLiteral("\"obrazkys/5.gif\"")));
        QVERIFY(QFileInfo::exists(folder + "/obrazkys/5.gif"));
        QVERIFY(m_app->dialogs.texts("error").isEmpty());
        // Nothing else is written; a folder that is not empty is refused.
        QVERIFY(!QFileInfo::exists(m_app->form1->previewPath()));
        m_app->dialogs.files.enqueue({folder});
        action("Ulozitproweb1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"),
                 QStringList("Složka pro web musí být prázdná. Vyberte prázdnou složku nebo vytvořte novou."));
        QCOMPARE(QDir::currentPath(), m_app->form1->startFolder());
    }

    void overrideTemplateIsUsedWhenPresent()
    {
        QVERIFY(textfile::writeFile(QDir(m_app->form1->startFolder()).filePath("PROTOK.wrl"),
                                    "#VRML V2.0 utf8\r\n# own template\r\n", m_error));
        action("Zobrazitkrychli2")->trigger();
        const QStringList lines = readLines(m_app->form1->previewPath());
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[1], QStringLiteral("# own template"));
        QCOMPARE(lines[2], QStringLiteral("DEF HRA Krychleov {rotace  "));
    }

    void saveRelativeIntoAnotherFolderAndLoadBack()
    {
        QDir start(m_app->form1->startFolder());
        start.mkpath("obr/obrazkys");
        QStringList pictures;
        for (int i = 0; i < 6; ++i) {
            const QString target = start.filePath(QStringLiteral("obr/obrazkys/") + QFileInfo(testfiles::demoFiles()[i]).fileName());
            QVERIFY(QFile::copy(testfiles::demoFiles()[i], target));
            pictures << target;
        }
        choosePictures(pictures);
        for (int i = 0; i < 6; ++i)
            edit(i)->setText(QString::number(QList<int>{3, 1, 0, 0, 2, 0}[i]));
        start.mkpath("modely");
        const QString saved = start.filePath("modely/kostka.wrl");
        m_app->dialogs.files.enqueue({saved});
        m_app->dialogs.answers << false << true;   // the second question decides
        action("loitkrychli1")->trigger();
        QCOMPARE(m_app->dialogs.texts("question").size(), 2);
        QCOMPARE(m_app->dialogs.texts("question")[0], QStringLiteral("Uložit relativní cestu k obrázkům?"));
        QCOMPARE(QDir::currentPath(), m_app->form1->startFolder());
        QCOMPARE(m_app->form1->fileDialog("SD")->fileName(), saved);
        QStringList lines = readLines(saved);
        const int t = lines.size() - 14;
        QCOMPARE(lines[t + 3], QStringLiteral("\"obrazkys/1-predni.jpg\""));

        // Loading puts the model's folder in front of the relative entries.
        for (int i = 0; i < 6; ++i)
            edit(i)->setText("0");
        m_app->dialogs.files.enqueue({saved});
        action("Nastkrychli1")->trigger();
        QCOMPARE(label(0), faceset::quoted(start.filePath("modely/obrazkys/1-predni.jpg")));
        QCOMPARE(m_app->form1->rotationLine(), QStringLiteral("[ 3 1 0 0 2 0 ]"));
        QCOMPARE(edit(4)->text(), QStringLiteral("2"));
        // The dialog moved the working folder to the model's folder.
        QCOMPARE(QDir::currentPath(), start.filePath("modely"));
    }

    void saveIntoTheStartFolderAsksOnce()
    {
        choosePictures(testfiles::demoFiles());
        const QString saved = QDir(m_app->form1->startFolder()).filePath("vemtal.wrl");
        m_app->dialogs.files.enqueue({saved});
        m_app->dialogs.answers << false;
        action("loitkrychli1")->trigger();
        QCOMPARE(m_app->dialogs.texts("question").size(), 1);
        const QStringList lines = readLines(saved);
        QCOMPARE(lines[lines.size() - 11], faceset::quoted(testfiles::demo("1-predni.jpg")));
    }

    void failedSaveKeepsTheEarlierFile()
    {
        // A disk that fills up during the write: the file size limit makes
        // the write fail (also for root).
        choosePictures(testfiles::demoFiles());
        const QString saved = QDir(m_app->form1->startFolder()).filePath("kostka.wrl");
        QVERIFY(textfile::writeFile(saved, "earlier", m_error));
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 4096;
        signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        m_app->dialogs.files.enqueue({saved});
        action("loitkrychli1")->trigger();
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(m_app->dialogs.texts("error").size(), 1);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("earlier"));
        QCOMPARE(QDir(m_app->form1->startFolder()).entryList(QDir::Files), QStringList("kostka.wrl"));
    }

    void writeErrorIsReportedAndNothingOpened()
    {
        // A preview file that cannot be created: its path is a folder.
        QDir().mkpath(m_app->form1->previewPath());
        action("Zobrazitkrychli2")->trigger();
        QCOMPARE(m_app->dialogs.texts("error").size(), 1);
        QVERIFY(m_app->dialogs.texts("url").isEmpty());
    }

    void aFileWithoutAModelChangesNothing()
    {
        choosePictures(testfiles::demoFiles());
        const QString bad = QDir(m_app->form1->startFolder()).filePath("bad.txt");
        QVERIFY(textfile::writeFile(bad, "just some text\r\n", m_error));
        m_app->dialogs.files.enqueue({bad});
        action("Nastkrychli1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList("Chybný formát dat"));
        QCOMPARE(label(0), faceset::quoted(testfiles::demo("1-predni.jpg")));
    }

    void picturePathWithALineBreakIsRefused_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("lineBreak");
        QTest::newRow("command line, LF") << "command line" << "\n";
        QTest::newRow("all pictures, CR") << "all pictures" << "\r";
        QTest::newRow("one picture, LF") << "one picture" << "\n";
        QTest::newRow("loaded model, CR") << "model" << "\r";   // a model line holds no LF
    }
    void picturePathWithALineBreakIsRefused()
    {
        QFETCH(QString, road);
        QFETCH(QString, lineBreak);
        choosePictures(testfiles::demoFiles());
        const QStringList before = m_app->form1->pathLabels();
        QStringList files = testfiles::demoFiles();
        files[1] = QDir(m_app->form1->startFolder()).filePath("a" + lineBreak + "b.png");
        if (road == "command line") {
            m_app->form1->openArguments(files);
        } else if (road == "all pictures") {
            choosePictures(files);
        } else if (road == "one picture") {
            m_app->dialogs.files.enqueue({files[1]});
            QTest::mouseClick(m_app->form1->findChild<QPushButton *>("Button3"), Qt::LeftButton);
        } else {
            QStringList stored;
            for (const QString &f : files)
                stored << faceset::quoted(f);
            QStringList lines = m_app->form1->modelTemplate();
            lines << model::tail("[ 0 0 0 0 0 0 ]", stored, "] otocna TRUE}");
            const QString path = QDir(m_app->form1->startFolder()).filePath("m.wrl");
            QVERIFY(textfile::writeFile(path, model::fileBytes(lines), m_error));
            m_app->form1->openArguments({path});
        }
        QCOMPARE(m_app->dialogs.texts("message"),
                 QStringList("Cesta k obrázku obsahuje konec řádku. Obrázek nelze použít."));
        QCOMPARE(m_app->form1->pathLabels(), before);
    }

    // A path is shown as it stands: as rich text, this folder's name would
    // be a picture 400 pixels high (and a src would be read, /dev/zero or
    // a FIFO without end). The same holds for a message box.
    void pathsAreNeverMarkup()
    {
        const QString folder = QDir(m_app->form1->startFolder()).filePath("<img height=400>");
        QVERIFY(QDir().mkpath(folder));
        QStringList files = testfiles::demoFiles();
        files[0] = folder + "/1.jpg";
        QVERIFY(QFile::copy(testfiles::demo("1-predni.jpg"), files[0]));
        m_app->form1->openArguments(files);
        auto *shown = m_app->form1->findChild<QLabel *>("lbs0");
        QCOMPARE(shown->text(), faceset::quoted(files[0]));
        QVERIFY(shown->sizeHint().height() < 100);

        int boxHeight = -1;
        QTimer::singleShot(0, [&boxHeight] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxHeight = box->findChild<QLabel *>("qt_msgbox_label")->sizeHint().height();
            box->accept();
        });
        QtDialogs().error(m_app->form1.get(), QStringLiteral("<img height=400>"));
        QVERIFY(boxHeight > 0 && boxHeight < 100);
    }

    void commandLineArguments()
    {
        m_app->form1->openArguments(testfiles::demoFiles().mid(0, 2));
        QCOMPARE(label(1), faceset::quoted(testfiles::demo("2-prava.png")));
        QCOMPARE(label(2), QString());

        QStringList lines = m_app->form1->modelTemplate();
        QStringList stored;
        for (const QString &f : testfiles::demoFiles())
            stored << faceset::quoted(f);
        lines << model::tail("[ 1 1 1 1 1 1 ]", stored, "] otocna TRUE}");
        const QString path = QDir(m_app->form1->startFolder()).filePath("m.txt");
        QVERIFY(textfile::writeFile(path, model::fileBytes(lines), m_error));
        m_app->form1->openArguments({path});
        QCOMPARE(label(5), faceset::quoted(testfiles::demo("6-dolni.gif")));
        QCOMPARE(m_app->form1->rotationLine(), QStringLiteral("[ 1 1 1 1 1 1 ]"));
    }

    void exitAsksAndRemovesThePreviewFile()
    {
        action("Zobrazitkrychli2")->trigger();
        QVERIFY(QFileInfo::exists(m_app->form1->previewPath()));
        m_app->form1->show();
        m_app->dialogs.answers << false;
        action("KONEC2")->trigger();
        QVERIFY(m_app->form1->isVisible());
        QVERIFY(QFileInfo::exists(m_app->form1->previewPath()));
        QCOMPARE(m_app->dialogs.texts("question"), QStringList("Ukončit aplikaci?"));
        m_app->dialogs.answers << true;
        m_app->form1->close();
        QVERIFY(!QFileInfo::exists(m_app->form1->previewPath()));
    }

    void versionAndGuide()
    {
        action("about1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList(" verse 2.2, 2009 "));
        action("web1")->trigger();
        const QUrl url(m_app->dialogs.texts("url").value(0));
        QVERIFY(url.isLocalFile());
        QFile guide(url.toLocalFile());
        QVERIFY(guide.open(QIODevice::ReadOnly));
        QVERIFY(guide.readAll().contains("Připravit stopu"));
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
