#include "webexport.h"

#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>

namespace web {

namespace {

bool copyFile(const QString &from, const QString &to, QString &error)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile source(from);
    if (source.copy(to))
        return true;
    error = from + QLatin1String(": ") + source.errorString();
    return false;
}

// The top-level entries of the site, in the order they are moved in place.
const QStringList &entries()
{
    static const QStringList names = {QStringLiteral("x_ite"), QStringLiteral("obrazkys"),
                                      QStringLiteral("model.wrl"), QStringLiteral("index.html")};
    return names;
}

bool writeSite(const QDir &to, const Content &content, const QByteArray &page,
               const QString &xiteFolder, QString &error)
{
    const QDir xite(xiteFolder);
    for (const QString &name : xiteFiles())
        if (!copyFile(xite.filePath(name), to.filePath(QStringLiteral("x_ite/") + name), error))
            return false;
    to.mkpath(QStringLiteral("obrazkys"));
    for (const Picture &picture : content.pictures)
        if (!picture.name.isEmpty() && !copyFile(picture.file, to.filePath(picture.name), error))
            return false;
    return textfile::writeFile(to.filePath(QStringLiteral("model.wrl")), content.model, error)
            && textfile::writeFile(to.filePath(QStringLiteral("index.html")), page, error);
}

} // namespace

ExportResult exportSite(const QString &folder, const Content &content, const QByteArray &page,
                        const QString &xiteFolder, QString &error)
{
    QDir target(folder);
    if (!target.exists() && !QDir().mkpath(folder)) {
        error = folder + QLatin1String(": ") + qt_error_string(errno);
        return ExportResult::Failed;
    }
    if (!target.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return ExportResult::NotEmpty;

    // Built inside the folder itself, so that moving it in place is a rename.
    QTemporaryDir staging(target.filePath(QStringLiteral(".vemtal-XXXXXX")));
    if (!staging.isValid()) {
        error = folder + QLatin1String(": ") + staging.errorString();
        return ExportResult::Failed;
    }
    const QDir built(staging.path());
    if (!writeSite(built, content, page, xiteFolder, error))
        return ExportResult::Failed;
    QStringList moved;
    for (const QString &name : entries()) {
        if (!QDir().rename(built.filePath(name), target.filePath(name))) {
            error = target.filePath(name) + QLatin1String(": ") + qt_error_string(errno);
            for (const QString &back : moved)
                QDir().rename(target.filePath(back), built.filePath(back));
            return ExportResult::Failed;
        }
        moved << name;
    }
    return ExportResult::Saved;
}

} // namespace web
