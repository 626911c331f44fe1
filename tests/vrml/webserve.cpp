// The cube through the program's web viewer, for the browser test and the
// benchmark, as a teacher gets it by F4 on a fresh start:
//   webserve WORKDIR
// The main window starts in WORKDIR (its settings in WORKDIR/config) with the
// demo face set (rotations 0 1 2 3 0 1) and "Zobrazit krychli" (F4) is
// pressed: the page's address is printed as "url ADDRESS". Then commands, one
// per line on standard input:
//   next       front picture 2-prava.png, rotations 1 0 0 0 0 0, Shift+F4
//   save DIR   "Uložit pro web" into DIR; prints "saved" or "refused TEXT"
//   quit
#include "appcontext.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "vemtal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::cout << line.toStdString() << std::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    // Settings of its own, none chosen: F4 shows the web viewer.
    if (argc == 2)
        qputenv("XDG_CONFIG_HOME", QByteArray(argv[1]) + "/config");
    QApplication app(argc, argv);
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: webserve WORKDIR\n");
        return 2;
    }
    ScriptedDialogs dialogs;
    AppContext context;
    context.dialogs = &dialogs;
    TForm1 form(context);
    auto setRotations = [&form](const char *digits) {
        for (int i = 0; i < 6; ++i)
            form.findChild<QLineEdit *>(QStringLiteral("Ed%1").arg(i))->setText(QString(QChar(digits[i])));
    };
    auto press = [&form, &dialogs](const char *item) {
        dialogs.calls.clear();
        form.findChild<QAction *>(QLatin1String(item))->trigger();
        const QStringList urls = dialogs.texts(QStringLiteral("url"));
        say(urls.isEmpty() ? QStringLiteral("error ") + dialogs.texts(QStringLiteral("error")).join(' ')
                           : QStringLiteral("url ") + urls.first());
    };

    form.openArguments(testfiles::demoFiles());
    setRotations("012301");
    press("Zobrazitkrychli2");

    auto command = [&](const std::string &line) {
        if (line == "next") {
            form.openArguments({testfiles::demo("2-prava.png")});
            setRotations("100000");
            press("Zobrazitvprohlizeci1");
        } else if (line.rfind("save ", 0) == 0) {
            dialogs.calls.clear();
            dialogs.files.enqueue({QString::fromStdString(line.substr(5))});
            form.findChild<QAction *>(QStringLiteral("Ulozitproweb1"))->trigger();
            const QStringList refused = dialogs.texts(QStringLiteral("message"))
                    + dialogs.texts(QStringLiteral("error"));
            say(refused.isEmpty() ? QStringLiteral("saved") : QStringLiteral("refused ") + refused.join(' '));
        } else if (!line.empty()) {
            say(QStringLiteral("unknown command"));
        }
    };
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char chunk[4096];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            app.quit();
            return;
        }
        pending.append(chunk, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            const std::string line = pending.left(end).toStdString();
            if (line == "quit") {
                app.quit();
                return;
            }
            command(line);
        }
    });
    return app.exec();
}
