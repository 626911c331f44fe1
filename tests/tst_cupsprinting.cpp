// A quiz sheet printed through a real CUPS queue: a CUPS server of the
// test's own (configuration, spool and socket in a temporary folder, reached
// through CUPS_SERVER, so the machine's CUPS is not touched) with one PDF
// queue (cups-pdf) whose PPD gives A4 margins, as a teacher's printer has.
// The sheet goes through the program's print path; the queue's PDF is
// measured in millimetres and its picture compared pixel for pixel.
#include "imagecontrol.h"
#include "placement.h"
#include "requirements.h"
#include "sheetprinting.h"
#include "testapp.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString queue = QStringLiteral("vemtal-test");
// The queue's A4 printable area in points from the paper's lower left
// corner (PostScript's way).
constexpr double paperWidth = 595, paperHeight = 842;
constexpr double areaLeft = 20, areaBottom = 30, areaRight = 580, areaTop = 800;
const QString cupsd = QStringLiteral("/usr/sbin/cupsd");
const QString backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString queuePpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

double mm(double points)
{
    return points / 72 * 25.4;
}

QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

// The folder where cups-pdf puts the PDFs of users the system does not
// know: the test's jobs carry such a user name, so nobody's home gets them.
QString anonymousFolder()
{
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        static const QRegularExpression line(QStringLiteral("^AnonDirName\\s+(\\S+)"));
        while (!conf.atEnd()) {
            const auto match = line.match(QString::fromLocal8Bit(conf.readLine()).trimmed());
            if (match.hasMatch())
                return match.captured(1);
        }
    }
    return QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
}

// A CUPS server that lives as long as this object.
class PrivateCups
{
public:
    ~PrivateCups()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000)) {
                m_cupsd.kill();
                m_cupsd.waitForFinished();
            }
        }
    }

    // Starts the server and adds the queue; returns why it cannot, or an
    // empty text when it runs.
    QString start()
    {
        for (const QString &needed : {cupsd, backend, queuePpd})
            if (!QFileInfo::exists(needed))
                return needed + QStringLiteral(" is missing (packages cups, printer-driver-cups-pdf)");
        // cups-pdf runs only from a server started as root.
        if (geteuid() != 0)
            return QStringLiteral("the PDF queue (cups-pdf) needs a CUPS server started as root");
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        // Filters run as the user lp and walk down to the spool.
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                                    | QFileDevice::ExeOther);
        for (const char *folder : {"spool", "cache", "state", "tmp", "log"})
            QDir(m_dir.path()).mkdir(QLatin1String(folder));
        // The filters' temporary files, written as lp.
        if (chmod(QFile::encodeName(path("tmp")).constData(), 01777) != 0)
            return QStringLiteral("cannot open the temporary folder to the filters");
        // Job numbers of this run only: the queue's files carry them.
        firstJob = int(QRandomGenerator::global()->bounded(100000, 1000000000));
        if (!write(QStringLiteral("cache/job.cache"),
                   "# Job cache file for CUPS v2.4.2\nNextJobId " + QByteArray::number(firstJob) + '\n')
            || !write(QStringLiteral("cupsd.conf"), serverConfig())
            || !write(QStringLiteral("cups-files.conf"), filesConfig())
            || !write(QStringLiteral("queue.ppd"), ppdWithMargins()))
            return QStringLiteral("cannot write the server's configuration");

        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        // The server ends with the test, even when the test is killed.
        m_cupsd.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), path("cupsd.conf"),
                              QStringLiteral("-s"), path("cups-files.conf")});
        if (!m_cupsd.waitForStarted(10000))
            return QStringLiteral("cupsd does not start: ") + m_cupsd.errorString();
        qputenv("CUPS_SERVER", socket().toLocal8Bit());
        int code = -1;
        for (int i = 0; i < 80; ++i) {
            if (m_cupsd.state() == QProcess::NotRunning)
                return QStringLiteral("cupsd stopped: ") + QString::fromLocal8Bit(m_cupsd.readAll()) + log();
            if (QFileInfo::exists(socket())) {
                run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &code);
                if (code == 0)
                    break;
            }
            QTest::qWait(250);
        }
        if (code != 0)
            return QStringLiteral("cupsd does not answer on ") + socket() + log();
        const QString added = run(QStringLiteral("lpadmin"),
                                  {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                                   QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), path("queue.ppd")},
                                  &code);
        if (code != 0)
            return QStringLiteral("lpadmin: ") + added + log();
        return QString();
    }

    // Waits until the job has ended; false when it did not complete.
    bool waitForJob(int job) const
    {
        const QString id = QStringLiteral("%1-%2 ").arg(queue).arg(job);
        for (int i = 0; i < 480; ++i) {
            if (run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                               QStringLiteral("-o"), queue})
                        .contains(id))
                return true;
            // A job that failed stops the queue.
            if (run(QStringLiteral("lpstat"), {QStringLiteral("-p"), queue}).contains(QLatin1String("disabled")))
                return false;
            QTest::qWait(250);
        }
        return false;
    }

    QString socket() const { return path("cups.sock"); }
    // The end of the server's log, for a failure's message.
    QString log() const
    {
        QFile file(path("log/error_log"));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        const QByteArray all = file.readAll();
        return QStringLiteral("\n--- error_log ---\n") + QString::fromLocal8Bit(all.right(3000));
    }

    int firstJob = 0;

