#include "appdata.h"

#include <QCoreApplication>
#include <QDir>

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

} // namespace appdata
