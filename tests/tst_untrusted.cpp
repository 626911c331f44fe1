// Files from elsewhere, through the real windows: the pictures a model names
// (a model may come from anyone) and the settings file.
#include "appsettings.h"
#include "faceset.h"
#include "fileaccess.h"
#include "model.h"
#include "picturefile.h"
#include "pipes.h"
#include "regularfile.h"
#include "testapp.h"
#include "testfiles.h"
#include "textfile.h"
#include "vystrihovanka.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const QString notAPicture = QStringLiteral("Není to obrázek JPEG, PNG, GIF ani BMP.");
const QString notAFile = QStringLiteral("Soubor nelze přečíst: není to obyčejný soubor.");
// The largest file oneReaderForEveryFile reads.
constexpr int cap = 1024 * 1024;
const QString refusedHeading = QStringLiteral("Tyto obrázky modelu nelze použít, jejich stěny zůstaly prázdné:");

bool write(const QString &file, const QByteArray &bytes)
{
    QString error;
    return textfile::writeFile(file, bytes, error);
}

QByteArray readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A BMP header of a 24-bit picture of the given size, without pixel data.
QByteArray bmpHeaderOnly(qint32 width, qint32 height)
{
    QByteArray bytes(54, '\0');
    auto put = [&bytes](int at, quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, quint32(width), 4);
    put(22, quint32(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return bytes;
}

// What a path is, without following a link: its kind, size and time.
QString described(const QString &path)
{
    struct stat info {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("missing");
    return QStringLiteral("mode %1 size %2 changed %3.%4")
            .arg(info.st_mode, 0, 8)
            .arg(info.st_size)
            .arg(info.st_mtim.tv_sec)
            .arg(info.st_mtim.tv_nsec);
}

} // namespace

class tst_Untrusted : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<Pipes> m_pipes;

    QAction *item(const char *name) const { return m_app->item(name); }
    QString path(const QString &name) const { return m_app->path(name); }

    // Makes the file a case names in the test folder and returns its path:
    // "secret.txt" (the teacher's, mode 0600), "x.jpg" (a link to it),
    // "p.jpg" (a named pipe), "notes.jpg" (text), "huge.bmp" (claims
    // 9000 x 9000), "big.jpg" (a byte over the size read), "folder.jpg",
    // "missing.jpg", "good.png"; anything else is a path outside.
    QString make(const QString &name)
    {
        const QString file = path(name);
        if (name == "secret.txt") {
            write(file, "PIN 1234\n");
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        } else if (name == "x.jpg") {
            make("secret.txt");
            QFile::link(path("secret.txt"), file);
        } else if (name == "p.jpg") {
            m_pipes = std::make_unique<Pipes>(QStringList{file});
        } else if (name == "notes.jpg") {
            write(file, "Just some notes, not a picture.\n");
        } else if (name == "huge.bmp") {
            write(file, bmpHeaderOnly(9000, 9000));
        } else if (name == "big.jpg") {
            QFile big(file);
            big.open(QIODevice::WriteOnly);
            big.write(readAll(testfiles::demo("1-predni.jpg")));
            big.resize(picturefile::maxFileSize + 1);
        } else if (name == "folder.jpg") {
            QDir().mkpath(file);
        } else if (name == "good.png") {
            QFile::copy(testfiles::demo("2-prava.png"), file);
        } else if (name != "missing.jpg") {
            return name;
        }
        return file;
    }
    QStringList labels() const { return m_app->form1->pathLabels(); }
    // A model naming `files` in its six slots, as absolute paths.
    QString writeModel(const QStringList &files)
    {
        QStringList stored;
        for (const QString &file : files)
            stored << faceset::quoted(file);
        QStringList lines = m_app->form1->modelTemplate();
        lines << model::tail("[ 1 2 3 0 1 2 ]", stored, "] otocna TRUE}");
        const QString model = path("from-elsewhere.wrl");
        write(model, model::fileBytes(lines));
        return model;
    }
    // The status of a GET from the program's own web server (0: no answer).
    static int status(const QUrl &url, QByteArray *body = nullptr, QByteArray *type = nullptr)
    {
        QNetworkAccessManager network;
        std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(url)));
        if (!QTest::qWaitFor([&reply] { return reply->isFinished(); }, 5000))
            return 0;
        if (body)
            *body = reply->readAll();
        if (type)
            *type = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    }
    // Shift+F4, then what the server gives for each slot: the picture's
    // content type when served, else the status.
    QStringList served(QByteArray &model)
    {
        m_app->dialogs.calls.clear();
        item("Zobrazitvprohlizeci1")->trigger();
        const QUrl page = testfiles::forwardTarget(QUrl(m_app->dialogs.texts("url").value(0)).toLocalFile());
        if (status(page.resolved(QUrl("model.wrl")), &model) != 200)
            return {};
        QStringList out;
        for (int slot = 0; slot < 6; ++slot) {
            QString answer = QStringLiteral("404");
            for (const char *suffix : {"jpg", "png", "gif", "bmp"}) {
                QByteArray type;
                const int code = status(page.resolved(QUrl(QStringLiteral("obrazkys/%1.%2").arg(slot).arg(suffix))),
                                        nullptr, &type);
                if (code != 404)
                    answer = code == 200 ? QString::fromLatin1(type) : QString::number(code);
            }
            out << answer;
        }
        return out;
    }

