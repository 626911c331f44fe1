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
    if (plain.match(name).hasMatch() && QFileInfo(docs.filePath(name)).isFile())
        return docs.filePath(name);
    return docs.filePath(QLatin1String(builtinGuidePage));
}

} // namespace appdata
