#include "textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>
#include <unistd.h>

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

bool breaksLines(const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
            || c == u'\xFDD0' || c == u'\xFDD1')
            return true;
    }
    return false;
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
    return regularfile::read(path, maxReadSize, bytes, error);
}

bool canRead(const QString &path, ReadError &error)
{
    return regularfile::check(path, error);
}

namespace {

bool writeFailed(WriteError &error, int systemError, const QSaveFile &file)
{
    error = {systemError, file.errorString()};
    return false;
}

} // namespace

bool writeFile(const QString &path, const QByteArray &bytes, WriteError &error)
{
    // errno is read right after the call that failed, before Qt makes
    // another. A file that is there and may not be written is asked here:
    // QSaveFile says so only in its own English words.
    const QByteArray name = QFile::encodeName(path);
    if (::access(name.constData(), F_OK) == 0 && ::access(name.constData(), W_OK) != 0) {
        error = {errno, QString()};
        return false;
    }
    QSaveFile file(path);
    // Unbuffered: a short write (a full disk) is seen here. Qt's buffered
    // flush counted a partial write as done and committed a cut file.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailed(error, errno, file);
    // Writes the rest after a short write; the write that fails tells why.
    for (qsizetype done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            writeFailed(error, errno, file);
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    errno = 0;
    if (!file.commit())
        return writeFailed(error, errno, file);
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    WriteError reason;
    if (writeFile(path, bytes, reason))
        return true;
    error = reason.systemError != 0 ? QString::fromLocal8Bit(std::strerror(reason.systemError))
                                    : reason.qtReason;
    return false;
}

} // namespace textfile
