#include "programwindows.h"

#include "cesta.h"
#include "cutoutprinting.h"
#include "help.h"
#include "help2.h"
#include "lessoncommands.h"
#include "nastaveni.h"
#include "sheetprinting.h"
#include "tisky.h"
#include "uifont.h"
#include "vemtal.h"

#include <QApplication>

ProgramWindows::ProgramWindows(AppContext &context)
{
    // Menus, message boxes and the toolkit's dialogs take the menu bar's
    // font. The windows set their own fonts; a line edit still lays its
    // text out once in the application font while it is made, and this
    // one is already loaded by then.
    QApplication::setFont(uiFont(13));
    form1 = std::make_unique<TForm1>(context);
    context.mainWindow = form1.get();
    context.startFolder = form1->startFolder();
    context.modelFileName = [form = form1.get()] { return form->modelFileName(); };
    form2 = std::make_unique<TForm2>(context, nullptr);
    stranka = std::make_unique<TStranka>(context, form1.get());
    form3 = std::make_unique<TForm3>();
    form4 = std::make_unique<TForm4>(context, nullptr);
    form5 = std::make_unique<TForm5>();
    // The help windows come after the windows that show them.
    form2->setHelpWindow(form3.get());
    form4->setHelpWindow(form5.get());
    printing = std::make_unique<SheetPrinting>(context, *stranka, *form1->fileDialog(QStringLiteral("SPD")));
    form1->setSheetWindows(form2.get(), form4.get(), printing.get());
    cutout = std::make_unique<CutoutPrinting>(context);
    form1->setCutout(cutout.get());
    // A child of the main window, as the sheet commands are.
    form1->setLessonCommands(new LessonCommands(context, *form1, *form2, *form4, *stranka,
                                                form1->loadModelItem()));
}

ProgramWindows::~ProgramWindows()
{
    // The main window goes last: the others hold pointers to it.
    cutout.reset();
    printing.reset();
    form5.reset();
    form4.reset();
    form3.reset();
    stranka.reset();
    form2.reset();
    form1.reset();
}

LanguageWindows ProgramWindows::languageWindows() const
{
    return {form1.get(), form2.get(), stranka.get(), form3.get(), form4.get(), form5.get()};
}