private:
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray serverConfig() const
    {
        // Debug: a filter that fails says why only at this level.
        return "LogLevel debug\n"
               "Listen " + socket().toLocal8Bit() + "\n"
               "Browsing No\n"
               "WebInterface No\n"
               "DefaultAuthType None\n"
               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
               "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    }
    QByteArray filesConfig() const
    {
        const QByteArray d = m_dir.path().toLocal8Bit();
        return "ServerRoot " + d + "\n"
               "RequestRoot " + d + "/spool\n"
               "CacheDir " + d + "/cache\n"
               "StateDir " + d + "/state\n"
               "TempDir " + d + "/tmp\n"
               "ErrorLog " + d + "/log/error_log\n"
               "AccessLog " + d + "/log/access_log\n"
               "PageLog " + d + "/log/page_log\n";
    }
    // cups-pdf's own PPD, with margins on A4 and only errors logged.
    static QByteArray ppdWithMargins()
    {
        QFile file(queuePpd);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QByteArray ppd = file.readAll();
        const QByteArray area = QByteArray::number(areaLeft) + ' ' + QByteArray::number(areaBottom) + ' '
                + QByteArray::number(areaRight) + ' ' + QByteArray::number(areaTop);
        ppd.replace(QByteArrayLiteral("*ImageableArea A4/A4: \"0 0 595 842\""),
                    "*ImageableArea A4/A4: \"" + area + '"');
        ppd.replace(QByteArrayLiteral("*HWMargins: 0 0 0 0"),
                    "*HWMargins: " + QByteArray::number(areaLeft) + ' ' + QByteArray::number(areaBottom) + ' '
                            + QByteArray::number(paperWidth - areaRight) + ' '
                            + QByteArray::number(paperHeight - areaTop));
        ppd.replace(QByteArrayLiteral("*DefaultLogType: 7"), QByteArrayLiteral("*DefaultLogType: 1"));
        return ppd;
    }

    QTemporaryDir m_dir{QStringLiteral("/tmp/vemtal-cups-XXXXXX")};
    QProcess m_cupsd;
};

// Bounding box of the pixels that are clearly not white.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 128)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

} // namespace

class tst_CupsPrinting : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PrivateCups> m_cups;
    QString m_problem;

