#pragma once

#include "faceset.h"
#include "languagetexts.h"

#include <QIcon>
#include <QString>
#include <QStringList>
#include <functional>

class Dialogs;
class QWidget;

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
    QIcon helpIcon;   // the sheet windows' Help buttons share it: each load costs start-up time
};
