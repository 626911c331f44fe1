// Faults around files, driven through the real windows: saves that fail,
// files that change between the dialog and the read, huge files of noise,
// and broken pictures.
#include "appcontext.h"
#include "cesta.h"
#include "faceset.h"
#include "fileaccess.h"
#include "facetiles.h"
#include "picturefile.h"
#include "help.h"
#include "help2.h"
#include "imagecontrol.h"
#include "lokalizace.h"
#include "nastaveni.h"
#include "netgeometry.h"
#include "pipes.h"
#include "scripteddialogs.h"
#include "testapp.h"
#include "sheetprinting.h"
#include "textfile.h"
#include "tisky.h"
#include "tracefile.h"
#include "tracenet.h"
#include "quizfile.h"
#include "vemtal.h"

#include <QAction>
#include <QBuffer>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using tracenet::centre;

namespace {

// Runs `afterChoice` once a file dialog has answered, before the window
// reads the chosen file.
// Writes below a small size limit fail with EFBIG, as on a full disk (for
// root too). The limit is lifted when the object goes.
class FullDisk
{
public:
    FullDisk()
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_before;
        small.rlim_cur = 64;
        m_ok = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        signal(SIGXFSZ, m_signal);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_before{};
    sighandler_t m_signal = nullptr;
    bool m_ok = false;
};

// A small tmpfs of its own, for a disk that is full or read-only. It is
// mounted in a mount namespace of the test's main thread only (which does
// the saves), so nothing shows in the machine's mounts, even after a crash.
// Mounting needs root (CAP_SYS_ADMIN); `unavailable()` says why not.
class ScratchDisk
{
public:
    explicit ScratchDisk(const QString &path) : m_path(QFile::encodeName(path))
    {
        QDir().mkpath(path);
        if (unavailable().isEmpty())
            m_mounted = mount("tmpfs", m_path.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                              "size=256k") == 0;
    }
    ~ScratchDisk()
    {
        if (m_mounted)
            umount2(m_path.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

    // Why no tmpfs can be mounted here; empty when it can.
    static QString unavailable()
    {
        static const QString reason = [] {
            if (geteuid() != 0)
                return QStringLiteral("mounting a tmpfs needs root");
            if (unshare(CLONE_NEWNS) != 0
                || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return QStringLiteral("no mount namespace: ") + QString::fromLocal8Bit(std::strerror(errno));
            return QString();
        }();
        return reason;
    }

    // Writes a filler until the disk says it is full.
    bool fill()
    {
        const int fd = ::open((m_path + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
        const QByteArray block(4096, 'x');
        while (fd >= 0 && ::write(fd, block.constData(), block.size()) > 0) { }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }
    bool makeReadOnly()
    {
        return mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

QImage filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A BMP header of a 24-bit picture of the given size without pixel data.
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

quint32 crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void putBigEndian(QByteArray &bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * (size - 1 - i))) & 0xFF);
}

// A real small picture whose header claims width x height.
QByteArray claimingSize(const char *format, quint32 width, quint32 height)
{
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray bytes = encoded(small, format);
    if (qstrcmp(format, "PNG") == 0) {
        // IHDR follows the 8-byte signature: length, type, width, height ..., CRC.
        putBigEndian(bytes, 16, width, 4);
        putBigEndian(bytes, 20, height, 4);
        putBigEndian(bytes, 29, crc32(QByteArrayView(bytes).sliced(12, 17)), 4);
    } else if (qstrcmp(format, "JPEG") == 0) {
        // The frame header: FF C0, length, precision, height, width.
        const qsizetype sof = bytes.indexOf("\xFF\xC0");
        putBigEndian(bytes, sof + 5, height, 2);
        putBigEndian(bytes, sof + 7, width, 2);
    }
    return bytes;
}

constexpr QRgb red = 0xFFFF0000;
constexpr QRgb blue = 0xFF0000FF;
constexpr QRgb white = 0xFFFFFFFF;

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;

    QAction *item(const char *name) const { return m_app->item(name); }
    QString path(const QString &name) const { return QDir(m_app->dir.path()).filePath(name); }
    static QByteArray fileBytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool write(const QString &file, const QByteArray &bytes)
    {
        QString error;
        return textfile::writeFile(file, bytes, error);
    }
    QStringList labels() const
    {
        QStringList out;
        for (int i = 0; i < 6; ++i)
            out << m_app->form1->findChild<QLabel *>(QStringLiteral("lbs%1").arg(i))->text();
        return out;
    }

    // A confirmed quiz and a confirmed trace with two rolls on the upper net.
    void prepareSheets()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        item("Piprav1")->trigger();
        QTest::mouseClick(m_app->form2->findChild<QPushButton *>("OK"), Qt::LeftButton);
        item("priprstopy")->trigger();
        auto *upper = m_app->form4->findChild<ImageControl *>("Image5");
        QTest::mouseClick(upper, Qt::LeftButton, {}, centre(8, 4));
        QTest::mouseClick(upper, Qt::LeftButton, {}, centre(8, 5));
        QTest::mouseClick(m_app->form4->findChild<QPushButton *>("OK"), Qt::LeftButton);
        m_app->dialogs.calls.clear();
    }
    // Saves with the main window's command for `what` to `file`.
    void save(const QString &what, const QString &file)
    {
        m_app->dialogs.files.enqueue({file});
        if (what == "model") {
            item("loitkrychli1")->trigger();
        } else if (what == "quiz") {
            item("Ulokviz1")->trigger();
        } else if (what == "trace") {
            m_app->dialogs.answers << true << false;
            item("Uloitzadn1")->trigger();
        } else if (what == "web") {
            item("Ulozitproweb1")->trigger();   // `file` is the folder
        } else {
            m_app->dialogs.prints.enqueue({true, true});   // print to file
            item("tiskni")->trigger();
        }
    }
    // What the windows hold that a load could change.
    struct WindowState
    {
        QStringList labels;
        QByteArray quiz;
        QByteArray trace1;
        QByteArray trace2;
        bool operator==(const WindowState &) const = default;
    };
    WindowState windowState() const
    {
        return {labels(), m_app->form2->quizFileBytes(), m_app->form4->traceFileBytes(1),
                m_app->form4->traceFileBytes(2)};
    }
    // Loads `file` with the main window's command for `what`.
    void load(const QString &what, const QString &file)
    {
        m_app->dialogs.files.enqueue({file});
        if (what == "model") {
            item("Nastkrychli1")->trigger();
        } else if (what == "quiz") {
            item("Nastkviz1")->trigger();
        } else {
            m_app->dialogs.answers << true << false;
            item("Nastzadn1")->trigger();
        }
    }

    // Loads `file` as `what` ("model", "quiz", "trace" or "language") and
    // returns the one error shown (for the language file: the reason given).
    QString refusedLoad(const QString &what, const QString &file)
    {
        if (what == "language") {
            QString error;
            if (LoadLanguageFile(m_app->context, m_app->languageWindows(), file, &error)
                || m_app->context.language.active)
                return QString();
            return error;
        }
        load(what, file);
        // The error box names the file, then the reason.
        const QStringList errors = m_app->dialogs.texts("error");
        const QString named = QDir::toNativeSeparators(file) + QLatin1Char('\n');
        return errors.size() == 1 && errors.first().startsWith(named) ? errors.first().mid(named.size())
                                                                       : QString();
    }

private slots:
    void init() { m_app = std::make_unique<TestApp>(); }
    void cleanup() { m_app.reset(); }

    void failedSaveKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("model") << "model";
        QTest::newRow("quiz") << "quiz";
        QTest::newRow("trace") << "trace";
        QTest::newRow("sheet bitmap") << "bitmap";
    }
    void failedSaveKeepsTheEarlierFile()
    {
        QFETCH(QString, what);
        prepareSheets();
        const QString file = path("saved." + what);
        const QByteArray earlier = "earlier contents\r\n";
        QVERIFY(write(file, earlier));
        {
            FullDisk full;
            QVERIFY(full.ok());
            save(what, file);
        }
        // The file and the system's reason, in the user's language.
        QCOMPARE(m_app->dialogs.texts("error"),
                 QStringList(fileaccess::named(file, "Soubor je pro tento disk příliš velký.")));
        QCOMPARE(fileBytes(file), earlier);
        // No half-written file is left beside it.
        QCOMPARE(QDir(m_app->dir.path()).entryList(QDir::Files), QStringList(QFileInfo(file).fileName()));

        // The same save without the fault writes the file.
        m_app->dialogs.calls.clear();
        save(what, file);
        QVERIFY(m_app->dialogs.texts("error").isEmpty());
        QVERIFY(fileBytes(file).size() > 64);
        QVERIFY(fileBytes(file) != earlier);
    }

    void saveIntoAFolderThatIsAFile_data() { failedSaveKeepsTheEarlierFile_data(); }
    void saveIntoAFolderThatIsAFile()
    {
        QFETCH(QString, what);
        prepareSheets();
        const QByteArray plain = "not a folder";
        QVERIFY(write(path("plain"), plain));
        const QString file = path("plain/saved." + what);
        save(what, file);
        QCOMPARE(m_app->dialogs.texts("error"),
                 QStringList(fileaccess::named(file, "Část cesty není složka.")));
        QCOMPARE(fileBytes(path("plain")), plain);
        QCOMPARE(QDir(m_app->dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList("plain"));
    }

    void saveOnAFullDisk_data()
    {
        failedSaveKeepsTheEarlierFile_data();
        QTest::newRow("for the web") << "web";
    }
    // A disk that is really full (ENOSPC): the error box names the file
    // written, never the program's own files, and says why in Czech.
    void saveOnAFullDisk()
    {
        QFETCH(QString, what);
        if (!ScratchDisk::unavailable().isEmpty())
            QSKIP(qPrintable(ScratchDisk::unavailable()));
        prepareSheets();
        ScratchDisk disk(path("disk"));
        QVERIFY(disk.mounted());
        const QString file = path(what == "web" ? "disk/web" : "disk/saved." + what);
        if (what != "web")
            QVERIFY(write(file, "earlier contents\r\n"));
        QVERIFY(disk.fill());
        save(what, file);
        const QStringList errors = m_app->dialogs.texts("error");
        QCOMPARE(errors.size(), 1);
        const QString full = QStringLiteral("\nNa disku není dost místa.");
        if (what == "web") {
            // The first file of the site that did not fit, in the chosen folder.
            QVERIFY2(errors.first().startsWith(file + '/') && errors.first().endsWith(full),
                     qPrintable(errors.first()));
            QVERIFY(QDir(file).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        } else {
            QCOMPARE(errors.first(), fileaccess::named(file, full.mid(1)));
            QCOMPARE(fileBytes(file), QByteArray("earlier contents\r\n"));
        }
    }

    void saveIntoAReadOnlyFolder_data() { saveOnAFullDisk_data(); }
    // A read-only disk, or a folder the user may not write when the tests
    // do not run as root: the reason in Czech, not Qt's English "Existing
    // file ... is not writable".
    void saveIntoAReadOnlyFolder()
    {
        QFETCH(QString, what);
        const bool root = geteuid() == 0;
        if (root && !ScratchDisk::unavailable().isEmpty())
            QSKIP(qPrintable(ScratchDisk::unavailable()));
        prepareSheets();
        std::unique_ptr<ScratchDisk> disk;
        if (root) {
            disk = std::make_unique<ScratchDisk>(path("disk"));
            QVERIFY(disk->mounted());
        }
        QDir().mkpath(path("disk"));
        const QString file = path(what == "web" ? "disk/web" : "disk/saved." + what);
        const QByteArray earlier = "earlier contents\r\n";
        if (what == "web")
            QVERIFY(QDir().mkpath(file));
        else
            QVERIFY(write(file, earlier));
        if (root) {
            QVERIFY(disk->makeReadOnly());
        } else {
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ExeOwner));
            QVERIFY(QFile::setPermissions(path("disk"), QFile::ReadOwner | QFile::ExeOwner));
        }
        save(what, file);
        if (!root) {
            QFile::setPermissions(path("disk"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QString reason = root ? QStringLiteral("Disk nebo složka je jen pro čtení.")
                                    : QStringLiteral("Přístup odepřen: k tomu nemáte oprávnění.");
        QCOMPARE(m_app->dialogs.texts("error"), QStringList(fileaccess::named(file, reason)));
        if (what != "web")
            QCOMPARE(fileBytes(file), earlier);
    }

    void fileChangedAfterTheDialog_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("toFolder");
        for (const char *what : {"model", "quiz", "trace"}) {
            QTest::addRow("%s removed", what) << what << false;
            QTest::addRow("%s replaced by a folder", what) << what << true;
        }
    }
    void fileChangedAfterTheDialog()
    {
        QFETCH(QString, what);
        QFETCH(bool, toFolder);
        prepareSheets();
        // A good file of each kind, so that only the change makes it fail.
        const QString file = path("good." + what);
        if (what == "model") {
            m_app->form1->findChild<QLineEdit *>("Ed1")->setText("2");
            m_app->dialogs.files.enqueue({file});
            item("loitkrychli1")->trigger();
            m_app->form1->openArguments(testfiles::demoFiles().mid(1, 1));
        } else if (what == "quiz") {
            quiz::QuizState other = m_app->form2->quizState();
            other.vstup = QStringList{"jiné zadání"};
            QVERIFY(write(file, quiz::writeQuiz(other)));
        } else {
            QVERIFY(write(file, tracefile::write(trace::Grid(), trace::History())));
        }
        QVERIFY(QFileInfo(file).isFile());
        m_app->dialogs.calls.clear();
        const WindowState before = windowState();

        m_app->dialogs.afterChoice = [file, toFolder] {
            QFile::remove(file);
            if (toFolder)
                QDir().mkdir(file);
        };
        load(what, file);
        QVERIFY(!m_app->dialogs.afterChoice);   // the change did happen
        QCOMPARE(m_app->dialogs.texts("error"),
                 QStringList(fileaccess::named(file, toFolder ? "Soubor nelze přečíst: není to obyčejný soubor."
                                                              : "Soubor nebo složka neexistuje.")));
        QVERIFY(m_app->dialogs.texts("message").isEmpty());
        QVERIFY(windowState() == before);
    }

    void hugeNoiseIsRefused_data()
    {
        QTest::addColumn<QString>("what");
        for (const char *what : {"model", "quiz", "trace", "language"})
            QTest::newRow(what) << what;
    }
    void hugeNoiseIsRefused()
    {
        QFETCH(QString, what);
        prepareSheets();
        const QString file = path("noise");
        {
            QByteArray noise(50 * 1024 * 1024, Qt::Uninitialized);
            QRandomGenerator generator(12345);
            generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
            QVERIFY(write(file, noise));
        }
        const WindowState before = windowState();
        const QString title = m_app->form1->windowTitle();
        QCOMPARE(refusedLoad(what, file), QStringLiteral("Soubor je příliš velký."));
        QVERIFY(windowState() == before);
        QCOMPARE(m_app->form1->windowTitle(), title);
    }

    void namedPipesAreRefused_data()
    {
        QTest::addColumn<QString>("what");
        for (const char *what : {"model", "quiz", "trace", "language", "template", "pictures", "cut-out"})
            QTest::newRow(what) << what;
    }
    void namedPipesAreRefused()
    {
        QFETCH(QString, what);
        prepareSheets();
        const WindowState before = windowState();
        const QString notAFile = QStringLiteral("Soubor nelze přečíst: není to obyčejný soubor.");
        if (what == "pictures") {
            QStringList pictures;
            for (int i = 1; i <= 6; ++i)
                pictures << path(QStringLiteral("f%1.png").arg(i)) << path(QStringLiteral("f%1.bmp").arg(i));
            Pipes pipes(pictures);
            QVERIFY(pipes.made());
            // Through the menu: the command line refuses what is not a file.
            m_app->dialogs.files.enqueue(pictures.filter(".png"));
            item("Zmnitobrzky2")->trigger();
            item("Piprav1")->trigger();
            QVERIFY(m_app->form2->isVisible());
            const QImage tile = facetiles::loadTile(m_app->context.snapshot.names[0],
                                                    m_app->context.snapshot.pictures[0]);
            QCOMPARE(tile.convertToFormat(QImage::Format_RGB32), filled(32, 32, white));
            QCOMPARE(pipes.released(), 0);
        } else if (what == "cut-out") {
            QStringList pictures;
            for (int i = 1; i <= 6; ++i)
                pictures << path(QStringLiteral("f%1.png").arg(i));
            Pipes pipes(pictures);
            QVERIFY(pipes.made());
            m_app->dialogs.files.enqueue(pictures);
            item("Zmnitobrzky2")->trigger();
            m_app->dialogs.modals.enqueue([](QDialog *) { return true; });
            item("Vystrihovanka1")->trigger();
            // Asked whether to print the six faces white; unanswered: nothing printed.
            QCOMPARE(m_app->dialogs.texts("question").size(), 1);
            QVERIFY(m_app->dialogs.texts("question").first().contains(QDir::toNativeSeparators(pictures[5])));
            QVERIFY(m_app->dialogs.texts("print").isEmpty());
            QCOMPARE(pipes.released(), 0);
        } else if (what == "template") {
            Pipes pipes({m_app->form1->overridePath()});
            QVERIFY(pipes.made());
            item("Zobrazitkrychli2")->trigger();
            QCOMPARE(m_app->dialogs.texts("error"),
                     QStringList(QDir::toNativeSeparators(m_app->form1->overridePath()) + '\n' + notAFile));
            QVERIFY(m_app->dialogs.texts("url").isEmpty());
            QCOMPARE(pipes.released(), 0);
        } else {
            const QString file = path(what == "model" ? "pipe.wrl" : "pipe");
            Pipes pipes({file});
            QVERIFY(pipes.made());
            QCOMPARE(refusedLoad(what, file), notAFile);
            QCOMPARE(pipes.released(), 0);
            QVERIFY(windowState() == before);
        }
    }

    void brokenPicturesGiveSaneTiles_data()
    {
        QTest::addColumn<QByteArray>("companion");   // empty: no companion file
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QImage>("expected");

        const QByteArray bluePicture = encoded(filled(8, 8, blue), "PNG");
        QImage corner = filled(32, 32, white);
        QPainter(&corner).fillRect(0, 0, 16, 16, QColor(red));
        QTest::newRow("companion 16x16") << encoded(filled(16, 16, red), "BMP") << bluePicture << corner;
        QImage big = filled(64, 64, 0xFF00FF00);
        QPainter(&big).fillRect(0, 0, 32, 32, QColor(red));
        QTest::newRow("companion 64x64") << encoded(big, "BMP") << bluePicture << filled(32, 32, red);
        QImage dot = filled(32, 32, white);
        dot.setPixel(0, 0, red);
        QTest::newRow("companion 1x1") << encoded(filled(1, 1, red), "BMP") << bluePicture << dot;
        QTest::newRow("companion claims 100000x100000")
                << bmpHeaderOnly(100000, 100000) << bluePicture << filled(32, 32, blue);
        QTest::newRow("companion claims 100000x100000, no picture")
                << bmpHeaderOnly(100000, 100000) << QByteArray() << filled(32, 32, white);
        QTest::newRow("companion is text") << QByteArray("not a bitmap\r\n") << bluePicture
                                           << filled(32, 32, blue);
        // A 32 x 32 24-bit BMP holds its rows bottom first, 96 bytes each
        // after a 54-byte header: the rows cut off are the top ones.
        const QByteArray whole = encoded(filled(32, 32, red), "BMP");
        QCOMPARE(whole.size(), 54 + 32 * 96);
        for (int rows : {0, 5, 15, 31}) {
            QImage partial = filled(32, 32, white);
            QPainter(&partial).fillRect(0, 32 - rows, 32, rows, QColor(red));
            QTest::addRow("companion cut after %d rows", rows)
                    << whole.left(54 + rows * 96 + 50) << bluePicture << partial;
        }
        QTest::newRow("companion cut in its header") << whole.left(30) << bluePicture
                                                     << filled(32, 32, blue);
        QTest::newRow("picture is text") << QByteArray() << QByteArray("GIF89a but not really")
                                         << filled(32, 32, white);
        QTest::newRow("picture cut short") << QByteArray() << bluePicture.left(20)
                                           << filled(32, 32, white);
        QTest::newRow("nothing readable") << QByteArray() << QByteArray() << filled(32, 32, white);
    }
    void brokenPicturesGiveSaneTiles()
    {
        QFETCH(QByteArray, companion);
        QFETCH(QByteArray, picture);
        QFETCH(QImage, expected);
        // All six faces use the broken picture and its companion.
        QDir(m_app->dir.path()).mkdir("obr");
        QStringList pictures;
        for (int i = 1; i <= 6; ++i) {
            const QString name = path(QStringLiteral("obr/face%1.png").arg(i));
            if (!picture.isEmpty())
                QVERIFY(write(name, picture));
            if (!companion.isEmpty())
                QVERIFY(write(path(QStringLiteral("obr/face%1.bmp").arg(i)), companion));
            pictures << name;
        }
        // Through the menu: the command line refuses a picture it cannot read.
        m_app->dialogs.files.enqueue(pictures);
        item("Zmnitobrzky2")->trigger();
        QCOMPARE(labels().last(), faceset::quoted(pictures.last()));
        item("Piprav1")->trigger();
        QVERIFY(m_app->form2->isVisible());
        item("priprstopy")->trigger();
        QVERIFY(m_app->form4->isVisible());

        const QImage tile = facetiles::loadTile(m_app->context.snapshot.names[0], m_app->context.snapshot.pictures[0]);
        QCOMPARE(tile.convertToFormat(QImage::Format_RGB32), expected);
        // The quiz window's thumbnails show that tile in every turned square.
        const quiz::QuizState state = m_app->form2->quizState();
        for (int k = 1; k <= 12; ++k) {
            const auto *thumb = m_app->form2->findChild<ImageControl *>(QStringLiteral("Image%1").arg(k));
            QVERIFY(thumb);
            for (int s = 1; s <= 6; ++s) {
                const int turn = state.thumbnails[k - 1].states[s - 1];
                const QImage shown = thumb->image()
                        .copy(net::square_x[s - 1], net::square_y[s - 1], 32, 32)
                        .convertToFormat(QImage::Format_RGB32);
                const QImage want = turn > 3 ? filled(32, 32, white)
                        : expected.transformed(QTransform().rotate(90 * turn))
                                  .convertToFormat(QImage::Format_RGB32);
                QVERIFY2(shown == want, qPrintable(QStringLiteral("Image%1 square %2").arg(k).arg(s)));
            }
        }
    }

    // A picture whose header claims a huge size is refused by its header,
    // before any of the megabytes behind it is decoded.
    void hugePicturesReadOnlyTheirHeaders_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("BMP 100000 x 100000") << bmpHeaderOnly(100000, 100000);
        QTest::newRow("PNG 100000 x 100000") << claimingSize("PNG", 100000, 100000);
        QTest::newRow("JPEG 65000 x 65000") << claimingSize("JPEG", 65000, 65000);
    }
    void hugePicturesReadOnlyTheirHeaders()
    {
        QFETCH(QByteArray, header);
        QByteArray bytes = header + QByteArray(8 * 1024 * 1024, '\x55');
        QVERIFY(facetiles::readPicture(bytes).isNull());
        picturefile::Problem problem;
        QCOMPARE(picturefile::decode(bytes, problem), picturefile::Format::None);
    }

    // Every scan of a progressive JPEG is a pass over the whole picture:
    // its last scan repeated makes a JPEG of a few kilobytes more that Qt
    // would decode for seconds (a thousand repeats: 14 s at 4096 x 4096).
    void jpegsOfManyScansAreRefused()
    {
        QImage gray(1024, 1024, QImage::Format_RGB32);
        gray.fill(Qt::gray);
        QByteArray progressive;
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        QVERIFY(writer.write(gray));
        const qsizetype last = progressive.lastIndexOf("\xFF\xDA");
        const qsizetype end = progressive.lastIndexOf("\xFF\xD9");
        QVERIFY(last > 0 && end > last);
        const QByteArray repeated = progressive.left(end)
                + progressive.mid(last, end - last).repeated(picturefile::maxScans) + "\xFF\xD9";
        picturefile::Problem problem;
        QCOMPARE(picturefile::decode(progressive, problem), picturefile::Format::Jpeg);
        QVERIFY(!QImage::fromData(repeated).isNull());
        QCOMPARE(picturefile::decode(repeated, problem), picturefile::Format::None);
        QVERIFY(facetiles::readPicture(repeated).isNull());
    }

    // Qt decodes more formats than the four (and more with its plugins):
    // a tile is made only of a picture that every other reader takes too.
    void tilesReadOnlyTheFourFormats()
    {
        const QByteArray ppm = QByteArray("P6 2 2 255\n") + QByteArray(12, '\x7f');
        const QByteArray xpm = "/* XPM */\nstatic const char *x[] = {\"1 1 1 1\", \"a c #FF0000\", \"a\"};\n";
        for (const QByteArray &bytes : {ppm, xpm}) {
            QVERIFY(!QImage::fromData(bytes).isNull());
            QVERIFY(facetiles::readPicture(bytes).isNull());
        }
    }
};

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