private slots:
    void initTestCase()
    {
        // Jobs of a user the system does not know: cups-pdf writes them to
        // its folder for such users, not into a home folder.
        qputenv("CUPS_USER", "vemtal-test-nobody");
        m_cups = std::make_unique<PrivateCups>();
        m_problem = m_cups->start();
    }
    void cleanupTestCase() { m_cups.reset(); }

    void quizSheetLandsAtItsPlace()
    {
        if (!m_problem.isEmpty()) {
            const QByteArray reason = "no CUPS server with a PDF queue here: " + m_problem.toLocal8Bit();
            VEMTAL_SKIP_OUTSIDE_CI(reason.constData());
        }
        VEMTAL_REQUIRE_TOOL("pdftoppm", "poppler-utils");
        VEMTAL_REQUIRE_TOOL("pdfimages", "poppler-utils");

        // A quiz sheet as a teacher makes it: two nets and the task text.
        TestApp app;
        app.form1->openArguments(testfiles::demoFiles());
        app.item("Piprav1")->trigger();
        QVERIFY(app.form2->isVisible());
        for (auto [k, at] : {std::pair{1, QPoint(20, 30)}, std::pair{6, QPoint(220, 160)}}) {
            auto *thumb = app.form2->findChild<ImageControl *>(QStringLiteral("Image%1").arg(k));
            QTest::mouseClick(thumb, Qt::LeftButton, {}, QPoint(10, 10));
            thumb->move(at);
        }
        auto *vstup = app.form2->findChild<QPlainTextEdit *>(QStringLiteral("vstup"));
        vstup->setPlainText(QStringLiteral("Zadání:\nKterá síť patří ke kostce?"));
        QTest::mouseDClick(vstup->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(vstup->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(app.form2->findChild<QPushButton *>(QStringLiteral("OK")), Qt::LeftButton);

        // The queue chosen in the print dialog; in the placement dialog
        // scale 12 and the outline dragged from (1, 1) to (30, 40).
        const QString scale = QStringLiteral("12");
        const int left = 30, top = 40;
        app.dialogs.prints.enqueue({true, false, queue});
        app.dialogs.modals.enqueue([&](QDialog *d) {
            d->show();
            d->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(scale);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("meritko")), Qt::LeftButton);
            auto *list = d->findChild<ImageControl *>(QStringLiteral("List"));
            QTest::mousePress(list, Qt::LeftButton, {}, QPoint(1, 1));
            QTest::mouseRelease(list, Qt::LeftButton, {}, QPoint(left, top));
            app.dialogs.answers.enqueue(true);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("BitBtn2")), Qt::LeftButton);
            return d->result() == QDialog::Accepted;
        });
        const QImage sheet = app.form2->printedSheet().compose(true);
        app.item("tiskni")->trigger();
        QVERIFY(app.dialogs.texts("error").isEmpty());
        QCOMPARE(app.printing->printer()->printerName(), queue);

        // The job's end, then the queue's PDF, named after the job's number.
        QVERIFY2(m_cups->waitForJob(m_cups->firstJob), qPrintable(m_cups->log()));
        const QString folder = anonymousFolder();
        const QString suffix = QStringLiteral("job_%1.pdf").arg(m_cups->firstJob);
        QString pdf;
        for (const QString &file : QDir(folder).entryList(QDir::Files))
            if (file.endsWith(suffix))
                pdf = QDir(folder).filePath(file);
        QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no %1 in %2").arg(suffix, folder) + m_cups->log()));
        const auto removePdf = qScopeGuard([&] { QFile::remove(pdf); });

        // The page is A4 and the sheet lies at the placement's millimetres,
        // counted from the queue's printable area.
        QTemporaryDir out;
        const int dpi = 150;
        int code = -1;
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, out.filePath(QStringLiteral("page"))},
            &code);
        QCOMPARE(code, 0);
        const QImage page = QImage(out.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!page.isNull());
        QVERIFY(std::abs(page.width() - qRound(paperWidth / 72 * dpi)) <= 1);
        QVERIFY(std::abs(page.height() - qRound(paperHeight / 72 * dpi)) <= 1);

        // The scale counts the printer's pixels, at the resolution it printed in.
        const int resolution = app.printing->printer()->resolution();
        const double areaWidth = mm(areaRight - areaLeft), areaHeight = mm(areaTop - areaBottom);
        const double s = scale.toDouble();
        const QRectF expected(mm(areaLeft) + areaWidth * left / 210, mm(paperHeight - areaTop) + areaHeight * top / 300,
                              440 * s / resolution * 25.4, 600 * s / resolution * 25.4);
        const QRect ink = inkBox(page);
        const QRectF found(ink.left() * 25.4 / dpi, ink.top() * 25.4 / dpi, (ink.width()) * 25.4 / dpi,
                           (ink.height()) * 25.4 / dpi);
        const QString measured = QStringLiteral("sheet found at %1, %2 mm, %3 x %4 mm; expected %5, %6 mm, %7 x %8 mm")
                                         .arg(found.left(), 0, 'f', 2).arg(found.top(), 0, 'f', 2)
                                         .arg(found.width(), 0, 'f', 2).arg(found.height(), 0, 'f', 2)
                                         .arg(expected.left(), 0, 'f', 2).arg(expected.top(), 0, 'f', 2)
                                         .arg(expected.width(), 0, 'f', 2).arg(expected.height(), 0, 'f', 2);
        qInfo().noquote() << measured;
        const double tolerance = 0.4;   // the placement's rounding to printer pixels and the raster
        QVERIFY2(std::abs(found.left() - expected.left()) < tolerance, qPrintable(measured));
        QVERIFY2(std::abs(found.top() - expected.top()) < tolerance, qPrintable(measured));
        QVERIFY2(std::abs(found.right() - expected.right()) < tolerance, qPrintable(measured));
        QVERIFY2(std::abs(found.bottom() - expected.bottom()) < tolerance, qPrintable(measured));

        // Losslessly: one picture, no JPEG, and its pixels are the sheet's.
        const QString list = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &code);
        QCOMPARE(code, 0);
        qInfo().noquote() << list;
        QVERIFY2(!list.contains(QLatin1String("jpeg")) && !list.contains(QLatin1String("jpx")), qPrintable(list));
        run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, out.filePath(QStringLiteral("img"))}, &code);
        QCOMPARE(code, 0);
        const QStringList images = QDir(out.path()).entryList({QStringLiteral("img-*.png")});
        QCOMPARE(images.size(), 1);
        const QImage printed = QImage(out.filePath(images.first())).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(printed.size(), sheet.size());
        QCOMPARE(printed, sheet);
    }
};

QTEST_MAIN(tst_CupsPrinting)
#include "tst_cupsprinting.moc"