private slots:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        // The settings of this test alone: ~/.config is not touched.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
    }
    void cleanup()
    {
        m_pipes.reset();
        m_app.reset();
    }

    void oneReaderForEveryFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("refused");   // regularfile::ReadError::Kind
        QTest::addColumn<int>("read");      // bytes read; -1: any, more than none
        const int none = regularfile::ReadError::None, notAFile = regularfile::ReadError::NotAFile;
        QTest::newRow("file") << "file" << none << 100;
        QTest::newRow("empty file") << "empty file" << none << 0;
        QTest::newRow("the cap") << "the cap" << none << cap;
        QTest::newRow("a byte over") << "a byte over" << int(regularfile::ReadError::TooLarge) << 0;
        // /proc files say they are empty: what they hold is read all the same.
        QTest::newRow("/proc/self/environ") << "/proc/self/environ" << none << -1;
        QTest::newRow("named pipe") << "named pipe" << notAFile << 0;
        QTest::newRow("link to a named pipe") << "link to a named pipe" << notAFile << 0;
        QTest::newRow("/dev/zero") << "/dev/zero" << notAFile << 0;
        QTest::newRow("folder") << "folder" << notAFile << 0;
        QTest::newRow("missing") << "missing" << int(regularfile::ReadError::System) << 0;
    }
    void oneReaderForEveryFile()
    {
        QFETCH(QString, kind);
        QFETCH(int, refused);
        QFETCH(int, read);
        QString file = path("file");
        if (kind == "file" || kind == "the cap" || kind == "a byte over")
            QVERIFY(write(file, QByteArray(kind == "file" ? 100 : kind == "the cap" ? cap : cap + 1, 'x')));
        else if (kind == "empty file")
            QVERIFY(write(file, {}));
        else if (kind == "named pipe")
            m_pipes = std::make_unique<Pipes>(QStringList{file});
        else if (kind == "link to a named pipe") {
            m_pipes = std::make_unique<Pipes>(QStringList{path("pipe")});
            QVERIFY(QFile::link(path("pipe"), file));
        } else if (kind == "folder")
            QVERIFY(QDir().mkpath(file));
        else if (kind != "missing")
            file = kind;
        QByteArray bytes;
        regularfile::ReadError error;
        QCOMPARE(regularfile::read(file, cap, bytes, error), refused == regularfile::ReadError::None);
        QCOMPARE(int(error.kind), refused);
        if (read >= 0)
            QCOMPARE(bytes.size(), read);
        else
            QVERIFY(!bytes.isEmpty());
        if (kind == "missing")
            QCOMPARE(error.systemError, ENOENT);
        QCOMPARE(regularfile::check(file, error), refused == regularfile::ReadError::None || kind == "a byte over");
        if (m_pipes)
            QCOMPARE(m_pipes->released(), 0);
    }

    void modelPicturesAreChecked_data()
    {
        QTest::addColumn<QStringList>("cases");
        QTest::addColumn<QStringList>("reasons");   // empty: the slot keeps its picture
        QTest::newRow("the teacher's files") << QStringList{"secret.txt", "/etc/passwd", "x.jpg",
                                                            "/proc/self/environ", "p.jpg", "notes.jpg"}
                                             << QStringList{notAPicture, notAPicture, notAPicture,
                                                            notAPicture, notAFile, notAPicture};
        QTest::newRow("odd files") << QStringList{"huge.bmp", "big.jpg", "folder.jpg", "/dev/zero",
                                                  "missing.jpg", "good.png"}
                                   << QStringList{"Obrázek je příliš velký: 9000 × 9000 bodů.",
                                                  "Soubor je příliš velký.", notAFile, notAFile, "", ""};
    }
    // Loading reports each picture that is not one and leaves its slot
    // empty; the rest of the load stands. Nothing of them is served or
    // exported, and nothing waits on the pipe.
    void modelPicturesAreChecked()
    {
        QFETCH(QStringList, cases);
        QFETCH(QStringList, reasons);
        QStringList files;
        for (const QString &name : cases)
            files << make(name);
        m_app->dialogs.files.enqueue({writeModel(files)});
        item("Nastkrychli1")->trigger();

        QStringList listed = {refusedHeading};
        QStringList expected;
        for (int slot = 0; slot < 6; ++slot) {
            if (!reasons[slot].isEmpty())
                listed << QDir::toNativeSeparators(files[slot]) + ": " + reasons[slot];
            expected << (reasons[slot].isEmpty() ? faceset::quoted(files[slot]) : QString());
        }
        QCOMPARE(m_app->dialogs.texts("message"), QStringList(listed.join('\n')));
        QVERIFY(m_app->dialogs.texts("error").isEmpty());
        QCOMPARE(labels(), expected);
        QCOMPARE(m_app->form1->rotationLine(), QStringLiteral("[ 1 2 3 0 1 2 ]"));

        // Served: the good picture alone, by its decoded format; the model
        // carries no path.
        QByteArray model;
        QStringList want(6, QStringLiteral("404"));
        if (cases.contains("good.png"))
            want[cases.indexOf("good.png")] = QStringLiteral("image/png");
        QCOMPARE(served(model), want);
        for (const QString &file : files)
            QVERIFY2(!model.contains(file.toUtf8()), qPrintable(file));

        // Exported: the good picture alone; a kept slot whose file is
        // missing fails the export, and the folder stays empty.
        const QString folder = path("web");
        m_app->dialogs.calls.clear();
        m_app->dialogs.files.enqueue({folder});
        item("Ulozitproweb1")->trigger();
        if (cases.contains("missing.jpg")) {
            QCOMPARE(m_app->dialogs.texts("error"),
                     QStringList(fileaccess::named(path("missing.jpg"), "Soubor nebo složka neexistuje.")));
            QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        } else {
            QVERIFY(m_app->dialogs.texts("error").isEmpty());
            QCOMPARE(QDir(folder + "/obrazkys").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
        }
        if (m_pipes)
            QCOMPARE(m_pipes->released(), 0);
    }

    // The same files chosen by hand: the picture dialogs take what the
    // teacher picks, but the server and the export check what they read.
    void picturesChosenByHandAreNotPublished()
    {
        QStringList files;
        for (const char *name : {"secret.txt", "/etc/passwd", "x.jpg", "/proc/self/environ", "p.jpg", "notes.jpg"})
            files << make(QLatin1String(name));
        m_app->dialogs.files.enqueue(files);
        item("Zmnitobrzky2")->trigger();
        QCOMPARE(labels().last(), faceset::quoted(files.last()));

        QByteArray model;
        QCOMPARE(served(model), QStringList(6, QStringLiteral("404")));
        QVERIFY(!model.contains("secret") && !model.contains("passwd") && !model.contains("environ"));

        const QString folder = path("web");
        m_app->dialogs.calls.clear();
        m_app->dialogs.files.enqueue({folder});
        item("Ulozitproweb1")->trigger();
        QCOMPARE(m_app->dialogs.texts("error"), QStringList(fileaccess::named(files[0], notAPicture)));
        QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QCOMPARE(m_pipes->released(), 0);
    }

    void settingsThatAreNoPlainFileAreLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"named pipe", "link to a named pipe", "150 MB", "64 KB and a byte",
                                 "folder", "device", "a typed value"})
            QTest::newRow(kind) << kind;
    }
    // The cut-out dialog neither waits nor reads them: it starts from the
    // defaults, and its OK does not replace them.
    void settingsThatAreNoPlainFileAreLeftAlone()
    {
        QFETCH(QString, kind);
        const QString file = appsettings::filePath();
        QCOMPARE(file, path("config/vemtal/vemtal.conf"));
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        if (kind == "named pipe") {
            m_pipes = std::make_unique<Pipes>(QStringList{file});
        } else if (kind == "link to a named pipe") {
            m_pipes = std::make_unique<Pipes>(QStringList{path("pipe")});
            QVERIFY(QFile::link(path("pipe"), file));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(file));
        } else if (kind == "device") {
            // A device of its own (root), so that a fault that writes through
            // it cannot replace the system's; else one no test may replace.
            if (geteuid() == 0)
                QVERIFY(mknod(QFile::encodeName(file).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
            else
                QVERIFY(QFile::link("/dev/null", file));
        } else if (kind == "a typed value") {
            // QSettings would make a picture of it, of whatever size its data claims.
            QVERIFY(write(file, "[vystrihovanka]\nsit=3\nx=@Variant(\\0\\0\\0\\x41\\0)\n"));
        } else {
            // Settings QSettings would take, made large.
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly));
            big.write("[vystrihovanka]\nsit=3\n");
            QVERIFY(big.resize(kind == "150 MB" ? 150 * 1024 * 1024 : appsettings::maxFileSize + 1));
        }
        QVERIFY(!m_pipes || m_pipes->made());
        const QString before = described(file) + ", " + described(path("pipe"));

        QVERIFY(!appsettings::read().usable);
        TVystrihovanka dialog(m_app->context);
        QVERIFY(dialog.findChild<QToolButton *>("sit1")->isChecked());
        QCOMPARE(dialog.findChild<QLineEdit *>("hrana")->text(), QStringLiteral("50"));
        dialog.findChild<QToolButton *>("sit4")->click();
        dialog.findChild<QPushButton *>("OK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(described(file) + ", " + described(path("pipe")), before);
        if (m_pipes)
            QCOMPARE(m_pipes->released(), 0);
    }

    // A settings file that is one: read, and written back with the keys
    // the dialog does not know kept; a missing one is made.
    void settingsAreKept()
    {
        const QString file = appsettings::filePath();
        {
            TVystrihovanka first(m_app->context);
            first.findChild<QToolButton *>("sit2")->click();
            first.findChild<QPushButton *>("OK")->click();
        }
        QVERIFY(QFileInfo(file).isFile());
        QVERIFY(write(file, "[jine]\nklic=hodnota\n[vystrihovanka]\nsit=3\nhrana=45\npapir=A3\n"));
        TVystrihovanka dialog(m_app->context);
        QVERIFY(dialog.findChild<QToolButton *>("sit3")->isChecked());
        QCOMPARE(dialog.findChild<QLineEdit *>("hrana")->text(), QStringLiteral("45"));
        QCOMPARE(dialog.paper(), QPageSize::A3);
        dialog.findChild<QToolButton *>("sit5")->click();
        dialog.findChild<QPushButton *>("OK")->click();
        const appsettings::Settings kept = appsettings::read();
        QVERIFY(kept.usable);
        QCOMPARE(kept.value("vystrihovanka/sit").toInt(), 5);
        QCOMPARE(kept.value("jine/klic").toString(), QStringLiteral("hodnota"));
    }
};

QTEST_MAIN(tst_Untrusted)
#include "tst_untrusted.moc"
