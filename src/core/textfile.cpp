#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace textfile {

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1250(bytes);
}

QString decodeWindows1250(const QByteArray &bytes)
{
    QStringDecoder cp1250("windows-1250");
    if (cp1250.isValid())
        return cp1250.decode(bytes);
    return QString::fromLatin1(bytes);
}

bool fitsWindows1250(const QString &text)
{
    QStringEncoder encoder("windows-1250");
    if (!encoder.isValid())
        return false;
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // Characters without a code are replaced by '?' on some back ends
    // instead of raising an error: check the round trip.
    QStringDecoder decoder("windows-1250");
    return decoder.decode(bytes) == text;
}

QByteArray encodeText(const QString &text)
{
    if (fitsWindows1250(text)) {
        QStringEncoder encoder("windows-1250");
        const QByteArray bytes = encoder.encode(text);
        // Windows-1250 bytes that also form valid UTF-8 ("ČŠ" is C8 8A)
        // would be read back as UTF-8: then UTF-8 is written instead.
        if (!isValidUtf8(bytes) || decodeText(bytes) == text)
            return bytes;
    }
    return text.toUtf8();
}

QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

QString joinLines(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines) {
        out += line;
        out += QLatin1String("\r\n");
    }
    return out;
}

bool readFile(const QString &path, QByteArray &bytes, ReadError &error)
{
    // A path that does not exist gets the system's reason from open().
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = {ReadError::NotAFile, QString()};
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = {ReadError::System, file.errorString()};
        return false;
    }
    if (file.size() > maxReadSize) {
        error = {ReadError::TooLarge, QString()};
        return false;
    }
    bytes = file.read(maxReadSize + 1);
    if (file.error() != QFileDevice::NoError) {
        error = {ReadError::System, file.errorString()};
        return false;
    }
    if (bytes.size() > maxReadSize) {
        error = {ReadError::TooLarge, QString()};
        return false;
    }
    return true;
}

bool canRead(const QString &path, ReadError &error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = {ReadError::NotAFile, QString()};
        return false;
    }
    QFile file(path);
    char first[16];
    if (!file.open(QIODevice::ReadOnly) || file.read(first, sizeof first) < 0) {
        error = {ReadError::System, file.errorString()};
        return false;
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    // Unbuffered: a short write (a full disk) is seen here. Qt's buffered
    // flush counted a partial write as done and committed a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    // Writes the rest after a short write; the write that fails tells why.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            error = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace textfile
