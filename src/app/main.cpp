#include "appcontext.h"
#include "appdata.h"
#include "commandline.h"
#include "dialogs.h"
#include "filelimit.h"
#include "langfile.h"
#include "logging.h"
#include "lokalizace.h"
#include "programwindows.h"
#include "quitwhenshown.h"
#include "vemtal.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

// Console texts follow the system's language: Czech, or English for any other.
bool czechConsole()
{
    return QLocale::system().language() == QLocale::Czech;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version need no display: answered before the toolkit starts.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    switch (commandline::earlyAction(rawArguments)) {
    case commandline::EarlyAction::Help:
        print(stdout, commandline::helpText(czechConsole()));
        return 0;
    case commandline::EarlyAction::Version:
        print(stdout, commandline::versionText());
        return 0;
    case commandline::EarlyAction::None:
        break;
    }

    // Before the toolkit opens its own descriptors.
    filelimit::raiseToHard();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vemtal"));
    // Wayland desktops match the window to vemtal.desktop (name, icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("vemtal"));
    // The toolkit has taken its own options (-platform ...) out by now.
    const commandline::Options options = commandline::parse(QApplication::arguments().mid(1));
    if (!options.unknownOption.isEmpty()) {
        print(stderr, czechConsole()
                      ? QStringLiteral("vemtal: neznámá volba %1\nVolby vypíše „vemtal --help“.\n")
                                .arg(options.unknownOption)
                      : QStringLiteral("vemtal: unknown option %1\nTry \"vemtal --help\".\n")
                                .arg(options.unknownOption));
        return 2;
    }

    const langfile::Choice language = langfile::choose(QDir::currentPath(), appdata::dataDir(),
                                                       QLocale::system().language());
    // Qt's own texts (the standard buttons "Ano", "Ne"): Czech, or the
    // system's language when its shipped language file is used.
    const QLocale qtLanguage(language.fromSystemLanguage ? QLocale::system().language() : QLocale::Czech);
    QTranslator qtTranslator;
    if (qtTranslator.load(qtLanguage, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtDialogs dialogs;
    AppContext context;
    context.dialogs = &dialogs;

    // The windows are created once, in their order, and live until the end.
    ProgramWindows windows(context);

    // With every window in place, the language file replaces the texts.
    if (!language.path.isEmpty()
        && LoadLanguageFile(context, windows.languageWindows(), language.path))
        qCInfo(lcStart).noquote() << "language file:" << language.path;
    else
        qCInfo(lcStart) << "language: built-in texts";

    // Shown first, so that the sheet windows and messages open over it.
    TForm1 &form1 = *windows.form1;
    form1.show();
    form1.openArguments(options.files);
    if (options.quitWhenShown)
        new QuitWhenShown(&form1);
    return app.exec();
}
