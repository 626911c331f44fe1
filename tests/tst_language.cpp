#include "appcontext.h"
#include "appdata.h"
#include "cesta.h"
#include "cubemodel.h"
#include "faceset.h"
#include "fileaccess.h"
#include "help.h"
#include "help2.h"
#include "langfile.h"
#include "lokalizace.h"
#include "nastaveni.h"
#include "scripteddialogs.h"
#include "testapp.h"
#include "textfile.h"
#include "tisky.h"
#include "vemtal.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <cerrno>
#include <memory>

class tst_Language : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;

    QWidget *window(int i) const
    {
        QWidget *windows[] = {m_app->form1.get(), m_app->form2.get(), m_app->stranka.get(), m_app->form3.get(),
                              m_app->form4.get(), m_app->form5.get()};
        return windows[i];
    }
    LanguageWindows windows() const { return m_app->languageWindows(); }
    bool load(const QByteArray &bytes)
    {
        const QString path = QDir(m_app->dir.path()).filePath("lang.txt");
        QString error;
        if (!textfile::writeFile(path, bytes, error))
            return false;
        return LoadLanguageFile(m_app->context, windows(), path);
    }
    static QByteArray numbered(int count)
    {
        QByteArray bytes;
        for (int n = 1; n <= count; ++n)
            bytes += QByteArray::number(n) + "\r\n";
        return bytes;
    }

    // Every text a control shows, by window and object name.
    QMap<QString, QString> texts() const
    {
        QMap<QString, QString> out;
        for (int w = 0; w < 6; ++w) {
            QWidget *win = window(w);
            if (!win)
                continue;
            const QString prefix = QString::number(w) + QLatin1Char('/');
            out[prefix] = win->windowTitle();
            for (QObject *o : win->findChildren<QObject *>()) {
                const QString key = prefix + o->objectName();
                if (o->objectName().isEmpty())
                    continue;
                if (auto *l = qobject_cast<QLabel *>(o))
                    out[key] = l->text();
                else if (auto *b = qobject_cast<QAbstractButton *>(o))
                    out[key] = b->text();
                else if (auto *g = qobject_cast<QGroupBox *>(o))
                    out[key] = g->title();
                else if (auto *m = qobject_cast<QPlainTextEdit *>(o))
                    out[key] = m->toPlainText();
                else if (auto *a = qobject_cast<QAction *>(o))
                    out[key] = a->text();
                else if (auto *menu = qobject_cast<QMenu *>(o))
                    out[key] = menu->title();
            }
            for (auto *r : win->findChildren<QRadioButton *>())
                out[prefix + r->parent()->objectName() + "/" + r->text()] = r->text();
        }
        out["filters"] = m_app->form1->fileDialog("OPD")->request.filter + m_app->form1->fileDialog("OPD2")->request.filter + m_app->form1->fileDialog("SD")->request.filter;
        // The model's button texts; uprav writes obsahAlt before obsah, so
        // their order within a button may change.
        QStringList buttons;
        for (const QString &line : m_app->form1->modelTemplate())
            if (line.startsWith(QLatin1String("        obsah")))
                buttons << line;
        buttons.sort();
        out["template"] = buttons.join('\n');
        return out;
    }
    template <typename T> T *find(int w, const char *name) const
    {
        return window(w)->findChild<T *>(QLatin1String(name));
    }
    QString firstLine(int w, const char *memo) const
    {
        return find<QPlainTextEdit>(w, memo)->toPlainText().section('\n', 0, 0);
    }

