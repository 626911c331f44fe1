#pragma once

#include "faceset.h"

#include <QString>
#include <QStringList>
#include <functional>

class Dialogs;
class QWidget;

// Texts of the language file by line number (1..124, and later additions
// from 125 on). While `active` is off every window uses its built-in Czech
// texts; so does a line after 124 that the file does not have.
struct LanguageTexts
{
    bool active = false;
    QStringList lines;

    QString text(int line, const QString &builtin) const
    {
        if (!active || (line > 124 && line > lines.size()))
            return builtin;
        return lines.value(line - 1);
    }
};

// What the windows share, owned by the start-up code for the whole run: the
// dialog layer, the face set snapshot that the main window takes for the quiz
// and trace windows, the model's file name and the language texts.
struct AppContext
{
    Dialogs *dialogs = nullptr;
    QWidget *mainWindow = nullptr;   // the sheet windows open centred on it
    QString startFolder;             // the working folder when the main window was made
    faceset::Snapshot snapshot;
    std::function<QString()> modelFileName;
    LanguageTexts language;
};
