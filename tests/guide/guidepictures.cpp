// The guide's pictures, made from the real windows as a teacher goes through
// them: the main window with the demo face set, the quiz window with a sheet
// made, the trace window with two rolled traces (trace mode, then picture
// mode), the page placement dialog, and the quiz and trace sheets as the
// program saves them (BMP, kept here as PNG). Once with the built-in Czech
// texts ("cs-*.png"), once with lang/en/lang.txt ("en-*.png").
//   guidepictures write DIR        writes the pictures into DIR
//   guidepictures check DIR [OUT]  compares DIR's pictures with today's,
//                                  pixel for pixel; today's go to OUT
//   guidepictures serve cs|en      the same face set in the web viewer:
//                                  prints "url ADDRESS", ends on "quit"
#include "guidesteps.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <iostream>
#include <unistd.h>

using guide::fail;

namespace {

// The pictures are taken in a fixed folder, so that the paths the main
// window shows are the same on every machine.
const QString workFolder = QStringLiteral("/tmp/vemtal-navod");
const QString remakeHint = QStringLiteral(
        "Remake them with scripts/make-guide-pictures.sh, look at them, and commit them.");

void say(const QString &line)
{
    std::cout << line.toStdString() << std::endl;
}


// The demo face set copied into the work folder, the working folder from now on.
void prepareWorkFolder(QLockFile &lock)
{
    lock.setStaleLockTime(0);   // stale only when its process is gone
    if (!lock.tryLock(300000))
        fail(QStringLiteral("%1 is locked by another run").arg(lock.fileName()));
    QDir work(workFolder);
    if (work.exists() && !work.removeRecursively())
        fail(QStringLiteral("cannot empty %1").arg(workFolder));
    const QDir demo(QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys"));
    if (!QDir().mkpath(work.filePath(QStringLiteral("obrazkys"))))
        fail(QStringLiteral("cannot make %1").arg(workFolder));
    for (const QString &name : demo.entryList(QDir::Files))
        if (!QFile::copy(demo.filePath(name), work.filePath(QStringLiteral("obrazkys/") + name)))
            fail(QStringLiteral("cannot copy %1 into %2").arg(name, workFolder));
    QDir::setCurrent(workFolder);
}

// A picture as small as it is exact: a palette when it has 256 colours or
// fewer, the best compression.
bool savePicture(const QImage &picture, const QString &path)
{
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QHash<QRgb, bool> seen;
    for (int y = 0; y < image.height() && colours.size() <= 256; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width() && colours.size() <= 256; ++x)
            if (!seen.contains(line[x])) {
                seen.insert(line[x], true);
                colours << line[x];
            }
    }
    if (colours.size() <= 256)
        image = image.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
    QImageWriter writer(path, "png");
    writer.setQuality(0);   // PNG: the strongest compression
    return writer.write(image);
}

QString fileName(const QString &language, const QString &name)
{
    return language + QLatin1Char('-') + name + QStringLiteral(".png");
}

int write(const QString &dir)
{
    QDir().mkpath(dir);
    for (const QString &language : guide::languages()) {
        const guide::Pictures pictures = guide::makePictures(language);
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
            const QString path = QDir(dir).filePath(fileName(language, it.key()));
            if (!savePicture(it.value(), path))
                fail(QStringLiteral("cannot write %1").arg(path));
            say(path);
        }
    }
    return 0;
}

int check(const QString &dir, const QString &out)
{
    QStringList stale;
    for (const QString &language : guide::languages()) {
        const guide::Pictures pictures = guide::makePictures(language);
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
            const QString name = fileName(language, it.key());
            const QImage committed(QDir(dir).filePath(name));
            const QImage today = it.value().convertToFormat(QImage::Format_RGB32);
            if (committed.isNull() || committed.convertToFormat(QImage::Format_RGB32) != today) {
                stale << name;
                if (!out.isEmpty() && QDir().mkpath(out))
                    savePicture(today, QDir(out).filePath(name));
            }
        }
    }
    if (stale.isEmpty()) {
        say(QStringLiteral("guidepictures: the guide's pictures match the program"));
        return 0;
    }
    say(QStringLiteral("guidepictures: these pictures in %1 no longer match what the program shows: %2")
                .arg(QDir::toNativeSeparators(dir), stale.join(QStringLiteral(", "))));
    if (!out.isEmpty())
        say(QStringLiteral("Today's pictures are in %1.").arg(QDir::toNativeSeparators(out)));
    say(remakeHint);
    return 1;
}

int serve(QApplication &app, const QString &language)
{
    guide::Session session(language);
    const QString url = session.showInBrowser();
    if (url.isEmpty())
        fail(QStringLiteral("the web viewer did not open"));
    say(QStringLiteral("url ") + url);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char chunk[256];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        pending.append(chunk, got > 0 ? got : 0);
        // exit(), not quit(): quit() would ask the main window to close.
        if (got <= 0 || pending.contains("quit"))
            app.exit(0);
    });
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    // The same look on every machine: no desktop theme, scaling or font DPI.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char *name : {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI"})
        qunsetenv(name);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());

    const QStringList args = QApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (args.size() < 2 || (command != QLatin1String("write") && command != QLatin1String("check")
                            && command != QLatin1String("serve"))) {
        std::fprintf(stderr, "usage: guidepictures write DIR | check DIR [OUT] | serve cs|en\n");
        return 2;
    }
    if (command == QLatin1String("serve") && !guide::languages().contains(args[1]))
        fail(QStringLiteral("no language %1").arg(args[1]));
    // Paths given relative to where the tool was started.
    const QString dir = QFileInfo(args[1]).absoluteFilePath();
    const QString out = args.size() > 2 ? QFileInfo(args[2]).absoluteFilePath() : QString();
    QLockFile lock(workFolder + QStringLiteral(".lock"));
    prepareWorkFolder(lock);
    int result = 0;
    if (command == QLatin1String("write"))
        result = write(dir);
    else if (command == QLatin1String("check"))
        result = check(dir, out);
    else
        result = serve(app, args[1]);
    QDir::setCurrent(QDir::tempPath());
    QDir(workFolder).removeRecursively();
    return result;
}
