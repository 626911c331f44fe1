#include "fileaccess.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace fileaccess {

QString systemReason(const LanguageTexts &language, int systemError)
{
    switch (systemError) {
    case ENOSPC:
        return language.text(reasonText::NoSpace, QStringLiteral("Na disku není dost místa."));
    case EDQUOT:
        return language.text(reasonText::Quota, QStringLiteral("Vaše kvóta místa na disku je vyčerpána."));
    case EACCES:
    case EPERM:
        return language.text(reasonText::Denied, QStringLiteral("Přístup odepřen: k tomu nemáte oprávnění."));
    case EROFS:
        return language.text(reasonText::ReadOnly, QStringLiteral("Disk nebo složka je jen pro čtení."));
    case ENOENT:
        return language.text(reasonText::Missing, QStringLiteral("Soubor nebo složka neexistuje."));
    case ENOTDIR:
        return language.text(reasonText::NotAFolder, QStringLiteral("Část cesty není složka."));
    case EISDIR:
        return language.text(reasonText::IsAFolder, QStringLiteral("Je to složka, ne soubor."));
    case EFBIG:
        return language.text(reasonText::TooLargeForDisk, QStringLiteral("Soubor je pro tento disk příliš velký."));
    case ENAMETOOLONG:
        return language.text(reasonText::NameTooLong, QStringLiteral("Název souboru nebo cesta je příliš dlouhá."));
    case EIO:
        return language.text(reasonText::DiskError, QStringLiteral("Chyba čtení nebo zápisu na disku."));
    case EMFILE:
    case ENFILE:
        return language.text(reasonText::TooManyOpen, QStringLiteral("Je otevřeno příliš mnoho souborů."));
    case EBUSY:
    case ETXTBSY:
        return language.text(reasonText::Busy, QStringLiteral("Soubor nebo zařízení se právě používá."));
    case ELOOP:
        return language.text(reasonText::TooManyLinks, QStringLiteral("V cestě je příliš mnoho symbolických odkazů."));
    default:
        break;
    }
    // Any other: its number, and the system's own text for a search.
    return language.text(reasonText::OtherSystemError, QStringLiteral("Systémová chyba č. %1 (%2)."))
            .arg(systemError)
            .arg(QString::fromLocal8Bit(std::strerror(systemError)));
}

QString readErrorText(const LanguageTexts &language, const textfile::ReadError &error)
{
    switch (error.kind) {
    case textfile::ReadError::NotAFile:
        return language.text(126, QStringLiteral("Soubor nelze přečíst: není to obyčejný soubor."));
    case textfile::ReadError::TooLarge:
        return language.text(125, QStringLiteral("Soubor je příliš velký."));
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
        return language.text(reasonText::TooManyPixels, QStringLiteral("Obrázek je příliš velký: %1 × %2 bodů."))
                .arg(problem.size.width())
                .arg(problem.size.height());
    case picturefile::Problem::NotAPicture:
    case picturefile::Problem::None:
        break;
    }
    return language.text(reasonText::NotAPicture, QStringLiteral("Není to obrázek JPEG, PNG, GIF ani BMP."));
}

QString named(const QString &path, const QString &reason)
{
    return QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

Failure read(const LanguageTexts &language, const QString &path, QByteArray &bytes)
{
    textfile::ReadError error;
    if (textfile::readFile(path, bytes, error))
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

} // namespace fileaccess
