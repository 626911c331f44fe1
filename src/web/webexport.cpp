#include "webexport.h"

#include "fileaccess.h"
#include "site.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>

namespace web {

namespace {

// Where the site is built and where it ends up, and the words for failures.
struct Export
{
    QDir staged;
    QDir target;
    const LanguageTexts &language;
    QString &error;

    // The system's reason for errno, or `qtText` when the system gave none.
    bool failed(const QString &path, int systemError, const QString &qtText = QString())
    {
        error = fileaccess::named(path, systemError == 0 && !qtText.isEmpty()
                                                ? qtText
                                                : fileaccess::systemReason(language, systemError));
        return false;
    }

    bool makeFolder(const QString &name)
    {
        errno = 0;
        return QDir().mkpath(staged.filePath(name)) || failed(target.filePath(name), errno);
    }

    // Writes `bytes` as the site's file `name`; a failure names the file in
    // the chosen folder, not its staged copy.
    bool write(const QString &name, const QByteArray &bytes)
    {
        if (!makeFolder(QFileInfo(name).path()))
            return false;
        textfile::WriteError reason;
        if (textfile::writeFile(staged.filePath(name), bytes, reason))
            return true;
        error = fileaccess::named(target.filePath(name), fileaccess::writeErrorText(language, reason));
        return false;
    }

    bool copyXite(const QDir &xite, const QString &name)
    {
        QByteArray bytes;
        textfile::ReadError reason;
        if (!regularfile::read(xite.filePath(name), Site::maxFileSize, bytes, reason)) {
            error = fileaccess::named(xite.filePath(name), fileaccess::readErrorText(language, reason));
            return false;
        }
        return write(QStringLiteral("x_ite/") + name, bytes);
    }

    // A picture refused by makeContent, or now, fails the export.
    bool copyPicture(const Picture &picture)
    {
        picturefile::Problem problem = picture.problem;
        picturefile::Checked checked;
        if (!problem)
            checked = picturefile::read(picture.file, problem);
        if (problem) {
            error = fileaccess::named(picture.file, fileaccess::pictureProblemText(language, problem));
            return false;
        }
        return write(picture.name, checked.bytes);
    }
};

// The top-level entries of the site, in the order they are moved in place.
const QStringList &entries()
{
    static const QStringList names = {QStringLiteral("x_ite"), QStringLiteral("obrazkys"),
                                      QStringLiteral("model.wrl"), QStringLiteral("index.html")};
    return names;
}

bool writeSite(Export &site, const Content &content, const QByteArray &page,
               const QString &xiteFolder)
{
    const QDir xite(xiteFolder);
    for (const QString &name : xiteFiles())
        if (!site.copyXite(xite, name))
            return false;
    if (!site.makeFolder(QStringLiteral("obrazkys")))
        return false;
    for (const Picture &picture : content.pictures)
        if ((!picture.name.isEmpty() || picture.problem) && !site.copyPicture(picture))
            return false;
    return site.write(QStringLiteral("model.wrl"), content.model)
            && site.write(QStringLiteral("index.html"), page);
}

} // namespace

ExportResult exportSite(const QString &folder, const Content &content, const QByteArray &page,
                        const QString &xiteFolder, const LanguageTexts &language, QString &error)
{
    QDir target(folder);
    Export site{QDir(), target, language, error};
    errno = 0;
    if (!target.exists() && !QDir().mkpath(folder)) {
        site.failed(folder, errno);
        return ExportResult::Failed;
    }
    if (!target.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return ExportResult::NotEmpty;

    // Built inside the folder itself, so that moving it in place is a rename.
    errno = 0;
    QTemporaryDir staging(target.filePath(QStringLiteral(".vemtal-XXXXXX")));
    if (!staging.isValid()) {
        site.failed(folder, errno, staging.errorString());
        return ExportResult::Failed;
    }
    site.staged = QDir(staging.path());
    if (!writeSite(site, content, page, xiteFolder))
        return ExportResult::Failed;
    QStringList moved;
    for (const QString &name : entries()) {
        errno = 0;
        if (!QDir().rename(site.staged.filePath(name), target.filePath(name))) {
            site.failed(target.filePath(name), errno);
            for (const QString &back : moved)
                QDir().rename(target.filePath(back), site.staged.filePath(back));
            return ExportResult::Failed;
        }
        moved << name;
    }
    return ExportResult::Saved;
}

} // namespace web
