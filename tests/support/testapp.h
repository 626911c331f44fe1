#pragma once

// The program's six windows as start-up creates them, in a fresh start
// folder, answering every dialog from scripted replies.
#include "appcontext.h"
#include "cesta.h"
#include "help.h"
#include "help2.h"
#include "nastaveni.h"
#include "programwindows.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "tisky.h"
#include "vemtal.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

// A temporary start folder, the working folder while it lives.
struct TestStartFolder
{
    QTemporaryDir dir;
    QString previousFolder = QDir::currentPath();

    TestStartFolder() { QDir::setCurrent(dir.path()); }
    ~TestStartFolder() { QDir::setCurrent(previousFolder); }
};

struct TestDialogs
{
    ScriptedDialogs dialogs;
    AppContext context;

    TestDialogs() { context.dialogs = &dialogs; }
};

// Bases are built in this order: the folder first (the main window records
// it as its start folder), the dialogs, then the windows.
struct TestApp : TestStartFolder, TestDialogs, ProgramWindows
{
    TestApp() : ProgramWindows(context) { }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QAction *item(const char *name) const { return form1->findChild<QAction *>(QLatin1String(name)); }
};
