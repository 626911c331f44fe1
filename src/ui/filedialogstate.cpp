#include "filedialogstate.h"

#include <QDir>
#include <QFileInfo>

FileDialogState::FileDialogState(const QString &name, FileDialogRequest::Kind kind,
                                 const QString &filter)
{
    request.name = name;
    request.kind = kind;
    request.filter = filter;
}

QStringList FileDialogState::execute(Dialogs &dialogs, QWidget *parent)
{
    QStringList files = dialogs.chooseFiles(parent, request);
    if (files.isEmpty())
        return files;
    for (QString &file : files)
        file = QFileInfo(file).absoluteFilePath();
    request.fileName = files.first();
    if (movesWorkingFolder)
        QDir::setCurrent(QFileInfo(files.first()).absolutePath());
    return files;
}
