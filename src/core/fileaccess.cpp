#include "fileaccess.h"

#include <QDir>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace fileaccess {

QString systemReason(const LanguageTexts &language, int systemError)
{
    switch (systemError) {
    case ENOSPC:
        return language.text(Text::ReasonNoSpace);
    case EDQUOT:
        return language.text(Text::ReasonQuota);
    case EACCES:
    case EPERM:
        return language.text(Text::ReasonDenied);
    case EROFS:
        return language.text(Text::ReasonReadOnly);
    case ENOENT:
        return language.text(Text::ReasonMissing);
    case ENOTDIR:
        return language.text(Text::ReasonNotAFolder);
    case EISDIR:
        return language.text(Text::ReasonIsAFolder);
    case EFBIG:
        return language.text(Text::ReasonTooLargeForDisk);
    case ENAMETOOLONG:
        return language.text(Text::ReasonNameTooLong);
    case EIO:
        return language.text(Text::ReasonDiskError);
    case EMFILE:
    case ENFILE:
        return language.text(Text::ReasonTooManyOpen);
    case EBUSY:
    case ETXTBSY:
        return language.text(Text::ReasonBusy);
    case ELOOP:
        return language.text(Text::ReasonTooManyLinks);
    default:
        break;
    }
    // Any other: its number, and the system's own text for a search.
    return language.text(Text::ReasonOtherSystemError)
            .arg(systemError)
            .arg(QString::fromLocal8Bit(std::strerror(systemError)));
}

QString readErrorText(const LanguageTexts &language, const textfile::ReadError &error)
{
    switch (error.kind) {
    case textfile::ReadError::NotAFile:
        return language.text(Text::NotRegularFile);
    case textfile::ReadError::TooLarge:
        return language.text(Text::FileTooLarge);
    case textfile::ReadError::System:
    case textfile::ReadError::None:
        break;
    }
    return systemReason(language, error.systemError);
}

QString writeErrorText(const LanguageTexts &language, const textfile::WriteError &error)
{
    // No errno at all is rare (Qt refused by itself): then Qt's text.
    if (error.systemError == 0 && !error.qtReason.isEmpty())
        return error.qtReason;
    return systemReason(language, error.systemError);
}

QString pictureProblemText(const LanguageTexts &language, const picturefile::Problem &problem)
{
    switch (problem.kind) {
    case picturefile::Problem::File:
        return readErrorText(language, problem.file);
    case picturefile::Problem::TooManyPixels:
        return language.text(Text::PictureTooManyPixels)
                .arg(problem.size.width())
                .arg(problem.size.height());
    case picturefile::Problem::NotAPicture:
    case picturefile::Problem::None:
        break;
    }
    return language.text(Text::PictureNotAPicture);
}

QString named(const QString &path, const QString &reason)
{
    return QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

Failure read(const LanguageTexts &language, const QString &path, QByteArray &bytes, qint64 maxSize)
{
    textfile::ReadError error;
    if (regularfile::read(path, maxSize, bytes, error))
        return {};
    return Failure::file(named(path, readErrorText(language, error)));
}

Failure checkReadable(const LanguageTexts &language, const QString &path)
{
    textfile::ReadError error;
    if (textfile::canRead(path, error))
        return {};
    return Failure::file(named(path, readErrorText(language, error)));
}

Failure write(const LanguageTexts &language, const QString &path, const QByteArray &bytes)
{
    textfile::WriteError error;
    if (textfile::writeFile(path, bytes, error))
        return {};
    return Failure::file(named(path, writeErrorText(language, error)));
}

QString qtFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QString description = parts[i];
        // A description that ends with exactly these patterns in parentheses
        // keeps only its own, with Qt's blanks between the patterns.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            const QString shown = description.mid(open + 1, description.size() - open - 2);
            static const QRegularExpression separators(QStringLiteral("[; ]"));
            if (shown.split(separators, Qt::SkipEmptyParts) == patterns)
                description.truncate(open);
        }
        filters << description.trimmed() + QLatin1String(" (") + patterns.join(QLatin1Char(' '))
                        + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        filters << parts.last();
    return filters.join(QLatin1String(";;"));
}

} // namespace fileaccess
