#pragma once

// The program's six windows as start-up creates them, in a fresh start
// folder, answering every dialog from scripted replies.
#include "appcontext.h"
#include "cesta.h"
#include "help.h"
#include "help2.h"
#include "nastaveni.h"
#include "scripteddialogs.h"
#include "tisky.h"
#include "vemtal.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

struct TestApp
{
    QTemporaryDir dir;
    QString previousFolder = QDir::currentPath();
    ScriptedDialogs dialogs;
    AppContext context;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TStranka> stranka;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TForm5> form5;

    TestApp()
    {
        QDir::setCurrent(dir.path());
        context.dialogs = &dialogs;
        form1 = std::make_unique<TForm1>(context);
        context.mainWindow = form1.get();
        context.modelFileName = [this] { return form1->SD.fileName(); };
        form2 = std::make_unique<TForm2>(context, nullptr);
        stranka = std::make_unique<TStranka>(context, form1.get());
        form3 = std::make_unique<TForm3>();
        form4 = std::make_unique<TForm4>(context, nullptr);
        form5 = std::make_unique<TForm5>();
        form2->setHelpWindow(form3.get());
        form4->setHelpWindow(form5.get());
        form1->setSheetWindows(form2.get(), form4.get());
    }
    ~TestApp()
    {
        form5.reset();
        form4.reset();
        form3.reset();
        stranka.reset();
        form2.reset();
        form1.reset();
        QDir::setCurrent(previousFolder);
    }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QAction *item(const char *name) const { return form1->findChild<QAction *>(QLatin1String(name)); }

    static QString demo(const QString &name)
    {
        return QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys/") + name;
    }
    // The six demo pictures in face order.
    static QStringList demoFiles()
    {
        return {demo("1-predni.jpg"), demo("2-prava.png"), demo("3-zadni.gif"),
                demo("4-leva.jpg"), demo("5-horni.png"), demo("6-dolni.gif")};
    }
};
