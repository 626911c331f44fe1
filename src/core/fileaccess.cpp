#include "fileaccess.h"

#include <QDir>

namespace fileaccess {

namespace {

Failure readFailure(const LanguageTexts &language, const QString &path,
                    const textfile::ReadError &error)
{
    return Failure::file(QDir::toNativeSeparators(path) + QLatin1Char('\n')
                         + readErrorText(language, error));
}

} // namespace

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
    return error.systemReason;
}

Failure read(const LanguageTexts &language, const QString &path, QByteArray &bytes)
{
    textfile::ReadError error;
    if (textfile::readFile(path, bytes, error))
        return {};
    return readFailure(language, path, error);
}

Failure checkReadable(const LanguageTexts &language, const QString &path)
{
    textfile::ReadError error;
    if (textfile::canRead(path, error))
        return {};
    return readFailure(language, path, error);
}

Failure write(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (textfile::writeFile(path, bytes, error))
        return {};
    return Failure::file(error);
}

} // namespace fileaccess
