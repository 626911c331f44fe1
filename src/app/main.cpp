#include "appcontext.h"
#include "dialogs.h"
#include "lokalizace.h"
#include "programwindows.h"
#include "quitwhenshown.h"
#include "vemtal.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vemtal"));
    QStringList arguments = QApplication::arguments().mid(1);
    // Start-up timing: leave once the main window is first painted.
    const bool quitWhenShown = QuitWhenShown::requested(arguments);

    // Qt's own Czech texts: the standard buttons read "Ano" and "Ne".
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtDialogs dialogs;
    AppContext context;
    context.dialogs = &dialogs;

    // The windows are created once, in their order, and live until the end.
    ProgramWindows windows(context);

    // With every window in place, the language file replaces the texts.
    const QString languageFile = QStringLiteral("lang.txt");
    if (QFileInfo::exists(languageFile))
        LoadLanguageFile(context, windows.languageWindows(), languageFile);

    TForm1 &form1 = *windows.form1;
    form1.openArguments(arguments);
    form1.show();
    if (quitWhenShown)
        new QuitWhenShown(&form1);
    return app.exec();
}
