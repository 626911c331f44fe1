#include "forwardpage.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace web {

ForwardPage::ForwardPage() = default;

ForwardPage::~ForwardPage() = default;

QString ForwardPage::baseFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat info {};
    if (QDir::isAbsolutePath(runtime) && ::lstat(QFile::encodeName(runtime).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0)
        return runtime;
    return QDir::tempPath();
}

bool ForwardPage::write(const QUrl &target, QString &error)
{
    if (!m_folder) {
        // mkdtemp: a new folder that only the user can enter.
        auto folder = std::make_unique<QTemporaryDir>(QDir(baseFolder()).filePath(QStringLiteral("vemtal-XXXXXX")));
        if (!folder->isValid()) {
            error = folder->errorString();
            return false;
        }
        m_folder = std::move(folder);
    }
    const QString path = m_folder->filePath(QStringLiteral("vemtal.html"));
    QSaveFile file(path);
    const QByteArray bytes = forwardPage(target);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    m_path = path;
    return true;
}

QString ForwardPage::path() const
{
    return m_path;
}

QByteArray forwardPage(const QUrl &target)
{
    const QString address = target.toString(QUrl::FullyEncoded).toHtmlEscaped();
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
                          "<meta name=\"referrer\" content=\"no-referrer\">\n"
                          "<meta http-equiv=\"refresh\" content=\"0; url=%1\">\n"
                          "<title>vemtal</title></head>\n"
                          "<body><p><a href=\"%1\">vemtal</a></p></body></html>\n")
            .arg(address)
            .toUtf8();
}

} // namespace web
