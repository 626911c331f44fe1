#include "appcontext.h"
#include "cesta.h"
#include "dialogs.h"
#include "help.h"
#include "help2.h"
#include "lokalizace.h"
#include "nastaveni.h"
#include "quitwhenshown.h"
#include "sheetprinting.h"
#include "tisky.h"
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

    // The windows are created once, in this order, and live until the end.
    TForm1 form1(context);
    context.mainWindow = &form1;
    context.modelFileName = [&form1] { return form1.SD.fileName(); };
    TForm2 form2(context, nullptr);
    TStranka stranka(context, &form1);
    TForm3 form3;
    TForm4 form4(context, nullptr);
    TForm5 form5;
    form2.setHelpWindow(&form3);
    form4.setHelpWindow(&form5);
    form1.setSheetWindows(&form2, &form4);
    SheetPrinting printing(context, stranka, form1.SPD);
    form1.setPrinting(&printing);

    // With every window in place, the language file replaces the texts.
    const QString languageFile = QStringLiteral("lang.txt");
    if (QFileInfo::exists(languageFile)) {
        LanguageWindows windows;
        windows.form1 = &form1;
        windows.form2 = &form2;
        windows.stranka = &stranka;
        windows.form3 = &form3;
        windows.form4 = &form4;
        windows.form5 = &form5;
        LoadLanguageFile(context, windows, languageFile);
    }

    form1.openArguments(arguments);
    form1.show();
    if (quitWhenShown)
        new QuitWhenShown(&form1);
    return app.exec();
}
