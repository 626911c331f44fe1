#include "appdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace appdata {

QString dataDir()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath()
                           + QStringLiteral("/../share/vemtal"));
}

QString path(const QString &relative)
{
    return QDir(dataDir()).filePath(relative);
}

QString guidePage(const QString &dataDir, const QString &name)
{
    // Letters, digits, "-" and "_" before ".html": nothing that leaves the folder.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]+\\.html$"));
    const QDir docs(QDir(dataDir).filePath(QStringLiteral("docs")));
    const QString file = name.trimmed();   // blanks a hand-edited line may carry
    if (plain.match(file).hasMatch() && QFileInfo(docs.filePath(file)).isFile())
        return docs.filePath(file);
    return docs.filePath(QLatin1String(builtinGuidePage));
}

} // namespace appdata