private slots:
    void init() { m_app = std::make_unique<TestApp>(); }
    void cleanup() { m_app.reset(); }

    void numberedLinesReachTheirTargets()
    {
        find<QPlainTextEdit>(1, "vstup")->setPlainText("Zadání:\ndruhý řádek");
        QVERIFY(load(numbered(124)));
        QVERIFY(m_app->context.language.active);
        QCOMPARE(m_app->form1->windowTitle(), QStringLiteral("1"));
        QCOMPARE(find<QAbstractButton>(0, "Zmena")->text(), QStringLiteral("2"));
        QCOMPARE(find<QAbstractButton>(0, "Button7")->text(), QStringLiteral("8"));
        QCOMPARE(find<QLabel>(0, "Label4")->text(), QStringLiteral("12"));
        QCOMPARE(find<QAbstractButton>(0, "Otocna")->text(), QStringLiteral("16"));
        QCOMPARE(m_app->form1->fileDialog("OPD")->request.filter, QStringLiteral("18"));
        QCOMPARE(m_app->form1->fileDialog("SD")->request.filter, QStringLiteral("20"));
        QCOMPARE(find<QMenu>(0, "Zmnitobrzky1")->title(), QStringLiteral("21"));
        QCOMPARE(find<QAction>(0, "KONEC2")->text(), QStringLiteral("25"));
        QCOMPARE(find<QMenu>(0, "Help1")->title(), QStringLiteral("32"));
        QCOMPARE(find<QAction>(0, "Nastkrychli1")->text(), QStringLiteral("39"));
        QCOMPARE(find<QAction>(0, "Ulozitproweb1")->text(), QStringLiteral("Uložit pro web"));
        QCOMPARE(m_app->form2->windowTitle(), QStringLiteral("59"));
        QCOMPARE(find<QAbstractButton>(1, "OBNOVIT")->text(), QStringLiteral("60"));
        QCOMPARE(find<QPlainTextEdit>(1, "vstup")->toPlainText(), QStringLiteral("61\ndruhý řádek"));
        QCOMPARE(firstLine(1, "dalsi2"), QStringLiteral("63"));
        QCOMPARE(m_app->form4->windowTitle(), QStringLiteral("66"));
        QCOMPARE(find<QLabel>(4, "varovani")->text(), QStringLiteral("68"));
        QCOMPARE(find<QGroupBox>(4, "rgrezim")->title(), QStringLiteral("75"));
        const auto modes = find<QGroupBox>(4, "rgrezim")->findChildren<QRadioButton *>();
        QCOMPARE(modes.value(0)->text(), QStringLiteral("76"));
        QCOMPARE(modes.value(1)->text(), QStringLiteral("77"));
        const auto nets = find<QGroupBox>(4, "rgsit")->findChildren<QRadioButton *>();
        QCOMPARE(nets.value(1)->text(), QStringLiteral("80"));
        QCOMPARE(find<QAbstractButton>(4, "sipky")->text(), QStringLiteral("84"));
        QCOMPARE(find<QAbstractButton>(4, "OK")->text(), QStringLiteral("85"));
        QCOMPARE(firstLine(4, "vstup"), QStringLiteral("86"));
        QCOMPARE(find<QLabel>(2, "Panel1")->text(), QStringLiteral("88"));
        QCOMPARE(find<QAbstractButton>(2, "Nadpis")->text(), QStringLiteral("89"));
        QCOMPARE(find<QLabel>(2, "Label1")->text(), QStringLiteral("90"));
        QCOMPARE(find<QAbstractButton>(2, "meritko")->text(), QStringLiteral("91"));
        QCOMPARE(find<QAbstractButton>(2, "puvodni")->text(), QStringLiteral("92"));
        QCOMPARE(find<QGroupBox>(2, "RadioGroup1")->title(), QStringLiteral("93"));
        QCOMPARE(find<QAbstractButton>(2, "nasir")->text(), QStringLiteral("94"));
        QCOMPARE(find<QAbstractButton>(2, "navys")->text(), QStringLiteral("95"));
        QCOMPARE(m_app->stranka->windowTitle(), QStringLiteral("96"));
        QCOMPARE(m_app->context.language.text(Text::UsePlacement), QStringLiteral("99"));
        QCOMPARE(find<QLabel>(3, "Help1")->text(), QStringLiteral("101"));
        QCOMPARE(find<QLabel>(3, "Help8")->text(), QStringLiteral("108"));
        QCOMPARE(m_app->form3->windowTitle(), QStringLiteral("109"));
        QCOMPARE(find<QLabel>(5, "Help1")->text(), QStringLiteral("111"));
        QCOMPARE(find<QLabel>(5, "Help13")->text(), QStringLiteral("123"));
        QCOMPARE(m_app->form5->windowTitle(), QStringLiteral("124"));

        // The separators and lines 48 and 74 show nowhere.
        const QMap<QString, QString> shown = texts();
        for (const char *hidden : {"48", "58", "65", "74", "87", "100", "110"})
            QVERIFY2(!shown.values().contains(hidden), qPrintable(hidden));

        // Messages and questions come from their lines.
        item("Piprav1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList("47"));
        m_app->dialogs.answers << false;
        m_app->form1->show();
        m_app->form1->close();
        QCOMPARE(m_app->dialogs.texts("question"), QStringList("49"));

        // The written model's buttons carry 50..57.
        const QStringList model = m_app->form1->modelTemplate();
        QVERIFY(model.contains(QStringLiteral("        obsahAlt [\"50\"]")));
        QVERIFY(model.contains(QStringLiteral("        obsah [\"57\"]")));
    }
    QAction *item(const char *name) const { return find<QAction>(0, name); }

    void emptyFileEmptiesEverything()
    {
        QVERIFY(load(QByteArray()));
        QVERIFY(m_app->context.language.active);
        QCOMPARE(m_app->form1->windowTitle(), QString());
        QCOMPARE(find<QAbstractButton>(0, "Zobraz")->text(), QString());
        QCOMPARE(find<QLabel>(5, "Help13")->text(), QString());
        QCOMPARE(firstLine(1, "vstup"), QString());
        item("Piprav1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList(QString()));
    }

    void shortFileRelabelsTheMainWindowOnly()
    {
        QVERIFY(load(numbered(39)));
        QCOMPARE(find<QAction>(0, "Nastkrychli1")->text(), QStringLiteral("39"));
        QCOMPARE(find<QAction>(0, "Ulozitproweb1")->text(), QStringLiteral("Uložit pro web"));
        QCOMPARE(m_app->form2->windowTitle(), QString());
        QCOMPARE(find<QAbstractButton>(4, "nova")->text(), QString());
        item("Piprav1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList(QString()));
    }

    void blanksAreKeptAndLaterLinesAreAdditions()
    {
        QByteArray bytes = numbered(124);
        bytes.replace("2\r\n3\r\n", "  Změň  \r\n3\r\n");
        bytes += "125\r\n";
        QVERIFY(load(bytes));
        QCOMPARE(find<QAbstractButton>(0, "Zmena")->text(), QStringLiteral("  Změň  "));
        // A line the file has replaces the built-in text; a later one does not.
        const LanguageTexts &language = m_app->context.language;
        QCOMPARE(language.text(Text::FileTooLarge), QStringLiteral("125"));
        QCOMPARE(language.text(Text::NotRegularFile), QStringLiteral("Soubor nelze přečíst: není to obyčejný soubor."));
        QCOMPARE(language.text(Text::Separator100), QStringLiteral("100"));
        QVERIFY(load(numbered(39)));
        QCOMPARE(m_app->context.language.text(Text::WrongFormat), QString());
        QCOMPARE(m_app->context.language.text(Text::FileTooLarge), QStringLiteral("Soubor je příliš velký."));
    }

    void windows1250FileLoads()
    {
        const QString text = QStringLiteral("Příliš žluťoučký kůň");
        QVERIFY(load(textfile::encodeText(text) + "\r\n"));
        QCOMPARE(m_app->form1->windowTitle(), text);
    }

    void czechFileChangesNothing()
    {
        const QMap<QString, QString> before = texts();
        QFile file(QStringLiteral(VEMTAL_SOURCE_DIR "/lang/cs/lang.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(load(file.readAll()));
        const QMap<QString, QString> after = texts();
        QCOMPARE(after.keys(), before.keys());
        for (const QString &key : before.keys())
            QVERIFY2(after[key] == before[key], qPrintable(key + ": " + before[key] + " -> " + after[key]));
        QCOMPARE(m_app->context.language.text(Text::ChoosePictures), QStringLiteral("Vyberte textury."));
        QCOMPARE(m_app->context.language.text(Text::QuizFaceSetChanged), QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?"));
        item("about1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList(" verse 2.2, 2009 "));
        // The trace window's captions of both nets in one wording, the window's own.
        QCOMPARE(m_app->context.language.text(Text::TraceUpperCaption), QStringLiteral("Upravujete horní síť"));
        QCOMPARE(m_app->context.language.text(Text::TraceLowerCaption), QStringLiteral("Upravujete dolní síť"));
    }

    // A language file from elsewhere: a line cannot grow a message without
    // bound (every "%1" takes a path), nor carry what no XML file holds.
    void hostileLinesAreBounded()
    {
        const QStringList lines = langfile::parse(QByteArray("%1").repeated(100000) + "\x0b\r\n");
        QVERIFY(lines[0].arg(QString(100, u'a')).size() < 200000);
        QVERIFY(!lines[0].contains(u'\x0b'));
    }

    // The built-in texts are the Czech language file, line for line, and the
    // English file has a text for every line.
    void tableIsTheCzechFile()
    {
        for (const char *language : {"cs", "en"}) {
            QFile file(QStringLiteral(VEMTAL_SOURCE_DIR "/lang/%1/lang.txt").arg(QLatin1String(language)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QStringList lines = langfile::parse(file.readAll());
            QCOMPARE(lines.size(), texts::lineCount);
            if (qstrcmp(language, "cs") != 0)
                continue;
            for (int n = 1; n <= texts::lineCount; ++n)
                QVERIFY2(lines[n - 1] == texts::builtin(Text(n)),
                         qPrintable(QString::number(n) + ": " + lines[n - 1]));
        }
    }

    // The reasons of failed reads and writes and of refused pictures: the
    // Czech file gives the built-in texts line for line, the English one
    // its own.
    void reasonsFollowTheLanguageFile()
    {
        auto reasons = [](const LanguageTexts &language) {
            QStringList out;
            for (int error : {ENOSPC, EDQUOT, EACCES, EROFS, ENOENT, ENOTDIR, EISDIR, EFBIG,
                              ENAMETOOLONG, EIO, EMFILE, EBUSY, ELOOP, EXDEV})
                out << fileaccess::systemReason(language, error);
            for (auto kind : {picturefile::Problem::NotAPicture, picturefile::Problem::TooManyPixels})
                out << fileaccess::pictureProblemText(language, {kind, {}, QSize(1, 2)});
            std::array<QString, 6> labels{faceset::quoted(QStringLiteral(VEMTAL_SOURCE_DIR "/README.md"))};
            out << CubeModel::refusePictures(language, labels).text;
            return out;
        };
        const QStringList builtin = reasons(LanguageTexts());
        QCOMPARE(builtin.size(), 17);
        QCOMPARE(QSet<QString>(builtin.begin(), builtin.end()).size(), builtin.size());
        QFile czech(QStringLiteral(VEMTAL_SOURCE_DIR "/lang/cs/lang.txt"));
        QVERIFY(czech.open(QIODevice::ReadOnly));
        QCOMPARE(reasons({true, langfile::parse(czech.readAll())}), builtin);
        QFile english(QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt"));
        QVERIFY(english.open(QIODevice::ReadOnly));
        const QStringList translated = reasons({true, langfile::parse(english.readAll())});
        QCOMPARE(translated.first(), QStringLiteral("There is not enough space on the disk."));
        QCOMPARE(translated.last().section('\n', 0, 0),
                 QStringLiteral("These pictures of the model cannot be used; their faces are left empty:"));
        for (int i = 0; i < builtin.size(); ++i)
            QVERIFY2(translated[i] != builtin[i], qPrintable(builtin[i]));
    }

    void englishFileTranslates()
    {
        // A help window shown once (its labels sized to the Czech texts)
        // and hidden again.
        m_app->form5->show();
        m_app->form5->hide();
        QFile file(QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(load(file.readAll()));
        QCOMPARE(find<QAbstractButton>(0, "Zobraz")->text(), QStringLiteral("Show the cube"));
        QCOMPARE(find<QAction>(0, "Zobrazitvprohlizeci1")->text(), QStringLiteral("View in web browser"));
        QCOMPARE(m_app->form2->windowTitle(), QStringLiteral("Quiz preparation"));
        QCOMPARE(find<QAbstractButton>(4, "OK")->text(), QStringLiteral("OK - keep the net"));
        QCOMPARE(m_app->form5->windowTitle(), QStringLiteral("Help on making a printed trace"));
        QCOMPARE(item("Vystrihovanka1")->text(), QStringLiteral("Cut-out cube"));
        QCOMPARE(item("tiskniReseni")->text(), QStringLiteral("Print answers"));
        QCOMPARE(item("tiskReseniStopy")->text(), QStringLiteral("Print trace answers"));
        QCOMPARE(item("ProhlizecVRML1")->text(), QStringLiteral("F4 shows the cube in a VRML viewer"));
        // The hidden windows' labels fit their new texts once shown.
        m_app->form5->show();
        for (QLabel *label : m_app->form5->findChildren<QLabel *>()) {
            QCOMPARE(label->size(), label->sizeHint());
            QVERIFY(label->text().isEmpty() || label->width() > 20);
        }
        item("priprstopy")->trigger();
        QCOMPARE(m_app->dialogs.texts("message"), QStringList("Choose the pictures."));
        // The guide opens in English too.
        item("web1")->trigger();
        const QUrl guide(m_app->dialogs.texts("url").value(0));
        QCOMPARE(QFileInfo(guide.toLocalFile()).fileName(), QStringLiteral("navody-en.html"));
        QVERIFY(QFileInfo(guide.toLocalFile()).isFile());
        // So does the version message.
        item("about1")->trigger();
        QCOMPARE(m_app->dialogs.texts("message").last(), QStringLiteral(" version 2.2, 2009 "));
    }

    void guidePageNamedByTheLanguage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("opened");
        QTest::newRow("shipped") << "navody-en.html" << "navody-en.html";
        QTest::newRow("built-in") << "navody.html" << "navody.html";
        QTest::newRow("no page of that name") << "navody-de.html" << "navody.html";
        QTest::newRow("empty") << "" << "navody.html";
        QTest::newRow("outside the folder") << "../secret.html" << "navody.html";
        QTest::newRow("absolute path") << "/tmp/navody-en.html" << "navody.html";
        QTest::newRow("not a page") << "lang.txt" << "navody.html";
        QTest::newRow("blanks around it") << " navody-en.html\t" << "navody-en.html";
        QTest::newRow("a folder") << "docs.html" << "navody.html";
    }
    void guidePageNamedByTheLanguage()
    {
        QFETCH(QString, name);
        QFETCH(QString, opened);
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath("docs"));
        QVERIFY(QDir(data.path()).mkpath("docs/docs.html"));
        for (const char *file : {"docs/navody.html", "docs/navody-en.html", "docs/lang.txt", "secret.html"}) {
            QFile page(QDir(data.path()).filePath(file));
            QVERIFY(page.open(QIODevice::WriteOnly));
        }
        QCOMPARE(appdata::guidePage(data.path(), name),
                 QDir(data.path()).filePath("docs/" + opened));
    }

    void unreadableFileKeepsTheBuiltInTexts()
    {
        const QMap<QString, QString> before = texts();
        const QString path = QDir(m_app->dir.path()).filePath("lang.txt");
        QVERIFY(QDir().mkpath(path));   // exists, but cannot be read as a file
        QString error;
        QVERIFY(!LoadLanguageFile(m_app->context, windows(), path, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!m_app->context.language.active);
        QCOMPARE(texts(), before);
    }
};

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
