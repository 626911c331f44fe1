#pragma once

#include "appcontext.h"

#include <QString>

class QWidget;
class TForm1;

// The six windows whose texts the language file replaces.
struct LanguageWindows
{
    TForm1 *form1 = nullptr;
    QWidget *form2 = nullptr;     // quiz preparation
    QWidget *stranka = nullptr;   // page placement
    QWidget *form3 = nullptr;     // quiz help
    QWidget *form4 = nullptr;     // trace preparation
    QWidget *form5 = nullptr;     // trace help
};

// Replaces the texts of all windows from the language file at `path` and
// keeps its lines as the language texts. Runs once at start-up, when the
// file exists. A file that exists but cannot be read keeps the built-in
// texts and leaves the language off; the reason is returned in `error`.
bool LoadLanguageFile(AppContext &context, const LanguageWindows &windows,
                      const QString &path, QString *error = nullptr);
