#pragma once

#include "dialogs.h"

// A file dialog that keeps its settings and its last file name between runs,
// as the windows' named dialogs (OPD, SD, ODKviz ...) do.
class FileDialogState
{
public:
    FileDialogState(const QString &name, FileDialogRequest::Kind kind, const QString &filter);

    FileDialogRequest request;
    // After a confirmed choice the working folder moves to the chosen file's folder.
    bool movesWorkingFolder = true;

    // Runs the dialog; returns the chosen files (empty when cancelled) and
    // remembers the first one as the dialog's file name.
    QStringList execute(Dialogs &dialogs, QWidget *parent);
    QString fileName() const { return request.fileName; }
};
